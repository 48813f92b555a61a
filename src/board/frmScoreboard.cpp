#include "frmScoreboard.h"

#include "SoundPlayer.h"
#include "LocalClock.h"
#include "modCount.h"
#include "modShowDigits.h"
#include "ShowTime.h"
#include "TimeOfDay.h"
#include "ColorRef.h"
#include "Image.h"
#include "KeyAscii.h"
#include "Label.h"
#include "modColor.h"
#include "modStretch.h"
#include "PictureBox.h"
#include "PointerHider.h"
#include "Shape.h"
#include "Twips.h"
#include "FixedKeys.h"
#include "SettingsRecord.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QLoggingCategory>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

Q_LOGGING_CATEGORY(lcBuzzer, "quorvane.buzzer")

namespace {

// The board's design client area in twips.
constexpr double DesignWidth = BOARD_DESIGN_WIDTH;
constexpr double DesignHeight = BOARD_DESIGN_HEIGHT;

constexpr qint32 GameClockMaximum = 5999; // 99:59

// The program's own buzzer, built into it: it sounds whenever the chosen file cannot.
const QString OwnBuzzer = QStringLiteral(":/quorvane/buzzer.wav");

template <class Control>
Control *place(Control *control, double left, double top, double width, double height)
{
    SetTwipsRect(control, QRectF(left, top, width, height));
    return control;
}

Label *makeLabel(QWidget *parent, const char *name, const QString &caption, double points)
{
    auto *label = new Label(caption, parent);
    label->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    label->setFont(font);
    return label;
}

Shape *makeShape(QWidget *parent, const char *name, Shape::Kind kind, int borderWidth, bool filled)
{
    auto *shape = new Shape(kind, parent);
    shape->setObjectName(QLatin1String(name));
    shape->SetBorderWidth(borderWidth);
    shape->SetFilled(filled);
    return shape;
}

Image *makeImage(QWidget *parent, const char *name)
{
    auto *image = new Image(parent);
    image->setObjectName(QLatin1String(name));
    return image;
}

PictureBox *makePanel(QWidget *parent, const char *name)
{
    auto *panel = new PictureBox(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

// The next cell of a group; a cell takes its extent from its digit size, so only its place is given.
PolyLED *addCell(LedGroup &group, QWidget *parent, int size, double left, double top)
{
    PolyLED *cell = group.AddCell(parent);
    cell->SetSize(size);
    SetTwipsRect(cell, QRectF(left, top, PolyLED::WidthForSize(size), PolyLED::HeightForSize(size)));
    return cell;
}

void addScoreCells(LedGroup &group, QWidget *panel)
{
    // Cell 0 is the units at the right; the hundreds cell starts left of the panel, so only the
    // right-hand part of it (enough for the "1" of 100-199) shows.
    for (double left : {2160.0, 840.0, -480.0})
        addCell(group, panel, 110, left, 120)->SetCaption(group.Count() == 1 ? 0 : -1);
}

} // namespace

frmScoreboard::frmScoreboard(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmScoreboard"));
    setWindowTitle(QStringLiteral("Quorvane"));
    setAutoFillBackground(true);

    lblTitle = place(makeLabel(this, "lblTitle", QStringLiteral("Home"), 32.25), 120, 0, 9255, 855);
    Shape2 = place(makeShape(this, "Shape2", Shape::Kind::RoundedRectangle, 7, false), 120, 960, 9255, 5655);
    Shape1 = place(makeShape(this, "Shape1", Shape::Kind::RoundedRectangle, 7, false), 1680, 960, 6135, 2175);

    picTime = place(makePanel(this, "picTime"), 1853, 1080, 5775, 1935);
    for (double left : {240.0, 1560.0, 3240.0, 4560.0})
        addCell(pledTime, picTime, 110, left, 120);
    for (double top : {240.0, 1575.0}) {
        Shape *dot = place(makeShape(picTime, "shpTime", Shape::Kind::Oval, 1, true), 2740, top, 255, 255);
        dot->SetBordered(false);
        shpTime.Add(dot);
    }

    lblBonus = place(makeLabel(this, "lblBonus", QStringLiteral("BONUS"), 21.75), 3810, 3240, 1875, 600);
    shpBonusH = place(makeShape(this, "shpBonusH", Shape::Kind::Oval, 4, true), 3120, 3330, 735, 375);
    shpBonusV = place(makeShape(this, "shpBonusV", Shape::Kind::Oval, 4, true), 5640, 3330, 735, 375);
    imgBonusH = place(makeImage(this, "imgBonusH"), 3000, 3210, 975, 615);
    imgBonusV = place(makeImage(this, "imgBonusV"), 5520, 3210, 975, 615);

    lblPoss = place(makeLabel(this, "lblPoss", QStringLiteral("POSS"), 20.25), 4080, 3840, 1335, 495);
    shpPossH = place(makeShape(this, "shpPossH", Shape::Kind::Circle, 4, true), 3675, 3915, 495, 375);
    shpPossV = place(makeShape(this, "shpPossV", Shape::Kind::Circle, 4, true), 5325, 3915, 495, 375);
    imgPossH = place(makeImage(this, "imgPossH"), 3600, 3840, 615, 615);
    imgPossV = place(makeImage(this, "imgPossV"), 5280, 3840, 615, 615);

    picHomeScore = place(makePanel(this, "picHomeScore"), 360, 3840, 3255, 1935);
    addScoreCells(pledHomeScore, picHomeScore);
    picVisitorScore = place(makePanel(this, "picVisitorScore"), 5880, 3840, 3255, 1935);
    addScoreCells(pledVisitorScore, picVisitorScore);

    lblPeriod = place(makeLabel(this, "lblPeriod", QStringLiteral("PERIOD"), 26.25), 3653, 4400, 2175, 735);
    addCell(pledPeriod, this, 100, 4320, 4980)->SetLitColor(0xC000);

    lblHome = place(makeLabel(this, "lblHome", QStringLiteral("Home"), 36), 0, 5760, 4335, 975);
    lblVisitor = place(makeLabel(this, "lblVisitor", QStringLiteral("Visitor"), 36), 5160, 5760, 4335, 975);

    tmrClock = new QTimer(this);
    tmrClock->setObjectName(QStringLiteral("tmrClock"));
    tmrClock->setTimerType(Qt::PreciseTimer);
    connect(tmrClock, &QTimer::timeout, this, &frmScoreboard::tmrClock_Timer);

    mmcBuzzer = new SoundPlayer(this);
    mmcBuzzer->setObjectName(QStringLiteral("mmcBuzzer"));
    connect(mmcBuzzer, &SoundPlayer::Done, this, &frmScoreboard::mmcBuzzer_Done);

    // Every key typed on a display goes to its entry handler, which hands it to AllKeyPress first.
    const KeyDispatch dispatch = [this](qint16 key) { AllKeyPress(key); };
    for (PolyLED *cell : pledTime)
        connect(cell, &PolyLED::KeyPress, this, [this, dispatch](int, qint16 key) {
            TimeEntryKey(pledTime, key, GameClockMaximum, 0, 0, shpTime, dispatch);
        });
    const auto wireDigits = [this, dispatch](LedGroup &group, qint16 maximum) {
        for (PolyLED *cell : group)
            connect(cell, &PolyLED::KeyPress, this, [&group, maximum, dispatch](int, qint16 key) {
                DigitEntryKey(group, key, 0, maximum, dispatch);
            });
    };
    wireDigits(pledHomeScore, 199);
    wireDigits(pledVisitorScore, 199);
    wireDigits(pledPeriod, 4);

    connect(imgPossH, &Image::Click, this, [this] { ToggleIndicator(shpPossH, shpPossV); });
    connect(imgPossV, &Image::Click, this, [this] { ToggleIndicator(shpPossV, shpPossH); });
    connect(imgBonusH, &Image::Click, this, [this] { ToggleIndicator(shpBonusH, shpBonusV); });
    connect(imgBonusV, &Image::Click, this, [this] { ToggleIndicator(shpBonusV, shpBonusH); });

    // One Tab stop per display, its first cell; the other cells and the panels take the focus only by a
    // click, so Tab and Shift+Tab visit each display once a round in either direction.
    for (LedGroup *group : {&pledTime, &pledHomeScore, &pledVisitorScore})
        for (PolyLED *cell : *group)
            if (cell->Index() > 0)
                cell->setFocusPolicy(Qt::ClickFocus);
    const auto wirePanel = [this](PictureBox *panel, PolyLED *cell) {
        panel->setFocusPolicy(Qt::ClickFocus);
        connect(panel, &PictureBox::GotFocus, cell, &PolyLED::SetFocus);
    };
    wirePanel(picHomeScore, pledHomeScore[0]);
    wirePanel(picVisitorScore, pledVisitorScore[0]);
    wirePanel(picTime, pledTime[0]);
    setTabOrder(pledPeriod[0], pledTime[0]);
    setTabOrder(pledTime[0], pledVisitorScore[0]);
    setTabOrder(pledVisitorScore[0], pledHomeScore[0]);
    connect(qApp, &QApplication::focusChanged, this, &frmScoreboard::FocusChanged);

    // Full screen for the projector; F11 delivers no character, so it never reaches AllKeyPress.
    auto *fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this, &frmScoreboard::ToggleFullScreen);
    new PointerHider(this);

    Form_Load();
    tmrClock->start(0);
}

frmScoreboard::~frmScoreboard()
{
    // Closing the window moves the focus away, after the display groups are gone: stop listening first.
    disconnect(qApp, nullptr, this, nullptr);
}

void frmScoreboard::Form_Load()
{
    const QSize client(TwipsToPixels(DesignWidth), TwipsToPixels(DesignHeight));
    resize(client);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(client.width() / 2, client.height() / 2));

    UpdateLabels();
    UpdateFormColors();
    ClockResetTime = ClockValue::FromSeconds(600);
    SetCount(ClockResetTime, 0, 0);
    ShowTime(ClockResetTime, pledTime, shpTime);
    RecordLayout(this);
    OpenBuzzer();
    pledPeriod[0]->SetFocus();
}

void frmScoreboard::OpenBuzzer()
{
    mmcBuzzer->SetFileName(Settings.BuzzerFile);
    mmcBuzzer->Open();
    // A file that has gone (moved, or named by an older install or a deleted build folder), cannot be read or
    // is no sound must not leave the hall without a horn at the end of a period: the program's own buzzer
    // sounds instead. The setting stays as the operator chose it, and the operator is not interrupted.
    if (!mmcBuzzer->IsOpen()) {
        qCWarning(lcBuzzer, "The buzzer file \"%ls\" cannot be played; the program's own buzzer sounds instead.",
                  qUtf16Printable(Settings.BuzzerFile));
        mmcBuzzer->SetFileName(OwnBuzzer);
        mmcBuzzer->Open();
    }
}

void frmScoreboard::Buzzer()
{
    if (!mmcBuzzer->FileName().isEmpty())
        mmcBuzzer->Play();
}

void frmScoreboard::UpdateFormColors()
{
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(Settings.FormBack));
    setPalette(p);

    ShowTime(GetCount(0), pledTime, shpTime);

    SetLEDColors(pledTime, Settings.TimeColor);
    SetLEDColors(pledHomeScore, Settings.ScoreColor);
    SetLEDColors(pledVisitorScore, Settings.ScoreColor);
    SetLEDColors(pledPeriod, Settings.PeriodColor);

    lblHome->SetForeColor(Settings.HomeColor);
    lblVisitor->SetForeColor(Settings.VisitorColor);

    ColorControlsByType(this, {shpBonusH, shpBonusV, shpPossH, shpPossV, lblHome, lblVisitor});

    for (Shape *indicator : {shpBonusH, shpBonusV, shpPossH, shpPossV}) {
        indicator->SetBorderColor(Settings.LEDBack);
        indicator->SetFillColor(Settings.FormBack);
    }
}

void frmScoreboard::UpdateLabels()
{
    lblTitle->setText(Settings.TitleText);
    lblHome->setText(Settings.HomeText);
    lblVisitor->setText(Settings.VisitorText);
}

void frmScoreboard::AllKeyPress(qint16 KeyAscii)
{
    // Any key may change what the clock shows (a start, a reset, the switch, an entry typed on the
    // clock, new settings): a tick follows it at once, and the tick then decides when the next one comes.
    tmrClock->start(0);

    if (KeyAscii == Settings.StartStopClockKey) {
        // The next tick shows the clock; nothing is redrawn here.
        if (IsCounting(0) != 0)
            StopCount(0);
        else
            StartCount(0);
    } else if (KeyAscii == Settings.ResetClockKey) {
        if (IsCounting(0) == -1)
            AllKeyPress(Settings.StartStopClockKey);
        SetCount(ClockResetTime, 0, 0);
        ShowTime(GetCount(0), pledTime, shpTime);
    } else if (KeyAscii == Settings.ClockSwitchKey) {
        ClockTime = ClockTime ? 0 : -1;
    } else if (KeyAscii == Settings.BuzzerKey) {
        Buzzer();
    } else if (KeyAscii == HelpKey) {
        emit helpRequested();
    } else if (KeyAscii == OptionsKey) {
        emit optionsRequested();
        ReapplySettings();
    }
}

bool frmScoreboard::IsCommandKey(qint16 KeyAscii) const
{
    return KeyAscii == Settings.StartStopClockKey || KeyAscii == Settings.ResetClockKey
        || KeyAscii == Settings.ClockSwitchKey || KeyAscii == Settings.BuzzerKey || KeyAscii == OptionsKey;
}

void frmScoreboard::ToggleFullScreen()
{
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

QList<QRect> frmScoreboard::KeyAreas() const
{
    QList<QRect> areas;
    for (const QWidget *part : QList<const QWidget *> {picTime, picHomeScore, picVisitorScore, pledPeriod[0]})
        areas << QRect(part->mapToGlobal(QPoint(0, 0)), part->size());
    return areas;
}

void frmScoreboard::ReapplySettings()
{
    UpdateLabels();
    UpdateFormColors();
    // Laid out again from the design, not recorded anew: a board recorded at a stretched shape would keep
    // that stretch as its design, and the digits, which keep their shape, would leave their panels after
    // a few such records.
    StretchLayout(this);
    // Open drops the old sound first.
    OpenBuzzer();
}

void frmScoreboard::keyPressEvent(QKeyEvent *event)
{
    if (const int code = TakeKeyAscii(event); code >= 0)
        AllKeyPress(static_cast<qint16>(code));
}

void frmScoreboard::keyReleaseEvent(QKeyEvent *event)
{
    // Releases on a display reach the board too: the cells leave them to their window.
    NoteKeyRelease(event);
    QWidget::keyReleaseEvent(event);
}

void frmScoreboard::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    StretchLayout(this);
}

void frmScoreboard::tmrClock_Timer()
{
    const ClockValue game = GetCount(0);
    if (ClockTime) {
        const QString now = QLocale::system().toString(CurrentDateTime().time(), QLocale::ShortFormat);
        ShowTimeOfDay(TimeOfDayValue(now), pledTime, shpTime);
    } else {
        ShowTime(game, pledTime, shpTime);
    }

    // The buzzer sounds once per run-out, also while the time of day is shown.
    if (game > ClockValue()) {
        m_buzzerSounded = 0;
    } else if (!m_buzzerSounded) {
        m_buzzerSounded = -1;
        Buzzer();
    }

    // The next tick comes just when what is on show can next change: the digits turn over on the tenth
    // itself, and the horn sounds at the run-out, not up to a tick later, while a clock in minutes wakes
    // the machine once a second. A stopped game clock on show cannot change until a key is pressed: the
    // timer sleeps. The time of day is read again every second, on the second.
    qint64 next = NextPictureIn(0); // 0 while the game clock stands
    if (ClockTime) {
        const qint64 nextSecond = 1000 - CurrentDateTime().time().msec();
        next = next == 0 ? nextSecond : std::min(next, nextSecond);
    }
    if (next == 0)
        tmrClock->stop();
    else
        tmrClock->start(int(next));
}

void frmScoreboard::mmcBuzzer_Done()
{
    mmcBuzzer->Stop();
    mmcBuzzer->Prev();
}

QString frmScoreboard::DisplayOf(const QWidget *widget) const
{
    if (!widget || widget->window() != this)
        return {};
    if (widget == picTime)
        return pledTime.Name();
    if (widget == picHomeScore)
        return pledHomeScore.Name();
    if (widget == picVisitorScore)
        return pledVisitorScore.Name();
    return qobject_cast<const PolyLED *>(widget) ? widget->objectName() : QString();
}

void frmScoreboard::FocusChanged(QWidget *old, QWidget *now)
{
    const QString display = DisplayOf(now);
    // What was typed on a display and not applied goes when the operator moves away from it.
    if (DisplayOf(old) != display)
        ClearEntries();
    for (LedGroup *group : {&pledTime, &pledHomeScore, &pledVisitorScore, &pledPeriod})
        for (PolyLED *cell : *group)
            cell->SetMarked(group->Name() == display);
}

void frmScoreboard::ToggleIndicator(Shape *clicked, Shape *other)
{
    other->SetFillColor(Settings.FormBack);
    clicked->SetFillColor(clicked->FillColor() == Settings.ScoreColor ? Settings.FormBack : Settings.ScoreColor);
}

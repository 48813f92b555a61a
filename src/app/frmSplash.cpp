#include "frmSplash.h"

#include "Version.h"
#include "SplashPosition.h"
#include "frmScoreboard.h"
#include "Label.h"
#include "Twips.h"
#include "SettingsStore.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

// Colours as the board's settings write them, 0x00BBGGRR.
constexpr qint32 NameColor = 0x0080FF;   // the board's score orange
constexpr qint32 VersionColor = 0xE0E0E0;
constexpr qint32 ClickColor = 0xFFFFFF;
constexpr qint32 HintColor = 0xB8B8B8;

QRectF twips(double left, double top, double width, double height)
{
    return {left, top, width, height};
}

Label *makeLabel(const char *name, const QString &text, QWidget *parent, const QRectF &place,
                 Qt::Alignment alignment, qint32 color)
{
    auto *label = new Label(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment);
    label->SetForeColor(color);
    SetTwipsRect(label, place);
    return label;
}

QFont serif(double points, QFont::Weight weight)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

// A dark palette for the window and its buttons, with the board's orange for focus and selection.
QPalette splashPalette(QPalette palette)
{
    palette.setColor(QPalette::Window, QColor(0x26, 0x26, 0x2a));
    palette.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    palette.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x40));
    palette.setColor(QPalette::ButtonText, QColor(0xf2, 0xf2, 0xf2));
    palette.setColor(QPalette::Light, QColor(0x5a, 0x5a, 0x62));
    palette.setColor(QPalette::Midlight, QColor(0x4a, 0x4a, 0x52));
    palette.setColor(QPalette::Mid, QColor(0x2e, 0x2e, 0x34));
    palette.setColor(QPalette::Dark, QColor(0x1a, 0x1a, 0x1e));
    palette.setColor(QPalette::Shadow, QColor(0x08, 0x08, 0x0a));
    palette.setColor(QPalette::Highlight, QColor(0xff, 0x80, 0x00));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    return palette;
}

} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Welcome to Quorvane"));
    setAttribute(Qt::WA_DeleteOnClose);
    setPalette(splashPalette(palette()));
    setAutoFillBackground(true);
    // The hint lines must fit their design widths on one line; the narrow face of Arial does.
    QFont text(QStringLiteral("Arial Narrow"));
    text.setPointSizeF(9);
    setFont(text);
    SetTwipsRect(this, twips(0, 0, 6240, 3240));

    frameSplash = new QFrame(this);
    frameSplash->setObjectName(QStringLiteral("frameSplash"));
    frameSplash->setFrameStyle(QFrame::Box | QFrame::Plain);
    frameSplash->setLineWidth(1);
    QPalette panel = frameSplash->palette();
    panel.setColor(QPalette::Window, QColor(0x0c, 0x0c, 0x0e));
    panel.setColor(QPalette::WindowText, QColor(0x4a, 0x4a, 0x50));
    frameSplash->setPalette(panel);
    frameSplash->setAutoFillBackground(true);
    SetTwipsRect(frameSplash, twips(120, 0, 6000, 3105));

    picLogo = new QLabel(this);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    picLogo->setPixmap(QPixmap(QStringLiteral(":/splash/logo.png")));
    picLogo->setAlignment(Qt::AlignCenter);
    SetTwipsRect(picLogo, twips(360, 960, 1890, 1890));

    lblName = makeLabel("lblName", QStringLiteral("Quorvane"), frameSplash, twips(653, 240, 4935, 615),
                        Qt::AlignCenter, NameColor);
    lblName->setFont(serif(26.25, QFont::Bold));
    lblMadeBy = makeLabel("lblMadeBy", QStringLiteral("by Dalvetta"), frameSplash, twips(3000, 840, 2655, 255),
                          Qt::AlignRight | Qt::AlignVCenter, HintColor);
    // Left-aligned: its box reaches under the version label's, whose text keeps to the right.
    lblClick = makeLabel("lblClick", QStringLiteral("Click to continue."), frameSplash,
                         twips(2400, 1080, 1335, 255), Qt::AlignLeft | Qt::AlignVCenter, ClickColor);
    lblVersion = makeLabel("lblVersion", QString(), frameSplash,
                           twips(3480, 1080, 2175, 375), Qt::AlignRight | Qt::AlignVCenter, VersionColor);
    lblVersion->setFont(serif(15.75, QFont::Normal));
    Label1 = makeLabel("Label1", QStringLiteral("Press ' H ' to view Help from the scoreboard."), frameSplash,
                       twips(2520, 1680, 3255, 255), Qt::AlignLeft | Qt::AlignVCenter, HintColor);
    Label2 = makeLabel("Label2", QStringLiteral("Press ' O ' to set Options from the scoreboard."), frameSplash,
                       twips(2520, 1920, 3255, 375), Qt::AlignLeft | Qt::AlignVCenter, HintColor);

    cmdHelp = new QPushButton(QStringLiteral("&Help"), frameSplash);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    SetTwipsRect(cmdHelp, twips(3120, 2640, 1215, 375));
    cmdOptions = new QPushButton(QStringLiteral("&Options"), this);
    cmdOptions->setObjectName(QStringLiteral("cmdOptions"));
    SetTwipsRect(cmdOptions, twips(4680, 2640, 1215, 375));

    connect(cmdHelp, &QPushButton::clicked, this, &frmSplash::helpRequested);
    connect(cmdOptions, &QPushButton::clicked, this, &frmSplash::optionsRequested);

    Form_Load();
}

void frmSplash::Form_Load()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRectF place = TwipsRect(this);
    const QSizeF size(place.width(), 3240);
    const QPointF topLeft =
        SplashPosition(PixelsToTwips(screen->geometry()), PixelsToTwips(screen->availableGeometry()), size);
    SetTwipsRect(this, QRectF(topLeft, size));

    const QRectF frame = TwipsRect(frameSplash);
    SetTwipsRect(frameSplash, QRectF(frame.topLeft(), QSizeF(frame.width(), 3120)));

    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(QuorvaneVersionMajor)
                            .arg(QuorvaneVersionMinor)
                            .arg(QuorvaneVersionRevision));

    LoadSettings();
}

void frmSplash::GoScore()
{
    // The board opens before the splash closes: for a moment with no window open the program would end.
    auto *board = new frmScoreboard;
    board->setAttribute(Qt::WA_DeleteOnClose);
    board->show();
    close();
    emit boardOpened(board);
}

void frmSplash::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a left press and release on the splash; a release dragged off the window is no click.
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    event->accept();
    GoScore();
}

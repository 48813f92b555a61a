#include "frmOptions.h"

#include "ColorRef.h"
#include "PictureBox.h"
#include "KeyLabel.h"
#include "PlatformDialogs.h"
#include "frmChooseKey.h"
#include "SettingsStore.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

struct KeyRow
{
    const char *button;
    const char *caption;
    const char *label;
    const char *action; // for the key capture dialog's prompt
    qint16 SettingsRecord::*field;
};

constexpr KeyRow KeyRows[] = {
    {"cmdStartStopClock", "Start / Stop  Clock", "lblStartStopClock", "start / stop the clock",
     &SettingsRecord::StartStopClockKey},
    {"cmdResetClock", "Reset Clock", "lblResetClock", "reset the clock", &SettingsRecord::ResetClockKey},
    {"cmdClockSwitch", "Game / Clock Switch", "lblClockSwitch", "switch between clock and game time",
     &SettingsRecord::ClockSwitchKey},
    {"cmdBuzzer", "Buzzer", "lblBuzzer", "sound the buzzer", &SettingsRecord::BuzzerKey},
};

struct ColorRow
{
    const char *caption;
    const char *button;
    const char *preview;
    qint32 SettingsRecord::*field;
};

constexpr ColorRow ColorRows[] = {
    {"Time Color:", "cmdTimeC", "picTimeC", &SettingsRecord::TimeColor},
    {"LED Background:", "cmdLEDB", "picLEDB", &SettingsRecord::LEDBack},
    {"Score Color:", "cmdScoreC", "picScoreC", &SettingsRecord::ScoreColor},
    {"Period Color:", "cmdPeriodC", "picPeriodC", &SettingsRecord::PeriodColor},
    {"Back Color:", "cmdBackC", "picBackC", &SettingsRecord::FormBack},
    {"Border Color:", "cmdBorderC", "picBorderC", &SettingsRecord::BorderColor},
    {"Home Color:", "cmdHomeC", "picHomeC", &SettingsRecord::HomeColor},
    {"Visitor Color:", "cmdVisitorC", "picVisitorC", &SettingsRecord::VisitorColor},
};

struct TextRow
{
    const char *caption;
    const char *box;
    int maxLength; // what the board's title line and name captions have room for
    QString SettingsRecord::*field;
};

constexpr TextRow TextRows[] = {
    {"Title:", "txtTitle", 24, &SettingsRecord::TitleText},
    {"Home Name:", "txtHomeText", 10, &SettingsRecord::HomeText},
    {"Visitor Name:", "txtVisitorText", 10, &SettingsRecord::VisitorText},
};

template <class Widget>
Widget *Named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A long path is cut to its first ten characters and the file's own name, which is what tells two
// sounds apart; a file that is gone leaves the name off.
QString BuzzerFileText(const QString &path)
{
    if (path.isEmpty())
        return QStringLiteral("[No File Selected]");
    if (path.size() <= 50)
        return path;
    const QFileInfo file(path);
    return path.left(10) + QStringLiteral(" ...") + QDir::separator() + (file.isFile() ? file.fileName() : QString());
}

} // namespace

frmOptions::frmOptions(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Options"));

    SSTab1 = Named(new QTabWidget(this), "SSTab1");
    // The pages alone can be narrower than the three captions (the keys page with a short buzzer path): the
    // tab bar then asks for the room of its whole captions instead of cutting the last one and scrolling.
    SSTab1->setElideMode(Qt::ElideNone);
    SSTab1->setUsesScrollButtons(false);
    SSTab1->addTab(KeyPage(), QStringLiteral("Keyboard Controls"));
    SSTab1->addTab(ColorPage(), QStringLiteral("Color Controls"));
    SSTab1->addTab(TextPage(), QStringLiteral("Text Controls"));

    cmdOk = Named(new QPushButton(QStringLiteral("&Ok"), this), "cmdOk");
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    cmdCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);

    Form_Load();
}

QWidget *frmOptions::KeyPage()
{
    auto *page = new QWidget;
    auto *keys = new QGridLayout;
    for (const KeyRow &row : KeyRows) {
        auto *button = Named(new QPushButton(QLatin1String(row.caption), page), row.button);
        const KeyField key {Named(new KeyLabel(page), row.label), row.field};
        connect(button, &QPushButton::clicked, this, [this, key, action = QLatin1String(row.action)] {
            ChooseKey(action, key);
        });
        const int at = keys->rowCount();
        keys->addWidget(button, at, 0);
        keys->addWidget(key.label, at, 1);
        m_keys.append(key);
    }
    keys->setColumnStretch(2, 1);

    cmdResetKeys = Named(new QPushButton(QStringLiteral("Reset Keys"), page), "cmdResetKeys");
    connect(cmdResetKeys, &QPushButton::clicked, this, &frmOptions::cmdResetKeys_Click);
    cmdBuzzerSound = Named(new QPushButton(QStringLiteral("Change Buzzer Sound..."), page), "cmdBuzzerSound");
    connect(cmdBuzzerSound, &QPushButton::clicked, this, &frmOptions::cmdBuzzerSound_Click);
    lblBFile = Named(new QLabel(page), "lblBFile");

    auto *buzzer = new QHBoxLayout;
    buzzer->addWidget(cmdBuzzerSound);
    buzzer->addWidget(lblBFile, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(keys);
    layout->addWidget(cmdResetKeys, 0, Qt::AlignLeft);
    layout->addSpacing(fontMetrics().height());
    layout->addLayout(buzzer);
    layout->addStretch();
    return page;
}

QWidget *frmOptions::ColorPage()
{
    auto *page = new QWidget;
    auto *groups = new QGridLayout;
    const int lineHeight = fontMetrics().height();
    for (const ColorRow &row : ColorRows) {
        auto *group = new QGroupBox(QLatin1String(row.caption), page);
        auto *preview = Named(new PictureBox, row.preview);
        // A preview only shows a colour; the focus belongs to the buttons.
        preview->setFocusPolicy(Qt::NoFocus);
        preview->setMinimumSize(3 * lineHeight, lineHeight * 3 / 2);
        // A thin outline keeps a white preview visible on a light dialog.
        auto *outline = new QFrame(group);
        outline->setFrameStyle(QFrame::Box | QFrame::Plain);
        (new QHBoxLayout(outline))->setContentsMargins(1, 1, 1, 1);
        outline->layout()->addWidget(preview);

        auto *change = Named(new QPushButton(QStringLiteral("Change"), group), row.button);
        connect(change, &QPushButton::clicked, this, [this, preview] {
            const QColor chosen = PlatformDialogs::Current().ChooseColor(ToQColor(preview->BackColor()), this);
            if (chosen.isValid())
                preview->SetBackColor(FromQColor(chosen));
        });
        auto *inside = new QHBoxLayout(group);
        inside->addWidget(outline);
        inside->addWidget(change);

        const auto index = static_cast<int>(m_colors.size());
        groups->addWidget(group, index / 2, index % 2);
        m_colors.append({preview, row.field});
    }

    cmdResetColors = Named(new QPushButton(QStringLiteral("Reset Colors"), page), "cmdResetColors");
    connect(cmdResetColors, &QPushButton::clicked, this, &frmOptions::cmdResetColors_Click);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(groups);
    layout->addWidget(cmdResetColors, 0, Qt::AlignLeft);
    layout->addStretch();
    return page;
}

QWidget *frmOptions::TextPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    for (const TextRow &row : TextRows) {
        auto *group = new QGroupBox(QLatin1String(row.caption), page);
        auto *box = Named(new QLineEdit(group), row.box);
        box->setMaxLength(row.maxLength);
        (new QVBoxLayout(group))->addWidget(box);
        layout->addWidget(group);
        m_texts.append({box, row.field});
    }
    layout->addStretch();
    return page;
}

QList<qint16> frmOptions::ShownKeys() const
{
    QList<qint16> shown;
    for (const KeyField &key : m_keys)
        shown.append(key.label->Key());
    return shown;
}

void frmOptions::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        cmdOk->setFocus();
}

void frmOptions::Form_Load()
{
    SSTab1->setCurrentIndex(0);
    for (const ColorField &color : m_colors)
        color.preview->SetBackColor(Settings.*color.field);
    for (const KeyField &key : m_keys)
        key.label->SetKey(Settings.*key.field);
    BuzzTemp = Settings.BuzzerFile;
    for (const TextField &text : m_texts) {
        // The limit is for typing: a longer text from the store shows whole, so OK cannot cut it unseen.
        text.box->setMaxLength(qMax(text.box->maxLength(), static_cast<int>((Settings.*text.field).size())));
        text.box->setText(Settings.*text.field);
    }
    lblBFile->setText(BuzzerFileText(BuzzTemp));
}

void frmOptions::ChooseKey(const QString &action, const KeyField &key)
{
    frmChooseKey dialog(action, Settings.*key.field, ShownKeys(), this);
    dialog.exec();
    // A window manager would hand the keyboard back to us now; on a bare X session nobody does.
    activateWindow();
    if (dialog.ChosenKey() != 0)
        key.label->SetKey(dialog.ChosenKey());
}

void frmOptions::cmdBuzzerSound_Click()
{
    const QString path = PlatformDialogs::Current().ChooseOpenFile(BuzzTemp, QStringLiteral("Sounds *.wav (*.wav)"), this);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    BuzzTemp = path;
    lblBFile->setText(BuzzerFileText(BuzzTemp));
}

void frmOptions::cmdResetColors_Click()
{
    if (!PlatformDialogs::Current().AskYesNo(QStringLiteral("Reset Colors"),
                                             QStringLiteral("Are you sure you want to reset the colors?"), this))
        return;
    const SettingsRecord factory = DefaultSettings();
    for (const ColorField &color : m_colors)
        color.preview->SetBackColor(factory.*color.field);
}

void frmOptions::cmdResetKeys_Click()
{
    if (!PlatformDialogs::Current().AskYesNo(QStringLiteral("Reset Keys"),
                                             QStringLiteral("Are you sure you want to reset the keys?"), this))
        return;
    const SettingsRecord factory = DefaultSettings();
    for (const KeyField &key : m_keys)
        key.label->SetKey(factory.*key.field);
}

void frmOptions::cmdOk_Click()
{
    SettingsRecord pending;
    for (const KeyField &key : m_keys)
        pending.*key.field = key.label->Key();
    pending.BuzzerFile = BuzzTemp;
    for (const ColorField &color : m_colors)
        pending.*color.field = color.preview->BackColor();
    for (const TextField &text : m_texts)
        pending.*text.field = text.box->text();

    // The values are the operator's choice for this run even when the store refuses them; losing
    // them silently would be worse than a message.
    Settings = pending;
    if (const QString failure = SaveSettings(); !failure.isEmpty()) {
        PlatformDialogs::Current().Warn(
            QStringLiteral("Settings Not Saved"),
            QStringLiteral("The settings could not be saved in\n%1\n(%2).\n\n"
                           "They are in force until Quorvane closes and will be lost then.")
                .arg(SettingsFileName(), failure),
            this);
    }
    accept();
}

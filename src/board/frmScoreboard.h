#pragma once

#include "DotGroup.h"
#include "LedGroup.h"

#include <QWidget>

class Image;
class Label;
class PictureBox;
class QTimer;
class Shape;
class SoundPlayer;

// The scoreboard window: title, team names, scores, period, game clock or time of day, possession
// and bonus indicators. It holds the game state in its displays and in the game clock's slot,
// turns command keys into clock, buzzer, help and options actions, and ticks whenever the clock on show
// changes: at each change of a running game clock's picture, every second on the second while the time of
// day is shown, and once after every key.
class frmScoreboard : public QWidget
{
    Q_OBJECT

public:
    explicit frmScoreboard(QWidget *parent = nullptr);
    ~frmScoreboard() override;

    void Buzzer();
    void UpdateFormColors();
    void UpdateLabels();
    void AllKeyPress(qint16 KeyAscii);
    // True for a key that commands the board (the clock's keys, the buzzer, options) wherever it is typed.
    bool IsCommandKey(qint16 KeyAscii) const;
    // F11: full screen on and off.
    void ToggleFullScreen();
    // The parts of the board the hall must always see, in the desktop's pixels: the clock's and the scores'
    // panels and the period's digit.
    QList<QRect> KeyAreas() const;

    // Clock display mode: 0 game clock, -1 time of day.
    qint16 ClockTime = 0;

    // The controls, each named by its kind and its part: lbl labels, Shape1 and Shape2 the frames, pic the
    // panels holding pled LED groups, shp the drawn lamps and the clock's dots, img the invisible click areas
    // laid over the lamps, tmr the clock's timer, mmc the buzzer's player; H and V end the home and visitor twins.
    Label *lblTitle = nullptr;
    Shape *Shape2 = nullptr;
    Shape *Shape1 = nullptr;
    PictureBox *picTime = nullptr;
    LedGroup pledTime {QStringLiteral("pledTime")};
    DotGroup shpTime;
    Label *lblBonus = nullptr;
    Shape *shpBonusH = nullptr;
    Shape *shpBonusV = nullptr;
    // Invisible: a click on one lights or puts out the lamp it lies over.
    Image *imgBonusH = nullptr;
    Image *imgBonusV = nullptr;
    Label *lblPoss = nullptr;
    Shape *shpPossH = nullptr;
    Shape *shpPossV = nullptr;
    Image *imgPossH = nullptr;
    Image *imgPossV = nullptr;
    PictureBox *picHomeScore = nullptr;
    PictureBox *picVisitorScore = nullptr;
    LedGroup pledHomeScore {QStringLiteral("pledHomeScore")};
    LedGroup pledVisitorScore {QStringLiteral("pledVisitorScore")};
    Label *lblPeriod = nullptr;
    LedGroup pledPeriod {QStringLiteral("pledPeriod")};
    Label *lblHome = nullptr;
    Label *lblVisitor = nullptr;
    QTimer *tmrClock = nullptr;
    SoundPlayer *mmcBuzzer = nullptr;

    // Applies the settings again after the options dialog: texts, colours (all indicators go out),
    // the layout and the buzzer file.
    void ReapplySettings();

signals:
    // The help key: the help window opens beside the board.
    void helpRequested();
    // The options key: whoever shows the options dialog does so modally inside this signal; the board
    // applies the settings again when it returns, whether the dialog was confirmed or cancelled.
    void optionsRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    // Opens the buzzer file of the settings, or the program's own buzzer where that cannot be played.
    void OpenBuzzer();
    void tmrClock_Timer();
    void mmcBuzzer_Done();
    void ToggleIndicator(Shape *clicked, Shape *other);
    // The name of the LED group a widget belongs to (a panel counts as its display), or empty.
    QString DisplayOf(const QWidget *widget) const;
    void FocusChanged(QWidget *old, QWidget *now);

    qint16 m_buzzerSounded = 0;
};

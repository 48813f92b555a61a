#include "board/frmScoreboard.h"
#include "clock/modCount.h"
#include "clock/modShowDigits.h"
#include "display/Image.h"
#include "display/Label.h"
#include "display/PictureBox.h"
#include "display/Shape.h"
#include "display/Twips.h"
#include "settings/SettingsRecord.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QTest>

// The board as the operator drives it: keys, clicks, focus and the texts it shows.
class tst_Scoreboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensAtDesignSizeWithTheFreshGame();
    void controlsSitAtTheirDesignPlaces_data();
    void controlsSitAtTheirDesignPlaces();
    void labelsShowTheTexts();

    void dispatch_data();
    void dispatch();
    void startStopKeyStopsARunningClock();
    void resetKeyStopsAndShowsTheResetTime();
    void commandKeyOnAFocusedDisplayActsOnce_data();
    void commandKeyOnAFocusedDisplayActsOnce();

    void indicatorClicks_data();
    void indicatorClicks();
    void indicatorsWithFormBackEqualToScoreColor();

    void periodHasTheFocusAtOpening();
    void tabOrder();
    void backtabOrder();
    void clickedPanelPassesTheFocusToItsDisplay_data();
    void clickedPanelPassesTheFocusToItsDisplay();

    void coloursComeFromTheSettings();
    void boardKeepsItsProportionsWhenResized();
    void f11TogglesFullScreen();

private:
    enum Action { None, Start, Reset, Switch, Help, Options };
    // Clears what the game state of a previous board left in the process-wide clock and entries.
    void freshBoard();

    std::unique_ptr<frmScoreboard> m_board;
    int m_helpShown = 0;
    int m_optionsShown = 0;
};

void tst_Scoreboard::init()
{
    Settings = SettingsRecord();
    freshBoard();
}

void tst_Scoreboard::cleanup()
{
    m_board.reset();
}

void tst_Scoreboard::freshBoard()
{
    TimeEntry = {};
    DigitEntry = {};
    m_board = std::make_unique<frmScoreboard>();
    m_board->tmrClock->stop(); // these tests look at key effects, not at the running display
    m_helpShown = 0;
    m_optionsShown = 0;
    connect(m_board.get(), &frmScoreboard::helpRequested, this, [this] { ++m_helpShown; });
    connect(m_board.get(), &frmScoreboard::optionsRequested, this, [this] { ++m_optionsShown; });
    m_board->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
}

void tst_Scoreboard::opensAtDesignSizeWithTheFreshGame()
{
    QCOMPARE(m_board->windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(m_board->size(), QSize(632, 453)); // 9480 x 6795 twips
    QCOMPARE(IsCounting(0), qint16(0));
    QCOMPARE(GetCount(0), ClockValue::FromSeconds(600));
    QCOMPARE(ClockResetTime, ClockValue::FromSeconds(600));
    QCOMPARE(m_board->ClockTime, qint16(0));

    // 10:00 on the clock, 0 on both scores with the tens and hundreds blank
    const QList<int> clock = {m_board->pledTime[0]->Caption(), m_board->pledTime[1]->Caption(),
                              m_board->pledTime[2]->Caption(), m_board->pledTime[3]->Caption()};
    QCOMPARE(clock, QList<int>({1, 0, 0, 0}));
    for (const LedGroup *score : {&m_board->pledHomeScore, &m_board->pledVisitorScore}) {
        QCOMPARE(score->Count(), 3);
        QCOMPARE(score->at(0)->Caption(), 0);
        QCOMPARE(score->at(1)->Caption(), -1);
        QCOMPARE(score->at(2)->Caption(), -1);
    }
    QCOMPARE(m_board->pledPeriod.Count(), 1);
    QVERIFY(m_board->pledPeriod[0]->Caption() >= 0);

    // every indicator unlit
    for (const Shape *indicator : {m_board->shpPossH, m_board->shpPossV, m_board->shpBonusH, m_board->shpBonusV})
        QCOMPARE(indicator->FillColor(), Settings.FormBack);
}

void tst_Scoreboard::controlsSitAtTheirDesignPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("twips");

    QTest::newRow("title") << QStringLiteral("lblTitle") << QRectF(120, 0, 9255, 855);
    QTest::newRow("clock panel") << QStringLiteral("picTime") << QRectF(1853, 1080, 5775, 1935);
    QTest::newRow("home poss click") << QStringLiteral("imgPossH") << QRectF(3600, 3840, 615, 615);
    QTest::newRow("period") << QStringLiteral("pledPeriod") << QRectF(4320, 4980, 840, 1515);
    QTest::newRow("visitor name") << QStringLiteral("lblVisitor") << QRectF(5160, 5760, 4335, 975);
}

void tst_Scoreboard::controlsSitAtTheirDesignPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRectF, twips);
    const auto *control = m_board->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(TwipsRect(control), twips);
    // and on screen within a pixel of it
    QCOMPARE(control->x(), TwipsToPixels(twips.left()));
    QCOMPARE(control->y(), TwipsToPixels(twips.top()));
    QVERIFY(qAbs(control->width() - twips.width() / TwipsPerPixel) <= 1);
}

void tst_Scoreboard::labelsShowTheTexts()
{
    Settings.TitleText = QStringLiteral("City Final");
    Settings.HomeText = QString();
    Settings.VisitorText = QStringLiteral("Rovers");
    m_board->UpdateLabels();
    QCOMPARE(m_board->lblTitle->text(), QStringLiteral("City Final"));
    QCOMPARE(m_board->lblHome->text(), QString());
    QCOMPARE(m_board->lblVisitor->text(), QStringLiteral("Rovers"));
    QCOMPARE(m_board->lblBonus->text(), QStringLiteral("BONUS"));
    QCOMPARE(m_board->lblPoss->text(), QStringLiteral("POSS"));
    QCOMPARE(m_board->lblPeriod->text(), QStringLiteral("PERIOD"));
}

void tst_Scoreboard::dispatch_data()
{
    QTest::addColumn<QList<int>>("keys"); // start/stop, reset, switch, buzzer
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("action");

    const QList<int> defaults = {115, 114, 99, 98};
    // the default keys
    QTest::newRow("s starts") << defaults << 115 << int(Start);
    QTest::newRow("r resets") << defaults << 114 << int(Reset);
    QTest::newRow("c switches") << defaults << 99 << int(Switch);
    QTest::newRow("h helps") << defaults << 104 << int(Help);
    QTest::newRow("o options") << defaults << 111 << int(Options);
    // case matters, and a key with no action is ignored
    QTest::newRow("S nothing") << defaults << 83 << int(None);
    QTest::newRow("R nothing") << defaults << 82 << int(None);
    QTest::newRow("H nothing") << defaults << 72 << int(None);
    QTest::newRow("O nothing") << defaults << 79 << int(None);
    QTest::newRow("Enter nothing") << defaults << 13 << int(None);
    QTest::newRow("x nothing") << defaults << 120 << int(None);
    // equal keys: the earlier row wins
    QTest::newRow("start equals reset") << QList<int>({115, 115, 99, 98}) << 115 << int(Start);
    QTest::newRow("reset equals switch") << QList<int>({115, 114, 114, 98}) << 114 << int(Reset);
    QTest::newRow("switch key h beats help") << QList<int>({115, 114, 104, 98}) << 104 << int(Switch);
    QTest::newRow("start key o beats options") << QList<int>({111, 114, 99, 98}) << 111 << int(Start);
    // a moved key frees its old letter
    QTest::newRow("capital S as start") << QList<int>({83, 114, 99, 98}) << 83 << int(Start);
    QTest::newRow("old s after the move") << QList<int>({83, 114, 99, 98}) << 115 << int(None);
}

void tst_Scoreboard::dispatch()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, typed);
    QFETCH(int, action);

    Settings.StartStopClockKey = qint16(keys[0]);
    Settings.ResetClockKey = qint16(keys[1]);
    Settings.ClockSwitchKey = qint16(keys[2]);
    Settings.BuzzerKey = qint16(keys[3]);
    // a clock stopped at 1:40 with the reset time at 10:00 tells a reset apart
    SetCount(ClockValue::FromSeconds(100), 0, 0);

    m_board->AllKeyPress(qint16(typed));

    QCOMPARE(IsCounting(0), qint16(action == Start ? -1 : 0));
    QCOMPARE(GetCount(0), ClockValue::FromSeconds(action == Reset ? 600 : 100));
    QCOMPARE(m_board->ClockTime, qint16(action == Switch ? -1 : 0));
    QCOMPARE(m_helpShown, action == Help ? 1 : 0);
    QCOMPARE(m_optionsShown, action == Options ? 1 : 0);
}

void tst_Scoreboard::startStopKeyStopsARunningClock()
{
    m_board->AllKeyPress(115);
    QCOMPARE(IsCounting(0), qint16(-1));
    m_board->AllKeyPress(115);
    QCOMPARE(IsCounting(0), qint16(0));
}

void tst_Scoreboard::resetKeyStopsAndShowsTheResetTime()
{
    // GIVEN a running clock whose reset time was typed as 7:30
    ClockResetTime = ClockValue::FromSeconds(450);
    m_board->AllKeyPress(115);
    QCOMPARE(IsCounting(0), qint16(-1));

    // WHEN the reset key is pressed
    m_board->AllKeyPress(114);

    // THEN the clock is stopped and shows 7:30 at once, without waiting for a tick
    QCOMPARE(IsCounting(0), qint16(0));
    QCOMPARE(GetCount(0), ClockValue::FromSeconds(450));
    QCOMPARE(m_board->pledTime[0]->Caption(), -1);
    QCOMPARE(m_board->pledTime[1]->Caption(), 7);
    QCOMPARE(m_board->pledTime[2]->Caption(), 3);
    QCOMPARE(m_board->pledTime[3]->Caption(), 0);
}

void tst_Scoreboard::commandKeyOnAFocusedDisplayActsOnce_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("cell");

    QTest::newRow("period") << QStringLiteral("pledPeriod") << 0;
    QTest::newRow("clock, first cell") << QStringLiteral("pledTime") << 0;
    QTest::newRow("clock, last cell") << QStringLiteral("pledTime") << 3;
    QTest::newRow("home units") << QStringLiteral("pledHomeScore") << 0;
    QTest::newRow("home hundreds") << QStringLiteral("pledHomeScore") << 2;
    QTest::newRow("visitor tens") << QStringLiteral("pledVisitorScore") << 1;
    QTest::newRow("no display") << QString() << 0;
}

void tst_Scoreboard::commandKeyOnAFocusedDisplayActsOnce()
{
    QFETCH(QString, group);
    QFETCH(int, cell);

    QWidget *target = m_board.get();
    if (!group.isEmpty()) {
        const LedGroup *groups[] = {&m_board->pledPeriod, &m_board->pledTime, &m_board->pledHomeScore,
                                    &m_board->pledVisitorScore};
        for (const LedGroup *g : groups)
            if (g->Name() == group)
                target = g->at(cell);
        target->setFocus();
    } else {
        m_board->setFocus();
    }
    QCOMPARE(QApplication::focusWidget(), target);

    // A toggle shows a double dispatch: twice would bring it back.
    QTest::keyClick(target, Qt::Key_C, Qt::NoModifier);
    QCOMPARE(m_board->ClockTime, qint16(-1));
    QTest::keyClick(target, Qt::Key_S, Qt::NoModifier);
    QCOMPARE(IsCounting(0), qint16(-1));
    QTest::keyClick(target, Qt::Key_H, Qt::NoModifier);
    QCOMPARE(m_helpShown, 1);
}

void tst_Scoreboard::indicatorClicks_data()
{
    QTest::addColumn<QString>("kind"); // "Poss" or "Bonus"
    QTest::addColumn<QString>("clicks"); // H or V per click
    QTest::addColumn<bool>("homeLit");
    QTest::addColumn<bool>("visitorLit");

    for (const QString &kind : {QStringLiteral("Poss"), QStringLiteral("Bonus")}) {
        const QByteArray k = kind.toLatin1();
        QTest::newRow(k + ": home lights") << kind << QStringLiteral("H") << true << false;
        QTest::newRow(k + ": home twice unlights") << kind << QStringLiteral("HH") << false << false;
        QTest::newRow(k + ": visitor takes it over") << kind << QStringLiteral("HV") << false << true;
        QTest::newRow(k + ": and back") << kind << QStringLiteral("HVH") << true << false;
        QTest::newRow(k + ": visitor twice") << kind << QStringLiteral("VV") << false << false;
        QTest::newRow(k + ": three visitor") << kind << QStringLiteral("VVV") << false << true;
    }
}

void tst_Scoreboard::indicatorClicks()
{
    QFETCH(QString, kind);
    QFETCH(QString, clicks);
    QFETCH(bool, homeLit);
    QFETCH(bool, visitorLit);

    const bool poss = kind == QStringLiteral("Poss");
    Image *home = poss ? m_board->imgPossH : m_board->imgBonusH;
    Image *visitor = poss ? m_board->imgPossV : m_board->imgBonusV;
    for (QChar side : clicks)
        QTest::mouseClick(side == QLatin1Char('H') ? home : visitor, Qt::LeftButton);

    const Shape *homeShape = poss ? m_board->shpPossH : m_board->shpBonusH;
    const Shape *visitorShape = poss ? m_board->shpPossV : m_board->shpBonusV;
    QCOMPARE(homeShape->FillColor(), homeLit ? Settings.ScoreColor : Settings.FormBack);
    QCOMPARE(visitorShape->FillColor(), visitorLit ? Settings.ScoreColor : Settings.FormBack);

    // the other kind is untouched
    const Shape *otherH = poss ? m_board->shpBonusH : m_board->shpPossH;
    const Shape *otherV = poss ? m_board->shpBonusV : m_board->shpPossV;
    QCOMPARE(otherH->FillColor(), Settings.FormBack);
    QCOMPARE(otherV->FillColor(), Settings.FormBack);
}

void tst_Scoreboard::indicatorsWithFormBackEqualToScoreColor()
{
    Settings.FormBack = 0x123456;
    Settings.ScoreColor = 0x123456;
    m_board->UpdateFormColors();
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(m_board->imgPossH, Qt::LeftButton);
        QCOMPARE(m_board->shpPossH->FillColor(), 0x123456);
        QCOMPARE(m_board->shpPossV->FillColor(), 0x123456);
    }
}

void tst_Scoreboard::periodHasTheFocusAtOpening()
{
    QCOMPARE(QApplication::focusWidget(), m_board->pledPeriod[0]);
}

void tst_Scoreboard::tabOrder()
{
    // Panels hand the focus straight on to their display's first cell.
    const QList<QWidget *> expected = {
        m_board->pledTime[0],         m_board->pledTime[1],         m_board->pledTime[2],
        m_board->pledTime[3],         m_board->pledVisitorScore[0], m_board->pledVisitorScore[1],
        m_board->pledVisitorScore[2], m_board->pledPeriod[0],
    };
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void tst_Scoreboard::backtabOrder()
{
    // Backwards the panels step aside, so every display can be reached, the home score too.
    const QList<QWidget *> expected = {
        m_board->pledVisitorScore[2], m_board->pledVisitorScore[1], m_board->pledVisitorScore[0],
        m_board->pledHomeScore[2],    m_board->pledHomeScore[1],    m_board->pledHomeScore[0],
        m_board->pledTime[3],         m_board->pledTime[2],         m_board->pledTime[1],
        m_board->pledTime[0],         m_board->pledPeriod[0],
    };
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void tst_Scoreboard::clickedPanelPassesTheFocusToItsDisplay_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QPoint>("where"); // a spot of the panel no cell covers

    QTest::newRow("home") << QStringLiteral("picHomeScore") << QStringLiteral("pledHomeScore") << QPoint(3, 3);
    QTest::newRow("visitor") << QStringLiteral("picVisitorScore") << QStringLiteral("pledVisitorScore")
                             << QPoint(3, 125);
    QTest::newRow("clock") << QStringLiteral("picTime") << QStringLiteral("pledTime") << QPoint(2, 125);
}

void tst_Scoreboard::clickedPanelPassesTheFocusToItsDisplay()
{
    QFETCH(QString, panel);
    QFETCH(QString, group);
    QFETCH(QPoint, where);

    auto *box = m_board->findChild<PictureBox *>(panel);
    QVERIFY(box);
    QCOMPARE(box->childAt(where), nullptr);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, where);
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), group);
    QCOMPARE(qobject_cast<PolyLED *>(focused)->Index(), 0);
}

void tst_Scoreboard::coloursComeFromTheSettings()
{
    // GIVEN eight colours all different from the factory ones and from each other, and a lit indicator
    Settings.FormBack = 0x101010;
    Settings.LEDBack = 0x202020;
    Settings.TimeColor = 0x303030;
    Settings.ScoreColor = 0x454545;
    Settings.PeriodColor = 0x505050;
    Settings.BorderColor = 0x606060;
    Settings.HomeColor = 0x707070;
    Settings.VisitorColor = 0x808080;
    QTest::mouseClick(m_board->imgBonusV, Qt::LeftButton);
    QCOMPARE(m_board->shpBonusV->FillColor(), 0x454545);

    // WHEN they are applied
    m_board->UpdateFormColors();

    // THEN every part of the board wears its colour
    QCOMPARE(m_board->palette().color(QPalette::Window), QColor(0x10, 0x10, 0x10));
    const QList<std::pair<const LedGroup *, qint32>> groups = {{&m_board->pledTime, 0x303030},
                                                               {&m_board->pledHomeScore, 0x454545},
                                                               {&m_board->pledVisitorScore, 0x454545},
                                                               {&m_board->pledPeriod, 0x505050}};
    for (const auto &[group, lit] : groups) {
        for (const PolyLED *cell : *group) {
            QCOMPARE(cell->LitColor(), lit);
            QCOMPARE(cell->BackColor(), 0x202020);
        }
    }
    for (const PictureBox *panel : {m_board->picTime, m_board->picHomeScore, m_board->picVisitorScore})
        QCOMPARE(panel->BackColor(), 0x202020);
    for (const Label *caption : {m_board->lblTitle, m_board->lblBonus, m_board->lblPoss, m_board->lblPeriod})
        QCOMPARE(caption->ForeColor(), 0x606060);
    QCOMPARE(m_board->lblHome->ForeColor(), 0x707070);
    QCOMPARE(m_board->lblVisitor->ForeColor(), 0x808080);
    for (const Shape *frame : {m_board->Shape1, m_board->Shape2, m_board->shpTime[0], m_board->shpTime[1]})
        QCOMPARE(frame->BorderColor(), 0x606060);
    // the clock is redrawn: 10:00 lights both dots
    QCOMPARE(m_board->shpTime[0]->FillColor(), 0x606060);
    QCOMPARE(m_board->shpTime[1]->FillColor(), 0x606060);
    // and every indicator is off, outlined in the LED background
    for (const Shape *indicator : {m_board->shpPossH, m_board->shpPossV, m_board->shpBonusH, m_board->shpBonusV}) {
        QCOMPARE(indicator->FillColor(), 0x101010);
        QCOMPARE(indicator->BorderColor(), 0x202020);
    }
}

void tst_Scoreboard::boardKeepsItsProportionsWhenResized()
{
    // WHEN the window is made twice as wide and twice as high
    m_board->resize(2 * 632, 2 * 453);

    // THEN every digit, caption and position doubles with it
    QCOMPARE(m_board->pledTime[0]->Size(), 220);
    QCOMPARE(m_board->pledPeriod[0]->Size(), 200);
    QCOMPARE(m_board->lblHome->FontSize(), 72.0);
    QCOMPARE(TwipsRect(m_board->picVisitorScore), QRectF(2 * 5880, 2 * 3840, 2 * 3255, 2 * 1935));
    QCOMPARE(TwipsRect(m_board->pledHomeScore[2]).left(), -960.0);

    // AND back at the design size everything is where it was designed
    m_board->resize(632, 453);
    QCOMPARE(m_board->pledTime[0]->Size(), 110);
    QCOMPARE(TwipsRect(m_board->picVisitorScore), QRectF(5880, 3840, 3255, 1935));
}

void tst_Scoreboard::f11TogglesFullScreen()
{
    QTest::keyClick(m_board->pledPeriod[0], Qt::Key_F11);
    QVERIFY(m_board->isFullScreen());
    QTRY_COMPARE(m_board->size(), m_board->screen()->size());
    // the layout followed the new size
    QVERIFY(m_board->pledTime[0]->Size() > 110);

    QTest::keyClick(m_board->pledPeriod[0], Qt::Key_F11);
    QVERIFY(!m_board->isFullScreen());
    // F11 is no command: nothing else changed
    QCOMPARE(m_board->ClockTime, qint16(0));
    QCOMPARE(IsCounting(0), qint16(0));
    QCOMPARE(m_board->pledPeriod[0]->Caption(), 0);
}

QTEST_MAIN(tst_Scoreboard)
#include "tst_scoreboard.moc"

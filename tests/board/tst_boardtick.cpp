#include "board/frmScoreboard.h"
#include "board/SoundPlayer.h"
#include "clock/modCount.h"
#include "clock/modShowDigits.h"
#include "settings/SettingsRecord.h"
#include "support/SteppedClock.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The board's 50 ms tick against a clock the test steps: what the clock display shows and when the
// buzzer sounds. The buzzer file is the program's own buzzer.wav; whether sound reaches a speaker is
// the audio end-to-end test's business, here it is whether the board asks for it.
class tst_BoardTick : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void runOutSoundsOnceOnTheFirstTickAtZero();
    void resetAndSecondRunOutSoundsAgain();
    void runOutSoundsWhileTheTimeOfDayIsShown();
    void typedZeroSoundsAtTheNextTick();
    void timeOfDayIsShown_data();
    void timeOfDayIsShown();
    void switchingBackShowsTheGameClockThatKeptRunning();
    void buzzerKeyPlaysEvenWhilePlaying();
    void noBuzzerFileMeansSilence();

private:
    void tick(int times = 1);
    QList<int> clockCells() const;

    std::unique_ptr<SteppedClock> m_clock;
    std::unique_ptr<frmScoreboard> m_board;
    std::unique_ptr<QSignalSpy> m_plays;
};

void tst_BoardTick::init()
{
    Settings = SettingsRecord();
    Settings.BuzzerFile = QStringLiteral(QUORVANE_BUZZER_WAV);
    TimeEntry = {};
    DigitEntry = {};
    m_clock = std::make_unique<SteppedClock>(QDateTime(QDate(2026, 12, 6), QTime(19, 30)));
    m_board = std::make_unique<frmScoreboard>();
    // The test is the timer: each tick runs when the test says, at the time the test has set.
    m_board->tmrClock->stop();
    m_plays = std::make_unique<QSignalSpy>(m_board->mmcBuzzer, &SoundPlayer::Started);
    QVERIFY(m_board->mmcBuzzer->IsOpen());
}

void tst_BoardTick::cleanup()
{
    m_plays.reset();
    m_board.reset();
    m_clock.reset();
}

void tst_BoardTick::tick(int times)
{
    for (int i = 0; i < times; ++i) {
        m_clock->Advance(50);
        QVERIFY(QMetaObject::invokeMethod(m_board->tmrClock, "timeout"));
    }
}

QList<int> tst_BoardTick::clockCells() const
{
    QList<int> cells;
    for (const PolyLED *cell : m_board->pledTime)
        cells << cell->Caption();
    return cells;
}

void tst_BoardTick::runOutSoundsOnceOnTheFirstTickAtZero()
{
    // GIVEN a running clock at 0.3 s
    SetCount(ClockValue::FromTenths(3), 0, 0);
    m_board->AllKeyPress(115);

    // WHEN it ticks down: 0.25 s, 0.2 s ... the first tick at 0 is the sixth
    tick(5);
    QCOMPARE(m_plays->count(), 0);
    tick();
    QCOMPARE(GetCount(0), ClockValue());
    QCOMPARE(m_plays->count(), 1);
    QCOMPARE(clockCells(), QList<int>({-1, 0, 0, -1}));

    // THEN it stays at 0.0 and silent however long it stands there
    tick(100);
    QCOMPARE(m_plays->count(), 1);
}

void tst_BoardTick::resetAndSecondRunOutSoundsAgain()
{
    SetCount(ClockValue::FromTenths(1), 0, 0);
    m_board->AllKeyPress(115);
    tick(4);
    QCOMPARE(m_plays->count(), 1);

    // WHEN the reset key puts 10:00 back, the clock runs again and runs out
    m_board->AllKeyPress(114);
    tick();
    QCOMPARE(clockCells(), QList<int>({1, 0, 0, 0}));
    QCOMPARE(m_plays->count(), 1);
    m_board->AllKeyPress(115);
    m_clock->Advance(599 * 1000);
    tick();
    QCOMPARE(m_plays->count(), 1);
    m_clock->Advance(1000);
    tick();

    // THEN the buzzer sounds a second time
    QCOMPARE(m_plays->count(), 2);
}

void tst_BoardTick::runOutSoundsWhileTheTimeOfDayIsShown()
{
    SetCount(ClockValue::FromSeconds(2), 0, 0);
    m_board->AllKeyPress(115);
    m_board->AllKeyPress(99);
    QCOMPARE(m_board->ClockTime, qint16(-1));

    tick(39);
    QCOMPARE(m_plays->count(), 0);
    tick();
    QCOMPARE(m_plays->count(), 1);
    // the display went on showing the time of day, 19:30
    QCOMPARE(clockCells(), QList<int>({1, 9, 3, 0}));
}

void tst_BoardTick::typedZeroSoundsAtTheNextTick()
{
    tick();
    QCOMPARE(m_plays->count(), 0);

    // WHEN 0 and Enter are typed on the clock while it shows 10:00
    m_board->pledTime[2]->setFocus();
    QTest::keyClick(m_board->pledTime[2], Qt::Key_0);
    QTest::keyClick(m_board->pledTime[2], Qt::Key_Return);
    QCOMPARE(ClockResetTime, ClockValue());
    QCOMPARE(m_plays->count(), 0);

    // THEN the next tick sounds the buzzer, once
    tick();
    QCOMPARE(m_plays->count(), 1);
    tick(3);
    QCOMPARE(m_plays->count(), 1);
}

void tst_BoardTick::timeOfDayIsShown_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QList<int>>("cells");
    QTest::addColumn<bool>("colon");

    // The test runs in the C locale, whose short time format is 24-hour.
    QTest::newRow("afternoon") << QTime(14, 35) << QList<int>({1, 4, 3, 5}) << true;
    QTest::newRow("morning") << QTime(9, 5) << QList<int>({-1, 9, 0, 5}) << true;
    QTest::newRow("one o'clock") << QTime(1, 0) << QList<int>({-1, 1, 0, 0}) << true;
    // below an hour the value is under 60 and takes the seconds layout: 0:35 shows as 35.0
    QTest::newRow("after midnight") << QTime(0, 35) << QList<int>({3, 5, 0, -1}) << false;
    QTest::newRow("midnight") << QTime(0, 0) << QList<int>({-1, 0, 0, -1}) << false;
}

void tst_BoardTick::timeOfDayIsShown()
{
    QFETCH(QTime, now);
    QFETCH(QList<int>, cells);
    QFETCH(bool, colon);

    m_clock->Set(QDateTime(QDate(2026, 12, 6), now));
    m_board->AllKeyPress(99);
    QVERIFY(QMetaObject::invokeMethod(m_board->tmrClock, "timeout"));
    QCOMPARE(clockCells(), cells);
    QCOMPARE(m_board->shpTime[0]->FillColor(), colon ? Settings.BorderColor : Settings.LEDBack);
    QCOMPARE(m_board->shpTime[1]->FillColor(), Settings.BorderColor);
}

void tst_BoardTick::switchingBackShowsTheGameClockThatKeptRunning()
{
    m_board->AllKeyPress(115);
    m_board->AllKeyPress(99);
    tick(20 * 65); // 65 s
    m_board->AllKeyPress(99);
    tick();
    QCOMPARE(clockCells(), QList<int>({-1, 8, 5, 5})); // 8:54.95 shows 8:55
}

void tst_BoardTick::buzzerKeyPlaysEvenWhilePlaying()
{
    m_board->AllKeyPress(98);
    m_board->AllKeyPress(98);
    QCOMPARE(m_plays->count(), 2);
}

void tst_BoardTick::noBuzzerFileMeansSilence()
{
    // GIVEN a buzzer file that is not there when the board loads
    m_plays.reset();
    m_board.reset();
    Settings.BuzzerFile = QStringLiteral("/nonexistent/horn.wav");
    m_board = std::make_unique<frmScoreboard>();
    m_board->tmrClock->stop();
    QSignalSpy plays(m_board->mmcBuzzer, &SoundPlayer::Started);

    // THEN the player stays closed with no file, and neither the key nor a run-out plays anything
    QCOMPARE(m_board->mmcBuzzer->FileName(), QString());
    m_board->AllKeyPress(98);
    SetCount(ClockValue(), 0, 0);
    tick();
    QCOMPARE(plays.count(), 0);
}

QTEST_MAIN(tst_BoardTick)
#include "tst_boardtick.moc"

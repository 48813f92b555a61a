#include "board/frmScoreboard.h"
#include "board/SoundPlayer.h"
#include "clock/modCount.h"
#include "settings/SettingsRecord.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The player on a machine with no audio server: the real buzzer, the real sound effect, and nothing
// to play it on. "Play" must return at once and the event loop must go on ticking, because the
// board's clock runs on that loop. These tests wait in real time, as the event loop is what they
// watch. The last one does the same with the whole board.
class tst_SoundPlayerNoServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void commandsReturnAndTheLoopKeepsTicking_data();
    void commandsReturnAndTheLoopKeepsTicking();
    void boardRunsOutAndGoesOnTickingInSilence();

    void cleanupTestCase();

private:
    QTemporaryDir m_runtime;
};

namespace {

const QString BuzzerPath = QStringLiteral(QUORVANE_BUZZER_WAV);
constexpr int TickMs = 50;
constexpr int WaitMs = 1000;
// Twenty ticks are due; half of them is proof enough that nothing held the loop up.
constexpr int FewestTicks = 10;

} // namespace

void tst_SoundPlayerNoServer::initTestCase()
{
    QVERIFY2(QFile::exists(BuzzerPath), qPrintable(BuzzerPath));
    // The client library falls back to a system-wide server; with one running there is no test.
    if (QFile::exists(QStringLiteral("/var/run/pulse/native")))
        QSKIP("a system-wide sound server is running on this machine");

    // Before the sound library first looks for a server: a private runtime folder where the client
    // library looks for the user's server, no server named by the environment or by an X display, and
    // no automatic start of a server by the client library.
    QVERIFY(m_runtime.isValid());
    QFile clientConfig(m_runtime.filePath(QStringLiteral("client.conf")));
    QVERIFY(clientConfig.open(QIODevice::WriteOnly) && clientConfig.write("autospawn = no\n") > 0);
    clientConfig.close();
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(clientConfig.fileName()));
    for (const char *name : {"PULSE_SERVER", "PULSE_RUNTIME_PATH", "DISPLAY"})
        qunsetenv(name);
}

void tst_SoundPlayerNoServer::commandsReturnAndTheLoopKeepsTicking_data()
{
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("stopped");

    QTest::newRow("Play") << QStringList() << true << false;
    QTest::newRow("Play while playing") << QStringList {QStringLiteral("Play")} << true << false;
    QTest::newRow("Stop, Prev") << QStringList {QStringLiteral("Stop"), QStringLiteral("Prev")} << true << true;
    QTest::newRow("Close, Play") << QStringList {QStringLiteral("Close"), QStringLiteral("Play")} << false << true;
}

void tst_SoundPlayerNoServer::commandsReturnAndTheLoopKeepsTicking()
{
    QFETCH(QStringList, after);
    QFETCH(bool, open);
    QFETCH(bool, stopped);

    // GIVEN the buzzer playing
    SoundPlayer player;
    QSignalSpy done(&player, &SoundPlayer::Done);
    player.SetFileName(BuzzerPath);
    player.Command(QStringLiteral("Open"));
    QVERIFY(player.IsOpen());
    player.Command(QStringLiteral("Play"));
    QCoreApplication::processEvents();

    // WHEN the row's commands follow
    for (const QString &command : std::as_const(after))
        player.Command(command);

    // THEN the loop goes on ticking; a stopped playback is no completion, and Done, if the effect
    // reports an end at all, comes once
    QTimer tick;
    QSignalSpy ticks(&tick, &QTimer::timeout);
    tick.start(TickMs);
    QTest::qWait(WaitMs);
    QVERIFY(ticks.count() >= FewestTicks);
    QCOMPARE(player.IsOpen(), open);
    QVERIFY(!stopped || !player.IsPlaying());
    QVERIFY(done.count() <= (stopped ? 0 : 1));
}

void tst_SoundPlayerNoServer::boardRunsOutAndGoesOnTickingInSilence()
{
    // GIVEN the real board with its buzzer, and its game clock running with 0.3 s left
    Settings = SettingsRecord();
    Settings.BuzzerFile = BuzzerPath;
    frmScoreboard board;
    board.show();
    QVERIFY(board.mmcBuzzer->IsOpen());
    QSignalSpy ticks(board.tmrClock, &QTimer::timeout);
    QSignalSpy plays(board.mmcBuzzer, &SoundPlayer::Started);
    SetCount(ClockValue::FromTenths(3), 0, 0);
    board.AllKeyPress(115);

    // WHEN a second passes: the clock runs out, and the buzzer key is pressed twice after it
    QTest::qWait(WaitMs / 2);
    board.AllKeyPress(98);
    board.AllKeyPress(98);
    QTest::qWait(WaitMs / 2);

    // THEN the clock ran out and the board asked for the buzzer three times, without ever stalling
    QCOMPARE(GetCount(0), ClockValue());
    QCOMPARE(plays.count(), 3);
    QVERIFY(ticks.count() >= FewestTicks);
    QCOMPARE(board.pledTime[1]->Caption(), 0);
}

void tst_SoundPlayerNoServer::cleanupTestCase()
{
    // No sound server was started behind the test's back: its socket would be here.
    QVERIFY(!QFile::exists(m_runtime.filePath(QStringLiteral("pulse/native"))));
}

QTEST_MAIN(tst_SoundPlayerNoServer)
#include "tst_soundplayer_noserver.moc"

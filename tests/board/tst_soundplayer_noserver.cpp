#include "board/frmScoreboard.h"
#include "board/SoundPlayer.h"
#include "clock/modCount.h"
#include "settings/SettingsRecord.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// The player on a machine with no audio server: the real buzzer, the real sound effect, and nothing
// to play it on. "Play" must return at once and the event loop must go on ticking, because the
// board's clock runs on that loop. These tests wait in real time, as the event loop is what they
// watch. The last one does the same with the whole board.
class tst_SoundPlayerNoServer : public QObject
{
    Q_OBJECT

public:
    explicit tst_SoundPlayerNoServer(QString runtimeDir)
        : m_runtimeDir(std::move(runtimeDir))
    {
    }

private slots:
    void initTestCase();

    void playReturnsAndTheLoopKeepsTicking();
    void playWhilePlayingKeepsTheLoopTicking();
    void stopRaisesNoDone();
    void closeWhilePlaying();
    void boardRunsOutAndGoesOnTickingInSilence();

    void cleanupTestCase();

private:
    // Counts 50 ms ticks, like the board's clock, over a second of waiting.
    int ticksOverOneSecond();

    QString m_runtimeDir;
};

namespace {

const QString BuzzerPath = QStringLiteral(QUORVANE_BUZZER_WAV);
constexpr int TickMs = 50;
constexpr int WaitMs = 1000;
// Twenty ticks are due; half of them is proof enough that nothing held the loop up.
constexpr int FewestTicks = 10;

std::unique_ptr<SoundPlayer> openBuzzer()
{
    auto player = std::make_unique<SoundPlayer>();
    player->SetFileName(BuzzerPath);
    player->Command(QStringLiteral("Open"));
    return player;
}

} // namespace

int tst_SoundPlayerNoServer::ticksOverOneSecond()
{
    int ticks = 0;
    QTimer tick;
    tick.setInterval(TickMs);
    connect(&tick, &QTimer::timeout, this, [&ticks] { ++ticks; });
    tick.start();
    QTest::qWait(WaitMs);
    return ticks;
}

void tst_SoundPlayerNoServer::initTestCase()
{
    QVERIFY2(QFile::exists(BuzzerPath), qPrintable(BuzzerPath));
    QVERIFY2(QDir(m_runtimeDir).isEmpty(), "the private runtime folder must start empty");
    // The client library falls back to a system-wide server; with one running there is no test.
    if (QFile::exists(QStringLiteral("/var/run/pulse/native")))
        QSKIP("a system-wide sound server is running on this machine");
}

void tst_SoundPlayerNoServer::playReturnsAndTheLoopKeepsTicking()
{
    // GIVEN the buzzer open
    const auto player = openBuzzer();
    QVERIFY(player->IsOpen());
    QSignalSpy done(player.get(), &SoundPlayer::Done);

    // WHEN it is played
    player->Command(QStringLiteral("Play"));

    // THEN the loop goes on ticking, and Done, if the effect reports an end at all, comes once
    QVERIFY(ticksOverOneSecond() >= FewestTicks);
    QVERIFY(done.count() <= 1);
}

void tst_SoundPlayerNoServer::playWhilePlayingKeepsTheLoopTicking()
{
    const auto player = openBuzzer();
    QVERIFY(player->IsOpen());

    player->Command(QStringLiteral("Play"));
    QTest::qWait(TickMs);
    player->Command(QStringLiteral("Play"));

    QVERIFY(ticksOverOneSecond() >= FewestTicks);
}

void tst_SoundPlayerNoServer::stopRaisesNoDone()
{
    // GIVEN the buzzer playing
    const auto player = openBuzzer();
    QSignalSpy done(player.get(), &SoundPlayer::Done);
    player->Command(QStringLiteral("Play"));

    // WHEN it is stopped
    player->Command(QStringLiteral("Stop"));
    player->Command(QStringLiteral("Prev"));

    // THEN it is not playing, and the effect's late report of the stop is no completion notice
    QVERIFY(!player->IsPlaying());
    QVERIFY(ticksOverOneSecond() >= FewestTicks);
    QCOMPARE(done.count(), 0);
    QVERIFY(player->IsOpen());
}

void tst_SoundPlayerNoServer::closeWhilePlaying()
{
    const auto player = openBuzzer();
    QSignalSpy done(player.get(), &SoundPlayer::Done);
    player->Command(QStringLiteral("Play"));

    player->Command(QStringLiteral("Close"));

    QVERIFY(!player->IsOpen());
    QVERIFY(!player->IsPlaying());
    QVERIFY(ticksOverOneSecond() >= FewestTicks);
    QCOMPARE(done.count(), 0);
    // A closed player plays nothing.
    player->Command(QStringLiteral("Play"));
    QVERIFY(!player->IsPlaying());
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
    QVERIFY(!QFile::exists(m_runtimeDir + QStringLiteral("/pulse/native")));
}

int main(int argc, char **argv)
{
    // Before Qt Multimedia first looks for a server: a private, empty runtime folder where the client
    // library looks for the user's server, no server named by the environment or by an X display,
    // and no automatic start of a server by the client library.
    QTemporaryDir runtime;
    if (!runtime.isValid())
        return 1;
    QFile clientConfig(runtime.path() + QStringLiteral("-client.conf"));
    if (!clientConfig.open(QIODevice::WriteOnly) || clientConfig.write("autospawn = no\n") < 0)
        return 1;
    clientConfig.close();
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qunsetenv("PULSE_SERVER");
    qunsetenv("DISPLAY");
    qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(clientConfig.fileName()));
    qunsetenv("PULSE_RUNTIME_PATH");

    QApplication app(argc, argv);
    tst_SoundPlayerNoServer test(runtime.path());
    const int failures = QTest::qExec(&test, argc, argv);
    clientConfig.remove();
    return failures;
}

#include "tst_soundplayer_noserver.moc"

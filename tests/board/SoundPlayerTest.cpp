#include "board/frmScoreboard.h"
#include "board/SoundPlayer.h"
#include "clock/modCount.h"
#include "settings/SettingsRecord.h"
#include "support/TestRegistry.h"

#include <QAudioDevice>
#include <QBuffer>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

// The buzzer's player. CTest runs this with no sound server, where every Play must be silent and
// harmless; the end-to-end test runs it again beside a private one, where every playback is played
// to its end. Checks that need the other setting skip.
class SoundPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void headers_data();
    void headers();
    void open_data();
    void open();
    void doneOncePerFinishedPlayback_data();
    void doneOncePerFinishedPlayback();
    void boardTicksOnInSilence();

private:
    QString writeFile(const QByteArray &bytes);
    QTemporaryDir m_dir;
    int m_files = 0;
};
QUORVANE_TEST(SoundPlayerTest)

namespace {

const QString BuzzerPath = QStringLiteral(QUORVANE_BUZZER_WAV);

bool heard() { return !QMediaDevices::audioOutputs().isEmpty(); }

template <typename T>
QByteArray le(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A chunk with its pad byte after an odd-sized body.
QByteArray chunk(const QByteArray &id, const QByteArray &body)
{
    return id + le(quint32(body.size())) + body + QByteArray(body.size() % 2, '\0');
}

QByteArray fmt(quint16 format, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 blockAlign = quint16(channels * bits / 8);
    return chunk("fmt ", le(format) + le(channels) + le(rate) + le(rate * blockAlign) + le(blockAlign) + le(bits));
}

QByteArray riff(const QByteArray &chunks) { return "RIFF" + le(quint32(4 + chunks.size())) + "WAVE" + chunks; }
QByteArray dataChunk(int bytes) { return chunk("data", QByteArray(bytes, '\x40')); }

const QByteArray Pcm16Mono = fmt(1, 1, 44100, 16);
const QByteArray GoodWav = riff(Pcm16Mono + dataChunk(400));
// A quarter of a second: long enough to be restarted or stopped before its end.
const QByteArray QuarterSecond = riff(Pcm16Mono + dataChunk(22050));

} // namespace

QString SoundPlayerTest::writeFile(const QByteArray &bytes)
{
    QFile file(m_dir.filePath(u"%1.wav"_s.arg(++m_files)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
}

void SoundPlayerTest::headers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("playable");

    QTest::newRow("16-bit mono") << GoodWav << true;
    QTest::newRow("32-bit stereo") << riff(fmt(1, 2, 48000, 32) + dataChunk(800)) << true;
    QTest::newRow("8-bit data of odd size, padded") << riff(fmt(1, 1, 8000, 8) + dataChunk(401)) << true;
    QTest::newRow("fmt with an extension size field")
        << riff(chunk("fmt ", Pcm16Mono.sliced(8) + le(quint16(0))) + dataChunk(400)) << true;
    QTest::newRow("data before fmt skipped") << riff(dataChunk(10) + Pcm16Mono + dataChunk(400)) << true;
    QTest::newRow("odd-sized chunk with its pad byte") << riff(Pcm16Mono + chunk("junk", "abc") + dataChunk(400)) << true;
    QTest::newRow("boundary: one frame") << riff(Pcm16Mono + dataChunk(2)) << true;

    QTest::newRow("not riff") << QByteArray("This is not a sound, just some words in a file.\n") << false;
    QTest::newRow("big-endian rifx") << QByteArray("RIFX" + GoodWav.sliced(4)) << false;
    QTest::newRow("riff of another kind") << QByteArray(GoodWav.first(8) + "AVI " + GoodWav.sliced(12)) << false;
    QTest::newRow("float, not pcm") << riff(fmt(3, 1, 44100, 32) + dataChunk(400)) << false;
    QTest::newRow("24 bits") << riff(fmt(1, 1, 44100, 24) + dataChunk(402)) << false;
    QTest::newRow("no channels") << riff(fmt(1, 0, 44100, 16) + dataChunk(400)) << false;
    QTest::newRow("sample rate zero") << riff(fmt(1, 1, 0, 16) + dataChunk(400)) << false;
    QTest::newRow("no fmt chunk") << riff(dataChunk(400)) << false;
    QTest::newRow("fmt cut short") << riff(chunk("fmt ", Pcm16Mono.sliced(8, 14)) + dataChunk(400)) << false;
    QTest::newRow("no data chunk") << riff(Pcm16Mono + chunk("LIST", "INFO")) << false;
    QTest::newRow("odd-sized chunk without its pad byte")
        << riff(Pcm16Mono + "junk" + le(quint32(3)) + "abc" + dataChunk(400)) << false;
    QTest::newRow("torn last frame") << riff(fmt(1, 2, 44100, 16) + dataChunk(402)) << false;
    QTest::newRow("truncated data") << GoodWav.first(GoodWav.size() - 1) << false;
    QTest::newRow("chunk size past the end")
        << riff("LIST" + le(0xFFFFFFF0u) + "INFO" + Pcm16Mono + dataChunk(400)) << false;
}

void SoundPlayerTest::headers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, playable);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(SoundPlayer::IsPlayableWav(buffer), playable);

    // What the check accepts the player loads, and beside a sound server plays to its end.
    SoundPlayer player;
    QSignalSpy done(&player, &SoundPlayer::Done);
    player.SetFileName(writeFile(bytes));
    player.Open();
    QCOMPARE(player.IsOpen(), playable);
    player.Play();
    if (heard() && playable)
        QTRY_COMPARE(done.count(), 1);
}

void SoundPlayerTest::open_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("opens");

    QTest::newRow("buzzer") << BuzzerPath << true;
    QTest::newRow("missing file") << m_dir.filePath(u"nowhere.wav"_s) << false;
    QTest::newRow("empty name") << QString() << false;
    // Opening a pipe for reading waits for a writer; the player must not even try.
    const QString pipe = m_dir.filePath(u"pipe.wav"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QTest::newRow("named pipe") << pipe << false;
    QFile huge(writeFile(riff(Pcm16Mono + "data" + le(quint32(SoundPlayer::MaxFileBytes)))));
    QVERIFY(huge.resize(SoundPlayer::MaxFileBytes + 52));
    QTest::newRow("too large to load") << huge.fileName() << false;
}

void SoundPlayerTest::open()
{
    QFETCH(QString, fileName);
    QFETCH(bool, opens);

    // GIVEN a player that played the buzzer: Play before any Open is silent
    SoundPlayer player;
    QSignalSpy started(&player, &SoundPlayer::Started);
    player.SetFileName(BuzzerPath);
    player.Play();
    QCOMPARE(started.count(), 0);
    player.Open();
    player.Play();

    // WHEN another file is opened without a Close in between, and played
    player.SetFileName(fileName);
    player.Open();
    player.Play();

    // THEN only a playable file plays: a refused one does not leave the old sound to Play
    QCOMPARE(player.IsOpen(), opens);
    QCOMPARE(started.count(), opens ? 2 : 1);
    QCOMPARE(player.IsPlaying(), opens && heard());
}

void SoundPlayerTest::doneOncePerFinishedPlayback_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("dones");

    QTest::newRow("restarted: only the second ends") << QStringList{u"Play"_s, u"Play, wait"_s} << 1;
    QTest::newRow("stopped") << QStringList{u"Play"_s, u"Stop"_s} << 0;
    QTest::newRow("closed and opened again") << QStringList{u"Play"_s, u"Close"_s, u"Open"_s} << 0;
    QTest::newRow("played six times, one after the other") << QStringList(6, u"Play, wait"_s) << 6;
}

void SoundPlayerTest::doneOncePerFinishedPlayback()
{
    QFETCH(QStringList, steps);
    QFETCH(int, dones);
    if (!heard())
        QSKIP("no sound server: playbacks have no end to report");

    // GIVEN a quarter of a second of sound
    SoundPlayer player;
    QSignalSpy done(&player, &SoundPlayer::Done);
    player.SetFileName(writeFile(QuarterSecond));
    player.Open();

    // WHEN the row's steps are taken, and then one more playback runs to its end
    for (const QString &step : std::as_const(steps) + QStringList{u"Play, wait"_s}) {
        const int before = done.count();
        if (step.startsWith(u"Play"))
            player.Play();
        else if (step == u"Stop")
            player.Stop();
        else if (step == u"Close")
            player.Close();
        else
            player.Open();
        // A notice for an earlier, cut-short playback would come before this one's.
        if (step.endsWith(u"wait"))
            QTRY_VERIFY_WITH_TIMEOUT(done.count() > before && !player.IsPlaying(), 10000);
    }

    // THEN each playback that ran to its end was reported once, the last one included
    QCOMPARE(done.count(), dones + 1);
}

void SoundPlayerTest::boardTicksOnInSilence()
{
    // GIVEN the real board with its buzzer, and its game clock running with 0.3 s left
    Settings = SettingsRecord();
    Settings.BuzzerFile = BuzzerPath;
    frmScoreboard board;
    board.show();
    QSignalSpy ticks(board.tmrClock, &QTimer::timeout);
    QSignalSpy plays(board.mmcBuzzer, &SoundPlayer::Started);
    SetCount(ClockValue::FromTenths(3), 0, 0);
    board.AllKeyPress(115);

    // WHEN a second passes: the clock runs out, and the buzzer key is pressed twice after it
    QTest::qWait(500);
    board.AllKeyPress(98);
    board.AllKeyPress(98);
    QTest::qWait(500);

    // THEN the board asked for the buzzer three times and half the twenty ticks due came at least
    QCOMPARE(GetCount(0), ClockValue());
    QCOMPARE(plays.count(), 3);
    QVERIFY(ticks.count() >= 10);
}

#include "SoundPlayerTest.moc"

#include "board/frmScoreboard.h"
#include "board/SoundPlayer.h"
#include "clock/modCount.h"
#include "settings/SettingsRecord.h"
#include "support/TestRegistry.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString BuzzerPath = QStringLiteral(QUORVANE_BUZZER_WAV);

bool heard() { return !QMediaDevices::audioOutputs().isEmpty(); }

// The value's low bytes, least significant first.
QByteArray le(quint32 value, int bytes = 4)
{
    const quint32 little = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&little), bytes);
}

// A chunk with its pad byte after an odd-sized body.
QByteArray chunk(const QByteArray &id, const QByteArray &body)
{
    return id + le(quint32(body.size())) + body + QByteArray(body.size() % 2, '\0');
}

QByteArray fmt(quint16 format, quint16 channels, quint32 rate, quint16 bits)
{
    const quint32 align = channels * bits / 8;
    return chunk("fmt ", le(format, 2) + le(channels, 2) + le(rate) + le(rate * align) + le(align, 2) + le(bits, 2));
}

QByteArray riff(const QByteArray &chunks) { return "RIFF" + le(quint32(4 + chunks.size())) + "WAVE" + chunks; }
QByteArray dataChunk(int bytes) { return chunk("data", QByteArray(bytes, '\x40')); }

const QByteArray Pcm16Mono = fmt(1, 1, 44100, 16);
const QByteArray GoodWav = riff(Pcm16Mono + dataChunk(400));

} // namespace

// The buzzer's player. CTest runs this with no sound server, where every Play must be silent and
// harmless; the end-to-end test runs it again beside a private one, where every playback is played
// to its end.
class SoundPlayerTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }

private slots:
    void headers_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: a named pipe, which the player must not even open
        QTest::addColumn<bool>("playable");
        QTest::newRow("16-bit mono") << GoodWav << true;
        QTest::newRow("8-bit data of odd size, padded") << riff(fmt(1, 1, 8000, 8) + dataChunk(401)) << true;
        QTest::newRow("odd chunk with its pad byte") << riff(Pcm16Mono + chunk("junk", "abc") + dataChunk(400)) << true;
        QTest::newRow("not RIFF but big-endian RIFX") << QByteArray("RIFX" + GoodWav.sliced(4)) << false;
        QTest::newRow("float, not pcm") << riff(fmt(3, 1, 44100, 32) + dataChunk(400)) << false;
        QTest::newRow("24 bits") << riff(fmt(1, 1, 44100, 24) + dataChunk(408)) << false; // whole frames of 3 or 4
        QTest::newRow("no fmt chunk") << riff(dataChunk(400)) << false;
        QTest::newRow("no data chunk") << riff(Pcm16Mono + chunk("LIST", "INFO")) << false;
        QTest::newRow("odd chunk, pad missing") << riff(Pcm16Mono + "junk" + le(3) + "abc" + dataChunk(400)) << false;
        QTest::newRow("torn last frame") << riff(fmt(1, 2, 44100, 16) + dataChunk(402)) << false;
        QTest::newRow("truncated data") << GoodWav.first(GoodWav.size() - 1) << false;
        QTest::newRow("chunk size past the end") << riff("LIST" + le(0xFFFFFFF0u) + GoodWav.sliced(12)) << false;
        QTest::newRow("named pipe") << QByteArray() << false;
    }

    void headers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, playable);
        QBuffer buffer(&bytes);
        QCOMPARE(buffer.open(QIODevice::ReadOnly) && SoundPlayer::IsPlayableWav(buffer), playable);
        const QString pipe = m_dir.filePath(u"pipe.wav"_s);
        QVERIFY(!bytes.isNull() || ::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);

        // GIVEN a player playing the buzzer, and played once before its Open
        SoundPlayer player;
        QSignalSpy started(&player, &SoundPlayer::Started);
        QSignalSpy done(&player, &SoundPlayer::Done);
        player.SetFileName(BuzzerPath);
        player.Play();
        player.Open();
        player.Play();

        // WHEN the row's file is opened in its place without a Close, played and restarted to run to its end, then
        // played and stopped (a Stop that let it run on would show here, as a second end)
        player.SetFileName(bytes.isNull() ? pipe : writeFile(bytes));
        player.Open();
        player.Play();
        player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(!player.IsPlaying(), 10000);
        player.Play();
        player.Stop();
        QTRY_VERIFY_WITH_TIMEOUT(!player.IsPlaying(), 10000);

        // THEN what the check accepts plays, and beside a sound server only the playback that ran on reports its
        // end; neither the Play before Open nor a refused file plays the old sound
        QCOMPARE(player.IsOpen(), playable);
        QCOMPARE(started.count(), playable ? 4 : 1);
        QCOMPARE(done.count(), int(playable && heard()));
    }

    void boardTicksOnInSilence()
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

        // WHEN a second passes: the clock runs out, and the buzzer key is pressed after it
        QTest::qWait(500);
        board.AllKeyPress(98);
        QTest::qWait(500);

        // THEN the board asked for the buzzer twice (once as the clock ran out), and the ticks kept coming: one at
        // each of the three tenths that ran, one after the key
        QCOMPARE(plays.count(), 2);
        QVERIFY(ticks.count() >= 4);
    }
};
QUORVANE_TEST(SoundPlayerTest)

#include "SoundPlayerTest.moc"

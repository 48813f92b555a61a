#include "SettingsStore.h"
#include "SoundPlayer.h"
#include "WavSound.h"

#include <QBuffer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <bit>
#include <cmath>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Whether a sound server answers here: CTest runs these tests without one, and again beside one.
bool heard()
{
    QProcess pactl;
    pactl.start(u"pactl"_s, {u"info"_s});
    return pactl.waitForFinished() && pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
}

// The value's low bytes, least significant first.
QByteArray le(quint64 value, int bytes = 4)
{
    const quint64 little = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&little), bytes);
}

// A chunk with its pad byte after an odd-sized body.
QByteArray chunk(const QByteArray &id, const QByteArray &body)
{
    return id + le(quint32(body.size())) + body + QByteArray(body.size() % 2, '\0');
}

QByteArray fmt(quint16 format, quint16 channels, quint32 rate, quint16 bits, quint16 align = 0)
{
    align = align ? align : channels * bits / 8;
    return le(format, 2) + le(channels, 2) + le(rate) + le(rate * align) + le(align, 2) + le(bits, 2);
}

// The extensible header: the plain fields, 22 bytes of extension, and the GUID naming the sample format.
QByteArray extensible(quint16 format, quint16 channels, quint16 bits, const QByteArray &guidTail =
                      QByteArray::fromHex("000000001000800000aa00389b71"))
{
    return fmt(0xFFFE, channels, 48000, bits) + le(22, 2) + le(bits, 2) + le(0, 4) + le(format, 2) + guidTail;
}

QByteArray riff(const QByteArray &chunks) { return "RIFF" + le(quint32(4 + chunks.size())) + "WAVE" + chunks; }

// A sound whose first sample is `first`, the rest silence, `frames` frames of `frameBytes` in all.
QByteArray wav(const QByteArray &format, const QByteArray &first, int frames, int frameBytes)
{
    return riff(chunk("fmt ", format) + chunk("data", first.leftJustified(frames * frameBytes, '\0')));
}

const QByteArray Pcm16Mono = fmt(1, 1, 44100, 16);
const QByteArray GoodWav = wav(Pcm16Mono, le(0x1234, 2), 200, 2);

} // namespace

// The buzzer's sound and its player. CTest runs this with no sound server, where every Play must be silent
// and harmless; the end-to-end test runs it again beside a private one, where every playback is played to
// its end.
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
    // The files a user may pick, as the sound server is handed them (16 bits a sample, the frames kept), and each
    // then played by the player in place of the buzzer: what the reader refuses never plays, and neither does the
    // old sound. A null file is a named pipe, which the player must not even open.
    void formats_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("channels"); // 0: refused
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("first"); // the first sample as played
        const QByteArray nan = le(std::bit_cast<quint64>(std::nan("")), 8);
        const auto row = [](const char *tag, const QByteArray &bytes, int channels = 0, int frames = 0, int first = 0) {
            QTest::newRow(tag) << bytes << channels << frames << first;
        };
        row("16-bit mono", GoodWav, 1, 200, 0x1234);
        row("8-bit, odd size, padded", wav(fmt(1, 1, 8000, 8), "\xC0", 401, 1), 1, 401, 0x4000);
        row("24-bit", wav(fmt(1, 1, 44100, 24), le(0x123456, 3), 100, 3), 1, 100, 0x1234);
        row("32-bit", wav(fmt(1, 2, 96000, 32), le(0x12345678), 100, 8), 2, 100, 0x1234);
        row("float", wav(fmt(3, 1, 44100, 32), le(std::bit_cast<quint32>(0.5f)), 100, 4), 1, 100, 16384);
        row("double beyond full scale", wav(fmt(3, 1, 44100, 64), le(std::bit_cast<quint64>(-2.0), 8), 10, 8), 1, 10, -32767);
        row("double not a number", wav(fmt(3, 1, 44100, 64), nan, 10, 8), 1, 10, 0);
        row("extensible 16-bit stereo", wav(extensible(1, 2, 16), le(0x1234, 2), 50, 4), 2, 50, 0x1234);
        row("extensible float, 8 channels", wav(extensible(3, 8, 32), le(std::bit_cast<quint32>(-1.0f)), 50, 32), 8, 50, -32767);
        row("odd chunk with its pad byte", riff(chunk("fmt ", Pcm16Mono) + chunk("junk", "abc") + GoodWav.sliced(36)), 1, 200, 0x1234);
        row("truncated: the whole frames it holds", GoodWav.first(GoodWav.size() - 99), 1, 150, 0x1234);
        row("torn last frame", wav(fmt(1, 2, 44100, 16), le(0x1234, 2), 1, 402), 2, 100, 0x1234);
        row("a long file's first minute", wav(fmt(1, 1, 1000, 8), "\xC0", 61'000, 1), 1, 60'000, 0x4000);
        row("big-endian RIFX", "RIFX" + GoodWav.sliced(4));
        row("12 bits", wav(fmt(1, 1, 44100, 12, 2), {}, 100, 2));
        row("40 bits", wav(fmt(1, 1, 44100, 40), {}, 100, 5));
        row("block align off", wav(fmt(1, 2, 44100, 16, 2), {}, 100, 2));
        row("9 channels", wav(fmt(1, 9, 44100, 16), {}, 100, 18));
        row("rate beyond the server's", wav(fmt(1, 1, 384'001, 16), {}, 100, 2));
        row("compressed", wav(fmt(2, 1, 44100, 16), {}, 100, 2));
        row("extensible of another kind", wav(extensible(1, 1, 16, QByteArray(14, '\1')), {}, 100, 2));
        row("no fmt chunk", riff(chunk("data", QByteArray(400, '\0'))));
        row("no data chunk", riff(chunk("fmt ", Pcm16Mono) + chunk("LIST", "INFO")));
        row("no frames", wav(Pcm16Mono, {}, 0, 2));
        row("odd chunk, pad missing", riff(chunk("fmt ", Pcm16Mono) + "junk" + le(3) + "abc" + GoodWav.sliced(36)));
        row("named pipe", QByteArray());
        row("chunk size past the end", riff("LIST" + le(0xFFFFFFF0u) + GoodWav.sliced(12)));
    }
    void formats()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, channels);
        QFETCH(int, frames);
        QFETCH(int, first);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const std::optional<WavSound> sound = WavSound::Read(buffer);
        QCOMPARE(sound ? sound->Channels() : 0, channels);
        if (sound) {
            QCOMPARE(sound->Frames(), frames);
            QCOMPARE(qFromUnaligned<qint16>(sound->Samples().constData()), qint16(first));
            // Of a file over a minute long, the rest is never read; its minute is played by the end-to-end test.
            QVERIFY(frames < sound->Rate() * WavSound::MaxSeconds || buffer.pos() < bytes.size());
            if (frames > sound->Rate())
                return;
        }
        const QString pipe = m_dir.filePath(u"pipe.wav"_s);
        QVERIFY(!bytes.isNull() || ::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        // The buzzer, played once before its Open and once after; then the row's file opened in its place without a
        // Close, played and restarted to run to its end, then played and stopped (a Stop that let it run on would
        // show beside a sound server as a second end).
        SoundPlayer player;
        QSignalSpy started(&player, &SoundPlayer::started);
        QSignalSpy done(&player, &SoundPlayer::Done);
        player.SetFileName(DefaultBuzzerFile());
        player.Play();
        player.Open();
        player.Play();
        player.SetFileName(bytes.isNull() ? pipe : writeFile(bytes));
        player.Open();
        player.Play();
        player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(!player.IsPlaying(), 10000);
        player.Play();
        player.Stop();
        QCOMPARE(player.IsOpen(), channels > 0);
        QCOMPARE(started.count(), channels > 0 ? 4 : 1);
        QCOMPARE(done.count(), int(channels > 0 && heard()));
    }
};
QTEST_MAIN(SoundPlayerTest)

#include "SoundPlayerTest.moc"

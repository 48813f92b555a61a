#include "board/SoundPlayer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QtEndian>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

// What "Open" accepts and refuses, and the commands as words. Nothing here plays a sound: playback
// against a real and an absent audio server is covered by audio_e2e.sh and tst_soundplayer_noserver.
class tst_SoundPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void headers_data();
    void headers();
    void open_data();
    void open();
    void commands_data();
    void commands();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_dir;
};

namespace {

const QString BuzzerPath = QStringLiteral(QUORVANE_BUZZER_WAV);

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

QByteArray dataChunk(int bytes)
{
    return chunk("data", QByteArray(bytes, '\x55'));
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

const QByteArray Pcm16Mono = fmt(1, 1, 44100, 16);
const QByteArray GoodWav = riff(Pcm16Mono + dataChunk(400));

} // namespace

void tst_SoundPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(BuzzerPath), qPrintable(BuzzerPath));
    QCOMPARE(::mkfifo(QFile::encodeName(m_dir.filePath(u"pipe.wav"_s)).constData(), 0600), 0);
}

QString tst_SoundPlayer::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

void tst_SoundPlayer::headers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("playable");

    // accepted
    QTest::newRow("16-bit mono") << GoodWav << true;
    QTest::newRow("32-bit stereo") << riff(fmt(1, 2, 48000, 32) + dataChunk(800)) << true;
    QTest::newRow("8-bit data of odd size, padded") << riff(fmt(1, 1, 8000, 8) + dataChunk(401)) << true;
    QTest::newRow("fmt with an extension size field")
        << riff(chunk("fmt ", Pcm16Mono.sliced(8) + le(quint16(0))) + dataChunk(400)) << true;
    QTest::newRow("data before fmt skipped, data after fmt used")
        << riff(dataChunk(10) + Pcm16Mono + dataChunk(400)) << true;
    QTest::newRow("boundary: data of exactly one frame") << riff(Pcm16Mono + dataChunk(2)) << true;

    // not a WAV file
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("garbage text") << QByteArray("This is not a sound, just some words in a file.\n") << false;
    QTest::newRow("big-endian rifx") << QByteArray("RIFX" + GoodWav.sliced(4)) << false;
    QTest::newRow("riff of another kind") << QByteArray(GoodWav.first(8) + "AVI " + GoodWav.sliced(12)) << false;

    // a format the effect cannot play
    QTest::newRow("ieee float, not pcm") << riff(fmt(3, 1, 44100, 32) + dataChunk(400)) << false;
    QTest::newRow("24 bits") << riff(fmt(1, 1, 44100, 24) + dataChunk(402)) << false;
    QTest::newRow("no channels") << riff(fmt(1, 0, 44100, 16) + dataChunk(400)) << false;
    QTest::newRow("sample rate zero") << riff(fmt(1, 1, 0, 16) + dataChunk(400)) << false;

    // damaged or incomplete
    QTest::newRow("no fmt chunk") << riff(dataChunk(400)) << false;
    QTest::newRow("fmt shorter than its fields")
        << riff(chunk("fmt ", Pcm16Mono.sliced(8, 14)) + dataChunk(400)) << false;
    QTest::newRow("cut inside fmt") << riff(Pcm16Mono).first(30) << false;
    QTest::newRow("no data chunk") << riff(Pcm16Mono + chunk("LIST", "INFO")) << false;
    QTest::newRow("odd-sized chunk with its pad byte before the data")
        << riff(Pcm16Mono + chunk("junk", "abc") + dataChunk(400)) << false;
    QTest::newRow("odd-sized chunk without a pad byte before the data")
        << riff(Pcm16Mono + "junk" + le(quint32(3)) + "abc" + dataChunk(400)) << false;
    QTest::newRow("data not a whole number of samples") << riff(Pcm16Mono + dataChunk(401)) << false;
    QTest::newRow("boundary: data smaller than one frame") << riff(fmt(1, 2, 44100, 16) + dataChunk(2)) << false;
    QTest::newRow("truncated: data one byte short of its size") << GoodWav.first(GoodWav.size() - 1) << false;
    QTest::newRow("chunk size past the end of the file")
        << riff("LIST" + le(0xFFFFFFF0u) + "INFO" + Pcm16Mono + dataChunk(400)) << false;
}

void tst_SoundPlayer::headers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, playable);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));

    QCOMPARE(SoundPlayer::IsPlayableWav(buffer), playable);

    // What the check accepts the effect loads: it is not left "Loading" for ever.
    if (playable) {
        // a name of its own: the effect keeps what it loaded from a name
        const QString fileName = writeFile(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s, bytes);
        QSoundEffect effect;
        effect.setSource(QUrl::fromLocalFile(fileName));
        QTRY_COMPARE(effect.status(), QSoundEffect::Ready);
    }
}

void tst_SoundPlayer::open_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("opens");

    QTest::newRow("buzzer") << BuzzerPath << true;
    QTest::newRow("missing file") << m_dir.filePath(u"nowhere.wav"_s) << false;
    QTest::newRow("empty name") << QString() << false;
    QTest::newRow("garbage, refused by its header") << writeFile(u"garbage.wav"_s, QByteArray(5000, '\xA5')) << false;
    // Opening a pipe for reading waits for a writer; the player must not even try.
    QTest::newRow("named pipe") << m_dir.filePath(u"pipe.wav"_s) << false;
}

void tst_SoundPlayer::open()
{
    QFETCH(QString, fileName);
    QFETCH(bool, opens);

    // GIVEN the buzzer open
    SoundPlayer player;
    player.SetFileName(BuzzerPath);
    player.Command(u"Open"_s);
    QVERIFY(player.IsOpen());

    // WHEN another file is opened without a Close in between
    player.SetFileName(fileName);
    player.Command(u"Open"_s);

    // THEN only a playable file is open: a refused one does not leave the old sound to "Play"
    QCOMPARE(player.IsOpen(), opens);
    QCOMPARE(player.FileName(), fileName);
}

void tst_SoundPlayer::commands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("opens");

    QTest::newRow("Open") << u"Open"_s << true;
    QTest::newRow("lower case") << u"open"_s << false;
    QTest::newRow("trailing space") << u"Open "_s << false;
    QTest::newRow("unknown word") << u"Pause"_s << false;
    // before any "Open"
    for (const char *command : {"Play", "Stop", "Prev", "Close"})
        QTest::newRow(command) << QString::fromLatin1(command) << false;
}

void tst_SoundPlayer::commands()
{
    QFETCH(QString, command);
    QFETCH(bool, opens);
    SoundPlayer player;
    QSignalSpy done(&player, &SoundPlayer::Done);
    player.SetFileName(BuzzerPath);

    player.Command(command);
    QCoreApplication::processEvents();

    QCOMPARE(player.IsOpen(), opens);
    QVERIFY(!player.IsPlaying());
    QCOMPARE(done.count(), 0);
}

QTEST_GUILESS_MAIN(tst_SoundPlayer)
#include "tst_soundplayer.moc"

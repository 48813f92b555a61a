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
#include <unistd.h>

// What "Open" accepts and refuses, and the commands as words. Nothing here plays a sound: playback
// against a real and an absent audio server is covered by audio_e2e.sh and tst_soundplayer_noserver.
class tst_SoundPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void acceptedHeaders_data();
    void acceptedHeaders();
    void refusedHeaders_data();
    void refusedHeaders();
    void deviceNotOpenIsRefused();

    void openRefusesUnplayableFiles_data();
    void openRefusesUnplayableFiles();
    void openRefusesNamedPipeWithoutBlocking();
    void openRefusesAnUnreadableFile();
    void openLoadsTheBuzzer();
    void closeUnloads();
    void openAfterABadFileReplacesTheGoodOne();

    void commandsAreComparedExactly_data();
    void commandsAreComparedExactly();
    void stopAndPrevOnAnUnopenedPlayerDoNothing();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_dir;
};

namespace {

const QString BuzzerPath = QStringLiteral(QUORVANE_BUZZER_WAV);

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray &id, const QByteArray &body)
{
    QByteArray bytes = id + le32(quint32(body.size())) + body;
    if (body.size() % 2 != 0)
        bytes += '\0';
    return bytes;
}

QByteArray fmtBody(quint16 format, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 blockAlign = quint16(channels * bits / 8);
    return le16(format) + le16(channels) + le32(rate) + le32(rate * blockAlign) + le16(blockAlign) + le16(bits);
}

QByteArray fmt(quint16 format, quint16 channels, quint32 rate, quint16 bits)
{
    return chunk("fmt ", fmtBody(format, channels, rate, bits));
}

QByteArray pcm16Mono()
{
    return fmt(1, 1, 44100, 16);
}

QByteArray samples(int bytes)
{
    QByteArray data(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        data[i] = char(i * 37);
    return data;
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray validWav()
{
    return riff(pcm16Mono() + chunk("data", samples(400)));
}

} // namespace

void tst_SoundPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(BuzzerPath), qPrintable(BuzzerPath));
}

QString tst_SoundPlayer::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

void tst_SoundPlayer::acceptedHeaders_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("16-bit mono") << validWav();
    QTest::newRow("8-bit stereo") << riff(fmt(1, 2, 22050, 8) + chunk("data", samples(200)));
    QTest::newRow("32-bit stereo") << riff(fmt(1, 2, 48000, 32) + chunk("data", samples(800)));
    QTest::newRow("fmt with an extension size field")
        << riff(chunk("fmt ", fmtBody(1, 1, 44100, 16) + le16(0)) + chunk("data", samples(400)));
    QTest::newRow("list chunk before fmt")
        << riff(chunk("LIST", "INFOISFT" + le32(4) + "horn") + pcm16Mono() + chunk("data", samples(400)));
    QTest::newRow("8-bit data of odd size") << riff(fmt(1, 1, 8000, 8) + chunk("data", samples(401)));
    QTest::newRow("data before fmt skipped, data after fmt used")
        << riff(chunk("data", samples(10)) + pcm16Mono() + chunk("data", samples(400)));
    QTest::newRow("chunks after data") << riff(pcm16Mono() + chunk("data", samples(400)) + chunk("LIST", "INFO"));
    QTest::newRow("boundary: data of exactly one frame") << riff(pcm16Mono() + chunk("data", samples(2)));
}

void tst_SoundPlayer::acceptedHeaders()
{
    QFETCH(QByteArray, bytes);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));

    QVERIFY(SoundPlayer::IsPlayableWav(buffer));

    // The check promises what the effect does: this sound loads, it is not left "Loading".
    const QString fileName = writeFile(QString::number(qHash(bytes)) + QStringLiteral(".wav"), bytes);
    QSoundEffect effect;
    effect.setSource(QUrl::fromLocalFile(fileName));
    QTRY_COMPARE(effect.status(), QSoundEffect::Ready);
}

void tst_SoundPlayer::refusedHeaders_data()
{
    QTest::addColumn<QByteArray>("bytes");

    // Not a WAV file at all.
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("shorter than the riff header") << QByteArray("RIFF\x10\0\0\0WAV", 11);
    QTest::newRow("text") << QByteArray("This is not a sound, just some words in a file.\n");
    QTest::newRow("big-endian rifx") << QByteArray("RIFX" + validWav().sliced(4));
    QTest::newRow("riff of another kind") << QByteArray(validWav().first(8) + "AVI " + validWav().sliced(12));

    // A WAV file whose format the effect cannot play.
    QTest::newRow("ieee float") << riff(fmt(3, 1, 44100, 32) + chunk("data", samples(400)));
    QTest::newRow("extensible") << riff(fmt(0xFFFE, 2, 44100, 16) + chunk("data", samples(400)));
    QTest::newRow("adpcm") << riff(fmt(2, 1, 44100, 4) + chunk("data", samples(400)));
    QTest::newRow("format tag zero") << riff(fmt(0, 1, 44100, 16) + chunk("data", samples(400)));
    QTest::newRow("24 bits") << riff(fmt(1, 1, 44100, 24) + chunk("data", samples(402)));
    QTest::newRow("12 bits") << riff(fmt(1, 1, 44100, 12) + chunk("data", samples(400)));
    QTest::newRow("no channels") << riff(fmt(1, 0, 44100, 16) + chunk("data", samples(400)));
    QTest::newRow("sample rate zero") << riff(fmt(1, 1, 0, 16) + chunk("data", samples(400)));

    // A damaged or incomplete file.
    QTest::newRow("no fmt chunk") << riff(chunk("data", samples(400)));
    QTest::newRow("fmt shorter than its fields") << riff(chunk("fmt ", fmtBody(1, 1, 44100, 16).first(14)) + chunk("data", samples(400)));
    QTest::newRow("fmt of odd size") << riff(chunk("fmt ", fmtBody(1, 1, 44100, 16) + 'x') + chunk("data", samples(400)));
    QTest::newRow("cut inside fmt") << riff(pcm16Mono()).first(30);
    QTest::newRow("no data chunk") << riff(pcm16Mono() + chunk("LIST", "INFO"));
    QTest::newRow("data only before fmt") << riff(chunk("data", samples(400)) + pcm16Mono());
    QTest::newRow("empty data chunk") << riff(pcm16Mono() + chunk("data", QByteArray()));
    QTest::newRow("odd-sized chunk with its pad byte before the data")
        << riff(pcm16Mono() + chunk("junk", "abc") + chunk("data", samples(400)));
    QTest::newRow("data not a whole number of samples") << riff(pcm16Mono() + chunk("data", samples(401)));
    QTest::newRow("boundary: data smaller than one frame") << riff(fmt(1, 2, 44100, 16) + chunk("data", samples(2)));
    QTest::newRow("cut inside the data header") << riff(pcm16Mono() + "data" + le32(400).first(2));
    QTest::newRow("boundary: data one byte short of its size") << riff(pcm16Mono() + "data" + le32(400) + samples(399));
    QTest::newRow("chunk size past the end of the file")
        << riff("LIST" + le32(0xFFFFFFF0) + "INFO" + pcm16Mono() + chunk("data", samples(400)));
}

void tst_SoundPlayer::refusedHeaders()
{
    QFETCH(QByteArray, bytes);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));

    QVERIFY(!SoundPlayer::IsPlayableWav(buffer));
}

void tst_SoundPlayer::deviceNotOpenIsRefused()
{
    QByteArray bytes = validWav();
    QBuffer buffer(&bytes);

    QVERIFY(!SoundPlayer::IsPlayableWav(buffer));
}

void tst_SoundPlayer::openRefusesUnplayableFiles_data()
{
    QTest::addColumn<QString>("fileName");

    const QByteArray wav = validWav();
    QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("nowhere.wav"));
    QTest::newRow("empty name") << QString();
    QTest::newRow("folder") << m_dir.path();
    QTest::newRow("empty file") << writeFile(QStringLiteral("empty.wav"), QByteArray());
    QTest::newRow("garbage") << writeFile(QStringLiteral("garbage.wav"), QByteArray(5000, '\xA5'));
    QTest::newRow("truncated wav") << writeFile(QStringLiteral("truncated.wav"), wav.first(wav.size() - 100));
    QTest::newRow("header only") << writeFile(QStringLiteral("header.wav"), wav.first(44));
    QTest::newRow("non-pcm header")
        << writeFile(QStringLiteral("float.wav"), riff(fmt(3, 1, 44100, 32) + chunk("data", samples(400))));
}

void tst_SoundPlayer::openRefusesUnplayableFiles()
{
    QFETCH(QString, fileName);
    SoundPlayer player;
    QSignalSpy done(&player, &SoundPlayer::Done);

    // WHEN the file is opened and played
    player.SetFileName(fileName);
    player.Command(QStringLiteral("Open"));
    player.Command(QStringLiteral("Play"));
    QCoreApplication::processEvents();

    // THEN nothing is open, nothing plays, and the name is kept as given
    QVERIFY(!player.IsOpen());
    QVERIFY(!player.IsPlaying());
    QCOMPARE(done.count(), 0);
    QCOMPARE(player.FileName(), fileName);
}

void tst_SoundPlayer::openRefusesNamedPipeWithoutBlocking()
{
    // Opening a pipe for reading waits for a writer; the player must not even try.
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.wav"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    SoundPlayer player;

    player.SetFileName(pipe);
    player.Command(QStringLiteral("Open"));
    player.Command(QStringLiteral("Play"));

    QVERIFY(!player.IsOpen());
    QVERIFY(!player.IsPlaying());
}

void tst_SoundPlayer::openRefusesAnUnreadableFile()
{
    if (::geteuid() == 0)
        QSKIP("root reads any file");
    const QString fileName = writeFile(QStringLiteral("locked.wav"), validWav());
    QVERIFY(QFile::setPermissions(fileName, QFileDevice::WriteOwner));
    SoundPlayer player;

    player.SetFileName(fileName);
    player.Command(QStringLiteral("Open"));

    QVERIFY(!player.IsOpen());
}

void tst_SoundPlayer::openLoadsTheBuzzer()
{
    SoundPlayer player;

    player.SetFileName(BuzzerPath);
    player.Command(QStringLiteral("Open"));

    QVERIFY(player.IsOpen());
    QVERIFY(!player.IsPlaying());
    QCOMPARE(player.FileName(), BuzzerPath);
}

void tst_SoundPlayer::closeUnloads()
{
    SoundPlayer player;
    player.SetFileName(BuzzerPath);
    player.Command(QStringLiteral("Open"));
    QVERIFY(player.IsOpen());

    player.Command(QStringLiteral("Close"));

    QVERIFY(!player.IsOpen());
    QVERIFY(!player.IsPlaying());
}

void tst_SoundPlayer::openAfterABadFileReplacesTheGoodOne()
{
    // GIVEN the buzzer open
    SoundPlayer player;
    player.SetFileName(BuzzerPath);
    player.Command(QStringLiteral("Open"));
    QVERIFY(player.IsOpen());

    // WHEN a garbage file is opened without a Close in between
    player.SetFileName(writeFile(QStringLiteral("other.wav"), QByteArray(300, 'x')));
    player.Command(QStringLiteral("Open"));

    // THEN the old sound is gone too: "Play" would otherwise sound a file that is no longer chosen
    QVERIFY(!player.IsOpen());
}

void tst_SoundPlayer::commandsAreComparedExactly_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("opens");

    QTest::newRow("Open") << QStringLiteral("Open") << true;
    QTest::newRow("lower case") << QStringLiteral("open") << false;
    QTest::newRow("upper case") << QStringLiteral("OPEN") << false;
    QTest::newRow("leading space") << QStringLiteral(" Open") << false;
    QTest::newRow("trailing space") << QStringLiteral("Open ") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("unknown word") << QStringLiteral("Pause") << false;
}

void tst_SoundPlayer::commandsAreComparedExactly()
{
    QFETCH(QString, command);
    QFETCH(bool, opens);
    SoundPlayer player;
    player.SetFileName(BuzzerPath);

    player.Command(command);

    QCOMPARE(player.IsOpen(), opens);
}

void tst_SoundPlayer::stopAndPrevOnAnUnopenedPlayerDoNothing()
{
    SoundPlayer player;
    QSignalSpy done(&player, &SoundPlayer::Done);

    for (const QString &command : {QStringLiteral("Stop"), QStringLiteral("Prev"), QStringLiteral("Close"),
                                   QStringLiteral("Play"), QStringLiteral("Pause")})
        player.Command(command);
    QCoreApplication::processEvents();

    QVERIFY(!player.IsOpen());
    QVERIFY(!player.IsPlaying());
    QCOMPARE(done.count(), 0);
}

QTEST_GUILESS_MAIN(tst_SoundPlayer)
#include "tst_soundplayer.moc"

#include "board/SoundPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace {

constexpr qint64 RiffHeaderSize = 12;
constexpr qint64 ChunkHeaderSize = 8;
// The part of a "fmt " chunk every WAV file has; extensions beyond it are skipped.
constexpr qint64 FmtFieldsSize = 16;
constexpr quint16 FormatPcm = 1;

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
{
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::IsPlayableWav(QIODevice &device)
{
    if (!device.isReadable() || device.isSequential() || !device.seek(0))
        return false;
    const qint64 size = device.size();
    const QByteArray riff = device.read(RiffHeaderSize);
    if (riff.size() != RiffHeaderSize || !riff.startsWith("RIFF") || riff.sliced(8) != "WAVE")
        return false;

    // Chunks are walked as the effect's decoder walks them: other chunks (and a "data" chunk before
    // the format is known) are skipped, the first "fmt " chunk sets the format, and the first "data"
    // chunk after it is the sound.
    qint64 sampleBytes = 0;
    qint64 frameBytes = 0;
    qint64 pos = RiffHeaderSize;
    while (pos + ChunkHeaderSize <= size) {
        if (!device.seek(pos))
            return false;
        const QByteArray header = device.read(ChunkHeaderSize);
        if (header.size() != ChunkHeaderSize)
            return false;
        const QByteArray id = header.first(4);
        const qint64 chunkSize = le32(header, 4);
        const qint64 body = pos + ChunkHeaderSize;
        if (id == "data" && frameBytes != 0) {
            // The effect loads exactly the size the chunk declares, a whole sample at a time, and
            // stays "Loading" for ever while any of it is missing: such a file is refused here.
            return chunkSize >= frameBytes && chunkSize % sampleBytes == 0 && body + chunkSize <= size;
        }
        // The format wants a pad byte after an odd-sized chunk, the effect's decoder skips none:
        // one of the two would lose its place in such a file.
        if (chunkSize % 2 != 0)
            return false;
        if (id == "fmt " && frameBytes == 0) {
            if (chunkSize < FmtFieldsSize || body + chunkSize > size)
                return false;
            const QByteArray fmt = device.read(FmtFieldsSize);
            if (fmt.size() != FmtFieldsSize)
                return false;
            const quint16 format = le16(fmt, 0);
            const quint16 channels = le16(fmt, 2);
            const quint32 rate = le32(fmt, 4);
            const quint16 bits = le16(fmt, 14);
            if (format != FormatPcm || channels == 0 || rate == 0 || (bits != 8 && bits != 16 && bits != 32))
                return false;
            sampleBytes = bits / 8;
            frameBytes = channels * sampleBytes;
        }
        pos = body + chunkSize;
    }
    return false;
}

bool SoundPlayer::IsOpen() const
{
    return m_effect != nullptr;
}

bool SoundPlayer::IsPlaying() const
{
    return m_playing;
}

void SoundPlayer::SetFileName(const QString &fileName)
{
    m_fileName = fileName;
}

void SoundPlayer::Command(const QString &command)
{
    if (command == u"Open")
        Open();
    else if (command == u"Close")
        Close();
    else if (command == u"Play")
        Play();
    else if (command == u"Stop")
        Stop();
    // "Prev" needs nothing: every "Play" starts at the beginning of the sound.
}

void SoundPlayer::Open()
{
    Close();
    // Only a regular file: opening a FIFO or a device for reading could block the board.
    const QFileInfo info(m_fileName);
    if (!info.isFile())
        return;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly) || !IsPlayableWav(file))
        return;

    m_effect = new QSoundEffect(this);
    // Queued, so that a Done handler sending commands back never runs inside the effect's own
    // signal emission.
    connect(m_effect, &QSoundEffect::playingChanged, this, &SoundPlayer::EffectPlayingChanged,
            Qt::QueuedConnection);
    m_effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
}

void SoundPlayer::Close()
{
    m_playing = false;
    delete m_effect;
    m_effect = nullptr;
}

void SoundPlayer::Play()
{
    if (!m_effect)
        return;
    // Clearing the flag first turns the interrupted playback's end into no Done.
    m_playing = false;
    m_effect->stop();
    m_effect->play();
    m_playing = m_effect->isPlaying();
    emit Started();
}

void SoundPlayer::Stop()
{
    m_playing = false;
    if (m_effect)
        m_effect->stop();
}

void SoundPlayer::EffectPlayingChanged()
{
    // Delivered late: by now a restart may be playing again, or a Stop may have ended it.
    if (!m_playing || !m_effect || m_effect->isPlaying())
        return;
    m_playing = false;
    emit Done(NotifySuccessful);
}

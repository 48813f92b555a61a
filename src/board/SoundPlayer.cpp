#include "board/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>

#include <optional>

namespace {

constexpr qint64 RiffHeaderSize = 12;
constexpr qint64 ChunkHeaderSize = 8;
// The part of a "fmt " chunk every WAV file has; extensions beyond it are skipped.
constexpr qint64 FmtFieldsSize = 16;
constexpr quint16 FormatPcm = 1;
// The sound server is handed this much ahead of what it plays. The sink is fed on the board's own
// thread: with 100 ms a busy moment of the board starved it, heard as a break in the horn.
constexpr qint64 BufferUs = 250'000;

// Byte by byte through at(), which the callers' length checks keep in range: the compiler cannot see those
// checks through a raw pointer and warns of a read past the end of an empty array.
quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return quint16(quint8(bytes.at(at)) | quint8(bytes.at(at + 1)) << 8);
}

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return le16(bytes, at) | quint32(le16(bytes, at + 2)) << 16;
}

struct WavLayout
{
    QAudioFormat format;
    qint64 dataAt = 0;
    qint64 dataBytes = 0;
};

QAudioFormat::SampleFormat sampleFormat(quint16 bits)
{
    switch (bits) {
    case 8: return QAudioFormat::UInt8;
    case 16: return QAudioFormat::Int16;
    case 32: return QAudioFormat::Int32;
    default: return QAudioFormat::Unknown;
    }
}

// Walks the chunks as the format lays them out: an odd-sized chunk is followed by a pad byte, other
// chunks (and a "data" chunk before the format is known) are skipped, the first "fmt " chunk sets the
// format, and the first "data" chunk after it is the sound.
std::optional<WavLayout> readWav(QIODevice &device)
{
    if (!device.isReadable() || device.isSequential() || !device.seek(0))
        return {};
    const qint64 size = device.size();
    const QByteArray riff = device.read(RiffHeaderSize);
    if (riff.size() != RiffHeaderSize || !riff.startsWith("RIFF") || riff.sliced(8) != "WAVE")
        return {};

    WavLayout wav;
    qint64 pos = RiffHeaderSize;
    while (pos + ChunkHeaderSize <= size) {
        if (!device.seek(pos))
            return {};
        const QByteArray header = device.read(ChunkHeaderSize);
        if (header.size() != ChunkHeaderSize)
            return {};
        const QByteArray id = header.first(4);
        const qint64 chunkSize = le32(header, 4);
        const qint64 body = pos + ChunkHeaderSize;
        if (id == "data" && wav.format.isValid()) {
            // A truncated file or a torn last frame is damage, not a shorter sound.
            const qint64 frameBytes = wav.format.bytesPerFrame();
            if (chunkSize < frameBytes || chunkSize % frameBytes != 0 || body + chunkSize > size)
                return {};
            wav.dataAt = body;
            wav.dataBytes = chunkSize;
            return wav;
        }
        if (id == "fmt " && !wav.format.isValid()) {
            if (chunkSize < FmtFieldsSize || body + chunkSize > size)
                return {};
            const QByteArray fmt = device.read(FmtFieldsSize);
            if (fmt.size() != FmtFieldsSize || le16(fmt, 0) != FormatPcm)
                return {};
            wav.format.setChannelCount(le16(fmt, 2));
            wav.format.setSampleRate(int(qMin<quint32>(le32(fmt, 4), INT_MAX)));
            wav.format.setSampleFormat(sampleFormat(le16(fmt, 14)));
            if (!wav.format.isValid())
                return {};
        }
        pos = body + chunkSize + chunkSize % 2;
    }
    return {};
}

} // namespace

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
{
}

// The sinks go here, not with the player's children: they still read from m_source, which goes before
// QObject deletes its children, and a sink's destructor runs the event loop, which may deliver a state
// change queued for this player; it must find the player whole.
SoundPlayer::~SoundPlayer()
{
    Close();
    qDeleteAll(findChildren<QAudioSink *>(Qt::FindDirectChildrenOnly));
}

bool SoundPlayer::IsPlayableWav(QIODevice &device)
{
    return readWav(device).has_value();
}

void SoundPlayer::SetFileName(const QString &fileName)
{
    m_fileName = fileName;
}

void SoundPlayer::Open()
{
    Close();
    // Only a regular file: opening a FIFO or a device for reading could block the board.
    const QFileInfo info(m_fileName);
    if (!info.isFile() || info.size() > MaxFileBytes)
        return;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const std::optional<WavLayout> wav = readWav(file);
    if (!wav || !file.seek(wav->dataAt))
        return;
    const QByteArray samples = file.read(wav->dataBytes);
    if (samples.size() != wav->dataBytes)
        return;
    m_format = wav->format;
    m_source.setData(samples);
    m_source.open(QIODevice::ReadOnly);
}

void SoundPlayer::FindOutput()
{
    QMediaDevices::defaultAudioOutput();
}

void SoundPlayer::Close()
{
    DropSink();
    m_source.close();
    m_source.setData(QByteArray());
}

void SoundPlayer::Play()
{
    if (!IsOpen())
        return;
    DropSink();
    emit Started();
    // Without a sound server there is no output: the board goes on in silence.
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return;
    m_source.seek(0);
    m_sink = new QAudioSink(output, m_format, this);
    m_sink->setBufferSize(m_format.bytesForDuration(BufferUs));
    // Queued, so that a Done handler calling back into the player never runs inside the sink's own
    // feeding; the sink travels along because a restart may have replaced it by the time it arrives.
    const QAudioSink *sink = m_sink;
    connect(m_sink, &QAudioSink::stateChanged, this,
            [this, sink](QAudio::State state) { SinkStateChanged(sink, state); }, Qt::QueuedConnection);
    m_playing = true;
    m_sink->start(&m_source);
}

void SoundPlayer::Stop()
{
    // After a playback has ended the sink may still be sounding the last data it was handed: let it.
    if (m_playing)
        DropSink();
}

void SoundPlayer::Prev()
{
    // Nothing to do: every Play starts at the beginning of the sound.
}

void SoundPlayer::DropSink()
{
    m_playing = false;
    if (!m_sink)
        return;
    m_sink->disconnect(this);
    m_sink->stop();
    // Later: the sink's destructor runs the event loop, which must not happen inside a Play.
    m_sink->deleteLater();
    m_sink = nullptr;
}

void SoundPlayer::SinkStateChanged(const QAudioSink *sink, QAudio::State state)
{
    if (sink != m_sink || !m_playing)
        return;
    if (state == QAudio::StoppedState) {
        // The stream could not be opened or the server went away: silence, and no end to report.
        m_playing = false;
        return;
    }
    // Idle also follows an underrun in the middle of the sound; only the end of the data is the end.
    if (state != QAudio::IdleState || !m_source.atEnd())
        return;
    m_playing = false;
    emit Done(NotifySuccessful);
}

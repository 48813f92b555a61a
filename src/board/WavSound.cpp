#include "WavSound.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 RiffHeaderSize = 12;
constexpr qint64 ChunkHeaderSize = 8;
// The fields every "fmt " chunk has; the extensible header adds its own after a size field.
constexpr qint64 FmtFieldsSize = 16;
constexpr qint64 ExtensibleFmtSize = 40;
constexpr quint16 ExtensionSize = 22; // the extensible fields after the size field
constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;
// An extensible header names its sample format by a GUID whose first two bytes are the plain format tag
// and whose other fourteen are the same for every format.
constexpr char GuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";

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

struct Encoding
{
    bool isFloat = false;
    int bytes = 0; // per sample
    int channels = 0;
    int rate = 0;
};

// The encoding a "fmt " chunk describes, or nothing when it is not one this reads.
std::optional<Encoding> readFormat(const QByteArray &fmt)
{
    if (fmt.size() < FmtFieldsSize)
        return {};
    quint16 tag = le16(fmt, 0);
    if (tag == FormatExtensible) {
        if (fmt.size() < ExtensibleFmtSize || le16(fmt, 16) < ExtensionSize
            || fmt.sliced(26, 14) != QByteArray::fromRawData(GuidTail, 14))
            return {};
        tag = le16(fmt, 24);
    }
    Encoding e;
    e.isFloat = tag == FormatFloat;
    e.bytes = le16(fmt, 14) / 8;
    e.channels = le16(fmt, 2);
    const quint32 rate = le32(fmt, 4);
    const bool knownSize = e.isFloat ? (e.bytes == 4 || e.bytes == 8) : (e.bytes >= 1 && e.bytes <= 4);
    if ((tag != FormatPcm && tag != FormatFloat) || !knownSize || le16(fmt, 14) % 8 != 0
        || e.channels < 1 || e.channels > WavSound::MaxChannels || rate < WavSound::MinRate || rate > WavSound::MaxRate
        || le16(fmt, 12) != e.channels * e.bytes)
        return {};
    e.rate = int(rate);
    return e;
}

// One sample as 16 bits: integers keep their top bits, floats are cut to full scale (a file of wild values
// must not blast the hall), and a float that is not a number is silence.
qint16 toInt16(const char *sample, const Encoding &e)
{
    if (e.isFloat) {
        const double value = e.bytes == 4 ? double(qFromLittleEndian<float>(sample)) : qFromLittleEndian<double>(sample);
        if (!(value == value))
            return 0;
        return qint16(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
    }
    if (e.bytes == 1)
        return qint16((quint8(sample[0]) - 128) << 8);
    return qFromLittleEndian<qint16>(sample + e.bytes - 2);
}

} // namespace

WavSound::WavSound(int channels, int rate, QByteArray samples)
    : m_channels(channels)
    , m_rate(rate)
    , m_samples(std::move(samples))
{
}

// Walks the chunks as the format lays them out: an odd-sized chunk is followed by a pad byte, other
// chunks (and a "data" chunk before the format is known) are skipped, the first "fmt " chunk sets the
// format, and the first "data" chunk after it is the sound. The RIFF size field is not trusted: writers
// that stream get it wrong.
std::optional<WavSound> WavSound::Read(QIODevice &device)
{
    if (!device.isReadable() || device.isSequential() || !device.seek(0))
        return {};
    const qint64 size = device.size();
    const QByteArray riff = device.read(RiffHeaderSize);
    if (riff.size() != RiffHeaderSize || !riff.startsWith("RIFF") || riff.sliced(8) != "WAVE")
        return {};

    std::optional<Encoding> encoding;
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
        if (id == "data" && encoding) {
            // A truncated file (or a streamed one that never wrote its size) plays the whole frames it holds.
            const qint64 frameBytes = qint64(encoding->channels) * encoding->bytes;
            const qint64 frames = std::min(std::min(chunkSize, size - body) / frameBytes,
                                           qint64(encoding->rate) * MaxSeconds);
            const QByteArray raw = device.read(frames * frameBytes);
            const qint64 samples = raw.size() / frameBytes * encoding->channels;
            if (samples == 0)
                return {};
            QByteArray out(samples * qsizetype(sizeof(qint16)), Qt::Uninitialized);
            auto *to = reinterpret_cast<qint16 *>(out.data());
            for (qint64 i = 0; i < samples; ++i)
                to[i] = toInt16(raw.constData() + i * encoding->bytes, *encoding);
            return WavSound(encoding->channels, encoding->rate, out);
        }
        if (id == "fmt " && !encoding) {
            if (body + chunkSize > size)
                return {};
            encoding = readFormat(device.read(std::min(chunkSize, ExtensibleFmtSize)));
            if (!encoding)
                return {};
        }
        pos = body + chunkSize + chunkSize % 2;
    }
    return {};
}

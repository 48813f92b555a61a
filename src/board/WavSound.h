#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

class QIODevice;

// A sound read from a WAV file, ready for the sound server: interleaved 16-bit native-endian samples.
//
// Read takes every PCM WAV a user is likely to pick: 8, 16, 24 or 32-bit integer and 32 or 64-bit float
// samples, in the plain or the extensible header, mono to eight channels, at any rate the sound server
// plays. A truncated file gives the whole frames it holds; a long one gives its first minute, and the
// rest of the file is never read.
class WavSound
{
public:
    static constexpr int MaxChannels = 8;
    static constexpr int MinRate = 1'000;
    static constexpr int MaxRate = 384'000;
    static constexpr int MaxSeconds = 60;

    // The sound of the device read from its start, or nothing when it holds no WAV sound this reads.
    static std::optional<WavSound> Read(QIODevice &device);

    int Channels() const { return m_channels; }
    int Rate() const { return m_rate; }
    qint64 Frames() const { return m_samples.size() / qsizetype(sizeof(qint16)) / m_channels; }
    // The samples as the sound server takes them.
    const QByteArray &Samples() const { return m_samples; }

private:
    WavSound(int channels, int rate, QByteArray samples);

    int m_channels;
    int m_rate;
    QByteArray m_samples;
};

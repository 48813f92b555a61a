#include "SoundOutput.h"

#include <pulse/simple.h>

#include <algorithm>
#include <chrono>

namespace {

// The server holds this much ahead of what it plays: enough that a busy machine never starves the horn,
// little enough that a cut-short horn stops at once and the end is reached soon after the last write.
constexpr int BufferMs = 100;
// Written a piece at a time, so that a newer request is seen between pieces.
constexpr int PieceMs = 20;
// A server that just restarted may refuse the first connection; the second try comes a moment later.
constexpr std::chrono::milliseconds RetryAfter(250);

} // namespace

SoundOutput::~SoundOutput()
{
    Quit();
    wait();
}

quint64 SoundOutput::Play(std::shared_ptr<const WavSound> sound)
{
    {
        const std::lock_guard lock(m_mutex);
        m_next = std::move(sound);
        ++m_latest;
    }
    m_wake.notify_one();
    return m_latest;
}

void SoundOutput::Cancel()
{
    {
        const std::lock_guard lock(m_mutex);
        m_next.reset();
        ++m_latest;
    }
    m_wake.notify_one();
}

void SoundOutput::Quit()
{
    {
        const std::lock_guard lock(m_mutex);
        m_next.reset();
        m_quit = true;
        ++m_latest;
    }
    m_wake.notify_one();
}

void SoundOutput::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || m_next; });
        if (m_quit)
            return;
        const std::shared_ptr<const WavSound> sound = std::exchange(m_next, nullptr);
        const quint64 playback = m_latest;
        lock.unlock();
        Outcome outcome = PlayOnce(*sound, playback);
        lock.lock();
        if (outcome == Outcome::NoStream
            && !m_wake.wait_for(lock, RetryAfter, [this, playback] { return m_quit || !Current(playback); })) {
            lock.unlock();
            outcome = PlayOnce(*sound, playback);
            lock.lock();
        }
        emit ended(playback, outcome == Outcome::Played);
    }
}

SoundOutput::Outcome SoundOutput::PlayOnce(const WavSound &sound, quint64 playback)
{
    const pa_sample_spec spec {PA_SAMPLE_S16NE, uint32_t(sound.Rate()), uint8_t(sound.Channels())};
    pa_channel_map map;
    const bool mapped = pa_channel_map_init_auto(&map, spec.channels, PA_CHANNEL_MAP_WAVEEX) != nullptr;
    const qsizetype frame = qsizetype(pa_frame_size(&spec));
    const qsizetype piece = std::max(1, sound.Rate() * PieceMs / 1000) * frame;
    const pa_buffer_attr buffer {uint32_t(-1), uint32_t(std::max(1, sound.Rate() * BufferMs / 1000) * frame),
                                 uint32_t(-1), uint32_t(-1), uint32_t(-1)};
    int error = 0;
    // The default server and its default output, looked up now: whatever they are at this horn.
    pa_simple *stream = pa_simple_new(nullptr, "Quorvane", PA_STREAM_PLAYBACK, nullptr, "Buzzer", &spec,
                                      mapped ? &map : nullptr, &buffer, &error);
    if (!stream)
        return Outcome::NoStream;

    const QByteArray &samples = sound.Samples();
    Outcome outcome = Outcome::Played;
    for (qsizetype at = 0; at < samples.size() && outcome == Outcome::Played; at += piece) {
        if (!Current(playback))
            outcome = Outcome::Cancelled;
        else if (pa_simple_write(stream, samples.constData() + at, size_t(std::min(piece, samples.size() - at)), &error) < 0)
            outcome = at == 0 ? Outcome::NoStream : Outcome::Broken;
    }
    if (outcome == Outcome::Played && pa_simple_drain(stream, &error) < 0)
        outcome = Outcome::Broken;
    if (outcome == Outcome::Cancelled)
        pa_simple_flush(stream, &error);
    pa_simple_free(stream);
    return outcome;
}

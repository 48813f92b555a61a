#pragma once

#include "WavSound.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

// The thread that hands sounds to the sound server, one playback at a time, each on a connection and a
// stream of its own to the server's default output of that moment: a sound server that restarted, started
// after the program, or changed its default output (a projector's HDMI sound plugged in) is found at the
// next horn. A stream that fails to start is tried once more on a fresh connection. The board's thread never
// waits for the sound server, which may take its time or not answer at all.
class SoundOutput : public QThread
{
    Q_OBJECT

public:
    using QThread::QThread;
    ~SoundOutput() override;

    // Plays the sound from its start, cutting short the one playing; returns the playback's number.
    quint64 Play(std::shared_ptr<const WavSound> sound);
    // Cuts short the one playing, silencing what the server still holds of it.
    void Cancel();
    // Ends the thread once the playback in hand, if any, has let go of the server.
    void Quit();

signals:
    // Raised once for each playback, from this thread: complete when the sound was played to its end.
    void ended(quint64 playback, bool complete);

protected:
    void run() override;

private:
    enum class Outcome { Played, Cancelled, NoStream, Broken };
    Outcome PlayOnce(const WavSound &sound, quint64 playback);
    bool Current(quint64 playback) const { return m_latest == playback; }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::shared_ptr<const WavSound> m_next; // guarded by m_mutex
    bool m_quit = false;                     // guarded by m_mutex
    // The number of the latest request: a playback whose number is no longer the latest is cut short.
    std::atomic<quint64> m_latest = 0;
};

#pragma once

#include <QAudio>
#include <QAudioFormat>
#include <QBuffer>
#include <QObject>
#include <QString>

class QAudioSink;
class QIODevice;

// A WAV player: Open loads FileName into memory, Close unloads it, Play plays from the start without
// blocking, Stop stops, Prev rewinds. Done is raised when a playback has run to its end.
// A missing, unreadable or unplayable file, or a machine without audio output, leaves Play silent:
// nothing blocks, nothing is shown.
//
// A Play while the sound is still playing restarts it from the beginning: a second buzzer request is
// heard as a fresh horn rather than swallowed. A playback cut short by Stop, Close or such a restart
// raises no Done; only a playback that ran to its end does, once.
//
// Every playback gets an audio stream of its own, fed from the samples read at Open: a sound effect
// reused for many playbacks was seen to fall silent for good after a few of them.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    // The notification code Done carries: the playback ran to its end.
    static constexpr int NotifySuccessful = 1;
    // A buzzer is a few seconds long; a file beyond this is not loaded into memory at all.
    static constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    // True when the device, read from its start, holds a little-endian RIFF/WAVE sound this player
    // plays: a "fmt " chunk of uncompressed PCM with 8, 16 or 32 bits per sample, then a complete
    // "data" chunk of at least one frame and a whole number of frames.
    static bool IsPlayableWav(QIODevice &device);

    QString FileName() const { return m_fileName; }
    // True once Open has loaded a playable WAV file.
    bool IsOpen() const { return m_source.isOpen(); }
    // True from Play until the playback has ended or Stop; false when there was nothing to play on.
    bool IsPlaying() const { return m_playing; }

    void SetFileName(const QString &fileName);
    void Open();
    void Close();
    void Play();
    void Stop();
    void Prev();
    // Finds the audio output ahead of the first Play. The first look connects to the sound server, half
    // a second on some desktops, which the first horn should not wait for; a Play before it does the
    // same look itself.
    void FindOutput();

signals:
    // Raised each time Play starts (or restarts) a playback of an open sound, whether or not the
    // machine has an audio output to hear it on.
    void Started();
    void Done(int notifyCode);

private:
    void DropSink();
    void SinkStateChanged(const QAudioSink *sink, QAudio::State state);

    QString m_fileName;
    QAudioFormat m_format;
    QBuffer m_source;
    QAudioSink *m_sink = nullptr;
    bool m_playing = false;
};

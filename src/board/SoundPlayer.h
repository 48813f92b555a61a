#pragma once

#include <QObject>
#include <QString>

#include <memory>

class SoundOutput;
class WavSound;

// A WAV player: Open reads FileName's sound into memory, Close drops it, Play plays from the start without
// blocking, Stop stops, Prev rewinds. Done is raised when a playback has run to its end.
// A missing, unreadable or unplayable file, or a machine without a sound server, leaves Play silent:
// nothing blocks, nothing is shown.
//
// A Play while the sound is still playing restarts it from the beginning: a second buzzer request is
// heard as a fresh horn rather than swallowed. A playback cut short by Stop, Close or such a restart
// raises no Done; only a playback that ran to its end does, once.
//
// Every playback finds the sound server's default output afresh (SoundOutput).
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    // The notification code Done carries: the playback ran to its end.
    static constexpr int NotifySuccessful = 1;

    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    QString FileName() const { return m_fileName; }
    // True once Open has read a playable WAV file.
    bool IsOpen() const { return m_sound != nullptr; }
    // True from Play until the playback has ended or Stop.
    bool IsPlaying() const { return m_playback != 0; }

    void SetFileName(const QString &fileName);
    void Open();
    void Close();
    void Play();
    void Stop();
    void Prev();

signals:
    // Raised each time Play starts (or restarts) a playback of an open sound, whether or not the
    // machine has a sound server to hear it on.
    void started();
    void Done(int notifyCode);

private:
    void PlaybackEnded(quint64 playback, bool complete);

    QString m_fileName;
    std::shared_ptr<const WavSound> m_sound;
    // Started at the first Play: a board that never sounds its buzzer needs no thread for it.
    SoundOutput *m_output = nullptr;
    // The number of the playback under way, 0 when none is.
    quint64 m_playback = 0;
};

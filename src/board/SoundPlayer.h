#pragma once

#include <QObject>
#include <QString>

class QIODevice;
class QSoundEffect;

// A WAV player driven by text commands: "Open" loads FileName, "Close" unloads it, "Play" plays from
// the start without blocking, "Stop" stops, "Prev" rewinds. Done is raised when a playback has ended.
// A missing, unreadable or unplayable file, or a machine without audio output, leaves "Play"
// silent: nothing blocks, nothing is shown.
//
// A "Play" while the sound is still playing restarts it from the beginning: a second buzzer request
// is heard as a fresh horn rather than swallowed. A playback cut short by "Stop", "Close" or such a
// restart raises no Done; only a playback that ran to its end does, once.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    // The notification code Done carries: the playback ran to its end.
    static constexpr int NotifySuccessful = 1;

    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    // True when the device, read from its start, holds a little-endian RIFF/WAVE sound the effect can
    // load: a "fmt " chunk of uncompressed PCM with 8, 16 or 32 bits per sample, then a complete "data"
    // chunk of at least one frame and a whole number of samples, and no odd-sized chunk before it.
    // The check is ours because the effect reports no such fault: it stays "Loading" for ever.
    static bool IsPlayableWav(QIODevice &device);

    QString FileName() const { return m_fileName; }
    // True once "Open" has loaded a file whose header says it is a playable PCM WAV sound.
    bool IsOpen() const;
    // True from "Play" until the playback has ended or "Stop". Without an audio server a playback
    // never reports its end, so this stays true until "Stop", "Close" or the next "Open".
    bool IsPlaying() const;

    void SetFileName(const QString &fileName);
    // Carries out "Open", "Close", "Play", "Stop" or "Prev", compared exactly; any other text is ignored.
    void Command(const QString &command);

signals:
    // Raised each time "Play" starts (or restarts) a playback of an open sound.
    void Started();
    void Done(int notifyCode);

private:
    void Open();
    void Close();
    void Play();
    void Stop();
    void EffectPlayingChanged();

    QString m_fileName;
    QSoundEffect *m_effect = nullptr;
    bool m_playing = false;
};

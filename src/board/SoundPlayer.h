#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

// A WAV player driven by text commands: "Open" loads FileName, "Close" unloads it, "Play" plays from
// the start without blocking, "Stop" stops, "Prev" rewinds. Done is raised when a playback has ended.
// A missing, unreadable or unplayable file, or a machine without audio output, leaves "Play"
// silent: nothing blocks, nothing is shown.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    QString FileName() const { return m_fileName; }
    // True once "Open" has loaded a file whose header says it is a playable PCM WAV sound.
    bool IsOpen() const;
    // True from "Play" until the playback has ended or "Stop".
    bool IsPlaying() const;

    void SetFileName(const QString &fileName);
    void Command(const QString &command);

signals:
    void Done(int notifyCode);

private:
    QString m_fileName;
    QSoundEffect *m_effect = nullptr;
};

#include "SoundPlayer.h"

#include "SoundOutput.h"
#include "WavSound.h"

#include <QFile>
#include <QFileInfo>

namespace {

// How long a closing player waits for its playback to let go of the sound server.
constexpr int PartingMs = 1000;

} // namespace

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
{
}

// The output's thread must have ended before its QThread goes. One stuck on a sound server that does not
// answer is let go instead: the program is ending, and a thread stuck there costs nothing.
SoundPlayer::~SoundPlayer()
{
    if (!m_output)
        return;
    m_output->disconnect(this);
    m_output->Quit();
    if (!m_output->wait(PartingMs))
        m_output->setParent(nullptr);
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
    if (!info.isFile())
        return;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (std::optional<WavSound> sound = WavSound::Read(file))
        m_sound = std::make_shared<const WavSound>(std::move(*sound));
}

void SoundPlayer::Close()
{
    Stop();
    m_sound.reset();
}

void SoundPlayer::Play()
{
    if (!IsOpen())
        return;
    if (!m_output) {
        m_output = new SoundOutput(this);
        // Queued from the output's thread; the number tells whether the playback is still the one under way.
        connect(m_output, &SoundOutput::ended, this, &SoundPlayer::PlaybackEnded);
        m_output->start();
    }
    emit started();
    m_playback = m_output->Play(m_sound);
}

void SoundPlayer::Stop()
{
    if (!m_playback)
        return;
    m_output->Cancel();
    m_playback = 0;
}

void SoundPlayer::Prev()
{
    // Nothing to do: every Play starts at the beginning of the sound.
}

void SoundPlayer::PlaybackEnded(quint64 playback, bool complete)
{
    if (playback != m_playback)
        return;
    m_playback = 0;
    if (complete)
        emit Done(NotifySuccessful);
}

// Plays a WAV file through the board's SoundPlayer and waits for its completion notice, for
// audio_e2e.sh, which records what reaches the sound server meanwhile. Given a trigger file, it sends
// a second "Play" as soon as that file appears, so that it lands while the first playback is heard.
//
// Usage: play_buzzer <file.wav> [trigger-file]
// Exit status: 0 when Done came exactly once, 2 when the file did not open, 3 otherwise.

#include "board/SoundPlayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace {

// The sound lasts 1.8 s with its trailing silence, and the effect reports the end up to 2 s later.
constexpr int TimeoutMs = 6000;
constexpr int TriggerPollMs = 10;
// After Done, a moment more, so that a second, wrong Done would be counted too.
constexpr int LingerMs = 300;

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: play_buzzer <file.wav> [trigger-file]\n");
        return 1;
    }

    SoundPlayer player;
    player.SetFileName(args.at(1));
    player.Command(QStringLiteral("Open"));
    if (!player.IsOpen())
        return 2;

    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &app, &QCoreApplication::quit);
    const auto play = [&player, &deadline] {
        player.Command(QStringLiteral("Play"));
        deadline.start(TimeoutMs);
    };

    int doneCount = 0;
    QObject::connect(&player, &SoundPlayer::Done, &app, [&doneCount, &app] {
        ++doneCount;
        QTimer::singleShot(LingerMs, &app, &QCoreApplication::quit);
    });

    QTimer trigger;
    QObject::connect(&trigger, &QTimer::timeout, &app, [&trigger, &args, play] {
        if (QFileInfo::exists(args.at(2))) {
            trigger.stop();
            play();
        }
    });
    if (args.size() == 3)
        trigger.start(TriggerPollMs);

    play();
    app.exec();
    if (doneCount != 1) {
        std::fprintf(stderr, "play_buzzer: Done came %d times\n", doneCount);
        return 3;
    }
    return 0;
}

#pragma once

#include <QObject>

#include <optional>

// Keeps the screen on for as long as it exists: no blanking, no display power-down, no lock on idle. A
// board on a projector sits untouched through a half-time or a long time-out, longer than the ten idle
// minutes after which X blanks the screen, and the crowd must not be left looking at a dark wall. Where
// the X server or the desktop's screen-saver service is missing, that part is left out without a word.
class KeepAwake : public QObject
{
    Q_OBJECT

public:
    explicit KeepAwake(QObject *parent = nullptr);
    ~KeepAwake() override;

private:
    void InhibitDesktopSaver();

    bool m_xSuspended = false;
    // The desktop's handle on our inhibition, once its reply has come.
    std::optional<uint> m_cookie;
};

#pragma once

#include <QString>
#include <QtGlobal>

// The sixteen values the operator configures, each named after its key in the store.
// Colours are 0x00BBGGRR (red in the low byte); key codes are the character code a key press delivers.
struct SettingsRecord
{
    qint32 FormBack = 0x404040;
    qint32 LEDBack = 0;
    qint32 TimeColor = 255;
    qint32 ScoreColor = 33023;
    qint32 PeriodColor = 0xC000;
    qint32 BorderColor = 0xFFFFFF;
    qint32 HomeColor = 0xFFFFFF;
    qint32 VisitorColor = 0xFFFFFF;

    qint16 StartStopClockKey = 115; // s
    qint16 ResetClockKey = 114;     // r
    qint16 ClockSwitchKey = 99;     // c
    qint16 BuzzerKey = 98;          // b

    QString BuzzerFile; // its default lies in the program's folder: see DefaultSettings()

    QString TitleText = QStringLiteral("Home");
    QString HomeText = QStringLiteral("Home");
    QString VisitorText = QStringLiteral("Visitor");

    bool operator==(const SettingsRecord &) const = default;
};

// The process-wide record: filled once by LoadSettings(), replaced as a whole by the options dialog's OK.
extern SettingsRecord Settings;

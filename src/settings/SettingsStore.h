#pragma once

#include "settings/SettingsRecord.h"

class QSettings;

// Persistence of the Settings record in the per-user store ("Quorvane" / "Quorvane", native INI on Linux).
// Reading is tolerant: a value that is not what its field can hold takes the field's default, so a
// hand-edited or damaged file can never stop the board from starting. Reading never writes.

// The default buzzer: buzzer.wav in the program's own folder.
QString DefaultBuzzerFile();

// A stored colour: a whole decimal number in 0..0xFFFFFF, else the default.
qint32 ColorFromText(const QString &text, qint32 fallback);
// A stored key code: a whole decimal number in 0..255, else the default.
qint16 KeyCodeFromText(const QString &text, qint16 fallback);

SettingsRecord ReadSettings(QSettings &store);
// Writes all sixteen keys and flushes; true when the store reports the file written.
bool WriteSettings(const SettingsRecord &record, QSettings &store);

// Fills the process-wide Settings from the user's store.
void LoadSettings();
// Writes the process-wide Settings to the user's store; false when it could not be written
// (for instance a read-only configuration folder), so the caller can tell the operator.
bool SaveSettings();

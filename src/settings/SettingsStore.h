#pragma once

#include "SettingsRecord.h"

#include <QLatin1String>

#include <array>
#include <variant>

class QSettings;

// Persistence of the Settings record in the per-user store: $XDG_CONFIG_HOME/Quorvane/Quorvane.conf, an INI
// file in QSettings' native format. Reading is tolerant: a value that is not what its field can hold takes the
// field's default, a damaged line costs only the key it holds, and a store that is no plain file of sane size is
// not read, so a hand-edited or damaged file can never stop or stall the board. Reading never writes; a save
// replaces an oversized file but never anything at that path that is not a plain file.

// One stored field. Its kind follows from the member it maps to: qint32 a colour, qint16 a key code, QString a text.
struct SettingsField
{
    QLatin1String section;
    QLatin1String key;
    std::variant<qint32 SettingsRecord::*, qint16 SettingsRecord::*, QString SettingsRecord::*> member;
    // Texts only: a longer stored text is cut to this many characters.
    qsizetype maxLength = 0;

    // "Section/Key", the address of the field in a QSettings.
    QString path() const;
    // The field's value in the record as the store holds it: decimal digits for numbers, texts as they are.
    QString text(const SettingsRecord &record) const;
};

// The sixteen fields in the order SaveSettings writes them. Reading walks the same rows, so the record and the
// store cannot disagree about a field's section, key or kind.
extern const std::array<SettingsField, 16> SettingsFields;

// The default buzzer: buzzer.wav in the program's own folder.
QString DefaultBuzzerFile();
// The per-user store's file, where the settings live (named to the operator when a save fails).
QString SettingsFileName();
// The factory record, as a first run loads it; the options dialog resets from it.
SettingsRecord DefaultSettings();

// A stored colour: a whole decimal number in 0..0xFFFFFF, else the default.
qint32 ColorFromText(const QString &text, qint32 fallback);
// A stored key code: a whole decimal number in 0..255, else the default.
qint16 KeyCodeFromText(const QString &text, qint16 fallback);

// Each field from its key when the key is present, else its default; the store's status is not consulted, since a
// store that reports a format error still answers for every line it could read.
SettingsRecord ReadSettings(QSettings &store);
// Writes all sixteen keys and flushes; true when the store reports the file written.
bool WriteSettings(const SettingsRecord &record, QSettings &store);

// Fills the process-wide Settings from the user's store.
void LoadSettings();
// Writes the process-wide Settings to the user's store. Gives nothing when they were written, else why not, in
// words for the operator (the system's reason for a read-only folder, or what stands at the path and is therefore
// left alone: "a folder is in its place, and is left as it is").
QString SaveSettings();

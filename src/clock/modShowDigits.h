#pragma once

#include "EntryBuffer.h"
#include "KeyDispatch.h"

class DigitGroup;

// The typed entry shared by the score and period displays.
extern EntryBuffer DigitEntry;

// One key typed on a score or period display: passes it to allKeyPress first, then collects
// a number and Enter, "+" or "-" and a digit, or (on a one-cell display) a single digit.
void DigitEntryKey(DigitGroup &group, qint16 keyAscii, qint16 minimum, qint16 maximum, const KeyDispatch &allKeyPress);
// Drops whatever was typed on any display and not yet applied: the focus has left it.
void ClearEntries();
// Turns an entry into the group's new number and writes it when it lies in minimum..maximum.
void ApplyDigitEntry(DigitGroup &group, const QString &entry, qint16 minimum, qint16 maximum);

#pragma once

#include <QString>
#include <QtGlobal>

// What the options dialog hands to the key capture dialog and reads back when it has closed.

// The action whose key is being chosen, for the prompt ("sound the buzzer").
extern QString KeyActionText;
// The key this action has in Settings: the saved one, not the pending one the options dialog shows.
extern qint16 CurrentKey;
// The decimal code of the key the capture dialog accepted, or "0" when it closed without one.
extern QString ChosenKey;

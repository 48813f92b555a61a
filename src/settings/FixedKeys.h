#pragma once

#include <QtGlobal>

// The two keys the board keeps whatever the settings say. The key capture dialog refuses them, so no
// chosen key can make help or the options unreachable from the board.
constexpr qint16 HelpKey = 104;    // h
constexpr qint16 OptionsKey = 111; // o

// The keys that end and drop a typed entry on the board's displays.
constexpr qint16 KeyEnter = 13;
constexpr qint16 KeySpace = 32;

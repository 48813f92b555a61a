#pragma once

class QKeyEvent;

// The character code 0-255 a key press delivers, or -1 when it delivers none (arrows, function keys,
// modifiers alone, Tab, characters beyond 255). Return and Enter give 13, Esc 27, Backspace 8.
int KeyAscii(const QKeyEvent *event);

#pragma once

class QKeyEvent;

// The character code 0-255 a key press delivers, or -1 when it delivers none (arrows, function keys,
// modifiers alone, Tab, characters beyond 255). Return and Enter give 13, Esc 27, Backspace 8.
int KeyAscii(const QKeyEvent *event);

// The same code for a key handler that acts on it: the event is accepted, so no parent handles the
// key a second time. A key held down acts once: its auto-repeated presses are accepted and deliver
// -1, or holding the start/stop key would toggle the clock twenty times a second. A key that delivers
// no character is ignored, so Qt can still use it (focus keys, shortcuts).
int TakeKeyAscii(QKeyEvent *event);
// Every key release of the window that takes the keys passes through here, so a repeat that the
// platform sends as a release and a press can be told from a new press.
void NoteKeyRelease(const QKeyEvent *event);

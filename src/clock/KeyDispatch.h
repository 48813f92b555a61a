#pragma once

#include <QtGlobal>

#include <functional>

// The board's central key handler, which every display hands each typed key to before its own entry.
using KeyDispatch = std::function<void(qint16 keyAscii)>;

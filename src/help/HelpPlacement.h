#pragma once

#include <QList>
#include <QRect>

// Where the help window goes, outer frame included, given the board's outer frame, the parts of the board the
// hall must always see (the clock's and the scores' panels, the period's digit) and the screens' available
// areas, all in the desktop's pixels. In order of preference:
// 1. beside the board on its screen, at its size: right of it, left of it, below, above;
// 2. on another screen than the board's, at its centre;
// 3. beside the board, as large as the room there allows but never under `minimum`;
// 4. on the board's screen, as large as it can be up to its size (never under `minimum`) without covering a
//    kept part; where even the smallest covers one, at its size where it covers the least.
QRect PlaceHelp(const QSize &size, const QSize &minimum, const QRect &board, const QList<QRect> &keep,
                const QList<QRect> &screens);

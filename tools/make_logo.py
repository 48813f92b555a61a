#!/usr/bin/python3
"""Draws Quorvane's splash logo: an orange LED "8" on a black rounded square, behind it the seams of a ball.

Run with Debian's python3 (python3-pil):  /usr/bin/python3 tools/make_logo.py src/app/logo.png
The picture is drawn four times larger and scaled down, which gives smooth edges without an antialiasing API.
"""

import sys

from PIL import Image, ImageDraw

SIZE = 126
SCALE = 4
ORANGE = (255, 128, 0, 255)
SEAM = (150, 70, 10, 255)
PANEL = (16, 16, 18, 255)
RIM = (90, 90, 96, 255)


def s(v):
    return int(round(v * SCALE))


def segment(draw, x0, y0, x1, y1, thickness, colour):
    """A bevelled bar from (x0, y0) to (x1, y1), horizontal or vertical, with pointed ends."""
    h = thickness / 2
    if y0 == y1:
        points = [(x0, y0), (x0 + h, y0 - h), (x1 - h, y0 - h), (x1, y0), (x1 - h, y0 + h), (x0 + h, y0 + h)]
    else:
        points = [(x0, y0), (x0 + h, y0 + h), (x0 + h, y1 - h), (x0, y1), (x0 - h, y1 - h), (x0 - h, y0 + h)]
    draw.polygon([(s(x), s(y)) for x, y in points], fill=colour)


def main(path):
    big = Image.new("RGBA", (s(SIZE), s(SIZE)), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)

    # The panel: a black rounded square with a thin grey rim, like the board's LED panels.
    draw.rounded_rectangle([s(1), s(1), s(SIZE - 2), s(SIZE - 2)], radius=s(18), fill=PANEL, outline=RIM,
                           width=s(2))

    # The ball's seams, dim so the digit stays the first thing the eye reads. They are drawn on their own layer
    # and cut to the ball's outline, so the curved seams end exactly on it.
    centre = SIZE / 2
    radius = 48
    seam = s(2.2)
    seams = Image.new("RGBA", big.size, (0, 0, 0, 0))
    seam_draw = ImageDraw.Draw(seams)
    seam_draw.line([s(centre - radius), s(centre), s(centre + radius), s(centre)], fill=SEAM, width=seam)
    seam_draw.line([s(centre), s(centre - radius), s(centre), s(centre + radius)], fill=SEAM, width=seam)
    seam_draw.ellipse([s(centre - radius * 1.95), s(centre - radius * 1.1), s(centre - radius * 0.64),
                       s(centre + radius * 1.1)], outline=SEAM, width=seam)
    seam_draw.ellipse([s(centre + radius * 0.64), s(centre - radius * 1.1), s(centre + radius * 1.95),
                       s(centre + radius * 1.1)], outline=SEAM, width=seam)
    ball = Image.new("L", big.size, 0)
    ImageDraw.Draw(ball).ellipse([s(centre - radius), s(centre - radius), s(centre + radius), s(centre + radius)],
                                 fill=255)
    big.paste(seams, (0, 0), Image.composite(seams, Image.new("RGBA", big.size, (0, 0, 0, 0)), ball))
    draw.ellipse([s(centre - radius), s(centre - radius), s(centre + radius), s(centre + radius)], outline=SEAM,
                 width=seam)

    # The digit: an "8", every segment lit.
    thickness = 11
    gap = 1.5
    left, right = 42, 84
    top, bottom = 26, 100
    middle = (top + bottom) / 2
    bars = [
        (left + gap, top, right - gap, top),
        (right, top + gap, right, middle - gap),
        (right, middle + gap, right, bottom - gap),
        (left + gap, bottom, right - gap, bottom),
        (left, middle + gap, left, bottom - gap),
        (left, top + gap, left, middle - gap),
        (left + gap, middle, right - gap, middle),
    ]
    for bar in bars:
        segment(draw, *bar, thickness, ORANGE)

    big.resize((SIZE, SIZE), Image.LANCZOS).save(path, optimize=True)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "logo.png")

#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG, for desktops and menus that take no SVG and for the
# windows' own icon. Run after changing the SVG and commit the PNGs: the build itself needs no SVG renderer.
# Needs rsvg-convert (Debian's librsvg2-bin).
set -euo pipefail
icons=$(dirname "$0")/../packaging/icons/hicolor
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x$size/apps"
  rsvg-convert -w "$size" -h "$size" "$icons/scalable/apps/quorvane.svg" -o "$icons/${size}x$size/apps/quorvane.png"
done

#!/usr/bin/env bash
# The installed copy: cmake --install into a prefix of its own, every file where a desktop looks for it, then the
# program started through the bin/quorvane link as a menu starts it, which must find its buzzer and help file.
# Usage: install.sh BUILD-DIR
set -euo pipefail
source "$(dirname "$0")/../e2e/servers.sh"
source "$(dirname "$0")/walk.sh"
prefix=$work/prefix
cmake --install "${1:?usage: install.sh BUILD-DIR}" --prefix "$prefix" >/dev/null
for f in share/applications/org.quorvane.Quorvane.desktop share/metainfo/org.quorvane.Quorvane.metainfo.xml \
  share/icons/hicolor/scalable/apps/quorvane.svg share/icons/hicolor/{16x16,256x256}/apps/quorvane.png; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
start_x
mkdir "$work/config"
walk "$prefix/lib/quorvane" "$work/config" env XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$prefix/bin/quorvane"

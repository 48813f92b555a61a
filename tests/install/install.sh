#!/usr/bin/env bash
# The installed copy: cmake --install into a prefix of its own, every file where a desktop looks for it, then the
# program started through bin/quorvane as a menu starts it, which must find its buzzer and help file.
# Usage: install.sh BUILD-DIR
set -euo pipefail
build=${1:?usage: install.sh BUILD-DIR}
source "$(dirname "$0")/../e2e/servers.sh"
source "$(dirname "$0")/walk.sh"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in lib/quorvane/quorvane lib/quorvane/buzzer.wav lib/quorvane/quorvanehelpfile.rtf \
  share/applications/org.quorvane.Quorvane.desktop share/metainfo/org.quorvane.Quorvane.metainfo.xml \
  share/icons/hicolor/scalable/apps/quorvane.svg share/icons/hicolor/{16x16,256x256}/apps/quorvane.png; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
[ "$(readlink "$prefix/bin/quorvane")" = ../lib/quorvane/quorvane ] || fail "bin/quorvane is no link to the program"
start_x
mkdir "$work/config"
walk "$prefix/lib/quorvane" "$work/config" env XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$prefix/bin/quorvane"
echo "PASS: installed in $prefix, started through bin/quorvane"

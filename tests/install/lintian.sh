#!/usr/bin/env bash
# Builds the Debian package as `make package` does, into a folder of its own, and holds it to lintian's pedantic
# checks: an error or a warning fails; the notes that stay are explained beside the packaging rules.
# Usage: lintian.sh BUILD-DIR
set -euo pipefail
command -v lintian >/dev/null || { echo "lintian is not installed"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "${1:?usage: lintian.sh BUILD-DIR}/CPackConfig.cmake" -B "$out" >"$out/cpack.log" ||
  { cat "$out/cpack.log"; exit 1; }
lintian -EvIL +pedantic --fail-on error,warning "$out"/quorvane_*.deb

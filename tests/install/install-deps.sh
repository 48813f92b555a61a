#!/usr/bin/env bash
# scripts/install-deps.sh as a user without root meets it, on a machine that has none of the packages: sudo
# (which resets the environment) must still carry the setting that keeps debconf from asking, and running
# needs none of what only the tests use.
set -euo pipefail
fakes=$(mktemp -d)
trap 'rm -rf "$fakes"' EXIT
fake() { printf '#!/bin/sh\n%s\n' "$2" >"$fakes/$1"; chmod +x "$fakes/$1"; }
fake id 'echo 1000'
fake dpkg-query 'exit 1'
fake sudo '[ "$1" = -n ] && shift; exec env -i PATH="$PATH" "$@"'
fake apt-get 'echo "$DEBIAN_FRONTEND $*" >>"'"$fakes"'/apt.log"'
script=$(dirname "$0")/../../scripts/install-deps.sh
for list in "" test; do
  : >"$fakes/apt.log"
  PATH=$fakes:$PATH DEBIAN_FRONTEND= bash "$script" $list >/dev/null </dev/null
  grep -q '^noninteractive install .* qt6-base-dev ' "$fakes/apt.log" || { cat "$fakes/apt.log"; exit 1; }
  if grep -qw xvfb "$fakes/apt.log"; then run_gets_xvfb=${list:-yes}; fi
done
[ "${run_gets_xvfb:-}" = test ] || { echo "xvfb: installed for running, or not for the tests"; exit 1; }

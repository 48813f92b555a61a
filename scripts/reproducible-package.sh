#!/usr/bin/env bash
# Builds the Debian package with `make package` in two fresh clones of the current commit, in folders of
# different names and depths, and compares the two files byte for byte: it prints both checksums and fails
# when they differ, naming the files inside that differ. Only the committed HEAD is built; changes not yet
# committed play no part. Slow (two whole builds, 2 jobs each unless CMAKE_BUILD_PARALLEL_LEVEL says otherwise).
# Usage: scripts/reproducible-package.sh
set -euo pipefail
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse HEAD)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each clone takes its time from its own last commit, as a fresh checkout does.
unset SOURCE_DATE_EPOCH
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
debs=()
for clone in one/quorvane second-clone/somewhere/deeper/src; do
  git clone -q --no-checkout "$repo" "$work/$clone"
  git -C "$work/$clone" checkout -q --detach "$commit"
  echo "== make package in $work/$clone"
  log=$work/$(basename "$clone").log
  make -C "$work/$clone" package >"$log" 2>&1 || { tail -n 20 "$log"; exit 1; }
  debs+=("$(ls "$work/$clone"/build/quorvane_*.deb)")
done
sha256sum "${debs[@]}"
if ! cmp "${debs[@]}"; then
  for i in 0 1; do dpkg-deb -R "${debs[$i]}" "$work/unpacked$i"; done
  diff -rq "$work/unpacked0" "$work/unpacked1" || true
  echo "FAIL: two clones of $commit built different packages" >&2
  exit 1
fi
echo "PASS: two clones of $commit built the same package, byte for byte"

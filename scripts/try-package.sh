#!/usr/bin/env bash
# Tries the Debian package as a new user meets it, on a fresh Debian 12 that knows nothing of this machine: a
# minimal root from debootstrap, the .deb installed there with apt without its recommendations (so what it
# depends on must be enough to start), then, as a user of that system, the program started by its menu entry's
# command on an X server here: the splash, the board, help (tests/install/walk.sh). Last the package is removed
# with what it brought, leaving no file behind and the fresh root's list of packages.
# Run as root after `make package`; slow (a few minutes), so make test leaves it out.
# Usage: scripts/try-package.sh [PACKAGE.deb]   (default: the newest build/quorvane_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:-$(ls -t build/quorvane_*.deb | head -n 1)}")
[ "$(id -u)" -eq 0 ] || { echo "try-package.sh runs debootstrap and chroot: run it as root" >&2; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap
source scripts/lib/servers.sh
source tests/install/walk.sh
root=$work/debian12
# Only a proc file system is mounted in the root (the program finds its folder through /proc/self/exe): should
# it fail to come off, the removal of the folder cannot reach into anything of this machine.
trap 'umount "$root/proc" 2>/dev/null; stop_servers || true' EXIT
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

# The Debian 12 mirror this machine's apt is set up with, and its proxy if it has one, as apt itself reads them.
mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Release: bookworm' 'Component: main' 'Identifier: Packages' |
  head -n 1)
[ -n "$mirror" ] || fail "apt here has no source for bookworm main (/etc/apt/sources.list*) to make the root from"
eval "$(apt-config shell proxy Acquire::http::Proxy)"
[ -z "${proxy:-}" ] || export http_proxy=$proxy

echo "== debootstrap bookworm (minbase) from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" ||
  fail "debootstrap failed: $(tail -n 5 "$work/debootstrap.log")"
[ -z "${proxy:-}" ] || echo "Acquire::http::Proxy \"$proxy\";" >"$root/etc/apt/apt.conf.d/01proxy"
mount -t proc proc "$root/proc"

packages() { in_root dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' | sort; }
packages >"$work/fresh.list"

echo "== apt install $(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" >"$work/apt.log" 2>&1 ||
  fail "apt could not install the package: $(tail -n 5 "$work/apt.log")"
grep -E 'newly installed|^Setting up quorvane' "$work/apt.log"
in_root dpkg -s quorvane | grep -E '^(Status|Version|Depends|Recommends):'

echo "== first start, as a new user"
in_root useradd -m newcomer
start_x
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.quorvane.Quorvane.desktop")
walk /usr/lib/quorvane "$root/home/newcomer/.config" chroot --userspec=newcomer:newcomer "$root" \
  env -i HOME=/home/newcomer DISPLAY="$DISPLAY" PATH=/usr/bin:/bin $command
kill "${server_pids[-1]}"

echo "== apt purge --autoremove quorvane"
in_root apt-get purge -y -q --autoremove quorvane >"$work/apt.log" 2>&1 || fail "apt could not remove the package: $(cat "$work/apt.log")"
grep -E '^(Removing|Purging configuration files for) quorvane ' "$work/apt.log"
echo "$(grep -c '^Removing' "$work/apt.log") packages removed in all"
left=$(cd "$root" && ls -d usr/lib/quorvane usr/bin/quorvane usr/share/applications/org.quorvane.* \
  usr/share/metainfo/org.quorvane.* usr/share/icons/hicolor/*/apps/quorvane.* usr/share/man/man6/quorvane.* usr/share/doc/quorvane 2>/dev/null || true)
[ -z "$left" ] || fail "left behind after removal: $left"
packages | diff "$work/fresh.list" - || fail "the packages differ from the fresh root's after removal"
echo "PASS: installed, started, showed splash, board and help, removed cleanly on a fresh Debian 12"

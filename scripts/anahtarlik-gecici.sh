#!/usr/bin/env bash
# Runs a program beside a keyring of its own: a private D-Bus session with gnome-keyring's
# Secret Service, its login keyring made and unlocked in $HOME (a test's own HOME), so that
# what the program keeps there never reaches the user's keyring.
#
#   scripts/anahtarlik-gecici.sh PROGRAM [ARGS...]
#
# Needs Debian's dbus and gnome-keyring (scripts/kur.sh installs them).
set -uo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PROGRAM [ARGS...]" >&2; exit 2; }
if ! command -v dbus-run-session >/dev/null || ! command -v gnome-keyring-daemon >/dev/null; then
  kok=$(cd "$(dirname "$0")/.." && pwd)
  . "$kok/scripts/ortak.sh"
  eksikleri_bildir dbus gnome-keyring
fi
mkdir -p "${XDG_DATA_HOME:-$HOME/.local/share}"
exec dbus-run-session -- bash -c '
  printf "%s" zelvora-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null 2>&1 || exit 1
  exec "$@"' anahtarlik "$@"

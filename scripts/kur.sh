#!/usr/bin/env bash
# Installs every Debian package the program and its checks need, and builds it into
# build/. The only script that installs packages: the others say what is missing.
# Usage: scripts/kur.sh [--uretec] [build-type]   (default RelWithDebInfo)
#   --uretec  also node and npm, for scripts/tatilleri-uret.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Building: compiler, Qt, SQLite, libpq, CUPS, libical, libsecret; the Debian package (cpack -G DEB), whose
# dependencies dpkg-shlibdeps computes.
paketler=(cmake g++ make pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-translations-l10n
  libsqlite3-dev sqlite3 libpq-dev libcups2-dev libical-dev libsecret-1-dev
  dpkg-dev file)
# The test programs and the end-to-end checks: a virtual display and the tools that act
# as the user on it, the desktops' fonts (the layout test), faketime, the PDF tools, a
# private CUPS with a PDF printer, the package checks, AT-SPI (read the screen as a
# screen reader does), a notification server (dunst), PostgreSQL and the
# certificates of its TLS check; Radicale (a CalDAV server), a second iCalendar reader, and
# a Secret Service (gnome-keyring, with secret-tool) for the calendar's password; Apache's
# server binary with its WebDAV module (no service), the calendar benchmark's second server.
paketler+=(poppler-utils xvfb xauth x11-utils xdotool openbox imagemagick fonts-dejavu-core fonts-cantarell fonts-noto-core faketime
  cups cups-client printer-driver-cups-pdf
  lintian desktop-file-utils appstream
  python3-pyatspi at-spi2-core dbus-x11 dunst
  postgresql postgresql-client openssl e2fsprogs
  python3-radicale python3-icalendar curl gnome-keyring libsecret-tools
  apache2-bin apache2-utils)
if [ "${1:-}" = --uretec ]; then
  paketler+=(nodejs npm)
  shift
fi

eksik=()
for p in "${paketler[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || eksik+=("$p")
done
if [ ${#eksik[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  echo "installing: ${eksik[*]}" >&2
  "${sudo_cmd[@]}" apt-get update >/dev/null
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${eksik[@]}" >/dev/null \
    || { echo "could not install: ${eksik[*]}" >&2; exit 1; }
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE="${1:-RelWithDebInfo}"
cmake --build build -j"$(nproc)"

#!/usr/bin/env bash
# Installs the Debian packages the program needs and builds it into build/.
# Usage: scripts/kur.sh [build-type]   (default RelWithDebInfo)
set -euo pipefail
cd "$(dirname "$0")/.."

paketler=(cmake g++ make pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-translations-l10n
  libsqlite3-dev sqlite3 libpq-dev libcups2-dev poppler-utils
  xvfb xauth x11-utils imagemagick fonts-dejavu-core)
# The Debian package (cpack -G DEB): its dependencies are computed by dpkg-shlibdeps.
paketler+=(dpkg-dev file)
eksik=()
for p in "${paketler[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || eksik+=("$p")
done
. scripts/ortak.sh
paketleri_kur ${eksik[@]+"${eksik[@]}"}

cmake -S . -B build -DCMAKE_BUILD_TYPE="${1:-RelWithDebInfo}"
cmake --build build -j"$(nproc)"

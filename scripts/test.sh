#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite (no display needed for
# the unit tests; the end-to-end reminder check runs under xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/kur.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
cd ..
if [ -x scripts/hatirlatma-uctan-uca.sh ]; then
  scripts/hatirlatma-uctan-uca.sh build /tmp/zelvora-hatirlatma.png
fi

#!/usr/bin/env bash
# Regenerates src/resources/Tatiller.txt, the official holidays of Türkiye from 2000 to
# 2060 that the duration calculator names. The file is committed: the build never runs
# this script and never needs the network.
#
# Needs node and npm (`scripts/kur.sh --uretec` installs them); the npm package
# date-holidays is installed into a temporary folder at a fixed version, so the same
# version always writes the same file.
set -euo pipefail

KOK="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SURUM="3.37.0"

if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    echo "node and npm are missing: scripts/kur.sh --uretec installs them" >&2
    exit 1
fi

GECICI="$(mktemp -d)"
trap 'rm -rf "$GECICI"' EXIT
(cd "$GECICI" && npm install --no-audit --no-fund --silent "date-holidays@$SURUM" >/dev/null)

node "$KOK/scripts/tatilleri-uret.cjs" "$GECICI/node_modules/date-holidays" "$SURUM" \
    > "$KOK/src/resources/Tatiller.txt"
echo "Yazıldı: $KOK/src/resources/Tatiller.txt ($(grep -vc '^#' "$KOK/src/resources/Tatiller.txt") gün)"

#!/usr/bin/env bash
# Sets everything up, builds and starts Zelvora.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/kur.sh
exec build/zelvora "$@"

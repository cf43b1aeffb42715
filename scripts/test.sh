#!/usr/bin/env bash
# Sets everything up and builds (scripts/kur.sh), then runs the whole test suite with
# CTest: the test programs (offscreen, no display) and the end-to-end checks (label e2e:
# the real program on virtual displays, a private CUPS server and a private PostgreSQL
# server started once for the checks that use them, the fault suite).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/kur.sh
cd build
exec ctest --output-on-failure -j2

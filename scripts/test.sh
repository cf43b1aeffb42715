#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite: the end-to-end reminder
# and printing checks on a virtual display (xvfb-run; printing on a private CUPS
# server), the fault suite (crashes, full disks, file-size limits, damaged files; a short
# run), then the test programs (offscreen, no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/kur.sh
scripts/hatirlatma-uctan-uca.sh build /tmp/zelvora-hatirlatma.png
scripts/hatirlatma-gece-yarisi.sh build /tmp/zelvora-gece-yarisi.png
scripts/hata-dayaniklilik.sh build --oldurme 50 --dolu 10 --sinir 10 --kilitli 4
scripts/yazdirma-uctan-uca.sh build /tmp/zelvora-yazdirma.png
scripts/paket-uctan-uca.sh build /tmp/zelvora-paket.png
scripts/iki-masa-uctan-uca.sh build /tmp/zelvora-iki-masa.png
# A private PostgreSQL server (Unix socket only) for the database module's tests on the
# office server back end; stopped when the tests end.
sunucu_klasoru=$(mktemp -d /tmp/zelvora-sunucu.XXXXXX)
trap 'scripts/sunucu-gecici.sh durdur "$sunucu_klasoru"; rm -rf "$sunucu_klasoru"' EXIT
ZELVORA_TEST_SUNUCU=$(scripts/sunucu-gecici.sh baslat "$sunucu_klasoru")
export ZELVORA_TEST_SUNUCU
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

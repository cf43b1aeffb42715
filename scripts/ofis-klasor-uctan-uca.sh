#!/usr/bin/env bash
# End-to-end check of the folders in office mode, on one PostgreSQL server:
#  1. the update of an older server (sql/sunucu-guncelle-1.sql): the folder numbers go on
#     above every number in use, the job token column comes, and running it twice is harmless;
#  2. a desk starts on a server holding an orphaned folder (its parent deleted): it is not
#     locked out, it says so once, and the orphan shows under "Klasörlerim";
#  3. another desk's folder add, rename and delete show in the desk's tree within 2 s,
#     without F5 (read through AT-SPI, as a screen reader reads it);
#  4. the server refuses to delete a folder that holds a sub-folder, and allocates keys
#     that never collide.
#
# Usage: scripts/ofis-klasor-uctan-uca.sh BUILD_DIR [SCREENSHOT.png]
# Needs postgresql, xvfb, xdotool, x11-utils, python3-pyatspi, at-spi2-core, dbus-x11 and
# imagemagick (scripts/kur.sh installs them). Uses the server named by
# ZELVORA_E2E_SUNUCU_KLASORU (a private server's folder) when it is set, else starts a
# private one. Exit status 0 when every step held.
set -uo pipefail
kok=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = "--ekranda" ]; then
  # Inside xvfb-run and a D-Bus session.
  . "$(dirname "$0")/ortak.sh"
  ekran_bekle
  program=$2; gecici=$3; ekran=$4
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 1
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
  ev="$gecici/masa"
  mkdir -p "$ev/.config" "$ev/.local/share" "$ev/run"
  chmod 700 "$ev/run"
  HOME="$ev" XDG_CONFIG_HOME="$ev/.config" XDG_DATA_HOME="$ev/.local/share" XDG_RUNTIME_DIR="$ev/run" \
    "$program" >"$gecici/masa.log" 2>&1 &
  masa=$!
  pencere() { # TITLE: the desk's window with that title
    local w
    for w in $(xdotool search --name "$1" 2>/dev/null); do
      [ "$(xdotool getwindowpid "$w" 2>/dev/null)" = "$masa" ] && { echo "$w"; return 0; }
    done
    return 1
  }
  ara() { # TEXT: true when a node of the desk (a folder of the tree) is named TEXT
    /usr/bin/python3 - "$masa" "$1" <<'PY'
import sys, pyatspi
pid, aranan = int(sys.argv[1]), sys.argv[2]
def gez(n, d=0):
    if n is None or d > 16:
        return False
    try:
        if n.name == aranan:
            return True
        return any(gez(n.getChildAtIndex(i), d + 1) for i in range(min(n.childCount, 400)))
    except Exception:
        return False
for app in pyatspi.Registry.getDesktop(0):
    try:
        if app is not None and app.get_process_id() == pid and gez(app):
            sys.exit(0)
    except Exception:
        pass
sys.exit(1)
PY
  }
  hata() { echo "FAILED: $*" >&2; import -window root "$ekran" 2>/dev/null; kill "$masa" 2>/dev/null; exit 1; }
  # bekle_agac TEXT yes|no SECONDS-SINCE: the node shows (or is gone) within 2 s of the change.
  bekle_agac() {
    local bas=$3 simdi
    while :; do
      if ara "$1"; then [ "$2" = yes ] && break; else [ "$2" = no ] && break; fi
      simdi=$(date +%s.%N)
      awk -v s="$bas" -v n="$simdi" 'BEGIN { exit !(n - s > 2.0) }' && return 1
      sleep 0.1
    done
    echo "  $(awk -v s="$bas" -v n="$(date +%s.%N)" 'BEGIN { printf "%.2f", n - s }') s"
  }

  # The orphan is told of once, in a box of the program's own; the start goes on.
  for ((i = 0; i < 100; i++)); do
    pencere "Tavrek - Zelvora" >/dev/null && break
    kill -0 "$masa" 2>/dev/null || hata "the desk ended at start: $(cat "$gecici/masa.log")"
    sleep 0.2
  done
  sleep 2
  # Answer the box that is up (the orphan's note); then the main window must be there.
  for w in $(xdotool search --name "Tavrek - Zelvora" 2>/dev/null); do
    [ "$(xdotool getwindowpid "$w" 2>/dev/null)" = "$masa" ] || continue
    xdotool windowfocus --sync "$w" 2>/dev/null; xdotool key Return 2>/dev/null
  done
  sleep 1
  kill -0 "$masa" 2>/dev/null || hata "the desk ended after the orphan's note: $(cat "$gecici/masa.log")"
  ara "Yetim klasör" || { sleep 2; ara "Yetim klasör"; } || hata "the orphaned folder is not in the tree"
  echo "the desk started on a server with an orphaned folder, and shows it"

  # Another desk (here psql) adds, renames and deletes folders.
  psql "$ZELVORA_SUNUCU" -qc "INSERT INTO \"KlasorBilgileriTablosu\" VALUES (nextval('\"KlasorNumarasi\"') || '-Anahtar', 'Klasor', 'Öteki masanın klasörü')" || hata "insert"
  bas=$(date +%s.%N)
  bekle_agac "Öteki masanın klasörü" yes "$bas" || hata "a folder another desk added did not show within 2 s"
  echo "added on another desk: shown"
  psql "$ZELVORA_SUNUCU" -qc "UPDATE \"KlasorBilgileriTablosu\" SET \"Adi\" = 'Yeni adıyla' WHERE \"Adi\" = 'Öteki masanın klasörü'" || hata "update"
  bas=$(date +%s.%N)
  bekle_agac "Yeni adıyla" yes "$bas" || hata "a folder another desk renamed did not follow within 2 s"
  echo "renamed on another desk: followed"
  psql "$ZELVORA_SUNUCU" -qc "DELETE FROM \"KlasorBilgileriTablosu\" WHERE \"Adi\" = 'Yeni adıyla'" || hata "delete"
  bas=$(date +%s.%N)
  bekle_agac "Yeni adıyla" no "$bas" || hata "a folder another desk deleted stayed in the tree"
  echo "deleted on another desk: gone"
  import -window root "$ekran" 2>/dev/null
  kill "$masa" 2>/dev/null
  exit 0
fi

[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [SCREENSHOT.png]" >&2; exit 1; }
yapi=$(cd "$1" && pwd) || exit 1
ekran=$(realpath -m "${2:-/tmp/zelvora-ofis-klasor.png}")
eksik=()
for p in xvfb xauth x11-utils xdotool imagemagick python3-pyatspi at-spi2-core dbus-x11 postgresql-client; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || eksik+=("$p")
done
. "$(dirname "$0")/ortak.sh"
eksikleri_bildir ${eksik[@]+"${eksik[@]}"}

gecici=$(mktemp -d /tmp/zelvora-ofis-klasor.XXXXXX)
chmod 755 "$gecici"
trap '"$kok/scripts/sunucu-gecici.sh" durdur "$gecici/sunucu" 2>/dev/null; rm -rf "$gecici"' EXIT
if [ -n "${ZELVORA_E2E_SUNUCU_KLASORU:-}" ]; then
  sunucu=$ZELVORA_E2E_SUNUCU_KLASORU
else
  "$kok/scripts/sunucu-gecici.sh" baslat "$gecici/sunucu" >/dev/null || { echo "FAILED: no server" >&2; exit 1; }
  sunucu=$gecici/sunucu
fi
sorgu() { psql "$ZELVORA_SUNUCU" -v ON_ERROR_STOP=1 -Atqc "$1"; }

# 1. An older server: without the token column and the folder numbers, holding folders and
# jobs whose numbers go up to 41 (a job of a deleted folder) and 30 (a deleted parent).
ZELVORA_SUNUCU=$("$kok/scripts/sunucu-gecici.sh" veritabani "$sunucu" ofis_eski) || { echo "FAILED: no database" >&2; exit 1; }
export ZELVORA_SUNUCU
sorgu "ALTER TABLE \"YapilacakIslerTablosu\" DROP COLUMN \"KayitBelirteci\"; DROP SEQUENCE \"KlasorNumarasi\";
       INSERT INTO \"KlasorBilgileriTablosu\" VALUES ('3-Anahtar', 'Klasor', 'Üç'), ('12-Anahtar', '30-Anahtar', 'Yetim');
       INSERT INTO \"YapilacakIslerTablosu\"(\"Anahtari\", \"IsinKonusu\") VALUES ('41-Anahtar', 'eski iş')" || exit 1
for kez in 1 2; do
  psql "$ZELVORA_SUNUCU" -q -v ON_ERROR_STOP=1 -f "$kok/sql/sunucu-guncelle-1.sql" >/dev/null \
    || { echo "FAILED: the update did not apply (run $kez)" >&2; exit 1; }
done
sonraki=$(sorgu "SELECT nextval('\"KlasorNumarasi\"')")
[ "$sonraki" = 42 ] || { echo "FAILED: the folder numbers go on at $sonraki, not 42" >&2; exit 1; }
sorgu "SELECT \"KayitBelirteci\" FROM \"YapilacakIslerTablosu\"" >/dev/null || { echo "FAILED: no token column" >&2; exit 1; }
echo "the update of an older server: numbers go on at 42, token column there, twice harmless"

# 4. The rules decided by the server, in one transaction each, also for a desk role that
# holds only the four table rights.
ZELVORA_SUNUCU=$("$kok/scripts/sunucu-gecici.sh" veritabani "$sunucu" ofis_klasor) || { echo "FAILED: no database" >&2; exit 1; }
export ZELVORA_SUNUCU
sorgu "DO \$\$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'masa') THEN CREATE ROLE masa LOGIN; END IF; END \$\$;
       GRANT SELECT, INSERT, UPDATE, DELETE ON \"KlasorBilgileriTablosu\", \"YapilacakIslerTablosu\", \"OnHatirlatmaTablosu\" TO masa" || exit 1
masa_sorgu() { psql "$ZELVORA_SUNUCU user=masa" -v ON_ERROR_STOP=1 -Atqc "$1"; }
a=$(masa_sorgu "INSERT INTO \"KlasorBilgileriTablosu\" VALUES (nextval('\"KlasorNumarasi\"') || '-Anahtar', 'Klasor', 'Bir') RETURNING \"Anahtari\"") \
  || { echo "FAILED: a desk role cannot draw a folder number" >&2; exit 1; }
b=$(masa_sorgu "INSERT INTO \"KlasorBilgileriTablosu\" VALUES (nextval('\"KlasorNumarasi\"') || '-Anahtar', 'Klasor', 'İki') RETURNING \"Anahtari\"")
[ "$a" != "$b" ] || { echo "FAILED: two folders took the key $a" >&2; exit 1; }
echo "a desk role draws folder numbers: $a, $b"
sorgu "DELETE FROM \"KlasorBilgileriTablosu\""

# 2. An orphaned folder: its parent was deleted by hand.
sorgu "INSERT INTO \"KlasorBilgileriTablosu\" VALUES ('90-Anahtar', '77-Anahtar', 'Yetim klasör')" || exit 1
mkdir -p "$gecici/program"
cp "$yapi/zelvora" "$yapi/sablon/Vok.vtb" "$gecici/program/"

sanal_ekranda dbus-run-session -- \
  "$0" --ekranda "$gecici/program/zelvora" "$gecici" "$ekran" 2> >(grep -v '^dbus-daemon\|SpiRegistry' >&2)
sonuc=$?
[ "$sonuc" -eq 0 ] && echo "OK: folders in office mode; screenshot in $ekran"
exit "$sonuc"

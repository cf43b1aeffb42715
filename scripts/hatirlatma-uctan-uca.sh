#!/usr/bin/env bash
# End-to-end check of the reminder: a job due this minute must bring up the window
# "Hatırlatılacak İşler" within 40 seconds of starting the program on a virtual display.
# Builds nothing: it runs the zelvora and Vok.vtb of an existing build folder, from a
# temporary copy with its own HOME, settings and data folders.
#
# Usage: scripts/hatirlatma-uctan-uca.sh BUILD_DIR SCREENSHOT.png
# Exit status: 0 when the window appeared, 1 otherwise (or on a usage/setup error).
set -uo pipefail

BEKLEME_SN=40
PENCERE_BASLIGI="Hatırlatılacak İşler"

# Inside xvfb-run: start the program, wait for the window, take the screenshot.
if [ "${1:-}" = "--ekranda" ]; then
  . "$(dirname "$0")/ortak.sh"
  ekran_bekle
  program="$2"
  ekran_resmi="$3"
  gunluk="$4"
  "$program" >"$gunluk" 2>&1 &
  pid=$!
  bulundu=1
  for ((i = 0; i < BEKLEME_SN * 2; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "zelvora ended before the reminder window appeared" >&2
      break
    fi
    if xwininfo -root -tree 2>/dev/null | grep -qF "\"$PENCERE_BASLIGI\""; then
      bulundu=0
      break
    fi
    # xdotool reads the legacy name, whose Turkish letters depend on the locale.
    if command -v xdotool >/dev/null && xdotool search --name 'Hat.*rlat.*lacak' >/dev/null 2>&1; then
      bulundu=0
      break
    fi
    sleep 0.5
  done
  [ "$bulundu" -eq 0 ] && echo "window \"$PENCERE_BASLIGI\" appeared after about $((i / 2)) s"
  # Let the window paint before the picture is taken.
  sleep 1
  import -window root "$ekran_resmi" || echo "screenshot failed" >&2
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  exit "$bulundu"
fi

. "$(dirname "$0")/ortak.sh"
yapi_ve_resim "$@"

# The tools this check needs.
eksik=()
command -v xvfb-run >/dev/null || eksik+=(xvfb xauth)
command -v xwininfo >/dev/null || eksik+=(x11-utils)
command -v xdotool >/dev/null || eksik+=(xdotool)
command -v import >/dev/null || eksik+=(imagemagick)
command -v sqlite3 >/dev/null || eksik+=(sqlite3)
eksikleri_bildir ${eksik[@]+"${eksik[@]}"}

gecici=$(mktemp -d /tmp/zelvora-uctan-uca.XXXXXX)
trap 'rm -rf "$gecici"' EXIT
# The program and its own files (the empty database template, the alarm sound); the
# user's database lives in the data folder, made here from the template.
masa_hazirla "$yapi" "$gecici"

# A job of today at the current minute, to be reminded and not done.
bugun=$(date +%Y-%m-%d)
saat=$(date +%H:%M:00)
sqlite3 "$veri/Vok.vtb" <<SQL || { echo "could not write the test job" >&2; exit 1; }
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('1-Anahtar', 'Klasor', 'Deneme');
INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi)
  VALUES('1-Anahtar', '$bugun', '$saat', 'Uçtan uca', 'Büro', '1', 'Hatırlatma denemesi', 1, 0);
SQL
echo "job inserted for $bugun $saat"

masa_ortami "$gecici"

sanal_ekranda \
  "$0" --ekranda "$gecici/program/zelvora" "$ekran_resmi" "$gecici/zelvora.log"
sonuc=$?
if [ "$sonuc" -ne 0 ]; then
  echo "FAILED: no window \"$PENCERE_BASLIGI\" within $BEKLEME_SN s; program output:" >&2
  cat "$gecici/zelvora.log" >&2
  exit 1
fi
echo "OK: screenshot in $ekran_resmi"
exit 0

#!/usr/bin/env bash
# End-to-end check that a start-up question is never hidden behind the splash: with the
# database missing and its backup present, the real program under a real window manager
# (openbox on a virtual display) asks whether to restore the backup. The window at the
# top of the window manager's stacking order (_NET_CLIENT_LIST_STACKING) must be that
# question, and no splash may be shown above or beside it. Nothing is answered: the
# program is ended, so neither file is touched.
#
# Usage: scripts/karsilama-uctan-uca.sh BUILD_DIR SCREENSHOT.png
# Exit status: 0 when the question was on top, 1 otherwise.
set -uo pipefail

BEKLEME_SN=30

pencere_turu() { # window id -> its _NET_WM_WINDOW_TYPE atoms
  xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null | sed 's/.*= //'
}

# Inside xvfb-run: the window manager, then the program; read the stacking order.
if [ "${1:-}" = "--ekranda" ]; then
  program="$2" ekran_resmi="$3" gunluk="$4"
  . "$(dirname "$0")/ortak.sh"
  pencere_yoneticisi "$gunluk.wm"
  "$program" >"$gunluk" 2>&1 &
  pid=$!
  sonuc=1
  for ((i = 0; i < BEKLEME_SN * 4; i++)); do
    kill -0 "$pid" 2>/dev/null || { echo "zelvora ended before its question" >&2; break; }
    yigin=$(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed -n 's/.*# //p' | tr -d ',')
    soru=""
    for w in $yigin; do
      pencere_turu "$w" | grep -q _NET_WM_WINDOW_TYPE_DIALOG && soru=$w
    done
    if [ -n "$soru" ]; then
      sleep 1 # let a splash that would come back show itself
      yigin=$(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed -n 's/.*# //p' | tr -d ',')
      ust=$(echo "$yigin" | awk '{print $NF}')
      echo "stacking order, bottom to top: $yigin; the question: $soru"
      for w in $yigin; do
        echo "  $w: $(xprop -id "$w" WM_NAME 2>/dev/null | sed 's/.*= //') $(pencere_turu "$w")"
      done
      if [ "$(printf '%d' "$ust")" != "$(printf '%d' "$soru")" ]; then
        echo "the question is not at the top of the stacking order" >&2
      elif echo "$yigin" | tr ' ' '\n' | while read -r w; do
        [ -n "$w" ] && pencere_turu "$w" | grep -q _NET_WM_WINDOW_TYPE_SPLASH && echo x
      done | grep -q x; then
        echo "a splash is still shown beside the question" >&2
      else
        sonuc=0
      fi
      break
    fi
    sleep 0.25
  done
  import -window root "$ekran_resmi" || echo "screenshot failed" >&2
  kill "$pid" "$PENCERE_YONETICISI" 2>/dev/null
  wait "$pid" "$PENCERE_YONETICISI" 2>/dev/null
  exit "$sonuc"
fi

. "$(dirname "$0")/ortak.sh"
yapi_ve_resim "$@"

eksik=()
command -v xvfb-run >/dev/null || eksik+=(xvfb xauth)
command -v xprop >/dev/null || eksik+=(x11-utils)
command -v openbox >/dev/null || eksik+=(openbox)
command -v import >/dev/null || eksik+=(imagemagick)
eksikleri_bildir ${eksik[@]+"${eksik[@]}"}

gecici=$(mktemp -d /tmp/zelvora-karsilama.XXXXXX)
trap 'rm -rf "$gecici"' EXIT
masa_hazirla "$yapi" "$gecici"
# The database is gone; its backup is there.
yedekler="$gecici/ev/.local/share/Tavrek/Vtb Yedekleri"
mkdir -p -m 0700 "$yedekler"
mv "$veri/Vok.vtb" "$yedekler/Vok.ydk"
ozet=$(sha256sum "$yedekler/Vok.ydk")

masa_ortami "$gecici"

sanal_ekranda "$0" --ekranda "$gecici/program/zelvora" "$ekran_resmi" "$gecici/zelvora.log"
sonuc=$?
if [ "$sonuc" -ne 0 ]; then
  echo "FAILED: the start-up question was not on top; program output:" >&2
  cat "$gecici/zelvora.log" >&2
  exit 1
fi
[ ! -e "$veri/Vok.vtb" ] || { echo "FAILED: the database was restored without an answer" >&2; exit 1; }
[ "$(sha256sum "$yedekler/Vok.ydk")" = "$ozet" ] || { echo "FAILED: the backup changed" >&2; exit 1; }
echo "OK: the question was at the top of the stacking order; screenshot in $ekran_resmi"
exit 0

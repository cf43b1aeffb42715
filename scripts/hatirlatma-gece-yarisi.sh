#!/usr/bin/env bash
# End-to-end check of the real reminder timer across midnight. The program runs on a
# virtual display under faketime, its clock starting at 23:58:40 and running ten times
# as fast. A job of 23:59 brings up "Hatırlatılacak İşler" before midnight; the window
# is left open until after 00:01 and closed with its row unresolved (Esc, then Enter
# on the question). The job, now yesterday's, must come back within one scan (32 s of
# the program's clock) after the close.
#
# Builds nothing: it runs the zelvora and Vok.vtb of an existing build folder, from a
# temporary copy with its own HOME, settings and data folders. Needs faketime and the
# display tools (scripts/kur.sh installs them).
#
# Usage: scripts/hatirlatma-gece-yarisi.sh BUILD_DIR SCREENSHOT.png
# Exit status: 0 when the job came back in time, 1 otherwise.
set -uo pipefail

HIZ=10                        # the program's clock runs this many times as fast
BASLANGIC="2026-12-07 23:58:40"
IS_SAATI="23:59:00"
TARAMA_SN=32
PAY_SN=8                      # slack on the program's clock for loading, keys and polling
DESEN='Hat.*rlat.*lacak'      # the window's title as xdotool reads it, whatever the locale

# Seconds of the program's clock since it started, from the real time elapsed.
sahte_sn() { # real start in ns
  echo $(( ($(date +%s%N) - $1) * HIZ / 1000000000 ))
}

gorunur_mu() {
  xdotool search --onlyvisible --name "$DESEN" 2>/dev/null | tail -1
}

# Inside xvfb-run: start the program under faketime and act as the user.
if [ "${1:-}" = "--ekranda" ]; then
  . "$(dirname "$0")/ortak.sh"
  ekran_bekle
  program="$2"
  ekran_resmi="$3"
  gunluk="$4"
  basla=$(date +%s%N)
  faketime -f "@$BASLANGIC x$HIZ" "$program" >"$gunluk" 2>&1 &
  pid=$!
  kapat() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }

  # 1. The window comes before midnight (80 s of the program's clock after its start).
  id=""
  while [ -z "$id" ]; do
    kill -0 "$pid" 2>/dev/null || { echo "zelvora ended early" >&2; exit 1; }
    [ "$(sahte_sn "$basla")" -ge 80 ] && { echo "no reminder window before midnight" >&2; kapat; exit 1; }
    id=$(gorunur_mu)
    [ -z "$id" ] && sleep 0.1
  done
  echo "reminder window up at about $(sahte_sn "$basla") s after 23:58:40"

  # 2. Left open until after 00:01 (140 s after the start), then closed unresolved.
  while [ "$(sahte_sn "$basla")" -lt 150 ]; do sleep 0.1; done
  [ -n "$(gorunur_mu)" ] || { echo "the reminder window closed by itself" >&2; kapat; exit 1; }
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  sleep 0.2
  xdotool key --clearmodifiers Escape
  sleep 0.5
  # The question "... (30) saniye sonra tekrar hatırlatılacak!" has the focus; Enter is "Evet".
  xdotool key --clearmodifiers Return
  for ((i = 0; i < 30 && ${#id} > 0; i++)); do
    sleep 0.1
    [ -z "$(gorunur_mu)" ] && break
  done
  [ -z "$(gorunur_mu)" ] || { echo "the reminder window did not close" >&2; import -window root "$ekran_resmi"; kapat; exit 1; }
  kapandi=$(sahte_sn "$basla")
  echo "closed with the row unresolved at about $kapandi s after 23:58:40 (after 00:01)"

  # 3. Back within one scan of the close.
  sinir=$((kapandi + TARAMA_SN + PAY_SN))
  sonuc=1
  while [ "$(sahte_sn "$basla")" -le "$sinir" ]; do
    if [ -n "$(gorunur_mu)" ]; then
      sonuc=0
      echo "back after about $(( $(sahte_sn "$basla") - kapandi )) s of the program's clock"
      break
    fi
    sleep 0.05
  done
  sleep 0.5
  import -window root "$ekran_resmi" || echo "screenshot failed" >&2
  kapat
  exit "$sonuc"
fi

. "$(dirname "$0")/ortak.sh"
yapi_ve_resim "$@"

eksik=()
command -v faketime >/dev/null || eksik+=(faketime)
command -v xvfb-run >/dev/null || eksik+=(xvfb xauth)
command -v xdotool >/dev/null || eksik+=(xdotool)
command -v import >/dev/null || eksik+=(imagemagick)
command -v sqlite3 >/dev/null || eksik+=(sqlite3)
eksikleri_bildir ${eksik[@]+"${eksik[@]}"}

gecici=$(mktemp -d /tmp/zelvora-gece-yarisi.XXXXXX)
trap 'rm -rf "$gecici"' EXIT
masa_hazirla "$yapi" "$gecici"
gun=${BASLANGIC%% *}
sqlite3 "$veri/Vok.vtb" <<SQL || { echo "could not write the test job" >&2; exit 1; }
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('1-Anahtar', 'Klasor', 'Deneme');
INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi)
  VALUES('1-Anahtar', '$gun', '$IS_SAATI', 'Gece yarısı', 'Büro', '1', 'Pencere gece yarısından sonra kapatıldı', 1, 0);
SQL
export HOME="$gecici/ev"
export XDG_CONFIG_HOME="$gecici/ev/.config"
export XDG_DATA_HOME="$gecici/ev/.local/share"
export TMPDIR="$gecici/tmp"
export LC_ALL=C.UTF-8
export TZ=UTC
unset QT_QPA_PLATFORM

sanal_ekranda \
  "$0" --ekranda "$gecici/program/zelvora" "$ekran_resmi" "$gecici/zelvora.log"
sonuc=$?
if [ "$sonuc" -ne 0 ]; then
  echo "FAILED: the job of $IS_SAATI did not come back within one scan after the close; program output:" >&2
  cat "$gecici/zelvora.log" >&2
  exit 1
fi
echo "OK: screenshot in $ekran_resmi"
exit 0

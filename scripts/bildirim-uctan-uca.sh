#!/usr/bin/env bash
# End-to-end check of the desktop notification under a real notification server (dunst)
# on a virtual display with a session bus of its own. The program is started three times
# on one desk, each time with jobs due now:
#   1. two jobs: the notification names both (a '&' in a subject arrives as typed), and
#      its action "İş yapıldı", chosen in dunst's menu, marks both done and closes the
#      reminder window;
#   2. one job: the action "15 dakika ertele" moves it 15 minutes on;
#   3. one job: clicking the notification (its default action) reaches the program, and
#      settling the job in the reminder window withdraws the notification.
# Builds nothing: it runs the zelvora and Vok.vtb of an existing build folder.
#
# Usage: scripts/bildirim-uctan-uca.sh BUILD_DIR SCREENSHOT.png
# Exit status: 0 when every step held, 1 otherwise.
set -uo pipefail

BEKLEME_SN=30

# bekle SECONDS COMMAND...: runs the command every half second until it succeeds.
bekle() {
  local sn=$1 i
  shift
  for ((i = 0; i < sn * 2; i++)); do
    "$@" && return 0
    sleep 0.5
  done
  return 1
}

# Inside xvfb-run and dbus-run-session: the notification server, the bus log, the program.
if [ "${1:-}" = --ekranda ]; then
  gecici=$2
  ekran_resmi=$3
  program="$gecici/program/zelvora"
  veri="$gecici/ev/.local/share/Tavrek/Zelvora"
  gunluk="$gecici/zelvora.log"
  yol="$gecici/dbus.log"
  hata=0
  basarisiz() { echo "FAILED: $*" >&2; hata=1; }
  sql() { sqlite3 "$veri/Vok.vtb" "$@"; }
  # isler_ekle SUBJECT...: jobs of today at the current minute, reminded and not done.
  isler_ekle() {
    local konu bugun saat
    bugun=$(date +%Y-%m-%d)
    saat=$(date +%H:%M:00)
    for konu in "$@"; do
      sql "INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi)
           VALUES('1-Anahtar', '$bugun', '$saat', '$konu', 'Büro', '1', '', 1, 0);"
    done
  }
  pencere_var() { xdotool search --name 'Hat.*rlat.*lacak' >/dev/null 2>&1; }
  pencere_yok() { ! pencere_var; }
  bildirim_sayisi() { [ "$(dunstctl count displayed 2>/dev/null)" = "$1" ]; }
  # Lines of the bus log since a given line number hold a text.
  yolda() { tail -n +"$1" "$yol" | grep -qF -- "$2"; }
  baslat() {
    "$program" >>"$gunluk" 2>&1 &
    pid=$!
  }
  bitir() {
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    bekle 10 bildirim_sayisi 0 || dunstctl close-all
  }

  . "$(dirname "$0")/ortak.sh"
  pencere_yoneticisi "$gecici/wm.log"
  # dunst's context menu is a dmenu; ours picks the action named in $gecici/secim.
  cat >"$gecici/secici.sh" <<EOF
#!/bin/sh
grep -m1 -F "\$(cat '$gecici/secim')"
EOF
  chmod +x "$gecici/secici.sh"
  cat >"$gecici/dunstrc" <<EOF
[global]
    dmenu = $gecici/secici.sh
    markup = full
EOF
  dunst -config "$gecici/dunstrc" >"$gecici/dunst.log" 2>&1 &
  dunst_pid=$!
  dbus-monitor --session "interface='org.freedesktop.Notifications'" >"$yol" 2>&1 &
  izleyici_pid=$!
  # Asked of the bus itself: a call to the server would start another one by activation.
  sunucu_var() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null | grep -q true
  }
  bekle 10 sunucu_var || { echo "FAILED: dunst did not come up" >&2; cat "$gecici/dunst.log" >&2; exit 1; }
  sleep 0.5

  # 1. Two jobs; "İş yapıldı" from the notification's menu.
  isler_ekle 'Duruşma & keşif' 'Bilirkişi raporu'
  satir=$(($(wc -l <"$yol") + 1))
  baslat
  if bekle "$BEKLEME_SN" bildirim_sayisi 1; then
    echo "notification shown"
    bekle 5 pencere_var || basarisiz "no reminder window beside the notification"
    yolda "$satir" 'Duruşma &amp; keşif' || basarisiz "the notification does not name the first job as typed"
    yolda "$satir" 'Bilirkişi raporu' || basarisiz "the notification does not name the second job"
    yolda "$satir" 'string "İş yapıldı"' || basarisiz "the notification offers no \"İş yapıldı\""
    yolda "$satir" 'string "15 dakika ertele"' || basarisiz "the notification offers no \"15 dakika ertele\""
    import -window root "$ekran_resmi" || echo "screenshot failed" >&2
    echo 'İş yapıldı' >"$gecici/secim"
    dunstctl context
    iki_is_yapildi() { [ "$(sql "SELECT COUNT(*) FROM YapilacakIslerTablosu WHERE IsYapildi=1")" = 2 ]; }
    bekle 10 iki_is_yapildi \
      || basarisiz "\"İş yapıldı\" did not mark both jobs done"
    bekle 10 pencere_yok || basarisiz "the reminder window stayed up with every job settled"
    kill -0 "$pid" 2>/dev/null || basarisiz "the program ended"
  else
    basarisiz "no notification within $BEKLEME_SN s"
  fi
  bitir

  # 2. One job; "15 dakika ertele".
  isler_ekle 'Ertelenecek iş'
  baslat
  if bekle "$BEKLEME_SN" bildirim_sayisi 1; then
    once=$(date +%s)
    echo '15 dakika ertele' >"$gecici/secim"
    dunstctl context
    ertelendi() {
      local s
      s=$(sql "SELECT IsinTarihi || ' ' || IsinSaati FROM YapilacakIslerTablosu WHERE IsinKonusu='Ertelenecek iş'")
      s=$(date -d "$s" +%s 2>/dev/null) || return 1
      [ "$s" -ge $((once + 14 * 60)) ] && [ "$s" -le $((once + 16 * 60)) ]
    }
    bekle 10 ertelendi || basarisiz "\"15 dakika ertele\" did not move the job 15 minutes on"
    bekle 10 pencere_yok || basarisiz "the reminder window stayed up after the postponement"
  else
    basarisiz "no notification for the job to postpone"
  fi
  bitir

  # 3. One job; the notification clicked, then the job settled in the window.
  isler_ekle 'Pencerede sonuçlanacak'
  satir=$(($(wc -l <"$yol") + 1))
  baslat
  if bekle "$BEKLEME_SN" bildirim_sayisi 1 && bekle 5 pencere_var; then
    # Another window in front first; the click must bring the reminder window back.
    display -title onde-pencere -size 300x200 xc:white &
    resim_pid=$!
    onde_pencere() { xdotool getactivewindow getwindowname 2>/dev/null | grep -q onde-pencere; }
    for ((j = 0; j < 20; j++)); do
      w=$(xdotool search --name onde-pencere 2>/dev/null | head -1)
      [ -n "$w" ] && xdotool windowactivate --sync "$w" 2>/dev/null && onde_pencere && break
      sleep 0.25
    done
    echo "in front before the click: $(xdotool getactivewindow getwindowname 2>/dev/null)"
    dunstctl action 0
    tiklandi() { tail -n +"$satir" "$yol" | grep -A2 -F 'member=ActionInvoked' | grep -qF 'string "default"'; }
    bekle 5 tiklandi || basarisiz "the server did not send the click to the program"
    bekle 5 pencere_var || basarisiz "the reminder window is gone after the click"
    onde() { xdotool getactivewindow getwindowname 2>/dev/null | grep -q 'Hat.*rlat.*lacak'; }
    bekle 5 onde || basarisiz "the click did not bring the reminder window to the front"
    echo "in front after the click: $(xdotool getactivewindow getwindowname 2>/dev/null)"
    kill "$resim_pid" 2>/dev/null
    satir=$(($(wc -l <"$yol") + 1))
    pencere=$(xdotool search --name 'Hat.*rlat.*lacak' | head -1)
    xdotool windowactivate --sync "$pencere" 2>/dev/null
    xdotool key --window "$pencere" alt+a
    sleep 0.3
    xdotool key --window "$pencere" alt+o
    pencerede_yapildi() {
      [ "$(sql "SELECT IsYapildi FROM YapilacakIslerTablosu WHERE IsinKonusu='Pencerede sonuçlanacak'")" = 1 ]
    }
    bekle 10 pencerede_yapildi \
      || basarisiz "the job was not settled in the window"
    bekle 5 yolda "$satir" 'member=CloseNotification' || basarisiz "settling in the window did not withdraw the notification"
    bekle 5 bildirim_sayisi 0 || basarisiz "the notification is still shown"
  else
    basarisiz "no notification and window for the job to settle in the window"
  fi
  bitir

  kill "$izleyici_pid" "$dunst_pid" 2>/dev/null
  if [ "$hata" -ne 0 ]; then
    echo "--- program output" >&2; cat "$gunluk" >&2
    echo "--- dunst" >&2; cat "$gecici/dunst.log" >&2
    echo "--- bus log (last 60 lines)" >&2; tail -60 "$yol" >&2
  fi
  exit "$hata"
fi

. "$(dirname "$0")/ortak.sh"
yapi_ve_resim "$@"

eksik=()
command -v xvfb-run >/dev/null || eksik+=(xvfb xauth)
command -v xdotool >/dev/null || eksik+=(xdotool)
command -v openbox >/dev/null || eksik+=(openbox)
command -v import >/dev/null || eksik+=(imagemagick)
command -v sqlite3 >/dev/null || eksik+=(sqlite3)
command -v dunst >/dev/null || eksik+=(dunst)
command -v dbus-run-session >/dev/null || eksik+=(dbus-x11)
command -v dbus-monitor >/dev/null || eksik+=(dbus-bin)
eksikleri_bildir ${eksik[@]+"${eksik[@]}"}

gecici=$(mktemp -d /tmp/zelvora-bildirim.XXXXXX)
trap 'rm -rf "$gecici"' EXIT
masa_hazirla "$yapi" "$gecici"
sqlite3 "$veri/Vok.vtb" "INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('1-Anahtar', 'Klasor', 'Deneme');" \
  || { echo "could not write the test folder" >&2; exit 1; }
masa_ortami "$gecici"
# The session bus comes from dbus-run-session, not from the caller's session.
unset DBUS_SESSION_BUS_ADDRESS

sanal_ekranda dbus-run-session -- "$0" --ekranda "$gecici" "$ekran_resmi"
sonuc=$?
[ "$sonuc" -eq 0 ] && echo "OK: screenshot in $ekran_resmi"
exit "$sonuc"

#!/usr/bin/env bash
# The private servers that CTest starts once for the checks that use them, and stops at
# the end; a server left behind by an interrupted run in the same folder is stopped and
# removed first.
#
#   fikstur.sh sunucu baslat|durdur DIR   PostgreSQL (scripts/sunucu-gecici.sh), with the
#                                         databases zelvora, iki_masa, sunucu_agi,
#                                         sunucu_kopma, zelvora_takvim and takvim
#   fikstur.sh cups baslat|durdur DIR     CUPS with a PDF printer (scripts/cups-gecici.sh);
#                                         needs root
#   fikstur.sh radicale baslat|durdur DIR a CalDAV server (scripts/radicale-gecici.sh) on
#                                         127.0.0.1, its address in DIR/adres
#   fikstur.sh webdav baslat|durdur DIR   a WebDAV server (scripts/webdav-gecici.sh) on
#                                         127.0.0.1, its address in DIR/adres
set -uo pipefail
betikler=$(cd "$(dirname "$0")/../../scripts" && pwd)
[ $# -eq 3 ] || { echo "usage: $0 sunucu|cups|radicale|webdav baslat|durdur DIR" >&2; exit 2; }
tur=$1
islem=$2
klasor=$3
case "$tur" in
  sunucu) betik="$betikler/sunucu-gecici.sh" ;;
  cups) betik="$betikler/cups-gecici.sh" ;;
  radicale) betik="$betikler/radicale-gecici.sh" ;;
  webdav) betik="$betikler/webdav-gecici.sh" ;;
  *) echo "usage: $0 sunucu|cups|radicale|webdav baslat|durdur DIR" >&2; exit 2 ;;
esac

durdur() {
  [ -d "$klasor" ] || return 0
  "$betik" durdur "$klasor" 2>/dev/null
  rm -rf "$klasor"
}

case "$islem" in
  baslat)
    durdur
    if [ "$tur" = cups ] && [ "$(id -u)" -ne 0 ]; then
      # The printing check says so itself, and fails under CI.
      echo "no private CUPS server: it needs root"
      [ "${CI:-}" = true ] && exit 1
      exit 0
    fi
    # The folder above is shared by the servers, each running as its own user.
    mkdir -p "$(dirname "$klasor")"
    chmod 0755 "$(dirname "$klasor")"
    "$betik" baslat "$klasor" || exit 1
    if [ "$tur" = sunucu ]; then
      for vt in iki_masa sunucu_agi sunucu_kopma zelvora_takvim takvim; do "$betik" veritabani "$klasor" "$vt" >/dev/null || exit 1; done
    fi
    exit 0
    ;;
  durdur)
    durdur
    rmdir "$(dirname "$klasor")" 2>/dev/null
    exit 0
    ;;
  *) echo "usage: $0 sunucu|cups|radicale|webdav baslat|durdur DIR" >&2; exit 2 ;;
esac

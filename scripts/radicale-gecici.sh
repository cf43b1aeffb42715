#!/usr/bin/env bash
# A private CalDAV server (Radicale) for the calendar tests and benchmarks: listening on
# 127.0.0.1 only, its settings, user file (plain passwords) and storage in a folder, with
# one user "zelvora" (password "zelvora") and a calendar collection "takvim" made.
#
#   scripts/radicale-gecici.sh baslat DIR   starts it; prints the collection's address. A
#                                           folder used before keeps its port and storage,
#                                           so a server stopped and started again comes
#                                           back at the same address with the same events.
#   scripts/radicale-gecici.sh durdur DIR   stops it (the folder is left for the caller)
#
# Needs Debian's python3-radicale and curl (scripts/kur.sh installs them).
set -uo pipefail
. "$(cd "$(dirname "$0")" && pwd)/ortak.sh"
kullanim() { echo "usage: $0 baslat|durdur DIR" >&2; exit 2; }
[ $# -eq 2 ] || kullanim
islem=$1
klasor=$2
python=/usr/bin/python3
kullanici=zelvora
parola=zelvora

durdur() { sureci_durdur "$klasor/radicale.pid"; }

case "$islem" in
  baslat)
    if ! "$python" -c 'import radicale' 2>/dev/null || ! command -v curl >/dev/null; then
      eksikleri_bildir python3-radicale curl
    fi
    mkdir -p "$klasor/depo"
    klasor=$(cd "$klasor" && pwd)
    durdur
    if [ ! -s "$klasor/port" ]; then
      "$python" -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])' >"$klasor/port"
    fi
    port=$(cat "$klasor/port")
    printf '%s:%s\n' "$kullanici" "$parola" >"$klasor/kullanicilar"
    chmod 0600 "$klasor/kullanicilar"
    cat >"$klasor/ayar" <<EOC
[server]
hosts = 127.0.0.1:$port
max_connections = 20
timeout = 30

[auth]
type = htpasswd
htpasswd_filename = $klasor/kullanicilar
htpasswd_encryption = plain
delay = 0

[rights]
type = owner_only

[storage]
filesystem_folder = $klasor/depo

[logging]
level = warning
EOC
    # Its own session, its output in the log: it outlives this script until durdur.
    setsid "$python" -m radicale -C "$klasor/ayar" </dev/null >>"$klasor/radicale.log" 2>&1 &
    echo $! >"$klasor/radicale.pid"
    adres="http://127.0.0.1:$port/$kullanici/takvim/"
    for ((i = 0; i < 80; i++)); do
      kod=$(curl -s -o /dev/null -w '%{http_code}' -u "$kullanici:$parola" -X PROPFIND -H 'Depth: 0' \
        "http://127.0.0.1:$port/$kullanici/" 2>/dev/null)
      [ "$kod" = 207 ] && break
      sleep 0.25
    done
    if [ "${kod:-}" != 207 ]; then
      echo "FAILED: the private Radicale server did not start" >&2
      cat "$klasor/radicale.log" >&2
      durdur
      exit 1
    fi
    # The collection, once (a folder used before has it already: 405 or 409).
    kod=$(curl -s -o /dev/null -w '%{http_code}' -u "$kullanici:$parola" -X MKCALENDAR "$adres")
    case "$kod" in
      201 | 405 | 409) ;;
      *) echo "FAILED: MKCALENDAR answered $kod" >&2; durdur; exit 1 ;;
    esac
    echo "$adres" >"$klasor/adres"
    echo "$adres"
    ;;
  durdur)
    [ -d "$klasor" ] || exit 0
    durdur
    ;;
  *) kullanim ;;
esac
exit 0

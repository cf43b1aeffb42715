#!/usr/bin/env bash
# A private PostgreSQL server for the tests and benchmarks: its own cluster in a folder,
# listening only on a Unix socket in that folder (no TCP), with Zelvora's schema applied
# from sql/sunucu.sql to a database "zelvora".
#
#   scripts/sunucu-gecici.sh baslat DIR   starts it; prints the libpq connection string
#   scripts/sunucu-gecici.sh durdur DIR   stops it (the folder is left for the caller)
#
# Installs Debian's postgresql when it is missing. PostgreSQL will not run as root, so
# under root the server runs as the user "nobody".
set -euo pipefail
kok=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 2 ] || { echo "usage: $0 baslat|durdur DIR" >&2; exit 2; }
islem=$1
klasor=$2

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [ -z "$pgbin" ] || ! command -v psql >/dev/null; then
  . "$kok/scripts/ortak.sh"
  paketleri_kur postgresql postgresql-client
  pgbin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
fi

kullanici() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u nobody -- "$@"
  else
    "$@"
  fi
}

case "$islem" in
  baslat)
    mkdir -p "$klasor"
    klasor=$(cd "$klasor" && pwd)
    [ "$(id -u)" -eq 0 ] && chown nobody "$klasor"
    chmod 0755 "$klasor"
    kullanici "$pgbin/initdb" -D "$klasor/veri" -U zelvora -A trust -E UTF8 --locale=C.UTF-8 >"$klasor/initdb.log" 2>&1 \
      || { cat "$klasor/initdb.log" >&2; exit 1; }
    kullanici "$pgbin/pg_ctl" -D "$klasor/veri" -l "$klasor/sunucu.log" -w \
      -o "-c listen_addresses='' -c unix_socket_directories='$klasor' -c fsync=on" start >/dev/null \
      || { cat "$klasor/sunucu.log" >&2; exit 1; }
    "$pgbin/createdb" -h "$klasor" -U zelvora zelvora
    psql -q -h "$klasor" -U zelvora -d zelvora -v ON_ERROR_STOP=1 -f "$kok/sql/sunucu.sql" >/dev/null
    echo "host=$klasor user=zelvora dbname=zelvora"
    ;;
  durdur)
    klasor=$(cd "$klasor" && pwd)
    kullanici "$pgbin/pg_ctl" -D "$klasor/veri" -m fast -w stop >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: $0 baslat|durdur DIR" >&2
    exit 2
    ;;
esac

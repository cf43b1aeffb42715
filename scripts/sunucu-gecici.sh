#!/usr/bin/env bash
# A private PostgreSQL server for the tests and benchmarks: its own cluster in a folder,
# listening only on a Unix socket in that folder (no TCP), with Zelvora's schema applied
# from sql/sunucu.sql to a database "zelvora".
#
#   scripts/sunucu-gecici.sh baslat DIR           starts it; prints the libpq connection string
#   scripts/sunucu-gecici.sh veritabani DIR NAME  adds a database NAME with the schema (one
#                                                 already there is made anew); prints its string
#   scripts/sunucu-gecici.sh masa DIR NAME        a desk role "masa" (password "masa") with
#                                                 only SELECT, INSERT, UPDATE and DELETE on
#                                                 the tables of database NAME, as an office
#                                                 runs its desks; prints the desk's string
#   scripts/sunucu-gecici.sh durdur DIR           stops it (the folder is left for the caller)
#
# Needs Debian's postgresql (scripts/kur.sh installs it). PostgreSQL will not run as root,
# so under root the server runs as the user "nobody".
set -euo pipefail
kok=$(cd "$(dirname "$0")/.." && pwd)
kullanim() { echo "usage: $0 baslat DIR | veritabani DIR NAME | masa DIR NAME | durdur DIR" >&2; exit 2; }
[ $# -ge 2 ] || kullanim
islem=$1
klasor=$2

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [ -z "$pgbin" ] || ! command -v psql >/dev/null; then
  . "$kok/scripts/ortak.sh"
  eksikleri_bildir postgresql postgresql-client
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
    "$0" veritabani "$klasor" zelvora
    ;;
  veritabani)
    [ $# -eq 3 ] || kullanim
    klasor=$(cd "$klasor" && pwd)
    PGOPTIONS="-c client_min_messages=warning" "$pgbin/dropdb" -h "$klasor" -U zelvora --if-exists "$3"
    "$pgbin/createdb" -h "$klasor" -U zelvora "$3"
    psql -q -h "$klasor" -U zelvora -d "$3" -v ON_ERROR_STOP=1 -f "$kok/sql/sunucu.sql" >/dev/null
    echo "host=$klasor user=zelvora dbname=$3"
    ;;
  masa)
    [ $# -eq 3 ] || kullanim
    klasor=$(cd "$klasor" && pwd)
    # The schema belongs to the administrator; the desk may read and write rows, nothing else.
    psql -q -h "$klasor" -U zelvora -d "$3" -v ON_ERROR_STOP=1 >/dev/null <<'SQL'
SET client_min_messages = warning;
DO $$ BEGIN
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'masa') THEN
    CREATE ROLE masa LOGIN PASSWORD 'masa' NOSUPERUSER NOCREATEDB NOCREATEROLE;
  END IF;
END $$;
REVOKE ALL ON SCHEMA public FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO masa;
GRANT SELECT, INSERT, UPDATE, DELETE ON "KlasorBilgileriTablosu", "YapilacakIslerTablosu", "OnHatirlatmaTablosu",
  "TakvimdanAlinanlar" TO masa;
GRANT SELECT ON "VeritabaniKimligi" TO masa;
SQL
    echo "host=$klasor user=masa dbname=$3"
    ;;
  durdur)
    klasor=$(cd "$klasor" && pwd)
    kullanici "$pgbin/pg_ctl" -D "$klasor/veri" -m fast -w stop >/dev/null 2>&1 || true
    ;;
  *)
    kullanim
    ;;
esac

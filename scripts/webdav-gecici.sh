#!/usr/bin/env bash
# A private WebDAV server (Apache's mod_dav, from Debian's apache2-bin, run as a program and
# not as the system's service) for the calendar benchmark: listening on 127.0.0.1 only, its
# settings in a folder (its storage and password file too, or, started by root, beside it
# under /tmp), one user "zelvora" (password "zelvora") and a collection "takvim". It answers the requests the publisher makes (PROPFIND, PUT
# and DELETE with If-Match / If-None-Match, GET, HEAD) with a cost that does not grow with
# the number of events, unlike Radicale's, so it shows what the publisher itself can do.
#
#   scripts/webdav-gecici.sh baslat DIR   starts it; prints the collection's address (also
#                                         kept in DIR/adres)
#   scripts/webdav-gecici.sh durdur DIR   stops it (the folder is left for the caller)
set -uo pipefail
. "$(cd "$(dirname "$0")" && pwd)/ortak.sh"
kullanim() { echo "usage: $0 baslat|durdur DIR" >&2; exit 2; }
[ $# -eq 2 ] || kullanim
islem=$1
klasor=$2
apache=/usr/sbin/apache2
moduller=/usr/lib/apache2/modules
kullanici=zelvora
parola=zelvora

durdur() { sureci_durdur "$klasor/httpd.pid"; }

case "$islem" in
  baslat)
    if [ ! -x "$apache" ] || [ ! -f "$moduller/mod_dav_fs.so" ] || ! command -v htpasswd >/dev/null \
      || ! command -v curl >/dev/null; then
      eksikleri_bildir apache2-bin apache2-utils curl
    fi
    mkdir -p "$klasor"
    klasor=$(cd "$klasor" && pwd)
    durdur
    # Started by root, Apache's workers run as nobody, which may not pass through the
    # caller's private folders: the events and locks are then kept in a folder of nobody's
    # own under /tmp, named in the caller's folder and removed by durdur.
    kimle=""
    depo=$klasor/depo
    if [ "$(id -u)" -eq 0 ]; then
      [ -s "$klasor/depo-yolu" ] || mktemp -d /tmp/zelvora-webdav.XXXXXX >"$klasor/depo-yolu"
      depo=$(cat "$klasor/depo-yolu")
      kimle=$'User nobody\nGroup nogroup'
    fi
    mkdir -p "$depo/dav/$kullanici/takvim" "$depo/kilit"
    port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    htpasswd -bcB "$depo/parolalar" "$kullanici" "$parola" 2>/dev/null
    if [ "$(id -u)" -eq 0 ]; then
      chown -R nobody:nogroup "$depo"
      chmod 0700 "$depo"
    fi
    cat >"$klasor/httpd.conf" <<EOC
ServerRoot "$klasor"
ServerName 127.0.0.1
Listen 127.0.0.1:$port
PidFile "$klasor/httpd.pid"
ErrorLog "$klasor/hata.log"
LogLevel warn
$kimle
LoadModule mpm_event_module $moduller/mod_mpm_event.so
LoadModule authn_core_module $moduller/mod_authn_core.so
LoadModule authn_file_module $moduller/mod_authn_file.so
LoadModule auth_basic_module $moduller/mod_auth_basic.so
LoadModule authz_core_module $moduller/mod_authz_core.so
LoadModule authz_user_module $moduller/mod_authz_user.so
LoadModule dav_module $moduller/mod_dav.so
LoadModule dav_fs_module $moduller/mod_dav_fs.so
DocumentRoot "$depo/dav"
DavLockDB "$depo/kilit/kilitler"
KeepAlive On
MaxKeepAliveRequests 0
<Directory />
  AllowOverride None
</Directory>
<Directory "$depo/dav">
  Dav On
  AuthType Basic
  AuthName "zelvora"
  AuthUserFile "$depo/parolalar"
  Require valid-user
</Directory>
EOC
    "$apache" -f "$klasor/httpd.conf" -k start >>"$klasor/hata.log" 2>&1
    adres="http://127.0.0.1:$port/$kullanici/takvim/"
    for ((i = 0; i < 80; i++)); do
      kod=$(curl -s -o /dev/null -w '%{http_code}' -u "$kullanici:$parola" -X PROPFIND -H 'Depth: 0' "$adres" 2>/dev/null)
      [ "$kod" = 207 ] && break
      sleep 0.25
    done
    if [ "${kod:-}" != 207 ]; then
      echo "FAILED: the private WebDAV server did not start" >&2
      tail -n 20 "$klasor/hata.log" >&2
      durdur
      exit 1
    fi
    echo "$adres" >"$klasor/adres"
    echo "$adres"
    ;;
  durdur)
    [ -d "$klasor" ] || exit 0
    durdur
    if [ -s "$klasor/depo-yolu" ]; then
      depo=$(cat "$klasor/depo-yolu")
      case "$depo" in /tmp/zelvora-webdav.*) rm -rf "$depo" ;; esac
      rm -f "$klasor/depo-yolu"
    fi
    ;;
  *) kullanim ;;
esac
exit 0

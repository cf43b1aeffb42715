#!/usr/bin/env bash
# A private CUPS server for the printing checks: its files, spool, logs and socket in a
# folder, and a PDF printer "ZelvoraPDF" (cups-pdf) as its default, whose PDFs go to
# DIR/pdf; CUPS keeps each job's file in DIR/kuyruk. The user's printers and settings are
# not touched. cups-pdf reads its settings only from /etc/cups, so one file named after
# this server, /etc/cups/cups-pdf-zelvora<pid>.conf, sends the PDFs into DIR; durdur
# removes it. cupsd runs the cups-pdf backend as root only when it runs as root itself:
# run this as root.
#
#   scripts/cups-gecici.sh baslat DIR   starts it; the socket is DIR/durum/cups.sock
#   scripts/cups-gecici.sh durdur DIR   stops it (the folder is left for the caller)
set -uo pipefail
. "$(cd "$(dirname "$0")" && pwd)/ortak.sh"
[ $# -eq 2 ] || { echo "usage: $0 baslat|durdur DIR" >&2; exit 2; }
islem=$1
c=$2

case "$islem" in
  baslat)
    ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -1)
    [ -n "$ppd" ] || { echo "no cups-pdf PPD found" >&2; exit 1; }
    mkdir -p "$c/ayar" "$c/onbellek" "$c/kuyruk/tmp" "$c/gunluk" "$c/durum" "$c/pdf" "$c/pdf-kuyruk"
    c=$(cd "$c" && pwd)
    ornek="zelvora$$"
    echo "$ornek" >"$c/ornek"
    soket="$c/durum/cups.sock"
    # Filters run as the unprivileged user lp: they must reach the spool and temporary folders.
    chmod 0755 "$c" "$c/kuyruk"
    chmod 1777 "$c/kuyruk/tmp"
    cat >"$c/ayar/cups-files.conf" <<EOC
SystemGroup root
ServerRoot $c/ayar
CacheDir $c/onbellek
DataDir /usr/share/cups
ServerBin /usr/lib/cups
RequestRoot $c/kuyruk
StateDir $c/durum
TempDir $c/kuyruk/tmp
AccessLog $c/gunluk/access_log
ErrorLog $c/gunluk/error_log
PageLog $c/gunluk/page_log
EOC
    cat >"$c/ayar/cupsd.conf" <<EOC
LogLevel debug
Listen $soket
PreserveJobFiles Yes
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOC
    cat >"/etc/cups/cups-pdf-$ornek.conf" <<EOC
Out $c/pdf
AnonDirName $c/pdf
Spool $c/pdf-kuyruk
Log $c/gunluk
Grp root
EOC
    # Its own session, its output in the log: it outlives this script until durdur.
    setsid cupsd -f -c "$c/ayar/cupsd.conf" -s "$c/ayar/cups-files.conf" </dev/null >"$c/gunluk/cupsd.out" 2>&1 &
    echo $! >"$c/cupsd.pid"
    export CUPS_SERVER="$soket"
    for ((i = 0; i < 40; i++)); do
      [ -S "$soket" ] && lpstat -r 2>/dev/null | grep -q 'is running' && break
      sleep 0.25
    done
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
      echo "FAILED: the private CUPS server did not start" >&2
      cat "$c/gunluk/cupsd.out" "$c/gunluk/error_log" >&2 2>/dev/null
      exit 1
    fi
    lpadmin -p ZelvoraPDF -E -v "cups-pdf:/$ornek" -P "$ppd" 2>/dev/null \
      && lpadmin -d ZelvoraPDF \
      || { echo "FAILED: lpadmin could not add the PDF printer" >&2; exit 1; }
    ;;
  durdur)
    [ -d "$c" ] || exit 0
    sureci_durdur "$c/cupsd.pid"
    [ -f "$c/ornek" ] && rm -f "/etc/cups/cups-pdf-$(cat "$c/ornek").conf"
    ;;
  *)
    echo "usage: $0 baslat|durdur DIR" >&2
    exit 2
    ;;
esac
exit 0

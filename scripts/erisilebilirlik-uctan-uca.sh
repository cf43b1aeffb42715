#!/usr/bin/env bash
# End-to-end check of what a screen reader reads: the real program on a virtual display
# with a window manager (openbox) and an AT-SPI bus, with one job due now. The reminder
# window that it brings up is read first and settled; then every window reachable from
# the main window by the keyboard is opened with the keys a user presses (Tercihler, Süre
# Hesaplama, Giriş Şifresi Belirle, Arama İşlemleri, Yapılacak İş Ekleme and its Takvim,
# Yapılacak İşleri Listele, Hata Bildirme, Hakkında). In each, the accessible tree is
# walked: every focusable control (push button, check box, radio button, text, combo
# box, spin button, table, tree, list, page tab) must have a name, every text field must
# give its text, and the values named below must be readable (the job's subject and
# description, the date in the date boxes, the About window's user name with its
# caption). The check fails listing every control and value found wanting.
#
# Usage: scripts/erisilebilirlik-uctan-uca.sh BUILD_DIR SCREENSHOT.png
# The screenshot is of the job editor; one of every window is kept beside it as
# SCREENSHOT-<window>.png. Exit status: 0 when every window passed, 1 otherwise.
set -uo pipefail

# Inside xvfb-run and a D-Bus session.
if [ "${1:-}" = "--ekranda" ]; then
  program=$2 ekran_resmi=$3 gunluk=$4
  . "$(dirname "$0")/ortak.sh"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  pencere_yoneticisi "$gunluk.wm"
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  "$program" >"$gunluk" 2>&1 &
  pid=$!
  sorunlar=""

  pencere() { # TITLE: the program's visible window with exactly that title
    local w
    for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
      [ "$(xdotool getwindowpid "$w" 2>/dev/null)" = "$pid" ] && { echo "$w"; return 0; }
    done
    return 1
  }
  bekle_pencere() { # TITLE SECONDS
    local i
    for ((i = 0; i < $2 * 5; i++)); do
      pencere "$1" >/dev/null && return 0
      kill -0 "$pid" 2>/dev/null || return 1
      sleep 0.2
    done
    return 1
  }
  kapanmasini_bekle() { # TITLE SECONDS
    local i
    for ((i = 0; i < $2 * 5; i++)); do
      pencere "$1" >/dev/null || return 0
      sleep 0.2
    done
    return 1
  }
  tuslar() { # WINDOW KEY...: each key pressed on that window, with time to act between
    local w=$1 t
    shift
    xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus --sync "$w" 2>/dev/null
    sleep 0.3
    for t in "$@"; do
      xdotool key --clearmodifiers "$t"
      sleep 0.4
    done
  }
  # oku TITLE VALUE...: walks the accessible tree of the program's window of that title;
  # prints what is wanting, one a line (nothing when all is well).
  oku() {
    /usr/bin/python3 - "$pid" "$@" <<'PY'
import os, sys, pyatspi
pid, baslik, beklenenler = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
dokum = os.environ.get("ZELVORA_DOKUM") == "1"  # every object walked, to standard error
DENETIMLER = {"push button", "toggle button", "check box", "radio button", "text", "password text", "entry",
              "combo box", "spin button", "table", "tree table", "tree", "list", "list box", "page tab"}
METINLER = {"text", "password text", "entry"}

def pencereler():
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is None or app.get_process_id() != pid:
                continue
            for i in range(app.childCount):
                w = app.getChildAtIndex(i)
                if w is not None and w.name == baslik:
                    yield w
        except Exception:
            continue

def metni(n):
    try:
        t = n.queryText()
    except NotImplementedError:
        return None
    return t.getText(0, t.characterCount)

sorunlar, okunanlar = [], []
def gez(n, yol, derinlik=0):
    if n is None or derinlik > 30:
        return
    try:
        rol, ad, durum = n.getRoleName(), (n.name or ""), n.getState()
    except Exception:
        return
    if not durum.contains(pyatspi.STATE_SHOWING):
        return
    metin = metni(n)
    okunanlar.extend(x for x in (ad, metin) if x)
    yer = yol + "/" + rol + (" '" + ad + "'" if ad else "")
    if dokum:
        print("  " * derinlik + rol + " " + repr(ad) + " " + repr(metin) + (" focusable" if durum.contains(pyatspi.STATE_FOCUSABLE) else ""), file=sys.stderr)
    if rol in DENETIMLER and durum.contains(pyatspi.STATE_FOCUSABLE) and not ad.strip():
        sorunlar.append("no name: " + yer + (" (value " + repr(metin) + ")" if metin else ""))
    if rol in METINLER and metin is None:
        sorunlar.append("text field without its text: " + yer)
    # The cells of a long list are not walked one by one.
    for i in range(min(n.childCount, 120)):
        gez(n.getChildAtIndex(i), yer, derinlik + 1)

bulunan = [w for w in pencereler() if w.getState().contains(pyatspi.STATE_SHOWING)]
if not bulunan:
    print("window not found in the accessible tree")
    sys.exit(0)
gez(bulunan[-1], "")
for b in beklenenler:
    if not any(b in o for o in okunanlar):
        sorunlar.append("value not readable: " + repr(b))
for s in sorunlar:
    print(s)
PY
  }
  # denetle TITLE SHORTNAME VALUE...: reads the open window, keeps its picture and notes
  # what was wanting.
  denetle() {
    local baslik=$1 kisa=$2 sonuc
    shift 2
    sleep 0.8 # let it paint and Qt announce its controls
    sonuc=$(oku "$baslik" "$@" 2>"$gunluk.agac") || sonuc+=$'\n'"the walk failed: $(tail -3 "$gunluk.agac")"
    [ "${ZELVORA_DOKUM:-}" = 1 ] && cp "$gunluk.agac" "${ekran_resmi%.png}-$kisa.txt"
    import -window root "${ekran_resmi%.png}-$kisa.png" 2>/dev/null
    if [ -n "$sonuc" ]; then
      sorunlar+="$baslik:"$'\n'"$(sed 's/^/  /' <<<"$sonuc")"$'\n'
      echo "$baslik: $(wc -l <<<"$sonuc") problem(s)"
    else
      echo "$baslik: every control named"
    fi
  }
  # ac TITLE KEY...: opens a window from the main window with those keys; a loaded machine
  # may swallow a key, so the keys are tried again when the window did not come up.
  ac() {
    local baslik=$1 deneme
    shift
    for deneme in 1 2 3 4; do
      tuslar "$ana" "$@"
      bekle_pencere "$baslik" 6 && return 0
      tuslar "$ana" Escape Escape
    done
    return 1
  }
  # kapat TITLE [KEY...]: Esc (or the keys given) until the window has gone.
  kapat() {
    local baslik=$1 deneme w
    shift
    [ $# -gt 0 ] || set -- Escape
    for deneme in 1 2 3 4; do
      w=$(pencere "$baslik") || return 0
      tuslar "$w" "$@"
      kapanmasini_bekle "$baslik" 3 && return 0
    done
    echo "FAILED: window $baslik did not close" >&2
    return 1
  }
  bitir() { # STATUS
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    exit "$1"
  }
  hata() { echo "FAILED: $*" >&2; import -window root "$ekran_resmi" 2>/dev/null; bitir 1; }

  # The job due now brings up the reminder window with the first scan.
  bekle_pencere "Hatırlatılacak İşler" 60 || hata "no reminder window: $(cat "$gunluk")"
  denetle "Hatırlatılacak İşler" hatirlatma "Erişim Denemesi" "Ekran okuyucu denemesi"
  # Settled as done ("İş yapıldı", "Tamam"), so that it does not come back.
  for deneme in 1 2 3; do
    w=$(pencere "Hatırlatılacak İşler") || break
    tuslar "$w" alt+a alt+o
    kapanmasini_bekle "Hatırlatılacak İşler" 4 && break
  done
  pencere "Hatırlatılacak İşler" >/dev/null && hata "the reminder window did not close"

  bekle_pencere "^Tavrek - Zelvora" 20 || hata "no main window"
  ana=$(pencere "^Tavrek - Zelvora")
  bugun=$(date +%d.%m.%Y)
  denetle "$(xdotool getwindowname "$ana")" ana "Büro"

  ac "^Tercihler$" alt+p t || hata "Tercihler did not open"
  denetle "Tercihler" tercihler
  kapat "^Tercihler$" || bitir 1

  ac "^Süre Hesaplama$" alt+p h || hata "Süre Hesaplama did not open"
  denetle "Süre Hesaplama" sure "$bugun"
  kapat "^Süre Hesaplama$" || bitir 1

  # The first entry of "&Program".
  ac "^Giriş Şifresi Belirle$" alt+p Down Up Return || hata "Giriş Şifresi Belirle did not open"
  denetle "Giriş Şifresi Belirle" sifre
  # Esc asks "GİRİŞ ŞİFRESİ belirlemek istemiyor musunuz?": Yes.
  kapat "^Giriş Şifresi Belirle$" Escape Return || bitir 1

  ac "^Arama İşlemleri" F3 || hata "Arama İşlemleri did not open"
  denetle "Arama İşlemleri..." arama
  kapat "^Arama İşlemleri" || bitir 1

  # The folder "Büro" (below "Zelvora" and "Klasörlerim"), then "&Yeni İş Ekle...".
  ac "^Yapılacak İş Ekleme .Büro.$" alt+k Home Down Down alt+a y || hata "the job editor did not open"
  # A date and a subject typed in, to be read back ("İşin &Tarihi :", "İşin &Konusu :").
  editor=$(pencere "^Yapılacak İş Ekleme .Büro.$")
  tuslar "$editor" alt+t
  xdotool type --delay 60 "$bugun"
  tuslar "$editor" alt+k
  xdotool type --delay 60 "durusma"
  denetle "Yapılacak İş Ekleme (Büro)" is-ekleme "$bugun" "durusma"
  import -window root "$ekran_resmi" 2>/dev/null
  # "T&arihi Takvimden Seç".
  for deneme in 1 2 3 4; do
    tuslar "$editor" alt+a
    bekle_pencere "^Takvim$" 6 && break
  done
  pencere "^Takvim$" >/dev/null || hata "Takvim did not open from the job editor"
  denetle "Takvim" takvim
  kapat "^Takvim$" || bitir 1
  # "Kapat (Esc)" waits while a job is being edited: "Vazgeç" first (before the date box
  # in the tab order), then Esc.
  kapat "^Yapılacak İş Ekleme .Büro.$" alt+t shift+Tab space Escape || bitir 1

  # The last entry of "Y&apılacak İşler".
  ac "^Yapılacak İşleri Listele$" alt+a Up Return || hata "Yapılacak İşleri Listele did not open"
  denetle "Yapılacak İşleri Listele" listele
  kapat "^Yapılacak İşleri Listele$" || bitir 1

  ac "^Hata Bildirme$" alt+y h || hata "Hata Bildirme did not open"
  denetle "Hata Bildirme" hata-bildirme
  kapat "^Hata Bildirme$" || bitir 1

  # The last entry of "&Yardım"; the user's name is read with its caption.
  kullanici=$(getent passwd "$(id -un)" | cut -d: -f5 | cut -d, -f1)
  ac "^Hakkında$" alt+y Up Return || hata "Hakkında did not open"
  denetle "Hakkında" hakkinda "Kullanıcı Adı: $kullanici" "Kuruluş Adı:"
  kapat "^Hakkında$" || bitir 1

  if [ -n "$sorunlar" ]; then
    echo "FAILED: controls a screen reader cannot read:" >&2
    printf '%s' "$sorunlar" >&2
    bitir 1
  fi
  bitir 0
fi

. "$(dirname "$0")/ortak.sh"
yapi_ve_resim "$@"

eksik=()
command -v xvfb-run >/dev/null || eksik+=(xvfb xauth)
command -v xdotool >/dev/null || eksik+=(xdotool)
command -v xprop >/dev/null || eksik+=(x11-utils)
command -v openbox >/dev/null || eksik+=(openbox)
command -v import >/dev/null || eksik+=(imagemagick)
command -v sqlite3 >/dev/null || eksik+=(sqlite3)
command -v dbus-run-session >/dev/null || eksik+=(dbus-x11)
[ -x /usr/libexec/at-spi-bus-launcher ] || eksik+=(at-spi2-core)
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || eksik+=(python3-pyatspi)
eksikleri_bildir ${eksik[@]+"${eksik[@]}"}

gecici=$(mktemp -d /tmp/zelvora-erisilebilirlik.XXXXXX)
trap 'rm -rf "$gecici"' EXIT
masa_hazirla "$yapi" "$gecici"
# One folder, and in it one job due now: the reminder window comes up at the first scan.
bugun=$(date +%Y-%m-%d)
saat=$(date +%H:%M:00)
sqlite3 "$veri/Vok.vtb" <<SQL || { echo "could not write the test job" >&2; exit 1; }
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('1-Anahtar', 'Klasor', 'Büro');
INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi)
  VALUES('1-Anahtar', '$bugun', '$saat', 'Erişim Denemesi', 'Büro', '1', 'Ekran okuyucu denemesi', 1, 0);
SQL
masa_ortami "$gecici"
export XDG_RUNTIME_DIR="$gecici/run"
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"

sanal_ekranda dbus-run-session -- \
  "$0" --ekranda "$gecici/program/zelvora" "$ekran_resmi" "$gecici/zelvora.log" \
  2> >(grep -v '^dbus-daemon\|SpiRegistry' >&2)
sonuc=$?
[ "$sonuc" -eq 0 ] && echo "OK: every control readable; screenshots in ${ekran_resmi%.png}*.png"
exit "$sonuc"

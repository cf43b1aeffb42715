#!/usr/bin/env bash
# Takes the pictures of the user's guide (docs/kilavuz/*.png) from the real program under
# xvfb-run: a desk of its own with a few folders and jobs, a private CUPS server with its
# PDF printer (scripts/cups-gecici.sh, as root), and the keys a user presses. Each window
# is taken with `import` and written over the guide's picture of the same name.
#
#   ana-pencere.png     the main window listing a folder's jobs
#   is-ekleme.png       "Yapılacak İş Ekleme" for a new job
#   sure-hesaplama.png  "Süre Hesaplama" with a period added
#   tercihler.png       "Tercihler"
#   listeler.png        "Yapılacak İşleri Listele" with "Tüm İşler"
#   yazici-sec.png      "Yazıcı Seç"
#   hatirlatma.png      "Hatırlatılacak İşler" with two jobs due
#
# Usage: scripts/kilavuz-resimleri.sh BUILD_DIR [OUTPUT_DIR]   (default docs/kilavuz)
set -uo pipefail

. "$(dirname "$0")/ortak.sh"

resim() { # window id, file: the window as the screen shows it
  sleep 0.8
  import -window "$1" "$2" && echo "taken: $2"
}

# Inside xvfb-run: the windows one after the other.
if [ "${1:-}" = "--ekranda" ]; then
  program="$2"
  cikti="$3"
  gunluk="$4"
  tur="$5"
  "$program" >"$gunluk" 2>&1 &
  pid=$!
  (
    if [ "$tur" = hatirlatma ]; then
      h=$(gorunur_pencere 'Hatırlatılacak' 60) || exit 1
      resim "$h" "$cikti/hatirlatma.png"
      exit 0
    fi
    ana=$(gorunur_pencere 'Zelvora' 30) || exit 1
    sleep 1
    if [ "$tur" = ana ]; then
      # The folder "Mahkeme" opened and listed (the tree: Zelvora, Klasörlerim, Büro, Mahkeme).
      pencereye_tus "$ana" alt+k
      xdotool key Home Down Down Down Right
      sleep 0.5
      pencereye_tus "$ana" alt+y
      xdotool key Home
      resim "$ana" "$cikti/ana-pencere.png"
      # A new job there: the date, then (past the calendar button) the hour and minute,
      # subject, place, number and description.
      pencereye_tus "$ana" ctrl+n
      is=$(gorunur_pencere 'Yapılacak İş' 10) || exit 1
      xdotool key --clearmodifiers ctrl+a
      xdotool type --delay 40 "15.12.2026"
      xdotool key Tab Tab
      xdotool type --delay 40 "10"
      xdotool key Tab
      xdotool type --delay 40 "30"
      xdotool key Tab
      xdotool type --delay 40 "Duruşma"
      xdotool key Tab
      xdotool type --delay 40 "İstanbul 3. Asliye Hukuk"
      xdotool key Tab
      xdotool type --delay 40 "2025/412"
      xdotool key Tab
      xdotool type --delay 40 "Tanıklar hazır olacak."
      resim "$is" "$cikti/is-ekleme.png"
      exit 0
    fi

    # The duration calculator: 2 weeks from a date.
    pencereye_tus "$ana" alt+p
    xdotool key h
    sure=$(gorunur_pencere 'Süre Hesaplama' 10) || exit 1
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 40 "30.11.2026"
    # Past "Elektronik tebligat" to the unit (weeks), then the amount.
    xdotool key Tab Tab Down Tab
    xdotool type --delay 40 "2"
    xdotool key Tab
    sleep 0.5
    resim "$sure" "$cikti/sure-hesaplama.png"
    pencereye_tus "$sure" Escape

    pencereye_tus "$ana" alt+p
    xdotool key t
    tercih=$(gorunur_pencere '^Tercihler$' 10) || exit 1
    resim "$tercih" "$cikti/tercihler.png"
    pencereye_tus "$tercih" Escape

    pencereye_tus "$ana" alt+a
    xdotool key Up Return
    liste=$(gorunur_pencere 'Listele' 10) || exit 1
    sleep 0.5
    pencereye_tus "$liste" alt+t
    resim "$liste" "$cikti/listeler.png"
    pencereye_tus "$liste" alt+y
    secim=$(gorunur_pencere 'Yaz.*Se' 10) || exit 1
    resim "$secim" "$cikti/yazici-sec.png"
    pencereye_tus "$secim" Escape
    exit 0
  )
  sonuc=$?
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  exit "$sonuc"
fi

[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 BUILD_DIR [OUTPUT_DIR]" >&2; exit 1; }
yapi=$(cd "$1" 2>/dev/null && pwd) || { echo "no such build folder: $1" >&2; exit 1; }
kaynak=$(cd "$(dirname "$0")/.." && pwd)
cikti=$(realpath -m "${2:-$kaynak/docs/kilavuz}")
[ "$(id -u)" -eq 0 ] || calistirilamaz "the private CUPS server needs root"
for arac in xvfb-run xdotool import sqlite3 cupsd; do
  command -v "$arac" >/dev/null || { echo "$arac is missing: run scripts/kur.sh" >&2; exit 1; }
done
mkdir -p "$cikti"

gecici=$(mktemp -d /tmp/zelvora-kilavuz.XXXXXX)
chmod 0755 "$gecici"
temizle() {
  "$kaynak/scripts/cups-gecici.sh" durdur "$gecici/cups" >/dev/null 2>&1
  rm -rf "$gecici"
}
trap temizle EXIT
"$kaynak/scripts/cups-gecici.sh" baslat "$gecici/cups" >/dev/null || exit 1
export CUPS_SERVER="$gecici/cups/durum/cups.sock"

# A desk with a lawyer's folders and jobs around today.
veritabani() { # folder, minutes of the due jobs from now (empty: none due)
  masa_hazirla "$yapi" "$1"
  local bugun dun yarin sonra simdi
  bugun=$(date +%Y-%m-%d)
  dun=$(date -d yesterday +%Y-%m-%d)
  yarin=$(date -d tomorrow +%Y-%m-%d)
  sonra=$(date -d '+6 days' +%Y-%m-%d)
  simdi=$(date -d '-1 minute' +%H:%M:00)
  local hatirlat=0
  [ -n "$2" ] && hatirlat=1
  sqlite3 "$veri/Vok.vtb" <<SQL
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('1-Anahtar', 'Klasor', 'Büro');
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('2-Anahtar', 'Klasor', 'Mahkeme');
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('3-Anahtar', '2-Anahtar', 'İcra');
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('4-Anahtar', 'Klasor', 'Müvekkiller');
INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi) VALUES
  ('1-Anahtar', '$dun', '09:00:00', 'Keşif', 'Beşiktaş', '2026/1', 'Yerinde inceleme, tapu kaydı getirilecek', 0, 1),
  ('2-Anahtar', '$bugun', '$simdi', 'Duruşma', 'Çağlayan', '2025/412', 'Tanıklar hazır olacak', $hatirlat, 0),
  ('4-Anahtar', '$bugun', '$simdi', 'Müvekkil görüşmesi', 'Büro', '12', 'Sözleşme taslağı konuşulacak', $hatirlat, 0),
  ('3-Anahtar', '$yarin', '14:00:00', 'Haciz', 'Kadıköy', '2026/77', 'Alacaklı vekili olarak katılım', 1, 0),
  ('1-Anahtar', '$yarin', '16:30:00', 'Vekâlet ücreti', 'Büro', '', 'Fatura kesilecek', 0, 0),
  ('2-Anahtar', '$sonra', '10:15:00', 'Bilirkişi raporu', 'Çağlayan', '2026/9', 'Rapora itiraz süresi doluyor', 1, 0);
SQL
}

calistir() { # folder, kind
  (
    masa_ortami "$1"
    xvfb-run -n "$((100 + RANDOM % 800))" -a -s "-screen 0 1024x768x24" "$0" --ekranda "$1/program/zelvora" "$cikti" "$1/zelvora.log" "$2"
  ) || { echo "FAILED ($2); program output:" >&2; cat "$1/zelvora.log" >&2; return 1; }
}

veritabani "$gecici/masa1" ""
calistir "$gecici/masa1" ana || exit 1
calistir "$gecici/masa1" araclar || exit 1
veritabani "$gecici/masa2" 1
calistir "$gecici/masa2" hatirlatma || exit 1
ls -l "$cikti"/*.png

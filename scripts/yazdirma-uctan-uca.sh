#!/usr/bin/env bash
# End-to-end check of printing on a real printer: a private CUPS server with a PDF
# printer (cups-pdf), the real program on a database with jobs in three folders, and
# the keys a user presses: the menu "Yapılacak İşleri Listele", "&Tüm İşler",
# "&Yazdır...", Enter in "Yazıcı Seç". The PDF that cups-pdf writes must hold the
# heading "Tüm İşleriniz (Toplam: N)" and every job's subject.
#
# The same command once more with "PDF dosyasına kaydet" (Alt+P) in "Yazıcı Seç", a file
# name typed in the file dialog and Enter: that file must hold the same report, and CUPS
# must get no job for it.
#
# Then the queue is made to refuse jobs (cupsreject) and the same command must show
# "Liste yazdırılamadı!" (read through AT-SPI, as a screen reader reads it) and make no job.
#
# The CUPS server (scripts/cups-gecici.sh, run as root) is the one in the folder named by
# ZELVORA_E2E_CUPS when that is set (the test command starts it once); else this script
# starts one on a socket in a temporary folder and stops it at the end. The user's
# printers and settings are not touched.
#
# Usage: scripts/yazdirma-uctan-uca.sh BUILD_DIR SCREENSHOT.png
# Exit status: 0 when the PDF was right, 1 otherwise.
set -uo pipefail

BEKLEME_SN=60

. "$(dirname "$0")/ortak.sh"

# The names and texts of every object of the program's windows, one a line, as a
# screen reader reads them through AT-SPI.
atspi_metinleri() {
  /usr/bin/python3 - <<'PY' 2>/dev/null
import pyatspi
def gez(o, d=0):
    if o is None or d > 40:
        return
    try:
        ad = o.name or ""
        try:
            t = o.queryText()
            metin = t.getText(0, t.characterCount)
        except Exception:
            metin = ""
        if ad or metin:
            print((ad + " | " + metin).replace("\n", " "))
        for i in range(o.childCount):
            gez(o.getChildAtIndex(i), d + 1)
    except Exception:
        pass
for a in pyatspi.Registry.getDesktop(0):
    if a is not None and "zelvora" in (a.name or "").lower():
        gez(a)
PY
}

# Inside xvfb-run: drive the program and wait for the PDF.
if [ "${1:-}" = "--ekranda" ]; then
  program="$2"
  ekran_resmi="$3"
  gunluk="$4"
  pdf_klasoru="$5"
  secilen_pdf="$6"
  "$program" >"$gunluk" 2>&1 &
  pid=$!
  sonuc=1
  (
    ana=$(gorunur_pencere 'Zelvora' 30) || { echo "the main window did not appear" >&2; exit 1; }
    sleep 1
    # "Y&apılacak İşler" menu, its last entry "Yapılacak İşleri Listele".
    pencereye_tus "$ana" alt+a
    xdotool key Up Return
    liste=$(gorunur_pencere 'Listele' 10) || { echo "the job list window did not open" >&2; exit 1; }
    sleep 0.5
    pencereye_tus "$liste" alt+t
    pencereye_tus "$liste" alt+y
    secim=$(gorunur_pencere 'Yaz.*Se' 10) || { echo "the printer window did not open" >&2; exit 1; }
    pencereye_tus "$secim" Return
    pdf_var=0
    for ((i = 0; i < BEKLEME_SN * 2; i++)); do
      if ls "$pdf_klasoru"/*.pdf >/dev/null 2>&1; then
        # cups-pdf writes the file under its final name: wait until it stops growing.
        sleep 2
        pdf_var=1
        break
      fi
      sleep 0.5
    done
    [ "$pdf_var" = 1 ] || { echo "no PDF within $BEKLEME_SN s" >&2; exit 1; }
    # "PDF dosyasına kaydet": the file dialog over the printer window, a name, Enter.
    isler_once=$(lpstat -W all -o | wc -l)
    pencereye_tus "$liste" alt+y
    secim=$(gorunur_pencere 'Yaz.*Se' 10) || { echo "the printer window did not open for the PDF" >&2; exit 1; }
    pencereye_tus "$secim" alt+p
    dosya_penceresi=$(gorunur_pencere 'PDF dosyas' 10) || { echo "the file dialog did not open" >&2; exit 1; }
    pencereye_tus "$dosya_penceresi" ctrl+a
    xdotool type --delay 30 "$secilen_pdf"
    sleep 0.3
    xdotool key Return
    for ((i = 0; i < 40; i++)); do
      [ -s "$secilen_pdf" ] && ! xdotool search --onlyvisible --name 'PDF dosyas' >/dev/null 2>&1 && break
      sleep 0.5
    done
    [ -s "$secilen_pdf" ] || { echo "no file at $secilen_pdf after \"PDF dosyasına kaydet\"" >&2; exit 1; }
    sleep 1
    [ "$(lpstat -W all -o | wc -l)" = "$isler_once" ] || { echo "the PDF choice made a printer job" >&2; exit 1; }
    # The queue now refuses jobs: the same command must say so, and make no job.
    isler_once=$(lpstat -W all -o | wc -l)
    cupsreject -r "kapalı" ZelvoraPDF || { echo "cupsreject failed" >&2; exit 1; }
    pencereye_tus "$liste" alt+y
    secim=$(gorunur_pencere 'Yaz.*Se' 10) || { echo "the printer window did not open again" >&2; exit 1; }
    pencereye_tus "$secim" Return
    for ((i = 0; i < 40; i++)); do
      mesaj=$(atspi_metinleri | grep -F "Liste yazdırılamadı!") && break
      sleep 0.5
    done
    if [ -z "${mesaj:-}" ]; then
      echo "the refused job was not reported; texts on screen:" >&2
      atspi_metinleri >&2
      exit 1
    fi
    echo "reported: $mesaj" >&2
    [ "$(lpstat -W all -o | wc -l)" = "$isler_once" ] || { echo "a job was made on the refusing queue" >&2; exit 1; }
    import -window root "${ekran_resmi%.png}-reddedildi.png" || true
    exit 0
  )
  sonuc=$?
  import -window root "$ekran_resmi" || echo "screenshot failed" >&2
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  exit "$sonuc"
fi

yapi_ve_resim "$@"
if [ "$(id -u)" -ne 0 ]; then
  # cupsd runs the cups-pdf backend as root only when it runs as root itself.
  calistirilamaz "the private CUPS server of this check needs root"
fi

# The tools this check needs.
eksik=()
command -v xvfb-run >/dev/null || eksik+=(xvfb xauth)
command -v xdotool >/dev/null || eksik+=(xdotool)
command -v import >/dev/null || eksik+=(imagemagick)
command -v sqlite3 >/dev/null || eksik+=(sqlite3)
command -v pdftotext >/dev/null || eksik+=(poppler-utils)
command -v cupsd >/dev/null || eksik+=(cups)
command -v dbus-run-session >/dev/null || eksik+=(dbus-daemon)
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || eksik+=(python3-pyatspi at-spi2-core)
command -v lpadmin >/dev/null || eksik+=(cups-client)
[ -x /usr/lib/cups/backend/cups-pdf ] || eksik+=(printer-driver-cups-pdf)
eksikleri_bildir ${eksik[@]+"${eksik[@]}"}

gecici=$(mktemp -d /tmp/zelvora-yazdirma.XXXXXX)
kendi_cups=""
temizle() {
  # A shared server's queue is left accepting jobs, as the refusal case found it.
  [ -n "${c:-}" ] && CUPS_SERVER="$c/durum/cups.sock" cupsaccept ZelvoraPDF 2>/dev/null
  [ -n "$kendi_cups" ] && "$(dirname "$0")/cups-gecici.sh" durdur "$c"
  if [ -n "${ZELVORA_SAKLA:-}" ]; then echo "kept: $gecici" >&2; else rm -rf "$gecici"; fi
}
trap temizle EXIT

# The CUPS server's files, spool, logs and socket; the PDFs it writes reached as $gecici/pdf.
# Filters run as the unprivileged user lp: they must reach the spool and temporary folders.
chmod 0755 "$gecici"
if [ -n "${ZELVORA_E2E_CUPS:-}" ]; then
  c=$ZELVORA_E2E_CUPS
  # An earlier run's PDF and job files on that server are not this run's.
  rm -f "$c"/pdf/*.pdf "$c"/kuyruk/d*
else
  c="$gecici/cups"
  kendi_cups=1
  "$(dirname "$0")/cups-gecici.sh" baslat "$c" || exit 1
fi
ln -s "$c/pdf" "$gecici/pdf"
export CUPS_SERVER="$c/durum/cups.sock"
lpstat -r 2>/dev/null | grep -q 'is running' || { echo "FAILED: no CUPS server at $CUPS_SERVER" >&2; exit 1; }
cupsaccept ZelvoraPDF 2>/dev/null
echo "CUPS: $(lpstat -v)"

# The program with its own files, and the user's database (made from the template) with
# jobs in three folders, in the user's data folder.
masa_hazirla "$yapi" "$gecici"
bugun=$(date +%Y-%m-%d)
dun=$(date -d yesterday +%Y-%m-%d)
yarin=$(date -d tomorrow +%Y-%m-%d)
konular=("Keşif" "Bilirkişi raporu" "Duruşma" "Vekâlet ücreti" "Müvekkil görüşmesi" "Tebligat")
sqlite3 "$veri/Vok.vtb" <<SQL || { echo "could not write the test jobs" >&2; exit 1; }
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('1-Anahtar', 'Klasor', 'Büro');
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('2-Anahtar', 'Klasor', 'Mahkeme');
INSERT INTO KlasorBilgileriTablosu(Anahtari, Bagi, Adi) VALUES('3-Anahtar', '2-Anahtar', 'İcra');
INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi) VALUES
  ('1-Anahtar', '$dun', '09:00:00', '${konular[0]}', 'Beşiktaş', '2026/1', 'Yerinde inceleme - tapu kaydı', 0, 0),
  ('2-Anahtar', '$bugun', '23:58:00', '${konular[1]}', 'Çağlayan', '2026/77', 'Rapora itiraz süresi', 0, 0),
  ('2-Anahtar', '$yarin', '10:30:00', '${konular[2]}', 'İstanbul 3. Asliye Hukuk', '2025/412', 'Tanıklar hazır olacak', 0, 0),
  ('3-Anahtar', '$yarin', '14:00:00', '${konular[3]}', 'Büro', '', 'Fatura kesilecek', 0, 1),
  ('1-Anahtar', '$bugun', '23:59:00', '${konular[4]}', 'Büro', '12', 'Sözleşme taslağı', 0, 0),
  ('3-Anahtar', '$dun', '16:45:00', '${konular[5]}', 'Adliye', '2026/9', 'Tebliğ mazbatası beklenecek', 0, 0);
SQL

masa_ortami "$gecici"

# A session bus of its own, so that the message can be read as a screen reader reads it.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0
xvfb-run -n "$((100 + RANDOM % 800))" -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
  "$0" --ekranda "$gecici/program/zelvora" "$ekran_resmi" "$gecici/zelvora.log" "$gecici/pdf" "$gecici/secilen.pdf"
sonuc=$?
if [ "$sonuc" -ne 0 ]; then
  echo "FAILED: no report was printed; program output:" >&2
  cat "$gecici/zelvora.log" >&2
  tail -20 "$c/gunluk/error_log" >&2 2>/dev/null
  exit 1
fi

# What the program sent (CUPS keeps the job's file) must hold the heading and every
# subject. cups-pdf rebuilds the document through PostScript, which keeps the look of
# the text but not which letters it is made of, so its PDF must show the same pages.
pdf=$(ls "$gecici"/pdf/*.pdf | head -1)
gonderilen=$(ls "$c"/kuyruk/d*-001 2>/dev/null | head -1)
cp "$pdf" "${ekran_resmi%.png}.pdf" 2>/dev/null
hata=0
if [ -z "$gonderilen" ]; then
  echo "FAILED: CUPS kept no job file" >&2
  exit 1
fi
metin=$(pdftotext -layout "$gonderilen" - 2>/dev/null)
beklenen=("Tüm İşleriniz (Toplam: ${#konular[@]})" "Tarihi" "Açıklama" "${konular[@]}")
for k in "${beklenen[@]}"; do
  if ! grep -qF "$k" <<<"$metin"; then
    echo "FAILED: \"$k\" is not in the printed document" >&2
    hata=1
  fi
done
if [ "$hata" -ne 0 ]; then
  echo "--- text of the printed document:" >&2
  echo "$metin" >&2
  exit 1
fi
# The file chosen with "PDF dosyasına kaydet" holds the same report.
secilen_metin=$(pdftotext -layout "$gecici/secilen.pdf" - 2>/dev/null)
for k in "${beklenen[@]}"; do
  grep -qF "$k" <<<"$secilen_metin" || { echo "FAILED: \"$k\" is not in the PDF file saved from \"Yazıcı Seç\"" >&2; exit 1; }
done
cp "$gecici/secilen.pdf" "${ekran_resmi%.png}-dosya.pdf" 2>/dev/null
sayfa_sayisi() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }
[ "$(sayfa_sayisi "$pdf")" = "$(sayfa_sayisi "$gonderilen")" ] \
  || { echo "FAILED: cups-pdf wrote $(sayfa_sayisi "$pdf") pages, the program sent $(sayfa_sayisi "$gonderilen")" >&2; exit 1; }
pdftoppm -r 60 -gray "$gonderilen" "$gecici/gonderilen" 2>/dev/null
pdftoppm -r 60 -gray "$pdf" "$gecici/basilan" 2>/dev/null
for g in "$gecici"/gonderilen-*.pgm; do
  b="$gecici/basilan-${g##*/gonderilen-}"
  # Blurred a little, the pages must correlate as the same text does (0.98 here; a missing
  # row of this report gives 0.93, a page one line lower 0.4): letter edges may differ.
  convert "$g" -blur 0x1.5 "$g.bulanik.pgm" && convert "$b" -blur 0x1.5 "$b.bulanik.pgm"
  benzerlik=$(compare -metric NCC "$g.bulanik.pgm" "$b.bulanik.pgm" null: 2>&1 | cut -d' ' -f1)
  if ! awk -v n="$benzerlik" 'BEGIN { exit !(n ~ /^[0-9.]+$/ && n >= 0.96) }'; then
    echo "FAILED: page ${g##*-} of the cups-pdf PDF is not the page that was sent (correlation $benzerlik)" >&2
    exit 1
  fi
  # A blank page would match a blank page: the sent one must hold text.
  [ "$(identify -format '%[fx:mean<0.995]' "$g")" = "1" ] || { echo "FAILED: page ${g##*-} is blank" >&2; exit 1; }
done
echo "OK: printed through CUPS on $(lpstat -d | sed 's/.*: //'): the heading and all ${#konular[@]} subjects, and cups-pdf's PDF shows the same $(sayfa_sayisi "$pdf") page(s) (${ekran_resmi%.png}.pdf); the same report saved as a PDF file without CUPS (${ekran_resmi%.png}-dosya.pdf); screenshot in $ekran_resmi"
exit 0

#!/usr/bin/env bash
# End-to-end check of the Debian package: builds zelvora_<version>_<arch>.deb from an
# existing build folder (cpack), checks it with lintian, unpacks it with dpkg-deb -x into a
# temporary root (this machine's own /usr is never touched), validates the menu entry and
# the AppStream data, and starts the packaged program the way the menu entry does, under
# xvfb-run, as a user without privileges (nobody, when run as root) with an empty home.
# Then it checks that:
#   - the main window "Tavrek - Zelvora 2.33 (Sunucu)" appears, and its class is the
#     menu entry's StartupWMClass (the desktop groups the window with the entry);
#   - the database was made at $XDG_DATA_HOME/Tavrek/Zelvora/Vok.vtb, mode 0600 in a 0700
#     folder, and holds the two tables;
#   - the daily backup $XDG_DATA_HOME/Tavrek/Vtb Yedekleri/Vok.ydk was written and is sound;
#   - turning on "otomatik açılsın" in "Tercihler" writes an autostart entry that runs the
#     packaged executable by its real path with -Simge;
#   - nothing was written under the unpacked root, although that user could have.
#
# Usage: scripts/paket-uctan-uca.sh BUILD_DIR [SCREENSHOT.png]
# Exit status: 0 when every check passed, 1 otherwise.
set -uo pipefail

BEKLEME_SN=40
PENCERE_BASLIGI="Tavrek - Zelvora 2.33 (Sunucu)"
TABLOLAR="KlasorBilgileriTablosu YapilacakIslerTablosu"

# Inside xvfb-run, as the test user: start the program by the menu entry's Exec= line,
# wait for the main window, write its class and take the screenshot.
if [ "${1:-}" = "--ekranda" ]; then
  komut="$2"
  cikti="$3"
  cd "$HOME" || exit 1
  # The entry's Exec= is a plain program name here, found on PATH like the desktop does.
  $komut >"$cikti/zelvora.log" 2>&1 &
  pid=$!
  pencere=""
  for ((i = 0; i < BEKLEME_SN * 2; i++)); do
    kill -0 "$pid" 2>/dev/null || { echo "zelvora ended before its main window appeared" >&2; break; }
    pencere=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$PENCERE_BASLIGI\"" | awk '{print $1; exit}')
    [ -n "$pencere" ] && break
    sleep 0.5
  done
  sonuc=1
  if [ -n "$pencere" ]; then
    echo "window \"$PENCERE_BASLIGI\" appeared after about $((i / 2)) s"
    xprop -id "$pencere" WM_CLASS >"$cikti/wm_class" 2>&1
    sleep 1 # let it paint before the picture is taken
    command -v import >/dev/null && import -window root "$cikti/ekran.png" 2>/dev/null
    sonuc=0
    # Starting with the session, turned on as a user does: "&Program", "&Tercihler...",
    # the box "&otomatik açılsın" (off: no entry has been written yet), then Tab to
    # "Tamam" (the boxes, the sound file, "Seç...", "İlk Ayarlar") and Enter.
    xdotool windowfocus --sync "$pencere" 2>/dev/null
    sleep 0.3
    xdotool key --clearmodifiers alt+p
    sleep 0.5
    xdotool key t
    tercihler=""
    for ((j = 0; j < 20; j++)); do
      sleep 0.25
      tercihler=$(xdotool search --onlyvisible --name '^Tercihler$' 2>/dev/null | tail -1)
      [ -n "$tercihler" ] && break
    done
    if [ -n "$tercihler" ]; then
      xdotool windowfocus --sync "$tercihler" 2>/dev/null
      sleep 0.3
      xdotool key --clearmodifiers alt+o
      sleep 0.2
      for ((j = 0; j < 6; j++)); do xdotool key Tab; sleep 0.1; done
      xdotool key Return
      for ((j = 0; j < 20; j++)); do
        [ -f "$XDG_CONFIG_HOME/autostart/zelvora.desktop" ] && break
        sleep 0.25
      done
    else
      echo "the window \"Tercihler\" did not open" >&2
    fi
  fi
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  exit "$sonuc"
fi

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 BUILD_DIR [SCREENSHOT.png]" >&2
  exit 1
fi
yapi=$(cd "$1" 2>/dev/null && pwd) || { echo "no such build folder: $1" >&2; exit 1; }
ekran_resmi=""
[ $# -eq 2 ] && ekran_resmi=$(realpath -m "$2")
[ -f "$yapi/CPackConfig.cmake" ] || { echo "$yapi is not a configured build folder" >&2; exit 1; }

# The tools this check needs (Debian packages).
eksik=()
command -v cpack >/dev/null || eksik+=(cmake)
command -v dpkg-shlibdeps >/dev/null || eksik+=(dpkg-dev)
command -v file >/dev/null || eksik+=(file)
command -v lintian >/dev/null || eksik+=(lintian)
command -v desktop-file-validate >/dev/null || eksik+=(desktop-file-utils)
command -v appstreamcli >/dev/null || eksik+=(appstream)
command -v xvfb-run >/dev/null || eksik+=(xvfb xauth)
command -v xwininfo >/dev/null || eksik+=(x11-utils)
command -v xdotool >/dev/null || eksik+=(xdotool)
command -v sqlite3 >/dev/null || eksik+=(sqlite3)
command -v readelf >/dev/null || eksik+=(binutils)
. "$(dirname "$0")/ortak.sh"
eksikleri_bildir ${eksik[@]+"${eksik[@]}"}

hatalar=0
hata() { echo "FAILED: $*" >&2; hatalar=$((hatalar + 1)); }
tamam() { echo "ok: $*"; }

# --- The package -------------------------------------------------------------------
surum=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$yapi/CPackConfig.cmake")
paket="$yapi/zelvora_${surum}_$(dpkg --print-architecture).deb"
rm -f "$paket"
(cd "$yapi" && cpack -G DEB >"$yapi/cpack.log" 2>&1) || { cat "$yapi/cpack.log" >&2; echo "FAILED: cpack" >&2; exit 1; }
[ -f "$paket" ] || { echo "FAILED: cpack did not make $(basename "$paket")" >&2; exit 1; }
tamam "$(basename "$paket") built"

# Each field read whole first: a `grep -q` straight on a pipe would stop the writer early.
kontrol() { dpkg-deb -f "$paket" "$1"; }
bagimliliklar=$(kontrol Depends)
onerilenler=$(kontrol Recommends)
aciklama=$(kontrol Description)
[ "$(kontrol Package)" = zelvora ] || hata "package name is $(kontrol Package)"
[ "$(kontrol Section)" = utils ] && [ "$(kontrol Priority)" = optional ] \
  || hata "section/priority: $(kontrol Section)/$(kontrol Priority)"
# Library dependencies are dpkg-shlibdeps' work: versioned, and naming what we link.
for kutuphane in libqt6widgets6 libqt6multimedia6 libqt6printsupport6 libsqlite3-0 libc6; do
  grep -Eq "(^|, )$kutuphane \(>= " <<<"$bagimliliklar" || hata "Depends lacks a computed $kutuphane"
done
grep -q cups <<<"$onerilenler" || hata "Recommends lacks printing (cups)"
grep -q pulse <<<"$onerilenler" || hata "Recommends lacks a sound server"
grep -q "ajanda" <<<"$aciklama" && grep -q "agenda" <<<"$aciklama" || hata "description is not in Turkish and English"
tamam "control: $bagimliliklar"

# The maker's site and support address are the build's options (ZELVORA_WEB_SITESI,
# ZELVORA_DESTEK_EPOSTASI), the site without a closing "/", as the windows use it.
onbellek() { sed -n "s/^$1:[A-Z]*=//p" "$yapi/CMakeCache.txt"; }
web_sitesi=$(onbellek ZELVORA_WEB_SITESI | sed 's:/*$::')
destek=$(onbellek ZELVORA_DESTEK_EPOSTASI)
[ "$(kontrol Homepage)" = "$web_sitesi" ] && tamam "Homepage: $web_sitesi" \
  || hata "Homepage is \"$(kontrol Homepage)\", the build's ZELVORA_WEB_SITESI \"$web_sitesi\""
[ "$(kontrol Maintainer)" = "Tavrek <$destek>" ] || hata "Maintainer is \"$(kontrol Maintainer)\", not the support address $destek"

lintian_cikti=$(lintian --fail-on error,warning "$paket" 2>&1)
lintian_sonuc=$?
echo "$lintian_cikti" | grep -v "^running with root privileges" | sed 's/^/  lintian: /'
[ $lintian_sonuc -eq 0 ] && tamam "lintian: no errors, no warnings" || hata "lintian"

# --- Unpacked into a temporary root --------------------------------------------------
gecici=$(mktemp -d /tmp/zelvora-paket.XXXXXX)
trap 'rm -rf "$gecici"' EXIT
chmod 0755 "$gecici"
kok="$gecici/kok"
dpkg-deb -x "$paket" "$kok" || { echo "FAILED: dpkg-deb -x" >&2; exit 1; }

beklenen=(usr/bin/zelvora usr/share/zelvora/Vok.vtb usr/share/zelvora/Alarm.wav
  usr/share/applications/zelvora.desktop usr/share/doc/zelvora/copyright usr/share/doc/zelvora/changelog.gz
  usr/share/man/man1/zelvora.1.gz usr/share/doc/zelvora/kilavuz/index.html usr/share/doc/zelvora/kilavuz/dizin.html)
for boyut in 16 24 32 48 64 128 256; do
  beklenen+=("usr/share/icons/hicolor/${boyut}x${boyut}/apps/zelvora.png")
done
for f in "${beklenen[@]}"; do
  [ -f "$kok/$f" ] || hata "package lacks /$f"
done
# The user's guide: every picture its pages show is in the package.
for sayfa in "$kok"/usr/share/doc/zelvora/kilavuz/*.html; do
  [ -f "$sayfa" ] || continue
  for resim in $(grep -o 'src="[^"]*"' "$sayfa" | cut -d'"' -f2); do
    [ -f "$(dirname "$sayfa")/$resim" ] || hata "the guide's page $(basename "$sayfa") shows $resim, not in the package"
  done
done
[ -x "$kok/usr/bin/zelvora" ] || hata "/usr/bin/zelvora is not executable"
# Each icon is the size its folder names (PNG header: width and height, big-endian).
for boyut in 16 24 32 48 64 128 256; do
  png="$kok/usr/share/icons/hicolor/${boyut}x${boyut}/apps/zelvora.png"
  [ -f "$png" ] || continue
  read -r g y < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4, $7 * 256 + $8}')
  [ "$g" = "$boyut" ] && [ "$y" = "$boyut" ] || hata "icon ${boyut}x${boyut} is ${g}x${y}"
done
# Hardened as Debian's own programs are (dpkg-buildflags): a position-independent
# executable, the relocation table read-only (RELRO) and bound at start (BIND_NOW) and
# the stack protector's canary check, all seen in the packaged binary; fortified C library
# calls (_FORTIFY_SOURCE) show in the binary only where the compiler knew a buffer's size
# (__*_chk), so the compile flags of every target linked into it are checked too.
program="$kok/usr/bin/zelvora"
if [ -f "$program" ]; then
  baslik=$(readelf -hW "$program" 2>&1)
  bolumler=$(readelf -lW "$program" 2>&1)
  dinamik=$(readelf -dW "$program" 2>&1)
  semboller=$(readelf --dyn-syms -W "$program" 2>&1 | awk '$7 == "UND" {print $8}' | sed 's/@.*//')
  eksik_koruma=()
  grep -q "Type: *DYN" <<<"$baslik" || eksik_koruma+=("PIE")
  grep -q "GNU_RELRO" <<<"$bolumler" || eksik_koruma+=("RELRO")
  grep -Eq "\(BIND_NOW\)|\(FLAGS_1\).* NOW" <<<"$dinamik" || eksik_koruma+=("BIND_NOW")
  grep -qx "__stack_chk_fail" <<<"$semboller" || eksik_koruma+=("stack protector (__stack_chk_fail)")
  korunan=$(grep -Ec "^__[a-z0-9_]+_chk$" <<<"$semboller")
  for hedef in zelvora zelvora_app zelvora_core; do
    bayraklar="$yapi/CMakeFiles/$hedef.dir/flags.make"
    [ -f "$bayraklar" ] || bayraklar="$yapi/build.ninja"
    for bayrak in -D_FORTIFY_SOURCE= -fstack-protector-strong -Werror=format-security; do
      grep -q -e "$bayrak" "$bayraklar" 2>/dev/null || eksik_koruma+=("$bayrak in the compile of $hedef")
    done
  done
  if [ ${#eksik_koruma[@]} -eq 0 ]; then
    tamam "hardened: PIE, RELRO, BIND_NOW, stack protector, compiled with _FORTIFY_SOURCE ($korunan calls fortified by size)"
  else
    hata "/usr/bin/zelvora lacks: ${eksik_koruma[*]} (built without dpkg-buildflags?)"
  fi
fi
# The holiday data compiled in is credited with its licence.
if [ -f "$kok/usr/share/doc/zelvora/copyright" ]; then
  telif=$(cat "$kok/usr/share/doc/zelvora/copyright")
  grep -q "^Files: src/resources/Tatiller.txt$" <<<"$telif" && grep -q "date-holidays" <<<"$telif" \
    && grep -q "^License: CC-BY-3.0$" <<<"$telif" && grep -q "ISC" <<<"$telif" \
    && tamam "copyright credits the holiday data (date-holidays, CC BY 3.0)" \
    || hata "copyright does not credit the holiday data of date-holidays and its licence"
  grep -q "^Upstream-Contact: Tavrek <$destek>$" <<<"$telif" || hata "copyright's Upstream-Contact is not $destek"
fi
metainfo=("$kok"/usr/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || hata "package lacks the AppStream file in /usr/share/metainfo"
tamam "layout: $(cd "$kok" && find . -type f | wc -l) files under /usr"
# A plain install under any prefix lays out the same files as the package under /usr.
onek="$gecici/onek"
if cmake --install "$yapi" --prefix "$onek" >/dev/null; then
  fark=$(diff <(cd "$onek" && find . -type f | grep -v '^./share/doc/' | sort) \
    <(cd "$kok/usr" && find . -type f | grep -v '^./share/doc/' | sort))
  [ -z "$fark" ] && tamam "cmake --install --prefix lays out the package's files" \
    || hata "cmake --install --prefix differs from the package: $fark"
else
  hata "cmake --install --prefix"
fi
# The shipped database is the empty template, whatever the build folder's Vok.vtb holds.
satirlar=$(sqlite3 "file:$kok/usr/share/zelvora/Vok.vtb?mode=ro" \
  "SELECT (SELECT count(*) FROM KlasorBilgileriTablosu) + (SELECT count(*) FROM YapilacakIslerTablosu)" 2>&1)
[ "$satirlar" = "0" ] && tamam "the shipped database is empty" || hata "the shipped database holds rows: $satirlar"

masaustu="$kok/usr/share/applications/zelvora.desktop"
desktop-file-validate "$masaustu" && tamam "desktop-file-validate" || hata "desktop-file-validate"
anahtar() { grep -m1 "^$1=" "$masaustu" | cut -d= -f2-; }
[ "$(anahtar Exec)" = zelvora ] && [ "$(anahtar Icon)" = zelvora ] || hata "Exec/Icon: $(anahtar Exec)/$(anahtar Icon)"
kategoriler=$(anahtar Categories)
[[ "$kategoriler" == *"Office;"* && "$kategoriler" == *"Calendar;"* ]] || hata "categories: $kategoriler"
grep -q "^Comment=.*[ıİğĞşŞçÇöÖüÜ]" "$masaustu" || hata "the comment is not Turkish"
if [ -f "${metainfo[0]}" ]; then
  appstreamcli validate --no-net "${metainfo[0]}" && tamam "appstreamcli validate" || hata "appstreamcli validate"
  grep -q '<release version="'"$surum"'"' "${metainfo[0]}" || hata "AppStream data lacks the release $surum"
  grep -qF "<url type=\"homepage\">$web_sitesi</url>" "${metainfo[0]}" \
    && grep -qF "<image>$web_sitesi/" "${metainfo[0]}" && tamam "AppStream URLs on $web_sitesi" \
    || hata "AppStream URLs are not on the build's web site $web_sitesi"
fi
# The about window's link is the same site.
grep -qaF "$web_sitesi" "$kok/usr/bin/zelvora" || hata "the about window's link is not $web_sitesi"
# Other options give other links everywhere: a build folder configured with them (no build).
secenekli="$gecici/secenekli"
if cmake -S "$(cd "$(dirname "$0")/.." && pwd)" -B "$secenekli" -DBUILD_TESTING=OFF \
  -DZELVORA_WEB_SITESI="https://zelvora.ornek.example/" -DZELVORA_DESTEK_EPOSTASI="yardim@ornek.example" >/dev/null 2>&1; then
  grep -qF 'CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zelvora.ornek.example"' "$secenekli/CPackConfig.cmake" \
    && grep -qF 'CPACK_PACKAGE_CONTACT "Tavrek <yardim@ornek.example>"' "$secenekli/CPackConfig.cmake" \
    && grep -qF '<url type="homepage">https://zelvora.ornek.example</url>' "$secenekli"/kurulum/*.metainfo.xml \
    && grep -qF 'Upstream-Contact: Tavrek <yardim@ornek.example>' "$secenekli/kurulum/copyright" \
    && grep -qF '#define ZELVORA_WEB_SITESI "https://zelvora.ornek.example/"' "$secenekli/generated/Surum.h" \
    && grep -qF '#define ZELVORA_DESTEK_EPOSTASI "yardim@ornek.example"' "$secenekli/generated/Surum.h" \
    && tamam "other build options change Homepage, Maintainer, AppStream, copyright and the windows' links" \
    || hata "the build options do not reach every link"
else
  hata "configuring with other build options failed"
fi

# --- Started as a user without privileges, with an empty home ------------------------
ev="$gecici/ev"
cikti="$gecici/cikti"
mkdir -p -m 0700 "$ev" "$ev/calisma" "$ev/tmp"
mkdir -p "$cikti"
cp "$0" "$gecici/betik.sh"
chmod 0755 "$gecici/betik.sh"
if [ "$(id -u)" -eq 0 ]; then
  kullanici=nobody
  # The user may write anywhere under the unpacked root: the check below shows it did not.
  chown -R "$kullanici:" "$kok" "$ev" "$cikti"
  calistir=(runuser -u "$kullanici" --)
else
  kullanici=$(id -un)
  calistir=()
fi
onceki=$(cd "$kok" && find . -printf '%p %y %m %u %s %T@\n' | sort)

"${calistir[@]}" env -i \
  PATH="$kok/usr/bin:/usr/bin:/bin" HOME="$ev" USER="$kullanici" LOGNAME="$kullanici" \
  XDG_DATA_HOME="$ev/.local/share" XDG_CONFIG_HOME="$ev/.config" XDG_CACHE_HOME="$ev/.cache" \
  XDG_RUNTIME_DIR="$ev/calisma" TMPDIR="$ev/tmp" LANG=C.UTF-8 \
  xvfb-run -n "$((100 + RANDOM % 800))" -a -s "-screen 0 1280x1024x24" \
  "$gecici/betik.sh" --ekranda "$(anahtar Exec)" "$cikti"
[ $? -eq 0 ] || { hata "no window \"$PENCERE_BASLIGI\" within $BEKLEME_SN s"; sed 's/^/  zelvora: /' "$cikti/zelvora.log" >&2; }

sinif=$(anahtar StartupWMClass)
if [ -f "$cikti/wm_class" ]; then
  # WM_CLASS(STRING) = "instance", "class": the class is what the entry names.
  grep -q ", \"$sinif\"$" "$cikti/wm_class" && tamam "window class matches StartupWMClass=$sinif" \
    || hata "window class $(cat "$cikti/wm_class") does not match StartupWMClass=$sinif"
fi
otomatik="$ev/.config/autostart/zelvora.desktop"
if [ -f "$otomatik" ]; then
  # The entry runs the packaged executable by its real path, hidden in the tray.
  grep -qxF "Exec=\"$kok/usr/bin/zelvora\" -Simge" "$otomatik" && grep -qxF "TryExec=$kok/usr/bin/zelvora" "$otomatik" \
    && desktop-file-validate "$otomatik" && tamam "autostart entry runs the installed executable: $(grep ^Exec= "$otomatik")" \
    || hata "autostart entry: $(cat "$otomatik")"
else
  hata "no autostart entry at \$XDG_CONFIG_HOME/autostart/zelvora.desktop after turning it on in \"Tercihler\""
fi
if [ -n "$ekran_resmi" ] && [ -f "$cikti/ekran.png" ]; then
  cp "$cikti/ekran.png" "$ekran_resmi" && echo "screenshot in $ekran_resmi"
fi

veri="$ev/.local/share/Tavrek"
vt="$veri/Zelvora/Vok.vtb"
yedek="$veri/Vtb Yedekleri/Vok.ydk"
tablolari_var() {
  local tablolar
  tablolar=$(sqlite3 -readonly "$1" "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name" 2>&1 | tr '\n' ' ')
  for t in $TABLOLAR; do
    [[ " $tablolar " == *" $t "* ]] || return 1
  done
}
if [ -f "$vt" ]; then
  [ "$(stat -c %a "$vt")" = 600 ] || hata "database mode is $(stat -c %a "$vt"), not 600"
  [ "$(stat -c %a "$(dirname "$vt")")" = 700 ] || hata "database folder mode is $(stat -c %a "$(dirname "$vt")"), not 700"
  [ "$(stat -c %U "$vt")" = "$kullanici" ] || hata "database belongs to $(stat -c %U "$vt")"
  tablolari_var "$vt" && tamam "database at \$XDG_DATA_HOME/Tavrek/Zelvora/Vok.vtb, 0600, with $TABLOLAR" \
    || hata "database lacks $TABLOLAR"
else
  hata "no database at $vt"
fi
if [ -s "$yedek" ]; then
  [ "$(sqlite3 -readonly "$yedek" 'PRAGMA integrity_check' 2>&1)" = ok ] && tablolari_var "$yedek" \
    && tamam "daily backup written: \$XDG_DATA_HOME/Tavrek/Vtb Yedekleri/Vok.ydk" || hata "backup is not sound"
else
  hata "no daily backup at $yedek"
fi

sonraki=$(cd "$kok" && find . -printf '%p %y %m %u %s %T@\n' | sort)
if [ "$onceki" = "$sonraki" ]; then
  tamam "nothing written under the unpacked root"
else
  hata "the program wrote under the unpacked root:"
  diff <(echo "$onceki") <(echo "$sonraki") | sed 's/^/  /' >&2
fi

if [ $hatalar -ne 0 ]; then
  echo "package check: $hatalar check(s) FAILED" >&2
  exit 1
fi
echo "OK: package check passed"
exit 0

#!/bin/bash
# The layers of src/ and the includes between them: a file may include only files of
# its own layer or of a lower one, and the window folders of one layer may not include
# each other round in a circle.
#   0 core          src/core
#   1 controls      the shared controls of src/ui (listed below)
#   2 windows       src/jobs, src/reminders, src/tools and the other windows of src/ui
#   3 main window   src/ui/AnaForm and the start-up that builds it (BaslangicModulu)
#   4 main          src/main.cpp
# Usage: scripts/katmanlar.sh [SOURCE_DIR]; fails, naming each wrong include.
set -euo pipefail
kok=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$kok/src"

ortak_denetimler="AnaPencere AyarliKutu BaglantiEtiketi BildirimAlani DosyaSecimPenceresi MesajKutusuPenceresi OrtakDenetimler"
ana_pencere="AnaForm BaslangicModulu"

# katman FILE: prints "LAYER GROUP" of a file under src/ (the group tells the window folders
# of layer 2 apart).
katman() {
  local yol=$1 klasor ad
  klasor=${yol%%/*}
  ad=$(basename "$yol"); ad=${ad%.*}
  case $yol in
    main.cpp) echo "4 main"; return ;;
  esac
  case $klasor in
    core) echo "0 core" ;;
    jobs | reminders | tools) echo "2 $klasor" ;;
    ui)
      if [[ " $ortak_denetimler " == *" $ad "* ]]; then echo "1 ui-denetimler"
      elif [[ " $ana_pencere " == *" $ad "* ]]; then echo "3 ui-anapencere"
      else echo "2 ui-pencereler"; fi ;;
    *) echo "9 $klasor" ;;
  esac
}

hata=0
kenarlar=$(mktemp)
trap 'rm -f "$kenarlar"' EXIT
while IFS= read -r dosya; do
  read -r k1 g1 < <(katman "$dosya")
  while IFS= read -r hedef; do
    [ -f "$hedef" ] || continue # generated headers (Surum.h) and the build's own
    read -r k2 g2 < <(katman "$hedef")
    if [ "$k2" -gt "$k1" ]; then
      echo "FAILED: src/$dosya (layer $k1) includes src/$hedef (layer $k2)" >&2
      hata=1
    elif [ "$k1" -eq 2 ] && [ "$k2" -eq 2 ] && [ "$g1" != "$g2" ]; then
      echo "$g1 $g2" >>"$kenarlar"
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$dosya")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)

# The window folders must form an order: tsort reports any circle among them.
if [ -s "$kenarlar" ] && ! sort -u "$kenarlar" | tsort >/dev/null 2>"$kenarlar.dongu"; then
  echo "FAILED: the window folders include each other in a circle:" >&2
  cat "$kenarlar.dongu" >&2
  hata=1
fi
rm -f "$kenarlar.dongu"
[ "$hata" -eq 0 ] && echo "layers: no include goes upwards, no circle among the window folders"
exit "$hata"

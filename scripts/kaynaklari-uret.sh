#!/usr/bin/env bash
# Zelvora'nın simgelerini, resimlerini ve alarm sesini src/resources altına
# yeniden üretir. Gerekenler: ImageMagick (convert), sox, fonts-dejavu-core.
#
# Her simge 32 birimlik bir ızgarada MVG ile çizilir, dört kat büyük
# boyutta işlenip kutu süzgeciyle küçültülür; böylece kenarlar yumuşak olur.
# Çıktılar tarih/saat bilgisi taşımaz, betik her çalıştığında aynı baytları
# üretir.
set -euo pipefail

KOK="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
HEDEF="$KOK/src/resources"
SIMGE="$HEDEF/simgeler"
RESIM="$HEDEF/resimler"

for arac in convert sox; do
    command -v "$arac" >/dev/null 2>&1 || { echo "eksik araç: $arac" >&2; exit 1; }
done

mkdir -p "$SIMGE" "$RESIM"

PNG_AYAR=(-strip -define png:exclude-chunks=date,time)
YAZI="DejaVu-Sans"
YAZI_KALIN="DejaVu-Sans-Bold"

# simge DOSYA BOYUT BIRIM MVG
# MVG, BIRIM x BIRIM büyüklüğünde bir ızgarada yazılır; sonuç BOYUT x BOYUT.
simge() {
    local ad=$1 boyut=$2 birim=$3 mvg=$4
    local buyuk=$((boyut * 4))
    local olcek
    olcek=$(awk -v b="$buyuk" -v u="$birim" 'BEGIN { printf "%.4f", b / u }')
    convert -size "${buyuk}x${buyuk}" xc:none \
        -draw "scale $olcek,$olcek $mvg" \
        -filter box -resize "${boyut}x${boyut}" \
        "${PNG_AYAR[@]}" "PNG32:$SIMGE/$ad"
}

# ---------------------------------------------------------------------------
# Ortak parçalar (32 birimlik ızgara)
# ---------------------------------------------------------------------------

# Köşesi kıvrık kâğıt yaprağı; X0 sol kenar, genişlik 19.
kagit() {
    local x=$1
    local s=$((x + 19)) k=$((x + 13))
    echo "stroke-linejoin round
          fill #ffffff stroke #56616d stroke-width 1.2
          polygon $x.5,2.5 $k.5,2.5 $s.5,8.5 $s.5,29.5 $x.5,29.5
          fill #d9dee4 polygon $k.5,2.5 $k.5,8.5 $s.5,8.5"
}

# Kâğıdın üzerindeki yazı satırları.
satirlar() {
    local x=$1 son=$2
    local b=$((x + 4)) e=$((x + 15))
    echo "fill none stroke #9aa6b3 stroke-width 1.6 stroke-linecap round
          line $b,8 $((x + 10)),8
          line $b,13 $e,13
          line $b,17.5 $e,17.5
          line $b,22 $((b + son)),22"
}

# Sağ altta yeşil artı işareti.
ARTI="stroke-linejoin round
      fill #34b044 stroke #1a6b24 stroke-width 1.2
      polygon 20.5,15.5 25.5,15.5 25.5,20.5 30.5,20.5 30.5,25.5 25.5,25.5
              25.5,30.5 20.5,30.5 20.5,25.5 15.5,25.5 15.5,20.5 20.5,20.5"

# Kapalı sarı klasör; dx, dy kaydırma.
klasor_kapali() {
    local dx=$1 dy=$2
    echo "push graphic-context translate $dx,$dy
          stroke-linejoin round stroke #946a0c stroke-width 1.2
          fill #e3a923
          path 'M 2.5,8 Q 2.5,6.5 4,6.5 L 11,6.5 L 13.5,9 L 28,9 Q 29.5,9 29.5,10.5 L 29.5,14 L 2.5,14 Z'
          fill #f8cf52
          roundrectangle 2.5,11.5 29.5,27.5 1.5,1.5
          fill none stroke #fde49a stroke-width 1
          line 4,13 28,13
          pop graphic-context"
}

# Zil gövdesi; renkler parametre.
zil() {
    local dolgu=$1 cizgi=$2 tokmak=$3 parlak=$4
    echo "stroke-linejoin round stroke $cizgi stroke-width 1.3
          fill $tokmak circle 16,25.5 16,28.3
          fill $dolgu circle 16,4.2 16,5.9
          path 'M 16,5.5 C 10.5,5.5 8.5,9.5 8.5,14 L 8.5,18.5 L 5,23.5 L 27,23.5 L 23.5,18.5 L 23.5,14 C 23.5,9.5 21.5,5.5 16,5.5 Z'
          fill none stroke $parlak stroke-width 1.6 stroke-linecap round
          path 'M 11.5,18 L 11.5,14 C 11.5,11 12.5,9.5 14,8.7'"
}

# Program simgesi: halkalı takvim yaprağı ve üzerinde saat. Masaüstü temasının
# her boyutu (16-256) ayrı çizilir: her boyutun ölçüleri aşağıdaki tabloda piksel
# olarak verilir, düz kenarlar tam piksel sınırlarına oturur, 16 ve 24'te saatin
# çemberi piksel piksel konur. Küçük boyutlar ayrıntıdan vazgeçer (gölge, saat
# çentikleri, ayraç çizgisi), büyükler ekler; hiçbiri ötekinin küçültülmüşü değildir.
program_simgesi_mvg() {
    awk -v satir="$1" '
    function A(v) { return 4 * v }              # kenar koordinatı -> 4 kat resimde ilk piksel
    function Z(v) { return 4 * v - 1 }          # kenar koordinatı -> 4 kat resimde son piksel
    function M(v) { return 4 * v - 0.5 }        # kenar koordinatı -> 4 kat resimde merkez
    function dik(x0, y0, x1, y1, renk) {
        printf "fill %s rectangle %d,%d %d,%d\n", renk, A(x0), A(y0), Z(x1), Z(y1)
    }
    function yuvarlak(x0, y0, x1, y1, r, renk) {
        if (r <= 0) { dik(x0, y0, x1, y1, renk); return }
        printf "fill %s roundrectangle %d,%d %d,%d %g,%g\n", renk, A(x0), A(y0), Z(x1), Z(y1), 4 * r, 4 * r
    }
    function daire(x, y, r, renk) {
        printf "fill %s circle %g,%g %g,%g\n", renk, M(x), M(y), M(x), M(y) - 4 * r
    }
    BEGIN {
        split(satir, d, " ")
        S = d[1]; o = d[2]; L = d[3]; T = d[4]; R = d[5]; B = d[6]; rad = d[7]
        H = d[8]; dv = d[9]; hx1 = d[10]; hx2 = d[11]; hw = d[12]; hy0 = d[13]; hy1 = d[14]; ho = d[15]
        cx = d[16]; cy = d[17]; cr = d[18]; cw = d[19]; iw = d[20]; im = d[21]; ia = d[22]
        nok = d[23]; gol = d[24]; cent = d[25]; ayr = d[26]

        CIZGI = "#2c3e57"; KIRMIZI = "#d9443a"; KAGIT = "#ffffff"; HALKA = "#8a95a1"
        MAVI = "#2f64a8"; YUZ = "#eaf2fb"; PARLAK = "#f06a5f"
        printf "stroke none\n"
        # Yaprağın gölgesi.
        if (gol > 0) yuvarlak(L + gol, T + gol, R + gol > S ? S : R + gol, B + gol > S ? S : B + gol, rad, "#00000030")
        # Yaprak: önce çizgi rengi, içine çizgi kalınlığı kadar içeriden kâğıt.
        yuvarlak(L, T, R, B, rad, CIZGI)
        yuvarlak(L + o, T + o, R - o, B - o, rad - o > 0 ? rad - o : 0, KAGIT)
        # Kırmızı başlık şeridi: üst köşeleri yuvarlak, altı düz.
        yuvarlak(L + o, T + o, R - o, H, rad - o > 0 ? rad - o : 0, KIRMIZI)
        dik(L + o, (T + o + H) / 2 > T + o + rad ? int((T + o + H) / 2) : H - 1, R - o, H, KIRMIZI)
        if (ayr > 0) dik(L + o + ayr, T + o + ayr, R - o - ayr, T + o + 2 * ayr, PARLAK)
        if (dv > 0) dik(L + o, H, R - o, H + dv, CIZGI)
        # Başlığın üstünden geçen iki halka.
        for (i = 1; i <= 2; i++) {
            x = (i == 1) ? hx1 : hx2
            if (ho > 0) {
                yuvarlak(x, hy0, x + hw, hy1, hw / 2, CIZGI)
                yuvarlak(x + ho, hy0 + ho, x + hw - ho, hy1 - ho, (hw - 2 * ho) / 2, HALKA)
            } else
                dik(x, hy0, x + hw, hy1, "#4a5563")
        }
        # Saat: mavi çember, açık kadran. Küçük boyutlarda piksel piksel konur ki
        # çember bulanık değil tek piksel keskin kalsın.
        if (S <= 24) {
            px = cx - 0.5; py = cy - 0.5
            for (y = py - cr - 1; y <= py + cr + 1; y++)
                for (x = px - cr - 1; x <= px + cr + 1; x++) {
                    u = sqrt((x - px) ^ 2 + (y - py) ^ 2)
                    if (u <= cr + 0.5 && u >= cr - 0.5) dik(x, y, x + 1, y + 1, MAVI)
                    else if (u < cr - 0.5) dik(x, y, x + 1, y + 1, YUZ)
                }
        } else {
            daire(cx, cy, cr, MAVI)
            daire(cx, cy, cr - cw, YUZ)
        }
        # Saat başı çentikleri (12, 3, 6, 9); 64 ve üstünde aradakiler nokta.
        ic = cr - cw
        if (nok > 0) {
            dik(cx - iw / 2, cy - ic, cx + iw / 2, cy - ic + nok, CIZGI)
            dik(cx - iw / 2, cy + ic - nok, cx + iw / 2, cy + ic, CIZGI)
            dik(cx - ic, cy - iw / 2, cx - ic + nok, cy + iw / 2, CIZGI)
            dik(cx + ic - nok, cy - iw / 2, cx + ic, cy + iw / 2, CIZGI)
        }
        if (nok > 0 && S >= 64) {
            for (k = 0; k < 12; k++) {
                if (k % 3 == 0) continue
                a = k * 3.14159265 / 6
                daire(cx + (ic - nok / 2) * sin(a), cy - (ic - nok / 2) * cos(a), iw / 2.5, "#7d8da0")
            }
        }
        # Akrep sağa, yelkovan yukarı; merkezde buluşurlar.
        yuvarlak(cx - iw / 2, cy - iw / 2 - im, cx + iw / 2, cy + iw / 2, iw >= 4 ? iw / 2 : 0, CIZGI)
        yuvarlak(cx - iw / 2, cy - iw / 2, cx + iw / 2 + ia, cy + iw / 2, iw >= 4 ? iw / 2 : 0, CIZGI)
        if (cent > 0 && S <= 24) dik(cx - 0.5, cy - 0.5, cx + 0.5, cy + 0.5, KIRMIZI)
        else if (cent > 0) daire(cx, cy, cent, KIRMIZI)
    }'
}

# Her boyutun ölçüleri, piksel: S boyut; o çizgi kalınlığı; L T R B yaprağın
# kenarları; rad köşe yarıçapı; H başlığın alt kenarı; dv ayraç kalınlığı; hx1 hx2
# hw hy0 hy1 ho halkalar (sol kenarlar, genişlik, üst, alt, çerçeve); cx cy cr cw
# saatin merkezi, yarıçapı, çember kalınlığı; iw im ia ibre kalınlığı, yelkovan ve
# akrep boyu; nok çentik boyu; gol gölge kayması; cent merkez noktası; ayr başlıktaki
# parlak çizgi. Tek piksellik ibrelerin merkezi piksel ortasında (x.5), çift
# piksellik ibrelerinki piksel sınırındadır.
PROGRAM_BOYUTLARI=(
# S  o L  T  R   B   rad  H   dv hx1 hx2 hw hy0 hy1 ho cx    cy    cr  cw  iw im ia nok gol cent ayr
"16  1 1  2  16  16  1.5  6   0  4   11  2  0   5   0  8.5   10.5  3   1   1  2  2  0   0   1    0"
"24  1 1  3  24  24  2    8   1  6   16  3  1   7   1  12.5  16.5  5   1   1  3  3  0   0   1    0"
"32  1 2  4  29  30  2.5  10  1  7   21  3  1   9   1  15.5  20.5  7   1.5 1  4  3  0   2   1.1  0"
"48  2 3  6  45  45  4    15  2  10  34  4  2   13  1  24    30    11  2   2  5  4  2   2   1.6  0"
"64  2 4  8  58  60  5    21  2  14  42  6  3   18  1  31    41    15  3   2  8  6  2   3   2.2  0"
"128 4 8  16 116 120 10   42  4  28  84  12 4   36  2  62    82    30  6   4  16 11 4   5   4    3"
"256 8 16 32 232 240 20   84  8  56  168 24 8   72  4  124   164   60  12  8  32 22 8   10  8    6"
)

# Temadaki simgeler: kurulum/hicolor/<B>x<B>/apps/zelvora.png. Dört kat büyük
# çizilir, kutu süzgeciyle küçültülür: piksel sınırındaki kenarlar keskin kalır.
TEMA="$HEDEF/kurulum/hicolor"
for satir in "${PROGRAM_BOYUTLARI[@]}"; do
    read -r boyut _ <<<"$satir"
    mkdir -p "$TEMA/${boyut}x${boyut}/apps"
    convert -size "$((boyut * 4))x$((boyut * 4))" xc:none \
        -draw "$(program_simgesi_mvg "$satir")" \
        -filter box -resize "${boyut}x${boyut}" \
        "${PNG_AYAR[@]}" "PNG32:$TEMA/${boyut}x${boyut}/apps/zelvora.png"
done

# ---------------------------------------------------------------------------
# Simgeler
# ---------------------------------------------------------------------------

simge KLASOR_EKLE.png 32 32 "$(klasor_kapali -1 -3) $ARTI"

simge IS_EKLE.png 32 32 "$(kagit 2) $(satirlar 2 6) $ARTI"

# Kâğıt ve üzerine eğik duran bir kalem (ucu sol altta).
simge IS_DEGISTIR.png 32 32 "$(kagit 2) $(satirlar 2 9)
    push graphic-context translate 20.5,19.5 rotate 135
    stroke-linejoin round stroke #5b3a12 stroke-width 1
    fill #f2a72e rectangle -7,-2.6 6,2.6
    fill #f6c25b stroke none rectangle -7,-2.4 6,-0.6
    fill #f1d6a2 stroke #5b3a12 stroke-width 1 polygon 6,-2.6 11,0 6,2.6
    fill #2b2b2b stroke none polygon 9.2,-0.95 11.1,0 9.2,0.95
    fill #b9c0c8 stroke #5b3a12 stroke-width 1 rectangle -9,-2.6 -7,2.6
    fill #ec8fa0 stroke #5b3a12 stroke-width 1
    path 'M -9,-2.6 L -11,-2.6 Q -12,-2.6 -12,-1.6 L -12,1.6 Q -12,2.6 -11,2.6 L -9,2.6 Z'
    pop graphic-context"

simge IS_SIL.png 32 32 "$(kagit 2) $(satirlar 2 9)
    fill none stroke-linecap round
    stroke #7f1010 stroke-width 5.4 line 17.5,17.5 28,28 line 28,17.5 17.5,28
    stroke #e53935 stroke-width 3.2 line 17.5,17.5 28,28 line 28,17.5 17.5,28"

simge LISTE.png 32 32 "stroke-linejoin round
    fill #ffffff stroke #7a8692 stroke-width 1.2
    roundrectangle 2.5,3.5 29.5,28.5 2,2
    fill #2f7fd8 stroke #1c4f8c stroke-width 0.8
    rectangle 5.5,7.5 8.5,10.5
    rectangle 5.5,13.5 8.5,16.5
    rectangle 5.5,19.5 8.5,22.5
    fill none stroke #44525f stroke-width 2 stroke-linecap round
    line 12,9 26,9
    line 12,15 24,15
    line 12,21 26,21
    stroke #a8b2bd line 12,25.8 20,25.8
    fill #a8b2bd stroke none circle 7,25.8 7,26.9"

simge YAZDIR.png 32 32 "stroke-linejoin round
    fill #ffffff stroke #56616d stroke-width 1.1
    rectangle 8.5,2.5 23.5,13
    fill none stroke #9aa6b3 stroke-width 1.2 line 11,6 21,6 line 11,9 19,9
    fill #8a96a3 stroke #39424c stroke-width 1.2
    roundrectangle 2.5,11.5 29.5,24.5 2.5,2.5
    fill #aab4bf stroke none rectangle 4,13 28,15.5
    fill #2d343b stroke none rectangle 6.5,19 25.5,21.5
    fill #3fd15a stroke #1b6e24 stroke-width 0.6 circle 25.3,15.8 25.3,16.9
    fill #ffffff stroke #56616d stroke-width 1.1
    rectangle 8.5,20.5 23.5,29.5
    fill none stroke #9aa6b3 stroke-width 1.2 line 11,24 21,24 line 11,27 18,27"

simge IS_BUL.png 32 32 "fill none stroke-linecap round
    stroke #3b2410 stroke-width 6.2 line 19.5,19.5 28,28
    stroke #9a6530 stroke-width 4.2 line 19.5,19.5 28,28
    fill #cfe6ff55 stroke #38424c stroke-width 3
    circle 13,13 13,4.5
    fill none stroke #ffffff stroke-width 1.6
    path 'M 8.2,12 Q 8.5,8.6 11.8,8.1'"

# Pencerenin ve "Program" düğümünün simgesi temadakinin aynısıdır.
cp "$TEMA/32x32/apps/zelvora.png" "$SIMGE/HAKKINDA.png"
cp "$TEMA/64x64/apps/zelvora.png" "$SIMGE/ZELVORA.png"

# Mavi dolap ve içinden çıkan sarı klasörler: "Klasörlerim".
simge KLASOR.png 32 32 "stroke-linejoin round
    fill #f3c043 stroke #946a0c stroke-width 1
    path 'M 7.5,12 L 7.5,4.5 L 12,4.5 L 13.5,6 L 20,6 L 20,12 Z'
    fill #f8d770
    path 'M 12.5,12 L 12.5,7.5 L 17,7.5 L 18.5,9 L 24.5,9 L 24.5,12 Z'
    fill #3a78cf stroke #1d3f72 stroke-width 1.2
    roundrectangle 4.5,10.5 27.5,29.5 2,2
    fill #5b95e3 stroke #1d3f72 stroke-width 1
    rectangle 7,13 25,19.5
    rectangle 7,21.5 25,27.5
    fill #f3c043 stroke #946a0c stroke-width 0.8
    roundrectangle 13,15.2 19,17.3 0.8,0.8
    roundrectangle 13,23.4 19,25.5 0.8,0.8"

simge KLASOR_KAPALI.png 32 32 "$(klasor_kapali 0 0)"

simge KLASOR_ACIK.png 32 32 "stroke-linejoin round stroke #946a0c stroke-width 1.2
    fill #e3a923
    path 'M 2.5,8 Q 2.5,6.5 4,6.5 L 11,6.5 L 13.5,9 L 26,9 Q 27.5,9 27.5,10.5 L 27.5,27.5 L 2.5,27.5 Z'
    fill #ffffff stroke #8c96a0 stroke-width 1
    polygon 6.5,12.5 23.5,10.5 24.5,20 7.5,22
    fill #f8cf52 stroke #946a0c stroke-width 1.2
    path 'M 2.5,27.5 L 7,15.5 L 30.5,15.5 L 26.5,27.5 Z'
    fill none stroke #fde49a stroke-width 1 line 8.2,17 28.8,17"

simge HATIRLAT.png 32 32 "$(zil '#f7b52c' '#9c5a06' '#e06c10' '#fde3a0')"

simge HATIRLATMA.png 32 32 "$(zil '#c3c9d0' '#69717a' '#8d959e' '#e6eaee')
    fill none stroke-linecap round
    stroke #ffffff stroke-width 4.6 line 5.5,28 27,4.5
    stroke #5d656e stroke-width 2.4 line 5.5,28 27,4.5"

simge YAPILDI.png 32 32 "fill none stroke-linecap round stroke-linejoin round
    stroke #1c6e27 stroke-width 6.6 polyline 5.5,17 12.5,24 26.5,7.5
    stroke #3dbf4c stroke-width 4.2 polyline 5.5,17 12.5,24 26.5,7.5
    stroke #8fe69a stroke-width 1.2 polyline 6.6,16.2 12.5,22 25.8,6.8"

# Kırmızı çalar saat.
simge ALARM.png 32 32 "stroke-linejoin round stroke-linecap round
    fill none stroke #5a1210 stroke-width 2.4
    line 10,25.5 6,30 line 22,25.5 26,30
    fill #c9302a stroke #5a1210 stroke-width 1.2
    path 'M 3.2,10.5 A 5.5,5.5 0 0 1 11.5,3.6 Z'
    path 'M 28.8,10.5 A 5.5,5.5 0 0 0 20.5,3.6 Z'
    fill none stroke #5a1210 stroke-width 1.6 line 16,4.5 16,7
    fill #e0443b stroke #5a1210 stroke-width 1.4
    circle 16,18 16,7.5
    fill #ffffff stroke #8e1f1a stroke-width 1
    circle 16,18 16,10.2
    fill none stroke #b8bec6 stroke-width 1.2
    line 16,11.6 16,12.9 line 22.4,18 21.1,18 line 16,24.4 16,23.1 line 9.6,18 10.9,18
    stroke #26292d stroke-width 1.6
    line 16,18 16,12.8 line 16,18 19.6,20.2
    fill #e0443b stroke none circle 16,18 16,19"

# Zarf ve kırmızı ünlem rozeti: hata bildirimi.
simge HATA_BILDIRME.png 32 32 "stroke-linejoin round
    fill #f6f2e6 stroke #6b6350 stroke-width 1.2
    rectangle 1.5,6.5 25.5,23.5
    fill #e9e2cc polygon 1.5,6.5 13.5,16 25.5,6.5
    fill none stroke #6b6350 stroke-width 1
    line 1.5,23.5 10,15 line 25.5,23.5 17,15
    fill #e53935 stroke #7f1010 stroke-width 1.2
    circle 23.5,22.5 23.5,14.5
    fill #ffffff stroke none
    roundrectangle 22.3,17.2 24.7,24.1 1,1
    circle 23.5,26.6 23.5,27.95"

simge ARTAN.png 12 12 "fill #56616d stroke #56616d stroke-width 0.6 stroke-linejoin round
    polygon 6,2.5 10.5,9 1.5,9"

simge AZALAN.png 12 12 "fill #56616d stroke #56616d stroke-width 0.6 stroke-linejoin round
    polygon 1.5,3 10.5,3 6,9.5"

# ---------------------------------------------------------------------------
# Büyük resimler (24 bit, saydamlık yok)
# ---------------------------------------------------------------------------

# Takvim yaprağı ve saat; 100 birimlik kutuda çizilir.
motif() {
    local m="stroke-linejoin round
        fill #00000038 stroke none roundrectangle 6,14 88,98 6,6
        fill #fbfbf8 stroke #2c3e57 stroke-width 1.6
        roundrectangle 2,9 84,92 6,6
        fill #d9443a stroke none
        roundrectangle 2.8,9.8 83.2,28 5.4,5.4
        rectangle 2.8,20 83.2,28.5
        fill #ffffff stroke none
        rectangle 2.8,28.5 83.2,29.3
        fill none stroke #2c3e57 stroke-width 1.6
        roundrectangle 2,9 84,92 6,6
        line 2,28.6 84,28.6
        fill #6b7682 stroke #2c3e57 stroke-width 1.2
        roundrectangle 18,2 25,19 3.5,3.5
        roundrectangle 61,2 68,19 3.5,3.5"
    # Gün kutucukları: 6 sütun, 5 satır.
    local sat sut x y renk
    for sat in 0 1 2 3 4; do
        for sut in 0 1 2 3 4 5; do
            x=$((9 + sut * 12)); y=$((35 + sat * 11))
            renk="#d6dee9"
            [[ $sat -eq 1 && $sut -eq 3 ]] && renk="#d9443a"
            [[ $sut -eq 5 ]] && renk="#f1c9c5"
            m+=" fill $renk stroke none roundrectangle $x,$y $((x + 8)),$((y + 7)) 1.2,1.2"
        done
    done
    # Sağ altta saat.
    m+=" fill #00000038 stroke none circle 73,81 73,56
         fill #ffffff stroke #2f64a8 stroke-width 4.5 circle 70,78 70,54.5
         fill none stroke #2f64a8 stroke-width 1.6 circle 70,78 70,57.5"
    m+=" $(awk 'BEGIN {
            for (i = 0; i < 12; i++) {
                a = i * 3.14159265 / 6; s = sin(a); c = cos(a)
                ic = (i % 3 == 0) ? 15.5 : 17
                printf " fill none stroke #2c3e57 stroke-width %s stroke-linecap round line %.2f,%.2f %.2f,%.2f",
                       (i % 3 == 0) ? 2.2 : 1.3, 70 + ic * s, 78 - ic * c, 70 + 19 * s, 78 - 19 * c
            } }')"
    m+=" fill none stroke #2c3e57 stroke-linecap round
         stroke-width 3.2 line 70,78 61.5,72
         stroke-width 2.4 line 70,78 70,63
         stroke #d9443a stroke-width 1.2 line 70,78 79,87
         fill #d9443a stroke none circle 70,78 70,80.4"
    echo "$m"
}
MOTIF="$(motif)"

# Karşılama ekranı: 540x360.
convert -size 540x360 gradient:'#20406e'-'#5c93c9' \
    -fill '#ffffff14' -stroke none \
    -draw "circle 470,-40 470,190" \
    -draw "circle 60,390 60,250" \
    -fill none -stroke '#ffffff22' -strokewidth 2 \
    -draw "circle 470,-40 470,215" \
    -stroke none \
    -draw "push graphic-context translate 40,95 scale 1.9,1.9 $MOTIF pop graphic-context" \
    -font "$YAZI_KALIN" -pointsize 56 -fill '#00000040' -annotate +259+179 'Zelvora' \
    -fill '#ffffff' -annotate +256+176 'Zelvora' \
    -fill '#ffffffaa' -draw "rectangle 258,198 496,200" \
    -font "$YAZI" -pointsize 24 -fill '#e8f0fa' -annotate +258+238 'Tavrek' \
    -pointsize 17 -fill '#cfe0f4' -annotate +258+268 'Sürüm 2.33' \
    -background '#20406e' -alpha remove -alpha off \
    "${PNG_AYAR[@]}" "PNG24:$RESIM/KARSILAMA.png"

# Hakkında penceresi: 210x310, dikey.
convert -size 210x310 gradient:'#5c93c9'-'#20406e' \
    -fill '#ffffff14' -stroke none \
    -draw "circle 190,20 190,140" \
    -draw "circle 10,300 10,210" \
    -fill none -stroke '#ffffff22' -strokewidth 2 \
    -draw "circle 190,20 190,160" \
    -stroke none \
    -draw "push graphic-context translate 25,70 scale 1.6,1.6 $MOTIF pop graphic-context" \
    -fill '#ffffff66' -draw "rectangle 40,258 170,259" \
    -font "$YAZI_KALIN" -pointsize 22 -fill '#ffffff' -gravity north -annotate +0+266 'Zelvora' \
    -background '#20406e' -alpha remove -alpha off \
    "${PNG_AYAR[@]}" "PNG24:$RESIM/HAKKINDA.png"

# ---------------------------------------------------------------------------
# Alarm sesi: 880/1320 Hz kısa bip dizileri, sonda kısa sessizlik.
# 22050 Hz, 16 bit, tek kanal.
# ---------------------------------------------------------------------------
GECICI="$(mktemp -d)"
trap 'rm -rf "$GECICI"' EXIT

ORNEK=(-r 22050 -c 1 -b 16 -e signed-integer)
sox -R -D -n "${ORNEK[@]}" "$GECICI/a.wav" synth 0.11 sine 880 fade q 0.008 0.11 0.015 vol 0.7
sox -R -D -n "${ORNEK[@]}" "$GECICI/b.wav" synth 0.11 sine 1320 fade q 0.008 0.11 0.015 vol 0.6
sox -R -D -n "${ORNEK[@]}" "$GECICI/s.wav" trim 0 0.04
sox -R -D -n "${ORNEK[@]}" "$GECICI/ara.wav" trim 0 0.40

# Bir grup: dört bip (a b a b) ve grup arası sessizlik; tam 1 s. Her grup
# sessizlikle bittiği için dosya döngüde başa sarınca ritim bozulmaz.
GRUP=()
for p in a b a b; do GRUP+=("$GECICI/$p.wav" "$GECICI/s.wav"); done
sox -R -D "${GRUP[@]}" "$GECICI/ara.wav" "$GECICI/grup.wav"

# Üç grup, toplam 3 saniye.
sox -R -D "$GECICI/grup.wav" "$GECICI/grup.wav" "$GECICI/grup.wav" \
    "${ORNEK[@]}" "$HEDEF/Alarm.wav"

echo "Kaynaklar üretildi: $HEDEF"

#include "core/Renkler.h"

#include <algorithm>
#include <cmath>

namespace Zelvora::Renkler {

namespace {
double dogrusal(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

double parlaklik(const QColor &renk)
{
    const QColor c = renk.toRgb();
    return 0.2126 * dogrusal(c.redF()) + 0.7152 * dogrusal(c.greenF()) + 0.0722 * dogrusal(c.blueF());
}

double karsitlik(const QColor &a, const QColor &b)
{
    const double la = parlaklik(a), lb = parlaklik(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor okunur(const QColor &istenen, const QColor &zemin, double enAz)
{
    if (karsitlik(istenen, zemin) >= enAz)
        return istenen;
    // Lighter on a dark background, darker on a light one: the side with more room.
    const bool acigaDogru = parlaklik(zemin) < 0.18;
    const QColor ilk = istenen.toHsl();
    const float ton = ilk.hslHueF(), doygunluk = ilk.hslSaturationF();
    float acik = ilk.lightnessF();
    constexpr float Adim = 1.0f / 255;
    while (acigaDogru ? acik < 1 : acik > 0) {
        acik = std::clamp(acik + (acigaDogru ? Adim : -Adim), 0.0f, 1.0f);
        // Held in 8-bit sRGB as the other colours are, so equal colours compare equal.
        const QColor hsl = QColor::fromHslF(ton < 0 ? 0 : ton, doygunluk, acik);
        const QColor aday(hsl.red(), hsl.green(), hsl.blue());
        if (karsitlik(aday, zemin) >= enAz)
            return aday;
    }
    return acigaDogru ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace Zelvora::Renkler

#pragma once
// Colours that stay readable on whatever palette the desktop gives: the program's fixed
// colours (the focused caption's dark red, the date colours, the links) are kept where
// they already stand out from their background, and made lighter on a dark background or
// darker on a light one, keeping their hue, where they do not.

#include <QColor>

namespace Zelvora::Renkler {

// The least contrast a text colour keeps against its background (WCAG 2 "AA" for text).
constexpr double EnAzKarsitlik = 4.5;

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double parlaklik(const QColor &renk);
// Contrast ratio of two colours, 1 to 21.
double karsitlik(const QColor &a, const QColor &b);
// istenen itself when its contrast against zemin is at least enAz; otherwise the colour of
// the same hue and saturation nearest to it in lightness that reaches enAz (white or black
// when none of that hue does).
QColor okunur(const QColor &istenen, const QColor &zemin, double enAz = EnAzKarsitlik);

} // namespace Zelvora::Renkler

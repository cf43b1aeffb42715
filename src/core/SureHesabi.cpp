#include "core/SureHesabi.h"

#include "core/Tarihler.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace Zelvora::SureHesabi {
namespace {
const QDate IlkTarih(100, 1, 1);
const QDate SonTarih(9999, 12, 31);
} // namespace

QStringList birimAdlari()
{
    return {QStringLiteral("Gün"), QStringLiteral("Hafta"), QStringLiteral("Ay"), QStringLiteral("Yıl")};
}

bool aralikta(const QDate &t)
{
    return t.isValid() && t >= IlkTarih && t <= SonTarih;
}

QDate baslangicTarihi(const QString &metin)
{
    const QDate t = Tarihler::tarihCoz(metin);
    return aralikta(t) ? t : QDate();
}

std::optional<QDate> ekle(const QString &dilimKodu, qint64 miktar, const QDate &baslangic)
{
    // No amount beyond the number of days between the first and the last date can
    // land inside the range; larger ones are refused before any arithmetic.
    if (!aralikta(baslangic) || miktar > 4000000 || miktar < -4000000)
        return std::nullopt;
    // Every sum is checked in 64 bits before the date is built, so no amount can overflow.
    if (dilimKodu == QLatin1String("d") || dilimKodu == QLatin1String("ww")) {
        const qint64 gun = dilimKodu == QLatin1String("d") ? miktar : miktar * 7;
        const qint64 jd = baslangic.toJulianDay() + gun;
        if (jd < IlkTarih.toJulianDay() || jd > SonTarih.toJulianDay())
            return std::nullopt;
        return QDate::fromJulianDay(jd);
    }
    qint64 aylar = 0;
    if (dilimKodu == QLatin1String("m"))
        aylar = miktar;
    else if (dilimKodu == QLatin1String("yyyy"))
        aylar = miktar * 12;
    else
        return std::nullopt;
    const qint64 hedef = qint64(baslangic.year()) * 12 + (baslangic.month() - 1) + aylar;
    const qint64 yil = hedef >= 0 ? hedef / 12 : -((-hedef + 11) / 12);
    const int ay = int(hedef - yil * 12) + 1;
    if (yil < IlkTarih.year() || yil > SonTarih.year())
        return std::nullopt;
    const QDate ilk(int(yil), ay, 1);
    return QDate(int(yil), ay, qMin(baslangic.day(), ilk.daysInMonth()));
}

double bastakiSayi(const QString &metin)
{
    // Blanks before the number are skipped; a sign, digits, one decimal point and an
    // exponent make the number.
    static const QRegularExpression desen(
        QStringLiteral("^\\s*([+-]?(?:\\d+(?:\\.\\d*)?|\\.\\d+)(?:[eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch m = desen.match(metin);
    if (!m.hasMatch())
        return 0;
    const double d = std::strtod(m.captured(1).toLatin1().constData(), nullptr);
    return std::isfinite(d) ? d : 0;
}

std::optional<double> sayiOku(const QString &metin)
{
    static const QRegularExpression desen(
        QStringLiteral("^\\s*([+-]?(?:\\d+(?:[.,]\\d*)?|[.,]\\d+)(?:[eE][+-]?\\d+)?)\\s*$"));
    const QRegularExpressionMatch m = desen.match(metin);
    if (!m.hasMatch())
        return std::nullopt;
    QString s = m.captured(1);
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    const double d = std::strtod(s.toLatin1().constData(), nullptr);
    if (!std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<qint32> yuvarla(double sayi)
{
    if (!std::isfinite(sayi))
        return std::nullopt;
    // nearbyint rounds in the default mode: to nearest, halves to even.
    const double r = std::nearbyint(sayi);
    if (r < double(std::numeric_limits<qint32>::min()) || r > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(r);
}

} // namespace Zelvora::SureHesabi

#include "core/Tarihler.h"

#include <QStringList>

namespace Zelvora::Tarihler {
namespace {
const char16_t *const AYLAR[] = {u"Ocak", u"Şubat", u"Mart", u"Nisan", u"Mayıs", u"Haziran",
                                 u"Temmuz", u"Ağustos", u"Eylül", u"Ekim", u"Kasım", u"Aralık"};
const char16_t *const GUNLER[] = {u"Pazartesi", u"Salı", u"Çarşamba", u"Perşembe",
                                  u"Cuma", u"Cumartesi", u"Pazar"};
const char16_t *const KISA_GUNLER[] = {u"Pzt", u"Sal", u"Çar", u"Per", u"Cum", u"Cmt", u"Paz"};
} // namespace

QString kisaTarih(const QDate &t)
{
    if (!t.isValid())
        return {};
    return QStringLiteral("%1.%2.%3")
        .arg(t.day(), 2, 10, QLatin1Char('0'))
        .arg(t.month(), 2, 10, QLatin1Char('0'))
        .arg(t.year(), 4, 10, QLatin1Char('0'));
}

QString uzunTarih(const QDate &t)
{
    if (!t.isValid())
        return {};
    return QString::number(t.day()) + QLatin1Char(' ') + ayAdi(t.month()) + QLatin1Char(' ')
        + QString::number(t.year()) + QLatin1Char(' ') + gunAdi(t.dayOfWeek());
}

QString saatMetni(const QTime &s)
{
    return s.isValid() ? s.toString(QStringLiteral("HH:mm:ss")) : QString();
}

QDate tarihCoz(const QString &metin)
{
    const QString s = metin.trimmed();
    if (s.isEmpty())
        return {};
    QChar ayirici;
    for (QChar c : s) {
        if (c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('-')) {
            ayirici = c;
            break;
        }
    }
    if (ayirici.isNull())
        return {};
    const QStringList parcalar = s.split(ayirici);
    if (parcalar.size() != 3)
        return {};
    bool t1 = false, t2 = false, t3 = false;
    const int gun = parcalar[0].toInt(&t1);
    const int ay = parcalar[1].toInt(&t2);
    int yil = parcalar[2].toInt(&t3);
    if (!t1 || !t2 || !t3 || parcalar[2].isEmpty() || parcalar[2].size() == 3 || parcalar[2].size() > 4)
        return {};
    if (parcalar[2].size() <= 2)
        yil += yil < 30 ? 2000 : 1900;
    const QDate t(yil, ay, gun);
    return t.isValid() ? t : QDate();
}

QString ayAdi(int ay)
{
    return ay >= 1 && ay <= 12 ? QString::fromUtf16(AYLAR[ay - 1]) : QString();
}

QString gunAdi(int gun)
{
    return gun >= 1 && gun <= 7 ? QString::fromUtf16(GUNLER[gun - 1]) : QString();
}

QString kisaGunAdi(int gun)
{
    return gun >= 1 && gun <= 7 ? QString::fromUtf16(KISA_GUNLER[gun - 1]) : QString();
}

} // namespace Zelvora::Tarihler

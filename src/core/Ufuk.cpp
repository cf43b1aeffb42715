#include "core/Ufuk.h"

#include "core/Ayarlar.h"

#include <QTimeZone>

namespace Zelvora::Ufuk {

QDateTime an(const QDate &tarih, const QTime &saat)
{
    return QDateTime(tarih, saat, QTimeZone::utc());
}

QDateTime taramaAni(const QDateTime &simdi)
{
    const QTime t = simdi.time();
    return an(simdi.date(), QTime(t.hour(), t.minute(), 0));
}

QString metin(const QDateTime &ufuk)
{
    return ufuk.date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ')
        + ufuk.time().toString(QStringLiteral("HH:mm:ss"));
}

QDateTime coz(const QString &s)
{
    const QString t = s.trimmed();
    if (t.size() != 19 || t.at(10) != QLatin1Char(' '))
        return {};
    // Date and time read apart: a local date-time parser would move or refuse an hour
    // that daylight saving skips.
    const QDate tarih = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime saat = QTime::fromString(t.mid(11), QStringLiteral("HH:mm:ss"));
    if (!tarih.isValid() || !saat.isValid())
        return {};
    return an(tarih, saat);
}

QDateTime taramaUfku(const QDateTime &simdi)
{
    const QDateTime u = coz(Ayarlar::oku(AyarAdi::HatirlatmaUfku));
    if (u.isValid() && u <= taramaAni(simdi))
        return u;
    // Without a horizon, or with one after the scan: the last second before today, so
    // every earlier day counts as dealt with and a job at 00:00 today does not. It is
    // stored only within the bound of yaz: a clock running days behind (or a horizon
    // written while it ran ahead) leaves the stored one alone, so that once the clock is
    // right again the days in between do not all come back.
    const QDateTime dunSonu = an(simdi.date(), QTime(0, 0)).addSecs(-1);
    yaz(dunSonu);
    return dunSonu;
}

void yaz(const QDateTime &ufuk)
{
    // Never more than a day back: a clock set behind (a flat battery, a wrong date typed
    // in) must not rewind what has been dealt with to its day.
    const QDateTime kayitli = coz(Ayarlar::oku(AyarAdi::HatirlatmaUfku));
    if (kayitli.isValid() && ufuk < kayitli.addDays(-1))
        return;
    const QString m = metin(ufuk);
    // Written only when it changes: an idle program moves it once a minute.
    if (Ayarlar::oku(AyarAdi::HatirlatmaUfku) != m)
        Ayarlar::yaz(AyarAdi::HatirlatmaUfku, m);
}

void isYazildi(const QDate &tarih, const QTime &saat, bool hatirlatma, bool yapildi, const QDateTime &simdi)
{
    if (!hatirlatma || yapildi || !saat.isValid() || tarih != simdi.date())
        return;
    const QDateTime is = an(tarih, saat);
    const QDateTime ufuk = coz(Ayarlar::oku(AyarAdi::HatirlatmaUfku));
    if (ufuk.isValid() && ufuk >= is)
        yaz(is.addSecs(-1));
}

} // namespace Zelvora::Ufuk

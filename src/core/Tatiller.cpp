#include "core/Tatiller.h"

#include "core/OrtakYordamlar.h"

#include <QHash>
#include <QStringList>

namespace Zelvora::Tatiller {
namespace {

struct Gun {
    QStringList tamGun;
    QString yarimGun;
};

// The table, read once from the resources.
const QHash<QDate, Gun> &tablo()
{
    static const QHash<QDate, Gun> t = [] {
        QHash<QDate, Gun> h;
        for (const QStringList &p : KaynakTablosu(QStringLiteral(":/Tatiller.txt"))) {
            const QDate tarih = QDate::fromString(p.value(0), QStringLiteral("yyyy-MM-dd"));
            if (p.size() != 3 || !tarih.isValid())
                continue;
            Gun &g = h[tarih];
            if (p.at(1) == QLatin1String("T"))
                g.tamGun.append(p.at(2));
            else
                g.yarimGun = p.at(2);
        }
        return h;
    }();
    return t;
}

} // namespace

bool kapsamda(const QDate &t)
{
    return t.isValid() && t.year() >= IlkYil && t.year() <= SonYil;
}

QString tatilAdi(const QDate &t)
{
    return tablo().value(t).tamGun.join(QStringLiteral(", "));
}

QString yarimGunAdi(const QDate &t)
{
    return tablo().value(t).yarimGun;
}

bool isGunu(const QDate &t)
{
    return t.isValid() && t.dayOfWeek() <= 5 && tatilAdi(t).isEmpty();
}

QDate ilkIsGunu(const QDate &t)
{
    if (!t.isValid())
        return {};
    QDate g = t.addDays(1);
    // No run of holidays and weekends is longer than a few days; the bound only
    // guards against a damaged table.
    for (int i = 0; i < 60 && !isGunu(g); ++i)
        g = g.addDays(1);
    return g;
}

QDate ilkTamIsGunu(const QDate &t)
{
    QDate g = ilkIsGunu(t);
    for (int i = 0; i < 60 && g.isValid() && !yarimGunAdi(g).isEmpty(); ++i)
        g = ilkIsGunu(g);
    return g;
}

bool adliTatilde(const QDate &t)
{
    if (!t.isValid())
        return false;
    return (t.month() == 7 && t.day() >= 20) || t.month() == 8;
}

QDate adliTatilSonu(int yil)
{
    return QDate(yil, 8, 31);
}

} // namespace Zelvora::Tatiller

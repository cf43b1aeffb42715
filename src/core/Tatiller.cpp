#include "core/Tatiller.h"

#include "core/OrtakYordamlar.h"
#include "core/Tarihler.h"

#include <QFile>
#include <QHash>
#include <QStringList>
#include <QTextStream>

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
        KaynaklariHazirla();
        QFile f(QStringLiteral(":/Tatiller.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return h;
        QTextStream in(&f);
        in.setEncoding(QStringConverter::Utf8);
        while (!in.atEnd()) {
            const QString satir = in.readLine();
            if (satir.isEmpty() || satir.startsWith(QLatin1Char('#')))
                continue;
            const QStringList p = satir.split(QLatin1Char('\t'));
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

bool adliTatilde(const QDate &t)
{
    if (!t.isValid())
        return false;
    return (t.month() == 7 && t.day() >= 20) || t.month() == 8;
}

QString gunBilgisi(const QDate &t)
{
    if (!t.isValid())
        return {};
    QString s = Tarihler::gunAdi(t.dayOfWeek());
    const QString tatil = tatilAdi(t);
    if (!tatil.isEmpty())
        s += QStringLiteral(", resmî tatil: ") + tatil;
    else if (t.dayOfWeek() >= 6)
        s += QStringLiteral(", hafta sonu");
    if (!isGunu(t)) {
        const QDate is = ilkIsGunu(t);
        s += QStringLiteral(". İlk iş günü ") + Tarihler::kisaTarih(is) + QLatin1Char(' ')
            + Tarihler::gunAdi(is.dayOfWeek());
    } else if (const QString arife = yarimGunAdi(t); !arife.isEmpty()) {
        s += QStringLiteral(", ") + arife + QStringLiteral(": 13.00'ten sonra yarım gün tatil");
    }
    s += QLatin1Char('.');
    if (adliTatilde(t))
        s += QStringLiteral(" Adli tatil içinde (20 Temmuz – 31 Ağustos).");
    if (!kapsamda(t))
        s += QStringLiteral(" Resmî tatiller yalnız %1–%2 yılları için bilinir.").arg(IlkYil).arg(SonYil);
    return s;
}

} // namespace Zelvora::Tatiller

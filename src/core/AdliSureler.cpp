#include "core/AdliSureler.h"

#include "core/OrtakYordamlar.h"
#include "core/SureHesabi.h"
#include "core/Tarihler.h"
#include "core/Tatiller.h"

#include <QStringList>

namespace Zelvora::AdliSureler {
namespace {

QString tarihVeGun(const QDate &t)
{
    return Tarihler::kisaTarih(t) + QLatin1Char(' ') + Tarihler::gunAdi(t.dayOfWeek());
}

// What a last day on a feast's eve needs: the afternoon is off, and the first full
// working day after the feast is named without promising that the period moves to it.
QString yarimGunNotu(const QDate &t)
{
    const QString arife = Tatiller::yarimGunAdi(t);
    if (arife.isEmpty() || !Tatiller::isGunu(t))
        return {};
    return QStringLiteral(", ") + arife + QStringLiteral(": 13.00'ten sonra yarım gün tatil. Bayramdan sonraki ilk tam iş günü ")
        + tarihVeGun(Tatiller::ilkTamIsGunu(t)) + QStringLiteral("; işlemi arifede 13.00'ten önce yapın");
}

// The weekday of the date found, its holiday and the first working day after it.
QString gunSatiri(const QDate &t)
{
    QString s = Tarihler::gunAdi(t.dayOfWeek());
    const QString tatil = Tatiller::tatilAdi(t);
    if (!tatil.isEmpty())
        s += QStringLiteral(", resmî tatil: ") + tatil;
    else if (t.dayOfWeek() >= 6)
        s += QStringLiteral(", hafta sonu");
    if (Tatiller::isGunu(t)) {
        s += yarimGunNotu(t);
    } else {
        const QDate is = Tatiller::ilkIsGunu(t);
        s += QStringLiteral(". İlk iş günü ") + tarihVeGun(is);
        // A period that ends just before the recess moves into it: whether the recess
        // then extends it is not settled, so no later day is promised.
        if (!Tatiller::adliTatilde(t) && Tatiller::adliTatilde(is))
            s += QStringLiteral(", adli tatil içinde; sürenin tatilden sonraya uzadığına güvenmeyin");
        s += yarimGunNotu(is);
    }
    s += QLatin1Char('.');
    if (!Tatiller::kapsamda(t))
        s += QStringLiteral(" Resmî tatiller yalnız %1–%2 yılları için bilinir.").arg(Tatiller::IlkYil).arg(Tatiller::SonYil);
    return s;
}

// A last day inside the recess: the extended last day where the court's law gives one
// (the civil-procedure rule, named as such, when no court is chosen), else why not.
QString tatilSatiri(const Soru &soru)
{
    QString s = QStringLiteral("Adli tatil içinde (20 Temmuz – 31 Ağustos).");
    const Mahkeme *kural = soru.mahkeme ? soru.mahkeme : hukukUsulu();
    if (!kural)
        return s;
    if (kural->tatilKurali.isEmpty())
        return s + QLatin1Char(' ') + kural->tatilNotu;
    const QDate son = sonGun(soru);
    s += soru.mahkeme ? QStringLiteral(" ") : QStringLiteral(" Mahkeme seçilmedi, hukuk usulüne göre: ");
    s += kural->tatilKurali + QStringLiteral(" gereği süre tatilin bittiği günden bir hafta uzar, son gün ")
        + tarihVeGun(son) + yarimGunNotu(son) + QStringLiteral(". ") + kural->tatilNotu;
    return s;
}

} // namespace

const QList<Mahkeme> &mahkemeler()
{
    static const QList<Mahkeme> liste = [] {
        QList<Mahkeme> l;
        const QStringList birimler = SureHesabi::birimAdlari();
        for (const QStringList &p : KaynakTablosu(QStringLiteral(":/TemyizSureleri.txt"))) {
            if (p.size() != 8)
                continue;
            Mahkeme m;
            bool sayi = false;
            m.baslik = p.at(0);
            m.miktar = p.at(1).toInt(&sayi);
            m.birim = int(birimler.indexOf(p.at(2)));
            m.madde = p.at(3);
            m.yururluk = QDate::fromString(p.at(4), QStringLiteral("yyyy-MM-dd"));
            m.tatilKurali = p.at(5) == QLatin1String("-") ? QString() : p.at(5);
            m.aciklama = p.at(6);
            m.tatilNotu = p.at(7);
            if (sayi && m.miktar > 0 && m.birim >= 0 && m.yururluk.isValid() && !m.baslik.isEmpty())
                l.append(m);
        }
        return l;
    }();
    return liste;
}

const Mahkeme *hukukUsulu()
{
    for (const Mahkeme &m : mahkemeler()) {
        if (m.tatilKurali == QLatin1String("HMK 104"))
            return &m;
    }
    return nullptr;
}

QDate elektronikTeblig(const QDate &ulasma)
{
    return ulasma.isValid() ? ulasma.addDays(5) : QDate();
}

QDate tatilSonrasiSonGun(int yil)
{
    const QDate g = Tatiller::adliTatilSonu(yil).addDays(7);
    return Tatiller::isGunu(g) ? g : Tatiller::ilkIsGunu(g);
}

QDate sonGun(const Soru &s)
{
    const QDate &t = s.sonuc;
    if (!t.isValid())
        return {};
    const Mahkeme *kural = s.mahkeme ? s.mahkeme : hukukUsulu();
    if (Tatiller::adliTatilde(t) && kural && !kural->tatilKurali.isEmpty())
        return tatilSonrasiSonGun(t.year());
    return Tatiller::isGunu(t) ? t : Tatiller::ilkIsGunu(t);
}

QString gunBilgisi(const Soru &s)
{
    if (!s.sonuc.isValid())
        return {};
    QStringList satirlar;
    const QDate teblig = s.elektronik ? elektronikTeblig(s.baslangic) : s.baslangic;
    if (s.elektronik && teblig.isValid())
        satirlar << QStringLiteral("Elektronik tebligat: %1 günü ulaştı, izleyen beşinci günün sonunda, %2 günü "
                                   "tebliğ edilmiş sayılır (Tebligat Kanunu 7/a). Süre bu günden başlar.")
                        .arg(Tarihler::kisaTarih(s.baslangic), tarihVeGun(teblig));
    if (s.mahkeme) {
        QString m = s.mahkeme->madde + QStringLiteral(": ") + s.mahkeme->aciklama;
        if (teblig.isValid() && teblig < s.mahkeme->yururluk)
            m += QStringLiteral(" Bu süre %1 gününden beri yürürlüktedir; daha önce tebliğ edilen kararlar için o "
                                "günkü kanuna bakın.")
                     .arg(Tarihler::kisaTarih(s.mahkeme->yururluk));
        satirlar << m;
    }
    satirlar << gunSatiri(s.sonuc);
    if (Tatiller::adliTatilde(s.sonuc))
        satirlar << tatilSatiri(s);
    return satirlar.join(QLatin1Char('\n'));
}

QString isKonusu(const Mahkeme *mahkeme)
{
    return mahkeme ? QStringLiteral("İstinaf süresi sonu") : QStringLiteral("Süre sonu");
}

QString isAciklamasi(const Soru &s, const QString &sure)
{
    QStringList parcalar;
    if (s.baslangic.isValid()) {
        if (s.elektronik)
            parcalar << QStringLiteral("Elektronik tebligat %1 günü ulaştı, %2 günü tebliğ edilmiş sayılır "
                                       "(Tebligat Kanunu 7/a).")
                            .arg(Tarihler::kisaTarih(s.baslangic), Tarihler::kisaTarih(elektronikTeblig(s.baslangic)));
        else
            parcalar << QStringLiteral("Başlangıç tarihi %1.").arg(Tarihler::kisaTarih(s.baslangic));
    }
    if (!sure.isEmpty())
        parcalar << QStringLiteral("Süre: %1.").arg(sure);
    if (s.mahkeme)
        parcalar << s.mahkeme->madde + QStringLiteral(": ") + s.mahkeme->aciklama;
    const QDate son = sonGun(s);
    if (son.isValid() && son != s.sonuc)
        parcalar << QStringLiteral("Son gün %1.").arg(tarihVeGun(son));
    return parcalar.join(QLatin1Char(' '));
}

} // namespace Zelvora::AdliSureler

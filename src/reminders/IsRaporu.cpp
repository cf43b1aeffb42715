#include "reminders/IsRaporu.h"

#include "core/Arayuzler.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "jobs/IsSatiriModeli.h"
#include "reminders/YaziciSecmeFormu.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace Zelvora {

namespace {

// Rows: the main window, the job list window, the reminder window.
constexpr RaporFarki Farklar[] = {
    {125, 15, false, false},
    {125, 15, false, true},
    {130, 20, true, true},
};

class RaporCizici {
public:
    RaporCizici(SayfaYuzeyi &s, const RaporFarki &f)
        : s(s), f(f), W(s.genislik()), H(s.yukseklik())
    {
    }

    void baslik(const QString &metin)
    {
        s.puntoAyarla(Rapor::BaslikPuntosu);
        s.kalinAyarla(true);
        s.ustAyarla(Rapor::BaslikUst);
        s.solAyarla((W - s.metinGenisligi(metin)) / 2);
        s.yaz(metin, true);
    }

    void sutunBasliklari()
    {
        s.puntoAyarla(Rapor::SutunBasligiPuntosu);
        s.kalinAyarla(true);
        s.altiCiziliAyarla(true);
        s.ustAyarla(Rapor::SutunBasligiUst);
        yaz(Rapor::TarihSolu, QStringLiteral("Tarihi"), false);
        yaz(Rapor::SaatSolu, QStringLiteral("Saati"), false);
        yaz(Rapor::KonuSolu, QStringLiteral("Konusu"), false);
        yaz(Rapor::YerSolu, QStringLiteral("Yeri"), false);
        yaz(f.sayisiSolu, QStringLiteral("Sayısı"), false);
        yaz(Rapor::AciklamaSolu, QStringLiteral("Açıklama"), true);
        s.kalinAyarla(false);
        s.altiCiziliAyarla(false);
    }

    void satirlar(const IsSatiriModeli &m)
    {
        s.puntoAyarla(Rapor::SatirPuntosu);
        s.kalinAyarla(false);
        s.ustAyarla(Rapor::SatirUst);
        const int n = m.rowCount();
        for (int i = 0; i < n; ++i) {
            sayfaDoluysaKir();
            s.ustAyarla(s.ust() + Rapor::SatirAraligi);
            const IsKaydi is = m.is(i);
            yaz(Rapor::TarihSolu, m.hucreMetni(i, IsSatiriModeli::Tarihi), false);
            yaz(Rapor::SaatSolu, is.saat.isValid() ? is.saat.toString(QStringLiteral("HH:mm")) : QString(), false);
            yaz(Rapor::KonuSolu, is.konu, false);
            yaz(Rapor::YerSolu, is.yer, false);
            yaz(f.sayisiSolu, is.sayi, false);
            aciklama(TekSatir(is.aciklama));
        }
    }

    void son()
    {
        s.kalinAyarla(false);
        if (s.sayfaNo() > 1)
            altBilgi();
    }

private:
    void yaz(double sol, const QString &metin, bool satiriBitir)
    {
        s.solAyarla(sol);
        s.yaz(metin, satiriBitir);
    }

    // A description line is ended as soon as its text is wider than the wrap width; a
    // word that is only a dash is left out. What is measured keeps the blank the line
    // is built with; what is printed starts at the column's edge.
    void aciklama(QString kalan)
    {
        QString satir;
        for (;;) {
            const qsizetype bosluk = kalan.indexOf(QLatin1Char(' '));
            if (bosluk < 0) {
                yaz(Rapor::AciklamaSolu, (satir.trimmed() + QLatin1Char(' ') + kalan.trimmed()).trimmed(), true);
                return;
            }
            QString kelime = kalan.left(bosluk);
            if (kelime == QStringLiteral("-"))
                kelime.clear();
            kalan = kalan.mid(bosluk + 1);
            if (s.metinGenisligi(satir) <= Rapor::AciklamaGenisligi) {
                satir = satir.trimmed() + QLatin1Char(' ') + kelime.trimmed();
            } else {
                yaz(Rapor::AciklamaSolu, satir.trimmed(), true);
                satir = kelime.trimmed();
            }
            sayfaDoluysaKir();
        }
    }

    void sayfaDoluysaKir()
    {
        if (s.ust() + f.altBosluk + 5 >= H)
            sayfaKir();
    }

    void sayfaKir()
    {
        altBilgi();
        s.yeniSayfa();
        sutunBasliklari();
        s.puntoAyarla(Rapor::SatirPuntosu);
        s.ustAyarla(Rapor::SatirUst);
    }

    void altBilgi()
    {
        const QString metin = QStringLiteral("Sayfa - ") + QString::number(s.sayfaNo());
        s.ustAyarla(H - f.altBosluk);
        yaz(W - (s.metinGenisligi(metin) + Rapor::SagBosluk), metin, true);
    }

    SayfaYuzeyi &s;
    const RaporFarki &f;
    const int W;
    const int H;
};

} // namespace

const RaporFarki &raporFarki(RaporPenceresi pencere)
{
    return Farklar[int(pencere)];
}

void raporuCiz(SayfaYuzeyi &sayfa, const QString &baslik, const IsSatiriModeli &satirlar, const RaporFarki &fark)
{
    RaporCizici c(sayfa, fark);
    c.baslik(baslik);
    c.sutunBasliklari();
    c.satirlar(satirlar);
    c.son();
}

namespace {
// A printer that refused the document is reported; nothing is silently lost.
bool yaziciAdimi(const std::function<void()> &adim)
{
    try {
        adim();
        return true;
    } catch (const Hata &h) {
        if (h.numara() == HataNo::Yazici)
            mesaj(QStringLiteral("Liste yazdırılamadı!") + QStringLiteral("\r\n\r\n") + h.aciklama(),
                  MesajSimgesi::Uyari);
        else
            GenelHataYordami(h);
        return false;
    }
}
} // namespace

void isListesiniYazdir(RaporPenceresi pencere, const QString &baslik, const IsSatiriModeli &satirlar,
                       QWidget *sahip, QWidget *yazdirDugmesi, bool yaziciPenceresiUstte)
{
    const RaporFarki &fark = raporFarki(pencere);
    if (satirlar.rowCount() == 0)
        return;
    // Printers come and go while the program runs all day: look again at every command.
    Adim([] { OrtakDegiskenler::YaziciVar = !Arayuz::yazicilar().liste().isEmpty(); });
    if (!OrtakDegiskenler::YaziciVar) {
        mesaj(QStringLiteral("Bilgisayarınızda yüklü bir YAZICI yok!") + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Lütfen, bir yazıcı yükleyip tekrar deneyiniz."),
              MesajSimgesi::Uyari);
        return;
    }

    OrtakDegiskenler::YazdirmaIptalEdildi = false;
    QPointer<QWidget> dugme = yazdirDugmesi;
    Adim([&] {
        YaziciSecmeFormu secim(sahip);
        if (fark.yaziciPenceresiUstte && yaziciPenceresiUstte)
            secim.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        secim.exec();
    });
    if (OrtakDegiskenler::YazdirmaIptalEdildi) {
        OrtakDegiskenler::YazdirmaIptalEdildi = false;
        if (fark.iptaldeDugmeyeDon && dugme) {
            dugme->setEnabled(true);
            dugme->setFocus();
        }
        return;
    }

    std::unique_ptr<SayfaYuzeyi> belge;
    if (!yaziciAdimi([&] { belge = Arayuz::yazicilar().belgeBaslat(baslik); }) || !belge)
        return;
    Adim([&] { raporuCiz(*belge, baslik, satirlar, fark); });
    yaziciAdimi([&] { belge->bitir(); });
    QCoreApplication::processEvents();
}

} // namespace Zelvora

#include "reminders/IsRaporu.h"

#include "core/Arayuzler.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "jobs/IsSatiriModeli.h"
#include "reminders/SistemYazicilari.h"
#include "reminders/YaziciSecmeFormu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
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

// A printer or file that refused the document is reported; nothing is silently lost.
bool yaziciAdimi(const std::function<void()> &adim, bool pdf)
{
    try {
        adim();
        return true;
    } catch (const Hata &h) {
        if (h.numara() == HataNo::Yazici)
            mesaj((pdf ? QStringLiteral("Liste PDF dosyasına kaydedilemedi!") : QStringLiteral("Liste yazdırılamadı!"))
                      + QStringLiteral("\r\n\r\n") + h.aciklama(),
                  MesajSimgesi::Uyari);
        else
            GenelHataYordami(h);
        return false;
    }
}

// Where the last PDF of this run went; the next one is offered there.
QString &sonPdfKlasoru()
{
    static QString klasor;
    return klasor;
}

// The file first offered for a report: its title as the name, in the folder of the last
// PDF, else the user's documents folder, else the home folder.
QString pdfOnerisi(const QString &baslik)
{
    QString klasor = sonPdfKlasoru();
    if (klasor.isEmpty() || !QFileInfo(klasor).isDir()) {
        klasor = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (klasor.isEmpty() || !QFileInfo(klasor).isDir())
            klasor = QDir::homePath();
    }
    QString ad;
    for (const QChar c : baslik) {
        // Characters other desktops' file names cannot hold.
        if (!QStringLiteral("/\\:*?\"<>|").contains(c) && c.isPrint())
            ad += c;
    }
    ad = ad.simplified();
    if (ad.isEmpty())
        ad = QStringLiteral("İş Listesi");
    return QDir(klasor).filePath(ad + QStringLiteral(".pdf"));
}

} // namespace

void isListesiniYazdir(RaporPenceresi pencere, const QString &baslik, const IsSatiriModeli &satirlar,
                       QWidget *sahip, QWidget *yazdirDugmesi, bool yaziciPenceresiUstte)
{
    const RaporFarki &fark = raporFarki(pencere);
    if (satirlar.rowCount() == 0)
        return;
    QPointer<QWidget> dugme = yazdirDugmesi;
    auto iptalEdildi = [&] {
        OrtakDegiskenler::YazdirmaIptalEdildi = false;
        if (fark.iptaldeDugmeyeDon && dugme) {
            dugme->setEnabled(true);
            dugme->setFocus();
        }
    };
    // Printers come and go while the program runs all day: look again at every command.
    Adim([] { OrtakDegiskenler::YaziciVar = !Arayuz::yazicilar().liste().isEmpty(); });
    QString pdfDosyasi;
    if (!OrtakDegiskenler::YaziciVar) {
        // Without a printer the list can still be had, as a PDF file.
        if (!soru(QStringLiteral("Bilgisayarınızda yüklü bir YAZICI yok!") + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Liste bir PDF dosyasına kaydedilsin mi?"))) {
            iptalEdildi();
            return;
        }
        Adim([&] { pdfDosyasi = pdfDosyasiSor(pdfOnerisi(baslik)); });
        if (pdfDosyasi.isEmpty()) {
            iptalEdildi();
            return;
        }
    } else {
        OrtakDegiskenler::YazdirmaIptalEdildi = false;
        Adim([&] {
            YaziciSecmeFormu secim(sahip);
            if (fark.yaziciPenceresiUstte && yaziciPenceresiUstte)
                secim.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            secim.pdfOnerisiAyarla(pdfOnerisi(baslik));
            secim.exec();
            pdfDosyasi = secim.pdfDosyasi();
        });
        if (OrtakDegiskenler::YazdirmaIptalEdildi) {
            iptalEdildi();
            return;
        }
    }

    const bool pdf = !pdfDosyasi.isEmpty();
    std::unique_ptr<SayfaYuzeyi> belge;
    if (!yaziciAdimi(
            [&] {
                belge = pdf ? std::unique_ptr<SayfaYuzeyi>(YaziciSayfasi::pdfDosyasina(pdfDosyasi, baslik))
                            : Arayuz::yazicilar().belgeBaslat(baslik);
            },
            pdf)
        || !belge)
        return;
    if (pdf)
        sonPdfKlasoru() = QFileInfo(pdfDosyasi).absolutePath();
    Adim([&] { raporuCiz(*belge, baslik, satirlar, fark); });
    yaziciAdimi([&] { belge->bitir(); }, pdf);
    QCoreApplication::processEvents();
}

} // namespace Zelvora

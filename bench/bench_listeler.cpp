// The job list window and the printed report on a generated database:
// "&Tüm İşler" of the job list window against the main window's all-folders listing
// of the same rows, the memory the window leaves behind once closed, and a report of
// 1 000 jobs printed into a PDF file.
//
//   bench_listeler [jobs] [repeats] [pdf file]

#include "core/Arayuzler.h"
#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "OrnekVeritabani.h"
#include "jobs/IsListesi.h"
#include "reminders/IsRaporu.h"
#include "reminders/SistemYazicilari.h"
#include "reminders/YapilacakIslerListesiFormu.h"
#include "ui/AnaForm.h"
#include "ui/BaslangicModulu.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Zelvora;

namespace {

class SessizMesaj : public MesajKutusu {
public:
    MesajCevabi goster(const QString &, MesajSimgesi, MesajDugmeleri, MesajCevabi v, const QString &) override
    {
        return v;
    }
};

using Olcum::uret;

double enIyi(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.front();
}

// Resident memory now, from /proc.
long yerlesikBellekKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> alanlar = f.readAll().split(' ');
    return alanlar.size() > 1 ? alanlar[1].toLong() * 4 : 0;
}

double msDegeri(const QElapsedTimer &z)
{
    return double(z.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication uygulama(argc, argv);
    const int isSayisi = argc > 1 ? atoi(argv[1]) : 100000;
    const int tekrar = argc > 2 ? atoi(argv[2]) : 5;

    QTemporaryDir klasor;
    const QString pdfYolu = argc > 3 ? QString::fromLocal8Bit(argv[3]) : klasor.path() + QStringLiteral("/rapor.pdf");
    const Klasorler k = Olcum::klasorleriKur(klasor.path());
    Arayuz::mesajKutusuKur(std::make_shared<SessizMesaj>());
    const QString yol = k.programKlasoru + QStringLiteral("Vok.vtb");
    uret(yol, isSayisi, 200);
    std::printf("Üretilen veritabanı: %d iş, 200 klasör\n", isSayisi);

    AnaForm *f = BaslangicModulu::Main({});
    if (f)
        // The reminder scan is measured on its own: its modal window, for the jobs due
        // today among the generated ones, would wait for a user that is not there.
        f->findChild<QTimer *>(QStringLiteral("YapilacakIsKontrolu"))->stop();
    QApplication::processEvents();

    // The main window's all-folders listing and the job list window's "&Tüm İşler",
    // alternated so that both meet the same caches.
    std::vector<double> anaListe, listePenceresi;
    int anaSatir = 0, listeSatir = 0;
    long oncesi = 0, sonrasi = 0, acikken = 0;
    for (int i = 0; i < tekrar; ++i) {
        QElapsedTimer z;
        z.start();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(true);
        QApplication::processEvents();
        anaListe.push_back(msDegeri(z));
        anaSatir = f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(false);
        QApplication::processEvents();

        malloc_trim(0);
        oncesi = yerlesikBellekKb();
        auto *p = new YapilacakIslerListesiFormu(f);
        p->show();
        QApplication::processEvents();
        z.restart();
        p->findChild<QPushButton *>(QStringLiteral("TumIsleriListeleDugmesi"))->click();
        QApplication::processEvents();
        listePenceresi.push_back(msDegeri(z));
        listeSatir = p->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
        acikken = yerlesikBellekKb();
        p->reject();
        delete p;
        QApplication::processEvents();
        // Freed memory goes back to the system only when the allocator is asked to.
        malloc_trim(0);
        sonrasi = yerlesikBellekKb();
    }

    // A report of 1 000 jobs into a PDF file, from a model filled with the first
    // 1 000 rows of the full list.
    std::vector<double> yazdirma;
    int sayfa = 0;
    {
        std::vector<IsKaydi> isler = Veritabani::acik().isListesi(Veritabani::ListeKipi::Tumu, QDate());
        isler.resize(std::min<size_t>(isler.size(), 1000));
        IsSatiriModeli m;
        m.doldur(std::move(isler), QDate::currentDate(), false);
        for (int i = 0; i < tekrar; ++i) {
            QElapsedTimer z;
            z.start();
            auto s = YaziciSayfasi::pdfDosyasina(pdfYolu, QStringLiteral("Tüm İşleriniz"));
            raporuCiz(*s, QStringLiteral("Tüm İşleriniz (Toplam: 1000)"), m,
                      raporFarki(RaporPenceresi::ListePenceresi));
            sayfa = s->sayfaNo();
            s->bitir();
            yazdirma.push_back(msDegeri(z));
        }
    }

    std::printf("\n%-52s %12s %12s\n", "ölçüm (en iyi / tekrar)", "ms", "satır");
    std::printf("%-52s %12.1f %12d\n", "ana pencere, tüm klasörler", enIyi(anaListe), anaSatir);
    std::printf("%-52s %12.1f %12d\n", "iş listesi penceresi, \"&Tüm İşler\"", enIyi(listePenceresi), listeSatir);
    std::printf("%-52s %12.2f\n", "oran (liste penceresi / ana pencere)", enIyi(listePenceresi) / enIyi(anaListe));
    std::printf("%-52s %12.1f %12d sayfa\n", "1 000 işlik rapor PDF'e", enIyi(yazdirma), sayfa);
    std::printf("%-52s %9ld KiB\n", "yerleşik bellek: pencere açılmadan", oncesi);
    std::printf("%-52s %9ld KiB\n", "yerleşik bellek: pencere açık, tüm işler", acikken);
    std::printf("%-52s %9ld KiB\n", "yerleşik bellek: pencere kapandıktan sonra", sonrasi);
    delete f;
    Baslangic::veritabaniniKapat();
    return 0;
}

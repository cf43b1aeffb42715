// The main window's listings on the office server, side by side with the desk's file:
// the same 100 000 jobs in 200 folders in an SQLite file and in a PostgreSQL database
// reached over its Unix socket; one folder (500 jobs) and all folders, through the main
// window (statement, model filled), best of the repeats.
//
//   dir=$(mktemp -d); export ZELVORA_BENCH_SUNUCU=$(scripts/sunucu-gecici.sh baslat "$dir")
//   QT_QPA_PLATFORM=offscreen build/bench/bench_sunucu [jobs] [folders] [repeats]
//
// The server's database must hold the schema of sql/sunucu.sql; its tables are emptied.

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QTemporaryDir>

#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace Zelvora;

namespace {

class SessizMesaj : public MesajKutusu {
public:
    MesajCevabi goster(const QString &m, MesajSimgesi, MesajDugmeleri, MesajCevabi v, const QString &) override
    {
        std::fprintf(stderr, "mesaj: %s\n", m.toUtf8().constData());
        return v;
    }
};

// One generated job: a folder, a day in three years, a time, texts like a law office's.
IsKaydi uretilenIs(int i, int klasorSayisi)
{
    const unsigned h = unsigned(i) * 2654435761u;
    IsKaydi is;
    is.anahtari = QString::number(i % klasorSayisi + 1) + QStringLiteral("-Anahtar");
    is.tarih = QDate(2024, 1, 1).addDays(int(h % 1100));
    is.saat = QTime(int((h >> 11) % 24), int((h >> 5) % 60));
    is.konu = QStringLiteral("Duruşma ") + QString::number(i);
    is.yer = QStringLiteral("İstanbul ") + QString::number((h >> 7) % 50) + QStringLiteral(". Asliye Hukuk");
    is.sayi = QStringLiteral("2026/") + QString::number((h >> 3) % 9999);
    is.aciklama = QStringLiteral("Müvekkil ile görüşülecek, dosya hazırlanacak. Sıra ") + QString::number(i);
    is.hatirlatma = (h >> 13) & 1;
    is.yapildi = (h >> 17) % 5 == 0;
    return is;
}

// Fills both back ends with the same folders and jobs, each in one transaction.
void doldur(Veritabani &vt, int isSayisi, int klasorSayisi)
{
    vt.calistir("BEGIN");
    for (int k = 1; k <= klasorSayisi; ++k)
        vt.klasorEkle({QString::number(k) + QStringLiteral("-Anahtar"), QStringLiteral("Klasor"),
                       QStringLiteral("Dosya ") + QString::number(k)});
    for (int i = 0; i < isSayisi; ++i)
        vt.isEkle(uretilenIs(i, klasorSayisi));
    vt.calistir("COMMIT");
}

double ms(const QElapsedTimer &z)
{
    return double(z.nsecsElapsed()) / 1e6;
}

struct Olcum {
    double birKlasor = 1e9, tumKlasorler = 1e9;
    int birSatir = 0, tumSatir = 0;
};

// The main window on the open database: one folder, then all folders, best of tekrar.
Olcum olc(int tekrar)
{
    Olcum o;
    auto f = std::make_unique<AnaForm>(true);
    // The reminder scan's modal window, for the generated jobs due today, would wait for
    // a user that is not there.
    f->findChild<QTimer *>(QStringLiteral("YapilacakIsKontrolu"))->stop();
    QApplication::processEvents();
    QTreeWidgetItem *dugum = f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->dugum(QStringLiteral("7-Anahtar"));
    for (int i = 0; i < tekrar; ++i) {
        QElapsedTimer z;
        z.start();
        f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->setCurrentItem(dugum);
        f->KlasorListesi_NodeClick(dugum);
        QApplication::processEvents();
        o.birKlasor = std::min(o.birKlasor, ms(z));
        o.birSatir = f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
        z.restart();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(true);
        QApplication::processEvents();
        o.tumKlasorler = std::min(o.tumKlasorler, ms(z));
        o.tumSatir = f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(false);
        QApplication::processEvents();
    }
    return o;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication uygulama(argc, argv);
    const int isSayisi = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int klasorSayisi = argc > 2 ? std::atoi(argv[2]) : 200;
    const int tekrar = argc > 3 ? std::atoi(argv[3]) : 5;
    const QString sunucu = qEnvironmentVariable("ZELVORA_BENCH_SUNUCU");
    if (sunucu.isEmpty()) {
        std::fprintf(stderr, "ZELVORA_BENCH_SUNUCU is not set: start a server with scripts/sunucu-gecici.sh\n");
        return 2;
    }

    QTemporaryDir klasor;
    Klasorler k;
    k.programKlasoru = klasor.path() + QStringLiteral("/program/");
    k.programDosyalariKlasoru = klasor.path() + QStringLiteral("/veri/");
    k.ayarDosyasi = klasor.path() + QStringLiteral("/ayar/Zelvora.conf");
    QDir().mkpath(k.programKlasoru);
    Arayuz::klasorlerKur(k);
    Arayuz::mesajKutusuKur(std::make_shared<SessizMesaj>());
    OrtakDegiskenler::PencereBasligi = QStringLiteral("bench");
    Tercihler::yukle();

    const QString dosya = klasor.path() + QStringLiteral("/Vok.vtb");
    Veritabani::bosOlustur(dosya);
    std::unique_ptr<Veritabani> dosyaVt = Veritabani::ac(dosya);
    std::unique_ptr<Veritabani> sunucuVt = Veritabani::sunucuyaBaglan(sunucu);
    sunucuVt->calistir("TRUNCATE \"YapilacakIslerTablosu\", \"KlasorBilgileriTablosu\" RESTART IDENTITY CASCADE");

    QElapsedTimer z;
    z.start();
    doldur(*dosyaVt, isSayisi, klasorSayisi);
    const double dosyaUretim = ms(z);
    z.restart();
    doldur(*sunucuVt, isSayisi, klasorSayisi);
    sunucuVt->calistir("ANALYZE");
    const double sunucuUretim = ms(z);
    std::printf("Üretilen: %d iş, %d klasör (dosya %.0f ms, sunucu %.0f ms)\n", isSayisi, klasorSayisi, dosyaUretim,
                sunucuUretim);

    Veritabani::acikAyarla(dosyaVt.get());
    const Olcum d = olc(tekrar);
    Veritabani::acikAyarla(sunucuVt.get());
    const Olcum s = olc(tekrar);
    Veritabani::acikAyarla(nullptr);

    std::printf("\n%-36s %12s %12s %8s\n", "ana pencere (en iyi / tekrar)", "dosya ms", "sunucu ms", "oran");
    std::printf("%-36s %12.2f %12.2f %8.2f   (%d / %d satır)\n", "bir klasör", d.birKlasor, s.birKlasor,
                s.birKlasor / d.birKlasor, d.birSatir, s.birSatir);
    std::printf("%-36s %12.2f %12.2f %8.2f   (%d / %d satır)\n", "tüm klasörler", d.tumKlasorler, s.tumKlasorler,
                s.tumKlasorler / d.tumKlasorler, d.tumSatir, s.tumSatir);
    std::printf("OZET_SUNUCU bir_klasor_oran=%.2f tum_klasor_oran=%.2f\n", s.birKlasor / d.birKlasor,
                s.tumKlasorler / d.tumKlasorler);
    return d.birSatir == s.birSatir && d.tumSatir == s.tumSatir ? 0 : 1;
}

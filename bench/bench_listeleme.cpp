// Start-up and listing speed on a generated database of 100 000 jobs in 200 folders.
// Prints, side by side, the program's times and the raw SQLite times of the same queries.
//
//   bench_listeleme [jobs] [folders] [repeats]

#include "core/Arayuzler.h"
#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"
#include "ui/BaslangicModulu.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <sys/resource.h>

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

void uret(const QString &yol, int isSayisi, int klasorSayisi)
{
    Veritabani::bosOlustur(yol);
    sqlite3 *db = nullptr;
    sqlite3_open(yol.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *k = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO KlasorBilgileriTablosu VALUES(?,?,?)", -1, &k, nullptr);
    for (int i = 1; i <= klasorSayisi; ++i) {
        const QByteArray a = QByteArray::number(i) + "-Anahtar";
        const QByteArray ad = "Dosya " + QByteArray::number(i);
        sqlite3_bind_text(k, 1, a.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(k, 2, "Klasor", -1, SQLITE_STATIC);
        sqlite3_bind_text(k, 3, ad.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(k);
        sqlite3_reset(k);
    }
    sqlite3_finalize(k);
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, "
                       "IsinSayisi, Aciklama, Hatirlatma, IsYapildi) VALUES(?,?,?,?,?,?,?,?,?)",
                       -1, &s, nullptr);
    const QDate ilk(2024, 1, 1);
    unsigned tohum = 12345;
    auto rastgele = [&tohum] {
        tohum = tohum * 1103515245u + 12345u;
        return (tohum >> 8) & 0xffffff;
    };
    for (int i = 0; i < isSayisi; ++i) {
        const QByteArray a = QByteArray::number(i % klasorSayisi + 1) + "-Anahtar";
        const QByteArray t = ilk.addDays(rastgele() % 1100).toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        const QByteArray h = QTime(int(rastgele() % 24), int(rastgele() % 60)).toString(QStringLiteral("HH:mm:ss")).toUtf8();
        const QByteArray konu = "Duruşma " + QByteArray::number(i);
        const QByteArray yer = "İstanbul " + QByteArray::number(rastgele() % 50) + ". Asliye Hukuk";
        const QByteArray sayi = "2026/" + QByteArray::number(rastgele() % 9999);
        const QByteArray aciklama = "Müvekkil ile görüşülecek, dosya hazırlanacak. Sıra " + QByteArray::number(i);
        sqlite3_bind_text(s, 1, a.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 2, t.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 3, h.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 4, konu.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 5, yer.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 6, sayi.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 7, aciklama.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(s, 8, int(rastgele() % 2));
        sqlite3_bind_int(s, 9, int(rastgele() % 5 == 0));
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// The same query as the program runs, on a connection with the program's settings,
// every column read as text, nothing kept.
double hamSorgu(sqlite3 *db, const char *sql, const char *anahtar, int *satir)
{
    QElapsedTimer z;
    z.start();
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (anahtar)
        sqlite3_bind_text(st, 2, anahtar, -1, SQLITE_STATIC);
    int n = 0;
    size_t toplam = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < 10; ++c)
            toplam += size_t(sqlite3_column_bytes(st, c)) + (sqlite3_column_text(st, c) ? 1 : 0);
        ++n;
    }
    sqlite3_finalize(st);
    const double ms = double(z.nsecsElapsed()) / 1e6;
    *satir = n;
    if (toplam == 0)
        std::printf("(boş sonuç)\n");
    return ms;
}

double enIyi(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.front();
}

long tepeBellekKb()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication uygulama(argc, argv);
    const int isSayisi = argc > 1 ? atoi(argv[1]) : 100000;
    const int klasorSayisi = argc > 2 ? atoi(argv[2]) : 200;
    const int tekrar = argc > 3 ? atoi(argv[3]) : 5;

    QTemporaryDir klasor;
    Klasorler k;
    k.programKlasoru = klasor.path() + QStringLiteral("/program/");
    k.programDosyalariKlasoru = klasor.path() + QStringLiteral("/veri/");
    k.ayarDosyasi = klasor.path() + QStringLiteral("/ayar/Zelvora.conf");
    k.kilitKlasoru = klasor.path() + QStringLiteral("/calisma/");
    QDir().mkpath(k.programKlasoru);
    QDir().mkpath(k.kilitKlasoru);
    Arayuz::klasorlerKur(k);
    Arayuz::mesajKutusuKur(std::make_shared<SessizMesaj>());
    QDir().mkpath(Baslangic::veritabaniKlasoru());
    const QString yol = Baslangic::veritabaniYolu();

    QElapsedTimer z;
    z.start();
    uret(yol, isSayisi, klasorSayisi);
    std::printf("Üretilen veritabanı: %d iş, %d klasör (%.0f ms)\n", isSayisi, klasorSayisi, double(z.elapsed()));

    // Start-up: the whole sequence (backup included on this first start of the day).
    z.restart();
    AnaForm *f = BaslangicModulu::Main({});
    while (!f->isVisible())
        QApplication::processEvents();
    QApplication::processEvents();
    const double baslangic = double(z.nsecsElapsed()) / 1e6;
    // A second start on the same day writes no backup: the usual case.
    delete f;
    Baslangic::veritabaniniKapat();
    z.restart();
    f = BaslangicModulu::Main({});
    QApplication::processEvents();
    const double ikinciBaslangic = double(z.nsecsElapsed()) / 1e6;

    QTreeWidgetItem *dugum = f->KlasorListesi->dugum(QStringLiteral("7-Anahtar"));
    sqlite3 *ham = nullptr;
    sqlite3_open_v2(yol.toUtf8().constData(), &ham, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(ham, "PRAGMA cache_size=-32768;", nullptr, nullptr, nullptr);
    std::vector<double> tekKlasor, tumKlasorler, hamTek, hamTum;
    int satirTek = 0, satirTum = 0, hamSatirTek = 0, hamSatirTum = 0;
    for (int i = 0; i < tekrar; ++i) {
        z.restart();
        f->KlasorListesi->setCurrentItem(dugum);
        f->KlasorListesi_NodeClick(dugum);
        QApplication::processEvents();
        tekKlasor.push_back(double(z.nsecsElapsed()) / 1e6);
        satirTek = f->YapilacakIslerListesi->satirSayisi();

        z.restart();
        f->TumKlasorlerOnayi->setChecked(true);
        QApplication::processEvents();
        tumKlasorler.push_back(double(z.nsecsElapsed()) / 1e6);
        satirTum = f->YapilacakIslerListesi->satirSayisi();
        f->TumKlasorlerOnayi->setChecked(false);
        QApplication::processEvents();

        hamTek.push_back(hamSorgu(ham,
                                  "SELECT IsNo, Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, "
                                  "Aciklama, Hatirlatma, IsYapildi FROM YapilacakIslerTablosu WHERE Anahtari=?2 "
                                  "ORDER BY IsinTarihi, IsNo",
                                  "7-Anahtar", &hamSatirTek));
        hamTum.push_back(hamSorgu(ham,
                                  "SELECT IsNo, Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, "
                                  "Aciklama, Hatirlatma, IsYapildi FROM YapilacakIslerTablosu ORDER BY IsinTarihi, IsNo",
                                  nullptr, &hamSatirTum));
    }

    std::printf("\n%-44s %12s %12s %8s\n", "ölçüm (en iyi / tekrar)", "program ms", "ham SQLite", "oran");
    std::printf("%-44s %12.1f %12s %8s\n", "başlangıç → ana pencere (yedek yazılarak)", baslangic, "-", "-");
    std::printf("%-44s %12.1f %12s %8s\n", "başlangıç → ana pencere (aynı gün, yedeksiz)", ikinciBaslangic, "-", "-");
    std::printf("%-44s %12.2f %12.2f %8.2f   (%d / %d satır)\n", "bir klasör", enIyi(tekKlasor), enIyi(hamTek),
                enIyi(tekKlasor) / enIyi(hamTek), satirTek, hamSatirTek);
    std::printf("%-44s %12.2f %12.2f %8.2f   (%d / %d satır)\n", "tüm klasörler", enIyi(tumKlasorler), enIyi(hamTum),
                enIyi(tumKlasorler) / enIyi(hamTum), satirTum, hamSatirTum);
    // What the daily backup's checks cost on this file (once a day, on the backup's start).
    auto denetimSuresi = [ham](const char *pragma) {
        std::vector<double> sureler;
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer d;
            d.start();
            sqlite3_exec(ham, pragma, nullptr, nullptr, nullptr);
            sureler.push_back(double(d.nsecsElapsed()) / 1e6);
        }
        return enIyi(sureler);
    };
    std::printf("%-44s %12.1f\n", "PRAGMA integrity_check (yedek öncesi)", denetimSuresi("PRAGMA integrity_check"));
    std::printf("%-44s %12.1f\n", "PRAGMA quick_check (her açılış)", denetimSuresi("PRAGMA quick_check"));
    std::printf("%-44s %12ld KiB\n", "tepe bellek", tepeBellekKb());
    sqlite3_close(ham);
    delete f;
    Baslangic::veritabaniniKapat();
    return 0;
}

// Speed and memory at 100 000 jobs in 200 folders, each figure side by side with its
// reference measured in the same run:
//   - start-up to the main window shown: the first start of the day (the daily backup
//     due) against a later start of the same day, each in a process of its own;
//   - one folder (500 jobs) clicked in the main window, all folders, and the job list
//     window's "&Tüm İşler", each until the list is filled and painted, against the
//     same statement on raw SQLite with the program's connection settings;
//   - the resident memory of a fresh program after listing all folders;
//   - the reminder scan, and the search over the descriptions against raw LIKE.
// The last line sums it up for scripts: OZET bir_klasor_oran=... (see the end of main).
//
//   bench_listeleme [jobs] [folders] [repeats]

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"
#include "OrnekVeritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/YapilacakIslerListesiFormu.h"
#include "ui/AnaForm.h"
#include "ui/BaslangicModulu.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <sqlite3.h>

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

// The program's folders under one temporary folder (the same in every process of a run).
void klasorleriKur(const QString &kok)
{
    Klasorler k;
    k.programKlasoru = kok + QStringLiteral("/program/");
    k.programDosyalariKlasoru = kok + QStringLiteral("/veri/");
    k.ayarDosyasi = kok + QStringLiteral("/ayar/Zelvora.conf");
    QDir().mkpath(k.programKlasoru);
    Arayuz::klasorlerKur(k);
    Arayuz::mesajKutusuKur(std::make_shared<SessizMesaj>());
    Ayarlar::yenidenAc();
    // The main window as it first opens on a 1024 x 768 screen, whatever the screen of
    // the run: how much a listing paints depends on the rows and columns in sight (here
    // 28 rows, every column whole).
    Ayarlar::yaz(AyarAdi::Genislik, QString::number(1024 * 15));
    Ayarlar::yaz(AyarAdi::Yukseklik, QString::number(768 * 15 - 400));
    Ayarlar::yaz(AyarAdi::SolBosluk, QStringLiteral("0"));
    Ayarlar::yaz(AyarAdi::UstBosluk, QStringLiteral("0"));
    Ayarlar::kaydet();
}

using Olcum::uret;

double ms(const QElapsedTimer &z)
{
    return double(z.nsecsElapsed()) / 1e6;
}

double enIyi(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.front();
}

double ortanca(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The ratio of two measurements taken in turns: the median of the ratios of each pair,
// so that the load of the shared machine, which changes from moment to moment, weighs
// on both sides of each ratio alike.
double oran(const std::vector<double> &a, const std::vector<double> &b)
{
    std::vector<double> r;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        r.push_back(b[i] > 0 ? a[i] / b[i] : 0);
    return ortanca(r);
}

// Resident memory now, from /proc.
long yerlesikKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> alanlar = f.readAll().split(' ');
    return alanlar.size() > 1 ? alanlar[1].toLong() * 4 : 0;
}

// A statement run to its end on raw SQLite: every column of every row read as the
// program reads it (text, or a number for the flags), nothing kept.
double hamSorgu(sqlite3 *db, const char *sql, const QByteArray &p1, const QByteArray &p2, int *satir)
{
    QElapsedTimer z;
    z.start();
    int n = 0;
    size_t toplam = 0;
    {
        Sqlite::Deyim st(db, sql);
        if (!p1.isNull())
            st.bagla(1, p1);
        if (!p2.isNull())
            st.bagla(2, p2);
        const int sutun = st.sutunSayisi();
        while (st.adim()) {
            for (int c = 0; c < sutun; ++c) {
                const QByteArrayView v = st.ham(c);
                toplam += size_t(v.size()) + (v.isNull() ? 0 : 1);
            }
            ++n;
        }
    }
    const double sure = ms(z);
    *satir = n;
    if (n > 0 && toplam == 0)
        std::printf("?\n");
    return sure;
}

// The child processes: a start-up as the user's, measured from Main() to the main window
// painted; and the memory of a fresh program listing all folders.
int cocuk(const QString &kok, const QString &ne)
{
    klasorleriKur(kok);
    QElapsedTimer z;
    z.start();
    AnaForm *f = BaslangicModulu::Main({});
    if (f)
        // The reminder scan is measured on its own: its modal window, for the jobs due
        // today among the generated ones, would wait for a user that is not there.
        f->findChild<QTimer *>(QStringLiteral("YapilacakIsKontrolu"))->stop();
    if (!f)
        return 1;
    while (!f->isVisible())
        QApplication::processEvents();
    QApplication::processEvents();
    const double sure = ms(z);
    if (ne == QStringLiteral("baslangic")) {
        const bool yedekli = Baslangic::gunlukYedekSuruyor();
        QElapsedTimer y;
        y.start();
        // The backup runs on while the user works; here it is waited for.
        Olcum::bekle([] { return !Baslangic::gunlukYedekSuruyor(); }, 3600 * 1000);
        std::printf("SURE %.3f YEDEK %d %.1f\n", sure, yedekli ? 1 : 0, ms(y));
    } else {
        QApplication::processEvents();
        const long bos = yerlesikKb();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(true);
        QApplication::processEvents();
        // A few seconds of idleness, after which the program gives back what the listing
        // took (its page cache is kept warm for 3 s after a long list).
        Olcum::bekle([] { return false; }, 4000);
        std::printf("BELLEK %ld %ld %d\n", bos, yerlesikKb(), f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi());
    }
    delete f;
    Baslangic::veritabaniniKapat();
    return 0;
}

QByteArray cocuguCalistir(const QString &kok, const QString &ne)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--cocuk"), kok, ne});
    p.waitForFinished(-1);
    for (const QByteArray &satir : p.readAllStandardOutput().split('\n')) {
        if (satir.startsWith("SURE") || satir.startsWith("BELLEK"))
            return satir;
    }
    return {};
}

// The daily backup is due: the backup dates from yesterday, the database from the day before.
void yedekVakti(const QString &vt, const QString &yedek)
{
    for (const auto &[yol, gun] : {std::pair{vt, -2}, std::pair{yedek, -1}}) {
        QFile d(yol);
        if (d.exists() && d.open(QIODevice::ReadWrite))
            d.setFileTime(QDateTime::currentDateTime().addDays(gun), QFileDevice::FileModificationTime);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication uygulama(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--cocuk")
        return cocuk(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    const int isSayisi = argc > 1 ? atoi(argv[1]) : 100000;
    const int klasorSayisi = argc > 2 ? atoi(argv[2]) : 200;
    const int tekrar = argc > 3 ? atoi(argv[3]) : 9;

    QTemporaryDir gecici;
    const QString kok = gecici.path();
    klasorleriKur(kok);
    QDir().mkpath(Baslangic::veritabaniKlasoru());
    const QString yol = Baslangic::veritabaniYolu();
    QElapsedTimer z;
    z.start();
    uret(yol, isSayisi, klasorSayisi);
    std::printf("Üretilen veritabanı: %d iş, %d klasör, %.1f MB (%.0f ms)\n", isSayisi, klasorSayisi,
                double(QFileInfo(yol).size()) / 1e6, ms(z));
    std::fflush(stdout);

    // --- Start-ups, each in a fresh process, first and later start of a day alternately.
    std::vector<double> ilk, sonraki, yedekSuresi;
    for (int i = 0; i < tekrar; ++i) {
        yedekVakti(yol, Baslangic::yedekYolu());
        const QList<QByteArray> a = cocuguCalistir(kok, QStringLiteral("baslangic")).split(' ');
        if (a.size() < 5 || a[3] != "1") {
            std::printf("ilk başlangıç yedek yazmadı: %s\n", a.join(' ').constData());
            return 1;
        }
        ilk.push_back(a[1].toDouble());
        yedekSuresi.push_back(a[4].toDouble());
        const QList<QByteArray> b = cocuguCalistir(kok, QStringLiteral("baslangic")).split(' ');
        if (b.size() < 5 || b[3] != "0") {
            std::printf("sonraki başlangıç yedek yazdı: %s\n", b.join(' ').constData());
            return 1;
        }
        sonraki.push_back(b[1].toDouble());
    }

    // --- Memory of a fresh program that lists all folders.
    const QList<QByteArray> bellek = cocuguCalistir(kok, QStringLiteral("bellek")).split(' ');
    const double bosMib = bellek.size() > 2 ? bellek[1].toDouble() / 1024 : 0;
    const double tumMib = bellek.size() > 2 ? bellek[2].toDouble() / 1024 : 0;

    // --- Listings in this process, each against the same statement on raw SQLite.
    AnaForm *f = BaslangicModulu::Main({});
    if (f)
        // The reminder scan is measured on its own: its modal window, for the jobs due
        // today among the generated ones, would wait for a user that is not there.
        f->findChild<QTimer *>(QStringLiteral("YapilacakIsKontrolu"))->stop();
    while (!f->isVisible())
        QApplication::processEvents();
    QApplication::processEvents();
    std::printf("Ana pencere %d x %d, iş listesi %d x %d (platform %s)\n", f->width(), f->height(),
                f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->viewport()->width(), f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->viewport()->height(),
                qPrintable(QGuiApplication::platformName()));
    Sqlite::Baglanti hamBaglanti(yol, Sqlite::Baglanti::Kip::SaltOkunur);
    sqlite3 *ham = hamBaglanti.tutamak();
    {
        // The program's connection settings.
        Sqlite::Deyim st(Veritabani::acik().tutamak(), "PRAGMA cache_size");
        st.adim();
        hamBaglanti.calistir(("PRAGMA cache_size=" + QByteArray::number(st.sayi(0))).constData());
    }
    const char *const alanlar = "SELECT IsNo, Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, "
                                "Aciklama, Hatirlatma, IsYapildi FROM YapilacakIslerTablosu ";
    const QByteArray klasorSql = QByteArray(alanlar) + "WHERE Anahtari=?2 ORDER BY IsinTarihi, IsNo";
    const QByteArray tumSql = QByteArray(alanlar) + "ORDER BY IsinTarihi, IsNo";
    const QByteArray listeSql = QByteArray(alanlar) + "ORDER BY IsinTarihi, IsinSaati, IsNo";

    // One folder: a different folder at each click (the same ones for raw SQLite), so no
    // cache holds a painted list; the folder's first click is not counted.
    std::vector<double> tekKlasor, hamTek;
    int satirTek = 0, hamSatirTek = 0;
    const int klasorAdimi = std::max(1, klasorSayisi / 10);
    for (int i = 0; i < tekrar * 3; ++i) {
        const QString anahtar = QString::number(1 + (i * klasorAdimi) % klasorSayisi) + QStringLiteral("-Anahtar");
        QTreeWidgetItem *dugum = f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->dugum(anahtar);
        for (int tur = 0; tur < 2; ++tur) {
            // The user clicks a folder that is in sight.
            f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->scrollToItem(dugum);
            QApplication::processEvents();
            z.restart();
            f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->setCurrentItem(dugum);
            f->KlasorListesi_NodeClick(dugum);
            const double dolum = ms(z);
            QApplication::processEvents();
            const double program = ms(z);
            if (qEnvironmentVariableIsSet("AYRINTI")) std::printf("tur%d dolum %.3f cizim %.3f\n", tur, dolum, program - dolum);
            satirTek = f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
            const double h = hamSorgu(ham, klasorSql.constData(), QByteArray(), anahtar.toUtf8(), &hamSatirTek);
            if (tur == 1) {
                tekKlasor.push_back(program);
                hamTek.push_back(h);
            }
            // Another folder in between, as a user moves from folder to folder.
            QTreeWidgetItem *baska = f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->dugum(QString::number(1 + (i * klasorAdimi + 1) % klasorSayisi)
                                                            + QStringLiteral("-Anahtar"));
            f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->scrollToItem(baska);
            f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->setCurrentItem(baska);
            f->KlasorListesi_NodeClick(baska);
            QApplication::processEvents();
        }
    }

    std::vector<double> tumKlasorler, hamTum, listePenceresi, hamListe;
    int satirTum = 0, hamSatirTum = 0, satirListe = 0, hamSatirListe = 0;
    for (int i = 0; i < tekrar; ++i) {
        z.restart();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(true);
        const double tumDolum = ms(z);
        QApplication::processEvents();
        tumKlasorler.push_back(ms(z));
        if (qEnvironmentVariableIsSet("AYRINTI"))
            std::printf("tum%d dolum %.1f\n", i, tumDolum);
        satirTum = f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(false);
        QApplication::processEvents();
        hamTum.push_back(hamSorgu(ham, tumSql.constData(), QByteArray(), QByteArray(), &hamSatirTum));
        if (qEnvironmentVariableIsSet("AYRINTI"))
            std::printf("tum%d program %.1f ham %.1f\n", i, tumKlasorler.back(), hamTum.back());

        auto *p = new YapilacakIslerListesiFormu(f);
        p->show();
        QApplication::processEvents();
        z.restart();
        p->findChild<QPushButton *>(QStringLiteral("TumIsleriListeleDugmesi"))->click();
        QApplication::processEvents();
        listePenceresi.push_back(ms(z));
        satirListe = p->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
        p->reject();
        delete p;
        QApplication::processEvents();
        hamListe.push_back(hamSorgu(ham, listeSql.constData(), QByteArray(), QByteArray(), &hamSatirListe));
    }

    // The reminder scan of the main window (query and the reminder window's list filled).
    std::vector<double> tarama;
    f->HatirlatilacakIsleriListele();
    for (int i = 0; i < tekrar * 5; ++i) {
        z.restart();
        f->HatirlatilacakIsleriListele();
        tarama.push_back(ms(z));
    }

    // Search over the descriptions against raw LIKE, same statement shape and order.
    struct Aranan {
        const char *ad;
        QString metin;
    };
    const Aranan arananlar[] = {
        {"\"görüşülecek\" (her işte)", QStringLiteral("görüşülecek")},
        {"\"sıra 4242\" (birkaç işte)", QStringLiteral("sıra 4242")},
        {"\"yargıtay\" (hiçbir işte)", QStringLiteral("yargıtay")},
    };
    struct AramaSonucu {
        const char *ad;
        double program, ham, oran;
        size_t satir;
        int hamSatir;
    };
    std::vector<AramaSonucu> aramalar;
    double aramaOrani = 0;
    for (const Aranan &a : arananlar) {
        std::vector<double> program, hamSure;
        size_t bulunan = 0;
        int hamSatir = 0;
        const QByteArray desen = "%" + a.metin.toUtf8() + "%";
        for (int i = 0; i < tekrar; ++i) {
            z.restart();
            bulunan = Veritabani::acik().isAra(AramaAlani::Aciklama, a.metin).size();
            program.push_back(ms(z));
            hamSure.push_back(hamSorgu(ham,
                                       "SELECT IsNo, Anahtari, Aciklama FROM YapilacakIslerTablosu NOT INDEXED "
                                       "WHERE Aciklama LIKE ?1 ORDER BY IsinTarihi, IsinSaati, IsNo",
                                       desen, QByteArray(), &hamSatir));
        }
        aramalar.push_back({a.ad, ortanca(program), ortanca(hamSure), oran(program, hamSure), bulunan, hamSatir});
        aramaOrani = std::max(aramaOrani, oran(program, hamSure));
    }
    hamBaglanti.kapat();
    delete f;
    Baslangic::veritabaniniKapat();

    // What the daily backup's full check costs, once a day on its own thread: the
    // statement as the backup runs it, on a connection with SQLite's default cache.
    std::vector<double> butunluk;
    for (int i = 0; i < 3; ++i) {
        Sqlite::Baglanti db(yol, Sqlite::Baglanti::Kip::SaltOkunur);
        QElapsedTimer z;
        z.start();
        db.calistir("PRAGMA integrity_check");
        butunluk.push_back(ms(z));
    }

    const double birOran = oran(tekKlasor, hamTek);
    const double tumOran = oran(tumKlasorler, hamTum);
    const double listeOran = oran(listePenceresi, hamListe);
    const double ilkOran = oran(ilk, sonraki);
    // Times: best / median of the repeats; the ratio: the median of the ratios of pairs
    // measured one after the other.
    std::printf("\n%-52s %11s %11s %7s\n", "ölçüm (en iyi / ortanca)", "program ms", "ham / ref", "oran");
    std::printf("%-52s %5.1f/%5.1f %5.1f/%5.1f %7.2f\n", "ilk başlangıç (yedek) / aynı gün sonraki", enIyi(ilk),
                ortanca(ilk), enIyi(sonraki), ortanca(sonraki), ilkOran);
    std::printf("%-52s %11.0f\n", "  yedeğin pencereden sonra bitmesi (ortanca)", ortanca(yedekSuresi));
    std::printf("%-52s %5.2f/%5.2f %5.2f/%5.2f %7.2f   (%d / %d satır)\n", "bir klasör", enIyi(tekKlasor),
                ortanca(tekKlasor), enIyi(hamTek), ortanca(hamTek), birOran, satirTek, hamSatirTek);
    std::printf("%-52s %5.0f/%5.0f %5.0f/%5.0f %7.2f   (%d / %d satır)\n", "tüm klasörler", enIyi(tumKlasorler),
                ortanca(tumKlasorler), enIyi(hamTum), ortanca(hamTum), tumOran, satirTum, hamSatirTum);
    std::printf("%-52s %5.0f/%5.0f %5.0f/%5.0f %7.2f   (%d / %d satır)\n", "iş listesi penceresi, \"&Tüm İşler\"",
                enIyi(listePenceresi), ortanca(listePenceresi), enIyi(hamListe), ortanca(hamListe), listeOran,
                satirListe, hamSatirListe);
    std::printf("%-52s %5.3f/%5.3f\n", "hatırlatma taraması", enIyi(tarama), ortanca(tarama));
    for (const AramaSonucu &a : aramalar)
        std::printf("arama %-46s %11.1f %11.1f %7.2f   (%zu / %d satır)\n", a.ad, a.program, a.ham, a.oran,
                    a.satir, a.hamSatir);
    std::printf("%-52s %5.0f/%5.0f\n", "yedeğin PRAGMA integrity_check denetimi", enIyi(butunluk), ortanca(butunluk));
    std::printf("%-52s %6.1f / %.1f MiB\n", "yerleşik bellek: boşta / tüm klasörler listelenince", bosMib, tumMib);
    std::printf("OZET bir_klasor_oran=%.2f tum_klasor_oran=%.2f ilk_baslangic_oran=%.2f bellek_mib=%.0f "
                "tarama_ms=%.3f arama_oran=%.2f\n",
                birOran, tumOran, ilkOran, tumMib, enIyi(tarama), aramaOrani);
    return 0;
}

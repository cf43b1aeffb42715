// Search speed over 100 000 job descriptions: the program's Turkish case-folding search
// (through the database module and through the search window) against raw SQLite LIKE
// on the same column of the same file, with the same connection settings. Times are
// processor time of the measuring thread, best of the repeats.
//
//   bench_arama [jobs] [repeats]

#include "OrnekVeritabani.h"

#include "core/Arayuzler.h"
#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"
#include "tools/AramaIslemleriFormu.h"
#include "ui/AnaForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace Zelvora;

namespace {

// The machine is shared by several sessions: the processor time this thread used is
// what is measured, not the time on the wall clock.
class Kronometre {
public:
    void start() { m_bas = simdi(); }
    void restart() { start(); }
    qint64 nsecsElapsed() const { return simdi() - m_bas; }
    qint64 elapsed() const { return nsecsElapsed() / 1000000; }

private:
    static qint64 simdi()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    qint64 m_bas = 0;
};

class SessizMesaj : public MesajKutusu {
public:
    MesajCevabi goster(const QString &, MesajSimgesi, MesajDugmeleri, MesajCevabi v, const QString &) override
    {
        return v;
    }
};

// Descriptions of 5 to 20 words from a Turkish word list, some in capitals.
void uret(const QString &yol, int isSayisi)
{
    Veritabani::bosOlustur(yol);
    Sqlite::Baglanti db(yol, Sqlite::Baglanti::Kip::OkumaYazma);
    db.calistir("BEGIN");
    db.calistir("INSERT INTO KlasorBilgileriTablosu VALUES('1-Anahtar','Klasor','Dosyalar')");
    const char *const kelimeler[] = {
        "müvekkil", "ile", "görüşülecek", "dosya", "hazırlanacak", "duruşma", "ertelendi", "bilirkişi", "raporu",
        "itiraz", "dilekçesi", "verilecek", "tebligat", "bekleniyor", "keşif", "yapılacak", "tanık", "dinlenecek",
        "harç", "yatırılacak", "istinaf", "temyiz", "süresi", "icra", "takibi", "başlatılacak", "ödeme", "emri",
        "Ankara", "İstanbul", "İzmir", "Bursa", "Adana", "Kırıkkale", "Iğdır", "Çorum", "Şanlıurfa", "Ağrı",
        "ADLİYE", "Adliye", "adliyesi", "mahkemesi", "Asliye", "Hukuk", "Ceza", "Sulh", "noter", "vekaletname",
        "sözleşme", "kira", "tahliye", "boşanma", "nafaka", "velayet", "miras", "tapu", "tescil", "ISPARTA"};
    const int kelimeSayisi = int(std::size(kelimeler));
    Sqlite::Deyim s(db.tutamak(), "INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, "
                                  "IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi) "
                                  "VALUES('1-Anahtar',?,?,?,?,?,?,1,0)");
    unsigned tohum = 2026;
    auto rastgele = [&tohum] {
        tohum = tohum * 1103515245u + 12345u;
        return (tohum >> 8) & 0xffffff;
    };
    const QDate ilk(2024, 1, 1);
    for (int i = 0; i < isSayisi; ++i) {
        QByteArray aciklama;
        const int n = 5 + int(rastgele() % 16);
        for (int k = 0; k < n; ++k) {
            if (k)
                aciklama += ' ';
            aciklama += kelimeler[rastgele() % unsigned(kelimeSayisi)];
        }
        const QByteArray t = ilk.addDays(rastgele() % 1100).toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        const QByteArray h =
            QTime(int(rastgele() % 24), int(rastgele() % 60)).toString(QStringLiteral("HH:mm:ss")).toUtf8();
        const QByteArray konu = "Duruşma " + QByteArray::number(i);
        s.bagla(1, t).bagla(2, h).bagla(3, konu).bagla(4, "Adliye").bagla(5, "2026/1").bagla(6, aciklama);
        s.calistir();
        s.sifirla();
    }
    db.calistir("COMMIT");
}

// LIKE on the same column (or the program's function on the raw connection), same
// columns read, same order.
double hamArama(sqlite3 *db, const QByteArray &desen, int *satir, bool turkce = false)
{
    Kronometre z;
    z.start();
    int n = 0;
    size_t toplam = 0;
    {
        Sqlite::Deyim st(db, turkce ? "SELECT IsNo, Anahtari, Aciklama FROM YapilacakIslerTablosu NOT INDEXED "
                                      "WHERE TurkceIcerir(Aciklama, ?1) ORDER BY IsinTarihi, IsinSaati, IsNo"
                                    : "SELECT IsNo, Anahtari, Aciklama FROM YapilacakIslerTablosu NOT INDEXED "
                                      "WHERE Aciklama LIKE ?1 ORDER BY IsinTarihi, IsinSaati, IsNo");
        st.bagla(1, desen);
        while (st.adim()) {
            toplam += size_t(st.sayi(0));
            toplam += size_t(st.ham(1).size()) + size_t(st.ham(2).size());
            ++n;
        }
    }
    *satir = n;
    if (n > 0 && toplam == 0)
        std::printf("?\n");
    return double(z.nsecsElapsed()) / 1e6;
}

double enIyi(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.front();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication uygulama(argc, argv);
    const int isSayisi = argc > 1 ? atoi(argv[1]) : 100000;
    const int tekrar = argc > 2 ? atoi(argv[2]) : 7;

    QTemporaryDir klasor;
    const Klasorler k = Olcum::klasorleriKur(klasor.path());
    Arayuz::mesajKutusuKur(std::make_shared<SessizMesaj>());
    OrtakDegiskenler::ProgramKlasoru = k.programKlasoru;
    // The user's database lives in the data folder, where the start-up opens it.
    QDir().mkpath(Baslangic::veritabaniKlasoru());
    const QString yol = Baslangic::veritabaniYolu();

    Kronometre z;
    z.start();
    uret(yol, isSayisi);
    std::printf("Üretilen veritabanı: %d iş açıklaması (%.0f ms)\n", isSayisi, double(z.elapsed()));
    Baslangic::veritabaniniAc();
    Veritabani &vt = Veritabani::acik();
    AnaForm ana(false);

    Sqlite::Baglanti hamBaglanti(yol, Sqlite::Baglanti::Kip::SaltOkunur);
    sqlite3 *ham = hamBaglanti.tutamak();
    hamBaglanti.calistir("PRAGMA cache_size=-32768;");
    // The same function on the raw connection: the cost of the match alone.
    Veritabani::islevleriKaydet(ham);

    struct Aranan {
        const char *ad;
        QString metin;
    };
    const Aranan arananlar[] = {
        {"sık geçen: \"adliye\"", QStringLiteral("adliye")},
        {"Türkçe harf: \"ısparta\"", QStringLiteral("ısparta")},
        {"uzun: \"bilirkişi raporu\"", QStringLiteral("bilirkişi raporu")},
        {"bulunmayan: \"yargıtay\"", QStringLiteral("yargıtay")},
    };
    std::printf("\n%-28s %10s %10s %10s %10s %7s   %s\n", "aranan (en iyi / tekrar)", "program ms", "pencere ms",
                "ham işlev", "ham LIKE", "oran", "satır (program / LIKE)");
    for (const Aranan &a : arananlar) {
        std::vector<double> program, pencere, hamSure, hamIslev;
        size_t bulunan = 0;
        int hamSatir = 0, pencereSatir = 0;
        const QByteArray desen = "%" + a.metin.toUtf8() + "%";
        for (int i = 0; i < tekrar; ++i) {
            z.restart();
            bulunan = vt.isAra(AramaAlani::Aciklama, a.metin).size();
            program.push_back(double(z.nsecsElapsed()) / 1e6);

            // The whole search window: query, filling both lists, the count.
            AramaIslemleriFormu f(&ana);
            f.findChild<QComboBox *>(QStringLiteral("AranacakYerKutusu"))->setCurrentIndex(2);
            f.findChild<QLineEdit *>(QStringLiteral("ArananKutusu"))->setText(a.metin);
            z.restart();
            f.AraDugmesi_Click();
            pencere.push_back(double(z.nsecsElapsed()) / 1e6);
            pencereSatir = f.findChild<QListWidget *>(QStringLiteral("AramaSonuclariListesi"))->count();

            hamSure.push_back(hamArama(ham, desen, &hamSatir));
            int islevSatir = 0;
            hamIslev.push_back(hamArama(ham, a.metin.toUtf8(), &islevSatir, true));
        }
        std::printf("%-28s %10.2f %10.2f %10.2f %10.2f %7.2f   %zu / %d (pencere %d)\n", a.ad, enIyi(program),
                    enIyi(pencere), enIyi(hamIslev), enIyi(hamSure), enIyi(program) / enIyi(hamSure), bulunan, hamSatir,
                    pencereSatir);
    }
    hamBaglanti.kapat();
    Baslangic::veritabaniniKapat();
    return 0;
}

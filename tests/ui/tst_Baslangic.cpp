// The whole start-up sequence in a temporary program folder.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/OrtakYordamlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"
#include "ui/BaslangicModulu.h"
#include "ui/MesajKutusuPenceresi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <sqlite3.h>
#include <sys/stat.h>

using namespace Zelvora;

class BaslangicTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void veritabaniVeYedekYoksaBiter();
    void ilkBaslangictaKlasorlerVeYedekOlusur();
    void ayniGunIkinciYedekYazilmaz();
    void gelecekTarihliYedekBugununSayilmaz();
    void yedektenGeriYukleme();
    void eskiSemaBirKezYukseltilir();
    void veritabaniOlmayanDosyaReddedilir();
    void okunamayanAyarDosyasiyleSifresizAcilmaz();
    void ikinciOrnekIlkiniOneGetirir();
    void argumanlaPencereGosterilmez();
    void ilkBaslangictaSablonKopyalanir();
    void eskiYerdekiVeritabaniTasinir();
    void yedekHatasiBaslangiciDurdurmaz();
    void bozukVeritabaniYedeginYerineGecmez();
    void eksikTabloluVeritabaniYedektenOlusur();
    void yarimKalanKayitSonrakiGunAcilir();
    void kilitliVeritabaniSoylenir();
    void yedekSirasindakiYazmaBekler();
    void cikistaYedekTemizceBirakilir();
    void ikiBaslangicAyniAnda();
    void tekOrnekVeriKlasorunde();
    void kutularKarsilamaninUstunde();
    void canliSoketSilinmez();
    void hataSorusuYalnizEvetHayirla();
    void qtMetinleriTurkce();

private:
    static void yenidenBaslat(AnaForm *&f)
    {
        delete f;
        f = nullptr;
        Baslangic::veritabaniniKapat();
    }
    static void dunDegisti(const QString &yol, int gun = -1)
    {
        QFile d(yol);
        QVERIFY(d.open(QIODevice::ReadWrite));
        QVERIFY(d.setFileTime(QDateTime::currentDateTime().addDays(gun), QFileDevice::FileModificationTime));
    }
    static QByteArray icerik(const QString &yol)
    {
        QFile f(yol);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static int isSayisi(const QString &yol)
    {
        auto v = Veritabani::ac(yol);
        return int(v->isleriListele(QString(), true, false, QDate(2026, 12, 7)).size());
    }
    // A good backup of yesterday and a database last changed the day before.
    static void dunkuYedekHazirla(Test::Ortam &ortam)
    {
        ortam.saat->an = QDateTime::currentDateTime();
        ortam.bosVeritabaniYaz();
        {
            auto v = Veritabani::ac(ortam.veritabaniYolu());
            v->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("Duruşma"), {}, {}, {},
                       true, false});
        }
        QDir().mkpath(Baslangic::yedekKlasoru());
        Veritabani::yedekle(ortam.veritabaniYolu(), Baslangic::yedekYolu());
        dunDegisti(Baslangic::yedekYolu(), -1);
        dunDegisti(ortam.veritabaniYolu(), -2);
    }
};

void BaslangicTesti::veritabaniVeYedekYoksaBiter()
{
    Test::Ortam ortam;
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(!f);
    QCOMPARE(ortam.son->sayi, 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    const auto &m = ortam.mesajlar->gosterilenler.first();
    QCOMPARE(m.simge, MesajSimgesi::Kritik);
    QCOMPARE(m.metin, QStringLiteral("\"Vok.vtb\" adlı veritabanı dosyanıza ulaşılamadığı için program başlayamıyor! \n"
                                     "Lütfen kontrol edip tekrar deneyin."));
    QVERIFY(!QFileInfo::exists(Baslangic::yedekKlasoru()));
    QVERIFY(!Veritabani::acikMi());
}

void BaslangicTesti::ilkBaslangictaKlasorlerVeYedekOlusur()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    // The backup runs on its own thread once the window is up.
    QVERIFY(Baslangic::gunlukYedekSuruyor());
    Baslangic::gunlukYedegiBekle();
    QVERIFY(!Baslangic::gunlukYedekSuruyor());
    QVERIFY(QFileInfo::exists(Baslangic::yedekYolu()));
    QCOMPARE(f->windowTitle(), QStringLiteral("Tavrek - Zelvora 2.33 (Sunucu)"));
    QCOMPARE(OrtakDegiskenler::AyarUygulamaAdi, QStringLiteral("Tavrek\\Zelvora"));
    QVERIFY(Veritabani::acikMi());
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QCOMPARE(ortam.son->sayi, 0);
    // The timer is armed for the first reminder scan, a few seconds after loading.
    QVERIFY(Test::denetim<QTimer>(f, "YapilacakIsKontrolu")->isActive());
    QCOMPARE(Test::denetim<QTimer>(f, "YapilacakIsKontrolu")->interval(), AnaForm::IlkTaramaGecikmesiMs);
    yenidenBaslat(f);
}

void BaslangicTesti::ayniGunIkinciYedekYazilmaz()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    Veritabani::acik().klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    yenidenBaslat(f);
    // Changed today: the backup still holds the state of the morning.
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    yenidenBaslat(f);
    {
        auto yedek = Veritabani::ac(Baslangic::yedekYolu());
        QVERIFY(yedek->klasorler().isEmpty());
    }
    // The database dates from yesterday, but today's backup is already written.
    dunDegisti(ortam.veritabaniYolu());
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    yenidenBaslat(f);
    {
        auto yedek = Veritabani::ac(Baslangic::yedekYolu());
        QVERIFY(yedek->klasorler().isEmpty());
    }
    // The next day the backup takes yesterday's changes.
    ortam.saat->an = QDateTime::currentDateTime().addDays(1);
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    yenidenBaslat(f);
    auto yedek = Veritabani::ac(Baslangic::yedekYolu());
    QCOMPARE(yedek->klasorler().size(), 1);
}

void BaslangicTesti::gelecekTarihliYedekBugununSayilmaz()
{
    // A backup dated a month ahead (a clock that ran ahead) and a database changed since:
    // the backup is written again, not taken for today's.
    Test::Ortam ortam;
    dunkuYedekHazirla(ortam);
    dunDegisti(Baslangic::yedekYolu(), 30);
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(Baslangic::gunlukYedekSuruyor());
    Baslangic::gunlukYedegiBekle();
    yenidenBaslat(f);
    QVERIFY(QFileInfo(Baslangic::yedekYolu()).lastModified() <= QDateTime::currentDateTime());
    QCOMPARE(isSayisi(Baslangic::yedekYolu()), 1);
    // A database dated ahead does not pass for one changed today either.
    dunDegisti(Baslangic::yedekYolu(), -1);
    dunDegisti(ortam.veritabaniYolu(), 30);
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(Baslangic::gunlukYedekSuruyor());
    Baslangic::gunlukYedegiBekle();
    yenidenBaslat(f);
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
}

void BaslangicTesti::yedektenGeriYukleme()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    Veritabani::acik().klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    yenidenBaslat(f);
    QFile::remove(ortam.veritabaniYolu());

    // No: the program ends and nothing is copied.
    ortam.mesajlar->cevaplar = {MesajCevabi::Hayir};
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam.mesajlar->gosterilenler.last().metin,
             QStringLiteral("\"Vok.vtb\" adlı veritabanı dosyanız bulunamadı.\r\nYedekten oluşturulsun mu?"));
    QCOMPARE(ortam.son->sayi, 1);
    QVERIFY(!QFile::exists(ortam.veritabaniYolu()));

    // The lost database left a hot journal behind (a crash in the middle of a save): it
    // belongs to that database and must not be played onto the backup copied in.
    const QString baska = ortam.klasor.filePath(QStringLiteral("baska.vtb"));
    QVERIFY(QFile::copy(Baslangic::yedekYolu(), baska));
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(baska.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
                     "INSERT INTO KlasorBilgileriTablosu SELECT i || '-Anahtar', 'Klasor', printf('%0200d', i) FROM n;",
                 nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA cache_size=1; BEGIN; DELETE FROM KlasorBilgileriTablosu;", nullptr, nullptr, nullptr);
    QVERIFY(QFileInfo(baska + QStringLiteral("-journal")).size() > 0);
    QVERIFY(QFile::copy(baska + QStringLiteral("-journal"), ortam.veritabaniYolu() + QStringLiteral("-journal")));
    sqlite3_close(db);

    // Yes: the backup comes back, with the backup's date.
    ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(QFile::exists(ortam.veritabaniYolu()));
    QCOMPARE(QFileInfo(ortam.veritabaniYolu()).lastModified().date(), QFileInfo(Baslangic::yedekYolu()).lastModified().date());
    QVERIFY(Test::denetim<KlasorAgaci>(f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari));
    QVERIFY(Veritabani::acik().klasorler().isEmpty()); // the backup was taken before the folder
    QVERIFY(QFileInfo::exists(ortam.veritabaniYolu() + QStringLiteral("-journal.eski")));
    yenidenBaslat(f);
}

void BaslangicTesti::eskiSemaBirKezYukseltilir()
{
    Test::Ortam ortam;
    Sqlite::Baglanti(ortam.veritabaniYolu(), Sqlite::Baglanti::Kip::Olustur)
        .calistir("CREATE TABLE KlasorBilgileriTablosu(Anahtari TEXT(10) PRIMARY KEY, Bagi TEXT(10), Adi TEXT(255));"
        "CREATE TABLE YapilacakIslerTablosu(IsNo INTEGER PRIMARY KEY AUTOINCREMENT, Anahtari TEXT(255), "
        "IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi);"
        "INSERT INTO KlasorBilgileriTablosu VALUES('4-Anahtar','Klasor','Dört');");
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QCOMPARE(ortam.mesajlar->metinler(), QStringList{QStringLiteral("Veritabanı, Sürüm 2.32 ile uyumlu hale getirildi!")});
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Bilgi);
    QVERIFY(Test::denetim<KlasorAgaci>(f, "KlasorListesi")->dugum(QStringLiteral("4-Anahtar")));
    yenidenBaslat(f);
    ortam.mesajlar->temizle();
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    yenidenBaslat(f);
}

void BaslangicTesti::veritabaniOlmayanDosyaReddedilir()
{
    Test::Ortam ortam;
    QFile d(ortam.veritabaniYolu());
    QVERIFY(d.open(QIODevice::WriteOnly));
    d.write("Bu dosya bir veritabanı değil.");
    d.close();
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    // The Part's message, with the file it could not use named on a line of its own.
    QVERIFY(ortam.mesajlar->metinler().contains(QStringLiteral("Dosyaya erişilemiyor. Lütfen, kontrol edip tekrar deneyiniz!")
                                                + QStringLiteral("\r\n\"") + ortam.veritabaniYolu() + QLatin1Char('"')));
    QVERIFY(ortam.son->sayi >= 1);
    QVERIFY(!Veritabani::acikMi());
    QVERIFY(d.open(QIODevice::ReadOnly));
    QCOMPARE(d.readAll(), QByteArray("Bu dosya bir veritabanı değil."));
}

void BaslangicTesti::okunamayanAyarDosyasiyleSifresizAcilmaz()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    const QString dosya = Arayuz::klasorler().ayarDosyasi;
    auto dosyaYaz = [&](const QByteArray &icerik) {
        Ayarlar::yenidenAc();
        QDir().mkpath(QFileInfo(dosya).absolutePath());
        QFile f(dosya);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(icerik);
    };
    // A password whose keys a damage swallowed: the program does not start unlocked,
    // says why, and leaves the file as it was.
    const QByteArray sifreli = "[Ayarlar]\nSes=\"Alarm.wav\nGiris%20Sifresi%20Sor=-1\nGiris%20Sifresi=PBKDF2-SHA256$1$YQ==$Yg==\n";
    dosyaYaz(sifreli);
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam.son->sayi, 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Kritik);
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(dosya));
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(QStringLiteral("şifresiz başlatılmıyor")));
    QVERIFY(!Veritabani::acikMi());
    Ayarlar::yenidenAc();
    QFile f(dosya);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), sifreli);
    f.close();

    // A pipe at the file's place: refused at once instead of waiting for it for good.
    ortam.mesajlar->temizle();
    QVERIFY(QFile::remove(dosya));
    QVERIFY(::mkfifo(QFile::encodeName(dosya).constData(), 0600) == 0);
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam.son->sayi, 2);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Kritik);
    QVERIFY(QFile::remove(dosya));

    // Damaged, no password in it: kept aside, the user told, and the start goes on.
    ortam.mesajlar->temizle();
    dosyaYaz("[Ayarlar]\nSes=\"Alarm.wav\nArkaplanda%20Calissin=0\n");
    AnaForm *form = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(form);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Uyari);
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(dosya + QStringLiteral(".bozuk")));
    QVERIFY(QFileInfo::exists(dosya + QStringLiteral(".bozuk")));
    yenidenBaslat(form);
}

void BaslangicTesti::ikinciOrnekIlkiniOneGetirir()
{
    Test::Ortam ortam;
    ortam.bosVeritabaniYaz();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(!f->isVisible());
    Baslangic::veritabaniniKapat();
    // The database is gone: a second start must not even look for it.
    QFile::rename(ortam.veritabaniYolu(), ortam.veritabaniYolu() + QStringLiteral(".bekle"));
    TekOrnek ikinci(OrtakDegiskenler::PencereBasligi);
    QVERIFY(ikinci.baskaOrnekVar());
    QTRY_VERIFY(f->isVisible());
    QVERIFY(!f->isMinimized());
    QVERIFY(!BaslangicModulu::Main({}));
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QVERIFY(!Veritabani::acikMi());
    delete f;
}

void BaslangicTesti::argumanlaPencereGosterilmez()
{
    Test::Ortam ortam;
    ortam.bosVeritabaniYaz();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(!f->isVisible());
    yenidenBaslat(f);
    f = BaslangicModulu::Main({});
    QVERIFY(f);
    QVERIFY(f->isVisible());
    yenidenBaslat(f);
}

void BaslangicTesti::ilkBaslangictaSablonKopyalanir()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    QDir(ortam.klasor.path() + QStringLiteral("/veri/Tavrek")).removeRecursively();
    ortam.sablonYaz();
    const QByteArray sablon = icerik(Baslangic::sablonYolu());
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    // Silently, into the data folder, readable by the user only.
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QVERIFY(QFileInfo(ortam.veritabaniYolu()).isFile());
    const auto baskalari = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFileInfo(ortam.veritabaniYolu()).permissions() & baskalari, QFileDevice::Permissions());
    for (const QString &k : {QStringLiteral("/veri/Tavrek"), QStringLiteral("/veri/Tavrek/Zelvora")})
        QCOMPARE(QFileInfo(ortam.klasor.path() + k).permissions() & baskalari, QFileDevice::Permissions());
    Veritabani::acik().klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    yenidenBaslat(f);
    // The template is never written to, and a new template (a rebuild) changes nothing.
    QCOMPARE(icerik(Baslangic::sablonYolu()), sablon);
    ortam.sablonYaz();
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(Test::denetim<KlasorAgaci>(f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    yenidenBaslat(f);
}

void BaslangicTesti::eskiYerdekiVeritabaniTasinir()
{
    // A database that an older version kept beside the program, with the user's jobs,
    // wins over the question about the backup.
    Test::Ortam ortam;
    dunkuYedekHazirla(ortam);
    QFile::remove(ortam.veritabaniYolu());
    ortam.sablonYaz();
    {
        auto v = Veritabani::ac(Baslangic::sablonYolu());
        for (int i = 0; i < 3; ++i)
            v->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(10, i), QStringLiteral("Eski"), {}, {}, {},
                       true, false});
    }
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Bilgi);
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(ortam.veritabaniYolu()));
    yenidenBaslat(f);
    QCOMPARE(isSayisi(ortam.veritabaniYolu()), 3);

    // Taken over once: the old file is set aside, so a database lost later is restored
    // from its backup (the question), never replaced by the old jobs again.
    QVERIFY(!QFileInfo::exists(Baslangic::sablonYolu()));
    QCOMPARE(isSayisi(Baslangic::sablonYolu() + QStringLiteral(".tasindi")), 3);
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(Baslangic::sablonYolu() + QStringLiteral(".tasindi")));
    {
        auto v = Veritabani::ac(ortam.veritabaniYolu());
        v->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(11, 0), QStringLiteral("Yeni"), {}, {}, {},
                   true, false});
    }
    QFile::remove(Baslangic::yedekYolu());
    QVERIFY(QFile::copy(ortam.veritabaniYolu(), Baslangic::yedekYolu()));
    QFile::remove(ortam.veritabaniYolu());
    ortam.sablonYaz(); // a rebuild's empty template
    ortam.mesajlar->gosterilenler.clear();
    ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(QStringLiteral("Yedekten oluşturulsun mu?")));
    yenidenBaslat(f);
    QCOMPARE(isSayisi(ortam.veritabaniYolu()), 4);
}

void BaslangicTesti::yedekHatasiBaslangiciDurdurmaz()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    // The backup folder cannot be made: a file has its name.
    QDir().mkpath(ProgramDosyalariKlasoru() + QStringLiteral("Tavrek"));
    QFile engel(QDir::cleanPath(Baslangic::yedekKlasoru()));
    QVERIFY(engel.open(QIODevice::WriteOnly));
    engel.close();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(Veritabani::acikMi());
    QCOMPARE(ortam.son->sayi, 0);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    const QString m = ortam.mesajlar->gosterilenler.first().metin;
    QVERIFY2(m.startsWith(QStringLiteral("Veritabanınızın günlük yedeği yazılamadı:")), qPrintable(m));
    QVERIFY(m.contains(Baslangic::yedekYolu()));
    QVERIFY(!m.contains(QStringLiteral("Ağ bağlantısı")));
    // The user works on; the database is changed today.
    Veritabani::acik().klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    yenidenBaslat(f);
    // The next start of the same day tries again, although the database changed today.
    QVERIFY(QFile::remove(engel.fileName()));
    ortam.mesajlar->temizle();
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    Baslangic::gunlukYedegiBekle();
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QVERIFY(QFileInfo(Baslangic::yedekYolu()).isFile());
    yenidenBaslat(f);
    // Written: no further backup today.
    const QByteArray yedek = icerik(Baslangic::yedekYolu());
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    yenidenBaslat(f);
    QCOMPARE(icerik(Baslangic::yedekYolu()), yedek);
}

void BaslangicTesti::bozukVeritabaniYedeginYerineGecmez()
{
    Test::Ortam ortam;
    dunkuYedekHazirla(ortam);
    const QByteArray iyiYedek = icerik(Baslangic::yedekYolu());
    // An index that no longer matches its table: quick_check passes, integrity_check does not.
    {
        Sqlite::Baglanti(ortam.veritabaniYolu(), Sqlite::Baglanti::Kip::Olustur)
            .calistir("PRAGMA writable_schema=ON;"
            "UPDATE sqlite_master SET sql=replace(sql, '(IsinTarihi)', '(IsinKonusu)') WHERE name='IsTarihDizini';");
    }
    dunDegisti(ortam.veritabaniYolu(), -2);
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    // Found by the backup's own thread after the window is up, told on the GUI thread.
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QTRY_COMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QVERIFY(!Baslangic::gunlukYedekSuruyor());
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(QStringLiteral("bozuk")));
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(QStringLiteral("Önceki yedeğiniz olduğu gibi duruyor.")));
    // The damaged file named is the database, not the backup; the window is already up.
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(
        QStringLiteral("Sorun, veritabanınızın kendisinde bulundu:\r\n\"") + ortam.veritabaniYolu() + QLatin1Char('"')));
    QVERIFY(!ortam.mesajlar->gosterilenler.first().metin.contains(QStringLiteral("program açılıyor")));
    QCOMPARE(icerik(Baslangic::yedekYolu()), iyiYedek);
    yenidenBaslat(f);

    // A file with our table names but other columns, older than today: never opened nor
    // backed up; the backup is offered instead, and declined here: nothing is touched.
    QFile::remove(ortam.veritabaniYolu());
    Sqlite::Baglanti(ortam.veritabaniYolu(), Sqlite::Baglanti::Kip::Olustur)
        .calistir("CREATE TABLE KlasorBilgileriTablosu(x); CREATE TABLE YapilacakIslerTablosu(y);");
    dunDegisti(ortam.veritabaniYolu(), -2);
    const QByteArray yabanci = icerik(ortam.veritabaniYolu());
    ortam.mesajlar->temizle();
    ortam.mesajlar->cevaplar = {MesajCevabi::Hayir};
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam.mesajlar->metinler().first().endsWith(QStringLiteral("Yedekten oluşturulsun mu?")));
    QCOMPARE(icerik(ortam.veritabaniYolu()), yabanci);
    QCOMPARE(icerik(Baslangic::yedekYolu()), iyiYedek);
}

void BaslangicTesti::eksikTabloluVeritabaniYedektenOlusur()
{
    // A table dropped by another program (the running program told the user to restart):
    // the next start offers the backup as for a missing file and keeps the damaged file.
    Test::Ortam ortam;
    dunkuYedekHazirla(ortam);
    const QString vt = ortam.veritabaniYolu();
    auto tabloSil = [&] {
        sqlite3 *db = nullptr;
        sqlite3_open(vt.toUtf8().constData(), &db);
        sqlite3_exec(db, "DROP TABLE YapilacakIslerTablosu;", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        dunDegisti(vt, -2);
    };
    tabloSil();
    const QByteArray bozuk = icerik(vt);
    const QString satir = QStringLiteral("\r\n");
    const QString bulunan = QStringLiteral("\"Vok.vtb\" adlı veritabanı dosyanız kullanılamıyor: programın tablolarından")
        + QStringLiteral(" biri dosyada yok ya da başka bir biçime getirilmiş (dosyayı başka bir program değiştirmiş olabilir).")
        + satir + satir;
    auto saklanir = [&](const QString &ad) {
        return QStringLiteral("Bu dosya silinmeyecek; şu adla saklanacak:") + satir + QLatin1Char('"') + ad
            + QLatin1Char('"') + satir + satir;
    };

    // No: the program ends and nothing is moved.
    ortam.mesajlar->cevaplar = {MesajCevabi::Hayir};
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam.mesajlar->metinler(),
             QStringList{bulunan + saklanir(vt + QStringLiteral(".bozuk")) + QStringLiteral("Yedekten oluşturulsun mu?")});
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Soru);
    QCOMPARE(ortam.son->sayi, 1);
    QCOMPARE(icerik(vt), bozuk);
    QVERIFY(!YolDoluMu(vt + QStringLiteral(".bozuk")));

    // Yes, with a damaged file kept at an earlier time: kept under the next free name, the
    // earlier one left alone, and the backup's job is back with the backup's date.
    {
        QFile eski(vt + QStringLiteral(".bozuk"));
        QVERIFY(eski.open(QIODevice::WriteOnly));
        eski.write("eski");
    }
    ortam.mesajlar->temizle();
    ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QCOMPARE(ortam.mesajlar->metinler(),
             QStringList{bulunan + saklanir(vt + QStringLiteral(".bozuk-2")) + QStringLiteral("Yedekten oluşturulsun mu?")});
    QCOMPARE(icerik(vt + QStringLiteral(".bozuk-2")), bozuk);
    QCOMPARE(icerik(vt + QStringLiteral(".bozuk")), QByteArray("eski"));
    QCOMPARE(Veritabani::acik().isListesi(Veritabani::ListeKipi::Tumu, QDate()).size(), size_t(1));
    yenidenBaslat(f);
    QVERIFY(Veritabani::saglamMi(Baslangic::yedekYolu()));

    // No backup: said so, and on Yes the program starts with the empty database delivered
    // with it, as a first start does.
    QVERIFY(QFile::remove(Baslangic::yedekYolu()));
    tabloSil();
    ortam.sablonYaz();
    ortam.mesajlar->temizle();
    ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QCOMPARE(ortam.mesajlar->gosterilenler.first().metin,
             bulunan + QStringLiteral("Veritabanınızın yedeği de bulunamadı.") + satir + satir
                 + saklanir(vt + QStringLiteral(".bozuk-3")) + QStringLiteral("Program, boş bir veritabanıyla açılsın mı?"));
    QVERIFY(YolDoluMu(vt + QStringLiteral(".bozuk-3")));
    QVERIFY(Veritabani::acik().klasorler().isEmpty());
    yenidenBaslat(f);

    // Neither a backup nor the program's empty database: the program cannot start, and
    // the file stays where it is.
    QVERIFY(QFile::remove(Baslangic::yedekYolu()));
    tabloSil();
    QVERIFY(QFile::remove(Baslangic::sablonYolu()));
    const QByteArray sonBozuk = icerik(vt);
    ortam.mesajlar->temizle();
    ortam.son->sayi = 0;
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Kritik);
    QCOMPARE(ortam.mesajlar->gosterilenler.first().metin,
             bulunan + QStringLiteral("Veritabanınızın yedeği de bulunamadığı için program başlayamıyor!") + satir
                 + QStringLiteral("Lütfen kontrol edip tekrar deneyin."));
    QCOMPARE(ortam.son->sayi, 1);
    QCOMPARE(icerik(vt), sonBozuk);
    QVERIFY(!YolDoluMu(vt + QStringLiteral(".bozuk-4")));
}

void BaslangicTesti::yarimKalanKayitSonrakiGunAcilir()
{
    // A save cut short by a crash leaves a hot journal; the next start (a backup day)
    // rolls it back and writes a sound backup.
    Test::Ortam ortam;
    dunkuYedekHazirla(ortam);
    const QString vt = ortam.veritabaniYolu();
    const QString kopya = ortam.klasor.path() + QStringLiteral("/kopya.vtb");
    {
        sqlite3 *db = nullptr;
        sqlite3_open(vt.toUtf8().constData(), &db);
        // A tiny cache makes the transaction write into the file before its commit.
        sqlite3_exec(db, "PRAGMA cache_size=1; BEGIN;", nullptr, nullptr, nullptr);
        for (int i = 0; i < 400; ++i)
            sqlite3_exec(db,
                         "INSERT INTO YapilacakIslerTablosu(Anahtari, IsinKonusu, Aciklama) VALUES('1-Anahtar', 'yarım', "
                         "hex(randomblob(200)));",
                         nullptr, nullptr, nullptr);
        // The files as a crash at this moment leaves them.
        QVERIFY(QFile::exists(vt + QStringLiteral("-journal")));
        QVERIFY(QFile::copy(vt, kopya));
        QVERIFY(QFile::copy(vt + QStringLiteral("-journal"), kopya + QStringLiteral("-journal")));
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    QFile::remove(vt);
    QVERIFY(QFile::rename(kopya, vt));
    QVERIFY(QFile::rename(kopya + QStringLiteral("-journal"), vt + QStringLiteral("-journal")));
    dunDegisti(vt, -1);
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    Baslangic::gunlukYedegiBekle();
    QVERIFY2(ortam.mesajlar->gosterilenler.isEmpty(), qPrintable(ortam.mesajlar->metinler().join(QLatin1Char('|'))));
    QVERIFY(!QFile::exists(vt + QStringLiteral("-journal")));
    yenidenBaslat(f);
    QCOMPARE(isSayisi(vt), 1);
    QCOMPARE(QFileInfo(Baslangic::yedekYolu()).lastModified().date(), QDate::currentDate());
    QCOMPARE(isSayisi(Baslangic::yedekYolu()), 1);

    // A journal of garbage beside a sound database does not lock the user out.
    QFile cop(vt + QStringLiteral("-journal"));
    QVERIFY(cop.open(QIODevice::WriteOnly));
    cop.write(QByteArray(5000, '\x5A'));
    cop.close();
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    yenidenBaslat(f);
    QCOMPARE(isSayisi(vt), 1);
}

void BaslangicTesti::kilitliVeritabaniSoylenir()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    Sqlite::Baglanti baska(ortam.veritabaniYolu(), Sqlite::Baglanti::Kip::Olustur);
    baska.calistir("BEGIN EXCLUSIVE");
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam.son->sayi, 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(QStringLiteral("başka bir program tarafından")));
    baska.calistir("ROLLBACK");
}

void BaslangicTesti::yedekSirasindakiYazmaBekler()
{
    // A database large enough for the backup to take a while; the user writes at once.
    Test::Ortam ortam;
    dunkuYedekHazirla(ortam);
    {
        auto v = Veritabani::ac(ortam.veritabaniYolu());
        v->calistir("BEGIN");
        for (int i = 0; i < 20000; ++i)
            v->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 1).addDays(i % 30), QTime(9, i % 60),
                       QStringLiteral("Dosya ") + QString::number(i), QStringLiteral("Adliye"), QString::number(i),
                       QString(200, QLatin1Char('x')), true, false});
        v->calistir("COMMIT");
    }
    dunDegisti(ortam.veritabaniYolu(), -2);
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(Baslangic::gunlukYedekSuruyor());
    Veritabani *vt = &Veritabani::acik();
    const qint64 yeni = vt->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 9), QTime(10, 0), QStringLiteral("Yeni"),
                                    {}, {}, {}, true, false});
    vt->isYapildiIsaretle(1);
    vt->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("İki")});
    Baslangic::gunlukYedegiBekle();
    QVERIFY2(ortam.mesajlar->gosterilenler.isEmpty(), qPrintable(ortam.mesajlar->metinler().join(QLatin1Char('|'))));
    yenidenBaslat(f);
    // The database keeps every write; the backup holds it as the start found it.
    QCOMPARE(isSayisi(ortam.veritabaniYolu()), 20002);
    QCOMPARE(isSayisi(Baslangic::yedekYolu()), 20001);
    auto yedek = Veritabani::ac(Baslangic::yedekYolu());
    QCOMPARE(yedek->is(yeni).isNo, 0);
    QVERIFY(!yedek->is(1).yapildi);
    QVERIFY(yedek->klasorler().isEmpty());
    auto canli = Veritabani::ac(ortam.veritabaniYolu());
    QVERIFY(canli->is(1).yapildi);
    QCOMPARE(canli->is(yeni).konu, QStringLiteral("Yeni"));
}

void BaslangicTesti::cikistaYedekTemizceBirakilir()
{
    Test::Ortam ortam;
    dunkuYedekHazirla(ortam);
    const QByteArray dunku = icerik(Baslangic::yedekYolu());
    auto artiklar = [] {
        return QDir(Baslangic::yedekKlasoru())
            .entryList({QStringLiteral("Vok.ydk.*")}, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    // The snapshot is taken and its pages copied; the checks wait for the window.
    QVERIFY(Baslangic::veritabaniniAc());
    QVERIFY(Baslangic::gunlukYedek());
    QVERIFY(Baslangic::gunlukYedekSuruyor());
    Veritabani::acik().klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    // "Çıkış": stopped and waited for, yesterday's backup as it was, nothing left, nothing said.
    Baslangic::gunlukYedegiBirak();
    QVERIFY(!Baslangic::gunlukYedekSuruyor());
    QCOMPARE(icerik(Baslangic::yedekYolu()), dunku);
    QVERIFY2(artiklar().isEmpty(), qPrintable(artiklar().join(QLatin1Char(' '))));
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    Baslangic::veritabaniniKapat();

    // The next start of the day writes it, although the database changed today.
    QVERIFY(Baslangic::veritabaniniAc());
    QVERIFY(Baslangic::gunlukYedek());
    QVERIFY(Baslangic::gunlukYedekSuruyor());
    Baslangic::veritabaniniKapat();
    QVERIFY(!Baslangic::gunlukYedekSuruyor());
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QVERIFY(artiklar().isEmpty());
    QCOMPARE(Veritabani::ac(Baslangic::yedekYolu())->klasorler().size(), 1);

    // Written: a later start of the day has nothing to do, unless the process ended in the
    // middle of a backup and left its scratch file behind.
    dunDegisti(Baslangic::yedekYolu(), -1);
    QVERIFY(Baslangic::veritabaniniAc());
    QVERIFY(Baslangic::gunlukYedek());
    QVERIFY(!Baslangic::gunlukYedekSuruyor());
    Baslangic::veritabaniniKapat();
    QFile kalinti(Baslangic::yedekYolu() + QStringLiteral(".yeni-sayfalar"));
    QVERIFY(kalinti.open(QIODevice::WriteOnly));
    kalinti.close();
    QVERIFY(Baslangic::veritabaniniAc());
    QVERIFY(Baslangic::gunlukYedek());
    QVERIFY(Baslangic::gunlukYedekSuruyor());
    Baslangic::veritabaniniKapat();
    QVERIFY(artiklar().isEmpty());
    QCOMPARE(QFileInfo(Baslangic::yedekYolu()).lastModified().date(), QDate::currentDate());
}

void BaslangicTesti::ikiBaslangicAyniAnda()
{
    Test::Ortam ortam;
    // The first start holds the lock before it listens.
    TekOrnek ilk(OrtakDegiskenler::PencereBasligi);
    QVERIFY(!ilk.baskaOrnekVar());
    QVERIFY(QFile::exists(ilk.kilitDosyasi()));
    QVERIFY(ilk.kilitDosyasi().startsWith(Baslangic::veritabaniKlasoru()));
    // A socket left by a crashed instance does not stop it from listening.
    {
        QLocalServer eski;
        eski.setSocketOptions(QLocalServer::UserAccessOption);
        QLocalServer::removeServer(ilk.soketAdi());
        QVERIFY(eski.listen(ilk.soketAdi()));
        eski.close();
    }
    QVERIFY(ilk.dinle());
    // A second start at the same moment finds the lock taken, reaches the first and ends:
    // it never listens, so the first one's socket stays.
    {
        TekOrnek ikinci(OrtakDegiskenler::PencereBasligi);
        QVERIFY(ikinci.baskaOrnekVar());
    }
    QTRY_VERIFY(ilk.gosterIstegiBekliyor()); // no main window yet: the request waits for it
    int istek = 0;
    connect(&ilk, &TekOrnek::gosterIstendi, this, [&] { ++istek; });
    TekOrnek ucuncu(OrtakDegiskenler::PencereBasligi);
    QVERIFY(ucuncu.baskaOrnekVar());
    QTRY_COMPARE(istek, 1);
}

void BaslangicTesti::tekOrnekVeriKlasorunde()
{
    Test::Ortam ortam;
    const QString baslik = OrtakDegiskenler::PencereBasligi;
    // Another login session of the same user has a runtime folder of its own.
    const QByteArray oncekiCalisma = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(ortam.klasor.path() + QStringLiteral("/calisma")));
    TekOrnek ilk(baslik);
    QVERIFY(!ilk.baskaOrnekVar());
    QVERIFY(ilk.dinle());
    QCOMPARE(QFileInfo(ilk.kilitDosyasi()).absolutePath(), QFileInfo(ortam.veritabaniYolu()).absolutePath());
    int istek = 0;
    connect(&ilk, &TekOrnek::gosterIstendi, this, [&] { ++istek; });
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(ortam.klasor.path() + QStringLiteral("/calisma2")));
    {
        TekOrnek ikinci(baslik);
        QVERIFY(ikinci.baskaOrnekVar());
    }
    QTRY_COMPARE(istek, 1);
    qputenv("XDG_RUNTIME_DIR", oncekiCalisma);
    // Another data folder is another instance, with a socket of its own.
    Klasorler k = Arayuz::klasorler();
    k.programDosyalariKlasoru = ortam.klasor.path() + QStringLiteral("/veri2/");
    Arayuz::klasorlerKur(k);
    TekOrnek baska(baslik);
    QVERIFY(!baska.baskaOrnekVar());
    QVERIFY(baska.soketAdi() != ilk.soketAdi());
    QVERIFY(baska.dinle());
    TekOrnek ucuncu(baslik);
    QVERIFY(ucuncu.baskaOrnekVar());
    QCOMPARE(istek, 1);
}

void BaslangicTesti::kutularKarsilamaninUstunde()
{
    // The splash stays above every window: a box of the start-up shown while it is up
    // would wait, unseen, for an answer typed blind.
    Test::Ortam ortam;
    QStringList karsilamaAcikken;
    ortam.mesajlar->gosterilirken = [&](const QString &metin) {
        const auto pencereler = QApplication::topLevelWidgets();
        for (QWidget *w : pencereler) {
            if (w->isVisible() && w->objectName() == QStringLiteral("KarsilamaFormu"))
                karsilamaAcikken << metin;
        }
    };
    // The database is gone, its backup is there: the question, then the start goes on.
    dunkuYedekHazirla(ortam);
    QFile::remove(ortam.veritabaniYolu());
    ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
    AnaForm *f = BaslangicModulu::Main({});
    QVERIFY(f);
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam.mesajlar->gosterilenler.first().metin.contains(QStringLiteral("Yedekten oluşturulsun mu?")));
    QVERIFY2(karsilamaAcikken.isEmpty(), qPrintable(karsilamaAcikken.join(QLatin1Char('|'))));
    // The boxes of the running program go straight to the installed seam again.
    QCOMPARE(&Arayuz::mesajKutusu(), ortam.mesajlar.get());
    yenidenBaslat(f);
    // Neither database nor backup: the critical message, the program ends.
    QFile::remove(ortam.veritabaniYolu());
    QFile::remove(Baslangic::yedekYolu());
    ortam.mesajlar->temizle();
    QVERIFY(!BaslangicModulu::Main({}));
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Kritik);
    QVERIFY2(karsilamaAcikken.isEmpty(), qPrintable(karsilamaAcikken.join(QLatin1Char('|'))));
    QCOMPARE(&Arayuz::mesajKutusu(), ortam.mesajlar.get());
}

void BaslangicTesti::canliSoketSilinmez()
{
    Test::Ortam ortam;
    TekOrnek ornek(OrtakDegiskenler::PencereBasligi);
    // Something alive already answers at the socket's name: it keeps it.
    QLocalServer canli;
    canli.setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(ornek.soketAdi());
    QVERIFY(canli.listen(ornek.soketAdi()));
    QVERIFY(!ornek.baskaOrnekVar());
    ornek.dinle();
    QLocalSocket s;
    s.connectToServer(ornek.soketAdi());
    QVERIFY(s.waitForConnected(1000));
    QTRY_VERIFY(canli.hasPendingConnections());
}

void BaslangicTesti::hataSorusuYalnizEvetHayirla()
{
    MesajKutusuPenceresi gercek;
    int deneme = 0;
    bool kapanmadi = true;
    std::function<void()> dene;
    dene = [&] {
        QWidget *kutu = QApplication::activeModalWidget();
        if (!kutu) {
            QTimer::singleShot(20, this, dene);
            return;
        }
        if (deneme == 0) {
            QTest::keyClick(kutu, Qt::Key_Escape);
        } else if (deneme == 1) {
            kutu->close();
        } else {
            kapanmadi = kutu->isVisible();
            const auto dugmeler = kutu->findChildren<QPushButton *>();
            for (QPushButton *d : dugmeler) {
                if (d->text() == QStringLiteral("&Evet"))
                    d->click();
            }
            return;
        }
        ++deneme;
        QTimer::singleShot(50, this, dene);
    };
    QTimer::singleShot(0, this, dene);
    const MesajCevabi c = gercek.goster(QStringLiteral("Devam?"), MesajSimgesi::Kritik, MesajDugmeleri::EvetHayirZorunlu,
                                        MesajCevabi::Evet, QStringLiteral("Hata oluştu!"));
    QVERIFY(kapanmadi);
    QCOMPARE(deneme, 2);
    QCOMPARE(c, MesajCevabi::Evet);
}

void BaslangicTesti::qtMetinleriTurkce()
{
    QVERIFY(BaslangicModulu::QtCevirileriniYukle());
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Geri al"));
}

QTEST_MAIN(BaslangicTesti)
#include "tst_Baslangic.moc"

// The whole start-up sequence in a temporary program folder.

#include "TestOrtami.h"

#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"
#include "ui/BaslangicModulu.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sqlite3.h>

using namespace Zelvora;

class BaslangicTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void veritabaniVeYedekYoksaBiter();
    void ilkBaslangictaKlasorlerVeYedekOlusur();
    void ayniGunIkinciYedekYazilmaz();
    void yedektenGeriYukleme();
    void eskiSemaBirKezYukseltilir();
    void veritabaniOlmayanDosyaReddedilir();
    void ikinciOrnekIlkiniOneGetirir();
    void argumanlaPencereGosterilmez();

private:
    static void yenidenBaslat(AnaForm *&f)
    {
        delete f;
        f = nullptr;
        Baslangic::veritabaniniKapat();
    }
    static void dunDegisti(const QString &yol)
    {
        QFile d(yol);
        QVERIFY(d.open(QIODevice::ReadWrite));
        QVERIFY(d.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
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
    QVERIFY(!OrtakDegiskenler::VeritabaniBag);
}

void BaslangicTesti::ilkBaslangictaKlasorlerVeYedekOlusur()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(QFileInfo::exists(Baslangic::yedekYolu()));
    QCOMPARE(f->windowTitle(), QStringLiteral("Tavrek - Zelvora 2.33 (Sunucu)"));
    QCOMPARE(OrtakDegiskenler::AyarUygulamaAdi, QStringLiteral("Tavrek\\Zelvora"));
    QVERIFY(OrtakDegiskenler::VeritabaniBag);
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QCOMPARE(ortam.son->sayi, 0);
    // The timer is armed for the reminder scan.
    QVERIFY(f->YapilacakIsKontrolu->isActive());
    QCOMPARE(f->YapilacakIsKontrolu->interval(), 32000);
    yenidenBaslat(f);
}

void BaslangicTesti::ayniGunIkinciYedekYazilmaz()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    OrtakDegiskenler::VeritabaniBag->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
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

void BaslangicTesti::yedektenGeriYukleme()
{
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.bosVeritabaniYaz();
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    OrtakDegiskenler::VeritabaniBag->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    yenidenBaslat(f);
    QFile::remove(ortam.veritabaniYolu());

    // No: the program ends and nothing is copied.
    ortam.mesajlar->cevaplar = {MesajCevabi::Hayir};
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam.mesajlar->gosterilenler.last().metin,
             QStringLiteral("\"Vok.vtb\" adlı veritabanı dosyanız bulunamadı.\r\nYedekten oluşturulsun mu?"));
    QCOMPARE(ortam.son->sayi, 1);
    QVERIFY(!QFile::exists(ortam.veritabaniYolu()));

    // Yes: the backup comes back, with the backup's date.
    ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
    f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QVERIFY(QFile::exists(ortam.veritabaniYolu()));
    QCOMPARE(QFileInfo(ortam.veritabaniYolu()).lastModified().date(), QFileInfo(Baslangic::yedekYolu()).lastModified().date());
    QVERIFY(f->KlasorListesi->dugum(KlasorAgaci::KlasorAnahtari));
    QVERIFY(OrtakDegiskenler::VeritabaniBag->klasorler().isEmpty()); // the backup was taken before the folder
    yenidenBaslat(f);
}

void BaslangicTesti::eskiSemaBirKezYukseltilir()
{
    Test::Ortam ortam;
    sqlite3 *db = nullptr;
    sqlite3_open(ortam.veritabaniYolu().toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE KlasorBilgileriTablosu(Anahtari TEXT(10) PRIMARY KEY, Bagi TEXT(10), Adi TEXT(255));"
                 "CREATE TABLE YapilacakIslerTablosu(IsNo INTEGER PRIMARY KEY AUTOINCREMENT, Anahtari TEXT(255), "
                 "IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi);"
                 "INSERT INTO KlasorBilgileriTablosu VALUES('4-Anahtar','Klasor','Dört');",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(f);
    QCOMPARE(ortam.mesajlar->metinler(), QStringList{QStringLiteral("Veritabanı, Sürüm 2.32 ile uyumlu hale getirildi!")});
    QCOMPARE(ortam.mesajlar->gosterilenler.first().simge, MesajSimgesi::Bilgi);
    QVERIFY(f->KlasorListesi->dugum(QStringLiteral("4-Anahtar")));
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
    QVERIFY(ortam.mesajlar->metinler().contains(QStringLiteral("Dosyaya erişilemiyor. Lütfen, kontrol edip tekrar deneyiniz!")));
    QVERIFY(ortam.son->sayi >= 1);
    QVERIFY(!OrtakDegiskenler::VeritabaniBag);
    QVERIFY(d.open(QIODevice::ReadOnly));
    QCOMPARE(d.readAll(), QByteArray("Bu dosya bir veritabanı değil."));
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
    QVERIFY(!OrtakDegiskenler::VeritabaniBag);
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

QTEST_MAIN(BaslangicTesti)
#include "tst_Baslangic.moc"

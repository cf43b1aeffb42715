// Common routines, settings store and the job database.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/GirisMetni.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Platform.h"
#include "core/Tarihler.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include <sqlite3.h>
#include <sys/stat.h>

using namespace Zelvora;

class CekirdekTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ilkHarfleriBuyut_data();
    void ilkHarfleriBuyut();
    void metniSifrele();
    void genelHataYordami();
    void tarihCoz();
    void ayarVarsayilanlari();
    void ayarBolumleriSirayla();
    void yabanciDosyalarReddedilir();
    void eskiSemaYukseltilir();
    void yedekGeciciAdlaYazilir();
    void basarisizYedekEskisiniKorur();
    void otomatikBaslatma();
    void sqliteHatalariEslenir();
    void yedekKalintilariEngelOlmaz();
    void kayitliVeritabaniTaninir();
    void ayarDosyasiYalnizSahibinin();
    void bozukAyarDosyasiUzerineYazilmaz();
};

void CekirdekTesti::ilkHarfleriBuyut_data()
{
    QTest::addColumn<QString>("girdi");
    QTest::addColumn<QString>("beklenen");
    QTest::newRow("bosluklar") << QStringLiteral("  istanbul  ") << QStringLiteral("İstanbul");
    QTest::newRow("noktali") << QStringLiteral("a.b") << QStringLiteral("A.B");
    QTest::newRow("bos") << QString() << QString();
    QTest::newRow("ayiricilar") << QStringLiteral("ankara/çankaya-kızılay") << QStringLiteral("Ankara/Çankaya-Kızılay");
    QTest::newRow("buyuk I") << QStringLiteral("IŞIK") << QStringLiteral("IŞıK");
    QTest::newRow("ı ve i") << QStringLiteral("ılgaz iğdır") << QStringLiteral("Ilgaz İğdır");
}

void CekirdekTesti::ilkHarfleriBuyut()
{
    QFETCH(QString, girdi);
    QFETCH(QString, beklenen);
    QCOMPARE(IlkHarfleriBuyut(girdi), beklenen);
}

void CekirdekTesti::metniSifrele()
{
    const QString alfabe = QStringLiteral("0123456789");
    const QString anahtar = QStringLiteral("3816");
    const QString sifreli = MetniSifrele(QStringLiteral("12345"), alfabe, anahtar);
    QVERIFY(sifreli != QStringLiteral("12345"));
    // result = key - text (mod 10): 3-1, 8-2, 1-3, 6-4, 3-5
    QCOMPARE(sifreli, QStringLiteral("26828"));
    QCOMPARE(MetniSifrele(sifreli, alfabe, anahtar), QStringLiteral("12345"));
}

void CekirdekTesti::genelHataYordami()
{
    Test::Ortam ortam;
    // Harmless errors pass silently.
    QVERIFY(GenelHataYordami(482, QString()));
    QVERIFY(GenelHataYordami(3356, QString()));
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QCOMPARE(ortam.son->sayi, 0);

    QVERIFY(!GenelHataYordami(3051, QStringLiteral("x")));
    QCOMPARE(ortam.mesajlar->gosterilenler.last().metin,
             QStringLiteral("Dosyaya erişilemiyor. Lütfen, kontrol edip tekrar deneyiniz!"));
    QCOMPARE(ortam.son->sayi, 1);
    QVERIFY(!GenelHataYordami(3043, QString()));
    QCOMPARE(ortam.mesajlar->gosterilenler.last().metin,
             QStringLiteral("Ağ bağlantısı kurulamıyor. Lütfen, kontrol edip tekrar deneyiniz!"));
    QCOMPARE(ortam.son->sayi, 2);

    // Any other error asks; Yes goes on, No ends.
    ortam.mesajlar->cevaplar = {MesajCevabi::Evet, MesajCevabi::Hayir};
    QVERIFY(GenelHataYordami(19, QStringLiteral("UNIQUE constraint failed")));
    const auto &m = ortam.mesajlar->gosterilenler.last();
    QCOMPARE(m.baslik, QStringLiteral("Hata oluştu!"));
    QCOMPARE(m.simge, MesajSimgesi::Kritik);
    QCOMPARE(m.metin, QStringLiteral("Program, aşağıdaki hata nedeniyle doğru çalışmayabilir! \nYine de devam etmek istiyor musunuz?"
                                     "\r\n\r\nHata Kodu: 19\r\n\r\nHata Mesajı: UNIQUE constraint failed"));
    QCOMPARE(ortam.son->sayi, 2);
    QVERIFY(!GenelHataYordami(19, QStringLiteral("x")));
    QCOMPARE(ortam.son->sayi, 3);
    // The question can be answered only with Yes or No.
    QCOMPARE(ortam.mesajlar->gosterilenler.last().dugmeler, MesajDugmeleri::EvetHayirZorunlu);

    // A database in use, a full disk, a disk error or an unwritable file: each is said
    // plainly, naming the file, and the program goes on (nothing typed is thrown away).
    ortam.mesajlar->temizle();
    const QString dosya = QStringLiteral("/veri/Vok.vtb");
    QVERIFY(GenelHataYordami(Hata(HataNo::Kilitli, QStringLiteral("database is locked"), dosya)));
    QVERIFY(GenelHataYordami(Hata(HataNo::DiskDolu, QStringLiteral("database or disk is full"), dosya)));
    QVERIFY(GenelHataYordami(Hata(HataNo::DiskHatasi, QStringLiteral("disk I/O error"), dosya)));
    QVERIFY(GenelHataYordami(Hata(HataNo::SaltOkunur, QStringLiteral("attempt to write a readonly database"), dosya)));
    const QStringList m2 = ortam.mesajlar->metinler();
    QCOMPARE(m2.size(), 4);
    QVERIFY(m2[0].startsWith(QStringLiteral("Veritabanı şu anda başka bir program tarafından kullanılıyor")));
    QVERIFY(m2[1].startsWith(QStringLiteral("Diskte yer kalmadı!")));
    QVERIFY(m2[2].contains(QStringLiteral("disk I/O error")));
    for (const QString &m : m2) {
        QVERIFY2(m.contains(QStringLiteral("\"/veri/Vok.vtb\"")), qPrintable(m));
        QVERIFY(!m.contains(QStringLiteral("Ağ bağlantısı")));
    }
    QCOMPARE(ortam.son->sayi, 3);

    // The office server: a connection lost after the start is said as the network failure,
    // with the server and libpq's reason under it (in plain words where it is a known one),
    // and the program goes on; at the start the same, and the program ends. A database that
    // is not ours names the server it is on.
    ortam.mesajlar->temizle();
    QVERIFY(GenelHataYordami(Hata(HataNo::AgKoptu, QStringLiteral("server closed the connection unexpectedly"),
                                  QStringLiteral("PostgreSQL buro/zelvora"))));
    QCOMPARE(ortam.mesajlar->metinler(),
             QStringList{QStringLiteral("Ağ bağlantısı kurulamıyor. Lütfen, kontrol edip tekrar deneyiniz!\r\n\r\n"
                                        "Sunucu: PostgreSQL buro/zelvora\r\n"
                                        "Nedeni: Sunucuyla bağlantı koptu.\r\n(server closed the connection unexpectedly)")});
    QCOMPARE(ortam.son->sayi, 3);
    {
        const GirdilerYerindeKalir girdiler;
        QVERIFY(GenelHataYordami(Hata(HataNo::AgKoptu, QStringLiteral("Sunucu 12 saniye içinde yanıt vermedi."),
                                      QStringLiteral("PostgreSQL buro/zelvora"))));
    }
    QCOMPARE(ortam.mesajlar->metinler().last(),
             QStringLiteral("Ağ bağlantısı kurulamıyor. Lütfen, kontrol edip tekrar deneyiniz!\r\n\r\n"
                            "Sunucu: PostgreSQL buro/zelvora\r\nNedeni: Sunucu 12 saniye içinde yanıt vermedi.\r\n\r\n"
                            "Girdiğiniz bilgiler yerinde duruyor."));
    QVERIFY(!GenelHataYordami(Hata(HataNo::DiskAg, QStringLiteral("FATAL:  password authentication failed for user \"masa\""),
                                   QStringLiteral("PostgreSQL buro/zelvora"))));
    QVERIFY(ortam.mesajlar->metinler().last().contains(
        QStringLiteral("\r\nNedeni: Sunucu, kullanıcının parolasını kabul etmedi.\r\n(FATAL:  password authentication failed")));
    QCOMPARE(ortam.son->sayi, 4);
    QVERIFY(!GenelHataYordami(Hata(HataNo::DosyaAcilamiyor, QStringLiteral("x"), QStringLiteral("PostgreSQL buro/zelvora"))));
    QCOMPARE(ortam.mesajlar->metinler().last(), QStringLiteral("Dosyaya erişilemiyor. Lütfen, kontrol edip tekrar deneyiniz!")
                                                    + QStringLiteral("\r\n\"PostgreSQL buro/zelvora\""));
    QCOMPARE(ortam.son->sayi, 5);
}

void CekirdekTesti::sqliteHatalariEslenir()
{
    // How each failure of SQLite reaches the user.
    QCOMPARE(Veritabani::hataNumarasi(SQLITE_BUSY), HataNo::Kilitli);
    QCOMPARE(Veritabani::hataNumarasi(SQLITE_LOCKED), HataNo::Kilitli);
    QCOMPARE(Veritabani::hataNumarasi(SQLITE_FULL), HataNo::DiskDolu);
    QCOMPARE(Veritabani::hataNumarasi(SQLITE_IOERR_WRITE), HataNo::DiskHatasi);
    QCOMPARE(Veritabani::hataNumarasi(SQLITE_READONLY), HataNo::SaltOkunur);
    QCOMPARE(Veritabani::hataNumarasi(SQLITE_CANTOPEN), HataNo::SaltOkunur);
    QCOMPARE(Veritabani::hataNumarasi(SQLITE_CORRUPT), HataNo::DosyaAcilamiyor);
    QCOMPARE(Veritabani::hataNumarasi(SQLITE_CONSTRAINT), SQLITE_CONSTRAINT);

    // A write that meets another program's lock fails with the lock's number.
    Test::Ortam ortam;
    ortam.veritabaniniAc();
    Sqlite::Baglanti baska(ortam.veritabaniYolu(), Sqlite::Baglanti::Kip::Olustur);
    baska.calistir("BEGIN EXCLUSIVE");
    sqlite3_busy_timeout(Veritabani::acik().tutamak(), 50);
    try {
        Veritabani::acik().klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
        QFAIL("a locked database took a write");
    } catch (const Hata &h) {
        QCOMPARE(h.numara(), HataNo::Kilitli);
        QCOMPARE(h.dosya(), ortam.veritabaniYolu());
    }
    baska.calistir("ROLLBACK");
}

void CekirdekTesti::tarihCoz()
{
    QCOMPARE(Tarihler::tarihCoz(QStringLiteral("5.3.26")), QDate(2026, 3, 5));
    QCOMPARE(Tarihler::tarihCoz(QStringLiteral("05/03/2026")), QDate(2026, 3, 5));
    QCOMPARE(Tarihler::tarihCoz(QStringLiteral("5-3-1999")), QDate(1999, 3, 5));
    QVERIFY(!Tarihler::tarihCoz(QStringLiteral("31.02.2026")).isValid());
    QVERIFY(!Tarihler::tarihCoz(QStringLiteral("12.2026")).isValid());
    QCOMPARE(Tarihler::kisaTarih(QDate(2026, 3, 5)), QStringLiteral("05.03.2026"));
    QCOMPARE(Tarihler::uzunTarih(QDate(2026, 12, 7)), QStringLiteral("7 Aralık 2026 Pazartesi"));
}

void CekirdekTesti::ayarVarsayilanlari()
{
    Test::Ortam ortam;
    Tercihler::yukle();
    QCOMPARE(Tercihler::GirislerSaklansin, 1);
    QCOMPARE(Tercihler::SaklanacakGirisSayisi, 3);
    QCOMPARE(Tercihler::ArkaplandaCalissin, 1);
    QCOMPARE(OrtakDegiskenler::SesliUyari, 1);
    QCOMPARE(Tercihler::sesDosyasi(), ortam.programKlasoru() + QStringLiteral("Alarm.wav"));
    QVERIFY(!Ayarlar::okuMantiksal(AyarAdi::GirisSifresiSor));

    // Stored forms are the program's strings, and they survive a reopen of the file.
    Ayarlar::yaz(AyarAdi::GirisSifresiSor, Ayarlar::mantiksalMetin(true));
    Ayarlar::yaz(AyarAdi::SesDosyasiAdi, QStringLiteral("Zil Sesi.wav"));
    Ayarlar::yaz(AyarAdi::Liste(1), QStringLiteral("Genislik-3"), QStringLiteral("1500"));
    Ayarlar::kaydet();
    Ayarlar::yenidenAc();
    QVERIFY(Ayarlar::okuMantiksal(AyarAdi::GirisSifresiSor));
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresiSor), QStringLiteral("-1"));
    QCOMPARE(Ayarlar::oku(AyarAdi::SesDosyasiAdi), QStringLiteral("Zil Sesi.wav"));
    QSettings dosya(Arayuz::klasorler().ayarDosyasi, QSettings::IniFormat);
    QCOMPARE(dosya.value(QStringLiteral("Listeler/Liste-1/Genislik-3")).toString(), QStringLiteral("1500"));
}

void CekirdekTesti::ayarBolumleriSirayla()
{
    Test::Ortam ortam;
    for (int i : {10, 2, 1, 3})
        Ayarlar::yaz(AyarAdi::Konular, QStringLiteral("Sira-") + QString::number(i), QStringLiteral("k") + QString::number(i));
    const auto degerler = Ayarlar::bolumDegerleri(AyarAdi::Konular);
    QCOMPARE(degerler.size(), 4);
    QCOMPARE(degerler[0].second, QStringLiteral("k1"));
    QCOMPARE(degerler[2].second, QStringLiteral("k3"));
    QCOMPARE(degerler[3].first, QStringLiteral("Sira-10"));
    QVERIFY(Ayarlar::bolumVarMi(AyarAdi::IsBilgileri));
    Ayarlar::bolumSil(AyarAdi::IsBilgileri);
    QVERIFY(!Ayarlar::bolumVarMi(AyarAdi::IsBilgileri));
    QVERIFY(Ayarlar::bolumDegerleri(AyarAdi::Konular).isEmpty());
}

void CekirdekTesti::yabanciDosyalarReddedilir()
{
    Test::Ortam ortam;
    const QString yol = ortam.veritabaniYolu();
    auto acilamaz = [&](const QByteArray &icerik) {
        QFile::remove(yol);
        QFile f(yol);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(icerik);
        f.close();
        try {
            Veritabani::ac(yol);
            QFAIL("opened a file that is not our database");
        } catch (const Hata &h) {
            QCOMPARE(h.numara(), HataNo::DosyaAcilamiyor);
        }
        // Nothing was written to it.
        QFile g(yol);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(g.readAll(), icerik);
    };
    acilamaz(QByteArray());
    acilamaz(QByteArray("Bu bir veritabanı değil, sadece bir metin dosyası.\n").repeated(50));

    // An SQLite file of someone else's.
    QFile::remove(yol);
    Sqlite::Baglanti(yol, Sqlite::Baglanti::Kip::Olustur)
        .calistir("CREATE TABLE Baska(x); INSERT INTO Baska VALUES(1);");
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::ac(yol));

    // A damaged copy of ours: a page overwritten in the middle.
    QFile::remove(yol);
    Veritabani::bosOlustur(yol);
    {
        auto v = Veritabani::ac(yol);
        for (int i = 0; i < 300; ++i)
            v->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 1, 1), QTime(9, 0), QStringLiteral("Konu"),
                       QString(300, QLatin1Char('y')), QString(), QString(), true, false});
    }
    QFile f(yol);
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek(4096 * 3);
    f.write(QByteArray(4096, '\xA5'));
    f.close();
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::ac(yol));

    // Our table names with other columns: refused before anything is written.
    QFile::remove(yol);
    Sqlite::Baglanti(yol, Sqlite::Baglanti::Kip::Olustur)
        .calistir("CREATE TABLE KlasorBilgileriTablosu(a, b); CREATE TABLE YapilacakIslerTablosu(c, d);");
    QFile yabanci(yol);
    QVERIFY(yabanci.open(QIODevice::ReadOnly));
    const QByteArray yabanciIcerik = yabanci.readAll();
    yabanci.close();
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::ac(yol));
    QVERIFY(yabanci.open(QIODevice::ReadOnly));
    QCOMPARE(yabanci.readAll(), yabanciIcerik);
    yabanci.close();
    // Not even backed up.
    const QString yedek = ortam.klasor.path() + QStringLiteral("/Vok.ydk");
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::yedekle(yol, yedek));
    QVERIFY(!QFile::exists(yedek));

    // Not regular files: a folder, a FIFO (whose open would block), a dangling link.
    QFile::remove(yol);
    QVERIFY(QDir().mkdir(yol));
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::ac(yol));
    QVERIFY(QDir().rmdir(yol));
    QCOMPARE(::mkfifo(QFile::encodeName(yol).constData(), 0600), 0);
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::ac(yol));
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::yedekle(yol, yedek));
    QVERIFY(QFile::remove(yol));
    QVERIFY(QFile::link(ortam.klasor.path() + QStringLiteral("/yok"), yol));
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::ac(yol));
    QVERIFY(QFile::remove(yol));

    // Missing file and missing folder.
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::ac(ortam.programKlasoru() + QStringLiteral("yok/Vok.vtb")));
}

void CekirdekTesti::eskiSemaYukseltilir()
{
    Test::Ortam ortam;
    const QString yol = ortam.veritabaniYolu();
    Sqlite::Baglanti(yol, Sqlite::Baglanti::Kip::Olustur)
        .calistir("CREATE TABLE KlasorBilgileriTablosu(Anahtari TEXT(10) PRIMARY KEY, Bagi TEXT(10), Adi TEXT(255));"
        "CREATE TABLE YapilacakIslerTablosu(IsNo INTEGER PRIMARY KEY AUTOINCREMENT, Anahtari TEXT(255) "
        "REFERENCES KlasorBilgileriTablosu(Anahtari), IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, "
        "Aciklama, Hatirlatma, IsYapildi);"
        "INSERT INTO KlasorBilgileriTablosu VALUES('1-Anahtar','Klasor','Bir');"
        "INSERT INTO KlasorBilgileriTablosu VALUES('2-Anahtar','1-Anahtar','İki');");
    auto v = Veritabani::ac(yol);
    QVERIFY(v->eskiSemaMi());
    v->semaYukselt();
    QVERIFY(!v->eskiSemaMi());
    const auto klasorler = v->klasorler();
    QCOMPARE(klasorler.size(), 2);
    QCOMPARE(klasorler[1].adi, QStringLiteral("İki"));
    v->klasorEkle({QString(200, QLatin1Char('9')) + QStringLiteral("-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Uzun")});
}

void CekirdekTesti::yedekGeciciAdlaYazilir()
{
    Test::Ortam ortam;
    ortam.veritabaniniAc();
    Veritabani::acik().klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    const QString yedek = ortam.klasor.path() + QStringLiteral("/Vok.ydk");
    Veritabani::yedekle(ortam.veritabaniYolu(), yedek);
    QVERIFY(!QFile::exists(yedek + QStringLiteral(".yeni")));
    QCOMPARE(QFile::permissions(yedek) & (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ReadGroup),
             QFileDevice::Permissions());
    auto kopya = Veritabani::ac(yedek);
    QCOMPARE(kopya->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral("Bir"));
}

void CekirdekTesti::basarisizYedekEskisiniKorur()
{
    Test::Ortam ortam;
    ortam.veritabaniniAc();
    const QString yedek = ortam.klasor.path() + QStringLiteral("/Vok.ydk");
    Veritabani::yedekle(ortam.veritabaniYolu(), yedek);
    QFile eski(yedek);
    QVERIFY(eski.open(QIODevice::ReadOnly));
    const QByteArray eskiIcerik = eski.readAll();
    eski.close();
    // The live file is damaged: the new backup fails, the old one stays as it was.
    Baslangic::veritabaniniKapat();
    QFile f(ortam.veritabaniYolu());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("bozuk");
    f.close();
    QVERIFY_THROWS_EXCEPTION(Hata, Veritabani::yedekle(ortam.veritabaniYolu(), yedek));
    QFile yeniden(yedek);
    QVERIFY(yeniden.open(QIODevice::ReadOnly));
    QCOMPARE(yeniden.readAll(), eskiIcerik);
    QVERIFY(!QFile::exists(yedek + QStringLiteral(".yeni")));
}

void CekirdekTesti::yedekKalintilariEngelOlmaz()
{
    Test::Ortam ortam;
    ortam.veritabaniniAc();
    const QString yedek = ortam.klasor.path() + QStringLiteral("/Vok.ydk");
    // A file and a folder left at temporary names by a backup that was cut short.
    QFile artik(yedek + QStringLiteral(".yeni"));
    QVERIFY(artik.open(QIODevice::WriteOnly));
    artik.write("yarım");
    artik.close();
    Veritabani::yedekle(ortam.veritabaniYolu(), yedek);
    QVERIFY(!QFile::exists(yedek + QStringLiteral(".yeni")));
    QVERIFY(QDir().mkdir(yedek + QStringLiteral(".yeni")));
    QFile artik2(yedek + QStringLiteral(".yeni2"));
    QVERIFY(artik2.open(QIODevice::WriteOnly));
    artik2.close();
    Veritabani::yedekle(ortam.veritabaniYolu(), yedek);
    QVERIFY(Veritabani::kayitVarMi(yedek) == false); // a sound copy of the empty database
    QVERIFY(Veritabani::ac(yedek));
    QVERIFY(!QFile::exists(yedek + QStringLiteral(".yeni2")));
    QVERIFY(QFileInfo(yedek + QStringLiteral(".yeni")).isDir()); // stepped around, not deleted
    // A folder at the page copy's name is stepped around too, not a failure every day.
    QVERIFY(QDir().mkdir(yedek + QStringLiteral(".yeni2-sayfalar")));
    QVERIFY(QDir().mkdir(yedek + QStringLiteral(".yeni3")));
    Veritabani::yedekle(ortam.veritabaniYolu(), yedek);
    QVERIFY(Veritabani::ac(yedek));
    QVERIFY(QFileInfo(yedek + QStringLiteral(".yeni2-sayfalar")).isDir());
}

void CekirdekTesti::kayitliVeritabaniTaninir()
{
    // The build's tool and the start-up tell an empty template from a database in use.
    Test::Ortam ortam;
    ortam.sablonYaz();
    QVERIFY(!Veritabani::kayitVarMi(Baslangic::sablonYolu()));
    {
        auto v = Veritabani::ac(Baslangic::sablonYolu());
        v->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    }
    QVERIFY(Veritabani::kayitVarMi(Baslangic::sablonYolu()));
    QVERIFY(!Veritabani::kayitVarMi(ortam.programKlasoru() + QStringLiteral("yok.vtb")));
    // The user's database is in the data folder, never beside the program.
    QVERIFY(Baslangic::veritabaniYolu().startsWith(ortam.klasor.path() + QStringLiteral("/veri/Tavrek/Zelvora/")));
    QVERIFY(!Baslangic::veritabaniYolu().startsWith(ortam.programKlasoru()));
}

void CekirdekTesti::otomatikBaslatma()
{
    Test::Ortam ortam;
    const QString dosya = Platform::otomatikBaslatmaDosyasi();
    QVERIFY(dosya.startsWith(ortam.klasor.path()));
    QVERIFY(Platform::otomatikBaslatmaAyarla(true, QStringLiteral("/opt/Zelvora Programı/zelvora")));
    QFile f(dosya);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(f.readAll()).contains(QStringLiteral("Exec=\"/opt/Zelvora Programı/zelvora\" -Simge\n")));
    f.close();
    // Every character the Desktop Entry format treats specially, escaped its way:
    // quote, backquote, dollar and backslash inside the quotes, then the string escape
    // of backslashes, and "%" doubled.
    const QString garip = QStringLiteral("/ev/a\"b`c$d\\e%f g/zelvora");
    QCOMPARE(Platform::execArgumani(garip), QStringLiteral("\"/ev/a\\\\\"b\\\\`c\\\\$d\\\\\\\\e%%f g/zelvora\""));
    QVERIFY(Platform::otomatikBaslatmaAyarla(true, garip));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(f.readAll()).contains(QStringLiteral("\nExec=") + Platform::execArgumani(garip)
                                                    + QStringLiteral(" -Simge\n")));
    f.close();
    QVERIFY(Platform::otomatikBaslatmaAyarla(false, QString()));
    QVERIFY(!QFile::exists(dosya));
    QVERIFY(Platform::otomatikBaslatmaAyarla(false, QString())); // already off
    QVERIFY(Platform::kayitliKurulusAdi().isEmpty());
}

namespace {
const QFileDevice::Permissions Baskalari = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
    | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

QByteArray dosyaIcerigi(const QString &yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The settings file as another program (or a cut-short write) left it.
void ayarDosyasiYaz(const QByteArray &icerik)
{
    Ayarlar::yenidenAc();
    const QString dosya = Arayuz::klasorler().ayarDosyasi;
    QDir().mkpath(QFileInfo(dosya).absolutePath());
    QFile f(dosya);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(icerik);
}
} // namespace

void CekirdekTesti::ayarDosyasiYalnizSahibinin()
{
    Test::Ortam ortam;
    const QString dosya = Arayuz::klasorler().ayarDosyasi;
    const QString klasor = QFileInfo(dosya).absolutePath();
    const QString girdi = QStringLiteral("Ayşe Yılmaz Boşanma Davası");
    Ayarlar::yaz(AyarAdi::Konular, QStringLiteral("Sira-1"), girdi);
    QVERIFY(Ayarlar::kendiKaydet());
    QCOMPARE(QFile::permissions(dosya) & Baskalari, QFileDevice::Permissions());
    QCOMPARE(QFile::permissions(klasor) & Baskalari, QFileDevice::Permissions());
    // Left readable by all by an earlier version: mended when the program starts.
    Ayarlar::yenidenAc();
    QVERIFY(::chmod(QFile::encodeName(dosya).constData(), 0644) == 0);
    QVERIFY(::chmod(QFile::encodeName(klasor).constData(), 0755) == 0);
    QCOMPARE(int(Ayarlar::dosyayiDenetle().durum), int(Ayarlar::DosyaDurumu::Saglam));
    QCOMPARE(QFile::permissions(dosya) & Baskalari, QFileDevice::Permissions());
    QCOMPARE(QFile::permissions(klasor) & Baskalari, QFileDevice::Permissions());
    QCOMPARE(Ayarlar::oku(AyarAdi::Konular, QStringLiteral("Sira-1"), QString()), girdi);
}

void CekirdekTesti::bozukAyarDosyasiUzerineYazilmaz()
{
    using Ayarlar::DosyaDurumu;
    Test::Ortam ortam;
    const QString dosya = Arayuz::klasorler().ayarDosyasi;
    auto durum = [] { return int(Ayarlar::dosyayiDenetle().durum); };

    // What the program writes itself, quotes, "=", backslashes and line breaks in the
    // values included, reads back as sound.
    const QStringList garip{QStringLiteral("\"Boşanma\" = dava"), QStringLiteral("C:\\Belgeler\\"),
                            QStringLiteral("iki\nsatır"), QStringLiteral("host=a dbname=b")};
    for (int i = 0; i < garip.size(); ++i)
        Ayarlar::yaz(AyarAdi::Yerler, QStringLiteral("Sira-") + QString::number(i + 1), garip.at(i));
    Ayarlar::yaz(AyarAdi::GirisSifresiSor, QStringLiteral("-1"));
    QVERIFY(Ayarlar::kendiKaydet());
    Ayarlar::yenidenAc();
    QCOMPARE(durum(), int(DosyaDurumu::Saglam));
    for (int i = 0; i < garip.size(); ++i)
        QCOMPARE(Ayarlar::oku(AyarAdi::Yerler, QStringLiteral("Sira-") + QString::number(i + 1), QString()), garip.at(i));

    // An unclosed quote swallows the password's keys into one value: the file stays as
    // it is, whatever the program writes.
    const QByteArray sifreli = "[Ayarlar]\nSes%20Dosyas%U0131%20Ad%U0131=\"Alarm.wav\nGiris%20Sifresi%20Sor=-1\n"
                               "Giris%20Sifresi=PBKDF2-SHA256$100000$YQ==$Yg==\n";
    ayarDosyasiYaz(sifreli);
    QCOMPARE(durum(), int(DosyaDurumu::SifreOkunamaz));
    Ayarlar::yaz(AyarAdi::Genislik, QStringLiteral("12000"));
    QVERIFY(!Ayarlar::kendiKaydet(false));
    Ayarlar::yenidenAc();
    QCOMPARE(dosyaIcerigi(dosya), sifreli);

    // Damaged without the password: set aside, and the store starts from the defaults.
    const QByteArray bozuk = "[Ayarlar]\nSes=\"Alarm.wav\nArkaplanda%20Calissin=0\nYukseklik=9000\n";
    for (const QString &ek : {QStringLiteral(".bozuk"), QStringLiteral(".bozuk-2")}) {
        ayarDosyasiYaz(bozuk);
        const Ayarlar::DosyaDenetimi d = Ayarlar::dosyayiDenetle();
        QCOMPARE(int(d.durum), int(DosyaDurumu::KenaraAlindi));
        QCOMPARE(d.kenara, dosya + ek);
        QCOMPARE(dosyaIcerigi(d.kenara), bozuk);
        QCOMPARE(Ayarlar::oku(AyarAdi::ArkaplandaCalissin), QStringLiteral("1"));
        Ayarlar::yaz(AyarAdi::Genislik, QStringLiteral("12000"));
        QVERIFY(Ayarlar::kendiKaydet());
    }
    QCOMPARE(dosyaIcerigi(dosya + QStringLiteral(".bozuk")), bozuk);

    // Not a regular file: left alone, never opened (a pipe would hold the start).
    Ayarlar::yenidenAc();
    QVERIFY(QFile::remove(dosya));
    QVERIFY(::mkfifo(QFile::encodeName(dosya).constData(), 0600) == 0);
    QCOMPARE(durum(), int(DosyaDurumu::NormalDegil));
    QVERIFY(QFile::remove(dosya));
    QVERIFY(QDir().mkdir(dosya));
    QCOMPARE(durum(), int(DosyaDurumu::NormalDegil));
}

QTEST_MAIN(CekirdekTesti)
#include "tst_Cekirdek.moc"

// Core of the tools: deadline arithmetic, the amount's reading, the holiday table and
// its day line, the Turkish search in SQL, and what the program says about itself.

#include "TestOrtami.h"

#include "Surum.h"
#include "core/OrtakDegiskenler.h"
#include "core/ProgramBilgisi.h"
#include "core/SureHesabi.h"
#include "core/Tarihler.h"
#include "core/Tatiller.h"
#include "core/Veritabani.h"

#include <QSysInfo>
#include <QUrlQuery>
#include <QtTest>

#include <sqlite3.h>

using namespace Zelvora;

class AraclarTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tarihEkle_data();
    void tarihEkle();
    void miktarOkuma();
    void bilinenTatiller();
    void gunBilgisi_data();
    void gunBilgisi();
    void turkceArama();
    void aramaKarakterleriKendisiDir();
    void aramaSirasiVeAlanlar();
    void programBilgisi();
};

void AraclarTesti::tarihEkle_data()
{
    QTest::addColumn<QString>("baslangic");
    QTest::addColumn<QString>("kod");
    QTest::addColumn<qint64>("miktar");
    QTest::addColumn<QString>("beklenen"); // empty: out of range
    auto satir = [](const char *ad, const char *b, const char *k, qint64 m, const char *s) {
        QTest::newRow(ad) << QString::fromLatin1(b) << QString::fromLatin1(k) << m << QString::fromLatin1(s);
    };
    satir("31 Ocak + 1 ay", "31.01.2027", "m", 1, "28.02.2027");
    satir("30 Ocak + 1 ay, artık yıl", "30.01.2028", "m", 1, "29.02.2028");
    satir("30 Nisan + 1 ay", "30.04.2026", "m", 1, "30.05.2026");
    satir("29 Şubat + 1 yıl", "29.02.2028", "yyyy", 1, "28.02.2029");
    satir("yılbaşı atlanmaz", "25.12.2026", "d", 10, "04.01.2027");
    satir("2 hafta", "25.12.2026", "ww", 2, "08.01.2027");
    satir("idare mahkemesi", "25.12.2026", "d", 30, "24.01.2027");
    satir("sulh hukuk", "25.12.2026", "d", 8, "02.01.2027");
    satir("30 ay", "25.12.2026", "m", 30, "25.06.2029");
    satir("geri: gün", "04.01.2027", "d", -10, "25.12.2026");
    satir("geri: ay, kısa ay", "31.03.2026", "m", -1, "28.02.2026");
    satir("geri: yıl, ocak", "15.01.2026", "m", -13, "15.12.2024");
    satir("son gün", "30.12.9999", "d", 1, "31.12.9999");
    satir("9999 sonrası", "31.12.9999", "d", 1, "");
    satir("100 öncesi", "01.01.0100", "d", -1, "");
    satir("8000 yıl", "25.12.2026", "yyyy", 8000, "");
    satir("32 bitin en büyüğü", "25.12.2026", "d", 2147483647, "");
    satir("32 bitin en küçüğü, ay", "25.12.2026", "m", -2147483648LL, "");
    satir("64 bitlik hafta", "25.12.2026", "ww", std::numeric_limits<qint64>::max(), "");
    satir("bilinmeyen kod", "25.12.2026", "q", 1, "");
}

void AraclarTesti::tarihEkle()
{
    QFETCH(QString, baslangic);
    QFETCH(QString, kod);
    QFETCH(qint64, miktar);
    QFETCH(QString, beklenen);
    const QDate b = SureHesabi::baslangicTarihi(baslangic);
    QVERIFY(b.isValid());
    const std::optional<QDate> sonuc = SureHesabi::ekle(kod, miktar, b);
    QCOMPARE(sonuc ? Tarihler::kisaTarih(*sonuc) : QString(), beklenen);
}

void AraclarTesti::miktarOkuma()
{
    // The leading number of a text.
    QCOMPARE(SureHesabi::bastakiSayi(QStringLiteral("12 gün")), 12.0);
    QCOMPARE(SureHesabi::bastakiSayi(QStringLiteral("  3.5x")), 3.5);
    QCOMPARE(SureHesabi::bastakiSayi(QStringLiteral("-7")), -7.0);
    QCOMPARE(SureHesabi::bastakiSayi(QStringLiteral("gün")), 0.0);
    QCOMPARE(SureHesabi::bastakiSayi(QString()), 0.0);

    // A text that is a number as a whole.
    QCOMPARE(SureHesabi::sayiOku(QStringLiteral("007")), std::optional<double>(7));
    QCOMPARE(SureHesabi::sayiOku(QStringLiteral(" 2,5 ")), std::optional<double>(2.5));
    QCOMPARE(SureHesabi::sayiOku(QStringLiteral("+4")), std::optional<double>(4));
    QCOMPARE(SureHesabi::sayiOku(QStringLiteral("1e3")), std::optional<double>(1000));
    for (const char *yanlis : {"", " ", "abc", "1 2", "7a", "inf", "nan", "1e999", "--1"})
        QVERIFY2(!SureHesabi::sayiOku(QString::fromLatin1(yanlis)), yanlis);

    // Halves to the even neighbour; beyond 32 bits nothing.
    QCOMPARE(SureHesabi::yuvarla(2.5), std::optional<qint32>(2));
    QCOMPARE(SureHesabi::yuvarla(3.5), std::optional<qint32>(4));
    QCOMPARE(SureHesabi::yuvarla(-2.5), std::optional<qint32>(-2));
    QCOMPARE(SureHesabi::yuvarla(2.6), std::optional<qint32>(3));
    QCOMPARE(SureHesabi::yuvarla(2147483647.4), std::optional<qint32>(2147483647));
    QCOMPARE(SureHesabi::yuvarla(-2147483648.0), std::optional<qint32>(-2147483647 - 1));
    QVERIFY(!SureHesabi::yuvarla(2147483647.5));
    QVERIFY(!SureHesabi::yuvarla(-2147483649.0));
    QVERIFY(!SureHesabi::yuvarla(1e300));

    // Start dates: the forms the date box takes, inside the range only.
    QCOMPARE(SureHesabi::baslangicTarihi(QStringLiteral("5/3/2026")), QDate(2026, 3, 5));
    QCOMPARE(SureHesabi::baslangicTarihi(QStringLiteral("05-03-2026")), QDate(2026, 3, 5));
    QVERIFY(!SureHesabi::baslangicTarihi(QStringLiteral("31.04.2026")).isValid());
    QVERIFY(!SureHesabi::baslangicTarihi(QStringLiteral("01.01.0099")).isValid());
    QVERIFY(!SureHesabi::baslangicTarihi(QString()).isValid());
}

void AraclarTesti::bilinenTatiller()
{
    auto gunler = [](QDate ilk, int n, const QString &ad) {
        for (int i = 0; i < n; ++i)
            QCOMPARE(Tatiller::tatilAdi(ilk.addDays(i)), ad);
        QCOMPARE(Tatiller::tatilAdi(ilk.addDays(n)), QString());
        QCOMPARE(Tatiller::tatilAdi(ilk.addDays(-1)), QString());
        QCOMPARE(Tatiller::yarimGunAdi(ilk.addDays(-1)), ad + QStringLiteral(" Arifesi"));
    };
    const QString ramazan = QStringLiteral("Ramazan Bayramı");
    const QString kurban = QStringLiteral("Kurban Bayramı");
    gunler(QDate(2026, 3, 20), 3, ramazan);
    gunler(QDate(2026, 5, 27), 4, kurban);
    gunler(QDate(2025, 6, 6), 4, kurban);
    gunler(QDate(2016, 7, 5), 3, ramazan);

    for (int yil = Tatiller::IlkYil; yil <= Tatiller::SonYil; ++yil) {
        QVERIFY2(Tatiller::tatilAdi(QDate(yil, 10, 29)).contains(QStringLiteral("Cumhuriyet Bayramı")),
                 qPrintable(QString::number(yil)));
        // The eve is a half day unless a feast makes the whole day a holiday (2012).
        if (Tatiller::tatilAdi(QDate(yil, 10, 28)).isEmpty())
            QCOMPARE(Tatiller::yarimGunAdi(QDate(yil, 10, 28)), QStringLiteral("Cumhuriyet Bayramı Arifesi"));
        else
            QCOMPARE(yil, 2012);
        QVERIFY(Tatiller::tatilAdi(QDate(yil, 1, 1)).contains(QStringLiteral("Yılbaşı")));
    }
    // 15 July from 2017, 1 May from 2009.
    QCOMPARE(Tatiller::tatilAdi(QDate(2016, 7, 15)), QString());
    QCOMPARE(Tatiller::tatilAdi(QDate(2017, 7, 15)), QStringLiteral("Demokrasi ve Millî Birlik Günü"));
    QCOMPARE(Tatiller::tatilAdi(QDate(2008, 5, 1)), QString());
    QCOMPARE(Tatiller::tatilAdi(QDate(2009, 5, 1)), QStringLiteral("Emek ve Dayanışma Günü"));
    // A feast across the new year: both names on 1 January 2007.
    QCOMPARE(Tatiller::tatilAdi(QDate(2007, 1, 1)), QStringLiteral("Kurban Bayramı, Yılbaşı"));
    QCOMPARE(Tatiller::tatilAdi(QDate(2006, 12, 31)), kurban);
    // Two Ramazan feasts in 2000.
    QCOMPARE(Tatiller::tatilAdi(QDate(2000, 1, 8)), ramazan);
    QCOMPARE(Tatiller::tatilAdi(QDate(2000, 12, 27)), ramazan);

    QCOMPARE(Tatiller::ilkIsGunu(QDate(2026, 5, 27)), QDate(2026, 6, 1));
    QCOMPARE(Tatiller::ilkIsGunu(QDate(2026, 3, 20)), QDate(2026, 3, 23));
    QCOMPARE(Tatiller::ilkIsGunu(QDate(2027, 1, 2)), QDate(2027, 1, 4));
    QVERIFY(Tatiller::isGunu(QDate(2026, 5, 26))); // an eve is a working morning
    QVERIFY(!Tatiller::adliTatilde(QDate(2026, 7, 19)));
    QVERIFY(Tatiller::adliTatilde(QDate(2026, 7, 20)));
    QVERIFY(Tatiller::adliTatilde(QDate(2026, 8, 31)));
    QVERIFY(!Tatiller::adliTatilde(QDate(2026, 9, 1)));
}

void AraclarTesti::gunBilgisi_data()
{
    QTest::addColumn<QDate>("tarih");
    QTest::addColumn<QString>("beklenen");
    QTest::newRow("iş günü") << QDate(2026, 12, 7) << QStringLiteral("Pazartesi.");
    QTest::newRow("bayram") << QDate(2026, 5, 27)
                            << QStringLiteral("Çarşamba, resmî tatil: Kurban Bayramı. İlk iş günü 01.06.2026 Pazartesi.");
    QTest::newRow("hafta sonu") << QDate(2027, 1, 2)
                                << QStringLiteral("Cumartesi, hafta sonu. İlk iş günü 04.01.2027 Pazartesi.");
    QTest::newRow("arife") << QDate(2026, 5, 26)
                           << QStringLiteral("Salı, Kurban Bayramı Arifesi: 13.00'ten sonra yarım gün tatil.");
    QTest::newRow("adli tatil") << QDate(2026, 7, 21)
                                << QStringLiteral("Salı. Adli tatil içinde (20 Temmuz – 31 Ağustos).");
    QTest::newRow("adli tatilde bayram")
        << QDate(2026, 8, 30)
        << QStringLiteral("Pazar, resmî tatil: Zafer Bayramı. İlk iş günü 31.08.2026 Pazartesi. "
                          "Adli tatil içinde (20 Temmuz – 31 Ağustos).");
    QTest::newRow("tablo dışı") << QDate(2070, 1, 4)
                                << QStringLiteral("Cumartesi, hafta sonu. İlk iş günü 06.01.2070 Pazartesi. "
                                                  "Resmî tatiller yalnız 2000–2060 yılları için bilinir.");
    QTest::newRow("geçersiz") << QDate() << QString();
}

void AraclarTesti::gunBilgisi()
{
    QFETCH(QDate, tarih);
    QFETCH(QString, beklenen);
    QCOMPARE(Tatiller::gunBilgisi(tarih), beklenen);
}

namespace {
struct AramaOrtami {
    Test::Ortam ortam;
    AramaOrtami() { ortam.veritabaniniAc(); }
    Veritabani &vt() { return *OrtakDegiskenler::VeritabaniBag; }
    qint64 ekle(const QString &konu, const QString &yer, const QString &aciklama,
                QDate tarih = QDate(2026, 5, 1), QTime saat = QTime(10, 0))
    {
        return vt().isEkle({0, QStringLiteral("1-Anahtar"), tarih, saat, konu, yer, QString(), aciklama, true, false});
    }
    QStringList ara(AramaAlani alan, const QString &metin)
    {
        QStringList l;
        for (const AramaSonucu &s : vt().isAra(alan, metin))
            l << s.deger;
        return l;
    }
};
} // namespace

void AraclarTesti::turkceArama()
{
    AramaOrtami o;
    for (const char16_t *yer : {u"ADLİYE", u"Adliye", u"eski adliye binası", u"ISPARTA", u"Isparta Adliyesi",
                                u"İSTANBUL", u"ISTANBUL", u"istanbul", u"ÇĞÖŞÜ Sokağı", u""})
        o.ekle(QStringLiteral("Konu"), QString::fromUtf16(yer), QString());
    o.vt().isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 5, 1), QTime(10, 0), QStringLiteral("Boş yer"), QString(),
                   QString(), QString(), true, false});

    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("adliye")),
             (QStringList{QStringLiteral("ADLİYE"), QStringLiteral("Adliye"), QStringLiteral("eski adliye binası"),
                          QStringLiteral("Isparta Adliyesi")}));
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("ısparta")),
             (QStringList{QStringLiteral("ISPARTA"), QStringLiteral("Isparta Adliyesi")}));
    // The dotted and the dotless i are different letters in either case.
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("istanbul")),
             (QStringList{QStringLiteral("İSTANBUL"), QStringLiteral("istanbul")}));
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("ISTANBUL")), QStringList{QStringLiteral("ISTANBUL")});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("İstanbul")),
             (QStringList{QStringLiteral("İSTANBUL"), QStringLiteral("istanbul")}));
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("çğöşü")), QStringList{QStringLiteral("ÇĞÖŞÜ Sokağı")});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("ankara")), QStringList());

    // A match that starts inside an earlier near-match, one across letters of two bytes,
    // one at the very end, and a field with bytes that are no UTF-8.
    for (const char16_t *yer : {u"aaab", u"DAĞIN ARKASI", u"sonu şU"})
        o.ekle(QStringLiteral("Konu"), QString::fromUtf16(yer), QString());
    o.vt().calistir("INSERT INTO YapilacakIslerTablosu(Anahtari, IsinYeri) VALUES('1-Anahtar', "
                    "CAST(X'C3' || 'bozuk' || X'E2A0' AS TEXT))");
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("aab")), QStringList{QStringLiteral("aaab")});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("ğın a")), QStringList{QStringLiteral("DAĞIN ARKASI")});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("Şu")), QStringList{QStringLiteral("sonu şU")});
    QCOMPARE(o.vt().isAra(AramaAlani::Yer, QStringLiteral("BOZUK")).size(), size_t(1));
}

void AraclarTesti::aramaKarakterleriKendisiDir()
{
    AramaOrtami o;
    const QStringList yerler = {QStringLiteral("Yüzde %50 indirim"), QStringLiteral("dosya_no 12"),
                                QStringLiteral("O'Brien Hukuk"), QStringLiteral("Yıldız*Soru?Diyez#"),
                                QStringLiteral("yuzde 50 indirim"), QStringLiteral("dosya no 12"),
                                QStringLiteral("a\\b")};
    for (const QString &y : yerler)
        o.ekle(QStringLiteral("Konu"), y, QString());
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("%50")), QStringList{yerler[0]});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("e %5")), QStringList{yerler[0]});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("%%")), QStringList());
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("a_n")), QStringList{yerler[1]});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("o'b")), QStringList{yerler[2]});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("*soru?")), QStringList{yerler[3]});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("z#")), QStringList{yerler[3]});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("a\\b")), QStringList{yerler[6]});
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("'; DROP TABLE YapilacakIslerTablosu; --")), QStringList());
    QCOMPARE(o.vt().isAra(AramaAlani::Yer, QStringLiteral("indirim")).size(), size_t(2));
}

void AraclarTesti::aramaSirasiVeAlanlar()
{
    AramaOrtami o;
    // Stored out of order: the result is by date, then time, then job number.
    const qint64 c = o.ekle(QStringLiteral("Duruşma C"), QStringLiteral("Ankara"), QStringLiteral("not c"),
                            QDate(2026, 6, 2), QTime(9, 0));
    const qint64 a = o.ekle(QStringLiteral("Duruşma A"), QStringLiteral("Bursa"), QStringLiteral("not a"),
                            QDate(2026, 6, 1), QTime(14, 0));
    const qint64 b1 = o.ekle(QStringLiteral("Duruşma B1"), QStringLiteral("İzmir"), QStringLiteral("not b1"),
                             QDate(2026, 6, 2), QTime(8, 30));
    const qint64 b2 = o.ekle(QStringLiteral("Duruşma B2"), QStringLiteral("Adana"), QStringLiteral("not b2"),
                             QDate(2026, 6, 2), QTime(8, 30));
    o.vt().isTasi(b2, QStringLiteral("7-Anahtar"));
    const std::vector<AramaSonucu> s = o.vt().isAra(AramaAlani::Konu, QStringLiteral("DURUŞMA"));
    QCOMPARE(s.size(), size_t(4));
    QCOMPARE(s[0].isNo, a);
    QCOMPARE(s[1].isNo, b1);
    QCOMPARE(s[2].isNo, b2);
    QCOMPARE(s[3].isNo, c);
    QCOMPARE(s[2].anahtari, QStringLiteral("7-Anahtar"));
    QCOMPARE(s[2].deger, QStringLiteral("Duruşma B2"));
    // Each field is searched on its own and gives its own text.
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("izmir")), QStringList{QStringLiteral("İzmir")});
    QCOMPARE(o.ara(AramaAlani::Aciklama, QStringLiteral("NOT B")),
             (QStringList{QStringLiteral("not b1"), QStringLiteral("not b2")}));
    QCOMPARE(o.ara(AramaAlani::Yer, QStringLiteral("not")), QStringList());

    // The function is the connection's own: SQL sees it like a built-in one.
    sqlite3_stmt *st = nullptr;
    QCOMPARE(sqlite3_prepare_v2(o.vt().tutamak(), "SELECT TurkceIcerir('KIRIKKALE', 'kırık'), "
                                "TurkceIcerir('KIRIKKALE', 'kirik'), TurkceIcerir(NULL, 'a')", -1, &st, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_step(st), SQLITE_ROW);
    QCOMPARE(sqlite3_column_int(st, 0), 1);
    QCOMPARE(sqlite3_column_int(st, 1), 0);
    QCOMPARE(sqlite3_column_int(st, 2), 0);
    sqlite3_finalize(st);
}

void AraclarTesti::programBilgisi()
{
    const QString surum = QStringLiteral("%1.%2.%3").arg(ZELVORA_SURUM_ANA).arg(ZELVORA_SURUM_ALT).arg(ZELVORA_SURUM_DUZELTME);
    QCOMPARE(ProgramBilgisi::surum(), surum);
    QVERIFY(!ProgramBilgisi::yasalUyari().isEmpty());
    QVERIFY(!ProgramBilgisi::webSitesi().endsWith(QLatin1Char('/')));
    QCOMPARE(ProgramBilgisi::mesajSayfasi().toString(),
             ProgramBilgisi::webSitesi() + QStringLiteral("/asp/mesaj/mesaj.asp?ProgramAdi=Zelvora"));

    const QUrl e = ProgramBilgisi::ePostaBaglantisi();
    QVERIFY(e.isValid());
    QCOMPARE(e.scheme(), QStringLiteral("mailto"));
    QCOMPARE(e.path(), ProgramBilgisi::destekEPostasi());
    const QUrlQuery q(e);
    QCOMPARE(q.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("Zelvora ") + surum + QStringLiteral(" hata bildirimi"));
    const QString govde = q.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    QVERIFY(govde.contains(QStringLiteral("Program: Zelvora ") + surum + QStringLiteral("\r\n")));
    QVERIFY(govde.contains(QStringLiteral("Qt: ") + QString::fromLatin1(qVersion())));
    QVERIFY(govde.contains(QStringLiteral("SQLite: ") + QString::fromLatin1(sqlite3_libversion())));
    QVERIFY(govde.contains(QStringLiteral("Sistem: ") + QSysInfo::prettyProductName()));
    // Line breaks travel as CR LF, and no text can end the query early.
    QVERIFY(e.toString(QUrl::FullyEncoded).contains(QStringLiteral("%0D%0A")));
    QCOMPARE(e.toString(QUrl::FullyEncoded).count(QLatin1Char('&')), 1);
}

QTEST_MAIN(AraclarTesti)
#include "tst_Araclar.moc"

// Core of the tools: deadline arithmetic, the amount's reading, the holiday table and
// its day line, and what the program says about itself.

#include "TestOrtami.h"

#include "Surum.h"
#include "core/ProgramBilgisi.h"
#include "core/SureHesabi.h"
#include "core/Tarihler.h"
#include "core/Tatiller.h"

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
    // After an eve, the first full day of work once the feast is over.
    QCOMPARE(Tatiller::ilkTamIsGunu(QDate(2026, 5, 26)), QDate(2026, 6, 1));
    QCOMPARE(Tatiller::ilkTamIsGunu(QDate(2024, 10, 27)), QDate(2024, 10, 30));
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

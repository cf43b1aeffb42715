// The appeal periods of the court options as data with their sources, service by
// e-tebligat, the last day to act and the day line of the duration calculator. Every
// expected date is worked out by hand from the statute and the calendar.

#include "TestOrtami.h"

#include "core/AdliSureler.h"
#include "core/SureHesabi.h"

#include <QtTest>

#include <memory>

using namespace Zelvora;

class AdliSurelerTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ortam = std::make_unique<Test::Ortam>(); }
    void cleanupTestCase() { ortam.reset(); }
    void tablo();
    void sonGunler_data();
    void sonGunler();
    void gunBilgisi_data();
    void gunBilgisi();

private:
    std::unique_ptr<Test::Ortam> ortam;
};

namespace {
enum { Sulh, Is, Icra, Asliye, Idare, Yok = -1 };
const AdliSureler::Mahkeme *mahkeme(int i)
{
    return i < 0 ? nullptr : &AdliSureler::mahkemeler().at(i);
}
QDate g(const char *metin)
{
    return QDate::fromString(QString::fromLatin1(metin), QStringLiteral("dd.MM.yyyy"));
}
} // namespace

void AdliSurelerTesti::tablo()
{
    // Each row of the resource, pinned: a change of law is a change of the row and of this test.
    struct Satir {
        const char16_t *baslik;
        int miktar, birim;
        const char16_t *madde;
        QDate yururluk;
        const char16_t *tatil;
    };
    const Satir beklenen[] = {
        {u"Sul&h Hukuk Mahkemesi", 2, 1, u"HMK 345", QDate(2016, 7, 20), u"HMK 104"},
        {u"İş Mahkeme&si", 2, 1, u"7036 sayılı İş Mahkemeleri Kanunu md. 7 ve HMK 345", QDate(2017, 10, 25), u""},
        {u"İcra &Tetkik Mercii", 10, 0, u"İİK 363", QDate(2016, 7, 20), u""},
        {u"&Asliye Hukuk Mahkemesi", 2, 1, u"HMK 345", QDate(2016, 7, 20), u"HMK 104"},
        {u"İ&dare Mahkemesi", 30, 0, u"İYUK 45", QDate(2016, 7, 20), u"İYUK 61"},
    };
    const QList<AdliSureler::Mahkeme> &m = AdliSureler::mahkemeler();
    QCOMPARE(m.size(), qsizetype(5));
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(m.at(i).baslik, QString::fromUtf16(beklenen[i].baslik));
        QCOMPARE(m.at(i).miktar, beklenen[i].miktar);
        QCOMPARE(m.at(i).birim, beklenen[i].birim);
        QCOMPARE(m.at(i).madde, QString::fromUtf16(beklenen[i].madde));
        QCOMPARE(m.at(i).yururluk, beklenen[i].yururluk);
        QCOMPARE(m.at(i).tatilKurali, QString::fromUtf16(beklenen[i].tatil));
        QVERIFY(!m.at(i).aciklama.isEmpty());
        QVERIFY(!m.at(i).tatilNotu.isEmpty());
    }
    QCOMPARE(m.at(Asliye).aciklama, QStringLiteral("istinaf süresi iki haftadır, kararın tebliğinden başlar. "
                                                   "Temyiz süresi de iki haftadır (HMK 361)."));
    // With no court the civil-procedure rule holds.
    QCOMPARE(AdliSureler::hukukUsulu(), &m.at(Sulh));
    // One week from the end of the recess, moved past the weekend.
    QCOMPARE(AdliSureler::tatilSonrasiSonGun(2024), QDate(2024, 9, 9));
    QCOMPARE(AdliSureler::tatilSonrasiSonGun(2025), QDate(2025, 9, 8));
    QCOMPARE(AdliSureler::tatilSonrasiSonGun(2026), QDate(2026, 9, 7));
}

void AdliSurelerTesti::sonGunler_data()
{
    QTest::addColumn<int>("mahkeme");
    QTest::addColumn<QDate>("baslangic");
    QTest::addColumn<bool>("elektronik");
    QTest::addColumn<QDate>("teblig");
    QTest::addColumn<QDate>("sonuc");
    QTest::addColumn<QDate>("sonGun");
    auto satir = [](const char *ad, int m, const char *bas, bool e, const char *teb, const char *son, const char *gun) {
        QTest::newRow(ad) << m << g(bas) << e << g(teb) << g(son) << g(gun);
    };
    // An ordinary week: the date found is the last day.
    satir("sulh, olağan hafta", Sulh, "07.12.2026", false, "07.12.2026", "21.12.2026", "21.12.2026");
    satir("iş, olağan hafta", Is, "07.12.2026", false, "07.12.2026", "21.12.2026", "21.12.2026");
    satir("icra, olağan hafta", Icra, "07.12.2026", false, "07.12.2026", "17.12.2026", "17.12.2026");
    satir("asliye, olağan hafta", Asliye, "07.12.2026", false, "07.12.2026", "21.12.2026", "21.12.2026");
    satir("idare, olağan hafta", Idare, "07.12.2026", false, "07.12.2026", "06.01.2027", "06.01.2027");
    // Two weeks, not 15 days: the appeal filed on 09.01.2027 would be late.
    satir("asliye, yılbaşı üzerinden", Asliye, "25.12.2026", false, "25.12.2026", "08.01.2027", "08.01.2027");
    // Ending on a Saturday: the Monday after.
    satir("sulh, hafta sonu", Sulh, "02.01.2027", false, "02.01.2027", "16.01.2027", "18.01.2027");
    satir("iş, hafta sonu", Is, "02.01.2027", false, "02.01.2027", "16.01.2027", "18.01.2027");
    satir("icra, hafta sonu", Icra, "06.01.2027", false, "06.01.2027", "16.01.2027", "18.01.2027");
    satir("asliye, hafta sonu", Asliye, "02.01.2027", false, "02.01.2027", "16.01.2027", "18.01.2027");
    satir("idare, hafta sonu", Idare, "17.12.2026", false, "17.12.2026", "16.01.2027", "18.01.2027");
    // Ending on 19.05.2027, the last day of Kurban Bayramı: Thursday 20.05.2027.
    satir("sulh, bayram", Sulh, "05.05.2027", false, "05.05.2027", "19.05.2027", "20.05.2027");
    satir("iş, bayram", Is, "05.05.2027", false, "05.05.2027", "19.05.2027", "20.05.2027");
    satir("icra, bayram", Icra, "09.05.2027", false, "09.05.2027", "19.05.2027", "20.05.2027");
    satir("asliye, bayram", Asliye, "05.05.2027", false, "05.05.2027", "19.05.2027", "20.05.2027");
    satir("idare, bayram", Idare, "19.04.2027", false, "19.04.2027", "19.05.2027", "20.05.2027");
    // Ending in the recess: HMK 104 and İYUK 61 extend to a week after 31 August; labour
    // and enforcement matters are heard in the recess and are not extended.
    satir("sulh, adli tatil", Sulh, "22.07.2026", false, "22.07.2026", "05.08.2026", "07.09.2026");
    satir("iş, adli tatil", Is, "22.07.2026", false, "22.07.2026", "05.08.2026", "05.08.2026");
    satir("icra, adli tatil", Icra, "27.07.2026", false, "27.07.2026", "06.08.2026", "06.08.2026");
    satir("icra, adli tatilde bayram", Icra, "20.08.2025", false, "20.08.2025", "30.08.2025", "01.09.2025");
    satir("asliye, adli tatil 2024", Asliye, "01.08.2024", false, "01.08.2024", "15.08.2024", "09.09.2024");
    satir("asliye, adli tatil 2025", Asliye, "05.08.2025", false, "05.08.2025", "19.08.2025", "08.09.2025");
    satir("asliye, adli tatil 2026", Asliye, "22.07.2026", false, "22.07.2026", "05.08.2026", "07.09.2026");
    satir("idare, adli tatil", Idare, "10.07.2026", false, "10.07.2026", "09.08.2026", "07.09.2026");
    satir("mahkeme yok, adli tatil", Yok, "20.08.2026", false, "20.08.2026", "30.08.2026", "07.09.2026");
    // The Sunday before the recess: Monday 20.07, the recess's first day, no extension promised.
    satir("sulh, tatilden önceki pazar", Sulh, "05.07.2026", false, "05.07.2026", "19.07.2026", "20.07.2026");
    // On the eve of Kurban Bayramı 2026: the eve itself, before 13.00.
    satir("sulh, arife", Sulh, "12.05.2026", false, "12.05.2026", "26.05.2026", "26.05.2026");
    satir("iş, arife", Is, "12.05.2026", false, "12.05.2026", "26.05.2026", "26.05.2026");
    satir("icra, arife", Icra, "16.05.2026", false, "16.05.2026", "26.05.2026", "26.05.2026");
    satir("asliye, arife", Asliye, "12.05.2026", false, "12.05.2026", "26.05.2026", "26.05.2026");
    satir("idare, arife", Idare, "26.04.2026", false, "26.04.2026", "26.05.2026", "26.05.2026");
    // E-tebligat: served at the end of the fifth day after arrival; the period runs from then.
    satir("sulh, e-tebligat", Sulh, "04.01.2027", true, "09.01.2027", "23.01.2027", "25.01.2027");
    satir("iş, e-tebligat", Is, "04.01.2027", true, "09.01.2027", "23.01.2027", "25.01.2027");
    satir("icra, e-tebligat", Icra, "04.01.2027", true, "09.01.2027", "19.01.2027", "19.01.2027");
    satir("asliye, e-tebligat", Asliye, "04.01.2027", true, "09.01.2027", "23.01.2027", "25.01.2027");
    satir("idare, e-tebligat", Idare, "04.01.2027", true, "09.01.2027", "08.02.2027", "08.02.2027");
    satir("asliye, e-tebligat yılbaşı", Asliye, "25.12.2026", true, "30.12.2026", "13.01.2027", "13.01.2027");
    satir("sulh, e-tebligat adli tatile", Sulh, "17.07.2026", true, "22.07.2026", "05.08.2026", "07.09.2026");
    satir("icra, e-tebligat adli tatilden", Icra, "20.08.2026", true, "25.08.2026", "04.09.2026", "04.09.2026");
    satir("idare, e-tebligat bayrama", Idare, "14.04.2027", true, "19.04.2027", "19.05.2027", "20.05.2027");
    // The same cases from an e-tebligat, five days before the service date above.
    satir("sulh, e-tebligat olağan hafta", Sulh, "02.12.2026", true, "07.12.2026", "21.12.2026", "21.12.2026");
    satir("iş, e-tebligat olağan hafta", Is, "02.12.2026", true, "07.12.2026", "21.12.2026", "21.12.2026");
    satir("asliye, e-tebligat olağan hafta", Asliye, "02.12.2026", true, "07.12.2026", "21.12.2026", "21.12.2026");
    satir("icra, e-tebligat hafta sonu", Icra, "01.01.2027", true, "06.01.2027", "16.01.2027", "18.01.2027");
    satir("idare, e-tebligat hafta sonu", Idare, "12.12.2026", true, "17.12.2026", "16.01.2027", "18.01.2027");
    satir("sulh, e-tebligat bayram", Sulh, "30.04.2027", true, "05.05.2027", "19.05.2027", "20.05.2027");
    satir("iş, e-tebligat bayram", Is, "30.04.2027", true, "05.05.2027", "19.05.2027", "20.05.2027");
    satir("icra, e-tebligat bayram", Icra, "04.05.2027", true, "09.05.2027", "19.05.2027", "20.05.2027");
    satir("asliye, e-tebligat bayram", Asliye, "30.04.2027", true, "05.05.2027", "19.05.2027", "20.05.2027");
    satir("iş, e-tebligat adli tatil", Is, "17.07.2026", true, "22.07.2026", "05.08.2026", "05.08.2026");
    satir("icra, e-tebligat adli tatil", Icra, "22.07.2026", true, "27.07.2026", "06.08.2026", "06.08.2026");
    satir("asliye, e-tebligat adli tatil", Asliye, "17.07.2026", true, "22.07.2026", "05.08.2026", "07.09.2026");
    satir("idare, e-tebligat adli tatil", Idare, "05.07.2026", true, "10.07.2026", "09.08.2026", "07.09.2026");
    satir("sulh, e-tebligat arife", Sulh, "07.05.2026", true, "12.05.2026", "26.05.2026", "26.05.2026");
    satir("iş, e-tebligat arife", Is, "07.05.2026", true, "12.05.2026", "26.05.2026", "26.05.2026");
    satir("icra, e-tebligat arife", Icra, "11.05.2026", true, "16.05.2026", "26.05.2026", "26.05.2026");
    satir("asliye, e-tebligat arife", Asliye, "07.05.2026", true, "12.05.2026", "26.05.2026", "26.05.2026");
    satir("idare, e-tebligat arife", Idare, "21.04.2026", true, "26.04.2026", "26.05.2026", "26.05.2026");
}

void AdliSurelerTesti::sonGunler()
{
    QFETCH(int, mahkeme);
    QFETCH(QDate, baslangic);
    QFETCH(bool, elektronik);
    QFETCH(QDate, teblig);
    QFETCH(QDate, sonuc);
    QFETCH(QDate, sonGun);
    const QDate hesaplananTeblig = elektronik ? AdliSureler::elektronikTeblig(baslangic) : baslangic;
    QCOMPARE(hesaplananTeblig, teblig);
    const AdliSureler::Mahkeme *m = ::mahkeme(mahkeme);
    if (m) {
        // The court's amount and unit added the way the calculator adds them.
        const QString kodlar[4] = {QStringLiteral("d"), QStringLiteral("ww"), QStringLiteral("m"), QStringLiteral("yyyy")};
        QCOMPARE(SureHesabi::ekle(kodlar[m->birim], m->miktar, teblig), std::optional<QDate>(sonuc));
    }
    AdliSureler::Soru s;
    s.sonuc = sonuc;
    s.baslangic = baslangic;
    s.elektronik = elektronik;
    s.mahkeme = m;
    QCOMPARE(AdliSureler::sonGun(s), sonGun);
    // The day line names the last day whenever it is not the date found itself.
    if (sonGun != sonuc)
        QVERIFY2(AdliSureler::gunBilgisi(s).contains(sonGun.toString(QStringLiteral("dd.MM.yyyy"))),
                 qPrintable(AdliSureler::gunBilgisi(s)));
}

void AdliSurelerTesti::gunBilgisi_data()
{
    QTest::addColumn<int>("mahkeme");
    QTest::addColumn<QDate>("baslangic");
    QTest::addColumn<bool>("elektronik");
    QTest::addColumn<QDate>("sonuc");
    QTest::addColumn<QString>("beklenen");
    const QString hmk = QStringLiteral("HMK 345: istinaf süresi iki haftadır, kararın tebliğinden başlar. "
                                       "Temyiz süresi de iki haftadır (HMK 361).");
    const QString hukukTatili = QStringLiteral(
        "Adli tatil içinde (20 Temmuz – 31 Ağustos). Mahkeme seçilmedi, hukuk usulüne göre: HMK 104 gereği süre "
        "tatilin bittiği günden bir hafta uzar, son gün 07.09.2026 Pazartesi. İvedi işlerde (HMK 103) süre uzamaz.");
    QTest::newRow("iş günü") << int(Yok) << QDate() << false << g("07.12.2026") << QStringLiteral("Pazartesi.");
    QTest::newRow("bayram") << int(Yok) << QDate() << false << g("27.05.2026")
                            << QStringLiteral("Çarşamba, resmî tatil: Kurban Bayramı. İlk iş günü 01.06.2026 Pazartesi.");
    QTest::newRow("hafta sonu") << int(Yok) << QDate() << false << g("02.01.2027")
                                << QStringLiteral("Cumartesi, hafta sonu. İlk iş günü 04.01.2027 Pazartesi.");
    QTest::newRow("arife") << int(Yok) << QDate() << false << g("26.05.2026")
                           << QStringLiteral("Salı, Kurban Bayramı Arifesi: 13.00'ten sonra yarım gün tatil. Bayramdan "
                                             "sonraki ilk tam iş günü 01.06.2026 Pazartesi; işlemi arifede 13.00'ten önce yapın.");
    QTest::newRow("hafta sonundan arifeye")
        << int(Yok) << QDate() << false << g("27.10.2024")
        << QStringLiteral("Pazar, hafta sonu. İlk iş günü 28.10.2024 Pazartesi, Cumhuriyet Bayramı Arifesi: 13.00'ten "
                          "sonra yarım gün tatil. Bayramdan sonraki ilk tam iş günü 30.10.2024 Çarşamba; işlemi arifede "
                          "13.00'ten önce yapın.");
    QTest::newRow("adli tatil, mahkeme yok") << int(Yok) << QDate() << false << g("21.07.2026")
                                             << QStringLiteral("Salı.\n") + hukukTatili;
    QTest::newRow("adli tatilde bayram, mahkeme yok")
        << int(Yok) << QDate() << false << g("30.08.2026")
        << QStringLiteral("Pazar, resmî tatil: Zafer Bayramı. İlk iş günü 31.08.2026 Pazartesi.\n") + hukukTatili;
    QTest::newRow("tablo dışı") << int(Yok) << QDate() << false << g("04.01.2070")
                                << QStringLiteral("Cumartesi, hafta sonu. İlk iş günü 06.01.2070 Pazartesi. "
                                                  "Resmî tatiller yalnız 2000–2060 yılları için bilinir.");
    QTest::newRow("geçersiz") << int(Yok) << QDate() << false << QDate() << QString();
    QTest::newRow("asliye") << int(Asliye) << g("25.12.2026") << false << g("08.01.2027") << hmk + QStringLiteral("\nCuma.");
    QTest::newRow("idare, adli tatilde bayram")
        << int(Idare) << g("31.07.2025") << false << g("30.08.2025")
        << QStringLiteral("İYUK 45: istinaf süresi otuz gündür, kararın tebliğinden başlar. Temyiz süresi de otuz gündür "
                          "(İYUK 46).\nCumartesi, resmî tatil: Zafer Bayramı. İlk iş günü 01.09.2025 Pazartesi.\nAdli tatil "
                          "içinde (20 Temmuz – 31 Ağustos). İYUK 61 gereği süre tatilin bittiği günden bir hafta uzar, son "
                          "gün 08.09.2025 Pazartesi. Adli tatilde görülen ivedi işlerde süre uzamaz.");
    QTest::newRow("icra, adli tatil")
        << int(Icra) << g("27.07.2026") << false << g("06.08.2026")
        << QStringLiteral("İİK 363: istinaf süresi on gündür, kararın tefhim veya tebliğinden başlar.\nPerşembe.\nAdli tatil "
                          "içinde (20 Temmuz – 31 Ağustos). İcra mahkemesi işleri ivedidir, adli tatilde de görülür: süre "
                          "uzamaz.");
    QTest::newRow("tatilden önceki pazar")
        << int(Sulh) << g("05.07.2026") << false << g("19.07.2026")
        << hmk + QStringLiteral("\nPazar, hafta sonu. İlk iş günü 20.07.2026 Pazartesi, adli tatil içinde; sürenin "
                                "tatilden sonraya uzadığına güvenmeyin.");
    QTest::newRow("e-tebligat")
        << int(Asliye) << g("25.12.2026") << true << g("13.01.2027")
        << QStringLiteral("Elektronik tebligat: 25.12.2026 günü ulaştı, izleyen beşinci günün sonunda, 30.12.2026 Çarşamba "
                          "günü tebliğ edilmiş sayılır (Tebligat Kanunu 7/a). Süre bu günden başlar.\n")
            + hmk + QStringLiteral("\nÇarşamba.");
    QTest::newRow("yürürlükten önce")
        << int(Asliye) << g("01.01.2016") << false << g("15.01.2016")
        << hmk + QStringLiteral(" Bu süre 20.07.2016 gününden beri yürürlüktedir; daha önce tebliğ edilen kararlar için "
                                "o günkü kanuna bakın.\nCuma.");
}

void AdliSurelerTesti::gunBilgisi()
{
    QFETCH(int, mahkeme);
    QFETCH(QDate, baslangic);
    QFETCH(bool, elektronik);
    QFETCH(QDate, sonuc);
    QFETCH(QString, beklenen);
    AdliSureler::Soru s;
    s.sonuc = sonuc;
    s.baslangic = baslangic;
    s.elektronik = elektronik;
    s.mahkeme = ::mahkeme(mahkeme);
    QCOMPARE(AdliSureler::gunBilgisi(s), beklenen);
}

QTEST_MAIN(AdliSurelerTesti)
#include "tst_AdliSureler.moc"

// The database module's operations, run once on each back end: the SQLite file and an
// office's PostgreSQL server (the test command starts a private one and names it in
// ZELVORA_TEST_SUNUCU; without it the server's runs are skipped, and fail under CI).

#include "TestOrtami.h"

#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <memory>

using namespace Zelvora;

class DepoTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data();
    void init();
    void cleanup();
    void tirnakliDegerlerBaglanir();
    void listelemeSorgulari();
    void hatirlatmaSorgusu();
    void isListesiKipleri();
    void onHatirlatmalarVaktindeGelir();
    void onHatirlatmaSonuclariAyriAyri();
    void onHatirlatmalarIsleBirlikteSilinir();
    void onHatirlatmaTablosuOlmayanVeritabani();
    void alanlarAyriAyriYazilir();
    void klasorlerAnaKlasordenSonraGelir();
    void turkceArama();
    void aramaKarakterleriKendisiDir();
    void aramaSirasiVeAlanlar();
    void sunucuBaglantiHatalari();
    void baskaMasaninDegisikligiGorulur();
    void bildirimYukuCozulur();
    void isleriNumarayaGoreGetir();
    void klasorKurallariTekIslemde();
    void kayitBelirteciIkinciKaydiOnler();
    void ertelemeYapilmisIsiDegistirmez();

private:
    Veritabani &vt() { return Veritabani::acik(); }
    void klasorHazirla();
    bool sunucu() const { return !m_sunucu.isEmpty(); }
    qint64 ekle(const QString &konu, const QString &yer, const QString &aciklama, QDate tarih = QDate(2026, 5, 1),
                QTime saat = QTime(10, 0))
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
    static QStringList konular(const std::vector<IsKaydi> &l)
    {
        QStringList s;
        for (const auto &i : l)
            s << i.konu;
        return s;
    }
    // A statement of the test's own on the server, on a connection of its own.
    void sunucudaCalistir(const char *sql) { Test::sunucudaCalistir(m_sunucu, sql); }

    std::unique_ptr<Test::Ortam> m_ortam;
    std::unique_ptr<Veritabani> m_sunucuBag;
    QString m_sunucu;
};

void DepoTesti::initTestCase_data()
{
    QTest::addColumn<bool>("sunucuda");
    QTest::newRow("dosya") << false;
    QTest::newRow("sunucu") << true;
}

void DepoTesti::init()
{
    QFETCH_GLOBAL(bool, sunucuda);
    m_ortam = std::make_unique<Test::Ortam>();
    m_sunucu.clear();
    if (!sunucuda) {
        m_ortam->veritabaniniAc();
        klasorHazirla();
        return;
    }
    m_sunucu = qEnvironmentVariable("ZELVORA_TEST_SUNUCU");
    if (m_sunucu.isEmpty())
        ZELVORA_CALISAMAZ("no test server (the test command starts one and sets ZELVORA_TEST_SUNUCU)");
    sunucudaCalistir("TRUNCATE \"YapilacakIslerTablosu\", \"KlasorBilgileriTablosu\" RESTART IDENTITY CASCADE; "
                     "ALTER SEQUENCE \"KlasorNumarasi\" RESTART");
    m_sunucuBag = Veritabani::sunucuyaBaglan(m_sunucu);
    Veritabani::acikAyarla(m_sunucuBag.get());
    klasorHazirla();
}

void DepoTesti::klasorHazirla()
{
    // The folder the cases' jobs go into: the server takes no job into a folder it lacks.
    vt().klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
}

void DepoTesti::cleanup()
{
    if (Veritabani::acikMi() && &Veritabani::acik() == m_sunucuBag.get())
        Veritabani::acikAyarla(nullptr);
    m_sunucuBag.reset();
    m_ortam.reset();
}

void DepoTesti::tirnakliDegerlerBaglanir()
{
    Veritabani &v = vt();
    const QString anahtar = QStringLiteral("7'-Anahtar");
    v.klasorEkle({anahtar, QStringLiteral("Klasor"), QStringLiteral("Ali'nin İşleri")});
    QCOMPARE(v.klasorAdi(anahtar), QStringLiteral("Ali'nin İşleri"));
    IsKaydi is{0, anahtar, QDate(2026, 12, 7), QTime(9, 30), QStringLiteral("O'nun konusu"), QStringLiteral("x' OR '1'='1"),
               QStringLiteral("12'"), QStringLiteral("'); DROP TABLE YapilacakIslerTablosu; -- $1 \\x"), true, false};
    is.isNo = v.isEkle(is);
    QVERIFY(is.isNo > 0);
    const auto liste = v.isleriListele(anahtar, false, false, QDate(2026, 12, 7));
    QCOMPARE(liste.size(), size_t(1));
    QCOMPARE(liste[0].aciklama, is.aciklama);
    QCOMPARE(liste[0].yer, is.yer);
    QCOMPARE(liste[0].saat, QTime(9, 30));
    QCOMPARE(liste[0].tarih, QDate(2026, 12, 7));
    QVERIFY(liste[0].hatirlatma && !liste[0].yapildi);
    v.klasorAdiDegistir(anahtar, QStringLiteral("Yeni 'ad'"));
    QCOMPARE(v.klasorAdi(anahtar), QStringLiteral("Yeni 'ad'"));
    QCOMPARE(v.klasorAdi(QStringLiteral("yok")), QString());
    QVERIFY_THROWS_EXCEPTION(Hata, v.klasorAdiDegistir(QStringLiteral("yok"), QStringLiteral("x")));
    v.klasorVeIsleriniSil(anahtar);
    QCOMPARE(v.klasorler().size(), 1); // the cases' own folder is left
    QCOMPARE(v.klasorAdi(anahtar), QString());
    QCOMPARE(v.is(is.isNo).isNo, 0);
    // Updating a job that is gone is reported, not taken as saved.
    QVERIFY_THROWS_EXCEPTION(Hata, v.isGuncelle(is));
    // A job whose folder no longer exists: the file stores it (the relation is not
    // enforced); the server, where another desk may have deleted the folder a moment
    // ago, refuses it.
    const IsKaydi yetim{0, QStringLiteral("99-Anahtar"), QDate(2026, 1, 1), QTime(8, 0), QStringLiteral("yetim"), {}, {}, {},
                        false, false};
    if (!sunucu()) {
        QVERIFY(v.isEkle(yetim) > 0);
    } else {
        try {
            v.isEkle(yetim);
            QFAIL("the server stored a job into a folder it does not hold");
        } catch (const Hata &h) {
            QCOMPARE(h.numara(), HataNo::KlasorYok);
        }
    }
}

void DepoTesti::listelemeSorgulari()
{
    Veritabani &v = vt();
    const QDate bugun(2026, 12, 7);
    auto ekle = [&](const QString &k, QDate t, QTime s, bool yapildi, const QString &konu) {
        return v.isEkle({0, k, t, s, konu, QString(), QString(), QString(), true, yapildi});
    };
    v.klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("İki")});
    ekle(QStringLiteral("1-Anahtar"), bugun, QTime(14, 0), false, QStringLiteral("a"));
    ekle(QStringLiteral("1-Anahtar"), bugun, QTime(9, 0), false, QStringLiteral("b"));
    ekle(QStringLiteral("1-Anahtar"), bugun.addDays(-1), QTime(9, 0), false, QStringLiteral("dun"));
    ekle(QStringLiteral("1-Anahtar"), bugun, QTime(8, 0), true, QStringLiteral("yapildi"));
    ekle(QStringLiteral("2-Anahtar"), bugun.addDays(3), QTime(8, 0), false, QStringLiteral("baska"));
    ekle(QStringLiteral("2-Anahtar"), bugun, QTime(7, 0), false, QStringLiteral("baska bugun"));
    ekle(QStringLiteral("1-Anahtar"), QDate(), QTime(), false, QStringLiteral("tarihsiz"));

    // Ordered by date only: rows of one day keep the order they were stored in (14:00
    // before 09:00); a job without a date comes first.
    QCOMPARE(konular(v.isleriListele(QStringLiteral("1-Anahtar"), false, false, bugun)),
             (QStringList{QStringLiteral("tarihsiz"), QStringLiteral("dun"), QStringLiteral("a"), QStringLiteral("b"),
                          QStringLiteral("yapildi")}));
    QCOMPARE(v.isleriListele(QString(), true, false, bugun).size(), size_t(7));
    QCOMPARE(konular(v.isleriListele(QStringLiteral("1-Anahtar"), false, true, bugun)),
             (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(konular(v.isleriListele(QString(), true, true, bugun)),
             (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("baska bugun")}));
    QVERIFY(v.isleriListele(QStringLiteral("3-Anahtar"), false, false, bugun).empty());
    const IsKaydi tarihsiz = v.isleriListele(QStringLiteral("1-Anahtar"), false, false, bugun).front();
    QVERIFY(!tarihsiz.tarih.isValid() && !tarihsiz.saat.isValid());
}

void DepoTesti::hatirlatmaSorgusu()
{
    Veritabani &v = vt();
    const QDate bugun(2026, 12, 7);
    const qint64 a = v.isEkle({0, QStringLiteral("1-Anahtar"), bugun, QTime(14, 35), QStringLiteral("a"), {}, {}, {}, true, false});
    v.isEkle({0, QStringLiteral("1-Anahtar"), bugun, QTime(9, 0), QStringLiteral("erken"), {}, {}, {}, true, false});
    v.isEkle({0, QStringLiteral("1-Anahtar"), bugun, QTime(9, 0), QStringLiteral("yapildi"), {}, {}, {}, true, true});
    v.isEkle({0, QStringLiteral("1-Anahtar"), bugun, QTime(9, 0), QStringLiteral("kapali"), {}, {}, {}, false, false});
    v.isEkle({0, QStringLiteral("1-Anahtar"), bugun.addDays(-1), QTime(9, 0), QStringLiteral("dun"), {}, {}, {}, true, false});
    QCOMPARE(v.hatirlatilacakIsler(bugun, QTime(14, 34, 59)).size(), size_t(1));
    auto l = v.hatirlatilacakIsler(bugun, QTime(14, 35, 0));
    QCOMPARE(l.size(), size_t(2));
    QCOMPARE(l[0].konu, QStringLiteral("erken"));
    QCOMPARE(l[1].isNo, a);
    // A stored time with seconds is due from the next minute on.
    v.isZamaniniDegistir(a, bugun, QTime(14, 50, 20));
    QCOMPARE(v.hatirlatilacakIsler(bugun, QTime(14, 50, 40)).size(), size_t(1));
    QCOMPARE(v.hatirlatilacakIsler(bugun, QTime(14, 51, 0)).size(), size_t(2));
    // Yesterday's job comes only while the horizon lies before it.
    QCOMPARE(konular(v.hatirlatilacakIsler(bugun, QTime(8, 0), bugun.addDays(-1), QTime(8, 59, 59))),
             QStringList{QStringLiteral("dun")});
    QVERIFY(v.hatirlatilacakIsler(bugun, QTime(8, 0), bugun.addDays(-1), QTime(9, 0)).empty());
    // Once done (as another desk may mark it), it is not listed any more.
    v.isYapildiIsaretle(a);
    QCOMPARE(v.hatirlatilacakIsler(bugun, QTime(15, 0)).size(), size_t(1));
    v.isHatirlatmaKapat(v.hatirlatilacakIsler(bugun, QTime(15, 0)).front().isNo);
    QVERIFY(v.hatirlatilacakIsler(bugun, QTime(15, 0)).empty());
}

namespace {
// Scans at a minute with a horizon; each row as "subject/days before".
QStringList onSatirlari(Veritabani &v, QDate gun, QTime dakika, QDate ufukGunu, QTime ufukSaati)
{
    QStringList l;
    for (const IsKaydi &k : v.hatirlatilacakIsler(gun, dakika, ufukGunu, ufukSaati))
        l << k.konu + QLatin1Char('/') + QString::number(k.gunOnce);
    return l;
}
IsKaydi uyarili(const QString &konu, QDate tarih, QTime saat, QList<int> gunler)
{
    IsKaydi is{0, QStringLiteral("1-Anahtar"), tarih, saat, konu, {}, {}, {}, true, false};
    is.onGunler = gunler;
    return is;
}
} // namespace

void DepoTesti::onHatirlatmalarVaktindeGelir()
{
    Veritabani &v = vt();
    QVERIFY(v.onHatirlatmaVar());
    const QDate son(2026, 12, 10);
    const qint64 no = v.isEkle(uyarili(QStringLiteral("İstinaf"), son, QTime(10, 0), {1, 3, 7, 3, 0, 400}));
    // Kept once each, within 1 to 365, largest first.
    QCOMPARE(v.onHatirlatmalar(no), (QList<int>{7, 3, 1}));
    const QDate dun(2026, 12, 6);
    const QTime gunSonu(23, 59, 59);
    // Three days before, at the job's time; the row keeps the job's own date.
    QVERIFY(onSatirlari(v, son.addDays(-3), QTime(9, 59), dun, gunSonu).isEmpty());
    const auto l = v.hatirlatilacakIsler(son.addDays(-3), QTime(10, 0, 30), dun, gunSonu);
    QCOMPARE(l.size(), size_t(1));
    QCOMPARE(l[0].isNo, no);
    QCOMPARE(l[0].gunOnce, 3);
    QCOMPARE(l[0].tarih, son);
    QCOMPARE(l[0].saat, QTime(10, 0));
    // After days away one row per job, the warning due last.
    QCOMPARE(onSatirlari(v, son.addDays(-1), QTime(12, 0), QDate(2026, 11, 1), gunSonu),
             QStringList{QStringLiteral("İstinaf/1")});
    // Once the horizon has passed a warning, it is not listed again.
    QVERIFY(onSatirlari(v, son.addDays(-1), QTime(12, 0), son.addDays(-1), QTime(10, 0)).isEmpty());
    // On its own day the job's own reminder takes over, whatever the horizon.
    QCOMPARE(onSatirlari(v, son, QTime(10, 0), QDate(2026, 11, 1), gunSonu), QStringList{QStringLiteral("İstinaf/0")});
    QCOMPARE(onSatirlari(v, son, QTime(9, 59), QDate(2026, 11, 1), gunSonu), QStringList{QStringLiteral("İstinaf/1")});
    // Other jobs' rows come first, in their own order; the warnings follow.
    v.isEkle({0, QStringLiteral("1-Anahtar"), son.addDays(-3), QTime(8, 0), QStringLiteral("Duruşma"), {}, {}, {}, true, false});
    QCOMPARE(onSatirlari(v, son.addDays(-3), QTime(11, 0), dun, gunSonu),
             (QStringList{QStringLiteral("Duruşma/0"), QStringLiteral("İstinaf/3")}));
    // No warnings for a job without its reminder, nor for a job done.
    IsKaydi is = v.is(no);
    is.hatirlatma = false;
    v.isAlanlariniGuncelle(is, Veritabani::HatirlatmaAlani);
    QCOMPARE(onSatirlari(v, son.addDays(-3), QTime(11, 0), dun, gunSonu), QStringList{QStringLiteral("Duruşma/0")});
}

void DepoTesti::onHatirlatmaSonuclariAyriAyri()
{
    Veritabani &v = vt();
    const QDate son(2026, 12, 10);
    const qint64 no = v.isEkle(uyarili(QStringLiteral("Süre"), son, QTime(10, 0), {7, 3, 1}));
    const QDate yedi = son.addDays(-7), uc = son.addDays(-3);
    // Postponed: that warning comes back 15 minutes later; the job keeps its time.
    v.onHatirlatmaErtele(no, 7, yedi, QTime(10, 15, 20));
    QVERIFY(onSatirlari(v, yedi, QTime(10, 15), yedi, QTime(10, 0)).isEmpty());
    QCOMPARE(onSatirlari(v, yedi, QTime(10, 16), yedi, QTime(10, 0)), QStringList{QStringLiteral("Süre/7")});
    QCOMPARE(v.is(no).saat, QTime(10, 0));
    // Stopped: that warning never again; the next one still comes.
    v.onHatirlatmaDurdur(no, 7);
    QVERIFY(onSatirlari(v, yedi, QTime(10, 16), yedi, QTime(10, 0)).isEmpty());
    QCOMPARE(onSatirlari(v, uc, QTime(10, 0), uc.addDays(-1), QTime(0, 0)), QStringList{QStringLiteral("Süre/3")});
    QCOMPARE(v.onHatirlatmalar(no), (QList<int>{7, 3, 1}));
    // Changed in the editor: a day kept keeps its state, a new day is added.
    IsKaydi is = v.is(no);
    is.onGunler = {7, 2};
    v.isAlanlariniGuncelle(is, Veritabani::OnHatirlatmaAlani);
    QCOMPARE(v.onHatirlatmalar(no), (QList<int>{7, 2}));
    QVERIFY(onSatirlari(v, yedi, QTime(10, 16), yedi, QTime(10, 0)).isEmpty());
    // A new date is a new deadline: every warning starts afresh.
    is.tarih = son.addDays(1);
    v.isAlanlariniGuncelle(is, Veritabani::TarihAlani);
    QCOMPARE(onSatirlari(v, yedi.addDays(1), QTime(10, 0), yedi, QTime(10, 0)), QStringList{QStringLiteral("Süre/7")});
    // Done settles the job and all its warnings.
    v.isYapildiIsaretle(no);
    QVERIFY(onSatirlari(v, son.addDays(-1), QTime(10, 0), QDate(2026, 11, 1), QTime(0, 0)).isEmpty());
}

void DepoTesti::onHatirlatmalarIsleBirlikteSilinir()
{
    Veritabani &v = vt();
    const QDate son(2026, 12, 10);
    const qint64 a = v.isEkle(uyarili(QStringLiteral("a"), son, QTime(10, 0), {3}));
    v.klasorEkle({QStringLiteral("5-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Beş")});
    IsKaydi bIs = uyarili(QStringLiteral("b"), son, QTime(11, 0), {2, 1});
    bIs.anahtari = QStringLiteral("5-Anahtar");
    const qint64 b = v.isEkle(bIs);
    const qint64 c = v.isEkle(uyarili(QStringLiteral("c"), son, QTime(12, 0), {1}));
    // All of them at once, as a calendar of many jobs reads them.
    QCOMPARE(v.tumOnHatirlatmalar(), (QHash<qint64, QList<int>>{{a, {3}}, {b, {2, 1}}, {c, {1}}}));
    v.isSil(a);
    QVERIFY(v.onHatirlatmalar(a).isEmpty());
    v.klasorVeIsleriniSil(QStringLiteral("5-Anahtar"));
    QVERIFY(v.onHatirlatmalar(b).isEmpty());
    QCOMPARE(v.onHatirlatmalar(c), QList<int>{1});
    // A write that fails leaves neither the job nor a part of its warnings.
    IsKaydi bozuk = uyarili(QStringLiteral("d"), son, QTime(9, 0), {2});
    v.calistir(sunucu() ? "ALTER TABLE \"OnHatirlatmaTablosu\" ADD CONSTRAINT \"Deneme\" CHECK (\"GunOnce\" <> 2)"
                        : "CREATE TRIGGER Deneme BEFORE INSERT ON OnHatirlatmaTablosu WHEN NEW.GunOnce = 2 "
                          "BEGIN SELECT RAISE(ABORT, 'deneme'); END");
    QVERIFY_THROWS_EXCEPTION(Hata, v.isEkle(bozuk));
    QCOMPARE(v.isListesi(Veritabani::ListeKipi::Tumu, son).size(), size_t(1));
    v.calistir(sunucu() ? "ALTER TABLE \"OnHatirlatmaTablosu\" DROP CONSTRAINT \"Deneme\"" : "DROP TRIGGER Deneme");
}

void DepoTesti::onHatirlatmaTablosuOlmayanVeritabani()
{
    // An older file, or an office server not yet migrated: jobs work as ever; the file
    // gets the table at start, the server says once that it has none.
    const QDate son(2026, 12, 10);
    if (sunucu()) {
        sunucudaCalistir("DROP TABLE \"OnHatirlatmaTablosu\"");
        Veritabani::acikAyarla(nullptr);
        m_sunucuBag = Veritabani::sunucuyaBaglan(m_sunucu);
        Veritabani::acikAyarla(m_sunucuBag.get());
    } else {
        vt().calistir("DROP TABLE OnHatirlatmaTablosu");
        vt().yenidenAc();
    }
    Veritabani &v = vt();
    QVERIFY(!v.onHatirlatmaVar());
    const qint64 no = v.isEkle({0, QStringLiteral("1-Anahtar"), son, QTime(10, 0), QStringLiteral("eski"), {}, {}, {}, true, false});
    QVERIFY(v.onHatirlatmalar(no).isEmpty());
    QCOMPARE(onSatirlari(v, son, QTime(10, 0), son, QTime(0, 0)), QStringList{QStringLiteral("eski/0")});
    // Warnings that could not be kept are refused, never dropped in silence.
    QVERIFY_THROWS_EXCEPTION(Hata, v.isEkle(uyarili(QStringLiteral("yeni"), son, QTime(10, 0), {3})));
    QCOMPARE(v.isListesi(Veritabani::ListeKipi::Tumu, son).size(), size_t(1));

    m_ortam->mesajlar->temizle();
    QVERIFY(Baslangic::semayiDenetle());
    if (sunucu()) {
        QCOMPARE(m_ortam->mesajlar->gosterilenler.size(), qsizetype(1));
        QVERIFY(m_ortam->mesajlar->gosterilenler.front().metin.contains(QStringLiteral("sunucu-guncelle-2.sql")));
        QVERIFY(!v.onHatirlatmaVar());
        // The migration file adds the table to the running server.
        QFile goc(QStringLiteral(ZELVORA_ONHATIRLATMA_SQL));
        QVERIFY(goc.open(QIODevice::ReadOnly));
        sunucudaCalistir(goc.readAll().constData());
        Veritabani::acikAyarla(nullptr);
        m_sunucuBag = Veritabani::sunucuyaBaglan(m_sunucu);
        Veritabani::acikAyarla(m_sunucuBag.get());
    } else {
        // The upgrade says nothing: nothing of the user's has changed.
        QVERIFY(m_ortam->mesajlar->gosterilenler.isEmpty());
    }
    Veritabani &yeni = vt();
    QVERIFY(yeni.onHatirlatmaVar());
    QCOMPARE(yeni.is(no).konu, QStringLiteral("eski"));
    IsKaydi is = yeni.is(no);
    is.onGunler = {3};
    yeni.isAlanlariniGuncelle(is, Veritabani::OnHatirlatmaAlani);
    QCOMPARE(onSatirlari(yeni, son.addDays(-3), QTime(10, 0), son.addDays(-4), QTime(0, 0)),
             QStringList{QStringLiteral("eski/3")});
}

void DepoTesti::isListesiKipleri()
{
    Veritabani &v = vt();
    const QDate gun(2026, 12, 7);
    auto ekle = [&](QDate t, QTime s, bool yapildi, const QString &konu) {
        return v.isEkle({0, QStringLiteral("1-Anahtar"), t, s, konu, {}, {}, {}, false, yapildi});
    };
    ekle(gun, QTime(15, 0), false, QStringLiteral("ogleden sonra"));
    ekle(gun, QTime(9, 0), false, QStringLiteral("sabah"));
    ekle(gun, QTime(9, 0), false, QStringLiteral("sabah 2"));
    ekle(gun, QTime(8, 0), true, QStringLiteral("yapildi"));
    ekle(gun.addDays(-3), QTime(10, 0), false, QStringLiteral("gecikmis"));
    ekle(gun.addDays(2), QTime(10, 0), false, QStringLiteral("gelecek"));
    using K = Veritabani::ListeKipi;
    QCOMPARE(konular(v.isListesi(K::BirGunun, gun)),
             (QStringList{QStringLiteral("sabah"), QStringLiteral("sabah 2"), QStringLiteral("ogleden sonra")}));
    QCOMPARE(konular(v.isListesi(K::GunuGecen, gun)), QStringList{QStringLiteral("gecikmis")});
    QCOMPARE(konular(v.isListesi(K::Yapilmis, gun)), QStringList{QStringLiteral("yapildi")});
    QCOMPARE(konular(v.isListesi(K::Tumu, gun)),
             (QStringList{QStringLiteral("gecikmis"), QStringLiteral("yapildi"), QStringLiteral("sabah"),
                          QStringLiteral("sabah 2"), QStringLiteral("ogleden sonra"), QStringLiteral("gelecek")}));
}

void DepoTesti::alanlarAyriAyriYazilir()
{
    // Two desks (or the editor and the reminder window) change one job: each writes
    // only the fields it changed, and both changes stay.
    Veritabani &v = vt();
    IsKaydi is{0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("Duruşma"),
               QStringLiteral("Adliye"), QStringLiteral("2026/1"), QStringLiteral("not"), true, false};
    is.isNo = v.isEkle(is);
    v.isYapildiIsaretle(is.isNo); // the other desk settled it
    IsKaydi duzen = is;
    duzen.yer = QStringLiteral("Çağlayan");
    duzen.yapildi = false; // what this desk still shows
    v.isAlanlariniGuncelle(duzen, Veritabani::YerAlani);
    const IsKaydi son = v.is(is.isNo);
    QCOMPARE(son.yer, QStringLiteral("Çağlayan"));
    QVERIFY(son.yapildi);
    QCOMPARE(son.konu, QStringLiteral("Duruşma"));
    v.isAlanlariniGuncelle(duzen, 0); // nothing changed: only that it still exists
    v.klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("İki")});
    v.isTasi(is.isNo, QStringLiteral("2-Anahtar"));
    QCOMPARE(v.is(is.isNo).anahtari, QStringLiteral("2-Anahtar"));
    v.isSil(is.isNo);
    QVERIFY_THROWS_EXCEPTION(Hata, v.isAlanlariniGuncelle(duzen, Veritabani::YerAlani));
    QVERIFY_THROWS_EXCEPTION(Hata, v.isAlanlariniGuncelle(duzen, 0));
}

void DepoTesti::klasorlerAnaKlasordenSonraGelir()
{
    // The tree adds a folder only after its parent: a renamed parent still comes first.
    Veritabani &v = vt();
    v.klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Ana")});
    v.klasorEkle({QStringLiteral("10-Anahtar"), QStringLiteral("2-Anahtar"), QStringLiteral("Alt")});
    v.klasorEkle({QStringLiteral("11-Anahtar"), QStringLiteral("10-Anahtar"), QStringLiteral("Altın altı")});
    v.klasorAdiDegistir(QStringLiteral("2-Anahtar"), QStringLiteral("Ana (yeni adı)"));
    v.klasorAdiDegistir(QStringLiteral("10-Anahtar"), QStringLiteral("Alt (yeni adı)"));
    QStringList sira;
    for (const KlasorKaydi &k : v.klasorler())
        sira << k.anahtari;
    QCOMPARE(sira, (QStringList{QStringLiteral("1-Anahtar"), QStringLiteral("2-Anahtar"), QStringLiteral("10-Anahtar"),
                                QStringLiteral("11-Anahtar")}));
}

void DepoTesti::turkceArama()
{
    for (const char16_t *yer : {u"ADLİYE", u"Adliye", u"eski adliye binası", u"ISPARTA", u"Isparta Adliyesi",
                                u"İSTANBUL", u"ISTANBUL", u"istanbul", u"ÇĞÖŞÜ Sokağı", u""})
        ekle(QStringLiteral("Konu"), QString::fromUtf16(yer), QString());
    vt().isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 5, 1), QTime(10, 0), QStringLiteral("Boş yer"), QString(),
                 QString(), QString(), true, false});

    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("adliye")),
             (QStringList{QStringLiteral("ADLİYE"), QStringLiteral("Adliye"), QStringLiteral("eski adliye binası"),
                          QStringLiteral("Isparta Adliyesi")}));
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("ısparta")),
             (QStringList{QStringLiteral("ISPARTA"), QStringLiteral("Isparta Adliyesi")}));
    // The dotted and the dotless i are different letters in either case.
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("istanbul")),
             (QStringList{QStringLiteral("İSTANBUL"), QStringLiteral("istanbul")}));
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("ISTANBUL")), QStringList{QStringLiteral("ISTANBUL")});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("İstanbul")),
             (QStringList{QStringLiteral("İSTANBUL"), QStringLiteral("istanbul")}));
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("çğöşü")), QStringList{QStringLiteral("ÇĞÖŞÜ Sokağı")});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("ankara")), QStringList());

    // A match that starts inside an earlier near-match, one across letters of two bytes,
    // one at the very end.
    for (const char16_t *yer : {u"aaab", u"DAĞIN ARKASI", u"sonu şU"})
        ekle(QStringLiteral("Konu"), QString::fromUtf16(yer), QString());
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("aab")), QStringList{QStringLiteral("aaab")});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("ğın a")), QStringList{QStringLiteral("DAĞIN ARKASI")});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("Şu")), QStringList{QStringLiteral("sonu şU")});
    if (!sunucu()) {
        // Bytes that are no UTF-8 (only a file can hold them) still compare with themselves.
        vt().calistir("INSERT INTO YapilacakIslerTablosu(Anahtari, IsinYeri) VALUES('1-Anahtar', "
                      "CAST(X'C3' || 'bozuk' || X'E2A0' AS TEXT))");
        QCOMPARE(vt().isAra(AramaAlani::Yer, QStringLiteral("BOZUK")).size(), size_t(1));
    }
}

void DepoTesti::aramaKarakterleriKendisiDir()
{
    const QStringList yerler = {QStringLiteral("Yüzde %50 indirim"), QStringLiteral("dosya_no 12"),
                                QStringLiteral("O'Brien Hukuk"), QStringLiteral("Yıldız*Soru?Diyez#"),
                                QStringLiteral("yuzde 50 indirim"), QStringLiteral("dosya no 12"),
                                QStringLiteral("a\\b")};
    for (const QString &y : yerler)
        ekle(QStringLiteral("Konu"), y, QString());
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("%50")), QStringList{yerler[0]});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("e %5")), QStringList{yerler[0]});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("%%")), QStringList());
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("a_n")), QStringList{yerler[1]});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("o'b")), QStringList{yerler[2]});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("*soru?")), QStringList{yerler[3]});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("z#")), QStringList{yerler[3]});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("a\\b")), QStringList{yerler[6]});
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("'; DROP TABLE YapilacakIslerTablosu; --")), QStringList());
    QCOMPARE(vt().isAra(AramaAlani::Yer, QStringLiteral("indirim")).size(), size_t(2));
}

void DepoTesti::aramaSirasiVeAlanlar()
{
    // Stored out of order: the result is by date, then time, then job number.
    const qint64 c = ekle(QStringLiteral("Duruşma C"), QStringLiteral("Ankara"), QStringLiteral("not c"),
                          QDate(2026, 6, 2), QTime(9, 0));
    const qint64 a = ekle(QStringLiteral("Duruşma A"), QStringLiteral("Bursa"), QStringLiteral("not a"),
                          QDate(2026, 6, 1), QTime(14, 0));
    const qint64 b1 = ekle(QStringLiteral("Duruşma B1"), QStringLiteral("İzmir"), QStringLiteral("not b1"),
                           QDate(2026, 6, 2), QTime(8, 30));
    const qint64 b2 = ekle(QStringLiteral("Duruşma B2"), QStringLiteral("Adana"), QStringLiteral("not b2"),
                           QDate(2026, 6, 2), QTime(8, 30));
    vt().klasorEkle({QStringLiteral("7-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Yedi")});
    vt().isTasi(b2, QStringLiteral("7-Anahtar"));
    const std::vector<AramaSonucu> s = vt().isAra(AramaAlani::Konu, QStringLiteral("DURUŞMA"));
    QCOMPARE(s.size(), size_t(4));
    QCOMPARE(s[0].isNo, a);
    QCOMPARE(s[1].isNo, b1);
    QCOMPARE(s[2].isNo, b2);
    QCOMPARE(s[3].isNo, c);
    QCOMPARE(s[2].anahtari, QStringLiteral("7-Anahtar"));
    QCOMPARE(s[2].deger, QStringLiteral("Duruşma B2"));
    // Each field is searched on its own and gives its own text.
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("izmir")), QStringList{QStringLiteral("İzmir")});
    QCOMPARE(ara(AramaAlani::Aciklama, QStringLiteral("NOT B")),
             (QStringList{QStringLiteral("not b1"), QStringLiteral("not b2")}));
    QCOMPARE(ara(AramaAlani::Yer, QStringLiteral("not")), QStringList());
    if (!sunucu()) {
        // The function is the file connection's own: SQL sees it like a built-in one.
        Sqlite::Deyim st(vt().tutamak(), "SELECT TurkceIcerir('KIRIKKALE', 'kırık'), "
                                         "TurkceIcerir('KIRIKKALE', 'kirik'), TurkceIcerir(NULL, 'a')");
        QVERIFY(st.adim());
        QCOMPARE(st.sayi(0), qint64(1));
        QCOMPARE(st.sayi(1), qint64(0));
        QCOMPARE(st.sayi(2), qint64(0));
    }
}

void DepoTesti::sunucuBaglantiHatalari()
{
    if (!sunucu())
        QSKIP("the file's refusals are tested with the start-up");
    // Unreachable: the network failure (3043), which ends the program at start.
    try {
        Veritabani::sunucuyaBaglan(QStringLiteral("host=/yok/boyle/bir/yer dbname=zelvora connect_timeout=2"));
        QFAIL("connected to nothing");
    } catch (const Hata &h) {
        QCOMPARE(h.numara(), HataNo::DiskAg);
    }
    // A database without our tables: refused as not ours, naming the server.
    sunucudaCalistir("DROP DATABASE IF EXISTS zelvora_yabanci");
    sunucudaCalistir("CREATE DATABASE zelvora_yabanci");
    const QString yabanci = m_sunucu + QStringLiteral(" dbname=zelvora_yabanci");
    {
        PGconn *c = PQconnectdb(yabanci.toUtf8().constData());
        PQclear(PQexec(c, "CREATE TABLE \"KlasorBilgileriTablosu\"(a text); CREATE TABLE \"YapilacakIslerTablosu\"(b text)"));
        PQfinish(c);
    }
    try {
        Veritabani::sunucuyaBaglan(yabanci);
        QFAIL("took a foreign database");
    } catch (const Hata &h) {
        QCOMPARE(h.numara(), HataNo::DosyaAcilamiyor);
        QVERIFY2(h.dosya().contains(QStringLiteral("zelvora_yabanci")), qPrintable(h.dosya()));
    }
    sunucudaCalistir("DROP DATABASE zelvora_yabanci");

    // A connection lost later: the failing write says so and nothing is stored; the next
    // action connects again and re-reads what the others changed.
    vt().baskaMasaDegistirdi();
    sunucudaCalistir("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                     "WHERE datname = current_database() AND pid <> pg_backend_pid()");
    try {
        vt().klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("İki")});
        QFAIL("a write on a lost connection was taken");
    } catch (const Hata &h) {
        QCOMPARE(h.numara(), HataNo::AgKoptu);
    }
    vt().klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("İki")});
    QCOMPARE(vt().klasorAdi(QStringLiteral("2-Anahtar")), QStringLiteral("İki"));
    QVERIFY(vt().baskaMasaDegistirdi());
}

void DepoTesti::baskaMasaninDegisikligiGorulur()
{
    if (!sunucu())
        QSKIP("one desk's file has no other desks");
    auto baskaMasa = Veritabani::sunucuyaBaglan(m_sunucu);
    QVERIFY(!vt().baskaMasaDegistirdi());
    baskaMasa->klasorEkle({QStringLiteral("3-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Ortak")});
    // (The look takes the news: QTRY would look once more after it came.)
    bool geldi = false;
    QTRY_VERIFY_WITH_TIMEOUT(geldi = geldi || vt().baskaMasaDegistirdi(), 2000);
    // Which table changed is told apart: a folder change re-reads the tree only.
    unsigned ne = 0;
    baskaMasa->klasorAdiDegistir(QStringLiteral("3-Anahtar"), QStringLiteral("Ortak 2"));
    QTRY_VERIFY_WITH_TIMEOUT((ne |= vt().baskaMasaDegisiklikleri()) != 0, 2000);
    QCOMPARE(ne, unsigned(Veritabani::KlasorlerDegisti));
    ne = 0;
    baskaMasa->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("başka"), {}, {}, {},
                       true, false});
    QTRY_VERIFY_WITH_TIMEOUT((ne |= vt().baskaMasaDegisiklikleri()) != 0, 2000);
    QCOMPARE(ne, unsigned(Veritabani::IslerDegisti));
    // The notification names the rows: job numbers (an advance warning's by its job),
    // folder keys; a statement that changed no row says nothing.
    Veritabani::Degisiklikler d;
    const qint64 no = baskaMasa->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0),
                                         QStringLiteral("iki"), {}, {}, {}, true, false});
    baskaMasa->isTasi(no, QStringLiteral("3-Anahtar"));
    baskaMasa->klasorAdiDegistir(QStringLiteral("3-Anahtar"), QStringLiteral("Ortak 3"));
    baskaMasa->calistir("UPDATE \"YapilacakIslerTablosu\" SET \"IsinYeri\" = 'x' WHERE \"IsNo\" = -1");
    QTRY_VERIFY_WITH_TIMEOUT((d.ekle(vt().baskaMasaDegisiklikleriniAl()), d.klasorler.size() == 1), 2000);
    QCOMPARE(d.isler, QSet<qint64>{no});
    QCOMPARE(d.klasorler, QSet<QString>{QStringLiteral("3-Anahtar")});
    QVERIFY(!d.tumIsler && !d.tumKlasorler);
    // Too many rows for one notification: all count as changed.
    baskaMasa->calistir("INSERT INTO \"YapilacakIslerTablosu\"(\"Anahtari\") SELECT '1-Anahtar' FROM generate_series(1, 1200)");
    d = {};
    QTRY_VERIFY_WITH_TIMEOUT((d.ekle(vt().baskaMasaDegisiklikleriniAl()), d.tumIsler), 2000);
    QVERIFY(d.isler.isEmpty());
    // A server set up before the rows were named tells the table only; its update (run
    // twice: it changes nothing the second time) makes it name the rows.
    sunucudaCalistir("DROP TRIGGER \"IsEklendi\" ON \"YapilacakIslerTablosu\"; "
                     "DROP TRIGGER \"IsGuncellendi\" ON \"YapilacakIslerTablosu\"; "
                     "DROP TRIGGER \"IsSilindi\" ON \"YapilacakIslerTablosu\"; "
                     "CREATE TRIGGER \"IsDegisti\" AFTER INSERT OR UPDATE OR DELETE ON \"YapilacakIslerTablosu\" "
                     "FOR EACH STATEMENT EXECUTE FUNCTION \"ZelvoraBildir\"()");
    baskaMasa->isSil(no);
    d = {};
    QTRY_VERIFY_WITH_TIMEOUT((d.ekle(vt().baskaMasaDegisiklikleriniAl()), d.tumIsler), 2000);
    QFile guncelleme(QStringLiteral(ZELVORA_SATIR_BILDIRIMI_SQL));
    QVERIFY(guncelleme.open(QIODevice::ReadOnly));
    const QByteArray betik = guncelleme.readAll();
    sunucudaCalistir(betik.constData());
    sunucudaCalistir(betik.constData());
    const qint64 son = baskaMasa->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0),
                                          QStringLiteral("üç"), {}, {}, {}, true, false});
    d = {};
    QTRY_VERIFY_WITH_TIMEOUT((d.ekle(vt().baskaMasaDegisiklikleriniAl()), !d.isler.isEmpty()), 2000);
    QCOMPARE(d.isler, QSet<qint64>{son});
    QVERIFY(!d.tumIsler);
    // A desk's own changes are not news to it.
    vt().isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("kendi"), {}, {}, {},
                 true, false});
    QTest::qWait(200);
    QVERIFY(!vt().baskaMasaDegistirdi());
    geldi = false;
    QTRY_VERIFY_WITH_TIMEOUT(geldi = geldi || baskaMasa->baskaMasaDegistirdi(), 2000);
}

void DepoTesti::bildirimYukuCozulur()
{
    Veritabani::Degisiklikler d;
    d.bildirimEkle("YapilacakIslerTablosu INSERT 17,18");
    d.bildirimEkle("OnHatirlatmaTablosu DELETE 5");
    d.bildirimEkle("KlasorBilgileriTablosu UPDATE 2-Anahtar,7-Anahtar");
    QCOMPARE(d.neler, unsigned(Veritabani::IslerDegisti | Veritabani::KlasorlerDegisti));
    QCOMPARE(d.isler, (QSet<qint64>{17, 18}));
    QCOMPARE(d.onHatirlatmalar, QSet<qint64>{5});
    QCOMPARE(d.klasorler, (QSet<QString>{QStringLiteral("2-Anahtar"), QStringLiteral("7-Anahtar")}));
    QVERIFY(!d.tumIsler && !d.tumKlasorler);
    // An older server's bare table name, "*" for too many rows, a key that is no number,
    // or a table we do not know: everything of it counts as changed.
    for (const char *yuk : {"YapilacakIslerTablosu", "YapilacakIslerTablosu DELETE *", "OnHatirlatmaTablosu UPDATE x",
                            "BaskaTablo INSERT 1"}) {
        Veritabani::Degisiklikler t;
        t.bildirimEkle(yuk);
        QVERIFY2(t.tumIsler && t.neler == Veritabani::IslerDegisti, yuk);
    }
    Veritabani::Degisiklikler k;
    k.bildirimEkle("KlasorBilgileriTablosu");
    QVERIFY(k.tumKlasorler && k.neler == Veritabani::KlasorlerDegisti && !k.tumIsler);
}

void DepoTesti::isleriNumarayaGoreGetir()
{
    Veritabani &v = vt();
    const qint64 a = v.isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 9), QTime(10, 0), QStringLiteral("A"), {}, {},
                               {}, true, false});
    const qint64 b = v.isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 1), QTime(), QStringLiteral("B'li"), {}, {},
                               {}, false, true});
    v.isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 2), QTime(), QStringLiteral("C"), {}, {}, {}, false, false});
    // The existing ones of the numbers asked for, whole, in number order; a gone one is
    // simply not there.
    std::vector<IsKaydi> okunan;
    v.isleriGetir({b, 999999, a}, [&](const Veritabani::HamIsSatiri &s) { okunan.push_back(Veritabani::kayit(s)); });
    QCOMPARE(okunan.size(), size_t(2));
    QCOMPARE(okunan[0].isNo, a);
    QCOMPARE(okunan[0].saat, QTime(10, 0));
    QCOMPARE(okunan[1].isNo, b);
    QCOMPARE(okunan[1].konu, QStringLiteral("B'li"));
    QVERIFY(okunan[1].yapildi && !okunan[1].saat.isValid());
    okunan.clear();
    v.isleriGetir({}, [&](const Veritabani::HamIsSatiri &s) { okunan.push_back(Veritabani::kayit(s)); });
    QVERIFY(okunan.empty());
}

void DepoTesti::klasorKurallariTekIslemde()
{
    Veritabani &v = vt();
    // A key the database was given by other means (an older desk, a hand edit: here the
    // cases' 1-Anahtar) is not taken again: the file stores the key proposed, the server
    // allocates its own.
    const QString yeni = v.yeniKlasorEkle(QStringLiteral("Klasor"), QStringLiteral("Yeni Klasör"), QStringLiteral("2-Anahtar"));
    QCOMPARE(yeni, QStringLiteral("2-Anahtar"));
    QCOMPARE(v.klasorAdi(yeni), QStringLiteral("Yeni Klasör"));
    if (sunucu()) {
        // Two desks adding at the same moment never collide, and numbers go on upwards.
        auto baskaMasa = Veritabani::sunucuyaBaglan(m_sunucu);
        QSet<QString> anahtarlar{QStringLiteral("1-Anahtar"), yeni};
        for (int i = 0; i < 5; ++i) {
            anahtarlar.insert(v.yeniKlasorEkle(QStringLiteral("Klasor"), QStringLiteral("A"), QStringLiteral("2-Anahtar")));
            anahtarlar.insert(baskaMasa->yeniKlasorEkle(QStringLiteral("Klasor"), QStringLiteral("B"), QStringLiteral("2-Anahtar")));
        }
        QCOMPARE(anahtarlar.size(), 12);
        for (const QString &a : anahtarlar)
            QVERIFY2(QRegularExpression(QStringLiteral("^[1-9][0-9]*-Anahtar$")).match(a).hasMatch(), qPrintable(a));
        // A parent another desk has deleted takes no folder and no job.
        baskaMasa->klasorEkle({QStringLiteral("90-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Gidecek")});
        baskaMasa->klasorVeIsleriniSil(QStringLiteral("90-Anahtar"));
        for (int adim = 0; adim < 3; ++adim) {
            try {
                if (adim == 0)
                    v.yeniKlasorEkle(QStringLiteral("90-Anahtar"), QStringLiteral("Alt"), QString());
                else if (adim == 1)
                    v.isEkle({0, QStringLiteral("90-Anahtar"), QDate(2026, 5, 1), QTime(9, 0), QStringLiteral("Yetim"), {}, {},
                              {}, true, false});
                else
                    v.isTasi(v.isEkle({0, yeni, QDate(2026, 5, 1), QTime(9, 0), QStringLiteral("Taşınacak"), {}, {}, {},
                                       true, false}),
                             QStringLiteral("90-Anahtar"));
                QFAIL("stored into a deleted folder");
            } catch (const Hata &h) {
                QCOMPARE(h.numara(), HataNo::KlasorYok);
            }
        }
        QCOMPARE(v.isleriListele(QStringLiteral("90-Anahtar"), false, false, QDate()).size(), size_t(0));
        QCOMPARE(v.isleriListele(yeni, false, false, QDate()).size(), size_t(1));
        // A rename of a folder that is gone says so with its own number.
        try {
            v.klasorAdiDegistir(QStringLiteral("90-Anahtar"), QStringLiteral("x"));
            QFAIL("renamed a deleted folder");
        } catch (const Hata &h) {
            QCOMPARE(h.numara(), HataNo::KlasorYok);
        }
    }
    // A folder that holds a sub-folder in the database is not deleted, nor are its jobs,
    // whatever the deleting desk's tree showed.
    const QString alt = v.yeniKlasorEkle(yeni, QStringLiteral("Alt"), QStringLiteral("50-Anahtar"));
    const qint64 is = v.isEkle({0, yeni, QDate(2026, 5, 1), QTime(9, 0), QStringLiteral("Kalan"), {}, {}, {}, true, false});
    try {
        v.klasorVeIsleriniSil(yeni);
        QFAIL("deleted a folder with a sub-folder");
    } catch (const Hata &h) {
        QCOMPARE(h.numara(), HataNo::AltKlasorVar);
        QCOMPARE(h.aciklama(), QStringLiteral("Seçtiğiniz klasörün 'Alt Klasör'leri olduğu için silinemiyor!"));
    }
    QCOMPARE(v.klasorAdi(yeni), QStringLiteral("Yeni Klasör"));
    QCOMPARE(v.is(is).konu, QStringLiteral("Kalan"));
    // The leaf goes, then its parent with its jobs.
    v.klasorVeIsleriniSil(alt);
    v.klasorVeIsleriniSil(yeni);
    QCOMPARE(v.klasorAdi(yeni), QString());
    QCOMPARE(v.is(is).isNo, qint64(0));
}

void DepoTesti::kayitBelirteciIkinciKaydiOnler()
{
    if (!sunucu())
        QSKIP("a file's write has no reply to lose");
    IsKaydi is{0, QStringLiteral("1-Anahtar"), QDate(2026, 5, 1), QTime(9, 0), QStringLiteral("Duruşma"), {}, {}, {}, true, false};
    const QString belirtec = QStringLiteral("5f0c6a0e-8a51-4c1b-9d7e-2a4b8c1d3e6f");
    const qint64 ilk = vt().isEkle(is, belirtec);
    // The reply was lost; the user presses "Kaydet" again, maybe after a correction.
    is.yer = QStringLiteral("Adliye");
    QCOMPARE(vt().isEkle(is, belirtec), ilk);
    const auto isler = vt().isleriListele(QString(), true, false, QDate());
    QCOMPARE(isler.size(), size_t(1));
    QCOMPARE(isler[0].yer, QStringLiteral("Adliye"));
    // Rows without a token (other programs) and other tokens are stored as they come.
    vt().isEkle(is);
    vt().isEkle(is);
    QVERIFY(vt().isEkle(is, QStringLiteral("6f0c6a0e-8a51-4c1b-9d7e-2a4b8c1d3e6f")) != ilk);
    QCOMPARE(vt().isleriListele(QString(), true, false, QDate()).size(), size_t(4));
}

void DepoTesti::ertelemeYapilmisIsiDegistirmez()
{
    const qint64 a = ekle(QStringLiteral("Ertelenecek"), {}, {});
    const qint64 b = ekle(QStringLiteral("Yapılmış"), {}, {});
    vt().isYapildiIsaretle(b); // another desk settled it
    QVERIFY(vt().isZamaniniDegistir(a, QDate(2026, 5, 1), QTime(10, 15)));
    QVERIFY(!vt().isZamaniniDegistir(b, QDate(2026, 5, 1), QTime(10, 15)));
    QVERIFY(!vt().isZamaniniDegistir(999999, QDate(2026, 5, 1), QTime(10, 15)));
    QCOMPARE(vt().is(a).saat, QTime(10, 15));
    QCOMPARE(vt().is(b).saat, QTime(10, 0));
    QVERIFY(vt().is(b).yapildi);
}

QTEST_MAIN(DepoTesti)
#include "tst_Depo.moc"

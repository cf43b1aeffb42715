// The reminder horizon: reminders that fell due while no scan could show them (program
// closed, machine asleep, reminder window open across midnight) are listed by the next
// scan with their own date; nothing older than the horizon, and nothing older than
// today without one.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Ufuk.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/HatirlatmaFormu.h"
#include "ui/AnaForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <sqlite3.h>

#include <cstring>

using namespace Zelvora;

namespace {

const QString Klasor = QStringLiteral("1-Anahtar");
const QDate Bugun(2026, 12, 7);
const QDate Yarin = Bugun.addDays(1);

QDateTime an(QDate gun, int saat, int dakika, int saniye = 0)
{
    return QDateTime(gun, QTime(saat, dakika, saniye));
}

} // namespace

class HatirlatmaUfkuTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void bosTaramaIlerletirSonucsuzKapatmaKorur();
    void uyanincaVeYenidenBaslayincaKacanlarTarihleriyleGelir();
    void ufuksuzVeBozukUfuktaBugundenEskisiYok();
    void geceYarisindanHemenOnceGecmisSaatliEklenenIsKaybolmaz();
    void taramayiTarihSaatDiziniKarsilar();
    void geriKalanSaatUfkuGeriAlmaz();

private:
    Veritabani *vt() { return &Veritabani::acik(); }
    qint64 isEkle(QDate t, QTime s, const QString &konu, bool hatirlat = true, bool yapildi = false)
    {
        return vt()->isEkle({0, Klasor, t, s, konu, {}, {}, {}, hatirlat, yapildi});
    }
    QString ufuk() { return Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::HatirlatmaUfku, QStringLiteral("<yok>")); }
    // Rows as "date time subject".
    static QStringList satirlar(HatirlatmaFormu *f)
    {
        QStringList l;
        const IsSatiriModeli *m = Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->model();
        for (int i = 0; i < m->rowCount(); ++i)
            l << m->hucreMetni(i, IsSatiriModeli::Tarihi) + QLatin1Char(' ') + m->hucreMetni(i, IsSatiriModeli::Saati)
                    + QLatin1Char(' ') + m->hucreMetni(i, IsSatiriModeli::Konusu);
        return l;
    }
    // One tick; eylem acts on the reminder window while the tick waits in it, and the
    // rows it showed are returned (empty when no window came).
    QStringList tikla(AnaForm &ana, const std::function<void(HatirlatmaFormu *)> &eylem = {})
    {
        auto gorulen = std::make_shared<QStringList>();
        auto bekliyor = std::make_shared<bool>(true);
        Test::modalGelince([=, this](QWidget *w) {
            if (!*bekliyor)
                return;
            auto *f = qobject_cast<HatirlatmaFormu *>(w);
            QPointer<QWidget> p = w;
            if (f) {
                *gorulen = satirlar(f);
                if (eylem)
                    eylem(f);
            }
            if (p && p->isVisible()) { // left open by the action: closed unresolved
                ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
                if (f)
                    Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
                if (p && p->isVisible())
                    p->hide();
            }
        });
        ana.YapilacakIsKontrolu_Timer();
        *bekliyor = false;
        return *gorulen;
    }
    static void sonuclandir(HatirlatmaFormu *f, int satir, int sonuc)
    {
        Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSec(satir);
        Test::denetim<QRadioButton>(f, QByteArray("IsSonucuSecenekleri" + QByteArray::number(sonuc)).constData())->click();
        Test::denetim<QPushButton>(f, "OnaylaDugmesi")->click();
    }

    std::unique_ptr<Test::Ortam> ortam;
};

void HatirlatmaUfkuTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
    vt()->klasorEkle({Klasor, KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
}

void HatirlatmaUfkuTesti::cleanup()
{
    ortam.reset();
}

void HatirlatmaUfkuTesti::bosTaramaIlerletirSonucsuzKapatmaKorur()
{
    const qint64 a = isEkle(Bugun, QTime(14, 40), QStringLiteral("öğleden sonra"));
    const qint64 b = isEkle(Bugun, QTime(23, 59), QStringLiteral("gece"));
    ortam->saat->an = an(Bugun, 14, 35, 20);
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();

    // A scan that finds nothing moves the horizon to its minute.
    QVERIFY(tikla(ana).isEmpty());
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 14:35:00"));

    // A window closed with its row unresolved keeps it.
    ortam->saat->an = an(Bugun, 14, 41, 10);
    QCOMPARE(tikla(ana), QStringList{QStringLiteral("07.12.2026 14:40:00 öğleden sonra")});
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 14:35:00"));

    // Shown at 23:58 and settled after midnight: the horizon goes to the moment of the
    // listing, not of the close, so the 23:59 job that fell due meanwhile is not lost.
    ortam->saat->an = an(Bugun, 23, 58, 30);
    QCOMPARE(tikla(ana, [&](HatirlatmaFormu *f) {
                 ortam->saat->an = an(Yarin, 0, 1, 0);
                 sonuclandir(f, 0, 0);
                 QVERIFY(!f->isVisible());
             }),
             QStringList{QStringLiteral("07.12.2026 14:40:00 öğleden sonra")});
    QVERIFY(vt()->is(a).yapildi);
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 23:58:00"));

    // Yesterday's job comes with its date; closed unresolved it comes again.
    ortam->saat->an = an(Yarin, 0, 1, 32);
    QCOMPARE(tikla(ana), QStringList{QStringLiteral("07.12.2026 23:59:00 gece")});
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 23:58:00"));
    ortam->saat->an = an(Yarin, 0, 2, 10);
    QString baslik;
    QCOMPARE(tikla(ana, [&](HatirlatmaFormu *f) {
                 baslik = Test::denetim<QLabel>(f, "Etiket0")->text();
                 sonuclandir(f, 0, 1); // postponed: 15 minutes from now, today
             }),
             QStringList{QStringLiteral("07.12.2026 23:59:00 gece")});
    QCOMPARE(baslik, HatirlatmaFormu::baslikMetni(1));
    QCOMPARE(vt()->is(b).tarih, Yarin);
    QCOMPARE(vt()->is(b).saat, QTime(0, 17, 10));
    QCOMPARE(ufuk(), QStringLiteral("2026-12-08 00:02:00"));
    ortam->saat->an = an(Yarin, 0, 2, 45);
    QVERIFY(tikla(ana).isEmpty());
}

void HatirlatmaUfkuTesti::uyanincaVeYenidenBaslayincaKacanlarTarihleriyleGelir()
{
    isEkle(Bugun.addDays(-1), QTime(23, 59), QStringLiteral("evvelsi"));
    const qint64 aksam = isEkle(Bugun, QTime(20, 0), QStringLiteral("akşam"));
    isEkle(Bugun, QTime(21, 0), QStringLiteral("yapılmış"), true, true);
    isEkle(Bugun, QTime(22, 0), QStringLiteral("hatırlatmasız"), false);
    isEkle(Yarin, QTime(7, 30), QStringLiteral("sabah"));
    isEkle(Yarin, QTime(9, 0), QStringLiteral("sonra"));

    ortam->saat->an = an(Bugun, 18, 0, 30);
    auto ana = std::make_unique<AnaForm>(false);
    // The first scan comes a few seconds after loading.
    QVERIFY(Test::denetim<QTimer>(ana.get(), "YapilacakIsKontrolu")->isActive());
    QCOMPARE(Test::denetim<QTimer>(ana.get(), "YapilacakIsKontrolu")->interval(), AnaForm::IlkTaramaGecikmesiMs);
    Test::denetim<QTimer>(ana.get(), "YapilacakIsKontrolu")->stop();
    QVERIFY(tikla(*ana).isEmpty());
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 18:00:00"));

    // The machine sleeps through the evening; the first tick after waking lists the
    // evening's job with its date, and this morning's, in date and time order. Yesterday's
    // 23:59 job lies before the horizon and is not listed.
    ortam->saat->an = an(Yarin, 8, 0, 10);
    QCOMPARE(tikla(*ana, [&](HatirlatmaFormu *f) { sonuclandir(f, 0, 1); }),
             (QStringList{QStringLiteral("07.12.2026 20:00:00 akşam"), QStringLiteral("08.12.2026 07:30:00 sabah")}));
    QCOMPARE(vt()->is(aksam).tarih, Yarin);
    QCOMPARE(vt()->is(aksam).saat, QTime(8, 15, 10));
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 18:00:00")); // "sabah" was left

    // The program ends and starts again: its first scan shows what is still open.
    ana.reset();
    ortam->saat->an = an(Yarin, 8, 16, 0);
    ana = std::make_unique<AnaForm>(false);
    Test::denetim<QTimer>(ana.get(), "YapilacakIsKontrolu")->stop();
    QCOMPARE(tikla(*ana, [&](HatirlatmaFormu *f) {
                 sonuclandir(f, 0, 0);
                 sonuclandir(f, 0, 2);
             }),
             (QStringList{QStringLiteral("08.12.2026 07:30:00 sabah"), QStringLiteral("08.12.2026 08:15:10 akşam")}));
    QCOMPARE(ufuk(), QStringLiteral("2026-12-08 08:16:00"));
    QVERIFY(!ana->hatirlatmaFormuVar());
}

void HatirlatmaUfkuTesti::ufuksuzVeBozukUfuktaBugundenEskisiYok()
{
    isEkle(Bugun.addDays(-1), QTime(23, 59), QStringLiteral("dün gece"));
    isEkle(Bugun.addDays(-3), QTime(10, 0), QStringLiteral("geçen hafta"));
    isEkle(Bugun, QTime(0, 0), QStringLiteral("gece yarısı"));
    ortam->saat->an = an(Bugun, 0, 0, 5);
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    // First start of this version (or a new database): nothing older than today.
    const QStringList beklenen{QStringLiteral("07.12.2026 00:00:00 gece yarısı")};
    QCOMPARE(tikla(ana), beklenen);
    // The end of yesterday it used is stored at once, though the window was left unsettled.
    QCOMPARE(ufuk(), QStringLiteral("2026-12-06 23:59:59"));
    // A stored text that is not a date and time counts as none.
    for (const QString &bozuk : {QStringLiteral("dün akşam"), QStringLiteral("2026-02-30 10:00:00"),
                                 QStringLiteral("2026-12-06T10:00:00")}) {
        Ayarlar::yaz(AyarAdi::HatirlatmaUfku, bozuk);
        QCOMPARE(tikla(ana), beklenen);
        QCOMPARE(ufuk(), QStringLiteral("2026-12-06 23:59:59"));
    }
    // A horizon hours after the scan (written while the clock ran ahead) hides no job of
    // today, and counts as none: replaced by the end of yesterday, it no longer hides
    // today's jobs once the day is over.
    Ayarlar::yaz(AyarAdi::HatirlatmaUfku, QStringLiteral("2026-12-07 06:00:00"));
    QCOMPARE(tikla(ana), beklenen);
    QCOMPARE(ufuk(), QStringLiteral("2026-12-06 23:59:59"));
    ortam->saat->an = an(Yarin, 0, 0, 30);
    QCOMPARE(tikla(ana), beklenen);

    // None stored (first start of this version): every window of the evening left
    // unsettled, yet the evening's job comes up after midnight.
    isEkle(Yarin, QTime(23, 50), QStringLiteral("akşam"));
    Ayarlar::bolumAnahtariniSil(AyarAdi::Ayarlar, AyarAdi::HatirlatmaUfku);
    ortam->saat->an = an(Yarin, 23, 55, 10);
    QCOMPARE(tikla(ana), QStringList{QStringLiteral("08.12.2026 23:50:00 akşam")});
    ortam->saat->an = an(Yarin.addDays(1), 0, 0, 30);
    QCOMPARE(tikla(ana), QStringList{QStringLiteral("08.12.2026 23:50:00 akşam")});
    ortam->saat->an = an(Bugun, 0, 0, 5);
    // The horizon itself was covered by its scan; a second after it is not (a postponed
    // time has seconds).
    isEkle(Bugun.addDays(-1), QTime(23, 58, 0), QStringLiteral("sınırda"));
    isEkle(Bugun.addDays(-1), QTime(23, 58, 30), QStringLiteral("saniyeli"));
    std::vector<IsKaydi> l = vt()->hatirlatilacakIsler(Bugun, QTime(0, 0, 40), Bugun.addDays(-1), QTime(23, 58));
    QCOMPARE(l.size(), size_t(3));
    QCOMPARE(l[0].konu, QStringLiteral("saniyeli"));
    QCOMPARE(l[1].konu, QStringLiteral("dün gece"));
    QCOMPARE(l[2].konu, QStringLiteral("gece yarısı"));
    // Read apart, an hour that daylight saving skips is still a valid horizon.
    QCOMPARE(Ufuk::coz(QStringLiteral("2026-03-29 02:30:00")).time(), QTime(2, 30));
}

void HatirlatmaUfkuTesti::geceYarisindanHemenOnceGecmisSaatliEklenenIsKaybolmaz()
{
    ortam->saat->an = an(Bugun, 23, 59, 20);
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    QVERIFY(tikla(ana).isEmpty());
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 23:59:00"));

    // At 23:59:40 the user enters a job of today at 23:30 and confirms the past time; the
    // next scan comes after midnight.
    ortam->saat->an = an(Bugun, 23, 59, 40);
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(Klasor));
    IsEklemeDegistirmeFormu *e = ana.isFormu();
    e->ekle(ana.seciliAnahtar(), e->windowTitle());
    Test::denetim<QCheckBox>(e, "HatirlatmaVarOnayi")->setChecked(true);
    Test::denetim<QLineEdit>(e, "IsinTarihiKutusu")->setText(QStringLiteral("07.12.2026"));
    Test::denetim<QComboBox>(e, "SaatKutusu")->setCurrentIndex(23);
    Test::denetim<QComboBox>(e, "DakikaKutusu")->setCurrentIndex(30);
    // The save applies the subject's leave rules too, capitals among them.
    Test::denetim<QComboBox>(e, "IsinKonusuKutusu")->setEditText(QStringLiteral("Geç kalan"));
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    Test::denetim<QPushButton>(e, "KaydetDugmesi")->click();
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("GEÇMİŞ ZAMANLI iş girmek istiyor musunuz?")});
    delete e;

    ortam->saat->an = an(Yarin, 0, 0, 12);
    QCOMPARE(tikla(ana, [&](HatirlatmaFormu *f) { sonuclandir(f, 0, 0); }),
             QStringList{QStringLiteral("07.12.2026 23:30:00 Geç Kalan")});
    QCOMPARE(ufuk(), QStringLiteral("2026-12-08 00:00:00"));
    // A job entered afterwards for an earlier day stays unreminded, as before.
    isEkle(Bugun, QTime(23, 45), QStringLiteral("dünün kaydı"));
    ortam->saat->an = an(Yarin, 0, 0, 50);
    QVERIFY(tikla(ana).isEmpty());
}

void HatirlatmaUfkuTesti::taramayiTarihSaatDiziniKarsilar()
{
    Ayarlar::yaz(AyarAdi::HatirlatmaUfku, QStringLiteral("2026-12-01 12:00:00"));
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    // The statements the scan prepares, caught as they run.
    QStringList sorgular;
    sqlite3 *db = vt()->tutamak();
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT,
                     [](unsigned, void *k, void *p, void *) {
                         const char *sql = sqlite3_sql(static_cast<sqlite3_stmt *>(p));
                         if (sql && std::strstr(sql, "Hatirlatma=1"))
                             static_cast<QStringList *>(k)->append(QString::fromUtf8(sql));
                         return 0;
                     },
                     &sorgular);
    ana.HatirlatilacakIsleriListele();
    sqlite3_trace_v2(db, 0, nullptr, nullptr);
    // The jobs' query, then the advance warnings' one.
    QCOMPARE(sorgular.size(), 2);
    QVERIFY(sorgular.at(1).contains(QStringLiteral("OnHatirlatmaTablosu")));
    {
        // The warnings' query reads the jobs through an index, never the whole table.
        Sqlite::Deyim st(db, (QStringLiteral("EXPLAIN QUERY PLAN ") + sorgular.at(1)).toUtf8());
        QStringList plan;
        while (st.adim())
            plan << st.metin(3);
        QVERIFY2(!plan.join(QLatin1Char('\n')).contains(QStringLiteral("SCAN YapilacakIslerTablosu")),
                 qPrintable(plan.join(QLatin1Char('\n'))));
    }

    Sqlite::Deyim st(db, (QStringLiteral("EXPLAIN QUERY PLAN ") + sorgular.first()).toUtf8());
    QStringList plan;
    while (st.adim())
        plan << st.metin(3);
    // One range of the (date, time) index, already in the listed order: no table scan,
    // no sorting.
    QCOMPARE(plan.size(), 1);
    QVERIFY2(plan.first().startsWith(QStringLiteral("SEARCH YapilacakIslerTablosu USING INDEX IsTarihSaatDizini")),
             qPrintable(plan.first()));
}

QTEST_MAIN(HatirlatmaUfkuTesti)
void HatirlatmaUfkuTesti::geriKalanSaatUfkuGeriAlmaz()
{
    isEkle(Bugun.addDays(-200), QTime(10, 0), QStringLiteral("geçen bahar"));
    isEkle(Bugun.addDays(-3), QTime(10, 0), QStringLiteral("geçen hafta"));
    isEkle(Bugun, QTime(9, 0), QStringLiteral("sabah"));
    ortam->saat->an = an(Bugun, 8, 0, 10);
    auto ana = std::make_unique<AnaForm>(false);
    Test::denetim<QTimer>(ana.get(), "YapilacakIsKontrolu")->stop();
    QVERIFY(tikla(*ana).isEmpty());
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 08:00:00"));

    // A start with the clock 400 days behind: that day's scans, and a job written for
    // that day, leave the horizon where it was.
    ana.reset();
    const QDate geride = Bugun.addDays(-400);
    ortam->saat->an = an(geride, 12, 0, 10);
    ana = std::make_unique<AnaForm>(false);
    Test::denetim<QTimer>(ana.get(), "YapilacakIsKontrolu")->stop();
    QVERIFY(tikla(*ana).isEmpty());
    Ufuk::isYazildi(geride, QTime(11, 0), true, false, ortam->saat->an);
    ortam->saat->an = an(geride, 12, 1, 0);
    QVERIFY(tikla(*ana).isEmpty());
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 08:00:00"));

    // The clock set right: no reminder of the year in between, and today's in its minute.
    ana.reset();
    ortam->saat->an = an(Bugun, 8, 30, 0);
    ana = std::make_unique<AnaForm>(false);
    Test::denetim<QTimer>(ana.get(), "YapilacakIsKontrolu")->stop();
    QVERIFY(tikla(*ana).isEmpty());
    QCOMPARE(ufuk(), QStringLiteral("2026-12-07 08:30:00"));
    ortam->saat->an = an(Bugun, 9, 0, 5);
    QCOMPARE(tikla(*ana), QStringList{QStringLiteral("07.12.2026 09:00:00 sabah")});
}

#include "tst_HatirlatmaUfku.moc"

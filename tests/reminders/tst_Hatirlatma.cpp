// The reminder scan and the reminder window, on a fixed clock and a real database.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/HatirlatmaFormu.h"
#include "reminders/SesAlarmi.h"
#include "ui/AnaForm.h"
#include "ui/BildirimAlani.h"
#include "ui/OrtakDenetimler.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSoundEffect>
#include <QTimeZone>
#include <QTimer>
#include <QtTest>

using namespace Zelvora;

namespace {

const QString Klasor = QStringLiteral("1-Anahtar");
const QDate Bugun(2026, 12, 7);

QDateTime an(int saat, int dakika, int saniye = 0, QDate gun = Bugun)
{
    return QDateTime(gun, QTime(saat, dakika, saniye));
}

// Watches for any modal window while it lives; one that comes up is recorded and hidden,
// so a wrong window never blocks the test.
class ModalNobetcisi {
public:
    ModalNobetcisi()
    {
        m_sayac.setInterval(5);
        QObject::connect(&m_sayac, &QTimer::timeout, &m_sayac, [this] {
            if (QWidget *w = QApplication::activeModalWidget(); w && w->isVisible()) {
                ++goruldu;
                w->hide();
            }
        });
        m_sayac.start();
    }
    int goruldu = 0;

private:
    QTimer m_sayac;
};

} // namespace

class HatirlatmaTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void vadeKuraliVeSiralama();
    void bosTaramaPencereAcmaz();
    void taramaPencereyiGosterirVeKapaninca32SaniyeSonraTekrarlar();
    void arkaplanKapaliykenSimgeyeDokunulmaz();
    void kapatmaSorusunaHayirPencereyiSessizTutar();
    void secenekVeOnayKurallari();
    void onaydanSonraSatirSecimi();
    void onbesDakikaErteleme();
    void geceYarisinaYakinErtelemeErtesiGune();
    void sesliUyariDurdurulur();
    void sesliUyariKapaliysaCalmaz();
    void herZamanUstteAyari();
    void degistirPenceresiVeYenidenListeleme();
    void sutunDuzeniKaydedilirVeYuklenir();
    void gercekAlarmDosyasizCalmaz();
    void baskaPencereAcikkenDeTaranir();
    void acikDuzenleyiciHatirlatmaSonucunuBozmaz();
    void taramaAdimindaZamanlayiciKurulu();
    void yazSaatiDonusundeErtelemeSonrayaKalir();
    void baskaYerdeSonuclananSatirCikar();

private:
    Veritabani *vt() { return &Veritabani::acik(); }
    qint64 isEkle(QDate t, QTime s, const QString &konu, bool hatirlat = true, bool yapildi = false)
    {
        return vt()->isEkle({0, Klasor, t, s, konu, QStringLiteral("Yer"), QStringLiteral("12"),
                             konu + QStringLiteral(" açıklaması"), hatirlat, yapildi});
    }
    QStringList konular(HatirlatmaFormu *f)
    {
        QStringList l;
        for (int i = 0; i < Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(); ++i)
            l << Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->model()->hucreMetni(i, IsSatiriModeli::Konusu);
        return l;
    }
    // Runs one tick; eylem acts on the reminder window while the tick waits in it. The
    // window is hidden afterwards if the action left it open, so a failure never hangs.
    bool tikla(AnaForm &ana, const std::function<void(HatirlatmaFormu *)> &eylem)
    {
        auto durum = std::make_shared<std::pair<bool, bool>>(true, false); // (waiting, came)
        Test::modalGelince([durum, &eylem](QWidget *w) {
            if (!durum->first)
                return; // a window of a later step
            durum->second = true;
            auto *f = qobject_cast<HatirlatmaFormu *>(w);
            QPointer<QWidget> p = w;
            if (f)
                eylem(f);
            else
                QWARN("the modal window is not the reminder window");
            if (p && p->isVisible())
                p->hide();
        });
        ana.YapilacakIsKontrolu_Timer();
        durum->first = false;
        return durum->second;
    }
    // The reminder window shown without a tick (its activation runs as on a tick).
    HatirlatmaFormu *goster(AnaForm &ana)
    {
        ana.HatirlatilacakIsleriListele();
        HatirlatmaFormu *f = ana.hatirlatmaFormu();
        f->show();
        return f;
    }
    bool enUstte(const QWidget *w) const { return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

    std::unique_ptr<Test::Ortam> ortam;
};

void HatirlatmaTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
    vt()->klasorEkle({Klasor, KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
}

void HatirlatmaTesti::cleanup()
{
    ortam.reset();
}

void HatirlatmaTesti::vadeKuraliVeSiralama()
{
    isEkle(Bugun, QTime(14, 35), QStringLiteral("tam"));
    isEkle(Bugun, QTime(11, 15), QStringLiteral("öğle"));
    isEkle(Bugun, QTime(9, 30), QStringLiteral("sabah"));
    isEkle(Bugun, QTime(14, 36), QStringLiteral("sonra"));
    isEkle(Bugun.addDays(-1), QTime(10, 0), QStringLiteral("dün"));
    isEkle(Bugun.addDays(1), QTime(8, 0), QStringLiteral("yarın"));
    isEkle(Bugun, QTime(8, 0), QStringLiteral("yapıldı"), true, true);
    isEkle(Bugun, QTime(8, 0), QStringLiteral("kapalı"), false, false);
    AnaForm ana(false);

    ortam->saat->an = an(14, 34, 59);
    ana.HatirlatilacakIsleriListele();
    HatirlatmaFormu *f = ana.hatirlatmaFormu();
    QVERIFY(!f->isVisible());
    QCOMPARE(konular(f), (QStringList{QStringLiteral("sabah"), QStringLiteral("öğle")}));

    // From hh:mm:00 of its minute on, the job is due; earlier days, done jobs and jobs
    // without reminder never are. The list is rebuilt, not appended to.
    ortam->saat->an = an(14, 35, 0);
    ana.HatirlatilacakIsleriListele();
    QCOMPARE(ana.hatirlatmaFormu(), f);
    QCOMPARE(konular(f), (QStringList{QStringLiteral("sabah"), QStringLiteral("öğle"), QStringLiteral("tam")}));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->model()->simge(i), int(IsSatiriModeli::HatirlatSimgesi));
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->model()->hucreMetni(0, IsSatiriModeli::Tarihi), QStringLiteral("07.12.2026"));
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->model()->hucreMetni(0, IsSatiriModeli::Saati), QStringLiteral("09:30:00"));
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->seciliSatir(), 0);
    QCOMPARE(Test::denetim<QPlainTextEdit>(f, "AciklamaKutusu")->toPlainText(), QStringLiteral("sabah açıklaması"));

    ortam->saat->an = an(23, 59, 59);
    ana.HatirlatilacakIsleriListele();
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(), 4);
    ortam->saat->an = an(0, 0, 0, Bugun.addDays(1));
    ana.HatirlatilacakIsleriListele();
    // None of the day's scans found its jobs settled: after midnight they are still due,
    // while the day before the first scan's stays out.
    QCOMPARE(konular(f), (QStringList{QStringLiteral("sabah"), QStringLiteral("öğle"), QStringLiteral("tam"),
                                      QStringLiteral("sonra")}));
}

void HatirlatmaTesti::bosTaramaPencereAcmaz()
{
    isEkle(Bugun, QTime(14, 36), QStringLiteral("sonra"));
    AnaForm ana(false);
    const bool simgeVardi = ana.bildirimAlani() && ana.bildirimAlani()->gorunur();
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    {
        ModalNobetcisi nobetci;
        ana.YapilacakIsKontrolu_Timer();
        QTest::qWait(30);
        QCOMPARE(nobetci.goruldu, 0);
    }
    QCOMPARE(Test::denetim<IsListesi>(ana.hatirlatmaFormu(), "YapilacakIslerListesi")->satirSayisi(), 0);
    QVERIFY(Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->isActive());
    QCOMPARE(Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->interval(), 32000);
    QCOMPARE(ortam->alarm->baslatmaSayisi, 0);
    QCOMPARE(ana.bildirimAlani() && ana.bildirimAlani()->gorunur(), simgeVardi);
}

void HatirlatmaTesti::taramaPencereyiGosterirVeKapaninca32SaniyeSonraTekrarlar()
{
    const qint64 a = isEkle(Bugun, QTime(14, 0), QStringLiteral("birinci"));
    isEkle(Bugun, QTime(14, 35), QStringLiteral("ikinci"));
    Tercihler::ArkaplandaCalissin = 1;
    AnaForm ana(false);
    QVERIFY(ana.bildirimAlani() && ana.bildirimAlani()->gorunur());
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();

    bool simgeSilinmisti = false;
    bool ikinciTikBeklemedi = false;
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        QVERIFY(f->isModal());
        QCOMPARE(f->parentWidget(), static_cast<QWidget *>(&ana));
        QCOMPARE(f->windowTitle(), QStringLiteral("Hatırlatılacak İşler"));
        QCOMPARE(Test::denetim<QLabel>(f, "Etiket0")->text(), QStringLiteral("Aşağıda \"şimdi\" yapmak için planladığınız (2) adet iş var!"));
        QCOMPARE(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0")->text(), QStringLiteral("İş y&apıldı "));
        QCOMPARE(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri1")->text(), QStringLiteral("&15 dakika ertelensin "));
        QCOMPARE(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri2")->text(), QStringLiteral("&Tekrar hatırlatılmasın "));
        QVERIFY(Test::denetim<QPushButton>(f, "YazdirDugmesi")->isEnabled());
        QVERIFY(!Test::denetim<QLabel>(f, "SimgeKutusu")->pixmap().isNull());
        QVERIFY(ortam->alarm->caliyor);
        QCOMPARE(ortam->alarm->sonDosya, ortam->programKlasoru() + QStringLiteral("Alarm.wav"));
        simgeSilinmisti = !ana.bildirimAlani()->gorunur();
        // A tick while the window is up only re-arms the timer.
        ana.YapilacakIsKontrolu_Timer();
        ikinciTikBeklemedi = QApplication::activeModalWidget() == f && Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->isActive();
        Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        QTest::keyClick(f, Qt::Key_Escape);
        QVERIFY(!f->isVisible());
    }));
    QVERIFY(simgeSilinmisti);
    QVERIFY(ikinciTikBeklemedi);
    QCOMPARE(ortam->mesajlar->metinler(),
             QStringList{QStringLiteral("Şimdi bu pencereyi kapatırsanız listedeki işler (30) saniye sonra tekrar "
                                        "hatırlatılacak!\r\nListedeki işleri sonuçlandırmadan çıkmak istiyor musunuz?")});
    QVERIFY(ortam->mesajlar->gosterilenler.first().simge == MesajSimgesi::Soru);
    QVERIFY(!ortam->alarm->caliyor);
    QVERIFY(ana.bildirimAlani()->gorunur());
    QVERIFY(!ana.hatirlatmaFormuVar()); // unloaded; the next scan builds it anew
    QVERIFY(Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->isActive());
    QCOMPARE(Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->interval(), 32000);
    QCOMPARE(vt()->is(a).yapildi, false);

    // The next tick finds the same jobs, with the alarm again.
    ortam->saat->an = an(14, 35, 52);
    ortam->mesajlar->temizle();
    QStringList tekrar;
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        tekrar = konular(f);
        QVERIFY(ortam->alarm->caliyor);
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
    }));
    QCOMPARE(tekrar, (QStringList{QStringLiteral("birinci"), QStringLiteral("ikinci")}));
    QCOMPARE(ortam->alarm->baslatmaSayisi, 2);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
}

void HatirlatmaTesti::arkaplanKapaliykenSimgeyeDokunulmaz()
{
    isEkle(Bugun, QTime(14, 0), QStringLiteral("iş"));
    Ayarlar::yaz(AyarAdi::ArkaplandaCalissin, QStringLiteral("0"));
    Tercihler::yukle();
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
    }));
    QVERIFY(!ana.bildirimAlani());
}

void HatirlatmaTesti::kapatmaSorusunaHayirPencereyiSessizTutar()
{
    isEkle(Bugun, QTime(14, 0), QStringLiteral("iş"));
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    bool acikKaldi = false;
    bool sessiz = false;
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
        Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
        QTest::qWait(20);
        acikKaldi = f->isVisible() && QApplication::activeModalWidget() == f;
        sessiz = !ortam->alarm->caliyor;
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        f->close(); // the close box asks as well
    }));
    QVERIFY(acikKaldi);
    QVERIFY(sessiz);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 2);
}

void HatirlatmaTesti::secenekVeOnayKurallari()
{
    const qint64 a = isEkle(Bugun, QTime(9, 0), QStringLiteral("a"));
    const qint64 b = isEkle(Bugun, QTime(10, 0), QStringLiteral("b"));
    const qint64 c = isEkle(Bugun, QTime(11, 0), QStringLiteral("c"));
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(Klasor));
    ana.KlasorListesi_NodeClick(ana.seciliDugum());
    IsSatiriModeli *anaListe = Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->model();
    QCOMPARE(anaListe->rowCount(), 3);

    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        for (const char *ad : {"IsSonucuSecenekleri0", "IsSonucuSecenekleri1", "IsSonucuSecenekleri2"})
            QVERIFY(!Test::denetim<QRadioButton>(f, ad)->isChecked());
        QVERIFY(!Test::denetim<QPushButton>(f, "OnaylaDugmesi")->isEnabled());
        QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
        QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(), 3);

        QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0"), Qt::LeftButton);
        QVERIFY(Test::denetim<QPushButton>(f, "OnaylaDugmesi")->isEnabled());
        // Enter in the list settles nothing.
        Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->setFocus();
        QTest::keyClick(Test::denetim<IsListesi>(f, "YapilacakIslerListesi"), Qt::Key_Return);
        QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(), 3);
        QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
        QCOMPARE(konular(f), (QStringList{QStringLiteral("b"), QStringLiteral("c")}));
        QCOMPARE(f->seciliIsNo(), a);
        QCOMPARE(Test::denetim<QLabel>(f, "Etiket0")->text(), HatirlatmaFormu::baslikMetni(2));
        // The main list is refreshed after every confirmation.
        QCOMPARE(anaListe->simge(anaListe->satirBul(a)), int(IsSatiriModeli::YapildiSimgesi));

        // The chosen outcome stays for the following rows.
        QVERIFY(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0")->isChecked());
        QVERIFY(Test::denetim<QPushButton>(f, "OnaylaDugmesi")->isEnabled());
        QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri2"), Qt::LeftButton);
        QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
        QCOMPARE(konular(f), QStringList{QStringLiteral("c")});

        QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0"), Qt::LeftButton);
        QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
        QVERIFY(!f->isVisible()); // the last row closes the window
    }));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty()); // ...without the question
    QVERIFY(vt()->is(a).yapildi && vt()->is(a).hatirlatma);
    QVERIFY(!vt()->is(b).yapildi && !vt()->is(b).hatirlatma);
    QVERIFY(vt()->is(c).yapildi);
    QCOMPARE(anaListe->simge(anaListe->satirBul(b)), int(IsSatiriModeli::HatirlatmaSimgesi));
    QCOMPARE(anaListe->simge(anaListe->satirBul(c)), int(IsSatiriModeli::YapildiSimgesi));
    QVERIFY(!ortam->alarm->caliyor);
}

void HatirlatmaTesti::onaydanSonraSatirSecimi()
{
    for (int i = 1; i <= 5; ++i)
        isEkle(Bugun, QTime(8 + i, 0), QString::number(i));
    AnaForm ana(false);
    HatirlatmaFormu *f = goster(ana);
    QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0"), Qt::LeftButton);

    Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSec(2);
    QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->seciliSatir(), 1);
    QCOMPARE(OrtakDegiskenler::SeciliSatir, qint16(2));
    QCOMPARE(Test::denetim<QPlainTextEdit>(f, "AciklamaKutusu")->toPlainText(), QStringLiteral("2 açıklaması"));

    Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSec(0);
    QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
    QCOMPARE(konular(f), (QStringList{QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("5")}));
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->seciliSatir(), 0);
    QCOMPARE(OrtakDegiskenler::SeciliSatir, qint16(1));
    QCOMPARE(Test::denetim<QPlainTextEdit>(f, "AciklamaKutusu")->toPlainText(), QStringLiteral("2 açıklaması"));

    // A click on a row shows its description.
    const QRect r = Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->visualRect(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->model()->index(2, 2));
    QTest::mouseClick(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(Test::denetim<QPlainTextEdit>(f, "AciklamaKutusu")->toPlainText(), QStringLiteral("5 açıklaması"));
    f->hide();
}

void HatirlatmaTesti::onbesDakikaErteleme()
{
    const qint64 no = isEkle(Bugun, QTime(14, 30), QStringLiteral("ertele"));
    AnaForm ana(false);
    ortam->saat->an = an(14, 35, 20);
    HatirlatmaFormu *f = goster(ana);
    QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri1"), Qt::LeftButton);
    QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
    QVERIFY(!ana.hatirlatmaFormu()->isVisible());
    const IsKaydi k = vt()->is(no);
    QCOMPARE(k.tarih, Bugun);
    QCOMPARE(k.saat, QTime(14, 50, 20));
    QVERIFY(k.hatirlatma && !k.yapildi);

    const std::pair<QDateTime, int> taramalar[] = {
        {an(14, 50, 0), 0}, {an(14, 50, 59), 0}, {an(14, 51, 0), 1}, {an(18, 0, 0), 1}};
    for (const auto &[zaman, beklenen] : taramalar) {
        ortam->saat->an = zaman;
        ana.HatirlatilacakIsleriListele();
        QVERIFY2(Test::denetim<IsListesi>(ana.hatirlatmaFormu(), "YapilacakIslerListesi")->satirSayisi() == beklenen,
                 qPrintable(zaman.toString()));
    }
}

void HatirlatmaTesti::geceYarisinaYakinErtelemeErtesiGune()
{
    const qint64 no = isEkle(Bugun, QTime(23, 50), QStringLiteral("gece"));
    AnaForm ana(false);
    ortam->saat->an = an(23, 50, 10);
    HatirlatmaFormu *f = goster(ana);
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(), 1);
    QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri1"), Qt::LeftButton);
    QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
    const IsKaydi k = vt()->is(no);
    QCOMPARE(k.tarih, Bugun.addDays(1));
    QCOMPARE(k.saat, QTime(0, 5, 10));

    const QDate yarin = Bugun.addDays(1);
    const std::pair<QDateTime, int> taramalar[] = {
        {an(23, 59, 59), 0}, {an(0, 5, 59, yarin), 0}, {an(0, 6, 0, yarin), 1}};
    for (const auto &[zaman, beklenen] : taramalar) {
        ortam->saat->an = zaman;
        ana.HatirlatilacakIsleriListele();
        QVERIFY2(Test::denetim<IsListesi>(ana.hatirlatmaFormu(), "YapilacakIslerListesi")->satirSayisi() == beklenen,
                 qPrintable(zaman.toString()));
    }
}

void HatirlatmaTesti::sesliUyariDurdurulur()
{
    isEkle(Bugun, QTime(14, 0), QStringLiteral("iş"));
    Ayarlar::yaz(AyarAdi::SesDosyasiYolu, QStringLiteral("/sesler/"));
    Ayarlar::yaz(AyarAdi::SesDosyasiAdi, QStringLiteral("zil.wav"));
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        QVERIFY(ortam->alarm->caliyor);
        QCOMPARE(ortam->alarm->sonDosya, QStringLiteral("/sesler/zil.wav"));
        QCOMPARE(Test::denetim<QCheckBox>(f, "SesliUyariVermeyiDurdurOnayi")->text(), QStringLiteral("&Sesli uyarı vermeyi durdur "));
        QVERIFY(Test::denetim<QCheckBox>(f, "SesliUyariVermeyiDurdurOnayi")->isEnabled());
        QTest::mouseClick(Test::denetim<QCheckBox>(f, "SesliUyariVermeyiDurdurOnayi"), Qt::LeftButton);
        QVERIFY(!ortam->alarm->caliyor);
        QVERIFY(!Test::denetim<QCheckBox>(f, "SesliUyariVermeyiDurdurOnayi")->isEnabled());
        QCOMPARE(OrtakDegiskenler::SesliUyari, 0);
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
    }));
    const QString yok = QStringLiteral("<yok>");
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::SesliUyariBilgisi, yok), QStringLiteral("0"));
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::SesDosyasiAdi, yok), QString());
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::SesDosyasiYolu, yok), QString());

    // Every later reminder stays silent.
    OrtakDegiskenler::SesliUyari = 1;
    bool kutuKapali = false;
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        kutuKapali = !Test::denetim<QCheckBox>(f, "SesliUyariVermeyiDurdurOnayi")->isEnabled();
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
    }));
    QVERIFY(kutuKapali);
    QCOMPARE(ortam->alarm->baslatmaSayisi, 1);
    QCOMPARE(OrtakDegiskenler::SesliUyari, 0);
}

void HatirlatmaTesti::sesliUyariKapaliysaCalmaz()
{
    isEkle(Bugun, QTime(14, 0), QStringLiteral("iş"));
    Ayarlar::yaz(AyarAdi::SesliUyariBilgisi, QStringLiteral("0"));
    OrtakDegiskenler::SesliUyari = 1; // the window reads the store, not the memory copy
    AnaForm ana(false);
    HatirlatmaFormu *f = goster(ana);
    QCOMPARE(ortam->alarm->baslatmaSayisi, 0);
    QVERIFY(!Test::denetim<QCheckBox>(f, "SesliUyariVermeyiDurdurOnayi")->isEnabled());
    QCOMPARE(OrtakDegiskenler::SesliUyari, 0);
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
    QCOMPARE(ortam->alarm->durdurmaSayisi, 1);
}

void HatirlatmaTesti::herZamanUstteAyari()
{
    isEkle(Bugun, QTime(14, 0), QStringLiteral("iş"));
    Ayarlar::yaz(AyarAdi::HatirlatmaEnUstte, QStringLiteral("0"));
    AnaForm ana(false);
    HatirlatmaFormu *f = goster(ana);
    QCOMPARE(Test::denetim<QCheckBox>(f, "HerZamanUstteOlsunOnayi")->text(), QStringLiteral("&Her zaman üstte olsun "));
    QVERIFY(!Test::denetim<QCheckBox>(f, "HerZamanUstteOlsunOnayi")->isChecked());
    QVERIFY(!enUstte(f));

    QTest::mouseClick(Test::denetim<QCheckBox>(f, "HerZamanUstteOlsunOnayi"), Qt::LeftButton);
    QVERIFY(enUstte(f));
    QVERIFY(f->isVisible()); // changing the flag does not close the window
    QCOMPARE(Ayarlar::oku(AyarAdi::HatirlatmaEnUstte), QStringLiteral("1"));
    QCOMPARE(OrtakDegiskenler::HatirlatmaEnUstte, 1);

    QTest::mouseClick(Test::denetim<QCheckBox>(f, "HerZamanUstteOlsunOnayi"), Qt::LeftButton);
    QVERIFY(!enUstte(f));
    QCOMPARE(Ayarlar::oku(AyarAdi::HatirlatmaEnUstte), QStringLiteral("0"));
    QCOMPARE(OrtakDegiskenler::HatirlatmaEnUstte, 0);
    f->hide();

    // With the setting on, the window opened by a tick is topmost from the start.
    Ayarlar::yaz(AyarAdi::HatirlatmaEnUstte, QStringLiteral("1"));
    delete ana.hatirlatmaFormu();
    bool ustte = false;
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *g) {
        ustte = Test::denetim<QCheckBox>(g, "HerZamanUstteOlsunOnayi")->isChecked() && enUstte(g);
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        Test::denetim<QPushButton>(g, "KapatDugmesi")->click();
    }));
    QVERIFY(ustte);
}

void HatirlatmaTesti::degistirPenceresiVeYenidenListeleme()
{
    const qint64 a = isEkle(Bugun, QTime(9, 0), QStringLiteral("Bir"));
    const qint64 b = isEkle(Bugun, QTime(10, 0), QStringLiteral("İki"));
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();

    struct Editor {
        bool geldi = false;
        QString tag, baslik, takvimEtiketi;
        bool enUstte = false, yapildiAcik = false;
        qint16 seciliSatir = 0;
    };
    // Opens the editor on the selected row; while it is up the job is changed in the
    // database as a save would, then the editor is left with "Vazgeç".
    auto duzenle = [&](HatirlatmaFormu *f, const std::function<void()> &degisiklik) {
        auto e = std::make_shared<Editor>();
        auto bekliyor = std::make_shared<bool>(true);
        Test::modalGelince([e, bekliyor, &degisiklik](QWidget *w) {
            if (!*bekliyor)
                return;
            auto *ed = qobject_cast<IsEklemeDegistirmeFormu *>(w);
            if (!ed) {
                QWARN("the modal window is not the job editor");
                return;
            }
            e->geldi = true;
            e->tag = QString::number(ed->isNo());
            e->baslik = ed->windowTitle();
            e->takvimEtiketi = ed->takvimUstteMi() ? QStringLiteral(" ") : QString();
            e->enUstte = ed->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            e->yapildiAcik = Test::denetim<QCheckBox>(ed, "IsYapildiOnayi")->isEnabled();
            e->seciliSatir = OrtakDegiskenler::SeciliSatir;
            degisiklik();
            QPointer<QWidget> p = ed;
            Test::denetim<QPushButton>(ed, "VazgecDugmesi")->click();
            if (p && p->isVisible())
                p->hide();
        });
        Test::denetim<QPushButton>(f, "DegisiklikYapDugmesi")->click();
        *bekliyor = false;
        return *e;
    };

    bool acikKaldi = false;
    Editor ilk, ikinci;
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSec(1);
        ilk = duzenle(f, [&] { vt()->isGuncelle({b, Klasor, Bugun, QTime(16, 0), QStringLiteral("İki"), {}, {}, {}, true, false}); });
        // The list is rebuilt from the database: the job moved past now is gone.
        acikKaldi = f->isVisible();
        QCOMPARE(konular(f), QStringList{QStringLiteral("Bir")});
        QCOMPARE(Test::denetim<QLabel>(f, "Etiket0")->text(), HatirlatmaFormu::baslikMetni(1));
        QCOMPARE(ortam->alarm->baslatmaSayisi, 2); // active again after the editor

        QTest::mouseClick(Test::denetim<QCheckBox>(f, "HerZamanUstteOlsunOnayi"), Qt::LeftButton); // off
        ikinci = duzenle(f, [&] { vt()->isHatirlatmaKapat(a); });
        QVERIFY(!f->isVisible()); // nothing left: closed without the question
    }));
    QVERIFY(ilk.geldi);
    QCOMPARE(ilk.tag, QString::number(b));
    QCOMPARE(ilk.baslik, QStringLiteral("Yapılacak İşi Değiştirme"));
    QVERIFY(ilk.enUstte);
    QCOMPARE(ilk.takvimEtiketi, QStringLiteral(" "));
    QVERIFY(ilk.yapildiAcik);
    QCOMPARE(ilk.seciliSatir, qint16(2));
    QVERIFY(acikKaldi);

    QVERIFY(ikinci.geldi);
    QCOMPARE(ikinci.tag, QString::number(a));
    QVERIFY(!ikinci.enUstte);
    QVERIFY(ikinci.takvimEtiketi.isEmpty());
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QVERIFY(!ortam->alarm->caliyor);
}

void HatirlatmaTesti::sutunDuzeniKaydedilirVeYuklenir()
{
    isEkle(Bugun, QTime(14, 0), QStringLiteral("iş"));
    AnaForm ana(false);
    HatirlatmaFormu *f = goster(ana);
    QHeaderView *h = Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->header();
    const int tasarim[] = {1300, 1000, 1300, 1500, 1000, 1400};
    // The date column may be widened to fit a whole date in the list's font.
    QVERIFY(h->sectionSize(0) >= piksel(tasarim[0]));
    for (int i = 1; i < 6; ++i)
        QCOMPARE(h->sectionSize(i), piksel(tasarim[i]));
    QVERIFY(h->isSectionHidden(6));

    h->resizeSection(2, 150);
    h->moveSection(h->visualIndex(3), 0); // "Yeri" first
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    Test::denetim<QPushButton>(f, "KapatDugmesi")->click(); // the layout is written even when the window stays
    const QString bolum = QStringLiteral("Listeler\\Liste-3");
    QCOMPARE(Ayarlar::oku(bolum, QStringLiteral("Genislik-3"), {}), QString::number(twip(150)));
    QCOMPARE(Ayarlar::oku(bolum, QStringLiteral("Konum-4"), {}), QStringLiteral("1"));
    QCOMPARE(Ayarlar::oku(bolum, QStringLiteral("Konum-1"), {}), QStringLiteral("2"));
    QCOMPARE(Ayarlar::oku(bolum, QStringLiteral("Genislik-7"), {}), QStringLiteral("0"));
    f->hide();
    delete f;

    HatirlatmaFormu *g = ana.hatirlatmaFormu();
    QHeaderView *h2 = Test::denetim<IsListesi>(g, "YapilacakIslerListesi")->header();
    QCOMPARE(h2->sectionSize(2), 150);
    QCOMPARE(h2->visualIndex(3), 0);
    QCOMPARE(h2->visualIndex(0), 1);
    QVERIFY(h2->isSectionHidden(6));
}

void HatirlatmaTesti::gercekAlarmDosyasizCalmaz()
{
    SesAlarmi alarm;
    alarm.baslat(ortam->programKlasoru() + QStringLiteral("Yok.wav"));
    QVERIFY(!alarm.ses());
    alarm.baslat(QString());
    QVERIFY(!alarm.ses());
    alarm.baslat(ortam->programKlasoru()); // a folder is not a sound
    QVERIFY(!alarm.ses());

    const QString wav = QFINDTESTDATA("../../src/resources/Alarm.wav");
    QVERIFY(!wav.isEmpty());
    alarm.baslat(wav);
    QVERIFY(alarm.ses());
    QCOMPARE(alarm.ses()->loopCount(), int(QSoundEffect::Infinite));
    QCOMPARE(alarm.ses()->source(), QUrl::fromLocalFile(QFileInfo(wav).absoluteFilePath()));
    // A missing file replaces the playing sound with silence.
    alarm.baslat(ortam->programKlasoru() + QStringLiteral("Yok.wav"));
    QVERIFY(!alarm.ses());
    alarm.baslat(wav);
    alarm.durdur();
    QVERIFY(!alarm.ses());
}

void HatirlatmaTesti::baskaPencereAcikkenDeTaranir()
{
    isEkle(Bugun, QTime(14, 30), QStringLiteral("duruşma"));
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(Klasor));
    QPointer<QWidget> editor;
    QPointer<QWidget> hatirlatma;
    bool ustunde = false;
    // The job editor is open (its own modal loop) when the scan comes.
    Test::modalGelince([&](QWidget *w) {
        editor = w;
        // Waits for the reminder window itself, not the editor below it.
        auto *bekle = new QTimer(&ana);
        bekle->setInterval(10);
        QObject::connect(bekle, &QTimer::timeout, bekle, [&, bekle] {
            auto *f = qobject_cast<HatirlatmaFormu *>(QApplication::activeModalWidget());
            if (!f || !f->isVisible())
                return;
            bekle->stop();
            hatirlatma = f;
            ustunde = true;
            ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
            Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
        });
        bekle->start();
        QTimer::singleShot(5000, bekle, [bekle] { bekle->stop(); });
        ana.YapilacakIsKontrolu_Timer();
        if (editor)
            editor->close();
    });
    ana.YeniIsEkle();
    QVERIFY(qobject_cast<IsEklemeDegistirmeFormu *>(editor.data()) || editor.isNull());
    QVERIFY(ustunde);
    QVERIFY(Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->isActive());
}

void HatirlatmaTesti::acikDuzenleyiciHatirlatmaSonucunuBozmaz()
{
    const qint64 no = isEkle(Bugun, QTime(14, 30), QStringLiteral("Duruşma"));
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(Klasor));
    ana.KlasorListesi_NodeClick(ana.seciliDugum());
    QCOMPARE(Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->seciliIsNo(), no);
    bool hatirlatmaGeldi = false, kaydedildi = false;
    // The job is open in the editor; the scan comes, and in the reminder window the user
    // marks it done. Back in the editor the user changes its place and saves.
    Test::modalGelince([&](QWidget *w) {
        auto *e = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        if (!e)
            return;
        QPointer<IsEklemeDegistirmeFormu> editor = e;
        Test::denetim<QComboBox>(e, "IsinYeriKutusu")->setEditText(QStringLiteral("Adliye"));
        auto *bekle = new QTimer(&ana);
        bekle->setInterval(10);
        QObject::connect(bekle, &QTimer::timeout, bekle, [&, bekle] {
            auto *f = qobject_cast<HatirlatmaFormu *>(QApplication::activeModalWidget());
            if (!f || !f->isVisible())
                return;
            bekle->stop();
            hatirlatmaGeldi = true;
            QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0"), Qt::LeftButton);
            QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
            if (f->isVisible())
                f->hide();
        });
        bekle->start();
        QTimer::singleShot(5000, bekle, [bekle] { bekle->stop(); });
        ana.YapilacakIsKontrolu_Timer();
        if (!editor)
            return;
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet}; // its time has passed: save anyway
        Test::denetim<QPushButton>(editor, "KaydetDugmesi")->click();
        kaydedildi = editor && !editor->isVisible();
        if (editor && editor->isVisible())
            editor->reject();
    });
    ana.DegisiklikYap();
    QVERIFY(hatirlatmaGeldi);
    QVERIFY(kaydedildi);
    const IsKaydi k = vt()->is(no);
    QCOMPARE(k.yer, QStringLiteral("Adliye"));
    QVERIFY(k.yapildi); // the reminder window's outcome stands
    // and the job is not reminded again.
    ana.HatirlatilacakIsleriListele();
    QCOMPARE(Test::denetim<IsListesi>(ana.hatirlatmaFormu(), "YapilacakIslerListesi")->satirSayisi(), 0);
}

void HatirlatmaTesti::taramaAdimindaZamanlayiciKurulu()
{
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop(); // as when it has just fired
    // Whatever runs while the tick lets pending events through finds the next scan armed,
    // so nothing opened there can stop the scans.
    bool calisti = false, kurulu = false;
    QTimer::singleShot(0, &ana, [&] {
        calisti = true;
        kurulu = Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->isActive();
    });
    ana.YapilacakIsKontrolu_Timer();
    QVERIFY(calisti);
    QVERIFY(kurulu);
    QVERIFY(Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->isActive());
    QCOMPARE(Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->interval(), 32000);
}

void HatirlatmaTesti::yazSaatiDonusundeErtelemeSonrayaKalir()
{
    // 25 October 2026 in Berlin: at 03:00 summer time the clocks go back to 02:00.
    const QTimeZone berlin("Europe/Berlin");
    QVERIFY(berlin.isValid());
    const QDate gun(2026, 10, 25);
    auto utc = [&](int s, int d) { return QDateTime(gun, QTime(s, d), QTimeZone::utc()).toTimeZone(berlin); };
    const qint64 no = vt()->isEkle({0, Klasor, gun, QTime(2, 45), QStringLiteral("gece"), {}, {}, {}, true, false});
    AnaForm ana(false);
    Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
    ortam->saat->an = utc(0, 50); // 02:50 summer time, the first 02:50 of the night
    QCOMPARE(ortam->saat->an.time(), QTime(2, 50));
    HatirlatmaFormu *f = goster(ana);
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(), 1);
    QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri1"), Qt::LeftButton);
    QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
    // Fifteen minutes later on the wall clock, not 02:05 of the second pass through 02:00.
    const IsKaydi k = vt()->is(no);
    QCOMPARE(k.tarih, gun);
    QCOMPARE(k.saat, QTime(3, 5));
    const std::pair<QDateTime, int> taramalar[] = {
        {utc(0, 51), 0}, {utc(1, 5), 0}, {utc(1, 55), 0}, {utc(2, 4), 0}, {utc(2, 5), 1}};
    for (const auto &[zaman, beklenen] : taramalar) {
        ortam->saat->an = zaman;
        ana.HatirlatilacakIsleriListele();
        QVERIFY2(Test::denetim<IsListesi>(ana.hatirlatmaFormu(), "YapilacakIslerListesi")->satirSayisi() == beklenen,
                 qPrintable(zaman.toString(Qt::ISODate)));
    }
}

void HatirlatmaTesti::baskaYerdeSonuclananSatirCikar()
{
    // Another desk settles jobs while this desk's reminder window is up: at the window's
    // next refresh (the scan's tick) those rows leave; a chosen outcome is not carried
    // over to another row; with no row left the window closes without a question.
    const qint64 yapilan = isEkle(Bugun, QTime(9, 0), QStringLiteral("yapılan"));
    const qint64 ertelenen = isEkle(Bugun, QTime(9, 5), QStringLiteral("ertelenen"));
    const qint64 silinen = isEkle(Bugun, QTime(9, 10), QStringLiteral("silinen"));
    const qint64 kalan = isEkle(Bugun, QTime(9, 15), QStringLiteral("kalan"));
    ortam->saat->an = an(10, 0);
    AnaForm ana(false);
    QStringList sonra;
    bool kapandi = false;
    int sorular = 0;
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0")->click();
        QVERIFY(Test::denetim<QPushButton>(f, "OnaylaDugmesi")->isEnabled());
        vt()->isYapildiIsaretle(yapilan);
        vt()->isZamaniniDegistir(ertelenen, Bugun, QTime(10, 15));
        vt()->isSil(silinen);
        ana.YapilacakIsKontrolu_Timer(); // the tick that comes while the window is up
        sonra = konular(f);
        // The outcome chosen for the first row does not go to the row now selected.
        QVERIFY(!Test::denetim<QPushButton>(f, "OnaylaDugmesi")->isEnabled());
        QCOMPARE(f->isSonucu(), -1);
        // A postponement of a job marked done elsewhere meanwhile leaves it done.
        vt()->isYapildiIsaretle(kalan);
        Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri1")->click();
        Test::denetim<QPushButton>(f, "OnaylaDugmesi")->click();
        sorular = int(ortam->mesajlar->gosterilenler.size());
        kapandi = !f->isVisible();
    }));
    QCOMPARE(sonra, QStringList{QStringLiteral("kalan")});
    QCOMPARE(sorular, 1);
    QVERIFY(ortam->mesajlar->metinler().first().contains(QStringLiteral("ertelenmedi")));
    QVERIFY(kapandi);
    QVERIFY(vt()->is(kalan).yapildi);
    QCOMPARE(vt()->is(kalan).saat, QTime(9, 15));

    // All rows settled elsewhere: the window closes by itself.
    const qint64 bir = isEkle(Bugun, QTime(9, 20), QStringLiteral("bir"));
    ortam->mesajlar->temizle();
    kapandi = false;
    QVERIFY(tikla(ana, [&](HatirlatmaFormu *f) {
        vt()->isHatirlatmaKapat(bir);
        ana.YapilacakIsKontrolu_Timer();
        kapandi = !f->isVisible();
    }));
    QVERIFY(kapandi);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

QTEST_MAIN(HatirlatmaTesti)
#include "tst_Hatirlatma.moc"

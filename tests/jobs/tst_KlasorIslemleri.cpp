// Folder commands and job commands of the main window, against a real database.

#include "TestOrtami.h"

#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "jobs/KlasorKomutlari.h"
#include "ui/AnaForm.h"

#include <QAction>
#include <QMenu>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

using namespace Zelvora;

class KlasorIslemleriTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void klasorEklemeAnahtarlari();
    void klasorAdiYerindeDegisir();
    void bosAdReddedilir();
    void klasorSilmeKurallari();
    void isTasima();
    void isSilmeSecimi();
    void korunanKlasoreIsEklenmez();
    void yapilmisIsDegistirmedenOnceSorulur();
    void sinirdaYeniKlasorReddedilir();
    void klasorMenusuSecimeGore();
    void tumunuGosterGizleVeYenile();
    void isListesiMenusuVeCiftTiklama();
    void sabitDugumlereIsTasinmaz();
    void agacVeritabaniniIzler();
    void veritabanindakiAltKlasorSilmeyiEngeller();

private:
    std::unique_ptr<Test::Ortam> ortam;
    Veritabani *vt() { return &Veritabani::acik(); }
    static QLineEdit *duzenleyici(AnaForm &f) { return Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->viewport()->findChild<QLineEdit *>(); }
};

void KlasorIslemleriTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
}

void KlasorIslemleriTesti::cleanup()
{
    ortam.reset();
}

void KlasorIslemleriTesti::klasorEklemeAnahtarlari()
{
    {
        AnaForm f(false);
        f.show();
        // Nothing or the root selected: the folder goes under "Klasörlerim".
        Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::ProgramAnahtari));
        f.YeniKlasorEkle();
        QTRY_VERIFY(duzenleyici(f)); // the name is typed at once
        const auto k = vt()->klasorler();
        QCOMPARE(k.size(), 1);
        QCOMPARE(k[0].anahtari, QStringLiteral("1-Anahtar"));
        QCOMPARE(k[0].bagi, QStringLiteral("Klasor"));
        QCOMPARE(k[0].adi, QStringLiteral("Yeni Klasör"));
        QCOMPARE(f.seciliAnahtar(), QStringLiteral("1-Anahtar"));
        QCOMPARE(KlasorAgaci::resim(f.seciliDugum()), 3);
    }
    vt()->klasorEkle({QStringLiteral("4-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Dört")});
    vt()->klasorEkle({QStringLiteral("9-Anahtar"), QStringLiteral("4-Anahtar"), QStringLiteral("Dokuz")});
    AnaForm f(false);
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("4-Anahtar")));
    f.YeniKlasorEkle();
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("10-Anahtar"));
    QCOMPARE(f.seciliDugum()->parent(), Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("4-Anahtar")));
    QVERIFY(f.seciliDugum()->parent()->isExpanded());
}

void KlasorIslemleriTesti::klasorAdiYerindeDegisir()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Eski")});
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setFocus();
    QTest::keyClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi"), Qt::Key_F2);
    QTRY_VERIFY(duzenleyici(f));
    QLineEdit *e = duzenleyici(f);
    e->selectAll();
    e->insert(QStringLiteral(" Ayşe'nin Davaları "));
    QTest::keyClick(e, Qt::Key_Return);
    QTRY_COMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral(" Ayşe'nin Davaları "));
    QCOMPARE(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar"))->text(0), QStringLiteral(" Ayşe'nin Davaları "));
    // A name is cut to the field's 255 characters, never inside an emoji; a NUL is dropped.
    const QString emoji = QStringLiteral("\U0001F600");
    QTest::keyClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi"), Qt::Key_F2);
    QTRY_VERIFY(duzenleyici(f) && duzenleyici(f)->isVisible());
    e = duzenleyici(f);
    e->selectAll();
    e->insert(QString(253, QLatin1Char('a')) + QChar(0) + emoji + emoji + QStringLiteral("b"));
    QTest::keyClick(e, Qt::Key_Return);
    QTRY_COMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QString(253, QLatin1Char('a')) + emoji + emoji);
    // The fixed nodes cannot be renamed.
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari));
    QTest::keyClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi"), Qt::Key_F2);
    QTest::qWait(50);
    QVERIFY(!duzenleyici(f) || !duzenleyici(f)->isVisible());
}

void KlasorIslemleriTesti::bosAdReddedilir()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Eski")});
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorAdiDegistir();
    QTRY_VERIFY(duzenleyici(f));
    duzenleyici(f)->clear();
    QTest::keyClick(duzenleyici(f), Qt::Key_Return);
    QTRY_COMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Klasör adı girmeniz gerekiyor!")});
    QCOMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral("Eski"));
    QCOMPARE(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar"))->text(0), QStringLiteral("Eski"));
    QTRY_VERIFY(duzenleyici(f) && duzenleyici(f)->isVisible()); // editing again
}

void KlasorIslemleriTesti::klasorSilmeKurallari()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Üst")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("Alt")});
    vt()->isEkle({0, QStringLiteral("2-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("a"), {}, {}, {}, true, false});
    const qint64 kalan = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("b"), {}, {}, {}, true, false});
    AnaForm f(false);
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari));
    f.KlasorSil();
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Bu klasör silinimez!"));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorSil();
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Seçtiğiniz klasörün 'Alt Klasör'leri olduğu için silinemiyor!"));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("2-Anahtar")));
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    f.KlasorSil();
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("'Alt' adlı bu klasörü silmek istediğinizden emin misiniz?"));
    QCOMPARE(vt()->klasorler().size(), 2);
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.KlasorSil();
    QCOMPARE(vt()->klasorler().size(), 1);
    QVERIFY(!Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("2-Anahtar")));
    QVERIFY(vt()->isleriListele(QStringLiteral("2-Anahtar"), false, false, QDate(2026, 12, 7)).empty());
    QCOMPARE(vt()->is(kalan).konu, QStringLiteral("b"));
}

void KlasorIslemleriTesti::isTasima()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("İki")});
    vt()->isEkle({0, QStringLiteral("2-Anahtar"), QDate(2026, 12, 1), QTime(9, 0), QStringLiteral("önce"), {}, {}, {}, true, false});
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("taşınacak"), {}, {}, {}, true, false});
    AnaForm f(false);
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSec(0);
    // No: nothing moves.
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->vurguluDugumAyarla(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("2-Anahtar")));
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    f.IsiTasi(no);
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Seçilen işi taşımak istediğinizden emin misiniz?"));
    QCOMPARE(vt()->is(no).anahtari, QStringLiteral("1-Anahtar"));
    QVERIFY(!Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->vurguluDugum());
    // Yes: stored, the target folder listed, the moved row selected.
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->vurguluDugumAyarla(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("2-Anahtar")));
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.IsiTasi(no);
    QCOMPARE(vt()->is(no).anahtari, QStringLiteral("2-Anahtar"));
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("2-Anahtar"));
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 2);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->seciliIsNo(), no);
}

void KlasorIslemleriTesti::isSilmeSecimi()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    QList<qint64> nolar;
    for (int i = 1; i <= 5; ++i)
        nolar << vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, i), QTime(9, 0), QString::number(i), {}, {}, {}, true, false});
    AnaForm f(false);
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    IsListesi *l = Test::denetim<IsListesi>(&f, "YapilacakIslerListesi");
    l->satirSec(2);
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    f.IsiSil();
    QVERIFY(ortam->mesajlar->metinler().last().startsWith(QStringLiteral("Seçili işi SİLMEK istediğinizden emin misiniz?")));
    QCOMPARE(l->satirSayisi(), 5);
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.IsiSil();
    QCOMPARE(l->satirSayisi(), 4);
    QCOMPARE(l->seciliSatir(), 1); // the row above
    QCOMPARE(vt()->is(nolar[2]).isNo, 0);
    l->satirSec(0);
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.IsiSil();
    QCOMPARE(l->seciliSatir(), 0);
    while (l->satirSayisi() > 0) {
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        f.IsiSil();
    }
    QCOMPARE(l->seciliSatir(), -1);
    QVERIFY(vt()->isleriListele(QStringLiteral("1-Anahtar"), false, false, QDate(2026, 12, 7)).empty());
}

void KlasorIslemleriTesti::korunanKlasoreIsEklenmez()
{
    AnaForm f(false);
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari));
    f.YeniIsEkle();
    QCOMPARE(ortam->mesajlar->metinler(),
             QStringList{QStringLiteral("Bu klasöre iş ekleyemezsiniz! Lütfen, başka bir klasör seçiniz ya da yeni bir klasör ekleyiniz.")});
}

void KlasorIslemleriTesti::yapilmisIsDegistirmedenOnceSorulur()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 30), QStringLiteral("Bitti"), {}, {}, {}, true, true});
    AnaForm f(false);
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSec(0);
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    f.DegisiklikYap();
    QCOMPARE(ortam->mesajlar->metinler().last(),
             QStringLiteral("Bu iş YAPILDI olarak işaretlenmiş! Değiştirmek istediğinizden emin misiniz?"));
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    bool acildi = false, yapildiAcik = false, yapildiIsaretli = false, hatirlatmaIsaretli = false;
    QString tag, baslik;
    Test::modalGelince([&](QWidget *w) {
        auto *e = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        if (!e)
            return;
        acildi = true;
        yapildiAcik = Test::denetim<QCheckBox>(e, "IsYapildiOnayi")->isEnabled();
        yapildiIsaretli = Test::denetim<QCheckBox>(e, "IsYapildiOnayi")->isChecked();
        hatirlatmaIsaretli = Test::denetim<QCheckBox>(e, "HatirlatmaVarOnayi")->isChecked();
        tag = QString::number(e->isNo());
        baslik = e->windowTitle();
        Test::denetim<QPushButton>(e, "VazgecDugmesi")->click();
    });
    f.DegisiklikYap();
    QVERIFY(acildi);
    QVERIFY(yapildiAcik);
    QVERIFY(yapildiIsaretli); // the job's own flags
    QVERIFY(hatirlatmaIsaretli);
    QCOMPARE(tag, QString::number(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model()->is(0).isNo));
    QCOMPARE(baslik, QStringLiteral("Yapılacak İşi Değiştirme (Bir)"));
    QCOMPARE(OrtakDegiskenler::SeciliSatir, qint16(1));
}

void KlasorIslemleriTesti::sinirdaYeniKlasorReddedilir()
{
    vt()->klasorEkle({QStringLiteral("32767-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Son")});
    AnaForm f(false);
    QCOMPARE(f.EnBuyukKlasorNo(), qint16(32767));
    f.YeniKlasorEkle();
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(vt()->klasorler().size(), 1);
    QCOMPARE(f.EnBuyukKlasorNo(), qint16(32767));
}

void KlasorIslemleriTesti::klasorMenusuSecimeGore()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto sagTikla = [&](const QString &anahtar) {
        const QRect r = Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->visualItemRect(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(anahtar));
        QTest::mousePress(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->viewport(), Qt::RightButton, {}, r.center());
        QTest::mouseRelease(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->viewport(), Qt::RightButton, {}, r.center());
        QTRY_VERIFY(Test::denetim<QMenu>(&f, "KlasorMenusu")->isVisible());
        Test::denetim<QMenu>(&f, "KlasorMenusu")->hide();
    };
    // The items follow the node selected before the click; the clicked node is selected after it.
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari));
    sagTikla(QStringLiteral("1-Anahtar"));
    QVERIFY(Test::denetim<QAction>(&f, "TumKlasorleriGosterMenusu")->isVisible());
    QVERIFY(Test::denetim<QAction>(&f, "TumKlasorleriGizleMenusu")->isVisible());
    QVERIFY(!Test::denetim<QAction>(&f, "KlasorAdiDegistirMenusu")->isEnabled());
    QVERIFY(!Test::denetim<QAction>(&f, "KlasorSilMenusu")->isEnabled());
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("1-Anahtar"));
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 0); // no node-click reaction
    sagTikla(KlasorAgaci::KlasorAnahtari);
    QVERIFY(!Test::denetim<QAction>(&f, "TumKlasorleriGosterMenusu")->isVisible());
    QVERIFY(!Test::denetim<QAction>(&f, "KlasorMenusuCizgisi2")->isVisible());
    QVERIFY(Test::denetim<QAction>(&f, "KlasorAdiDegistirMenusu")->isEnabled());
    QVERIFY(Test::denetim<QAction>(&f, "KlasorSilMenusu")->isEnabled());
    QVERIFY(!Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->vurguluDugum());
}

void KlasorIslemleriTesti::tumunuGosterGizleVeYenile()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("İki")});
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTreeWidgetItem *bir = Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar"));
    f.durumMetniAyarla(QStringLiteral("   3 iş listelendi"));
    f.TumKlasorleriGoster();
    QVERIFY(bir->isExpanded());
    QCOMPARE(KlasorAgaci::resim(bir), 4);
    QCOMPARE(f.durumMetni(), QString());
    f.TumKlasorleriGizle();
    QVERIFY(!bir->isExpanded());
    QCOMPARE(KlasorAgaci::resim(bir), 3);
    QCOMPARE(KlasorAgaci::resim(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari)), 2); // fixed nodes keep theirs
    // F5 rebuilds the tree from the database.
    vt()->klasorEkle({QStringLiteral("3-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Üç")});
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setFocus();
    QTest::keyClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi"), Qt::Key_F5);
    QVERIFY(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("3-Anahtar")));
    QCOMPARE(f.seciliAnahtar(), KlasorAgaci::KlasorAnahtari);
    QCOMPARE(f.EnBuyukKlasorNo(), qint16(3));
}

void KlasorIslemleriTesti::isListesiMenusuVeCiftTiklama()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 30), QStringLiteral("Keşif"), {}, {}, {}, true, false});
    const qint64 ikinci = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 9), QTime(10, 0),
                                        QStringLiteral("Duruşma"), {}, {}, {}, true, false});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("İki")});
    const qint64 ikidekiIs = vt()->isEkle({0, QStringLiteral("2-Anahtar"), QDate(2026, 12, 10), QTime(11, 0),
                                           QStringLiteral("Bilirkişi"), {}, {}, {}, true, false});
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    IsListesi *l = Test::denetim<IsListesi>(&f, "YapilacakIslerListesi");
    QWidget *alan = l->viewport();
    const QPoint satir = l->visualRect(l->model()->index(0, 2)).center();
    const QPoint satir2 = l->visualRect(l->model()->index(1, 2)).center();
    QCOMPARE(l->seciliSatir(), 0);
    // Empty space under the rows: no menu, the selection stays.
    const QPoint bos(satir.x(), alan->height() - 5);
    QTest::mousePress(alan, Qt::RightButton, {}, bos);
    QTest::mouseRelease(alan, Qt::RightButton, {}, bos);
    QVERIFY(!Test::denetim<QMenu>(&f, "YapilacakIsListesiMenusu")->isVisible());
    QCOMPARE(l->seciliSatir(), 0);
    // A right click selects the row under the pointer before the menu opens, so the
    // menu's commands act on that job.
    QTest::mousePress(alan, Qt::RightButton, {}, satir2);
    QCOMPARE(l->seciliSatir(), 1);
    QTest::mouseRelease(alan, Qt::RightButton, {}, satir2);
    QTRY_VERIFY(Test::denetim<QMenu>(&f, "YapilacakIsListesiMenusu")->isVisible());
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    Test::denetim<QAction>(&f, "IsiSilMenusu2")->trigger();
    Test::denetim<QMenu>(&f, "YapilacakIsListesiMenusu")->hide();
    // The question names the job it deletes.
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Seçili işi SİLMEK istediğinizden emin misiniz?")
                                                     + QStringLiteral("\r\n\r\n") + QStringLiteral("09.12.2026 10:00 - Duruşma"));
    QCOMPARE(vt()->is(ikinci).isNo, 0);
    QCOMPARE(l->satirSayisi(), 1);
    QCOMPARE(l->model()->hucreMetni(0, IsSatiriModeli::Konusu), QStringLiteral("Keşif"));
    // A double click opens the job for a change, filled from its row.
    QString saat, dakika, konu;
    Test::modalGelince([&](QWidget *w) {
        auto *e = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        QVERIFY(e);
        saat = Test::denetim<QComboBox>(e, "SaatKutusu")->currentText();
        dakika = Test::denetim<QComboBox>(e, "DakikaKutusu")->currentText();
        konu = Test::denetim<QComboBox>(e, "IsinKonusuKutusu")->currentText();
        Test::denetim<QPushButton>(e, "VazgecDugmesi")->click();
    });
    // A double click: the first click, then the second press that Qt reports as a double click.
    QTest::mouseClick(alan, Qt::LeftButton, {}, satir);
    QTest::mouseDClick(alan, Qt::LeftButton, {}, satir);
    QCOMPARE(saat, QStringLiteral("09"));
    QCOMPARE(dakika, QStringLiteral("30"));
    QCOMPARE(konu, QStringLiteral("Keşif"));

    // Over all folders a right click follows the row's folder as a left click does, so
    // the menu's commands name and use the folder of the row pointed at.
    Test::denetim<QCheckBox>(&f, "TumKlasorlerOnayi")->setChecked(true);
    const auto satirNoktasi = [&](qint64 isNo) {
        return l->visualRect(l->model()->index(l->model()->satirBul(isNo), 2)).center();
    };
    QTest::mouseClick(alan, Qt::LeftButton, {}, satirNoktasi(l->model()->isNo(0)));
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("1-Anahtar"));
    QTest::mousePress(alan, Qt::RightButton, {}, satirNoktasi(ikidekiIs));
    QTest::mouseRelease(alan, Qt::RightButton, {}, satirNoktasi(ikidekiIs));
    QTRY_VERIFY(Test::denetim<QMenu>(&f, "YapilacakIsListesiMenusu")->isVisible());
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("2-Anahtar"));
    QString baslik;
    Test::modalGelince([&](QWidget *w) {
        auto *e = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        QVERIFY(e);
        baslik = e->windowTitle();
        Test::denetim<QLineEdit>(e, "IsinTarihiKutusu")->setText(QStringLiteral("11.12.2026"));
        Test::denetim<QComboBox>(e, "SaatKutusu")->setCurrentIndex(Test::denetim<QComboBox>(e, "SaatKutusu")->findText(QStringLiteral("12")));
        Test::denetim<QComboBox>(e, "IsinKonusuKutusu")->setEditText(QStringLiteral("Sağ Tıkla Eklenen"));
        Test::denetim<QPushButton>(e, "KaydetDugmesi")->click();
        Test::denetim<QPushButton>(e, "KapatDugmesi")->click();
    });
    Test::denetim<QAction>(&f, "YeniIsEkleMenusu2")->trigger();
    Test::denetim<QMenu>(&f, "YapilacakIsListesiMenusu")->hide();
    QCOMPARE(baslik, QStringLiteral("Yapılacak İş Ekleme (İki)"));
    const auto eklenen = vt()->isleriListele(QStringLiteral("2-Anahtar"), false, false, QDate(2026, 12, 7));
    QCOMPARE(eklenen.size(), size_t(2));
    QVERIFY(eklenen[0].konu == QStringLiteral("Sağ Tıkla Eklenen") || eklenen[1].konu == QStringLiteral("Sağ Tıkla Eklenen"));
    // And a change is titled with that folder.
    QTest::mouseClick(alan, Qt::LeftButton, {}, satirNoktasi(l->model()->isNo(0)));
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("1-Anahtar"));
    QTest::mousePress(alan, Qt::RightButton, {}, satirNoktasi(ikidekiIs));
    QTest::mouseRelease(alan, Qt::RightButton, {}, satirNoktasi(ikidekiIs));
    QTRY_VERIFY(Test::denetim<QMenu>(&f, "YapilacakIsListesiMenusu")->isVisible());
    Test::modalGelince([&](QWidget *w) {
        auto *e = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        QVERIFY(e);
        baslik = e->windowTitle();
        Test::denetim<QPushButton>(e, "VazgecDugmesi")->click();
    });
    Test::denetim<QAction>(&f, "DegisiklikYapMenusu2")->trigger();
    Test::denetim<QMenu>(&f, "YapilacakIsListesiMenusu")->hide();
    QCOMPARE(baslik, QStringLiteral("Yapılacak İşi Değiştirme (İki)"));
}

void KlasorIslemleriTesti::sabitDugumlereIsTasinmaz()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("iş"), {}, {}, {}, true, false});
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    // Onto "Klasörlerim" or the root: refused as adding a job there is, with no question.
    for (const QString &k : {KlasorAgaci::KlasorAnahtari, KlasorAgaci::ProgramAnahtari}) {
        ortam->mesajlar->temizle();
        Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->vurguluDugumAyarla(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(k));
        f.IsiTasi(no);
        QCOMPARE(ortam->mesajlar->metinler(),
                 QStringList{QStringLiteral("Bu klasöre iş ekleyemezsiniz! Lütfen, başka bir klasör seçiniz ya da yeni bir klasör ekleyiniz.")});
        QCOMPARE(vt()->is(no).anahtari, QStringLiteral("1-Anahtar"));
        QVERIFY(!Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->vurguluDugum());
    }
    // No folder under the pointer: nothing is asked and nothing moves.
    ortam->mesajlar->temizle();
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->vurguluDugumAyarla(nullptr);
    f.IsiTasi(no);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QCOMPARE(vt()->is(no).anahtari, QStringLiteral("1-Anahtar"));

    // The tree itself does not take the drop there.
    KlasorAgaci *a = Test::denetim<KlasorAgaci>(&f, "KlasorListesi");
    QMimeData veri;
    veri.setData(IsSatiriModeli::IsNoMimeTuru, QByteArray::number(no));
    QSignalSpy birakildi(a, &KlasorAgaci::isBirakildi);
    auto surukle = [&](const QString &k) {
        const QPoint p = a->visualItemRect(a->dugum(k)).center();
        QDragEnterEvent giris(p, Qt::CopyAction | Qt::MoveAction, &veri, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(a->viewport(), &giris);
        QDragMoveEvent hareket(p, Qt::CopyAction | Qt::MoveAction, &veri, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(a->viewport(), &hareket);
        QDropEvent birak(p, Qt::CopyAction | Qt::MoveAction, &veri, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(a->viewport(), &birak);
        return std::make_pair(hareket.isAccepted(), birak.isAccepted());
    };
    QCOMPARE(surukle(KlasorAgaci::KlasorAnahtari), std::make_pair(false, false));
    QVERIFY(!a->vurguluDugum());
    QCOMPARE(surukle(QStringLiteral("1-Anahtar")), std::make_pair(true, true));
    QCOMPARE(a->vurguluDugum(), a->dugum(QStringLiteral("1-Anahtar")));
    QTRY_COMPARE(birakildi.size(), 1); // the move itself runs once the drag is over
}

void KlasorIslemleriTesti::agacVeritabaniniIzler()
{
    // The folders change in the database behind the tree (another desk on the office
    // server): the tree follows in place, keeping open folders open and the selection.
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("İki")});
    vt()->klasorEkle({QStringLiteral("3-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Üç")});
    vt()->klasorEkle({QStringLiteral("4-Anahtar"), QStringLiteral("3-Anahtar"), QStringLiteral("Dört")});
    vt()->isEkle({0, QStringLiteral("2-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("iş"), {}, {}, {}, true, false});
    AnaForm f(false);
    KlasorAgaci *agac = Test::denetim<KlasorAgaci>(&f, "KlasorListesi");
    auto *komutlar = f.findChild<KlasorKomutlari *>();
    QVERIFY(komutlar);
    agac->dugum(QStringLiteral("3-Anahtar"))->setExpanded(true);
    agac->dugum(QStringLiteral("1-Anahtar"))->setExpanded(true);
    agac->setCurrentItem(agac->dugum(QStringLiteral("2-Anahtar")));
    f.KlasorListesi_NodeClick(agac->dugum(QStringLiteral("2-Anahtar")));
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 1);
    QTreeWidgetItem *iki = agac->dugum(QStringLiteral("2-Anahtar"));

    // Renamed, moved under another folder, added, deleted.
    vt()->klasorAdiDegistir(QStringLiteral("3-Anahtar"), QStringLiteral("Üç (yeni)"));
    vt()->calistir("UPDATE KlasorBilgileriTablosu SET Bagi='3-Anahtar' WHERE Anahtari='2-Anahtar'");
    vt()->klasorEkle({QStringLiteral("5-Anahtar"), QStringLiteral("2-Anahtar"), QStringLiteral("Beş")});
    vt()->klasorVeIsleriniSil(QStringLiteral("4-Anahtar"));
    komutlar->KlasorListesiniEsitle();
    QCOMPARE(agac->dugum(QStringLiteral("3-Anahtar"))->text(0), QStringLiteral("Üç (yeni)"));
    QCOMPARE(agac->dugum(QStringLiteral("2-Anahtar")), iki); // the same node, moved
    QCOMPARE(iki->parent(), agac->dugum(QStringLiteral("3-Anahtar")));
    QCOMPARE(iki->parent()->indexOfChild(iki), 0);
    QCOMPARE(agac->dugum(QStringLiteral("5-Anahtar"))->parent(), iki);
    QVERIFY(!agac->dugum(QStringLiteral("4-Anahtar")));
    QCOMPARE(agac->currentItem(), iki);
    QVERIFY(agac->dugum(QStringLiteral("1-Anahtar"))->isExpanded() && agac->dugum(QStringLiteral("3-Anahtar"))->isExpanded());
    QCOMPARE(KlasorAgaci::resim(agac->dugum(QStringLiteral("3-Anahtar"))), 4);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 1); // not re-read
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());

    // The selected folder is deleted: the nearest folder above it is selected and listed.
    vt()->calistir("DELETE FROM KlasorBilgileriTablosu WHERE Anahtari IN ('2-Anahtar', '5-Anahtar')");
    komutlar->KlasorListesiniEsitle();
    QVERIFY(!agac->dugum(QStringLiteral("2-Anahtar")) && !agac->dugum(QStringLiteral("5-Anahtar")));
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("3-Anahtar"));
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 0);

    // While a name is being edited the tree waits, then follows.
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    agac->setCurrentItem(agac->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorAdiDegistir();
    QTRY_VERIFY(duzenleyici(f) && duzenleyici(f)->isVisible());
    vt()->klasorEkle({QStringLiteral("6-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Altı")});
    komutlar->KlasorListesiniEsitle();
    QVERIFY(!agac->dugum(QStringLiteral("6-Anahtar")));
    QTest::keyClick(duzenleyici(f), Qt::Key_Escape);
    QTRY_VERIFY(agac->dugum(QStringLiteral("6-Anahtar")));
    // An orphan that appears is told of once.
    vt()->klasorEkle({QStringLiteral("7-Anahtar"), QStringLiteral("99-Anahtar"), QStringLiteral("Yetim")});
    komutlar->KlasorListesiniEsitle();
    QCOMPARE(agac->dugum(QStringLiteral("7-Anahtar"))->parent(), agac->dugum(KlasorAgaci::KlasorAnahtari));
    QTRY_COMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    komutlar->KlasorListesiniEsitle();
    QTest::qWait(20);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
}

void KlasorIslemleriTesti::veritabanindakiAltKlasorSilmeyiEngeller()
{
    // The tree shows a leaf, but the database holds a sub-folder of it by now (another
    // desk added one): the delete is refused with the usual message, nothing is deleted,
    // and the tree shows the sub-folder.
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    const qint64 is = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("iş"),
                                    {}, {}, {}, true, false});
    AnaForm f(false);
    KlasorAgaci *agac = Test::denetim<KlasorAgaci>(&f, "KlasorListesi");
    agac->setCurrentItem(agac->dugum(QStringLiteral("1-Anahtar")));
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("Yeni alt")});
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.KlasorSil();
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Seçtiğiniz klasörün 'Alt Klasör'leri olduğu için silinemiyor!"));
    QCOMPARE(ortam->mesajlar->gosterilenler.last().simge, MesajSimgesi::Bilgi);
    QCOMPARE(ortam->son->sayi, 0);
    QCOMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral("Bir"));
    QCOMPARE(vt()->is(is).konu, QStringLiteral("iş"));
    QTRY_VERIFY(agac->dugum(QStringLiteral("2-Anahtar")));
    QCOMPARE(agac->dugum(QStringLiteral("2-Anahtar"))->parent(), agac->dugum(QStringLiteral("1-Anahtar")));
}

QTEST_MAIN(KlasorIslemleriTesti)
#include "tst_KlasorIslemleri.moc"

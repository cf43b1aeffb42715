// Folder commands and job commands of the main window, against a real database.

#include "TestOrtami.h"

#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
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

private:
    std::unique_ptr<Test::Ortam> ortam;
    Veritabani *vt() { return OrtakDegiskenler::VeritabaniBag; }
    static QLineEdit *duzenleyici(AnaForm &f) { return f.KlasorListesi->viewport()->findChild<QLineEdit *>(); }
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
        f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(KlasorAgaci::ProgramAnahtari));
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
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(QStringLiteral("4-Anahtar")));
    f.YeniKlasorEkle();
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("10-Anahtar"));
    QCOMPARE(f.seciliDugum()->parent(), f.KlasorListesi->dugum(QStringLiteral("4-Anahtar")));
    QVERIFY(f.seciliDugum()->parent()->isExpanded());
}

void KlasorIslemleriTesti::klasorAdiYerindeDegisir()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Eski")});
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi->setFocus();
    QTest::keyClick(f.KlasorListesi, Qt::Key_F2);
    QTRY_VERIFY(duzenleyici(f));
    QLineEdit *e = duzenleyici(f);
    e->selectAll();
    e->insert(QStringLiteral(" Ayşe'nin Davaları "));
    QTest::keyClick(e, Qt::Key_Return);
    QTRY_COMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral(" Ayşe'nin Davaları "));
    QCOMPARE(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar"))->text(0), QStringLiteral(" Ayşe'nin Davaları "));
    // The fixed nodes cannot be renamed.
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(KlasorAgaci::KlasorAnahtari));
    QTest::keyClick(f.KlasorListesi, Qt::Key_F2);
    QTest::qWait(50);
    QVERIFY(!duzenleyici(f) || !duzenleyici(f)->isVisible());
}

void KlasorIslemleriTesti::bosAdReddedilir()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Eski")});
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorAdiDegistir();
    QTRY_VERIFY(duzenleyici(f));
    duzenleyici(f)->clear();
    QTest::keyClick(duzenleyici(f), Qt::Key_Return);
    QTRY_COMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Klasör adı girmeniz gerekiyor!")});
    QCOMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral("Eski"));
    QCOMPARE(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar"))->text(0), QStringLiteral("Eski"));
    QTRY_VERIFY(duzenleyici(f) && duzenleyici(f)->isVisible()); // editing again
}

void KlasorIslemleriTesti::klasorSilmeKurallari()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Üst")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("Alt")});
    vt()->isEkle({0, QStringLiteral("2-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("a"), {}, {}, {}, true, false});
    const qint64 kalan = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("b"), {}, {}, {}, true, false});
    AnaForm f(false);
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(KlasorAgaci::KlasorAnahtari));
    f.KlasorSil();
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Bu klasör silinimez!"));
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorSil();
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Seçtiğiniz klasörün 'Alt Klasör'leri olduğu için silinemiyor!"));
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(QStringLiteral("2-Anahtar")));
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    f.KlasorSil();
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("'Alt' adlı bu klasörü silmek istediğinizden emin misiniz?"));
    QCOMPARE(vt()->klasorler().size(), 2);
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.KlasorSil();
    QCOMPARE(vt()->klasorler().size(), 1);
    QVERIFY(!f.KlasorListesi->dugum(QStringLiteral("2-Anahtar")));
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
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    f.YapilacakIslerListesi->satirSec(0);
    // No: nothing moves.
    f.KlasorListesi->vurguluDugumAyarla(f.KlasorListesi->dugum(QStringLiteral("2-Anahtar")));
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    f.IsiTasi(no);
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Seçilen işi taşımak istediğinizden emin misiniz?"));
    QCOMPARE(vt()->is(no).anahtari, QStringLiteral("1-Anahtar"));
    QVERIFY(!f.KlasorListesi->vurguluDugum());
    // Yes: stored, the target folder listed, the moved row selected.
    f.KlasorListesi->vurguluDugumAyarla(f.KlasorListesi->dugum(QStringLiteral("2-Anahtar")));
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.IsiTasi(no);
    QCOMPARE(vt()->is(no).anahtari, QStringLiteral("2-Anahtar"));
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("2-Anahtar"));
    QCOMPARE(f.YapilacakIslerListesi->satirSayisi(), 2);
    QCOMPARE(f.YapilacakIslerListesi->seciliIsNo(), no);
    // Onto "Klasörlerim": stored under its fixed key.
    f.KlasorListesi->vurguluDugumAyarla(f.KlasorListesi->dugum(KlasorAgaci::KlasorAnahtari));
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.IsiTasi(no);
    QCOMPARE(vt()->is(no).anahtari, KlasorAgaci::KlasorAnahtari);
}

void KlasorIslemleriTesti::isSilmeSecimi()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    QList<qint64> nolar;
    for (int i = 1; i <= 5; ++i)
        nolar << vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, i), QTime(9, 0), QString::number(i), {}, {}, {}, true, false});
    AnaForm f(false);
    f.KlasorListesi_NodeClick(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    IsListesi *l = f.YapilacakIslerListesi;
    l->satirSec(2);
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    f.IsiSil();
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("Seçili işi SİLMEK istediğinizden emin misiniz?"));
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
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(KlasorAgaci::KlasorAnahtari));
    f.YeniIsEkle();
    QCOMPARE(ortam->mesajlar->metinler(),
             QStringList{QStringLiteral("Bu klasöre iş ekleyemezsiniz! Lütfen, başka bir klasör seçiniz ya da yeni bir klasör ekleyiniz.")});
}

void KlasorIslemleriTesti::yapilmisIsDegistirmedenOnceSorulur()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 30), QStringLiteral("Bitti"), {}, {}, {}, true, true});
    AnaForm f(false);
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    f.YapilacakIslerListesi->satirSec(0);
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    f.DegisiklikYap();
    QCOMPARE(ortam->mesajlar->metinler().last(),
             QStringLiteral("Bu iş YAPILDI olarak işaretlenmiş! Değiştirmek istediğinizden emin misiniz?"));
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    bool acildi = false;
    Test::modalGelince([&](QWidget *w) {
        auto *e = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        QVERIFY(e);
        acildi = true;
        QVERIFY(e->IsYapildiOnayi->isEnabled());
        QVERIFY(!e->IsYapildiOnayi->isChecked());
        QVERIFY(!e->HatirlatmaVarOnayi->isChecked());
        QCOMPARE(e->Tag, QString::number(f.YapilacakIslerListesi->model()->is(0).isNo));
        QCOMPARE(e->windowTitle(), QStringLiteral("Yapılacak İşi Değiştirme (Bir)"));
        e->VazgecDugmesi->click();
    });
    f.DegisiklikYap();
    QVERIFY(acildi);
    QCOMPARE(OrtakDegiskenler::SeciliSatir, qint16(1));
}

void KlasorIslemleriTesti::sinirdaYeniKlasorReddedilir()
{
    vt()->klasorEkle({QStringLiteral("32767-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Son")});
    AnaForm f(false);
    QCOMPARE(f.EnBuyukKlasorNo, qint16(32767));
    f.YeniKlasorEkle();
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(vt()->klasorler().size(), 1);
    QCOMPARE(f.EnBuyukKlasorNo, qint16(32767));
}

QTEST_MAIN(KlasorIslemleriTesti)
#include "tst_KlasorIslemleri.moc"

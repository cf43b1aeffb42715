// The search window: its controls and key rules, the two refusals, results and their
// parallel keys, and going to the chosen job in the main window.

#include "TestOrtami.h"

#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "tools/AramaIslemleriFormu.h"
#include "ui/AnaForm.h"
#include "ui/OrtakDenetimler.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include "reminders/HatirlatmaFormu.h"
#include "tools/TakvimFormu.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QtTest>

#include <memory>

using namespace Zelvora;

class AramaIslemleriFormuTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void acilisVeTuslar();
    void retler();
    void sonuclarVeAnahtarlar();
    void ayrintiGoster();
    void agactaOlmayanKlasor();
    void anaFormdanAcilis();
    void tekSonucKlavyeyleAcilir();
    void ekranOkuyucuAdlari();

    void yapistirilanKesmeIsareti();
private:
    Veritabani *vt() { return &Veritabani::acik(); }
    qint64 ekle(const QString &anahtar, const QString &konu, const QString &yer, QDate tarih, QTime saat)
    {
        return vt()->isEkle({0, anahtar, tarih, saat, konu, yer, QString(), QStringLiteral("açıklama ") + konu, true,
                             false});
    }
    AramaIslemleriFormu *ac()
    {
        m_form = std::make_unique<AramaIslemleriFormu>(m_ana.get());
        m_form->show();
        if (!QTest::qWaitForWindowActive(m_form.get()))
            qWarning("search window did not become active");
        return m_form.get();
    }
    void ara(int yer, const QString &metin)
    {
        Test::denetim<QComboBox>(m_form.get(), "AranacakYerKutusu")->setCurrentIndex(yer);
        Test::denetim<QLineEdit>(m_form.get(), "ArananKutusu")->setText(metin);
        QTest::mouseClick(Test::denetim<QPushButton>(m_form.get(), "AraDugmesi"), Qt::LeftButton);
    }
    static QListWidget *sonucListesi(const QObject *f) { return Test::denetim<QListWidget>(f, "AramaSonuclariListesi"); }
    static QListWidget *anahtarListesi(const QObject *f) { return Test::denetim<QListWidget>(f, "AnahtarListesi"); }
    QStringList satirlar() const
    {
        QStringList l;
        for (int i = 0; i < sonucListesi(m_form.get())->count(); ++i)
            l << sonucListesi(m_form.get())->item(i)->text();
        return l;
    }
    void satirSec(int i)
    {
        QListWidget *l = sonucListesi(m_form.get());
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(i)).center());
    }
    std::unique_ptr<Test::Ortam> ortam;
    std::unique_ptr<AnaForm> m_ana;
    std::unique_ptr<AramaIslemleriFormu> m_form;
    qint64 m_ankara1 = 0, m_ankara2 = 0, m_izmir = 0, m_yetim = 0;
};

void AramaIslemleriFormuTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Ankara")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("İzmir")});
    m_ankara2 = ekle(QStringLiteral("1-Anahtar"), QStringLiteral("Keşif"), QStringLiteral("ANKARA ADLİYESİ"),
                     QDate(2026, 12, 9), QTime(14, 0));
    m_ankara1 = ekle(QStringLiteral("1-Anahtar"), QStringLiteral("Duruşma"), QStringLiteral("Ankara Adliyesi"),
                     QDate(2026, 12, 9), QTime(9, 30));
    m_izmir = ekle(QStringLiteral("2-Anahtar"), QStringLiteral("Duruşma"), QStringLiteral("İzmir adliyesi"),
                   QDate(2026, 12, 8), QTime(10, 0));
    // A job whose folder is gone.
    m_yetim = ekle(QStringLiteral("9-Anahtar"), QStringLiteral("Yetim iş"), QStringLiteral("Bilinmeyen yer"),
                   QDate(2026, 12, 1), QTime(8, 0));
    m_ana = std::make_unique<AnaForm>(false);
}

void AramaIslemleriFormuTesti::cleanup()
{
    m_form.reset();
    m_ana.reset();
    ortam.reset();
}

void AramaIslemleriFormuTesti::acilisVeTuslar()
{
    AramaIslemleriFormu *f = ac();
    QCOMPARE(f->windowTitle(), QStringLiteral("Arama İşlemleri..."));
    QCOMPARE(Test::denetim<QGroupBox>(f, "Cerceve")->title(), QStringLiteral("Arama Bilgileri "));
    QCOMPARE(Test::denetim<QLabel>(f, "Etiket0")->text(), QStringLiteral("Aranacak &Yer :"));
    QCOMPARE(Test::denetim<QLabel>(f, "Etiket1")->text(), QStringLiteral("Ara&nacak İfade :"));
    QCOMPARE(Test::denetim<QLabel>(f, "Etiket2")->text(), QStringLiteral("Arama Sonuçları :"));
    QCOMPARE(Test::denetim<QLabel>(f, "Etiket3")->text(), QString());
    QStringList yerler;
    for (int i = 0; i < Test::denetim<QComboBox>(f, "AranacakYerKutusu")->count(); ++i)
        yerler << Test::denetim<QComboBox>(f, "AranacakYerKutusu")->itemText(i);
    QCOMPARE(yerler, (QStringList{QStringLiteral("İşin Konusu"), QStringLiteral("İşin Yeri"), QStringLiteral("Açıklama")}));
    QCOMPARE(Test::denetim<QComboBox>(f, "AranacakYerKutusu")->currentIndex(), 0);
    QVERIFY(!Test::denetim<QComboBox>(f, "AranacakYerKutusu")->isEditable());
    QCOMPARE(Test::denetim<QPushButton>(f, "AraDugmesi")->text(), QStringLiteral("&Ara"));
    QCOMPARE(Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi")->text(), QStringLiteral("Ayrıntı &Göster"));
    QVERIFY(!Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi")->isEnabled());
    QCOMPARE(Test::denetim<QPushButton>(f, "KapatDugmesi")->text(), QStringLiteral("Kapat (Esc)"));
    QVERIFY(!anahtarListesi(f)->isVisible());

    // The delimiter and the pattern characters are not typed; Enter moves on to "Ara".
    Test::denetim<QLineEdit>(f, "ArananKutusu")->setFocus();
    QTRY_COMPARE(Test::denetim<QLabel>(f, "Etiket1")->palette().color(QPalette::WindowText), KoyuKirmizi);
    QTest::keyClicks(Test::denetim<QLineEdit>(f, "ArananKutusu"), QStringLiteral("a'd#l*i?y"));
    QCOMPARE(Test::denetim<QLineEdit>(f, "ArananKutusu")->text(), QStringLiteral("adliy"));
    QTest::keyClick(Test::denetim<QLineEdit>(f, "ArananKutusu"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QPushButton>(f, "AraDugmesi"));
    QVERIFY(Test::denetim<QLabel>(f, "Etiket1")->palette().color(QPalette::WindowText) != KoyuKirmizi);
    // A further Enter presses it.
    QTest::keyClick(Test::denetim<QPushButton>(f, "AraDugmesi"), Qt::Key_Return);
    QCOMPARE(sonucListesi(f)->count(), 0);
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Aradığınız ölçüte uyan kayıt bulunamadı!")});
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Uyari);
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QLineEdit>(f, "ArananKutusu"));

    // The field choice and the result list go on with Enter too, and mark their labels.
    Test::denetim<QComboBox>(f, "AranacakYerKutusu")->setFocus();
    QTRY_COMPARE(Test::denetim<QLabel>(f, "Etiket0")->palette().color(QPalette::WindowText), KoyuKirmizi);
    QTest::keyClick(Test::denetim<QComboBox>(f, "AranacakYerKutusu"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QLineEdit>(f, "ArananKutusu"));
    sonucListesi(f)->setFocus();
    QTRY_COMPARE(Test::denetim<QLabel>(f, "Etiket2")->palette().color(QPalette::WindowText), KoyuKirmizi);
    QTest::keyClick(sonucListesi(f), Qt::Key_Return);
    QVERIFY(!sonucListesi(f)->hasFocus());
    QTest::keyClick(f, Qt::Key_Escape);
    QVERIFY(!f->isVisible());
}

void AramaIslemleriFormuTesti::retler()
{
    AramaIslemleriFormu *f = ac();
    ara(0, QStringLiteral("   a  "));
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Lütfen, aranacak ifadeye en az İKİ karakter giriniz!")});
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Bilgi);
    QCOMPARE(Test::denetim<QLineEdit>(f, "ArananKutusu")->text(), QStringLiteral("a"));
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QLineEdit>(f, "ArananKutusu"));
    // A refused search still empties the earlier results.
    ortam->mesajlar->temizle();
    ara(1, QStringLiteral("adliye"));
    QCOMPARE(sonucListesi(f)->count(), 3);
    ara(1, QStringLiteral("x"));
    QCOMPARE(sonucListesi(f)->count(), 0);
    QCOMPARE(anahtarListesi(f)->count(), 0);
    QCOMPARE(Test::denetim<QLabel>(f, "Etiket3")->text(), QString());
    QVERIFY(!Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi")->isEnabled());
    // With no field chosen the field message comes first.
    ortam->mesajlar->temizle();
    Test::denetim<QComboBox>(f, "AranacakYerKutusu")->setCurrentIndex(-1);
    Test::denetim<QLineEdit>(f, "ArananKutusu")->setText(QStringLiteral("adliye"));
    QTest::mouseClick(Test::denetim<QPushButton>(f, "AraDugmesi"), Qt::LeftButton);
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Lütfen, ARANACAK YERİ listeden seçiniz!")});
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QComboBox>(f, "AranacakYerKutusu"));
    // Pasted pattern characters are searched as themselves, with no database error.
    ortam->mesajlar->temizle();
    ara(1, QStringLiteral("%'_*?#"));
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Aradığınız ölçüte uyan kayıt bulunamadı!")});
}

void AramaIslemleriFormuTesti::sonuclarVeAnahtarlar()
{
    AramaIslemleriFormu *f = ac();
    ara(1, QStringLiteral("  adliye "));
    QCOMPARE(Test::denetim<QLineEdit>(f, "ArananKutusu")->text(), QStringLiteral("adliye"));
    // The place of each job, in date and time order, case folded the Turkish way.
    QCOMPARE(satirlar(), (QStringList{QStringLiteral("İzmir adliyesi"), QStringLiteral("Ankara Adliyesi"),
                                      QStringLiteral("ANKARA ADLİYESİ")}));
    QCOMPARE(Test::denetim<QLabel>(f, "Etiket3")->text(), QStringLiteral("(3 iş bulundu!)"));
    QCOMPARE(sonucListesi(f)->item(0)->data(Qt::UserRole).toLongLong(), m_izmir);
    QCOMPARE(sonucListesi(f)->item(2)->data(Qt::UserRole).toLongLong(), m_ankara2);
    QStringList anahtarlar;
    for (int i = 0; i < anahtarListesi(f)->count(); ++i)
        anahtarlar << anahtarListesi(f)->item(i)->text();
    QCOMPARE(anahtarlar, (QStringList{QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("1-Anahtar")}));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QVERIFY(!Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi")->isEnabled());

    // Choosing a line enables the button and moves the key list along.
    satirSec(1);
    QVERIFY(Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi")->isEnabled());
    QCOMPARE(anahtarListesi(f)->currentRow(), 1);
    sonucListesi(f)->setFocus();
    QTest::keyClick(sonucListesi(f), Qt::Key_Down);
    QCOMPARE(anahtarListesi(f)->currentRow(), 2);

    // The subject field lists subjects.
    ara(0, QStringLiteral("DURUŞMA"));
    QCOMPARE(satirlar(), (QStringList{QStringLiteral("Duruşma"), QStringLiteral("Duruşma")}));
    QCOMPARE(Test::denetim<QLabel>(f, "Etiket3")->text(), QStringLiteral("(2 iş bulundu!)"));
    ara(2, QStringLiteral("açıklama keş"));
    QCOMPARE(satirlar(), QStringList{QStringLiteral("açıklama Keşif")});
}

void AramaIslemleriFormuTesti::ayrintiGoster()
{
    AnaForm *a = m_ana.get();
    AramaIslemleriFormu *f = ac();
    // With no line chosen nothing happens and the window stays.
    ara(1, QStringLiteral("adliye"));
    f->AyrintiGosterDugmesi_Click();
    QVERIFY(f->isVisible());
    // A second search in the same window: the line goes to its own folder and job, and
    // the nested folder is opened to show it.
    ara(0, QStringLiteral("duruşma"));
    QVERIFY(!Test::denetim<KlasorAgaci>(a, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar"))->isExpanded());
    satirSec(0);
    QTest::mouseClick(Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi"), Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(a->seciliAnahtar(), QStringLiteral("2-Anahtar"));
    QVERIFY(Test::denetim<KlasorAgaci>(a, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar"))->isExpanded());
    QCOMPARE(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->seciliIsNo(), m_izmir);
    QCOMPARE(a->durumMetni(), QStringLiteral("   1 iş listelendi"));

    // A double click does the same.
    f = ac();
    ara(1, QStringLiteral("ADLİYESİ"));
    QListWidget *l = sonucListesi(f);
    const QPoint p = l->visualItemRect(l->item(2)).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
    QVERIFY(!f->isVisible());
    QCOMPARE(a->seciliAnahtar(), QStringLiteral("1-Anahtar"));
    QCOMPARE(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->satirSayisi(), 2);
    QCOMPARE(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->seciliIsNo(), m_ankara2);
}

void AramaIslemleriFormuTesti::agactaOlmayanKlasor()
{
    AnaForm *a = m_ana.get();
    Test::denetim<KlasorAgaci>(a, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(a, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    a->KlasorListesi_NodeClick(a->seciliDugum());
    Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->satirSec(1);
    AramaIslemleriFormu *f = ac();
    ara(0, QStringLiteral("yetim"));
    QCOMPARE(anahtarListesi(f)->item(0)->text(), QStringLiteral("9-Anahtar"));
    satirSec(0);
    QTest::mouseClick(Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi"), Qt::LeftButton);
    // The tree and the list stay as they were; the job is not in that list.
    QVERIFY(!f->isVisible());
    QCOMPARE(a->seciliAnahtar(), QStringLiteral("1-Anahtar"));
    QCOMPARE(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->satirSayisi(), 2);
    QCOMPARE(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->seciliSatir(), 1);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void AramaIslemleriFormuTesti::anaFormdanAcilis()
{
    AnaForm *a = m_ana.get();
    a->show();
    QVERIFY(QTest::qWaitForWindowActive(a));
    QVERIFY(Test::denetim<QAction>(a, "BulMenusu")->isEnabled());
    QVERIFY(Test::denetim<QAction>(a, "Dugme8")->isEnabled());
    // F3 opens it; going to a job leaves the focus in the job list.
    bool acildi = false;
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<AramaIslemleriFormu *>(w);
        QVERIFY(f);
        acildi = true;
        Test::denetim<QLineEdit>(f, "ArananKutusu")->setText(QStringLiteral("izmir"));
        Test::denetim<QComboBox>(f, "AranacakYerKutusu")->setCurrentIndex(1);
        QTest::mouseClick(Test::denetim<QPushButton>(f, "AraDugmesi"), Qt::LeftButton);
        sonucListesi(f)->setCurrentRow(0);
        QTest::mouseClick(Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi"), Qt::LeftButton);
    });
    QTest::keyClick(a, Qt::Key_F3);
    QVERIFY(acildi);
    QCOMPARE(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->seciliIsNo(), m_izmir);
    QTRY_COMPARE(a->focusWidget(), static_cast<QWidget *>(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")));

    // The toolbar button opens it too; Esc closes it and changes nothing.
    acildi = false;
    Test::modalGelince([&](QWidget *w) {
        acildi = qobject_cast<AramaIslemleriFormu *>(w) != nullptr;
        QTest::keyClick(w, Qt::Key_Escape);
    });
    Test::denetim<QAction>(a, "Dugme8")->trigger();
    QVERIFY(acildi);
    QCOMPARE(a->seciliAnahtar(), QStringLiteral("2-Anahtar"));

    // With only today's jobs shown, search is off and F3 does nothing.
    Test::denetim<QCheckBox>(a, "SadeceBugunYapilacakIsleriListeleOnayi")->setChecked(true);
    QVERIFY(!Test::denetim<QAction>(a, "BulMenusu")->isEnabled());
    QVERIFY(!Test::denetim<QAction>(a, "Dugme8")->isEnabled());
    acildi = false;
    Test::modalGelince([&](QWidget *w) {
        acildi = true;
        w->close();
    }, 300);
    QTest::keyClick(a, Qt::Key_F3);
    QTest::qWait(350);
    QVERIFY(!acildi);
    Test::denetim<QCheckBox>(a, "SadeceBugunYapilacakIsleriListeleOnayi")->setChecked(false);
    QVERIFY(Test::denetim<QAction>(a, "BulMenusu")->isEnabled());
    a->hide();
}

void AramaIslemleriFormuTesti::yapistirilanKesmeIsareti()
{
    // Job texts hold "’" for an apostrophe; a pasted "'" finds them.
    const qint64 no = ekle(QStringLiteral("1-Anahtar"), QStringLiteral("Ali’nin davası"), QString(), QDate(2026, 12, 10),
                           QTime(9, 0));
    AramaIslemleriFormu *f = ac();
    ara(0, QStringLiteral("ali'nin"));
    QCOMPARE(satirlar(), QStringList{QStringLiteral("Ali’nin davası")});
    QCOMPARE(sonucListesi(f)->item(0)->data(Qt::UserRole).toLongLong(), no);
    QCOMPARE(Test::denetim<QLineEdit>(f, "ArananKutusu")->text(), QStringLiteral("ali’nin"));
}

void AramaIslemleriFormuTesti::tekSonucKlavyeyleAcilir()
{
    AnaForm *a = m_ana.get();
    AramaIslemleriFormu *f = ac();
    ara(0, QStringLiteral("keşif"));
    QListWidget *l = sonucListesi(f);
    QCOMPARE(l->count(), 1);
    QVERIFY(!Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi")->isEnabled());
    // Tab into the list chooses its line; Enter goes on to the button, which opens it.
    l->setFocus(Qt::TabFocusReason);
    QVERIFY(l->item(0)->isSelected());
    QVERIFY(Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi")->isEnabled());
    QTest::keyClick(l, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi"));
    QTest::keyClick(Test::denetim<QPushButton>(f, "AyrintiGosterDugmesi"), Qt::Key_Space);
    QVERIFY(!f->isVisible());
    QCOMPARE(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->seciliIsNo(), m_ankara2);
}

void AramaIslemleriFormuTesti::ekranOkuyucuAdlari()
{
    auto ad = [](QObject *o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
    AnaForm *a = m_ana.get();
    QCOMPARE(Test::denetim<QToolBar>(a, "DugmeCubugu")->objectName(), QStringLiteral("DugmeCubugu"));
    QCOMPARE(ad(Test::denetim<QToolBar>(a, "DugmeCubugu")), QStringLiteral("Araç Çubuğu"));
    QCOMPARE(ad(Test::denetim<KlasorAgaci>(a, "KlasorListesi")), QStringLiteral("Klasörler"));
    QCOMPARE(ad(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")), QStringLiteral("Yapılacak İşler"));
    HatirlatmaFormu *h = a->hatirlatmaFormu();
    QCOMPARE(ad(Test::denetim<IsListesi>(h, "YapilacakIslerListesi")), QStringLiteral("Hatırlatılacak İşler"));
    QCOMPARE(ad(Test::denetim<QPlainTextEdit>(h, "AciklamaKutusu")), QStringLiteral("Açıklama"));
    TakvimFormu takvim;
    QCOMPARE(ad(Test::denetim<QListWidget>(&takvim, "AyKutusu")), QStringLiteral("Ay Listesi :"));
    AramaIslemleriFormu *f = ac();
    QCOMPARE(ad(sonucListesi(f)), QStringLiteral("Arama Sonuçları :"));
    // The list's lines are read as its children.
    ara(1, QStringLiteral("adliye"));
    QAccessibleInterface *liste = QAccessible::queryAccessibleInterface(sonucListesi(f));
    QCOMPARE(liste->childCount(), 3);
    QCOMPARE(liste->child(0)->text(QAccessible::Name), sonucListesi(f)->item(0)->text());
}

QTEST_MAIN(AramaIslemleriFormuTesti)
#include "tst_AramaIslemleriFormu.moc"

// The login password windows: the prompt with its three chances, the set/change
// window with its checks and questions, and both in their places at start-up and in
// the main window's menu.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/GirisSifresi.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"
#include "tools/GirisSifresiBelirleDegistirFormu.h"
#include "tools/GirisSifresiSorFormu.h"
#include "ui/AnaForm.h"
#include "ui/BaslangicModulu.h"
#include "ui/BildirimAlani.h"
#include "ui/OrtakDenetimler.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

#include <memory>

using namespace Zelvora;

class GirisSifresiFormlariTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void sifreKutulari();
    void soruIkiYanlisVeDogru();
    void ucuncuYanlisVeIptalProgramiBitirir();
    void baslangictaSorulur();
    void belirlemeDenetimSirasi();
    void degistirmeVeKaldirma();
    void menuBasligiDurumuIzler();

    void vazgecmeSaklanamazsaPencereKalir();
private:
    std::unique_ptr<Test::Ortam> ortam;
    QStringList mesajlar() const { return ortam->mesajlar->metinler(); }
    QWidget *odak() const { return QApplication::focusWidget(); }
    static void yaz(QLineEdit *kutu, const QString &metin)
    {
        kutu->setFocus();
        kutu->selectAll();
        QTest::keyClicks(kutu, metin);
    }
    static void tikla(QPushButton *d) { QTest::mouseClick(d, Qt::LeftButton); }
    // The controls both windows share by name.
    static QLineEdit *sifre(const QObject *f) { return Test::denetim<QLineEdit>(f, "SifreKutusu"); }
    static QLineEdit *dogrula(const QObject *f) { return Test::denetim<QLineEdit>(f, "SifreDogrulaKutusu"); }
    static QPushButton *tamam(const QObject *f) { return Test::denetim<QPushButton>(f, "TamamDugmesi"); }
    static QPushButton *iptal(const QObject *f) { return Test::denetim<QPushButton>(f, "IptalDugmesi"); }
    // The old scrambled form: checking a wrong entry against it costs nothing.
    static void eskiSifreYaz(const QString &sifre)
    {
        Ayarlar::yaz(AyarAdi::GirisSifresiSor, QStringLiteral("-1"));
        Ayarlar::yaz(AyarAdi::GirisSifresi, MetniSifrele(sifre, GirisSifresi::EskiAlfabe, GirisSifresi::EskiAnahtar));
        OrtakDegiskenler::GirisSifresiSorulsun = true;
    }
    template <class F> static void goster(F &f)
    {
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }
};

void GirisSifresiFormlariTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    OrtakDegiskenler::GirisSifresiSorulsun = false;
}

void GirisSifresiFormlariTesti::cleanup()
{
    ortam.reset();
    OrtakDegiskenler::GirisSifresiSorulsun = false;
}

void GirisSifresiFormlariTesti::sifreKutulari()
{
    GirisSifresiBelirleDegistirFormu f;
    goster(f);
    for (QLineEdit *k : {sifre(&f), dogrula(&f)}) {
        QCOMPARE(k->echoMode(), QLineEdit::Password);
        QCOMPARE(k->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, k), int('*'));
        yaz(k, QStringLiteral("12a-b 3.4567890123"));
        QCOMPARE(k->text(), QStringLiteral("1234567890")); // figures only, at most 10
        // A paste holding anything else is refused whole.
        k->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("12x4"));
        k->paste();
        QCOMPARE(k->text(), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("5678"));
        k->paste();
        QCOMPARE(k->text(), QStringLiteral("5678"));
    }
    // A focused box's caption turns dark red; it gets its whole text selected.
    sifre(&f)->setFocus();
    QCOMPARE(Test::denetim<QLabel>(&f, "Etiket0")->palette().color(QPalette::WindowText), KoyuKirmizi);
    QCOMPARE(sifre(&f)->selectedText().size(), 4);
    dogrula(&f)->setFocus();
    QVERIFY(Test::denetim<QLabel>(&f, "Etiket0")->palette().color(QPalette::WindowText) != KoyuKirmizi);
    QCOMPARE(Test::denetim<QLabel>(&f, "Etiket1")->palette().color(QPalette::WindowText), KoyuKirmizi);
    QCOMPARE(Test::denetim<QLabel>(&f, "Etiket0")->buddy(), sifre(&f));
}

void GirisSifresiFormlariTesti::soruIkiYanlisVeDogru()
{
    eskiSifreYaz(QStringLiteral("4711"));
    GirisSifresiSorFormu f;
    goster(f);
    QCOMPARE(f.windowTitle(), QStringLiteral("Giriş Şifresi"));
    QCOMPARE(Test::denetim<QLabel>(&f, "Etiket")->text(), QStringLiteral("Şifre :"));
    QVERIFY(tamam(&f)->isDefault());

    tikla(tamam(&f));
    yaz(sifre(&f), QStringLiteral("471"));
    tikla(tamam(&f));
    QCOMPARE(sifre(&f)->text(), QStringLiteral("471")); // a short entry is kept for correction
    yaz(sifre(&f), QStringLiteral("1111"));
    tikla(tamam(&f));
    QCOMPARE(sifre(&f)->text(), QString());
    QCOMPARE(odak(), sifre(&f));
    tikla(tamam(&f)); // empty again: not counted
    yaz(sifre(&f), QStringLiteral("2222"));
    QTest::keyClick(sifre(&f), Qt::Key_Return); // Enter is "Tamam"
    QCOMPARE(mesajlar(), (QStringList{QStringLiteral("Lütfen, en az 4 rakamdan oluşan bir şifre giriniz!"),
                                      QStringLiteral("Şifre en az 4 rakam olmalıdır!"), QStringLiteral("Şifre yanlış!"),
                                      QStringLiteral("Lütfen, en az 4 rakamdan oluşan bir şifre giriniz!"),
                                      QStringLiteral("Şifre yanlış!")}));
    QCOMPARE(f.yanlisSayisi(), 2);

    yaz(sifre(&f), QStringLiteral("4711"));
    tikla(tamam(&f));
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QVERIFY(!f.isVisible());
    QCOMPARE(ortam->son->sayi, 0);
    // The old scrambled value has given way to a hash.
    QVERIFY(Ayarlar::oku(AyarAdi::GirisSifresi).startsWith(GirisSifresi::Onek));
}

void GirisSifresiFormlariTesti::ucuncuYanlisVeIptalProgramiBitirir()
{
    ortam->veritabaniniAc();
    Tercihler::ArkaplandaCalissin = 0;
    eskiSifreYaz(QStringLiteral("4711"));
    {
        AnaForm ana(true);
        GirisSifresiSorFormu f(&ana);
        goster(f);
        for (const QString &s : {QStringLiteral("1111"), QStringLiteral("2222"), QStringLiteral("3333")}) {
            yaz(sifre(&f), s);
            tikla(tamam(&f));
        }
        QCOMPARE(ortam->mesajlar->gosterilenler.size(), 3);
        const Test::GosterilenMesaj son = ortam->mesajlar->gosterilenler.last();
        QCOMPARE(son.metin, QStringLiteral("3 kez yanlış şifre girildiği için program kapatılacak!"));
        QCOMPARE(son.simge, MesajSimgesi::Uyari);
        QCOMPARE(ortam->son->sayi, 1);
        QVERIFY(!f.isVisible());
        QVERIFY(!ana.isVisible()); // the main window is unloaded, without the exit question
    }
    ortam->mesajlar->temizle();
    {
        AnaForm ana(false);
        GirisSifresiSorFormu f(&ana);
        goster(f);
        QTest::keyClick(sifre(&f), Qt::Key_Escape);
        QCOMPARE(ortam->son->sayi, 2);
        QVERIFY(mesajlar().isEmpty());
    }
    {
        // The close box is a cancel too: the program does not run on unlocked.
        GirisSifresiSorFormu f;
        goster(f);
        f.close();
        QCOMPARE(ortam->son->sayi, 3);
    }
    Tercihler::ArkaplandaCalissin = 1;
}

void GirisSifresiFormlariTesti::baslangictaSorulur()
{
    ortam->saat->an = QDateTime::currentDateTime();
    ortam->bosVeritabaniYaz();
    GirisSifresi::belirle(QStringLiteral("2468"));
    OrtakDegiskenler::GirisSifresiSorulsun = false; // start-up reads it from the store

    bool kilitsizAcildi = true;
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<GirisSifresiSorFormu *>(w);
        QVERIFY(f);
        QCOMPARE(f->parentWidget(), AnaForm::ornek()); // over the loaded main window
        // Still locked: a job due now is not shown by the reminder scan.
        Veritabani::acik().isEkle({0, QStringLiteral("1-Anahtar"), ortam->saat->an.date(),
                                                 ortam->saat->an.time().addSecs(-60), QStringLiteral("Gizli"),
                                                 QString(), QString(), QString(), true, false});
        AnaForm::ornek()->YapilacakIsKontrolu_Timer();
        kilitsizAcildi = AnaForm::ornek()->hatirlatmaFormuVar();
        // Nor do the preferences open from the tray menu.
        Test::denetim<QAction>(AnaForm::ornek(), "TercihlerMenusu2")->trigger();
        kilitsizAcildi = kilitsizAcildi || AnaForm::ornek()->tercihlerFormu();
        // Nor is the hidden main window shown: by the tray's "Göster", its double-click
        // or a second start's request (all of them AnaForm::Goster).
        Test::denetim<QAction>(AnaForm::ornek(), "GosterMenusu")->trigger();
        if (auto *simge = AnaForm::ornek()->bildirimAlani())
            Q_EMIT simge->ciftTiklandi();
        AnaForm::ornek()->Goster();
        kilitsizAcildi = kilitsizAcildi || AnaForm::ornek()->isVisible();
        QVERIFY(f->isVisible());
        yaz(sifre(f), QStringLiteral("2468"));
        tikla(tamam(f));
    });
    AnaForm *a = BaslangicModulu::Main({QStringLiteral("-Simge")});
    QVERIFY(a);
    QVERIFY(!a->isVisible());
    QVERIFY(!kilitsizAcildi);
    QCOMPARE(ortam->son->sayi, 0);
    // Unlocked, the same scan brings the job up.
    bool hatirlatildi = false;
    Test::modalGelince([&](QWidget *w) {
        hatirlatildi = w->objectName() == QStringLiteral("HatirlatmaFormu");
        w->close();
    });
    a->YapilacakIsKontrolu_Timer();
    QVERIFY(hatirlatildi);
    delete a;

    // Three wrong entries: the program ends and start-up returns no window.
    Test::modalGelince([&](QWidget *w) {
        auto *f = static_cast<GirisSifresiSorFormu *>(w);
        for (int i = 0; i < 3; ++i) {
            yaz(sifre(f), QStringLiteral("1357"));
            tikla(tamam(f));
        }
    });
    QVERIFY(!BaslangicModulu::Main({QStringLiteral("-Simge")}));
    QCOMPARE(ortam->son->sayi, 1);
    QCOMPARE(mesajlar().last(), QStringLiteral("3 kez yanlış şifre girildiği için program kapatılacak!"));
}

void GirisSifresiFormlariTesti::belirlemeDenetimSirasi()
{
    GirisSifresiBelirleDegistirFormu f;
    goster(f);
    QCOMPARE(f.windowTitle(), QStringLiteral("Giriş Şifresi Belirle"));
    QCOMPARE(Test::denetim<QLabel>(&f, "Etiket0")->text(), QStringLiteral("Şifre :"));
    QCOMPARE(Test::denetim<QLabel>(&f, "Etiket1")->text(), QStringLiteral("Doğrula :"));
    QCOMPARE(iptal(&f)->text(), QStringLiteral("İptal"));

    tikla(tamam(&f));
    QCOMPARE(odak(), sifre(&f));
    yaz(sifre(&f), QStringLiteral("123"));
    tikla(tamam(&f));
    QCOMPARE(odak(), sifre(&f));
    yaz(sifre(&f), QStringLiteral("1234"));
    tikla(tamam(&f));
    QCOMPARE(odak(), dogrula(&f));
    yaz(dogrula(&f), QStringLiteral("1243"));
    tikla(tamam(&f));
    QCOMPARE(odak(), dogrula(&f));
    QCOMPARE(mesajlar(),
             (QStringList{QStringLiteral("Lütfen, en az 4 rakamdan oluşan bir şifre giriniz!"),
                          QStringLiteral("Şifre en az 4 rakam olmalıdır!"),
                          QStringLiteral("Belirlediğiniz şifreyi doğrulamak için lütfen, yeniden yazınız!"),
                          QStringLiteral("Doğrulamak için girdiğiniz değer, şifreden farklı! Lütfen, kontrol ediniz.")}));
    QVERIFY(!OrtakDegiskenler::GirisSifresiSorulsun);
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresi), QString());

    yaz(dogrula(&f), QStringLiteral("1234"));
    QTest::keyClick(dogrula(&f), Qt::Key_Return);
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QVERIFY(OrtakDegiskenler::GirisSifresiSorulsun);
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresiSor), QStringLiteral("-1"));
    QVERIFY(GirisSifresi::eslesir(QStringLiteral("1234"), Ayarlar::oku(AyarAdi::GirisSifresi)));
}

void GirisSifresiFormlariTesti::degistirmeVeKaldirma()
{
    // No password: Esc asks, Yes is the default; No keeps the window open for input.
    {
        GirisSifresiBelirleDegistirFormu f;
        goster(f);
        ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
        QTest::keyClick(sifre(&f), Qt::Key_Escape);
        QCOMPARE(ortam->mesajlar->gosterilenler.last().metin, QStringLiteral("GİRİŞ ŞİFRESİ belirlemek istemiyor musunuz?"));
        QCOMPARE(ortam->mesajlar->gosterilenler.last().varsayilan, MesajCevabi::Evet);
        QVERIFY(f.isVisible());
        // The close box closes without a question.
        f.close();
        QVERIFY(!f.isVisible());
        QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    }

    eskiSifreYaz(QStringLiteral("1111"));
    const QString eski = Ayarlar::oku(AyarAdi::GirisSifresi);
    {
        GirisSifresiBelirleDegistirFormu f;
        goster(f);
        QCOMPARE(f.windowTitle(), QStringLiteral("Giriş Şifresi Değiştir"));
        QCOMPARE(Test::denetim<QLabel>(&f, "Etiket0")->text(), QStringLiteral("Yeni Şifre :"));
        QCOMPARE(iptal(&f)->text(), QStringLiteral("Şifreyi Kaldır"));
        // "Şifreyi Kaldır", No (the default): closes, nothing changes.
        ortam->mesajlar->temizle();
        tikla(iptal(&f));
        QCOMPARE(mesajlar(), QStringList{QStringLiteral("GİRİŞ ŞİFRESİ'ni kaldırmak istiyor musunuz?")});
        QCOMPARE(ortam->mesajlar->gosterilenler.last().varsayilan, MesajCevabi::Hayir);
        QVERIFY(!f.isVisible());
        QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresi), eski);
        QVERIFY(OrtakDegiskenler::GirisSifresiSorulsun);
    }
    {
        // A new password without the old one.
        GirisSifresiBelirleDegistirFormu f;
        goster(f);
        yaz(sifre(&f), QStringLiteral("98765"));
        yaz(dogrula(&f), QStringLiteral("98765"));
        tikla(tamam(&f));
        QVERIFY(GirisSifresi::eslesir(QStringLiteral("98765"), Ayarlar::oku(AyarAdi::GirisSifresi)));
        QVERIFY(!GirisSifresi::eslesir(QStringLiteral("1111"), Ayarlar::oku(AyarAdi::GirisSifresi)));
    }
    {
        GirisSifresiBelirleDegistirFormu f;
        goster(f);
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        QTest::keyClick(sifre(&f), Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QVERIFY(!OrtakDegiskenler::GirisSifresiSorulsun);
        QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresiSor), QStringLiteral("0"));
        QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresi), QString());
    }
}

void GirisSifresiFormlariTesti::menuBasligiDurumuIzler()
{
    ortam->veritabaniniAc();
    AnaForm ana(false);
    ana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ana));
    QCOMPARE(Test::denetim<QAction>(&ana, "GirisSifresiBelirleDegistirMenusu")->text(), QStringLiteral("Giriş Şifresi Belirle..."));
    QVERIFY(Test::denetim<QAction>(&ana, "GirisSifresiBelirleDegistirMenusu")->isEnabled());
    // A password that cannot be stored: told, the window stays open with the entry,
    // and neither the state nor the menu says it was set.
    Ayarlar::yaz(AyarAdi::GirisSifresiSor, QStringLiteral("0"));
    Ayarlar::kaydet();
    ortam->ayarDosyasiYazilamaz(true);
    const auto saklanamadiMi = [&](GirisSifresiBelirleDegistirFormu *f) {
        QCOMPARE(mesajlar().size(), 1);
        QVERIFY(mesajlar().first().startsWith(QStringLiteral("Ayar kaydedilemedi!")));
        QVERIFY(f->isVisible());
        ortam->mesajlar->temizle();
        f->close();
    };
    Test::modalGelince([&](QWidget *w) {
        auto *f = static_cast<GirisSifresiBelirleDegistirFormu *>(w);
        yaz(sifre(f), QStringLiteral("4444"));
        yaz(dogrula(f), QStringLiteral("4444"));
        tikla(tamam(f));
        QCOMPARE(dogrula(f)->text(), QStringLiteral("4444"));
        saklanamadiMi(f);
    });
    Test::denetim<QAction>(&ana, "GirisSifresiBelirleDegistirMenusu")->trigger();
    QVERIFY(!OrtakDegiskenler::GirisSifresiSorulsun);
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresiSor), QStringLiteral("0"));
    QCOMPARE(Test::denetim<QAction>(&ana, "GirisSifresiBelirleDegistirMenusu")->text(), QStringLiteral("Giriş Şifresi Belirle..."));

    ortam->ayarDosyasiYazilamaz(false);
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<GirisSifresiBelirleDegistirFormu *>(w);
        QVERIFY(f);
        QCOMPARE(f->parentWidget(), &ana);
        yaz(sifre(f), QStringLiteral("4444"));
        yaz(dogrula(f), QStringLiteral("4444"));
        tikla(tamam(f));
    });
    Test::denetim<QAction>(&ana, "GirisSifresiBelirleDegistirMenusu")->trigger();
    QCOMPARE(Test::denetim<QAction>(&ana, "GirisSifresiBelirleDegistirMenusu")->text(), QStringLiteral("Giriş Şifresi Değiştir..."));

    // Nor a removal that cannot be stored.
    ortam->ayarDosyasiYazilamaz(true);
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    Test::modalGelince([&](QWidget *w) {
        auto *f = static_cast<GirisSifresiBelirleDegistirFormu *>(w);
        tikla(iptal(f));
        ortam->mesajlar->gosterilenler.removeFirst(); // the question
        saklanamadiMi(f);
    });
    Test::denetim<QAction>(&ana, "GirisSifresiBelirleDegistirMenusu")->trigger();
    QVERIFY(OrtakDegiskenler::GirisSifresiSorulsun);
    QCOMPARE(Test::denetim<QAction>(&ana, "GirisSifresiBelirleDegistirMenusu")->text(), QStringLiteral("Giriş Şifresi Değiştir..."));
    ortam->ayarDosyasiYazilamaz(false);
    ana.hide();
}

void GirisSifresiFormlariTesti::vazgecmeSaklanamazsaPencereKalir()
{
    // No password, and declining one cannot be stored: the message says the entries stay
    // in the window, so the window stays.
    GirisSifresiBelirleDegistirFormu f;
    goster(f);
    yaz(sifre(&f), QStringLiteral("12"));
    ortam->ayarDosyasiYazilamaz(true);
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    QTest::keyClick(sifre(&f), Qt::Key_Escape);
    ortam->ayarDosyasiYazilamaz(false);
    QCOMPARE(mesajlar().size(), 2);
    QVERIFY(mesajlar().last().contains(QStringLiteral("Girdikleriniz pencerede duruyor.")));
    QVERIFY(f.isVisible());
    QCOMPARE(sifre(&f)->text(), QStringLiteral("12"));
    QVERIFY(!OrtakDegiskenler::GirisSifresiSorulsun);
}

QTEST_MAIN(GirisSifresiFormlariTesti)
#include "tst_GirisSifresiFormlari.moc"

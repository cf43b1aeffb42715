// The preferences window: its controls and their dependencies, the "Tamam" steps
// with their effects on the store, the autostart entry, the tray icon and the main
// window, and how the main window opens it.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Platform.h"
#include "tools/TercihlerFormu.h"
#include "ui/AnaForm.h"
#include "ui/AyarliKutu.h"
#include "ui/BildirimAlani.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace Zelvora;

class TercihlerFormuTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ilkAcilisVeDegisiklikYok();
    void bagimliliklarVeIlkAyarlar();
    void sesDosyasiYoksaYarimKalir();
    void digerKlasordenSesVeHepsiKapali();
    void otomatikBaslatmaVeSimge();
    void alarmGeriAcilir();
    void anaFormdanAcilis();

private:
    std::unique_ptr<Test::Ortam> ortam;
    std::unique_ptr<TercihlerFormu> form;
    TercihlerFormu *ac()
    {
        form = std::make_unique<TercihlerFormu>();
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("preferences window did not become active");
        return form.get();
    }
    // The controls of the window open now.
    template <class T> T *denetim(const char *ad) const { return Test::denetim<T>(form.get(), ad); }
    QCheckBox *onay(const char *ad) const { return denetim<QCheckBox>(ad); }
    QPushButton *dugme(const char *ad) const { return denetim<QPushButton>(ad); }
    AyarliKutu *sayiKutusu() const { return denetim<AyarliKutu>("CekmeliListeSaklanacakSayiKutusu"); }
    QLineEdit *sesDosyasiKutusu() const { return denetim<QLineEdit>("SesDosyasiKutusu"); }
    static void tikla(QAbstractButton *d) { QTest::mouseClick(d, Qt::LeftButton); }
    static QString ayar(const QString &anahtar) { return Ayarlar::oku(AyarAdi::Ayarlar, anahtar, QStringLiteral("yok")); }
    void alarmDosyasiKoy() const
    {
        QFile f(ortam->programKlasoru() + QStringLiteral("Alarm.wav"));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
};

void TercihlerFormuTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
}

void TercihlerFormuTesti::cleanup()
{
    form.reset();
    ortam.reset();
}

void TercihlerFormuTesti::ilkAcilisVeDegisiklikYok()
{
    TercihlerFormu *f = ac();
    QCOMPARE(f->windowTitle(), QStringLiteral("Tercihler"));
    const QList<QPair<QCheckBox *, QString>> onaylar = {
        {onay("CekmeliListelereGirilenDegerleriSaklaOnayi"), QStringLiteral("Ç&ekmeli listelere girilen son ")},
        {onay("IlkHarflerBuyukOlsunOnayi"), QStringLiteral("Veri girişlerinde \"İlk &Harfler\" büyük olsun ")},
        {onay("OtomatikBaslasinOnayi"), QStringLiteral("Program, oturum açılırken &otomatik açılsın ")},
        {onay("ArkaplandaCalissinOnayi"), QStringLiteral("Program, &arka planda sürekli çalışsın ")},
        {onay("SesliUyariVerOnayi"), QStringLiteral("Hatırlatmalarda &sesli uyarı verilsin ")},
        {onay("EnUstteOnayi"), QStringLiteral("Hatırlatma pen&ceresi daima en üstte olsun ")}};
    // A first run: everything on, 3 entries kept, "Alarm.wav" in the program folder;
    // only the autostart tick is off, as no entry has been written yet.
    for (const auto &[onay, baslik] : onaylar) {
        QCOMPARE(onay->text(), baslik);
        QVERIFY2(onay->isChecked() == (onay->objectName() != QLatin1String("OtomatikBaslasinOnayi")), qPrintable(baslik));
    }
    QVERIFY(!QFile::exists(Platform::otomatikBaslatmaDosyasi()));
    QCOMPARE(denetim<QLabel>("Etiket0")->text(), QStringLiteral("değeri sakla"));
    QCOMPARE(denetim<QLabel>("Etiket1")->text(), QStringLiteral("Ses dosyası :"));
    QCOMPARE(dugme("SecDugmesi")->text(), QStringLiteral("Seç..."));
    QCOMPARE(dugme("IlkAyarlarDugmesi")->text(), QStringLiteral("İl&k Ayarlar"));
    QCOMPARE(sayiKutusu()->Text(), QStringLiteral("3"));
    QCOMPARE(sayiKutusu()->Min(), 20);
    QCOMPARE(sayiKutusu()->Max(), 1);
    QCOMPARE(sesDosyasiKutusu()->text(), QStringLiteral("Alarm.wav"));
    QCOMPARE(f->sesDosyasiKlasoru(), ortam->programKlasoru());
    QVERIFY(sesDosyasiKutusu()->isReadOnly());
    QVERIFY(onay("ArkaplandaCalissinOnayi")->isEnabled()); // autostart is off
    QVERIFY(!dugme("TamamDugmesi")->isEnabled());

    // The count alone does not enable "Tamam"; Esc stores nothing.
    sayiKutusu()->DegerKutusu->setFocus();
    QTest::keyClick(sayiKutusu()->DegerKutusu, Qt::Key_Up);
    QCOMPARE(sayiKutusu()->Value(), 4);
    QVERIFY(!dugme("TamamDugmesi")->isEnabled());
    // Enter on the count moves on and presses nothing.
    QTest::keyClick(sayiKutusu()->DegerKutusu, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), onay("IlkHarflerBuyukOlsunOnayi"));
    QTest::keyClick(onay("IlkHarflerBuyukOlsunOnayi"), Qt::Key_Return);
    QVERIFY(f->isVisible());
    // Esc leaves at once, even from a count out of range: there is nothing to check.
    sayiKutusu()->DegerKutusu->setFocus();
    sayiKutusu()->DegerKutusu->selectAll();
    QTest::keyClicks(sayiKutusu()->DegerKutusu, QStringLiteral("25"));
    QTest::keyClick(sayiKutusu()->DegerKutusu, Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QVERIFY(Ayarlar::bolumDegerleri(AyarAdi::Ayarlar).isEmpty());

    // A click on "Tamam" with a count out of range is the leave of the box: the range
    // message, the focus kept in the box, and the click goes no further.
    f = ac();
    tikla(onay("IlkHarflerBuyukOlsunOnayi"));
    AyarliKutu *sayi = sayiKutusu();
    sayi->DegerKutusu->setFocus();
    sayi->DegerKutusu->selectAll();
    QTest::keyClicks(sayi->DegerKutusu, QStringLiteral("25"));
    tikla(dugme("TamamDugmesi"));
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Belirlediğiniz değer, 1-20 arasında olmalı!")});
    QVERIFY(f->isVisible());
    QCOMPARE(QApplication::focusWidget(), sayi->DegerKutusu);
    QCOMPARE(sayi->Text(), QStringLiteral("20"));
    QVERIFY(Ayarlar::bolumDegerleri(AyarAdi::Ayarlar).isEmpty());
    QVERIFY(!dugme("TamamDugmesi")->isDown());
}

void TercihlerFormuTesti::bagimliliklarVeIlkAyarlar()
{
    TercihlerFormu *f = ac();
    AyarliKutu *sayi = sayiKutusu();
    tikla(onay("CekmeliListelereGirilenDegerleriSaklaOnayi"));
    QVERIFY(!sayi->isEnabled());
    QCOMPARE(sayi->Text(), QStringLiteral("0"));
    QVERIFY(dugme("TamamDugmesi")->isEnabled());
    sayi->setValue(7);
    tikla(onay("CekmeliListelereGirilenDegerleriSaklaOnayi"));
    QVERIFY(sayi->isEnabled());
    QCOMPARE(sayi->Text(), QStringLiteral("3"));
    QCOMPARE(sayi->Value(), 3);

    // Autostart ticks running in the background and fixes it; unticked, the box is free
    // again and keeps its tick.
    tikla(onay("OtomatikBaslasinOnayi"));
    QVERIFY(!onay("ArkaplandaCalissinOnayi")->isEnabled());
    QVERIFY(onay("ArkaplandaCalissinOnayi")->isChecked());
    tikla(onay("OtomatikBaslasinOnayi"));
    QVERIFY(onay("ArkaplandaCalissinOnayi")->isEnabled());
    QVERIFY(onay("ArkaplandaCalissinOnayi")->isChecked());
    tikla(onay("ArkaplandaCalissinOnayi"));
    tikla(onay("OtomatikBaslasinOnayi"));
    QVERIFY(!onay("ArkaplandaCalissinOnayi")->isEnabled());
    QVERIFY(onay("ArkaplandaCalissinOnayi")->isChecked());
    tikla(onay("OtomatikBaslasinOnayi"));

    tikla(onay("SesliUyariVerOnayi"));
    QCOMPARE(sesDosyasiKutusu()->text(), QString());
    QCOMPARE(f->sesDosyasiKlasoru(), QString());
    QVERIFY(!sesDosyasiKutusu()->isEnabled() && !dugme("SecDugmesi")->isEnabled()
            && !denetim<QLabel>("Etiket1")->isEnabled());

    // The defaults, shown in the window only.
    tikla(onay("IlkHarflerBuyukOlsunOnayi"));
    tikla(onay("EnUstteOnayi"));
    tikla(onay("CekmeliListelereGirilenDegerleriSaklaOnayi"));
    dugme("TamamDugmesi")->setEnabled(false);
    tikla(dugme("IlkAyarlarDugmesi"));
    for (QCheckBox *k : denetim<QWidget>("Altlik")->findChildren<QCheckBox *>())
        QVERIFY2(k->isChecked(), qPrintable(k->text()));
    QVERIFY(!onay("ArkaplandaCalissinOnayi")->isEnabled());
    QVERIFY(sayi->isEnabled());
    QCOMPARE(sayi->Value(), 3);
    QCOMPARE(sesDosyasiKutusu()->text(), QStringLiteral("Alarm.wav"));
    QCOMPARE(f->sesDosyasiKlasoru(), ortam->programKlasoru());
    QVERIFY(dugme("SecDugmesi")->isEnabled());
    QVERIFY(dugme("TamamDugmesi")->isEnabled());
    QVERIFY(Ayarlar::bolumDegerleri(AyarAdi::Ayarlar).isEmpty());
}

void TercihlerFormuTesti::sesDosyasiYoksaYarimKalir()
{
    // No "Alarm.wav" in the program folder.
    TercihlerFormu *f = ac();
    tikla(onay("EnUstteOnayi"));
    tikla(onay("IlkHarflerBuyukOlsunOnayi"));
    tikla(dugme("TamamDugmesi"));
    QCOMPARE(ortam->mesajlar->metinler(),
             QStringList{QStringLiteral("Seçtiğiniz 'Ses Dosyası' bulunamıyor! Lütfen, kontrol edip tekrar deneyiniz.")});
    QVERIFY(f->isVisible());
    QCOMPARE(QApplication::focusWidget(), dugme("SecDugmesi"));
    // The alarm values are stored already, the rest is not.
    QCOMPARE(ayar(AyarAdi::SesliUyariBilgisi), QStringLiteral("1"));
    QCOMPARE(ayar(AyarAdi::SesDosyasiAdi), QStringLiteral("Alarm.wav"));
    QCOMPARE(ayar(AyarAdi::SesDosyasiYolu), ortam->programKlasoru());
    QCOMPARE(ayar(AyarAdi::HatirlatmaEnUstte), QStringLiteral("yok"));
    QCOMPARE(ayar(AyarAdi::IlkHarflerBuyuk), QStringLiteral("yok"));
    QCOMPARE(Tercihler::IlkHarflerBuyuk, 1);
    QVERIFY(!QFile::exists(Platform::otomatikBaslatmaDosyasi()));
}

void TercihlerFormuTesti::digerKlasordenSesVeHepsiKapali()
{
    ortam->veritabaniniAc();
    const QString baskaKlasor = ortam->klasor.path() + QStringLiteral("/sesler");
    QDir().mkpath(baskaKlasor);
    QFile ses(baskaKlasor + QStringLiteral("/Zil.wav"));
    QVERIFY(ses.open(QIODevice::WriteOnly));
    ses.close();
    Ayarlar::yaz(AyarAdi::Konular, QStringLiteral("Sira-1"), QStringLiteral("Duruşma"));
    Ayarlar::yaz(AyarAdi::Sayilar, QStringLiteral("Sira-1"), QStringLiteral("2026/12"));
    QVERIFY(Platform::otomatikBaslatmaAyarla(true, QStringLiteral("/usr/bin/zelvora")));
    Tercihler::yukle();

    AnaForm ana(false); // hidden in the tray, as after an automatic start
    QVERIFY(ana.bildirimAlani() && ana.bildirimAlani()->gorunur());
    TercihlerFormu *f = ac();

    Test::modalGelince([&](QWidget *w) {
        auto *d = qobject_cast<QFileDialog *>(w);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QStringLiteral("Ses Dosyası Seç"));
        QCOMPARE(d->nameFilters(), QStringList{QStringLiteral("Ses Dosyaları (*.wav)")});
        QCOMPARE(QDir(d->directory()).canonicalPath(), QDir(ortam->programKlasoru()).canonicalPath());
        // Typed as a user would, and taken with done() rather than accept(): the dialog's
        // folder model loads in a thread, and accept() or selectFile() on a model not loaded
        // yet would leave the dialog up (and the test hanging) on a slow machine.
        auto *ad = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(ad);
        ad->setText(ses.fileName());
        QMetaObject::invokeMethod(d, "done", Q_ARG(int, QDialog::Accepted));
    });
    tikla(dugme("SecDugmesi"));
    QCOMPARE(sesDosyasiKutusu()->text(), QStringLiteral("Zil.wav"));
    QCOMPARE(f->sesDosyasiKlasoru(), baskaKlasor + QLatin1Char('/'));
    QVERIFY(dugme("TamamDugmesi")->isEnabled());

    for (QCheckBox *k : {onay("CekmeliListelereGirilenDegerleriSaklaOnayi"), onay("IlkHarflerBuyukOlsunOnayi"),
                         onay("OtomatikBaslasinOnayi"), onay("ArkaplandaCalissinOnayi"), onay("EnUstteOnayi")})
        tikla(k);
    tikla(dugme("TamamDugmesi"));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QVERIFY(!f->isVisible());

    QCOMPARE(ayar(AyarAdi::SesDosyasiAdi), QStringLiteral("Zil.wav"));
    QCOMPARE(ayar(AyarAdi::SesDosyasiYolu), baskaKlasor + QLatin1Char('/'));
    QCOMPARE(ayar(AyarAdi::GirislerSaklansin), QStringLiteral("0"));
    QCOMPARE(ayar(AyarAdi::SaklanacakGirisSayisi), QStringLiteral("0"));
    QVERIFY(!Ayarlar::bolumVarMi(AyarAdi::IsBilgileri));
    QCOMPARE(ayar(AyarAdi::IlkHarflerBuyuk), QStringLiteral("0"));
    QCOMPARE(ayar(AyarAdi::OtomatikBaslasin), QStringLiteral("0"));
    QCOMPARE(ayar(AyarAdi::ArkaplandaCalissin), QStringLiteral("0"));
    QCOMPARE(ayar(AyarAdi::HatirlatmaEnUstte), QStringLiteral("0"));
    QCOMPARE(ayar(AyarAdi::SesliUyariBilgisi), QStringLiteral("1"));
    // In memory at once: the job editor, the reminder scan and the closing read these.
    QCOMPARE(Tercihler::GirislerSaklansin, 0);
    QCOMPARE(Tercihler::IlkHarflerBuyuk, 0);
    QCOMPARE(Tercihler::ArkaplandaCalissin, 0);
    QCOMPARE(OrtakDegiskenler::HatirlatmaEnUstte, 0);
    QCOMPARE(Tercihler::sesDosyasi(), ses.fileName());
    // The autostart entry is gone, the tray icon too, and the hidden main window is back.
    QVERIFY(!QFile::exists(Platform::otomatikBaslatmaDosyasi()));
    QVERIFY(!ana.bildirimAlani()->gorunur());
    QVERIFY(ana.isVisible());
    ana.hide();
}

void TercihlerFormuTesti::otomatikBaslatmaVeSimge()
{
    alarmDosyasiKoy();
    Ayarlar::yaz(AyarAdi::OtomatikBaslasin, QStringLiteral("0"));
    Ayarlar::yaz(AyarAdi::ArkaplandaCalissin, QStringLiteral("0"));
    Tercihler::yukle();
    ortam->veritabaniniAc();
    AnaForm ana(false);
    QVERIFY(!ana.bildirimAlani() || !ana.bildirimAlani()->gorunur());

    TercihlerFormu *f = ac();
    QVERIFY(!onay("OtomatikBaslasinOnayi")->isChecked() && !onay("ArkaplandaCalissinOnayi")->isChecked());
    tikla(onay("OtomatikBaslasinOnayi"));
    tikla(dugme("TamamDugmesi"));
    QVERIFY(!f->isVisible());
    QFile giris(Platform::otomatikBaslatmaDosyasi());
    QVERIFY(giris.open(QIODevice::ReadOnly));
    const QString icerik = QString::fromUtf8(giris.readAll());
    QVERIFY2(icerik.contains(Platform::execArgumani(QCoreApplication::applicationFilePath()) + QStringLiteral(" -Simge")), qPrintable(icerik));
    QCOMPARE(ayar(AyarAdi::ArkaplandaCalissin), QStringLiteral("1"));
    QVERIFY(ana.bildirimAlani() && ana.bildirimAlani()->gorunur());
    QVERIFY(!ana.isVisible()); // switching background running on does not show the window

    // The tick follows the entry, not the stored value: ticked while the entry is there,
    // off once the desktop's own settings switched it off or it was removed.
    f = ac();
    QVERIFY(onay("OtomatikBaslasinOnayi")->isChecked());
    f->reject();
    giris.close();
    QVERIFY(giris.open(QIODevice::Append));
    giris.write("X-GNOME-Autostart-enabled=false\n");
    giris.close();
    f = ac();
    QVERIFY(!onay("OtomatikBaslasinOnayi")->isChecked());
    f->reject();
    QFile::remove(Platform::otomatikBaslatmaDosyasi());
    f = ac();
    QVERIFY(!onay("OtomatikBaslasinOnayi")->isChecked());
    QVERIFY(onay("ArkaplandaCalissinOnayi")->isEnabled() && onay("ArkaplandaCalissinOnayi")->isChecked());
    f->reject();
    QCOMPARE(ayar(AyarAdi::OtomatikBaslasin), QStringLiteral("1")); // what was stored stays

    // An entry that cannot be written is reported, not ignored.
    QDir(Arayuz::klasorler().otomatikBaslatmaKlasoru).removeRecursively();
    QFile engel(Arayuz::klasorler().otomatikBaslatmaKlasoru.chopped(1)); // a file where the folder belongs
    QVERIFY(engel.open(QIODevice::WriteOnly));
    engel.close();
    f = ac();
    tikla(onay("OtomatikBaslasinOnayi"));
    tikla(onay("IlkHarflerBuyukOlsunOnayi"));
    tikla(dugme("TamamDugmesi"));
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam->mesajlar->gosterilenler.first().metin.startsWith(QStringLiteral("Otomatik açılma dosyası yazılamadı!\r\n")));
    QVERIFY(!f->isVisible()); // the remaining steps are still carried out
    QCOMPARE(ayar(AyarAdi::IlkHarflerBuyuk), QStringLiteral("0"));

    // Settings that cannot be stored: told, the window stays with the user's choices, and
    // nothing takes effect (the tray icon stays, the preferences in memory too).
    ortam->ayarDosyasiYazilamaz(true);
    ortam->mesajlar->temizle();
    f = ac();
    QVERIFY(!onay("OtomatikBaslasinOnayi")->isChecked()); // the entry was never written
    tikla(onay("ArkaplandaCalissinOnayi"));
    tikla(onay("IlkHarflerBuyukOlsunOnayi"));
    tikla(dugme("TamamDugmesi"));
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam->mesajlar->gosterilenler.first().metin.startsWith(QStringLiteral("Ayar kaydedilemedi!")));
    QVERIFY(ortam->mesajlar->gosterilenler.first().metin.contains(Arayuz::klasorler().ayarDosyasi));
    QVERIFY(f->isVisible());
    QVERIFY(!onay("ArkaplandaCalissinOnayi")->isChecked() && onay("IlkHarflerBuyukOlsunOnayi")->isChecked());
    QCOMPARE(Tercihler::ArkaplandaCalissin, 1);
    QCOMPARE(Tercihler::IlkHarflerBuyuk, 0);
    QCOMPARE(ayar(AyarAdi::IlkHarflerBuyuk), QStringLiteral("0"));
    QVERIFY(ana.bildirimAlani() && ana.bildirimAlani()->gorunur());
    // Writable again, the same "Tamam" goes through.
    ortam->ayarDosyasiYazilamaz(false);
    tikla(dugme("TamamDugmesi"));
    QVERIFY(!f->isVisible());
    QCOMPARE(Tercihler::IlkHarflerBuyuk, 1);
    QVERIFY(!ana.bildirimAlani() || !ana.bildirimAlani()->gorunur());
}

void TercihlerFormuTesti::alarmGeriAcilir()
{
    // "Sesli uyarı vermeyi durdur" in the reminder window switched the alarm off.
    alarmDosyasiKoy();
    Ayarlar::yaz(AyarAdi::SesliUyariBilgisi, QStringLiteral("0"));
    Ayarlar::yaz(AyarAdi::SesDosyasiAdi, QString());
    Ayarlar::yaz(AyarAdi::SesDosyasiYolu, QString());
    TercihlerFormu *f = ac(); // opening reads the store again
    QVERIFY(!onay("SesliUyariVerOnayi")->isChecked());
    QVERIFY(!dugme("SecDugmesi")->isEnabled());
    tikla(onay("SesliUyariVerOnayi"));
    tikla(dugme("TamamDugmesi"));
    QVERIFY(!f->isVisible());
    QCOMPARE(OrtakDegiskenler::SesliUyari, 1);
    QCOMPARE(ayar(AyarAdi::SesliUyariBilgisi), QStringLiteral("1"));
    QCOMPARE(Tercihler::sesDosyasi(), ortam->programKlasoru() + QStringLiteral("Alarm.wav"));
}

void TercihlerFormuTesti::anaFormdanAcilis()
{
    ortam->veritabaniniAc();
    AnaForm ana(false);
    ana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ana));
    QVERIFY(Test::denetim<QAction>(&ana, "TercihlerMenusu1")->isEnabled() && Test::denetim<QAction>(&ana, "TercihlerMenusu2")->isEnabled());
    // From the menu: modal, owned by the main window.
    bool modal = false;
    Test::modalGelince([&](QWidget *w) {
        modal = qobject_cast<TercihlerFormu *>(w) && w->parentWidget() == &ana;
        w->close();
    });
    Test::denetim<QAction>(&ana, "TercihlerMenusu1")->trigger();
    QVERIFY(modal);
    QVERIFY(!ana.tercihlerFormu());

    // From the tray menu while the main window is minimised: modeless, on its own.
    ana.showMinimized();
    QVERIFY(ana.isMinimized());
    Test::denetim<QAction>(&ana, "TercihlerMenusu2")->trigger();
    QPointer<TercihlerFormu> f = ana.tercihlerFormu();
    QVERIFY(f && f->isVisible());
    QVERIFY(!f->isModal() && !f->parentWidget());
    // One window at a time; "Göster" waits while it is open.
    Test::denetim<QAction>(&ana, "TercihlerMenusu2")->trigger();
    QCOMPARE(ana.tercihlerFormu(), f.data());
    ana.Goster();
    QVERIFY(ana.isMinimized());
    f->close();
    QTRY_VERIFY(!f);
    ana.Goster();
    QVERIFY(!ana.isMinimized());
    ana.hide();
}

QTEST_MAIN(TercihlerFormuTesti)
#include "tst_TercihlerFormu.moc"

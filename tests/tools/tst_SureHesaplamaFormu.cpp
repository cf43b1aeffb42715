// The duration calculator window: opening, the three inputs and their key rules, the
// amount's rounding and fallback, the court options, the appeal panel and its setting,
// copying, the day line under the result.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "tools/SureHesaplamaFormu.h"
#include "ui/OrtakDenetimler.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using namespace Zelvora;

class SureHesaplamaFormuTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { ortam = std::make_unique<Test::Ortam>(); }
    void cleanup()
    {
        m_form.reset();
        ortam.reset();
    }
    void acilis();
    void hesaplamaVeBirimler();
    void sureKutusu();
    void yapistirilanSureler();
    void aralikDisi();
    void baslangicTarihi();
    void mahkemeler();
    void panelVeAyari();
    void kopyalamaVeGunBilgisi();
    void etiketlerVeEnter();

private:
    SureHesaplamaFormu *ac()
    {
        m_form = std::make_unique<SureHesaplamaFormu>();
        m_form->show();
        if (!QTest::qWaitForWindowActive(m_form.get()))
            qWarning("calculator window did not become active");
        return m_form.get();
    }
    // Types key by key into the control that has the focus.
    static void yaz(QWidget *alan, const QString &metin)
    {
        alan->setFocus();
        for (QChar c : metin)
            QTest::keyClick(alan, char(c.unicode()));
    }
    static void temizle(QWidget *alan)
    {
        alan->setFocus();
        QTest::keyClick(alan, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(alan, Qt::Key_Delete);
    }
    // Start date, unit position and amount, each entered as a user would.
    void gir(const QString &tarih, int birim, const QString &sure)
    {
        SureHesaplamaFormu *f = m_form.get();
        temizle(f->BaslangicTarihiKutusu);
        yaz(f->BaslangicTarihiKutusu, tarih);
        f->EklenecekZamanDilimiKutusu->setCurrentIndex(birim);
        f->EklenecekSureKutusu->setFocus();
        f->EklenecekSureKutusu->lineEdit()->selectAll();
        yaz(f->EklenecekSureKutusu, sure);
    }
    QString sonuc() const { return m_form->SonucKutusu->text(); }
    QString sure() const { return m_form->EklenecekSureKutusu->currentText(); }
    std::unique_ptr<Test::Ortam> ortam;
    std::unique_ptr<SureHesaplamaFormu> m_form;
};

void SureHesaplamaFormuTesti::acilis()
{
    SureHesaplamaFormu *f = ac();
    QCOMPARE(f->windowTitle(), QStringLiteral("Süre Hesaplama"));
    QStringList etiketler;
    for (QLabel *e : f->Etiket)
        etiketler << e->text();
    QCOMPARE(etiketler, (QStringList{QStringLiteral("&Başlangıç Tarihi :"), QStringLiteral("Eklenecek &Dilim :"),
                                     QStringLiteral("&Eklenecek Süre :"), QStringLiteral("Bulunan Tarih :")}));
    QCOMPARE(f->Cerceve[0]->title(), QStringLiteral("Hesaplama "));
    QCOMPARE(f->Cerceve[1]->title(), QStringLiteral("Temyiz Süreleri "));
    QStringList birimler, sureler;
    for (int i = 0; i < f->EklenecekZamanDilimiKutusu->count(); ++i)
        birimler << f->EklenecekZamanDilimiKutusu->itemText(i);
    for (int i = 0; i < f->EklenecekSureKutusu->count(); ++i)
        sureler << f->EklenecekSureKutusu->itemText(i);
    QCOMPARE(birimler, (QStringList{QStringLiteral("Gün"), QStringLiteral("Hafta"), QStringLiteral("Ay"), QStringLiteral("Yıl")}));
    QCOMPARE(sureler, (QStringList{QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("30"),
                                   QStringLiteral("60")}));
    QCOMPARE(f->DilimKodlari[0] + f->DilimKodlari[1] + f->DilimKodlari[2] + f->DilimKodlari[3], QStringLiteral("dwwmyyyy"));
    QVERIFY(!f->EklenecekZamanDilimiKutusu->isEditable());
    QVERIFY(f->EklenecekSureKutusu->isEditable());
    QCOMPARE(f->EklenecekZamanDilimiKutusu->currentIndex(), 0);
    // Today, selected so that typing replaces it; nothing else filled in.
    QCOMPARE(f->BaslangicTarihiKutusu->text(), QStringLiteral("07.12.2026"));
    QCOMPARE(f->BaslangicTarihiKutusu->selectedText(), QStringLiteral("07.12.2026"));
    QCOMPARE(f->BaslangicTarihiKutusu->maxLength(), 10);
    QCOMPARE(sure(), QString());
    QCOMPARE(sonuc(), QString());
    QVERIFY(f->SonucKutusu->isReadOnly());
    QVERIFY(!f->KopyalaDugmesi->isEnabled());
    QCOMPARE(f->KopyalaDugmesi->text(), QStringLiteral("Sonucu &Panoya Kopyala"));
    QCOMPARE(f->KapatDugmesi->text(), QStringLiteral("Kapat"));
    QCOMPARE(f->AyrintilariAcDugmesi->text(), QStringLiteral(">>"));
    QCOMPARE(f->AyrintilariAcDugmesi->toolTip(), QStringLiteral("Temyiz sürelerini göster"));
    QCOMPARE(f->AyrintilarKapatDugmesi->text(), QStringLiteral("<< Temyiz Sürelerini &Gizle"));
    QStringList mahkemeler;
    for (QRadioButton *s : f->TemyizSecenegi) {
        mahkemeler << s->text();
        QVERIFY(!s->isChecked());
    }
    QCOMPARE(mahkemeler, (QStringList{QStringLiteral("Sul&h Hukuk Mahkemesi"), QStringLiteral("İş Mahkeme&si"),
                                      QStringLiteral("İcra &Tetkik Mercii"), QStringLiteral("&Asliye Hukuk Mahkemesi"),
                                      QStringLiteral("İ&dare Mahkemesi")}));
    // No setting yet: the panel is open.
    QCOMPARE(f->width(), piksel(SureHesaplamaFormu::GenisGenislik));
    QVERIFY(!f->AyrintilariAcDugmesi->isEnabled());
    QCOMPARE(f->Cerceve[1]->mapTo(f, QPoint(0, 0)).x() >= piksel(SureHesaplamaFormu::PanelSolu), true);
    QCOMPARE(f->GunBilgisiKutusu->text(), QString());
}

void SureHesaplamaFormuTesti::hesaplamaVeBirimler()
{
    SureHesaplamaFormu *f = ac();
    gir(QStringLiteral("25.12.2026"), 0, QStringLiteral("10"));
    QCOMPARE(sonuc(), QStringLiteral("04.01.2027"));
    f->EklenecekZamanDilimiKutusu->setCurrentIndex(1);
    gir(QStringLiteral("25.12.2026"), 1, QStringLiteral("2"));
    QCOMPARE(sonuc(), QStringLiteral("08.01.2027"));
    gir(QStringLiteral("31.01.2027"), 2, QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("28.02.2027"));
    gir(QStringLiteral("30.01.2028"), 2, QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("29.02.2028"));
    gir(QStringLiteral("29.02.2028"), 3, QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("28.02.2029"));
    // The result follows every input at once.
    f->EklenecekZamanDilimiKutusu->setCurrentIndex(0);
    QCOMPARE(sonuc(), QStringLiteral("01.03.2028"));
    QTest::keyClick(f->BaslangicTarihiKutusu, Qt::Key_Backspace);
    QCOMPARE(f->BaslangicTarihiKutusu->text(), QStringLiteral("29.02.202"));
    QCOMPARE(sonuc(), QString());
    QTest::keyClick(f->BaslangicTarihiKutusu, Qt::Key_Backspace);
    QCOMPARE(sonuc(), QStringLiteral("01.03.2020")); // a two-figure year
    QTest::keyClick(f->BaslangicTarihiKutusu, Qt::Key_Backspace);
    QCOMPARE(sonuc(), QString()); // 29.02.2002 is no date
    QVERIFY(!f->KopyalaDugmesi->isEnabled());
}

void SureHesaplamaFormuTesti::sureKutusu()
{
    SureHesaplamaFormu *f = ac();
    gir(QStringLiteral("25.12.2026"), 0, QStringLiteral("007"));
    QCOMPARE(sure(), QStringLiteral("7"));
    QCOMPARE(sonuc(), QStringLiteral("01.01.2027"));
    // Only figures and Backspace are typed; other keys are lost.
    yaz(f->EklenecekSureKutusu, QStringLiteral("a-.+ 1"));
    QCOMPARE(sure(), QStringLiteral("71"));
    // Emptying the box puts 1 back at once.
    QTest::keyClick(f->EklenecekSureKutusu, Qt::Key_Backspace);
    QTest::keyClick(f->EklenecekSureKutusu, Qt::Key_Backspace);
    QCOMPARE(sure(), QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("26.12.2026"));
    yaz(f->EklenecekSureKutusu, QStringLiteral("5"));
    QCOMPARE(sure(), QStringLiteral("15"));
    // Picking from the list while the box has the focus: nothing was picked before.
    QTest::keyClick(f->EklenecekSureKutusu, Qt::Key_Down);
    QCOMPARE(sure(), QStringLiteral("8"));
    QCOMPARE(sonuc(), QStringLiteral("02.01.2027"));
    QTest::keyClick(f->EklenecekSureKutusu, Qt::Key_Down);
    QCOMPARE(sure(), QStringLiteral("10"));
    QCOMPARE(sonuc(), QStringLiteral("04.01.2027"));
}

void SureHesaplamaFormuTesti::yapistirilanSureler()
{
    SureHesaplamaFormu *f = ac();
    gir(QStringLiteral("25.12.2026"), 0, QStringLiteral("1"));
    QLineEdit *satir = f->EklenecekSureKutusu->lineEdit();
    auto yapistir = [&](const QString &metin) {
        QGuiApplication::clipboard()->setText(metin);
        satir->selectAll();
        satir->paste();
        return sure();
    };
    QCOMPARE(yapistir(QStringLiteral("2.5")), QStringLiteral("2"));
    QCOMPARE(yapistir(QStringLiteral("3,5")), QStringLiteral("4"));
    QCOMPARE(yapistir(QStringLiteral(" +12 ")), QStringLiteral("12"));
    QCOMPARE(yapistir(QStringLiteral("on gün")), QStringLiteral("1"));
    // A negative amount counts back.
    QCOMPARE(yapistir(QStringLiteral("-10")), QStringLiteral("-10"));
    QCOMPARE(sonuc(), QStringLiteral("15.12.2026"));
    // Beyond 32 bits: out of range, 1 again; never a crash or an overflow.
    QCOMPARE(yapistir(QStringLiteral("99999999999")), QStringLiteral("1"));
    QCOMPARE(yapistir(QStringLiteral("2147483648")), QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("26.12.2026"));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void SureHesaplamaFormuTesti::aralikDisi()
{
    SureHesaplamaFormu *f = ac();
    gir(QStringLiteral("01.01.9990"), 3, QStringLiteral("20"));
    QCOMPARE(sure(), QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("01.01.9991"));
    // Even 1 day is too much: the amount is 1 and no old result stays on show.
    gir(QStringLiteral("31.12.9999"), 0, QStringLiteral("5"));
    QCOMPARE(sure(), QStringLiteral("1"));
    QCOMPARE(sonuc(), QString());
    QVERIFY(!f->KopyalaDugmesi->isEnabled());
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void SureHesaplamaFormuTesti::baslangicTarihi()
{
    SureHesaplamaFormu *f = ac();
    temizle(f->BaslangicTarihiKutusu);
    yaz(f->BaslangicTarihiKutusu, QStringLiteral("5a/3b-2026!"));
    QCOMPARE(f->BaslangicTarihiKutusu->text(), QStringLiteral("5/3-2026"));
    temizle(f->BaslangicTarihiKutusu);
    yaz(f->BaslangicTarihiKutusu, QStringLiteral("5.3.2026"));
    // Leaving rewrites a valid date in the short form.
    QTest::keyClick(f->BaslangicTarihiKutusu, Qt::Key_Tab);
    QCOMPARE(f->BaslangicTarihiKutusu->text(), QStringLiteral("05.03.2026"));
    QCOMPARE(QApplication::focusWidget(), f->EklenecekZamanDilimiKutusu);

    // A wrong date keeps the focus, with the message; the result stays empty.
    f->EklenecekSureKutusu->setFocus();
    yaz(f->EklenecekSureKutusu, QStringLiteral("8"));
    temizle(f->BaslangicTarihiKutusu);
    yaz(f->BaslangicTarihiKutusu, QStringLiteral("32.13.2026"));
    QCOMPARE(sonuc(), QString());
    QTest::keyClick(f->BaslangicTarihiKutusu, Qt::Key_Tab);
    QTRY_COMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Lütfen, tarihi doğru biçimde giriniz!")});
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Bilgi);
    QCOMPARE(QApplication::focusWidget(), f->BaslangicTarihiKutusu);
    QCOMPARE(f->BaslangicTarihiKutusu->selectedText(), QStringLiteral("32.13.2026"));
    // A click on a court moves the focus too: one message, the focus comes back.
    ortam->mesajlar->temizle();
    QTest::mouseClick(f->TemyizSecenegi[0], Qt::LeftButton);
    QTRY_COMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QTRY_COMPARE(QApplication::focusWidget(), f->BaslangicTarihiKutusu);
    QTest::qWait(20);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    // Going to "Kapat" does not hold the user back.
    ortam->mesajlar->temizle();
    f->KapatDugmesi->setFocus(Qt::MouseFocusReason);
    QTest::qWait(20);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());

    // An empty box is allowed: no message, no result, nothing to copy.
    temizle(f->BaslangicTarihiKutusu);
    QTest::keyClick(f->BaslangicTarihiKutusu, Qt::Key_Tab);
    QTest::qWait(20);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QCOMPARE(sonuc(), QString());
    QVERIFY(!f->KopyalaDugmesi->isEnabled());
}

void SureHesaplamaFormuTesti::mahkemeler()
{
    SureHesaplamaFormu *f = ac();
    temizle(f->BaslangicTarihiKutusu);
    yaz(f->BaslangicTarihiKutusu, QStringLiteral("25.12.2026"));
    f->EklenecekZamanDilimiKutusu->setCurrentIndex(2);
    QTest::mouseClick(f->TemyizSecenegi[4], Qt::LeftButton);
    QCOMPARE(sure(), QStringLiteral("30"));
    QCOMPARE(f->EklenecekZamanDilimiKutusu->currentIndex(), 0);
    QCOMPARE(sonuc(), QStringLiteral("24.01.2027"));
    QVERIFY(f->TemyizSecenegi[4]->isChecked());
    QTRY_VERIFY(f->EklenecekSureKutusu->hasFocus() || f->EklenecekSureKutusu->lineEdit()->hasFocus());
    // Another unit clears the option; the amount stays 30.
    f->EklenecekZamanDilimiKutusu->setFocus();
    QTest::keyClick(f->EklenecekZamanDilimiKutusu, Qt::Key_Down);
    QTest::keyClick(f->EklenecekZamanDilimiKutusu, Qt::Key_Down);
    QCOMPARE(f->EklenecekZamanDilimiKutusu->currentIndex(), 2);
    QVERIFY(!f->TemyizSecenegi[4]->isChecked());
    QCOMPARE(sonuc(), QStringLiteral("25.06.2029"));

    const QString beklenen[5] = {QStringLiteral("02.01.2027"), QStringLiteral("02.01.2027"), QStringLiteral("04.01.2027"),
                                 QStringLiteral("09.01.2027"), QStringLiteral("24.01.2027")};
    const QString sureler[5] = {QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("15"),
                                QStringLiteral("30")};
    for (int i = 0; i < 5; ++i) {
        // The amount is set from the list even when the user had typed over it.
        yaz(f->EklenecekSureKutusu, QStringLiteral("3"));
        QTest::mouseClick(f->TemyizSecenegi[i], Qt::LeftButton);
        QCOMPARE(sure(), sureler[i]);
        QCOMPARE(sonuc(), beklenen[i]);
        QVERIFY(f->TemyizSecenegi[i]->isChecked());
    }
    // Typing an amount clears the option.
    yaz(f->EklenecekSureKutusu, QStringLiteral("1"));
    QCOMPARE(sure(), QStringLiteral("301"));
    for (QRadioButton *s : f->TemyizSecenegi)
        QVERIFY(!s->isChecked());
}

void SureHesaplamaFormuTesti::panelVeAyari()
{
    SureHesaplamaFormu *f = ac();
    QTest::mouseClick(f->AyrintilarKapatDugmesi, Qt::LeftButton);
    QCOMPARE(f->width(), piksel(SureHesaplamaFormu::DarGenislik));
    QVERIFY(f->AyrintilariAcDugmesi->isEnabled());
    QVERIFY(!f->TemyizSecenegi[0]->isVisible());
    QTest::keyClick(f, Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::AyrintiGoster, QString()), QStringLiteral("0"));

    // The next opening starts narrow; today again, amount empty.
    f = ac();
    QCOMPARE(f->width(), piksel(SureHesaplamaFormu::DarGenislik));
    QCOMPARE(sure(), QString());
    QTest::mouseClick(f->AyrintilariAcDugmesi, Qt::LeftButton);
    QCOMPARE(f->width(), piksel(SureHesaplamaFormu::GenisGenislik));
    QVERIFY(!f->AyrintilariAcDugmesi->isEnabled());
    QVERIFY(f->TemyizSecenegi[0]->isVisible());
    QTest::mouseClick(f->KapatDugmesi, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::AyrintiGoster, QString()), QStringLiteral("1"));
    // The close box writes it too.
    f = ac();
    QTest::mouseClick(f->AyrintilarKapatDugmesi, Qt::LeftButton);
    f->close();
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::AyrintiGoster, QString()), QStringLiteral("0"));
}

void SureHesaplamaFormuTesti::kopyalamaVeGunBilgisi()
{
    SureHesaplamaFormu *f = ac();
    gir(QStringLiteral("17.05.2026"), 0, QStringLiteral("10"));
    QCOMPARE(sonuc(), QStringLiteral("27.05.2026"));
    QCOMPARE(f->GunBilgisiKutusu->text(),
             QStringLiteral("Çarşamba, resmî tatil: Kurban Bayramı. İlk iş günü 01.06.2026 Pazartesi."));
    QVERIFY(f->KopyalaDugmesi->isEnabled());
    QTest::mouseClick(f->KopyalaDugmesi, Qt::LeftButton);
    // Only the result goes to the clipboard.
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("27.05.2026"));
    QVERIFY(!f->KopyalaDugmesi->isEnabled());
    // Disabled until the result changes again.
    f->EklenecekZamanDilimiKutusu->setCurrentIndex(0);
    QVERIFY(!f->KopyalaDugmesi->isEnabled());
    yaz(f->EklenecekSureKutusu, QStringLiteral("0"));
    QCOMPARE(sonuc(), QStringLiteral("25.08.2026"));
    QVERIFY(f->KopyalaDugmesi->isEnabled());
    QCOMPARE(f->GunBilgisiKutusu->text(), QStringLiteral("Salı. Adli tatil içinde (20 Temmuz – 31 Ağustos)."));
    temizle(f->BaslangicTarihiKutusu);
    QCOMPARE(f->GunBilgisiKutusu->text(), QString());
}

void SureHesaplamaFormuTesti::etiketlerVeEnter()
{
    SureHesaplamaFormu *f = ac();
    const QColor normal = f->Etiket[1]->palette().color(QPalette::WindowText);
    QWidget *alanlar[3] = {f->BaslangicTarihiKutusu, f->EklenecekZamanDilimiKutusu, f->EklenecekSureKutusu};
    f->BaslangicTarihiKutusu->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTRY_COMPARE(f->Etiket[i]->palette().color(QPalette::WindowText), KoyuKirmizi);
        for (int j = 0; j < 3; ++j) {
            if (j != i)
                QCOMPARE(f->Etiket[j]->palette().color(QPalette::WindowText), normal);
        }
        // Enter moves on as Tab does, and types nothing.
        QTest::keyClick(alanlar[i], Qt::Key_Return);
        QVERIFY(!alanlar[i]->hasFocus());
    }
    QCOMPARE(f->BaslangicTarihiKutusu->text(), QStringLiteral("07.12.2026"));
    QCOMPARE(f->Etiket[2]->palette().color(QPalette::WindowText), normal);
    QVERIFY(f->isVisible());
    // The labels name their boxes for screen readers and mnemonics.
    QCOMPARE(f->Etiket[0]->buddy(), f->BaslangicTarihiKutusu);
    QCOMPARE(f->Etiket[3]->buddy(), f->SonucKutusu);
    QVERIFY(!f->GunBilgisiKutusu->accessibleName().isEmpty());
}

QTEST_MAIN(SureHesaplamaFormuTesti)
#include "tst_SureHesaplamaFormu.moc"

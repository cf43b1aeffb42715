// The duration calculator window: opening, the three inputs and their key rules, the
// amount's rounding and fallback, the court options, the appeal panel and its setting,
// copying, the day line under the result, a deadline made into a job.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "tools/SureHesaplamaFormu.h"
#include "ui/AnaForm.h"
#include "ui/OrtakDenetimler.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputDialog>
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
        m_ana.reset();
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
    void elektronikTebligat();
    void gunBilgisiOkunur_data();
    void gunBilgisiOkunur();
    void isOlarakEkle();
    void isOlarakEkleKlasorSorar();

private:
    // Runs f once a modal window other than the calculator is up (the calculator itself is
    // modal while shown).
    void baskaModalGelince(const std::function<void(QWidget *)> &f)
    {
        Test::modalGelince([this, f](QWidget *w) {
            if (w == m_form.get())
                baskaModalGelince(f);
            else
                f(w);
        });
    }
    // The editor's fields as it shows them.
    static QStringList editorAlanlari(QWidget *w)
    {
        return {w->windowTitle(), Test::denetim<QLineEdit>(w, "IsinTarihiKutusu")->text(),
                Test::denetim<QComboBox>(w, "SaatKutusu")->currentText(),
                Test::denetim<QComboBox>(w, "IsinKonusuKutusu")->currentText(),
                Test::denetim<QLineEdit>(w, "AciklamaKutusu")->text(),
                Test::denetim<QCheckBox>(w, "HatirlatmaVarOnayi")->isChecked() ? QStringLiteral("hatırlat")
                                                                                 : QStringLiteral("-"),
                Test::denetim<QLineEdit>(w, "OnHatirlatmaGunleriKutusu")->text()};
    }
    static std::vector<IsKaydi> tumIsler()
    {
        return Veritabani::acik().isleriListele(QString(), true, false, QDate(2026, 12, 7));
    }
    // A main window over a database with the given folders; the calculator opens over it.
    AnaForm *anaPencereyleAc(const QList<KlasorKaydi> &klasorler)
    {
        ortam->veritabaniniAc();
        for (const KlasorKaydi &k : klasorler)
            Veritabani::acik().klasorEkle(k);
        m_ana = std::make_unique<AnaForm>(false);
        m_ana->show();
        return m_ana.get();
    }
    std::unique_ptr<AnaForm> m_ana;

    // The window's controls, found by their names.
    struct Denetimler {
        QLabel *Etiket[4] = {};
        QLineEdit *BaslangicTarihiKutusu = nullptr;
        QCheckBox *ElektronikTebligatOnayi = nullptr;
        QComboBox *EklenecekZamanDilimiKutusu = nullptr;
        QComboBox *EklenecekSureKutusu = nullptr;
        QPushButton *AyrintilariAcDugmesi = nullptr;
        QLineEdit *SonucKutusu = nullptr;
        QLabel *GunBilgisiKutusu = nullptr;
        QPushButton *KopyalaDugmesi = nullptr;
        QPushButton *KapatDugmesi = nullptr;
        QGroupBox *Cerceve[2] = {};
        QRadioButton *TemyizSecenegi[5] = {};
        QPushButton *AyrintilarKapatDugmesi = nullptr;
    };
    SureHesaplamaFormu *ac()
    {
        m_form = std::make_unique<SureHesaplamaFormu>(m_ana.get());
        SureHesaplamaFormu *f = m_form.get();
        using Test::denetim;
        for (int i = 0; i < 4; ++i)
            d.Etiket[i] = denetim<QLabel>(f, QByteArray("Etiket" + QByteArray::number(i)).constData());
        d.BaslangicTarihiKutusu = denetim<QLineEdit>(f, "BaslangicTarihiKutusu");
        d.ElektronikTebligatOnayi = denetim<QCheckBox>(f, "ElektronikTebligatOnayi");
        d.EklenecekZamanDilimiKutusu = denetim<QComboBox>(f, "EklenecekZamanDilimiKutusu");
        d.EklenecekSureKutusu = denetim<QComboBox>(f, "EklenecekSureKutusu");
        d.AyrintilariAcDugmesi = denetim<QPushButton>(f, "AyrintilariAcDugmesi");
        d.SonucKutusu = denetim<QLineEdit>(f, "SonucKutusu");
        d.GunBilgisiKutusu = denetim<QLabel>(f, "GunBilgisiKutusu");
        d.KopyalaDugmesi = denetim<QPushButton>(f, "KopyalaDugmesi");
        d.KapatDugmesi = denetim<QPushButton>(f, "KapatDugmesi");
        for (int i = 0; i < 2; ++i)
            d.Cerceve[i] = denetim<QGroupBox>(f, QByteArray("Cerceve" + QByteArray::number(i)).constData());
        for (int i = 0; i < 5; ++i)
            d.TemyizSecenegi[i] = denetim<QRadioButton>(f, QByteArray("TemyizSecenegi" + QByteArray::number(i)).constData());
        d.AyrintilarKapatDugmesi = denetim<QPushButton>(f, "AyrintilarKapatDugmesi");
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
        temizle(d.BaslangicTarihiKutusu);
        yaz(d.BaslangicTarihiKutusu, tarih);
        d.EklenecekZamanDilimiKutusu->setCurrentIndex(birim);
        d.EklenecekSureKutusu->setFocus();
        d.EklenecekSureKutusu->lineEdit()->selectAll();
        yaz(d.EklenecekSureKutusu, sure);
    }
    QString sonuc() const { return d.SonucKutusu->text(); }
    QString sure() const { return d.EklenecekSureKutusu->currentText(); }
    std::unique_ptr<Test::Ortam> ortam;
    std::unique_ptr<SureHesaplamaFormu> m_form;
    Denetimler d;
};

void SureHesaplamaFormuTesti::acilis()
{
    SureHesaplamaFormu *f = ac();
    QCOMPARE(f->windowTitle(), QStringLiteral("Süre Hesaplama"));
    QStringList etiketler;
    for (QLabel *e : d.Etiket)
        etiketler << e->text();
    QCOMPARE(etiketler, (QStringList{QStringLiteral("&Başlangıç Tarihi :"), QStringLiteral("Eklenecek &Dilim :"),
                                     QStringLiteral("&Eklenecek Süre :"), QStringLiteral("Bulunan Tarih :")}));
    QCOMPARE(d.Cerceve[0]->title(), QStringLiteral("Hesaplama "));
    QCOMPARE(d.Cerceve[1]->title(), QStringLiteral("Temyiz Süreleri "));
    QStringList birimler, sureler;
    for (int i = 0; i < d.EklenecekZamanDilimiKutusu->count(); ++i)
        birimler << d.EklenecekZamanDilimiKutusu->itemText(i);
    for (int i = 0; i < d.EklenecekSureKutusu->count(); ++i)
        sureler << d.EklenecekSureKutusu->itemText(i);
    QCOMPARE(birimler, (QStringList{QStringLiteral("Gün"), QStringLiteral("Hafta"), QStringLiteral("Ay"), QStringLiteral("Yıl")}));
    QCOMPARE(sureler, (QStringList{QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("30"),
                                   QStringLiteral("60")}));
    QCOMPARE(f->dilimKodu(0) + f->dilimKodu(1) + f->dilimKodu(2) + f->dilimKodu(3), QStringLiteral("dwwmyyyy"));
    QVERIFY(!d.EklenecekZamanDilimiKutusu->isEditable());
    QVERIFY(d.EklenecekSureKutusu->isEditable());
    QCOMPARE(d.EklenecekZamanDilimiKutusu->currentIndex(), 0);
    // Today, selected so that typing replaces it; nothing else filled in.
    QCOMPARE(d.BaslangicTarihiKutusu->text(), QStringLiteral("07.12.2026"));
    QCOMPARE(d.BaslangicTarihiKutusu->selectedText(), QStringLiteral("07.12.2026"));
    QCOMPARE(d.BaslangicTarihiKutusu->maxLength(), 10);
    QCOMPARE(sure(), QString());
    QCOMPARE(sonuc(), QString());
    QVERIFY(d.SonucKutusu->isReadOnly());
    QVERIFY(!d.KopyalaDugmesi->isEnabled());
    QCOMPARE(d.KopyalaDugmesi->text(), QStringLiteral("Sonucu &Panoya Kopyala"));
    QCOMPARE(d.KapatDugmesi->text(), QStringLiteral("Kapat"));
    QCOMPARE(d.AyrintilariAcDugmesi->text(), QStringLiteral(">>"));
    QCOMPARE(d.AyrintilariAcDugmesi->toolTip(), QStringLiteral("Temyiz sürelerini göster"));
    QCOMPARE(d.AyrintilarKapatDugmesi->text(), QStringLiteral("<< Temyiz Sürelerini &Gizle"));
    QStringList mahkemeler;
    for (QRadioButton *s : d.TemyizSecenegi) {
        mahkemeler << s->text();
        QVERIFY(!s->isChecked());
    }
    QCOMPARE(mahkemeler, (QStringList{QStringLiteral("Sul&h Hukuk Mahkemesi"), QStringLiteral("İş Mahkeme&si"),
                                      QStringLiteral("İcra &Tetkik Mercii"), QStringLiteral("&Asliye Hukuk Mahkemesi"),
                                      QStringLiteral("İ&dare Mahkemesi")}));
    // No setting yet: the panel is open.
    QCOMPARE(f->width(), piksel(SureHesaplamaFormu::GenisGenislik));
    QVERIFY(!d.AyrintilariAcDugmesi->isEnabled());
    QCOMPARE(d.Cerceve[1]->mapTo(f, QPoint(0, 0)).x() >= piksel(SureHesaplamaFormu::PanelSolu), true);
    QCOMPARE(d.GunBilgisiKutusu->text(), QString());
}

void SureHesaplamaFormuTesti::hesaplamaVeBirimler()
{
    ac();
    gir(QStringLiteral("25.12.2026"), 0, QStringLiteral("10"));
    QCOMPARE(sonuc(), QStringLiteral("04.01.2027"));
    d.EklenecekZamanDilimiKutusu->setCurrentIndex(1);
    gir(QStringLiteral("25.12.2026"), 1, QStringLiteral("2"));
    QCOMPARE(sonuc(), QStringLiteral("08.01.2027"));
    gir(QStringLiteral("31.01.2027"), 2, QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("28.02.2027"));
    gir(QStringLiteral("30.01.2028"), 2, QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("29.02.2028"));
    gir(QStringLiteral("29.02.2028"), 3, QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("28.02.2029"));
    // The result follows every input at once.
    d.EklenecekZamanDilimiKutusu->setCurrentIndex(0);
    QCOMPARE(sonuc(), QStringLiteral("01.03.2028"));
    QTest::keyClick(d.BaslangicTarihiKutusu, Qt::Key_Backspace);
    QCOMPARE(d.BaslangicTarihiKutusu->text(), QStringLiteral("29.02.202"));
    QCOMPARE(sonuc(), QString());
    QTest::keyClick(d.BaslangicTarihiKutusu, Qt::Key_Backspace);
    QCOMPARE(sonuc(), QStringLiteral("01.03.2020")); // a two-figure year
    QTest::keyClick(d.BaslangicTarihiKutusu, Qt::Key_Backspace);
    QCOMPARE(sonuc(), QString()); // 29.02.2002 is no date
    QVERIFY(!d.KopyalaDugmesi->isEnabled());
}

void SureHesaplamaFormuTesti::sureKutusu()
{
    ac();
    gir(QStringLiteral("25.12.2026"), 0, QStringLiteral("007"));
    QCOMPARE(sure(), QStringLiteral("7"));
    QCOMPARE(sonuc(), QStringLiteral("01.01.2027"));
    // Only figures and Backspace are typed; other keys are lost.
    yaz(d.EklenecekSureKutusu, QStringLiteral("a-.+ 1"));
    QCOMPARE(sure(), QStringLiteral("71"));
    // Emptying the box puts 1 back at once.
    QTest::keyClick(d.EklenecekSureKutusu, Qt::Key_Backspace);
    QTest::keyClick(d.EklenecekSureKutusu, Qt::Key_Backspace);
    QCOMPARE(sure(), QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("26.12.2026"));
    yaz(d.EklenecekSureKutusu, QStringLiteral("5"));
    QCOMPARE(sure(), QStringLiteral("15"));
    // Picking from the list while the box has the focus: nothing was picked before.
    QTest::keyClick(d.EklenecekSureKutusu, Qt::Key_Down);
    QCOMPARE(sure(), QStringLiteral("8"));
    QCOMPARE(sonuc(), QStringLiteral("02.01.2027"));
    QTest::keyClick(d.EklenecekSureKutusu, Qt::Key_Down);
    QCOMPARE(sure(), QStringLiteral("10"));
    QCOMPARE(sonuc(), QStringLiteral("04.01.2027"));
}

void SureHesaplamaFormuTesti::yapistirilanSureler()
{
    ac();
    gir(QStringLiteral("25.12.2026"), 0, QStringLiteral("1"));
    QLineEdit *satir = d.EklenecekSureKutusu->lineEdit();
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
    ac();
    gir(QStringLiteral("01.01.9990"), 3, QStringLiteral("20"));
    QCOMPARE(sure(), QStringLiteral("1"));
    QCOMPARE(sonuc(), QStringLiteral("01.01.9991"));
    // Even 1 day is too much: the amount is 1 and no old result stays on show.
    gir(QStringLiteral("31.12.9999"), 0, QStringLiteral("5"));
    QCOMPARE(sure(), QStringLiteral("1"));
    QCOMPARE(sonuc(), QString());
    QVERIFY(!d.KopyalaDugmesi->isEnabled());
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void SureHesaplamaFormuTesti::baslangicTarihi()
{
    ac();
    temizle(d.BaslangicTarihiKutusu);
    yaz(d.BaslangicTarihiKutusu, QStringLiteral("5a/3b-2026!"));
    QCOMPARE(d.BaslangicTarihiKutusu->text(), QStringLiteral("5/3-2026"));
    temizle(d.BaslangicTarihiKutusu);
    yaz(d.BaslangicTarihiKutusu, QStringLiteral("5.3.2026"));
    // Leaving rewrites a valid date in the short form.
    QTest::keyClick(d.BaslangicTarihiKutusu, Qt::Key_Tab);
    QCOMPARE(d.BaslangicTarihiKutusu->text(), QStringLiteral("05.03.2026"));
    QCOMPARE(QApplication::focusWidget(), d.ElektronikTebligatOnayi);

    // A wrong date keeps the focus, with the message; the result stays empty.
    d.EklenecekSureKutusu->setFocus();
    yaz(d.EklenecekSureKutusu, QStringLiteral("8"));
    temizle(d.BaslangicTarihiKutusu);
    yaz(d.BaslangicTarihiKutusu, QStringLiteral("32.13.2026"));
    QCOMPARE(sonuc(), QString());
    QTest::keyClick(d.BaslangicTarihiKutusu, Qt::Key_Tab);
    QTRY_COMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Lütfen, tarihi doğru biçimde giriniz!")});
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Bilgi);
    QCOMPARE(QApplication::focusWidget(), d.BaslangicTarihiKutusu);
    QCOMPARE(d.BaslangicTarihiKutusu->selectedText(), QStringLiteral("32.13.2026"));
    // A click on a court moves the focus too: one message, the focus comes back.
    ortam->mesajlar->temizle();
    QTest::mouseClick(d.TemyizSecenegi[0], Qt::LeftButton);
    QTRY_COMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QTRY_COMPARE(QApplication::focusWidget(), d.BaslangicTarihiKutusu);
    QTest::qWait(20);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    // Going to "Kapat" does not hold the user back.
    ortam->mesajlar->temizle();
    d.KapatDugmesi->setFocus(Qt::MouseFocusReason);
    QTest::qWait(20);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());

    // An empty box is allowed: no message, no result, nothing to copy.
    temizle(d.BaslangicTarihiKutusu);
    QTest::keyClick(d.BaslangicTarihiKutusu, Qt::Key_Tab);
    QTest::qWait(20);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QCOMPARE(sonuc(), QString());
    QVERIFY(!d.KopyalaDugmesi->isEnabled());
}

void SureHesaplamaFormuTesti::mahkemeler()
{
    ac();
    temizle(d.BaslangicTarihiKutusu);
    yaz(d.BaslangicTarihiKutusu, QStringLiteral("25.12.2026"));
    d.EklenecekZamanDilimiKutusu->setCurrentIndex(2);
    QTest::mouseClick(d.TemyizSecenegi[4], Qt::LeftButton);
    QCOMPARE(sure(), QStringLiteral("30"));
    QCOMPARE(d.EklenecekZamanDilimiKutusu->currentIndex(), 0);
    QCOMPARE(sonuc(), QStringLiteral("24.01.2027"));
    QVERIFY(d.TemyizSecenegi[4]->isChecked());
    QTRY_VERIFY(d.EklenecekSureKutusu->hasFocus() || d.EklenecekSureKutusu->lineEdit()->hasFocus());
    // Another unit clears the option; the amount stays 30.
    d.EklenecekZamanDilimiKutusu->setFocus();
    QTest::keyClick(d.EklenecekZamanDilimiKutusu, Qt::Key_Down);
    QTest::keyClick(d.EklenecekZamanDilimiKutusu, Qt::Key_Down);
    QCOMPARE(d.EklenecekZamanDilimiKutusu->currentIndex(), 2);
    QVERIFY(!d.TemyizSecenegi[4]->isChecked());
    QCOMPARE(sonuc(), QStringLiteral("25.06.2029"));

    // Today's law from 25.12.2026: two weeks end on Friday 08.01.2027 (not 09.01.2027,
    // the fifteen days of the replaced law); ten days on 04.01.2027; thirty on 24.01.2027.
    const QString beklenen[5] = {QStringLiteral("08.01.2027"), QStringLiteral("08.01.2027"), QStringLiteral("04.01.2027"),
                                 QStringLiteral("08.01.2027"), QStringLiteral("24.01.2027")};
    const QString sureler[5] = {QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("2"),
                                QStringLiteral("30")};
    const int birimler[5] = {1, 1, 0, 1, 0};
    const QString maddeler[5] = {QStringLiteral("HMK 345: istinaf süresi iki haftadır, kararın tebliğinden başlar."),
                                 QStringLiteral("7036 sayılı İş Mahkemeleri Kanunu md. 7 ve HMK 345: istinaf süresi iki "
                                                "haftadır, kararın tebliğinden başlar."),
                                 QStringLiteral("İİK 363: istinaf süresi on gündür, kararın tefhim veya tebliğinden başlar."),
                                 QStringLiteral("HMK 345: istinaf süresi iki haftadır, kararın tebliğinden başlar."),
                                 QStringLiteral("İYUK 45: istinaf süresi otuz gündür, kararın tebliğinden başlar.")};
    for (int i = 0; i < 5; ++i) {
        // The amount is set from the list even when the user had typed over it.
        yaz(d.EklenecekSureKutusu, QStringLiteral("3"));
        QTest::mouseClick(d.TemyizSecenegi[i], Qt::LeftButton);
        QCOMPARE(sure(), sureler[i]);
        QCOMPARE(d.EklenecekZamanDilimiKutusu->currentIndex(), birimler[i]);
        QCOMPARE(sonuc(), beklenen[i]);
        // The unit set by the option does not clear it; the day line names its statute.
        QVERIFY(d.TemyizSecenegi[i]->isChecked());
        QVERIFY2(d.GunBilgisiKutusu->text().startsWith(maddeler[i]), qPrintable(d.GunBilgisiKutusu->text()));
    }
    // Typing an amount clears the option.
    yaz(d.EklenecekSureKutusu, QStringLiteral("1"));
    QCOMPARE(sure(), QStringLiteral("301"));
    for (QRadioButton *s : d.TemyizSecenegi)
        QVERIFY(!s->isChecked());
    // Without a court the statute is no longer named.
    QVERIFY(!d.GunBilgisiKutusu->text().contains(QStringLiteral("İYUK")));
}

void SureHesaplamaFormuTesti::panelVeAyari()
{
    SureHesaplamaFormu *f = ac();
    QTest::mouseClick(d.AyrintilarKapatDugmesi, Qt::LeftButton);
    QCOMPARE(f->width(), piksel(SureHesaplamaFormu::DarGenislik));
    QVERIFY(d.AyrintilariAcDugmesi->isEnabled());
    QVERIFY(!d.TemyizSecenegi[0]->isVisible());
    QTest::keyClick(f, Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::AyrintiGoster, QString()), QStringLiteral("0"));

    // The next opening starts narrow; today again, amount empty.
    f = ac();
    QCOMPARE(f->width(), piksel(SureHesaplamaFormu::DarGenislik));
    QCOMPARE(sure(), QString());
    QTest::mouseClick(d.AyrintilariAcDugmesi, Qt::LeftButton);
    QCOMPARE(f->width(), piksel(SureHesaplamaFormu::GenisGenislik));
    QVERIFY(!d.AyrintilariAcDugmesi->isEnabled());
    QVERIFY(d.TemyizSecenegi[0]->isVisible());
    QTest::mouseClick(d.KapatDugmesi, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::AyrintiGoster, QString()), QStringLiteral("1"));
    // The close box writes it too.
    f = ac();
    QTest::mouseClick(d.AyrintilarKapatDugmesi, Qt::LeftButton);
    f->close();
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::AyrintiGoster, QString()), QStringLiteral("0"));
}

void SureHesaplamaFormuTesti::kopyalamaVeGunBilgisi()
{
    ac();
    gir(QStringLiteral("17.05.2026"), 0, QStringLiteral("10"));
    QCOMPARE(sonuc(), QStringLiteral("27.05.2026"));
    QCOMPARE(d.GunBilgisiKutusu->text(),
             QStringLiteral("Çarşamba, resmî tatil: Kurban Bayramı. İlk iş günü 01.06.2026 Pazartesi."));
    QVERIFY(d.KopyalaDugmesi->isEnabled());
    QTest::mouseClick(d.KopyalaDugmesi, Qt::LeftButton);
    // Only the result goes to the clipboard.
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("27.05.2026"));
    QVERIFY(!d.KopyalaDugmesi->isEnabled());
    // Disabled until the result changes again.
    d.EklenecekZamanDilimiKutusu->setCurrentIndex(0);
    QVERIFY(!d.KopyalaDugmesi->isEnabled());
    yaz(d.EklenecekSureKutusu, QStringLiteral("0"));
    QCOMPARE(sonuc(), QStringLiteral("25.08.2026"));
    QVERIFY(d.KopyalaDugmesi->isEnabled());
    QCOMPARE(d.GunBilgisiKutusu->text(),
             QStringLiteral("Salı.\nAdli tatil içinde (20 Temmuz – 31 Ağustos). Mahkeme seçilmedi, hukuk usulüne göre: "
                            "HMK 104 gereği süre tatilin bittiği günden bir hafta uzar, son gün 07.09.2026 Pazartesi. "
                            "İvedi işlerde (HMK 103) süre uzamaz."));
    temizle(d.BaslangicTarihiKutusu);
    QCOMPARE(d.GunBilgisiKutusu->text(), QString());
}

void SureHesaplamaFormuTesti::etiketlerVeEnter()
{
    SureHesaplamaFormu *f = ac();
    const QColor normal = d.Etiket[1]->palette().color(QPalette::WindowText);
    QWidget *alanlar[3] = {d.BaslangicTarihiKutusu, d.EklenecekZamanDilimiKutusu, d.EklenecekSureKutusu};
    d.BaslangicTarihiKutusu->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTRY_COMPARE(d.Etiket[i]->palette().color(QPalette::WindowText), KoyuKirmizi);
        for (int j = 0; j < 3; ++j) {
            if (j != i)
                QCOMPARE(d.Etiket[j]->palette().color(QPalette::WindowText), normal);
        }
        // Enter moves on as Tab does, and types nothing.
        QTest::keyClick(alanlar[i], Qt::Key_Return);
        QVERIFY(!alanlar[i]->hasFocus());
        // From the start date to the e-tebligat tick under it, then on to the unit.
        if (i == 0) {
            QCOMPARE(QApplication::focusWidget(), d.ElektronikTebligatOnayi);
            QCOMPARE(d.Etiket[0]->palette().color(QPalette::WindowText), normal);
            QTest::keyClick(d.ElektronikTebligatOnayi, Qt::Key_Tab);
        }
    }
    QCOMPARE(d.BaslangicTarihiKutusu->text(), QStringLiteral("07.12.2026"));
    QCOMPARE(d.Etiket[2]->palette().color(QPalette::WindowText), normal);
    QVERIFY(f->isVisible());
    // The labels name their boxes for screen readers and mnemonics.
    QCOMPARE(d.Etiket[0]->buddy(), d.BaslangicTarihiKutusu);
    QCOMPARE(d.Etiket[3]->buddy(), d.SonucKutusu);
    QCOMPARE(d.GunBilgisiKutusu->accessibleName(), QStringLiteral("Bulunan tarihin günü"));
}

void SureHesaplamaFormuTesti::elektronikTebligat()
{
    SureHesaplamaFormu *f = ac();
    QCOMPARE(d.ElektronikTebligatOnayi->text(), QStringLiteral("Elektronik tebligat (ulaştığı tarih)"));
    QVERIFY(!d.ElektronikTebligatOnayi->isChecked());
    // Under the start date, above the unit.
    const int y = d.ElektronikTebligatOnayi->geometry().y();
    QVERIFY(y > d.BaslangicTarihiKutusu->geometry().bottom() && y < d.EklenecekZamanDilimiKutusu->geometry().y());
    temizle(d.BaslangicTarihiKutusu);
    yaz(d.BaslangicTarihiKutusu, QStringLiteral("25.12.2026"));
    QTest::mouseClick(d.TemyizSecenegi[3], Qt::LeftButton);
    QCOMPARE(sonuc(), QStringLiteral("08.01.2027"));
    // Arrived on 25.12.2026: served at the end of 30.12.2026; two weeks end on 13.01.2027.
    d.ElektronikTebligatOnayi->click();
    QCOMPARE(sonuc(), QStringLiteral("13.01.2027"));
    QVERIFY(d.TemyizSecenegi[3]->isChecked());
    QVERIFY2(d.GunBilgisiKutusu->text().startsWith(QStringLiteral(
                 "Elektronik tebligat: 25.12.2026 günü ulaştı, izleyen beşinci günün sonunda, 30.12.2026 Çarşamba günü "
                 "tebliğ edilmiş sayılır (Tebligat Kanunu 7/a).")),
             qPrintable(d.GunBilgisiKutusu->text()));
    // Arrived Monday 04.01.2027, served Saturday 09.01.2027: ten days end on 19.01.2027.
    temizle(d.BaslangicTarihiKutusu);
    yaz(d.BaslangicTarihiKutusu, QStringLiteral("04.01.2027"));
    QTest::mouseClick(d.TemyizSecenegi[2], Qt::LeftButton);
    QCOMPARE(sonuc(), QStringLiteral("19.01.2027"));
    // Remembered like the panel: on at the next opening, off again when closed unticked.
    QTest::mouseClick(d.KapatDugmesi, Qt::LeftButton);
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::ElektronikTebligat, QString()), QStringLiteral("1"));
    f = ac();
    QVERIFY(d.ElektronikTebligatOnayi->isChecked());
    d.ElektronikTebligatOnayi->click();
    f->close();
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::ElektronikTebligat, QString()), QStringLiteral("0"));
    ac();
    QVERIFY(!d.ElektronikTebligatOnayi->isChecked());
}

void SureHesaplamaFormuTesti::gunBilgisiOkunur_data()
{
    QTest::addColumn<QString>("baslangic");
    QTest::addColumn<int>("mahkeme");
    QTest::addColumn<int>("punto");
    QTest::addColumn<QString>("sonGun");
    // 19.05.2027: Kurban Bayramı and the 19 May feast on one day; 30.08.2025: Zafer
    // Bayramı on a Saturday in the recess. Both need more than three lines.
    QTest::newRow("19.05.2027") << QStringLiteral("19.04.2027") << 4 << 0 << QStringLiteral("20.05.2027 Perşembe");
    QTest::newRow("30.08.2025") << QStringLiteral("31.07.2025") << 4 << 0 << QStringLiteral("08.09.2025 Pazartesi");
    QTest::newRow("30.08.2025, iri yazı") << QStringLiteral("31.07.2025") << 4 << 16
                                         << QStringLiteral("08.09.2025 Pazartesi");
}

void SureHesaplamaFormuTesti::gunBilgisiOkunur()
{
    QFETCH(QString, baslangic);
    QFETCH(int, mahkeme);
    QFETCH(int, punto);
    QFETCH(QString, sonGun);
    const QFont eski = QApplication::font();
    if (punto > 0) {
        QFont iri = eski;
        iri.setPointSize(punto);
        QApplication::setFont(iri);
    }
    SureHesaplamaFormu *f = ac();
    temizle(d.BaslangicTarihiKutusu);
    yaz(d.BaslangicTarihiKutusu, baslangic);
    QTest::mouseClick(d.TemyizSecenegi[mahkeme], Qt::LeftButton);
    QLabel *g = d.GunBilgisiKutusu;
    const QString metin = g->text();
    QApplication::setFont(eski);
    QVERIFY2(metin.contains(sonGun), qPrintable(metin));
    // Every line is shown: the line is as tall as its text needs, inside its frame, above
    // the buttons, inside the window.
    QVERIFY(g->height() >= g->heightForWidth(g->width()));
    QVERIFY(g->height() > 3 * g->fontMetrics().lineSpacing());
    QVERIFY(g->geometry().bottom() < d.Cerceve[0]->height());
    const QRect cerceve(d.Cerceve[0]->mapTo(f, QPoint(0, 0)), d.Cerceve[0]->size());
    QVERIFY(cerceve.bottom() < d.KopyalaDugmesi->mapTo(f, QPoint(0, 0)).y());
    QVERIFY(d.KopyalaDugmesi->mapTo(f, QPoint(0, d.KopyalaDugmesi->height())).y() <= f->height());
    QVERIFY(d.AyrintilarKapatDugmesi->mapTo(f, QPoint(0, d.AyrintilarKapatDugmesi->height())).y() <= f->height());
    // What a screen reader reads is the text itself; it can be reached and copied from the keyboard.
    QAccessibleInterface *ai = QAccessible::queryAccessibleInterface(g);
    QVERIFY(ai);
    QCOMPARE(ai->text(QAccessible::Name), metin);
    QVERIFY(g->focusPolicy() & Qt::TabFocus);
    QVERIFY(g->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    d.SonucKutusu->setFocus();
    QTest::keyClick(d.SonucKutusu, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), g);
    // A short text again: the window keeps at least room for three lines.
    temizle(d.BaslangicTarihiKutusu);
    QCOMPARE(g->text(), QString());
    QCOMPARE(ai->text(QAccessible::Name), QStringLiteral("Bulunan tarihin günü"));
    QVERIFY(g->height() >= 3 * g->fontMetrics().lineSpacing());
}


void SureHesaplamaFormuTesti::isOlarakEkle()
{
    AnaForm *a = anaPencereyleAc({{QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Davalar")}});
    auto *agac = Test::denetim<KlasorAgaci>(a, "KlasorListesi");
    agac->setCurrentItem(agac->dugum(QStringLiteral("1-Anahtar")));
    ac();
    auto *ekle = Test::denetim<QPushButton>(m_form.get(), "IsOlarakEkleDugmesi");
    QCOMPARE(ekle->text(), QStringLiteral("İş Olarak &Ekle..."));
    QCOMPARE(ekle->accessibleName(), QStringLiteral("İş Olarak Ekle..."));
    // Only with a date found, like the copy button.
    temizle(d.BaslangicTarihiKutusu);
    QVERIFY(!ekle->isEnabled());

    // Asliye Hukuk from an e-tebligat that arrived on 18.12.2026: served 23.12.2026, two
    // weeks to 06.01.2027. The editor shows the proposal and nothing is stored on "Vazgeç".
    yaz(d.BaslangicTarihiKutusu, QStringLiteral("18.12.2026"));
    d.ElektronikTebligatOnayi->setChecked(true);
    d.TemyizSecenegi[3]->setChecked(true);
    QCOMPARE(sonuc(), QStringLiteral("06.01.2027"));
    QVERIFY(ekle->isEnabled());
    const QString aciklama = QStringLiteral(
        "Elektronik tebligat 18.12.2026 günü ulaştı, 23.12.2026 günü tebliğ edilmiş sayılır (Tebligat Kanunu 7/a). "
        "Süre: 2 Hafta. HMK 345: istinaf süresi iki haftadır, kararın tebliğinden başlar. Temyiz süresi de iki "
        "haftadır (HMK 361).");
    QStringList gorulen;
    baskaModalGelince([&](QWidget *w) {
        gorulen = editorAlanlari(w);
        QTest::mouseClick(Test::denetim<QPushButton>(w, "VazgecDugmesi"), Qt::LeftButton);
        QTest::mouseClick(Test::denetim<QPushButton>(w, "KapatDugmesi"), Qt::LeftButton);
    });
    QTest::mouseClick(ekle, Qt::LeftButton);
    QCOMPARE(gorulen, (QStringList{QStringLiteral("Yapılacak İş Ekleme (Davalar)"), QStringLiteral("06.01.2027"),
                                   QString(), QStringLiteral("İstinaf süresi sonu"), aciklama,
                                   QStringLiteral("hatırlat"), QStringLiteral("7, 3, 1")}));
    QVERIFY(tumIsler().empty());

    // With no court and a last day on a Sunday, the description names the working day;
    // "Kaydet" stores the job in the folder and the main list shows it.
    d.ElektronikTebligatOnayi->setChecked(false);
    gir(QStringLiteral("24.12.2026"), 0, QStringLiteral("10"));
    QCOMPARE(sonuc(), QStringLiteral("03.01.2027"));
    baskaModalGelince([&](QWidget *w) {
        gorulen = editorAlanlari(w);
        Test::denetim<QComboBox>(w, "SaatKutusu")->setCurrentIndex(9);
        QTest::mouseClick(Test::denetim<QPushButton>(w, "KaydetDugmesi"), Qt::LeftButton);
        QTest::mouseClick(Test::denetim<QPushButton>(w, "KapatDugmesi"), Qt::LeftButton);
    });
    QTest::mouseClick(ekle, Qt::LeftButton);
    QCOMPARE(gorulen.at(3), QStringLiteral("Süre sonu"));
    QCOMPARE(gorulen.at(4), QStringLiteral("Başlangıç tarihi 24.12.2026. Süre: 10 Gün. Son gün 04.01.2027 Pazartesi."));
    const std::vector<IsKaydi> isler = tumIsler();
    QCOMPARE(isler.size(), size_t(1));
    QCOMPARE(isler.front().anahtari, QStringLiteral("1-Anahtar"));
    QCOMPARE(isler.front().tarih, QDate(2027, 1, 3));
    QCOMPARE(isler.front().saat, QTime(9, 0));
    // Stored with the word capitals of the user's preference ("Ilk Harfler Buyuk").
    QCOMPARE(isler.front().konu, QStringLiteral("Süre Sonu"));
    QVERIFY(isler.front().hatirlatma);
    // Saved with the advance warnings proposed: a week, three days and the day before.
    QCOMPARE(Veritabani::acik().onHatirlatmalar(isler.front().isNo), (QList<int>{7, 3, 1}));
    QCOMPARE(Test::denetim<IsListesi>(a, "YapilacakIslerListesi")->satirSayisi(), 1);
}

void SureHesaplamaFormuTesti::isOlarakEkleKlasorSorar()
{
    // "Klasörlerim" selected and no folder at all: said, and no editor opens.
    anaPencereyleAc({});
    ac();
    gir(QStringLiteral("25.12.2026"), 0, QStringLiteral("10"));
    QTest::mouseClick(Test::denetim<QPushButton>(m_form.get(), "IsOlarakEkleDugmesi"), Qt::LeftButton);
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Önce bir klasör ekleyiniz.")});
    m_form.reset();
    m_ana.reset();

    // With folders, the user picks one by its path; cancelling opens nothing, a choice
    // opens the editor for that folder and the main window shows it.
    ortam = std::make_unique<Test::Ortam>();
    AnaForm *a = anaPencereyleAc({{QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Davalar")},
                                  {QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("İzmir")}});
    QCOMPARE(a->seciliAnahtar(), QStringLiteral("Klasor"));
    ac();
    gir(QStringLiteral("25.12.2026"), 0, QStringLiteral("10"));
    QStringList secenekler;
    baskaModalGelince([&](QWidget *w) {
        auto *s = qobject_cast<QInputDialog *>(w);
        QVERIFY(s);
        QCOMPARE(s->windowTitle(), QStringLiteral("Klasör Seçimi"));
        QCOMPARE(s->labelText(), QStringLiteral("İşin ekleneceği klasörü seçiniz:"));
        secenekler = s->comboBoxItems();
        s->reject();
    });
    QTest::mouseClick(Test::denetim<QPushButton>(m_form.get(), "IsOlarakEkleDugmesi"), Qt::LeftButton);
    QCOMPARE(secenekler, (QStringList{QStringLiteral("Davalar"), QStringLiteral("Davalar / İzmir")}));
    QCOMPARE(a->seciliAnahtar(), QStringLiteral("Klasor"));

    QString baslik;
    baskaModalGelince([&](QWidget *w) {
        auto *s = qobject_cast<QInputDialog *>(w);
        QVERIFY(s);
        baskaModalGelince([&](QWidget *editor) {
            baslik = editor->windowTitle();
            QTest::mouseClick(Test::denetim<QPushButton>(editor, "VazgecDugmesi"), Qt::LeftButton);
            QTest::mouseClick(Test::denetim<QPushButton>(editor, "KapatDugmesi"), Qt::LeftButton);
        });
        s->setTextValue(QStringLiteral("Davalar / İzmir"));
        s->accept();
    });
    QTest::mouseClick(Test::denetim<QPushButton>(m_form.get(), "IsOlarakEkleDugmesi"), Qt::LeftButton);
    QCOMPARE(baslik, QStringLiteral("Yapılacak İş Ekleme (İzmir)"));
    QCOMPARE(a->seciliAnahtar(), QStringLiteral("2-Anahtar"));
    QVERIFY(tumIsler().empty());
}

QTEST_MAIN(SureHesaplamaFormuTesti)
#include "tst_SureHesaplamaFormu.moc"

// The job editor: entry rules, the order of the save checks, history lists, modes,
// the calendar button, and its place between the main window and the database.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "tools/TakvimFormu.h"
#include "ui/AnaForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <QtTest/qtestspontaneevent.h>

#include <functional>
#include <memory>

using namespace Zelvora;

using Gecmis = QList<QPair<QString, QString>>;

class IsEklemeDegistirmeFormuTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void durumlarVeSekmeSirasi();
    void tarihKutusu();
    void uzunlukKesmeIsaretiBuyukHarf();
    void kaydetmeDenetimSirasi();
    void suankiDakikaGecmisSayilir();
    void degistirmeKipi();
    void ekleKipindeAcikKalir();
    void acanaBildirir();
    void yazilamayanIsKaydedilmisGosterilmez();
    void gecmisListeleri();
    void kapatmaKurallari();
    void takvimDugmesi();
    void anaFormIleEklemeVeDegistirme();
    void yapilmisIsYapilmisAcilir();
    void altindaDegisenKorunur();
    void uzunAciklamaKesilmez();

    void kurallarHerMesajdanSonraGecerli();
    void sinirlarKarakterSayar();
private:
    Veritabani *vt() { return &Veritabani::acik(); }
    IsEklemeDegistirmeFormu *ekleKipinde(); // as the main window's add command opens it
    IsEklemeDegistirmeFormu *degistirmeKipinde(qint64 isNo); // as its change command does
    void goster()
    {
        m_form->show();
        if (!QTest::qWaitForWindowActive(m_form.get()))
            qWarning("editor window did not become active");
    }
    // Types key by key, Turkish letters included.
    static void yaz(QWidget *alan, const QString &metin)
    {
        alan->setFocus();
        for (QChar c : metin) {
            if (c.unicode() < 128)
                QTest::keyClick(alan, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, alan, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static void ayril(QWidget *alan) { QTest::keyClick(alan, Qt::Key_Tab); }
    static void sec(QComboBox *kutu, const QString &metin) { kutu->setCurrentIndex(kutu->findText(metin)); }
    static void tikla(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    // A job for today 15:00: no question is due.
    static void gecerliIs(IsEklemeDegistirmeFormu *f, const QString &konu)
    {
        yaz(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"), QStringLiteral("07.12.2026"));
        sec(Test::denetim<QComboBox>(f, "SaatKutusu"), QStringLiteral("15"));
        yaz(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), konu);
        Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->setChecked(true);
    }
    std::vector<IsKaydi> tumIsler() { return vt()->isleriListele(QString(), true, false, QDate(2026, 12, 7)); }
    QStringList mesajlar() const { return ortam->mesajlar->metinler(); }
    QWidget *odak() const { return QApplication::focusWidget(); }

    std::unique_ptr<Test::Ortam> ortam;
    std::unique_ptr<IsEklemeDegistirmeFormu> m_form;
};

void IsEklemeDegistirmeFormuTesti::init()
{
    ortam = std::make_unique<Test::Ortam>(); // today: Monday 7 December 2026, 14:35:20
    ortam->veritabaniniAc();
    Tercihler::GirislerSaklansin = 1;
    Tercihler::SaklanacakGirisSayisi = 3;
    Tercihler::IlkHarflerBuyuk = 0;
}

void IsEklemeDegistirmeFormuTesti::cleanup()
{
    m_form.reset();
    ortam.reset();
}

IsEklemeDegistirmeFormu *IsEklemeDegistirmeFormuTesti::ekleKipinde()
{
    m_form = std::make_unique<IsEklemeDegistirmeFormu>();
    m_form->ekle(AnaForm::ornek() ? AnaForm::ornek()->seciliAnahtar() : QString(), m_form->windowTitle());
    goster();
    return m_form.get();
}

IsEklemeDegistirmeFormu *IsEklemeDegistirmeFormuTesti::degistirmeKipinde(qint64 isNo)
{
    const IsKaydi is = vt()->is(isNo);
    m_form = std::make_unique<IsEklemeDegistirmeFormu>();
    m_form->isiDoldur(is.tarih.toString(QStringLiteral("dd.MM.yyyy")), is.saat.toString(QStringLiteral("HH:mm:ss")),
                      is.konu, is.yer, is.sayi, is.aciklama, is.hatirlatma, is.yapildi);
    m_form->degistir(isNo, m_form->windowTitle());
    goster();
    return m_form.get();
}

void IsEklemeDegistirmeFormuTesti::durumlarVeSekmeSirasi()
{
    m_form = std::make_unique<IsEklemeDegistirmeFormu>();
    IsEklemeDegistirmeFormu *f = m_form.get();
    goster();
    // Idle after creation: inputs cleared and disabled, only "Yeni İş Ekle" and "Kapat".
    QVERIFY(!Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->isEnabled() && !Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->isEnabled());
    QVERIFY(!Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->isEnabled() && !Test::denetim<QCheckBox>(f, "IsYapildiOnayi")->isEnabled());
    QVERIFY(Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi")->isVisible() && !Test::denetim<QPushButton>(f, "KaydetDugmesi")->isVisible());
    QVERIFY(!Test::denetim<QPushButton>(f, "VazgecDugmesi")->isEnabled() && Test::denetim<QPushButton>(f, "KapatDugmesi")->isEnabled());
    QCOMPARE(Test::denetim<QPushButton>(f, "KaydetDugmesi")->pos(), Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi")->pos());

    tikla(Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi"));
    QVERIFY(Test::denetim<QPushButton>(f, "KaydetDugmesi")->isVisible() && !Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi")->isVisible());
    QVERIFY(Test::denetim<QPushButton>(f, "VazgecDugmesi")->isEnabled() && !Test::denetim<QPushButton>(f, "KapatDugmesi")->isEnabled());
    QVERIFY(Test::denetim<QPushButton>(f, "TarihiTakvimdenSecDugmesi")->isEnabled() && Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->isEnabled());
    QVERIFY(!Test::denetim<QCheckBox>(f, "IsYapildiOnayi")->isEnabled()); // only the change command opens it
    QCOMPARE(odak(), Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"));

    // Tab order; hidden, disabled controls are skipped. Enter moves on as Tab.
    QStringList gezilen{odak()->objectName()};
    for (int i = 0; i < 11; ++i) {
        // Enter on a button would press it.
        QTest::keyClick(odak(), qobject_cast<QPushButton *>(odak()) ? Qt::Key_Tab : Qt::Key_Return);
        gezilen << odak()->objectName();
    }
    QCOMPARE(gezilen.join(QLatin1Char(' ')),
             QStringLiteral("IsinTarihiKutusu TarihiTakvimdenSecDugmesi SaatKutusu DakikaKutusu IsinKonusuKutusu "
                            "IsinYeriKutusu IsinSayisiKutusu AciklamaKutusu HatirlatmaVarOnayi KaydetDugmesi "
                            "VazgecDugmesi IsinTarihiKutusu"));
    // Enter in a typing combo adds nothing to its history list.
    yaz(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), QStringLiteral("Dava"));
    QTest::keyClick(odak(), Qt::Key_Return);
    QCOMPARE(odak(), Test::denetim<QComboBox>(f, "IsinYeriKutusu"));
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->count(), 0);
    QVERIFY(mesajlar().isEmpty());
}

void IsEklemeDegistirmeFormuTesti::tarihKutusu()
{
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    QLineEdit *t = Test::denetim<QLineEdit>(f, "IsinTarihiKutusu");
    yaz(t, QStringLiteral("5a.3 .26x")); // only figures and separators are typed
    QCOMPARE(t->text(), QStringLiteral("5.3.26"));
    ayril(t);
    QCOMPARE(t->text(), QStringLiteral("05.03.2026"));

    // Not a date: the message, the focus stays, the text is selected.
    t->clear();
    yaz(t, QStringLiteral("31.02.2026"));
    ayril(t);
    QCOMPARE(mesajlar(), QStringList{QStringLiteral("Lütfen, TARİHİ doğru biçimde giriniz.")});
    QCOMPARE(odak(), t);
    QCOMPARE(t->selectedText(), QStringLiteral("31.02.2026"));

    // An empty box may be left.
    ortam->mesajlar->temizle();
    t->clear();
    ayril(t);
    QVERIFY(mesajlar().isEmpty());
    QCOMPARE(odak(), Test::denetim<QPushButton>(f, "TarihiTakvimdenSecDugmesi"));

    // "Kaydet" pressed without leaving the box never stores a wrong date.
    yaz(t, QStringLiteral("32.1.2027"));
    sec(Test::denetim<QComboBox>(f, "SaatKutusu"), QStringLiteral("15"));
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setEditText(QStringLiteral("Konu"));
    Test::denetim<QPushButton>(f, "KaydetDugmesi")->click();
    QCOMPARE(mesajlar(), QStringList{QStringLiteral("Lütfen, TARİHİ doğru biçimde giriniz.")});
    QVERIFY(tumIsler().empty());
}

void IsEklemeDegistirmeFormuTesti::uzunlukKesmeIsaretiBuyukHarf()
{
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    // Typing stops at the limit; Backspace still works there.
    yaz(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), QStringLiteral("abcdefghijklmnopqrstuvwxy"));
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QStringLiteral("abcdefghijklmnopqrst"));
    QTest::keyClick(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), Qt::Key_Backspace);
    yaz(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), QStringLiteral("XY"));
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QStringLiteral("abcdefghijklmnopqrsX"));

    // Pasted past the limit: cut with the field's message when left, focus back.
    const QString uzun = QStringLiteral("1234567890123456789012345");
    const struct {
        QComboBox *kutu;
        int sinir;
        QString ileti;
    } alanlar[] = {{Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), 20, QStringLiteral("İşin konusu EN FAZLA 20 karakter olabilir!")},
                   {Test::denetim<QComboBox>(f, "IsinYeriKutusu"), 30, QStringLiteral("İşin yeri EN FAZLA 30 karakter olabilir!")},
                   {Test::denetim<QComboBox>(f, "IsinSayisiKutusu"), 12, QStringLiteral("İşin sayısı EN FAZLA 12 karakter olabilir!")}};
    for (const auto &[kutu, sinir, ileti] : alanlar) {
        ortam->mesajlar->temizle();
        kutu->setFocus();
        kutu->setEditText(uzun + uzun);
        ayril(kutu);
        QCOMPARE(mesajlar(), QStringList{ileti});
        QCOMPARE(kutu->currentText(), (uzun + uzun).left(sinir));
        QCOMPARE(odak(), kutu);
    }

    // Blanks are trimmed before measuring; apostrophes become "’", in the description too.
    ortam->mesajlar->temizle();
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setFocus();
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setEditText(QStringLiteral("   Ali'nin dosyası 123   "));
    ayril(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"));
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QStringLiteral("Ali’nin dosyası 123"));
    yaz(Test::denetim<QLineEdit>(f, "AciklamaKutusu"), QStringLiteral(" 'acele' "));
    ayril(Test::denetim<QLineEdit>(f, "AciklamaKutusu"));
    QCOMPARE(Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text(), QStringLiteral("’acele’"));
    QVERIFY(mesajlar().isEmpty());
    yaz(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"), QStringLiteral("08.12.2026"));
    sec(Test::denetim<QComboBox>(f, "SaatKutusu"), QStringLiteral("10"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(tumIsler().at(0).konu, QStringLiteral("Ali’nin dosyası 123"));

    // "Ilk Harfler Buyuk": subject, place and number capitalised the Turkish way.
    Tercihler::IlkHarflerBuyuk = 1;
    tikla(Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi"));
    yaz(Test::denetim<QComboBox>(f, "IsinYeriKutusu"), QStringLiteral("izmir ışıklar"));
    ayril(Test::denetim<QComboBox>(f, "IsinYeriKutusu"));
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinYeriKutusu")->currentText(), QStringLiteral("İzmir Işıklar"));
    yaz(Test::denetim<QLineEdit>(f, "AciklamaKutusu"), QStringLiteral("küçük harfle"));
    ayril(Test::denetim<QLineEdit>(f, "AciklamaKutusu"));
    QCOMPARE(Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text(), QStringLiteral("küçük harfle"));
}

void IsEklemeDegistirmeFormuTesti::kaydetmeDenetimSirasi()
{
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    auto &m = *ortam->mesajlar;
    const QString gecmisTarih = QStringLiteral("GEÇMİŞ TARİHLİ iş girmek istiyor musunuz?");

    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(mesajlar(), QStringList{QStringLiteral("Lütfen, işin TARİHİNİ giriniz!")});
    QCOMPARE(odak(), Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"));

    m.temizle();
    yaz(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"), QStringLiteral("06.12.2026"));
    m.cevaplar = {MesajCevabi::Hayir};
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(mesajlar(), QStringList{gecmisTarih});
    QCOMPARE(m.gosterilenler.last().simge, MesajSimgesi::Soru);
    QCOMPARE(m.gosterilenler.last().dugmeler, MesajDugmeleri::EvetHayir);
    QCOMPARE(odak(), Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"));

    m.temizle();
    m.cevaplar = {MesajCevabi::Evet};
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(mesajlar(), (QStringList{gecmisTarih, QStringLiteral("Lütfen, işin SAATİNİ giriniz!")}));
    QCOMPARE(odak(), Test::denetim<QComboBox>(f, "SaatKutusu"));

    // No minute: "00" silently. A past date asks nothing about the time.
    m.temizle();
    sec(Test::denetim<QComboBox>(f, "SaatKutusu"), QStringLiteral("09"));
    m.cevaplar = {MesajCevabi::Evet};
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(Test::denetim<QComboBox>(f, "DakikaKutusu")->currentText(), QStringLiteral("00"));
    QCOMPARE(mesajlar(), (QStringList{gecmisTarih, QStringLiteral("Lütfen, işin KONUSUNU giriniz!")}));
    QCOMPARE(odak(), Test::denetim<QComboBox>(f, "IsinKonusuKutusu"));

    // No reminder: the question defaults to No, and No goes to the remind box.
    m.temizle();
    Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->clear();
    yaz(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"), QStringLiteral("08.12.2026"));
    yaz(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), QStringLiteral("Duruşma"));
    yaz(Test::denetim<QComboBox>(f, "IsinYeriKutusu"), QStringLiteral("Adliye"));
    yaz(Test::denetim<QComboBox>(f, "IsinSayisiKutusu"), QStringLiteral("2026/15"));
    yaz(Test::denetim<QLineEdit>(f, "AciklamaKutusu"), QStringLiteral("Dosya hazır"));
    Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->setChecked(false);
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    const QString hatirlatma = QStringLiteral("'İŞ HATIRLATILSIN' seçeneğini işaretlemezseniz bu iş hatırlatılmaz!")
        + QStringLiteral("\r\n\r\nBu işin hatırlatılmasını istemediğinizden emin misiniz?");
    QCOMPARE(mesajlar(), QStringList{hatirlatma});
    QCOMPARE(m.gosterilenler.last().varsayilan, MesajCevabi::Hayir);
    QCOMPARE(odak(), Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi"));
    QVERIFY(tumIsler().empty());

    m.cevaplar = {MesajCevabi::Evet};
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(tumIsler().size(), size_t(1));
    const IsKaydi is = tumIsler().front();
    QCOMPARE(is.tarih, QDate(2026, 12, 8));
    QCOMPARE(is.saat, QTime(9, 0));
    QCOMPARE(QStringList({is.konu, is.yer, is.sayi, is.aciklama}),
             QStringList({QStringLiteral("Duruşma"), QStringLiteral("Adliye"), QStringLiteral("2026/15"),
                          QStringLiteral("Dosya hazır")}));
    QVERIFY(!is.hatirlatma && !is.yapildi);
}

void IsEklemeDegistirmeFormuTesti::suankiDakikaGecmisSayilir()
{
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    // 14:35 while the clock says 14:35:20: past.
    gecerliIs(f, QStringLiteral("Toplantı"));
    sec(Test::denetim<QComboBox>(f, "SaatKutusu"), QStringLiteral("14"));
    sec(Test::denetim<QComboBox>(f, "DakikaKutusu"), QStringLiteral("35"));
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(mesajlar(), QStringList{QStringLiteral("GEÇMİŞ ZAMANLI iş girmek istiyor musunuz?")});
    QCOMPARE(odak(), Test::denetim<QComboBox>(f, "SaatKutusu"));
    QVERIFY(tumIsler().empty());

    // 14:36 is ahead; so is the current minute before its seconds run.
    ortam->mesajlar->temizle();
    sec(Test::denetim<QComboBox>(f, "DakikaKutusu"), QStringLiteral("36"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    ortam->saat->an = QDateTime(QDate(2026, 12, 7), QTime(16, 10, 0));
    tikla(Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi"));
    gecerliIs(f, QStringLiteral("Tam dakika"));
    sec(Test::denetim<QComboBox>(f, "SaatKutusu"), QStringLiteral("16"));
    sec(Test::denetim<QComboBox>(f, "DakikaKutusu"), QStringLiteral("10"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QVERIFY(mesajlar().isEmpty());
    QCOMPARE(tumIsler().size(), size_t(2));
}

void IsEklemeDegistirmeFormuTesti::degistirmeKipi()
{
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 1), QTime(9, 30),
                                    QStringLiteral("Eski"), QStringLiteral("Yer"), {}, {}, true, false});
    IsEklemeDegistirmeFormu *f = degistirmeKipinde(no);
    QCOMPARE(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->text(), QStringLiteral("01.12.2026"));
    QCOMPARE(Test::denetim<QComboBox>(f, "SaatKutusu")->currentText() + Test::denetim<QComboBox>(f, "DakikaKutusu")->currentText(), QStringLiteral("0930"));
    QVERIFY(Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->isChecked() && !Test::denetim<QCheckBox>(f, "IsYapildiOnayi")->isChecked());

    // Done, past date and time, no reminder: saved without any question, folder kept.
    tikla(Test::denetim<QCheckBox>(f, "IsYapildiOnayi"));
    tikla(Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi"));
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setFocus();
    yaz(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), QStringLiteral("Yeni konu"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QVERIFY(mesajlar().isEmpty());
    const IsKaydi is = vt()->is(no);
    QCOMPARE(is.konu, QStringLiteral("Yeni konu"));
    QCOMPARE(is.yer, QStringLiteral("Yer"));
    QCOMPARE(is.tarih, QDate(2026, 12, 1));
    QCOMPARE(is.saat, QTime(9, 30));
    QCOMPARE(is.anahtari, QStringLiteral("1-Anahtar"));
    QVERIFY(is.yapildi && !is.hatirlatma);
    QCOMPARE(tumIsler().size(), size_t(1));
    QVERIFY(!f->isVisible()); // edit mode closes after the save
}

void IsEklemeDegistirmeFormuTesti::ekleKipindeAcikKalir()
{
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    gecerliIs(f, QStringLiteral("Birinci"));
    yaz(Test::denetim<QLineEdit>(f, "AciklamaKutusu"), QStringLiteral("not"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(tumIsler().size(), size_t(1));
    // Idle and still open, the entries cleared.
    QVERIFY(f->isVisible() && Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi")->isVisible() && !Test::denetim<QPushButton>(f, "KaydetDugmesi")->isVisible());
    QVERIFY(!Test::denetim<QPushButton>(f, "VazgecDugmesi")->isEnabled() && Test::denetim<QPushButton>(f, "KapatDugmesi")->isEnabled());
    QVERIFY(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->text().isEmpty() && !Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->isEnabled());
    QVERIFY(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText().isEmpty() && Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text().isEmpty());
    QCOMPARE(Test::denetim<QComboBox>(f, "SaatKutusu")->currentIndex(), -1);

    // The next job starts with the remind box unticked.
    tikla(Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi"));
    QVERIFY(!Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->isChecked());
    QCOMPARE(odak(), Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"));

    // "Vazgeç" in add mode: idle, still open, nothing written.
    gecerliIs(f, QStringLiteral("İkinci"));
    tikla(Test::denetim<QPushButton>(f, "VazgecDugmesi"));
    QVERIFY(f->isVisible() && Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi")->isVisible());
    QVERIFY(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText().isEmpty());
    QCOMPARE(tumIsler().size(), size_t(1));
}

// The opener learns of every save and of the end of a change through the signals; the
// folder given to ekle() is where every job of that opening goes.
void IsEklemeDegistirmeFormuTesti::acanaBildirir()
{
    m_form = std::make_unique<IsEklemeDegistirmeFormu>();
    IsEklemeDegistirmeFormu *f = m_form.get();
    QSignalSpy kaydedildi(f, &IsEklemeDegistirmeFormu::kaydedildi);
    QSignalSpy bitti(f, &IsEklemeDegistirmeFormu::degistirmeBitti);
    f->ekle(QStringLiteral("2-Anahtar"), QStringLiteral("Yapılacak İş Ekleme (İkinci)"));
    goster();
    QCOMPARE(f->windowTitle(), QStringLiteral("Yapılacak İş Ekleme (İkinci)"));
    QVERIFY(f->ekleKipinde() && f->isNo() == 0);
    QVERIFY(Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->isChecked());
    QVERIFY(Test::denetim<QPushButton>(f, "KaydetDugmesi")->isVisible());
    for (const QString &konu : {QStringLiteral("Birinci"), QStringLiteral("İkinci")}) {
        tikla(Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi"));
        gecerliIs(f, konu);
        tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    }
    QCOMPARE(kaydedildi.size(), 2);
    QCOMPARE(bitti.size(), 0); // add mode stays open
    const std::vector<IsKaydi> isler = tumIsler();
    QCOMPARE(isler.size(), size_t(2));
    for (const IsKaydi &is : isler)
        QCOMPARE(is.anahtari, QStringLiteral("2-Anahtar"));

    // A change: "Vazgeç" ends it without a save, a save ends it after one.
    for (bool kaydet : {false, true}) {
        degistirmeKipinde(isler.front().isNo);
        f = m_form.get();
        QSignalSpy k(f, &IsEklemeDegistirmeFormu::kaydedildi);
        QSignalSpy b(f, &IsEklemeDegistirmeFormu::degistirmeBitti);
        QVERIFY(!f->ekleKipinde() && f->isNo() == isler.front().isNo);
        QVERIFY(Test::denetim<QCheckBox>(f, "IsYapildiOnayi")->isEnabled());
        tikla(Test::denetim<QPushButton>(f, kaydet ? "KaydetDugmesi" : "VazgecDugmesi"));
        QCOMPARE(k.size(), kaydet ? 1 : 0);
        QCOMPARE(b.size(), 1);
        QVERIFY(!f->isVisible());
    }
    QVERIFY(mesajlar().isEmpty());
}

void IsEklemeDegistirmeFormuTesti::yazilamayanIsKaydedilmisGosterilmez()
{
    // The job was deleted meanwhile (another desk, say): the change cannot be written.
    // Said so, never as a fault that offers to end the program; declined, the window
    // stays editing with the entries kept and nothing goes into the history.
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 30),
                                    QStringLiteral("Silinecek"), QStringLiteral("Adliye"), {}, {}, true, false});
    IsEklemeDegistirmeFormu *f = degistirmeKipinde(no);
    vt()->isSil(no);
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setEditText(QStringLiteral("Yeni konu"));
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Soru);
    QVERIFY(mesajlar().first().contains(QStringLiteral("silinmiş")));
    QVERIFY(mesajlar().first().contains(QStringLiteral("yeni bir iş olarak")));
    QCOMPARE(ortam->son->sayi, 0);
    QVERIFY(f->isVisible() && Test::denetim<QPushButton>(f, "KaydetDugmesi")->isVisible());
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QStringLiteral("Yeni konu"));
    QVERIFY(Ayarlar::bolumDegerleri(AyarAdi::Konular).isEmpty());
    QVERIFY(vt()->isleriListele(QString(), true, false, QDate()).empty());
    // Accepted: the entries go in as a new job in the deleted job's folder, and the window
    // closes as after a save.
    ortam->mesajlar->temizle();
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    QSignalSpy kaydedildi(f, &IsEklemeDegistirmeFormu::kaydedildi);
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(kaydedildi.size(), 1);
    QVERIFY(!f->isVisible());
    const auto isler = vt()->isleriListele(QString(), true, false, QDate());
    QCOMPARE(isler.size(), size_t(1));
    QVERIFY(isler[0].isNo != no);
    QCOMPARE(isler[0].anahtari, QStringLiteral("1-Anahtar"));
    QVERIFY2(isler[0].konu.compare(QStringLiteral("Yeni konu"), Qt::CaseInsensitive) == 0, qPrintable(isler[0].konu));
    QCOMPARE(isler[0].yer, QStringLiteral("Adliye"));
    QCOMPARE(isler[0].tarih, QDate(2026, 12, 8));
}

void IsEklemeDegistirmeFormuTesti::gecmisListeleri()
{
    for (int i = 1; i <= 3; ++i)
        Ayarlar::yaz(AyarAdi::Konular, QStringLiteral("Sira-") + QString::number(i), QStringLiteral("Konu ") + QString::number(i));
    Ayarlar::yaz(AyarAdi::Yerler, QStringLiteral("Sira-1"), QStringLiteral("İzmir"));
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->count(), 3);
    QVERIFY(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText().isEmpty()); // loading the list fills no box
    auto liste = [](QComboBox *k) {
        QStringList l;
        for (int i = 0; i < k->count(); ++i)
            l << k->itemText(i);
        return l;
    };

    // At the limit: on top, the bottom entry dropped, the store rewritten in list order.
    // Under the limit (places): on top, stored as Sira-(n+1).
    gecerliIs(f, QStringLiteral("Konu 4"));
    yaz(Test::denetim<QComboBox>(f, "IsinYeriKutusu"), QStringLiteral("Ankara"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(liste(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")), (QStringList{QStringLiteral("Konu 4"), QStringLiteral("Konu 1"), QStringLiteral("Konu 2")}));
    const Gecmis konular = {{QStringLiteral("Sira-1"), QStringLiteral("Konu 4")},
                            {QStringLiteral("Sira-2"), QStringLiteral("Konu 1")},
                            {QStringLiteral("Sira-3"), QStringLiteral("Konu 2")}};
    QCOMPARE(Ayarlar::bolumDegerleri(AyarAdi::Konular), konular);
    QCOMPARE(liste(Test::denetim<QComboBox>(f, "IsinYeriKutusu")), (QStringList{QStringLiteral("Ankara"), QStringLiteral("İzmir")}));
    const Gecmis yerler = {{QStringLiteral("Sira-1"), QStringLiteral("İzmir")}, {QStringLiteral("Sira-2"), QStringLiteral("Ankara")}};
    QCOMPARE(Ayarlar::bolumDegerleri(AyarAdi::Yerler), yerler);

    // Already listed in another letter case, the Turkish way: nothing changes.
    tikla(Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi"));
    gecerliIs(f, QStringLiteral("KONU 1"));
    yaz(Test::denetim<QComboBox>(f, "IsinYeriKutusu"), QStringLiteral("izmir"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(tumIsler().size(), size_t(2));
    QCOMPARE(Ayarlar::bolumDegerleri(AyarAdi::Konular), konular);
    QCOMPARE(Ayarlar::bolumDegerleri(AyarAdi::Yerler), yerler);
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->count(), 3);
    QVERIFY(Ayarlar::bolumDegerleri(AyarAdi::Sayilar).isEmpty()); // empty texts are not kept

    // The limit lowered below the list's length: nothing is added.
    Tercihler::SaklanacakGirisSayisi = 2;
    tikla(Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi"));
    gecerliIs(f, QStringLiteral("Konu 5"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(tumIsler().size(), size_t(3));
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->count(), 3);
    QCOMPARE(Ayarlar::bolumDegerleri(AyarAdi::Konular), konular);

    // "Girisler Saklansin" 0: empty lists, nothing stored.
    Tercihler::GirislerSaklansin = 0;
    f = ekleKipinde();
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->count(), 0);
    gecerliIs(f, QStringLiteral("Konu 6"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->count(), 0);
    QCOMPARE(Ayarlar::bolumDegerleri(AyarAdi::Konular), konular);
}

void IsEklemeDegistirmeFormuTesti::kapatmaKurallari()
{
    // The window's close box, as the window system reports it.
    auto kapatmaKutusu = [](QWidget *w) {
        QCloseEvent e;
        QSpontaneKeyEvent::setSpontaneous(&e);
        QApplication::instance()->notify(w, &e); // sendEvent would drop the mark
    };
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    kapatmaKutusu(f); // refused while editing, and so is Esc
    QTest::keyClick(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"), Qt::Key_Escape);
    QVERIFY(f->isVisible());
    tikla(Test::denetim<QPushButton>(f, "VazgecDugmesi"));
    kapatmaKutusu(f);
    QVERIFY(!f->isVisible());

    f = ekleKipinde();
    tikla(Test::denetim<QPushButton>(f, "VazgecDugmesi"));
    QTest::keyClick(odak(), Qt::Key_Escape); // idle: Esc is "Kapat (Esc)"
    QVERIFY(!f->isVisible());

    f = ekleKipinde();
    QVERIFY(f->close()); // the program ending is not refused

    // "Vazgeç" in edit mode closes without writing.
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 30),
                                    QStringLiteral("Aynı"), {}, {}, {}, true, false});
    f = degistirmeKipinde(no);
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setEditText(QStringLiteral("Başka"));
    tikla(Test::denetim<QPushButton>(f, "VazgecDugmesi"));
    QVERIFY(!f->isVisible());
    QCOMPARE(vt()->is(no).konu, QStringLiteral("Aynı"));
}

void IsEklemeDegistirmeFormuTesti::takvimDugmesi()
{
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    yaz(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"), QStringLiteral("5.3.26"));
    QString baslangic;
    bool ustte = true;
    auto takvimde = [&](Qt::Key tus) {
        Test::modalGelince([&, tus](QWidget *w) {
            auto *t = qobject_cast<TakvimFormu *>(w);
            QVERIFY(t);
            baslangic = t->SecilenTarihBilgisi;
            ustte = t->windowFlags() & Qt::WindowStaysOnTopHint;
            QTest::keyClick(Test::denetim<QWidget>(t, "Altlik"), Qt::Key_Right);
            QTest::keyClick(Test::denetim<QWidget>(t, "Altlik"), tus);
        });
        tikla(Test::denetim<QPushButton>(f, "TarihiTakvimdenSecDugmesi"));
    };
    // Starts at the box's date; the chosen day goes into the box.
    takvimde(Qt::Key_Return);
    QCOMPARE(baslangic, QStringLiteral("05.03.2026"));
    QVERIFY(!ustte);
    QCOMPARE(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->text(), QStringLiteral("06.03.2026"));
    QCOMPARE(f->focusWidget(), Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"));
    // Esc: the box keeps its date.
    takvimde(Qt::Key_Escape);
    QCOMPARE(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->text(), QStringLiteral("06.03.2026"));
    // No valid date in the box: today; on top when the button's tag asks for it.
    Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->clear();
    f->takvimUstteTut(true);
    takvimde(Qt::Key_Return);
    QCOMPARE(baslangic, QStringLiteral("07.12.2026"));
    QVERIFY(ustte);
    QCOMPARE(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->text(), QStringLiteral("08.12.2026"));
}

void IsEklemeDegistirmeFormuTesti::anaFormIleEklemeVeDegistirme()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    for (int i = 1; i <= 3; ++i)
        vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7 + i), QTime(10, 0),
                      QStringLiteral("İş ") + QString::number(i), {}, {}, {}, true, false});
    AnaForm ana(false);
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    ana.KlasorListesi_NodeClick(ana.seciliDugum());

    // Add: stored in the selected folder, the main list re-read, the editor still open.
    bool acikKaldi = false;
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        QVERIFY(f);
        gecerliIs(f, QStringLiteral("Eklenen"));
        tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
        acikKaldi = f->isVisible() && Test::denetim<QPushButton>(f, "YeniIsEkleDugmesi")->isVisible();
        QCOMPARE(Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->satirSayisi(), 4);
        tikla(Test::denetim<QPushButton>(f, "KapatDugmesi"));
    });
    ana.YeniIsEkle();
    QVERIFY(acikKaldi);
    QCOMPARE(vt()->isleriListele(QStringLiteral("1-Anahtar"), false, false, QDate(2026, 12, 7)).size(), size_t(4));

    // Change the second row: written, list re-read, row 2 selected again.
    Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->satirSec(1);
    const qint64 no = Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->seciliIsNo();
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        QVERIFY(f);
        yaz(Test::denetim<QComboBox>(f, "IsinYeriKutusu"), QStringLiteral("Büro"));
        tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    });
    ana.DegisiklikYap();
    QCOMPARE(vt()->is(no).yer, QStringLiteral("Büro"));
    QCOMPARE(Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->seciliSatir(), 1);
}

void IsEklemeDegistirmeFormuTesti::yapilmisIsYapilmisAcilir()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 1), QTime(9, 30),
                                    QStringLiteral("Bitti"), {}, {}, {}, true, true});
    AnaForm ana(false);
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    ana.KlasorListesi_NodeClick(ana.seciliDugum());
    bool isaretliAcildi = false;
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        QVERIFY(f);
        isaretliAcildi = Test::denetim<QCheckBox>(f, "IsYapildiOnayi")->isEnabled() && Test::denetim<QCheckBox>(f, "IsYapildiOnayi")->isChecked();
        Test::denetim<QComboBox>(f, "IsinYeriKutusu")->setEditText(QStringLiteral("Arşiv"));
        tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
        if (f->isVisible())
            f->reject(); // not saved: let the test go on
    });
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet}; // "... YAPILDI olarak işaretlenmiş! ..."
    ana.DegisiklikYap();
    QVERIFY(isaretliAcildi);
    // Saved as a done job: no question about its past date or its reminder, still done.
    QCOMPARE(mesajlar(), QStringList{QStringLiteral("Bu iş YAPILDI olarak işaretlenmiş! Değiştirmek istediğinizden emin misiniz?")});
    const IsKaydi is = vt()->is(no);
    QCOMPARE(is.yer, QStringLiteral("Arşiv"));
    QVERIFY(is.yapildi);
    QVERIFY(is.hatirlatma); // the remind flag the list does not show was not touched either

    // Reopened: the remind box shows the stored tick the done icon hides. Unticking both
    // boxes and confirming "hatırlatılmaz" stores both flags off, and no scan rings it.
    const qint64 acilan = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(15, 0),
                                        QStringLiteral("Geri Açılan"), {}, {}, {}, true, true});
    ana.KlasorListesi_NodeClick(ana.seciliDugum());
    const auto degistir = [&](const std::function<void(IsEklemeDegistirmeFormu *)> &kullanici) {
        Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->satirSec(Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->model()->satirBul(acilan));
        Test::modalGelince([&](QWidget *w) {
            auto *f = qobject_cast<IsEklemeDegistirmeFormu *>(w);
            QVERIFY(f);
            kullanici(f);
            tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
            if (f->isVisible())
                f->reject();
        });
        ana.DegisiklikYap();
    };
    bool hatirlatmaGosterildi = false;
    ortam->mesajlar->temizle();
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet, MesajCevabi::Evet}; // "... YAPILDI ...", "... hatırlatılmaz! ..."
    degistir([&](IsEklemeDegistirmeFormu *f) {
        hatirlatmaGosterildi = Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->isChecked();
        tikla(Test::denetim<QCheckBox>(f, "IsYapildiOnayi"));
        tikla(Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi"));
    });
    QVERIFY(hatirlatmaGosterildi);
    QVERIFY(mesajlar().last().startsWith(QStringLiteral("'İŞ HATIRLATILSIN' seçeneğini işaretlemezseniz")));
    QVERIFY(!vt()->is(acilan).yapildi);
    QVERIFY(!vt()->is(acilan).hatirlatma);
    const auto caliyor = [&] {
        for (const IsKaydi &k : vt()->hatirlatilacakIsler(QDate(2026, 12, 7), QTime(15, 0)))
            if (k.isNo == acilan)
                return true;
        return false;
    };
    QVERIFY(!caliyor());
    // Its row and a later opening agree with what was stored: ticking the box brings it back.
    QCOMPARE(Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->model()->simge(Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi")->model()->satirBul(acilan)),
             int(IsSatiriModeli::HatirlatmaSimgesi));
    degistir([&](IsEklemeDegistirmeFormu *f) {
        hatirlatmaGosterildi = Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->isChecked();
        tikla(Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi"));
    });
    QVERIFY(!hatirlatmaGosterildi);
    QVERIFY(vt()->is(acilan).hatirlatma);
    QVERIFY(caliyor());
}

void IsEklemeDegistirmeFormuTesti::altindaDegisenKorunur()
{
    // While the editor is open, the reminder window settles the same job; the editor's
    // save writes only what the user changed in it.
    struct Durum {
        const char *ad;
        std::function<void(qint64)> altta;               // done underneath
        std::function<void(IsEklemeDegistirmeFormu *)> kullanici; // typed in the editor
        std::function<bool(const IsKaydi &)> beklenen;
    };
    const Durum durumlar[] = {
        {"yapıldı", [this](qint64 n) { vt()->isYapildiIsaretle(n); },
         [](IsEklemeDegistirmeFormu *f) { Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setEditText(QStringLiteral("Yeni konu")); },
         [](const IsKaydi &k) { return k.yapildi && k.hatirlatma && k.konu == QStringLiteral("Yeni konu"); }},
        {"ertelendi", [this](qint64 n) { vt()->isZamaniniDegistir(n, QDate(2026, 12, 7), QTime(15, 15, 20)); },
         [](IsEklemeDegistirmeFormu *f) { Test::denetim<QComboBox>(f, "IsinYeriKutusu")->setEditText(QStringLiteral("Büro")); },
         [](const IsKaydi &k) { return k.saat == QTime(15, 15, 20) && k.yer == QStringLiteral("Büro") && !k.yapildi; }},
        {"hatırlatılmasın", [this](qint64 n) { vt()->isHatirlatmaKapat(n); },
         [](IsEklemeDegistirmeFormu *f) { Test::denetim<QLineEdit>(f, "AciklamaKutusu")->setText(QStringLiteral("not")); },
         [](const IsKaydi &k) { return !k.hatirlatma && k.aciklama == QStringLiteral("not"); }},
        // Nothing changed in the editor: nothing is written.
        {"değişiklik yok", [this](qint64 n) { vt()->isYapildiIsaretle(n); }, [](IsEklemeDegistirmeFormu *) {},
         [](const IsKaydi &k) { return k.yapildi && k.konu == QStringLiteral("Eski"); }},
    };
    for (const Durum &d : durumlar) {
        const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(15, 0),
                                        QStringLiteral("Eski"), QStringLiteral("Yer"), {}, {}, true, false});
        IsEklemeDegistirmeFormu *f = degistirmeKipinde(no);
        d.altta(no);
        d.kullanici(f);
        tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
        QVERIFY2(!f->isVisible(), d.ad);
        QVERIFY2(d.beklenen(vt()->is(no)), d.ad);
    }
    QVERIFY(mesajlar().isEmpty());

    // The user changed the field changed underneath: the save first shows both values.
    // Declined, nothing is written; accepted, what the user typed wins.
    const qint64 iki = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(15, 0),
                                     QStringLiteral("Eski"), QStringLiteral("Yer"), {}, {}, true, false});
    for (MesajCevabi cevap : {MesajCevabi::Hayir, MesajCevabi::Evet}) {
        vt()->isGuncelle({iki, {}, QDate(2026, 12, 7), QTime(15, 0), QStringLiteral("Eski"), QStringLiteral("Yer"), {}, {},
                          true, false});
        IsEklemeDegistirmeFormu *f = degistirmeKipinde(iki);
        vt()->isZamaniniDegistir(iki, QDate(2026, 12, 7), QTime(15, 15, 20));
        vt()->isAlanlariniGuncelle({iki, {}, {}, {}, {}, QStringLiteral("Başka yer"), {}, {}, false, false},
                                   Veritabani::YerAlani);
        sec(Test::denetim<QComboBox>(f, "SaatKutusu"), QStringLiteral("17"));
        // The place was changed underneath only: no question about it, and it is kept.
        ortam->mesajlar->temizle();
        ortam->mesajlar->cevaplar = {cevap};
        tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
        QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
        const QString soru = mesajlar().first();
        QCOMPARE(ortam->mesajlar->gosterilenler.first().varsayilan, MesajCevabi::Hayir);
        QVERIFY2(soru.contains(QStringLiteral("İşin saati: şimdi kayıtlı 15:15, sizin girdiğiniz 17:00")), qPrintable(soru));
        QVERIFY2(!soru.contains(QStringLiteral("İşin yeri")), qPrintable(soru));
        const IsKaydi k = vt()->is(iki);
        QCOMPARE(k.yer, QStringLiteral("Başka yer"));
        if (cevap == MesajCevabi::Hayir) {
            QCOMPARE(k.saat, QTime(15, 15, 20));
            QVERIFY(f->isVisible() && Test::denetim<QPushButton>(f, "KaydetDugmesi")->isVisible());
            f->VazgecDugmesi_Click();
        } else {
            QCOMPARE(k.saat, QTime(17, 0));
            QVERIFY(!f->isVisible());
        }
    }

    // The job was deleted underneath: even an unchanged save says so first.
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(15, 0),
                                    QStringLiteral("Silinen"), {}, {}, {}, true, false});
    IsEklemeDegistirmeFormu *f = degistirmeKipinde(no);
    vt()->isSil(no);
    ortam->mesajlar->temizle();
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QVERIFY(mesajlar().value(0).contains(QStringLiteral("silinmiş")));
    QVERIFY(f->isVisible() && Test::denetim<QPushButton>(f, "KaydetDugmesi")->isVisible());
}

void IsEklemeDegistirmeFormuTesti::uzunAciklamaKesilmez()
{
    QString uzun;
    for (int i = 0; uzun.size() < 100000; ++i)
        uzun += QStringLiteral("Satır %1 açıklaması; ").arg(i);
    uzun.truncate(100000);
    uzun[uzun.size() - 1] = QLatin1Char('.');
    // Pasted into a new job: stored whole.
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    gecerliIs(f, QStringLiteral("Uzun"));
    Test::denetim<QLineEdit>(f, "AciklamaKutusu")->setFocus();
    Test::denetim<QLineEdit>(f, "AciklamaKutusu")->insert(uzun);
    ayril(Test::denetim<QLineEdit>(f, "AciklamaKutusu"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(tumIsler().size(), size_t(1));
    const qint64 no = tumIsler().front().isNo;
    QCOMPARE(vt()->is(no).aciklama.size(), 100000);
    QCOMPARE(vt()->is(no).aciklama, uzun);
    // Opened for a change it comes back whole, and a change to it is stored whole.
    m_form.reset();
    f = degistirmeKipinde(no);
    QCOMPARE(Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text().size(), 100000);
    Test::denetim<QLineEdit>(f, "AciklamaKutusu")->setFocus();
    Test::denetim<QLineEdit>(f, "AciklamaKutusu")->end(false);
    QTest::keyClicks(Test::denetim<QLineEdit>(f, "AciklamaKutusu"), QStringLiteral("X"));
    QCOMPARE(Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text().size(), 100001);
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(vt()->is(no).aciklama.size(), 100001);
    QCOMPARE(vt()->is(no).aciklama, uzun + QStringLiteral("X"));
}

void IsEklemeDegistirmeFormuTesti::kurallarHerMesajdanSonraGecerli()
{
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    gecerliIs(f, QStringLiteral("Kısa"));
    // While the subject's message is up, the focus moving on from the place still folds
    // and trims it.
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setFocus();
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setEditText(QString(25, QLatin1Char('k')));
    ortam->mesajlar->gosterilirken = [&](const QString &) {
        Test::denetim<QComboBox>(f, "IsinYeriKutusu")->setFocus();
        Test::denetim<QComboBox>(f, "IsinYeriKutusu")->setEditText(QStringLiteral("  Ali'nin bürosu "));
        Test::denetim<QComboBox>(f, "IsinSayisiKutusu")->setFocus();
    };
    ayril(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"));
    ortam->mesajlar->gosterilirken = nullptr;
    QCOMPARE(mesajlar(), QStringList{QStringLiteral("İşin konusu EN FAZLA 20 karakter olabilir!")});
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinYeriKutusu")->currentText(), QStringLiteral("Ali’nin bürosu"));

    // Fields filled without being left: the save applies every field's rules again, one
    // message at a time, and stores only what they let through.
    ortam->mesajlar->temizle();
    Test::denetim<QComboBox>(f, "IsinYeriKutusu")->setEditText(QString(42, QLatin1Char('y')));
    Test::denetim<QComboBox>(f, "IsinSayisiKutusu")->setEditText(QString(16, QLatin1Char('9')));
    Test::denetim<QLineEdit>(f, "AciklamaKutusu")->setText(QStringLiteral(" 'acele' "));
    Test::denetim<QPushButton>(f, "KaydetDugmesi")->click();
    QCOMPARE(mesajlar(), QStringList{QStringLiteral("İşin yeri EN FAZLA 30 karakter olabilir!")});
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinYeriKutusu")->currentText(), QString(30, QLatin1Char('y')));
    QCOMPARE(odak(), Test::denetim<QComboBox>(f, "IsinYeriKutusu"));
    Test::denetim<QPushButton>(f, "KaydetDugmesi")->click();
    QCOMPARE(mesajlar().last(), QStringLiteral("İşin sayısı EN FAZLA 12 karakter olabilir!"));
    QVERIFY(tumIsler().empty());
    Test::denetim<QPushButton>(f, "KaydetDugmesi")->click();
    QCOMPARE(tumIsler().size(), size_t(1));
    const IsKaydi is = tumIsler().front();
    QCOMPARE(is.yer, QString(30, QLatin1Char('y')));
    QCOMPARE(is.sayi, QString(12, QLatin1Char('9')));
    QCOMPARE(is.aciklama, QStringLiteral("’acele’"));
}

void IsEklemeDegistirmeFormuTesti::sinirlarKarakterSayar()
{
    IsEklemeDegistirmeFormu *f = ekleKipinde();
    const QString gulen = QString::fromUcs4(U"\U0001F600");
    // Typing: an emoji after 19 letters is the 20th character, and typing stops there.
    yaz(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), QString(19, QLatin1Char('a')));
    QTest::sendKeyEvent(QTest::Click, Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), Qt::Key_unknown, gulen, Qt::NoModifier);
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QString(19, QLatin1Char('a')) + gulen);
    QTest::keyClick(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"), Qt::Key_B);
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QString(19, QLatin1Char('a')) + gulen);
    ayril(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"));
    QVERIFY(mesajlar().isEmpty());
    // Pasted past the limit: cut to 20 characters, the emoji whole.
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setFocus();
    Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setEditText(QString(19, QLatin1Char('c')) + gulen + QStringLiteral("xyz"));
    ayril(Test::denetim<QComboBox>(f, "IsinKonusuKutusu"));
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QString(19, QLatin1Char('c')) + gulen);
    // A NUL in pasted text is not kept hidden.
    yaz(Test::denetim<QLineEdit>(f, "AciklamaKutusu"), QStringLiteral("ab"));
    Test::denetim<QLineEdit>(f, "AciklamaKutusu")->insert(QString(QChar(0)) + QStringLiteral("cd"));
    ayril(Test::denetim<QLineEdit>(f, "AciklamaKutusu"));
    QCOMPARE(Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text(), QStringLiteral("abcd"));
    yaz(Test::denetim<QLineEdit>(f, "IsinTarihiKutusu"), QStringLiteral("08.12.2026"));
    sec(Test::denetim<QComboBox>(f, "SaatKutusu"), QStringLiteral("10"));
    tikla(Test::denetim<QPushButton>(f, "KaydetDugmesi"));
    QCOMPARE(tumIsler().size(), size_t(1));
    QCOMPARE(tumIsler().front().konu, QString(19, QLatin1Char('c')) + gulen);
    QCOMPARE(tumIsler().front().aciklama, QStringLiteral("abcd"));
}

QTEST_MAIN(IsEklemeDegistirmeFormuTesti)
#include "tst_IsEklemeDegistirmeFormu.moc"

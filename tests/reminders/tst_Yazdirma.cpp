// The printed job report: its layout on a recorded page, the print flow with the
// printer window, the three windows' differences, and one real PDF read back.

#include "TestOrtami.h"

#include "core/OrtakDegiskenler.h"
#include "core/Tarihler.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/HatirlatmaFormu.h"
#include "reminders/IsRaporu.h"
#include "reminders/SistemYazicilari.h"
#include "reminders/YapilacakIslerListesiFormu.h"
#include "reminders/YaziciSecmeFormu.h"
#include "ui/AnaForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace Zelvora;

namespace {

const QDate Bugun(2026, 12, 7);
const QString Klasor = QStringLiteral("1-Anahtar");

IsKaydi is(const QString &konu, const QString &aciklama = QStringLiteral("kısa"), QTime saat = QTime(9, 30))
{
    return {0, Klasor, Bugun, saat, konu, QStringLiteral("Büro"), QStringLiteral("2026/15"), aciklama, true, false};
}

std::vector<IsKaydi> isler(int n, const QString &aciklama = QStringLiteral("kısa"))
{
    std::vector<IsKaydi> v;
    for (int i = 0; i < n; ++i)
        v.push_back(is(QStringLiteral("Konu %1").arg(i + 1), aciklama));
    return v;
}

// Lays a report out on a recorded page of 190 x 277 mm.
Test::BelgeKaydi ciz(std::vector<IsKaydi> v, RaporPenceresi p = RaporPenceresi::AnaPencere,
               const QString &baslik = QStringLiteral("Büro"))
{
    IsSatiriModeli m;
    m.doldur(std::move(v), Bugun, false);
    Test::KayitliSayfa s;
    raporuCiz(s, baslik, m, raporFarki(p));
    return *s.kayit;
}

QList<CizilenMetin> sayfadakiler(const Test::BelgeKaydi &b, int sayfa)
{
    QList<CizilenMetin> l;
    for (const CizilenMetin &m : b.metinler) {
        if (m.sayfa == sayfa)
            l << m;
    }
    return l;
}

const CizilenMetin *bul(const Test::BelgeKaydi &b, const QString &metin, int sayfa = 0)
{
    for (const CizilenMetin &m : b.metinler) {
        if (m.metin == metin && (sayfa == 0 || m.sayfa == sayfa))
            return &m;
    }
    return nullptr;
}

QStringList aciklamaSatirlari(const Test::BelgeKaydi &b)
{
    QStringList l;
    for (const CizilenMetin &m : b.metinler) {
        if (qFuzzyCompare(m.sol, 150.0) && !m.bicim.kalin)
            l << m.metin;
    }
    return l;
}

// The text of a PDF file as pdftotext lays it out; empty when the tool is missing.
QString pdfMetni(const QString &dosya)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), dosya, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class YazdirmaTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void baslikSutunlarVeSatir();
    void aciklamaSarmaKurali();
    void sayfaKirilmasiVeSayfaNumaralari();
    void bosListeHicbirSeyYapmaz();
    void yaziciYokPdfOnerisi();
    void yaziciPenceresi();
    void iptalKapatmaKutusuVeBaskaYazici();
    void yaziciReddederseBildirilir();
    void yazicilarHerKomuttaYenidenBakilir();
    void yaziciPenceresindenPdf();
    void pdfYazilamazsaBildirilir();
    void ucPenceredenYazdirma();
    void gercekPdfKonumlari();

private:
    Veritabani *vt() { return &Veritabani::acik(); }
    void yazicilariKur()
    {
        ortam->yazicilar->yazicilar = {{QStringLiteral("Ofis"), QStringLiteral("socket://10.0.0.5"), 0},
                                       {QStringLiteral("PDF"), QStringLiteral("cups-pdf:/"), 1},
                                       {QStringLiteral("Renkli"), QStringLiteral("usb://Renkli"), 2}};
        ortam->yazicilar->gecerli = QStringLiteral("PDF");
        OrtakDegiskenler::YaziciVar = true;
    }
    // Prints a model through the whole command; eylem answers the printer window.
    void yazdir(const IsSatiriModeli &m, const std::function<void(YaziciSecmeFormu *)> &eylem,
                RaporPenceresi p = RaporPenceresi::AnaPencere, QWidget *dugme = nullptr)
    {
        Test::modalGelince([eylem](QWidget *w) {
            auto *f = qobject_cast<YaziciSecmeFormu *>(w);
            QVERIFY2(f, "the printer window did not come up");
            eylem(f);
            if (f->isVisible())
                f->reject();
        });
        isListesiniYazdir(p, QStringLiteral("Başlık"), m, nullptr, dugme);
    }
    // The printer window's controls.
    static QComboBox *yaziciAdlari(const QObject *f) { return Test::denetim<QComboBox>(f, "YaziciAdlariKutusu"); }
    static QLineEdit *baglantiNoktasi(const QObject *f) { return Test::denetim<QLineEdit>(f, "BaglantiNoktasiKutusu"); }
    static QLabel *etiket(const QObject *f, int i)
    {
        return Test::denetim<QLabel>(f, qPrintable(QStringLiteral("Etiket%1").arg(i)));
    }
    std::unique_ptr<Test::Ortam> ortam;
};

void YazdirmaTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->saat->an = QDateTime(Bugun, QTime(14, 35, 20));
}

void YazdirmaTesti::cleanup()
{
    ortam.reset();
}

void YazdirmaTesti::baslikSutunlarVeSatir()
{
    std::vector<IsKaydi> v{is(QStringLiteral("Duruşma"), QStringLiteral("dosya"), QTime(14, 5, 33))};
    for (RaporPenceresi p : {RaporPenceresi::AnaPencere, RaporPenceresi::ListePenceresi,
                             RaporPenceresi::HatirlatmaPenceresi}) {
        const double sayisi = p == RaporPenceresi::HatirlatmaPenceresi ? 130 : 125;
        const Test::BelgeKaydi b = ciz(v, p, QStringLiteral("Tüm İşleriniz (Toplam: 1)"));
        QCOMPARE(b.sayfaSayisi, 1);

        // The title: 12 pt bold, centred, top 10.
        const CizilenMetin &t = b.metinler.first();
        QCOMPARE(t.metin, QStringLiteral("Tüm İşleriniz (Toplam: 1)"));
        QCOMPARE(t.bicim.punto, 12.0);
        QVERIFY(t.bicim.kalin && !t.bicim.altiCizili);
        QCOMPARE(t.ust, 10.0);
        QCOMPARE(t.sol, (190 - Test::KayitliSayfa::genislikKurali(t.metin, 12)) / 2);

        // The column headers: 9 pt bold underlined at top 20, at their edges.
        const QStringList basliklar{QStringLiteral("Tarihi"), QStringLiteral("Saati"), QStringLiteral("Konusu"),
                                    QStringLiteral("Yeri"), QStringLiteral("Sayısı"), QStringLiteral("Açıklama")};
        const QList<double> kenarlar{15, 35, 48, 80, sayisi, 150};
        for (int i = 0; i < basliklar.size(); ++i) {
            const CizilenMetin *h = bul(b, basliklar[i]);
            QVERIFY2(h, qPrintable(basliklar[i]));
            QCOMPARE(h->sol, kenarlar[i]);
            QCOMPARE(h->ust, 20.0);
            QCOMPARE(h->bicim.punto, 9.0);
            QVERIFY(h->bicim.kalin && h->bicim.altiCizili);
        }

        // The row: 8 pt regular, 1.5 below the rows' start; the time in 24-hour hh:mm.
        const QStringList hucreler{QStringLiteral("07.12.2026"), QStringLiteral("14:05"), QStringLiteral("Duruşma"),
                                   QStringLiteral("Büro"), QStringLiteral("2026/15"), QStringLiteral("dosya")};
        for (int i = 0; i < hucreler.size(); ++i) {
            const CizilenMetin *h = bul(b, hucreler[i]);
            QVERIFY2(h, qPrintable(hucreler[i]));
            QCOMPARE(h->sol, kenarlar[i]);
            QCOMPARE(h->ust, 26.5);
            QCOMPARE(h->bicim.punto, 8.0);
            QVERIFY(!h->bicim.kalin && !h->bicim.altiCizili);
        }
        // One page: no page number.
        for (const CizilenMetin &m : b.metinler)
            QVERIFY(!m.metin.startsWith(QStringLiteral("Sayfa")));
    }
}

void YazdirmaTesti::aciklamaSarmaKurali()
{
    // Without spaces: one line at 150, however long; the next row starts 1.5 below it.
    const QString uzun(120, QLatin1Char('x'));
    Test::BelgeKaydi b = ciz({is(QStringLiteral("a"), uzun), is(QStringLiteral("b"))});
    QCOMPARE(aciklamaSatirlari(b), (QStringList{uzun, QStringLiteral("kısa")}));
    QCOMPARE(bul(b, QStringLiteral("b"))->ust, 26.5 + Test::KayitliSayfa::satirKurali(8) + 1.5);

    // A dash standing alone is dropped, one inside a word stays; tabs and line breaks are spaces.
    b = ciz({is(QStringLiteral("a"), QStringLiteral("ön - son")), is(QStringLiteral("b"), QStringLiteral("a-b c")),
             is(QStringLiteral("c"), QStringLiteral("x\ty\r\nz\nw"))});
    QCOMPARE(aciklamaSatirlari(b), (QStringList{QStringLiteral("ön son"), QStringLiteral("a-b c"),
                                                QStringLiteral("x y z w")}));

    // A line ends once its text is wider than 28 mm (five letters and a blank make 9.6 mm
    // at 8 pt): the first line is the row's own, the next one a line height below.
    b = ciz({is(QStringLiteral("a"), QStringLiteral("aaaaa bbbbb ccccc ddddd eeeee fffff ggggg hhhhh")),
             is(QStringLiteral("b"))});
    QCOMPARE(aciklamaSatirlari(b), (QStringList{QStringLiteral("aaaaa bbbbb ccccc ddddd"),
                                                QStringLiteral("eeeee fffff ggggg hhhhh"), QStringLiteral("kısa")}));
    const double satir = Test::KayitliSayfa::satirKurali(8);
    QCOMPARE(bul(b, QStringLiteral("aaaaa bbbbb ccccc ddddd"))->ust, 26.5);
    QCOMPARE(bul(b, QStringLiteral("eeeee fffff ggggg hhhhh"))->ust, 26.5 + satir);
    QCOMPARE(bul(b, QStringLiteral("b"))->ust, 26.5 + 2 * satir + 1.5);
    // Subject, place and number are printed whole.
    b = ciz({is(QString(80, QLatin1Char('k')))});
    QVERIFY(bul(b, QString(80, QLatin1Char('k'))));
}

void YazdirmaTesti::sayfaKirilmasiVeSayfaNumaralari()
{
    // Each one-line row takes 1.5 + 3.6 mm from 25; a row is moved to the next page once
    // its top is within B + 5 of the page's bottom (277 mm): 46 rows fit with B 15, 45 with B 20.
    for (RaporPenceresi p : {RaporPenceresi::ListePenceresi, RaporPenceresi::HatirlatmaPenceresi}) {
        const double B = p == RaporPenceresi::HatirlatmaPenceresi ? 20 : 15;
        const int sigan = p == RaporPenceresi::HatirlatmaPenceresi ? 45 : 46;
        const Test::BelgeKaydi b = ciz(isler(sigan + 1), p);
        QCOMPARE(b.sayfaSayisi, 2);
        QVERIFY(bul(b, QStringLiteral("Konu %1").arg(sigan), 1));
        const CizilenMetin *ilk = bul(b, QStringLiteral("Konu %1").arg(sigan + 1));
        QCOMPARE(ilk->sayfa, 2);
        QCOMPARE(ilk->ust, 26.5);

        // "Sayfa - N" at H - B on every page, its right edge 10 from the right.
        for (int sayfa = 1; sayfa <= 2; ++sayfa) {
            const QString metin = QStringLiteral("Sayfa - ") + QString::number(sayfa);
            const CizilenMetin *alt = bul(b, metin, sayfa);
            QVERIFY2(alt, qPrintable(metin));
            QCOMPARE(alt->ust, 277 - B);
            QCOMPARE(alt->sol, 190 - (Test::KayitliSayfa::genislikKurali(metin, 8) + 10));
            // Headers on every page, the title on the first only.
            const CizilenMetin *h = bul(b, QStringLiteral("Tarihi"), sayfa);
            QVERIFY(h && h->ust == 20 && h->bicim.altiCizili);
            int basliklar = 0;
            for (const CizilenMetin &m : sayfadakiler(b, sayfa))
                basliklar += m.bicim.punto == 12 ? 1 : 0;
            QCOMPARE(basliklar, sayfa == 1 ? 1 : 0);
        }
    }
    // A report that just fits has one page and no number.
    const Test::BelgeKaydi b = ciz(isler(46));
    QCOMPARE(b.sayfaSayisi, 1);
    QVERIFY(!bul(b, QStringLiteral("Sayfa - 1")));
}

void YazdirmaTesti::bosListeHicbirSeyYapmaz()
{
    IsSatiriModeli bos;
    for (bool yaziciVar : {false, true}) {
        OrtakDegiskenler::YaziciVar = yaziciVar;
        isListesiniYazdir(RaporPenceresi::AnaPencere, QStringLiteral("x"), bos, nullptr);
        QVERIFY(!QApplication::activeModalWidget());
    }
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QVERIFY(ortam->yazicilar->belgeler.isEmpty());
}

void YazdirmaTesti::yaziciYokPdfOnerisi()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        ZELVORA_CALISAMAZ("pdftotext (poppler-utils) is not installed; scripts/kur.sh installs it");
    IsSatiriModeli m;
    m.doldur({is(QStringLiteral("Duruşma"), QStringLiteral("Tanıklar - hazır")), is(QStringLiteral("Keşif"))}, Bugun,
             false);
    const QString soru =
        QStringLiteral("Bilgisayarınızda yüklü bir YAZICI yok!\r\n\r\nListe bir PDF dosyasına kaydedilsin mi?");
    QPushButton dugme;
    dugme.setEnabled(false);

    // "Hayır", then "Evet" and a cancelled file dialog: nothing written; the reminder
    // window's print button is back as after a cancelled printer choice.
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir, MesajCevabi::Evet};
    for (int i = 0; i < 2; ++i)
        isListesiniYazdir(RaporPenceresi::HatirlatmaPenceresi, QStringLiteral("Bugün: İşler"), m, nullptr, &dugme);
    QCOMPARE(ortam->mesajlar->metinler(), QStringList({soru, soru}));
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Soru);
    QCOMPARE(ortam->mesajlar->gosterilenler.first().dugmeler, MesajDugmeleri::EvetHayir);
    QVERIFY(dugme.isEnabled());
    QVERIFY(!OrtakDegiskenler::YazdirmaIptalEdildi);
    QCOMPARE(ortam->dosyaSecimi->sorulanlar.size(), 1);
    const auto sorulan = ortam->dosyaSecimi->sorulanlar.first();
    QCOMPARE(sorulan.baslik, QStringLiteral("PDF dosyasına kaydet"));
    QCOMPARE(sorulan.suzgec, QStringLiteral("PDF dosyaları (*.pdf)"));
    // The title as the file's name, without what a file name cannot hold.
    QCOMPARE(QFileInfo(sorulan.onerilen).fileName(), QStringLiteral("Bugün İşler.pdf"));
    // The documents folder, or the home folder where there is none.
    const QString belgeler = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(QFileInfo(sorulan.onerilen).absolutePath(),
             QFileInfo(belgeler).isDir() ? belgeler : QDir::homePath());

    // "Evet" and a file named without its extension: the report, in the reminder window's
    // layout, is in "<name>.pdf"; no printer was asked for a document.
    ortam->mesajlar->temizle();
    const QString dosya = ortam->klasor.path() + QStringLiteral("/liste");
    ortam->dosyaSecimi->cevaplar = {dosya};
    isListesiniYazdir(RaporPenceresi::HatirlatmaPenceresi, QStringLiteral("Bugün: İşler"), m, nullptr, &dugme);
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{soru});
    QVERIFY(ortam->yazicilar->belgeler.isEmpty());
    const QString metin = pdfMetni(dosya + QStringLiteral(".pdf"));
    for (const QString &k : {QStringLiteral("Bugün: İşler"), QStringLiteral("Tarihi"), QStringLiteral("Açıklama"),
                             QStringLiteral("Duruşma"), QStringLiteral("Keşif"), QStringLiteral("Büro"),
                             QStringLiteral("2026/15"), QStringLiteral("09:30"), QStringLiteral("07.12.2026")})
        QVERIFY2(metin.contains(k), qPrintable(k + QStringLiteral(" is not in the PDF:\n") + metin));
    // The description is wrapped as on paper: the lone dash is left out.
    QVERIFY2(metin.contains(QStringLiteral("Tanıklar hazır")), qPrintable(metin));
    // The next file is offered in the folder of this one.
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    isListesiniYazdir(RaporPenceresi::AnaPencere, QStringLiteral("Büro"), m, nullptr);
    QCOMPARE(ortam->dosyaSecimi->sorulanlar.last().onerilen, ortam->klasor.path() + QStringLiteral("/Büro.pdf"));
}

void YazdirmaTesti::yaziciPenceresi()
{
    yazicilariKur();
    YaziciSecmeFormu f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Yazıcı Seç"));
    QCOMPARE(Test::denetim<QGroupBox>(&f, "Cerceve")->title(), QStringLiteral("Yazıcı "));
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("Yazıcı &Adı :"));
    QCOMPARE(etiket(&f, 1)->text(), QStringLiteral("&Bağlantı Yeri :"));
    QCOMPARE(Test::denetim<QPushButton>(&f, "TamamDugmesi")->text(), QStringLiteral("Tamam"));
    QCOMPARE(Test::denetim<QPushButton>(&f, "IptalDugmesi")->text(), QStringLiteral("İptal (Esc)"));
    QCOMPARE(yaziciAdlari(&f)->accessibleName(), QStringLiteral("Yazıcı Adı :"));
    QVERIFY(!baglantiNoktasi(&f)->isEnabled());
    // Captions and fields stay whole inside the frame, each caption left of its field.
    for (int i = 0; i < 2; ++i) {
        QWidget *alan = i == 0 ? static_cast<QWidget *>(yaziciAdlari(&f)) : baglantiNoktasi(&f);
        QVERIFY(etiket(&f, i)->x() >= 0);
        QVERIFY(etiket(&f, i)->geometry().right() < alan->x());
        QVERIFY(alan->geometry().right() < Test::denetim<QWidget>(&f, "Altlik")->width());
    }
    // The three printers in the system's order, each with its index; it starts on the current one.
    QCOMPARE(yaziciAdlari(&f)->count(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(yaziciAdlari(&f)->itemText(i), ortam->yazicilar->yazicilar[i].ad);
        QCOMPARE(yaziciAdlari(&f)->itemData(i).toInt(), i);
    }
    QCOMPARE(yaziciAdlari(&f)->currentText(), QStringLiteral("PDF"));
    QCOMPARE(baglantiNoktasi(&f)->text(), QStringLiteral("cups-pdf:/"));
    // The port follows the selection, looked up by the entry's index, not its position.
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    yaziciAdlari(&f)->setFocus();
    QTest::keyClick(yaziciAdlari(&f), Qt::Key_Down);
    QCOMPARE(baglantiNoktasi(&f)->text(), QStringLiteral("usb://Renkli"));
    yaziciAdlari(&f)->setItemData(2, 0);
    f.YaziciAdlariKutusu_Click();
    QCOMPARE(baglantiNoktasi(&f)->text(), QStringLiteral("socket://10.0.0.5"));
}

void YazdirmaTesti::iptalKapatmaKutusuVeBaskaYazici()
{
    yazicilariKur();
    IsSatiriModeli m;
    m.doldur(isler(3), Bugun, false);

    // Esc: nothing printed, the printer stays, the flag is down again.
    yazdir(m, [](YaziciSecmeFormu *f) { QTest::keyClick(f, Qt::Key_Escape); });
    QVERIFY(ortam->yazicilar->belgeler.isEmpty());
    QVERIFY(!OrtakDegiskenler::YazdirmaIptalEdildi);
    QCOMPARE(ortam->yazicilar->gecerli, QStringLiteral("PDF"));

    // The close box prints on the unchanged printer.
    yazdir(m, [](YaziciSecmeFormu *f) {
        yaziciAdlari(f)->setCurrentIndex(0);
        f->close();
    });
    QCOMPARE(ortam->yazicilar->belgeler.size(), 1);
    QCOMPARE(ortam->yazicilar->belgeler.last()->yazici, QStringLiteral("PDF"));
    QVERIFY(ortam->yazicilar->belgeler.last()->bitti);
    QCOMPARE(ortam->yazicilar->belgeler.last()->ad, QStringLiteral("Başlık"));

    // Another printer and Enter: printed there, and the next window starts on it.
    yazdir(m, [](YaziciSecmeFormu *f) {
        yaziciAdlari(f)->setCurrentIndex(2);
        QTest::keyClick(yaziciAdlari(f), Qt::Key_Return);
    });
    QCOMPARE(ortam->yazicilar->belgeler.size(), 2);
    QCOMPARE(ortam->yazicilar->belgeler.last()->yazici, QStringLiteral("Renkli"));
    QString baslangic;
    yazdir(m, [&baslangic](YaziciSecmeFormu *f) {
        baslangic = yaziciAdlari(f)->currentText();
        Test::denetim<QPushButton>(f, "IptalDugmesi")->click();
    });
    QCOMPARE(baslangic, QStringLiteral("Renkli"));

    // A current printer that is no longer installed: no entry selected, "Tamam" keeps it.
    ortam->yazicilar->gecerli = QStringLiteral("Eski");
    yazdir(m, [&baslangic](YaziciSecmeFormu *f) {
        baslangic = QString::number(yaziciAdlari(f)->currentIndex()) + baglantiNoktasi(f)->text();
        Test::denetim<QPushButton>(f, "TamamDugmesi")->click();
    });
    QCOMPARE(baslangic, QStringLiteral("-1"));
    QCOMPARE(ortam->yazicilar->belgeler.last()->yazici, QStringLiteral("Eski"));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void YazdirmaTesti::yaziciReddederseBildirilir()
{
    yazicilariKur();
    ortam->yazicilar->reddet = true;
    IsSatiriModeli m;
    m.doldur(isler(1), Bugun, false);
    yazdir(m, [](YaziciSecmeFormu *f) { Test::denetim<QPushButton>(f, "TamamDugmesi")->click(); });
    QCOMPARE(ortam->mesajlar->metinler(),
             QStringList{QStringLiteral("Liste yazdırılamadı!\r\n\r\nYazıcı kapalı: PDF")});
    QCOMPARE(ortam->son->sayi, 0);
}

void YazdirmaTesti::yazicilarHerKomuttaYenidenBakilir()
{
    IsSatiriModeli m;
    m.doldur(isler(1), Bugun, false);
    // None at start, one added later: the next command finds it and prints.
    OrtakDegiskenler::YaziciVar = false;
    ortam->yazicilar->yazicilar = {{QStringLiteral("Yeni"), QStringLiteral("usb://Yeni"), 0}};
    ortam->yazicilar->gecerli = QStringLiteral("Yeni");
    yazdir(m, [](YaziciSecmeFormu *f) { Test::denetim<QPushButton>(f, "TamamDugmesi")->click(); });
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QCOMPARE(ortam->yazicilar->belgeler.size(), 1);
    // All removed: the offer of a PDF file, not the printer window.
    ortam->yazicilar->yazicilar.clear();
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    isListesiniYazdir(RaporPenceresi::AnaPencere, QStringLiteral("x"), m, nullptr);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(ortam->mesajlar->metinler(),
             QStringList{QStringLiteral("Bilgisayarınızda yüklü bir YAZICI yok!\r\n\r\nListe bir PDF dosyasına kaydedilsin mi?")});
    QCOMPARE(ortam->yazicilar->belgeler.size(), 1);
}

void YazdirmaTesti::yaziciPenceresindenPdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        ZELVORA_CALISAMAZ("pdftotext (poppler-utils) is not installed; scripts/kur.sh installs it");
    yazicilariKur();
    IsSatiriModeli m;
    m.doldur(isler(40, QStringLiteral("uzun bir açıklama satırı ki sarılsın")), Bugun, false);
    const QString dosya = ortam->klasor.path() + QStringLiteral("/Rapor.PDF");

    // The button sits beside "Tamam", whole and inside the window; a cancelled file
    // dialog leaves the window up, and "Tamam" then prints on the printer.
    bool yerindeydi = false;
    yazdir(m, [&](YaziciSecmeFormu *f) {
        auto *pdf = Test::denetim<QPushButton>(f, "PdfDosyasinaKaydetDugmesi");
        auto *tamam = Test::denetim<QPushButton>(f, "TamamDugmesi");
        QCOMPARE(pdf->text(), QStringLiteral("&PDF dosyasına kaydet"));
        yerindeydi = pdf->geometry().right() < tamam->x() && pdf->x() >= 0 && pdf->width() >= pdf->sizeHint().width()
            && pdf->y() == tamam->y() && !pdf->autoDefault() && tamam->isDefault();
        pdf->click();
        QVERIFY(f->isVisible());
        tamam->click();
    });
    QVERIFY(yerindeydi);
    QCOMPARE(ortam->dosyaSecimi->sorulanlar.size(), 1);
    QCOMPARE(QFileInfo(ortam->dosyaSecimi->sorulanlar.first().onerilen).fileName(), QStringLiteral("Başlık.pdf"));
    QCOMPARE(ortam->yazicilar->belgeler.size(), 1);

    // A chosen file: the same report in the file, page numbers too, and not on paper.
    ortam->dosyaSecimi->cevaplar = {dosya};
    yazdir(m, [](YaziciSecmeFormu *f) { Test::denetim<QPushButton>(f, "PdfDosyasinaKaydetDugmesi")->click(); });
    QCOMPARE(ortam->yazicilar->belgeler.size(), 1);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QVERIFY2(QFileInfo::exists(dosya), "an extension typed in capitals is kept");
    const QString metin = pdfMetni(dosya);
    const qsizetype sayfalar = metin.count(QLatin1Char('\f'));
    QVERIFY2(sayfalar >= 2, qPrintable(metin));
    QVERIFY(metin.contains(QStringLiteral("Başlık")));
    for (qsizetype i = 1; i <= sayfalar; ++i)
        QVERIFY(metin.contains(QStringLiteral("Sayfa - ") + QString::number(i)));
    for (int i = 1; i <= 40; ++i)
        QVERIFY2(metin.contains(QStringLiteral("Konu %1 ").arg(i)), qPrintable(QString::number(i)));
    // The printer in use is not changed by a PDF.
    QCOMPARE(ortam->yazicilar->gecerli, QStringLiteral("PDF"));
}

void YazdirmaTesti::pdfYazilamazsaBildirilir()
{
    IsSatiriModeli m;
    m.doldur(isler(1), Bugun, false);
    // A folder that does not exist, and a file that cannot be replaced: told, nothing left.
    const QString yok = ortam->klasor.path() + QStringLiteral("/yok/liste.pdf");
    const QString klasor = ortam->klasor.path() + QStringLiteral("/klasor.pdf");
    QVERIFY(QDir().mkpath(klasor));
    for (const QString &dosya : {yok, klasor}) {
        ortam->mesajlar->temizle();
        ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
        ortam->dosyaSecimi->cevaplar = {dosya};
        isListesiniYazdir(RaporPenceresi::ListePenceresi, QStringLiteral("x"), m, nullptr);
        QCOMPARE(ortam->mesajlar->metinler().size(), 2);
        QCOMPARE(ortam->mesajlar->metinler().last(),
                 QStringLiteral("Liste PDF dosyasına kaydedilemedi!\r\n\r\nDosya yazılamadı: ") + dosya);
        QCOMPARE(ortam->mesajlar->gosterilenler.last().simge, MesajSimgesi::Uyari);
    }
    QVERIFY(!QFileInfo::exists(yok));
    QVERIFY(QFileInfo(klasor).isDir());
    QCOMPARE(ortam->son->sayi, 0);
}

void YazdirmaTesti::ucPenceredenYazdirma()
{
    ortam->veritabaniniAc();
    yazicilariKur();
    vt()->klasorEkle({Klasor, KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
    for (int i = 0; i < 3; ++i)
        vt()->isEkle(is(QStringLiteral("İş %1").arg(i), QStringLiteral("not"), QTime(14, 30 + i)));
    AnaForm ana(false);
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(Klasor));
    ana.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(Klasor));
    QVERIFY(Test::denetim<QAction>(&ana, "Dugme12")->isEnabled());

    auto sonBelge = [this] { return ortam->yazicilar->belgeler.last(); };
    auto tamam = [](QWidget *w) {
        QVERIFY(qobject_cast<YaziciSecmeFormu *>(w));
        Test::denetim<QPushButton>(w, "TamamDugmesi")->click();
    };

    // Main window: the selected folder's name, "Sayısı" at 125.
    Test::modalGelince(tamam);
    Test::denetim<QAction>(&ana, "Dugme12")->trigger();
    QCOMPARE(ortam->yazicilar->belgeler.size(), 1);
    QCOMPARE(sonBelge()->metinler.first().metin, QStringLiteral("Büro"));
    QCOMPARE(bul(*sonBelge(), QStringLiteral("Sayısı"))->sol, 125.0);

    // Job list window: its heading; after a cancel its print button has the focus again.
    {
        YapilacakIslerListesiFormu f(&ana);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        Test::denetim<QPushButton>(&f, "TumIsleriListeleDugmesi")->click();
        Test::modalGelince(tamam);
        Test::denetim<QPushButton>(&f, "YazdirDugmesi")->click();
        QCOMPARE(sonBelge()->metinler.first().metin, QStringLiteral("Tüm İşleriniz (Toplam: 3)"));
        QCOMPARE(bul(*sonBelge(), QStringLiteral("Sayısı"))->sol, 125.0);
        Test::denetim<QPushButton>(&f, "KapatDugmesi")->setFocus();
        Test::modalGelince([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        Test::denetim<QPushButton>(&f, "YazdirDugmesi")->click();
        QCOMPARE(ortam->yazicilar->belgeler.size(), 2);
        QTRY_COMPARE(f.focusWidget(), Test::denetim<QPushButton>(&f, "YazdirDugmesi"));
        f.reject();
    }

    // Reminder window: today's long date, "Sayısı" at 130, the printer window on top
    // while "Her zaman üstte olsun" is ticked.
    ortam->saat->an = QDateTime(Bugun, QTime(14, 40));
    for (bool ustte : {true, false}) {
        ana.HatirlatilacakIsleriListele();
        HatirlatmaFormu *h = ana.hatirlatmaFormu();
        h->show();
        QVERIFY(QTest::qWaitForWindowExposed(h));
        Test::denetim<QCheckBox>(h, "HerZamanUstteOlsunOnayi")->setChecked(ustte);
        bool enUstteydi = !ustte;
        Test::modalGelince([&enUstteydi](QWidget *w) {
            enUstteydi = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            Test::denetim<QPushButton>(w, "TamamDugmesi")->click();
        });
        Test::denetim<QPushButton>(h, "YazdirDugmesi")->click();
        QCOMPARE(enUstteydi, ustte);
        QCOMPARE(sonBelge()->metinler.first().metin,
                 QStringLiteral("Bugün Yapmak İçin Planladığınız İşler (7 Aralık 2026 Pazartesi)"));
        QCOMPARE(bul(*sonBelge(), QStringLiteral("Sayısı"))->sol, 130.0);
        QCOMPARE(bul(*sonBelge(), QStringLiteral("İş 2"))->sol, 48.0);
        Test::denetim<IsListesi>(h, "YapilacakIslerListesi")->model()->temizle();
        h->reject();
        delete h;
    }
    QCOMPARE(ortam->son->sayi, 0);
}

void YazdirmaTesti::gercekPdfKonumlari()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        ZELVORA_CALISAMAZ("pdftotext (poppler-utils) is not installed; scripts/kur.sh installs it");
    const QString dosya = ortam->klasor.path() + QStringLiteral("/rapor.pdf");
    QList<CizilenMetin> kayit;
    QPointF kenar;
    {
        auto s = YaziciSayfasi::pdfDosyasina(dosya, QStringLiteral("Rapor"));
        s->izleyici = [&kayit](const CizilenMetin &m) { kayit.append(m); };
        kenar = s->yazici().pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
        IsSatiriModeli m;
        std::vector<IsKaydi> v;
        for (int i = 0; i < 70; ++i)
            v.push_back(is(QStringLiteral("Konu%1").arg(i), QStringLiteral("Açıklama%1 ikinci üçüncü dördüncü beşinci altıncı").arg(i),
                           QTime(8 + i % 10, i % 60)));
        m.doldur(std::move(v), Bugun, false);
        raporuCiz(*s, QStringLiteral("Tüm İşleriniz (Toplam: 70)"), m, raporFarki(RaporPenceresi::ListePenceresi));
        QCOMPARE(s->sayfaNo(), 3);
        s->bitir();
    }
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-bbox"), dosya, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());

    struct Kelime {
        QString metin;
        double x, y;
        int sayfa;
    };
    QList<Kelime> kelimeler;
    int sayfa = 0;
    static const QRegularExpression ogeler(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    constexpr double mm = 25.4 / 72;
    for (auto it = ogeler.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch e = it.next();
        if (e.captured(0).startsWith(QStringLiteral("<page"))) {
            ++sayfa;
            continue;
        }
        QString metin = e.captured(3);
        metin.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        kelimeler.append({metin, e.captured(1).toDouble() * mm - kenar.x(), e.captured(2).toDouble() * mm - kenar.y(),
                          sayfa});
    }
    QCOMPARE(sayfa, 3);

    // Every recorded text's first word is in the file where it was recorded.
    int denetlenen = 0;
    for (const CizilenMetin &c : std::as_const(kayit)) {
        const QString ilk = c.metin.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        if (ilk.isEmpty())
            continue;
        double enYakin = 1e9;
        const Kelime *bulunan = nullptr;
        for (const Kelime &k : std::as_const(kelimeler)) {
            if (k.sayfa != c.sayfa || k.metin != ilk)
                continue;
            const double uzaklik = qAbs(k.x - c.sol) + qAbs(k.y - c.ust);
            if (uzaklik < enYakin) {
                enYakin = uzaklik;
                bulunan = &k;
            }
        }
        QVERIFY2(bulunan, qPrintable(QStringLiteral("not in the PDF: ") + c.metin));
        QVERIFY2(qAbs(bulunan->x - c.sol) <= 0.5 && qAbs(bulunan->y - c.ust) <= 0.5,
                 qPrintable(QStringLiteral("%1 on page %2: recorded (%3, %4) mm, in the file (%5, %6) mm")
                                .arg(c.metin)
                                .arg(c.sayfa)
                                .arg(c.sol)
                                .arg(c.ust)
                                .arg(bulunan->x)
                                .arg(bulunan->y)));
        ++denetlenen;
    }
    QVERIFY(denetlenen > 70 * 6);
    // The page numbers are there too, at the bottom right of every page.
    for (int s = 1; s <= 3; ++s) {
        bool var = false;
        for (const CizilenMetin &c : std::as_const(kayit))
            var = var || (c.sayfa == s && c.metin == QStringLiteral("Sayfa - ") + QString::number(s));
        QVERIFY(var);
    }
}

QTEST_MAIN(YazdirmaTesti)
#include "tst_Yazdirma.moc"

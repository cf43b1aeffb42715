// The job list window: its five filters over all folders, headings and empty
// messages, the calendar, the description, sorting, the saved columns, and how the
// main window opens it.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/YapilacakIslerListesiFormu.h"
#include "tools/TakvimFormu.h"
#include "ui/AnaForm.h"
#include "ui/OrtakDenetimler.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace Zelvora;

namespace {
const QDate Bugun(2026, 12, 7);
const QString Buro = QStringLiteral("1-Anahtar");
const QString Ev = QStringLiteral("2-Anahtar");
} // namespace

class ListePenceresiTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void acilistaBosVeDenetimler();
    void bugunVeGunuGecen();
    void yapilmisVeTumIsler();
    void bosSonucMesajlari();
    void secilenTarihTakvimle();
    void aciklamaSatirTiklaninca();
    void sutunaGoreSiralama();
    void sutunDuzeniKaydedilir();
    void anaPenceredenAcilir();

private:
    Veritabani *vt() { return &Veritabani::acik(); }
    qint64 ekle(const QString &anahtar, QDate t, QTime s, const QString &konu, bool hatirlat = true,
                bool yapildi = false, const QString &aciklama = QString())
    {
        return vt()->isEkle({0, anahtar, t, s, konu, QStringLiteral("Yer"), QStringLiteral("1"),
                             aciklama.isNull() ? konu + QStringLiteral(" notu") : aciklama, hatirlat, yapildi});
    }
    static IsListesi *liste(const QObject *f) { return Test::denetim<IsListesi>(f, "YapilacakIslerListesi"); }
    static QPlainTextEdit *aciklama(const QObject *f) { return Test::denetim<QPlainTextEdit>(f, "AciklamaKutusu"); }
    static QPushButton *dugme(const QObject *f, const char *ad) { return Test::denetim<QPushButton>(f, ad); }
    static QLabel *etiket(const QObject *f, int i)
    {
        return Test::denetim<QLabel>(f, qPrintable(QStringLiteral("Etiket%1").arg(i)));
    }
    QStringList konular(YapilacakIslerListesiFormu &f)
    {
        QStringList l;
        for (int i = 0; i < liste(&f)->satirSayisi(); ++i)
            l << liste(&f)->model()->hucreMetni(i, IsSatiriModeli::Konusu);
        return l;
    }
    QList<int> simgeler(YapilacakIslerListesiFormu &f)
    {
        QList<int> l;
        for (int i = 0; i < liste(&f)->satirSayisi(); ++i)
            l << liste(&f)->model()->simge(i);
        return l;
    }
    // Jobs in two folders around today (7 December 2026), added out of order.
    void ornekIsler()
    {
        ekle(Ev, Bugun, QTime(14, 0), QStringLiteral("bugün öğleden sonra"), false);
        ekle(Buro, Bugun, QTime(9, 0), QStringLiteral("bugün sabah"));
        ekle(Buro, Bugun, QTime(11, 0), QStringLiteral("bugün yapıldı"), true, true);
        ekle(Buro, Bugun.addDays(-1), QTime(8, 0), QStringLiteral("dün açık"));
        ekle(Ev, Bugun.addDays(-30), QTime(16, 0), QStringLiteral("geçen ay açık"), false);
        ekle(Ev, Bugun.addDays(-2), QTime(10, 0), QStringLiteral("önceki gün yapıldı"), false, true);
        ekle(Buro, Bugun.addDays(1), QTime(10, 0), QStringLiteral("yarın"));
    }
    std::unique_ptr<Test::Ortam> ortam;
};

void ListePenceresiTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->saat->an = QDateTime(Bugun, QTime(14, 35, 20));
    ortam->veritabaniniAc();
    vt()->klasorEkle({Buro, KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
    vt()->klasorEkle({Ev, KlasorAgaci::KlasorAnahtari, QStringLiteral("Ev")});
}

void ListePenceresiTesti::cleanup()
{
    ortam.reset();
}

void ListePenceresiTesti::acilistaBosVeDenetimler()
{
    ornekIsler();
    YapilacakIslerListesiFormu f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Yapılacak İşleri Listele"));
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("Yapılacak İşler"));
    QCOMPARE(liste(&f)->satirSayisi(), 0);
    QCOMPARE(etiket(&f, 1)->text(), QStringLiteral("Açıklama"));
    QVERIFY(aciklama(&f)->isReadOnly());
    QCOMPARE(aciklama(&f)->accessibleName(), QStringLiteral("Açıklama"));
    const QList<QPair<QPushButton *, QString>> dugmeler{
        {dugme(&f, "BugunYapilacakIsleriListeleDugmesi"), QStringLiteral("&Bugünkü İşler")},
        {dugme(&f, "GunuGecenIsleriListeleDugmesi"), QStringLiteral("&Günü Geçen İşler")},
        {dugme(&f, "SecilenTarihtekiIsleriListeleDugmesi"), QStringLiteral("&Seçilen Tarihteki İşler")},
        {dugme(&f, "YapilmisIsleriListeleDugmesi"), QStringLiteral("Yapıl&mış İşler")},
        {dugme(&f, "TumIsleriListeleDugmesi"), QStringLiteral("&Tüm İşler")},
        {dugme(&f, "YazdirDugmesi"), QStringLiteral("&Yazdır...")},
        {dugme(&f, "KapatDugmesi"), QStringLiteral("Kapat (Esc)")}};
    for (const auto &[d, baslik] : dugmeler) {
        QCOMPARE(d->text(), baslik);
        QVERIFY(d->isEnabled());
    }
    // Seven columns at their design widths, the job number hidden; sorted by date with its arrow.
    QHeaderView *h = liste(&f)->header();
    const QStringList basliklar{QStringLiteral("Tarihi"), QStringLiteral("Saati"), QStringLiteral("Konusu"),
                                QStringLiteral("Yeri"), QStringLiteral("Sayısı"), QStringLiteral("Açıklama"),
                                QString()};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(liste(&f)->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), basliklar[i]);
    for (int i = 1; i < 6; ++i)
        QCOMPARE(h->sectionSize(i), piksel(YapilacakIslerListesiFormu::tasarimGenislikleri()[i]));
    QVERIFY(h->isSectionHidden(6));
    QCOMPARE(h->sortIndicatorSection(), 0);
    QCOMPARE(h->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(OrtakDegiskenler::SiralamaSutunu, 0);
    QCOMPARE(OrtakDegiskenler::SiralamaYonu, 0);
    // Esc closes it.
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTest::keyClick(&f, Qt::Key_Escape);
    QVERIFY(!f.isVisible());
}

void ListePenceresiTesti::bugunVeGunuGecen()
{
    ornekIsler();
    YapilacakIslerListesiFormu f;
    // Today's open jobs of every folder, with or without reminder, in time order.
    dugme(&f, "BugunYapilacakIsleriListeleDugmesi")->click();
    QCOMPARE(konular(f), (QStringList{QStringLiteral("bugün sabah"), QStringLiteral("bugün öğleden sonra")}));
    QCOMPARE(simgeler(f), (QList<int>{IsSatiriModeli::HatirlatSimgesi, IsSatiriModeli::HatirlatmaSimgesi}));
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("Bugün Yapılacak İşleriniz (Toplam: 2)"));
    // The first row is selected and its description shown; times keep their seconds.
    QCOMPARE(liste(&f)->seciliSatir(), 0);
    QCOMPARE(aciklama(&f)->toPlainText(), QStringLiteral("bugün sabah notu"));
    QCOMPARE(liste(&f)->model()->hucreMetni(0, IsSatiriModeli::Saati), QStringLiteral("09:00:00"));

    // Open jobs of earlier days, oldest first; today's are not among them.
    dugme(&f, "GunuGecenIsleriListeleDugmesi")->click();
    QCOMPARE(konular(f), (QStringList{QStringLiteral("geçen ay açık"), QStringLiteral("dün açık")}));
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("Günü Geçen İşleriniz (Toplam: 2)"));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void ListePenceresiTesti::yapilmisVeTumIsler()
{
    ornekIsler();
    // Same date and time: the job number keeps the order stable.
    ekle(Buro, Bugun, QTime(9, 0), QStringLiteral("bugün sabah ikinci"));
    YapilacakIslerListesiFormu f;
    dugme(&f, "YapilmisIsleriListeleDugmesi")->click();
    QCOMPARE(konular(f), (QStringList{QStringLiteral("önceki gün yapıldı"), QStringLiteral("bugün yapıldı")}));
    QCOMPARE(simgeler(f), (QList<int>{IsSatiriModeli::YapildiSimgesi, IsSatiriModeli::YapildiSimgesi}));
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("Yapılmış İşleriniz (Toplam: 2)"));

    // All jobs, done or not, with the reminder icons only.
    dugme(&f, "TumIsleriListeleDugmesi")->click();
    QCOMPARE(konular(f), (QStringList{QStringLiteral("geçen ay açık"), QStringLiteral("önceki gün yapıldı"),
                                      QStringLiteral("dün açık"), QStringLiteral("bugün sabah"),
                                      QStringLiteral("bugün sabah ikinci"), QStringLiteral("bugün yapıldı"),
                                      QStringLiteral("bugün öğleden sonra"), QStringLiteral("yarın")}));
    QCOMPARE(simgeler(f), (QList<int>{2, 2, 1, 1, 1, 1, 2, 1}));
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("Tüm İşleriniz (Toplam: 8)"));
}

void ListePenceresiTesti::bosSonucMesajlari()
{
    YapilacakIslerListesiFormu f;
    const QList<QPair<QPushButton *, QString>> durumlar{
        {dugme(&f, "BugunYapilacakIsleriListeleDugmesi"), QStringLiteral("Bugün yapılacak işiniz bulunmuyor!")},
        {dugme(&f, "GunuGecenIsleriListeleDugmesi"), QStringLiteral("Günü geçen işiniz bulunmuyor!")},
        {dugme(&f, "YapilmisIsleriListeleDugmesi"), QStringLiteral("Yapılmış İşiniz bulunmuyor!")},
        {dugme(&f, "TumIsleriListeleDugmesi"), QStringLiteral("Eklenmiş hiçbir işiniz bulunmuyor!")}};
    ekle(Buro, Bugun.addDays(3), QTime(9, 0), QStringLiteral("ileride"));
    for (const auto &[d, mesaj] : durumlar) {
        if (d == dugme(&f, "TumIsleriListeleDugmesi"))
            vt()->calistir("DELETE FROM YapilacakIslerTablosu");
        // A full list first: the empty result clears it and resets the heading.
        f.IsListesiniDoldur(Bugun, Veritabani::ListeKipi::Tumu);
        etiket(&f, 0)->setText(QStringLiteral("önceki"));
        ortam->mesajlar->temizle();
        d->click();
        QCOMPARE(ortam->mesajlar->metinler(), QStringList{mesaj});
        QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Bilgi);
        QCOMPARE(liste(&f)->satirSayisi(), 0);
        QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("&Yapılacak İşler"));
        QVERIFY(aciklama(&f)->toPlainText().isEmpty());
    }
}

void ListePenceresiTesti::secilenTarihTakvimle()
{
    ekle(Buro, Bugun.addDays(1), QTime(10, 0), QStringLiteral("yarın açık"));
    ekle(Buro, Bugun.addDays(1), QTime(8, 0), QStringLiteral("yarın yapıldı"), true, true);
    YapilacakIslerListesiFormu f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));

    // The calendar opens on today; Right and Enter choose tomorrow.
    QString acilis;
    Test::modalGelince([&acilis](QWidget *w) {
        auto *t = qobject_cast<TakvimFormu *>(w);
        QVERIFY(t);
        acilis = Test::denetim<QLabel>(t, "SecilenTarihEtiketi")->text();
        QTest::keyClick(Test::denetim<QWidget>(t, "Altlik"), Qt::Key_Right);
        QTest::keyClick(Test::denetim<QWidget>(t, "Altlik"), Qt::Key_Return);
    });
    dugme(&f, "SecilenTarihtekiIsleriListeleDugmesi")->click();
    QCOMPARE(acilis, QStringLiteral("07.12.2026"));
    QCOMPARE(konular(f), QStringList{QStringLiteral("yarın açık")});
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("08.12.2026 Tarihinde Yapılacak İşleriniz (Toplam: 1)"));

    // Cancelled: list and heading stay as they were.
    Test::modalGelince([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    dugme(&f, "SecilenTarihtekiIsleriListeleDugmesi")->click();
    QCOMPARE(konular(f), QStringList{QStringLiteral("yarın açık")});
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("08.12.2026 Tarihinde Yapılacak İşleriniz (Toplam: 1)"));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());

    // A date without jobs: its own message.
    Test::modalGelince([](QWidget *w) {
        auto *t = static_cast<TakvimFormu *>(w);
        QTest::keyClick(Test::denetim<QWidget>(t, "Altlik"), Qt::Key_Down);
        QTest::keyClick(Test::denetim<QWidget>(t, "Altlik"), Qt::Key_Return);
    });
    dugme(&f, "SecilenTarihtekiIsleriListeleDugmesi")->click();
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("14.12.2026 tarihinde yapılacak işiniz bulunmuyor!")});
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("&Yapılacak İşler"));
}

void ListePenceresiTesti::aciklamaSatirTiklaninca()
{
    ekle(Buro, Bugun, QTime(9, 0), QStringLiteral("birinci"));
    ekle(Buro, Bugun, QTime(10, 0), QStringLiteral("ikinci"), true, false,
         QStringLiteral("ilk satır\nikinci satır\nüçüncü satır"));
    YapilacakIslerListesiFormu f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    dugme(&f, "BugunYapilacakIsleriListeleDugmesi")->click();
    IsListesi *l = liste(&f);
    const QRect r = l->visualRect(l->model()->index(1, 2));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(l->seciliSatir(), 1);
    QCOMPARE(aciklama(&f)->toPlainText(), QStringLiteral("ilk satır\nikinci satır\nüçüncü satır"));
    // The keyboard moves the description along.
    QTest::keyClick(l, Qt::Key_Up);
    QCOMPARE(aciklama(&f)->toPlainText(), QStringLiteral("birinci notu"));
}

void ListePenceresiTesti::sutunaGoreSiralama()
{
    ekle(Buro, QDate(2026, 2, 28), QTime(9, 0), QStringLiteral("b"));
    ekle(Buro, QDate(2026, 3, 2), QTime(9, 0), QStringLiteral("a"));
    ekle(Buro, QDate(2026, 1, 15), QTime(9, 0), QStringLiteral("c"));
    YapilacakIslerListesiFormu f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    dugme(&f, "TumIsleriListeleDugmesi")->click();
    QHeaderView *h = liste(&f)->header();
    auto tikla = [h](int sutun) {
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(sutun) + 5, h->height() / 2));
    };
    // "Konusu": ascending text order and the shared state follows.
    tikla(2);
    QCOMPARE(konular(f), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    QCOMPARE(OrtakDegiskenler::SiralamaSutunu, 2);
    QCOMPARE(h->sortIndicatorSection(), 2);
    // "Tarihi" twice: by date value (02.03 after 28.02), ascending then descending.
    tikla(0);
    QCOMPARE(konular(f), (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
    tikla(0);
    QCOMPARE(konular(f), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    QCOMPARE(h->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(OrtakDegiskenler::SiralamaYonu, 1);
}

void ListePenceresiTesti::sutunDuzeniKaydedilir()
{
    {
        YapilacakIslerListesiFormu f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        liste(&f)->header()->resizeSection(2, 200);
        liste(&f)->header()->moveSection(3, 1);
        f.close(); // the close box
    }
    QCOMPARE(Ayarlar::oku(AyarAdi::Liste(2), QStringLiteral("Genislik-3"), QString()), QString::number(twip(200)));
    QCOMPARE(Ayarlar::oku(AyarAdi::Liste(2), QStringLiteral("Konum-4"), QString()), QStringLiteral("2"));
    QCOMPARE(Ayarlar::oku(AyarAdi::Liste(2), QStringLiteral("Genislik-7"), QString()), QStringLiteral("0"));
    YapilacakIslerListesiFormu f;
    QCOMPARE(liste(&f)->header()->sectionSize(2), 200);
    QCOMPARE(liste(&f)->header()->visualIndex(3), 1);
    QVERIFY(liste(&f)->header()->isSectionHidden(6));
}

void ListePenceresiTesti::anaPenceredenAcilir()
{
    ornekIsler();
    AnaForm ana(false);
    ana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ana));
    QVERIFY(Test::denetim<QAction>(&ana, "Dugme10")->isEnabled());
    QVERIFY(Test::denetim<QAction>(&ana, "Dugme12")->isEnabled());
    QVERIFY(Test::denetim<QAction>(&ana, "YapilacakIsleriListeleMenusu")->isEnabled());

    // From the toolbar: a fresh, modal, empty window; "&Tüm İşler" lists every folder's jobs.
    QPointer<YapilacakIslerListesiFormu> acilan;
    int satir = -1;
    Test::modalGelince([&](QWidget *w) {
        acilan = qobject_cast<YapilacakIslerListesiFormu *>(w);
        QVERIFY(acilan);
        QVERIFY(acilan->isModal());
        QCOMPARE(liste(acilan)->satirSayisi(), 0);
        // (The offscreen platform maps no Alt+letter shortcuts; the end-to-end check presses them.)
        QCOMPARE(dugme(acilan, "TumIsleriListeleDugmesi")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_T));
        dugme(acilan, "TumIsleriListeleDugmesi")->click();
        satir = liste(acilan)->satirSayisi();
        QTest::keyClick(acilan, Qt::Key_Escape);
    });
    Test::denetim<QAction>(&ana, "Dugme10")->trigger();
    QCOMPARE(satir, 7);
    // Unloaded on closing: its rows do not outlive it.
    QVERIFY(acilan.isNull());

    // From the menu, by keyboard.
    bool menudenAcildi = false;
    Test::modalGelince([&](QWidget *w) {
        menudenAcildi = qobject_cast<YapilacakIslerListesiFormu *>(w) != nullptr;
        static_cast<QDialog *>(w)->reject();
    });
    Test::denetim<QMenu>(&ana, "YapilacakIslerMenusu")->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(Test::denetim<QMenu>(&ana, "YapilacakIslerMenusu")));
    QTest::keyClick(Test::denetim<QMenu>(&ana, "YapilacakIslerMenusu"), Qt::Key_Up);
    QCOMPARE(Test::denetim<QMenu>(&ana, "YapilacakIslerMenusu")->activeAction(), Test::denetim<QAction>(&ana, "YapilacakIsleriListeleMenusu"));
    QTest::keyClick(Test::denetim<QMenu>(&ana, "YapilacakIslerMenusu"), Qt::Key_Return);
    QTRY_VERIFY(menudenAcildi);
}

QTEST_MAIN(ListePenceresiTesti)
#include "tst_YapilacakIslerListesi.moc"

// The main window: tree, job list, sorting, layout saving, closing.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Renkler.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"
#include "ui/OrtakDenetimler.h"

#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QSignalSpy>
#include <QtTest>

using namespace Zelvora;

class AnaFormTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void bosVeritabaniIkiDugum();
    void klasorNumaralariVeSirasizKayit();
    void dugumTiklamaListelerVeDurumYazar();
    void simgelerVeTarihRenkleri();
    void onayKutulari();
    void sutunSiralama();
    void menulerVeDugmeler();
    void sutunDuzeniKapatmaIptalindeDeKaydedilir();
    void arkaplandaKapatmaVeCikis();
    void klavyeIleSatirSecilir();
    void kapaliKlasoreEklenenKlasorGosterilir();
    void tumKlasorlerTekListeSecimKorunur();
    void klasorTiklamasiBirKezListeler();
    void tarihsizSatirOncekininRenginiAlir();
    void standartTuslar();

private:
    std::unique_ptr<Test::Ortam> ortam;
    Veritabani *vt() { return &Veritabani::acik(); }
    qint64 isEkle(const QString &k, QDate t, QTime s, const QString &konu, bool hatirlat = true, bool yapildi = false)
    {
        return vt()->isEkle({0, k, t, s, konu, QStringLiteral("Yer"), QStringLiteral("12"), QStringLiteral("Açıklama"), hatirlat, yapildi});
    }
};

void AnaFormTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
}

void AnaFormTesti::cleanup()
{
    ortam.reset();
}

void AnaFormTesti::bosVeritabaniIkiDugum()
{
    AnaForm f(false);
    QCOMPARE(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->tumDugumler().size(), 2);
    QCOMPARE(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->topLevelItem(0)->text(0), QStringLiteral("Zelvora"));
    QCOMPARE(f.seciliAnahtar(), KlasorAgaci::KlasorAnahtari);
    QCOMPARE(f.seciliDugum()->text(0), QStringLiteral("Klasörlerim"));
    QVERIFY(f.seciliDugum()->isExpanded());
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 0);
    QCOMPARE(f.EnBuyukKlasorNo(), qint16(0));
    QCOMPARE(f.windowTitle(), QStringLiteral("Tavrek - Zelvora 2.33 (Sunucu)"));
}

void AnaFormTesti::klasorNumaralariVeSirasizKayit()
{
    vt()->klasorEkle({QStringLiteral("3-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Üç")});
    vt()->klasorEkle({QStringLiteral("Abc"), QStringLiteral("Klasor"), QStringLiteral("Harf")});
    // Its parent comes later in the table: it still goes under it.
    vt()->klasorEkle({QStringLiteral("20-Anahtar"), QStringLiteral("12-Anahtar"), QStringLiteral("Sonra gelenin altı")});
    vt()->klasorEkle({QStringLiteral("12-Anahtar"), QStringLiteral("3-Anahtar"), QStringLiteral("On İki")});
    // Orphans of older data or hand edits: a parent that is gone, and two folders that
    // name each other. They go under "Klasörlerim", and the user is told once.
    vt()->klasorEkle({QStringLiteral("5-Anahtar"), QStringLiteral("40-Anahtar"), QStringLiteral("Yetim")});
    vt()->klasorEkle({QStringLiteral("6-Anahtar"), QStringLiteral("5-Anahtar"), QStringLiteral("Yetimin altı")});
    vt()->klasorEkle({QStringLiteral("7-Anahtar"), QStringLiteral("8-Anahtar"), QStringLiteral("Döngü A")});
    vt()->klasorEkle({QStringLiteral("8-Anahtar"), QStringLiteral("7-Anahtar"), QStringLiteral("Döngü B")});
    AnaForm f(false);
    KlasorAgaci *agac = Test::denetim<KlasorAgaci>(&f, "KlasorListesi");
    QCOMPARE(ortam->son->sayi, 0);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Bilgi);
    const QString metin = ortam->mesajlar->gosterilenler.first().metin;
    QVERIFY2(metin.contains(QStringLiteral("'Yetim'")) && metin.contains(QStringLiteral("Klasörlerim"))
                 && !metin.contains(QStringLiteral("Yetimin altı")) && !metin.contains(QStringLiteral("On İki")),
             qPrintable(metin));
    QCOMPARE(agac->dugum(QStringLiteral("12-Anahtar"))->parent(), agac->dugum(QStringLiteral("3-Anahtar")));
    QCOMPARE(agac->dugum(QStringLiteral("20-Anahtar"))->parent(), agac->dugum(QStringLiteral("12-Anahtar")));
    QTreeWidgetItem *klasorlerim = agac->dugum(KlasorAgaci::KlasorAnahtari);
    QCOMPARE(agac->dugum(QStringLiteral("5-Anahtar"))->parent(), klasorlerim);
    QCOMPARE(agac->dugum(QStringLiteral("6-Anahtar"))->parent(), agac->dugum(QStringLiteral("5-Anahtar")));
    // The circle is cut once: one of the two under "Klasörlerim", the other under it.
    QTreeWidgetItem *a = agac->dugum(QStringLiteral("7-Anahtar")), *b = agac->dugum(QStringLiteral("8-Anahtar"));
    QVERIFY(a && b);
    QVERIFY((a->parent() == klasorlerim && b->parent() == a) || (b->parent() == klasorlerim && a->parent() == b));
    // The database is not rewritten.
    QCOMPARE(vt()->klasorler().at(4).bagi, QStringLiteral("40-Anahtar"));
    // The counter counts the missing parent too: a new folder never takes its key.
    QCOMPARE(f.EnBuyukKlasorNo(), qint16(40));
    // A rebuild of the tree does not tell again.
    f.KlasorListesiniYenile();
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QVERIFY(agac->dugum(QStringLiteral("6-Anahtar")));
}

void AnaFormTesti::dugumTiklamaListelerVeDurumYazar()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Boş")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(14, 0), QStringLiteral("a"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("b"));
    AnaForm f(false);
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 2);
    QCOMPARE(f.durumMetni(), QStringLiteral("   2 iş listelendi"));
    // Same day: database order, not time order.
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model()->hucreMetni(0, IsSatiriModeli::Konusu), QStringLiteral("a"));
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model()->hucreMetni(0, IsSatiriModeli::Saati), QStringLiteral("14:00:00"));
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("2-Anahtar")));
    QCOMPARE(f.durumMetni(), QStringLiteral("   0 iş listelendi"));
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    // "Klasörlerim" empties the list and leaves the status text alone.
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari));
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 0);
    QCOMPARE(f.durumMetni(), QStringLiteral("   2 iş listelendi"));
}

void AnaFormTesti::simgelerVeTarihRenkleri()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 6), QTime(9, 0), QStringLiteral("dün yapıldı"), true, true);
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("bugün"), true, false);
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0), QStringLiteral("yarın"), false, false);
    AnaForm f(false);
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    IsSatiriModeli *m = Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model();
    QCOMPARE(m->simge(0), int(IsSatiriModeli::YapildiSimgesi));
    QCOMPARE(m->simge(1), int(IsSatiriModeli::HatirlatSimgesi));
    QCOMPARE(m->simge(2), int(IsSatiriModeli::HatirlatmaSimgesi));
    QCOMPARE(m->data(m->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(150, 40, 40));
    QCOMPARE(m->data(m->index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(40, 40, 150));
    // The future's green falls just short of a readable contrast on white: the same hue a
    // shade darker.
    const QColor yesil = m->data(m->index(2, 0), Qt::ForegroundRole).value<QColor>();
    QVERIFY(yesil != QColor(10, 140, 10));
    QCOMPARE(yesil.hslHue(), QColor(10, 140, 10).hslHue());
    QVERIFY(Renkler::karsitlik(yesil, Qt::white) >= Renkler::EnAzKarsitlik);
    QVERIFY(Renkler::karsitlik(yesil, Qt::white) < Renkler::EnAzKarsitlik + 0.1);
    QVERIFY(!m->data(m->index(1, 2), Qt::ForegroundRole).isValid()); // only the date cell is coloured
    {
        // On a dark palette every date colour and the focused caption stay readable, and
        // keep their hue.
        const QPalette eski = QApplication::palette();
        QPalette koyu = eski;
        koyu.setColor(QPalette::Base, QColor(30, 30, 30));
        koyu.setColor(QPalette::Window, QColor(45, 45, 45));
        koyu.setColor(QPalette::Text, Qt::white);
        koyu.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(koyu);
        const QColor tasarim[3] = {QColor(150, 40, 40), QColor(40, 40, 150), QColor(10, 140, 10)};
        for (int i = 0; i < 3; ++i) {
            const QColor c = m->data(m->index(i, 0), Qt::ForegroundRole).value<QColor>();
            QVERIFY2(Renkler::karsitlik(c, koyu.color(QPalette::Base)) >= Renkler::EnAzKarsitlik, qPrintable(c.name()));
            QCOMPARE(c.hslHue(), tasarim[i].hslHue());
        }
        QLabel etiket(QStringLiteral("Konu"));
        QLineEdit alan;
        EtiketVurgulayici::bagla(&etiket, &alan);
        QFocusEvent giris(QEvent::FocusIn);
        QApplication::sendEvent(&alan, &giris);
        const QColor vurgu = etiket.palette().color(QPalette::WindowText);
        QVERIFY(Renkler::karsitlik(vurgu, koyu.color(QPalette::Window)) >= Renkler::EnAzKarsitlik);
        QCOMPARE(vurgu.hslHue(), KoyuKirmizi.hslHue());
        QApplication::setPalette(eski);
    }
    QCOMPARE(m->hucreMetni(0, IsSatiriModeli::Tarihi), QStringLiteral("06.12.2026"));
    QVERIFY(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->header()->isSectionHidden(IsSatiriModeli::IsNoSutunu));
}

void AnaFormTesti::onayKutulari()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("İki")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("bugün açık"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("bugün yapıldı"), true, true);
    isEkle(QStringLiteral("2-Anahtar"), QDate(2026, 12, 6), QTime(9, 0), QStringLiteral("dün açık"));
    isEkle(QStringLiteral("2-Anahtar"), QDate(2026, 12, 7), QTime(10, 0), QStringLiteral("iki bugün"));
    AnaForm f(false);
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());

    Test::denetim<QCheckBox>(&f, "TumKlasorlerOnayi")->setChecked(true);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 4);
    QVERIFY(!Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->isEnabled());
    QVERIFY(!Test::denetim<QAction>(&f, "Dugme2")->isEnabled());
    QVERIFY(!Test::denetim<QAction>(&f, "YeniKlasorEkleMenusu1")->isEnabled());
    QVERIFY(!Test::denetim<QAction>(&f, "YeniKlasorEkleMenusu2")->isEnabled());
    // The first row was clicked: the tree shows that job's folder.
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("2-Anahtar"));

    Test::denetim<QCheckBox>(&f, "SadeceBugunYapilacakIsleriListeleOnayi")->setChecked(true);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 2);
    QCOMPARE(f.durumMetni(), QStringLiteral("   2 iş listelendi"));

    Test::denetim<QCheckBox>(&f, "TumKlasorlerOnayi")->setChecked(false);
    QVERIFY(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->isEnabled());
    QVERIFY(Test::denetim<QAction>(&f, "Dugme2")->isEnabled());
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 1); // today's open jobs of folder 2
    Test::denetim<QCheckBox>(&f, "SadeceBugunYapilacakIsleriListeleOnayi")->setChecked(false);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 2);
}

void AnaFormTesti::sutunSiralama()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 2, 28), QTime(9, 0), QStringLiteral("Çay"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 3, 2), QTime(9, 0), QStringLiteral("Ceviz"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2025, 12, 30), QTime(9, 0), QStringLiteral("Dut"));
    AnaForm f(false);
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    IsListesi *l = Test::denetim<IsListesi>(&f, "YapilacakIslerListesi");
    auto konular = [l] {
        QStringList s;
        for (int i = 0; i < l->satirSayisi(); ++i)
            s << l->model()->hucreMetni(i, IsSatiriModeli::Konusu);
        return s;
    };
    // Started ascending by date with the arrow on "Tarihi".
    QCOMPARE(OrtakDegiskenler::SiralamaSutunu, 0);
    QCOMPARE(OrtakDegiskenler::SiralamaYonu, 0);
    QCOMPARE(l->header()->sortIndicatorSection(), 0);
    QCOMPARE(l->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    l->sutunaTiklandi(0);
    QCOMPARE(konular(), (QStringList{QStringLiteral("Ceviz"), QStringLiteral("Çay"), QStringLiteral("Dut")}));
    QCOMPARE(l->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    l->sutunaTiklandi(0);
    QCOMPARE(konular(), (QStringList{QStringLiteral("Dut"), QStringLiteral("Çay"), QStringLiteral("Ceviz")}));
    // Text order is Turkish: C before Ç before D; new rows keep it.
    l->sutunaTiklandi(2);
    QCOMPARE(konular(), (QStringList{QStringLiteral("Ceviz"), QStringLiteral("Çay"), QStringLiteral("Dut")}));
    QCOMPARE(l->header()->sortIndicatorSection(), 2);
    isEkle(QStringLiteral("1-Anahtar"), QDate(2020, 1, 1), QTime(9, 0), QStringLiteral("Armut"));
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    QCOMPARE(konular().first(), QStringLiteral("Armut"));
    QCOMPARE(konular().last(), QStringLiteral("Dut"));
}

void AnaFormTesti::menulerVeDugmeler()
{
    AnaForm f(false);
    QCOMPARE(Test::denetim<QAction>(&f, "Dugme2")->text(), QStringLiteral("Klasör Ekle"));
    QCOMPARE(Test::denetim<QAction>(&f, "Dugme8")->toolTip(), QStringLiteral("İş bulma (F3)"));
    QCOMPARE(Test::denetim<QAction>(&f, "Dugme10")->toolTip(), QStringLiteral("Yapılacak işleri listeleme/yazdırma"));
    QVERIFY(Test::denetim<QAction>(&f, "Dugme3")->isSeparator());
    QCOMPARE(Test::denetim<QMenu>(&f, "YapilacakIslerMenusu")->title(), QStringLiteral("Y&apılacak İşler"));
    QStringList ogeler;
    for (QAction *a : Test::denetim<QMenu>(&f, "YapilacakIslerMenusu")->actions())
        ogeler << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(ogeler, (QStringList{QStringLiteral("Yeni &Klasör Ekle"), QStringLiteral("-"), QStringLiteral("&Yeni İş Ekle..."),
                                  QStringLiteral("&Değişiklik Yap..."), QStringLiteral("İşi &Sil"), QStringLiteral("-"),
                                  QStringLiteral("Bul..."), QStringLiteral("-"),
                                  QStringLiteral("Takvim Dosyasına Aktar..."), QStringLiteral("Takvim Dosyasından Al..."),
                                  QStringLiteral("-"), QStringLiteral("Yapılacak İşleri Listele")}));
    QCOMPARE(Test::denetim<QMenu>(&f, "KlasorMenusu")->defaultAction(), Test::denetim<QAction>(&f, "YeniKlasorEkleMenusu2"));
    QCOMPARE(Test::denetim<QMenu>(&f, "BildirimAlaniMenusu")->defaultAction(), Test::denetim<QAction>(&f, "GosterMenusu"));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(Test::denetim<QAction>(&f, "GirisSifresiBelirleDegistirMenusu")->text(), QStringLiteral("Giriş Şifresi Belirle..."));
    QCOMPARE(Test::denetim<QLabel>(&f, "Etiket2")->text(), QStringLiteral("7 Aralık 2026 Pazartesi"));
    f.hide();
}

void AnaFormTesti::sutunDuzeniKapatmaIptalindeDeKaydedilir()
{
    Tercihler::ArkaplandaCalissin = 0;
    {
        AnaForm f(false);
        f.show();
        Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->header()->resizeSection(2, 200);
        Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->header()->moveSection(3, 0);
        ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
        QVERIFY(!f.close());
        QCOMPARE(ortam->mesajlar->gosterilenler.last().metin, QStringLiteral("Programdan çıkmak istiyor musunuz?"));
        QVERIFY(f.isVisible());
    }
    QCOMPARE(Ayarlar::oku(AyarAdi::Liste(1), QStringLiteral("Genislik-3"), QString()), QStringLiteral("3000"));
    QCOMPARE(Ayarlar::oku(AyarAdi::Liste(1), QStringLiteral("Konum-4"), QString()), QStringLiteral("1"));
    AnaForm g(false);
    QCOMPARE(Test::denetim<IsListesi>(&g, "YapilacakIslerListesi")->header()->sectionSize(2), 200);
    QCOMPARE(Test::denetim<IsListesi>(&g, "YapilacakIslerListesi")->header()->visualIndex(3), 0);
    Tercihler::ArkaplandaCalissin = 1;
}

void AnaFormTesti::arkaplandaKapatmaVeCikis()
{
    Tercihler::ArkaplandaCalissin = 1;
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY(!f.close());
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QVERIFY(!f.isVisible() || f.isMinimized());
    QVERIFY(Test::denetim<QTimer>(&f, "YapilacakIsKontrolu")->isActive());
    f.Goster();
    QVERIFY(f.isVisible());
    QVERIFY(!f.isMinimized());
    f.resize(700, 500);
    f.Cikis();
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QVERIFY(!f.isVisible());
    QCOMPARE(Ayarlar::oku(AyarAdi::BaslamaKonumu), QStringLiteral("0"));
    QCOMPARE(Ayarlar::oku(AyarAdi::Genislik), QString::number(700 * 15));
}

void AnaFormTesti::klavyeIleSatirSecilir()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("a"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0), QStringLiteral("b"));
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    IsListesi *l = Test::denetim<IsListesi>(&f, "YapilacakIslerListesi");
    // After a fill the first row is selected, so the job commands have a job at once.
    QCOMPARE(l->seciliSatir(), 0);
    // Tabbing into a list whose selection was lost selects its current row.
    l->selectionModel()->setCurrentIndex(l->model()->index(1, 0), QItemSelectionModel::Clear);
    QCOMPARE(l->seciliSatir(), -1);
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setFocus();
    QTest::keyClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi"), Qt::Key_Tab);
    QTRY_VERIFY(l->hasFocus());
    QCOMPARE(l->seciliSatir(), 1);
    QTest::keyClick(l, Qt::Key_Up);
    QCOMPARE(l->seciliSatir(), 0);
    // The row deselected in the focused list (Ctrl+click, Ctrl+Space): a move key selects
    // the row it goes to, also when that is the row it stands on.
    const struct {
        Qt::Key tus;
        int baslangic, beklenen;
    } durumlar[] = {{Qt::Key_Home, 0, 0}, {Qt::Key_End, 1, 1}, {Qt::Key_Up, 0, 0},
                    {Qt::Key_Down, 1, 1}, {Qt::Key_Down, 0, 1}, {Qt::Key_Home, 1, 0}};
    bool fareyle = true;
    for (const auto &d : durumlar) {
        l->satirSec(d.baslangic);
        if (fareyle)
            QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              l->visualRect(l->model()->index(d.baslangic, 2)).center());
        else
            QTest::keyClick(l, Qt::Key_Space, Qt::ControlModifier);
        fareyle = !fareyle;
        QCOMPARE(l->seciliSatir(), -1);
        QVERIFY(l->hasFocus());
        QTest::keyClick(l, d.tus);
        QCOMPARE(l->seciliSatir(), d.beklenen);
    }
    // Emptied by "Klasörlerim": nothing to select.
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari));
    QCOMPARE(l->seciliSatir(), -1);
}

void AnaFormTesti::kapaliKlasoreEklenenKlasorGosterilir()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("İki")});
    vt()->klasorEkle({QStringLiteral("3-Anahtar"), QStringLiteral("2-Anahtar"), QStringLiteral("Üç")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("birdeki"));
    isEkle(QStringLiteral("3-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("üçteki"));
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTreeWidgetItem *bir = Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar"));
    QVERIFY(!bir->isExpanded());
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(bir);
    f.KlasorListesi_NodeClick(bir);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 1);
    // A folder added under the collapsed "Bir": its parent opens with the open icon and
    // the list shows the new, empty folder.
    f.YeniKlasorEkle();
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("4-Anahtar"));
    QVERIFY(bir->isExpanded());
    QCOMPARE(KlasorAgaci::resim(bir), 4);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 0);
    QCOMPARE(f.durumMetni(), QStringLiteral("   0 iş listelendi"));
    if (auto *e = Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->viewport()->findChild<QLineEdit *>(); e && e->isVisible())
        QTest::keyClick(e, Qt::Key_Escape); // the new name is not typed here

    // All folders: the row's folder is shown, and every folder opened for it shows the open icon.
    Test::denetim<QCheckBox>(&f, "TumKlasorlerOnayi")->setChecked(true);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model()->hucreMetni(1, IsSatiriModeli::Konusu), QStringLiteral("üçteki"));
    Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSec(1);
    f.YapilacakIslerListesi_ItemClick();
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("3-Anahtar"));
    for (const char *k : {"1-Anahtar", "2-Anahtar"}) {
        QTreeWidgetItem *d = Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QString::fromLatin1(k));
        QVERIFY2(d->isExpanded() && KlasorAgaci::resim(d) == 4, k);
    }
}

void AnaFormTesti::tumKlasorlerTekListeSecimKorunur()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("a"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0), QStringLiteral("b"));
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    // "Klasörlerim" collapsed by the user before the box is ticked.
    Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari)->setExpanded(false);
    f.durumMetniAyarla(QStringLiteral("önceki"));
    QSignalSpy listeleme(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model(), &IsSatiriModeli::dolduruldu);
    Test::denetim<QCheckBox>(&f, "TumKlasorlerOnayi")->setChecked(true);
    QCOMPARE(listeleme.size(), 1);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 2);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->seciliSatir(), 0);
    QCOMPARE(f.durumMetni(), QStringLiteral("önceki"));
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("1-Anahtar"));
    QVERIFY(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari)->isExpanded());
}

void AnaFormTesti::klasorTiklamasiBirKezListeler()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("İki")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("a"));
    isEkle(QStringLiteral("2-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("b"));
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    KlasorAgaci *a = Test::denetim<KlasorAgaci>(&f, "KlasorListesi");
    QSignalSpy listeleme(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model(), &IsSatiriModeli::dolduruldu);
    auto tikla = [&](const QString &k) {
        QTest::mouseClick(a->viewport(), Qt::LeftButton, {}, a->visualItemRect(a->dugum(k)).center());
    };
    tikla(QStringLiteral("1-Anahtar"));
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("1-Anahtar"));
    QCOMPARE(listeleme.size(), 1);
    QCOMPARE(f.durumMetni(), QStringLiteral("   1 iş listelendi"));
    // A click on the selected folder reads it again, once.
    tikla(QStringLiteral("1-Anahtar"));
    QCOMPARE(listeleme.size(), 2);
    // Moving with the keys lists the new folder, once.
    QTest::keyClick(a, Qt::Key_Down);
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("2-Anahtar"));
    QCOMPARE(listeleme.size(), 3);
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model()->hucreMetni(0, IsSatiriModeli::Konusu), QStringLiteral("b"));
    // Pressed on one folder and released on another: the folder under the release is listed.
    const QPoint bas = a->visualItemRect(a->dugum(QStringLiteral("2-Anahtar"))).center();
    const QPoint birak = a->visualItemRect(a->dugum(QStringLiteral("1-Anahtar"))).center();
    QTest::mousePress(a->viewport(), Qt::LeftButton, {}, bas);
    QMouseEvent hareket(QEvent::MouseMove, birak, a->viewport()->mapToGlobal(birak), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(a->viewport(), &hareket);
    QTest::mouseRelease(a->viewport(), Qt::LeftButton, {}, birak);
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("1-Anahtar"));
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model()->hucreMetni(0, IsSatiriModeli::Konusu), QStringLiteral("a"));
    QCOMPARE(listeleme.size(), 4);
}

void AnaFormTesti::tarihsizSatirOncekininRenginiAlir()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    const qint64 ilk = isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("tarihsiz ilk"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 6), QTime(9, 0), QStringLiteral("dün"));
    const qint64 son = isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("tarihsiz son"));
    // Rows without a readable date, as an old file may hold them: one sorts first, one last.
    const QByteArray sql = "UPDATE YapilacakIslerTablosu SET IsinTarihi=NULL WHERE IsNo=" + QByteArray::number(ilk)
        + "; UPDATE YapilacakIslerTablosu SET IsinTarihi='bilinmiyor' WHERE IsNo=" + QByteArray::number(son);
    vt()->calistir(sql.constData());
    AnaForm f(false);
    f.KlasorListesi_NodeClick(Test::denetim<KlasorAgaci>(&f, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    IsSatiriModeli *m = Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->model();
    QCOMPARE(m->hucreMetni(0, IsSatiriModeli::Konusu), QStringLiteral("tarihsiz ilk"));
    QCOMPARE(m->hucreMetni(2, IsSatiriModeli::Konusu), QStringLiteral("tarihsiz son"));
    QCOMPARE(m->data(m->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    QCOMPARE(m->data(m->index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(150, 40, 40));
    QCOMPARE(m->data(m->index(2, 0), Qt::ForegroundRole).value<QColor>(), QColor(150, 40, 40));
    // The caption keeps its closing blank.
    QCOMPARE(Test::denetim<QCheckBox>(&f, "TumKlasorlerOnayi")->text(), QStringLiteral("&Tüm klasörlerdeki tüm işleri göster "));
}

QTEST_MAIN(AnaFormTesti)
#include "tst_AnaForm.moc"

void AnaFormTesti::standartTuslar()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("a"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0), QStringLiteral("b"));
    Tercihler::ArkaplandaCalissin = 1;
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const auto eylem = [&](const char *ad) { return Test::denetim<QAction>(&f, ad); };
    // The menus show the keys; the items' accessible names stay their captions.
    QCOMPARE(eylem("IsiSilMenusu1")->shortcut(), QKeySequence(Qt::Key_Delete));
    QCOMPARE(eylem("YeniIsEkleMenusu1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(eylem("BulMenusu")->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)}));
    QCOMPARE(eylem("CikisMenusu1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(eylem("Dugme12")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QMenu *isler = Test::denetim<QMenu>(&f, "YapilacakIslerMenusu");
    isler->popup(f.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(isler));
    QAccessibleInterface *menuErisim = QAccessible::queryAccessibleInterface(isler);
    QVERIFY(menuErisim);
    QStringList adlar;
    for (int i = 0; i < menuErisim->childCount(); ++i)
        if (const QString ad = menuErisim->child(i)->text(QAccessible::Name); !ad.isEmpty())
            adlar << ad;
    QVERIFY2(adlar.contains(QStringLiteral("İşi Sil")) && adlar.contains(QStringLiteral("Yeni İş Ekle...")), qPrintable(adlar.join(u'|')));
    isler->close();

    KlasorAgaci *agac = Test::denetim<KlasorAgaci>(&f, "KlasorListesi");
    agac->setCurrentItem(agac->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    IsListesi *l = Test::denetim<IsListesi>(&f, "YapilacakIslerListesi");
    QCOMPARE(l->satirSayisi(), 2);

    // Del in the job list asks the delete question; No keeps the job, Yes deletes it.
    l->setFocus();
    QTRY_VERIFY(l->hasFocus());
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    QTest::keyClick(l, Qt::Key_Delete);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam->mesajlar->gosterilenler.first().metin.startsWith(QStringLiteral("Seçili işi SİLMEK istediğinizden emin misiniz?")));
    f.KlasorListesi_NodeClick(f.seciliDugum()); // read again: still in the database
    QCOMPARE(l->satirSayisi(), 2);
    l->setFocus();
    QTRY_VERIFY(l->hasFocus());
    ortam->mesajlar->temizle();
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    QTest::keyClick(l, Qt::Key_Delete);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(l->satirSayisi(), 1);
    ortam->mesajlar->temizle();

    // Del in the folder tree, and inside its in-place editor, deletes no job: in the editor
    // it deletes a letter of the name.
    agac->setFocus();
    QTRY_VERIFY(agac->hasFocus());
    QTest::keyClick(agac, Qt::Key_Delete);
    QTest::keyClick(agac, Qt::Key_F2);
    auto *duzenleyici = agac->viewport()->findChild<QLineEdit *>();
    QVERIFY(duzenleyici && duzenleyici->isVisible());
    QTRY_VERIFY(duzenleyici->hasFocus());
    duzenleyici->setCursorPosition(0);
    QTest::keyClick(duzenleyici, Qt::Key_Delete);
    QCOMPARE(duzenleyici->text(), QStringLiteral("ir"));
    QTest::keyClick(duzenleyici, Qt::Key_Escape);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QCOMPARE(l->satirSayisi(), 1);

    // Ctrl+N runs "Yeni İş Ekle...": on "Klasörlerim" it refuses with the command's message.
    agac->setCurrentItem(agac->dugum(KlasorAgaci::KlasorAnahtari));
    f.KlasorListesi_NodeClick(f.seciliDugum());
    QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(ortam->mesajlar->metinler(),
             QStringList{QStringLiteral("Bu klasöre iş ekleyemezsiniz! Lütfen, başka bir klasör seçiniz ya da yeni bir klasör ekleyiniz.")});
    ortam->mesajlar->temizle();

    // Ctrl+F opens the search window; under it (a modal dialog up) the main window's keys
    // do nothing.
    QSignalSpy bul(eylem("BulMenusu"), &QAction::triggered);
    QSignalSpy yazdir(eylem("Dugme12"), &QAction::triggered);
    QSignalSpy cikis(eylem("CikisMenusu1"), &QAction::triggered);
    QString acilan;
    Test::modalGelince([&](QWidget *w) {
        acilan = w->objectName();
        QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
    });
    QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(acilan, QStringLiteral("AramaIslemleriFormu"));
    QCOMPARE(bul.size(), 1);
    QCOMPARE(yazdir.size(), 0);
    QCOMPARE(cikis.size(), 0);
    QVERIFY(f.isVisible());

    // Ctrl+P prints the main list (the printer choice comes up and is cancelled here).
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    Test::modalGelince([](QWidget *w) {
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
    });
    QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(yazdir.size(), 1);

    // Ctrl+Q is "Çıkış": the program ends without a question.
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    ortam->mesajlar->temizle();
    QTest::keyClick(&f, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(cikis.size(), 1);
    QVERIFY(!f.isVisible());
}

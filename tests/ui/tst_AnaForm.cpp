// The main window: tree, job list, sorting, layout saving, closing.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
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

private:
    std::unique_ptr<Test::Ortam> ortam;
    Veritabani *vt() { return OrtakDegiskenler::VeritabaniBag; }
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
    QCOMPARE(f.KlasorListesi->tumDugumler().size(), 2);
    QCOMPARE(f.KlasorListesi->topLevelItem(0)->text(0), QStringLiteral("Zelvora"));
    QCOMPARE(f.seciliAnahtar(), KlasorAgaci::KlasorAnahtari);
    QCOMPARE(f.seciliDugum()->text(0), QStringLiteral("Klasörlerim"));
    QVERIFY(f.seciliDugum()->isExpanded());
    QCOMPARE(f.YapilacakIslerListesi->satirSayisi(), 0);
    QCOMPARE(f.EnBuyukKlasorNo, qint16(0));
    QCOMPARE(f.windowTitle(), QStringLiteral("Tavrek - Zelvora 2.33 (Sunucu)"));
}

void AnaFormTesti::klasorNumaralariVeSirasizKayit()
{
    vt()->klasorEkle({QStringLiteral("3-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Üç")});
    vt()->klasorEkle({QStringLiteral("Abc"), QStringLiteral("Klasor"), QStringLiteral("Harf")});
    // Its parent comes later in the table: it cannot be placed and is reported.
    vt()->klasorEkle({QStringLiteral("20-Anahtar"), QStringLiteral("12-Anahtar"), QStringLiteral("Yetim")});
    vt()->klasorEkle({QStringLiteral("12-Anahtar"), QStringLiteral("3-Anahtar"), QStringLiteral("On İki")});
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    AnaForm f(false);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam->mesajlar->gosterilenler.first().baslik, QStringLiteral("Hata oluştu!"));
    QVERIFY(f.KlasorListesi->dugum(QStringLiteral("12-Anahtar")));
    QVERIFY(!f.KlasorListesi->dugum(QStringLiteral("20-Anahtar")));
    QCOMPARE(f.KlasorListesi->dugum(QStringLiteral("12-Anahtar"))->parent(), f.KlasorListesi->dugum(QStringLiteral("3-Anahtar")));
    // 20 was read before its node failed: the counter never goes back.
    QCOMPARE(f.EnBuyukKlasorNo, qint16(20));
}

void AnaFormTesti::dugumTiklamaListelerVeDurumYazar()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Boş")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(14, 0), QStringLiteral("a"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("b"));
    AnaForm f(false);
    f.KlasorListesi_NodeClick(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    QCOMPARE(f.YapilacakIslerListesi->satirSayisi(), 2);
    QCOMPARE(f.durumMetni(), QStringLiteral("   2 iş listelendi"));
    // Same day: database order, not time order.
    QCOMPARE(f.YapilacakIslerListesi->model()->hucreMetni(0, IsSatiriModeli::Konusu), QStringLiteral("a"));
    QCOMPARE(f.YapilacakIslerListesi->model()->hucreMetni(0, IsSatiriModeli::Saati), QStringLiteral("14:00:00"));
    f.KlasorListesi_NodeClick(f.KlasorListesi->dugum(QStringLiteral("2-Anahtar")));
    QCOMPARE(f.durumMetni(), QStringLiteral("   0 iş listelendi"));
    f.KlasorListesi_NodeClick(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    // "Klasörlerim" empties the list and leaves the status text alone.
    f.KlasorListesi_NodeClick(f.KlasorListesi->dugum(KlasorAgaci::KlasorAnahtari));
    QCOMPARE(f.YapilacakIslerListesi->satirSayisi(), 0);
    QCOMPARE(f.durumMetni(), QStringLiteral("   2 iş listelendi"));
}

void AnaFormTesti::simgelerVeTarihRenkleri()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 6), QTime(9, 0), QStringLiteral("dün yapıldı"), true, true);
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(9, 0), QStringLiteral("bugün"), true, false);
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0), QStringLiteral("yarın"), false, false);
    AnaForm f(false);
    f.KlasorListesi_NodeClick(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    IsSatiriModeli *m = f.YapilacakIslerListesi->model();
    QCOMPARE(m->simge(0), int(IsSatiriModeli::YapildiSimgesi));
    QCOMPARE(m->simge(1), int(IsSatiriModeli::HatirlatSimgesi));
    QCOMPARE(m->simge(2), int(IsSatiriModeli::HatirlatmaSimgesi));
    QCOMPARE(m->data(m->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(150, 40, 40));
    QCOMPARE(m->data(m->index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(40, 40, 150));
    QCOMPARE(m->data(m->index(2, 0), Qt::ForegroundRole).value<QColor>(), QColor(10, 140, 10));
    QVERIFY(!m->data(m->index(1, 2), Qt::ForegroundRole).isValid()); // only the date cell is coloured
    QCOMPARE(m->hucreMetni(0, IsSatiriModeli::Tarihi), QStringLiteral("06.12.2026"));
    QVERIFY(f.YapilacakIslerListesi->header()->isSectionHidden(IsSatiriModeli::IsNoSutunu));
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
    f.KlasorListesi->setCurrentItem(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    f.KlasorListesi_NodeClick(f.seciliDugum());

    f.TumKlasorlerOnayi->setChecked(true);
    QCOMPARE(f.YapilacakIslerListesi->satirSayisi(), 4);
    QVERIFY(!f.KlasorListesi->isEnabled());
    QVERIFY(!f.Dugme[2]->isEnabled());
    QVERIFY(!f.YeniKlasorEkleMenusu1->isEnabled());
    QVERIFY(!f.YeniKlasorEkleMenusu2->isEnabled());
    // The first row was clicked: the tree shows that job's folder.
    QCOMPARE(f.seciliAnahtar(), QStringLiteral("2-Anahtar"));

    f.SadeceBugunYapilacakIsleriListeleOnayi->setChecked(true);
    QCOMPARE(f.YapilacakIslerListesi->satirSayisi(), 2);
    QCOMPARE(f.durumMetni(), QStringLiteral("   2 iş listelendi"));

    f.TumKlasorlerOnayi->setChecked(false);
    QVERIFY(f.KlasorListesi->isEnabled());
    QVERIFY(f.Dugme[2]->isEnabled());
    QCOMPARE(f.YapilacakIslerListesi->satirSayisi(), 1); // today's open jobs of folder 2
    f.SadeceBugunYapilacakIsleriListeleOnayi->setChecked(false);
    QCOMPARE(f.YapilacakIslerListesi->satirSayisi(), 2);
}

void AnaFormTesti::sutunSiralama()
{
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Bir")});
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 2, 28), QTime(9, 0), QStringLiteral("Çay"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2026, 3, 2), QTime(9, 0), QStringLiteral("Ceviz"));
    isEkle(QStringLiteral("1-Anahtar"), QDate(2025, 12, 30), QTime(9, 0), QStringLiteral("Dut"));
    AnaForm f(false);
    f.KlasorListesi_NodeClick(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    IsListesi *l = f.YapilacakIslerListesi;
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
    f.KlasorListesi_NodeClick(f.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    QCOMPARE(konular().first(), QStringLiteral("Armut"));
    QCOMPARE(konular().last(), QStringLiteral("Dut"));
}

void AnaFormTesti::menulerVeDugmeler()
{
    AnaForm f(false);
    QCOMPARE(f.Dugme[2]->text(), QStringLiteral("Klasör Ekle"));
    QCOMPARE(f.Dugme[8]->toolTip(), QStringLiteral("İş bulma (F3)"));
    QCOMPARE(f.Dugme[10]->toolTip(), QStringLiteral("Yapılacak işleri listeleme/yazdırma"));
    QVERIFY(f.Dugme[3]->isSeparator());
    QCOMPARE(f.YapilacakIslerMenusu->title(), QStringLiteral("Y&apılacak İşler"));
    QStringList ogeler;
    for (QAction *a : f.YapilacakIslerMenusu->actions())
        ogeler << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(ogeler, (QStringList{QStringLiteral("Yeni &Klasör Ekle"), QStringLiteral("-"), QStringLiteral("&Yeni İş Ekle..."),
                                  QStringLiteral("&Değişiklik Yap..."), QStringLiteral("İşi &Sil"), QStringLiteral("-"),
                                  QStringLiteral("Bul..."), QStringLiteral("-"), QStringLiteral("Yapılacak İşleri Listele")}));
    QCOMPARE(f.KlasorMenusu->defaultAction(), f.YeniKlasorEkleMenusu2);
    QCOMPARE(f.BildirimAlaniMenusu->defaultAction(), f.GosterMenusu);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.GirisSifresiBelirleDegistirMenusu->text(), QStringLiteral("Giriş Şifresi Belirle..."));
    QCOMPARE(f.Etiket[2]->text(), QStringLiteral("7 Aralık 2026 Pazartesi"));
    f.hide();
}

void AnaFormTesti::sutunDuzeniKapatmaIptalindeDeKaydedilir()
{
    Tercihler::ArkaplandaCalissin = 0;
    {
        AnaForm f(false);
        f.show();
        f.YapilacakIslerListesi->header()->resizeSection(2, 200);
        f.YapilacakIslerListesi->header()->moveSection(3, 0);
        ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
        QVERIFY(!f.close());
        QCOMPARE(ortam->mesajlar->gosterilenler.last().metin, QStringLiteral("Programdan çıkmak istiyor musunuz?"));
        QVERIFY(f.isVisible());
    }
    QCOMPARE(Ayarlar::oku(AyarAdi::Liste(1), QStringLiteral("Genislik-3"), QString()), QStringLiteral("3000"));
    QCOMPARE(Ayarlar::oku(AyarAdi::Liste(1), QStringLiteral("Konum-4"), QString()), QStringLiteral("1"));
    AnaForm g(false);
    QCOMPARE(g.YapilacakIslerListesi->header()->sectionSize(2), 200);
    QCOMPARE(g.YapilacakIslerListesi->header()->visualIndex(3), 0);
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
    QVERIFY(f.YapilacakIsKontrolu->isActive());
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

QTEST_MAIN(AnaFormTesti)
#include "tst_AnaForm.moc"

// A database another program holds locked, or a disk that is full: every write says
// so, and nothing the user typed or still has to settle is lost.

#include "TestOrtami.h"

#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/HatirlatmaFormu.h"
#include "reminders/YapilacakIslerListesiFormu.h"
#include <QLabel>
#include "ui/AnaForm.h"

#include <QCheckBox>
#include <QFile>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QRadioButton>
#include <QtTest>

#include <sqlite3.h>
#include <unistd.h>

using namespace Zelvora;

class KilitliVeritabaniTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void editorGirdileriniKorur();
    void hatirlatmaSatiriKalir();
    void klasorIslemleriSoylenir();
    void isIslemleriSoylenir();
    void doluDiskteGirdilerKorunur();
    void degistirilenDosyaYenidenAcilir();
    void silinenDosyaVeTabloBirKezSoylenir();

    void listelemedeGirdiDenmez();
private:
    Veritabani *vt() { return &Veritabani::acik(); }
    // Another program takes the database for itself.
    void kilitle()
    {
        m_baska.ac(ortam->veritabaniYolu(), Sqlite::Baglanti::Kip::Olustur);
        m_baska.calistir("BEGIN EXCLUSIVE");
    }
    void birak()
    {
        m_baska.calistir("ROLLBACK");
        m_baska.kapat();
    }
    bool kilitMesajiGeldi() const
    {
        const auto m = ortam->mesajlar->metinler();
        return !m.isEmpty() && m.last().startsWith(QStringLiteral("Veritabanı şu anda başka bir program tarafından kullanılıyor"));
    }
    // The folder name's in-place editor that is open (a closed one may linger until deleted).
    static QLineEdit *adDuzenleyicisi(AnaForm &ana)
    {
        for (QLineEdit *e : Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->viewport()->findChildren<QLineEdit *>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
    // The editor in add mode on folder 1, with a hearing at 15:00 on 07.12.2026 typed in.
    static IsEklemeDegistirmeFormu *durusmaGirilmisEditor(AnaForm &ana)
    {
        Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
        IsEklemeDegistirmeFormu *f = ana.isFormu();
        f->ekle(ana.seciliAnahtar(), f->windowTitle());
        Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->setChecked(false);
        Test::denetim<QLineEdit>(f, "IsinTarihiKutusu")->setText(QStringLiteral("07.12.2026"));
        Test::denetim<QComboBox>(f, "SaatKutusu")->setCurrentIndex(15);
        Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->setEditText(QStringLiteral("Duruşma"));
        return f;
    }
    std::unique_ptr<Test::Ortam> ortam;
    Sqlite::Baglanti m_baska;
};

void KilitliVeritabaniTesti::degistirilenDosyaYenidenAcilir()
{
    // Another copy of the database is put in its place while the program runs (a restore
    // by hand, a sync tool): the save is refused, said as such, and the new file opened.
    AnaForm ana(false);
    IsEklemeDegistirmeFormu *f = durusmaGirilmisEditor(ana);
    Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->setChecked(true);
    const QString yol = ortam->veritabaniYolu();
    const QString yeni = yol + QStringLiteral(".yeni");
    QVERIFY(QFile::copy(yol, yeni));
    QCOMPARE(::rename(QFile::encodeName(yeni).constData(), QFile::encodeName(yol).constData()), 0);
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f->KaydetDugmesi_Click();
    QVERIFY2(ortam->mesajlar->gosterilenler.size() == 1, qPrintable(ortam->mesajlar->metinler().join(QLatin1Char('|'))));
    const Test::GosterilenMesaj m = ortam->mesajlar->gosterilenler.first();
    QVERIFY2(m.metin.startsWith(QStringLiteral("Veritabanı dosyanız, program açıkken silindi, taşındı ya da yerine başka bir dosya kondu:")),
             qPrintable(m.metin));
    QCOMPARE(m.dugmeler, MesajDugmeleri::EvetHayir);
    QCOMPARE(ortam->son->sayi, 0);
    // Not saved, not lost: still in the editor; saved into the file now at the path.
    QVERIFY(!Test::denetim<QPushButton>(f, "KaydetDugmesi")->isHidden());
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QStringLiteral("Duruşma"));
    f->KaydetDugmesi_Click();
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    auto dosyadaki = Veritabani::ac(yol);
    const auto isler = dosyadaki->isleriListele(QStringLiteral("1-Anahtar"), false, false, QDate(2026, 12, 7));
    QCOMPARE(isler.size(), size_t(1));
    QCOMPARE(isler[0].konu, QStringLiteral("Duruşma"));
}

void KilitliVeritabaniTesti::silinenDosyaVeTabloBirKezSoylenir()
{
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 7), QTime(14, 0), QStringLiteral("Duruşma"), {}, {}, {},
                  true, false});
    AnaForm ana(false);
    // Deleted: the scan tells it once (nothing to reopen), every write is refused.
    const QString yol = ortam->veritabaniYolu();
    const QString kenar = yol + QStringLiteral(".kenar");
    QVERIFY(QFile::rename(yol, kenar));
    ana.HatirlatilacakIsleriListele();
    ana.HatirlatilacakIsleriListele();
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam->mesajlar->gosterilenler.first().dugmeler, MesajDugmeleri::Tamam);
    QVERIFY(ortam->mesajlar->gosterilenler.first().metin.contains(QStringLiteral("yedekten oluşturulması önerilir")));
    try {
        vt()->isYapildiIsaretle(1);
        QFAIL("a write to a vanished file was taken as saved");
    } catch (const Hata &h) {
        QCOMPARE(h.numara(), HataNo::VeritabaniDegisti);
    }
    // Put back and reopened, then a table dropped by another program: one clear message,
    // not a question at every scan.
    QVERIFY(QFile::rename(kenar, yol));
    vt()->yenidenAc();
    Sqlite::Baglanti(yol, Sqlite::Baglanti::Kip::Olustur).calistir("DROP TABLE YapilacakIslerTablosu");
    ortam->mesajlar->temizle();
    for (int i = 0; i < 3; ++i)
        ana.HatirlatilacakIsleriListele();
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    const Test::GosterilenMesaj m = ortam->mesajlar->gosterilenler.first();
    QVERIFY2(m.metin.startsWith(QStringLiteral("Veritabanı dosyanızın bir tablosu, program açıkken silindi:")), qPrintable(m.metin));
    QCOMPARE(m.dugmeler, MesajDugmeleri::Tamam);
    QCOMPARE(ortam->son->sayi, 0);
}

void KilitliVeritabaniTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
    sqlite3_busy_timeout(vt()->tutamak(), 50);
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
}

void KilitliVeritabaniTesti::cleanup()
{
    if (m_baska.tutamak())
        birak();
    ortam.reset();
}

void KilitliVeritabaniTesti::editorGirdileriniKorur()
{
    AnaForm ana(false);
    IsEklemeDegistirmeFormu *f = durusmaGirilmisEditor(ana);
    Test::denetim<QLineEdit>(f, "AciklamaKutusu")->setText(QStringLiteral("Uzun uzun yazılmış bir açıklama"));
    Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->setChecked(true);
    kilitle();
    f->KaydetDugmesi_Click();
    QVERIFY(kilitMesajiGeldi());
    QVERIFY(ortam->mesajlar->metinler().last().contains(QStringLiteral("Girdiğiniz bilgiler yerinde duruyor.")));
    QCOMPARE(ortam->son->sayi, 0);
    // Still editing, with everything the user typed.
    QVERIFY(!Test::denetim<QPushButton>(f, "KaydetDugmesi")->isHidden());
    QCOMPARE(Test::denetim<QComboBox>(f, "IsinKonusuKutusu")->currentText(), QStringLiteral("Duruşma"));
    QCOMPARE(Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text(), QStringLiteral("Uzun uzun yazılmış bir açıklama"));
    birak();
    // Saved once the other program lets go.
    f->KaydetDugmesi_Click();
    const auto isler = vt()->isleriListele(QStringLiteral("1-Anahtar"), false, false, QDate(2026, 12, 7));
    QCOMPARE(isler.size(), size_t(1));
    QCOMPARE(isler[0].aciklama, QStringLiteral("Uzun uzun yazılmış bir açıklama"));
}

void KilitliVeritabaniTesti::hatirlatmaSatiriKalir()
{
    const QDate bugun(2026, 12, 7);
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), bugun, QTime(14, 0), QStringLiteral("Duruşma"), {}, {},
                                    {}, true, false});
    AnaForm ana(false);
    ana.HatirlatilacakIsleriListele();
    HatirlatmaFormu *f = ana.hatirlatmaFormu();
    f->show();
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(), 1);
    QTest::mouseClick(Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0"), Qt::LeftButton);
    kilitle();
    QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
    QVERIFY(kilitMesajiGeldi());
    // The job is not done in the database, so its row stays to be settled.
    QVERIFY(f->isVisible());
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(), 1);
    birak();
    QTest::mouseClick(Test::denetim<QPushButton>(f, "OnaylaDugmesi"), Qt::LeftButton);
    QVERIFY(vt()->is(no).yapildi);
    QCOMPARE(Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSayisi(), 0);
}

void KilitliVeritabaniTesti::klasorIslemleriSoylenir()
{
    AnaForm ana(false);
    const int dugumler = Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->tumDugumler().size();
    kilitle();
    ana.YeniKlasorEkle();
    QVERIFY(kilitMesajiGeldi());
    QCOMPARE(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->tumDugumler().size(), dugumler);
    // Deleting a folder: it stays, with its jobs.
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    ana.KlasorSil();
    QVERIFY(kilitMesajiGeldi());
    QVERIFY(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    QCOMPARE(ortam->son->sayi, 0);
    // Renaming it: the node keeps its stored name and the edit opens again with the typed one.
    ana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ana));
    QTreeWidgetItem *buro = Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar"));
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(buro);
    ana.KlasorAdiDegistir();
    QTRY_VERIFY(adDuzenleyicisi(ana));
    adDuzenleyicisi(ana)->selectAll();
    adDuzenleyicisi(ana)->insert(QStringLiteral("Büro Dosyaları"));
    ortam->mesajlar->temizle();
    QTest::keyClick(adDuzenleyicisi(ana), Qt::Key_Return);
    QTRY_VERIFY(kilitMesajiGeldi());
    QTRY_VERIFY(adDuzenleyicisi(ana));
    QCOMPARE(adDuzenleyicisi(ana)->text(), QStringLiteral("Büro Dosyaları"));
    QCOMPARE(buro->text(0), QStringLiteral("Büro"));
    birak();
    QCOMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral("Büro"));
    // Once the other program lets go, Enter stores what was typed.
    QTest::keyClick(adDuzenleyicisi(ana), Qt::Key_Return);
    QTRY_COMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral("Büro Dosyaları"));
    QCOMPARE(buro->text(0), QStringLiteral("Büro Dosyaları"));
    QCOMPARE(ortam->mesajlar->metinler().size(), 1);
}

void KilitliVeritabaniTesti::isIslemleriSoylenir()
{
    vt()->klasorEkle({QStringLiteral("2-Anahtar"), KlasorAgaci::KlasorAnahtari, QStringLiteral("Arşiv")});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0), QStringLiteral("Keşif"), {}, {}, {}, true, false});
    const qint64 no = vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 9), QTime(10, 0), QStringLiteral("Duruşma"),
                                    QStringLiteral("Adliye"), {}, {}, true, false});
    AnaForm ana(false);
    ana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ana));
    Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(QStringLiteral("1-Anahtar")));
    ana.KlasorListesi_NodeClick(ana.seciliDugum());
    IsListesi *l = Test::denetim<IsListesi>(&ana, "YapilacakIslerListesi");
    const auto ekrandaAyni = [&] {
        return l->satirSayisi() == 2 && l->seciliIsNo() == no && ana.seciliAnahtar() == QStringLiteral("1-Anahtar")
            && l->model()->hucreMetni(1, IsSatiriModeli::Yeri) == QStringLiteral("Adliye");
    };
    l->satirSec(1);
    kilitle();

    // Delete: the row stays, selected.
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    ana.IsiSil();
    QVERIFY(kilitMesajiGeldi());
    QVERIFY(ekrandaAyni());

    // Move, dropped on the other folder: the job stays where it is stored, on screen too.
    ortam->mesajlar->temizle();
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    QMimeData veri;
    veri.setData(IsSatiriModeli::IsNoMimeTuru, QByteArray::number(no));
    const QPoint arsiv = Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->visualItemRect(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->dugum(QStringLiteral("2-Anahtar"))).center();
    QDragEnterEvent giris(arsiv, Qt::CopyAction | Qt::MoveAction, &veri, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->viewport(), &giris);
    QDragMoveEvent hareket(arsiv, Qt::CopyAction | Qt::MoveAction, &veri, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->viewport(), &hareket);
    QDropEvent birak_(arsiv, Qt::CopyAction | Qt::MoveAction, &veri, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->viewport(), &birak_);
    QVERIFY(birak_.isAccepted());
    QTRY_VERIFY(kilitMesajiGeldi());
    QCOMPARE(ortam->mesajlar->metinler().first(), QStringLiteral("Seçilen işi taşımak istediğinizden emin misiniz?"));
    QVERIFY(!Test::denetim<KlasorAgaci>(&ana, "KlasorListesi")->vurguluDugum());
    QVERIFY(ekrandaAyni());

    // A change saved in the editor: it stays open with the change; the list shows the
    // stored job until the save goes through.
    ortam->mesajlar->temizle();
    bool girdilerKaldi = false;
    bool listeAyniKaldi = false;
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<IsEklemeDegistirmeFormu *>(w);
        QVERIFY(f);
        Test::denetim<QComboBox>(f, "IsinYeriKutusu")->setEditText(QStringLiteral("Bilirkişi Odası"));
        Test::denetim<QLineEdit>(f, "AciklamaKutusu")->setText(QStringLiteral("Dosya hazır"));
        QTest::mouseClick(Test::denetim<QPushButton>(f, "KaydetDugmesi"), Qt::LeftButton);
        QVERIFY(kilitMesajiGeldi());
        girdilerKaldi = f->isVisible() && !Test::denetim<QPushButton>(f, "KaydetDugmesi")->isHidden()
            && Test::denetim<QComboBox>(f, "IsinYeriKutusu")->currentText() == QStringLiteral("Bilirkişi Odası")
            && Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text() == QStringLiteral("Dosya hazır");
        listeAyniKaldi = ekrandaAyni();
        birak();
        QTest::mouseClick(Test::denetim<QPushButton>(f, "KaydetDugmesi"), Qt::LeftButton);
    });
    ana.DegisiklikYap();
    QVERIFY(girdilerKaldi);
    QVERIFY(listeAyniKaldi);
    // Neither deleted nor moved; changed by the save that went through.
    QCOMPARE(vt()->is(no).isNo, no);
    QCOMPARE(vt()->is(no).anahtari, QStringLiteral("1-Anahtar"));
    QCOMPARE(vt()->is(no).yer, QStringLiteral("Bilirkişi Odası"));
    QCOMPARE(vt()->is(no).aciklama, QStringLiteral("Dosya hazır"));
    QCOMPARE(l->model()->hucreMetni(l->seciliSatir(), IsSatiriModeli::Yeri), QStringLiteral("Bilirkişi Odası"));
    QCOMPARE(ortam->mesajlar->metinler().size(), 1);
}

void KilitliVeritabaniTesti::doluDiskteGirdilerKorunur()
{
    // The database on a small disk of its own (a tmpfs), which a large file then fills.
    cleanup();
    ortam = std::make_unique<Test::Ortam>();
    const QString klasor = Baslangic::veritabaniKlasoru();
    if (::geteuid() != 0
        || QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                       QStringLiteral("size=512k"), QStringLiteral("tmpfs"), klasor})
            != 0)
        ZELVORA_CALISAMAZ("a full disk needs root to mount a small tmpfs");
    auto ayir = qScopeGuard([&] {
        Baslangic::veritabaniniKapat();
        QProcess::execute(QStringLiteral("umount"), {klasor});
    });
    ortam->veritabaniniAc();
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
    QFile dolgu(klasor + QStringLiteral("dolgu"));
    QVERIFY(dolgu.open(QIODevice::WriteOnly));
    while (dolgu.write(QByteArray(4096, 'x')) == 4096 && dolgu.flush()) {
    }
    dolgu.close();

    AnaForm ana(false);
    IsEklemeDegistirmeFormu *f = durusmaGirilmisEditor(ana);
    const QString aciklama(60000, QLatin1Char('a'));
    Test::denetim<QLineEdit>(f, "AciklamaKutusu")->setText(aciklama);
    Test::denetim<QCheckBox>(f, "HatirlatmaVarOnayi")->setChecked(true);
    f->KaydetDugmesi_Click();
    const QStringList m = ortam->mesajlar->metinler();
    QVERIFY2(!m.isEmpty() && m.last().startsWith(QStringLiteral("Diskte yer kalmadı!")), qPrintable(m.join(QLatin1Char('|'))));
    QVERIFY(m.last().contains(ortam->veritabaniYolu()));
    QCOMPARE(ortam->son->sayi, 0);
    QVERIFY(!Test::denetim<QPushButton>(f, "KaydetDugmesi")->isHidden());
    QCOMPARE(Test::denetim<QLineEdit>(f, "AciklamaKutusu")->text(), aciklama);
    // Space freed: the same entries are saved.
    QVERIFY(QFile::remove(dolgu.fileName()));
    f->KaydetDugmesi_Click();
    const auto isler = vt()->isleriListele(QStringLiteral("1-Anahtar"), false, false, QDate(2026, 12, 7));
    QCOMPARE(isler.size(), size_t(1));
    QCOMPARE(isler[0].aciklama, aciklama);
}

void KilitliVeritabaniTesti::listelemedeGirdiDenmez()
{
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 8), QTime(9, 0), QStringLiteral("Keşif"), {}, {}, {}, true, false});
    YapilacakIslerListesiFormu f;
    f.show();
    kilitle();
    ortam->mesajlar->temizle();
    f.TumIsleriListeleDugmesi_Click();
    // Nothing was typed, and the jobs could not be read: neither is said otherwise.
    const QStringList m = ortam->mesajlar->metinler();
    QCOMPARE(m.size(), 1);
    QVERIFY(kilitMesajiGeldi());
    QVERIFY(!m.first().contains(QStringLiteral("Girdiğiniz bilgiler yerinde duruyor")));
    QVERIFY(m.first().contains(QStringLiteral("Lütfen, biraz sonra tekrar deneyiniz.")));
    QCOMPARE(Test::denetim<QLabel>(&f, "Etiket0")->text(), QStringLiteral("&Yapılacak İşler"));
    birak();
    f.TumIsleriListeleDugmesi_Click();
    QCOMPARE(Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->satirSayisi(), 1);
}

QTEST_MAIN(KilitliVeritabaniTesti)
#include "tst_KilitliVeritabani.moc"

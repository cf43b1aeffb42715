// The calendar's windows: its group in the preferences (address, user name, the folders
// published, stored in section "Takvim"; an address that cannot be one refused), and the
// status-bar button with the log window when the server cannot be reached: said there,
// never in a message box.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/TakvimYayini.h"
#include "core/Veritabani.h"
#include "tools/TakvimGunluguFormu.h"
#include "tools/TakvimIzleme.h"
#include "tools/TercihlerFormu.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace Zelvora;

class TakvimPencereleriTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void tercihlerdeTakvimAyarlari();
    void gecersizAdresSaklanmaz();
    void ulasilamayanSunucuDurumCubugunda();

private:
    std::unique_ptr<Test::Ortam> m_ortam;
};

void TakvimPencereleriTesti::init()
{
    m_ortam = std::make_unique<Test::Ortam>();
    m_ortam->veritabaniniAc();
    Veritabani &vt = Veritabani::acik();
    vt.klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Davalar")});
    vt.klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("İcra")});
    vt.klasorEkle({QStringLiteral("3-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Özel")});
}

void TakvimPencereleriTesti::cleanup()
{
    Veritabani::acikAyarla(nullptr);
    m_ortam.reset();
}

void TakvimPencereleriTesti::tercihlerdeTakvimAyarlari()
{
    TercihlerFormu f;
    f.show();
    // The calendar has a page of its own.
    auto *sekmeler = Test::denetim<QTabWidget>(&f, "TercihSekmeleri");
    QCOMPARE(sekmeler->tabText(1), QStringLiteral("Tak&vim"));
    sekmeler->setCurrentIndex(1);
    auto *adres = Test::denetim<QLineEdit>(&f, "TakvimAdresiKutusu");
    auto *kullanici = Test::denetim<QLineEdit>(&f, "TakvimKullaniciAdiKutusu");
    auto *tum = Test::denetim<QCheckBox>(&f, "TumKlasorlerYayimlansinOnayi");
    auto *liste = Test::denetim<QTreeWidget>(&f, "TakvimKlasorleriListesi");
    auto *tamam = Test::denetim<QPushButton>(&f, "TamamDugmesi");
    // First run: nothing published, every folder ticked, the list fixed while "all" is on.
    QVERIFY(adres->text().isEmpty());
    QVERIFY(tum->isChecked());
    QVERIFY(!liste->isEnabled());
    QCOMPARE(liste->topLevelItemCount(), 2);
    QTreeWidgetItem *davalar = liste->topLevelItem(0);
    QCOMPARE(davalar->text(0), QStringLiteral("Davalar"));
    QCOMPARE(davalar->childCount(), 1);
    QCOMPARE(davalar->child(0)->text(0), QStringLiteral("İcra"));
    QCOMPARE(davalar->child(0)->checkState(0), Qt::Checked);
    QCOMPARE(adres->accessibleName(), QStringLiteral("Takvim adresi :"));
    QVERIFY(Test::denetim<QLabel>(&f, "TakvimEtiketi3")->text().startsWith(
        QStringLiteral("Telefonda yapılan değişiklikler Zelvora'ya geri gelmez")));
    QVERIFY(!tamam->isEnabled());

    // Typed and ticked as a user would.
    adres->setFocus();
    QTest::keyClicks(adres, QStringLiteral("https://takvim.ofis/zelvora/takvim/"));
    QVERIFY(tamam->isEnabled());
    QTest::keyClicks(kullanici, QStringLiteral("sekreter"));
    QTest::mouseClick(tum, Qt::LeftButton);
    QVERIFY(liste->isEnabled());
    liste->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    davalar->setCheckState(0, Qt::Unchecked);
    QFile ses(m_ortam->programKlasoru() + QStringLiteral("Alarm.wav"));
    QVERIFY(ses.open(QIODevice::WriteOnly));
    ses.close();
    QTest::mouseClick(tamam, Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QVERIFY(m_ortam->mesajlar->gosterilenler.isEmpty());

    Ayarlar::yenidenAc();
    QCOMPARE(Ayarlar::oku(AyarAdi::Takvim, AyarAdi::TakvimAdresi, QString()), QStringLiteral("https://takvim.ofis/zelvora/takvim/"));
    QCOMPARE(Ayarlar::oku(AyarAdi::Takvim, AyarAdi::TakvimKullaniciAdi, QString()), QStringLiteral("sekreter"));
    QCOMPARE(Ayarlar::oku(AyarAdi::Takvim, AyarAdi::TakvimTumKlasorler, QString()), QStringLiteral("0"));
    QCOMPARE(Ayarlar::oku(AyarAdi::Takvim, AyarAdi::TakvimKlasorleri, QString()), QStringLiteral("2-Anahtar"));

    // Shown again: as stored.
    TercihlerFormu g;
    g.show();
    QCOMPARE(Test::denetim<QLineEdit>(&g, "TakvimKullaniciAdiKutusu")->text(), QStringLiteral("sekreter"));
    auto *liste2 = Test::denetim<QTreeWidget>(&g, "TakvimKlasorleriListesi");
    QVERIFY(liste2->isEnabled());
    QCOMPARE(liste2->topLevelItem(0)->checkState(0), Qt::Unchecked);
    QCOMPARE(liste2->topLevelItem(0)->child(0)->checkState(0), Qt::Checked);
    QVERIFY(!Test::denetim<QPushButton>(&g, "TamamDugmesi")->isEnabled());
}

void TakvimPencereleriTesti::gecersizAdresSaklanmaz()
{
    TercihlerFormu f;
    f.show();
    Test::denetim<QTabWidget>(&f, "TercihSekmeleri")->setCurrentIndex(1);
    auto *adres = Test::denetim<QLineEdit>(&f, "TakvimAdresiKutusu");
    QTest::keyClicks(adres, QStringLiteral("takvim.ofis/zelvora"));
    QTest::mouseClick(Test::denetim<QPushButton>(&f, "TamamDugmesi"), Qt::LeftButton);
    QCOMPARE(m_ortam->mesajlar->gosterilenler.size(), 1);
    QVERIFY(m_ortam->mesajlar->gosterilenler.at(0).metin.startsWith(QStringLiteral("Takvim adresi geçerli değil!")));
    QVERIFY(f.isVisible());
    QCOMPARE(adres->text(), QStringLiteral("takvim.ofis/zelvora"));
    Ayarlar::yenidenAc();
    QCOMPARE(Ayarlar::oku(AyarAdi::Takvim, AyarAdi::TakvimAdresi, QStringLiteral("yok")), QStringLiteral("yok"));
    // Nothing else of the window was stored either.
    QCOMPARE(Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::SesliUyariBilgisi, QStringLiteral("yok")), QStringLiteral("yok"));
}

void TakvimPencereleriTesti::ulasilamayanSunucuDurumCubugunda()
{
    // A port nobody listens on any more: the connection is refused, for real.
    QTcpServer bos;
    QVERIFY(bos.listen(QHostAddress::LocalHost));
    const quint16 port = bos.serverPort();
    bos.close();
    IsKaydi is;
    is.anahtari = QStringLiteral("1-Anahtar");
    is.tarih = QDate(2026, 12, 9);
    is.saat = QTime(10, 0);
    is.konu = QStringLiteral("Duruşma");
    Veritabani::acik().isEkle(is);
    TakvimYayini::Ayar a;
    a.adres = QStringLiteral("http://127.0.0.1:%1/zelvora/takvim/").arg(port);
    TakvimYayini::ayarlariYaz(a);

    QWidget ana;
    TakvimIzleme izleme(&ana);
    QToolButton *dugme = izleme.durumDugmesi();
    QCOMPARE(dugme->objectName(), QStringLiteral("TakvimDurumu"));
    ana.show();
    QTRY_VERIFY_WITH_TIMEOUT(dugme->text().startsWith(QStringLiteral("Takvim: eşitlenemedi")), 15000);
    QVERIFY(dugme->isVisible());
    QCOMPARE(dugme->accessibleName(), dugme->text());
    QVERIFY(!izleme.yayin()->sorun().isEmpty());
    QVERIFY(dugme->toolTip().contains(izleme.yayin()->sorun()));

    QTest::mouseClick(dugme, Qt::LeftButton);
    TakvimGunluguFormu *gunluk = izleme.gunlukFormu();
    QVERIFY(gunluk && gunluk->isVisible());
    QVERIFY(!gunluk->isModal());
    auto *kutu = Test::denetim<QPlainTextEdit>(gunluk, "GunlukKutusu");
    QVERIFY2(kutu->toPlainText().contains(QStringLiteral("Takvim eşitlenemedi: ")), qPrintable(kutu->toPlainText()));
    QVERIFY(kutu->toPlainText().contains(QStringLiteral("sonra yeniden denenecek.")));
    QVERIFY(Test::denetim<QLabel>(gunluk, "DurumEtiketi")->text().startsWith(QStringLiteral("Takvim: eşitlenemedi")));
    // "Şimdi Eşitle" tries again at once; the new failure comes into the open window.
    const int satir = kutu->blockCount();
    QTest::mouseClick(Test::denetim<QPushButton>(gunluk, "SimdiEsitleDugmesi"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(kutu->blockCount() > satir, 10000);
    // Never a box that stops the user.
    QVERIFY(m_ortam->mesajlar->gosterilenler.isEmpty());

    // The address removed: nothing is published and the button goes.
    TakvimYayini::ayarlariYaz({});
    izleme.ayarlarDegisti();
    QVERIFY(!dugme->isVisible());
}

QTEST_MAIN(TakvimPencereleriTesti)
#include "tst_TakvimPencereleri.moc"

// A database another program holds locked, or a disk that is full: every write says
// so, and nothing the user typed or still has to settle is lost.

#include "TestOrtami.h"

#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/HatirlatmaFormu.h"
#include "ui/AnaForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
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
    void doluDiskteGirdilerKorunur();

private:
    Veritabani *vt() { return OrtakDegiskenler::VeritabaniBag; }
    // Another program takes the database for itself.
    void kilitle()
    {
        QCOMPARE(sqlite3_open(ortam->veritabaniYolu().toUtf8().constData(), &m_baska), SQLITE_OK);
        QCOMPARE(sqlite3_exec(m_baska, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void birak()
    {
        sqlite3_exec(m_baska, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_baska);
        m_baska = nullptr;
    }
    bool kilitMesajiGeldi() const
    {
        const auto m = ortam->mesajlar->metinler();
        return !m.isEmpty() && m.last().startsWith(QStringLiteral("Veritabanı şu anda başka bir program tarafından kullanılıyor"));
    }
    std::unique_ptr<Test::Ortam> ortam;
    sqlite3 *m_baska = nullptr;
};

void KilitliVeritabaniTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
    sqlite3_busy_timeout(vt()->tutamak(), 50);
    vt()->klasorEkle({QStringLiteral("1-Anahtar"), KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
}

void KilitliVeritabaniTesti::cleanup()
{
    if (m_baska)
        birak();
    ortam.reset();
}

void KilitliVeritabaniTesti::editorGirdileriniKorur()
{
    AnaForm ana(false);
    ana.KlasorListesi->setCurrentItem(ana.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    IsEklemeDegistirmeFormu *f = ana.isFormu();
    f->YeniIsEkleDugmesi_Click();
    f->Tag = QStringLiteral("Ekle");
    f->IsinTarihiKutusu->setText(QStringLiteral("07.12.2026"));
    f->SaatKutusu->setCurrentIndex(15);
    f->IsinKonusuKutusu->setEditText(QStringLiteral("Duruşma"));
    f->AciklamaKutusu->setText(QStringLiteral("Uzun uzun yazılmış bir açıklama"));
    f->HatirlatmaVarOnayi->setChecked(true);
    kilitle();
    f->KaydetDugmesi_Click();
    QVERIFY(kilitMesajiGeldi());
    QCOMPARE(ortam->son->sayi, 0);
    // Still editing, with everything the user typed.
    QVERIFY(!f->KaydetDugmesi->isHidden());
    QCOMPARE(f->IsinKonusuKutusu->currentText(), QStringLiteral("Duruşma"));
    QCOMPARE(f->AciklamaKutusu->text(), QStringLiteral("Uzun uzun yazılmış bir açıklama"));
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
    QCOMPARE(f->YapilacakIslerListesi->satirSayisi(), 1);
    QTest::mouseClick(f->IsSonucuSecenekleri[0], Qt::LeftButton);
    kilitle();
    QTest::mouseClick(f->OnaylaDugmesi, Qt::LeftButton);
    QVERIFY(kilitMesajiGeldi());
    // The job is not done in the database, so its row stays to be settled.
    QVERIFY(f->isVisible());
    QCOMPARE(f->YapilacakIslerListesi->satirSayisi(), 1);
    birak();
    QTest::mouseClick(f->OnaylaDugmesi, Qt::LeftButton);
    QVERIFY(vt()->is(no).yapildi);
    QCOMPARE(f->YapilacakIslerListesi->satirSayisi(), 0);
}

void KilitliVeritabaniTesti::klasorIslemleriSoylenir()
{
    AnaForm ana(false);
    const int dugumler = ana.KlasorListesi->tumDugumler().size();
    kilitle();
    ana.YeniKlasorEkle();
    QVERIFY(kilitMesajiGeldi());
    QCOMPARE(ana.KlasorListesi->tumDugumler().size(), dugumler);
    // Deleting a folder: it stays, with its jobs.
    ana.KlasorListesi->setCurrentItem(ana.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    ana.KlasorSil();
    QVERIFY(kilitMesajiGeldi());
    QVERIFY(ana.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    QCOMPARE(ortam->son->sayi, 0);
    birak();
    QCOMPARE(vt()->klasorAdi(QStringLiteral("1-Anahtar")), QStringLiteral("Büro"));
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
        QSKIP("a full disk needs root to mount a small tmpfs");
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
    ana.KlasorListesi->setCurrentItem(ana.KlasorListesi->dugum(QStringLiteral("1-Anahtar")));
    IsEklemeDegistirmeFormu *f = ana.isFormu();
    f->YeniIsEkleDugmesi_Click();
    f->Tag = QStringLiteral("Ekle");
    f->IsinTarihiKutusu->setText(QStringLiteral("07.12.2026"));
    f->SaatKutusu->setCurrentIndex(15);
    f->IsinKonusuKutusu->setEditText(QStringLiteral("Duruşma"));
    const QString aciklama(60000, QLatin1Char('a'));
    f->AciklamaKutusu->setText(aciklama);
    f->HatirlatmaVarOnayi->setChecked(true);
    f->KaydetDugmesi_Click();
    const QStringList m = ortam->mesajlar->metinler();
    QVERIFY2(!m.isEmpty() && m.last().startsWith(QStringLiteral("Diskte yer kalmadı!")), qPrintable(m.join(QLatin1Char('|'))));
    QVERIFY(m.last().contains(ortam->veritabaniYolu()));
    QCOMPARE(ortam->son->sayi, 0);
    QVERIFY(!f->KaydetDugmesi->isHidden());
    QCOMPARE(f->AciklamaKutusu->text(), aciklama);
    // Space freed: the same entries are saved.
    QVERIFY(QFile::remove(dolgu.fileName()));
    f->KaydetDugmesi_Click();
    const auto isler = vt()->isleriListele(QStringLiteral("1-Anahtar"), false, false, QDate(2026, 12, 7));
    QCOMPARE(isler.size(), size_t(1));
    QCOMPARE(isler[0].aciklama, aciklama);
}

QTEST_MAIN(KilitliVeritabaniTesti)
#include "tst_KilitliVeritabani.moc"

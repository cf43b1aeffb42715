// One desk of an office on the real PostgreSQL server, another desk changing things
// beside it (a second connection): the tree follows, and a job saved into a folder the
// other desk deleted is refused, the entries kept. The test command starts a private
// server and names it in ZELVORA_TEST_SUNUCU; without it the cases are skipped (and
// fail under CI).

#include "TestOrtami.h"

#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <libpq-fe.h>

#include <memory>

using namespace Zelvora;

class OfisMasasiTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void agacObekiMasayiIzler();
    void silinmisKlasoreIsKaydedilmez();

private:
    void sunucudaCalistir(const char *sql)
    {
        PGconn *c = PQconnectdb(m_sunucu.toUtf8().constData());
        QCOMPARE(PQstatus(c), CONNECTION_OK);
        PGresult *r = PQexec(c, sql);
        const ExecStatusType durum = PQresultStatus(r);
        QVERIFY2(durum == PGRES_COMMAND_OK || durum == PGRES_TUPLES_OK, PQerrorMessage(c));
        PQclear(r);
        PQfinish(c);
    }
    std::unique_ptr<Test::Ortam> m_ortam;
    std::unique_ptr<Veritabani> m_masa, m_oteki;
    QString m_sunucu;
};

void OfisMasasiTesti::init()
{
    m_ortam = std::make_unique<Test::Ortam>();
    m_sunucu = qEnvironmentVariable("ZELVORA_TEST_SUNUCU");
    if (m_sunucu.isEmpty())
        ZELVORA_CALISAMAZ("no test server (the test command starts one and sets ZELVORA_TEST_SUNUCU)");
    sunucudaCalistir("TRUNCATE \"YapilacakIslerTablosu\", \"KlasorBilgileriTablosu\" RESTART IDENTITY");
    m_masa = Veritabani::sunucuyaBaglan(m_sunucu);
    m_oteki = Veritabani::sunucuyaBaglan(m_sunucu);
    Veritabani::acikAyarla(m_masa.get());
}

void OfisMasasiTesti::cleanup()
{
    Veritabani::acikAyarla(nullptr);
    m_masa.reset();
    m_oteki.reset();
    m_ortam.reset();
}

void OfisMasasiTesti::agacObekiMasayiIzler()
{
    const QString ust = m_oteki->yeniKlasorEkle(QStringLiteral("Klasor"), QStringLiteral("Dava dosyaları"), QString());
    AnaForm f(false);
    KlasorAgaci *agac = Test::denetim<KlasorAgaci>(&f, "KlasorListesi");
    agac->setCurrentItem(agac->dugum(ust));
    // Added, renamed, moved under another folder, deleted on the other desk: followed
    // within 2 s, the selection kept.
    const QString alt = m_oteki->yeniKlasorEkle(QStringLiteral("Klasor"), QStringLiteral("Yeni"), QString());
    QTRY_VERIFY_WITH_TIMEOUT(agac->dugum(alt), 2000);
    m_oteki->klasorAdiDegistir(alt, QStringLiteral("Yeni adı"));
    QTRY_COMPARE_WITH_TIMEOUT(agac->dugum(alt)->text(0), QStringLiteral("Yeni adı"), 2000);
    m_oteki->calistir(("UPDATE \"KlasorBilgileriTablosu\" SET \"Bagi\" = '" + ust.toLatin1() + "' WHERE \"Anahtari\" = '"
                       + alt.toLatin1() + "'")
                          .constData());
    QTRY_COMPARE_WITH_TIMEOUT(agac->dugum(alt)->parent(), agac->dugum(ust), 2000);
    QCOMPARE(f.seciliAnahtar(), ust);
    m_oteki->klasorVeIsleriniSil(alt);
    QTRY_VERIFY_WITH_TIMEOUT(!agac->dugum(alt), 2000);
    QCOMPARE(f.seciliAnahtar(), ust);
    // A folder of this desk's tree that the other desk gave a sub-folder is not deleted
    // here: the server says so with the usual message, and the tree shows the sub-folder.
    const QString yeniAlt = m_oteki->yeniKlasorEkle(ust, QStringLiteral("Başka masanın"), QString());
    m_ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    f.KlasorSil(); // the tree may not have followed yet: then the server refuses
    QVERIFY(!m_masa->klasorAdi(ust).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(agac->dugum(yeniAlt), 2000);
    QVERIFY(m_ortam->mesajlar->metinler().contains(
        QStringLiteral("Seçtiğiniz klasörün 'Alt Klasör'leri olduğu için silinemiyor!")));
    QCOMPARE(m_ortam->son->sayi, 0);
}

void OfisMasasiTesti::silinmisKlasoreIsKaydedilmez()
{
    const QString klasor = m_oteki->yeniKlasorEkle(QStringLiteral("Klasor"), QStringLiteral("Gidecek"), QString());
    AnaForm f(false);
    KlasorAgaci *agac = Test::denetim<KlasorAgaci>(&f, "KlasorListesi");
    agac->setCurrentItem(agac->dugum(klasor));
    IsEklemeDegistirmeFormu editor;
    editor.ekle(klasor, QStringLiteral("Yapılacak İş Ekleme (Gidecek)"));
    editor.isiDoldur(QStringLiteral("10.12.2026"), QStringLiteral("10:00"), QStringLiteral("Duruşma"), QString(), QString(),
                     QString(), true);
    // The editor's folder goes on the other desk while the job is typed.
    m_oteki->klasorVeIsleriniSil(klasor);
    bool klasorYok = false;
    connect(&editor, &IsEklemeDegistirmeFormu::klasorBulunamadi, this, [&] { klasorYok = true; });
    editor.KaydetDugmesi_Click();
    QVERIFY(klasorYok);
    QCOMPARE(m_ortam->son->sayi, 0);
    const QString metin = m_ortam->mesajlar->metinler().value(0);
    QVERIFY2(metin.contains(QStringLiteral("klasör artık yok")) && metin.contains(QStringLiteral("yerinde duruyor")),
             qPrintable(metin));
    QCOMPARE(m_ortam->mesajlar->gosterilenler.value(0).simge, MesajSimgesi::Bilgi);
    QVERIFY(m_masa->isleriListele(QString(), true, false, QDate()).empty());
    // Still editing, the entries kept.
    QVERIFY(Test::denetim<QPushButton>(&editor, "KaydetDugmesi")->isVisibleTo(&editor));
    QCOMPARE(Test::denetim<QComboBox>(&editor, "IsinKonusuKutusu")->currentText(), QStringLiteral("Duruşma"));
    QCOMPARE(Test::denetim<QLineEdit>(&editor, "IsinTarihiKutusu")->text(), QStringLiteral("10.12.2026"));
}

QTEST_MAIN(OfisMasasiTesti)
#include "tst_OfisMasasi.moc"

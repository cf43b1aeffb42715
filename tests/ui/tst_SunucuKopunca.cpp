// The main window on an office server whose connection breaks while nobody is at the
// desk: the status bar says so, the reminder scan shows no box and goes on, and once the
// network is back the desk reminds by itself what came due meanwhile; and a job whose
// save reached the server but whose reply was lost is stored once when the user saves
// again. The network is a
// TCP proxy of the test's own in front of the private server (ZELVORA_TEST_SUNUCU).
#include "TcpAracisi.h"
#include "TestOrtami.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "reminders/HatirlatmaFormu.h"
#include "ui/AnaForm.h"
#include "ui/SunucuIzleme.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QLabel>
#include <QRegularExpression>
#include <QtTest>

#include <libpq-fe.h>

#include <memory>

using namespace Zelvora;

class SunucuKopuncaTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void kimseYokkenGeriGelirVeHatirlatir();
    void kayipYanittaIsBirKezKaydedilir();

private:
    // The jobs the server holds, read beside the desk.
    int sunucudakiIsSayisi(const char *kosul = "true");
    void sunucudaCalistir(const char *sql) { Test::sunucudaCalistir(m_sunucu, sql); }
    std::unique_ptr<Test::Ortam> m_ortam;
    std::unique_ptr<Test::TcpAracisi> m_araci;
    std::unique_ptr<Veritabani> m_vt;
    QString m_sunucu;
};

void SunucuKopuncaTesti::init()
{
    m_ortam = std::make_unique<Test::Ortam>();
    m_sunucu = qEnvironmentVariable("ZELVORA_TEST_SUNUCU");
    if (m_sunucu.isEmpty())
        ZELVORA_CALISAMAZ("no test server (the test command starts one and sets ZELVORA_TEST_SUNUCU)");
    const auto deger = [&](const char *ad) {
        return QRegularExpression(QLatin1String(ad) + QStringLiteral("=(\\S+)")).match(m_sunucu).captured(1);
    };
    m_araci = std::make_unique<Test::TcpAracisi>(deger("host"));
    sunucudaCalistir("TRUNCATE \"YapilacakIslerTablosu\", \"KlasorBilgileriTablosu\" RESTART IDENTITY CASCADE");
    sunucudaCalistir("INSERT INTO \"KlasorBilgileriTablosu\" VALUES ('1-Anahtar', 'Klasor', 'Büro')");
    m_vt = Veritabani::sunucuyaBaglan(QStringLiteral("host=127.0.0.1 port=%1 user=%2 dbname=%3 sslmode=disable")
                                          .arg(m_araci->port())
                                          .arg(deger("user"), deger("dbname")));
    Veritabani::acikAyarla(m_vt.get());
}

void SunucuKopuncaTesti::cleanup()
{
    Veritabani::acikAyarla(nullptr);
    m_vt.reset();
    m_araci.reset();
    m_ortam.reset();
}

void SunucuKopuncaTesti::kimseYokkenGeriGelirVeHatirlatir()
{
    AnaForm ana(false);
    auto *durum = Test::denetim<QLabel>(&ana, "SunucuDurumu");
    QVERIFY(durum->isHidden());

    // The reminder window the scan brings up is recorded and closed, as a user would.
    int hatirlatilan = -1;
    QTimer nobet;
    nobet.setInterval(20);
    connect(&nobet, &QTimer::timeout, this, [&] {
        if (auto *f = qobject_cast<HatirlatmaFormu *>(QApplication::activeModalWidget()); f && f->isVisible()) {
            hatirlatilan = f->satirSayisi();
            f->reject();
        }
    });
    nobet.start();

    // The network breaks the connection and takes no new one: the status bar says so.
    m_araci->kipAyarla(Test::TcpAracisi::Kip::Kapat);
    m_araci->hepsiniKes();
    QTRY_VERIFY_WITH_TIMEOUT(!durum->isHidden(), 3000);
    QVERIFY(durum->text().startsWith(QStringLiteral("Sunucuya ulaşılamıyor")));
    QCOMPARE(durum->accessibleName(), durum->text());
    QVERIFY(!durum->toolTip().isEmpty());

    // Meanwhile a job comes due; the scans (the timer's and a listing asked for directly)
    // fail without a box and leave the next scan armed.
    m_ortam->saat->an = QDateTime(QDate(2026, 12, 7), QTime(14, 35, 20));
    sunucudaCalistir("INSERT INTO \"YapilacakIslerTablosu\"(\"Anahtari\", \"IsinTarihi\", \"IsinSaati\", \"IsinKonusu\", "
                     "\"Hatirlatma\") VALUES ('1-Anahtar', '2026-12-07', '14:30', 'Kesintide Gelen', true)");
    ana.YapilacakIsKontrolu_Timer();
    ana.HatirlatilacakIsleriListele();
    QTest::qWait(300);
    QCOMPARE(m_ortam->mesajlar->metinler(), QStringList());
    QCOMPARE(hatirlatilan, -1);
    auto *tarama = ana.findChild<QTimer *>(QStringLiteral("YapilacakIsKontrolu"));
    QVERIFY(tarama && tarama->isActive());

    // The network is back: within 5 s, with nobody at the desk, the status bar is clear
    // and the job that came due is reminded.
    m_araci->kipAyarla(Test::TcpAracisi::Kip::Ilet);
    QElapsedTimer sure;
    sure.start();
    QTRY_VERIFY_WITH_TIMEOUT(hatirlatilan >= 0, 5000);
    QVERIFY2(sure.elapsed() < 5000, qPrintable(QString::number(sure.elapsed())));
    QCOMPARE(hatirlatilan, 1);
    QTRY_VERIFY_WITH_TIMEOUT(durum->isHidden(), 1000);
    // (The only box: the reminder window's own question when it is closed unsettled.)
    for (const QString &m : m_ortam->mesajlar->metinler())
        QVERIFY2(m.startsWith(QStringLiteral("Şimdi bu pencereyi kapatırsanız")), qPrintable(m));
    QVERIFY(Veritabani::acik().baglantiVar());
}

int SunucuKopuncaTesti::sunucudakiIsSayisi(const char *kosul)
{
    PGconn *c = PQconnectdb(m_sunucu.toUtf8().constData());
    PGresult *r = PQexec(c, (QByteArray("SELECT count(*) FROM \"YapilacakIslerTablosu\" WHERE ") + kosul).constData());
    const int n = PQresultStatus(r) == PGRES_TUPLES_OK ? QByteArray(PQgetvalue(r, 0, 0)).toInt() : -1;
    PQclear(r);
    PQfinish(c);
    return n;
}

void SunucuKopuncaTesti::kayipYanittaIsBirKezKaydedilir()
{
    AnaForm ana(false);
    IsEklemeDegistirmeFormu editor;
    editor.ekle(QStringLiteral("1-Anahtar"), QStringLiteral("Yapılacak İş Ekleme (Büro)"));
    editor.isiDoldur(QStringLiteral("10.12.2026"), QStringLiteral("10:00"), QStringLiteral("Duruşma"), QString(), QString(),
                     QString(), true);
    // The INSERT reaches the server and is stored; its reply is lost and the connection
    // breaks. The user is told, the entries stay.
    m_araci->yanitiKaybet("INSERT INTO");
    editor.KaydetDugmesi_Click();
    QVERIFY(m_araci->yanitKaybedildi());
    QCOMPARE(sunucudakiIsSayisi(), 1);
    QCOMPARE(m_ortam->mesajlar->metinler().size(), 1);
    QVERIFY(Test::denetim<QPushButton>(&editor, "KaydetDugmesi")->isVisibleTo(&editor));
    QCOMPARE(Test::denetim<QComboBox>(&editor, "IsinKonusuKutusu")->currentText(), QStringLiteral("Duruşma"));
    // The second "Kaydet", over a new connection, finds the row by the job's token and
    // stores the entries there: still one job, as typed.
    Test::denetim<QComboBox>(&editor, "IsinKonusuKutusu")->setEditText(QStringLiteral("Duruşma saati"));
    editor.KaydetDugmesi_Click();
    QCOMPARE(m_ortam->mesajlar->metinler().size(), 1);
    QCOMPARE(sunucudakiIsSayisi(), 1);
    QCOMPARE(sunucudakiIsSayisi("lower(\"IsinKonusu\") = 'duruşma saati' AND \"KayitBelirteci\" IS NOT NULL"), 1);
    QCOMPARE(m_ortam->son->sayi, 0);
}

QTEST_MAIN(SunucuKopuncaTesti)
#include "tst_SunucuKopunca.moc"

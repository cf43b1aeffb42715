// The SQLite statement and connection wrapper: binding, reading, reuse and errors.

#include "core/OrtakYordamlar.h"
#include "core/SqliteDeyim.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace Zelvora;
using Sqlite::Baglanti;
using Sqlite::Deyim;

class SqliteDeyimTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void degerlerGidipGelir();
    void sifirlananDeyimYenidenCalisir();
    void hatalarSqliteninMesajiyla();
    void baglantiAcilirVeDevredilir();

private:
    QTemporaryDir m_klasor;
    QString m_yol;
};

void SqliteDeyimTesti::init()
{
    QVERIFY(m_klasor.isValid());
    m_yol = m_klasor.filePath(QStringLiteral("deneme.vtb"));
    QFile::remove(m_yol);
}

void SqliteDeyimTesti::degerlerGidipGelir()
{
    Baglanti b(m_yol, Baglanti::Kip::Olustur);
    b.calistir("CREATE TABLE T(a, b, c, d, e, f, g, h)");
    {
        Deyim d(b.tutamak(), "INSERT INTO T VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
        d.bagla(1, QStringLiteral("Işık, İğdır ve ’"))
            .bagla(2, QString())              // null text: NULL
            .bagla(3, QStringLiteral(""))     // empty text stays a text
            .bagla(4, 42)
            .bagla(5, qint64(1) << 40)
            .bagla(6, true)
            .bagla(7, nullptr)
            .bagla(8, "düz");                 // a C string binds a text, never the bool
        d.calistir();
    }
    Deyim d(b.tutamak(), "SELECT a, b, c, typeof(c), d, e, f, g, h, typeof(h) FROM T");
    QVERIFY(d.adim());
    QCOMPARE(d.sutunSayisi(), 10);
    QCOMPARE(d.metin(0), QStringLiteral("Işık, İğdır ve ’"));
    QVERIFY(d.ham(0) == QStringLiteral("Işık, İğdır ve ’").toUtf8());
    QVERIFY(d.bosMu(1));
    QVERIFY(d.metin(1).isNull());
    QVERIFY(d.ham(1).isNull());
    QVERIFY(!d.bosMu(2));
    QCOMPARE(d.metin(3), QStringLiteral("text"));
    QCOMPARE(d.sayi(4), qint64(42));
    QCOMPARE(d.sayi(5), qint64(1) << 40);
    QVERIFY(d.mantiksal(6));
    QCOMPARE(d.sayi(6), qint64(1));
    QVERIFY(d.bosMu(7));
    QVERIFY(!d.mantiksal(7));
    QCOMPARE(d.metin(8), QStringLiteral("düz"));
    QCOMPARE(d.metin(9), QStringLiteral("text"));
    QVERIFY(!d.adim());
}

void SqliteDeyimTesti::sifirlananDeyimYenidenCalisir()
{
    Baglanti b(m_yol, Baglanti::Kip::Olustur);
    b.calistir("CREATE TABLE T(a); INSERT INTO T VALUES(1), (2), (3);");
    Deyim d(b.tutamak(), "SELECT count(*) FROM T WHERE ?1 IS NULL OR a >= ?1", true);
    d.bagla(1, 2);
    QVERIFY(d.adim());
    QCOMPARE(d.sayi(0), qint64(2));
    // From the start again, and the parameter left unbound is NULL once more.
    d.sifirla();
    QVERIFY(d.adim());
    QCOMPARE(d.sayi(0), qint64(3));
    QVERIFY(!d.adim());
}

void SqliteDeyimTesti::hatalarSqliteninMesajiyla()
{
    Baglanti b(m_yol, Baglanti::Kip::Olustur);
    b.calistir("CREATE TABLE T(a PRIMARY KEY)");
    // A statement that does not prepare.
    try {
        Deyim d(b.tutamak(), "SELEC a FROM T");
        QFAIL("prepared");
    } catch (const Hata &h) {
        QVERIFY2(h.aciklama().contains(QLatin1String("syntax error")), qPrintable(h.aciklama()));
        QCOMPARE(QFileInfo(h.dosya()), QFileInfo(m_yol));
    }
    // A step that fails tells SQLite's reason; a missing table is said as such.
    b.calistir("INSERT INTO T VALUES(1)");
    Deyim ekle(b.tutamak(), "INSERT INTO T VALUES(?)");
    ekle.bagla(1, 1);
    try {
        ekle.calistir();
        QFAIL("inserted twice");
    } catch (const Hata &h) {
        QVERIFY2(h.aciklama().contains(QLatin1String("UNIQUE constraint failed")), qPrintable(h.aciklama()));
    }
    try {
        b.calistir("SELECT 1; DELETE FROM Yok");
        QFAIL("ran");
    } catch (const Hata &h) {
        QCOMPARE(h.numara(), HataNo::TabloYok);
        QVERIFY(h.aciklama().contains(QLatin1String("no such table: Yok")));
    }
}

void SqliteDeyimTesti::baglantiAcilirVeDevredilir()
{
    // A file that is not there does not open for reading, nor for writing without Olustur.
    const QString yok = m_klasor.filePath(QStringLiteral("yok.vtb"));
    QVERIFY_THROWS_EXCEPTION(Hata, Baglanti(yok, Baglanti::Kip::SaltOkunur));
    QVERIFY_THROWS_EXCEPTION(Hata, Baglanti(yok, Baglanti::Kip::OkumaYazma));
    QVERIFY(!QFileInfo::exists(yok));
    // A read-only connection refuses writes with the read-only number.
    { Baglanti(m_yol, Baglanti::Kip::Olustur).calistir("CREATE TABLE T(a)"); }
    Baglanti salt(m_yol, Baglanti::Kip::SaltOkunur);
    try {
        salt.calistir("INSERT INTO T VALUES(1)");
        QFAIL("wrote");
    } catch (const Hata &h) {
        QCOMPARE(h.numara(), HataNo::SaltOkunur);
    }
    // Handed over, the connection outlives its first owner.
    sqlite3 *db = nullptr;
    {
        Baglanti b(m_yol, Baglanti::Kip::OkumaYazma);
        db = b.birak();
        QVERIFY(!b.tutamak());
    }
    Sqlite::calistir(db, "INSERT INTO T VALUES(7)");
    {
        Deyim d(db, "SELECT a FROM T");
        QVERIFY(d.adim());
        QCOMPARE(d.sayi(0), qint64(7));
    }
    // Whoever holds it now closes it.
    QCOMPARE(sqlite3_close(db), SQLITE_OK);
}

QTEST_GUILESS_MAIN(SqliteDeyimTesti)
#include "tst_SqliteDeyim.moc"

// Damaged, foreign and odd files where the database should be, each taken through the
// real start-up on a day the backup is due: every one is refused with a message, opened
// sound, or (a database of ours missing a table or in another shape) replaced from the
// backup with the damaged file kept aside; none hangs, and none changes the file or the
// backup unless the file was recovered. Also a backup starved by a busy writer.

#include "TestOrtami.h"

#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"
#include "ui/AnaForm.h"
#include "ui/BaslangicModulu.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtTest>

#include <sqlite3.h>
#include <sys/stat.h>

using namespace Zelvora;

namespace {

// Yedekten: the backup is offered and copied in; the damaged file is kept beside it.
enum class Beklenen { Acilir, Reddedilir, Yedekten, Herhangi };

struct Durum {
    const char *ad;
    Beklenen beklenen;
    std::function<void(const QString &vt, const QString &yedek)> hazirla;
};

QByteArray oku(const QString &yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void yaz(const QString &yol, const QByteArray &icerik)
{
    QFile::remove(yol);
    QFile f(yol);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(icerik);
}

void sql(const QString &yol, const char *metin)
{
    Sqlite::Baglanti(yol, Sqlite::Baglanti::Kip::Olustur).calistir(metin);
}

// A database of ours with enough jobs to fill several pages (made once).
QByteArray iyiVeritabani(const QString &klasor)
{
    static QByteArray icerik;
    if (icerik.isEmpty()) {
        const QString yol = klasor + QStringLiteral("/iyi.vtb");
        Veritabani::bosOlustur(yol);
        {
            auto v = Veritabani::ac(yol);
            v->calistir("BEGIN");
            v->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Büro")});
            for (int i = 0; i < 200; ++i)
                v->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 1).addDays(i % 30), QTime(9, i % 60),
                           QStringLiteral("Duruşma ") + QString::number(i), QStringLiteral("Adliye"), QString::number(i),
                           QString(150, QLatin1Char('x')), true, false});
            v->calistir("COMMIT");
        }
        icerik = oku(yol);
    }
    return icerik;
}

QByteArray baytDegistir(QByteArray b, qsizetype konum)
{
    if (konum < b.size())
        b[konum] = char(b.at(konum) ^ 0x5A);
    return b;
}

QByteArray rastgele(int boy)
{
    QByteArray b(boy, Qt::Uninitialized);
    for (char &c : b)
        c = char(QRandomGenerator::global()->bounded(256));
    return b;
}

// The state of a path: its kind and, for a file, its bytes.
QByteArray izi(const QString &yol)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(yol).constData(), &st) != 0)
        return "yok";
    if (S_ISLNK(st.st_mode))
        return "bag:" + QFile::symLinkTarget(yol).toUtf8();
    if (S_ISDIR(st.st_mode))
        return "klasor";
    if (S_ISFIFO(st.st_mode))
        return "fifo";
    return QCryptographicHash::hash(oku(yol), QCryptographicHash::Sha256).toHex();
}

bool saglam(const QString &yol)
{
    try {
        Sqlite::Baglanti b(yol, Sqlite::Baglanti::Kip::SaltOkunur);
        Sqlite::Deyim d(b.tutamak(), "PRAGMA integrity_check");
        return d.adim() && d.metin(0) == QStringLiteral("ok");
    } catch (const Hata &) {
        return false;
    }
}

// A crash in the middle of a save: the database part written, with its hot journal.
void yarimKayit(const QString &vt, const QString &klasor)
{
    const QString asil = klasor + QStringLiteral("/asil.vtb");
    yaz(asil, iyiVeritabani(klasor));
    sqlite3 *db = nullptr;
    sqlite3_open(asil.toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA cache_size=1; BEGIN; DELETE FROM YapilacakIslerTablosu WHERE IsNo % 2 = 0;", nullptr,
                 nullptr, nullptr);
    for (int i = 0; i < 100; ++i)
        sqlite3_exec(db, "INSERT INTO YapilacakIslerTablosu(Anahtari, Aciklama) VALUES('1-Anahtar', hex(randomblob(300)));",
                     nullptr, nullptr, nullptr);
    QFile::remove(vt);
    QFile::copy(asil, vt);
    QFile::copy(asil + QStringLiteral("-journal"), vt + QStringLiteral("-journal"));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

class HasarliDosyalarTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void baslangic_data();
    void baslangic();
    void mesgulYaziciYedegiBekletir();

private:
    static QList<Durum> durumlar();
};

QList<Durum> HasarliDosyalarTesti::durumlar()
{
    auto klasorOf = [](const QString &vt) { return QFileInfo(vt).absolutePath(); };
    QList<Durum> l;
    auto ekle = [&](const char *ad, Beklenen b, std::function<void(const QString &, const QString &)> f) {
        l.append({ad, b, std::move(f)});
    };
    const auto R = Beklenen::Reddedilir;
    const auto A = Beklenen::Acilir;
    const auto H = Beklenen::Herhangi;
    const auto Y = Beklenen::Yedekten;
    ekle("sifir uzunluk", R, [](const QString &vt, const QString &) { yaz(vt, QByteArray()); });
    ekle("rastgele 1 KB", R, [](const QString &vt, const QString &) { yaz(vt, rastgele(1024)); });
    ekle("rastgele 64 KB", R, [](const QString &vt, const QString &) { yaz(vt, rastgele(65536)); });
    ekle("metin dosyasi", R, [](const QString &vt, const QString &) { yaz(vt, QByteArray("Ankara\n").repeated(2000)); });
    ekle("8 MB sifir", R, [](const QString &vt, const QString &) { yaz(vt, QByteArray(8 << 20, '\0')); });
    ekle("yalniz baslik", R, [=](const QString &vt, const QString &) { yaz(vt, iyiVeritabani(klasorOf(vt)).left(100)); });
    ekle("ilk sayfa", H, [=](const QString &vt, const QString &) { yaz(vt, iyiVeritabani(klasorOf(vt)).left(4096)); });
    ekle("yarisi", R, [=](const QString &vt, const QString &) {
        const QByteArray b = iyiVeritabani(klasorOf(vt));
        yaz(vt, b.left(b.size() / 2));
    });
    ekle("son sayfa eksik", R, [=](const QString &vt, const QString &) {
        const QByteArray b = iyiVeritabani(klasorOf(vt));
        yaz(vt, b.left(b.size() - 4096));
    });
    ekle("bicim baytlari", R, [=](const QString &vt, const QString &) {
        yaz(vt, baytDegistir(baytDegistir(iyiVeritabani(klasorOf(vt)), 18), 19));
    });
    ekle("sayfa boyu", R, [=](const QString &vt, const QString &) { yaz(vt, baytDegistir(iyiVeritabani(klasorOf(vt)), 16)); });
    ekle("sema sayfasi", H, [=](const QString &vt, const QString &) { yaz(vt, baytDegistir(iyiVeritabani(klasorOf(vt)), 150)); });
    for (int sayfa : {2, 3, 5, 8, 13}) {
        static QByteArray adlar[5];
        const int i = sayfa == 2 ? 0 : sayfa == 3 ? 1 : sayfa == 5 ? 2 : sayfa == 8 ? 3 : 4;
        adlar[i] = "sayfa " + QByteArray::number(sayfa) + " basinda bir bayt";
        ekle(adlar[i].constData(), H, [=](const QString &vt, const QString &) {
            yaz(vt, baytDegistir(iyiVeritabani(klasorOf(vt)), qsizetype(sayfa - 1) * 4096 + 1));
        });
    }
    ekle("sayfa ortasinda bir bayt", H, [=](const QString &vt, const QString &) {
        const QByteArray b = iyiVeritabani(klasorOf(vt));
        yaz(vt, baytDegistir(b, b.size() / 2 + 7));
    });
    ekle("baska program", R, [](const QString &vt, const QString &) {
        QFile::remove(vt);
        sql(vt, "CREATE TABLE Kisiler(ad, soyad); INSERT INTO Kisiler VALUES('a','b');");
    });
    ekle("bizim adlar baska sutunlar", Y, [](const QString &vt, const QString &) {
        QFile::remove(vt);
        sql(vt, "CREATE TABLE KlasorBilgileriTablosu(a, b); CREATE TABLE YapilacakIslerTablosu(c, d);");
    });
    ekle("tek tablo", Y, [](const QString &vt, const QString &) {
        QFile::remove(vt);
        sql(vt, "CREATE TABLE KlasorBilgileriTablosu(Anahtari, Bagi, Adi);");
    });
    ekle("tablo yerine gorunum", Y, [](const QString &vt, const QString &) {
        QFile::remove(vt);
        sql(vt, "CREATE TABLE K(Anahtari, Bagi, Adi); CREATE VIEW KlasorBilgileriTablosu AS SELECT * FROM K;"
                "CREATE TABLE YapilacakIslerTablosu(IsNo INTEGER PRIMARY KEY, Anahtari, IsinTarihi, IsinSaati, IsinKonusu,"
                " IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi);");
    });
    ekle("fazla sutunlu", A, [](const QString &vt, const QString &) {
        QFile::remove(vt);
        sql(vt, "CREATE TABLE KlasorBilgileriTablosu(Anahtari TEXT(255) PRIMARY KEY, Bagi TEXT(255), Adi, Renk);"
                "CREATE TABLE YapilacakIslerTablosu(IsNo INTEGER PRIMARY KEY AUTOINCREMENT, Anahtari, IsinTarihi, IsinSaati,"
                " IsinKonusu, IsinYeri, IsinSayisi, Aciklama, Hatirlatma, IsYapildi, Etiket);");
    });
    ekle("WAL kipinde", A, [=](const QString &vt, const QString &) {
        yaz(vt, iyiVeritabani(klasorOf(vt)));
        sql(vt, "PRAGMA journal_mode=WAL;");
    });
    ekle("klasor", R, [](const QString &vt, const QString &) {
        QFile::remove(vt);
        QDir().mkdir(vt);
    });
    ekle("FIFO", R, [](const QString &vt, const QString &) {
        QFile::remove(vt);
        ::mkfifo(QFile::encodeName(vt).constData(), 0600);
    });
    ekle("bosluga bag", R, [=](const QString &vt, const QString &) {
        QFile::remove(vt);
        QFile::link(klasorOf(vt) + QStringLiteral("/hic-yok.vtb"), vt);
    });
    ekle("klasore bag", R, [=](const QString &vt, const QString &) {
        QFile::remove(vt);
        QFile::link(klasorOf(vt), vt);
    });
    ekle("FIFOya bag", R, [=](const QString &vt, const QString &) {
        QFile::remove(vt);
        ::mkfifo(QFile::encodeName(klasorOf(vt) + QStringLiteral("/boru")).constData(), 0600);
        QFile::link(klasorOf(vt) + QStringLiteral("/boru"), vt);
    });
    ekle("saglam dosyaya bag", A, [=](const QString &vt, const QString &) {
        const QString gercek = klasorOf(vt) + QStringLiteral("/gercek.vtb");
        yaz(gercek, iyiVeritabani(klasorOf(vt)));
        QFile::remove(vt);
        QFile::link(gercek, vt);
    });
    ekle("sicak gunluk", A, [=](const QString &vt, const QString &) { yarimKayit(vt, klasorOf(vt)); });
    ekle("cop gunluk", A, [=](const QString &vt, const QString &) {
        yaz(vt, iyiVeritabani(klasorOf(vt)));
        yaz(vt + QStringLiteral("-journal"), rastgele(3000));
    });
    ekle("bos gunluk", A, [=](const QString &vt, const QString &) {
        yaz(vt, iyiVeritabani(klasorOf(vt)));
        yaz(vt + QStringLiteral("-journal"), QByteArray());
    });
    ekle("sifirli gunluk", A, [=](const QString &vt, const QString &) {
        yaz(vt, iyiVeritabani(klasorOf(vt)));
        yaz(vt + QStringLiteral("-journal"), QByteArray(8192, '\0'));
    });
    ekle("gunluk yerine klasor", H, [=](const QString &vt, const QString &) {
        yaz(vt, iyiVeritabani(klasorOf(vt)));
        QDir().mkdir(vt + QStringLiteral("-journal"));
    });
    ekle("sicak gunluk, veritabani bozuk", H, [=](const QString &vt, const QString &) {
        yarimKayit(vt, klasorOf(vt));
        yaz(vt, baytDegistir(oku(vt), 4096 * 2 + 100));
    });
    // No database: what start-up makes of the backup and the template.
    ekle("veritabani yok, yedek bozuk", R, [](const QString &vt, const QString &yedek) {
        QFile::remove(vt);
        yaz(yedek, rastgele(20000));
    });
    ekle("veritabani yok, yedek FIFO", R, [](const QString &vt, const QString &yedek) {
        QFile::remove(vt);
        QFile::remove(yedek);
        ::mkfifo(QFile::encodeName(yedek).constData(), 0600);
    });
    ekle("veritabani yok, yedek klasor", R, [](const QString &vt, const QString &yedek) {
        QFile::remove(vt);
        QFile::remove(yedek);
        QDir().mkdir(yedek);
    });
    ekle("hicbiri yok, sablon FIFO", R, [](const QString &vt, const QString &yedek) {
        QFile::remove(vt);
        QFile::remove(yedek);
        QFile::remove(Baslangic::sablonYolu());
        ::mkfifo(QFile::encodeName(Baslangic::sablonYolu()).constData(), 0600);
    });
    ekle("hicbiri yok, sablon bozuk", R, [](const QString &vt, const QString &yedek) {
        QFile::remove(vt);
        QFile::remove(yedek);
        yaz(Baslangic::sablonYolu(), rastgele(5000));
    });
    return l;
}

void HasarliDosyalarTesti::baslangic_data()
{
    QTest::addColumn<int>("sira");
    const auto l = durumlar();
    for (int i = 0; i < l.size(); ++i)
        QTest::newRow(l[i].ad) << i;
}

void HasarliDosyalarTesti::baslangic()
{
    QFETCH(int, sira);
    const Durum d = durumlar().at(sira);
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    ortam.sablonYaz();
    const QString vt = ortam.veritabaniYolu();
    const QString yedek = Baslangic::yedekYolu();
    // Yesterday's good backup; the database last changed the day before, so a backup is due.
    QDir().mkpath(Baslangic::yedekKlasoru());
    yaz(yedek, iyiVeritabani(ortam.klasor.path()));
    {
        QFile y(yedek);
        QVERIFY(y.open(QIODevice::ReadWrite));
        y.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    }
    d.hazirla(vt, yedek);
    if (NormalDosyaMi(vt) && !QFileInfo(vt).isSymLink()) {
        QFile f(vt);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime);
    }
    const QByteArray vtOnce = izi(vt);
    const QByteArray yedekOnce = izi(yedek);
    const bool gunlukVardi = YolDoluMu(vt + QStringLiteral("-journal"));
    ortam.mesajlar->cevaplar = {MesajCevabi::Evet}; // restore from the backup, when asked

    AnaForm *f = BaslangicModulu::Main({QStringLiteral("-Simge")});
    const bool acildi = f != nullptr;
    delete f;
    Baslangic::veritabaniniKapat();

    const QStringList mesajlar = ortam.mesajlar->metinler();
    const QString kenara = vt + QStringLiteral(".bozuk");
    const bool kenaraAlindi = YolDoluMu(kenara);
    if (d.beklenen == Beklenen::Acilir || d.beklenen == Beklenen::Yedekten)
        QVERIFY2(acildi, qPrintable(mesajlar.join(QLatin1Char('|'))));
    if (d.beklenen == Beklenen::Reddedilir)
        QVERIFY2(!acildi, "a file that is not a sound database of ours was opened");
    QCOMPARE(kenaraAlindi, d.beklenen == Beklenen::Yedekten);
    if (kenaraAlindi) {
        // Asked first, naming where the damaged file is kept; kept as it was; the
        // backup's jobs are back.
        QVERIFY(acildi);
        QVERIFY(!mesajlar.isEmpty());
        QVERIFY2(mesajlar.first().contains(QLatin1Char('"') + kenara + QLatin1Char('"'))
                     && mesajlar.first().endsWith(QStringLiteral("Yedekten oluşturulsun mu?")),
                 qPrintable(mesajlar.first()));
        QCOMPARE(izi(kenara), vtOnce);
        QVERIFY(saglam(vt));
        QCOMPARE(Veritabani::ac(vt)->isListesi(Veritabani::ListeKipi::Tumu, QDate()).size(), size_t(200));
        QVERIFY(saglam(yedek));
    } else if (acildi) {
        // Opened sound, and the backup written from it is sound too.
        QVERIFY(saglam(vt));
        if (izi(yedek) != yedekOnce)
            QVERIFY(saglam(yedek));
        if (!gunlukVardi && izi(vt) != vtOnce)
            QVERIFY2(QFileInfo(vt).isSymLink() || mesajlar.isEmpty(), "an opened file changed");
    } else {
        QVERIFY2(!mesajlar.isEmpty(), "refused without a word");
        QVERIFY(ortam.son->sayi >= 1);
        // Nothing changed: neither the file nor the backup.
        QCOMPARE(izi(vt), vtOnce);
        QCOMPARE(izi(yedek), yedekOnce);
    }
    const QStringList artiklar = QDir(Baslangic::yedekKlasoru()).entryList({QStringLiteral("*.yeni*")});
    QVERIFY2(artiklar.isEmpty(), qPrintable(artiklar.join(QLatin1Char(' '))));
}

void HasarliDosyalarTesti::mesgulYaziciYedegiBekletir()
{
    // Another program keeps writing while the backup wants to read: the backup is
    // reported once, yesterday's stays, and the next start of the day tries again.
    Test::Ortam ortam;
    ortam.saat->an = QDateTime::currentDateTime();
    QDir().mkpath(Baslangic::yedekKlasoru());
    yaz(ortam.veritabaniYolu(), iyiVeritabani(ortam.klasor.path()));
    yaz(Baslangic::yedekYolu(), iyiVeritabani(ortam.klasor.path()));
    for (const QString &y : {ortam.veritabaniYolu(), Baslangic::yedekYolu()}) {
        QFile f(y);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    }
    const QByteArray eski = oku(Baslangic::yedekYolu());
    QVERIFY(Baslangic::veritabaniniAc());
    Sqlite::Baglanti yazici(ortam.veritabaniYolu(), Sqlite::Baglanti::Kip::Olustur);
    yazici.calistir("BEGIN EXCLUSIVE; DELETE FROM YapilacakIslerTablosu WHERE IsNo < 5;");
    QVERIFY(Baslangic::gunlukYedek());
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam.mesajlar->metinler().first().contains(QStringLiteral("başka bir program tarafından kullanılıyor")));
    QCOMPARE(oku(Baslangic::yedekYolu()), eski);
    yazici.calistir("COMMIT");
    yazici.kapat();
    Baslangic::veritabaniniKapat();
    // The writer changed the database today; still, the day's backup is due.
    ortam.mesajlar->temizle();
    QVERIFY(Baslangic::veritabaniniAc());
    QVERIFY(Baslangic::gunlukYedek());
    Baslangic::gunlukYedegiBekle();
    QVERIFY(ortam.mesajlar->gosterilenler.isEmpty());
    QVERIFY(oku(Baslangic::yedekYolu()) != eski);
    QVERIFY(saglam(Baslangic::yedekYolu()));
    Baslangic::veritabaniniKapat();
}

QTEST_MAIN(HasarliDosyalarTesti)
#include "tst_HasarliDosyalar.moc"

// The command line of the built program, run as a user runs it: without a display, in a
// home of its own, on a database the test writes; also while another connection is in
// the middle of a save and while the program itself runs.

#include "core/Veritabani.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <unistd.h>

using namespace Zelvora;

namespace {
struct Sonuc {
    int kod = -1;
    QString cikti, hata;
};
} // namespace

class KomutSatiriTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void yardimSurumVeYanlisSecenekler();
    void gununIsleriYalnizcaOkunarak();
    void kayitSurerkenVeKilitliyken();
    void takvimDosyasinaYalnizcaOkunarak();
    void okunamayanVeritabaniVeSunucu();
    void programCalisirkenVeSimgeIleBaslarken();

private:
    QProcessEnvironment ortam() const;
    Sonuc calistir(const QStringList &argumanlar) const;
    QString vtYolu() const { return m_ev->path() + QStringLiteral("/.local/share/Tavrek/Zelvora/Vok.vtb"); }
    // Folders Müvekkiller > Ahmet Bey and Büro; today's jobs at 14:00 and 09:30 (open), one
    // done today, one tomorrow.
    void veritabaniYaz();
    QByteArray ozet() const;

    std::unique_ptr<QTemporaryDir> m_ev;
    QDate m_bugun;
};

void KomutSatiriTesti::init()
{
    m_ev = std::make_unique<QTemporaryDir>();
    QVERIFY(m_ev->isValid());
    m_bugun = QDate::currentDate();
}

QProcessEnvironment KomutSatiriTesti::ortam() const
{
    QProcessEnvironment o = QProcessEnvironment::systemEnvironment();
    // No display of any kind, and the desk's own file.
    for (const char *ad : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "ZELVORA_SUNUCU"})
        o.remove(QString::fromLatin1(ad));
    o.insert(QStringLiteral("HOME"), m_ev->path());
    o.insert(QStringLiteral("XDG_DATA_HOME"), m_ev->path() + QStringLiteral("/.local/share"));
    o.insert(QStringLiteral("XDG_CONFIG_HOME"), m_ev->path() + QStringLiteral("/.config"));
    return o;
}

Sonuc KomutSatiriTesti::calistir(const QStringList &argumanlar) const
{
    QProcess p;
    p.setProcessEnvironment(ortam());
    p.start(QStringLiteral(ZELVORA_PROGRAMI), argumanlar);
    Sonuc s;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return s;
    }
    s.kod = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    s.cikti = QString::fromUtf8(p.readAllStandardOutput());
    s.hata = QString::fromUtf8(p.readAllStandardError());
    return s;
}

void KomutSatiriTesti::veritabaniYaz()
{
    QVERIFY(QDir().mkpath(QFileInfo(vtYolu()).absolutePath()));
    Veritabani::bosOlustur(vtYolu());
    auto vt = Veritabani::ac(vtYolu());
    vt->klasorEkle({QStringLiteral("1-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Müvekkiller")});
    vt->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("1-Anahtar"), QStringLiteral("Ahmet Bey")});
    vt->klasorEkle({QStringLiteral("3-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Büro")});
    auto is = [&](const QString &klasor, const QDate &tarih, const QTime &saat, const QString &konu, const QString &yer,
                  bool yapildi) {
        IsKaydi k;
        k.anahtari = klasor;
        k.tarih = tarih;
        k.saat = saat;
        k.konu = konu;
        k.yer = yer;
        k.hatirlatma = true;
        k.yapildi = yapildi;
        vt->isEkle(k);
    };
    is(QStringLiteral("3-Anahtar"), m_bugun, QTime(14, 0), QStringLiteral("Toplantı"), QStringLiteral("Oda 2"), false);
    is(QStringLiteral("2-Anahtar"), m_bugun, QTime(9, 30), QStringLiteral("Duruşma"), QStringLiteral("Çağlayan Adliyesi"),
       false);
    is(QStringLiteral("3-Anahtar"), m_bugun, QTime(11, 0), QStringLiteral("Yapıldı"), QString(), true);
    is(QStringLiteral("1-Anahtar"), m_bugun.addDays(1), QTime(10, 15), QStringLiteral("Keşif"), QStringLiteral("Şile"),
       false);
}

QByteArray KomutSatiriTesti::ozet() const
{
    QFile f(vtYolu());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void KomutSatiriTesti::yardimSurumVeYanlisSecenekler()
{
    Sonuc s = calistir({QStringLiteral("--help")});
    QCOMPARE(s.kod, 0);
    QVERIFY(s.cikti.startsWith(QStringLiteral("Kullanım: zelvora [SEÇENEK]\n")));
    QVERIFY(s.cikti.contains(QStringLiteral("  --liste GG.AA.YYYY    o gün yapılacak işleri listeler\n")));
    QVERIFY(s.cikti.contains(QStringLiteral("  --ics-aktar DOSYA.ics bütün işleri bir takvim dosyasına (iCalendar) yazar\n")));
    QVERIFY(s.cikti.contains(QStringLiteral("3 takvim dosyası yazılamadı.")));
    QVERIFY(s.cikti.contains(QStringLiteral("-Simge")));
    QCOMPARE(s.hata, QString());

    s = calistir({QStringLiteral("--version")});
    QCOMPARE(s.kod, 0);
    QVERIFY2(s.cikti.startsWith(QStringLiteral("Zelvora %1.%2.%3\n").arg(2).arg(3).arg(3)), qPrintable(s.cikti));
    QCOMPARE(s.hata, QString());

    // A wrong option, a missing, impossible or extra date, an option beside a start
    // argument: a short usage on stderr, nothing on stdout, status 2.
    const QList<QPair<QStringList, QString>> yanlislar = {
        {{QStringLiteral("--yardim")}, QStringLiteral("zelvora: tanınmayan seçenek: --yardim\n")},
        {{QStringLiteral("--liste")}, QStringLiteral("zelvora: --liste bir tarih ister (GG.AA.YYYY).\n")},
        {{QStringLiteral("--ics-aktar")}, QStringLiteral("zelvora: --ics-aktar bir dosya adı ister (DOSYA.ics).\n")},
        {{QStringLiteral("--ics-aktar"), QStringLiteral("a.ics"), QStringLiteral("b.ics")},
         QStringLiteral("zelvora: fazla argüman: b.ics\n")},
        {{QStringLiteral("--liste"), QStringLiteral("31.02.2026")},
         QStringLiteral("zelvora: geçerli bir tarih değil: \"31.02.2026\" (GG.AA.YYYY).\n")},
        {{QStringLiteral("--liste=yarın")}, QStringLiteral("zelvora: geçerli bir tarih değil: \"yarın\" (GG.AA.YYYY).\n")},
        {{QStringLiteral("--bugun"), QStringLiteral("09.12.2026")}, QStringLiteral("zelvora: fazla argüman: 09.12.2026\n")},
        {{QStringLiteral("-Simge"), QStringLiteral("--bugun")},
         QStringLiteral("zelvora: seçenekten önce beklenmeyen argüman: -Simge\n")},
    };
    for (const auto &[argumanlar, ilkSatir] : yanlislar) {
        s = calistir(argumanlar);
        QCOMPARE(s.kod, 2);
        QCOMPARE(s.cikti, QString());
        QVERIFY2(s.hata.startsWith(ilkSatir), qPrintable(s.hata));
        QVERIFY(s.hata.contains(
            QStringLiteral("Kullanım: zelvora [--bugun | --liste GG.AA.YYYY | --ics-aktar DOSYA.ics | --help | --version]")));
    }
    // None of it made a folder or a file in the home.
    QCOMPARE(QDir(m_ev->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

void KomutSatiriTesti::gununIsleriYalnizcaOkunarak()
{
    veritabaniYaz();
    // A subject holding a line break and the escape that starts a terminal command.
    {
        auto vt = Veritabani::ac(vtYolu());
        IsKaydi k;
        k.anahtari = QStringLiteral("9-Anahtar"); // a folder that no longer exists
        k.tarih = m_bugun;
        k.saat = QTime(16, 45);
        k.konu = QStringLiteral("Kötü\x1b[2J\nkonu\u202e");
        vt->isEkle(k);
        // A job without a time: its row keeps the empty first column.
        IsKaydi saatsiz;
        saatsiz.anahtari = QStringLiteral("3-Anahtar");
        saatsiz.tarih = m_bugun;
        saatsiz.konu = QStringLiteral("Dilekçe");
        vt->isEkle(saatsiz);
    }
    const QByteArray once = ozet();
    const QDateTime degisme = QFileInfo(vtYolu()).lastModified();

    Sonuc s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.hata, QString());
    QCOMPARE(s.kod, 0);
    const QString gun = m_bugun.toString(QStringLiteral("dd.MM.yyyy"));
    QCOMPARE(s.cikti, QStringLiteral("Bugün Yapılacak İşleriniz (Toplam: 4) - ") + gun + QStringLiteral("\n\n")
                          + QStringLiteral("Saat   Konu           Yer                Klasör\n"
                                           "       Dilekçe                           Büro\n"
                                           "09:30  Duruşma        Çağlayan Adliyesi  Müvekkiller / Ahmet Bey\n"
                                           "14:00  Toplantı       Oda 2              Büro\n"
                                           "16:45  Kötü [2J konu\n"));

    // Another day, the same table; a day without jobs says so and succeeds.
    const QString yarin = m_bugun.addDays(1).toString(QStringLiteral("dd.MM.yyyy"));
    s = calistir({QStringLiteral("--liste"), yarin});
    QCOMPARE(s.kod, 0);
    QCOMPARE(s.cikti, yarin + QStringLiteral(" Tarihinde Yapılacak İşleriniz (Toplam: 1)\n\n"
                                             "Saat   Konu   Yer   Klasör\n"
                                             "10:15  Keşif  Şile  Müvekkiller\n"));
    const QDate bos = m_bugun.addDays(2);
    s = calistir({QStringLiteral("--liste=") + bos.toString(QStringLiteral("d/M/yyyy"))});
    QCOMPARE(s.kod, 0);
    QCOMPARE(s.cikti, bos.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" tarihinde yapılacak işiniz bulunmuyor!\n"));
    QCOMPARE(s.hata, QString());

    // Read only: the file as it was, no journal, no backup, no settings made.
    QCOMPARE(ozet(), once);
    QCOMPARE(QFileInfo(vtYolu()).lastModified(), degisme);
    QVERIFY(!QFileInfo::exists(vtYolu() + QStringLiteral("-journal")));
    QVERIFY(!QFileInfo::exists(m_ev->path() + QStringLiteral("/.local/share/Tavrek/Vtb Yedekleri")));
    QVERIFY(!QFileInfo::exists(m_ev->path() + QStringLiteral("/.config")));
    QCOMPARE(QDir(QFileInfo(vtYolu()).absolutePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Vok.vtb")});
}

void KomutSatiriTesti::takvimDosyasinaYalnizcaOkunarak()
{
    const QString dosya = m_ev->path() + QStringLiteral("/isler.ics");
    // No database yet: status 1, no file.
    Sonuc s = calistir({QStringLiteral("--ics-aktar"), dosya});
    QCOMPARE(s.kod, 1);
    QVERIFY(s.hata.startsWith(QStringLiteral("zelvora: veritabanı dosyası yok")));
    QVERIFY(!QFileInfo::exists(dosya));

    veritabaniYaz();
    {
        auto vt = Veritabani::ac(vtYolu());
        IsKaydi tarihsiz;
        tarihsiz.anahtari = QStringLiteral("3-Anahtar");
        tarihsiz.konu = QStringLiteral("Tarihsiz");
        vt->isEkle(tarihsiz);
    }
    const QByteArray once = ozet();
    s = calistir({QStringLiteral("--ics-aktar"), dosya});
    QCOMPARE(s.hata, QString());
    QCOMPARE(s.kod, 0);
    QCOMPARE(s.cikti, QStringLiteral("4 iş \"") + dosya + QStringLiteral("\" dosyasına yazıldı.\n")
                          + QStringLiteral("Tarihi olmayan 1 iş takvimde yer alamadığı için yazılmadı.\n"));
    QFile f(dosya);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray veri = f.readAll();
    QVERIFY(veri.startsWith("BEGIN:VCALENDAR\r\n"));
    QCOMPARE(veri.count("BEGIN:VEVENT"), 4);
    QVERIFY(veri.contains("CATEGORIES:Müvekkiller/Ahmet Bey"));
    // Read only: the database as it was.
    QCOMPARE(ozet(), once);
    // The same jobs, the same UIDs at the next export.
    QVERIFY(calistir({QStringLiteral("--ics-aktar=") + dosya + QStringLiteral("2")}).kod == 0);
    QFile g(dosya + QStringLiteral("2"));
    QVERIFY(g.open(QIODevice::ReadOnly));
    const QByteArray ikinci = g.readAll();
    const auto uidler = [](const QByteArray &v) {
        QList<QByteArray> s;
        for (const QByteArray &satir : v.split('\n'))
            if (satir.startsWith("UID:"))
                s << satir;
        return s;
    };
    QCOMPARE(uidler(ikinci), uidler(veri));

    // A file that cannot be written: status 3, an existing file left whole.
    s = calistir({QStringLiteral("--ics-aktar"), m_ev->path() + QStringLiteral("/yok/isler.ics")});
    QCOMPARE(s.kod, 3);
    QVERIFY2(s.hata.startsWith(QStringLiteral("zelvora: takvim dosyası yazılamadı")), qPrintable(s.hata));
    QCOMPARE(s.cikti, QString());
}

void KomutSatiriTesti::kayitSurerkenVeKilitliyken()
{
    veritabaniYaz();
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(vtYolu().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    // A save under way (the write lock taken, a job added but not committed): the list
    // shows the database as it stands, without the unfinished job, and waits for nothing.
    QCOMPARE(sqlite3_exec(db,
                          "BEGIN IMMEDIATE; INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, "
                          "IsinKonusu, Hatirlatma, IsYapildi) VALUES('3-Anahtar', date('now','localtime'), "
                          "'08:00:00', 'Yarım', 1, 0);",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    Sonuc s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 0);
    QVERIFY2(s.cikti.startsWith(QStringLiteral("Bugün Yapılacak İşleriniz (Toplam: 2)")), qPrintable(s.cikti));
    QVERIFY(!s.cikti.contains(QStringLiteral("Yarım")));
    QCOMPARE(sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);

    // Held exclusively for longer than a save lasts: after the wait, the file and the
    // reason are named and the status is 1.
    QCOMPARE(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 1);
    QCOMPARE(s.cikti, QString());
    QCOMPARE(s.hata, QStringLiteral("zelvora: veritabanı okunamadı: \"") + vtYolu() + QStringLiteral("\"\n")
                         + QStringLiteral("Neden: Veritabanı başka bir program tarafından kullanılıyor. (database is locked)\n"));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void KomutSatiriTesti::okunamayanVeritabaniVeSunucu()
{
    // No database yet.
    Sonuc s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 1);
    QCOMPARE(s.cikti, QString());
    QCOMPARE(s.hata, QStringLiteral("zelvora: veritabanı dosyası yok: \"") + vtYolu()
                         + QStringLiteral("\"\nNeden: Program bu kullanıcı için henüz hiç açılmamış olabilir.\n"));
    QVERIFY(!QFileInfo::exists(vtYolu()));

    // A file that is not a database, a folder in its place, a database of another program.
    QVERIFY(QDir().mkpath(QFileInfo(vtYolu()).absolutePath()));
    QFile f(vtYolu());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 1);
    QVERIFY2(s.hata.startsWith(QStringLiteral("zelvora: veritabanı okunamadı: \"") + vtYolu() + QStringLiteral("\"\nNeden: ")),
             qPrintable(s.hata));
    QVERIFY(QFile::remove(vtYolu()));
    QVERIFY(QDir().mkdir(vtYolu()));
    s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 1);
    QVERIFY2(s.hata.contains(QStringLiteral("Normal bir dosya değil.")), qPrintable(s.hata));
    QVERIFY(QDir().rmdir(vtYolu()));
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(vtYolu().toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, "CREATE TABLE Baska(x)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 1);
    QVERIFY2(s.hata.endsWith(QStringLiteral("Neden: Dosya, programın veritabanı değil: tabloları yok.\n")), qPrintable(s.hata));
    QVERIFY(QFile::remove(vtYolu()));

    // An unreadable database names its reason (root reads every file).
    veritabaniYaz();
    if (::geteuid() != 0) {
        QVERIFY(QFile::setPermissions(vtYolu(), QFileDevice::WriteOwner));
        s = calistir({QStringLiteral("--bugun")});
        QFile::setPermissions(vtYolu(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(s.kod, 1);
        QVERIFY2(s.hata.contains(QStringLiteral("Dosyayı okuma izniniz yok.")), qPrintable(s.hata));
    }

    // Office mode from the settings: the server is asked, not the desk's file, and one that
    // cannot be reached is named with the reason.
    const QString ayarlar = m_ev->path() + QStringLiteral("/.config/Tavrek/Zelvora.conf");
    QVERIFY(QDir().mkpath(QFileInfo(ayarlar).absolutePath()));
    QFile a(ayarlar);
    QVERIFY(a.open(QIODevice::WriteOnly));
    a.write("[Sunucu]\nBaglanti=host=" + QFile::encodeName(m_ev->path()) + "/yok port=1 dbname=zelvora connect_timeout=2\n");
    a.close();
    s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 1);
    QVERIFY2(s.hata.startsWith(QStringLiteral("zelvora: sunucudaki veritabanı okunamadı: \"")), qPrintable(s.hata));
    QVERIFY2(s.hata.contains(QStringLiteral("\nNeden: ")), qPrintable(s.hata));

    // A damaged settings file is not guessed past: it is named, and left as it is.
    QVERIFY(a.open(QIODevice::WriteOnly));
    a.write("[Sunucu]\nBaglanti=\"host=/tmp\n[Ayarlar]\nGiris%20Sifresi=abc\n");
    a.close();
    QFile oku(ayarlar);
    QVERIFY(oku.open(QIODevice::ReadOnly));
    const QByteArray bozuk = oku.readAll();
    oku.close();
    s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 1);
    QCOMPARE(s.hata, QStringLiteral("zelvora: ayar dosyası okunamadı: \"") + ayarlar + QStringLiteral("\"\nNeden: Dosya bozuk.\n"));
    QVERIFY(oku.open(QIODevice::ReadOnly));
    QCOMPARE(oku.readAll(), bozuk);
}

void KomutSatiriTesti::programCalisirkenVeSimgeIleBaslarken()
{
    veritabaniYaz();
    // The program started as the autostart starts it, on a platform without a display.
    QProcess program;
    QProcessEnvironment o = ortam();
    o.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(o);
    program.start(QStringLiteral(ZELVORA_PROGRAMI), {QStringLiteral("-Simge")});
    QVERIFY(program.waitForStarted());
    const QString kilit = QFileInfo(vtYolu()).absolutePath() + QStringLiteral("/Zelvora.lock");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(kilit) || program.state() == QProcess::NotRunning, 20000);
    // It runs on: -Simge still means "start in the tray", not a wrong option.
    QTest::qWait(1000);
    QCOMPARE(program.state(), QProcess::Running);

    // The list beside it, without taking its lock or waiting for it.
    Sonuc s = calistir({QStringLiteral("--bugun")});
    QCOMPARE(s.kod, 0);
    QVERIFY2(s.cikti.contains(QStringLiteral("09:30  Duruşma")), qPrintable(s.cikti + s.hata));
    QCOMPARE(program.state(), QProcess::Running);

    program.terminate();
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
    }
}

QTEST_GUILESS_MAIN(KomutSatiriTesti)
#include "tst_KomutSatiri.moc"

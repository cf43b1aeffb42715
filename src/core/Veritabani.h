#pragma once
// The job database: one SQLite file holding the folder and job tables. Every SQL
// statement of the program lives in this module; values are always bound parameters.

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTime>

#include <functional>
#include <limits>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace Zelvora {

struct KlasorKaydi {
    QString anahtari; // "<n>-Anahtar"
    QString bagi;     // parent key, "Klasor" for a top-level folder
    QString adi;
};

struct IsKaydi {
    qint64 isNo = 0;
    QString anahtari;
    QDate tarih; // invalid when the row has no date
    QTime saat;  // invalid when the row has no time
    QString konu;
    QString yer;
    QString sayi;
    QString aciklama;
    bool hatirlatma = false;
    bool yapildi = false;
    // The advance warnings to write with the job (days before its date, 1 to 365), for
    // isEkle and for isAlanlariniGuncelle with OnHatirlatmaAlani.
    QList<int> onGunler = {};
    // A row of the reminder list: the advance warning it stands for (days before the
    // job's date); 0 for the job's own reminder.
    int gunOnce = 0;
};

// The job field a search looks in.
enum class AramaAlani { Konu, Yer, Aciklama };

struct AramaSonucu {
    qint64 isNo = 0;
    QString anahtari; // the job's folder key
    QString deger;    // the searched field's text
};

// The database the program works on, whichever back end holds it: the SQLite file of
// one desk (the default), or an office's PostgreSQL server shared by several desks.
// Every window talks to this interface only; each back end's statements live in its own
// source file beside this one (VeritabaniDosya.cpp, VeritabaniSunucu.cpp).
class Veritabani {
public:
    virtual ~Veritabani();
    Veritabani(const Veritabani &) = delete;
    Veritabani &operator=(const Veritabani &) = delete;

    // --- The SQLite file ------------------------------------------------------------
    // Opens an existing database file for reading and writing. A missing, unreadable,
    // read-only, damaged or foreign file is refused (Hata 3051) before anything is written.
    static std::unique_ptr<Veritabani> ac(const QString &yol);
    // Opens an existing database file for reading only, beside the program that may be
    // writing it: nothing is ever written, no journal rolled back, no setting changed, so a
    // save of the program is never disturbed. A missing, unreadable or non-regular file is
    // Hata 3051; a file that is not ours fails at its first read.
    static std::unique_ptr<Veritabani> okumakIcinAc(const QString &yol);
    // Writes a new file holding the empty schema (the build's tool uses this).
    static void bosOlustur(const QString &yol);
    // Writes a compacted, checked copy of the database at kaynak over hedef, all the steps
    // of Yedekleme (core/Yedekleme.h) at once. The source must be a sound database of ours (tables,
    // columns and integrity check); the copy is made under a temporary name, checked,
    // flushed to the disk and renamed only then, so a failure leaves an existing hedef
    // untouched.
    static void yedekle(const QString &kaynak, const QString &hedef);
    // The temporary name a backup of hedef is written under (leftovers removed first).
    static QString geciciYedekAdi(const QString &hedef);
    // The file is a database of ours that passes the quick check (read only).
    static bool saglamMi(const QString &yol);
    // The file is a database of ours holding at least one folder or job (read only).
    static bool kayitVarMi(const QString &yol);
    // The file is a sound SQLite database that names one of our tables, but does not hold
    // both of them with all their columns: ours, with a table dropped or changed by
    // another program (read only). Such a file cannot be opened; it can be replaced.
    static bool tablosuEksikMi(const QString &yol);
    // Maps an SQLite result code to the program's error number.
    static int hataNumarasi(int sqliteKodu);
    // Registers the program's SQL functions on an SQLite connection (done when a file is opened).
    static void islevleriKaydet(sqlite3 *db);

    // --- The server -------------------------------------------------------------------
    // Connects to an office's PostgreSQL server (a libpq connection string or URI). An
    // unreachable server is Hata 3043 with libpq's reason; a database whose tables or
    // columns are not ours, 3051 naming the server. No wait for the server is unbounded.
    static std::unique_ptr<Veritabani> sunucuyaBaglan(const QString &baglanti);

    // --- Whichever back end ----------------------------------------------------------
    // The program's one open database, the only way to it; throws Hata when none is open.
    static Veritabani &acik();
    static bool acikMi();
    // Makes vt the open database (nullptr: none); its owner keeps it alive meanwhile.
    static void acikAyarla(Veritabani *vt);
    // True for the server, which the desks share (no daily backup of its own, changes
    // told by the other desks).
    virtual bool sunucuMu() const { return false; }
    // The file's path, or the server and database, for messages.
    virtual QString adi() const = 0;
    // How to open a connection of its own to this same database, for a reader on another
    // thread: the file read-only, the server with a new connection. The function may be
    // called on any thread (it may wait for the server there) and throws Hata as the
    // opening does.
    virtual std::function<std::unique_ptr<Veritabani>()> okuyucuAcici() const = 0;
    // What other desks have changed since the last call (never anything for the file):
    // IslerDegisti, KlasorlerDegisti, or both (also after a reconnect, when anything may
    // have changed). Cheap: it only looks at what the server has already sent.
    enum BaskaMasaDegisikligi : unsigned { IslerDegisti = 1, KlasorlerDegisti = 2 };
    unsigned baskaMasaDegisiklikleri() { return baskaMasaDegisiklikleriniAl().neler; }
    bool baskaMasaDegistirdi() { return baskaMasaDegisiklikleri() != 0; }
    // The same, with the rows the notifications named, gathered since the last call.
    struct Degisiklikler {
        unsigned neler = 0;       // IslerDegisti, KlasorlerDegisti
        bool tumIsler = false;    // jobs changed that the notifications did not name (a
                                  // reconnect, a server not yet updated, a statement that
                                  // touched too many rows): every job list is read again
        bool tumKlasorler = false;
        QSet<qint64> isler;       // jobs added, changed or deleted
        QSet<qint64> onHatirlatmalar; // jobs whose advance warnings changed
        QSet<QString> klasorler;  // folder keys added, changed or deleted
        // Adds what one notification's payload tells: "<table> <operation> <keys>", the
        // keys comma-separated or "*" for too many; a bare table name (an older server)
        // tells the table only.
        void bildirimEkle(QByteArrayView yuk);
        void ekle(const Degisiklikler &d);
        bool bosMu() const { return neler == 0; }
    };
    virtual Degisiklikler baskaMasaDegisiklikleriniAl() { return {}; }
    // The server: the connection is up (always true for the file).
    virtual bool baglantiVar() { return true; }
    // The server: notices a connection lost while the desk was idle and, while it is
    // lost, takes one small step to make it again (a new attempt at most every 2 s; never
    // waits). True once when it has been made again since the last call: the caller
    // re-reads what it shows and reminds what came due meanwhile.
    virtual bool baglantiyiSurdur() { return false; }
    // The server: why it cannot be reached now (empty when it can).
    virtual QString baglantiSorunu() const { return QString(); }

    // Opens the database again at its path, in place of the connection held (the file:
    // after it was replaced under the program; nothing for the server). Throws Hata as
    // ac() does, keeping the old connection.
    virtual void yenidenAc() {}

    // --- Calendar files ---------------------------------------------------------------
    // A stable identity of the database, the same every time and, for the server, on
    // every desk however it names the host: a job's UID in a calendar is made of it and
    // the job's number. The file keeps a random identity of its own (made by its
    // upgrade step, or at the first call on a writable file); the server, the name of
    // the database and a value kept on the server.
    virtual QString kimlik() = 0;
    // Adds the calendar tables to an older file (its upgrade step, which also draws the
    // identity); nothing for the server, whose tables are its administrator's.
    virtual void takvimTablolariniHazirla() {}
    // The calendar items imported before: UID and occurrence ("" for a single item) of
    // the ones whose job still exists. Empty when the database keeps no such record.
    struct AlinanKimlik {
        QString uid, yineleme;
        bool operator==(const AlinanKimlik &) const = default;
    };
    virtual QList<AlinanKimlik> alinanKimlikler() = 0;
    // The database can record imported items (the file always, after its upgrade; the
    // server once sql/sunucu-guncelle-5.sql has been applied).
    virtual bool alinanlarKaydedilir() = 0;
    // Stores jobs in one transaction: all of them or, on any failure, none (the error is
    // thrown). The jobs' folders must exist on the server (Hata KlasorYok). kimlikler,
    // when given, is of the same length: each job's calendar item, recorded with its
    // new number where alinanlarKaydedilir(). Returns the new numbers in order.
    virtual QList<qint64> isleriTopluEkle(const std::vector<IsKaydi> &isler,
                                          const QList<AlinanKimlik> &kimlikler) = 0;

    // The folder table still has the 10-character keys of schema 2.31 and older.
    virtual bool eskiSemaMi() = 0;
    // Widens the folder table's keys to 255 characters, in one transaction.
    virtual void semaYukselt() = 0;

    // --- Advance warnings: a job reminds also N days before its date ---------------
    static constexpr int EnFazlaGunOnce = 365;
    // The warning table is there. Without it (an older file before its upgrade, an
    // office server not yet migrated) jobs work as ever, without warnings.
    virtual bool onHatirlatmaVar() const = 0;

    // --- The change log an office server keeps (none for the file) ------------------
    struct GecmisKaydi {
        QString zaman;     // "dd.MM.yyyy HH:mm:ss", the desk's local time
        QString kullanici; // the database user
        QString adres;     // the desk's address (empty over a local socket)
        QString tablo, islem;
        QString eski, yeni; // the row before and after, as JSON (empty when none)
    };
    virtual bool gecmisVar() const { return false; }
    // The log lines of a job and of its advance warnings, oldest first.
    virtual QList<GecmisKaydi> isGecmisi(qint64 isNo) { Q_UNUSED(isNo); return {}; }
    // Adds the warning table to an older file (its upgrade step); the server's tables
    // are its administrator's, so there it throws.
    virtual void onHatirlatmaTablosuEkle() = 0;
    // The warning days of a job, largest first (none without the table).
    virtual QList<int> onHatirlatmalar(qint64 isNo) = 0;
    // Every job's warning days, largest first, in one statement (a calendar of many jobs
    // would otherwise ask once per job).
    virtual QHash<qint64, QList<int>> tumOnHatirlatmalar() = 0;
    // One warning of a job: postponed to a wall-clock moment, or stopped for good.
    virtual void onHatirlatmaErtele(qint64 isNo, int gunOnce, const QDate &tarih, const QTime &saat) = 0;
    virtual void onHatirlatmaDurdur(qint64 isNo, int gunOnce) = 0;
    // The days of a list as stored: each 1 to EnFazlaGunOnce once, largest first.
    static QList<int> gunleriDuzenle(const QList<int> &gunler);

    // Folders, in the order the table returns them.
    virtual QList<KlasorKaydi> klasorler() = 0;
    // Stores a folder row as given (tools, tests, the file's own key scheme).
    virtual void klasorEkle(const KlasorKaydi &k) = 0;
    // Adds a new folder under bagi and returns its key. The file stores the key the
    // caller proposes; the server allocates one that never collides with another desk's
    // and refuses a parent that no longer exists (Hata KlasorYok), in one transaction.
    virtual QString yeniKlasorEkle(const QString &bagi, const QString &adi, const QString &onerilenAnahtar) = 0;
    virtual void klasorAdiDegistir(const QString &anahtari, const QString &adi) = 0;
    // Empty when there is no such folder.
    virtual QString klasorAdi(const QString &anahtari) = 0;
    // Deletes the folder row and then all jobs stored under its key with their warnings,
    // in one transaction; refused (Hata AltKlasorVar) when the database holds a sub-folder
    // of it, also one another desk has just added.
    virtual void klasorVeIsleriniSil(const QString &anahtari) = 0;

    // --- Job rows handed over one by one, as the statement reads them ---------------
    // Long lists are kept in a compact form of their own (the job row model); they are
    // read without making an IsKaydi of every row first.
    struct HamIsSatiri {
        static constexpr qint32 TarihYok = std::numeric_limits<qint32>::min();
        qint64 isNo = 0;
        qint32 tarih = TarihYok; // Julian day; TarihYok when empty or not a date
        qint32 saat = -1;        // seconds since midnight; -1 when empty or not a time
        bool hatirlatma = false;
        bool yapildi = false;
        qint32 gunOnce = 0; // a reminder row's advance warning (IsKaydi::gunOnce)
        // The database's UTF-8 bytes, valid only during the call.
        QByteArrayView anahtari, konu, yer, sayi, aciklama;
    };
    using IsSatiriAlici = std::function<void(const HamIsSatiri &)>;
    static IsKaydi kayit(const HamIsSatiri &s);
    // A stored date "yyyy-MM-dd" as a Julian day (TarihYok when it is not a date of the
    // calendar) and a stored time "HH:mm[:ss]" as seconds since midnight (-1 when none).
    static qint32 julyenGunu(const char *p, int n);
    static qint32 gununSaniyesi(const char *p, int n);

    // Job list of the main window: one folder or all, all dates or only today's open jobs,
    // ordered by date (rows of one day in the order they were stored).
    virtual void isleriListele(const QString &anahtari, bool tumKlasorler, bool sadeceBugun, const QDate &bugun,
                               const IsSatiriAlici &alici) = 0;
    std::vector<IsKaydi> isleriListele(const QString &anahtari, bool tumKlasorler, bool sadeceBugun,
                                       const QDate &bugun);
    // Jobs due at the given minute: dated today, time at or before hh:mm:00,
    // remind on, not done; in date and time order.
    std::vector<IsKaydi> hatirlatilacakIsler(const QDate &bugun, const QTime &dakika);
    // The same, and also the jobs of earlier days whose date and time lie after the
    // reminder horizon (ufukTarihi, ufukSaati), remind on, not done; all in date and time
    // order. One range of the date-and-time index serves it. After them come the advance
    // warnings due (gunOnce > 0), see onHatirlatmalariSec.
    std::vector<IsKaydi> hatirlatilacakIsler(const QDate &bugun, const QTime &dakika, const QDate &ufukTarihi,
                                             const QTime &ufukSaati);
    // A warning of a job that may come due: the job, its days and the moment it was
    // postponed to (invalid when not postponed).
    struct OnHatirlatmaAdayi {
        IsKaydi is;
        int gunOnce = 0;
        QDateTime ertelendi;
    };
    // The warnings due at the scan: its moment (the job's date less the days, at the
    // job's time, or where a postponement put it) after the horizon and at or before
    // the scan's minute, the job itself not due yet. A job shows one warning at a time,
    // the latest due: after days away, "1 day left" and not also the 7 and 3 days.
    // In the order of the jobs' dates and times.
    static std::vector<IsKaydi> onHatirlatmalariSec(std::vector<OnHatirlatmaAdayi> adaylar, const QDateTime &taramaAni,
                                                    const QDateTime &ufuk);

    // The job list window's lists over all folders, ordered by date and time (then job
    // number): open jobs of one date, open jobs before a date, done jobs, all jobs.
    enum class ListeKipi { BirGunun = 0, GunuGecen = 1, Yapilmis = 2, Tumu = 3 };
    virtual void isListesi(ListeKipi kip, const QDate &tarih, const IsSatiriAlici &alici) = 0;
    std::vector<IsKaydi> isListesi(ListeKipi kip, const QDate &tarih);

    // Adds a job with its warnings (is.onGunler), in one transaction, and returns its new
    // number. On the server the folder must still exist
    // (Hata KlasorYok). belirtec: the new job's token, made by its desk when the job is
    // first entered and kept until it is stored; the server keeps it with the row, so a
    // save sent again after a lost reply updates the row it stored instead of storing the
    // job twice (its number is returned). Empty: none; the file keeps no token.
    virtual qint64 isEkle(const IsKaydi &is, const QString &belirtec) = 0;
    qint64 isEkle(const IsKaydi &is) { return isEkle(is, QString()); }
    // Rewrites every field of job isNo except its folder. Throws when no row changed.
    virtual void isGuncelle(const IsKaydi &is) = 0;
    // Fields of a job, for a change that writes only some of them.
    enum IsAlani : unsigned {
        TarihAlani = 1, SaatAlani = 2, KonuAlani = 4, YerAlani = 8, SayiAlani = 16,
        AciklamaAlani = 32, HatirlatmaAlani = 64, YapildiAlani = 128, OnHatirlatmaAlani = 256
    };
    // Writes only the given fields of job is.isNo; the others keep what the table holds,
    // such as a change made meanwhile by the reminder window or another desk. Throws when
    // the job no longer exists, also when no field is given. OnHatirlatmaAlani replaces
    // the job's warnings by is.onGunler (a day kept keeps its state); a new date or time
    // starts every warning afresh (a new deadline). All in one transaction.
    virtual void isAlanlariniGuncelle(const IsKaydi &is, unsigned alanlar) = 0;
    // Deletes a job and its warnings.
    virtual void isSil(qint64 isNo) = 0;
    virtual void isTasi(qint64 isNo, const QString &anahtari) = 0;
    virtual void isYapildiIsaretle(qint64 isNo) = 0;
    virtual void isHatirlatmaKapat(qint64 isNo) = 0;
    // Moves an open job to a new date and time; a job marked done (by another desk,
    // say) or deleted meanwhile is left as it is, and false is returned.
    virtual bool isZamaniniDegistir(qint64 isNo, const QDate &tarih, const QTime &saat) = 0;
    // One job; isNo 0 when not found.
    virtual IsKaydi is(qint64 isNo) = 0;
    // The jobs of the given numbers that exist, in one statement, in number order (the
    // rows other desks changed).
    virtual void isleriGetir(const QList<qint64> &numaralar, const IsSatiriAlici &alici) = 0;

    // Search: the jobs whose field contains the text anywhere, letters compared without
    // their case the Turkish way (ı/I and i/İ stay different letters), every character
    // taken as itself; in date, time and job-number order. The matching runs inside the
    // database (a function of ours, TurkceIcerir, on either back end).
    virtual std::vector<AramaSonucu> isAra(AramaAlani alan, const QString &aranan) = 0;

    // A number that changes whenever this connection has written something (any job or
    // folder change made on this desk), so that a watcher can tell a change by looking at
    // it alone; its value means nothing else.
    virtual quint64 yazimSayaci() const { return 0; }

    // Runs a statement without parameters (used by tests and tools).
    virtual void calistir(const char *sql) = 0;
    // The SQLite connection of the file (tests and tools); none for the server.
    virtual sqlite3 *tutamak() const { return nullptr; }

    static QString tarihMetni(const QDate &t);  // yyyy-MM-dd
    static QString saatMetni(const QTime &s);   // HH:mm:ss
    // A wall-clock moment as stored: "yyyy-MM-dd HH:mm:ss"; and back (invalid when the
    // text is not one), held as UTC so that no daylight-saving rule moves it.
    static QString anMetni(const QDate &t, const QTime &s);
    static QDateTime anCoz(const QString &metin);

protected:
    Veritabani() = default;
    // The jobs due (as hatirlatilacakIsler tells, without the warnings) and the warnings
    // that may be due: those of open, reminded jobs dated from today to a year ahead.
    virtual std::vector<IsKaydi> hatirlatilacakIsleriOku(const QDate &bugun, const QTime &dakika,
                                                         const QDate &ufukTarihi, const QTime &ufukSaati) = 0;
    virtual std::vector<OnHatirlatmaAdayi> onHatirlatmaAdaylari(const QDate &bugun) = 0;
};

} // namespace Zelvora

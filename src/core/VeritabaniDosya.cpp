#include "core/VeritabaniDosya.h"

#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"

#include <QAbstractEventDispatcher>
#include <QByteArray>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>

namespace Zelvora {
namespace {

const char *const SEMA = R"SQL(
CREATE TABLE KlasorBilgileriTablosu(
  Anahtari TEXT(255) PRIMARY KEY,
  Bagi TEXT(255),
  Adi TEXT(255));
CREATE TABLE YapilacakIslerTablosu(
  IsNo INTEGER PRIMARY KEY AUTOINCREMENT,
  Anahtari TEXT(255) REFERENCES KlasorBilgileriTablosu(Anahtari),
  IsinTarihi TEXT(10),
  IsinSaati TEXT(8),
  IsinKonusu TEXT(50),
  IsinYeri TEXT(50),
  IsinSayisi TEXT(50),
  Aciklama TEXT,
  Hatirlatma INTEGER,
  IsYapildi INTEGER);
CREATE INDEX IsKlasorTarihDizini ON YapilacakIslerTablosu(Anahtari, IsinTarihi);
CREATE INDEX IsTarihDizini ON YapilacakIslerTablosu(IsinTarihi);
CREATE INDEX IsTarihSaatDizini ON YapilacakIslerTablosu(IsinTarihi, IsinSaati);
)SQL";

[[noreturn]] void hataAt(int kod, const QString &aciklama, const QString &dosya = QString())
{
    throw Hata(Veritabani::hataNumarasi(kod), aciklama, dosya);
}

QString dosyaAdi(sqlite3 *db)
{
    const char *ad = db ? sqlite3_db_filename(db, "main") : nullptr;
    return ad ? QString::fromUtf8(ad) : QString();
}

[[noreturn]] void hataAt(sqlite3 *db, int kod)
{
    const QString aciklama = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(kod));
    // The file was deleted or moved under the connection, or a table dropped by another
    // program: said as such, not as missing permissions or an unknown error.
    if (db && sqlite3_extended_errcode(db) == SQLITE_READONLY_DBMOVED)
        throw Hata(HataNo::VeritabaniDegisti, aciklama, dosyaAdi(db));
    if (db && (kod & 0xff) == SQLITE_ERROR && aciklama.startsWith(QLatin1String("no such table")))
        throw Hata(HataNo::TabloYok, aciklama, dosyaAdi(db));
    // A write cut short by a full disk (or, when SQLite kept its errno, the file-size
    // limit) is a full disk to the user; SQLite often loses the errno of a write to the
    // file-size limit, which is then told as a disk write error (3040).
    if (db && (kod & 0xff) == SQLITE_IOERR) {
        const int e = sqlite3_system_errno(db);
        if (e == EFBIG || e == ENOSPC || e == EDQUOT)
            throw Hata(HataNo::DiskDolu, aciklama, dosyaAdi(db));
    }
    hataAt(kod, aciklama, dosyaAdi(db));
}

// One prepared statement, finalised on destruction.
class Deyim {
public:
    Deyim(sqlite3 *db, const char *sql) : m_db(db)
    {
        const int rc = sqlite3_prepare_v2(db, sql, -1, &m_st, nullptr);
        if (rc != SQLITE_OK)
            hataAt(db, rc);
    }
    ~Deyim() { sqlite3_finalize(m_st); }
    Deyim(const Deyim &) = delete;
    Deyim &operator=(const Deyim &) = delete;

    Deyim &bagla(int i, const QString &s)
    {
        if (s.isNull()) {
            sqlite3_bind_null(m_st, i);
        } else {
            const QByteArray b = s.toUtf8();
            sqlite3_bind_text(m_st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        }
        return *this;
    }
    Deyim &bagla(int i, qint64 n)
    {
        sqlite3_bind_int64(m_st, i, n);
        return *this;
    }
    // True while a row is available.
    bool adim()
    {
        const int rc = sqlite3_step(m_st);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        hataAt(m_db, rc);
    }
    void calistir()
    {
        while (adim()) {
        }
    }
    QString metin(int i) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_st, i));
        if (!p)
            return {};
        return QString::fromUtf8(p, sqlite3_column_bytes(m_st, i));
    }
    qint64 sayi(int i) const { return sqlite3_column_int64(m_st, i); }
    sqlite3_stmt *st() const { return m_st; }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_st = nullptr;
};


const char *const IS_ALANLARI =
    "SELECT IsNo, Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, "
    "Hatirlatma, IsYapildi FROM YapilacakIslerTablosu ";

// The page cache: large while a statement reads (a listing of all folders fetches rows
// all over the file), its everyday size between statements.
constexpr int OkumaOnbellegiKb = 32768;
constexpr int GunlukOnbellekKb = 8192;
// How long after the last long list the cache is brought back to its everyday size.
constexpr int OnbellekBeklemesiMs = 3000;

// A read that left the cache holding more than its everyday size (all folders, a
// search) gives back the pages it used least recently. bellegiVer: the freed memory goes
// back to the system too (after the long lists, whose rows have just taken their share);
// otherwise it stays for the program's next allocations.
void onbellegiKucult(sqlite3 *db, bool bellegiVer)
{
    int kullanilan = 0, tepe = 0;
    if (sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_USED, &kullanilan, &tepe, 0) != SQLITE_OK
        || kullanilan <= GunlukOnbellekKb * 1024)
        return;
    const QByteArray kucuk = "PRAGMA cache_size=-" + QByteArray::number(GunlukOnbellekKb);
    const QByteArray buyuk = "PRAGMA cache_size=-" + QByteArray::number(OkumaOnbellegiKb);
    sqlite3_exec(db, kucuk.constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, buyuk.constData(), nullptr, nullptr, nullptr);
    if (bellegiVer)
        BellegiSistemeVer();
}

void ayarla(sqlite3 *db)
{
    sqlite3_busy_timeout(db, 3000);
    char *hata = nullptr;
    const int rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF; "
                                "PRAGMA cache_size=-32768;",
                                nullptr, nullptr, &hata);
    sqlite3_free(hata);
    if (rc != SQLITE_OK)
        hataAt(db, rc);
}

// The columns each of our tables must have.
struct TabloTanimi {
    const char *ad;
    std::initializer_list<const char *> sutunlar;
};
const TabloTanimi TABLOLAR[] = {
    {"KlasorBilgileriTablosu", {"Anahtari", "Bagi", "Adi"}},
    {"YapilacakIslerTablosu",
     {"IsNo", "Anahtari", "IsinTarihi", "IsinSaati", "IsinKonusu", "IsinYeri", "IsinSayisi", "Aciklama", "Hatirlatma",
      "IsYapildi"}},
};

enum class Denetim { Yok, Hizli, Tam };

// Our database holds both tables with all their columns and passes the check asked for
// (quick_check, or integrity_check, which also finds missing index rows).
void bizimMi(sqlite3 *db, Denetim denetim = Denetim::Hizli)
{
    if (denetim != Denetim::Yok) {
        Deyim d(db, denetim == Denetim::Tam ? "PRAGMA integrity_check" : "PRAGMA quick_check");
        if (!d.adim() || d.metin(0) != QStringLiteral("ok"))
            throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Veritabanı dosyası bozuk."), dosyaAdi(db));
    }
    Deyim tablolar(db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                       "('KlasorBilgileriTablosu','YapilacakIslerTablosu')");
    if (!tablolar.adim() || tablolar.sayi(0) != 2)
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya, programın veritabanı değil."), dosyaAdi(db));
    for (const TabloTanimi &t : TABLOLAR) {
        Deyim d(db, "SELECT name FROM pragma_table_info(?)");
        d.bagla(1, QString::fromLatin1(t.ad));
        QStringList var;
        while (d.adim())
            var << d.metin(0);
        for (const char *sutun : t.sutunlar) {
            if (!var.contains(QString::fromLatin1(sutun), Qt::CaseInsensitive))
                throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya, programın veritabanı değil."), dosyaAdi(db));
        }
    }
}

// Rows of both tables, to compare a copy with its source.
QPair<qint64, qint64> satirSayilari(sqlite3 *db)
{
    Deyim k(db, "SELECT count(*) FROM KlasorBilgileriTablosu");
    k.adim();
    Deyim i(db, "SELECT count(*) FROM YapilacakIslerTablosu");
    i.adim();
    return {k.sayi(0), i.sayi(0)};
}

// Flushes a file (or a folder's entries) to the disk.
bool diskeYaz(const QString &yol)
{
    const int fd = ::open(QFile::encodeName(yol).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool tamam = ::fsync(fd) == 0;
    ::close(fd);
    return tamam;
}

struct Baglanti {
    sqlite3 *db = nullptr;
    ~Baglanti() { sqlite3_close_v2(db); }
};

} // namespace

int Veritabani::hataNumarasi(int sqliteKodu)
{
    switch (sqliteKodu & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return HataNo::DosyaAcilamiyor;
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return HataNo::SaltOkunur;
    case SQLITE_FULL:
        return HataNo::DiskDolu;
    case SQLITE_IOERR:
        return HataNo::DiskHatasi;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return HataNo::Kilitli;
    default:
        return sqliteKodu;
    }
}

void DosyaVeritabani::onbellegiSonraKucult()
{
    // A long list's pages stay cached for a while: a user going from one long list to
    // another (all folders, the job list window's all jobs) meets them warm instead of
    // reading the file again. Once no long list has been read for a few seconds, the
    // cache goes back to its everyday size and the memory to the system.
    QCoreApplication *uygulama = QCoreApplication::instance();
    if (!uygulama || QThread::currentThread() != uygulama->thread() || !QAbstractEventDispatcher::instance()) {
        onbellegiKucult(m_db, true);
        return;
    }
    if (!m_kucultme) {
        m_kucultme = std::make_unique<QTimer>();
        m_kucultme->setSingleShot(true);
        m_kucultme->setInterval(OnbellekBeklemesiMs);
        QObject::connect(m_kucultme.get(), &QTimer::timeout, [this] { onbellegiKucult(m_db, true); });
    }
    m_kucultme->start();
}

namespace {
bool kimlikOku(const QString &yol, quint64 &aygit, quint64 &dugum)
{
    struct stat st {};
    if (::stat(QFile::encodeName(yol).constData(), &st) != 0)
        return false;
    aygit = quint64(st.st_dev);
    dugum = quint64(st.st_ino);
    return true;
}
} // namespace

DosyaVeritabani::DosyaVeritabani(sqlite3 *db, const QString &yol) : m_db(db), m_yol(yol)
{
    kimlikOku(m_yol, m_aygit, m_dugum);
}

void DosyaVeritabani::kimlikDenetle(bool yazma)
{
    if (!m_degisti) {
        quint64 aygit = 0, dugum = 0;
        if (kimlikOku(m_yol, aygit, dugum) && aygit == m_aygit && dugum == m_dugum)
            return;
        m_degisti = true;
    } else if (!yazma) {
        return;
    }
    throw Hata(HataNo::VeritabaniDegisti, QStringLiteral("Açık olan veritabanı dosyası artık bu adda değil."), m_yol);
}

void DosyaVeritabani::yenidenAc()
{
    std::unique_ptr<Veritabani> yeni = Veritabani::ac(m_yol);
    auto *d = static_cast<DosyaVeritabani *>(yeni.get());
    m_kucultme.reset();
    for (const auto &deyim : m_listeDeyimleri)
        sqlite3_finalize(deyim.second);
    m_listeDeyimleri.clear();
    sqlite3_close_v2(m_db);
    m_db = std::exchange(d->m_db, nullptr);
    m_aygit = d->m_aygit;
    m_dugum = d->m_dugum;
    m_degisti = false;
    m_tabloBildirildi = false;
}

DosyaVeritabani::~DosyaVeritabani()
{
    m_kucultme.reset();
    for (const auto &d : m_listeDeyimleri)
        sqlite3_finalize(d.second);
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Veritabani> Veritabani::ac(const QString &yol)
{
    // Anything but a regular file (a folder, a FIFO that would block the open, a dangling
    // link) is refused before SQLite touches it.
    if (!NormalDosyaMi(yol))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya bulunamadı ya da normal bir dosya değil: ") + yol, yol);
    const QFileInfo bilgi(yol);
    if (!bilgi.isReadable())
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya okunamıyor: ") + yol, yol);
    if (!bilgi.isWritable() || !QFileInfo(bilgi.absolutePath()).isWritable())
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosyaya yazılamıyor: ") + yol, yol);
    Baglanti b;
    try {
        const int rc = sqlite3_open_v2(yol.toUtf8().constData(), &b.db, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK)
            hataAt(b.db, rc);
        sqlite3_extended_result_codes(b.db, 0);
        sqlite3_busy_timeout(b.db, 3000);
        // The first read rolls back a journal left by a save that was cut short.
        bizimMi(b.db);
        if (sqlite3_db_readonly(b.db, "main") == 1)
            throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosyaya yazılamıyor: ") + yol, yol);
        ayarla(b.db);
        islevleriKaydet(b.db);
    } catch (const Hata &h) {
        // In use by another program stays that; everything else means the file cannot be used.
        if (h.numara() == HataNo::Kilitli)
            throw;
        throw Hata(HataNo::DosyaAcilamiyor, h.aciklama(), yol);
    }
    std::unique_ptr<Veritabani> v(new DosyaVeritabani(b.db, yol));
    b.db = nullptr;
    return v;
}

namespace {
// Opens a regular file read-only and asks a question of it; a file that is not there,
// does not open or is not ours answers no.
template <typename Soru>
bool okuyupSor(const QString &yol, Soru soru)
{
    if (!NormalDosyaMi(yol))
        return false;
    Baglanti b;
    if (sqlite3_open_v2(yol.toUtf8().constData(), &b.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return false;
    try {
        return soru(b.db);
    } catch (const Hata &) {
        return false;
    }
}
} // namespace

bool Veritabani::saglamMi(const QString &yol)
{
    return okuyupSor(yol, [](sqlite3 *db) {
        bizimMi(db);
        return true;
    });
}

bool Veritabani::kayitVarMi(const QString &yol)
{
    return okuyupSor(yol, [](sqlite3 *db) {
        bizimMi(db, Denetim::Yok);
        const auto sayilar = satirSayilari(db);
        return sayilar.first > 0 || sayilar.second > 0;
    });
}

bool Veritabani::tablosuEksikMi(const QString &yol)
{
    return okuyupSor(yol, [](sqlite3 *db) {
        Deyim denetim(db, "PRAGMA quick_check");
        if (!denetim.adim() || denetim.metin(0) != QStringLiteral("ok"))
            return false;
        // A database of another program (none of our names) is not ours to replace.
        Deyim adlar(db, "SELECT count(*) FROM sqlite_master WHERE name IN "
                        "('KlasorBilgileriTablosu','YapilacakIslerTablosu')");
        if (!adlar.adim() || adlar.sayi(0) == 0)
            return false;
        try {
            bizimMi(db, Denetim::Yok);
            return false;
        } catch (const Hata &h) {
            if (h.numara() != HataNo::DosyaAcilamiyor)
                throw;
            return true;
        }
    });
}

void Veritabani::bosOlustur(const QString &yol)
{
    if (QFileInfo::exists(yol))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya zaten var: ") + yol);
    Baglanti b;
    const int rc = sqlite3_open_v2(yol.toUtf8().constData(), &b.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK)
        hataAt(b.db, rc);
    char *hata = nullptr;
    const int rc2 = sqlite3_exec(b.db, SEMA, nullptr, nullptr, &hata);
    sqlite3_free(hata);
    if (rc2 != SQLITE_OK)
        hataAt(b.db, rc2);
    QFile::setPermissions(yol, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

namespace {
// The backup's scratch copy of the snapshot's pages sits beside its temporary name.
QString sayfaKopyasiEki()
{
    return QStringLiteral("-sayfalar");
}
} // namespace

QString Veritabani::geciciYedekAdi(const QString &hedef)
{
    // Leftovers of a backup that was cut short are removed; something that cannot be
    // removed (a folder) is stepped around with another name.
    const QFileInfo h(hedef);
    const QString onEk = h.fileName() + QStringLiteral(".yeni");
    const QDir klasor = h.absoluteDir();
    for (const QFileInfo &artik : klasor.entryInfoList({onEk + QLatin1Char('*')}, QDir::Files | QDir::System | QDir::Hidden))
        QFile::remove(artik.absoluteFilePath());
    // The name and the page copy's name beside it must both be free.
    const auto dolu = [](const QString &yol) { return QFileInfo(yol).exists() || QFileInfo(yol).isSymLink(); };
    QString ad = h.absoluteFilePath() + QStringLiteral(".yeni");
    for (int i = 2; dolu(ad) || dolu(ad + sayfaKopyasiEki()); ++i)
        ad = h.absoluteFilePath() + QStringLiteral(".yeni") + QString::number(i);
    return ad;
}

void Veritabani::yedekle(const QString &kaynak, const QString &hedef)
{
    Yedekleme y(kaynak, hedef);
    y.sayfalariKopyala();
    y.yaz();
}

void DosyaVeritabani::calistir(const char *sql)
{
    char *hata = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &hata);
    const QString aciklama = hata ? QString::fromUtf8(hata) : QString();
    sqlite3_free(hata);
    if (rc != SQLITE_OK)
        hataAt(rc, aciklama);
}

bool DosyaVeritabani::eskiSemaMi()
{
    Deyim d(m_db, "SELECT type FROM pragma_table_info('KlasorBilgileriTablosu') WHERE name='Bagi'");
    if (!d.adim())
        return false;
    QString tur = d.metin(0).toUpper();
    tur.remove(QLatin1Char(' '));
    return tur == QStringLiteral("TEXT(10)");
}

void DosyaVeritabani::semaYukselt()
{
    kimlikDenetle(true);
    calistir("BEGIN IMMEDIATE");
    try {
        calistir("CREATE TABLE KlasorBilgileriTablosu_Yeni("
                 "Anahtari TEXT(255) PRIMARY KEY, Bagi TEXT(255), Adi TEXT(255));"
                 "INSERT INTO KlasorBilgileriTablosu_Yeni(Anahtari, Bagi, Adi) "
                 "SELECT Anahtari, Bagi, Adi FROM KlasorBilgileriTablosu ORDER BY rowid;"
                 "DROP TABLE KlasorBilgileriTablosu;"
                 "ALTER TABLE KlasorBilgileriTablosu_Yeni RENAME TO KlasorBilgileriTablosu;");
        calistir("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

QList<KlasorKaydi> DosyaVeritabani::klasorler()
{
    QList<KlasorKaydi> sonuc;
    Deyim d(m_db, "SELECT Anahtari, Bagi, Adi FROM KlasorBilgileriTablosu");
    while (d.adim())
        sonuc.append({d.metin(0), d.metin(1), d.metin(2)});
    return sonuc;
}

void DosyaVeritabani::klasorEkle(const KlasorKaydi &k)
{
    kimlikDenetle(true);
    Deyim d(m_db, "INSERT INTO KlasorBilgileriTablosu(Bagi, Anahtari, Adi) VALUES(?, ?, ?)");
    d.bagla(1, k.bagi).bagla(2, k.anahtari).bagla(3, k.adi).calistir();
}

void DosyaVeritabani::klasorAdiDegistir(const QString &anahtari, const QString &adi)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE KlasorBilgileriTablosu SET Adi=? WHERE Anahtari=?");
    d.bagla(1, adi).bagla(2, anahtari).calistir();
    if (sqlite3_changes(m_db) == 0)
        throw Hata(3021, QStringLiteral("Klasör bulunamadı."));
}

QString DosyaVeritabani::klasorAdi(const QString &anahtari)
{
    Deyim d(m_db, "SELECT Adi FROM KlasorBilgileriTablosu WHERE Anahtari=?");
    d.bagla(1, anahtari);
    return d.adim() ? d.metin(0) : QString();
}

void DosyaVeritabani::klasorVeIsleriniSil(const QString &anahtari)
{
    kimlikDenetle(true);
    calistir("BEGIN IMMEDIATE");
    try {
        Deyim k(m_db, "DELETE FROM KlasorBilgileriTablosu WHERE Anahtari=?");
        k.bagla(1, anahtari).calistir();
        Deyim i(m_db, "DELETE FROM YapilacakIslerTablosu WHERE Anahtari=?");
        i.bagla(1, anahtari).calistir();
        calistir("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

namespace {
// The columns of IS_ALANLARI as they are, without making strings of them.
void hamSatirOku(sqlite3_stmt *st, Veritabani::HamIsSatiri &s)
{
    auto metin = [st](int i) {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
        return p ? QByteArrayView(p, sqlite3_column_bytes(st, i)) : QByteArrayView();
    };
    s.isNo = sqlite3_column_int64(st, 0);
    s.anahtari = metin(1);
    s.tarih = Veritabani::julyenGunu(reinterpret_cast<const char *>(sqlite3_column_text(st, 2)),
                                     sqlite3_column_bytes(st, 2));
    s.saat = Veritabani::gununSaniyesi(reinterpret_cast<const char *>(sqlite3_column_text(st, 3)),
                                       sqlite3_column_bytes(st, 3));
    s.konu = metin(4);
    s.yer = metin(5);
    s.sayi = metin(6);
    s.aciklama = metin(7);
    s.hatirlatma = sqlite3_column_int(st, 8) != 0;
    s.yapildi = sqlite3_column_int(st, 9) != 0;
}

const char *listeSorgusu(bool tumKlasorler, bool sadeceBugun)
{
    // Rows of one day keep the order they were stored in.
    if (sadeceBugun)
        return tumKlasorler ? "WHERE IsinTarihi=?1 AND IsYapildi=0 ORDER BY IsinTarihi, IsNo"
                            : "WHERE IsinTarihi=?1 AND IsYapildi=0 AND Anahtari=?2 ORDER BY IsinTarihi, IsNo";
    return tumKlasorler ? "ORDER BY IsinTarihi, IsNo" : "WHERE Anahtari=?2 ORDER BY IsinTarihi, IsNo";
}

const char *listeKipiSorgusu(Veritabani::ListeKipi kip)
{
    switch (kip) {
    case Veritabani::ListeKipi::BirGunun: return "WHERE IsinTarihi=?1 AND IsYapildi=0 ORDER BY IsinTarihi, IsinSaati, IsNo";
    case Veritabani::ListeKipi::GunuGecen: return "WHERE IsinTarihi<?1 AND IsYapildi=0 ORDER BY IsinTarihi, IsinSaati, IsNo";
    case Veritabani::ListeKipi::Yapilmis: return "WHERE IsYapildi=1 ORDER BY IsinTarihi, IsinSaati, IsNo";
    case Veritabani::ListeKipi::Tumu: break;
    }
    return "ORDER BY IsinTarihi, IsinSaati, IsNo";
}

bool tarihliKip(Veritabani::ListeKipi kip)
{
    return kip == Veritabani::ListeKipi::BirGunun || kip == Veritabani::ListeKipi::GunuGecen;
}
} // namespace

void DosyaVeritabani::satirOku(void *deyim, IsKaydi &is) const
{
    HamIsSatiri s;
    hamSatirOku(static_cast<sqlite3_stmt *>(deyim), s);
    is = kayit(s);
}

void DosyaVeritabani::satirlariOku(const QByteArray &sql, const QString &tarih, const QString &anahtari, bool uzunListe,
                              const IsSatiriAlici &alici)
{
    // The statement is prepared at its first use and kept; each use starts it afresh.
    sqlite3_stmt *st = nullptr;
    for (const auto &d : m_listeDeyimleri) {
        if (d.first == sql)
            st = d.second;
    }
    if (!st) {
        const int rc = sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr);
        if (rc != SQLITE_OK)
            hataAt(m_db, rc);
        m_listeDeyimleri.emplace_back(sql, st);
    }
    struct Sifirla {
        sqlite3 *db;
        sqlite3_stmt *st;
        bool uzun;
        ~Sifirla()
        {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
            if (uzun)
                vt->onbellegiSonraKucult();
        }
        DosyaVeritabani *vt;
    } sifirla{m_db, st, uzunListe, this};
    // A parameter left unbound is NULL, as a NULL key or date binds.
    auto bagla = [st](int i, const QString &deger) {
        const QByteArray b = deger.toUtf8();
        sqlite3_bind_text(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    };
    if (!tarih.isNull())
        bagla(1, tarih);
    if (!anahtari.isNull())
        bagla(2, anahtari);
    HamIsSatiri s;
    for (;;) {
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            hataAt(m_db, rc);
        hamSatirOku(st, s);
        alici(s);
    }
}

void DosyaVeritabani::isleriListele(const QString &anahtari, bool tumKlasorler, bool sadeceBugun,
                                    const QDate &bugun, const IsSatiriAlici &alici)
{
    satirlariOku(QByteArray(IS_ALANLARI) + listeSorgusu(tumKlasorler, sadeceBugun),
                 sadeceBugun ? tarihMetni(bugun) : QString(),
                 tumKlasorler ? QString() : anahtari, tumKlasorler && !sadeceBugun, alici);
}

std::vector<IsKaydi> DosyaVeritabani::hatirlatilacakIsler(const QDate &bugun, const QTime &dakika,
                                                          const QDate &ufukTarihi, const QTime &ufukSaati)
{
    // The scan notices a file replaced or deleted under the program, and tells of a
    // dropped table once (later scans fail silently, so the horizon stays where it is).
    kimlikDenetle(false);
    try {
        return hatirlatmaSorgusu(bugun, dakika, ufukTarihi, ufukSaati);
    } catch (const Hata &h) {
        if (h.numara() != HataNo::TabloYok)
            throw;
        if (m_tabloBildirildi)
            throw Hata(HataNo::Bildirildi, h.aciklama(), h.dosya());
        m_tabloBildirildi = true;
        throw;
    }
}

std::vector<IsKaydi> DosyaVeritabani::hatirlatmaSorgusu(const QDate &bugun, const QTime &dakika, const QDate &ufukTarihi,
                                                        const QTime &ufukSaati)
{
    // ?1 today, ?2 the current minute at :00, ?3 the horizon's day, ?4 its time, ?5 the
    // first day to look at. The range on IsinTarihi keeps the scan to the days from the
    // horizon to today (only today when the horizon is today's or later), and the index
    // on (IsinTarihi, IsinSaati) gives the order without sorting.
    Deyim d(m_db, (QByteArray(IS_ALANLARI)
                   + "WHERE IsinTarihi>=?5 AND IsinTarihi<=?1 AND Hatirlatma=1 AND IsYapildi=0 "
                     "AND (IsinTarihi=?1 AND IsinSaati<=?2 "
                     "OR IsinTarihi<?1 AND IsinSaati IS NOT NULL AND (IsinTarihi>?3 OR IsinSaati>?4)) "
                     "ORDER BY IsinTarihi, IsinSaati")
                      .constData());
    d.bagla(1, tarihMetni(bugun));
    d.bagla(2, saatMetni(QTime(dakika.hour(), dakika.minute(), 0)));
    d.bagla(3, tarihMetni(ufukTarihi));
    d.bagla(4, saatMetni(ufukSaati));
    d.bagla(5, tarihMetni(qMin(ufukTarihi, bugun)));
    std::vector<IsKaydi> sonuc;
    while (d.adim()) {
        sonuc.emplace_back();
        satirOku(d.st(), sonuc.back());
    }
    return sonuc;
}

void DosyaVeritabani::isListesi(ListeKipi kip, const QDate &tarih, const IsSatiriAlici &alici)
{
    satirlariOku(QByteArray(IS_ALANLARI) + listeKipiSorgusu(kip), tarihliKip(kip) ? tarihMetni(tarih) : QString(),
                 QString(), kip != ListeKipi::BirGunun, alici);
}

qint64 DosyaVeritabani::isEkle(const IsKaydi &is)
{
    kimlikDenetle(true);
    Deyim d(m_db, "INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, "
                  "IsinSayisi, Aciklama, Hatirlatma, IsYapildi) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    d.bagla(1, is.anahtari)
        .bagla(2, tarihMetni(is.tarih))
        .bagla(3, saatMetni(is.saat))
        .bagla(4, is.konu)
        .bagla(5, is.yer)
        .bagla(6, is.sayi)
        .bagla(7, is.aciklama)
        .bagla(8, qint64(is.hatirlatma ? 1 : 0))
        .bagla(9, qint64(is.yapildi ? 1 : 0));
    d.calistir();
    return sqlite3_last_insert_rowid(m_db);
}

void DosyaVeritabani::isGuncelle(const IsKaydi &is)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET IsinTarihi=?, IsinSaati=?, IsinKonusu=?, IsinYeri=?, "
                  "IsinSayisi=?, Aciklama=?, Hatirlatma=?, IsYapildi=? WHERE IsNo=?");
    d.bagla(1, tarihMetni(is.tarih))
        .bagla(2, saatMetni(is.saat))
        .bagla(3, is.konu)
        .bagla(4, is.yer)
        .bagla(5, is.sayi)
        .bagla(6, is.aciklama)
        .bagla(7, qint64(is.hatirlatma ? 1 : 0))
        .bagla(8, qint64(is.yapildi ? 1 : 0))
        .bagla(9, is.isNo);
    d.calistir();
    if (sqlite3_changes(m_db) == 0)
        throw Hata(3021, QStringLiteral("Değiştirilecek iş bulunamadı (silinmiş olabilir)."));
}

void DosyaVeritabani::isAlanlariniGuncelle(const IsKaydi &is, unsigned alanlar)
{
    kimlikDenetle(true);
    // The statement is built from fixed column fragments only; every value is bound.
    struct Alan {
        unsigned bit;
        const char *sutun;
    };
    static const Alan sutunlar[] = {{TarihAlani, "IsinTarihi=?"}, {SaatAlani, "IsinSaati=?"},
                                    {KonuAlani, "IsinKonusu=?"},  {YerAlani, "IsinYeri=?"},
                                    {SayiAlani, "IsinSayisi=?"},  {AciklamaAlani, "Aciklama=?"},
                                    {HatirlatmaAlani, "Hatirlatma=?"}, {YapildiAlani, "IsYapildi=?"}};
    QByteArray sql;
    for (const Alan &a : sutunlar) {
        if (alanlar & a.bit)
            sql += (sql.isEmpty() ? QByteArray() : QByteArray(", ")) + a.sutun;
    }
    if (sql.isEmpty()) {
        Deyim d(m_db, "SELECT 1 FROM YapilacakIslerTablosu WHERE IsNo=?");
        d.bagla(1, is.isNo);
        if (!d.adim())
            throw Hata(3021, QStringLiteral("Değiştirilecek iş bulunamadı (silinmiş olabilir)."));
        return;
    }
    Deyim d(m_db, ("UPDATE YapilacakIslerTablosu SET " + sql + " WHERE IsNo=?").constData());
    int i = 0;
    if (alanlar & TarihAlani)
        d.bagla(++i, tarihMetni(is.tarih));
    if (alanlar & SaatAlani)
        d.bagla(++i, saatMetni(is.saat));
    if (alanlar & KonuAlani)
        d.bagla(++i, is.konu);
    if (alanlar & YerAlani)
        d.bagla(++i, is.yer);
    if (alanlar & SayiAlani)
        d.bagla(++i, is.sayi);
    if (alanlar & AciklamaAlani)
        d.bagla(++i, is.aciklama);
    if (alanlar & HatirlatmaAlani)
        d.bagla(++i, qint64(is.hatirlatma ? 1 : 0));
    if (alanlar & YapildiAlani)
        d.bagla(++i, qint64(is.yapildi ? 1 : 0));
    d.bagla(++i, is.isNo);
    d.calistir();
    if (sqlite3_changes(m_db) == 0)
        throw Hata(3021, QStringLiteral("Değiştirilecek iş bulunamadı (silinmiş olabilir)."));
}

void DosyaVeritabani::isSil(qint64 isNo)
{
    kimlikDenetle(true);
    Deyim d(m_db, "DELETE FROM YapilacakIslerTablosu WHERE IsNo=?");
    d.bagla(1, isNo).calistir();
}

void DosyaVeritabani::isTasi(qint64 isNo, const QString &anahtari)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET Anahtari=? WHERE IsNo=?");
    d.bagla(1, anahtari).bagla(2, isNo).calistir();
}

void DosyaVeritabani::isYapildiIsaretle(qint64 isNo)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET IsYapildi=1 WHERE IsNo=?");
    d.bagla(1, isNo).calistir();
}

void DosyaVeritabani::isHatirlatmaKapat(qint64 isNo)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET Hatirlatma=0 WHERE IsNo=?");
    d.bagla(1, isNo).calistir();
}

void DosyaVeritabani::isZamaniniDegistir(qint64 isNo, const QDate &tarih, const QTime &saat)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET IsinTarihi=?, IsinSaati=? WHERE IsNo=?");
    d.bagla(1, tarihMetni(tarih)).bagla(2, saatMetni(saat)).bagla(3, isNo).calistir();
}

IsKaydi DosyaVeritabani::is(qint64 isNo)
{
    Deyim d(m_db, (QByteArray(IS_ALANLARI) + "WHERE IsNo=?").constData());
    d.bagla(1, isNo);
    IsKaydi k;
    if (d.adim())
        satirOku(d.st(), k);
    return k;
}

// --- Search ---------------------------------------------------------------------------

namespace {

// One character folded to lower case the Turkish way: I → ı, İ → i.
inline char32_t kucukHarf(char32_t c)
{
    if (c < 0x80)
        return c == 'I' ? char32_t(0x0131) : (c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (c == 0x0130)
        return U'i';
    return QChar::toLower(c);
}

// Reads the character at p and moves p past it. A byte that does not start a whole
// UTF-8 sequence stands for itself, so a damaged text still compares with itself.
inline char32_t karakterOku(const unsigned char *&p, const unsigned char *son)
{
    const unsigned char b = *p;
    if (b < 0x80) {
        ++p;
        return b;
    }
    int ek = 0;
    char32_t c = 0;
    if ((b & 0xE0) == 0xC0) {
        c = b & 0x1F;
        ek = 1;
    } else if ((b & 0xF0) == 0xE0) {
        c = b & 0x0F;
        ek = 2;
    } else if ((b & 0xF8) == 0xF0) {
        c = b & 0x07;
        ek = 3;
    }
    bool tamam = ek > 0 && son - p > ek;
    for (int i = 1; tamam && i <= ek; ++i) {
        tamam = (p[i] & 0xC0) == 0x80;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (!tamam) {
        ++p;
        return b;
    }
    p += ek + 1;
    return c;
}

// The searched text, folded, and the bytes a character that folds to its first
// character can start with: only there is a match tried, so most of a field is passed
// over byte by byte without decoding it.
struct Aranan {
    std::u32string katli;
    bool ilkBayt[256] = {};

    Aranan(const unsigned char *p, int n)
    {
        const unsigned char *son = p + n;
        while (p < son)
            katli.push_back(kucukHarf(karakterOku(p, son)));
        if (katli.empty())
            return;
        const char32_t ilk = katli.front();
        if (ilk >= 0x10000) {
            for (int b = 0xF0; b <= 0xF4; ++b)
                ilkBayt[b] = true;
            return;
        }
        // Every character of the basic plane that folds to it (case mappings stay
        // inside their plane): a few hundred microseconds, once per search.
        for (char32_t x = 0; x < 0x10000; ++x) {
            if ((x >= 0xD800 && x < 0xE000) || kucukHarf(x) != ilk)
                continue;
            ilkBayt[x < 0x80 ? x : x < 0x800 ? 0xC0 | (x >> 6) : 0xE0 | (x >> 12)] = true;
        }
        if (ilk >= 0x80 && ilk < 0x100)
            ilkBayt[ilk] = true; // a stray byte of that value
    }

    bool icinde(const unsigned char *p, int n) const
    {
        if (katli.empty())
            return true;
        const unsigned char *son = p + n;
        while (p < son) {
            if (ilkBayt[*p]) {
                const unsigned char *q = p;
                size_t i = 0;
                while (i < katli.size() && q < son && kucukHarf(karakterOku(q, son)) == katli[i])
                    ++i;
                if (i == katli.size())
                    return true;
            }
            // On to the next character.
            if (*p < 0x80)
                ++p;
            else
                karakterOku(p, son);
        }
        return false;
    }
};

void arananiSil(void *p)
{
    delete static_cast<Aranan *>(p);
}

// TurkceIcerir(field, text): 1 when the field contains the text, case folded the
// Turkish way; 0 for a NULL field. The prepared text is kept between rows.
void turkceIcerir(sqlite3_context *ctx, int, sqlite3_value **arg)
{
    if (sqlite3_value_type(arg[0]) == SQLITE_NULL || sqlite3_value_type(arg[1]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    auto *aranan = static_cast<Aranan *>(sqlite3_get_auxdata(ctx, 1));
    if (!aranan) {
        sqlite3_set_auxdata(ctx, 1, new Aranan(sqlite3_value_text(arg[1]), sqlite3_value_bytes(arg[1])), arananiSil);
        aranan = static_cast<Aranan *>(sqlite3_get_auxdata(ctx, 1));
        if (!aranan) {
            // SQLite could not keep it (out of memory): it has already been deleted.
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    sqlite3_result_int(ctx, aranan->icinde(sqlite3_value_text(arg[0]), sqlite3_value_bytes(arg[0])) ? 1 : 0);
}

} // namespace

void Veritabani::islevleriKaydet(sqlite3 *db)
{
    const int rc = sqlite3_create_function_v2(db, "TurkceIcerir", 2,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                              turkceIcerir, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        hataAt(db, rc);
}

std::vector<AramaSonucu> DosyaVeritabani::isAra(AramaAlani alan, const QString &aranan)
{
    // The field name comes from this fixed list only; the text is a bound value. Every
    // row is read anyway: scanning the table and sorting only the matches is several
    // times faster than walking the date index and fetching each row through it.
    const char *sql = nullptr;
    switch (alan) {
    case AramaAlani::Konu:
        sql = "SELECT IsNo, Anahtari, IsinKonusu FROM YapilacakIslerTablosu NOT INDEXED WHERE TurkceIcerir(IsinKonusu, ?1) "
              "ORDER BY IsinTarihi, IsinSaati, IsNo";
        break;
    case AramaAlani::Yer:
        sql = "SELECT IsNo, Anahtari, IsinYeri FROM YapilacakIslerTablosu NOT INDEXED WHERE TurkceIcerir(IsinYeri, ?1) "
              "ORDER BY IsinTarihi, IsinSaati, IsNo";
        break;
    case AramaAlani::Aciklama:
        sql = "SELECT IsNo, Anahtari, Aciklama FROM YapilacakIslerTablosu NOT INDEXED WHERE TurkceIcerir(Aciklama, ?1) "
              "ORDER BY IsinTarihi, IsinSaati, IsNo";
        break;
    }
    std::vector<AramaSonucu> sonuc;
    {
        Deyim d(m_db, sql);
        d.bagla(1, aranan.isNull() ? QStringLiteral("") : aranan);
        while (d.adim())
            sonuc.push_back({d.sayi(0), d.metin(1), d.metin(2)});
    }
    onbellegiSonraKucult();
    return sonuc;
}


// --- The daily backup in steps ---------------------------------------------------------

namespace {
int yedeklemeKesildiMi(void *y)
{
    return static_cast<const Yedekleme *>(y)->kesildi() ? 1 : 0;
}

Hata kesildiHatasi(const QString &hedef)
{
    return Hata(SQLITE_INTERRUPT, QStringLiteral("Yedekleme yarıda bırakıldı."), hedef);
}

// An empty file that this backup alone created, readable by its owner only.
void bosDosyaOlustur(const QString &yol)
{
    const int fd = ::open(QFile::encodeName(yol).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int e = errno;
        throw Hata(e == ENOSPC || e == EDQUOT ? HataNo::DiskDolu : HataNo::SaltOkunur,
                   QString::fromLocal8Bit(std::strerror(e)), yol);
    }
    ::close(fd);
}
} // namespace

Yedekleme::Yedekleme(const QString &kaynak, const QString &hedef) : m_kaynak(kaynak), m_hedef(hedef)
{
    if (!NormalDosyaMi(kaynak))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Veritabanı normal bir dosya değil."), kaynak);
    Baglanti b;
    int rc = sqlite3_open_v2(kaynak.toUtf8().constData(), &b.db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK)
        hataAt(b.db, rc);
    sqlite3_extended_result_codes(b.db, 0);
    sqlite3_busy_timeout(b.db, 3000);
    rc = sqlite3_exec(b.db, "BEGIN", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        hataAt(b.db, rc);
    // The first read of the transaction takes the shared lock that holds the snapshot
    // until the pages are copied; a file that is not ours is refused here.
    bizimMi(b.db, Denetim::Yok);
    m_kaynakDb = b.db;
    b.db = nullptr;
}

Yedekleme::~Yedekleme()
{
    kapat(m_kaynakDb);
    kapat(m_kopyaDb);
    if (!m_kopya.isEmpty())
        QFile::remove(m_kopya);
    if (!m_gecici.isEmpty() && !m_yerinde)
        QFile::remove(m_gecici);
}

void Yedekleme::kapat(sqlite3 *&db)
{
    std::lock_guard<std::mutex> kilit(m_baglantiKilidi);
    sqlite3_close_v2(db);
    db = nullptr;
}

void Yedekleme::kes()
{
    m_kes = true;
    std::lock_guard<std::mutex> kilit(m_baglantiKilidi);
    if (m_kaynakDb)
        sqlite3_interrupt(m_kaynakDb);
    if (m_kopyaDb)
        sqlite3_interrupt(m_kopyaDb);
}

void Yedekleme::sayfalariKopyala()
{
    const QString gecici = Veritabani::geciciYedekAdi(m_hedef);
    const QString kopya = gecici + sayfaKopyasiEki();
    bosDosyaOlustur(kopya);
    m_kopya = kopya;
    sqlite3 *db = nullptr;
    const int acildi = sqlite3_open_v2(kopya.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    {
        std::lock_guard<std::mutex> kilit(m_baglantiKilidi);
        m_kopyaDb = db;
    }
    if (acildi != SQLITE_OK)
        hataAt(db, acildi);
    sqlite3_extended_result_codes(db, 0);
    sqlite3_progress_handler(db, 1000, yedeklemeKesildiMi, this);
    // A scratch copy: nothing to roll back, nothing to flush.
    int rc = sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        hataAt(db, rc);
    if (m_kes)
        throw kesildiHatasi(m_hedef);
    sqlite3_backup *y = sqlite3_backup_init(db, "main", m_kaynakDb, "main");
    if (!y)
        hataAt(db, sqlite3_errcode(db));
    // The snapshot's read transaction stays open between the steps, so every page comes
    // from the same moment.
    do {
        rc = sqlite3_backup_step(y, 1024);
    } while (rc == SQLITE_OK && !m_kes);
    const int bitis = sqlite3_backup_finish(y);
    if (m_kes)
        throw kesildiHatasi(m_hedef);
    if (rc != SQLITE_DONE)
        hataAt(db, bitis != SQLITE_OK ? bitis : rc);
    // Writers may go on.
    kapat(m_kaynakDb);
    m_gecici = gecici;
}

void Yedekleme::yaz()
{
    if (m_kes)
        throw kesildiHatasi(m_hedef);
    if (!m_kopyaDb || m_gecici.isEmpty())
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Yedeğin sayfaları kopyalanmadı."), m_hedef);
    // The copy holds the snapshot's pages as they are: checking it checks the database.
    try {
        bizimMi(m_kopyaDb, Denetim::Tam);
    } catch (const Hata &h) {
        if (m_kes)
            throw kesildiHatasi(m_hedef);
        throw Hata(h.numara(), h.aciklama(), m_kaynak);
    }
    const auto sayilar = satirSayilari(m_kopyaDb);
    // VACUUM INTO fills the empty file made here, so the backup is never readable by others.
    const QString gecici = m_gecici;
    m_gecici.clear();
    bosDosyaOlustur(gecici);
    m_gecici = gecici;
    {
        Deyim d(m_kopyaDb, "VACUUM INTO ?");
        d.bagla(1, gecici);
        d.calistir();
    }
    kapat(m_kopyaDb);
    QFile::remove(m_kopya);
    m_kopya.clear();
    {
        Baglanti b;
        const int rc = sqlite3_open_v2(gecici.toUtf8().constData(), &b.db, SQLITE_OPEN_READONLY, nullptr);
        if (rc != SQLITE_OK)
            hataAt(b.db, rc);
        bizimMi(b.db);
        if (satirSayilari(b.db) != sayilar)
            throw Hata(HataNo::DiskHatasi, QStringLiteral("Yedeğin satırları veritabanınınkilerle aynı değil."), gecici);
    }
    QFile::setPermissions(gecici, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!diskeYaz(gecici))
        throw Hata(HataNo::DiskHatasi, QString::fromLocal8Bit(std::strerror(errno)), gecici);
    if (m_kes)
        throw kesildiHatasi(m_hedef);
    if (std::rename(QFile::encodeName(gecici).constData(), QFile::encodeName(m_hedef).constData()) != 0)
        throw Hata(HataNo::SaltOkunur, QString::fromLocal8Bit(std::strerror(errno)), m_hedef);
    m_yerinde = true;
    diskeYaz(QFileInfo(m_hedef).absolutePath());
}

} // namespace Zelvora

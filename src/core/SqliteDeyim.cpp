#include "core/SqliteDeyim.h"

#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <sqlite3.h>

#include <cerrno>
#include <utility>

namespace Zelvora {

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

namespace Sqlite {

QString dosyaAdi(sqlite3 *db)
{
    const char *ad = db ? sqlite3_db_filename(db, "main") : nullptr;
    return ad ? QString::fromUtf8(ad) : QString();
}

void hataAt(sqlite3 *db, int kod)
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
    throw Hata(Veritabani::hataNumarasi(kod), aciklama, dosyaAdi(db));
}

void calistir(sqlite3 *db, const char *sql)
{
    char *hata = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &hata);
    sqlite3_free(hata);
    if (rc != SQLITE_OK)
        hataAt(db, rc);
}

void Baglanti::ac(const QString &yol, Kip kip)
{
    kapat();
    const int bayraklar = kip == Kip::SaltOkunur ? SQLITE_OPEN_READONLY
        : kip == Kip::OkumaYazma                 ? SQLITE_OPEN_READWRITE
                                                 : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(yol.toUtf8().constData(), &m_db, bayraklar, nullptr);
    if (rc != SQLITE_OK) {
        try {
            hataAt(m_db, rc);
        } catch (...) {
            kapat();
            throw;
        }
    }
}

void Baglanti::kapat()
{
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

sqlite3 *Baglanti::birak()
{
    return std::exchange(m_db, nullptr);
}

Deyim::Deyim(sqlite3 *db, QByteArrayView sql, bool kalici) : m_db(db)
{
    const int rc = sqlite3_prepare_v3(db, sql.data(), int(sql.size()), kalici ? SQLITE_PREPARE_PERSISTENT : 0, &m_st,
                                      nullptr);
    if (rc != SQLITE_OK)
        hataAt(db, rc);
}

Deyim::~Deyim()
{
    sqlite3_finalize(m_st);
}

Deyim &Deyim::bagla(int i, const QString &s)
{
    if (s.isNull())
        return bagla(i, nullptr);
    // An empty text binds an empty text, never NULL.
    const QByteArray b = s.toUtf8();
    sqlite3_bind_text(m_st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    return *this;
}

Deyim &Deyim::bagla(int i, const QByteArray &utf8)
{
    if (utf8.isNull())
        return bagla(i, nullptr);
    sqlite3_bind_text(m_st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Deyim &Deyim::bagla(int i, const char *utf8)
{
    if (!utf8)
        return bagla(i, nullptr);
    sqlite3_bind_text(m_st, i, utf8, -1, SQLITE_TRANSIENT);
    return *this;
}

Deyim &Deyim::bagla(int i, int n)
{
    sqlite3_bind_int(m_st, i, n);
    return *this;
}

Deyim &Deyim::bagla(int i, qint64 n)
{
    sqlite3_bind_int64(m_st, i, n);
    return *this;
}

Deyim &Deyim::bagla(int i, bool b)
{
    sqlite3_bind_int(m_st, i, b ? 1 : 0);
    return *this;
}

Deyim &Deyim::bagla(int i, std::nullptr_t)
{
    sqlite3_bind_null(m_st, i);
    return *this;
}

bool Deyim::adim()
{
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    hataAt(m_db, rc);
}

void Deyim::calistir()
{
    while (adim()) {
    }
}

void Deyim::sifirla()
{
    sqlite3_reset(m_st);
    sqlite3_clear_bindings(m_st);
}

int Deyim::sutunSayisi() const
{
    return sqlite3_column_count(m_st);
}

bool Deyim::bosMu(int i) const
{
    return sqlite3_column_type(m_st, i) == SQLITE_NULL;
}

QString Deyim::metin(int i) const
{
    const QByteArrayView b = ham(i);
    return b.isNull() ? QString() : QString::fromUtf8(b);
}

QByteArrayView Deyim::ham(int i) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_st, i));
    return p ? QByteArrayView(p, sqlite3_column_bytes(m_st, i)) : QByteArrayView();
}

qint64 Deyim::sayi(int i) const
{
    return sqlite3_column_int64(m_st, i);
}

} // namespace Sqlite
} // namespace Zelvora

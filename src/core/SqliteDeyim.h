#pragma once
// A small RAII layer over SQLite's C interface: a connection and a prepared statement,
// each closed or finalised with its owner. Every failure is thrown as Hata carrying
// SQLite's own message, the program's error number for it and the file concerned.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>

struct sqlite3;
struct sqlite3_stmt;

namespace Zelvora::Sqlite {

// Throws the failure kod of the connection db as Hata: SQLite's message (the
// connection's, or the code's own when there is no connection), the program's number
// for it and the file. A file moved or deleted under the connection, a dropped table
// and a write cut short by a full disk get the numbers that say so.
[[noreturn]] void hataAt(sqlite3 *db, int kod);
// The path of the connection's main database; empty when there is none.
QString dosyaAdi(sqlite3 *db);
// Runs statements without parameters, one after the other; throws Hata (as hataAt)
// for the first that fails.
void calistir(sqlite3 *db, const char *sql);

// One connection, closed when it goes out of scope.
class Baglanti {
public:
    enum class Kip { SaltOkunur, OkumaYazma, Olustur };
    Baglanti() = default;
    // Opens the file; throws Hata when it cannot (the connection is then closed).
    Baglanti(const QString &yol, Kip kip) { ac(yol, kip); }
    ~Baglanti() { kapat(); }
    Baglanti(const Baglanti &) = delete;
    Baglanti &operator=(const Baglanti &) = delete;

    void ac(const QString &yol, Kip kip);
    void kapat();
    void calistir(const char *sql) { Sqlite::calistir(m_db, sql); }
    sqlite3 *tutamak() const { return m_db; }
    // Hands the connection over: it is no longer closed here.
    sqlite3 *birak();

private:
    sqlite3 *m_db = nullptr;
};

// One prepared statement, finalised when it goes out of scope. Parameters are bound by
// their 1-based index, columns read by their 0-based one.
class Deyim {
public:
    // kalici: the statement is kept and used many times (SQLite plans its memory so).
    Deyim(sqlite3 *db, QByteArrayView sql, bool kalici = false);
    ~Deyim();
    Deyim(const Deyim &) = delete;
    Deyim &operator=(const Deyim &) = delete;

    // A null QString or QByteArray, a null pointer and nullptr bind NULL; texts are UTF-8.
    Deyim &bagla(int i, const QString &s);
    Deyim &bagla(int i, const QByteArray &utf8);
    Deyim &bagla(int i, const char *utf8);
    Deyim &bagla(int i, int n);
    Deyim &bagla(int i, qint64 n);
    Deyim &bagla(int i, bool b); // 1 or 0
    Deyim &bagla(int i, std::nullptr_t);

    // Steps once: true while a row is available, false when done; throws Hata on failure.
    bool adim();
    // Steps until done.
    void calistir();
    // Ready to run again from the start, every parameter back to NULL.
    void sifirla();

    int sutunSayisi() const;
    bool bosMu(int i) const;
    // A NULL column reads as a null QString, a null view, 0 and false.
    QString metin(int i) const;
    // The column's UTF-8 bytes, valid until the next step or reset.
    QByteArrayView ham(int i) const;
    qint64 sayi(int i) const;
    bool mantiksal(int i) const { return sayi(i) != 0; }

    sqlite3_stmt *tutamak() const { return m_st; }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_st = nullptr;
};

} // namespace Zelvora::Sqlite

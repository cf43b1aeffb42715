#pragma once
// One libpq connection to the office's server, whose every wait has a bound: a connection
// attempt, a statement and its reply each give up after a limit, and while the program
// waits longer than a blink its windows keep painting and answering screen readers (the
// event loop runs, without user input and timers, so nothing else starts a statement).
// A lost connection is made again by small background steps that never wait.

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

struct pg_conn;
struct pg_result;

namespace Zelvora {

class SunucuBaglantisi {
public:
    // The limits added to a connection string that sets none of its own.
    static constexpr int BaglanmaSiniriSn = 10;      // connect_timeout, and our bound on an attempt
    static constexpr int DeyimSiniriMs = 8000;       // the server's statement_timeout
    static constexpr int YanitPayiMs = 4000;         // our wait for a reply beyond that
    static constexpr int YenidenDenemeAraligiMs = 2000; // background attempts, at most this often
    // A background attempt gives up sooner than one the user waits for: on a network that
    // swallowed its packets it would never finish, and the next one finds the server back.
    static constexpr int ArkaplanDenemeSiniriMs = 3000;
    static constexpr int OlayBeklemesiMs = 100;      // a wait this long lets the windows answer meanwhile

    // baglanti: a libpq connection string or URI. kurulum: run on every new connection
    // before it is used (session settings, LISTEN); it may throw Hata.
    SunucuBaglantisi(QString baglanti, QString ad, std::function<void()> kurulum);
    ~SunucuBaglantisi();
    SunucuBaglantisi(const SunucuBaglantisi &) = delete;
    SunucuBaglantisi &operator=(const SunucuBaglantisi &) = delete;

    pg_conn *bag() const { return m_bag; }
    bool bagliMi() const;
    // Connects now (or finishes the background attempt under way), waiting at most the
    // connection limit. Throws Hata(numara) with libpq's reason.
    void baglan(int numara);
    // One step of the background reconnection; waits a few milliseconds at most. A new
    // attempt starts at most every YenidenDenemeAraligiMs. True when connected now.
    bool arkaplandaBaglan();
    // Sends one statement with its parameters (text, NULL as nullptr) and returns its
    // result, or nullptr for a connection that broke or a reply that did not come in time,
    // after which the connection is dropped (bagliMi() false, sonNeden() says why).
    pg_result *gonder(const char *sql, int sayi, const char *const *degerler, const int *boylar);
    // Drops the connection: the server is out of reach (neden says why).
    void kopar(const QString &neden);
    // Why the last connection or statement failed: libpq's words, or ours for a limit.
    QString sonNeden() const { return m_sonNeden; }
    // A statement is being waited for (a second one cannot be sent meanwhile).
    bool mesgulMu() const { return m_mesgul; }
    // The client's bound on one statement's reply, in milliseconds.
    int yanitSiniriMs() const { return m_yanitSiniriMs; }

    // The parameters a connection is made with: the string as given (first, expanded),
    // then every limit it and the environment leave unset.
    static QList<QPair<QByteArray, QByteArray>> parametreler(const QString &baglanti);
    // The reason of a connection failure in the user's words (empty when not known), for
    // the line under the fixed network message.
    static QString nedenAciklamasi(const QString &libpqNedeni);

private:
    // Waits until the socket is ready (reading, and writing when yaz) or sonAn passes.
    bool bekle(int soket, bool yaz, qint64 sonAn);
    pg_conn *denemeyiBaslat(int sinirMs);
    // Drives the attempt under way until it ends or sonAn passes; true when connected.
    bool denemeyiSurdur(qint64 sonAn);
    void denemeBitti(bool basarili);

    QString m_baglanti;
    QString m_ad;
    std::function<void()> m_kurulum;
    pg_conn *m_bag = nullptr;
    pg_conn *m_deneme = nullptr; // an attempt under way
    int m_denemeDurumu = 0;      // its last PostgresPollingStatusType
    qint64 m_denemeSonAn = 0;
    int m_denemeSiniriMs = 0;
    QElapsedTimer m_sonDeneme;   // when the last attempt started
    QElapsedTimer m_saat;
    QString m_sonNeden;
    bool m_mesgul = false;
    int m_baglanmaSiniriMs = BaglanmaSiniriSn * 1000;
    int m_yanitSiniriMs = DeyimSiniriMs + YanitPayiMs;
};

} // namespace Zelvora

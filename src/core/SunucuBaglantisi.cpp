#include "core/SunucuBaglantisi.h"

#include "core/Hata.h"

#include <QCoreApplication>
#include <QHash>
#include <QEventLoop>
#include <QRegularExpression>
#include <QThread>

#include <libpq-fe.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <thread>
#include <vector>

namespace Zelvora {
namespace {

// A value of the connection string, or of the environment variable standing for it.
struct Secenekler {
    QHash<QByteArray, QByteArray> degerler;
    bool var(const char *anahtar) const { return degerler.contains(anahtar); }
};

Secenekler ayristir(const QString &baglanti)
{
    Secenekler s;
    char *hata = nullptr;
    PQconninfoOption *secenekler = PQconninfoParse(baglanti.toUtf8().constData(), &hata);
    PQfreemem(hata);
    if (secenekler) {
        for (PQconninfoOption *o = secenekler; o->keyword; ++o) {
            if (o->val)
                s.degerler.insert(QByteArray(o->keyword), QByteArray(o->val));
        }
        PQconninfoFree(secenekler);
    }
    // The limits libpq reads from the environment when the string leaves them out.
    const QByteArray zaman = qgetenv("PGCONNECT_TIMEOUT");
    if (!s.var("connect_timeout") && !zaman.isEmpty())
        s.degerler.insert("connect_timeout", zaman);
    const QByteArray secenek = qgetenv("PGOPTIONS");
    if (!s.var("options") && !secenek.isEmpty())
        s.degerler.insert("options", secenek);
    return s;
}

// statement_timeout as the server reads it from "-c statement_timeout=..." (milliseconds;
// -1 when not set there or not understood).
int deyimSiniri(const QByteArray &secenekler)
{
    static const QRegularExpression ifade(QStringLiteral("statement_timeout\\s*=\\s*'?(\\d+)\\s*(ms|s|min)?"));
    const QRegularExpressionMatch m = ifade.match(QString::fromUtf8(secenekler));
    if (!m.hasMatch())
        return -1;
    const qint64 n = m.captured(1).toLongLong();
    const QString birim = m.captured(2);
    const qint64 ms = birim == QStringLiteral("s") ? n * 1000 : birim == QStringLiteral("min") ? n * 60000 : n;
    return int(qMin<qint64>(ms, 24 * 3600 * 1000));
}

qint64 simdiMs(const QElapsedTimer &saat)
{
    return saat.elapsed();
}

// A cancel request is sent from a thread of its own: libpq's waits for the server's
// answer without a bound, and an unreachable server must not hold the window. One at a time.
std::atomic<bool> g_iptalGidiyor{false};

void iptalEt(PGconn *bag)
{
    if (g_iptalGidiyor.exchange(true))
        return;
    PGcancel *iptal = PQgetCancel(bag);
    if (!iptal) {
        g_iptalGidiyor = false;
        return;
    }
    std::thread([iptal] {
        char hata[256];
        PQcancel(iptal, hata, int(sizeof hata));
        PQfreeCancel(iptal);
        g_iptalGidiyor = false;
    }).detach();
}

QString libpqNedeni(PGconn *bag)
{
    return QString::fromUtf8(PQerrorMessage(bag)).trimmed();
}

} // namespace

SunucuBaglantisi::SunucuBaglantisi(QString baglanti, QString ad, std::function<void()> kurulum)
    : m_baglanti(std::move(baglanti)), m_ad(std::move(ad)), m_kurulum(std::move(kurulum))
{
    m_saat.start();
    const Secenekler s = ayristir(m_baglanti);
    if (s.var("connect_timeout")) {
        // libpq's own reading: whole seconds, at least 2; 0 means none, where ours stands.
        const int sn = s.degerler.value("connect_timeout").trimmed().toInt();
        if (sn > 0)
            m_baglanmaSiniriMs = qMax(2, sn) * 1000;
    }
    const int deyim = deyimSiniri(s.degerler.value("options"));
    if (deyim > 0)
        m_yanitSiniriMs = deyim + YanitPayiMs;
}

SunucuBaglantisi::~SunucuBaglantisi()
{
    PQfinish(m_deneme);
    PQfinish(m_bag);
}

QList<QPair<QByteArray, QByteArray>> SunucuBaglantisi::parametreler(const QString &baglanti)
{
    const Secenekler s = ayristir(baglanti);
    QList<QPair<QByteArray, QByteArray>> p;
    p.append(qMakePair(QByteArray("dbname"), baglanti.toUtf8()));
    const auto ekle = [&](const char *anahtar, const QByteArray &deger) {
        if (!s.var(anahtar))
            p.append(qMakePair(QByteArray(anahtar), deger));
    };
    // A silent network is found out: keepalives on an idle connection, and unacknowledged
    // data given up after ten seconds.
    ekle("connect_timeout", QByteArray::number(BaglanmaSiniriSn));
    ekle("keepalives", "1");
    ekle("keepalives_idle", "5");
    ekle("keepalives_interval", "2");
    ekle("keepalives_count", "3");
    ekle("tcp_user_timeout", "10000");
    // A statement the server cannot finish in time is ended by the server itself.
    const QByteArray secenekler = s.degerler.value("options");
    if (!secenekler.contains("statement_timeout"))
        p.append(qMakePair(QByteArray("options"), (secenekler + " -c statement_timeout=" + QByteArray::number(DeyimSiniriMs)).trimmed()));
    // The program reads and writes UTF-8 whatever the desk's locale.
    p.append(qMakePair(QByteArray("client_encoding"), QByteArray("UTF8")));
    return p;
}

bool SunucuBaglantisi::bagliMi() const
{
    return m_bag && PQstatus(m_bag) == CONNECTION_OK;
}

bool SunucuBaglantisi::bekle(int soket, bool yaz, qint64 sonAn)
{
    if (soket < 0)
        return true; // libpq reports the failure itself
    // On the window thread a longer wait lets the windows paint and answer screen readers;
    // user input and timers wait, so no other statement can start meanwhile.
    QCoreApplication *uyg = QCoreApplication::instance();
    const bool olaylar = uyg && QThread::currentThread() == uyg->thread();
    const qint64 basla = simdiMs(m_saat);
    for (;;) {
        const qint64 simdi = simdiMs(m_saat);
        const qint64 kalan = sonAn - simdi;
        if (kalan <= 0)
            return false;
        const qint64 gecen = simdi - basla;
        qint64 dilim = kalan;
        if (olaylar)
            dilim = qMin(kalan, gecen < OlayBeklemesiMs ? OlayBeklemesiMs - gecen : qint64(20));
        pollfd p{soket, short(yaz ? POLLOUT : POLLIN), 0};
        const int r = ::poll(&p, 1, int(qMax<qint64>(dilim, 1)));
        if (r > 0 || (r < 0 && errno != EINTR))
            return true;
        if (olaylar && simdiMs(m_saat) - basla >= OlayBeklemesiMs) {
            m_mesgul = true;
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
            m_mesgul = false;
        }
    }
}

pg_conn *SunucuBaglantisi::denemeyiBaslat(int sinirMs)
{
    m_sonDeneme.start();
    const auto p = parametreler(m_baglanti);
    std::vector<const char *> anahtarlar, degerler;
    for (const auto &[a, d] : p) {
        anahtarlar.push_back(a.constData());
        degerler.push_back(d.constData());
    }
    anahtarlar.push_back(nullptr);
    degerler.push_back(nullptr);
    PGconn *c = PQconnectStartParams(anahtarlar.data(), degerler.data(), 1);
    if (!c) {
        m_sonNeden = QStringLiteral("Bellek yetersiz.");
        return nullptr;
    }
    if (PQstatus(c) == CONNECTION_BAD) {
        m_sonNeden = libpqNedeni(c);
        PQfinish(c);
        return nullptr;
    }
    m_denemeDurumu = PGRES_POLLING_WRITING;
    m_denemeSiniriMs = sinirMs;
    m_denemeSonAn = simdiMs(m_saat) + sinirMs;
    return c;
}

bool SunucuBaglantisi::denemeyiSurdur(qint64 sonAn)
{
    while (m_deneme) {
        if (m_denemeDurumu == PGRES_POLLING_OK) {
            denemeBitti(true);
            return bagliMi();
        }
        if (m_denemeDurumu == PGRES_POLLING_FAILED) {
            m_sonNeden = libpqNedeni(m_deneme);
            denemeBitti(false);
            return false;
        }
        const qint64 son = qMin(sonAn, m_denemeSonAn);
        if (!bekle(PQsocket(m_deneme), m_denemeDurumu == PGRES_POLLING_WRITING, son)) {
            if (simdiMs(m_saat) >= m_denemeSonAn) {
                m_sonNeden = QStringLiteral("Sunucu %1 saniye içinde bağlantıya yanıt vermedi.").arg(m_denemeSiniriMs / 1000);
                denemeBitti(false);
            }
            return false;
        }
        m_denemeDurumu = PQconnectPoll(m_deneme);
    }
    return false;
}

void SunucuBaglantisi::denemeBitti(bool basarili)
{
    if (!basarili) {
        PQfinish(m_deneme);
        m_deneme = nullptr;
        return;
    }
    PQfinish(m_bag);
    m_bag = m_deneme;
    m_deneme = nullptr;
    // Writes never wait on a full socket: what is not sent yet is flushed by the bounded wait.
    PQsetnonblocking(m_bag, 1);
    try {
        if (m_kurulum)
            m_kurulum();
    } catch (const Hata &h) {
        kopar(h.aciklama());
    }
}

void SunucuBaglantisi::baglan(int numara)
{
    if (bagliMi())
        return;
    PQfinish(m_bag);
    m_bag = nullptr;
    // An attempt of the background under way is carried on, with the user's limit.
    if (m_deneme) {
        m_denemeSiniriMs = m_baglanmaSiniriMs;
        m_denemeSonAn = simdiMs(m_saat) - m_sonDeneme.elapsed() + m_baglanmaSiniriMs;
    } else {
        m_deneme = denemeyiBaslat(m_baglanmaSiniriMs);
    }
    if (!m_deneme || !denemeyiSurdur(m_denemeSonAn)) {
        if (m_deneme) {
            // Cannot happen (the wait runs to the attempt's end); ended all the same.
            PQfinish(m_deneme);
            m_deneme = nullptr;
        }
        throw Hata(numara, m_sonNeden, m_ad);
    }
}

bool SunucuBaglantisi::arkaplandaBaglan()
{
    if (bagliMi())
        return true;
    if (m_mesgul)
        return false;
    PQfinish(m_bag);
    m_bag = nullptr;
    if (!m_deneme) {
        if (m_sonDeneme.isValid() && m_sonDeneme.elapsed() < YenidenDenemeAraligiMs)
            return false;
        m_deneme = denemeyiBaslat(qMin(m_baglanmaSiniriMs, ArkaplanDenemeSiniriMs));
        if (!m_deneme)
            return false;
    }
    // A few milliseconds: a server on the office network answers each step in far less.
    return denemeyiSurdur(simdiMs(m_saat) + 30);
}

void SunucuBaglantisi::kopar(const QString &neden)
{
    m_sonNeden = neden;
    PQfinish(m_bag);
    m_bag = nullptr;
}

pg_result *SunucuBaglantisi::gonder(const char *sql, int sayi, const char *const *degerler, const int *boylar)
{
    if (!bagliMi()) {
        if (m_sonNeden.isEmpty())
            m_sonNeden = QStringLiteral("Sunucuyla bağlantı yok.");
        return nullptr;
    }
    // Without parameters the simple protocol, which takes several statements at once.
    const int gitti = sayi == 0 ? PQsendQuery(m_bag, sql)
                                : PQsendQueryParams(m_bag, sql, sayi, nullptr, degerler, boylar, nullptr, 0);
    if (!gitti) {
        kopar(libpqNedeni(m_bag));
        return nullptr;
    }
    const qint64 sonAn = simdiMs(m_saat) + m_yanitSiniriMs;
    const auto zamanAsimi = [&] {
        // The server may still be working on it: it is asked to stop, and the connection,
        // whose state is no longer known, is dropped.
        iptalEt(m_bag);
        kopar(QStringLiteral("Sunucu %1 saniye içinde yanıt vermedi.").arg((m_yanitSiniriMs + 999) / 1000));
    };
    for (;;) {
        const int kalan = PQflush(m_bag);
        if (kalan < 0) {
            kopar(libpqNedeni(m_bag));
            return nullptr;
        }
        if (kalan == 0)
            break;
        if (!bekle(PQsocket(m_bag), true, sonAn)) {
            zamanAsimi();
            return nullptr;
        }
        if (!PQconsumeInput(m_bag)) {
            kopar(libpqNedeni(m_bag));
            return nullptr;
        }
    }
    PGresult *sonuc = nullptr;
    for (;;) {
        while (PQisBusy(m_bag)) {
            if (!bekle(PQsocket(m_bag), false, sonAn)) {
                PQclear(sonuc);
                zamanAsimi();
                return nullptr;
            }
            if (!PQconsumeInput(m_bag)) {
                // The connection broke: its last words (the server's shutdown notice) are
                // kept in the result when one came.
                if (!sonuc) {
                    kopar(libpqNedeni(m_bag));
                    return nullptr;
                }
                break;
            }
        }
        PGresult *r = PQgetResult(m_bag);
        if (!r)
            break;
        // The first failure is the answer; otherwise the last statement's result.
        const bool oncekiHata = sonuc && PQresultStatus(sonuc) == PGRES_FATAL_ERROR;
        if (oncekiHata) {
            PQclear(r);
        } else {
            PQclear(sonuc);
            sonuc = r;
        }
        if (PQstatus(m_bag) != CONNECTION_OK)
            break;
    }
    if (!sonuc) {
        kopar(libpqNedeni(m_bag));
    } else if (PQstatus(m_bag) != CONNECTION_OK) {
        // The reply came, and then the server closed the connection (it is shutting down).
        QString neden = QString::fromUtf8(PQresultErrorMessage(sonuc)).trimmed();
        kopar(neden.isEmpty() ? libpqNedeni(m_bag) : neden);
    }
    return sonuc;
}

QString SunucuBaglantisi::nedenAciklamasi(const QString &n)
{
    const auto var = [&](const char *parca) { return n.contains(QLatin1String(parca), Qt::CaseInsensitive); };
    if (var("password authentication failed"))
        return QStringLiteral("Sunucu, kullanıcının parolasını kabul etmedi.");
    if (var("no password supplied"))
        return QStringLiteral("Sunucu parola istiyor; bu masada bu sunucu için kayıtlı parola (~/.pgpass) yok.");
    if (var("database \"") && var("does not exist"))
        return QStringLiteral("Sunucuda bu adda bir veritabanı yok.");
    if (var("role \"") && var("does not exist"))
        return QStringLiteral("Sunucuda bu adda bir kullanıcı yok.");
    if (var("no pg_hba.conf entry"))
        return QStringLiteral("Sunucu bu masanın bu kullanıcıyla bağlanmasına izin vermiyor (pg_hba.conf).");
    if (var("certificate verify failed") || var("self-signed certificate") || var("unable to get local issuer"))
        return QStringLiteral("Sunucunun sertifikasına güvenilmiyor: tanınan bir kök sertifikayla doğrulanamadı.");
    if (var("does not match host name") || var("server certificate for"))
        return QStringLiteral("Sunucunun sertifikası bu sunucu adına verilmemiş.");
    if (var("root certificate file") || var("sslrootcert"))
        return QStringLiteral("Sunucunun sertifikasını doğrulayacak kök sertifika dosyası bu masada yok.");
    if (var("server does not support SSL"))
        return QStringLiteral("Sunucu şifreli (SSL) bağlantı sunmuyor.");
    if (var("Connection refused"))
        return QStringLiteral("Sunucu bağlantıyı geri çevirdi: sunucu programı çalışmıyor olabilir.");
    if (var("could not translate host name") || var("Name or service not known"))
        return QStringLiteral("Sunucunun adı bulunamadı.");
    if (var("No such file or directory") && var("socket"))
        return QStringLiteral("Sunucu bu bilgisayarda çalışmıyor.");
    if (var("shutting down") || var("starting up") || var("terminating connection") || var("in recovery mode"))
        return QStringLiteral("Sunucu kapanıyor ya da yeniden başlıyor.");
    if (var("server closed the connection") || var("connection to server") || var("no connection to the server")
        || var("Connection reset") || var("Broken pipe"))
        return QStringLiteral("Sunucuyla bağlantı koptu.");
    if (var("timeout expired") || var("timed out"))
        return QStringLiteral("Sunucu zamanında yanıt vermedi.");
    return QString();
}

} // namespace Zelvora

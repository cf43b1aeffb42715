#pragma once
// A TCP proxy of the tests' own on 127.0.0.1, in front of the private server's Unix
// socket, playing the office network: it forwards, or black-holes (keeps every socket
// open and drops whatever comes), or closes each new connection at once (a server that is
// going down); or, once, lets a statement through and loses the server's reply to it,
// then breaks that connection (a reply lost after the server did the work). Runs on a thread of its
// own, so a test's window thread may wait on it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace Zelvora::Test {

class TcpAracisi {
public:
    enum class Kip { Ilet, KaraDelik, Kapat };

    // hedef: the folder of the server's Unix socket (its "host=" in the tests).
    explicit TcpAracisi(const QString &hedefKlasor, int hedefPort = 5432)
        : m_hedef((hedefKlasor + QStringLiteral("/.s.PGSQL.") + QString::number(hedefPort)).toUtf8())
    {
        m_dinleyen = ::socket(AF_INET, SOCK_STREAM, 0);
        int evet = 1;
        ::setsockopt(m_dinleyen, SOL_SOCKET, SO_REUSEADDR, &evet, sizeof evet);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_dinleyen, reinterpret_cast<sockaddr *>(&a), sizeof a);
        ::listen(m_dinleyen, 16);
        socklen_t boy = sizeof a;
        ::getsockname(m_dinleyen, reinterpret_cast<sockaddr *>(&a), &boy);
        m_port = ntohs(a.sin_port);
        if (::pipe(m_uyandir) != 0)
            m_uyandir[0] = m_uyandir[1] = -1;
        m_is = std::thread([this] { calis(); });
    }
    ~TcpAracisi()
    {
        m_bitir = true;
        if (::write(m_uyandir[1], "x", 1) != 1) {
            // The loop looks at m_bitir every 100 ms anyway.
        }
        m_is.join();
        for (const Cift &c : m_ciftler) {
            ::close(c.istemci);
            if (c.sunucu >= 0)
                ::close(c.sunucu);
        }
        ::close(m_dinleyen);
        ::close(m_uyandir[0]);
        ::close(m_uyandir[1]);
    }

    int port() const { return m_port; }
    void kipAyarla(Kip k) { m_kip = k; }
    // Closes every connection open now (a network that broke them).
    void hepsiniKes() { m_kes = true; }
    // Connections accepted so far.
    int kabulSayisi() const { return m_kabul; }
    // Once: the first message from a desk that holds igne goes to the server, whose reply
    // is lost; the connection then breaks (the server has done the work, the desk never
    // hears of it).
    void yanitiKaybet(const QByteArray &igne)
    {
        m_igne = igne;
        m_kaybetKurulu = true;
    }
    // The reply has been lost.
    bool yanitKaybedildi() const { return m_kaybedildi; }

private:
    struct Cift {
        int istemci;
        int sunucu; // -1 when black-holed from the start
        bool yanitiKaybet = false;
    };

    void calis()
    {
        std::vector<pollfd> p;
        char tampon[65536];
        while (!m_bitir) {
            p.clear();
            p.push_back({m_dinleyen, POLLIN, 0});
            p.push_back({m_uyandir[0], POLLIN, 0});
            for (const Cift &c : m_ciftler) {
                p.push_back({c.istemci, POLLIN, 0});
                p.push_back({c.sunucu, POLLIN, 0}); // a negative descriptor is skipped
            }
            const int hazir = ::poll(p.data(), nfds_t(p.size()), 100);
            if (m_kes.exchange(false)) {
                for (const Cift &c : m_ciftler) {
                    ::close(c.istemci);
                    if (c.sunucu >= 0)
                        ::close(c.sunucu);
                }
                m_ciftler.clear();
                continue;
            }
            if (hazir <= 0)
                continue;
            // The pairs polled above; one accepted now is looked at in the next round.
            const size_t bakilan = m_ciftler.size();
            if (p[0].revents & POLLIN) {
                const int s = ::accept(m_dinleyen, nullptr, nullptr);
                if (s >= 0 && m_kip == Kip::Kapat) {
                    ++m_kabul;
                    ::close(s);
                } else if (s >= 0) {
                    ++m_kabul;
                    int h = -1;
                    if (m_kip == Kip::Ilet) {
                        h = ::socket(AF_UNIX, SOCK_STREAM, 0);
                        sockaddr_un u{};
                        u.sun_family = AF_UNIX;
                        std::strncpy(u.sun_path, m_hedef.constData(), sizeof u.sun_path - 1);
                        if (::connect(h, reinterpret_cast<sockaddr *>(&u), sizeof u) != 0) {
                            ::close(h);
                            ::close(s);
                            continue;
                        }
                    }
                    m_ciftler.push_back({s, h, false});
                }
            }
            std::vector<Cift> kalan;
            for (size_t i = bakilan; i < m_ciftler.size(); ++i)
                kalan.push_back(m_ciftler[i]);
            for (size_t i = 0; i < bakilan; ++i) {
                Cift c = m_ciftler[i];
                const pollfd &pi = p[2 + 2 * i];
                const pollfd &ps = p[3 + 2 * i];
                bool kapandi = false;
                const bool delik = m_kip == Kip::KaraDelik || c.sunucu < 0;
                if (pi.revents & (POLLIN | POLLHUP | POLLERR)) {
                    const ssize_t n = ::read(c.istemci, tampon, sizeof tampon);
                    if (n <= 0)
                        kapandi = true;
                    else if (!delik)
                        yaz(c.sunucu, tampon, n);
                    if (n > 0 && m_kaybetKurulu && QByteArrayView(tampon, n).contains(QByteArrayView(m_igne))) {
                        m_kaybetKurulu = false;
                        c.yanitiKaybet = true;
                    }
                }
                if (!kapandi && c.sunucu >= 0 && (ps.revents & (POLLIN | POLLHUP | POLLERR))) {
                    const ssize_t n = ::read(c.sunucu, tampon, sizeof tampon);
                    if (n <= 0) {
                        kapandi = true;
                    } else if (c.yanitiKaybet) {
                        // The server has answered: the answer goes nowhere, and so does the connection.
                        kapandi = true;
                        m_kaybedildi = true;
                    } else if (!delik) {
                        yaz(c.istemci, tampon, n);
                    }
                }
                if (kapandi) {
                    ::close(c.istemci);
                    if (c.sunucu >= 0)
                        ::close(c.sunucu);
                } else {
                    kalan.push_back(c);
                }
            }
            m_ciftler.swap(kalan);
            if (p[1].revents & POLLIN) {
                char x;
                if (::read(m_uyandir[0], &x, 1) != 1) {
                }
            }
        }
    }
    static void yaz(int s, const char *veri, ssize_t n)
    {
        while (n > 0) {
            const ssize_t y = ::write(s, veri, size_t(n));
            if (y < 0 && errno == EINTR)
                continue;
            if (y <= 0)
                return;
            veri += y;
            n -= y;
        }
    }

    QByteArray m_hedef;
    int m_dinleyen = -1;
    int m_port = 0;
    int m_uyandir[2] = {-1, -1};
    std::atomic<Kip> m_kip{Kip::Ilet};
    std::atomic<bool> m_bitir{false};
    std::atomic<bool> m_kes{false};
    std::atomic<int> m_kabul{0};
    QByteArray m_igne; // written before m_kaybetKurulu is set
    std::atomic<bool> m_kaybetKurulu{false};
    std::atomic<bool> m_kaybedildi{false};
    std::vector<Cift> m_ciftler;
    std::thread m_is;
};

} // namespace Zelvora::Test

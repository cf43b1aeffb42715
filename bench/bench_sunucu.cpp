// The main window's listings on the office server, side by side with the desk's file:
// the same 100 000 jobs in 200 folders in an SQLite file and in a PostgreSQL database
// reached over its Unix socket; one folder (500 jobs) and all folders, through the main
// window (statement, model filled), best of the repeats.
//
//   dir=$(mktemp -d); export ZELVORA_BENCH_SUNUCU=$(scripts/sunucu-gecici.sh baslat "$dir")
//   QT_QPA_PLATFORM=offscreen build/bench/bench_sunucu [jobs] [folders] [repeats]
//
// The server's database must hold the schema of sql/sunucu.sql; its tables are emptied.
//
// The office: desks as separate processes on one server, each with its own event loop.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_sunucu --masalar [seconds] [inserts] [watchers] [jobs]
//
// Defaults 80 s, 1 000 inserts, 9 watching desks, 100 000 jobs in 200 folders: the
// watching desks show all folders' jobs, a tenth desk adds the jobs spread over the time.
// Told: the server's CPU (utime + stime from /proc/<pid>/stat of every process that
// pg_stat_activity lists, the backends and the server's own workers, from the first
// insert until the desks have settled), the bytes each desk read from the server over
// the same time against the
// added rows' own size (their values as text), and each desk's worst event-loop stall
// (a 20 ms timer's lateness), with the window thread's own CPU time in the worst gap
// between two ticks (on a busy machine the lateness also holds the waits for a core). A desk's bytes are counted by a relay on a thread of its
// own: the desk reaches the server's Unix socket over 127.0.0.1 through it, and every
// byte the server sends (rows, notifications, the protocol's own) is counted.

#include "OrnekVeritabani.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QTemporaryDir>

#include <libpq-fe.h>

#include <algorithm>
#include <map>
#include <atomic>
#include <cstring>
#include <ctime>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace Zelvora;

namespace {

class SessizMesaj : public MesajKutusu {
public:
    MesajCevabi goster(const QString &m, MesajSimgesi, MesajDugmeleri, MesajCevabi v, const QString &) override
    {
        std::fprintf(stderr, "mesaj: %s\n", m.toUtf8().constData());
        return v;
    }
};

// One generated job: a folder, a day in three years, a time, texts like a law office's.
IsKaydi uretilenIs(int i, int klasorSayisi)
{
    const unsigned h = unsigned(i) * 2654435761u;
    IsKaydi is;
    is.anahtari = QString::number(i % klasorSayisi + 1) + QStringLiteral("-Anahtar");
    is.tarih = QDate(2024, 1, 1).addDays(int(h % 1100));
    is.saat = QTime(int((h >> 11) % 24), int((h >> 5) % 60));
    is.konu = QStringLiteral("Duruşma ") + QString::number(i);
    is.yer = QStringLiteral("İstanbul ") + QString::number((h >> 7) % 50) + QStringLiteral(". Asliye Hukuk");
    is.sayi = QStringLiteral("2026/") + QString::number((h >> 3) % 9999);
    is.aciklama = QStringLiteral("Müvekkil ile görüşülecek, dosya hazırlanacak. Sıra ") + QString::number(i);
    is.hatirlatma = (h >> 13) & 1;
    is.yapildi = (h >> 17) % 5 == 0;
    return is;
}

// Fills both back ends with the same folders and jobs, each in one transaction.
void doldur(Veritabani &vt, int isSayisi, int klasorSayisi)
{
    vt.calistir("BEGIN");
    for (int k = 1; k <= klasorSayisi; ++k)
        vt.klasorEkle({QString::number(k) + QStringLiteral("-Anahtar"), QStringLiteral("Klasor"),
                       QStringLiteral("Dosya ") + QString::number(k)});
    for (int i = 0; i < isSayisi; ++i)
        vt.isEkle(uretilenIs(i, klasorSayisi));
    vt.calistir("COMMIT");
}

double ms(const QElapsedTimer &z)
{
    return double(z.nsecsElapsed()) / 1e6;
}

struct Sureler {
    double birKlasor = 1e9, tumKlasorler = 1e9;
    int birSatir = 0, tumSatir = 0;
};

// The main window on the open database: one folder, then all folders, best of tekrar.
Sureler olc(int tekrar)
{
    Sureler o;
    auto f = std::make_unique<AnaForm>(true);
    // The reminder scan's modal window, for the generated jobs due today, would wait for
    // a user that is not there.
    f->findChild<QTimer *>(QStringLiteral("YapilacakIsKontrolu"))->stop();
    QApplication::processEvents();
    QTreeWidgetItem *dugum = f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->dugum(QStringLiteral("7-Anahtar"));
    for (int i = 0; i < tekrar; ++i) {
        QElapsedTimer z;
        z.start();
        f->findChild<KlasorAgaci *>(QStringLiteral("KlasorListesi"))->setCurrentItem(dugum);
        f->KlasorListesi_NodeClick(dugum);
        QApplication::processEvents();
        o.birKlasor = std::min(o.birKlasor, ms(z));
        o.birSatir = f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
        z.restart();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(true);
        QApplication::processEvents();
        o.tumKlasorler = std::min(o.tumKlasorler, ms(z));
        o.tumSatir = f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"))->satirSayisi();
        f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(false);
        QApplication::processEvents();
    }
    return o;
}


// --- The office: desks as processes ----------------------------------------------

// A process's CPU time in clock ticks (utime + stime), 0 when it is gone.
long long islemciZamani(long long pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray satir = f.readAll();
    // The fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> alanlar = satir.mid(satir.lastIndexOf(')') + 2).split(' ');
    return alanlar.size() > 12 ? alanlar.at(11).toLongLong() + alanlar.at(12).toLongLong() : 0;
}

// A relay from 127.0.0.1 to the server's Unix socket that counts the bytes the server
// sends. Runs on a thread of its own for the life of the process.
class SayanAraci {
public:
    explicit SayanAraci(const QByteArray &soket) : m_soket(soket)
    {
        m_dinleyen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_dinleyen, reinterpret_cast<sockaddr *>(&a), sizeof a);
        ::listen(m_dinleyen, 8);
        socklen_t boy = sizeof a;
        ::getsockname(m_dinleyen, reinterpret_cast<sockaddr *>(&a), &boy);
        m_port = ntohs(a.sin_port);
        std::thread([this] { calis(); }).detach();
    }
    int port() const { return m_port; }
    long long bayt() const { return m_bayt; }

private:
    void calis()
    {
        std::vector<std::pair<int, int>> ciftler; // desk, server
        std::vector<pollfd> p;
        char tampon[1 << 16];
        for (;;) {
            p.assign(1, {m_dinleyen, POLLIN, 0});
            for (const auto &[m, s] : ciftler) {
                p.push_back({m, POLLIN, 0});
                p.push_back({s, POLLIN, 0});
            }
            if (::poll(p.data(), nfds_t(p.size()), 1000) <= 0)
                continue;
            std::vector<std::pair<int, int>> kalan;
            for (size_t i = 0; i < ciftler.size(); ++i) {
                const auto [m, s] = ciftler[i];
                bool kapandi = false;
                for (int yon = 0; yon < 2 && !kapandi; ++yon) {
                    if (!(p[1 + 2 * i + size_t(yon)].revents & (POLLIN | POLLHUP | POLLERR)))
                        continue;
                    const ssize_t n = ::read(yon ? s : m, tampon, sizeof tampon);
                    if (n <= 0) {
                        kapandi = true;
                        break;
                    }
                    if (yon)
                        m_bayt += n;
                    for (ssize_t yazilan = 0; yazilan < n;) {
                        const ssize_t y = ::write(yon ? m : s, tampon + yazilan, size_t(n - yazilan));
                        if (y <= 0) {
                            kapandi = true;
                            break;
                        }
                        yazilan += y;
                    }
                }
                if (kapandi) {
                    ::close(m);
                    ::close(s);
                } else {
                    kalan.emplace_back(m, s);
                }
            }
            ciftler.swap(kalan);
            if (p[0].revents & POLLIN) {
                const int m = ::accept(m_dinleyen, nullptr, nullptr);
                const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
                sockaddr_un u{};
                u.sun_family = AF_UNIX;
                std::strncpy(u.sun_path, m_soket.constData(), sizeof u.sun_path - 1);
                if (m >= 0 && ::connect(s, reinterpret_cast<sockaddr *>(&u), sizeof u) == 0) {
                    ciftler.emplace_back(m, s);
                } else {
                    ::close(m);
                    ::close(s);
                }
            }
        }
    }
    QByteArray m_soket;
    int m_dinleyen = -1;
    int m_port = 0;
    std::atomic<long long> m_bayt{0};
};

// A value of a libpq connection string "a=b c=d".
QString baglantiDegeri(const QString &baglanti, const QString &ad)
{
    for (const QString &parca : baglanti.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (parca.startsWith(ad + QLatin1Char('=')))
            return parca.mid(ad.size() + 1);
    }
    return {};
}

// The server's processes and their CPU ticks now.
std::map<long long, long long> sunucuIslemcisi(PGconn *c)
{
    std::map<long long, long long> sonuc;
    PGresult *r = PQexec(c, "SELECT pid FROM pg_stat_activity");
    for (int i = 0; i < PQntuples(r); ++i) {
        const long long pid = std::atoll(PQgetvalue(r, i, 0));
        sonuc[pid] = islemciZamani(pid);
    }
    PQclear(r);
    return sonuc;
}

// The temporary folders, settings and silent message boxes every desk of the bench runs with.
void masaOrtami(QTemporaryDir &klasor)
{
    Olcum::klasorleriKur(klasor.path());
    Arayuz::mesajKutusuKur(std::make_shared<SessizMesaj>());
    OrtakDegiskenler::PencereBasligi = QStringLiteral("bench");
    Tercihler::yukle();
}

void satirYaz(const QByteArray &s)
{
    std::fwrite(s.constData(), 1, size_t(s.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A watching desk: the main window showing all folders. Told on its standard input
// "BASLA" (measuring starts) and "BITIR" (it prints its figures and ends).
int izleyiciMasa(const QString &sunucu)
{
    QTemporaryDir klasor;
    masaOrtami(klasor);
    const QString host = baglantiDegeri(sunucu, QStringLiteral("host"));
    const QString port = baglantiDegeri(sunucu, QStringLiteral("port"));
    SayanAraci araci((host + QStringLiteral("/.s.PGSQL.") + (port.isEmpty() ? QStringLiteral("5432") : port)).toUtf8());
    std::unique_ptr<Veritabani> vt = Veritabani::sunucuyaBaglan(
        QStringLiteral("host=127.0.0.1 port=%1 user=%2 dbname=%3 sslmode=disable")
            .arg(araci.port())
            .arg(baglantiDegeri(sunucu, QStringLiteral("user")), baglantiDegeri(sunucu, QStringLiteral("dbname"))));
    Veritabani::acikAyarla(vt.get());
    auto f = std::make_unique<AnaForm>(true);
    // The reminder scan's modal window would wait for a user that is not there.
    f->findChild<QTimer *>(QStringLiteral("YapilacakIsKontrolu"))->stop();
    QApplication::processEvents();
    f->findChild<QCheckBox *>(QStringLiteral("TumKlasorlerOnayi"))->setChecked(true);
    QApplication::processEvents();
    IsListesi *liste = f->findChild<IsListesi *>(QStringLiteral("YapilacakIslerListesi"));

    Olcum::Nabiz nabiz;
    long long ilkBayt = 0;
    QSocketNotifier girdi(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&girdi, &QSocketNotifier::activated, [&] {
        char tampon[64];
        const ssize_t n = ::read(STDIN_FILENO, tampon, sizeof tampon - 1);
        const QByteArray komut = n > 0 ? QByteArray(tampon, int(n)).trimmed() : QByteArrayLiteral("BITIR");
        if (komut.startsWith("BASLA")) {
            ilkBayt = araci.bayt();
            nabiz.sifirla();
        } else {
            satirYaz("SONUC " + QByteArray::number(nabiz.enUzunMs, 'f', 1) + ' ' + QByteArray::number(araci.bayt() - ilkBayt)
                     + ' ' + QByteArray::number(liste->satirSayisi()) + ' ' + QByteArray::number(nabiz.enUzunIsMs, 'f', 1));
            QApplication::quit();
        }
    });
    satirYaz("HAZIR " + QByteArray::number(liste->satirSayisi()));
    const int sonuc = QApplication::exec();
    f.reset();
    Veritabani::acikAyarla(nullptr);
    return sonuc;
}

// The tenth desk: adds the jobs spread evenly over the time; prints the added rows'
// own size (their values as text, as the server sends them).
int yaziciMasa(const QString &sunucu, int ekleme, int saniye, int ilkNo, int klasorSayisi)
{
    std::unique_ptr<Veritabani> vt = Veritabani::sunucuyaBaglan(sunucu);
    QElapsedTimer saat;
    saat.start();
    long long bayt = 0;
    for (int i = 0; i < ekleme; ++i) {
        const qint64 an = qint64(i) * saniye * 1000 / ekleme;
        if (an > saat.elapsed())
            QThread::msleep(quint64(an - saat.elapsed()));
        const IsKaydi is = uretilenIs(ilkNo + i, klasorSayisi);
        const qint64 no = vt->isEkle(is);
        bayt += QByteArray::number(no).size() + is.anahtari.toUtf8().size() + 10 + 8 + is.konu.toUtf8().size()
            + is.yer.toUtf8().size() + is.sayi.toUtf8().size() + is.aciklama.toUtf8().size() + 2;
    }
    satirYaz("BITTI " + QByteArray::number(bayt));
    return 0;
}

QByteArray satirBekle(QProcess &p, const QByteArray &bas, int sinirMs)
{
    QElapsedTimer z;
    z.start();
    while (z.elapsed() < sinirMs) {
        if (p.canReadLine() || p.waitForReadyRead(200)) {
            while (p.canReadLine()) {
                const QByteArray satir = p.readLine().trimmed();
                if (satir.startsWith(bas))
                    return satir;
                std::fprintf(stderr, "masa: %s\n", satir.constData());
            }
        }
        if (p.state() == QProcess::NotRunning && !p.canReadLine())
            break;
    }
    return {};
}

int ofis(const QString &sunucu, int saniye, int ekleme, int izleyici, int isSayisi)
{
    const int klasorSayisi = 200;
    QTemporaryDir klasor;
    masaOrtami(klasor);
    {
        std::unique_ptr<Veritabani> vt = Veritabani::sunucuyaBaglan(sunucu);
        vt->calistir("TRUNCATE \"YapilacakIslerTablosu\", \"KlasorBilgileriTablosu\" RESTART IDENTITY CASCADE");
        QElapsedTimer z;
        z.start();
        // The same jobs as uretilenIs makes, written by the server in one statement.
        vt->calistir("INSERT INTO \"KlasorBilgileriTablosu\" SELECT k || '-Anahtar', 'Klasor', 'Dosya ' || k "
                     "FROM generate_series(1, 200) k");
        vt->calistir(("INSERT INTO \"YapilacakIslerTablosu\"(\"Anahtari\", \"IsinTarihi\", \"IsinSaati\", \"IsinKonusu\", "
                      "\"IsinYeri\", \"IsinSayisi\", \"Aciklama\", \"Hatirlatma\", \"IsYapildi\") "
                      "SELECT (i % 200 + 1) || '-Anahtar', date '2024-01-01' + (h % 1100)::int, "
                      "make_time(((h >> 11) % 24)::int, ((h >> 5) % 60)::int, 0), 'Duruşma ' || i, "
                      "'İstanbul ' || ((h >> 7) % 50) || '. Asliye Hukuk', '2026/' || ((h >> 3) % 9999), "
                      "'Müvekkil ile görüşülecek, dosya hazırlanacak. Sıra ' || i, ((h >> 13) & 1) = 1, ((h >> 17) % 5) = 0 "
                      "FROM (SELECT i, (i::bigint * 2654435761) % 4294967296 AS h FROM generate_series(0, "
                      + QByteArray::number(isSayisi - 1) + ") i) s")
                         .constData());
        vt->calistir("ANALYZE");
        std::printf("Üretilen: %d iş, %d klasör (%.0f ms)\n", isSayisi, klasorSayisi, ms(z));
    }
    PGconn *c = PQconnectdb(sunucu.toUtf8().constData());
    if (PQstatus(c) != CONNECTION_OK) {
        std::fprintf(stderr, "%s", PQerrorMessage(c));
        return 2;
    }
    const QString ben = QCoreApplication::applicationFilePath();
    QProcessEnvironment ortam = QProcessEnvironment::systemEnvironment();
    ortam.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    std::vector<std::unique_ptr<QProcess>> masalar;
    for (int i = 0; i < izleyici; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(ortam);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(ben, {QStringLiteral("--izleyici")});
        masalar.push_back(std::move(p));
    }
    for (auto &p : masalar) {
        const QByteArray h = satirBekle(*p, "HAZIR", 600000);
        if (h.isEmpty()) {
            std::fprintf(stderr, "a desk did not start\n");
            return 2;
        }
    }
    std::printf("%d masa tüm işleri gösteriyor; %d ekleme %d saniyede\n", izleyici, ekleme, saniye);
    std::fflush(stdout);
    const std::map<long long, long long> ilk = sunucuIslemcisi(c);
    for (auto &p : masalar) {
        p->write("BASLA\n");
        p->waitForBytesWritten(5000);
    }
    QProcess yazici;
    yazici.setProcessEnvironment(ortam);
    yazici.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    yazici.start(ben, {QStringLiteral("--yazici"), QString::number(ekleme), QString::number(saniye),
                       QString::number(isSayisi), QString::number(klasorSayisi)});
    // The writer's backend ends with it: its CPU is read just before.
    std::map<long long, long long> son;
    QByteArray bitti;
    QElapsedTimer z;
    z.start();
    while (bitti.isEmpty() && yazici.state() != QProcess::NotRunning) {
        if (yazici.waitForReadyRead(500) && yazici.canReadLine()) {
            bitti = yazici.readLine().trimmed();
        }
        for (const auto &[pid, t] : sunucuIslemcisi(c))
            son[pid] = std::max(son[pid], t);
    }
    const double eklemeSuresi = double(z.elapsed()) / 1000;
    // The desks read the last changes and settle.
    QThread::msleep(3000);
    for (const auto &[pid, t] : sunucuIslemcisi(c))
        son[pid] = std::max(son[pid], t);
    long long tik = 0;
    for (const auto &[pid, t] : son) {
        const auto i = ilk.find(pid);
        tik += t - (i == ilk.end() ? 0 : i->second);
    }
    yazici.waitForFinished(10000);
    const double cpu = double(tik) / double(sysconf(_SC_CLK_TCK));
    const long long satirBayti = bitti.mid(6).toLongLong();
    for (auto &p : masalar) {
        p->write("BITIR\n");
        p->waitForBytesWritten(5000);
    }
    double enUzun = 0, enUzunIs = 0, enCokBayt = 0;
    long long toplamBayt = 0;
    bool tam = true;
    std::printf("\n%-6s %14s %8s %16s %16s %8s\n", "masa", "okunan bayt", "oran", "en uzun durma", "(masanın işi)", "satır");
    for (size_t i = 0; i < masalar.size(); ++i) {
        const QList<QByteArray> a = satirBekle(*masalar[i], "SONUC", 60000).split(' ');
        if (a.size() < 5) {
            tam = false;
            continue;
        }
        const double durma = a.at(1).toDouble();
        const long long bayt = a.at(2).toLongLong();
        const int satir = a.at(3).toInt();
        const double is = a.at(4).toDouble();
        tam = tam && satir == isSayisi + ekleme;
        enUzun = std::max(enUzun, durma);
        enUzunIs = std::max(enUzunIs, is);
        enCokBayt = std::max(enCokBayt, double(bayt));
        toplamBayt += bayt;
        std::printf("%-6zu %14lld %8.2f %13.1f ms %13.1f ms %8d\n", i + 1, bayt, double(bayt) / double(satirBayti), durma, is,
                    satir);
        masalar[i]->waitForFinished(10000);
    }
    std::printf("\neklenen satırların kendi boyu: %lld bayt\n", satirBayti);
    std::printf("sunucunun işlemci zamanı: %.2f CPU-s (eklemeler %.0f s sürdü)\n", cpu, eklemeSuresi);
    std::printf("OZET_OFIS sunucu_cpu_s=%.2f masa_bayt_orani_en_cok=%.2f en_uzun_durma_ms=%.1f en_uzun_is_ms=%.1f tam=%d\n",
                cpu, enCokBayt / double(satirBayti), enUzun, enUzunIs, tam ? 1 : 0);
    PQfinish(c);
    return tam ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication uygulama(argc, argv);
    const QString sunucuAdresi = qEnvironmentVariable("ZELVORA_BENCH_SUNUCU");
    const QString kip = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (kip.startsWith(QStringLiteral("--")) && sunucuAdresi.isEmpty()) {
        std::fprintf(stderr, "ZELVORA_BENCH_SUNUCU is not set: start a server with scripts/sunucu-gecici.sh\n");
        return 2;
    }
    const auto sayi = [&](int i, int varsayilan) { return argc > i ? std::atoi(argv[i]) : varsayilan; };
    if (kip == QStringLiteral("--izleyici"))
        return izleyiciMasa(sunucuAdresi);
    if (kip == QStringLiteral("--yazici")) {
        QTemporaryDir klasor;
        masaOrtami(klasor);
        return yaziciMasa(sunucuAdresi, sayi(2, 1000), sayi(3, 80), sayi(4, 100000), sayi(5, 200));
    }
    if (kip == QStringLiteral("--masalar"))
        return ofis(sunucuAdresi, sayi(2, 80), sayi(3, 1000), sayi(4, 9), sayi(5, 100000));
    const int isSayisi = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int klasorSayisi = argc > 2 ? std::atoi(argv[2]) : 200;
    const int tekrar = argc > 3 ? std::atoi(argv[3]) : 5;
    const QString sunucu = qEnvironmentVariable("ZELVORA_BENCH_SUNUCU");
    if (sunucu.isEmpty()) {
        std::fprintf(stderr, "ZELVORA_BENCH_SUNUCU is not set: start a server with scripts/sunucu-gecici.sh\n");
        return 2;
    }

    QTemporaryDir klasor;
    masaOrtami(klasor);

    const QString dosya = klasor.path() + QStringLiteral("/Vok.vtb");
    Veritabani::bosOlustur(dosya);
    std::unique_ptr<Veritabani> dosyaVt = Veritabani::ac(dosya);
    std::unique_ptr<Veritabani> sunucuVt = Veritabani::sunucuyaBaglan(sunucu);
    sunucuVt->calistir("TRUNCATE \"YapilacakIslerTablosu\", \"KlasorBilgileriTablosu\" RESTART IDENTITY CASCADE");

    QElapsedTimer z;
    z.start();
    doldur(*dosyaVt, isSayisi, klasorSayisi);
    const double dosyaUretim = ms(z);
    z.restart();
    doldur(*sunucuVt, isSayisi, klasorSayisi);
    sunucuVt->calistir("ANALYZE");
    const double sunucuUretim = ms(z);
    std::printf("Üretilen: %d iş, %d klasör (dosya %.0f ms, sunucu %.0f ms)\n", isSayisi, klasorSayisi, dosyaUretim,
                sunucuUretim);

    Veritabani::acikAyarla(dosyaVt.get());
    const Sureler d = olc(tekrar);
    Veritabani::acikAyarla(sunucuVt.get());
    const Sureler s = olc(tekrar);
    Veritabani::acikAyarla(nullptr);

    std::printf("\n%-36s %12s %12s %8s\n", "ana pencere (en iyi / tekrar)", "dosya ms", "sunucu ms", "oran");
    std::printf("%-36s %12.2f %12.2f %8.2f   (%d / %d satır)\n", "bir klasör", d.birKlasor, s.birKlasor,
                s.birKlasor / d.birKlasor, d.birSatir, s.birSatir);
    std::printf("%-36s %12.2f %12.2f %8.2f   (%d / %d satır)\n", "tüm klasörler", d.tumKlasorler, s.tumKlasorler,
                s.tumKlasorler / d.tumKlasorler, d.tumSatir, s.tumSatir);
    std::printf("OZET_SUNUCU bir_klasor_oran=%.2f tum_klasor_oran=%.2f\n", s.birKlasor / d.birKlasor,
                s.tumKlasorler / d.tumKlasorler);
    return d.birSatir == s.birSatir && d.tumSatir == s.tumSatir ? 0 : 1;
}

// The first publication of the jobs to a calendar server: N jobs in 200 folders
// (OrnekVeritabani, the same rows on every run) published by the program's publisher to an
// empty collection of a private server started here in a temporary folder, from the start
// until the calendar is up to date; then the collection's resources are counted (PROPFIND)
// and one edit is timed until it is on the server. Meanwhile the windows' thread is
// watched: its worst stall (the lateness of a 20 ms timer) shows that reading the jobs and
// publishing them leaves it free. Every minute a line says how many events are written. A
// run that would take longer than the limit stops there and reports what it published.
//
//   bench_takvim [--sunucu radicale|webdav] [--sinir SECONDS] [N ...]
//       radicale (default): Radicale, a CalDAV server (scripts/radicale-gecici.sh)
//       webdav: Apache's mod_dav (scripts/webdav-gecici.sh), whose cost per event does not
//               grow with the collection: the publisher's own pace
//       default N: 1000 100000, limit 1200 s
//
// Last line, for scripts:  OZET <n>=<seconds or "kesildi@published"> ...

#include "OrnekVeritabani.h"

#include "core/Arayuzler.h"
#include "core/Baslangic.h"
#include "core/TakvimEsitleyici.h"
#include "core/TakvimYayini.h"
#include "core/Veritabani.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>

#include <cstdio>

using namespace Zelvora;

namespace {

int kaynakSayisi(const QUrl &adres)
{
    QNetworkAccessManager ag;
    QNetworkRequest q(adres);
    q.setRawHeader("Authorization", "Basic " + QByteArray("zelvora:zelvora").toBase64());
    q.setRawHeader("Depth", "1");
    q.setTransferTimeout(600000);
    QNetworkReply *r = ag.sendCustomRequest(q, "PROPFIND", "<?xml version=\"1.0\"?><d:propfind xmlns:d=\"DAV:\"><d:prop><d:getetag/></d:prop></d:propfind>");
    QEventLoop d;
    QObject::connect(r, &QNetworkReply::finished, &d, &QEventLoop::quit);
    d.exec();
    int n = 0;
    QXmlStreamReader x(r->readAll());
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("href") && x.readElementText().endsWith(QLatin1String(".ics")))
            ++n;
    }
    delete r;
    return n;
}

QString betik(const QString &sunucu, const QStringList &arg)
{
    QProcess p;
    p.start(QStringLiteral(ZELVORA_KAYNAK_KLASORU "/scripts/%1-gecici.sh").arg(sunucu), arg);
    p.waitForFinished(120000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int sinirSn = 1200;
    QString sunucu = QStringLiteral("radicale");
    QList<int> sayilar;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--sinir") && i + 1 < args.size())
            sinirSn = args.at(++i).toInt();
        else if (args.at(i) == QLatin1String("--sunucu") && i + 1 < args.size())
            sunucu = args.at(++i);
        else
            sayilar.append(args.at(i).toInt());
    }
    if (sayilar.isEmpty())
        sayilar = {1000, 100000};
    qputenv("ZELVORA_CALDAV_PAROLA", "zelvora");

    QString ozet = QStringLiteral("OZET");
    for (int n : sayilar) {
        QTemporaryDir klasor;
        Olcum::klasorleriKur(klasor.path());
        QDir().mkpath(Baslangic::veritabaniKlasoru());
        const QString yol = Baslangic::veritabaniKlasoru() + QStringLiteral("Vok.vtb");
        Olcum::uret(yol, n, 200);
        std::unique_ptr<Veritabani> vt = Veritabani::ac(yol);
        vt->takvimTablolariniHazirla();
        const QString rad = klasor.path() + QStringLiteral("/sunucu");
        const QUrl adres(betik(sunucu, {QStringLiteral("baslat"), rad}));
        if (!adres.isValid() || adres.isEmpty()) {
            std::fprintf(stderr, "the %s server did not start\n", qPrintable(sunucu));
            return 1;
        }

        TakvimYayini y(nullptr, vt.get(), klasor.path() + QStringLiteral("/kayit"));
        QElapsedTimer sure;
        bool bitti = false;
        int yapilan = 0;
        QObject::connect(&y, &TakvimYayini::esitlendi, &app, [&] { bitti = true; });
        QObject::connect(&y, &TakvimYayini::durumDegisti, &app, [&] {
            const QString m = y.durumMetni();
            const qsizetype a = m.indexOf(QLatin1Char('(')), b = m.indexOf(QLatin1Char('/'));
            if (a > 0 && b > a)
                yapilan = m.mid(a + 1, b - a - 1).toInt();
        });
        TakvimYayini::Ayar a;
        a.adres = adres.toString();
        a.kullanici = QStringLiteral("zelvora");
        QTimer dakika;
        int dakikalar = 0, oncekiYapilan = 0, toplamYapilan = 0;
        QObject::connect(&dakika, &QTimer::timeout, &app, [&] {
            ++dakikalar;
            // A new pass counts from 0 again (the periodic one every 5 minutes starts one).
            const int son = yapilan >= oncekiYapilan ? yapilan - oncekiYapilan : yapilan;
            toplamYapilan += son;
            std::printf("  %d min: %d events written, %d in the last minute\n", dakikalar, toplamYapilan, son);
            std::fflush(stdout);
            oncekiYapilan = yapilan;
        });
        dakika.start(60000);
        Olcum::Nabiz nabiz;
        sure.start();
        y.ayarla(a);
        Olcum::bekle([&] { return bitti; }, qint64(sinirSn) * 1000);
        dakika.stop();
        const double sn = double(sure.elapsed()) / 1000.0;
        const double durma = nabiz.enUzunMs, durmaIs = nabiz.enUzunIsMs;
        if (bitti) {
            const int sayilan = kaynakSayisi(adres);
            std::printf("%d jobs: first publication %.1f s (%.0f events/s), %d resources on the server; "
                        "worst stall of the windows' thread %.0f ms (its own work in it %.0f ms)\n",
                        n, sn, double(sayilan) / sn, sayilan, durma, durmaIs);
            // One edit, until the server has it.
            IsKaydi is = vt->isListesi(Veritabani::ListeKipi::Tumu, QDate(2026, 12, 9)).front();
            is.konu = QStringLiteral("Bench değişikliği");
            QElapsedTimer d;
            d.start();
            bitti = false;
            vt->isGuncelle(is);
            // The save itself runs on the windows' thread (the file's fsync): timed apart,
            // and the stall measured after it is the publisher's.
            const double kayitMs = double(d.nsecsElapsed()) / 1e6;
            nabiz.sifirla();
            Olcum::bekle([&] { return bitti; }, 600000);
            std::printf("%d jobs: one edit on the server after %.2f s (the save %.0f ms); worst stall of the windows' "
                        "thread after the save %.0f ms (its own work in it %.0f ms)\n",
                        n, double(d.elapsed()) / 1000.0, kayitMs, nabiz.enUzunMs, nabiz.enUzunIsMs);
            ozet += QStringLiteral(" %1=%2").arg(n).arg(sn, 0, 'f', 1);
        } else {
            const int sayilan = kaynakSayisi(adres);
            std::printf("%d jobs: stopped at the limit of %d s with %d resources on the server (%.1f events/s); "
                        "worst stall of the windows' thread %.0f ms (its own work in it %.0f ms)\n",
                        n, sinirSn, sayilan, double(sayilan) / sn, durma, durmaIs);
            ozet += QStringLiteral(" %1=kesildi@%2").arg(n).arg(sayilan);
            const QStringList gunluk = y.gunlukSatirlari();
            for (const QString &satir : gunluk.mid(std::max<qsizetype>(0, gunluk.size() - 5)))
                std::printf("  log: %s\n", qPrintable(satir));
            std::printf("  status: %s\n", qPrintable(y.durumMetni()));
        }
        std::fflush(stdout);
        betik(sunucu, {QStringLiteral("durdur"), rad});
    }
    std::printf("%s\n", qPrintable(ozet));
    return 0;
}

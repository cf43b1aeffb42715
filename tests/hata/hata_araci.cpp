// The fault suite's helper: a writer that uses the program's own database module and
// prints the number of every job it has committed, a checker that opens a database the
// way the program does and looks for every printed number, and the daily backup step
// alone, so that a script can kill, starve or limit each of them.
//
//   hata_araci yaz DB [BOY]        add jobs forever (BOY: description length, default 200)
//   hata_araci denetle DB NUMARALAR
//   hata_araci yedekle DB YEDEK
//
// Exit status: 0 done, 1 check failed, 2 usage, 3 an error the program reports
// ("HATA <number> <description>" on stderr).

#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QSet>
#include <QString>

#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <memory>

using namespace Zelvora;

namespace {

int hata(const Hata &h)
{
    std::fprintf(stderr, "HATA %d %s\n", h.numara(), h.aciklama().toUtf8().constData());
    return 3;
}

int yaz(const QString &yol, int boy)
{
    if (!QFile::exists(yol))
        Veritabani::bosOlustur(yol);
    auto vt = Veritabani::ac(yol);
    const QString aciklama(boy, QLatin1Char('a'));
    for (qint64 i = 0;; ++i) {
        const IsKaydi is{0,           QStringLiteral("1-Anahtar"), QDate(2026, 12, 7).addDays(int(i % 400)),
                         QTime(9, 0), QStringLiteral("Duruşma"),   QStringLiteral("Adliye"),
                         QString::number(i), aciklama, true, false};
        const qint64 no = vt->isEkle(is);
        // Printed only once the commit has returned: a printed number must survive.
        std::printf("%lld\n", static_cast<long long>(no));
        std::fflush(stdout);
    }
}

int denetle(const QString &yol, const QString &numaraDosyasi)
{
    auto vt = Veritabani::ac(yol); // rolls back a save cut short, as a start does
    char *sonuc = nullptr;
    QString durum;
    sqlite3_exec(
        vt->tutamak(), "PRAGMA integrity_check",
        [](void *p, int, char **degerler, char **) {
            *static_cast<QString *>(p) += QString::fromUtf8(degerler[0]);
            return 0;
        },
        &durum, &sonuc);
    sqlite3_free(sonuc);
    if (durum != QStringLiteral("ok")) {
        std::fprintf(stderr, "integrity_check: %s\n", durum.toUtf8().constData());
        return 1;
    }
    QSet<qint64> var;
    for (const IsKaydi &is : vt->isleriListele(QString(), true, false, QDate(2026, 12, 7)))
        var.insert(is.isNo);
    QFile f(numaraDosyasi);
    if (!f.open(QIODevice::ReadOnly))
        return 2;
    int kayip = 0;
    int yazilan = 0;
    while (!f.atEnd()) {
        const QByteArray satir = f.readLine().trimmed();
        bool tamam = false;
        const qint64 no = satir.toLongLong(&tamam);
        if (!tamam)
            continue; // a line cut by the kill was never a whole number printed
        ++yazilan;
        if (!var.contains(no))
            ++kayip;
    }
    std::printf("TAMAM %d yazilan %d kayip %lld satir\n", yazilan, kayip, static_cast<long long>(var.size()));
    return kayip == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    // A write past the file-size limit must fail with an error, not end the process.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication uygulama(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    try {
        if (a.size() >= 3 && a[1] == QStringLiteral("yaz"))
            return yaz(a[2], a.size() > 3 ? a[3].toInt() : 200);
        if (a.size() == 4 && a[1] == QStringLiteral("denetle"))
            return denetle(a[2], a[3]);
        if (a.size() == 4 && a[1] == QStringLiteral("yedekle")) {
            Veritabani::yedekle(a[2], a[3]);
            return 0;
        }
    } catch (const Hata &h) {
        return hata(h);
    }
    std::fprintf(stderr, "kullanım: hata_araci yaz DB [BOY] | denetle DB NUMARALAR | yedekle DB YEDEK\n");
    return 2;
}

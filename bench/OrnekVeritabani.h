#pragma once
// The database the listing benchmarks run on: isSayisi jobs spread over klasorSayisi
// folders, the same rows on every run (a fixed seed); and the benchmarks' wait for an
// event.

#include "core/Arayuzler.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QString>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <functional>

#include <time.h>

namespace Zelvora::Olcum {

inline void uret(const QString &yol, int isSayisi, int klasorSayisi)
{
    Veritabani::bosOlustur(yol);
    Sqlite::Baglanti db(yol, Sqlite::Baglanti::Kip::OkumaYazma);
    db.calistir("BEGIN");
    Sqlite::Deyim k(db.tutamak(), "INSERT INTO KlasorBilgileriTablosu VALUES(?,?,?)");
    for (int i = 1; i <= klasorSayisi; ++i) {
        k.bagla(1, QByteArray::number(i) + "-Anahtar").bagla(2, "Klasor").bagla(3, "Dosya " + QByteArray::number(i));
        k.calistir();
        k.sifirla();
    }
    Sqlite::Deyim s(db.tutamak(), "INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, "
                                  "IsinSayisi, Aciklama, Hatirlatma, IsYapildi) VALUES(?,?,?,?,?,?,?,?,?)");
    const QDate ilk(2024, 1, 1);
    unsigned tohum = 12345;
    auto rastgele = [&tohum] {
        tohum = tohum * 1103515245u + 12345u;
        return (tohum >> 8) & 0xffffff;
    };
    for (int i = 0; i < isSayisi; ++i) {
        const QByteArray a = QByteArray::number(i % klasorSayisi + 1) + "-Anahtar";
        const QByteArray t = ilk.addDays(rastgele() % 1100).toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        const QByteArray h = QTime(int(rastgele() % 24), int(rastgele() % 60)).toString(QStringLiteral("HH:mm:ss")).toUtf8();
        const QByteArray konu = "Duruşma " + QByteArray::number(i);
        const QByteArray yer = "İstanbul " + QByteArray::number(rastgele() % 50) + ". Asliye Hukuk";
        const QByteArray sayi = "2026/" + QByteArray::number(rastgele() % 9999);
        const QByteArray aciklama = "Müvekkil ile görüşülecek, dosya hazırlanacak. Sıra " + QByteArray::number(i);
        s.bagla(1, a).bagla(2, t).bagla(3, h).bagla(4, konu).bagla(5, yer).bagla(6, sayi).bagla(7, aciklama);
        const int hatirlatma = int(rastgele() % 2);
        const int yapildi = int(rastgele() % 5 == 0);
        s.bagla(8, hatirlatma).bagla(9, yapildi);
        s.calistir();
        s.sifirla();
    }
    db.calistir("COMMIT");
}

// The program's folders and settings file under kok (a temporary folder of the bench),
// made and installed, so that nothing of the user's is touched.
inline Klasorler klasorleriKur(const QString &kok)
{
    Klasorler k;
    k.programKlasoru = kok + QStringLiteral("/program/");
    k.programDosyalariKlasoru = kok + QStringLiteral("/veri/");
    k.ayarDosyasi = kok + QStringLiteral("/ayar/Zelvora.conf");
    k.otomatikBaslatmaKlasoru = kok + QStringLiteral("/ayar/autostart/");
    QDir().mkpath(k.programKlasoru);
    Arayuz::klasorlerKur(k);
    return k;
}

// Lets the event loop run until bitti() or enFazlaMs have passed; true when bitti(). It
// sleeps between events: processEvents(flags, ms) drops WaitForMoreEvents and would spin
// a core that the measured program and its server need.
inline bool bekle(const std::function<bool()> &bitti, qint64 enFazlaMs)
{
    QElapsedTimer sure;
    sure.start();
    QTimer uyandir;
    uyandir.start(50);
    while (!bitti() && sure.elapsed() < enFazlaMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return bitti();
}

// The event loop's pulse: a 20 ms timer whose worst lateness is the longest the windows
// would have waited (enUzunMs), and the thread's own CPU time in that worst gap
// (enUzunIsMs): the part of a stall that is the program's work, not a wait for the
// machine's cores or for a server.
struct Nabiz {
    QElapsedTimer saat;
    QTimer zamanlayici;
    qint64 son = 0;
    double islemciSon = 0, enUzunMs = 0, enUzunIsMs = 0;

    static double islemci()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    }
    Nabiz()
    {
        saat.start();
        zamanlayici.setTimerType(Qt::PreciseTimer);
        zamanlayici.setInterval(20);
        QObject::connect(&zamanlayici, &QTimer::timeout, [this] {
            const qint64 simdi = saat.nsecsElapsed();
            enUzunMs = std::max(enUzunMs, double(simdi - son) / 1e6 - 20);
            son = simdi;
            const double is = islemci();
            enUzunIsMs = std::max(enUzunIsMs, is - islemciSon);
            islemciSon = is;
        });
        sifirla();
        zamanlayici.start();
    }
    void sifirla()
    {
        enUzunMs = enUzunIsMs = 0;
        son = saat.nsecsElapsed();
        islemciSon = islemci();
    }
};

} // namespace Zelvora::Olcum

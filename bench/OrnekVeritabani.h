#pragma once
// The database the listing benchmarks run on: isSayisi jobs spread over klasorSayisi
// folders, the same rows on every run (a fixed seed); and the benchmarks' wait for an
// event.

#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <QTime>
#include <QTimer>

#include <functional>

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

} // namespace Zelvora::Olcum

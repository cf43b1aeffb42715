// The stored form of the login password: salted hashes, the old scrambled form
// accepted once, and entries that are not figures refused.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/GirisSifresi.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"

#include <QFile>
#include <optional>
#include <QtTest>

using namespace Zelvora;

class GirisSifresiTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ozetBicimiVeTuz();
    void eslesmeKurallari();
    void eskiBicimBirKezKabulEdilipYenilenir();
    void belirleVeKaldir();
    void saklanamayanYazim();
};

void GirisSifresiTesti::ozetBicimiVeTuz()
{
    const QString a = GirisSifresi::ozet(QStringLiteral("4711"));
    const QString b = GirisSifresi::ozet(QStringLiteral("4711"));
    QVERIFY(a.startsWith(QStringLiteral("PBKDF2-SHA256$100000$")));
    QCOMPARE(a.split(QLatin1Char('$')).size(), 4);
    // A fresh salt every time: the same password never gives the same stored value.
    QVERIFY(a != b);
    QVERIFY(!a.contains(QStringLiteral("4711")));
    QVERIFY(GirisSifresi::eslesir(QStringLiteral("4711"), a));
    QVERIFY(GirisSifresi::eslesir(QStringLiteral("4711"), b));
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("4712"), a));
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("47110"), a));
}

void GirisSifresiTesti::eslesmeKurallari()
{
    const QString ozet = GirisSifresi::ozet(QStringLiteral("1234"));
    // Not figures: refused, whatever the stored value.
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("12a4"), ozet));
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("1234 "), ozet));
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("١٢٣٤"), ozet)); // figures of another script
    QVERIFY(!GirisSifresi::yalnizRakam(QStringLiteral("12٣4")));
    // Characters outside the old alphabet passed through the scrambler unchanged, so a
    // stored "12x4" would once have matched the entry "12x4".
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("12x4"), QStringLiteral("12x4")));
    // Empty and damaged stored values never match.
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("1234"), QString()));
    QVERIFY(!GirisSifresi::eslesir(QString(), QString()));
    QStringList parca = ozet.split(QLatin1Char('$'));
    parca[3] = QStringLiteral("kirik!");
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("1234"), parca.join(QLatin1Char('$'))));
    parca = ozet.split(QLatin1Char('$'));
    parca[1] = QStringLiteral("999999999"); // an absurd count is damage, not minutes of work
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("1234"), parca.join(QLatin1Char('$'))));
    QVERIFY(!GirisSifresi::eslesir(QStringLiteral("1234"), QStringLiteral("PBKDF2-SHA256$100000$")));
}

void GirisSifresiTesti::eskiBicimBirKezKabulEdilipYenilenir()
{
    Test::Ortam ortam;
    // The old form: position-dependent, as long as the password.
    const QString eski = MetniSifrele(QStringLiteral("1111"), GirisSifresi::EskiAlfabe, GirisSifresi::EskiAnahtar);
    QCOMPARE(eski.size(), 4);
    QVERIFY(eski.at(0) != eski.at(1));
    QVERIFY(GirisSifresi::eskiBicim(eski));
    Ayarlar::yaz(AyarAdi::GirisSifresiSor, QStringLiteral("-1"));
    Ayarlar::yaz(AyarAdi::GirisSifresi, eski);

    QVERIFY(!GirisSifresi::denetle(QStringLiteral("1112")));
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresi), eski); // a wrong entry changes nothing
    QVERIFY(GirisSifresi::denetle(QStringLiteral("1111")));
    const QString yeni = Ayarlar::oku(AyarAdi::GirisSifresi);
    QVERIFY(yeni.startsWith(GirisSifresi::Onek));
    QVERIFY(GirisSifresi::denetle(QStringLiteral("1111")));
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresi), yeni); // a hash is kept as it is
    QVERIFY(Ayarlar::okuMantiksal(AyarAdi::GirisSifresiSor));
}

void GirisSifresiTesti::belirleVeKaldir()
{
    Test::Ortam ortam;
    GirisSifresi::belirle(QStringLiteral("0123456789"));
    QVERIFY(OrtakDegiskenler::GirisSifresiSorulsun);
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresiSor), QStringLiteral("-1"));
    QVERIFY(GirisSifresi::denetle(QStringLiteral("0123456789")));
    // The file on disk holds neither the password nor its scrambled form.
    QFile dosya(Arayuz::klasorler().ayarDosyasi);
    QVERIFY(dosya.open(QIODevice::ReadOnly));
    const QByteArray icerik = dosya.readAll();
    QVERIFY2(icerik.contains("PBKDF2-SHA256$"), icerik.constData());
    QVERIFY(!icerik.contains("0123456789"));
    QVERIFY(!icerik.contains(MetniSifrele(QStringLiteral("0123456789"), GirisSifresi::EskiAlfabe,
                                          GirisSifresi::EskiAnahtar).toLatin1()));

    for (const QString &kotu : {QStringLiteral("123"), QStringLiteral("12345678901"), QStringLiteral("12a45")}) {
        bool hata = false;
        try {
            GirisSifresi::belirle(kotu);
        } catch (const Hata &) {
            hata = true;
        }
        QVERIFY2(hata, qPrintable(kotu));
    }
    QVERIFY(GirisSifresi::denetle(QStringLiteral("0123456789"))); // refused ones changed nothing

    GirisSifresi::kaldir();
    QVERIFY(!OrtakDegiskenler::GirisSifresiSorulsun);
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresiSor), QStringLiteral("0"));
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresi), QString());
    QVERIFY(!GirisSifresi::denetle(QStringLiteral("0123456789")));
}

// A settings file that cannot be written: the user's change throws with the file and the
// reason and changes nothing, in memory or on disk; the program's own writes are told once.
void GirisSifresiTesti::saklanamayanYazim()
{
    Test::Ortam ortam;
    GirisSifresi::belirle(QStringLiteral("2468")); // the file exists and is read
    const QString kayitli = Ayarlar::oku(AyarAdi::GirisSifresi);
    ortam.ayarDosyasiYazilamaz(true);

    const auto hatasi = [](const std::function<void()> &f) -> std::optional<Hata> {
        try {
            f();
        } catch (const Hata &h) {
            return h;
        }
        return std::nullopt;
    };
    auto h = hatasi([] { GirisSifresi::kaldir(); });
    QVERIFY(h);
    QCOMPARE(h->numara(), HataNo::AyarYazilamadi);
    QCOMPARE(h->dosya(), Arayuz::klasorler().ayarDosyasi);
    QVERIFY(!h->aciklama().isEmpty());
    QVERIFY(OrtakDegiskenler::GirisSifresiSorulsun);
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresiSor), QStringLiteral("-1"));
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresi), kayitli);
    QVERIFY(hatasi([] { GirisSifresi::belirle(QStringLiteral("1357")); }));
    QVERIFY(GirisSifresi::denetle(QStringLiteral("2468")));
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 0); // the caller tells the user

    // The program's own writes: false, no exception, one message however often.
    Ayarlar::yaz(AyarAdi::Liste(1), QStringLiteral("Genislik-1"), QStringLiteral("900"));
    QVERIFY(!Ayarlar::kendiKaydet());
    Ayarlar::yaz(AyarAdi::Liste(1), QStringLiteral("Genislik-1"), QStringLiteral("901"));
    QVERIFY(!Ayarlar::kendiKaydet());
    QCoreApplication::processEvents();
    QCOMPARE(ortam.mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam.mesajlar->gosterilenler.at(0).metin.contains(Arayuz::klasorler().ayarDosyasi));
    QCOMPARE(Ayarlar::oku(AyarAdi::Liste(1), QStringLiteral("Genislik-1"), QStringLiteral("yok")), QStringLiteral("yok"));

    // Writable again: the same change is stored, and the password as it always was.
    ortam.ayarDosyasiYazilamaz(false);
    h = hatasi([] { GirisSifresi::kaldir(); });
    QVERIFY2(!h, h ? qPrintable(h->aciklama()) : "");
    Ayarlar::yenidenAc();
    QCOMPARE(Ayarlar::oku(AyarAdi::GirisSifresiSor), QStringLiteral("0"));
    QVERIFY(!OrtakDegiskenler::GirisSifresiSorulsun);
}

QTEST_GUILESS_MAIN(GirisSifresiTesti)
#include "tst_GirisSifresi.moc"

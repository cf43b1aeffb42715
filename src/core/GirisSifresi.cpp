#include "core/GirisSifresi.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"

#include <QByteArray>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace Zelvora::GirisSifresi {
namespace {

constexpr int TuzUzunlugu = 16;
constexpr int OzetUzunlugu = 32;
// A stored count outside this range is damage, not a setting: refuse it rather than
// spend minutes on it.
constexpr int EnAzYineleme = 1000;
constexpr int EnFazlaYineleme = 10000000;

QByteArray turet(const QString &sifre, const QByteArray &tuz, int yineleme)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, sifre.toUtf8(), tuz, yineleme,
                                              OzetUzunlugu);
}

// Compares without stopping at the first difference.
bool ayni(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char fark = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        fark |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return fark == 0;
}

bool ozetEslesir(const QString &girilen, const QString &kayitli)
{
    const QStringList parcalar = kayitli.mid(Onek.size()).split(QLatin1Char('$'));
    if (parcalar.size() != 3)
        return false;
    bool tamam = false;
    const int yineleme = parcalar.at(0).toInt(&tamam);
    if (!tamam || yineleme < EnAzYineleme || yineleme > EnFazlaYineleme)
        return false;
    const auto cozum = QByteArray::fromBase64Encoding(parcalar.at(1).toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
    const auto beklenen = QByteArray::fromBase64Encoding(parcalar.at(2).toLatin1(),
                                                         QByteArray::AbortOnBase64DecodingErrors);
    if (!cozum || !beklenen || cozum.decoded.isEmpty() || beklenen.decoded.size() != OzetUzunlugu)
        return false;
    return ayni(turet(girilen, cozum.decoded, yineleme), beklenen.decoded);
}

bool uygunSifre(const QString &sifre)
{
    return sifre.size() >= EnKisa && sifre.size() <= EnUzun && yalnizRakam(sifre);
}

} // namespace

bool yalnizRakam(const QString &metin)
{
    for (QChar c : metin) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString ozet(const QString &sifre)
{
    QByteArray tuz(TuzUzunlugu, Qt::Uninitialized);
    QRandomGenerator::system()->generate(tuz.begin(), tuz.end());
    return Onek + QString::number(Yineleme) + QLatin1Char('$') + QString::fromLatin1(tuz.toBase64())
        + QLatin1Char('$') + QString::fromLatin1(turet(sifre, tuz, Yineleme).toBase64());
}

bool eskiBicim(const QString &kayitli)
{
    return !kayitli.isEmpty() && yalnizRakam(kayitli);
}

bool eslesir(const QString &girilen, const QString &kayitli)
{
    if (girilen.isEmpty() || !yalnizRakam(girilen) || kayitli.isEmpty())
        return false;
    if (kayitli.startsWith(Onek))
        return ozetEslesir(girilen, kayitli);
    if (eskiBicim(kayitli))
        return MetniSifrele(girilen, EskiAlfabe, EskiAnahtar) == kayitli;
    return false;
}

void belirle(const QString &sifre)
{
    if (!uygunSifre(sifre))
        throw Hata(HataNo::GecersizCagri, QStringLiteral("Giriş şifresi 4 ile 10 arasında rakamdan oluşmalıdır."));
    const QString deger = ozet(sifre);
    Ayarlar::yaz(AyarAdi::GirisSifresiSor, Ayarlar::mantiksalMetin(true));
    Ayarlar::yaz(AyarAdi::GirisSifresi, deger);
    Ayarlar::kaydet(); // throws, the state unchanged, when it could not be stored
    OrtakDegiskenler::GirisSifresiSorulsun = true;
}

void kaldir()
{
    Ayarlar::yaz(AyarAdi::GirisSifresiSor, Ayarlar::mantiksalMetin(false));
    Ayarlar::yaz(AyarAdi::GirisSifresi, QString());
    Ayarlar::kaydet();
    OrtakDegiskenler::GirisSifresiSorulsun = false;
}

bool denetle(const QString &girilen)
{
    const QString kayitli = Ayarlar::oku(AyarAdi::GirisSifresi);
    if (!eslesir(girilen, kayitli))
        return false;
    if (eskiBicim(kayitli)) {
        // The right password is known now: keep only its hash from here on. Should
        // that not be stored, the old form stays and is replaced at a later entry.
        Ayarlar::yaz(AyarAdi::GirisSifresi, ozet(girilen));
        Ayarlar::kendiKaydet();
    }
    return true;
}

} // namespace Zelvora::GirisSifresi

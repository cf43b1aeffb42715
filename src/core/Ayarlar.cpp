#include "core/Ayarlar.h"

#include "core/Arayuzler.h"
#include "core/OrtakDegiskenler.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSettings>

#include <algorithm>
#include <memory>

namespace Zelvora {
namespace {

std::unique_ptr<QSettings> &depo()
{
    static std::unique_ptr<QSettings> d;
    if (!d) {
        const QString dosya = Arayuz::klasorler().ayarDosyasi;
        QDir().mkpath(QFileInfo(dosya).absolutePath());
        d = std::make_unique<QSettings>(dosya, QSettings::IniFormat);
    }
    return d;
}

QString grup(const QString &bolum)
{
    QString g = bolum;
    g.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return g;
}

QString tamAnahtar(const QString &bolum, const QString &anahtar)
{
    return grup(bolum) + QLatin1Char('/') + anahtar;
}

// The number at the end of a key such as "Sira-12".
int sonSayi(const QString &anahtar)
{
    qsizetype i = anahtar.size();
    while (i > 0 && anahtar.at(i - 1).isDigit())
        --i;
    return anahtar.mid(i).toInt();
}

} // namespace

QString AyarAdi::Liste(int n)
{
    return QStringLiteral("Listeler\\Liste-") + QString::number(n);
}

namespace Ayarlar {

QString oku(const QString &bolum, const QString &anahtar, const QString &varsayilan)
{
    const QVariant v = depo()->value(tamAnahtar(bolum, anahtar));
    return v.isValid() ? v.toString() : varsayilan;
}

void yaz(const QString &bolum, const QString &anahtar, const QString &deger)
{
    depo()->setValue(tamAnahtar(bolum, anahtar), deger);
}

QString varsayilan(const QString &anahtar)
{
    using namespace AyarAdi;
    static const QHash<QString, QString> tablo = {
        {GirisSifresiSor, QStringLiteral("0")},
        {GirisSifresi, QString()},
        {GirislerSaklansin, QStringLiteral("1")},
        {SaklanacakGirisSayisi, QStringLiteral("3")},
        {IlkHarflerBuyuk, QStringLiteral("1")},
        {OtomatikBaslasin, QStringLiteral("1")},
        {ArkaplandaCalissin, QStringLiteral("1")},
        {SesliUyariBilgisi, QStringLiteral("1")},
        {SesDosyasiAdi, QStringLiteral("Alarm.wav")},
        {HatirlatmaEnUstte, QStringLiteral("1")},
        {BaslamaKonumu, QStringLiteral("1")},
        {AyrintiGoster, QStringLiteral("1")},
        {HatirlatmaUfku, QString()},
    };
    if (anahtar == SesDosyasiYolu)
        return Arayuz::klasorler().programKlasoru;
    return tablo.value(anahtar);
}

QString oku(const QString &anahtar)
{
    return oku(AyarAdi::Ayarlar, anahtar, varsayilan(anahtar));
}

void yaz(const QString &anahtar, const QString &deger)
{
    yaz(AyarAdi::Ayarlar, anahtar, deger);
}

int okuSayi(const QString &bolum, const QString &anahtar, int varsayilanDeger)
{
    bool tamam = false;
    const double d = oku(bolum, anahtar, QString()).trimmed().toDouble(&tamam);
    return tamam ? int(d) : varsayilanDeger;
}

int okuSayi(const QString &anahtar)
{
    return okuSayi(AyarAdi::Ayarlar, anahtar, varsayilan(anahtar).toInt());
}

double okuOndalik(const QString &bolum, const QString &anahtar, double varsayilanDeger)
{
    bool tamam = false;
    const double d = oku(bolum, anahtar, QString()).trimmed().toDouble(&tamam);
    return tamam ? d : varsayilanDeger;
}

bool okuMantiksal(const QString &anahtar)
{
    const QString s = oku(anahtar).trimmed();
    if (s.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool tamam = false;
    const int n = s.toInt(&tamam);
    return tamam && n != 0;
}

QString mantiksalMetin(bool b)
{
    return b ? QStringLiteral("-1") : QStringLiteral("0");
}

QList<QPair<QString, QString>> bolumDegerleri(const QString &bolum)
{
    QList<QPair<QString, QString>> sonuc;
    QSettings &d = *depo();
    d.beginGroup(grup(bolum));
    QStringList anahtarlar = d.childKeys();
    std::stable_sort(anahtarlar.begin(), anahtarlar.end(),
                     [](const QString &a, const QString &b) { return sonSayi(a) < sonSayi(b); });
    for (const QString &a : anahtarlar)
        sonuc.append({a, d.value(a).toString()});
    d.endGroup();
    return sonuc;
}

bool bolumVarMi(const QString &bolum)
{
    QSettings &d = *depo();
    d.beginGroup(grup(bolum));
    const bool var = !d.childKeys().isEmpty() || !d.childGroups().isEmpty();
    d.endGroup();
    return var;
}

void bolumSil(const QString &bolum)
{
    depo()->remove(grup(bolum));
}

void bolumAnahtariniSil(const QString &bolum, const QString &anahtar)
{
    depo()->remove(tamAnahtar(bolum, anahtar));
}

void kaydet()
{
    depo()->sync();
}

void yenidenAc()
{
    depo().reset();
}

} // namespace Ayarlar

void Tercihler::yukle()
{
    using namespace AyarAdi;
    GirislerSaklansin = Ayarlar::okuSayi(AyarAdi::GirislerSaklansin);
    SaklanacakGirisSayisi = std::clamp(Ayarlar::okuSayi(AyarAdi::SaklanacakGirisSayisi), 0, 255);
    IlkHarflerBuyuk = Ayarlar::okuSayi(AyarAdi::IlkHarflerBuyuk);
    OtomatikBaslasin = Ayarlar::okuSayi(AyarAdi::OtomatikBaslasin);
    ArkaplandaCalissin = Ayarlar::okuSayi(AyarAdi::ArkaplandaCalissin);
    OrtakDegiskenler::SesliUyari = Ayarlar::okuSayi(SesliUyariBilgisi);
    SesDosyasiAdi = Ayarlar::oku(AyarAdi::SesDosyasiAdi);
    SesDosyasiYolu = Ayarlar::oku(AyarAdi::SesDosyasiYolu);
    OrtakDegiskenler::HatirlatmaEnUstte = Ayarlar::okuSayi(AyarAdi::HatirlatmaEnUstte);
}

QString Tercihler::sesDosyasi()
{
    return SesDosyasiYolu + SesDosyasiAdi;
}

} // namespace Zelvora

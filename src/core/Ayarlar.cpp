#include "core/Ayarlar.h"

#include "core/Arayuzler.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include <sys/stat.h>

namespace Zelvora {
namespace {

class Depo;
bool dosyayaYaz(Depo &d, QString *neden);

// How many keys an INI text holds, counted line by line: "key=value" lines under their
// "[section]", comments, blank lines and a line after one ending in "\" aside. A file
// whose store holds fewer lost some to damage (an unclosed quote swallows the lines
// after it into one value, and QSettings reports no error for it).
qsizetype anahtarSatiriSayisi(const QByteArray &icerik)
{
    QSet<QByteArray> anahtarlar;
    QByteArray bolum;
    bool devami = false;
    for (QByteArray satir : icerik.split('\n')) {
        satir = satir.trimmed();
        const bool sonrakiDevami = satir.endsWith('\\');
        if (std::exchange(devami, sonrakiDevami))
            continue;
        if (satir.isEmpty() || satir.startsWith(';') || satir.startsWith('#'))
            continue;
        if (satir.startsWith('[')) {
            bolum = satir;
            continue;
        }
        const qsizetype esit = satir.indexOf('=');
        if (esit > 0)
            anahtarlar.insert(bolum + '\n' + QByteArray::fromPercentEncoding(satir.left(esit).trimmed()));
    }
    return anahtarlar.size();
}

void kendiYazimHatasi(const QString &neden, bool mesajla);

// QSettings that remembers, for each key changed since the last write, its value as the
// file holds it, and routes its own deferred writes through dosyayaYaz, so that every
// failed write is seen and undone.
class Depo final : public QSettings {
public:
    Depo(const QString &dosya) : QSettings(dosya, QSettings::IniFormat)
    {
        // Opening writes what an earlier store left pending (QSettings keeps it per file);
        // a failure there would stick to status() for good, whatever later writes do.
        acilistaHata = status() == QSettings::AccessError;
        // A file that did not parse is never written over: the keys after the damage
        // (the password's among them) would be lost with it.
        bozuk = status() == QSettings::FormatError;
        if (status() == QSettings::NoError) {
            QFile f(dosya);
            if (f.open(QIODevice::ReadOnly))
                bozuk = anahtarSatiriSayisi(f.readAll()) > allKeys().size();
        }
    }
    bool acilistaHata = false;
    bool bozuk = false;
    // key -> value before the first change since the last write (none: the key was absent).
    QHash<QString, std::optional<QVariant>> onceki;
    // A write failed: QSettings keeps that status for good, so the store is opened anew at
    // the next access.
    bool yenilenecek = false;

    void degisecek(const QString &anahtar)
    {
        if (!onceki.contains(anahtar))
            onceki.insert(anahtar, contains(anahtar) ? std::optional<QVariant>(value(anahtar)) : std::nullopt);
    }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::UpdateRequest)
            return QSettings::event(e);
        QString neden;
        if (!yenilenecek && !dosyayaYaz(*this, &neden))
            kendiYazimHatasi(neden, true);
        return true;
    }
};

std::unique_ptr<Depo> &depo()
{
    static std::unique_ptr<Depo> d;
    if (d && d->yenilenecek)
        d.reset();
    if (!d) {
        const QString dosya = Arayuz::klasorler().ayarDosyasi;
        const QString klasor = QFileInfo(dosya).absolutePath();
        QDir().mkpath(klasor);
        QFile::setPermissions(klasor, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        d = std::make_unique<Depo>(dosya);
    }
    return d;
}

// Why the settings file could not be written, in a sentence.
QString yazilamamaNedeni(const QString &dosya)
{
    const QFileInfo bilgi(dosya);
    const QFileInfo klasor(bilgi.absolutePath());
    if (!klasor.isDir())
        return QStringLiteral("Klasörü yok ve oluşturulamıyor.");
    if (bilgi.exists() && !bilgi.isWritable())
        return QStringLiteral("Dosya salt okunur.");
    if (!klasor.isWritable())
        return QStringLiteral("Klasörüne yazma izni yok.");
    return QStringLiteral("Dosya yazılamadı; disk dolu ya da salt okunur olabilir.");
}

// Writes the pending changes. On failure the changed keys are put back as the file holds
// them, so nothing in the program reads a value that was not stored, and the store is
// marked to be opened anew.
// What tells a rewrite of the file: QSettings replaces it (a new inode) or writes it in place.
struct DosyaIzi {
    bool var = false;
    ino_t dugum = 0;
    timespec degisim{};
    off_t boyut = 0;
    bool operator==(const DosyaIzi &o) const
    {
        return var == o.var && dugum == o.dugum && degisim.tv_sec == o.degisim.tv_sec
            && degisim.tv_nsec == o.degisim.tv_nsec && boyut == o.boyut;
    }
};

DosyaIzi dosyaIzi(const QString &dosya)
{
    struct stat st {};
    if (::stat(QFile::encodeName(dosya).constData(), &st) != 0)
        return {};
    return {true, st.st_ino, st.st_mtim, st.st_size};
}

// Only the owner may read the settings (the password's hash, clients' names in the lists).
void yalnizSahibine(const QString &dosya)
{
    struct stat st {};
    const QByteArray ad = QFile::encodeName(dosya);
    if (::stat(ad.constData(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077))
        ::chmod(ad.constData(), st.st_mode & 0700);
}

bool dosyayaYaz(Depo &d, QString *neden)
{
    if (d.bozuk) {
        *neden = QStringLiteral("Dosya bozuk; üzerine yazılmıyor.");
        return false;
    }
    const DosyaIzi once = dosyaIzi(d.fileName());
    d.sync();
    bool yazildi = d.status() != QSettings::AccessError;
    // A store that failed already when opened tells nothing by its status: the file
    // rewritten, or nothing of ours to write, is success.
    if (!yazildi && d.acilistaHata)
        yazildi = d.onceki.isEmpty() || !(dosyaIzi(d.fileName()) == once);
    if (yazildi) {
        // A new file is made with the umask's mode.
        yalnizSahibine(d.fileName());
        // A status left from opening, or a FormatError met reading a damaged file that
        // this write has replaced: opened anew, the store reports the next write's own outcome.
        if (d.status() != QSettings::NoError)
            d.yenilenecek = true;
        d.onceki.clear();
        return true;
    }
    *neden = yazilamamaNedeni(d.fileName());
    const auto onceki = std::exchange(d.onceki, {});
    for (auto i = onceki.cbegin(); i != onceki.cend(); ++i) {
        if (i.value())
            d.setValue(i.key(), *i.value());
        else
            d.remove(i.key());
    }
    d.yenilenecek = true;
    return false;
}

// A failed write the program made on its own is told once, until a write succeeds again:
// a warning on stderr, and a message when one may be shown (not at exit). The message is
// queued, so it never opens inside the store's own event or a caller's step.
bool kendiHatasiBildirildi = false;

void kendiYazimHatasi(const QString &neden, bool mesajla)
{
    if (kendiHatasiBildirildi)
        return;
    kendiHatasiBildirildi = true;
    const QString dosya = Arayuz::klasorler().ayarDosyasi;
    qWarning("Ayarlar dosyasına yazılamıyor: %s (%s)", qPrintable(dosya), qPrintable(neden));
    if (!mesajla || !QCoreApplication::instance())
        return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [dosya, neden] {
            mesaj(QStringLiteral("Ayarlar dosyasına yazılamıyor:\r\n\"") + dosya + QStringLiteral("\"\r\n(") + neden
                      + QStringLiteral(")\r\n\r\nPencere düzeni gibi programın kendi sakladığı bilgiler bu oturumda ")
                      + QStringLiteral("saklanamayabilir. İşleriniz veritabanında, hiçbiri kaybolmadı."),
                  MesajSimgesi::Uyari);
        },
        Qt::QueuedConnection);
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

QString saltOku(const QString &bolum, const QString &anahtar, const QString &varsayilan)
{
    const QString dosya = Arayuz::klasorler().ayarDosyasi;
    if (!YolDoluMu(dosya))
        return varsayilan;
    // A pipe would hold the read for good.
    if (!NormalDosyaMi(dosya))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Normal bir dosya değil."), dosya);
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya okunamıyor: ") + f.errorString(), dosya);
    const QByteArray icerik = f.readAll();
    f.close();
    const QSettings okunan(dosya, QSettings::IniFormat);
    // Damaged as the store judges it: it did not parse, or it lost keys to the damage.
    if (okunan.status() != QSettings::NoError || anahtarSatiriSayisi(icerik) > okunan.allKeys().size())
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya bozuk."), dosya);
    const QVariant v = okunan.value(tamAnahtar(bolum, anahtar));
    return v.isValid() ? v.toString() : varsayilan;
}

void yaz(const QString &bolum, const QString &anahtar, const QString &deger)
{
    Depo &d = *depo();
    // A damaged file takes no change, not even in memory: QSettings would write it over
    // when the store is closed. Saving it then reports the failure.
    if (d.bozuk)
        return;
    d.degisecek(tamAnahtar(bolum, anahtar));
    d.setValue(tamAnahtar(bolum, anahtar), deger);
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
        {ElektronikTebligat, QStringLiteral("0")},
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
    // Out of an integer's range (or not finite) is no number of ours.
    return tamam && d > -2147483648.0 && d < 2147483648.0 ? int(d) : varsayilanDeger;
}

int okuSayi(const QString &anahtar)
{
    return okuSayi(AyarAdi::Ayarlar, anahtar, varsayilan(anahtar).toInt());
}

double okuOndalik(const QString &bolum, const QString &anahtar, double varsayilanDeger)
{
    bool tamam = false;
    const double d = oku(bolum, anahtar, QString()).trimmed().toDouble(&tamam);
    return tamam && std::isfinite(d) ? d : varsayilanDeger;
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
    Depo &d = *depo();
    if (d.bozuk)
        return;
    const QString onek = grup(bolum) + QLatin1Char('/');
    for (const QString &a : d.allKeys()) {
        if (a.startsWith(onek))
            d.degisecek(a);
    }
    d.remove(grup(bolum));
}

void bolumAnahtariniSil(const QString &bolum, const QString &anahtar)
{
    Depo &d = *depo();
    if (d.bozuk)
        return;
    d.degisecek(tamAnahtar(bolum, anahtar));
    d.remove(tamAnahtar(bolum, anahtar));
}

void kaydet()
{
    QString neden;
    if (!dosyayaYaz(*depo(), &neden))
        throw Hata(HataNo::AyarYazilamadi, neden, Arayuz::klasorler().ayarDosyasi);
    kendiHatasiBildirildi = false;
}

bool kendiKaydet(bool mesajla)
{
    QString neden;
    if (!dosyayaYaz(*depo(), &neden)) {
        kendiYazimHatasi(neden, mesajla);
        return false;
    }
    kendiHatasiBildirildi = false;
    return true;
}

void yenidenAc()
{
    depo().reset();
    kendiHatasiBildirildi = false;
}

DosyaDenetimi dosyayiDenetle()
{
    DosyaDenetimi s;
    s.dosya = Arayuz::klasorler().ayarDosyasi;
    const QByteArray ad = QFile::encodeName(s.dosya);
    struct stat st {};
    if (::stat(ad.constData(), &st) != 0) {
        if (!YolDoluMu(s.dosya))
            return s; // none yet: made at the first write
        s.durum = DosyaDurumu::NormalDegil; // a link that leads nowhere
        return s;
    }
    // A pipe would hold the start for good, a folder cannot hold settings.
    if (!S_ISREG(st.st_mode)) {
        s.durum = DosyaDurumu::NormalDegil;
        return s;
    }
    yalnizSahibine(s.dosya);
    QFile f(s.dosya);
    if (!f.open(QIODevice::ReadOnly)) {
        s.durum = DosyaDurumu::SifreOkunamaz;
        return s;
    }
    const QByteArray icerik = f.readAll();
    const bool okundu = f.error() == QFileDevice::NoError;
    f.close();
    if (!okundu) {
        s.durum = DosyaDurumu::SifreOkunamaz;
        return s;
    }
    if (!depo()->bozuk)
        return s;
    // Damaged. With the password in it, it stays as it is and the program does not start
    // unlocked; without, it is set aside and the program starts with the defaults.
    if (icerik.contains("Giris%20Sifresi") || icerik.contains("Giris Sifresi")) {
        s.durum = DosyaDurumu::SifreOkunamaz;
        return s;
    }
    depo().reset();
    QString kenara = s.dosya + QStringLiteral(".bozuk");
    for (int i = 2; YolDoluMu(kenara); ++i)
        kenara = s.dosya + QStringLiteral(".bozuk-") + QString::number(i);
    if (!QFile::rename(s.dosya, kenara)) {
        s.durum = DosyaDurumu::KenaraAlinamadi;
        return s;
    }
    s.kenara = kenara;
    s.durum = DosyaDurumu::KenaraAlindi;
    return s;
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

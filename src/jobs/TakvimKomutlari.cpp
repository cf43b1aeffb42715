#include "jobs/TakvimKomutlari.h"

#include "core/Arayuzler.h"
#include "core/Hata.h"
#include "core/OrtakYordamlar.h"
#include "core/TakvimDosyasi.h"
#include "jobs/TakvimdanAlFormu.h"
#include "ui/AnaPencere.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimeZone>

namespace Zelvora::TakvimKomutlari {
namespace {

const QString SUZGEC = QStringLiteral("Takvim dosyaları (*.ics);;Tüm dosyalar (*)");
// A calendar file larger than this is no agenda's: refused before it is read.
constexpr qint64 EnBuyukDosya = 64 * 1024 * 1024;

QString belgeKlasoru()
{
    const QString k = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(k).exists() ? k : QDir::homePath();
}

QString tirnakli(const QString &s) { return QStringLiteral("\"") + s + QStringLiteral("\""); }

// A file name made of a folder's name: the characters a file name cannot hold become "-".
QString dosyaAdi(QString ad)
{
    static const QString yasak = QStringLiteral("/\\:*?\"<>|");
    for (QChar &c : ad) {
        if (yasak.contains(c) || c.category() == QChar::Other_Control)
            c = QLatin1Char('-');
    }
    ad = ad.trimmed();
    return ad.isEmpty() ? QStringLiteral("Zelvora") : ad;
}

} // namespace

bool isleriAktar(std::vector<IsKaydi> isler, const QString &onerilenAd)
{
    QString dosya = Arayuz::dosyaSecimi().kaydedilecekDosya(
        QStringLiteral("Takvim Dosyasına Aktar"), QDir(belgeKlasoru()).filePath(dosyaAdi(onerilenAd) + QStringLiteral(".ics")),
        SUZGEC);
    if (dosya.isEmpty())
        return false;
    if (QFileInfo(dosya).suffix().isEmpty())
        dosya += QStringLiteral(".ics");
    qsizetype tarihsiz = 0;
    bool tamam = false;
    Adim([&] {
        Veritabani &vt = Veritabani::acik();
        TakvimDosyasi::onGunleriDoldur(vt, isler);
        tarihsiz = TakvimDosyasi::tarihsizSayisi(isler);
        const QByteArray veri = TakvimDosyasi::yaz(isler, TakvimDosyasi::klasorYollari(vt.klasorler()), vt.kimlik(),
                                                   QTimeZone::systemTimeZone());
        try {
            TakvimDosyasi::dosyayaYaz(dosya, veri);
        } catch (const Hata &h) {
            mesaj(h.aciklama() + QStringLiteral("\r\n") + tirnakli(dosya), MesajSimgesi::Uyari);
            return;
        }
        tamam = true;
    });
    if (!tamam)
        return false;
    const qsizetype yazilan = qsizetype(isler.size()) - tarihsiz;
    QString metin = QString::number(yazilan) + QStringLiteral(" iş ") + tirnakli(dosya)
        + QStringLiteral(" takvim dosyasına aktarıldı.");
    if (tarihsiz > 0)
        metin += QStringLiteral("\r\n") + QStringLiteral("Tarihi olmayan ") + QString::number(tarihsiz)
            + QStringLiteral(" iş takvimde yer alamadığı için aktarılmadı.");
    mesaj(metin, MesajSimgesi::Bilgi);
    return true;
}

bool takvimeAktar(const QString &anahtar, bool tumKlasorler)
{
    const bool sabitDugum = anahtar.isEmpty() || anahtar == QStringLiteral("Program") || anahtar == QStringLiteral("Klasor");
    bool tumu = tumKlasorler || sabitDugum;
    QString klasorAdi;
    if (!tumu) {
        Adim([&] { klasorAdi = Veritabani::acik().klasorAdi(anahtar); });
        if (klasorAdi.isEmpty())
            tumu = true;
        else
            tumu = !soru(QStringLiteral("Yalnızca ") + tirnakli(klasorAdi)
                             + QStringLiteral(" klasöründeki işler mi aktarılsın?") + QStringLiteral("\r\n")
                             + QStringLiteral("(Hayır: bütün klasörlerdeki işler aktarılır.)"));
    }
    std::vector<IsKaydi> isler;
    if (!Adim([&] { isler = Veritabani::acik().isleriListele(anahtar, tumu, false, QDate()); }))
        return false;
    return isleriAktar(std::move(isler), tumu ? QStringLiteral("Zelvora") : klasorAdi);
}

bool takvimdenAl(QWidget *sahip, const QString &anahtar)
{
    const QString dosya = Arayuz::dosyaSecimi().acilacakDosya(
        QStringLiteral("Takvim Dosyasından Al"), QDir(belgeKlasoru()).filePath(QStringLiteral("takvim.ics")), SUZGEC);
    if (dosya.isEmpty())
        return false;
    const QString hicbiri = QStringLiteral("Hiçbir iş kaydedilmedi.");
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly)) {
        mesaj(tirnakli(dosya) + QStringLiteral(" dosyası okunamadı: ") + f.errorString() + QStringLiteral("\r\n") + hicbiri,
              MesajSimgesi::Uyari);
        return false;
    }
    if (f.size() > EnBuyukDosya) {
        mesaj(tirnakli(dosya) + QStringLiteral(" bir takvim dosyası için çok büyük.") + QStringLiteral("\r\n") + hicbiri,
              MesajSimgesi::Uyari);
        return false;
    }
    const QByteArray veri = f.readAll();
    bool yinelenen = false;
    try {
        yinelenen = TakvimDosyasi::yinelenenVarMi(veri);
    } catch (const Hata &h) {
        mesaj(tirnakli(dosya) + QStringLiteral(" dosyası alınamadı.") + QStringLiteral("\r\n") + h.aciklama()
                  + QStringLiteral("\r\n") + hicbiri,
              MesajSimgesi::Uyari);
        return false;
    }
    QList<KlasorKaydi> klasorler;
    if (!Adim([&] { klasorler = Veritabani::acik().klasorler(); }))
        return false;
    if (klasorler.isEmpty()) {
        mesaj(QStringLiteral("İşlerin alınacağı bir klasör yok: önce bir klasör ekleyiniz."), MesajSimgesi::Bilgi);
        return false;
    }
    TakvimdanAlFormu pencere(dosya, veri, yinelenen, anahtar, sahip);
    if (!pencere.hazir())
        return false;
    const bool alindi = pencere.exec() == QDialog::Accepted;
    if (alindi) {
        if (AnaPencere *ana = AnaPencere::etkin())
            ana->seciliKlasoruListele();
    }
    return alindi;
}

} // namespace Zelvora::TakvimKomutlari

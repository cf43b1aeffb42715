#include "core/KomutSatiri.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/OrtakYordamlar.h"
#include "core/ProgramBilgisi.h"
#include "core/TakvimDosyasi.h"
#include "core/Tarihler.h"
#include "core/Veritabani.h"

#include <QCoreApplication>
#include <QHash>
#include <QTextStream>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace Zelvora::KomutSatiri {
namespace {

const QString KISA_KULLANIM = QStringLiteral("Kullanım: zelvora [--bugun | --liste GG.AA.YYYY | --ics-aktar DOSYA.ics | --help | --version]\n"
                                             "Ayrıntılar için: zelvora --help\n");

QString yardim()
{
    return QStringLiteral("Kullanım: zelvora [SEÇENEK]\n"
                          "Hatırlatmalı iş ve randevu ajandası.\n"
                          "\n"
                          "Seçenekler:\n"
                          "  --bugun               bugün yapılacak işleri listeler\n"
                          "  --liste GG.AA.YYYY    o gün yapılacak işleri listeler\n"
                          "  --ics-aktar DOSYA.ics bütün işleri bir takvim dosyasına (iCalendar) yazar\n"
                          "  --help                bu yardımı gösterir\n"
                          "  --version             programın sürümünü gösterir\n"
                          "\n"
                          "Listeler yapılmamış işleri saat, konu, yer ve klasörüyle gösterir. Takvim\n"
                          "dosyası, tarihi olan her işi bir etkinlik olarak tutar (tarihi olmayanlar yazılmaz).\n"
                          "Komutlar veritabanını yalnızca okur, hiçbir şeyi değiştirmez; program çalışırken\n"
                          "de kullanılabilir.\n"
                          "Ayarlarda ya da ZELVORA_SUNUCU ortam değişkeninde bir büro sunucusu varsa\n"
                          "işler sunucudan okunur.\n"
                          "\n"
                          "Seçeneksiz başlatılan program penceresiyle açılır. \"--\" ile başlamayan bir\n"
                          "argümanla (otomatik başlatma kaydının verdiği -Simge gibi) penceresiz, yalnızca\n"
                          "bildirim alanında başlar.\n"
                          "\n"
                          "Çıkış durumu: 0 tamam, 1 veritabanı okunamadı, 2 yanlış seçenek,\n"
                          "3 takvim dosyası yazılamadı.\n");
}

// A stored text on one line of a terminal: control characters (line breaks, tabs, the
// escape that would start a terminal command) and the marks that reverse the direction
// of the text after them become blanks.
QString tekSatir(const QString &metin)
{
    QString s = metin;
    for (QChar &c : s) {
        const char16_t u = c.unicode();
        if (c.category() == QChar::Other_Control || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            c = QLatin1Char(' ');
    }
    return s.trimmed();
}

// The folder's names from the top of the tree down to it: "Müvekkiller / Ahmet Bey".
QString klasorYolu(const QHash<QString, KlasorKaydi> &klasorler, const QString &anahtari)
{
    QStringList adlar;
    QString k = anahtari;
    // A damaged tree whose keys lead round in a circle still ends.
    for (int adim = 0; adim < 64; ++adim) {
        const auto it = klasorler.constFind(k);
        if (it == klasorler.constEnd())
            break;
        adlar.prepend(tekSatir(it->adi));
        k = it->bagi;
    }
    return adlar.join(QStringLiteral(" / "));
}

void tabloYaz(QTextStream &cikti, const QList<QStringList> &satirlar)
{
    QList<qsizetype> genislik;
    for (const QStringList &satir : satirlar) {
        for (qsizetype i = 0; i < satir.size(); ++i) {
            if (genislik.size() <= i)
                genislik.append(0);
            genislik[i] = std::max(genislik[i], satir[i].size());
        }
    }
    for (const QStringList &satir : satirlar) {
        QString s;
        for (qsizetype i = 0; i < satir.size(); ++i)
            s += i + 1 < satir.size() ? satir[i].leftJustified(genislik[i] + 2) : satir[i];
        // No blanks left at the end; the first column keeps its place when it is empty.
        qsizetype n = s.size();
        while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
            --n;
        cikti << QStringView(s).left(n) << '\n';
    }
}

void hataYaz(QTextStream &hata, const QString &ne, const QString &dosya, const QString &neden)
{
    hata << "zelvora: " << ne << ": \"" << dosya << "\"\n";
    if (!neden.isEmpty())
        hata << "Neden: " << neden << '\n';
}

// The reason for a database that could not be read, in plain words.
QString okumaNedeni(const Hata &h, const QString &yol)
{
    if (h.numara() == HataNo::TabloYok)
        return QStringLiteral("Dosya, programın veritabanı değil: tabloları yok.");
    // Only a read-only connection meets a write refused: the journal of a save cut short
    // is waiting to be rolled back, which only the program itself does.
    if (h.numara() == HataNo::SaltOkunur && !yol.isEmpty() && YolDoluMu(yol + QStringLiteral("-journal")))
        return QStringLiteral("Yarım kalmış bir kaydın günlüğü geri alınmayı bekliyor. Program bir kez açılınca "
                              "bu düzelir; sonra tekrar deneyiniz.");
    return HataNedeni(h);
}

} // namespace

Istek coz(const QStringList &argumanlar)
{
    Istek istek;
    const bool secenekVar = std::any_of(argumanlar.cbegin(), argumanlar.cend(),
                                        [](const QString &a) { return a.startsWith(QLatin1String("--")); });
    if (!secenekVar)
        return istek;
    istek.komut = Komut::Yanlis;
    const QString ilk = argumanlar.first();
    QString tarih;
    qsizetype kullanilan = 1;
    if (ilk == QLatin1String("--help")) {
        istek.komut = Komut::Yardim;
    } else if (ilk == QLatin1String("--version")) {
        istek.komut = Komut::Surum;
    } else if (ilk == QLatin1String("--bugun")) {
        istek.komut = Komut::Bugun;
    } else if (ilk == QLatin1String("--liste") || ilk.startsWith(QLatin1String("--liste="))) {
        if (ilk.startsWith(QLatin1String("--liste="))) {
            tarih = ilk.mid(8);
        } else if (argumanlar.size() > 1) {
            tarih = argumanlar.at(1);
            kullanilan = 2;
        } else {
            istek.yanlis = QStringLiteral("--liste bir tarih ister (GG.AA.YYYY).");
            return istek;
        }
        istek.tarih = Tarihler::tarihCoz(tarih);
        if (!istek.tarih.isValid()) {
            istek.yanlis = QStringLiteral("geçerli bir tarih değil: \"") + tarih + QStringLiteral("\" (GG.AA.YYYY).");
            return istek;
        }
        istek.komut = Komut::Liste;
    } else if (ilk == QLatin1String("--ics-aktar") || ilk.startsWith(QLatin1String("--ics-aktar="))) {
        if (ilk.startsWith(QLatin1String("--ics-aktar="))) {
            istek.dosya = ilk.mid(12);
        } else if (argumanlar.size() > 1) {
            istek.dosya = argumanlar.at(1);
            kullanilan = 2;
        }
        if (istek.dosya.isEmpty()) {
            istek.yanlis = QStringLiteral("--ics-aktar bir dosya adı ister (DOSYA.ics).");
            return istek;
        }
        istek.komut = Komut::IcsAktar;
    } else if (ilk.startsWith(QLatin1String("--"))) {
        istek.yanlis = QStringLiteral("tanınmayan seçenek: ") + ilk;
        return istek;
    } else {
        // A start argument together with an option: which one was meant is not known.
        istek.yanlis = QStringLiteral("seçenekten önce beklenmeyen argüman: ") + ilk;
        return istek;
    }
    if (argumanlar.size() > kullanilan) {
        istek.komut = Komut::Yanlis;
        istek.yanlis = QStringLiteral("fazla argüman: ") + argumanlar.at(kullanilan);
    }
    return istek;
}

namespace {

// Opens the program's database for reading only (the office server when one is set: the
// environment first, as the program does) and hands it to oku. Failures are written to
// hata; returns false then.
bool veritabaniniOku(QTextStream &hata, const std::function<void(Veritabani &)> &oku)
{
    QString sunucu = qEnvironmentVariable("ZELVORA_SUNUCU").trimmed();
    if (sunucu.isEmpty()) {
        try {
            sunucu = Ayarlar::saltOku(AyarAdi::Sunucu, AyarAdi::Baglanti, QString()).trimmed();
        } catch (const Hata &h) {
            // Without the settings it is not known which database is the user's.
            hataYaz(hata, QStringLiteral("ayar dosyası okunamadı"), h.dosya(), h.aciklama());
            return false;
        }
    }
    const QString yol = sunucu.isEmpty() ? Baslangic::veritabaniYolu() : QString();
    if (sunucu.isEmpty() && !YolDoluMu(yol)) {
        hataYaz(hata, QStringLiteral("veritabanı dosyası yok"), yol,
                QStringLiteral("Program bu kullanıcı için henüz hiç açılmamış olabilir."));
        return false;
    }
    QString ad = sunucu.isEmpty() ? yol : sunucu;
    try {
        std::unique_ptr<Veritabani> vt;
        if (sunucu.isEmpty()) {
            vt = Veritabani::okumakIcinAc(yol);
        } else {
            vt = Veritabani::sunucuyaBaglan(sunucu);
            ad = vt->adi();
            // The server refuses any write of this session.
            vt->calistir("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY");
        }
        oku(*vt);
    } catch (const Hata &h) {
        hataYaz(hata, sunucu.isEmpty() ? QStringLiteral("veritabanı okunamadı") : QStringLiteral("sunucudaki veritabanı okunamadı"),
                h.dosya().isEmpty() ? ad : h.dosya(), okumaNedeni(h, yol));
        return false;
    }
    return true;
}

} // namespace

int takvimeAktar(const QString &dosya, QTextStream &cikti, QTextStream &hata)
{
    QByteArray veri;
    qsizetype yazilan = 0, tarihsiz = 0;
    const bool okundu = veritabaniniOku(hata, [&](Veritabani &vt) {
        const std::vector<IsKaydi> isler = TakvimDosyasi::isleriTopla(vt, QString(), true);
        tarihsiz = TakvimDosyasi::tarihsizSayisi(isler);
        yazilan = qsizetype(isler.size()) - tarihsiz;
        veri = TakvimDosyasi::yaz(isler, TakvimDosyasi::klasorYollari(vt.klasorler()), vt.kimlik(),
                                  QTimeZone::systemTimeZone());
    });
    if (!okundu)
        return 1;
    try {
        TakvimDosyasi::dosyayaYaz(dosya, veri);
    } catch (const Hata &h) {
        hataYaz(hata, QStringLiteral("takvim dosyası yazılamadı"), dosya, h.aciklama());
        return 3;
    }
    cikti << yazilan << " iş \"" << dosya << "\" dosyasına yazıldı.\n";
    if (tarihsiz > 0)
        cikti << "Tarihi olmayan " << tarihsiz << " iş takvimde yer alamadığı için yazılmadı.\n";
    return 0;
}

int gununIsleri(const QDate &gun, bool bugun, QTextStream &cikti, QTextStream &hata)
{
    QHash<QString, KlasorKaydi> klasorler;
    std::vector<IsKaydi> isler;
    const bool okundu = veritabaniniOku(hata, [&](Veritabani &vt) {
        for (const KlasorKaydi &k : vt.klasorler())
            klasorler.insert(k.anahtari, k);
        isler = vt.isListesi(Veritabani::ListeKipi::BirGunun, gun);
    });
    if (!okundu)
        return 1;

    // The headings and the empty-day sentences of the job list window.
    const QString tarih = Tarihler::kisaTarih(gun);
    if (isler.empty()) {
        cikti << (bugun ? QStringLiteral("Bugün yapılacak işiniz bulunmuyor!")
                        : tarih + QStringLiteral(" tarihinde yapılacak işiniz bulunmuyor!"))
              << '\n';
        return 0;
    }
    const QString toplam = QStringLiteral(" Yapılacak İşleriniz (Toplam: ") + QString::number(isler.size())
        + QStringLiteral(")");
    cikti << (bugun ? QStringLiteral("Bugün") + toplam + QStringLiteral(" - ") + tarih
                    : tarih + QStringLiteral(" Tarihinde") + toplam)
          << "\n\n";
    QList<QStringList> satirlar{{QStringLiteral("Saat"), QStringLiteral("Konu"), QStringLiteral("Yer"),
                                 QStringLiteral("Klasör")}};
    for (const IsKaydi &is : isler) {
        satirlar.append({is.saat.isValid() ? is.saat.toString(QStringLiteral("HH:mm")) : QString(), tekSatir(is.konu),
                         tekSatir(is.yer), klasorYolu(klasorler, is.anahtari)});
    }
    tabloYaz(cikti, satirlar);
    return 0;
}

std::optional<int> calistir(int argc, char **argv)
{
    QStringList argumanlar;
    for (int i = 1; i < argc; ++i)
        argumanlar << QString::fromLocal8Bit(argv[i]);
    const Istek istek = coz(argumanlar);
    QTextStream cikti(stdout);
    QTextStream hata(stderr);
    switch (istek.komut) {
    case Komut::Baslat:
        return std::nullopt;
    case Komut::Yardim:
        cikti << yardim();
        return 0;
    case Komut::Surum:
        cikti << ProgramBilgisi::urunAdi() << ' ' << ProgramBilgisi::surum() << '\n'
              << ProgramBilgisi::yasalUyari() << '\n';
        return 0;
    case Komut::Yanlis:
        hata << "zelvora: " << istek.yanlis << '\n' << KISA_KULLANIM;
        return 2;
    case Komut::Bugun:
    case Komut::Liste:
    case Komut::IcsAktar:
        break;
    }
    // No display: the folders come from the application, the day from the clock.
    QCoreApplication uygulama(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zelvora"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrek"));
    if (istek.komut == Komut::IcsAktar)
        return takvimeAktar(istek.dosya, cikti, hata);
    const bool bugun = istek.komut == Komut::Bugun;
    return gununIsleri(bugun ? Arayuz::saat().simdi().date() : istek.tarih, bugun, cikti, hata);
}

} // namespace Zelvora::KomutSatiri

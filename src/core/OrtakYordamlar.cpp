#include "core/OrtakYordamlar.h"

#include "core/Arayuzler.h"
#include "core/GirisMetni.h"
#include "core/OrtakDegiskenler.h"
#include "core/SunucuBaglantisi.h"
#include "core/Veritabani.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <sys/stat.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

static void kaynaklariBaglaGlobal()
{
    // The resources live in a static library; make sure the linker keeps them.
    Q_INIT_RESOURCE(zelvora);
}

namespace Zelvora {

void KaynaklariHazirla()
{
    static bool hazir = false;
    if (!hazir) {
        kaynaklariBaglaGlobal();
        hazir = true;
    }
}

namespace {
QString tirnakliDosya(const Hata &h)
{
    return h.dosya().isEmpty() ? QString() : QStringLiteral("\r\n\"") + h.dosya() + QStringLiteral("\"");
}

// Under the network message, the server and why it could not be reached: libpq's reason,
// with its meaning in plain words where it is a known one (password, database,
// certificate...).
QString sunucuNedeni(const Hata &h)
{
    if (h.aciklama().isEmpty())
        return QString();
    const QString anlam = SunucuBaglantisi::nedenAciklamasi(h.aciklama());
    QString metin = QStringLiteral("\r\n\r\n");
    if (!h.dosya().isEmpty())
        metin += QStringLiteral("Sunucu: ") + h.dosya() + QStringLiteral("\r\n");
    metin += QStringLiteral("Nedeni: ") + (anlam.isEmpty() ? h.aciklama() : anlam + QStringLiteral("\r\n(") + h.aciklama() + QLatin1Char(')'));
    return metin;
}

// The advice that ends a failed write's message; that the entries are still there is
// said only where a window kept them.
QString tavsiye(const QString &girdiler, const QString &ne)
{
    return (GirdilerYerindeKalir::etkin() ? girdiler + QLatin1Char(' ') : QString()) + QStringLiteral("Lütfen, ") + ne;
}
} // namespace

namespace {
// The database file under the running program is no longer the one it opened: said in
// plain words, and the file now at its path, when it is a sound database of ours, is
// offered for opening.
void veritabaniDegistiBildir(const Hata &h)
{
    const QString metin = QStringLiteral("Veritabanı dosyanız, program açıkken silindi, taşındı ya da yerine başka bir dosya kondu:")
        + tirnakliDosya(h) + QStringLiteral("\r\n\r\n")
        + (GirdilerYerindeKalir::etkin()
           ? QStringLiteral("Program bu dosyaya artık kaydedemez: kaydetmek istediğiniz bilgi kaydedilmedi, girdikleriniz yerinde duruyor.")
           : QStringLiteral("Program bu dosyaya artık kaydedemez."));
    Veritabani *vt = Veritabani::acikMi() ? &Veritabani::acik() : nullptr;
    if (vt && vt->adi() == h.dosya() && Veritabani::saglamMi(h.dosya())) {
        if (!soru(metin + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Bu adda şimdi bir veritabanı dosyası var. Program onu açsın mı? (Açıldıktan sonra kaydetmek istediğinizi yeniden kaydedebilirsiniz.)")))
            return;
        try {
            vt->yenidenAc();
        } catch (const Hata &e) {
            mesaj(QStringLiteral("Veritabanı dosyanız açılamadı:") + tirnakliDosya(h) + QStringLiteral("\r\n\r\n")
                      + QStringLiteral("Nedeni: ") + HataNedeni(e),
                  MesajSimgesi::Uyari);
        }
        return;
    }
    mesaj(metin + QStringLiteral("\r\n\r\n")
              + QStringLiteral("Lütfen, dosyayı yerine koyup tekrar deneyiniz ya da programı kapatıp yeniden açınız: dosya bulunamazsa, yedekten oluşturulması önerilir."),
          MesajSimgesi::Uyari);
}
} // namespace

bool GenelHataYordami(const Hata &h)
{
    const int numara = h.numara();
    switch (numara) {
    case HataNo::Yazici:
    case HataNo::Mesgul:
    case HataNo::Bildirildi:
        return true;
    case HataNo::VeritabaniDegisti:
        veritabaniDegistiBildir(h);
        return true;
    case HataNo::TabloYok:
        mesaj(QStringLiteral("Veritabanı dosyanızın bir tablosu, program açıkken silindi:") + tirnakliDosya(h)
                  + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("İşleriniz okunamıyor ve kaydedilemiyor: bu sırada kaydetmek istediğiniz bir bilgi varsa kaydedilmedi, girdikleriniz yerinde duruyor.")
                  + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Lütfen, programı kapatıp yeniden açınız: veritabanınızı yedekten oluşturmanız önerilecek."),
              MesajSimgesi::Uyari);
        return true;
    case HataNo::DiskAg:
    case HataNo::GecersizYol:
        mesaj(QStringLiteral("Ağ bağlantısı kurulamıyor. Lütfen, kontrol edip tekrar deneyiniz!") + sunucuNedeni(h),
              MesajSimgesi::Uyari);
        Arayuz::programSonu().bitir(1);
        return false;
    case HataNo::DosyaAcilamiyor:
        // The file or server concerned is named on a line of its own.
        mesaj(QStringLiteral("Dosyaya erişilemiyor. Lütfen, kontrol edip tekrar deneyiniz!") + tirnakliDosya(h),
              MesajSimgesi::Uyari);
        Arayuz::programSonu().bitir(1);
        return false;
    case HataNo::AgKoptu:
        // The server is out of reach now: said as the network failure it is, and the
        // program goes on with what the user typed; the next action connects again.
        mesaj(QStringLiteral("Ağ bağlantısı kurulamıyor. Lütfen, kontrol edip tekrar deneyiniz!") + sunucuNedeni(h)
                  + (GirdilerYerindeKalir::etkin() ? QStringLiteral("\r\n\r\nGirdiğiniz bilgiler yerinde duruyor.") : QString()),
              MesajSimgesi::Uyari);
        return true;
    case HataNo::Kilitli:
        mesaj(QStringLiteral("Veritabanı şu anda başka bir program tarafından kullanılıyor; işlem yapılamadı.")
                  + tirnakliDosya(h) + QStringLiteral("\r\n\r\n")
                  + tavsiye(QStringLiteral("Girdiğiniz bilgiler yerinde duruyor."), QStringLiteral("biraz sonra tekrar deneyiniz.")),
              MesajSimgesi::Uyari);
        return true;
    case HataNo::DiskDolu:
        mesaj(QStringLiteral("Diskte yer kalmadı! Şu dosyaya yazılamadı:") + tirnakliDosya(h)
                  + QStringLiteral("\r\n\r\n")
                  + tavsiye(QStringLiteral("Girdiğiniz bilgiler yerinde duruyor."), QStringLiteral("diskte yer açıp tekrar deneyiniz.")),
              MesajSimgesi::Uyari);
        return true;
    case HataNo::DiskHatasi:
        mesaj(QStringLiteral("Disk okunurken ya da yazılırken bir hata oluştu:") + tirnakliDosya(h)
                  + QStringLiteral("\r\n(") + h.aciklama() + QStringLiteral(")\r\n\r\n")
                  + tavsiye(QStringLiteral("Girdiğiniz bilgiler yerinde duruyor."), QStringLiteral("diski kontrol edip tekrar deneyiniz.")),
              MesajSimgesi::Uyari);
        return true;
    case HataNo::AyarYazilamadi:
        mesaj(QStringLiteral("Ayar kaydedilemedi! Ayarlar dosyasına yazılamadı:") + tirnakliDosya(h)
                  + QStringLiteral("\r\n(") + h.aciklama() + QStringLiteral(")\r\n\r\n")
                  + tavsiye(QStringLiteral("Girdikleriniz pencerede duruyor."), QStringLiteral("dosyanın izinlerini kontrol edip tekrar deneyiniz.")),
              MesajSimgesi::Uyari);
        return true;
    case HataNo::SaltOkunur:
        mesaj(QStringLiteral("Veritabanı dosyanıza ya da klasörüne şu anda yazılamıyor:") + tirnakliDosya(h)
                  + QStringLiteral("\r\n(") + h.aciklama() + QStringLiteral(")\r\n\r\n")
                  + tavsiye(QStringLiteral("Girdiğiniz bilgiler yerinde duruyor."), QStringLiteral("dosyanın izinlerini kontrol edip tekrar deneyiniz.")),
              MesajSimgesi::Uyari);
        return true;
    default:
        break;
    }
    // What another desk of the office did meanwhile: said plainly, never as a fault that
    // offers to end the program.
    switch (numara) {
    case HataNo::KlasorYok:
        mesaj(h.aciklama() + QStringLiteral("\r\n\r\n")
                  + tavsiye(QStringLiteral("Girdiğiniz bilgiler yerinde duruyor."),
                            QStringLiteral("klasör listesi yenilendi; var olan bir klasörü seçip tekrar deneyiniz.")),
              MesajSimgesi::Bilgi);
        return true;
    case HataNo::AltKlasorVar:
        mesaj(h.aciklama(), MesajSimgesi::Bilgi);
        return true;
    case HataNo::KayitYok:
        mesaj(QStringLiteral("Bu iş bulunamadı: başka bir masada ya da pencerede silinmiş olabilir.")
                  + (GirdilerYerindeKalir::etkin() ? QStringLiteral("\r\n\r\nGirdiğiniz bilgiler yerinde duruyor.")
                                                   : QString()),
              MesajSimgesi::Bilgi);
        return true;
    default:
        break;
    }
    const QString metin = KaynakMetni(40) + QStringLiteral("\r\n\r\n") + KaynakMetni(50) + QLatin1Char(' ')
        + QString::number(numara) + QStringLiteral("\r\n\r\n") + KaynakMetni(60) + QLatin1Char(' ') + h.aciklama();
    // Only "Evet" or "Hayır" answers this question: Esc and the close box do nothing.
    if (mesaj(metin, MesajSimgesi::Kritik, MesajDugmeleri::EvetHayirZorunlu, MesajCevabi::Evet, KaynakMetni(70))
        == MesajCevabi::Evet)
        return true;
    Arayuz::programSonu().bitir(1);
    return false;
}

QString HataNedeni(const Hata &h)
{
    QString neden;
    switch (h.numara()) {
    case HataNo::Kilitli: neden = QStringLiteral("Veritabanı başka bir program tarafından kullanılıyor."); break;
    case HataNo::DiskDolu: neden = QStringLiteral("Diskte yer kalmadı."); break;
    case HataNo::DiskHatasi: neden = QStringLiteral("Disk okunurken ya da yazılırken hata oluştu."); break;
    case HataNo::SaltOkunur: neden = QStringLiteral("Dosyaya ya da klasörüne yazılamıyor."); break;
    case HataNo::DosyaAcilamiyor: neden = QStringLiteral("Dosya açılamıyor, bozuk ya da programın veritabanı değil."); break;
    default: break;
    }
    if (h.aciklama().isEmpty())
        return neden;
    return neden.isEmpty() ? h.aciklama() : neden + QStringLiteral(" (") + h.aciklama() + QLatin1Char(')');
}

bool Adim(const std::function<void()> &adim, bool *devam)
{
    try {
        adim();
        return true;
    } catch (const Hata &h) {
        const bool d = GenelHataYordami(h);
        if (devam)
            *devam = d;
        return false;
    }
}

bool SunucuyaUlasilamiyor(const Hata &h)
{
    return (h.numara() == HataNo::AgKoptu || h.numara() == HataNo::DiskAg) && Veritabani::acikMi()
        && Veritabani::acik().sunucuMu();
}

bool GozetimsizAdim(const std::function<void()> &adim, bool *devam)
{
    try {
        adim();
        return true;
    } catch (const Hata &h) {
        if (SunucuyaUlasilamiyor(h))
            return false;
        const bool d = GenelHataYordami(h);
        if (devam)
            *devam = d;
        return false;
    }
}

bool SessizAdim(const std::function<void()> &adim)
{
    try {
        adim();
        return true;
    } catch (const Hata &) {
        return false;
    }
}

QString KaynakMetni(int numara)
{
    static QHash<int, QString> tablo;
    if (tablo.isEmpty()) {
        KaynaklariHazirla();
        QFile f(QStringLiteral(":/MetinTablosu.txt"));
        if (f.open(QIODevice::ReadOnly)) {
            QTextStream in(&f);
            in.setEncoding(QStringConverter::Utf8);
            while (!in.atEnd()) {
                const QString satir = in.readLine();
                if (satir.startsWith(QLatin1Char('#')))
                    continue;
                const qsizetype sekme = satir.indexOf(QLatin1Char('\t'));
                if (sekme <= 0)
                    continue;
                QString metin = satir.mid(sekme + 1);
                metin.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
                tablo.insert(satir.left(sekme).toInt(), metin);
            }
        }
    }
    return tablo.value(numara);
}

QList<QStringList> KaynakTablosu(const QString &yol)
{
    QList<QStringList> satirlar;
    KaynaklariHazirla();
    QFile f(yol);
    if (!f.open(QIODevice::ReadOnly))
        return satirlar;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString satir = in.readLine();
        if (!satir.isEmpty() && !satir.startsWith(QLatin1Char('#')))
            satirlar.append(satir.split(QLatin1Char('\t')));
    }
    return satirlar;
}

QChar TurkceBuyukHarf(QChar c)
{
    if (c == QChar(0x0131)) // ı
        return QLatin1Char('I');
    if (c == QLatin1Char('i'))
        return QChar(0x0130); // İ
    return c.toUpper();
}

QString TurkceBuyuk(const QString &s)
{
    QString r = s;
    for (QChar &c : r)
        c = TurkceBuyukHarf(c);
    return r;
}

QString TurkceKucuk(const QString &s)
{
    QString r = s;
    for (QChar &c : r) {
        if (c == QLatin1Char('I'))
            c = QChar(0x0131);
        else if (c == QChar(0x0130))
            c = QLatin1Char('i');
        else
            c = c.toLower();
    }
    return r;
}

QString IlkHarfleriBuyut(const QString &metin)
{
    qsizetype bas = 0;
    qsizetype son = metin.size();
    while (bas < son && metin.at(bas) == QLatin1Char(' '))
        ++bas;
    while (son > bas && metin.at(son - 1) == QLatin1Char(' '))
        --son;
    QString s = metin.mid(bas, son - bas);
    for (QChar &c : s) {
        if (c == QLatin1Char('I'))
            c = QChar(0x0131);
        else if (c == QChar(0x0130))
            c = QLatin1Char('i');
    }
    if (s.isEmpty())
        return s;
    s[0] = TurkceBuyukHarf(s.at(0));
    for (QChar ayirici : {QLatin1Char(' '), QLatin1Char('/'), QLatin1Char('-'), QLatin1Char('.')}) {
        for (qsizetype i = 0; i + 1 < s.size(); ++i) {
            if (s.at(i) == ayirici)
                s[i + 1] = TurkceBuyukHarf(s.at(i + 1));
        }
    }
    return s;
}

QString MetniSifrele(const QString &metin, const QString &alfabe, const QString &anahtar)
{
    const qsizetype L = alfabe.size();
    if (L == 0 || anahtar.isEmpty())
        return metin;
    QString sonuc;
    sonuc.reserve(metin.size());
    for (qsizetype i = 0; i < metin.size(); ++i) {
        const qsizetype p = alfabe.indexOf(metin.at(i));
        const qsizetype k = alfabe.indexOf(anahtar.at(i % anahtar.size()));
        if (p < 0 || k < 0) {
            // Characters outside the alphabet are passed through unchanged.
            sonuc += metin.at(i);
            continue;
        }
        sonuc += alfabe.at(((k - p) % L + L) % L);
    }
    return sonuc;
}

bool DosyaVarMi(const QString &yol)
{
    if (yol.isEmpty())
        return false;
    QString y = yol;
    while (y.size() > 1 && y.endsWith(QLatin1Char('/')))
        y.chop(1);
    return QFileInfo::exists(y);
}

bool NormalDosyaMi(const QString &yol)
{
    struct stat st {};
    return !yol.isEmpty() && ::stat(QFile::encodeName(yol).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool YolDoluMu(const QString &yol)
{
    struct stat st {};
    return !yol.isEmpty() && ::lstat(QFile::encodeName(yol).constData(), &st) == 0;
}

QString ProgramDosyalariKlasoru()
{
    return Arayuz::klasorler().programDosyalariKlasoru;
}

void BellekAyarla()
{
#if defined(__GLIBC__)
    // Large blocks from the heap rather than from mappings of their own, and no automatic
    // trimming of the heap's top below 64 MB: both would give a long list's memory back
    // at its free and fault it in again at the next list.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

void BellegiSistemeVer()
{
#if defined(__GLIBC__)
    static bool bekliyor = false;
    QCoreApplication *uygulama = QCoreApplication::instance();
    if (uygulama && QThread::currentThread() == uygulama->thread() && QAbstractEventDispatcher::instance()) {
        if (!bekliyor) {
            bekliyor = true;
            QTimer::singleShot(500, uygulama, [] {
                bekliyor = false;
                malloc_trim(0);
            });
        }
        return;
    }
    malloc_trim(0);
#endif
}

QString TekSatir(QString metin)
{
    metin.replace(QLatin1Char('\t'), QLatin1Char(' '));
    metin.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    metin.replace(QLatin1Char('\r'), QLatin1Char(' '));
    metin.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return metin;
}

} // namespace Zelvora

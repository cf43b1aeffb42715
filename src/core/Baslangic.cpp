#include "core/Baslangic.h"

#include "Surum.h"
#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>

namespace Zelvora::Baslangic {
namespace {
std::unique_ptr<Veritabani> &baglanti()
{
    static std::unique_ptr<Veritabani> b;
    return b;
}
} // namespace

QString tirnakli(const QString &ad)
{
    return QLatin1Char('"') + ad + QLatin1Char('"');
}

QString pencereBasligi()
{
    return KaynakMetni(10) + QLatin1Char(' ') + QString::number(ZELVORA_SURUM_ANA) + QLatin1Char('.')
        + QString::number(ZELVORA_SURUM_ALT) + QString::number(ZELVORA_SURUM_DUZELTME)
        + QStringLiteral(" (Sunucu)");
}

QString veritabaniKlasoru()
{
    return ProgramDosyalariKlasoru() + QStringLiteral("Tavrek/Zelvora/");
}

QString veritabaniYolu()
{
    return veritabaniKlasoru() + QStringLiteral("Vok.vtb");
}

QString sablonYolu()
{
    return Arayuz::klasorler().programKlasoru + QStringLiteral("Vok.vtb");
}

QString yedekKlasoru()
{
    return ProgramDosyalariKlasoru() + QStringLiteral("Tavrek/Vtb Yedekleri/");
}

QString yedekYolu()
{
    return yedekKlasoru() + QStringLiteral("Vok.ydk");
}


void klasorHazirla(const QString &klasor)
{
    const QString kok = QDir::cleanPath(ProgramDosyalariKlasoru());
    QString yol = QDir::cleanPath(klasor);
    QStringList olusacak;
    while (!QFileInfo::exists(yol) && yol.size() > kok.size()) {
        olusacak.prepend(yol);
        yol = QFileInfo(yol).absolutePath();
    }
    if (!QDir().mkpath(klasor))
        throw Hata(HataNo::SaltOkunur, QStringLiteral("Klasör oluşturulamadı."), klasor);
    for (const QString &k : olusacak)
        QFile::setPermissions(k, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

namespace {

// Copies a file under a temporary name, flushes it and renames it into place, so that
// an interrupted copy never leaves a half database. The copy is the owner's only.
void guvenliKopyala(const QString &kaynak, const QString &hedef, bool tarihKorunsun)
{
    if (!NormalDosyaMi(kaynak))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Kopyalanacak dosya normal bir dosya değil."), kaynak);
    QFile giris(kaynak);
    if (!giris.open(QIODevice::ReadOnly))
        throw Hata(HataNo::DosyaAcilamiyor, giris.errorString(), kaynak);
    QSaveFile cikis(hedef);
    if (!cikis.open(QIODevice::WriteOnly))
        throw Hata(HataNo::SaltOkunur, cikis.errorString(), hedef);
    cikis.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    while (!giris.atEnd()) {
        const QByteArray parca = giris.read(1 << 20);
        if (parca.isEmpty() && giris.error() != QFileDevice::NoError)
            throw Hata(HataNo::DiskHatasi, giris.errorString(), kaynak);
        if (cikis.write(parca) != parca.size())
            break; // commit() reports it
    }
    if (!cikis.commit())
        throw Hata(cikis.error() == QFileDevice::ResourceError ? HataNo::DiskDolu : HataNo::DiskHatasi,
                   cikis.errorString(), hedef);
    QFile::setPermissions(hedef, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (tarihKorunsun) {
        QFile kopya(hedef);
        if (kopya.open(QIODevice::ReadWrite))
            kopya.setFileTime(QFileInfo(kaynak).lastModified(), QFileDevice::FileModificationTime);
    }
}

// The first of temel + ek, temel + ek + "-2", ... at which nothing lies yet.
QString bosAd(const QString &temel, const QString &ek)
{
    QString ad = temel + ek;
    for (int i = 2; YolDoluMu(ad); ++i)
        ad = temel + ek + QLatin1Char('-') + QString::number(i);
    return ad;
}

// A journal left beside a database that is gone (or set aside) belongs to that database:
// SQLite would play it onto whatever is copied in now. It is set aside, not deleted.
// False when one could not be moved: the user has been told and the program ended.
bool artiklariKenaraAl(const QString &vt)
{
    for (const char *ek : {"-journal", "-wal", "-shm"}) {
        const QString artik = vt + QLatin1String(ek);
        if (YolDoluMu(artik) && !QFile::rename(artik, bosAd(artik, QStringLiteral(".eski")))) {
            mesaj(tirnakli(artik) + QStringLiteral(" adlı dosya kaldırılamadığı için veritabanınız oluşturulamıyor.")
                      + QStringLiteral("\r\n") + QStringLiteral("Lütfen, bu dosyayı başka bir yere taşıyıp tekrar deneyiniz."),
                  MesajSimgesi::Kritik);
            Arayuz::programSonu().bitir(1);
            return false;
        }
    }
    return true;
}
} // namespace

QString sunucuBaglantisi()
{
    // The environment wins, so one desk can be pointed elsewhere for a while.
    const QString ortam = qEnvironmentVariable("ZELVORA_SUNUCU").trimmed();
    if (!ortam.isEmpty())
        return ortam;
    return Ayarlar::oku(AyarAdi::Sunucu, AyarAdi::Baglanti, QString()).trimmed();
}

bool ayarlariDenetle()
{
    const Ayarlar::DosyaDenetimi d = Ayarlar::dosyayiDenetle();
    const QString satir = QStringLiteral("\r\n");
    switch (d.durum) {
    case Ayarlar::DosyaDurumu::Saglam:
        return true;
    case Ayarlar::DosyaDurumu::KenaraAlindi:
        mesaj(tirnakli(d.dosya) + QStringLiteral(" adlı ayar dosyanız bozuk olduğu için okunamadı.") + satir
                  + QStringLiteral("Bozuk dosya şu adla saklandı:") + satir + tirnakli(d.kenara) + satir + satir
                  + QStringLiteral("Program, ayarların ilk değerleriyle açılıyor. İşleriniz veritabanında, hiçbiri kaybolmadı."),
              MesajSimgesi::Uyari);
        return true;
    case Ayarlar::DosyaDurumu::KenaraAlinamadi:
        mesaj(tirnakli(d.dosya) + QStringLiteral(" adlı ayar dosyanız bozuk olduğu için okunamadı ve adı değiştirilemedi.")
                  + satir + QStringLiteral("Ayarlarınızın bir kısmı okunamamış olabilir; bu oturumda ayarlarınız bu dosyaya yazılmayacak.")
                  + satir + satir + QStringLiteral("İşleriniz veritabanında, hiçbiri kaybolmadı."),
              MesajSimgesi::Uyari);
        return true;
    case Ayarlar::DosyaDurumu::SifreOkunamaz:
        mesaj(tirnakli(d.dosya) + QStringLiteral(" adlı ayar dosyanız bozuk ya da okunamıyor.") + satir
                  + QStringLiteral("Giriş şifreniz bu dosyada olabileceği için program şifresiz başlatılmıyor.") + satir
                  + satir + QStringLiteral("Lütfen, dosyayı onarıp (ya da okuma iznini verip) tekrar deneyiniz. Dosyayı kaldırırsanız")
                  + QStringLiteral(" ayarlarınız ve giriş şifreniz de kalkar."),
              MesajSimgesi::Kritik);
        Arayuz::programSonu().bitir(1);
        return false;
    case Ayarlar::DosyaDurumu::NormalDegil:
        mesaj(tirnakli(d.dosya) + QStringLiteral(" adlı ayar dosyanız normal bir dosya olmadığı için program başlayamıyor!")
                  + satir + QStringLiteral("Lütfen kontrol edip tekrar deneyin."),
              MesajSimgesi::Kritik);
        Arayuz::programSonu().bitir(1);
        return false;
    }
    return true;
}

bool veritabaniniDenetle()
{
    // A server's database is the server's business: nothing to find or copy here.
    if (!sunucuBaglantisi().isEmpty())
        return true;
    const QString vt = veritabaniYolu();
    // Anything at all at the database's path (a link, a folder) is for the open to judge.
    if (YolDoluMu(vt))
        return true;
    const QString sablon = sablonYolu();
    bool devam = true;
    if (!artiklariKenaraAl(vt))
        return false;
    // Earlier versions kept the database beside the program, where a rebuild or an
    // install could overwrite it: a database there that holds the user's folders or
    // jobs is taken over into the data folder, once. The old file is then renamed
    // aside, so that it can never come back later in place of a newer database and
    // its backup (a rebuild writes an empty template in its place).
    if (Veritabani::kayitVarMi(sablon)) {
        if (!Adim([&] {
                klasorHazirla(veritabaniKlasoru());
                guvenliKopyala(sablon, vt, true);
            }, &devam))
            return false;
        const QString kenara = bosAd(sablon, QStringLiteral(".tasindi"));
        QString metin = QStringLiteral("Programın klasöründeki veritabanınız, bundan sonra kullanılacağı yere kopyalandı:")
            + QStringLiteral("\r\n\"") + vt + QLatin1Char('"');
        if (QFile::rename(sablon, kenara))
            metin += QStringLiteral("\r\n\r\n") + QStringLiteral("Eski dosya şu adla saklandı:") + QStringLiteral("\r\n\"")
                + kenara + QLatin1Char('"');
        else
            metin += QStringLiteral("\r\n\r\n") + QStringLiteral("Eski dosyanın adı değiştirilemedi; lütfen, onu siz kaldırınız:")
                + QStringLiteral("\r\n\"") + sablon + QLatin1Char('"');
        mesaj(metin, MesajSimgesi::Bilgi);
        return true;
    }
    const QString yedek = yedekYolu();
    if (DosyaVarMi(yedek)) {
        if (!soru(tirnakli(QStringLiteral("Vok.vtb")) + QStringLiteral(" adlı veritabanı dosyanız bulunamadı.")
                  + QStringLiteral("\r\n") + QStringLiteral("Yedekten oluşturulsun mu?"))) {
            Arayuz::programSonu().bitir(0);
            return false;
        }
        // Keep the backup's date, as a file copy does on the old platform. A backup that
        // is not a sound database of ours is not copied in.
        return Adim([&] {
            if (!Veritabani::saglamMi(yedek))
                throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Yedek dosyası bozuk."), yedek);
            klasorHazirla(veritabaniKlasoru());
            guvenliKopyala(yedek, vt, true);
        }, &devam) && devam;
    }
    // A first start: the empty database delivered with the program is copied in.
    if (NormalDosyaMi(sablon)) {
        return Adim([&] {
            if (!Veritabani::saglamMi(sablon))
                throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Programla gelen boş veritabanı bozuk."), sablon);
            klasorHazirla(veritabaniKlasoru());
            guvenliKopyala(sablon, vt, false);
        }, &devam) && devam;
    }
    mesaj(tirnakli(QStringLiteral("Vok.vtb")) + QLatin1Char(' ') + KaynakMetni(90), MesajSimgesi::Kritik);
    Arayuz::programSonu().bitir(1);
    return false;
}

namespace {
// The user's database opens but lacks one of the program's tables, or holds them in
// another shape (another program dropped or changed one): it cannot be used as it is,
// and nothing in it is thrown away. As for a missing database, the backup is offered
// (or, when there is none, the empty database delivered with the program); on Yes the
// damaged file is kept beside it under a name of its own and the replacement copied in.
// True when a replacement is in place; false when the program was ended.
bool eksikTabloluVeritabaniniDegistir(const QString &vt)
{
    const QString satir = QStringLiteral("\r\n");
    const QString kenara = bosAd(vt, QStringLiteral(".bozuk"));
    const QString bulunan = tirnakli(QStringLiteral("Vok.vtb"))
        + QStringLiteral(" adlı veritabanı dosyanız kullanılamıyor: programın tablolarından biri dosyada yok ya da")
        + QStringLiteral(" başka bir biçime getirilmiş (dosyayı başka bir program değiştirmiş olabilir).") + satir + satir;
    const QString saklanir = QStringLiteral("Bu dosya silinmeyecek; şu adla saklanacak:") + satir + tirnakli(kenara)
        + satir + satir;
    const QString yedek = yedekYolu();
    const QString sablon = sablonYolu();
    QString kaynak;
    if (DosyaVarMi(yedek)) {
        if (!soru(bulunan + saklanir + QStringLiteral("Yedekten oluşturulsun mu?"))) {
            Arayuz::programSonu().bitir(0);
            return false;
        }
        kaynak = yedek;
    } else if (NormalDosyaMi(sablon)) {
        if (!soru(bulunan + QStringLiteral("Veritabanınızın yedeği de bulunamadı.") + satir + satir + saklanir
                  + QStringLiteral("Program, boş bir veritabanıyla açılsın mı?"))) {
            Arayuz::programSonu().bitir(0);
            return false;
        }
        kaynak = sablon;
    } else {
        mesaj(bulunan + QStringLiteral("Veritabanınızın yedeği de bulunamadığı için program başlayamıyor!") + satir
                  + QStringLiteral("Lütfen kontrol edip tekrar deneyin."),
              MesajSimgesi::Kritik);
        Arayuz::programSonu().bitir(1);
        return false;
    }
    bool devam = true;
    // The replacement is looked at before anything is moved: a damaged backup leaves the
    // user's file where it is.
    if (!Adim([&] {
            if (!Veritabani::saglamMi(kaynak))
                throw Hata(HataNo::DosyaAcilamiyor,
                           kaynak == yedek ? QStringLiteral("Yedek dosyası bozuk.")
                                           : QStringLiteral("Programla gelen boş veritabanı bozuk."),
                           kaynak);
        }, &devam))
        return false;
    if (!QFile::rename(vt, kenara)) {
        mesaj(tirnakli(vt) + QStringLiteral(" adlı dosyanın adı değiştirilemediği için veritabanınız oluşturulamıyor.")
                  + satir + QStringLiteral("Lütfen, bu dosyayı başka bir yere taşıyıp tekrar deneyiniz."),
              MesajSimgesi::Kritik);
        Arayuz::programSonu().bitir(1);
        return false;
    }
    if (!artiklariKenaraAl(vt))
        return false;
    // The backup keeps its date, as when a missing database is restored.
    return Adim([&] { guvenliKopyala(kaynak, vt, kaynak == yedek); }, &devam) && devam;
}
} // namespace

bool veritabaniniAc()
{
    const QString sunucu = sunucuBaglantisi();
    if (!sunucu.isEmpty()) {
        try {
            baglanti() = Veritabani::sunucuyaBaglan(sunucu);
            Veritabani::acikAyarla(baglanti().get());
            return true;
        } catch (const Hata &h) {
            // Unreachable: the network message; not our tables: the 3051 message naming
            // the server. Either way there is nothing to go on with.
            if (GenelHataYordami(h))
                Arayuz::programSonu().bitir(1);
            return false;
        }
    }
    const QString yol = veritabaniYolu();
    // A file whose table was dropped or changed is replaced once (a link is for its
    // owner to mend), and the replacement opened.
    for (bool degistirildi = false;; degistirildi = true) {
        acilistakiTarih() = QFileInfo(yol).lastModified();
        try {
            baglanti() = Veritabani::ac(yol);
            Veritabani::acikAyarla(baglanti().get());
            return true;
        } catch (const Hata &h) {
            if (!degistirildi && h.numara() != HataNo::Kilitli && !QFileInfo(yol).isSymLink()
                && Veritabani::tablosuEksikMi(yol)) {
                if (!eksikTabloluVeritabaniniDegistir(yol))
                    return false;
                continue;
            }
            if (h.numara() == HataNo::Kilitli) {
                mesaj(tirnakli(yol) + QStringLiteral(" adlı veritabanı dosyanız şu anda başka bir program tarafından")
                          + QStringLiteral(" kullanıldığı için program başlayamıyor!") + QStringLiteral("\r\n")
                          + QStringLiteral("Lütfen, o programı kapatıp tekrar deneyiniz."),
                      MesajSimgesi::Kritik);
                Arayuz::programSonu().bitir(1);
            } else if (GenelHataYordami(h)) {
                // The routine let the program go on, but there is no database to go on with.
                Arayuz::programSonu().bitir(1);
            }
            return false;
        }
    }
}

bool semayiDenetle()
{
    bool devam = true;
    Adim([&] {
        Veritabani *vt = Veritabani::acikMi() ? &Veritabani::acik() : nullptr;
        if (vt && vt->eskiSemaMi()) {
            vt->semaYukselt();
            mesaj(QStringLiteral("Veritabanı, Sürüm 2.32 ile uyumlu hale getirildi!"), MesajSimgesi::Bilgi);
        }
    }, &devam);
    if (!devam)
        return false;
    // The advance warnings' table: added to an older file; a server's tables are its
    // administrator's, so a desk on a server without it works without warnings and
    // says so once, at its start.
    Adim([&] {
        Veritabani *vt = Veritabani::acikMi() ? &Veritabani::acik() : nullptr;
        // The calendar tables and the file's identity (a job's UID in a calendar).
        if (vt && !vt->sunucuMu())
            vt->takvimTablolariniHazirla();
        if (!vt || vt->onHatirlatmaVar())
            return;
        if (!vt->sunucuMu()) {
            vt->onHatirlatmaTablosuEkle();
            return;
        }
        mesaj(QStringLiteral("Sunucudaki veritabanında ön hatırlatma tablosu yok: işler, günler önceden uyarılmadan "
                             "yalnızca kendi tarih ve saatlerinde hatırlatılacak.")
                  + QStringLiteral("\r\n")
                  + QStringLiteral("Sistem yöneticiniz sql/sunucu-guncelle-2.sql dosyasını uygulayabilir."),
              MesajSimgesi::Bilgi);
    }, &devam);
    return devam;
}

void veritabaniniKapat()
{
    gunlukYedegiBekle();
    Veritabani::acikAyarla(nullptr);
    baglanti().reset();
}

} // namespace Zelvora::Baslangic


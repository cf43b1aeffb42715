#include "core/TakvimYayini.h"

#include "core/Anahtarlik.h"
#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/Hata.h"
#include "core/Veritabani.h"

#include <QCryptographicHash>
#include <QSet>
#include <QTimer>
#include <QTimeZone>

#include <functional>
#include <utility>

#include "core/TakvimDosyasi.h"

namespace Zelvora {
namespace {

QString saatMetni(const QDateTime &an)
{
    return an.toString(QStringLiteral("HH:mm"));
}

QString sureMetni(int ms)
{
    const int sn = (ms + 999) / 1000;
    if (sn < 60)
        return QStringLiteral("%1 sn").arg(sn);
    return QStringLiteral("%1 dk").arg((sn + 59) / 60);
}

} // namespace

// Reads the jobs a pass publishes, on the publisher's thread, through a connection of its
// own: the file opened read-only for each read (a file put in its place meanwhile, by a
// restore, is the one read), the server's connection kept from one read to the next.
class TakvimOkuyucu {
public:
    struct Istek {
        std::function<std::unique_ptr<Veritabani>()> acici;
        QString veritabani; // which database: another one is another connection
        bool kalici = false;
        QString kimlik;     // the database's identity, as the windows' connection has it
        TakvimYayini::Ayar ayar;
        QDate bugun;
    };

    std::shared_ptr<TakvimVerisi> oku(const Istek &i)
    {
        if (!m_vt || m_veritabani != i.veritabani) {
            m_vt.reset();
            m_vt = i.acici();
            m_veritabani = i.veritabani;
        }
        try {
            auto veri = std::make_shared<TakvimVerisi>();
            veri->kimlik = i.kimlik;
            veri->klasorYollari = TakvimDosyasi::klasorYollari(m_vt->klasorler());
            const QSet<QString> secili(i.ayar.klasorler.cbegin(), i.ayar.klasorler.cend());
            m_vt->isListesi(Veritabani::ListeKipi::Tumu, i.bugun, [&](const Veritabani::HamIsSatiri &s) {
                // A job without a date has no place in a calendar.
                if (s.tarih == Veritabani::HamIsSatiri::TarihYok)
                    return;
                if (!i.ayar.tumKlasorler && !secili.contains(QString::fromUtf8(s.anahtari)))
                    return;
                veri->isler.push_back(Veritabani::kayit(s));
            });
            // The advance warnings matter only for what is still to come.
            TakvimDosyasi::onGunleriDoldur(*m_vt, veri->isler, i.bugun);
            // The server tells this connection the desks' changes too; the windows'
            // connection follows them, so here they are only let go.
            m_vt->baskaMasaDegisiklikleriniAl();
            if (!i.kalici)
                m_vt.reset();
            return veri;
        } catch (const Hata &) {
            m_vt.reset();
            throw;
        }
    }

private:
    std::unique_ptr<Veritabani> m_vt;
    QString m_veritabani;
};

TakvimYayini::Ayar TakvimYayini::ayarlariOku()
{
    using namespace AyarAdi;
    Ayar a;
    a.adres = Ayarlar::oku(Takvim, TakvimAdresi, QString()).trimmed();
    a.kullanici = Ayarlar::oku(Takvim, TakvimKullaniciAdi, QString()).trimmed();
    a.tumKlasorler = Ayarlar::oku(Takvim, TakvimTumKlasorler, QStringLiteral("1")).trimmed() != QLatin1String("0");
    a.klasorler = Ayarlar::oku(Takvim, TakvimKlasorleri, QString()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return a;
}

void TakvimYayini::ayarlariYaz(const Ayar &a)
{
    using namespace AyarAdi;
    Ayarlar::yaz(Takvim, TakvimAdresi, a.adres.trimmed());
    Ayarlar::yaz(Takvim, TakvimKullaniciAdi, a.kullanici.trimmed());
    Ayarlar::yaz(Takvim, TakvimTumKlasorler, a.tumKlasorler ? QStringLiteral("1") : QStringLiteral("0"));
    Ayarlar::yaz(Takvim, TakvimKlasorleri, a.tumKlasorler ? QString() : a.klasorler.join(QLatin1Char(';')));
}

TakvimBicimi TakvimYayini::varsayilanBicim()
{
    TakvimBicimi b;
    b.uid = [](const TakvimVerisi &v, const IsKaydi &is) { return TakvimDosyasi::uid(v.kimlik, is.isNo); };
    b.govde = [](const TakvimVerisi &v, const IsKaydi &is) {
        return TakvimDosyasi::yaz({is}, v.klasorYollari, v.kimlik, QTimeZone::systemTimeZone());
    };
    b.surum = "1";
    return b;
}

TakvimYayini::TakvimYayini(QObject *parent, Veritabani *vt, const QString &kayitKlasoru, TakvimBicimi bicim)
    : QObject(parent), m_vt(vt), m_kayitKlasoru(kayitKlasoru), m_esitleyici(new TakvimEsitleyici(std::move(bicim))),
      m_okuyucu(new TakvimOkuyucu), m_bakis(new QTimer(this)), m_bekleme(new QTimer(this)), m_denetim(new QTimer(this))
{
    m_is.setObjectName(QStringLiteral("TakvimYayini"));
    m_esitleyici->moveToThread(&m_is);
    m_is.start();

    connect(m_esitleyici, &TakvimEsitleyici::gunluk, this, &TakvimYayini::gunlukYaz);
    connect(m_esitleyici, &TakvimEsitleyici::ilerleme, this, [this](int yapilan, int toplam) {
        if (m_bagli && toplam > 20)
            durumYaz(QStringLiteral("Takvim: eşitleniyor (%1/%2)…").arg(yapilan).arg(toplam));
    });
    connect(m_esitleyici, &TakvimEsitleyici::esitlendi, this,
            [this](const QDateTime &an, int yazilan, int silinen, int hatali) {
                Q_UNUSED(an);
                if (!m_bagli)
                    return;
                m_sonEsitleme = Arayuz::saat().simdi();
                if (yazilan > 0 || silinen > 0 || !m_sorun.isEmpty())
                    gunlukYaz(QStringLiteral("Takvim eşitlendi: %1 etkinlik yazıldı, %2 etkinlik silindi.")
                                  .arg(yazilan)
                                  .arg(silinen));
                const QString metin = QStringLiteral("Takvim: %1'de eşitlendi").arg(saatMetni(m_sonEsitleme));
                if (hatali > 0)
                    durumYaz(metin + QStringLiteral(", %1 iş yazılamadı").arg(hatali),
                             QStringLiteral("%1 işin etkinliği sunucuya yazılamadı; nedenleri takvim günlüğünde.").arg(hatali));
                else
                    durumYaz(metin);
                Q_EMIT esitlendi();
            });
    connect(m_esitleyici, &TakvimEsitleyici::basarisiz, this, [this](const QString &neden, int sonrakiMs) {
        if (!m_bagli)
            return;
        gunlukYaz(QStringLiteral("Takvim eşitlenemedi: %1. %2 sonra yeniden denenecek.").arg(neden, sureMetni(sonrakiMs)));
        QString metin = QStringLiteral("Takvim: eşitlenemedi, yeniden denenecek");
        if (m_sonEsitleme.isValid())
            metin += QStringLiteral(" (son eşitleme %1)").arg(saatMetni(m_sonEsitleme));
        durumYaz(metin, neden);
    });

    m_bakis->setObjectName(QStringLiteral("TakvimDegisiklikBakisi"));
    m_bakis->setInterval(DegisiklikBakisiMs);
    connect(m_bakis, &QTimer::timeout, this, [this] {
        quint64 n = 0;
        try {
            n = this->vt().yazimSayaci();
        } catch (const Hata &) {
            return;
        }
        if (n != m_sayac) {
            m_sayac = n;
            degisti();
        }
    });
    m_bekleme->setSingleShot(true);
    m_bekleme->setInterval(DegisiklikBeklemesiMs);
    connect(m_bekleme, &QTimer::timeout, this, [this] { gonder(false); });
    m_denetim->setInterval(SunucuDenetimiMs);
    connect(m_denetim, &QTimer::timeout, this, [this] { gonder(true); });
}

TakvimYayini::~TakvimYayini()
{
    TakvimEsitleyici *e = m_esitleyici;
    TakvimOkuyucu *o = m_okuyucu;
    QMetaObject::invokeMethod(
        e,
        [e, o] {
            e->durdur();
            delete e;
            delete o;
        },
        Qt::BlockingQueuedConnection);
    m_is.quit();
    m_is.wait();
}

template <class F>
void TakvimYayini::istenIs(F f)
{
    QMetaObject::invokeMethod(m_esitleyici, std::move(f), Qt::QueuedConnection);
}

Veritabani &TakvimYayini::vt() const
{
    return m_vt ? *m_vt : Veritabani::acik();
}

void TakvimYayini::ayarla(const Ayar &a)
{
    const bool ayni = a == m_ayar && m_bagli;
    m_ayar = a;
    m_ayar.adres = m_ayar.adres.trimmed();
    m_ayar.kullanici = m_ayar.kullanici.trimmed();
    if (ayni) {
        // Only the folders may have changed: the jobs are read again.
        gonder(false);
        return;
    }
    m_bagli = false;
    m_bakis->stop();
    m_bekleme->stop();
    m_denetim->stop();
    if (!acik()) {
        m_kayitDosyasi.clear();
        istenIs([e = m_esitleyici] { e->baglantiAyarla({}); });
        durumYaz(QString());
        return;
    }
    // The password: the environment's for scripts, the keyring's, or the one the user gave
    // earlier in this run; otherwise asked.
    const QString ortam = qEnvironmentVariable(parolaDegiskeni().toUtf8().constData());
    if (!ortam.isEmpty() || m_ayar.kullanici.isEmpty()) {
        baglan(ortam);
        return;
    }
    const QString icin = m_ayar.adres + QLatin1Char('\n') + m_ayar.kullanici;
    if (m_sorulanIcin == icin) {
        baglan(m_sorulanParola);
        return;
    }
    durumYaz(QStringLiteral("Takvim: parola aranıyor…"));
    // The keyring may take a moment to answer (to start, even): asked off this thread.
    istenIs([this, adres = m_ayar.adres, kullanici = m_ayar.kullanici] {
        const Anahtarlik::Sonuc s = Anahtarlik::parolaOku(adres, kullanici);
        QMetaObject::invokeMethod(this, [this, s, adres, kullanici] {
            if (m_ayar.adres != adres || m_ayar.kullanici != kullanici || m_bagli)
                return;
            if (!s.parola.isEmpty()) {
                baglan(s.parola);
                return;
            }
            if (!s.tamam)
                gunlukYaz(QStringLiteral("Parola anahtarlıkta aranamadı: %1").arg(s.neden));
            if (m_parolaSoruldu) {
                durumYaz(QStringLiteral("Takvim: parola verilmedi"), QStringLiteral("Takvimin parolası bu oturumda verilmedi."));
                return;
            }
            m_parolaSoruldu = true;
            durumYaz(QStringLiteral("Takvim: parola bekleniyor"));
            Q_EMIT parolaGerekli(adres, kullanici);
        });
    });
}

void TakvimYayini::parolaVer(const QString &parola, bool sakla)
{
    if (!acik() || m_bagli)
        return;
    m_sorulanIcin = m_ayar.adres + QLatin1Char('\n') + m_ayar.kullanici;
    m_sorulanParola = parola;
    if (sakla) {
        istenIs([this, adres = m_ayar.adres, kullanici = m_ayar.kullanici, parola] {
            const Anahtarlik::Sonuc s = Anahtarlik::parolaYaz(adres, kullanici, parola);
            QMetaObject::invokeMethod(this, [this, s] {
                gunlukYaz(s.tamam ? QStringLiteral("Parola anahtarlıkta saklandı.")
                                  : QStringLiteral("Parola anahtarlıkta saklanamadı: %1 (bu oturumda kullanılıyor)").arg(s.neden));
            });
        });
    }
    baglan(parola);
}

void TakvimYayini::parolaVerilmedi()
{
    gunlukYaz(QStringLiteral("Takvimin parolası verilmedi; takvim bu oturumda eşitlenmiyor."));
    durumYaz(QStringLiteral("Takvim: parola verilmedi"), QStringLiteral("Takvimin parolası bu oturumda verilmedi."));
}

void TakvimYayini::baglan(const QString &parola)
{
    // One record for each desk, calendar address and database: the file is named after the
    // last two (the database's stable identity), in the user's own data folder.
    QString kimlik;
    try {
        kimlik = vt().kimlik();
    } catch (const Hata &) {
    }
    const QByteArray ozet = QCryptographicHash::hash((m_ayar.adres + QLatin1Char('\n') + kimlik).toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    const QString klasor = m_kayitKlasoru.isEmpty() ? Baslangic::veritabaniKlasoru() : m_kayitKlasoru;
    m_kayitDosyasi = klasor + (klasor.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/"))
        + QStringLiteral("Takvim-") + QString::fromLatin1(ozet) + QStringLiteral(".kayit");
    TakvimBaglantisi b;
    b.adres = QUrl(m_ayar.adres);
    b.kullanici = m_ayar.kullanici;
    b.parola = parola;
    b.durumDosyasi = m_kayitDosyasi;
    istenIs([e = m_esitleyici, b] { e->baglantiAyarla(b); });
    m_bagli = true;
    durumYaz(QStringLiteral("Takvim: eşitleniyor…"));
    try {
        m_sayac = vt().yazimSayaci();
    } catch (const Hata &) {
    }
    m_bakis->start();
    m_denetim->start();
    gonder(true);
}

void TakvimYayini::degisti()
{
    if (!m_bagli)
        return;
    m_bekleme->start();
}

void TakvimYayini::simdiEsitle()
{
    if (!acik())
        return;
    if (!m_bagli) {
        // Asked again after a password the user did not give.
        m_parolaSoruldu = false;
        Ayar a = m_ayar;
        m_ayar = Ayar();
        ayarla(a);
        return;
    }
    gonder(true);
}

void TakvimYayini::beklemeAyarla(int ilkMs, int enFazlaMs)
{
    istenIs([e = m_esitleyici, ilkMs, enFazlaMs] { e->beklemeAyarla(ilkMs, enFazlaMs); });
}

void TakvimYayini::sunucuDenetimAraligiAyarla(int ms)
{
    m_denetim->setInterval(ms);
}

void TakvimYayini::gonder(bool sunucuyuDenetle)
{
    if (!m_bagli)
        return;
    if (m_okunuyor) {
        m_yenidenOku = true;
        m_sonraDenetle = m_sonraDenetle || sunucuyuDenetle;
        return;
    }
    TakvimOkuyucu::Istek istek;
    try {
        Veritabani &v = vt();
        istek.acici = v.okuyucuAcici();
        istek.veritabani = v.adi();
        istek.kalici = v.sunucuMu();
        istek.kimlik = v.kimlik();
    } catch (const Hata &h) {
        okundu(h.aciklama());
        return;
    }
    istek.ayar = m_ayar;
    istek.bugun = Arayuz::saat().simdi().date();
    m_okunuyor = true;
    istenIs([this, e = m_esitleyici, o = m_okuyucu, istek = std::move(istek), sunucuyuDenetle] {
        QString sorun;
        try {
            e->veriVer(o->oku(istek), sunucuyuDenetle);
        } catch (const Hata &h) {
            sorun = h.aciklama();
        }
        QMetaObject::invokeMethod(this, [this, sorun] { okundu(sorun); });
    });
}

void TakvimYayini::okundu(const QString &sorun)
{
    m_okunuyor = false;
    if (!sorun.isEmpty()) {
        // Tried again at the next change or pass; the desk shows its own message for the
        // database itself.
        if (m_okumaSorunu != sorun) {
            m_okumaSorunu = sorun;
            gunlukYaz(QStringLiteral("İşler takvim için okunamadı: %1").arg(sorun));
        }
        if (m_bagli) {
            durumYaz(QStringLiteral("Takvim: işler okunamadı, yeniden denenecek"), sorun);
            m_bekleme->start(qMax(DegisiklikBeklemesiMs, 5000));
        }
    } else {
        m_okumaSorunu.clear();
        // The next burst of changes waits the usual time again.
        m_bekleme->setInterval(DegisiklikBeklemesiMs);
    }
    if (m_yenidenOku) {
        m_yenidenOku = false;
        gonder(std::exchange(m_sonraDenetle, false));
    }
}

void TakvimYayini::durumYaz(const QString &metin, const QString &sorun)
{
    if (metin == m_durum && sorun == m_sorun)
        return;
    m_durum = metin;
    m_sorun = sorun;
    Q_EMIT durumDegisti();
}

void TakvimYayini::gunlukYaz(const QString &satir)
{
    const QString tam = Arayuz::saat().simdi().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) + QStringLiteral("  ") + satir;
    m_gunluk.append(tam);
    if (m_gunluk.size() > GunlukSiniri)
        m_gunluk.remove(0, m_gunluk.size() - GunlukSiniri);
    Q_EMIT gunlukEklendi(tam);
}

} // namespace Zelvora

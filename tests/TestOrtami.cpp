#include "TestOrtami.h"

#include <libpq-fe.h>

#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <csignal>

#include <sys/resource.h>

namespace Zelvora::Test {

MesajCevabi KayitliMesajKutusu::goster(const QString &metin, MesajSimgesi simge, MesajDugmeleri dugmeler,
                                       MesajCevabi varsayilan, const QString &baslik)
{
    gosterilenler.append({metin, simge, dugmeler, varsayilan, baslik});
    if (gosterilirken)
        gosterilirken(metin);
    if (dugmeler == MesajDugmeleri::Tamam)
        return MesajCevabi::Tamam;
    if (!cevaplar.isEmpty())
        return cevaplar.takeFirst();
    return varsayilan;
}

QStringList KayitliMesajKutusu::metinler() const
{
    QStringList l;
    for (const auto &m : gosterilenler)
        l << m.metin;
    return l;
}

Ortam::Ortam()
{
    QDir().mkpath(klasor.path() + QStringLiteral("/program"));
    QDir().mkpath(klasor.path() + QStringLiteral("/veri"));
    Klasorler k;
    k.programKlasoru = klasor.path() + QStringLiteral("/program/");
    k.programDosyalariKlasoru = klasor.path() + QStringLiteral("/veri/");
    k.ayarDosyasi = klasor.path() + QStringLiteral("/ayar/Tavrek/Zelvora.conf");
    k.otomatikBaslatmaKlasoru = klasor.path() + QStringLiteral("/ayar/autostart/");
    Arayuz::klasorlerKur(k);
    Arayuz::mesajKutusuKur(mesajlar);
    Arayuz::saatKur(saat);
    Arayuz::programSonuKur(son);
    Arayuz::alarmKur(alarm);
    Arayuz::yazicilarKur(yazicilar);
    Arayuz::dosyaSecimiKur(dosyaSecimi);
    OrtakDegiskenler::YaziciVar = false;
    OrtakDegiskenler::YazdirmaIptalEdildi = false;
    Ayarlar::yenidenAc();
    // The user's database folder exists, as after any earlier start.
    QDir().mkpath(Baslangic::veritabaniKlasoru());
    OrtakDegiskenler::ProgramKlasoru = k.programKlasoru;
    OrtakDegiskenler::PencereBasligi = Baslangic::pencereBasligi();
    OrtakDegiskenler::SeciliSatir = 0;
    OrtakDegiskenler::SiralamaSutunu = 0;
    OrtakDegiskenler::SiralamaYonu = 0;
    Tercihler::yukle();
}

void Ortam::ayarDosyasiYazilamaz(bool yazilamaz)
{
    // A file size limit of 0 for this process: the settings file stays readable and
    // every write of it fails, as with a full disk or a read-only file, also as root.
    static rlimit onceki{};
    if (yazilamaz) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &onceki);
        rlimit sinir = onceki;
        sinir.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &sinir);
    } else {
        setrlimit(RLIMIT_FSIZE, &onceki);
    }
}

Ortam::~Ortam()
{
    Baslangic::veritabaniniKapat();
    Ayarlar::yenidenAc();
}

KayitliSayfa::KayitliSayfa(std::shared_ptr<BelgeKaydi> k, QSizeF alan) : kayit(std::move(k)), m_alan(alan)
{
    izleyici = [kayit = kayit](const CizilenMetin &m) { kayit->metinler.append(m); };
}

std::unique_ptr<SayfaYuzeyi> KayitliYazicilar::belgeBaslat(const QString &belgeAdi)
{
    if (reddet)
        throw Hata(HataNo::Yazici, QStringLiteral("Yazıcı kapalı: ") + gecerli);
    auto k = std::make_shared<BelgeKaydi>();
    k->ad = belgeAdi;
    k->yazici = gecerli;
    belgeler.append(k);
    return std::make_unique<KayitliSayfa>(k, sayfaAlani);
}

QString Ortam::programKlasoru() const
{
    return Arayuz::klasorler().programKlasoru;
}

QString Ortam::veritabaniYolu() const
{
    return Baslangic::veritabaniYolu();
}

void Ortam::bosVeritabaniYaz()
{
    QFile::remove(veritabaniYolu());
    Veritabani::bosOlustur(veritabaniYolu());
}

void Ortam::sablonYaz()
{
    QFile::remove(Baslangic::sablonYolu());
    Veritabani::bosOlustur(Baslangic::sablonYolu());
}

void Ortam::veritabaniniAc()
{
    bosVeritabaniYaz();
    Baslangic::veritabaniniAc();
}

void modalGelince(const std::function<void(QWidget *)> &f, int zamanAsimiMs)
{
    auto *sayac = new QTimer;
    auto *gecen = new QElapsedTimer;
    gecen->start();
    sayac->setInterval(10);
    QObject::connect(sayac, &QTimer::timeout, sayac, [sayac, gecen, f, zamanAsimiMs] {
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            sayac->stop();
            sayac->deleteLater();
            delete gecen;
            f(w);
            return;
        }
        if (gecen->elapsed() > zamanAsimiMs) {
            sayac->stop();
            sayac->deleteLater();
            delete gecen;
        }
    });
    sayac->start();
}

void sunucudaCalistir(const QString &baglanti, const char *sql)
{
    PGconn *c = PQconnectdb(baglanti.toUtf8().constData());
    QCOMPARE(PQstatus(c), CONNECTION_OK);
    PGresult *r = PQexec(c, sql);
    const ExecStatusType durum = PQresultStatus(r);
    QVERIFY2(durum == PGRES_COMMAND_OK || durum == PGRES_TUPLES_OK, PQerrorMessage(c));
    PQclear(r);
    PQfinish(c);
}

} // namespace Zelvora::Test

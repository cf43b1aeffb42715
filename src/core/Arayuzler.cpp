#include "core/Arayuzler.h"

#include "core/OrtakYordamlar.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace Zelvora {
namespace {

// Before main installs the windowed one: print the text and take the default answer.
class YaziMesajKutusu : public MesajKutusu {
public:
    MesajCevabi goster(const QString &metin, MesajSimgesi, MesajDugmeleri dugmeler,
                       MesajCevabi varsayilan, const QString &) override
    {
        QTextStream(stderr) << metin << Qt::endl;
        if (dugmeler == MesajDugmeleri::Tamam)
            return MesajCevabi::Tamam;
        return varsayilan;
    }
};

class SistemSaati : public Saat {
public:
    QDateTime simdi() const override { return QDateTime::currentDateTime(); }
};

class GercekProgramSonu : public ProgramSonu {
public:
    void bitir(int cikisKodu) override
    {
        std::fflush(nullptr);
        std::exit(cikisKodu);
    }
};

class SessizAlarm : public Alarm {
public:
    void baslat(const QString &) override {}
    void durdur() override {}
};

class YaziciYok : public Yazicilar {
public:
    QList<YaziciKaydi> liste() const override { return {}; }
    QString gecerliYazici() const override { return {}; }
    void gecerliYaziciyiDegistir(const QString &) override {}
    std::unique_ptr<SayfaYuzeyi> belgeBaslat(const QString &) override
    {
        throw Hata(HataNo::Yazici, QStringLiteral("Yüklü bir yazıcı yok."));
    }
};

// Before main installs the file dialog: no file is chosen.
class DosyaSecimiYok : public DosyaSecimi {
public:
    QString kaydedilecekDosya(const QString &, const QString &, const QString &) override { return {}; }
    QString acilacakDosya(const QString &, const QString &, const QString &) override { return {}; }
};

struct Kayitlar {
    std::shared_ptr<MesajKutusu> mesajKutusu = std::make_shared<YaziMesajKutusu>();
    std::shared_ptr<Saat> saat = std::make_shared<SistemSaati>();
    std::shared_ptr<ProgramSonu> programSonu = std::make_shared<GercekProgramSonu>();
    std::shared_ptr<Alarm> alarm = std::make_shared<SessizAlarm>();
    std::shared_ptr<Yazicilar> yazicilar = std::make_shared<YaziciYok>();
    std::shared_ptr<DosyaSecimi> dosyaSecimi = std::make_shared<DosyaSecimiYok>();
    Klasorler klasorler;
    bool klasorlerKuruldu = false;
};

Kayitlar &kayitlar()
{
    static Kayitlar k;
    return k;
}

QString sonunaBolu(QString yol)
{
    if (!yol.endsWith(QLatin1Char('/')))
        yol += QLatin1Char('/');
    return yol;
}

} // namespace

namespace Arayuz {
MesajKutusu &mesajKutusu() { return *kayitlar().mesajKutusu; }
const Saat &saat() { return *kayitlar().saat; }
ProgramSonu &programSonu() { return *kayitlar().programSonu; }
Alarm &alarm() { return *kayitlar().alarm; }
Yazicilar &yazicilar() { return *kayitlar().yazicilar; }
DosyaSecimi &dosyaSecimi() { return *kayitlar().dosyaSecimi; }

const Klasorler &klasorler()
{
    auto &k = kayitlar();
    if (!k.klasorlerKuruldu) {
        k.klasorler = gercekKlasorler();
        k.klasorlerKuruldu = true;
    }
    return k.klasorler;
}

std::shared_ptr<MesajKutusu> mesajKutusuKur(std::shared_ptr<MesajKutusu> m)
{
    std::swap(kayitlar().mesajKutusu, m);
    return m;
}
void saatKur(std::shared_ptr<Saat> s) { kayitlar().saat = std::move(s); }
void programSonuKur(std::shared_ptr<ProgramSonu> p) { kayitlar().programSonu = std::move(p); }
void alarmKur(std::shared_ptr<Alarm> a) { kayitlar().alarm = std::move(a); }
void yazicilarKur(std::shared_ptr<Yazicilar> y) { kayitlar().yazicilar = std::move(y); }
void dosyaSecimiKur(std::shared_ptr<DosyaSecimi> d) { kayitlar().dosyaSecimi = std::move(d); }

void klasorlerKur(const Klasorler &k)
{
    kayitlar().klasorler = k;
    kayitlar().klasorler.programKlasoru = sonunaBolu(k.programKlasoru);
    kayitlar().klasorler.programDosyalariKlasoru = sonunaBolu(k.programDosyalariKlasoru);
    if (!k.otomatikBaslatmaKlasoru.isEmpty())
        kayitlar().klasorler.otomatikBaslatmaKlasoru = sonunaBolu(k.otomatikBaslatmaKlasoru);
    kayitlar().klasorlerKuruldu = true;
}

QString programKlasoruBul(const QString &exe)
{
    // Installed: the executable is in <prefix>/bin and its files in <prefix>/share/zelvora.
    const QString paylasilan = QDir::cleanPath(exe + QStringLiteral("/../share/zelvora"));
    if (QDir(exe).dirName() == QStringLiteral("bin") && QFileInfo(paylasilan).isDir())
        return sonunaBolu(paylasilan);
    return sonunaBolu(exe);
}

Klasorler gercekKlasorler()
{
    Klasorler k;
    const QString exe = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    k.programKlasoru = programKlasoruBul(exe);
    QString veri = qEnvironmentVariable("XDG_DATA_HOME");
    if (veri.isEmpty())
        veri = QDir::homePath() + QStringLiteral("/.local/share");
    k.programDosyalariKlasoru = sonunaBolu(veri);
    QString ayar = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (ayar.isEmpty())
        ayar = QDir::homePath() + QStringLiteral("/.config");
    k.ayarDosyasi = ayar + QStringLiteral("/Tavrek/Zelvora.conf");
    k.otomatikBaslatmaKlasoru = ayar + QStringLiteral("/autostart/");
    return k;
}
} // namespace Arayuz

int SayfaYuzeyi::genislik() const
{
    return qRound(alan().width());
}

int SayfaYuzeyi::yukseklik() const
{
    return qRound(alan().height());
}

void SayfaYuzeyi::yaz(const QString &metin, bool satiriBitir)
{
    ciz(metin, m_sol, m_ust, m_bicim);
    if (izleyici)
        izleyici({metin, m_sol, m_ust, m_bicim, m_sayfa});
    if (satiriBitir) {
        m_sol = 0;
        m_ust += satirYuksekligi(m_bicim);
    } else {
        m_sol += olc(metin, m_bicim);
    }
}

void SayfaYuzeyi::yeniSayfa()
{
    sayfaEkle();
    ++m_sayfa;
    m_sol = 0;
    m_ust = 0;
}

void SayfaYuzeyi::bitir()
{
    belgeyiKapat();
}

MesajCevabi mesaj(const QString &metin, MesajSimgesi simge, MesajDugmeleri dugmeler,
                  MesajCevabi varsayilan, const QString &baslik)
{
    return Arayuz::mesajKutusu().goster(metin, simge, dugmeler, varsayilan, baslik);
}

} // namespace Zelvora

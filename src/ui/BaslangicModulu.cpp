#include "ui/BaslangicModulu.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "tools/GirisSifresiSorFormu.h"
#include "ui/AnaForm.h"
#include "ui/KarsilamaFormu.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

#include <csignal>

namespace Zelvora::BaslangicModulu {

bool QtCevirileriniYukle()
{
    static QTranslator *ceviri = nullptr;
    if (ceviri)
        return true;
    auto *t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    ceviri = t;
    return true;
}

namespace {
// While the splash is up, a message box first closes it. The splash stays above every
// window, so a box shown under it would wait unseen for an answer the user types blind
// (Enter on "Yedekten oluşturulsun mu?" restores the backup over the day's work).
class KarsilamayiKapatanKutu : public MesajKutusu {
public:
    explicit KarsilamayiKapatanKutu(KarsilamaFormu *karsilama) : m_karsilama(karsilama) {}
    std::shared_ptr<MesajKutusu> asil;
    MesajCevabi goster(const QString &metin, MesajSimgesi simge, MesajDugmeleri dugmeler, MesajCevabi varsayilan,
                       const QString &baslik) override
    {
        if (m_karsilama) {
            m_karsilama->hide();
            m_karsilama->close();
        }
        return asil->goster(metin, simge, dugmeler, varsayilan, baslik);
    }

private:
    QPointer<KarsilamaFormu> m_karsilama;
};

// Puts the wrapper in for the start-up and the box it wraps back at its end.
class KarsilamaKutusuKorumasi {
public:
    explicit KarsilamaKutusuKorumasi(KarsilamaFormu *karsilama)
    {
        if (!karsilama)
            return;
        m_sarici = std::make_shared<KarsilamayiKapatanKutu>(karsilama);
        m_sarici->asil = Arayuz::mesajKutusuKur(m_sarici);
    }
    ~KarsilamaKutusuKorumasi()
    {
        // Only when nothing else has been installed meanwhile.
        if (m_sarici && &Arayuz::mesajKutusu() == m_sarici.get())
            Arayuz::mesajKutusuKur(m_sarici->asil);
    }
    KarsilamaKutusuKorumasi(const KarsilamaKutusuKorumasi &) = delete;
    KarsilamaKutusuKorumasi &operator=(const KarsilamaKutusuKorumasi &) = delete;

private:
    std::shared_ptr<KarsilamayiKapatanKutu> m_sarici;
};
} // namespace

void DosyaBoyuSiniriSinyaliniYoksay()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

AnaForm *Main(const QStringList &argumanlar)
{
    BellekAyarla();
    const bool komutSatiriBos = argumanlar.join(QString()).trimmed().isEmpty();

    OrtakDegiskenler::PencereBasligi = Baslangic::pencereBasligi();

    // One instance per user, decided by a lock taken before anything else: a later start
    // brings the first one forward and ends. The first one listens at once, so a start
    // that comes while it is still loading reaches it too.
    auto *tekOrnek = new TekOrnek(OrtakDegiskenler::PencereBasligi);
    if (tekOrnek->baskaOrnekVar()) {
        delete tekOrnek;
        return nullptr;
    }
    tekOrnek->dinle();

    QPointer<KarsilamaFormu> karsilama;
    if (komutSatiriBos) {
        karsilama = new KarsilamaFormu;
        karsilama->show();
        QApplication::processEvents();
    }
    const KarsilamaKutusuKorumasi karsilamaKutusu(karsilama);
    auto bitir = [&]() -> AnaForm * {
        if (karsilama)
            karsilama->close();
        Baslangic::gunlukYedegiBirak();
        delete tekOrnek;
        return nullptr;
    };

    // The platform is always acceptable here; the old NT check has nothing to test.
    OrtakDegiskenler::NTTabanli = true;
    OrtakDegiskenler::ProgramKlasoru = Arayuz::klasorler().programKlasoru;

    // The settings are looked at before anything reads them (the server's address is one).
    if (!Baslangic::ayarlariDenetle())
        return bitir();
    if (!Baslangic::veritabaniniDenetle())
        return bitir();
    // The database is opened (and a save cut short by a crash rolled back) before
    // anything copies it; the backup then copies only a sound database. Its snapshot is
    // taken here, before anything writes; the rest of it runs once the window is up.
    if (!Baslangic::veritabaniniAc())
        return bitir();
    if (!Baslangic::gunlukYedek())
        return bitir();
    if (!Baslangic::semayiDenetle())
        return bitir();

    OrtakDegiskenler::AyarUygulamaAdi = QStringLiteral("Tavrek\\Zelvora");
    OrtakDegiskenler::YaziciVar = !Arayuz::yazicilar().liste().isEmpty();
    Tercihler::yukle();

    auto *anaForm = new AnaForm(komutSatiriBos);
    if (karsilama)
        karsilama->close();
    // The backup's checks and compaction begin once the window has been shown and painted.
    QTimer::singleShot(200, anaForm, [] { Baslangic::gunlukYedegiSurdur(); });
    tekOrnek->setParent(anaForm);
    QObject::connect(tekOrnek, &TekOrnek::gosterIstendi, anaForm, &AnaForm::Goster);
    if (tekOrnek->gosterIstegiBekliyor())
        anaForm->Goster();

    OrtakDegiskenler::GirisSifresiSorulsun = Ayarlar::okuMantiksal(AyarAdi::GirisSifresiSor);
    // The login password, over the loaded main window (also when it is not shown).
    if (OrtakDegiskenler::GirisSifresiSorulsun && !GirisSifresiSorFormu::sor(anaForm)) {
        delete anaForm;
        Baslangic::gunlukYedegiBirak();
        return nullptr;
    }
    return anaForm;
}

} // namespace Zelvora::BaslangicModulu

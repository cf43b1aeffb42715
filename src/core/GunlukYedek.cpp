#include "core/GunlukYedek.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"
#include "core/Yedekleme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

// The daily backup of the start-up, on a thread of its own.

namespace Zelvora::Baslangic {

QDateTime &acilistakiTarih()
{
    static QDateTime t;
    return t;
}

namespace {
QString bugununMetni()
{
    return Arayuz::saat().bugun().toString(Qt::ISODate);
}

// The daily backup that runs on its own thread, and what its end is to report.
struct SuregelenYedek {
    std::unique_ptr<Yedekleme> is;
    std::thread parcacik;
    std::mutex kilit;
    std::condition_variable uyandir;
    bool surdur = false;
    bool bitti = false;
    std::optional<Hata> hata;
    bool oncekiVar = false;

    void serbestBirak()
    {
        {
            std::lock_guard<std::mutex> k(kilit);
            surdur = true;
        }
        uyandir.notify_all();
    }
    ~SuregelenYedek()
    {
        // Still running when the process ends without "Çıkış": stopped, nothing left half done.
        if (parcacik.joinable()) {
            is->kes();
            serbestBirak();
            parcacik.join();
        }
    }
};

std::unique_ptr<SuregelenYedek> &suregelenYedek()
{
    static std::unique_ptr<SuregelenYedek> y;
    return y;
}

// acilirken: told during the start-up (the program goes on opening) or later, from the
// backup's thread, when the window is already up.
void yedekHatasiniBildir(const Hata &h, bool oncekiVar, bool acilirken)
{
    QString metin = QStringLiteral("Veritabanınızın günlük yedeği yazılamadı:") + QStringLiteral("\r\n")
        + tirnakli(yedekYolu()) + QStringLiteral("\r\n\r\n") + QStringLiteral("Nedeni: ") + HataNedeni(h)
        + QStringLiteral("\r\n\r\n");
    // A fault found in the database itself is told as such, so that the user does not
    // take the backup for the damaged file.
    if (QFileInfo(h.dosya()) == QFileInfo(veritabaniYolu()))
        metin += QStringLiteral("Sorun, veritabanınızın kendisinde bulundu:") + QStringLiteral("\r\n")
            + tirnakli(veritabaniYolu()) + QStringLiteral("\r\n\r\n");
    if (oncekiVar)
        metin += QStringLiteral("Önceki yedeğiniz olduğu gibi duruyor. ");
    metin += acilirken ? QStringLiteral("Yedek, programın bir sonraki açılışında yeniden denenecek; program açılıyor.")
                       : QStringLiteral("Yedek, programın bir sonraki açılışında yeniden denenecek.");
    mesaj(metin, MesajSimgesi::Uyari);
}

// The day's backup is still to be written (a later start tries again).
void yedekBekliyor(bool bekliyor)
{
    SessizAdim([bekliyor] {
        if (bekliyor)
            Ayarlar::yaz(AyarAdi::Ayarlar, AyarAdi::YedekBekliyor, bugununMetni());
        else
            Ayarlar::bolumAnahtariniSil(AyarAdi::Ayarlar, AyarAdi::YedekBekliyor);
        Ayarlar::kendiKaydet();
    });
}

void yedegiKapat(bool bildir);

// On the GUI thread, after a backup's thread said it has finished (unless its outcome
// has been taken already).
void bittiyseKapat()
{
    SuregelenYedek *y = suregelenYedek().get();
    if (!y)
        return;
    {
        std::lock_guard<std::mutex> k(y->kilit);
        if (!y->bitti)
            return;
    }
    yedegiKapat(true);
}

// The thread of the backup: the pages of the snapshot at once, the rest when allowed.
void yedegiYaz(SuregelenYedek *y)
{
    std::optional<Hata> hata;
    try {
        // At the program's own priority: a save waits for this copy.
        y->is->sayfalariKopyala();
        {
            std::unique_lock<std::mutex> k(y->kilit);
            y->uyandir.wait(k, [y] { return y->surdur || y->is->kesildi(); });
        }
#if defined(__linux__)
        // The rest is background work, which gives way to the user's.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 10);
#endif
        y->is->yaz();
    } catch (const Hata &h) {
        hata = h;
    } catch (const std::exception &e) {
        hata = Hata(HataNo::DiskHatasi, QString::fromLocal8Bit(e.what()), yedekYolu());
    }
    {
        std::lock_guard<std::mutex> k(y->kilit);
        y->hata = std::move(hata);
        y->bitti = true;
    }
    // The outcome is reported on the GUI thread.
    if (QCoreApplication *uygulama = QCoreApplication::instance())
        QMetaObject::invokeMethod(uygulama, [] { bittiyseKapat(); }, Qt::QueuedConnection);
}

// Ends the backup whose thread has finished; bildir: its failure is told to the user.
void yedegiKapat(bool bildir)
{
    std::unique_ptr<SuregelenYedek> y = std::move(suregelenYedek());
    y->parcacik.join();
    const bool kesildi = y->is->kesildi();
    const std::optional<Hata> hata = y->hata;
    const bool oncekiVar = y->oncekiVar;
    // Whatever was not renamed into place is removed here.
    y.reset();
    yedekBekliyor(hata.has_value());
    if (hata && bildir && !kesildi)
        yedekHatasiniBildir(*hata, oncekiVar, false);
}

// Scratch or temporary files of a backup that was cut short (the process ended during it).
bool yarimKalanYedekVar(const QString &yedek)
{
    const QFileInfo y(yedek);
    return !y.absoluteDir()
                .entryList({y.fileName() + QStringLiteral(".yeni*")}, QDir::Files | QDir::Hidden | QDir::System)
                .isEmpty();
}
} // namespace

bool gunlukYedek()
{
    // A backup left running by an earlier start in this process ends first.
    gunlukYedegiBekle();
    // The server's database is backed up on the server (README: pg_dump); a desk says
    // nothing about it.
    if (Veritabani::acikMi() && Veritabani::acik().sunucuMu())
        return true;
    const QString yedek = yedekYolu();
    const QDateTime simdi = Arayuz::saat().simdi();
    const QDateTime bugun(simdi.date(), QTime(0, 0));
    // Written today: between midnight and now (give or take a few minutes of a clock set
    // by the network). A date after now, left by a clock that ran ahead, tells nothing and
    // must not pass for today's on every later day.
    const QDateTime sinir = simdi.addSecs(300);
    const auto bugunku = [&](const QDateTime &t) { return t.isValid() && t >= bugun && t <= sinir; };
    const bool oncekiVar = YolDoluMu(yedek);
    if (oncekiVar) {
        // A backup already written today is not written again. The database's own date
        // is its date before this start opened it (opening may have rolled back a save
        // that was cut short). A day whose backup failed, or was cut short, tries again
        // at every start.
        const bool bugunYazildi = bugunku(QFileInfo(yedek).lastModified());
        const bool bugunDegisti = bugunku(acilistakiTarih());
        if (bugunYazildi)
            return true;
        if (bugunDegisti && Ayarlar::oku(AyarAdi::Ayarlar, AyarAdi::YedekBekliyor, QString()) != bugununMetni()
            && !yarimKalanYedekVar(yedek))
            return true;
    }
    try {
        klasorHazirla(yedekKlasoru());
        auto y = std::make_unique<SuregelenYedek>();
        y->oncekiVar = oncekiVar;
        // The snapshot: the database as this start found it, whatever is written later.
        y->is = std::make_unique<Yedekleme>(veritabaniYolu(), yedek);
        try {
            y->parcacik = std::thread(yedegiYaz, y.get());
        } catch (const std::system_error &e) {
            throw Hata(HataNo::DiskHatasi, QString::fromLocal8Bit(e.what()), yedek);
        }
        suregelenYedek() = std::move(y);
        // "Çıkış" while it runs stops it cleanly.
        static bool baglandi = false;
        if (QCoreApplication *uygulama = QCoreApplication::instance(); uygulama && !baglandi) {
            baglandi = true;
            QObject::connect(uygulama, &QCoreApplication::aboutToQuit, uygulama, [] { gunlukYedegiBirak(); });
        }
    } catch (const Hata &h) {
        yedekBekliyor(true);
        yedekHatasiniBildir(h, oncekiVar, true);
    }
    return true;
}

void gunlukYedegiSurdur()
{
    if (suregelenYedek())
        suregelenYedek()->serbestBirak();
}

bool gunlukYedekSuruyor()
{
    return suregelenYedek() != nullptr;
}

void gunlukYedegiBekle()
{
    if (!suregelenYedek())
        return;
    suregelenYedek()->serbestBirak();
    yedegiKapat(true);
}

void gunlukYedegiBirak()
{
    if (!suregelenYedek())
        return;
    suregelenYedek()->is->kes();
    suregelenYedek()->serbestBirak();
    yedegiKapat(false);
}

} // namespace Zelvora::Baslangic

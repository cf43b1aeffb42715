#include "core/Yedekleme.h"

#include "core/DosyaSemasi.h"
#include "core/OrtakYordamlar.h"
#include "core/SqliteDeyim.h"
#include "core/Veritabani.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace Zelvora {
namespace {

using DosyaSemasi::Denetim;

// The backup's scratch copy of the snapshot's pages sits beside its temporary name.
QString sayfaKopyasiEki()
{
    return QStringLiteral("-sayfalar");
}

// Flushes a file (or a folder's entries) to the disk.
bool diskeYaz(const QString &yol)
{
    const int fd = ::open(QFile::encodeName(yol).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool tamam = ::fsync(fd) == 0;
    ::close(fd);
    return tamam;
}

int yedeklemeKesildiMi(void *y)
{
    return static_cast<const Yedekleme *>(y)->kesildi() ? 1 : 0;
}

Hata kesildiHatasi(const QString &hedef)
{
    return Hata(HataNo::YedekKesildi, QStringLiteral("Yedekleme yarıda bırakıldı."), hedef);
}

// An empty file that this backup alone created, readable by its owner only.
void bosDosyaOlustur(const QString &yol)
{
    const int fd = ::open(QFile::encodeName(yol).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int e = errno;
        throw Hata(e == ENOSPC || e == EDQUOT ? HataNo::DiskDolu : HataNo::SaltOkunur,
                   QString::fromLocal8Bit(std::strerror(e)), yol);
    }
    ::close(fd);
}
} // namespace

QString Veritabani::geciciYedekAdi(const QString &hedef)
{
    // Leftovers of a backup that was cut short are removed; something that cannot be
    // removed (a folder) is stepped around with another name.
    const QFileInfo h(hedef);
    const QString onEk = h.fileName() + QStringLiteral(".yeni");
    const QDir klasor = h.absoluteDir();
    for (const QFileInfo &artik : klasor.entryInfoList({onEk + QLatin1Char('*')}, QDir::Files | QDir::System | QDir::Hidden))
        QFile::remove(artik.absoluteFilePath());
    // The name and the page copy's name beside it must both be free.
    const auto dolu = [](const QString &yol) { return QFileInfo(yol).exists() || QFileInfo(yol).isSymLink(); };
    QString ad = h.absoluteFilePath() + QStringLiteral(".yeni");
    for (int i = 2; dolu(ad) || dolu(ad + sayfaKopyasiEki()); ++i)
        ad = h.absoluteFilePath() + QStringLiteral(".yeni") + QString::number(i);
    return ad;
}

void Veritabani::yedekle(const QString &kaynak, const QString &hedef)
{
    Yedekleme y(kaynak, hedef);
    y.sayfalariKopyala();
    y.yaz();
}

Yedekleme::Yedekleme(const QString &kaynak, const QString &hedef) : m_kaynak(kaynak), m_hedef(hedef)
{
    if (!NormalDosyaMi(kaynak))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Veritabanı normal bir dosya değil."), kaynak);
    Sqlite::Baglanti b(kaynak, Sqlite::Baglanti::Kip::SaltOkunur);
    sqlite3_extended_result_codes(b.tutamak(), 0);
    sqlite3_busy_timeout(b.tutamak(), 3000);
    b.calistir("BEGIN");
    // The first read of the transaction takes the shared lock that holds the snapshot
    // until the pages are copied; a file that is not ours is refused here.
    DosyaSemasi::bizimMi(b.tutamak(), Denetim::Yok);
    m_kaynakDb = b.birak();
}

Yedekleme::~Yedekleme()
{
    kapat(m_kaynakDb);
    kapat(m_kopyaDb);
    if (!m_kopya.isEmpty())
        QFile::remove(m_kopya);
    if (!m_gecici.isEmpty() && !m_yerinde)
        QFile::remove(m_gecici);
}

void Yedekleme::kapat(sqlite3 *&db)
{
    std::lock_guard<std::mutex> kilit(m_baglantiKilidi);
    sqlite3_close_v2(db);
    db = nullptr;
}

void Yedekleme::kes()
{
    m_kes = true;
    std::lock_guard<std::mutex> kilit(m_baglantiKilidi);
    if (m_kaynakDb)
        sqlite3_interrupt(m_kaynakDb);
    if (m_kopyaDb)
        sqlite3_interrupt(m_kopyaDb);
}

void Yedekleme::sayfalariKopyala()
{
    const QString gecici = Veritabani::geciciYedekAdi(m_hedef);
    const QString kopya = gecici + sayfaKopyasiEki();
    bosDosyaOlustur(kopya);
    m_kopya = kopya;
    // The connection is handed over as soon as it exists, so that kes() can reach it.
    sqlite3 *db = nullptr;
    const int acildi = sqlite3_open_v2(kopya.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    {
        std::lock_guard<std::mutex> kilit(m_baglantiKilidi);
        m_kopyaDb = db;
    }
    if (acildi != SQLITE_OK)
        Sqlite::hataAt(db, acildi);
    sqlite3_extended_result_codes(db, 0);
    sqlite3_progress_handler(db, 1000, yedeklemeKesildiMi, this);
    // A scratch copy: nothing to roll back, nothing to flush.
    Sqlite::calistir(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
    if (m_kes)
        throw kesildiHatasi(m_hedef);
    sqlite3_backup *y = sqlite3_backup_init(db, "main", m_kaynakDb, "main");
    if (!y)
        Sqlite::hataAt(db, sqlite3_errcode(db));
    // The snapshot's read transaction stays open between the steps, so every page comes
    // from the same moment.
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(y, 1024);
    } while (rc == SQLITE_OK && !m_kes);
    const int bitis = sqlite3_backup_finish(y);
    if (m_kes)
        throw kesildiHatasi(m_hedef);
    if (rc != SQLITE_DONE)
        Sqlite::hataAt(db, bitis != SQLITE_OK ? bitis : rc);
    // Writers may go on.
    kapat(m_kaynakDb);
    m_gecici = gecici;
}

void Yedekleme::yaz()
{
    if (m_kes)
        throw kesildiHatasi(m_hedef);
    if (!m_kopyaDb || m_gecici.isEmpty())
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Yedeğin sayfaları kopyalanmadı."), m_hedef);
    // The copy holds the snapshot's pages as they are: checking it checks the database.
    try {
        DosyaSemasi::bizimMi(m_kopyaDb, Denetim::Tam);
    } catch (const Hata &h) {
        if (m_kes)
            throw kesildiHatasi(m_hedef);
        throw Hata(h.numara(), h.aciklama(), m_kaynak);
    }
    const auto sayilar = DosyaSemasi::satirSayilari(m_kopyaDb);
    // VACUUM INTO fills the empty file made here, so the backup is never readable by others.
    const QString gecici = m_gecici;
    m_gecici.clear();
    bosDosyaOlustur(gecici);
    m_gecici = gecici;
    {
        Sqlite::Deyim d(m_kopyaDb, "VACUUM INTO ?");
        d.bagla(1, gecici);
        d.calistir();
    }
    kapat(m_kopyaDb);
    QFile::remove(m_kopya);
    m_kopya.clear();
    {
        Sqlite::Baglanti b(gecici, Sqlite::Baglanti::Kip::SaltOkunur);
        DosyaSemasi::bizimMi(b.tutamak());
        if (DosyaSemasi::satirSayilari(b.tutamak()) != sayilar)
            throw Hata(HataNo::DiskHatasi, QStringLiteral("Yedeğin satırları veritabanınınkilerle aynı değil."), gecici);
    }
    QFile::setPermissions(gecici, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!diskeYaz(gecici))
        throw Hata(HataNo::DiskHatasi, QString::fromLocal8Bit(std::strerror(errno)), gecici);
    if (m_kes)
        throw kesildiHatasi(m_hedef);
    if (std::rename(QFile::encodeName(gecici).constData(), QFile::encodeName(m_hedef).constData()) != 0)
        throw Hata(HataNo::SaltOkunur, QString::fromLocal8Bit(std::strerror(errno)), m_hedef);
    m_yerinde = true;
    diskeYaz(QFileInfo(m_hedef).absolutePath());
}

} // namespace Zelvora

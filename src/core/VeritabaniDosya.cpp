#include "core/VeritabaniDosya.h"

#include "core/DosyaSemasi.h"
#include "core/OrtakYordamlar.h"
#include "core/SqliteDeyim.h"

#include <QAbstractEventDispatcher>
#include <QByteArray>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <sqlite3.h>

#include <sys/stat.h>
#include <functional>
#include <string>

namespace Zelvora {
namespace {

using DosyaSemasi::Denetim;
using Sqlite::Deyim;
using Sqlite::hataAt;

// A failure told by a statement run without parameters, with its own message.
[[noreturn]] void hataAt(int kod, const QString &aciklama)
{
    throw Hata(Veritabani::hataNumarasi(kod), aciklama);
}

Hata yazilamiyor(const QString &yol)
{
    return Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosyaya yazılamıyor: ") + yol, yol);
}

const char *const IS_ALANLARI =
    "SELECT IsNo, Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, IsinSayisi, Aciklama, "
    "Hatirlatma, IsYapildi FROM YapilacakIslerTablosu ";

// The page cache: large while a statement reads (a listing of all folders fetches rows
// all over the file), its everyday size between statements.
constexpr int OkumaOnbellegiKb = 32768;
constexpr int GunlukOnbellekKb = 8192;
// How long after the last long list the cache is brought back to its everyday size.
constexpr int OnbellekBeklemesiMs = 3000;

// A read that left the cache holding more than its everyday size (all folders, a
// search) gives back the pages it used least recently. bellegiVer: the freed memory goes
// back to the system too (after the long lists, whose rows have just taken their share);
// otherwise it stays for the program's next allocations.
void onbellegiKucult(sqlite3 *db, bool bellegiVer)
{
    int kullanilan = 0, tepe = 0;
    if (sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_USED, &kullanilan, &tepe, 0) != SQLITE_OK
        || kullanilan <= GunlukOnbellekKb * 1024)
        return;
    const QByteArray kucuk = "PRAGMA cache_size=-" + QByteArray::number(GunlukOnbellekKb);
    const QByteArray buyuk = "PRAGMA cache_size=-" + QByteArray::number(OkumaOnbellegiKb);
    sqlite3_exec(db, kucuk.constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, buyuk.constData(), nullptr, nullptr, nullptr);
    if (bellegiVer)
        BellegiSistemeVer();
}

void ayarla(sqlite3 *db)
{
    sqlite3_busy_timeout(db, 3000);
    Sqlite::calistir(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF; "
                         "PRAGMA cache_size=-32768;");
}

} // namespace

void DosyaVeritabani::onbellegiSonraKucult()
{
    // A long list's pages stay cached for a while: a user going from one long list to
    // another (all folders, the job list window's all jobs) meets them warm instead of
    // reading the file again. Once no long list has been read for a few seconds, the
    // cache goes back to its everyday size and the memory to the system.
    QCoreApplication *uygulama = QCoreApplication::instance();
    if (!uygulama || QThread::currentThread() != uygulama->thread() || !QAbstractEventDispatcher::instance()) {
        onbellegiKucult(m_db, true);
        return;
    }
    if (!m_kucultme) {
        m_kucultme = std::make_unique<QTimer>();
        m_kucultme->setSingleShot(true);
        m_kucultme->setInterval(OnbellekBeklemesiMs);
        QObject::connect(m_kucultme.get(), &QTimer::timeout, [this] { onbellegiKucult(m_db, true); });
    }
    m_kucultme->start();
}

namespace {
bool kimlikOku(const QString &yol, quint64 &aygit, quint64 &dugum)
{
    struct stat st {};
    if (::stat(QFile::encodeName(yol).constData(), &st) != 0)
        return false;
    aygit = quint64(st.st_dev);
    dugum = quint64(st.st_ino);
    return true;
}
} // namespace

DosyaVeritabani::DosyaVeritabani(sqlite3 *db, const QString &yol) : m_db(db), m_yol(yol)
{
    tamamlananlariSay();
    kimlikOku(m_yol, m_aygit, m_dugum);
    try {
        m_onHatirlatmaVar = DosyaSemasi::onHatirlatmaVar(m_db);
    } catch (const Hata &) {
        m_onHatirlatmaVar = false;
    }
}

void DosyaVeritabani::kimlikDenetle(bool yazma)
{
    if (!m_degisti) {
        quint64 aygit = 0, dugum = 0;
        if (kimlikOku(m_yol, aygit, dugum) && aygit == m_aygit && dugum == m_dugum)
            return;
        m_degisti = true;
    } else if (!yazma) {
        return;
    }
    throw Hata(HataNo::VeritabaniDegisti, QStringLiteral("Açık olan veritabanı dosyası artık bu adda değil."), m_yol);
}

void DosyaVeritabani::yenidenAc()
{
    std::unique_ptr<Veritabani> yeni = Veritabani::ac(m_yol);
    auto *d = static_cast<DosyaVeritabani *>(yeni.get());
    m_kucultme.reset();
    m_listeDeyimleri.clear();
    // The counter goes on from where it was: a watcher sees the new file as a change.
    m_oncekiDegisiklik += quint64(sqlite3_total_changes64(m_db)) + 1;
    sqlite3_close_v2(m_db);
    m_db = std::exchange(d->m_db, nullptr);
    tamamlananlariSay();
    m_aygit = d->m_aygit;
    m_dugum = d->m_dugum;
    m_degisti = false;
    m_tabloBildirildi = false;
    m_onHatirlatmaVar = d->m_onHatirlatmaVar;
}

DosyaVeritabani::~DosyaVeritabani()
{
    m_kucultme.reset();
    m_listeDeyimleri.clear();
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Veritabani> Veritabani::ac(const QString &yol)
{
    // Anything but a regular file (a folder, a FIFO that would block the open, a dangling
    // link) is refused before SQLite touches it.
    if (!NormalDosyaMi(yol))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya bulunamadı ya da normal bir dosya değil: ") + yol, yol);
    const QFileInfo bilgi(yol);
    if (!bilgi.isReadable())
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya okunamıyor: ") + yol, yol);
    if (!bilgi.isWritable() || !QFileInfo(bilgi.absolutePath()).isWritable())
        throw yazilamiyor(yol);
    Sqlite::Baglanti b;
    try {
        b.ac(yol, Sqlite::Baglanti::Kip::OkumaYazma);
        sqlite3_extended_result_codes(b.tutamak(), 0);
        sqlite3_busy_timeout(b.tutamak(), 3000);
        // The first read rolls back a journal left by a save that was cut short.
        DosyaSemasi::bizimMi(b.tutamak());
        if (sqlite3_db_readonly(b.tutamak(), "main") == 1)
            throw yazilamiyor(yol);
        ayarla(b.tutamak());
        islevleriKaydet(b.tutamak());
    } catch (const Hata &h) {
        // In use by another program stays that; everything else means the file cannot be used.
        if (h.numara() == HataNo::Kilitli)
            throw;
        throw Hata(HataNo::DosyaAcilamiyor, h.aciklama(), yol);
    }
    return std::unique_ptr<Veritabani>(new DosyaVeritabani(b.birak(), yol));
}

namespace {
// Opens a regular file read-only and asks a question of it; a file that is not there,
// does not open or is not ours answers no.
template <typename Soru>
bool okuyupSor(const QString &yol, Soru soru)
{
    if (!NormalDosyaMi(yol))
        return false;
    try {
        Sqlite::Baglanti b(yol, Sqlite::Baglanti::Kip::SaltOkunur);
        return soru(b.tutamak());
    } catch (const Hata &) {
        return false;
    }
}
} // namespace

bool Veritabani::saglamMi(const QString &yol)
{
    return okuyupSor(yol, [](sqlite3 *db) {
        DosyaSemasi::bizimMi(db);
        return true;
    });
}

bool Veritabani::kayitVarMi(const QString &yol)
{
    return okuyupSor(yol, [](sqlite3 *db) {
        DosyaSemasi::bizimMi(db, Denetim::Yok);
        const auto sayilar = DosyaSemasi::satirSayilari(db);
        return sayilar.first > 0 || sayilar.second > 0;
    });
}

bool Veritabani::tablosuEksikMi(const QString &yol)
{
    return okuyupSor(yol, [](sqlite3 *db) {
        Deyim denetim(db, "PRAGMA quick_check");
        if (!denetim.adim() || denetim.metin(0) != QStringLiteral("ok"))
            return false;
        // A database of another program (none of our names) is not ours to replace.
        Deyim adlar(db, "SELECT count(*) FROM sqlite_master WHERE name IN "
                        "('KlasorBilgileriTablosu','YapilacakIslerTablosu')");
        if (!adlar.adim() || adlar.sayi(0) == 0)
            return false;
        try {
            DosyaSemasi::bizimMi(db, Denetim::Yok);
            return false;
        } catch (const Hata &h) {
            if (h.numara() != HataNo::DosyaAcilamiyor)
                throw;
            return true;
        }
    });
}

void Veritabani::bosOlustur(const QString &yol)
{
    if (QFileInfo::exists(yol))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya zaten var: ") + yol);
    {
        Sqlite::Baglanti b(yol, Sqlite::Baglanti::Kip::Olustur);
        DosyaSemasi::olustur(b.tutamak());
    }
    QFile::setPermissions(yol, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

quint64 DosyaVeritabani::yazimSayaci() const
{
    // Every row changed and every write committed since the database was opened: a watcher
    // reading through a connection of its own sees a write only once it is committed, and
    // a transaction of many writes moves the counter again at its end.
    return m_oncekiDegisiklik + quint64(sqlite3_total_changes64(m_db)) + m_tamamlanan;
}

void DosyaVeritabani::tamamlananlariSay()
{
    sqlite3_commit_hook(
        m_db,
        [](void *sayac) {
            ++*static_cast<quint64 *>(sayac);
            return 0; // the commit goes on
        },
        &m_tamamlanan);
}

void DosyaVeritabani::calistir(const char *sql)
{
    char *hata = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &hata);
    const QString aciklama = hata ? QString::fromUtf8(hata) : QString();
    sqlite3_free(hata);
    if (rc != SQLITE_OK)
        hataAt(rc, aciklama);
}

bool DosyaVeritabani::eskiSemaMi()
{
    Deyim d(m_db, "SELECT type FROM pragma_table_info('KlasorBilgileriTablosu') WHERE name='Bagi'");
    if (!d.adim())
        return false;
    QString tur = d.metin(0).toUpper();
    tur.remove(QLatin1Char(' '));
    return tur == QStringLiteral("TEXT(10)");
}

void DosyaVeritabani::semaYukselt()
{
    kimlikDenetle(true);
    calistir("BEGIN IMMEDIATE");
    try {
        calistir("CREATE TABLE KlasorBilgileriTablosu_Yeni("
                 "Anahtari TEXT(255) PRIMARY KEY, Bagi TEXT(255), Adi TEXT(255));"
                 "INSERT INTO KlasorBilgileriTablosu_Yeni(Anahtari, Bagi, Adi) "
                 "SELECT Anahtari, Bagi, Adi FROM KlasorBilgileriTablosu ORDER BY rowid;"
                 "DROP TABLE KlasorBilgileriTablosu;"
                 "ALTER TABLE KlasorBilgileriTablosu_Yeni RENAME TO KlasorBilgileriTablosu;");
        calistir("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void DosyaVeritabani::islemde(const std::function<void()> &yaz)
{
    // Inside a transaction of the caller (a bulk load) a savepoint, so that a failure
    // still takes back this change alone.
    const bool icte = sqlite3_get_autocommit(m_db) == 0;
    calistir(icte ? "SAVEPOINT IsYazimi" : "BEGIN IMMEDIATE");
    try {
        yaz();
        calistir(icte ? "RELEASE IsYazimi" : "COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, icte ? "ROLLBACK TO IsYazimi; RELEASE IsYazimi" : "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void DosyaVeritabani::onHatirlatmaTablosuEkle()
{
    kimlikDenetle(true);
    if (m_onHatirlatmaVar)
        return;
    islemde([&] { DosyaSemasi::onHatirlatmaEkle(m_db); });
    m_onHatirlatmaVar = DosyaSemasi::onHatirlatmaVar(m_db);
}

namespace {
QString kayitliKimlik(sqlite3 *db)
{
    if (!DosyaSemasi::takvimTablolariVar(db))
        return QString();
    Deyim d(db, "SELECT Kimlik FROM VeritabaniKimligiTablosu ORDER BY Kimlik LIMIT 1");
    return d.adim() ? d.metin(0) : QString();
}
} // namespace

void DosyaVeritabani::takvimTablolariniHazirla()
{
    kimlikDenetle(true);
    if (DosyaSemasi::takvimTablolariVar(m_db) && !kayitliKimlik(m_db).isEmpty())
        return;
    // Drawn here, on the desk, once: the template the install copies holds none, so two
    // desks never share one.
    const QString yeni = QUuid::createUuid().toString(QUuid::WithoutBraces);
    islemde([&] {
        DosyaSemasi::takvimTablolariEkle(m_db);
        Deyim d(m_db, "INSERT INTO VeritabaniKimligiTablosu(Kimlik) "
                      "SELECT ? WHERE NOT EXISTS (SELECT 1 FROM VeritabaniKimligiTablosu)");
        d.bagla(1, yeni);
        d.calistir();
    });
}

QString DosyaVeritabani::kimlik()
{
    if (!m_kimlik.isEmpty())
        return m_kimlik;
    m_kimlik = kayitliKimlik(m_db);
    if (!m_kimlik.isEmpty())
        return m_kimlik;
    if (!sqlite3_db_readonly(m_db, "main")) {
        takvimTablolariniHazirla();
        m_kimlik = kayitliKimlik(m_db);
        return m_kimlik;
    }
    // A file opened only for reading that the program has never upgraded (it draws the
    // identity at its next start): one made of the file's own path, which stays the same
    // for every read of it until then.
    const QString yol = QFileInfo(m_yol).canonicalFilePath();
    return QStringLiteral("yol:") + (yol.isEmpty() ? m_yol : yol);
}

bool DosyaVeritabani::alinanlarKaydedilir()
{
    return DosyaSemasi::takvimTablolariVar(m_db);
}

QList<Veritabani::AlinanKimlik> DosyaVeritabani::alinanKimlikler()
{
    QList<AlinanKimlik> sonuc;
    if (!DosyaSemasi::takvimTablolariVar(m_db))
        return sonuc;
    Deyim d(m_db, "SELECT t.Uid, t.Yineleme FROM TakvimdanAlinanlarTablosu t "
                  "JOIN YapilacakIslerTablosu y ON y.IsNo = t.IsNo");
    while (d.adim())
        sonuc.append({d.metin(0), d.metin(1)});
    return sonuc;
}

QList<qint64> DosyaVeritabani::isleriTopluEkle(const std::vector<IsKaydi> &isler, const QList<AlinanKimlik> &kimlikler)
{
    kimlikDenetle(true);
    QList<qint64> numaralar;
    const bool kaydet = !kimlikler.isEmpty() && DosyaSemasi::takvimTablolariVar(m_db);
    islemde([&] {
        for (size_t i = 0; i < isler.size(); ++i) {
            const qint64 no = isEkle(isler[i]);
            numaralar.append(no);
            if (!kaydet || qsizetype(i) >= kimlikler.size() || kimlikler[qsizetype(i)].uid.isEmpty())
                continue;
            // An item imported again after its job was deleted: the record names the new job.
            Deyim d(m_db, "INSERT OR REPLACE INTO TakvimdanAlinanlarTablosu(Uid, Yineleme, IsNo) VALUES(?, ?, ?)");
            d.bagla(1, kimlikler[qsizetype(i)].uid).bagla(2, kimlikler[qsizetype(i)].yineleme).bagla(3, no);
            d.calistir();
        }
    });
    return numaralar;
}

QList<int> DosyaVeritabani::onHatirlatmalar(qint64 isNo)
{
    QList<int> sonuc;
    if (!m_onHatirlatmaVar)
        return sonuc;
    Deyim d(m_db, "SELECT GunOnce FROM OnHatirlatmaTablosu WHERE IsNo=? ORDER BY GunOnce DESC");
    d.bagla(1, isNo);
    while (d.adim())
        sonuc << int(d.sayi(0));
    return sonuc;
}

QHash<qint64, QList<int>> DosyaVeritabani::tumOnHatirlatmalar()
{
    QHash<qint64, QList<int>> sonuc;
    if (!m_onHatirlatmaVar)
        return sonuc;
    Deyim d(m_db, "SELECT IsNo, GunOnce FROM OnHatirlatmaTablosu ORDER BY IsNo, GunOnce DESC");
    while (d.adim())
        sonuc[d.sayi(0)] << int(d.sayi(1));
    return sonuc;
}

void DosyaVeritabani::onGunleriYaz(qint64 isNo, const QList<int> &gunler)
{
    const QList<int> yeni = gunleriDuzenle(gunler);
    if (!m_onHatirlatmaVar) {
        // Never a silent loss: a file without the table has not been upgraded yet.
        if (!yeni.isEmpty())
            throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Veritabanında ön hatırlatma tablosu yok."), m_yol);
        return;
    }
    const QList<int> eski = onHatirlatmalar(isNo);
    for (int g : eski) {
        if (!yeni.contains(g)) {
            Deyim d(m_db, "DELETE FROM OnHatirlatmaTablosu WHERE IsNo=? AND GunOnce=?");
            d.bagla(1, isNo).bagla(2, qint64(g)).calistir();
        }
    }
    for (int g : yeni) {
        if (!eski.contains(g)) {
            Deyim d(m_db, "INSERT INTO OnHatirlatmaTablosu(IsNo, GunOnce, ErtelemeAni, Durduruldu) VALUES(?, ?, NULL, 0)");
            d.bagla(1, isNo).bagla(2, qint64(g)).calistir();
        }
    }
}

void DosyaVeritabani::onHatirlatmaErtele(qint64 isNo, int gunOnce, const QDate &tarih, const QTime &saat)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE OnHatirlatmaTablosu SET ErtelemeAni=? WHERE IsNo=? AND GunOnce=?");
    d.bagla(1, anMetni(tarih, saat)).bagla(2, isNo).bagla(3, qint64(gunOnce)).calistir();
}

void DosyaVeritabani::onHatirlatmaDurdur(qint64 isNo, int gunOnce)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE OnHatirlatmaTablosu SET Durduruldu=1 WHERE IsNo=? AND GunOnce=?");
    d.bagla(1, isNo).bagla(2, qint64(gunOnce)).calistir();
}

std::vector<Veritabani::OnHatirlatmaAdayi> DosyaVeritabani::onHatirlatmaAdaylari(const QDate &bugun)
{
    std::vector<OnHatirlatmaAdayi> sonuc;
    if (!m_onHatirlatmaVar)
        return sonuc;
    // The open, reminded jobs from today to a year ahead that have a live warning; the
    // job's own date and time decide the rest (Veritabani::onHatirlatmalariSec).
    Deyim d(m_db, "SELECT y.IsNo, y.Anahtari, y.IsinTarihi, y.IsinSaati, y.IsinKonusu, y.IsinYeri, y.IsinSayisi, "
                  "y.Aciklama, y.Hatirlatma, y.IsYapildi, o.GunOnce, o.ErtelemeAni "
                  "FROM OnHatirlatmaTablosu o JOIN YapilacakIslerTablosu y ON y.IsNo=o.IsNo "
                  "WHERE o.Durduruldu=0 AND y.Hatirlatma=1 AND y.IsYapildi=0 AND y.IsinTarihi>=?1 AND y.IsinTarihi<=?2 "
                  "AND y.IsinSaati IS NOT NULL "
                  "ORDER BY y.IsinTarihi, y.IsinSaati, y.IsNo, o.GunOnce DESC");
    d.bagla(1, tarihMetni(bugun));
    d.bagla(2, tarihMetni(bugun.addDays(EnFazlaGunOnce + 1)));
    while (d.adim()) {
        OnHatirlatmaAdayi a;
        satirOku(d, a.is);
        a.gunOnce = int(d.sayi(10));
        a.ertelendi = anCoz(d.metin(11));
        sonuc.push_back(std::move(a));
    }
    return sonuc;
}

QList<KlasorKaydi> DosyaVeritabani::klasorler()
{
    QList<KlasorKaydi> sonuc;
    Deyim d(m_db, "SELECT Anahtari, Bagi, Adi FROM KlasorBilgileriTablosu");
    while (d.adim())
        sonuc.append({d.metin(0), d.metin(1), d.metin(2)});
    return sonuc;
}

void DosyaVeritabani::klasorEkle(const KlasorKaydi &k)
{
    kimlikDenetle(true);
    Deyim d(m_db, "INSERT INTO KlasorBilgileriTablosu(Bagi, Anahtari, Adi) VALUES(?, ?, ?)");
    d.bagla(1, k.bagi).bagla(2, k.anahtari).bagla(3, k.adi).calistir();
}

QString DosyaVeritabani::yeniKlasorEkle(const QString &bagi, const QString &adi, const QString &onerilenAnahtar)
{
    // One desk: the key the tree's counter gives is free.
    klasorEkle({onerilenAnahtar, bagi, adi});
    return onerilenAnahtar;
}

void DosyaVeritabani::klasorAdiDegistir(const QString &anahtari, const QString &adi)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE KlasorBilgileriTablosu SET Adi=? WHERE Anahtari=?");
    d.bagla(1, adi).bagla(2, anahtari).calistir();
    if (sqlite3_changes(m_db) == 0)
        throw VeritabaniHatasi::klasorBulunamadi();
}

QString DosyaVeritabani::klasorAdi(const QString &anahtari)
{
    Deyim d(m_db, "SELECT Adi FROM KlasorBilgileriTablosu WHERE Anahtari=?");
    d.bagla(1, anahtari);
    return d.adim() ? d.metin(0) : QString();
}

void DosyaVeritabani::klasorVeIsleriniSil(const QString &anahtari)
{
    kimlikDenetle(true);
    calistir("BEGIN IMMEDIATE");
    try {
        Deyim alt(m_db, "SELECT 1 FROM KlasorBilgileriTablosu WHERE Bagi=? LIMIT 1");
        alt.bagla(1, anahtari);
        if (alt.adim())
            throw VeritabaniHatasi::altKlasorVar();
        Deyim k(m_db, "DELETE FROM KlasorBilgileriTablosu WHERE Anahtari=?");
        k.bagla(1, anahtari).calistir();
        if (m_onHatirlatmaVar) {
            Deyim o(m_db, "DELETE FROM OnHatirlatmaTablosu WHERE IsNo IN "
                          "(SELECT IsNo FROM YapilacakIslerTablosu WHERE Anahtari=?)");
            o.bagla(1, anahtari).calistir();
        }
        Deyim i(m_db, "DELETE FROM YapilacakIslerTablosu WHERE Anahtari=?");
        i.bagla(1, anahtari).calistir();
        calistir("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

namespace {
// The columns of IS_ALANLARI as they are, without making strings of them.
void hamSatirOku(const Deyim &d, Veritabani::HamIsSatiri &s)
{
    s.isNo = d.sayi(0);
    s.anahtari = d.ham(1);
    const QByteArrayView tarih = d.ham(2);
    s.tarih = Veritabani::julyenGunu(tarih.data(), int(tarih.size()));
    const QByteArrayView saat = d.ham(3);
    s.saat = Veritabani::gununSaniyesi(saat.data(), int(saat.size()));
    s.konu = d.ham(4);
    s.yer = d.ham(5);
    s.sayi = d.ham(6);
    s.aciklama = d.ham(7);
    s.hatirlatma = d.mantiksal(8);
    s.yapildi = d.mantiksal(9);
}

const char *listeSorgusu(bool tumKlasorler, bool sadeceBugun)
{
    // Rows of one day keep the order they were stored in.
    if (sadeceBugun)
        return tumKlasorler ? "WHERE IsinTarihi=?1 AND IsYapildi=0 ORDER BY IsinTarihi, IsNo"
                            : "WHERE IsinTarihi=?1 AND IsYapildi=0 AND Anahtari=?2 ORDER BY IsinTarihi, IsNo";
    return tumKlasorler ? "ORDER BY IsinTarihi, IsNo" : "WHERE Anahtari=?2 ORDER BY IsinTarihi, IsNo";
}

const char *listeKipiSorgusu(Veritabani::ListeKipi kip)
{
    switch (kip) {
    case Veritabani::ListeKipi::BirGunun: return "WHERE IsinTarihi=?1 AND IsYapildi=0 ORDER BY IsinTarihi, IsinSaati, IsNo";
    case Veritabani::ListeKipi::GunuGecen: return "WHERE IsinTarihi<?1 AND IsYapildi=0 ORDER BY IsinTarihi, IsinSaati, IsNo";
    case Veritabani::ListeKipi::Yapilmis: return "WHERE IsYapildi=1 ORDER BY IsinTarihi, IsinSaati, IsNo";
    case Veritabani::ListeKipi::Tumu: break;
    }
    return "ORDER BY IsinTarihi, IsinSaati, IsNo";
}

bool tarihliKip(Veritabani::ListeKipi kip)
{
    return kip == Veritabani::ListeKipi::BirGunun || kip == Veritabani::ListeKipi::GunuGecen;
}
} // namespace

void DosyaVeritabani::satirOku(const Sqlite::Deyim &d, IsKaydi &is) const
{
    HamIsSatiri s;
    hamSatirOku(d, s);
    is = kayit(s);
}

void DosyaVeritabani::satirlariOku(const QByteArray &sql, const QString &tarih, const QString &anahtari, bool uzunListe,
                              const IsSatiriAlici &alici)
{
    // The statement is prepared at its first use and kept; each use starts it afresh.
    Deyim *d = nullptr;
    for (const auto &l : m_listeDeyimleri) {
        if (l.first == sql)
            d = l.second.get();
    }
    if (!d) {
        auto yeni = std::make_unique<Deyim>(m_db, sql, true);
        d = yeni.get();
        m_listeDeyimleri.emplace_back(sql, std::move(yeni));
    }
    struct Sifirla {
        Deyim *d;
        bool uzun;
        DosyaVeritabani *vt;
        ~Sifirla()
        {
            d->sifirla();
            if (uzun)
                vt->onbellegiSonraKucult();
        }
    } sifirla{d, uzunListe, this};
    // A parameter left unbound is NULL, as a NULL key or date binds.
    if (!tarih.isNull())
        d->bagla(1, tarih);
    if (!anahtari.isNull())
        d->bagla(2, anahtari);
    HamIsSatiri s;
    while (d->adim()) {
        hamSatirOku(*d, s);
        alici(s);
    }
}

void DosyaVeritabani::isleriListele(const QString &anahtari, bool tumKlasorler, bool sadeceBugun,
                                    const QDate &bugun, const IsSatiriAlici &alici)
{
    satirlariOku(QByteArray(IS_ALANLARI) + listeSorgusu(tumKlasorler, sadeceBugun),
                 sadeceBugun ? tarihMetni(bugun) : QString(),
                 tumKlasorler ? QString() : anahtari, tumKlasorler && !sadeceBugun, alici);
}

std::vector<IsKaydi> DosyaVeritabani::hatirlatilacakIsleriOku(const QDate &bugun, const QTime &dakika,
                                                              const QDate &ufukTarihi, const QTime &ufukSaati)
{
    // The scan notices a file replaced or deleted under the program, and tells of a
    // dropped table once (later scans fail silently, so the horizon stays where it is).
    kimlikDenetle(false);
    try {
        return hatirlatmaSorgusu(bugun, dakika, ufukTarihi, ufukSaati);
    } catch (const Hata &h) {
        if (h.numara() != HataNo::TabloYok)
            throw;
        if (m_tabloBildirildi)
            throw Hata(HataNo::Bildirildi, h.aciklama(), h.dosya());
        m_tabloBildirildi = true;
        throw;
    }
}

std::vector<IsKaydi> DosyaVeritabani::hatirlatmaSorgusu(const QDate &bugun, const QTime &dakika, const QDate &ufukTarihi,
                                                        const QTime &ufukSaati)
{
    // ?1 today, ?2 the current minute at :00, ?3 the horizon's day, ?4 its time, ?5 the
    // first day to look at. The range on IsinTarihi keeps the scan to the days from the
    // horizon to today (only today when the horizon is today's or later), and the index
    // on (IsinTarihi, IsinSaati) gives the order without sorting.
    Deyim d(m_db, (QByteArray(IS_ALANLARI)
                   + "WHERE IsinTarihi>=?5 AND IsinTarihi<=?1 AND Hatirlatma=1 AND IsYapildi=0 "
                     "AND (IsinTarihi=?1 AND IsinSaati<=?2 "
                     "OR IsinTarihi<?1 AND IsinSaati IS NOT NULL AND (IsinTarihi>?3 OR IsinSaati>?4)) "
                     "ORDER BY IsinTarihi, IsinSaati")
                      .constData());
    d.bagla(1, tarihMetni(bugun));
    d.bagla(2, saatMetni(QTime(dakika.hour(), dakika.minute(), 0)));
    d.bagla(3, tarihMetni(ufukTarihi));
    d.bagla(4, saatMetni(ufukSaati));
    d.bagla(5, tarihMetni(qMin(ufukTarihi, bugun)));
    std::vector<IsKaydi> sonuc;
    while (d.adim()) {
        sonuc.emplace_back();
        satirOku(d, sonuc.back());
    }
    return sonuc;
}

void DosyaVeritabani::isListesi(ListeKipi kip, const QDate &tarih, const IsSatiriAlici &alici)
{
    satirlariOku(QByteArray(IS_ALANLARI) + listeKipiSorgusu(kip), tarihliKip(kip) ? tarihMetni(tarih) : QString(),
                 QString(), kip != ListeKipi::BirGunun, alici);
}

qint64 DosyaVeritabani::isEkle(const IsKaydi &is, const QString &)
{
    kimlikDenetle(true);
    if (!is.onGunler.isEmpty()) {
        qint64 no = 0;
        islemde([&] {
            IsKaydi yalin = is;
            yalin.onGunler.clear();
            no = isEkle(yalin);
            onGunleriYaz(no, is.onGunler);
        });
        return no;
    }
    Deyim d(m_db, "INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, IsinYeri, "
                  "IsinSayisi, Aciklama, Hatirlatma, IsYapildi) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    d.bagla(1, is.anahtari)
        .bagla(2, tarihMetni(is.tarih))
        .bagla(3, saatMetni(is.saat))
        .bagla(4, is.konu)
        .bagla(5, is.yer)
        .bagla(6, is.sayi)
        .bagla(7, is.aciklama)
        .bagla(8, qint64(is.hatirlatma ? 1 : 0))
        .bagla(9, qint64(is.yapildi ? 1 : 0));
    d.calistir();
    return sqlite3_last_insert_rowid(m_db);
}

void DosyaVeritabani::isGuncelle(const IsKaydi &is)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET IsinTarihi=?, IsinSaati=?, IsinKonusu=?, IsinYeri=?, "
                  "IsinSayisi=?, Aciklama=?, Hatirlatma=?, IsYapildi=? WHERE IsNo=?");
    d.bagla(1, tarihMetni(is.tarih))
        .bagla(2, saatMetni(is.saat))
        .bagla(3, is.konu)
        .bagla(4, is.yer)
        .bagla(5, is.sayi)
        .bagla(6, is.aciklama)
        .bagla(7, qint64(is.hatirlatma ? 1 : 0))
        .bagla(8, qint64(is.yapildi ? 1 : 0))
        .bagla(9, is.isNo);
    d.calistir();
    if (sqlite3_changes(m_db) == 0)
        throw VeritabaniHatasi::isBulunamadi();
}

void DosyaVeritabani::isAlanlariniGuncelle(const IsKaydi &is, unsigned alanlar)
{
    kimlikDenetle(true);
    // With the warnings, or a new date or time that starts them afresh: all in one go.
    const bool uyarilar = (alanlar & OnHatirlatmaAlani)
        || (m_onHatirlatmaVar && (alanlar & (TarihAlani | SaatAlani)));
    if (uyarilar) {
        islemde([&] {
            alanlariYaz(is, alanlar & ~unsigned(OnHatirlatmaAlani));
            if (m_onHatirlatmaVar && (alanlar & (TarihAlani | SaatAlani))) {
                Deyim y(m_db, "UPDATE OnHatirlatmaTablosu SET ErtelemeAni=NULL, Durduruldu=0 WHERE IsNo=?");
                y.bagla(1, is.isNo).calistir();
            }
            if (alanlar & OnHatirlatmaAlani)
                onGunleriYaz(is.isNo, is.onGunler);
        });
        return;
    }
    alanlariYaz(is, alanlar);
}

void DosyaVeritabani::alanlariYaz(const IsKaydi &is, unsigned alanlar)
{
    // The statement is built from fixed column fragments only; every value is bound.
    struct Alan {
        unsigned bit;
        const char *sutun;
    };
    static const Alan sutunlar[] = {{TarihAlani, "IsinTarihi=?"}, {SaatAlani, "IsinSaati=?"},
                                    {KonuAlani, "IsinKonusu=?"},  {YerAlani, "IsinYeri=?"},
                                    {SayiAlani, "IsinSayisi=?"},  {AciklamaAlani, "Aciklama=?"},
                                    {HatirlatmaAlani, "Hatirlatma=?"}, {YapildiAlani, "IsYapildi=?"}};
    QByteArray sql;
    for (const Alan &a : sutunlar) {
        if (alanlar & a.bit)
            sql += (sql.isEmpty() ? QByteArray() : QByteArray(", ")) + a.sutun;
    }
    if (sql.isEmpty()) {
        Deyim d(m_db, "SELECT 1 FROM YapilacakIslerTablosu WHERE IsNo=?");
        d.bagla(1, is.isNo);
        if (!d.adim())
            throw VeritabaniHatasi::isBulunamadi();
        return;
    }
    Deyim d(m_db, ("UPDATE YapilacakIslerTablosu SET " + sql + " WHERE IsNo=?").constData());
    int i = 0;
    if (alanlar & TarihAlani)
        d.bagla(++i, tarihMetni(is.tarih));
    if (alanlar & SaatAlani)
        d.bagla(++i, saatMetni(is.saat));
    if (alanlar & KonuAlani)
        d.bagla(++i, is.konu);
    if (alanlar & YerAlani)
        d.bagla(++i, is.yer);
    if (alanlar & SayiAlani)
        d.bagla(++i, is.sayi);
    if (alanlar & AciklamaAlani)
        d.bagla(++i, is.aciklama);
    if (alanlar & HatirlatmaAlani)
        d.bagla(++i, qint64(is.hatirlatma ? 1 : 0));
    if (alanlar & YapildiAlani)
        d.bagla(++i, qint64(is.yapildi ? 1 : 0));
    d.bagla(++i, is.isNo);
    d.calistir();
    if (sqlite3_changes(m_db) == 0)
        throw VeritabaniHatasi::isBulunamadi();
}

void DosyaVeritabani::isSil(qint64 isNo)
{
    kimlikDenetle(true);
    if (!m_onHatirlatmaVar) {
        Deyim d(m_db, "DELETE FROM YapilacakIslerTablosu WHERE IsNo=?");
        d.bagla(1, isNo).calistir();
        return;
    }
    islemde([&] {
        Deyim o(m_db, "DELETE FROM OnHatirlatmaTablosu WHERE IsNo=?");
        o.bagla(1, isNo).calistir();
        Deyim d(m_db, "DELETE FROM YapilacakIslerTablosu WHERE IsNo=?");
        d.bagla(1, isNo).calistir();
    });
}

void DosyaVeritabani::isTasi(qint64 isNo, const QString &anahtari)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET Anahtari=? WHERE IsNo=?");
    d.bagla(1, anahtari).bagla(2, isNo).calistir();
}

void DosyaVeritabani::isYapildiIsaretle(qint64 isNo)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET IsYapildi=1 WHERE IsNo=?");
    d.bagla(1, isNo).calistir();
}

void DosyaVeritabani::isHatirlatmaKapat(qint64 isNo)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET Hatirlatma=0 WHERE IsNo=?");
    d.bagla(1, isNo).calistir();
}

bool DosyaVeritabani::isZamaniniDegistir(qint64 isNo, const QDate &tarih, const QTime &saat)
{
    kimlikDenetle(true);
    Deyim d(m_db, "UPDATE YapilacakIslerTablosu SET IsinTarihi=?, IsinSaati=? WHERE IsNo=? AND IsYapildi=0");
    d.bagla(1, tarihMetni(tarih)).bagla(2, saatMetni(saat)).bagla(3, isNo).calistir();
    return sqlite3_changes(m_db) > 0;
}

IsKaydi DosyaVeritabani::is(qint64 isNo)
{
    Deyim d(m_db, (QByteArray(IS_ALANLARI) + "WHERE IsNo=?").constData());
    d.bagla(1, isNo);
    IsKaydi k;
    if (d.adim())
        satirOku(d, k);
    return k;
}

void DosyaVeritabani::isleriGetir(const QList<qint64> &numaralar, const IsSatiriAlici &alici)
{
    if (numaralar.isEmpty())
        return;
    // The numbers as one bound JSON array.
    QString dizi = QStringLiteral("[");
    for (qint64 n : numaralar)
        dizi += (dizi.size() > 1 ? QStringLiteral(",") : QString()) + QString::number(n);
    dizi += QLatin1Char(']');
    satirlariOku(QByteArray(IS_ALANLARI) + "WHERE IsNo IN (SELECT value FROM json_each(?1)) ORDER BY IsNo", dizi,
                 QString(), false, alici);
}

std::vector<AramaSonucu> DosyaVeritabani::isAra(AramaAlani alan, const QString &aranan)
{
    // The field name comes from this fixed list only; the text is a bound value. Every
    // row is read anyway: scanning the table and sorting only the matches is several
    // times faster than walking the date index and fetching each row through it.
    const char *sql = nullptr;
    switch (alan) {
    case AramaAlani::Konu:
        sql = "SELECT IsNo, Anahtari, IsinKonusu FROM YapilacakIslerTablosu NOT INDEXED WHERE TurkceIcerir(IsinKonusu, ?1) "
              "ORDER BY IsinTarihi, IsinSaati, IsNo";
        break;
    case AramaAlani::Yer:
        sql = "SELECT IsNo, Anahtari, IsinYeri FROM YapilacakIslerTablosu NOT INDEXED WHERE TurkceIcerir(IsinYeri, ?1) "
              "ORDER BY IsinTarihi, IsinSaati, IsNo";
        break;
    case AramaAlani::Aciklama:
        sql = "SELECT IsNo, Anahtari, Aciklama FROM YapilacakIslerTablosu NOT INDEXED WHERE TurkceIcerir(Aciklama, ?1) "
              "ORDER BY IsinTarihi, IsinSaati, IsNo";
        break;
    }
    std::vector<AramaSonucu> sonuc;
    {
        Deyim d(m_db, sql);
        d.bagla(1, aranan.isNull() ? QStringLiteral("") : aranan);
        while (d.adim())
            sonuc.push_back({d.sayi(0), d.metin(1), d.metin(2)});
    }
    onbellegiSonraKucult();
    return sonuc;
}

} // namespace Zelvora

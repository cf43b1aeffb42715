#include "core/DosyaSemasi.h"

#include "core/OrtakYordamlar.h"
#include "core/SqliteDeyim.h"

#include <QStringList>

#include <initializer_list>

namespace Zelvora::DosyaSemasi {
namespace {

const char *const SEMA = R"SQL(
CREATE TABLE KlasorBilgileriTablosu(
  Anahtari TEXT(255) PRIMARY KEY,
  Bagi TEXT(255),
  Adi TEXT(255));
CREATE TABLE YapilacakIslerTablosu(
  IsNo INTEGER PRIMARY KEY AUTOINCREMENT,
  Anahtari TEXT(255) REFERENCES KlasorBilgileriTablosu(Anahtari),
  IsinTarihi TEXT(10),
  IsinSaati TEXT(8),
  IsinKonusu TEXT(50),
  IsinYeri TEXT(50),
  IsinSayisi TEXT(50),
  Aciklama TEXT,
  Hatirlatma INTEGER,
  IsYapildi INTEGER);
CREATE INDEX IsKlasorTarihDizini ON YapilacakIslerTablosu(Anahtari, IsinTarihi);
CREATE INDEX IsTarihDizini ON YapilacakIslerTablosu(IsinTarihi);
CREATE INDEX IsTarihSaatDizini ON YapilacakIslerTablosu(IsinTarihi, IsinSaati);
)SQL";

// The advance warnings: a job reminds also GunOnce days before its date. Postponing one
// stores the wall-clock moment it comes back; stopping one sets Durduruldu. Part of the
// schema of a new file; added to an older one by its upgrade.
const char *const ON_HATIRLATMA = R"SQL(
CREATE TABLE IF NOT EXISTS OnHatirlatmaTablosu(
  IsNo INTEGER NOT NULL REFERENCES YapilacakIslerTablosu(IsNo),
  GunOnce INTEGER NOT NULL CHECK (GunOnce BETWEEN 1 AND 365),
  ErtelemeAni TEXT(19),
  Durduruldu INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (IsNo, GunOnce));
)SQL";

// The calendar files: the database's own identity (a random text made once, the part of
// every UID the export writes that says which database a job is of) and the items
// brought in from other calendars (their UID and occurrence, and the job each became),
// so that a file imported twice does not store its jobs twice. Empty in a new file: the
// identity is drawn on the desk, never copied with the template.
const char *const TAKVIM = R"SQL(
CREATE TABLE IF NOT EXISTS VeritabaniKimligiTablosu(
  Kimlik TEXT(64) PRIMARY KEY);
CREATE TABLE IF NOT EXISTS TakvimdanAlinanlarTablosu(
  Uid TEXT NOT NULL,
  Yineleme TEXT NOT NULL DEFAULT '',
  IsNo INTEGER NOT NULL,
  PRIMARY KEY (Uid, Yineleme));
)SQL";

// The columns each of our tables must have.
struct TabloTanimi {
    const char *ad;
    std::initializer_list<const char *> sutunlar;
};
const TabloTanimi TABLOLAR[] = {
    {"KlasorBilgileriTablosu", {"Anahtari", "Bagi", "Adi"}},
    {"YapilacakIslerTablosu",
     {"IsNo", "Anahtari", "IsinTarihi", "IsinSaati", "IsinKonusu", "IsinYeri", "IsinSayisi", "Aciklama", "Hatirlatma",
      "IsYapildi"}},
};

Hata bizimDegil(sqlite3 *db)
{
    return Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya, programın veritabanı değil."), Sqlite::dosyaAdi(db));
}

} // namespace

void olustur(sqlite3 *db)
{
    Sqlite::calistir(db, SEMA);
    Sqlite::calistir(db, ON_HATIRLATMA);
    Sqlite::calistir(db, TAKVIM);
}

bool takvimTablolariVar(sqlite3 *db)
{
    Sqlite::Deyim d(db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                        "('VeritabaniKimligiTablosu','TakvimdanAlinanlarTablosu')");
    return d.adim() && d.sayi(0) == 2;
}

void takvimTablolariEkle(sqlite3 *db)
{
    Sqlite::calistir(db, TAKVIM);
}

bool onHatirlatmaVar(sqlite3 *db)
{
    Sqlite::Deyim d(db, "SELECT count(*) FROM pragma_table_info('OnHatirlatmaTablosu') "
                        "WHERE name IN ('IsNo','GunOnce','ErtelemeAni','Durduruldu')");
    return d.adim() && d.sayi(0) == 4;
}

void onHatirlatmaEkle(sqlite3 *db)
{
    Sqlite::calistir(db, ON_HATIRLATMA);
}

void bizimMi(sqlite3 *db, Denetim denetim)
{
    if (denetim != Denetim::Yok) {
        Sqlite::Deyim d(db, denetim == Denetim::Tam ? "PRAGMA integrity_check" : "PRAGMA quick_check");
        if (!d.adim() || d.metin(0) != QStringLiteral("ok"))
            throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Veritabanı dosyası bozuk."), Sqlite::dosyaAdi(db));
    }
    Sqlite::Deyim tablolar(db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                               "('KlasorBilgileriTablosu','YapilacakIslerTablosu')");
    if (!tablolar.adim() || tablolar.sayi(0) != 2)
        throw bizimDegil(db);
    for (const TabloTanimi &t : TABLOLAR) {
        Sqlite::Deyim d(db, "SELECT name FROM pragma_table_info(?)");
        d.bagla(1, t.ad);
        QStringList var;
        while (d.adim())
            var << d.metin(0);
        for (const char *sutun : t.sutunlar) {
            if (!var.contains(QString::fromLatin1(sutun), Qt::CaseInsensitive))
                throw bizimDegil(db);
        }
    }
}

QPair<qint64, qint64> satirSayilari(sqlite3 *db)
{
    Sqlite::Deyim k(db, "SELECT count(*) FROM KlasorBilgileriTablosu");
    k.adim();
    Sqlite::Deyim i(db, "SELECT count(*) FROM YapilacakIslerTablosu");
    i.adim();
    return {k.sayi(0), i.sayi(0)};
}

} // namespace Zelvora::DosyaSemasi

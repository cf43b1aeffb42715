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

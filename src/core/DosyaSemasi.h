#pragma once
// The SQLite file's schema and the checks that a file is a database of ours, shared by
// the file back end and the backup.

#include <QPair>
#include <QtGlobal>

struct sqlite3;

namespace Zelvora::DosyaSemasi {

// Writes the empty schema into a new file's connection; throws Hata.
void olustur(sqlite3 *db);
// The advance-warning table is there with its columns (an older file lacks it).
bool onHatirlatmaVar(sqlite3 *db);
// Adds that table (nothing when it is there); throws Hata.
void onHatirlatmaEkle(sqlite3 *db);

// The tables of the calendar files (the database's identity, the items imported) are
// there; adds them (nothing when they are there); throws Hata.
bool takvimTablolariVar(sqlite3 *db);
void takvimTablolariEkle(sqlite3 *db);

enum class Denetim { Yok, Hizli, Tam };
// Our database holds both tables with all their columns and passes the check asked for
// (quick_check, or integrity_check, which also finds missing index rows). Throws Hata
// (HataNo::DosyaAcilamiyor, naming the file) when it does not.
void bizimMi(sqlite3 *db, Denetim denetim = Denetim::Hizli);
// Rows of the folder and the job table, to compare a copy with its source.
QPair<qint64, qint64> satirSayilari(sqlite3 *db);

} // namespace Zelvora::DosyaSemasi

#include "core/VeritabaniDosya.h"

#include "core/OrtakYordamlar.h"

#include <QFileInfo>

#include <sqlite3.h>

// The read-only opening of the file back end, for the command line's listings and the
// calendar publisher's reader.

namespace Zelvora {

std::unique_ptr<Veritabani> Veritabani::okumakIcinAc(const QString &yol)
{
    // A FIFO would block the open, a folder is no database: both refused before SQLite.
    if (!YolDoluMu(yol))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosya yok."), yol);
    if (!NormalDosyaMi(yol))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Normal bir dosya değil."), yol);
    if (!QFileInfo(yol).isReadable())
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Dosyayı okuma izniniz yok."), yol);
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(yol.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        const QString neden = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw Hata(hataNumarasi(rc), neden, yol);
    }
    sqlite3_extended_result_codes(db, 0);
    // A save of the program holds the file for a moment: the read waits for it, as the
    // program's own connection does.
    sqlite3_busy_timeout(db, 3000);
    islevleriKaydet(db);
    return std::make_unique<DosyaVeritabani>(db, yol);
}

} // namespace Zelvora

#pragma once
// The program's error type and every error number it raises, by name. The numbers of
// the old program's database engine and runtime are kept, so that a message shows the
// number the user has always seen.

#include <QString>

#include <exception>

namespace Zelvora {

namespace HataNo {
// The old runtime's numbers.
constexpr int GecersizCagri = 5;      // a procedure called with a value it does not take
constexpr int TurUyusmazligi = 13;    // a value of the wrong type
constexpr int NesneYok = 91;          // no database connection to work with
constexpr int GecersizDeger = 380;    // a property given a value out of its range
constexpr int Yazici = 482;           // the printer failed (silent)
constexpr int OgeYok = 35601;         // the tree has no node of that key
constexpr int AnahtarTekrar = 35602;  // the tree has a node of that key already
// The database's numbers.
constexpr int KayitYok = 3021;        // the row to change is gone (deleted meanwhile)
constexpr int DiskDolu = 3026;        // no space left on the disk (or the file-size limit)
constexpr int SaltOkunur = 3027;      // the database file or its folder cannot be written now
constexpr int DiskHatasi = 3040;      // an I/O error of the disk while reading or writing
constexpr int DiskAg = 3043;          // network error of a shared database
constexpr int GecersizYol = 3044;
constexpr int DosyaAcilamiyor = 3051; // cannot open / not our database
constexpr int Kilitli = 3218;         // the database is in use (locked) by another program
constexpr int Sunucu = 3146;          // the database server refused a statement (its own reason)
constexpr int AgKoptu = 3047;         // the connection to the database server was lost (our number)
constexpr int Mesgul = 3356;          // opened exclusively by another user (silent)
// Our own numbers.
constexpr int AyarYazilamadi = 3900;  // the settings file could not be written
constexpr int VeritabaniDegisti = 3901; // the database file was deleted, moved or replaced under the program
constexpr int TabloYok = 3902;        // a table of the database was dropped under the program
constexpr int Bildirildi = 3903;      // an error the user has already been told of (silent)
constexpr int KlasorYok = 3904;       // the folder a job or sub-folder goes into no longer exists
constexpr int AltKlasorVar = 3905;    // the folder to delete has sub-folders (another desk may have added them)
constexpr int TakvimBozuk = 3906;     // a calendar file that is damaged or not one (told by its own message)
constexpr int YedekKesildi = 9;       // the daily backup was stopped (SQLite's interrupt code; never told)
} // namespace HataNo

// The error type of the program: a number, a description and, where one is concerned,
// the file.
class Hata : public std::exception {
public:
    Hata(int numara, QString aciklama, QString dosya = QString())
        : m_numara(numara), m_aciklama(std::move(aciklama)), m_dosya(std::move(dosya))
    {
    }
    int numara() const { return m_numara; }
    const QString &aciklama() const { return m_aciklama; }
    const QString &dosya() const { return m_dosya; }
    const char *what() const noexcept override { return "Zelvora::Hata"; }

private:
    int m_numara;
    QString m_aciklama;
    QString m_dosya;
};

// The database's errors with a fixed message, the same on every back end.
namespace VeritabaniHatasi {
// The job to change is gone (HataNo::KayitYok).
inline Hata isBulunamadi()
{
    return Hata(HataNo::KayitYok, QStringLiteral("Değiştirilecek iş bulunamadı (silinmiş olabilir)."));
}
// The folder to rename is gone (HataNo::KlasorYok).
inline Hata klasorBulunamadi()
{
    return Hata(HataNo::KlasorYok, QStringLiteral("Klasör bulunamadı (başka bir masada silinmiş olabilir)."));
}
// The folder a job or a new folder was to go into is gone (HataNo::KlasorYok).
inline Hata hedefKlasorYok()
{
    return Hata(HataNo::KlasorYok, QStringLiteral("Kaydedileceği klasör artık yok (başka bir masada silinmiş olabilir)."));
}
// The folder to delete holds sub-folders (HataNo::AltKlasorVar).
inline Hata altKlasorVar()
{
    return Hata(HataNo::AltKlasorVar, QStringLiteral("Seçtiğiniz klasörün 'Alt Klasör'leri olduğu için silinemiyor!"));
}
// No database is open (HataNo::DosyaAcilamiyor).
inline Hata acikDegil()
{
    return Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Veritabanı açık değil."));
}
} // namespace VeritabaniHatasi

} // namespace Zelvora

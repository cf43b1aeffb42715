#pragma once
// Routines every window uses: the program-wide error handler, the string table,
// Turkish capitalisation, the password scrambler, file tests and folders.

#include <QList>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

namespace Zelvora {

// Error numbers the program knows (database engine numbers kept from the old program).
namespace HataNo {
constexpr int Yazici = 482;
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
constexpr int AyarYazilamadi = 3900;  // the settings file could not be written (our number)
constexpr int VeritabaniDegisti = 3901; // the database file was deleted, moved or replaced under the program
constexpr int TabloYok = 3902;        // a table of the database was dropped under the program
constexpr int Bildirildi = 3903;      // an error the user has already been told of (silent)
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

// Reports an error the way the program always has. Returns true when the caller may
// go on, false when the program has been ended (only observable under tests).
// A locked database, a full disk, a disk error or a file that cannot be written now
// are reported with their own message and the program goes on, so that what the user
// typed stays where it is and can be saved again.
bool GenelHataYordami(const Hata &h);
inline bool GenelHataYordami(int numara, const QString &aciklama) { return GenelHataYordami(Hata(numara, aciklama)); }
// The reason of an error in a sentence, for messages that name it (the backup's).
QString HataNedeni(const Hata &h);

// Runs one step: an error goes to GenelHataYordami. Returns false when the step failed.
// *devam is set false when the program was ended.
bool Adim(const std::function<void()> &adim, bool *devam = nullptr);
// Runs one step, ignoring any error of ours silently.
bool SessizAdim(const std::function<void()> &adim);

// The string table, by resource number (10, 30, 40, 50, 60, 70, 90).
QString KaynakMetni(int numara);

// Capitalises the first letter of each word, the Turkish way.
QString IlkHarfleriBuyut(const QString &metin);
// Self-inverse keyed substitution over an alphabet.
QString MetniSifrele(const QString &metin, const QString &alfabe, const QString &anahtar);

// True for an existing file or folder.
bool DosyaVarMi(const QString &yol);
// True for a regular file (after following links): not a folder, FIFO or device.
bool NormalDosyaMi(const QString &yol);
// True when anything at all is at the path, a dangling link included.
bool YolDoluMu(const QString &yol);
// The per-user program-files folder, ending in "/".
QString ProgramDosyalariKlasoru();
// Turkish upper/lower case of one letter (i/İ and ı/I kept apart).
QChar TurkceBuyukHarf(QChar c);
// Makes sure the compiled-in resources (icons, pictures, string table) are registered.
void KaynaklariHazirla();
// The rows of a tab-separated text among the resources (UTF-8), each split at its tabs;
// empty lines and lines starting with "#" are skipped. Empty when it cannot be read.
QList<QStringList> KaynakTablosu(const QString &yol);
QString TurkceKucuk(const QString &s);
// A text on one line: each tab, line break (CR LF, CR or LF) becomes one space.
QString TekSatir(QString metin);
QString TurkceBuyuk(const QString &s);

// The heap keeps what a long list frees, for the next one, instead of handing it back to
// the system at every free (fresh pages cost a page fault each, which a virtual machine
// makes dear); BellegiSistemeVer hands the free pages back once the program is idle.
// Called once, at start.
void BellekAyarla();
// Hands the heap's free pages back to the system: with an event loop running, once the
// program is idle a moment later (it takes a few milliseconds on a large heap), so that
// a long list shows without waiting for it.
void BellegiSistemeVer();

} // namespace Zelvora

#pragma once
// Routines every window uses: the program-wide error handler, the string table,
// Turkish capitalisation, the password scrambler, file tests and folders.

#include <QString>

#include <exception>
#include <functional>

namespace Zelvora {

// Error numbers the program knows (database engine numbers kept from the old program).
namespace HataNo {
constexpr int Yazici = 482;
constexpr int DiskAg = 3043;     // I/O error, disk full
constexpr int GecersizYol = 3044;
constexpr int DosyaAcilamiyor = 3051; // cannot open / not our database
constexpr int Mesgul = 3356;     // busy at open
} // namespace HataNo

// The error type of the program: a number and a description.
class Hata : public std::exception {
public:
    Hata(int numara, QString aciklama) : m_numara(numara), m_aciklama(std::move(aciklama)) {}
    int numara() const { return m_numara; }
    const QString &aciklama() const { return m_aciklama; }
    const char *what() const noexcept override { return "Zelvora::Hata"; }

private:
    int m_numara;
    QString m_aciklama;
};

// Reports an error the way the program always has. Returns true when the caller may
// go on, false when the program has been ended (only observable under tests).
bool GenelHataYordami(int numara, const QString &aciklama);
inline bool GenelHataYordami(const Hata &h) { return GenelHataYordami(h.numara(), h.aciklama()); }

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
// The per-user program-files folder, ending in "/".
QString ProgramDosyalariKlasoru();
// Turkish upper/lower case of one letter (i/İ and ı/I kept apart).
QChar TurkceBuyukHarf(QChar c);
// Makes sure the compiled-in resources (icons, pictures, string table) are registered.
void KaynaklariHazirla();
QString TurkceKucuk(const QString &s);
QString TurkceBuyuk(const QString &s);

} // namespace Zelvora

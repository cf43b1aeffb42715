#pragma once
// Routines every window uses: the program-wide error handler, the string table,
// Turkish capitalisation, the password scrambler, file tests and folders.

#include "core/Hata.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Zelvora {

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
// The office server cannot be reached now (the connection is lost or does not answer).
bool SunucuyaUlasilamiyor(const Hata &h);
// Runs one step of unattended work (the reminder scan) as Adim does, except that an
// unreachable server shows no box: the status bar says so, and a box left unanswered at an
// empty desk would hold up the scans after it.
bool GozetimsizAdim(const std::function<void()> &adim, bool *devam = nullptr);

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

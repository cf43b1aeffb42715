#pragma once
// The commands of the command line that answer without a window: --help, --version,
// the open jobs of a day (--bugun, --liste GG.AA.YYYY) and all jobs written to a calendar
// file (--ics-aktar DOSYA.ics), read from the database without changing anything, also
// while the program runs. Every other start (no
// argument, or one not starting with "--", as the autostart's -Simge) is the program's.

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace Zelvora::KomutSatiri {

enum class Komut { Baslat, Yardim, Surum, Bugun, Liste, IcsAktar, Yanlis };

struct Istek {
    Komut komut = Komut::Baslat;
    QDate tarih;    // the day of Liste
    QString dosya;  // the calendar file of IcsAktar
    QString yanlis; // Yanlis: what is wrong, in a sentence
};

// Reads the arguments, without the program's name.
Istek coz(const QStringList &argumanlar);

// Runs the command the arguments ask for, before any window or display is needed, and
// returns the exit status: 0 done, 1 the database could not be read, 2 a wrong option,
// 3 the calendar file could not be written.
// nullopt: the program starts as always.
std::optional<int> calistir(int argc, char **argv);

// The open jobs of one day from the program's database (the office server when one is
// set), as a table of time, subject, place and folder; errors name the file and the
// reason. bugun: the day is today (its own heading). Returns 0 or 1.
int gununIsleri(const QDate &gun, bool bugun, QTextStream &cikti, QTextStream &hata);

// All jobs of the program's database written to a calendar file (iCalendar), safely:
// the file is whole or, on a failure, as it was. Returns 0, 1 or 3.
int takvimeAktar(const QString &dosya, QTextStream &cikti, QTextStream &hata);

} // namespace Zelvora::KomutSatiri

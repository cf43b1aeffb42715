#pragma once
// Jobs as an iCalendar file (RFC 5545), written and read with libical: the export to a
// .ics file, the events published to a CalDAV calendar, and the import of another
// calendar's file. No widgets here; the windows and the command line call these.

#include "core/Veritabani.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <vector>

namespace Zelvora::TakvimDosyasi {

// The default length of a job with a time, in seconds.
constexpr int VarsayilanSureSn = 3600;

// A stable UID for a job of a database: the same for the same job every time, on every
// desk of an office ("<job number>-<16 hex digits of the database's identity>@zelvora").
QString uid(const QString &veritabaniKimligi, qint64 isNo);
// The job number a UID written by uid() for this database stands for; 0 for any other
// UID (another calendar's, or another database's).
qint64 isNumarasi(const QString &uid, const QString &veritabaniKimligi);

// A whole VCALENDAR: PRODID, VERSION 2.0, one VTIMEZONE for the zone when a job with a
// time is written, one VEVENT per job with a date (jobs without a date have no place in a
// calendar and are left out: tarihsizSayisi tells how many). klasorYollari: folder key ->
// path text ("Davalar/Ankara") for CATEGORIES. bolge: the zone the jobs' wall-clock
// times are in (the desk's). damga: the DTSTAMP, in UTC; invalid: the clock's now.
// Every VEVENT holds UID, DTSTAMP, DTSTART (with TZID, or VALUE=DATE for a job without a
// time, a whole day), DURATION of an hour or DTEND of the next day, SUMMARY, LOCATION,
// DESCRIPTION (the number on a line "Sayı: ..." and then the description), CATEGORIES,
// for a done job the category "Yapıldı" and X-ZELVORA-YAPILDI:TRUE (a VEVENT's STATUS has
// no "completed"), and for an open job with its reminder on a VALARM at its minute and
// one per advance warning (is.onGunler). Text escaping and line folding are libical's.
QByteArray yaz(const std::vector<IsKaydi> &isler, const QHash<QString, QString> &klasorYollari,
               const QString &veritabaniKimligi, const QTimeZone &bolge, const QDateTime &damga = QDateTime());
// How many of the jobs yaz leaves out (no date).
qsizetype tarihsizSayisi(const std::vector<IsKaydi> &isler);

// The path of every folder from the top of the tree down: "Davalar/Ankara". A damaged
// tree whose keys lead round in a circle still ends.
QHash<QString, QString> klasorYollari(const QList<KlasorKaydi> &klasorler);

// The jobs of a folder (tumKlasorler: of every folder), with their advance warnings,
// as yaz takes them.
std::vector<IsKaydi> isleriTopla(Veritabani &vt, const QString &anahtari, bool tumKlasorler);
// Fills the advance warnings of the open, reminded jobs (dated enErken or later, when it
// is given), all read in one statement; nothing without the warning table.
void onGunleriDoldur(Veritabani &vt, std::vector<IsKaydi> &isler, const QDate &enErken = QDate());

// Writes the data to the file safely: under a temporary name beside it, flushed, then
// renamed over it; a failure leaves an existing file as it was. Throws Hata naming the
// file and the reason.
void dosyayaYaz(const QString &yol, const QByteArray &veri);

// ---- Reading another calendar's file --------------------------------------------------

// One item of a calendar file, as a job to be (a recurring item gives one per occurrence).
struct AlinanOge {
    IsKaydi is;          // date, time (invalid for a whole day), texts, flags; no folder
    QString uid;         // the item's UID (may be empty in a careless file)
    QString yineleme;    // the occurrence ("yyyyMMddTHHmmss" of its start) of a recurring item
    bool yinelenen = false;
};

struct OkumaSonucu {
    std::vector<AlinanOge> ogeler; // in the file's order, occurrences in time order
    int yinelenenOge = 0;          // recurring items expanded
    int aralikDisi = 0;            // their occurrences outside the range (not taken)
    int sonsuzOge = 0;             // recurring items that go on after the range without end
    int tarihsizOge = 0;           // VTODOs without a due date: not jobs
    int iptalOge = 0;              // items marked cancelled: not taken
    QStringList uyarilar;          // what was read with trouble (a zone not known, ...)
};

// Reads an iCalendar file's VEVENTs and VTODOs (with a due date). Times are turned into
// the local time of bolge: a TZID by the file's VTIMEZONE or the zone of that name, UTC
// times, floating times taken as local; whole days stay whole days. A recurring item
// (RRULE, RDATE, EXDATE honoured) gives one job per occurrence from aralikBasi to
// aralikSonu (inclusive). A file that is not an iCalendar file, or is damaged, throws
// Hata with a sentence saying what is wrong; nothing is half read.
OkumaSonucu oku(const QByteArray &veri, const QTimeZone &bolge, const QDate &aralikBasi, const QDate &aralikSonu);
// The file holds recurring items (the range is asked before reading them).
bool yinelenenVarMi(const QByteArray &veri);

// The job editor's field limits: subject 20, place 30, number 12 characters.
constexpr int KonuSiniri = 20;
constexpr int YerSiniri = 30;
constexpr int SayiSiniri = 12;
// Cuts a job's texts to those limits; returns the names of the fields cut ("konu",
// "yer", "sayı"), none when it fits. A cut text keeps its whole beginning; what is cut
// off the subject or the place is kept at the end of the description, so nothing is lost.
QStringList sinirlaraKes(IsKaydi &is);

// What an import will store: the items read, less those the database holds already (a
// job of ours whose number still exists, an item imported before whose job still
// exists, the same item twice in the file), cut to the field limits.
struct AlmaPlani {
    std::vector<IsKaydi> isler;                // to be stored (no folder yet)
    QList<Veritabani::AlinanKimlik> kimlikler; // the item of each, to record
    int zatenVar = 0;                          // skipped: already in the database
    int konuKesilen = 0, yerKesilen = 0, sayiKesilen = 0;
};
AlmaPlani planla(const OkumaSonucu &okunan, Veritabani &vt);

} // namespace Zelvora::TakvimDosyasi

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
// Fills the advance warnings of the jobs (nothing without the warning table).
void onGunleriDoldur(Veritabani &vt, std::vector<IsKaydi> &isler);

// Writes the data to the file safely: under a temporary name beside it, flushed, then
// renamed over it; a failure leaves an existing file as it was. Throws Hata naming the
// file and the reason.
void dosyayaYaz(const QString &yol, const QByteArray &veri);

} // namespace Zelvora::TakvimDosyasi

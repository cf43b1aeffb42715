#pragma once
// The reminder horizon: the moment up to which every due reminder has been dealt with.
// A scan lists today's jobs up to the current minute and also the earlier days' jobs
// that lie after the horizon, so a reminder that fell due while the program was not
// running, the machine slept or the reminder window was open across midnight is still
// shown. Kept in the settings ("Ayarlar", "Hatirlatma Ufku") as "yyyy-MM-dd HH:mm:ss".
//
// Moments here are wall-clock readings (date and time of day as the clock showed them),
// held in a QDateTime of UTC so that no daylight-saving rule moves or refuses them.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace Zelvora::Ufuk {

// A wall-clock reading as a moment of this module.
QDateTime an(const QDate &tarih, const QTime &saat);
// The moment a scan at the clock's reading simdi covers: its day at hh:mm:00 of its
// minute (a job at or before it is due).
QDateTime taramaAni(const QDateTime &simdi);
// The horizon of a scan at the clock's reading simdi. Without a stored one, with a text
// that is not a date and time, or with one later than the scan's moment (the clock is
// behind, or it ran ahead when the horizon was written), it is the last second before
// simdi's day, so nothing older than that day is listed; and that is stored at once
// (within the bound of yaz), so that the next day's scans still list this day's
// reminders (00:00 included) when none of its windows is settled before midnight.
QDateTime taramaUfku(const QDateTime &simdi);
// Stores a new horizon (the moment of a scan whose due jobs are all dealt with). It never
// moves back by more than a day: an earlier value leaves the stored one as it is.
void yaz(const QDateTime &ufuk);

// A job was written (added or changed) with these values at the clock's reading simdi.
// One of today's, reminder on, not done, is due at the next scan once its minute has
// come, even when midnight comes first: the horizon is put back just before it when it
// lies at or past it. (Jobs of earlier days entered afterwards stay unreminded, as ever.)
void isYazildi(const QDate &tarih, const QTime &saat, bool hatirlatma, bool yapildi, const QDateTime &simdi);

QString metin(const QDateTime &ufuk);    // "yyyy-MM-dd HH:mm:ss"
QDateTime coz(const QString &metin);     // invalid when the text is not one
} // namespace Zelvora::Ufuk

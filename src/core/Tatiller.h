#pragma once
// Official holidays of Türkiye (from the holiday table among the resources), weekends
// and the judicial recess: the calendar a deadline's last day is measured against.

#include <QDate>
#include <QString>

namespace Zelvora::Tatiller {

// The years the holiday table covers.
constexpr int IlkYil = 2000;
constexpr int SonYil = 2060;
bool kapsamda(const QDate &t);

// Names of the whole-day official holidays on the date, joined by ", "; empty when none.
QString tatilAdi(const QDate &t);
// Name of the half-day holiday (an eve, from 13.00) on the date; empty when none.
QString yarimGunAdi(const QDate &t);
// Neither a Saturday, a Sunday nor a whole-day official holiday.
bool isGunu(const QDate &t);
// The first working day after the date.
QDate ilkIsGunu(const QDate &t);
// The first working day after the date that is no half day either (after an eve, the
// first full day of work once the feast is over).
QDate ilkTamIsGunu(const QDate &t);
// 20 July to 31 August.
bool adliTatilde(const QDate &t);
// The last day of the judicial recess of a year: 31 August.
QDate adliTatilSonu(int yil);

} // namespace Zelvora::Tatiller

#pragma once
// Official holidays of Türkiye (from the holiday table among the resources), weekends
// and the judicial recess: what a lawyer wants to know about the day a deadline ends.

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
// 20 July to 31 August.
bool adliTatilde(const QDate &t);

// One line about the date: its weekday; for a weekend day or an official holiday, the
// holiday's name and the first working day after it; a half-day eve; the judicial
// recess. Empty for an invalid date.
QString gunBilgisi(const QDate &t);

} // namespace Zelvora::Tatiller

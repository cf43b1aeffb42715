#pragma once
// Deadline arithmetic of the duration calculator: a start date plus an amount of days,
// weeks, months or years, and the reading of the amount typed into its box.

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace Zelvora::SureHesabi {

// The units of the unit list, by position: "Gün", "Hafta", "Ay", "Yıl".
QStringList birimAdlari();

// The dates a result may take: 1 January 100 to 31 December 9999.
bool aralikta(const QDate &t);
// A typed start date: valid only when it is a real date inside the range above.
QDate baslangicTarihi(const QString &metin);

// The start date moved by miktar units of the interval code: "d" days, "ww" weeks,
// "m" calendar months, "yyyy" calendar years (a negative amount counts back). Months
// and years keep the day of the month, taking the last day of a shorter month.
// Empty when the result falls outside the range, or the code is unknown.
std::optional<QDate> ekle(const QString &dilimKodu, qint64 miktar, const QDate &baslangic);

// The number a text starts with, read from the left; text after it is ignored and a
// text that does not start with a number gives 0.
double bastakiSayi(const QString &metin);
// The value of a text that is a number as a whole (blanks around it allowed, "." or ","
// as the decimal sign, an exponent); empty when it is not.
std::optional<double> sayiOku(const QString &metin);
// Rounded to a whole number, halves to the even neighbour; empty when it does not fit
// a 32-bit signed number.
std::optional<qint32> yuvarla(double sayi);

} // namespace Zelvora::SureHesabi

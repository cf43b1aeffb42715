#pragma once
// Dates and times in the Turkish forms the program shows and accepts.

#include <QDate>
#include <QString>
#include <QTime>

namespace Zelvora::Tarihler {

// dd.MM.yyyy
QString kisaTarih(const QDate &t);
// "7 Aralık 2026 Pazartesi"
QString uzunTarih(const QDate &t);
// HH:mm:ss
QString saatMetni(const QTime &s);
// A typed date: day, month and year separated by ".", "/" or "-"; a two-figure year
// means 1930-2029. Invalid QDate when the text is not a real date.
QDate tarihCoz(const QString &metin);
// Turkish month name, 1-12, and weekday names, 1 = Monday ... 7 = Sunday.
QString ayAdi(int ay);
QString gunAdi(int gun);
QString kisaGunAdi(int gun);

} // namespace Zelvora::Tarihler

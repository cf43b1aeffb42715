#pragma once
// The appeal periods of the duration calculator's court options (today's law, read from
// the resource TemyizSureleri.txt beside the holiday table), service by electronic
// notification, and the day line that tells a lawyer what the date found means: the
// statute, the service date, weekends and holidays, the judicial recess, half-day eves.

#include <QDate>
#include <QList>
#include <QString>

namespace Zelvora::AdliSureler {

// One court option: the period the statute sets and where it comes from.
struct Mahkeme {
    QString baslik;      // caption of the option, with its mnemonic
    int miktar = 0;      // amount ...
    int birim = 0;       // ... in the unit at this position of the unit list (0 Gün, 1 Hafta, 2 Ay, 3 Yıl)
    QString madde;       // the statute that sets the period, as the day line names it
    QDate yururluk;      // in force from: a service before it was under the law of its day
    QString tatilKurali; // the statute that extends a period ending in the judicial recess; empty when none does
    QString aciklama;    // the day line's sentence about the period
    QString tatilNotu;   // the day line's sentence about the recess: the exception, or why there is no extension
};

// The rows of the resource, top to bottom as the panel shows them; read once. A row that
// does not read (a damaged resource) is left out.
const QList<Mahkeme> &mahkemeler();
// The civil-procedure rule used when no court is chosen: the first row whose recess rule
// is HMK 104; null when the table has none.
const Mahkeme *hukukUsulu();

// An electronic notification counts as served at the end of the fifth day after it
// reached the address (Tebligat Kanunu 7/a). Invalid when the date is.
QDate elektronikTeblig(const QDate &ulasma);
// The last day of a period extended by the judicial recess: one week from the day the
// recess of that year ends, moved past a weekend or an official holiday.
QDate tatilSonrasiSonGun(int yil);

struct Soru {
    QDate sonuc;                      // the date found
    QDate baslangic;                  // the start date typed
    bool elektronik = false;          // the start date is the arrival of an e-tebligat
    const Mahkeme *mahkeme = nullptr; // the court chosen; none when null
};
// The day by which to act: the date found, moved past a weekend or an official holiday;
// for a last day inside the judicial recess, the extended last day where the court's law
// gives one (the civil-procedure rule when no court is chosen). Invalid when the date is.
QDate sonGun(const Soru &s);
// The day line, one sentence group a line ("\n" between): the e-tebligat service date,
// the statute of the court, the weekday of the date found and its holiday with the first
// working day after it, the judicial recess and what it does to the period, a half-day
// eve. Empty when the date found is invalid.
QString gunBilgisi(const Soru &s);

// The subject of a job made from the date found: every court option sets the istinaf
// period; with no court chosen it is a plain period. At most 20 characters (the editor's
// limit for a subject).
QString isKonusu(const Mahkeme *mahkeme);
// The description of that job, on one line: the start date, the service by e-tebligat,
// the period added, the statute of the court and, when it differs from the date found, the
// last day by which to act.
QString isAciklamasi(const Soru &s, const QString &sure);

} // namespace Zelvora::AdliSureler

#pragma once
// The login password: a number of 4 to 10 figures. Only a salted PBKDF2-SHA256 hash
// of it is stored ("Giris Sifresi" of section "Ayarlar"), with a prefix that names the
// form, so the stored value does not give the password away. A value in the old
// scrambled form (the figures run through MetniSifrele) is still accepted and is
// replaced by a hash the first time the right password is entered.

#include <QString>

namespace Zelvora::GirisSifresi {

constexpr int EnKisa = 4;
constexpr int EnUzun = 10;
// Iterations of a newly written hash; a stored value carries its own count.
constexpr int Yineleme = 100000;
// The start of every hashed value: "PBKDF2-SHA256$<iterations>$<salt>$<hash>" (base64).
inline const QString Onek = QStringLiteral("PBKDF2-SHA256$");

// The old scrambled form's alphabet and key.
inline const QString EskiAlfabe = QStringLiteral("6093718254");
inline const QString EskiAnahtar = QStringLiteral("9482");

// True when the text is made of the figures 0 to 9 only (an empty text is too).
bool yalnizRakam(const QString &metin);

// The stored form of a password: a fresh salt and its hash.
QString ozet(const QString &sifre);
// True when the stored value is in the old scrambled form.
bool eskiBicim(const QString &kayitli);
// Does the entry match the stored value (either form)? An entry with anything but
// figures, an empty stored value and a damaged one never match.
bool eslesir(const QString &girilen, const QString &kayitli);

// Sets (or replaces) the password: "Giris Sifresi Sor" = "-1", "Giris Sifresi" = its
// hash, and the shared flag on. Throws Hata for an entry that is not 4 to 10 figures,
// and when the settings file cannot be written (then nothing changes).
void belirle(const QString &sifre);
// Removes it: the flag off, "Giris Sifresi Sor" = "0", "Giris Sifresi" empty; throws,
// changing nothing, when that cannot be stored.
void kaldir();
// Checks an entry against the stored value; a match on the old form rewrites the
// value as a hash.
bool denetle(const QString &girilen);

} // namespace Zelvora::GirisSifresi

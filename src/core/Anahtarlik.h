#pragma once
// The desktop's keyring (the Secret Service, through libsecret): the calendar's password
// kept for an address and a user name, never in the settings file. Only Anahtarlik.cpp
// builds against GLib and libsecret (a library of its own in CMake).
//
// Each call waits for the keyring (a few seconds at most when it has to start); call it
// off the windows' thread.

#include <QString>

namespace Zelvora::Anahtarlik {

struct Sonuc {
    bool tamam = false; // the keyring answered (found or not)
    QString parola;     // the password kept; empty when none
    QString neden;      // why the keyring could not be used
};

// The password kept for the calendar at adres and the user.
Sonuc parolaOku(const QString &adres, const QString &kullanici);
// Keeps the password (replacing one kept before); tamam false with the reason otherwise.
Sonuc parolaYaz(const QString &adres, const QString &kullanici, const QString &parola);
// Forgets it (nothing kept is no failure).
Sonuc parolaSil(const QString &adres, const QString &kullanici);

} // namespace Zelvora::Anahtarlik

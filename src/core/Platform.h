#pragma once
// What the program asks of the desktop it runs on: starting with the session, and
// the name the machine's user is registered under.

#include <QString>

namespace Zelvora::Platform {

// The autostart entry: written with the program's path and "-Simge" when on,
// removed when off. Returns false when the entry could not be written or removed.
bool otomatikBaslatmaAyarla(bool acik, const QString &programYolu);
// One argument of a desktop entry's Exec= line, quoted and escaped as the Desktop Entry
// format requires, whatever characters the path holds.
QString execArgumani(const QString &arguman);
// The autostart entry's file.
QString otomatikBaslatmaDosyasi();
// Whether the session will start the program: the entry exists and is not switched off
// (Hidden=true, or X-GNOME-Autostart-enabled=false as the desktop's own settings write).
bool otomatikBaslatmaVar();
// The user's full name from the account database (empty when none is recorded).
QString kayitliKullaniciAdi();
// The registered organisation: the desktop keeps none, so it is always empty.
QString kayitliKurulusAdi();

} // namespace Zelvora::Platform

#pragma once
// The start-up steps that need no window: the title, the database file and its
// daily backup (GunlukYedek.h), opening, the schema upgrade and the shared values.

#include "core/GunlukYedek.h"
#include "core/TekOrnek.h"

#include <QString>

namespace Zelvora::Baslangic {

// "Tavrek - Zelvora 2.33 (Sunucu)": string 10, major "." minor revision, " (Sunucu)".
QString pencereBasligi();
QString veritabaniKlasoru(); // the user's data folder + "Tavrek/Zelvora/"
QString veritabaniYolu();    // veritabaniKlasoru() + "Vok.vtb"; never in the build or install tree
QString sablonYolu();        // the empty database delivered with the program: program folder + "Vok.vtb"
QString yedekKlasoru();      // program-files folder + "Tavrek/Vtb Yedekleri/"
QString yedekYolu();         // yedekKlasoru() + "Vok.ydk"
// Creates the folders of a path below the data folder; the ones created here are
// readable by their owner only. Throws Hata when it cannot.
void klasorHazirla(const QString &klasor);
// A name in double quotes, as the start-up's messages show a file.
QString tirnakli(const QString &ad);

// Looks at the settings file before anything reads it (Ayarlar::dosyayiDenetle) and
// tells the user what was found. A file that is not a regular one, or that may hold the
// login password but cannot be read, ends the program: it never starts unlocked by
// mistake. A damaged file without the password is set aside and the start goes on.
// Returns false when the program must end.
bool ayarlariDenetle();
// Makes sure the user's database exists. A first start copies the delivered empty
// database in; a missing database is restored from its backup after the user's Yes;
// a database that an older version kept beside the program is taken over.
// Returns false when the program must end.
bool veritabaniniDenetle();
// The office server's libpq connection string: the environment variable ZELVORA_SUNUCU,
// else the setting "Baglanti" of section "Sunucu"; empty for the desk's own file.
QString sunucuBaglantisi();
// Opens the database into the shared connection (rolling back a save that was cut
// short); false when the program was ended.
bool veritabaniniAc();
// Upgrades a 2.31 folder table and tells the user; false when the program was ended.
bool semayiDenetle();
// Closes the shared connection (tests, and the end of the program), after a running
// backup has ended.
void veritabaniniKapat();

} // namespace Zelvora::Baslangic

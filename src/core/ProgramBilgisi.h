#pragma once
// What the program says about itself: product name, version, legal notice, the maker's
// links, and the e-mail that reports a fault with what support needs to know.

#include <QString>
#include <QUrl>

namespace Zelvora::ProgramBilgisi {

QString urunAdi();   // "Zelvora"
QString surum();     // major.minor.revision of the build, "2.3.3"
QString yasalUyari();
QString webSitesi(); // the maker's site, without a closing "/"
QString destekEPostasi();
// The message page on the maker's site: "/asp/mesaj/mesaj.asp?ProgramAdi=" + the product name.
QUrl mesajSayfasi();
// The versions of the program, Qt, SQLite and the system, one a line.
QString surumBilgileri();
// "mailto:" + the support address, with a subject naming the program and its version
// and a body that lists surumBilgileri().
QUrl ePostaBaglantisi();

} // namespace Zelvora::ProgramBilgisi

#pragma once
// The settings store: sections of string values under "Tavrek\Zelvora", in one file
// per user. Every key the program uses is named here with its default.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Zelvora {

namespace AyarAdi {
// Section names as the program writes them; "\" separates subsections.
inline const QString Ayarlar = QStringLiteral("Ayarlar");
inline const QString IsBilgileri = QStringLiteral("Yapilacak Is Bilgileri");
inline const QString Konular = QStringLiteral("Yapilacak Is Bilgileri\\Konular");
inline const QString Yerler = QStringLiteral("Yapilacak Is Bilgileri\\Yerler");
inline const QString Sayilar = QStringLiteral("Yapilacak Is Bilgileri\\Sayilar");
QString Liste(int n); // "Listeler\Liste-n"
// The office server: section "Sunucu", key "Baglanti" (a libpq connection string or URI;
// no password is ever stored here, libpq takes it from ~/.pgpass).
inline const QString Sunucu = QStringLiteral("Sunucu");
inline const QString Baglanti = QStringLiteral("Baglanti");
// The CalDAV calendar the jobs are published to (core/TakvimYayini.h): section "Takvim",
// the collection's address (empty: nothing is published), the user name, whether every
// folder is published ("1", the default, or "0") and otherwise which ones (folder keys
// separated by ";"). The password is never stored here: the desktop's keyring keeps it.
inline const QString Takvim = QStringLiteral("Takvim");
inline const QString TakvimAdresi = QStringLiteral("Adres");
inline const QString TakvimKullaniciAdi = QStringLiteral("Kullanici Adi");
inline const QString TakvimTumKlasorler = QStringLiteral("Tum Klasorler");
inline const QString TakvimKlasorleri = QStringLiteral("Klasorler");

// Keys of section "Ayarlar".
inline const QString GirisSifresiSor = QStringLiteral("Giris Sifresi Sor");
inline const QString GirisSifresi = QStringLiteral("Giris Sifresi");
inline const QString GirislerSaklansin = QStringLiteral("Girisler Saklansin");
inline const QString SaklanacakGirisSayisi = QStringLiteral("Saklanacak Giris Sayisi");
inline const QString IlkHarflerBuyuk = QStringLiteral("Ilk Harfler Buyuk");
inline const QString OtomatikBaslasin = QStringLiteral("Otomatik Baslasin");
inline const QString ArkaplandaCalissin = QStringLiteral("Arkaplanda Calissin");
inline const QString SesliUyariBilgisi = QStringLiteral("Sesli Uyari Bilgisi");
inline const QString SesDosyasiAdi = QStringLiteral("Ses Dosyası Adı");
inline const QString SesDosyasiYolu = QStringLiteral("Ses Dosyası Yolu");
inline const QString HatirlatmaEnUstte = QStringLiteral("Hatirlatma En Ustte");
inline const QString BaslamaKonumu = QStringLiteral("Baslama Konumu");
inline const QString Yukseklik = QStringLiteral("Yukseklik");
inline const QString Genislik = QStringLiteral("Genislik");
inline const QString UstBosluk = QStringLiteral("Ust Bosluk");
inline const QString SolBosluk = QStringLiteral("Sol Bosluk");
inline const QString AyrintiGoster = QStringLiteral("Ayrinti Goster");
// The duration calculator's start date is the arrival of an electronic notification ("1").
inline const QString ElektronikTebligat = QStringLiteral("Elektronik Tebligat");
// The day ("yyyy-MM-dd") whose daily backup failed and is still to be written.
inline const QString YedekBekliyor = QStringLiteral("Yedek Bekliyor");
// The reminder horizon, "yyyy-MM-dd HH:mm:ss": every reminder due up to it has been dealt
// with (core/Ufuk.h). No default: without it nothing older than today is reminded.
inline const QString HatirlatmaUfku = QStringLiteral("Hatirlatma Ufku");
} // namespace AyarAdi

namespace Ayarlar {
// One value of a section; the default when the key is missing.
QString oku(const QString &bolum, const QString &anahtar, const QString &varsayilan);
void yaz(const QString &bolum, const QString &anahtar, const QString &deger);
// One value read straight from the file, for a run that must change nothing (the command
// line's listings, beside the running program): no folder made, no file mended, nothing
// written. The default when there is no file or no such key. Throws Hata (3051, naming
// the file) when the file is there but is not a regular one, cannot be read or is damaged.
QString saltOku(const QString &bolum, const QString &anahtar, const QString &varsayilan);
// A key of section "Ayarlar" with the default of the settings table
// (geometry keys have no fixed default: the main window computes it).
QString oku(const QString &anahtar);
void yaz(const QString &anahtar, const QString &deger);
// Read as a number (long / byte / single settings), the default when missing or not a number.
int okuSayi(const QString &bolum, const QString &anahtar, int varsayilan);
int okuSayi(const QString &anahtar);
double okuOndalik(const QString &bolum, const QString &anahtar, double varsayilan);
// Read with the Boolean conversion ("-1" and "True" are true).
bool okuMantiksal(const QString &anahtar);
QString mantiksalMetin(bool b); // "-1" / "0"
// The default of a key of section "Ayarlar"; empty when it has none.
QString varsayilan(const QString &anahtar);

// All values of a section as (key, value), keys ordered by their number ("Sira-2" before "Sira-10").
QList<QPair<QString, QString>> bolumDegerleri(const QString &bolum);
bool bolumVarMi(const QString &bolum);
void bolumSil(const QString &bolum);
void bolumAnahtariniSil(const QString &bolum, const QString &anahtar);
// Writes pending changes to the file, for a change the user asked for. When the file
// cannot be written, the changed values are put back as the file holds them and Hata
// (HataNo::AyarYazilamadi, naming the file and the reason) is thrown: the caller tells
// the user and keeps what was entered, to be saved again.
void kaydet();
// The same for writes the program makes on its own (column layouts, window geometry,
// the reminder horizon, remembered entries); the store's own deferred writes take this
// way too. Never throws; false on failure. A failure is told once until a write succeeds
// again: a warning on stderr, and a message unless mesajla is false (at exit).
bool kendiKaydet(bool mesajla = true);
// Drops the open store, so the next access opens the file of the current folders (tests).
void yenidenAc();

// What a look at the settings file found before anything reads it. The file and its
// folder are made the owner's only on the way (they hold the password's hash and the
// entries of the job editor's lists).
enum class DosyaDurumu {
    Saglam,          // absent, or read as it is
    KenaraAlindi,    // it did not parse: renamed to kenara, the store starts empty
    KenaraAlinamadi, // it did not parse and could not be renamed: the store never writes it
    SifreOkunamaz,   // unreadable, or did not parse and names the password: left as it is
    NormalDegil,     // not a regular file (a folder, a pipe): left as it is
};
struct DosyaDenetimi {
    DosyaDurumu durum = DosyaDurumu::Saglam;
    QString dosya;
    QString kenara; // the damaged file's new name
};
DosyaDenetimi dosyayiDenetle();
} // namespace Ayarlar

// Preferences held in memory between start-up (or the preferences window) and their change.
namespace Tercihler {
inline int GirislerSaklansin = 1;
inline int SaklanacakGirisSayisi = 3;
inline int IlkHarflerBuyuk = 1;
inline int OtomatikBaslasin = 1;
inline int ArkaplandaCalissin = 1;
inline QString SesDosyasiAdi;
inline QString SesDosyasiYolu;
// Reads every preference from the store; SesliUyari and HatirlatmaEnUstte go to the
// shared values.
void yukle();
// Folder + name of the alarm sound.
QString sesDosyasi();
} // namespace Tercihler

} // namespace Zelvora

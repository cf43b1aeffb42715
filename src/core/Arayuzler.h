#pragma once
// The seams that keep the program testable: message boxes, clock, program end,
// alarm, printers and folders on disk. Each has one real implementation installed
// by main and a test implementation installed by the tests.

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

namespace Zelvora {

enum class MesajSimgesi { Yok, Bilgi, Soru, Uyari, Kritik };
// EvetHayirZorunlu: only Yes or No answers; Esc and the close box do nothing.
enum class MesajDugmeleri { Tamam, EvetHayir, EvetHayirZorunlu };
enum class MesajCevabi { Tamam, Evet, Hayir };

// Every message box of the program goes through here.
class MesajKutusu {
public:
    virtual ~MesajKutusu() = default;
    // An empty title means the program's title.
    virtual MesajCevabi goster(const QString &metin, MesajSimgesi simge, MesajDugmeleri dugmeler,
                               MesajCevabi varsayilan, const QString &baslik) = 0;
};

// "Now" and "today".
class Saat {
public:
    virtual ~Saat() = default;
    virtual QDateTime simdi() const = 0;
    QDate bugun() const { return simdi().date(); }
};

// Ends the program. The test implementation records the request and returns.
class ProgramSonu {
public:
    virtual ~ProgramSonu() = default;
    virtual void bitir(int cikisKodu) = 0;
};

// Looping alarm sound.
class Alarm {
public:
    virtual ~Alarm() = default;
    // Plays the file in an endless loop; a missing or unreadable file plays nothing.
    virtual void baslat(const QString &dosyaYolu) = 0;
    virtual void durdur() = 0;
};

struct YaziciKaydi {
    QString ad;
    QString port;
    int sira = 0;
};

// Installed printers.
class Yazicilar {
public:
    virtual ~Yazicilar() = default;
    virtual QList<YaziciKaydi> liste() const = 0;
    virtual QString gecerliYazici() const = 0;
};

// Where the program's files live.
struct Klasorler {
    // The folder of the program's own files (the empty database template, the alarm
    // sound), ending in "/": the executable's folder in the build tree,
    // <prefix>/share/zelvora/ when installed.
    QString programKlasoru;
    QString programDosyalariKlasoru; // per-user data folder ($XDG_DATA_HOME), ending in "/"
    QString ayarDosyasi;             // the settings file
    QString otomatikBaslatmaKlasoru; // the desktop's autostart folder, ending in "/"
    QString kilitKlasoru;            // where the one-instance lock lives ($XDG_RUNTIME_DIR), ending in "/"
};

// Access to the installed implementations.
namespace Arayuz {
MesajKutusu &mesajKutusu();
const Saat &saat();
ProgramSonu &programSonu();
Alarm &alarm();
Yazicilar &yazicilar();
const Klasorler &klasorler();

void mesajKutusuKur(std::shared_ptr<MesajKutusu> m);
void saatKur(std::shared_ptr<Saat> s);
void programSonuKur(std::shared_ptr<ProgramSonu> p);
void alarmKur(std::shared_ptr<Alarm> a);
void yazicilarKur(std::shared_ptr<Yazicilar> y);
void klasorlerKur(const Klasorler &k);

// The folders of a real run: next to the executable, XDG data and config folders.
Klasorler gercekKlasorler();
// The program's own files for an executable in the folder exe: <prefix>/share/zelvora/
// when exe is <prefix>/bin and that folder exists (installed under /usr, /usr/local, or
// unpacked anywhere), otherwise exe itself (the build tree). Ends in "/".
QString programKlasoruBul(const QString &exe);
} // namespace Arayuz

// Shortcuts used everywhere.
MesajCevabi mesaj(const QString &metin, MesajSimgesi simge = MesajSimgesi::Bilgi,
                  MesajDugmeleri dugmeler = MesajDugmeleri::Tamam,
                  MesajCevabi varsayilan = MesajCevabi::Tamam, const QString &baslik = QString());
inline bool soru(const QString &metin, MesajCevabi varsayilan = MesajCevabi::Evet)
{
    return mesaj(metin, MesajSimgesi::Soru, MesajDugmeleri::EvetHayir, varsayilan) == MesajCevabi::Evet;
}

} // namespace Zelvora

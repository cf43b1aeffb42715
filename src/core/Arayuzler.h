#pragma once
// The seams that keep the program testable: message boxes, clock, program end,
// alarm, printers, the file to save into and folders on disk. Each has one real
// implementation installed by main and a test implementation installed by the tests.

#include <QDateTime>
#include <QList>
#include <QSizeF>
#include <QString>

#include <functional>
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
    QString ad;   // device name
    QString port; // where the printer is connected (its device URI on CUPS)
    int sira = 0; // index in the system's list of installed printers
};

// The look of printed text: only size, bold and underline are chosen; the family is
// the printer's default.
struct YaziBicimi {
    double punto = 10;
    bool kalin = false;
    bool altiCizili = false;
};

// One text as it was put on a page, in millimetres from the printable area's top left.
struct CizilenMetin {
    QString metin;
    double sol = 0;
    double ust = 0;
    YaziBicimi bicim;
    int sayfa = 1;
};

// A document being printed, measured in millimetres, with the primitives of a line
// printer: a current position, the current font, text printed at the position either
// staying on the line or ending it, new pages and the page number.
class SayfaYuzeyi {
public:
    virtual ~SayfaYuzeyi() = default;

    // The printable width and height, rounded to whole millimetres.
    int genislik() const;
    int yukseklik() const;

    double sol() const { return m_sol; }
    double ust() const { return m_ust; }
    void solAyarla(double mm) { m_sol = mm; }
    void ustAyarla(double mm) { m_ust = mm; }

    const YaziBicimi &bicim() const { return m_bicim; }
    void puntoAyarla(double punto) { m_bicim.punto = punto; }
    void kalinAyarla(bool kalin) { m_bicim.kalin = kalin; }
    void altiCiziliAyarla(bool altiCizili) { m_bicim.altiCizili = altiCizili; }

    // Width of a text in the current font, in millimetres.
    double metinGenisligi(const QString &metin) const { return olc(metin, m_bicim); }
    // Prints at the current position. Staying on the line moves the position right by
    // the text's width; ending the line moves it to the left edge, one line lower.
    void yaz(const QString &metin, bool satiriBitir);
    void yeniSayfa();
    int sayfaNo() const { return m_sayfa; }
    // Ends the document and hands it to the printer. Throws Hata when it was refused.
    void bitir();

    // Sees every text drawn (a test watches the real printer's page this way).
    std::function<void(const CizilenMetin &)> izleyici;

protected:
    // Printable area in millimetres.
    virtual QSizeF alan() const = 0;
    virtual double olc(const QString &metin, const YaziBicimi &b) const = 0;
    virtual double satirYuksekligi(const YaziBicimi &b) const = 0;
    // Draws the text with its top left at (sol, ust) mm.
    virtual void ciz(const QString &metin, double sol, double ust, const YaziBicimi &b) = 0;
    virtual void sayfaEkle() = 0;
    virtual void belgeyiKapat() = 0;

private:
    double m_sol = 0;
    double m_ust = 0;
    YaziBicimi m_bicim;
    int m_sayfa = 1;
};

// Installed printers and the program's current printer.
class Yazicilar {
public:
    virtual ~Yazicilar() = default;
    // In the system's order; sira is the index in this list.
    virtual QList<YaziciKaydi> liste() const = 0;
    // The printer print commands use: the system's default until changed.
    virtual QString gecerliYazici() const = 0;
    // Changes it for this run of the program only.
    virtual void gecerliYaziciyiDegistir(const QString &ad) = 0;
    // Starts a document on the current printer. Throws Hata when it cannot be started.
    virtual std::unique_ptr<SayfaYuzeyi> belgeBaslat(const QString &belgeAdi) = 0;
};

// The file the user chooses to write a document into, or to read one from.
class DosyaSecimi {
public:
    virtual ~DosyaSecimi() = default;
    // Asks for a file to save into, starting on onerilen (a full path); suzgec is the
    // file dialog's name filter. Empty when the user cancelled.
    virtual QString kaydedilecekDosya(const QString &baslik, const QString &onerilen, const QString &suzgec) = 0;
    // Asks for an existing file to read, starting in the folder of onerilen. Empty when
    // the user cancelled.
    virtual QString acilacakDosya(const QString &baslik, const QString &onerilen, const QString &suzgec) = 0;
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
};

// Access to the installed implementations.
namespace Arayuz {
MesajKutusu &mesajKutusu();
const Saat &saat();
ProgramSonu &programSonu();
Alarm &alarm();
Yazicilar &yazicilar();
DosyaSecimi &dosyaSecimi();
const Klasorler &klasorler();

// Returns the one installed before (to wrap it for a while and put it back).
std::shared_ptr<MesajKutusu> mesajKutusuKur(std::shared_ptr<MesajKutusu> m);
void saatKur(std::shared_ptr<Saat> s);
void programSonuKur(std::shared_ptr<ProgramSonu> p);
void alarmKur(std::shared_ptr<Alarm> a);
void yazicilarKur(std::shared_ptr<Yazicilar> y);
void dosyaSecimiKur(std::shared_ptr<DosyaSecimi> d);
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

#pragma once
// The start-up steps that need no window: the title, the database file and its
// daily backup, opening, the schema upgrade and the shared values.

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

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
// At most one compacted backup a day, on the first start of a day on which the
// database had not been changed yet (judged by its date before it was opened), and
// again on a later start when the day's backup failed or was cut short. When one is
// due, its read snapshot is taken here, before anything can write, and the backup runs
// on a thread of its own (Yedekleme): the pages are copied at once, the checks and the
// compaction wait for gunlukYedegiSurdur(). A failure is reported with its own message
// (here when the backup cannot begin, on the GUI thread when it ends), the previous
// backup stays and start-up goes on; false only when the program was ended.
bool gunlukYedek();
// The main window is shown: the running backup may go on with its checks.
void gunlukYedegiSurdur();
bool gunlukYedekSuruyor();
// Waits until the running backup has ended and reports its outcome as its end would.
void gunlukYedegiBekle();
// The program ends: a running backup is stopped and waited for. The previous backup
// stays (unless the new one was already in place), nothing temporary is left, nothing is
// reported, and the next start writes the backup again.
void gunlukYedegiBirak();
// Upgrades a 2.31 folder table and tells the user; false when the program was ended.
bool semayiDenetle();
// Closes the shared connection (tests, and the end of the program), after a running
// backup has ended.
void veritabaniniKapat();

} // namespace Zelvora::Baslangic

namespace Zelvora {

// One running instance per user and data folder. The first start takes a lock file in
// the data folder before anything else and listens on a local socket named from the
// title, the user and the data folder; a later start finds the lock taken, asks the
// holder to show its main window and ends.
class TekOrnek : public QObject {
    Q_OBJECT
public:
    explicit TekOrnek(const QString &baslik, QObject *parent = nullptr);
    ~TekOrnek() override;
    // Takes the lock. When another instance holds it, asks that one to show itself and
    // returns true; otherwise this instance is the one and returns false.
    bool baskaOrnekVar();
    // Starts listening; later starts then reach this instance. A socket left by a crashed
    // instance is replaced; one that still answers is left to its holder (false).
    bool dinle();
    QString soketAdi() const { return m_ad; }
    QString kilitDosyasi() const;
    // A request to show came before anyone was connected to gosterIstendi.
    bool gosterIstegiBekliyor() const { return m_bekleyenIstek; }

Q_SIGNALS:
    void gosterIstendi();

private:
    // Reaches the instance at the socket; goster: asks it to show itself.
    bool gosterIste(bool goster = true);
    QString m_ad;
    QLocalServer *m_sunucu = nullptr;
    std::unique_ptr<QLockFile> m_kilit;
    bool m_bekleyenIstek = false;
};

} // namespace Zelvora

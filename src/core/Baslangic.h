#pragma once
// The start-up steps that need no window: the title, the database file and its
// daily backup, opening, the schema upgrade and the shared values.

#include <QObject>
#include <QString>

class QLocalServer;

namespace Zelvora::Baslangic {

// "Tavrek - Zelvora 2.33 (Sunucu)": string 10, major "." minor revision, " (Sunucu)".
QString pencereBasligi();
QString veritabaniYolu(); // program folder + "Vok.vtb"
QString yedekKlasoru();   // program-files folder + "Tavrek/Vtb Yedekleri/"
QString yedekYolu();      // yedekKlasoru() + "Vok.ydk"

// A missing database is restored from its backup after the user's Yes.
// Returns false when the program must end.
bool veritabaniniDenetle();
// At most one compacted backup a day, only while the database was not changed today.
// Failures reach GenelHataYordami; returns false when the program was ended.
bool gunlukYedek();
// Opens the database into the shared connection; false when the program was ended.
bool veritabaniniAc();
// Upgrades a 2.31 folder table and tells the user; false when the program was ended.
bool semayiDenetle();
// Closes the shared connection (tests, and the end of the program).
void veritabaniniKapat();

} // namespace Zelvora::Baslangic

namespace Zelvora {

// One running instance per user: the first one listens on a local socket named from
// the title and the user; a later start asks it to show its main window and ends.
class TekOrnek : public QObject {
    Q_OBJECT
public:
    explicit TekOrnek(const QString &baslik, QObject *parent = nullptr);
    ~TekOrnek() override;
    // True when another instance answered (and was asked to show itself).
    bool baskaOrnekVar();
    // Starts listening; later starts then reach this instance.
    bool dinle();
    QString soketAdi() const { return m_ad; }

Q_SIGNALS:
    void gosterIstendi();

private:
    QString m_ad;
    QLocalServer *m_sunucu = nullptr;
};

} // namespace Zelvora

#pragma once
// Publishing the jobs to a CalDAV calendar (a phone's calendar reads it): the windows'
// side. It watches for changes (this desk's write counter, and the other desks' changes
// the office server tells, through degisti()) and asks for a pass at most once a second
// after one, and at a periodic pass. The jobs of the published folders are read on the
// publisher's own thread, through a connection of its own to the same database, and
// handed to the TakvimEsitleyici there, which does all the network work: a read of
// 100 000 jobs never holds up the windows. The status and a log of what happened are kept
// here for the status bar and the log window; nothing here ever shows a message box.

#include "core/TakvimEsitleyici.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

#include <memory>

class QTimer;

namespace Zelvora {

class TakvimOkuyucu;
class Veritabani;

class TakvimYayini : public QObject {
    Q_OBJECT
public:
    static constexpr int DegisiklikBakisiMs = 1000;         // looking at the database's write counter
    static constexpr int DegisiklikBeklemesiMs = 1000;      // a burst of changes makes one pass
    static constexpr int SunucuDenetimiMs = 5 * 60 * 1000;  // the periodic pass, reading the server too
    static constexpr int GunlukSiniri = 2000;               // log lines kept

    // The calendar settings (section "Takvim" of the settings store).
    struct Ayar {
        QString adres;
        QString kullanici;
        bool tumKlasorler = true;
        QStringList klasorler; // folder keys, when not all
        bool operator==(const Ayar &) const = default;
    };
    static Ayar ayarlariOku();
    // Into the store; the caller saves it (Ayarlar::kaydet).
    static void ayarlariYaz(const Ayar &a);
    // The environment variable that gives the password to scripts and tests.
    static QString parolaDegiskeni() { return QStringLiteral("ZELVORA_CALDAV_PAROLA"); }

    // vt: the database to read (nullptr: the program's open one). kayitKlasoru: where the
    // publisher's record lives (empty: the user's data folder, beside the database).
    explicit TakvimYayini(QObject *parent = nullptr, Veritabani *vt = nullptr, const QString &kayitKlasoru = QString(),
                          TakvimBicimi bicim = varsayilanBicim());
    ~TakvimYayini() override;

    // UIDs and bodies written by the program's iCalendar writer.
    static TakvimBicimi varsayilanBicim();

    // Starts publishing with these settings (an empty address stops it).
    void ayarla(const Ayar &a);
    void ayarlariYenidenOku() { ayarla(ayarlariOku()); }
    const Ayar &ayar() const { return m_ayar; }
    bool acik() const { return !m_ayar.adres.trimmed().isEmpty(); }

    // Something changed that this desk's counter does not show (another desk's change on
    // the office server): a pass shortly.
    void degisti();
    // A pass now, reading the server too ("Şimdi Eşitle").
    void simdiEsitle();
    // The answer to parolaGerekli: the password (kept in the keyring when sakla), or none.
    void parolaVer(const QString &parola, bool sakla);
    void parolaVerilmedi();
    // Tests shorten the waits.
    void beklemeAyarla(int ilkMs, int enFazlaMs);
    void sunucuDenetimAraligiAyarla(int ms);

    QStringList gunlukSatirlari() const { return m_gunluk; }
    // "Takvim: 09:12'de eşitlendi", a failure, or empty while nothing is published.
    QString durumMetni() const { return m_durum; }
    // The reason of the failure shown, empty when none.
    QString sorun() const { return m_sorun; }
    QDateTime sonEsitleme() const { return m_sonEsitleme; }
    // The record of the calendar now set (empty when none).
    QString kayitDosyasi() const { return m_kayitDosyasi; }

Q_SIGNALS:
    void durumDegisti();
    void gunlukEklendi(const QString &satir);
    // No password was found for a user name: asked of the user once a run.
    void parolaGerekli(const QString &adres, const QString &kullanici);
    void esitlendi();

private:
    Veritabani &vt() const;
    // Has the jobs read on the publisher's thread and handed to it; one read at a time,
    // a request meanwhile makes one more read after it.
    void gonder(bool sunucuyuDenetle);
    // The read asked by gonder ended (sorun: why it failed, empty when it did not).
    void okundu(const QString &sorun);
    void baglan(const QString &parola);
    void durumYaz(const QString &metin, const QString &sorun = QString());
    void gunlukYaz(const QString &satir);
    template <class F> void istenIs(F f);

    Veritabani *m_vt;
    QString m_kayitKlasoru;
    QThread m_is;
    TakvimEsitleyici *m_esitleyici;
    TakvimOkuyucu *m_okuyucu; // lives and is used on m_is
    Ayar m_ayar;
    QString m_kayitDosyasi;
    bool m_bagli = false; // the publisher has its collection and password
    QTimer *m_bakis;
    QTimer *m_bekleme;
    QTimer *m_denetim;
    quint64 m_sayac = 0;
    bool m_degisiklikBekliyor = false; // a change came before the publisher was ready
    QStringList m_gunluk;
    QString m_durum, m_sorun;
    QDateTime m_sonEsitleme;
    QString m_okumaSorunu; // told once until a read succeeds again
    bool m_okunuyor = false;     // a read is under way on the publisher's thread
    bool m_yenidenOku = false;   // ... and another was asked meanwhile
    bool m_sonraDenetle = false; // ... reading the server too
    // The password asked of the user in this run, for this address and user.
    QString m_sorulanParola, m_sorulanIcin;
    bool m_parolaSoruldu = false;
};

} // namespace Zelvora

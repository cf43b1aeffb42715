#pragma once
// Brings a CalDAV calendar collection up to date with the jobs handed to it. Zelvora is
// the source: each published job is one resource named after its UID, created with
// If-None-Match: * and changed or deleted with If-Match on the ETag it was last written
// with, so that a change made meanwhile by anybody else is seen (412) and never
// overwritten blindly. Only what changed since the last pass is sent: the publisher keeps
// its own record of every resource (its address, ETag, and digests of the job and of the
// body sent) in a small SQLite file of its own.
//
// Lives on a thread of its own (TakvimYayini moves it there); every public function is
// called on that thread, through queued calls.

#include "core/Veritabani.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace Zelvora {

namespace Sqlite {
class Baglanti;
}

// What one pass publishes: the jobs, read by the windows' thread and handed over as data.
struct TakvimVerisi {
    std::vector<IsKaydi> isler;
    QHash<QString, QString> klasorYollari; // folder key -> its path ("Davalar/2026")
    QString kimlik;                        // the database's identity, part of every UID
};

// How a job becomes a resource: its UID and its body (a whole VCALENDAR with one VEVENT).
// Both are called on the publisher's thread.
struct TakvimBicimi {
    std::function<QString(const TakvimVerisi &, const IsKaydi &)> uid;
    std::function<QByteArray(const TakvimVerisi &, const IsKaydi &)> govde;
    // Changes whenever the bodies the writer makes change for the same job: every
    // resource is then written again once.
    QByteArray surum;
};

struct TakvimBaglantisi {
    QUrl adres; // the calendar collection; a "/" is added at the end when missing
    QString kullanici;
    QString parola;
    QString durumDosyasi; // the publisher's own record
};

class TakvimEsitleyici : public QObject {
    Q_OBJECT
public:
    static constexpr int AyniAndaIstek = 4;        // requests in flight at once
    static constexpr int IstekSiniriMs = 30000;    // a request gives up after this
    static constexpr int IlkBeklemeMs = 2000;      // the first pause after a failure, doubled each time
    static constexpr int EnUzunBeklemeMs = 300000; // ... up to this

    explicit TakvimEsitleyici(TakvimBicimi bicim, QObject *parent = nullptr);
    ~TakvimEsitleyici() override;

    // A new collection (or user, password): its record is opened (made when missing) and
    // the next pass looks at the server first. An empty address stops publishing.
    void baglantiAyarla(const TakvimBaglantisi &b);
    // The jobs as they are now. A pass starts at once, or as soon as the one under way
    // has stopped (it stops sending at once). sunucuyuDenetle: the pass first reads the
    // collection's ETags, to see events another client changed or deleted.
    void veriVer(std::shared_ptr<const TakvimVerisi> veri, bool sunucuyuDenetle);
    // The pauses between attempts after a failure (tests shorten them).
    void beklemeAyarla(int ilkMs, int enFazlaMs);
    // Stops every request and writes the record (before the thread ends).
    void durdur();

    // Strips what changes with every writing (DTSTAMP), unfolds the lines and sorts them:
    // two bodies of the same event compare equal whatever order or folding a server
    // gives them back in.
    static QByteArray govdeOzeti(const QByteArray &govde);
    // The resource's name in the collection: the UID and ".ics", every character that is
    // not a letter, a digit or one of "@._+-" written as "_" (a "/" would make a folder).
    // The same on every desk, so that two desks publishing a job write one resource.
    static QString kaynakAdi(const QString &uid);

Q_SIGNALS:
    void gunluk(const QString &satir);
    // A pass has brought the calendar up to date.
    // hatali: jobs whose events the server refused (each told in the log).
    void esitlendi(const QDateTime &an, int yazilan, int silinen, int hatali);
    // A pass could not finish; the next attempt comes in sonrakiMs.
    void basarisiz(const QString &neden, int sonrakiMs);
    void ilerleme(int yapilan, int toplam);

private:
    struct Kayit {
        QString yol;      // the resource's path on the server, decoded
        QByteArray etag;  // as the server gave it at the last write
        QByteArray girdi; // digest of the job's fields at the last write
        QByteArray govde; // govdeOzeti of the body last written
        QByteArray sunucuEtag; // the look at the server found another ETag
        bool sunucudaYok = false; // the look at the server did not find it
    };
    enum class Tur { Olustur, Guncelle, Sil };
    struct Islem {
        Tur tur;
        QString uid;
        qsizetype is = -1; // index into the pass's jobs (none for Sil)
        QByteArray girdi;
        QByteArray govde;      // the body to send, made when the request starts
        QByteArray govdeOzeti;
        int deneme = 0;        // steps taken after a 412, to stop a loop
    };

    void kayitlariOku();
    // Drops every request under way (their answers are not looked at).
    void istekleriBirak();
    void kayitYaz(const QString &uid, const Kayit &k);
    void kayitSil(const QString &uid);
    void kayitlariKaydet();
    void gecisBaslat();
    void sunucuyuOku();
    void planla();
    void surdur();
    void islemBaslat(const std::shared_ptr<Islem> &is);
    void islemBitti(bool basarili);
    void govdeYap(Islem &is);
    void yaz(const std::shared_ptr<Islem> &is, const QByteArray &etag);
    void sil(const std::shared_ptr<Islem> &is, const QByteArray &etag);
    // 412: reads what the server holds now and decides.
    void sunucudakiniOku(const std::shared_ptr<Islem> &is);
    void yazildi(const std::shared_ptr<Islem> &is, const QByteArray &etag);
    // A write or a delete refused: 412 reads the server's copy; otherwise the pass stops
    // (connection, server) or the resource's failure is told.
    void basarisizYanit(const std::shared_ptr<Islem> &is, QNetworkReply *r, int kod);
    // A failure of the connection or the server: the pass stops and is tried again later.
    void gecisiKes(const QString &neden);
    // A failure of one resource: said once, the others go on.
    void kaynakHatasi(const std::shared_ptr<Islem> &is, const QString &neden);
    void gecisBitti();
    QNetworkReply *istek(const QByteArray &yontem, const QString &yol, const QByteArray &govde,
                         const QList<QPair<QByteArray, QByteArray>> &basliklar);
    QUrl kaynakAdresi(const QString &yol) const;
    QString kaynakYolu(const QString &uid) const;
    QString isAdi(const Islem &is) const;
    QByteArray girdiOzeti(const IsKaydi &is) const;

    TakvimBicimi m_bicim;
    TakvimBaglantisi m_baglanti;
    QNetworkAccessManager *m_ag = nullptr;
    QTimer *m_tekrar = nullptr;
    std::unique_ptr<Sqlite::Baglanti> m_kayit;
    QHash<QString, Kayit> m_kayitlar;
    QHash<QString, std::optional<Kayit>> m_yazilacak; // record changes not yet in the file

    std::shared_ptr<const TakvimVerisi> m_veri;     // the latest jobs handed over
    std::shared_ptr<const TakvimVerisi> m_gecisVerisi; // those of the pass under way
    bool m_sunucuDenetlenecek = true;
    bool m_gecisSuruyor = false;
    bool m_yeniVeri = false;   // jobs came during the pass: it stops and starts again
    bool m_kesildi = false;    // the pass met a failure and sends nothing more
    QString m_kesilmeNedeni;
    std::deque<std::shared_ptr<Islem>> m_kuyruk;
    int m_ucusta = 0;
    int m_toplam = 0, m_yapilan = 0, m_yazilan = 0, m_silinen = 0, m_hatali = 0;
    QHash<QString, QString> m_bildirilenHatalar; // uid -> the failure told last
    int m_ilkBekleme = IlkBeklemeMs, m_enUzunBekleme = EnUzunBeklemeMs;
    int m_bekleme = 0;
    bool m_durdu = false;
};

} // namespace Zelvora

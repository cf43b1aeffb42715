#pragma once
// The PostgreSQL back end of the database: an office's server that several desks share.
// Every statement is sent with its values as bound parameters (PQexecParams).

#include "core/Veritabani.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <memory>

struct pg_conn;
struct pg_result;

namespace Zelvora {

class SunucuBaglantisi;

class SunucuVeritabani final : public Veritabani {
public:
    // Connects, checks that the tables and columns are ours, and listens for the other
    // desks' changes. Throws Hata 3043 (unreachable, with libpq's reason) or 3051 (not our
    // database); gives up on a server that does not answer within the connection limit.
    explicit SunucuVeritabani(const QString &baglanti);
    ~SunucuVeritabani() override;

    bool sunucuMu() const override { return true; }
    QString adi() const override { return m_ad; }
    std::function<std::unique_ptr<Veritabani>()> okuyucuAcici() const override
    {
        return [baglanti = m_baglantiMetni] { return Veritabani::sunucuyaBaglan(baglanti); };
    }
    Degisiklikler baskaMasaDegisiklikleriniAl() override;
    bool baglantiVar() override;
    bool baglantiyiSurdur() override;
    QString baglantiSorunu() const override;

    bool eskiSemaMi() override { return false; }
    void semaYukselt() override {}
    QList<KlasorKaydi> klasorler() override;
    void klasorEkle(const KlasorKaydi &k) override;
    QString yeniKlasorEkle(const QString &bagi, const QString &adi, const QString &onerilenAnahtar) override;
    void klasorAdiDegistir(const QString &anahtari, const QString &adi) override;
    QString klasorAdi(const QString &anahtari) override;
    void klasorVeIsleriniSil(const QString &anahtari) override;
    using Veritabani::isleriListele;
    void isleriListele(const QString &anahtari, bool tumKlasorler, bool sadeceBugun, const QDate &bugun,
                       const IsSatiriAlici &alici) override;
    QString kimlik() override;
    QList<AlinanKimlik> alinanKimlikler() override;
    bool alinanlarKaydedilir() override { return m_alinanlarVar; }
    QList<qint64> isleriTopluEkle(const std::vector<IsKaydi> &isler, const QList<AlinanKimlik> &kimlikler) override;
    bool onHatirlatmaVar() const override { return m_onHatirlatmaVar; }
    bool gecmisVar() const override { return m_gecmisVar; }
    QList<GecmisKaydi> isGecmisi(qint64 isNo) override;
    void onHatirlatmaTablosuEkle() override;
    QList<int> onHatirlatmalar(qint64 isNo) override;
    QHash<qint64, QList<int>> tumOnHatirlatmalar() override;
    void onHatirlatmaErtele(qint64 isNo, int gunOnce, const QDate &tarih, const QTime &saat) override;
    void onHatirlatmaDurdur(qint64 isNo, int gunOnce) override;
    using Veritabani::isListesi;
    void isListesi(ListeKipi kip, const QDate &tarih, const IsSatiriAlici &alici) override;
    using Veritabani::isEkle;
    qint64 isEkle(const IsKaydi &is, const QString &belirtec) override;
    void isGuncelle(const IsKaydi &is) override;
    void isAlanlariniGuncelle(const IsKaydi &is, unsigned alanlar) override;
    void isSil(qint64 isNo) override;
    void isTasi(qint64 isNo, const QString &anahtari) override;
    void isYapildiIsaretle(qint64 isNo) override;
    void isHatirlatmaKapat(qint64 isNo) override;
    bool isZamaniniDegistir(qint64 isNo, const QDate &tarih, const QTime &saat) override;
    IsKaydi is(qint64 isNo) override;
    void isleriGetir(const QList<qint64> &numaralar, const IsSatiriAlici &alici) override;
    std::vector<AramaSonucu> isAra(AramaAlani alan, const QString &aranan) override;
    void calistir(const char *sql) override;
    quint64 yazimSayaci() const override { return m_yazimSayaci; }

    // One parameter: its text, or NULL.
    struct Deger {
        QByteArray metin;
        bool bos = true;
        Deger() = default;
        Deger(const QString &s) : metin(s.toUtf8()), bos(s.isNull()) {}
        Deger(qint64 n) : metin(QByteArray::number(n)), bos(false) {}
        static Deger mantiksal(bool b) { Deger d; d.metin = b ? "t" : "f"; d.bos = false; return d; }
    };

protected:
    std::vector<IsKaydi> hatirlatilacakIsleriOku(const QDate &bugun, const QTime &dakika, const QDate &ufukTarihi,
                                                 const QTime &ufukSaati) override;
    std::vector<OnHatirlatmaAdayi> onHatirlatmaAdaylari(const QDate &bugun) override;

private:
    void onGunleriYaz(qint64 isNo, const QList<int> &gunler);
    void alanlariYaz(const IsKaydi &is, unsigned alanlar);
    // Runs one statement with its parameters, waiting a bounded time for the reply;
    // connects first when the connection was lost. Throws Hata for a failure (a lost
    // connection, a reply not in time, a full disk, a lock ...).
    pg_result *calistir(const char *sql, const QList<Deger> &degerler);
    // Session settings and LISTEN on every new connection.
    void kur();
    pg_conn *bag() const;
    void semayiDenetle();
    void satirlariOku(const char *sql, const QList<Deger> &degerler, const IsSatiriAlici &alici);
    qint64 degisenSatir(pg_result *r) const;
    [[noreturn]] void hataAt(pg_result *r);
    // Runs the steps in one transaction: committed when they all succeed, rolled back
    // when one throws (the error goes on to the caller).
    void islem(const std::function<void()> &adimlar);
    // Locks the folder row against a delete until the transaction ends; false when the
    // folder is gone (the fixed nodes always exist).
    bool klasoruKilitle(const QString &anahtari);

    QString m_baglantiMetni; // as given, for another connection to the same database
    QString m_ad;
    std::unique_ptr<SunucuBaglantisi> m_baglanti;
    bool m_degisiklikVar = false;
    bool m_onHatirlatmaVar = false; // the server has the advance-warning table
    bool m_gecmisVar = false;       // the server keeps the change log
    bool m_alinanlarVar = false;    // the server records the calendar items imported
    QString m_kimlik;               // the database's identity, once read
    bool m_bagliydi = false;        // a connection was made before (the next one is a return)
    bool m_yenidenBaglandi = false; // made again since baglantiyiSurdur() last said so
    bool m_islemde = false;         // the last statement left a transaction open
    Degisiklikler m_degisiklikler; // what the other desks' notifications named
    quint64 m_yazimSayaci = 0;    // statements sent that write rows
};

} // namespace Zelvora

#pragma once
// The SQLite file back end of the database: one desk's file, the default.

#include "core/Veritabani.h"

#include <QByteArray>

#include <memory>
#include <utility>
#include <vector>

class QTimer;
struct sqlite3;

namespace Zelvora {

namespace Sqlite {
class Deyim;
}

class DosyaVeritabani final : public Veritabani {
public:
    DosyaVeritabani(sqlite3 *db, const QString &yol);
    ~DosyaVeritabani() override;
    // After a long list: the page cache back to its everyday size a few seconds later.
    void onbellegiSonraKucult();

    QString adi() const override { return m_yol; }
    std::function<std::unique_ptr<Veritabani>()> okuyucuAcici() const override
    {
        return [yol = m_yol] { return Veritabani::okumakIcinAc(yol); };
    }
    void yenidenAc() override;
    bool eskiSemaMi() override;
    void semaYukselt() override;
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
    void takvimTablolariniHazirla() override;
    QList<AlinanKimlik> alinanKimlikler() override;
    bool alinanlarKaydedilir() override;
    QList<qint64> isleriTopluEkle(const std::vector<IsKaydi> &isler, const QList<AlinanKimlik> &kimlikler) override;
    bool onHatirlatmaVar() const override { return m_onHatirlatmaVar; }
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
    sqlite3 *tutamak() const override { return m_db; }
    quint64 yazimSayaci() const override;

protected:
    std::vector<IsKaydi> hatirlatilacakIsleriOku(const QDate &bugun, const QTime &dakika, const QDate &ufukTarihi,
                                                 const QTime &ufukSaati) override;
    std::vector<OnHatirlatmaAdayi> onHatirlatmaAdaylari(const QDate &bugun) override;

private:
    // Runs the writes of one change in a transaction (a savepoint inside the caller's).
    void islemde(const std::function<void()> &yaz);
    // Writes the job's own fields of the set (isAlanlariniGuncelle without the warnings).
    void alanlariYaz(const IsKaydi &is, unsigned alanlar);
    // Replaces the warnings of a job by these days, keeping the state of a day kept.
    void onGunleriYaz(qint64 isNo, const QList<int> &gunler);
    // The file at the path is still the one opened (device and inode). Once it is not,
    // every write is refused (Hata VeritabaniDegisti); a read is told once and then goes
    // on with the file still open.
    void kimlikDenetle(bool yazma);
    // Counts the committed writes of m_db into m_tamamlanan.
    void tamamlananlariSay();
    std::vector<IsKaydi> hatirlatmaSorgusu(const QDate &bugun, const QTime &dakika, const QDate &ufukTarihi,
                                           const QTime &ufukSaati);
    void satirOku(const Sqlite::Deyim &d, IsKaydi &is) const;
    // uzunListe: a list that may hold every job; the page cache is brought back to its
    // everyday size afterwards.
    void satirlariOku(const QByteArray &sql, const QString &tarih, const QString &anahtari, bool uzunListe,
                      const IsSatiriAlici &alici);
    sqlite3 *m_db = nullptr;
    std::unique_ptr<QTimer> m_kucultme;
    QString m_yol;
    quint64 m_aygit = 0, m_dugum = 0;
    bool m_degisti = false;       // the file at the path is no longer the one opened
    bool m_tabloBildirildi = false; // the scan told of a dropped table
    bool m_onHatirlatmaVar = false; // the file has the advance-warning table
    QString m_kimlik;               // the database's identity, once read
    quint64 m_tamamlanan = 0;       // transactions that wrote, committed on this connection
    quint64 m_oncekiDegisiklik = 0; // rows changed by the connections replaced (yenidenAc)
    // The listing statements, prepared once and kept (finalised before the connection closes).
    std::vector<std::pair<QByteArray, std::unique_ptr<Sqlite::Deyim>>> m_listeDeyimleri;
};

} // namespace Zelvora

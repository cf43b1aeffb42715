#pragma once
// The job editor: the modal window in which a job is added to the selected folder
// or an existing job is changed. It checks the entries in a fixed order, writes one
// job row, keeps the history lists of subjects, places and numbers, and tells its
// opener when a job was saved. In add mode it stays open after a save.

#include "core/Veritabani.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Zelvora {

class OnHatirlatmaKutusu;

class IsEklemeDegistirmeFormu : public QDialog {
    Q_OBJECT
public:
    // Longest subject, place and number.
    static constexpr int KonuSiniri = 20;
    static constexpr int YerSiniri = 30;
    static constexpr int SayiSiniri = 12;

    explicit IsEklemeDegistirmeFormu(QWidget *parent = nullptr);

    // Add mode for a folder: the editing state with the remind box ticked; every job saved
    // goes into the folder of that key.
    void ekle(const QString &klasorAnahtari, const QString &baslik);
    // Edit mode for a job, after isiDoldur: the editing state with the done box enabled
    // and the job's advance warnings read from the database.
    void degistir(qint64 isNo, const QString &baslik);
    bool ekleKipinde() const { return m_ekleKipi; }
    // The job being changed (0 in add mode).
    qint64 isNo() const { return m_isNo; }
    // Keeps the calendar window above all windows (the editor is opened over a topmost one).
    void takvimUstteTut(bool ustte) { m_takvimUstte = ustte; }
    bool takvimUstteMi() const { return m_takvimUstte; }

    // Enters the editing state.
    void YeniIsEkleDugmesi_Click();
    void KaydetDugmesi_Click();
    void VazgecDugmesi_Click();
    void KapatDugmesi_Click();
    void TarihiTakvimdenSecDugmesi_Click();

    // Fills the fields from a job row as the lists show it: date dd.MM.yyyy, time
    // "HH:mm..." (hour = first two characters, minute = two characters from the fourth),
    // and the job's done flag. What it shows is what a change is measured against: a save
    // in edit mode writes only the fields changed since.
    void isiDoldur(const QString &tarihMetni, const QString &saatMetni, const QString &konu, const QString &yer,
                   const QString &sayi, const QString &aciklama, bool hatirlatma, bool yapildi = false);

    // Shows advance warnings in their box (a proposal; nothing is stored before a save).
    void onHatirlatmalariGoster(const QList<int> &gunler);

    void GirisAlanlariniAc();
    void GirisAlanlariniTemizle();
    // Appends the stored history values of a section to a combo's list.
    static void CekmeliListeyiDoldur(QComboBox *kutu, const QString &bolum);
    // Records the combo's text at the top of its list and in the store.
    static void CekmeliListeyeEkle(QComboBox *kutu, const QString &bolum, int sinir);

Q_SIGNALS:
    // A job was written (the opener re-reads its job list).
    void kaydedildi();
    // Edit mode is left, by "Vazgeç" or after a save, and the window closes: the opener
    // selects its list's row at the stored position (SeciliSatir).
    void degistirmeBitti();
    // A save was refused because the job's folder no longer exists (another desk deleted
    // it): the opener's tree follows the database.
    void klasorBulunamadi();

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void denetimleriKur();
    void bosta();
    bool tarihKutusundanAyrildi();
    // The leave rules of a text field: NULs removed, apostrophes folded, blanks trimmed,
    // capitals where asked, then the length limit (false when the text was too long: cut,
    // the message shown, the focus put back).
    bool metinKutusundanAyrildi(QWidget *alan, bool mesajVerilebilir);
    QString kuralliMetin(const QWidget *alan) const;
    bool kaydet();
    int sinir(const QObject *alan) const;
    QString alanMetni(const QWidget *alan) const;
    void alanMetniYaz(QWidget *alan, const QString &metin);
    void odakla(QWidget *alan);

    // The job as the fields show it.
    IsKaydi girilenIs() const;
    // The fields of is that differ from what the editor showed when it was opened.
    unsigned degisenAlanlar(const IsKaydi &is) const;
    // Edit mode, before the write: the job as stored now against the job as stored when
    // the editor opened. Asks before a field that was changed elsewhere meanwhile is
    // overwritten (both values shown), and offers to save the entries as a new job when
    // the job has been deleted. False: nothing is to be written (the window stays
    // editing); yeniIs set: the entries go in as a new job instead.
    bool cakismaDenetle(const IsKaydi &is, unsigned alanlar, bool &yeniIs);
    // The job as stored when the editor was opened for a change.
    IsKaydi m_kayitli;
    bool m_kayitliVar = false;
    // The token of the job being added (Veritabani::isEkle).
    QString m_belirtec;
    // The job as it was shown when it was opened for a change.
    IsKaydi m_acilis;
    bool m_acilisVar = false;

    QLineEdit *IsinTarihiKutusu = nullptr;
    QPushButton *TarihiTakvimdenSecDugmesi = nullptr;
    QComboBox *SaatKutusu = nullptr;
    QComboBox *DakikaKutusu = nullptr;
    QComboBox *IsinKonusuKutusu = nullptr;
    QComboBox *IsinYeriKutusu = nullptr;
    QComboBox *IsinSayisiKutusu = nullptr;
    QLineEdit *AciklamaKutusu = nullptr;
    QCheckBox *HatirlatmaVarOnayi = nullptr;
    QCheckBox *IsYapildiOnayi = nullptr;
    QPushButton *YeniIsEkleDugmesi = nullptr;
    QPushButton *KaydetDugmesi = nullptr;
    QPushButton *VazgecDugmesi = nullptr;
    QPushButton *KapatDugmesi = nullptr;
    QPushButton *GecmisDugmesi = nullptr; // office mode: the job's change log
    OnHatirlatmaKutusu *OnHatirlatmaGunleriKutusu = nullptr;
    QLabel *GunOnceEtiketi = nullptr;
    QLabel *Etiket[7] = {};
    QLabel *IkiNoktaEtiketi = nullptr;
    QWidget *Altlik = nullptr;

    bool m_ekleKipi = false;
    qint64 m_isNo = 0;
    QString m_klasorAnahtari;
    bool m_takvimUstte = false;

    bool m_temizleniyor = false; // fields are being cleared: leaving them checks nothing
    bool m_ayrilisIsleniyor = false; // a field's leave check is running
};

} // namespace Zelvora

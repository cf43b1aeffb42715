#pragma once
// The job editor: the modal window in which a job is added to the selected folder
// or an existing job is changed. It checks the entries in a fixed order, writes one
// job row, keeps the history lists of subjects, places and numbers, and has the
// main window re-read its job list. In add mode it stays open after a save.

#include "core/Veritabani.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Zelvora {

class IsEklemeDegistirmeFormu : public QDialog {
    Q_OBJECT
public:
    // Longest subject, place and number.
    static constexpr int KonuSiniri = 20;
    static constexpr int YerSiniri = 30;
    static constexpr int SayiSiniri = 12;

    explicit IsEklemeDegistirmeFormu(QWidget *parent = nullptr);

    // "Ekle" in add mode, otherwise the number of the job being changed.
    QString Tag;
    // Non-empty: keep the calendar window above all windows.
    QString TakvimDugmesiEtiketi;

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

    void GirisAlanlariniAc();
    void GirisAlanlariniTemizle();
    // Appends the stored history values of a section to a combo's list.
    static void CekmeliListeyiDoldur(QComboBox *kutu, const QString &bolum);
    // Records the combo's text at the top of its list and in the store.
    static void CekmeliListeyeEkle(QComboBox *kutu, const QString &bolum, int sinir);

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
    QLabel *Etiket[6] = {};
    QLabel *IkiNoktaEtiketi = nullptr;
    QWidget *Altlik = nullptr;

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
    // The job as it was shown when it was opened for a change.
    IsKaydi m_acilis;
    bool m_acilisVar = false;

    bool m_temizleniyor = false; // fields are being cleared: leaving them checks nothing
    bool m_ayrilisIsleniyor = false; // a field's leave check is running
};

} // namespace Zelvora

#pragma once
// "Tercihler": the user's preferences. Building the window reads every preference
// into memory (Tercihler::yukle); showing it sets the controls from those values;
// "Tamam" stores and applies them, "İptal" and Esc leave everything as it was.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QTabWidget;
class QTreeWidget;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Zelvora {

class AyarliKutu;

class TercihlerFormu : public QDialog {
    Q_OBJECT
public:
    explicit TercihlerFormu(QWidget *parent = nullptr);

    // User actions, public so that the window can be driven as the user would.
    void CekmeliListelereGirilenDegerleriSaklaOnayi_Click();
    void OtomatikBaslasinOnayi_Click();
    void SesliUyariVerOnayi_Click();
    void SecDugmesi_Click();
    void IlkAyarlarDugmesi_Click();
    void TamamDugmesi_Click();
    void TumKlasorlerYayimlansinOnayi_Click();

    // The folder of the sound file shown in SesDosyasiKutusu (its "tag"), ending in "/".
    QString sesDosyasiKlasoru() const { return m_sesDosyasiKlasoru; }

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    QString m_sesDosyasiKlasoru;

    QTabWidget *TercihSekmeleri = nullptr;
    QFrame *Cerceve = nullptr;
    QWidget *Altlik = nullptr;
    QCheckBox *CekmeliListelereGirilenDegerleriSaklaOnayi = nullptr;
    AyarliKutu *CekmeliListeSaklanacakSayiKutusu = nullptr;
    QLabel *Etiket[2] = {};
    QCheckBox *IlkHarflerBuyukOlsunOnayi = nullptr;
    QCheckBox *OtomatikBaslasinOnayi = nullptr;
    QCheckBox *ArkaplandaCalissinOnayi = nullptr;
    QCheckBox *SesliUyariVerOnayi = nullptr;
    QLineEdit *SesDosyasiKutusu = nullptr;
    QPushButton *SecDugmesi = nullptr;
    QCheckBox *EnUstteOnayi = nullptr;
    QPushButton *IlkAyarlarDugmesi = nullptr;
    QPushButton *TamamDugmesi = nullptr;
    QPushButton *IptalDugmesi = nullptr;
    // The calendar on the phones (CalDAV).
    QGroupBox *TakvimCercevesi = nullptr;
    QLabel *TakvimEtiketi[5] = {};
    QLineEdit *TakvimAdresiKutusu = nullptr;
    QLineEdit *TakvimKullaniciAdiKutusu = nullptr;
    QCheckBox *TumKlasorlerYayimlansinOnayi = nullptr;
    QTreeWidget *TakvimKlasorleriListesi = nullptr;
    bool m_klasorlerDolduruluyor = false;

    void takvimDenetimleriniKur(QLayout *duzen);
    // The calendar's controls from the stored settings, the folder tree from the database.
    void takvimiGoster();
    void takvimKlasorleriBagimlilari();
    // The address typed is one the publisher can use (empty: nothing published).
    bool takvimAdresiGecerli() const;

    void denetimleriKur();
    // Sets the controls from the values in memory.
    void etkinlesti();
    // What a tick or untick does to the controls that depend on the box.
    void cekmeliListeBagimlilari();
    void otomatikBaslasinBagimlilari();
    void sesliUyariBagimlilari();
    void sesDosyasiGoster(const QString &ad, const QString &klasor);
    void degisti(); // a change by the user enables "Tamam"
};

} // namespace Zelvora

#pragma once
// The duration calculator "Süre Hesaplama": a start date plus an amount of days, weeks,
// months or years gives the deadline; the appeal periods of five courts (today's law, from
// the resources) are one click away in a side panel. The start date may be the arrival of
// an electronic notification. Under the result, a line tells what the date found means:
// the statute, the service date, weekday, holiday, judicial recess and half-day eve.

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Zelvora {

namespace AdliSureler {
struct Mahkeme;
struct Soru;
}

class SureHesaplamaFormu : public QDialog {
    Q_OBJECT
public:
    // Window widths with the appeal panel shown and hidden (twips); the panel starts at 4020.
    static constexpr int GenisGenislik = 7200;
    static constexpr int DarGenislik = 4100;
    static constexpr int PanelSolu = 4020;

    explicit SureHesaplamaFormu(QWidget *parent = nullptr);

    // Recomputes the result box from the start date, the unit and the amount.
    void SonucuHesapla();
    // Deselects the court options.
    void TemyizSecimleriniTemizle();
    // The appeal panel is shown (the open button is then disabled).
    bool panelAcik() const;
    // The interval code of a position of the unit list ("d", "ww", "m", "yyyy").
    QString dilimKodu(int konum) const;

public Q_SLOTS:
    void done(int sonuc) override;

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;
    void changeEvent(QEvent *olay) override;

private:
    void denetimleriKur();
    void genislikAyarla(bool panelAcik);
    void yerlesimiAyarla();
    void KopyalaDugmesi_Click();
    void IsOlarakEkleDugmesi_Click();
    void AyrintilariAcDugmesi_Click();
    void AyrintilarKapatDugmesi_Click();
    bool tarihKutusundanAyrildi();
    void dilimSecildi();
    void sureListedenSecildi();
    void sureDuzenlendi();
    void sureMetniYaz(const QString &metin);
    void temyizSecildi(int i);
    void sonucDegisti();
    void gunBilgisiniYaz();
    const AdliSureler::Mahkeme *seciliMahkeme() const;
    // The inputs and the date found, as the day line and a job made from it read them.
    AdliSureler::Soru girilenSoru() const;
    bool sureKutusundaOdak() const;

    QLabel *Etiket[4] = {};
    QLineEdit *BaslangicTarihiKutusu = nullptr;
    // The start date is the arrival of an electronic notification.
    QCheckBox *ElektronikTebligatOnayi = nullptr;
    QComboBox *EklenecekZamanDilimiKutusu = nullptr;
    QComboBox *EklenecekSureKutusu = nullptr;
    QPushButton *AyrintilariAcDugmesi = nullptr;
    QLineEdit *SonucKutusu = nullptr;
    // What the date found means; grows with its text.
    QLabel *GunBilgisiKutusu = nullptr;
    QPushButton *KopyalaDugmesi = nullptr;
    // Opens the job editor with the date found (in the main window's selected folder).
    QPushButton *IsOlarakEkleDugmesi = nullptr;
    QPushButton *KapatDugmesi = nullptr;
    QGroupBox *Cerceve[2] = {};
    QRadioButton *TemyizSecenegi[5] = {};
    QPushButton *AyrintilarKapatDugmesi = nullptr;
    QWidget *Altlik[2] = {};

    // Interval codes by the position of the unit list.
    QString DilimKodlari[4];

    bool m_programla = false;   // a change made by the window itself, not the user
    bool m_uyariBekliyor = false; // the wrong-date message is queued
    int m_yukseklik = 0;
};

} // namespace Zelvora

#pragma once
// The calendar date picker: a month sheet from which the user picks one day.
// The caller puts the first date into SecilenTarihBilgisi, shows the window modally
// and reads SecilenTarihBilgisi afterwards: the chosen date, or empty after cancel.

#include <QDialog>
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace Zelvora {

// The panel under the day grid: draws the grid lines and takes the keyboard focus
// for moving the selection.
class TakvimAltligi : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *e) override;
};

class TakvimFormu : public QDialog {
    Q_OBJECT
public:
    static constexpr int HucreSayisi = 37;
    static constexpr int IlkYil = 1900;
    static constexpr int SonYil = 2100;

    explicit TakvimFormu(QWidget *parent = nullptr);

    // In: the date shown first. Out: the chosen date (dd.MM.yyyy), empty after cancel.
    QString SecilenTarihBilgisi;

    // Keeps the window above all windows (set before showing it).
    void ustteTut(bool ustte);

    // Fills the sheet for the month and year shown and selects day number gun
    // (the 1st when that day does not exist in the month).
    void GunleriDoldur(int gun);
    // Selects day cell i; an empty cell changes nothing.
    void GunEtiketi_Click(int i);
    void BuguneGitDugmesi_Click();
    void TamamDugmesi_Click();
    void IptalDugmesi_Click();

    // Index of the selected day cell, -1 before the first selection.
    int seciliHucre() const { return m_seciliHucre; }

protected:
    void showEvent(QShowEvent *e) override;
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *nesne, QEvent *olay) override;

private:
    QLabel *Etiket[2] = {};
    QListWidget *AyKutusu = nullptr;
    QComboBox *YilKutusu = nullptr;
    QLabel *GunAdlariEtiketi[7] = {};
    QLabel *GunEtiketi[HucreSayisi] = {};
    QFrame *SecilenTarihCercevesi = nullptr;
    TakvimAltligi *Altlik = nullptr;
    QLabel *SecilenTarihEtiketi = nullptr;
    QPushButton *BuguneGitDugmesi = nullptr;
    QPushButton *TamamDugmesi = nullptr;
    QPushButton *IptalDugmesi = nullptr;

    void denetimleriKur();
    void ac();
    void ayYilSec(int yil, int ay);
    void kullaniciAyYilDegistirdi();
    bool altlikTusu(int tus);
    int gosterilenAy() const;
    int gosterilenYil() const;

    qint16 m_seciliHucre = -1;
    bool m_acildi = false;
};

} // namespace Zelvora

#pragma once
// "Yazıcı Seç": the small window every print command shows first. It lists the
// installed printers with the port of the selected one and starts on the printer in
// use; "Tamam" makes the chosen one the program's printer for this run, "İptal (Esc)"
// cancels the print command, and the close box prints on the unchanged printer.

#include "core/Arayuzler.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Zelvora {

class YaziciSecmeFormu : public QDialog {
    Q_OBJECT
public:
    explicit YaziciSecmeFormu(QWidget *parent = nullptr);

    // Handlers, public so that the window can be driven as the user would.
    void YaziciAdlariKutusu_Click();
    void TamamDugmesi_Click();
    void IptalDugmesi_Click();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    QGroupBox *Cerceve = nullptr;
    QWidget *Altlik = nullptr;
    QLabel *Etiket[2] = {};
    QComboBox *YaziciAdlariKutusu = nullptr;
    QLineEdit *BaglantiNoktasiKutusu = nullptr;
    QPushButton *TamamDugmesi = nullptr;
    QPushButton *IptalDugmesi = nullptr;

    void denetimleriKur();
    void doldur();
    void yerlestir();
    // The printer behind the selected entry, by its index in the system's list.
    const YaziciKaydi *seciliYazici() const;

    QList<YaziciKaydi> m_yazicilar;
};

} // namespace Zelvora

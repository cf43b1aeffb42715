#pragma once
// The search window "Arama İşlemleri...": finds the jobs whose subject, place or
// description contains a text and takes the user to the chosen one in the main window.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace Zelvora {

class AnaPencere;

class AramaIslemleriFormu : public QDialog {
    Q_OBJECT
public:
    // anaForm: the main window the details action goes to.
    explicit AramaIslemleriFormu(AnaPencere *anaPencere);

    void AraDugmesi_Click();
    void AyrintiGosterDugmesi_Click();

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;

private:
    QGroupBox *Cerceve = nullptr;
    QLabel *Etiket[4] = {};
    QComboBox *AranacakYerKutusu = nullptr;
    QLineEdit *ArananKutusu = nullptr;
    QPushButton *AraDugmesi = nullptr;
    QListWidget *AramaSonuclariListesi = nullptr;
    // The folder key of each line of the result list, line for line; never shown.
    QListWidget *AnahtarListesi = nullptr;
    QPushButton *AyrintiGosterDugmesi = nullptr;
    QPushButton *KapatDugmesi = nullptr;
    QWidget *Altlik = nullptr;

    void denetimleriKur();
    void satirSecildi();

    AnaPencere *m_anaPencere;
};

} // namespace Zelvora

#pragma once
// "Takvim Günlüğü": what the calendar's publisher did and what failed, line by line, the
// state it is in, and "Şimdi Eşitle". Opened from the main window's status bar; it stops
// nothing (no modal window), and a failure is told here, never in a message box.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace Zelvora {

class TakvimYayini;

class TakvimGunluguFormu : public QDialog {
    Q_OBJECT
public:
    TakvimGunluguFormu(TakvimYayini *yayin, QWidget *parent = nullptr);

    void SimdiEsitleDugmesi_Click();

private:
    void durumuGoster();

    TakvimYayini *m_yayin;
    QLabel *DurumEtiketi = nullptr;
    QLabel *Etiket = nullptr;
    QPlainTextEdit *GunlukKutusu = nullptr;
    QPushButton *SimdiEsitleDugmesi = nullptr;
    QPushButton *KapatDugmesi = nullptr;
};

} // namespace Zelvora

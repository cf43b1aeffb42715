#pragma once
// The error-report window "Hata Bildirme": asks the user to report faults, with a link
// to the message page of the maker's web site and one that writes an e-mail to support.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace Zelvora {

class BaglantiEtiketi;

class HataBildirmeFormu : public QDialog {
    Q_OBJECT
public:
    explicit HataBildirmeFormu(QWidget *parent = nullptr);

protected:
    bool event(QEvent *e) override;

private:
    QWidget *Altlik = nullptr;
    QFrame *Cerceve = nullptr;
    QLabel *SimgeKutusu = nullptr;
    QLabel *Etiket[2] = {};
    BaglantiEtiketi *WebEtiketi = nullptr;
    BaglantiEtiketi *EPostaEtiketi = nullptr;
    QPushButton *TamamButonu = nullptr;

    void denetimleriKur();
};

} // namespace Zelvora

#pragma once
// The about window "Hakkında": the program's picture, title, version and legal notice,
// the maker with a link to its web site, and the user and organisation of this account.

#include <QDialog>

class QFrame;
class QLabel;

namespace Zelvora {

class BaglantiEtiketi;

class HakkindaFormu : public QDialog {
    Q_OBJECT
public:
    explicit HakkindaFormu(QWidget *parent = nullptr);

protected:
    bool event(QEvent *e) override;

private:
    QLabel *PencereResmi = nullptr; // the window picture "HAKKINDA"
    QWidget *Altlik = nullptr;
    QLabel *Etiket[8] = {};
    BaglantiEtiketi *TAVREKEtiketi = nullptr;
    QLabel *KullaniciAdiEtiketi = nullptr;
    QLabel *KurulusAdiEtiketi = nullptr;
    QLabel *SimgeKutusu = nullptr;
    QFrame *Kenarlik[2] = {};

    void denetimleriKur();
    void etkinlesti();
};

} // namespace Zelvora

#pragma once
// "Takvim Parolası": the calendar's password, asked once a run when the desktop's keyring
// holds none for the address and user name; kept in the keyring when the user wishes,
// never in the settings file.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Zelvora {

class TakvimParolasiFormu : public QDialog {
    Q_OBJECT
public:
    TakvimParolasiFormu(const QString &adres, const QString &kullanici, QWidget *parent = nullptr);

    QString parola() const;
    bool saklansin() const;

private:
    QLabel *Etiket[2] = {};
    QLineEdit *ParolaKutusu = nullptr;
    QCheckBox *AnahtarliktaSaklansinOnayi = nullptr;
    QPushButton *TamamDugmesi = nullptr;
    QPushButton *IptalDugmesi = nullptr;
};

} // namespace Zelvora

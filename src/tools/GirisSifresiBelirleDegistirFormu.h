#pragma once
// "Giriş Şifresi Belirle" / "Giriş Şifresi Değiştir": sets, changes or removes the
// login password. Opened modally from the main window's menu; the program is already
// unlocked, so no old password is asked for.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Zelvora {

class GirisSifresiBelirleDegistirFormu : public QDialog {
    Q_OBJECT
public:
    explicit GirisSifresiBelirleDegistirFormu(QWidget *parent = nullptr);

    void TamamDugmesi_Click();
    // "İptal" (no password yet) or "Şifreyi Kaldır" (a password is set); Esc too.
    void IptalDugmesi_Click();

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    QLabel *Etiket[2] = {};
    QLineEdit *SifreKutusu = nullptr;
    QLineEdit *SifreDogrulaKutusu = nullptr;
    QPushButton *TamamDugmesi = nullptr;
    QPushButton *IptalDugmesi = nullptr;

    // Captions that follow the password state.
    void etkinlesti();
    void odakla(QLineEdit *kutu);
};

} // namespace Zelvora

#pragma once
// "Giriş Şifresi": the prompt shown over the main window as the last step of start-up
// when a login password is set. The right password lets the program run on; cancel,
// Esc, the close box or a third wrong password end it.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Zelvora {

class GirisSifresiSorFormu : public QDialog {
    Q_OBJECT
public:
    explicit GirisSifresiSorFormu(QWidget *parent = nullptr);

    // Shows the prompt modally over the main window. True when the right password was
    // entered; false when the program has been ended.
    static bool sor(QWidget *sahip);
    // True while a prompt is on screen: the program is still locked.
    static bool acik();
    // While a prompt is on screen, brings it to the front and returns true: what would
    // show the main window (the tray, a second start) shows the prompt instead.
    static bool oneGetir();

    void TamamDugmesi_Click();
    void IptalDugmesi_Click();
    // Wrong passwords entered so far; never reset while the prompt exists.
    int yanlisSayisi() const { return m_yanlisSayisi; }

public Q_SLOTS:
    // Esc and the close box cancel, as "İptal" does.
    void reject() override;

private:
    QLabel *Etiket = nullptr;
    QLineEdit *SifreKutusu = nullptr;
    QPushButton *TamamDugmesi = nullptr;
    QPushButton *IptalDugmesi = nullptr;

    void odakla();

    quint8 m_yanlisSayisi = 0;
    bool m_bitiyor = false;
};

} // namespace Zelvora

#pragma once
// The notification-area icon of the main window with its pop-up menu. Where the
// desktop has no notification area, the main window is minimised instead of hidden.

#include <QObject>

class QMenu;
class QSystemTrayIcon;

namespace Zelvora {

class BildirimAlani : public QObject {
    Q_OBJECT
public:
    BildirimAlani(const QIcon &simge, const QString &ipucu, QMenu *menu, QObject *parent);
    static bool kullanilabilir();
    void ekle();
    void sil();
    bool gorunur() const;

Q_SIGNALS:
    void ciftTiklandi();

private:
    QSystemTrayIcon *m_simge;
};

} // namespace Zelvora

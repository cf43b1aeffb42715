#include "ui/BildirimAlani.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace Zelvora {

BildirimAlani::BildirimAlani(const QIcon &simge, const QString &ipucu, QMenu *menu, QObject *parent)
    : QObject(parent), m_simge(new QSystemTrayIcon(simge, this))
{
    m_simge->setToolTip(ipucu.left(63));
    m_simge->setContextMenu(menu);
    connect(m_simge, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick)
            Q_EMIT ciftTiklandi();
    });
}

bool BildirimAlani::kullanilabilir()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void BildirimAlani::ekle()
{
    m_simge->show();
}

void BildirimAlani::sil()
{
    m_simge->hide();
}

bool BildirimAlani::gorunur() const
{
    return m_simge->isVisible();
}

} // namespace Zelvora

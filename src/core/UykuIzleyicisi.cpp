#include "core/UykuIzleyicisi.h"

#include <QDBusConnection>

namespace Zelvora {

UykuIzleyicisi::UykuIzleyicisi(QObject *parent) : UykuIzleyicisi(QDBusConnection::systemBus(), parent) {}

UykuIzleyicisi::UykuIzleyicisi(const QDBusConnection &baglanti, QObject *parent) : QObject(parent)
{
    if (!baglanti.isConnected())
        return;
    // The sender is logind itself, not anyone on the bus.
    QDBusConnection b = baglanti;
    m_dinliyor = b.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                           SLOT(uykuDegisti(bool)));
}

void UykuIzleyicisi::uykuDegisti(bool uyuyacak)
{
    if (!uyuyacak)
        Q_EMIT uyandi();
}

} // namespace Zelvora

#pragma once
// Tells when the machine wakes from sleep: logind announces PrepareForSleep(false) on
// the system bus. Timers do not count the time asleep, so whatever was due meanwhile
// has to be looked for at once. Without a system bus (or without logind) it never fires.

#include <QObject>

class QDBusConnection;

namespace Zelvora {

class UykuIzleyicisi : public QObject {
    Q_OBJECT
public:
    // The system bus, where there is one.
    explicit UykuIzleyicisi(QObject *parent = nullptr);
    UykuIzleyicisi(const QDBusConnection &baglanti, QObject *parent);

    // Whether logind's signal is listened to.
    bool dinliyor() const { return m_dinliyor; }

Q_SIGNALS:
    void uyandi();

private Q_SLOTS:
    void uykuDegisti(bool uyuyacak);

private:
    bool m_dinliyor = false;
};

} // namespace Zelvora

#pragma once
// The desktop's notification for the jobs that came due, beside the reminder window:
// it names the jobs, offers "İş yapıldı" and "15 dakika ertele" where the desktop's
// notification server shows actions, and brings the reminder window up when clicked.
// Every call to the server is asynchronous: without a server (or without a session
// bus) nothing is shown and nothing waits.

#include "core/Veritabani.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

class QDBusConnection;
class QDBusPendingCallWatcher;

namespace Zelvora {

class MasaustuBildirimi : public QObject {
    Q_OBJECT
public:
    // The outcomes the notification offers, numbered as the reminder window's options.
    static constexpr int IsYapildi = 0;
    static constexpr int Ertele = 1;
    // More jobs than this are counted ("5 iş") and only the first ones named.
    static constexpr int EnFazlaAdlandirilan = 3;

    // baglanti: the session bus the server is on; oturumBaglantisi() by default.
    explicit MasaustuBildirimi(QObject *parent = nullptr);
    MasaustuBildirimi(const QDBusConnection &baglanti, QObject *parent);
    ~MasaustuBildirimi() override;

    // The user's session bus, or an unconnected one when the session has none: a missing
    // bus address must not make the library start a bus of its own.
    static QDBusConnection oturumBaglantisi();

    // Shows the notification for these jobs, in place of the one shown before; returns at
    // once, the server is asked in the background.
    void goster(const QList<IsKaydi> &isler, const QDate &bugun);
    // Withdraws the notification, also one whose server has not answered yet.
    void geriCek();

    // The id the server gave the notification now shown, 0 when none is shown.
    uint bildirimNo() const { return m_no; }
    // The jobs the notification names.
    const QList<qint64> &isNolari() const { return m_isNolari; }

    // The texts of the notification; the body escaped for servers that read markup.
    static QString ozetMetni();
    static QString govdeMetni(const QList<IsKaydi> &isler, const QDate &bugun, bool isaretli);

Q_SIGNALS:
    // An action of the notification was chosen for the jobs it names.
    void sonucSecildi(int sonuc, const QList<qint64> &isNolari);
    // The notification itself was clicked.
    void pencereIstendi();
    // The server answered the notification with its id (it is up now).
    void gosterildi(uint no);

private Q_SLOTS:
    void eylemCagrildi(uint no, const QString &eylem);
    void kapandi(uint no, uint neden);

private:
    void yetenekleriAldi(QDBusPendingCallWatcher *w, quint64 istek, const QList<IsKaydi> &isler, const QDate &bugun);
    void numarayiAldi(QDBusPendingCallWatcher *w, quint64 istek);
    void kapat(uint no);

    std::unique_ptr<QDBusConnection> m_baglanti;
    bool m_sinyallerBagli = false;
    // Each goster() and geriCek() starts a new request: an answer to an older one finds
    // its request overtaken and only withdraws what it showed.
    quint64 m_istek = 0;
    uint m_no = 0;
    QList<qint64> m_isNolari;
};

} // namespace Zelvora

#include "reminders/MasaustuBildirimi.h"

#include "core/Tarihler.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QVariantMap>

namespace Zelvora {

namespace {
const QString Servis = QStringLiteral("org.freedesktop.Notifications");
const QString Yol = QStringLiteral("/org/freedesktop/Notifications");
const QString Arayuz = QStringLiteral("org.freedesktop.Notifications");
const QString YapildiEylemi = QStringLiteral("yapildi");
const QString ErteleEylemi = QStringLiteral("ertele");
const QString VarsayilanEylem = QStringLiteral("default");

QDBusMessage cagri(const QString &yontem)
{
    return QDBusMessage::createMethodCall(Servis, Yol, Arayuz, yontem);
}
} // namespace

MasaustuBildirimi::MasaustuBildirimi(QObject *parent) : MasaustuBildirimi(oturumBaglantisi(), parent) {}

MasaustuBildirimi::MasaustuBildirimi(const QDBusConnection &baglanti, QObject *parent)
    : QObject(parent), m_baglanti(std::make_unique<QDBusConnection>(baglanti))
{
    if (!m_baglanti->isConnected())
        return;
    // Only the server's own signals: another program on the bus cannot settle jobs.
    m_sinyallerBagli =
        m_baglanti->connect(Servis, Yol, Arayuz, QStringLiteral("ActionInvoked"), this,
                           SLOT(eylemCagrildi(uint, QString)))
        && m_baglanti->connect(Servis, Yol, Arayuz, QStringLiteral("NotificationClosed"), this,
                              SLOT(kapandi(uint, uint)));
}

MasaustuBildirimi::~MasaustuBildirimi() = default;

QDBusConnection MasaustuBildirimi::oturumBaglantisi()
{
    // With no address in the environment the library would fall back to starting a bus
    // of its own (X11 autolaunch); only a session that has a bus is asked.
    const bool adresVar = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
    const QString calismaKlasoru = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool soketVar = !calismaKlasoru.isEmpty() && QFileInfo::exists(calismaKlasoru + QStringLiteral("/bus"));
    if (!adresVar && !soketVar)
        return QDBusConnection(QStringLiteral("zelvora-oturum-yolu-yok"));
    return QDBusConnection::sessionBus();
}

QString MasaustuBildirimi::ozetMetni()
{
    return QStringLiteral("Hatırlatılacak İşler");
}

QString MasaustuBildirimi::govdeMetni(const QList<IsKaydi> &isler, const QDate &bugun, bool isaretli)
{
    QStringList satirlar;
    if (isler.size() > EnFazlaAdlandirilan)
        satirlar << QString::number(isler.size()) + QStringLiteral(" iş");
    for (qsizetype i = 0; i < isler.size() && i < EnFazlaAdlandirilan; ++i) {
        const IsKaydi &is = isler.at(i);
        // A job of an earlier day (missed while the program was closed) shows its date.
        QString satir;
        if (is.tarih.isValid() && is.tarih != bugun)
            satir = Tarihler::kisaTarih(is.tarih) + QLatin1Char(' ');
        if (is.saat.isValid())
            satir += is.saat.toString(QStringLiteral("HH:mm"));
        const QString konu = is.konu.simplified();
        if (!konu.isEmpty())
            satir += (satir.isEmpty() ? QString() : QStringLiteral(" ")) + konu;
        satirlar << satir.trimmed();
    }
    if (isler.size() > EnFazlaAdlandirilan)
        satirlar << QStringLiteral("…");
    QString govde = satirlar.join(QLatin1Char('\n'));
    // A subject like "A & B <ek>" must reach the user as typed, not as markup.
    return isaretli ? govde.toHtmlEscaped() : govde;
}

void MasaustuBildirimi::goster(const QList<IsKaydi> &isler, const QDate &bugun)
{
    const quint64 istek = ++m_istek;
    m_isNolari.clear();
    for (const IsKaydi &is : isler)
        m_isNolari << is.isNo;
    if (!m_baglanti->isConnected() || isler.isEmpty())
        return;
    // What the server can do decides the actions and the body's form.
    auto *w = new QDBusPendingCallWatcher(m_baglanti->asyncCall(cagri(QStringLiteral("GetCapabilities"))), this);
    connect(w, &QDBusPendingCallWatcher::finished, this,
            [this, w, istek, isler, bugun] { yetenekleriAldi(w, istek, isler, bugun); });
}

void MasaustuBildirimi::yetenekleriAldi(QDBusPendingCallWatcher *w, quint64 istek, const QList<IsKaydi> &isler,
                                        const QDate &bugun)
{
    w->deleteLater();
    const QDBusPendingReply<QStringList> yanit = *w;
    // No server (or an overtaken request): nothing is shown.
    if (istek != m_istek || yanit.isError())
        return;
    const QStringList yetenekler = yanit.value();

    QStringList eylemler;
    if (yetenekler.contains(QStringLiteral("actions")) && m_sinyallerBagli)
        eylemler = {VarsayilanEylem, QStringLiteral("Göster"), YapildiEylemi, QStringLiteral("İş yapıldı"),
                    ErteleEylemi, QStringLiteral("15 dakika ertele")};
    QVariantMap ipuclari;
    ipuclari.insert(QStringLiteral("desktop-entry"), QStringLiteral("zelvora"));
    ipuclari.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2))); // critical: stays until dealt with
    ipuclari.insert(QStringLiteral("category"), QStringLiteral("x-zelvora.hatirlatma"));

    QDBusMessage m = cagri(QStringLiteral("Notify"));
    m << QStringLiteral("Zelvora") << m_no << QStringLiteral("zelvora") << ozetMetni()
      << govdeMetni(isler, bugun, yetenekler.contains(QStringLiteral("body-markup"))) << eylemler << ipuclari
      << qint32(-1);
    auto *n = new QDBusPendingCallWatcher(m_baglanti->asyncCall(m), this);
    connect(n, &QDBusPendingCallWatcher::finished, this, [this, n, istek] { numarayiAldi(n, istek); });
}

void MasaustuBildirimi::numarayiAldi(QDBusPendingCallWatcher *w, quint64 istek)
{
    w->deleteLater();
    const QDBusPendingReply<uint> yanit = *w;
    if (yanit.isError())
        return;
    const uint no = yanit.value();
    if (istek != m_istek) {
        // Withdrawn or replaced while the server was answering.
        if (no != m_no)
            kapat(no);
        return;
    }
    m_no = no;
    Q_EMIT gosterildi(no);
}

void MasaustuBildirimi::geriCek()
{
    ++m_istek;
    m_isNolari.clear();
    if (m_no != 0)
        kapat(m_no);
    m_no = 0;
}

void MasaustuBildirimi::kapat(uint no)
{
    if (no == 0 || !m_baglanti->isConnected())
        return;
    QDBusMessage m = cagri(QStringLiteral("CloseNotification"));
    m << no;
    // The answer does not matter: a notification already gone is gone.
    m_baglanti->asyncCall(m);
}

void MasaustuBildirimi::eylemCagrildi(uint no, const QString &eylem)
{
    if (no == 0 || no != m_no)
        return;
    if (eylem == VarsayilanEylem) {
        Q_EMIT pencereIstendi();
        return;
    }
    const int sonuc = eylem == YapildiEylemi ? IsYapildi : eylem == ErteleEylemi ? Ertele : -1;
    if (sonuc < 0)
        return;
    // One choice per notification: a second signal for it does nothing.
    const QList<qint64> isler = m_isNolari;
    m_no = 0;
    m_isNolari.clear();
    ++m_istek;
    kapat(no);
    Q_EMIT sonucSecildi(sonuc, isler);
}

void MasaustuBildirimi::kapandi(uint no, uint neden)
{
    Q_UNUSED(neden);
    if (no != 0 && no == m_no) {
        m_no = 0;
        m_isNolari.clear();
    }
}

} // namespace Zelvora

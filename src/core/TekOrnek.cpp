#include "core/TekOrnek.h"

#include "core/Baslangic.h"
#include "core/OrtakYordamlar.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMetaMethod>
#include <QThread>

namespace Zelvora {

TekOrnek::TekOrnek(const QString &baslik, QObject *parent) : QObject(parent)
{
    QString kullanici = qEnvironmentVariable("USER");
    if (kullanici.isEmpty())
        kullanici = QDir::homePath();
    // The socket (in the temporary folder, where local sockets live) is named after the
    // data folder too: one instance per data folder, whatever the login session.
    const QByteArray ozet = QCryptographicHash::hash((baslik + QLatin1Char('|') + kullanici + QLatin1Char('|')
                                                      + qEnvironmentVariable("HOME") + QLatin1Char('|')
                                                      + QDir::cleanPath(Baslangic::veritabaniKlasoru()))
                                                         .toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    m_ad = QStringLiteral("zelvora-") + QString::fromLatin1(ozet);
}

TekOrnek::~TekOrnek() = default;

QString TekOrnek::kilitDosyasi() const
{
    // Beside the database it guards: two login sessions of the user (each with a runtime
    // folder of its own) share the data folder, and so the lock.
    return Baslangic::veritabaniKlasoru() + QStringLiteral("Zelvora.lock");
}

bool TekOrnek::baskaOrnekVar()
{
    // The data folder is made here on a first start, readable by its owner only.
    SessizAdim([] { Baslangic::klasorHazirla(Baslangic::veritabaniKlasoru()); });
    m_kilit = std::make_unique<QLockFile>(kilitDosyasi());
    // The lock lasts as long as its holder lives, however long that is.
    m_kilit->setStaleLockTime(0);
    if (m_kilit->tryLock(0))
        return false;
    if (m_kilit->error() != QLockFile::LockFailedError) {
        // No lock can be taken here (an unwritable data folder): fall back on the socket
        // alone rather than refuse to start.
        m_kilit.reset();
        return gosterIste();
    }
    m_kilit.reset();
    // The holder may still be starting: it listens right after taking the lock.
    for (int deneme = 0; deneme < 20; ++deneme) {
        if (gosterIste())
            return true;
        QThread::msleep(250);
    }
    return true;
}

bool TekOrnek::gosterIste(bool goster)
{
    QLocalSocket s;
    s.connectToServer(m_ad);
    if (!s.waitForConnected(500))
        return false;
    if (!goster) {
        s.disconnectFromServer();
        return true;
    }
    s.write("goster\n");
    s.waitForBytesWritten(500);
    s.waitForReadyRead(500);
    s.disconnectFromServer();
    return true;
}

bool TekOrnek::dinle()
{
    m_sunucu = new QLocalServer(this);
    m_sunucu->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket found here was left by an instance that crashed, unless something still
    // answers on it: a live socket is never taken away from its holder (listening would
    // replace it).
    if (gosterIste(false))
        return false;
    if (!m_sunucu->listen(m_ad)) {
        QLocalServer::removeServer(m_ad);
        if (!m_sunucu->listen(m_ad))
            return false;
    }
    connect(m_sunucu, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_sunucu->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains("goster")) {
                    if (isSignalConnected(QMetaMethod::fromSignal(&TekOrnek::gosterIstendi)))
                        Q_EMIT gosterIstendi();
                    else
                        m_bekleyenIstek = true; // the main window is not built yet
                }
                s->write("tamam\n");
                s->flush();
                s->disconnectFromServer();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}
} // namespace Zelvora

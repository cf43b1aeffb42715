#pragma once
// The single running instance of the program.

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace Zelvora {

// One running instance per user and data folder. The first start takes a lock file in
// the data folder before anything else and listens on a local socket named from the
// title, the user and the data folder; a later start finds the lock taken, asks the
// holder to show its main window and ends.
class TekOrnek : public QObject {
    Q_OBJECT
public:
    explicit TekOrnek(const QString &baslik, QObject *parent = nullptr);
    ~TekOrnek() override;
    // Takes the lock. When another instance holds it, asks that one to show itself and
    // returns true; otherwise this instance is the one and returns false.
    bool baskaOrnekVar();
    // Starts listening; later starts then reach this instance. A socket left by a crashed
    // instance is replaced; one that still answers is left to its holder (false).
    bool dinle();
    QString soketAdi() const { return m_ad; }
    QString kilitDosyasi() const;
    // A request to show came before anyone was connected to gosterIstendi.
    bool gosterIstegiBekliyor() const { return m_bekleyenIstek; }

Q_SIGNALS:
    void gosterIstendi();

private:
    // Reaches the instance at the socket; goster: asks it to show itself.
    bool gosterIste(bool goster = true);
    QString m_ad;
    QLocalServer *m_sunucu = nullptr;
    std::unique_ptr<QLockFile> m_kilit;
    bool m_bekleyenIstek = false;
};

} // namespace Zelvora

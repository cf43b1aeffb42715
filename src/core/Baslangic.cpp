#include "core/Baslangic.h"

#include "Surum.h"
#include "core/Arayuzler.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <memory>

namespace Zelvora::Baslangic {
namespace {
std::unique_ptr<Veritabani> &baglanti()
{
    static std::unique_ptr<Veritabani> b;
    return b;
}

QString tirnakli(const QString &ad)
{
    return QLatin1Char('"') + ad + QLatin1Char('"');
}
} // namespace

QString pencereBasligi()
{
    return KaynakMetni(10) + QLatin1Char(' ') + QString::number(ZELVORA_SURUM_ANA) + QLatin1Char('.')
        + QString::number(ZELVORA_SURUM_ALT) + QString::number(ZELVORA_SURUM_DUZELTME)
        + QStringLiteral(" (Sunucu)");
}

QString veritabaniYolu()
{
    return Arayuz::klasorler().programKlasoru + QStringLiteral("Vok.vtb");
}

QString yedekKlasoru()
{
    return ProgramDosyalariKlasoru() + QStringLiteral("Tavrek/Vtb Yedekleri/");
}

QString yedekYolu()
{
    return yedekKlasoru() + QStringLiteral("Vok.ydk");
}

bool veritabaniniDenetle()
{
    const QString vt = veritabaniYolu();
    if (DosyaVarMi(vt))
        return true;
    const QString yedek = yedekYolu();
    if (DosyaVarMi(yedek)) {
        if (!soru(tirnakli(QStringLiteral("Vok.vtb")) + QStringLiteral(" adlı veritabanı dosyanız bulunamadı.")
                  + QStringLiteral("\r\n") + QStringLiteral("Yedekten oluşturulsun mu?"))) {
            Arayuz::programSonu().bitir(0);
            return false;
        }
        bool devam = true;
        Adim([&] {
            QFile::remove(vt);
            if (!QFile::copy(yedek, vt))
                throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Yedek kopyalanamadı: ") + vt);
            QFile kopya(vt);
            QFile::setPermissions(vt, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            // Keep the backup's date, as a file copy does on the old platform.
            if (kopya.open(QIODevice::ReadWrite))
                kopya.setFileTime(QFileInfo(yedek).lastModified(), QFileDevice::FileModificationTime);
        }, &devam);
        return devam;
    }
    mesaj(tirnakli(QStringLiteral("Vok.vtb")) + QLatin1Char(' ') + KaynakMetni(90), MesajSimgesi::Kritik);
    Arayuz::programSonu().bitir(1);
    return false;
}

bool gunlukYedek()
{
    bool devam = true;
    Adim([&] {
        const QString yedek = yedekYolu();
        const QString vt = veritabaniYolu();
        if (DosyaVarMi(yedek)) {
            const QDateTime bugun(Arayuz::saat().bugun(), QTime(0, 0));
            // A backup already written today is not written again, whatever the database's date.
            if (bugun > QFileInfo(vt).lastModified() && QFileInfo(yedek).lastModified() < bugun)
                Veritabani::yedekle(vt, yedek);
            return;
        }
        if (!DosyaVarMi(yedekKlasoru())) {
            if (!QDir().mkpath(yedekKlasoru()))
                throw Hata(HataNo::GecersizYol, QStringLiteral("Yedek klasörü oluşturulamadı: ") + yedekKlasoru());
        }
        Veritabani::yedekle(vt, yedek);
    }, &devam);
    return devam;
}

bool veritabaniniAc()
{
    bool devam = true;
    Adim([&] {
        baglanti() = Veritabani::ac(veritabaniYolu());
        OrtakDegiskenler::VeritabaniBag = baglanti().get();
    }, &devam);
    return devam && OrtakDegiskenler::VeritabaniBag;
}

bool semayiDenetle()
{
    bool devam = true;
    Adim([&] {
        Veritabani *vt = OrtakDegiskenler::VeritabaniBag;
        if (vt && vt->eskiSemaMi()) {
            vt->semaYukselt();
            mesaj(QStringLiteral("Veritabanı, Sürüm 2.32 ile uyumlu hale getirildi!"), MesajSimgesi::Bilgi);
        }
    }, &devam);
    return devam;
}

void veritabaniniKapat()
{
    OrtakDegiskenler::VeritabaniBag = nullptr;
    baglanti().reset();
}

} // namespace Zelvora::Baslangic

namespace Zelvora {

TekOrnek::TekOrnek(const QString &baslik, QObject *parent) : QObject(parent)
{
    QString kullanici = qEnvironmentVariable("USER");
    if (kullanici.isEmpty())
        kullanici = QDir::homePath();
    const QByteArray ozet = QCryptographicHash::hash((baslik + QLatin1Char('|') + kullanici + QLatin1Char('|')
                                                      + qEnvironmentVariable("HOME")).toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    m_ad = QStringLiteral("zelvora-") + QString::fromLatin1(ozet);
}

TekOrnek::~TekOrnek() = default;

bool TekOrnek::baskaOrnekVar()
{
    QLocalSocket s;
    s.connectToServer(m_ad);
    if (!s.waitForConnected(500))
        return false;
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
    if (!m_sunucu->listen(m_ad)) {
        // A socket left by a crashed instance: nobody answered, so take it over.
        QLocalServer::removeServer(m_ad);
        if (!m_sunucu->listen(m_ad))
            return false;
    }
    connect(m_sunucu, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_sunucu->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains("goster"))
                    Q_EMIT gosterIstendi();
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

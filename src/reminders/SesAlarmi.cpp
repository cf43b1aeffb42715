#include "reminders/SesAlarmi.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace Zelvora {

SesAlarmi::~SesAlarmi()
{
    durdur();
}

void SesAlarmi::baslat(const QString &dosyaYolu)
{
    durdur();
    const QFileInfo dosya(dosyaYolu);
    if (dosyaYolu.isEmpty() || !dosya.isFile() || !dosya.isReadable())
        return;
    {
        // A file that exists but cannot be opened also stays silent.
        QFile f(dosya.absoluteFilePath());
        if (!f.open(QIODevice::ReadOnly))
            return;
    }
    if (!QCoreApplication::instance())
        return;
    // A fresh effect per start, so a new file never inherits the old one's state.
    m_ses = new QSoundEffect(QCoreApplication::instance());
    m_ses->setLoopCount(QSoundEffect::Infinite);
    m_ses->setSource(QUrl::fromLocalFile(dosya.absoluteFilePath()));
    // Plays as soon as loading ends; a file that cannot be decoded ends in the Error
    // status and plays nothing.
    m_ses->play();
}

void SesAlarmi::durdur()
{
    if (m_ses) {
        m_ses->stop();
        delete m_ses.data();
    }
}

} // namespace Zelvora

#include "core/Platform.h"

#include "core/Arayuzler.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <pwd.h>
#include <unistd.h>

namespace Zelvora::Platform {

QString otomatikBaslatmaDosyasi()
{
    return Arayuz::klasorler().otomatikBaslatmaKlasoru + QStringLiteral("zelvora.desktop");
}

bool otomatikBaslatmaAyarla(bool acik, const QString &programYolu)
{
    const QString dosya = otomatikBaslatmaDosyasi();
    if (!acik)
        return !QFile::exists(dosya) || QFile::remove(dosya);
    if (!QDir().mkpath(Arayuz::klasorler().otomatikBaslatmaKlasoru))
        return false;
    QString yol = programYolu;
    // Desktop entries quote paths with blanks in double quotes.
    if (yol.contains(QLatin1Char(' ')))
        yol = QLatin1Char('"') + yol + QLatin1Char('"');
    QSaveFile f(dosya);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QString icerik = QStringLiteral("[Desktop Entry]\nType=Application\nName=Zelvora\nExec=") + yol
        + QStringLiteral(" -Simge\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    f.write(icerik.toUtf8());
    return f.commit();
}

QString kayitliKullaniciAdi()
{
    const passwd *p = getpwuid(getuid());
    if (!p || !p->pw_gecos)
        return {};
    // The first field of the comment is the full name.
    return QString::fromLocal8Bit(p->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed();
}

QString kayitliKurulusAdi()
{
    return {};
}

} // namespace Zelvora::Platform

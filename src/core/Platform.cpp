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

namespace {
// A string value of a desktop entry: backslash and control characters escaped.
QString dizeDegeri(const QString &metin)
{
    QString deger;
    for (QChar c : metin) {
        if (c == QLatin1Char('\\'))
            deger += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            deger += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            deger += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            deger += QStringLiteral("\\r");
        else
            deger += c;
    }
    return deger;
}
} // namespace

QString execArgumani(const QString &arguman)
{
    // Quoted as a whole: the double quote, backquote, dollar and backslash get a backslash
    // inside the quotes, and a
    // literal '%' is doubled (field codes). Then the value is escaped as every string value
    // of a desktop entry is, which doubles each backslash again.
    QString alinti;
    for (QChar c : arguman) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            alinti += QLatin1Char('\\');
        alinti += c;
    }
    alinti = QLatin1Char('"') + alinti + QLatin1Char('"');
    alinti.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return dizeDegeri(alinti);
}

bool otomatikBaslatmaAyarla(bool acik, const QString &programYolu)
{
    const QString dosya = otomatikBaslatmaDosyasi();
    if (!acik)
        return !QFile::exists(dosya) || QFile::remove(dosya);
    if (!QDir().mkpath(Arayuz::klasorler().otomatikBaslatmaKlasoru))
        return false;
    const QString yol = execArgumani(programYolu);
    QSaveFile f(dosya);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    // TryExec: once the program is removed, the desktop skips the entry left behind
    // instead of failing to start it at every log-in.
    const QString icerik = QStringLiteral("[Desktop Entry]\nType=Application\nName=Zelvora\nExec=") + yol
        + QStringLiteral(" -Simge\nTryExec=") + dizeDegeri(programYolu)
        + QStringLiteral("\nIcon=zelvora\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    f.write(icerik.toUtf8());
    return f.commit();
}

bool otomatikBaslatmaVar()
{
    QFile f(otomatikBaslatmaDosyasi());
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bool grupta = false;
    while (!f.atEnd()) {
        const QString satir = QString::fromUtf8(f.readLine()).trimmed();
        if (satir.startsWith(QLatin1Char('['))) {
            grupta = satir == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!grupta)
            continue;
        const qsizetype esit = satir.indexOf(QLatin1Char('='));
        if (esit < 0)
            continue;
        const QString anahtar = satir.left(esit).trimmed();
        const QString deger = satir.mid(esit + 1).trimmed();
        if (anahtar == QLatin1String("Hidden") && deger == QLatin1String("true"))
            return false;
        if (anahtar == QLatin1String("X-GNOME-Autostart-enabled") && deger == QLatin1String("false"))
            return false;
    }
    return true;
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

#include "ui/Yardim.h"

#include "core/Arayuzler.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QUrl>

namespace Zelvora {

namespace {

QString sonunaBolu(QString yol)
{
    if (!yol.endsWith(QLatin1Char('/')))
        yol += QLatin1Char('/');
    return yol;
}

} // namespace

QString Yardim::kilavuzKlasoru(const QString &programKlasoru)
{
    // Installed, the program's files are <prefix>/share/zelvora/ and the guide is the
    // package's documentation; otherwise it was copied beside the executable.
    const QDir program(QDir::cleanPath(programKlasoru));
    QDir ust = program;
    if (program.dirName() == QStringLiteral("zelvora") && ust.cdUp() && ust.dirName() == QStringLiteral("share"))
        return sonunaBolu(ust.filePath(QStringLiteral("doc/zelvora/kilavuz")));
    return sonunaBolu(program.filePath(QStringLiteral("kilavuz")));
}

QString Yardim::sayfaDosyasi(Sayfa sayfa, const QString &programKlasoru)
{
    return kilavuzKlasoru(programKlasoru)
        + (sayfa == Sayfa::Dizin ? QStringLiteral("dizin.html") : QStringLiteral("index.html"));
}

bool Yardim::ac(Sayfa sayfa)
{
    const QString dosya = sayfaDosyasi(sayfa, Arayuz::klasorler().programKlasoru);
    if (!QFileInfo(dosya).isFile()) {
        mesaj(QStringLiteral("Kullanım kılavuzu bulunamadı!") + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Aranan dosya: ") + QDir::toNativeSeparators(dosya) + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Kılavuz programla birlikte kurulur; programı yeniden kurmak onu geri getirir."),
              MesajSimgesi::Uyari);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(dosya))) {
        mesaj(QStringLiteral("Kullanım kılavuzu açılamadı!") + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Masaüstünüzde HTML sayfalarını açan bir tarayıcı bulunamadı. Kılavuzu bir tarayıcıyla "
                                   "kendiniz açabilirsiniz: ")
                  + QDir::toNativeSeparators(dosya),
              MesajSimgesi::Uyari);
        return false;
    }
    return true;
}

void Yardim::bagla(QAction *icindekiler, QAction *dizin)
{
    icindekiler->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(icindekiler, &QAction::triggered, icindekiler, [] { ac(Sayfa::Icindekiler); });
    QObject::connect(dizin, &QAction::triggered, dizin, [] { ac(Sayfa::Dizin); });
}

} // namespace Zelvora

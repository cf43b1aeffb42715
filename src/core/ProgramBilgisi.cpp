#include "core/ProgramBilgisi.h"

#include "Surum.h"

#include <QSysInfo>
#include <QtGlobal>

#include <sqlite3.h>

namespace Zelvora::ProgramBilgisi {
namespace {
QString kodla(const QString &s)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(s));
}
} // namespace

QString urunAdi()
{
    return QStringLiteral("Zelvora");
}

QString surum()
{
    return QString::number(ZELVORA_SURUM_ANA) + QLatin1Char('.') + QString::number(ZELVORA_SURUM_ALT)
        + QLatin1Char('.') + QString::number(ZELVORA_SURUM_DUZELTME);
}

QString yasalUyari()
{
    return QString::fromUtf8(ZELVORA_YASAL_UYARI);
}

QString webSitesi()
{
    QString s = QString::fromUtf8(ZELVORA_WEB_SITESI).trimmed();
    while (s.endsWith(QLatin1Char('/')))
        s.chop(1);
    return s;
}

QString destekEPostasi()
{
    return QString::fromUtf8(ZELVORA_DESTEK_EPOSTASI).trimmed();
}

QUrl mesajSayfasi()
{
    // The product name goes in as it is written.
    return QUrl(webSitesi() + QStringLiteral("/asp/mesaj/mesaj.asp?ProgramAdi=") + urunAdi(), QUrl::TolerantMode);
}

QString surumBilgileri()
{
    const QString qtSurumu = QString::fromLatin1(qVersion());
    QString qt = QStringLiteral("Qt: ") + qtSurumu;
    if (qtSurumu != QLatin1String(QT_VERSION_STR))
        qt += QStringLiteral(" (derlendiği sürüm ") + QLatin1String(QT_VERSION_STR) + QLatin1Char(')');
    return QStringLiteral("Program: ") + urunAdi() + QLatin1Char(' ') + surum() + QStringLiteral("\r\n") + qt
        + QStringLiteral("\r\nSQLite: ") + QString::fromLatin1(sqlite3_libversion()) + QStringLiteral("\r\nSistem: ")
        + QSysInfo::prettyProductName() + QStringLiteral(", ") + QSysInfo::kernelType() + QLatin1Char(' ')
        + QSysInfo::kernelVersion() + QStringLiteral(" (") + QSysInfo::currentCpuArchitecture() + QLatin1Char(')');
}

QUrl ePostaBaglantisi()
{
    const QString konu = urunAdi() + QLatin1Char(' ') + surum() + QStringLiteral(" hata bildirimi");
    const QString govde = QStringLiteral("Lütfen, gördüğünüz hatayı ve hatadan hemen önce yaptıklarınızı buraya yazınız.")
        + QStringLiteral("\r\n\r\n\r\n-- \r\n") + surumBilgileri() + QStringLiteral("\r\n");
    return QUrl(QStringLiteral("mailto:") + destekEPostasi() + QStringLiteral("?subject=") + kodla(konu)
                    + QStringLiteral("&body=") + kodla(govde),
                QUrl::StrictMode);
}

} // namespace Zelvora::ProgramBilgisi

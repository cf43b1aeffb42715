// Installed like a desktop program: where the program finds its own files, the autostart
// entry, and the program icon drawn at each size.

#include "TestOrtami.h"

#include "core/Arayuzler.h"
#include "core/Platform.h"
#include "ui/OrtakDenetimler.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace Zelvora;

class KurulumTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programKlasoru();
    void otomatikBaslatmaKurulanProgramiCalistirir();
    void programSimgesiHerBoyuttaKendiCizimi();
};

void KurulumTesti::programKlasoru()
{
    QTemporaryDir kok;
    QVERIFY(kok.isValid());
    const QString k = kok.path();
    auto klasor = [&](const QString &yol) {
        QVERIFY(QDir().mkpath(k + yol));
    };

    // Installed under a prefix (/usr, /usr/local, a package unpacked anywhere, a path
    // with blanks and Turkish letters): bin/ finds ../share/zelvora/.
    for (const QString &onek : {QStringLiteral("/usr"), QStringLiteral("/usr/local"),
                                QStringLiteral("/açılmış paket/usr")}) {
        klasor(onek + QStringLiteral("/bin"));
        klasor(onek + QStringLiteral("/share/zelvora"));
        QCOMPARE(Arayuz::programKlasoruBul(k + onek + QStringLiteral("/bin")),
                 k + onek + QStringLiteral("/share/zelvora/"));
        QCOMPARE(Arayuz::programKlasoruBul(k + onek + QStringLiteral("/bin/")),
                 k + onek + QStringLiteral("/share/zelvora/"));
    }

    // The build tree: the files are beside the executable, even when a share/zelvora
    // happens to be one level up.
    klasor(QStringLiteral("/proje/build"));
    klasor(QStringLiteral("/proje/share/zelvora"));
    QCOMPARE(Arayuz::programKlasoruBul(k + QStringLiteral("/proje/build")), k + QStringLiteral("/proje/build/"));

    // A folder called bin without the installed files beside it stays the program folder.
    klasor(QStringLiteral("/yalniz/bin"));
    QCOMPARE(Arayuz::programKlasoruBul(k + QStringLiteral("/yalniz/bin")), k + QStringLiteral("/yalniz/bin/"));

    // share/zelvora must be a folder, not a file of that name.
    klasor(QStringLiteral("/dosya/bin"));
    klasor(QStringLiteral("/dosya/share"));
    QFile f(k + QStringLiteral("/dosya/share/zelvora"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(Arayuz::programKlasoruBul(k + QStringLiteral("/dosya/bin")), k + QStringLiteral("/dosya/bin/"));
}

void KurulumTesti::otomatikBaslatmaKurulanProgramiCalistirir()
{
    Test::Ortam ortam;
    const QString program = QStringLiteral("/opt/Zelvora Programı/bin/zelvora");
    QVERIFY(Platform::otomatikBaslatmaAyarla(true, program));
    QFile f(Platform::otomatikBaslatmaDosyasi());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString icerik = QString::fromUtf8(f.readAll());
    QVERIFY(icerik.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QVERIFY(icerik.contains(QStringLiteral("\nExec=\"/opt/Zelvora Programı/bin/zelvora\" -Simge\n")));
    // Left behind after the program was removed, the entry is skipped, not run.
    QVERIFY(icerik.contains(QStringLiteral("\nTryExec=/opt/Zelvora Programı/bin/zelvora\n")));
    QVERIFY(icerik.contains(QStringLiteral("\nIcon=zelvora\n")));
    f.close();

    // A backslash in the path is escaped in both keys, each by its own rule.
    QVERIFY(Platform::otomatikBaslatmaAyarla(true, QStringLiteral("/ev/a\\b/zelvora")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString garip = QString::fromUtf8(f.readAll());
    QVERIFY(garip.contains(QStringLiteral("\nExec=\"/ev/a\\\\\\\\b/zelvora\" -Simge\n")));
    QVERIFY(garip.contains(QStringLiteral("\nTryExec=/ev/a\\\\b/zelvora\n")));
}

void KurulumTesti::programSimgesiHerBoyuttaKendiCizimi()
{
    // The window's icon carries every size of the desktop theme's icon, each exactly as
    // drawn for that size; the task bar and window switcher never scale one down.
    const QIcon simge = Simge(QStringLiteral("ZELVORA"));
    for (int boyut : {16, 24, 32, 48, 64, 128, 256}) {
        QVERIFY2(simge.availableSizes().contains(QSize(boyut, boyut)), qPrintable(QString::number(boyut)));
        const QImage cizilen = QImage(QStringLiteral(":/simgeler/ZELVORA/%1.png").arg(boyut))
                                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(cizilen.size(), QSize(boyut, boyut));
        const QImage verilen =
            simge.pixmap(boyut, boyut).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(verilen == cizilen, qPrintable(QString::number(boyut)));
    }
    // Icons drawn once keep working as before.
    QCOMPARE(Simge(QStringLiteral("KLASOR")).availableSizes(), QList<QSize>{QSize(32, 32)});
}

QTEST_MAIN(KurulumTesti)
#include "tst_Kurulum.moc"

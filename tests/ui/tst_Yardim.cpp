// The user's guide: where the program looks for it installed and in the build tree,
// F1, "İçindekiler" and "Dizin..." opening its pages, the message when it is missing,
// and the guide itself: every link and picture of its pages is there.

#include "TestOrtami.h"

#include "ui/AnaForm.h"
#include "ui/Yardim.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace Zelvora;

namespace {

// Takes the pages the program opens instead of a browser.
class Tarayici : public QObject {
    Q_OBJECT
public Q_SLOTS:
    void ac(const QUrl &u) { acilanlar << u; }

public:
    QList<QUrl> acilanlar;
};

void dosyaYaz(const QString &yol)
{
    QDir().mkpath(QFileInfo(yol).absolutePath());
    QFile f(yol);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html></html>");
}

QString oku(const QString &yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class YardimTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_tarayici, "ac"); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init()
    {
        ortam = std::make_unique<Test::Ortam>();
        ortam->veritabaniniAc();
        m_tarayici.acilanlar.clear();
    }
    void cleanup() { ortam.reset(); }
    void kilavuzunYeri();
    void f1IcindekilerVeDizin();
    void kilavuzYoksaBildirilir();
    void kilavuzunSayfalariTam();

private:
    Tarayici m_tarayici;
    std::unique_ptr<Test::Ortam> ortam;
};

void YardimTesti::kilavuzunYeri()
{
    const QString k = ortam->klasor.path();
    // Installed under any prefix: the program's files in <prefix>/share/zelvora, the guide
    // with the package's documentation. The program folder is found from the executable's.
    for (const QString &onek : {QStringLiteral("/usr"), QStringLiteral("/usr/local"), QStringLiteral("/acilan/kok/usr")}) {
        QVERIFY(QDir().mkpath(k + onek + QStringLiteral("/share/zelvora")));
        QVERIFY(QDir().mkpath(k + onek + QStringLiteral("/bin")));
        const QString program = Arayuz::programKlasoruBul(k + onek + QStringLiteral("/bin"));
        QCOMPARE(program, k + onek + QStringLiteral("/share/zelvora/"));
        QCOMPARE(Yardim::kilavuzKlasoru(program), k + onek + QStringLiteral("/share/doc/zelvora/kilavuz/"));
        QCOMPARE(Yardim::sayfaDosyasi(Yardim::Sayfa::Dizin, program),
                 k + onek + QStringLiteral("/share/doc/zelvora/kilavuz/dizin.html"));
    }
    // The build tree: the guide beside the executable, also in a folder named "zelvora"
    // that is not under "share", and without the closing "/".
    QVERIFY(QDir().mkpath(k + QStringLiteral("/yapi")));
    const QString yapi = Arayuz::programKlasoruBul(k + QStringLiteral("/yapi"));
    QCOMPARE(Yardim::sayfaDosyasi(Yardim::Sayfa::Icindekiler, yapi), k + QStringLiteral("/yapi/kilavuz/index.html"));
    QCOMPARE(Yardim::kilavuzKlasoru(k + QStringLiteral("/opt/zelvora")), k + QStringLiteral("/opt/zelvora/kilavuz/"));
    QCOMPARE(Yardim::kilavuzKlasoru(k + QStringLiteral("/bin")), k + QStringLiteral("/bin/kilavuz/"));
}

void YardimTesti::f1IcindekilerVeDizin()
{
    const QString kilavuz = ortam->programKlasoru() + QStringLiteral("kilavuz/");
    dosyaYaz(kilavuz + QStringLiteral("index.html"));
    dosyaYaz(kilavuz + QStringLiteral("dizin.html"));
    AnaForm f(false);
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    auto *icindekiler = Test::denetim<QAction>(&f, "IcindekilerMenusu");
    // The menu shows the key.
    QCOMPARE(icindekiler->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(icindekiler->text(), QStringLiteral("İç&indekiler"));

    QTest::keyClick(f.focusWidget() ? f.focusWidget() : &f, Qt::Key_F1);
    QCOMPARE(m_tarayici.acilanlar, QList<QUrl>{QUrl::fromLocalFile(kilavuz + QStringLiteral("index.html"))});
    Test::denetim<QAction>(&f, "DizinMenusu")->trigger();
    icindekiler->trigger();
    QCOMPARE(m_tarayici.acilanlar,
             (QList<QUrl>{QUrl::fromLocalFile(kilavuz + QStringLiteral("index.html")),
                          QUrl::fromLocalFile(kilavuz + QStringLiteral("dizin.html")),
                          QUrl::fromLocalFile(kilavuz + QStringLiteral("index.html"))}));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void YardimTesti::kilavuzYoksaBildirilir()
{
    // Only the contents page there: "Dizin..." says which file is missing; nothing opens.
    const QString kilavuz = ortam->programKlasoru() + QStringLiteral("kilavuz/");
    dosyaYaz(kilavuz + QStringLiteral("index.html"));
    AnaForm f(false);
    Test::denetim<QAction>(&f, "DizinMenusu")->trigger();
    QVERIFY(m_tarayici.acilanlar.isEmpty());
    QCOMPARE(ortam->mesajlar->metinler(),
             QStringList{QStringLiteral("Kullanım kılavuzu bulunamadı!\r\n\r\nAranan dosya: ") + kilavuz
                         + QStringLiteral("dizin.html\r\n\r\nKılavuz programla birlikte kurulur; programı yeniden "
                                          "kurmak onu geri getirir.")});
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Uyari);
    // A folder where the page should be is not a page.
    QVERIFY(QDir().mkpath(kilavuz + QStringLiteral("dizin.html")));
    QVERIFY(!Yardim::ac(Yardim::Sayfa::Dizin));
    QVERIFY(m_tarayici.acilanlar.isEmpty());
}

void YardimTesti::kilavuzunSayfalariTam()
{
    // The guide as the build copies it beside the executable (what the package installs).
    const QDir kilavuz(QStringLiteral(ZELVORA_KILAVUZ));
    const QStringList sayfalar = kilavuz.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    QVERIFY2(sayfalar.contains(QStringLiteral("index.html")) && sayfalar.contains(QStringLiteral("dizin.html")),
             qPrintable(kilavuz.path()));
    QVERIFY(sayfalar.size() >= 9);
    static const QRegularExpression baglanti(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    static const QRegularExpression kimlik(QStringLiteral("id=\"([^\"]+)\""));
    QSet<QString> kullanilanlar;
    for (const QString &sayfa : sayfalar) {
        const QString metin = oku(kilavuz.filePath(sayfa));
        QVERIFY2(metin.startsWith(QStringLiteral("<!DOCTYPE html>")) && metin.contains(QStringLiteral("<html lang=\"tr\">"))
                     && metin.contains(QStringLiteral("<meta charset=\"utf-8\">")),
                 qPrintable(sayfa));
        // Every page leads back to the contents and the index.
        QVERIFY2(metin.contains(QStringLiteral("href=\"index.html\"")) && metin.contains(QStringLiteral("href=\"dizin.html\"")),
                 qPrintable(sayfa));
        for (auto it = baglanti.globalMatch(metin); it.hasNext();) {
            const QString hedef = it.next().captured(1);
            // The guide opens from the disk with no network: nothing is fetched from outside.
            QVERIFY2(!hedef.contains(QStringLiteral("://")), qPrintable(sayfa + QStringLiteral(": ") + hedef));
            const QString dosya = hedef.section(QLatin1Char('#'), 0, 0);
            const QString capa = hedef.section(QLatin1Char('#'), 1);
            const QString hedefDosya = dosya.isEmpty() ? sayfa : dosya;
            QVERIFY2(kilavuz.exists(hedefDosya), qPrintable(sayfa + QStringLiteral(" links to a missing ") + hedef));
            kullanilanlar.insert(hedefDosya);
            if (!capa.isEmpty()) {
                QStringList kimlikler;
                const QString hedefMetni = oku(kilavuz.filePath(hedefDosya));
                for (auto k = kimlik.globalMatch(hedefMetni); k.hasNext();)
                    kimlikler << k.next().captured(1);
                QVERIFY2(kimlikler.contains(capa), qPrintable(sayfa + QStringLiteral(" links to a missing ") + hedef));
            }
        }
    }
    // Every page and every picture is reached from somewhere; every page is in the contents.
    for (const QString &dosya : kilavuz.entryList(QDir::Files))
        QVERIFY2(kullanilanlar.contains(dosya), qPrintable(dosya + QStringLiteral(" is not linked from any page")));
    const QString icindekiler = oku(kilavuz.filePath(QStringLiteral("index.html")));
    for (const QString &sayfa : sayfalar)
        QVERIFY2(sayfa == QStringLiteral("index.html") || icindekiler.contains(QStringLiteral("href=\"") + sayfa),
                 qPrintable(sayfa + QStringLiteral(" is not in the contents")));
}

QTEST_MAIN(YardimTesti)
#include "tst_Yardim.moc"

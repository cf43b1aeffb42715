// The main window's saved geometry and state, on a screen whose area does not start at
// the origin of the desktop (as with a panel on the left and at the top), and the
// toolbar that no right click can hide.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "jobs/IsListesi.h"
#include "ui/AnaForm.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

using namespace Zelvora;

namespace {
// The screen of this test program: 1280 x 1024 at (100, 60) of the desktop.
const QRect Ekran(100, 60, 1280, 1024);

QString ayar(const QString &anahtar)
{
    return Ayarlar::oku(AyarAdi::Ayarlar, anahtar, QString());
}
} // namespace

class AnaFormKonumuTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void konumHerAcilistaAyniKalir();
    void gizliBaslayipCikinceKonumYazilmaz();
    void buyutulmusPencereBuyutulmusAcilir();
    void dugmeCubuguGizlenemez();
    void olcusuzDegerlerEkranaSigar();

private:
    std::unique_ptr<Test::Ortam> ortam;
};

void AnaFormKonumuTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
    Tercihler::ArkaplandaCalissin = 1;
}

void AnaFormKonumuTesti::cleanup()
{
    ortam.reset();
}

void AnaFormKonumuTesti::konumHerAcilistaAyniKalir()
{
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), Ekran);
    QPoint ilkKonum;
    QSize ilkBoyut;
    {
        AnaForm f(true);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        // No saved state: centred on the screen, 400 twips less than its height.
        QVERIFY(Ekran.contains(f.frameGeometry().center(), true));
        f.resize(900, 700);
        f.move(Ekran.left() + 150, Ekran.top() + 120);
        QTRY_COMPARE(f.pos(), QPoint(Ekran.left() + 150, Ekran.top() + 120));
        ilkKonum = f.pos();
        ilkBoyut = f.size();
        f.Cikis();
    }
    QCOMPARE(ayar(AyarAdi::BaslamaKonumu), QStringLiteral("0"));
    QCOMPARE(ayar(AyarAdi::Genislik), QString::number(900 * 15));
    QCOMPARE(ayar(AyarAdi::Yukseklik), QString::number(700 * 15));
    const QString sol = ayar(AyarAdi::SolBosluk);
    const QString ust = ayar(AyarAdi::UstBosluk);
    // Three more starts: the window comes back where it was left, every time.
    for (int i = 0; i < 3; ++i) {
        AnaForm f(true);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.pos(), ilkKonum);
        QCOMPARE(f.size(), ilkBoyut);
        f.Cikis();
        QCOMPARE(ayar(AyarAdi::SolBosluk), sol);
        QCOMPARE(ayar(AyarAdi::UstBosluk), ust);
    }
}

void AnaFormKonumuTesti::gizliBaslayipCikinceKonumYazilmaz()
{
    Ayarlar::yaz(AyarAdi::BaslamaKonumu, QStringLiteral("2"));
    Ayarlar::yaz(AyarAdi::Yukseklik, QStringLiteral("9000"));
    Ayarlar::yaz(AyarAdi::Genislik, QStringLiteral("12000"));
    Ayarlar::yaz(AyarAdi::UstBosluk, QStringLiteral("1500"));
    Ayarlar::yaz(AyarAdi::SolBosluk, QStringLiteral("3000"));
    {
        // Started with "-Simge" and ended with "Çıkış" from the tray, never shown.
        AnaForm f(false);
        QVERIFY(f.windowState() & Qt::WindowMaximized); // the saved state is applied at load
        QVERIFY(!f.isVisible());
        f.Cikis();
    }
    QCOMPARE(ayar(AyarAdi::BaslamaKonumu), QStringLiteral("2"));
    QCOMPARE(ayar(AyarAdi::Yukseklik), QStringLiteral("9000"));
    QCOMPARE(ayar(AyarAdi::Genislik), QStringLiteral("12000"));
    QCOMPARE(ayar(AyarAdi::UstBosluk), QStringLiteral("1500"));
    QCOMPARE(ayar(AyarAdi::SolBosluk), QStringLiteral("3000"));

    // Shown from the tray ("Göster" brings it up normal): what was shown is saved.
    {
        AnaForm f(false);
        f.Goster();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(!f.isMaximized());
        QCOMPARE(f.size(), QSize(800, 600));
        f.Cikis();
    }
    QCOMPARE(ayar(AyarAdi::BaslamaKonumu), QStringLiteral("0"));
    QCOMPARE(ayar(AyarAdi::Genislik), QStringLiteral("12000"));
}

void AnaFormKonumuTesti::buyutulmusPencereBuyutulmusAcilir()
{
    Ayarlar::yaz(AyarAdi::BaslamaKonumu, QStringLiteral("2"));
    Ayarlar::yaz(AyarAdi::Genislik, QStringLiteral("12000"));
    {
        AnaForm f(true);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_VERIFY(f.isMaximized());
        f.Cikis();
    }
    // Maximised at exit: the state is kept, the normal size saved earlier too.
    QCOMPARE(ayar(AyarAdi::BaslamaKonumu), QStringLiteral("2"));
    QCOMPARE(ayar(AyarAdi::Genislik), QStringLiteral("12000"));
}

void AnaFormKonumuTesti::dugmeCubuguGizlenemez()
{
    AnaForm f(true);
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    for (QWidget *w : {static_cast<QWidget *>(Test::denetim<QToolBar>(&f, "DugmeCubugu")), static_cast<QWidget *>(f.menuBar())}) {
        const QPoint p(w->width() - 3, w->height() / 2);
        QContextMenuEvent olay(QContextMenuEvent::Mouse, p, w->mapToGlobal(p));
        QApplication::sendEvent(w, &olay);
        QTest::qWait(20);
        QVERIFY2(!QApplication::activePopupWidget(), qPrintable(w->objectName()));
        for (QMenu *m : f.findChildren<QMenu *>())
            QVERIFY2(!m->isVisible(), qPrintable(m->title()));
    }
    QVERIFY(Test::denetim<QToolBar>(&f, "DugmeCubugu")->isVisible());
}

void AnaFormKonumuTesti::olcusuzDegerlerEkranaSigar()
{
    // Sizes and places no screen can hold, and a column width past any number of pixels.
    Ayarlar::yaz(AyarAdi::Yukseklik, QStringLiteral("99999999"));
    Ayarlar::yaz(AyarAdi::Genislik, QStringLiteral("1e12"));
    Ayarlar::yaz(AyarAdi::UstBosluk, QStringLiteral("-1e15"));
    Ayarlar::yaz(AyarAdi::SolBosluk, QStringLiteral("1e15"));
    const QString liste = AyarAdi::Liste(1);
    Ayarlar::yaz(liste, QStringLiteral("Genislik-1"), QStringLiteral("1e12"));
    Ayarlar::yaz(liste, QStringLiteral("Genislik-3"), QStringLiteral("nan"));
    Ayarlar::yaz(liste, QStringLiteral("Konum-2"), QStringLiteral("1e12"));
    {
        AnaForm f(true);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(f.width() <= Ekran.width());
        QVERIFY(f.height() <= Ekran.height());
        QVERIFY(Ekran.intersects(f.frameGeometry()));
        QHeaderView *h = Test::denetim<IsListesi>(&f, "YapilacakIslerListesi")->header();
        QVERIFY(h->sectionSize(0) > 0);
        QVERIFY(h->sectionSize(0) <= Ekran.width());
        QCOMPARE(h->sectionSize(2), 1500 / 15); // not a number: the design width
        QCOMPARE(h->visualIndex(1), 1);          // a position past any integer: its own
        f.Cikis();
    }
    // What is saved back is what was shown.
    QVERIFY(ayar(AyarAdi::Yukseklik).toInt() <= Ekran.height() * 15);
    QVERIFY(ayar(AyarAdi::Genislik).toInt() <= Ekran.width() * 15);
    const int sutun = Ayarlar::oku(liste, QStringLiteral("Genislik-1"), QString()).toInt();
    QVERIFY(sutun > 0);
    QVERIFY(sutun <= Ekran.width() * 15);
}

int main(int argc, char **argv)
{
    // An offscreen screen placed away from the desktop's origin.
    QTemporaryDir klasor;
    const QString dosya = klasor.path() + QStringLiteral("/ekran.json");
    QFile f(dosya);
    if (!f.open(QIODevice::WriteOnly))
        return 2;
    f.write(QStringLiteral(R"({"screens":[{"name":"E","x":%1,"y":%2,"width":%3,"height":%4,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                .arg(Ekran.x())
                .arg(Ekran.y())
                .arg(Ekran.width())
                .arg(Ekran.height())
                .toUtf8());
    f.close();
    qputenv("QT_QPA_PLATFORM", (QStringLiteral("offscreen:configfile=") + dosya).toUtf8());
    QApplication uygulama(argc, argv);
    AnaFormKonumuTesti t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_AnaFormKonumu.moc"

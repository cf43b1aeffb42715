// The about and error-report windows: their texts, the links with their underline and
// targets, and the main window's menu entries that open the tool and help windows.

#include "TestOrtami.h"

#include "Surum.h"
#include "core/Platform.h"
#include "core/ProgramBilgisi.h"
#include "tools/AramaIslemleriFormu.h"
#include "tools/SureHesaplamaFormu.h"
#include "ui/AnaForm.h"
#include "ui/BaglantiEtiketi.h"
#include "ui/HakkindaFormu.h"
#include "ui/HataBildirmeFormu.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace Zelvora;

// Takes the links the windows open instead of a browser or mail program.
class Baglantilar : public QObject {
    Q_OBJECT
public Q_SLOTS:
    void ac(const QUrl &u) { acilanlar << u; }

public:
    QList<QUrl> acilanlar;
};

class HakkindaHataBildirmeTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        for (const char *sema : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(sema), &m_baglantilar, "ac");
    }
    void init()
    {
        ortam = std::make_unique<Test::Ortam>();
        m_baglantilar.acilanlar.clear();
    }
    void cleanup() { ortam.reset(); }
    void hakkinda();
    void hataBildirme();
    void menulerdenAcilis();

private:
    // The pointer moved over the window to a point of w, as the window system reports
    // it: the window hands the move to whatever widget lies there.
    static void gec(QWidget *w, QPoint p = QPoint(3, 3))
    {
        QWidget *pencere = w->window();
        QCOMPARE(pencere->childAt(w->mapTo(pencere, p)), w == pencere ? nullptr : w);
        QTest::mouseMove(pencere->windowHandle(), w->mapTo(pencere, p));
    }
    // A point of w itself, not of a child of it, beside the given widget's right edge
    // (or below it when there is no room).
    static QPoint yanindakiNokta(QWidget *w, QWidget *yani)
    {
        QWidget *pencere = w->window();
        const QRect r(yani->mapTo(pencere, QPoint(0, 0)), yani->size());
        for (int dx = 1; dx < pencere->width(); ++dx) {
            for (const QPoint p : {QPoint(r.right() + dx, r.center().y()), QPoint(r.center().x(), r.bottom() + dx)}) {
                if (pencere->rect().contains(p) && pencere->childAt(p) == w)
                    return w->mapFrom(pencere, p);
            }
        }
        qWarning("no free point of %s beside %s", qPrintable(w->objectName()), qPrintable(yani->objectName()));
        return QPoint();
    }
    static QLabel *etiket(const QObject *f, int i)
    {
        return Test::denetim<QLabel>(f, qPrintable(QStringLiteral("Etiket%1").arg(i)));
    }
    std::unique_ptr<Test::Ortam> ortam;
    Baglantilar m_baglantilar;
};

void HakkindaHataBildirmeTesti::hakkinda()
{
    HakkindaFormu f;
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    auto *resim = Test::denetim<QLabel>(&f, "PencereResmi");
    auto *altlik = Test::denetim<QWidget>(&f, "Altlik");
    auto *kullanici = Test::denetim<QLabel>(&f, "KullaniciAdiEtiketi");
    auto *kurulus = Test::denetim<QLabel>(&f, "KurulusAdiEtiketi");
    auto *simge = Test::denetim<QLabel>(&f, "SimgeKutusu");
    QCOMPARE(f.windowTitle(), QStringLiteral("Hakkında"));
    QVERIFY(!resim->pixmap().isNull());
    QCOMPARE(resim->size(), QSize(210, 310));
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("Zelvora"));
    // The build's own version.
    QCOMPARE(etiket(&f, 1)->text(), QStringLiteral("Sürüm %1.%2.%3").arg(ZELVORA_SURUM_ANA).arg(ZELVORA_SURUM_ALT)
                                        .arg(ZELVORA_SURUM_DUZELTME));
    QCOMPARE(etiket(&f, 2)->text(), ProgramBilgisi::yasalUyari());
    QCOMPARE(etiket(&f, 3)->text(), QStringLiteral("Tavrek"));
    QCOMPARE(etiket(&f, 4)->text() + etiket(&f, 5)->text(), QStringLiteral("Kullanıcı Adı:"));
    QCOMPARE(etiket(&f, 6)->text() + etiket(&f, 7)->text(), QStringLiteral("Kuruluş Adı:"));
    QCOMPARE(kullanici->text(), Platform::kayitliKullaniciAdi());
    // A screen reader gets the caption and the value.
    QCOMPARE(QAccessible::queryAccessibleInterface(kullanici)->text(QAccessible::Name),
             QStringLiteral("Kullanıcı Adı: ") + Platform::kayitliKullaniciAdi());
    QVERIFY(QAccessible::queryAccessibleInterface(kurulus)->text(QAccessible::Name)
                .startsWith(QStringLiteral("Kuruluş Adı: ")));
    QCOMPARE(kurulus->text(), QString());
    QVERIFY(!simge->pixmap().isNull());
    QCOMPARE(altlik->palette().color(QPalette::Window), QColor(Qt::white));

    // The web link: blue, hand pointer, underlined while the pointer is over it.
    auto *b = Test::denetim<BaglantiEtiketi>(&f, "TAVREKEtiketi");
    QCOMPARE(b->hedef(), QUrl(ProgramBilgisi::webSitesi()));
    QVERIFY(ProgramBilgisi::webSitesi().contains(b->text()));
    QCOMPARE(b->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!b->altiCizili());
    // The pointer comes into the window over its background, onto the link, and off it
    // onto any widget around it: the underline goes.
    gec(altlik, yanindakiNokta(altlik, b));
    for (QWidget *yani : {static_cast<QWidget *>(etiket(&f, 3)), static_cast<QWidget *>(simge), altlik,
                          static_cast<QWidget *>(kullanici)}) {
        gec(b);
        QVERIFY(b->altiCizili());
        gec(yani, yani == altlik ? yanindakiNokta(altlik, b) : yani->rect().center());
        QVERIFY2(!b->altiCizili(), qPrintable(yani->objectName()));
    }
    gec(b);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(m_baglantilar.acilanlar, QList<QUrl>{QUrl(ProgramBilgisi::webSitesi())});
    QVERIFY(f.isVisible());
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    QTest::keyClick(&f, Qt::Key_Escape);
    QVERIFY(!f.isVisible());
}

void HakkindaHataBildirmeTesti::hataBildirme()
{
    HataBildirmeFormu f;
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    auto *altlik = Test::denetim<QWidget>(&f, "Altlik");
    auto *tamam = Test::denetim<QPushButton>(&f, "TamamButonu");
    QCOMPARE(f.windowTitle(), QStringLiteral("Hata Bildirme"));
    QCOMPARE(etiket(&f, 0)->text(), QStringLiteral("Hataları Bildirin!"));
    QCOMPARE(etiket(&f, 1)->text(), QStringLiteral("Lütfen, programda gördüğünüz hataları aşağıdaki yollardan biri ile bize "
                                                   "iletiniz.\nİlginiz için şimdiden teşekkürler..."));
    QVERIFY(!Test::denetim<QLabel>(&f, "SimgeKutusu")->pixmap().isNull());
    QCOMPARE(tamam->text(), QStringLiteral("Tamam"));
    QTRY_COMPARE(QApplication::focusWidget(), altlik);

    auto *web = Test::denetim<BaglantiEtiketi>(&f, "WebEtiketi");
    auto *eposta = Test::denetim<BaglantiEtiketi>(&f, "EPostaEtiketi");
    QCOMPARE(web->text(), QStringLiteral("Mesaj Gönder"));
    QCOMPARE(eposta->text(), QStringLiteral("E-Posta Gönder"));
    QCOMPARE(eposta->toolTip(), ProgramBilgisi::destekEPostasi());
    for (BaglantiEtiketi *b : {web, eposta}) {
        QCOMPARE(b->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }
    // Straight from one link to the other: only the latter stays underlined; whatever
    // lies around them (the frame they sit in, the texts, the background) leaves neither.
    gec(altlik, yanindakiNokta(altlik, tamam));
    QVERIFY(!web->altiCizili() && !eposta->altiCizili());
    gec(web);
    QVERIFY(web->altiCizili());
    gec(eposta);
    QVERIFY(eposta->altiCizili());
    QVERIFY(!web->altiCizili());
    for (BaglantiEtiketi *b : {web, eposta}) {
        for (QWidget *yani : {static_cast<QWidget *>(Test::denetim<QFrame>(&f, "Cerceve")),
                              static_cast<QWidget *>(etiket(&f, 1)), altlik}) {
            gec(b);
            QVERIFY(b->altiCizili());
            gec(yani, yani == etiket(&f, 1) ? yani->rect().center() : yanindakiNokta(yani, b));
            QVERIFY2(!web->altiCizili() && !eposta->altiCizili(), qPrintable(yani->objectName()));
        }
    }

    QTest::mouseClick(web, Qt::LeftButton);
    QTest::mouseClick(eposta, Qt::LeftButton);
    QCOMPARE(m_baglantilar.acilanlar.size(), 2);
    QCOMPARE(m_baglantilar.acilanlar[0].toString(),
             ProgramBilgisi::webSitesi() + QStringLiteral("/asp/mesaj/mesaj.asp?ProgramAdi=Zelvora"));
    QCOMPARE(m_baglantilar.acilanlar[1], ProgramBilgisi::ePostaBaglantisi());
    QCOMPARE(m_baglantilar.acilanlar[1].path(), ProgramBilgisi::destekEPostasi());
    // From the keyboard too.
    eposta->setFocus();
    QTest::keyClick(eposta, Qt::Key_Return);
    QCOMPARE(m_baglantilar.acilanlar.size(), 3);
    QVERIFY(f.isVisible());
    QTest::mouseClick(tamam, Qt::LeftButton);
    QVERIFY(!f.isVisible());
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_Escape);
    QVERIFY(!f.isVisible());
}

void HakkindaHataBildirmeTesti::menulerdenAcilis()
{
    ortam->veritabaniniAc();
    AnaForm a(false);
    a.show();
    QVERIFY(QTest::qWaitForWindowActive(&a));
    for (QAction *m : {Test::denetim<QAction>(&a, "SureHesaplamaMenusu"), Test::denetim<QAction>(&a, "BulMenusu"), Test::denetim<QAction>(&a, "HataBildirmeMenusu"), Test::denetim<QAction>(&a, "HakkindaMenusu")})
        QVERIFY(m->isEnabled());
    // Each entry reached with the keyboard: Alt and the menu's letter, then the entry's
    // letter or the arrows. Alt+Y is also the job list's label: a second press opens
    // the menu.
    auto menuAc = [&](QMenu *menu, Qt::Key harf) {
        for (int i = 0; i < 2 && !menu->isVisible(); ++i) {
            QTest::keyClick(&a, harf, Qt::AltModifier);
            QTest::qWait(50);
        }
        QTRY_VERIFY(menu->isVisible());
    };
    struct Yol {
        QMenu *menu;
        Qt::Key menuHarfi;
        QList<int> tuslar;
        const QMetaObject *pencere;
    };
    const Yol yollar[] = {
        {Test::denetim<QMenu>(&a, "ProgramMenusu"), Qt::Key_P, {Qt::Key_H}, &SureHesaplamaFormu::staticMetaObject},
        {Test::denetim<QMenu>(&a, "YardimMenusu"), Qt::Key_Y, {Qt::Key_H}, &HataBildirmeFormu::staticMetaObject},
        {Test::denetim<QMenu>(&a, "YardimMenusu"), Qt::Key_Y, {Qt::Key_Up, Qt::Key_Return}, &HakkindaFormu::staticMetaObject},
    };
    for (const Yol &y : yollar) {
        const QMetaObject *acilan = nullptr;
        Test::modalGelince([&](QWidget *w) {
            acilan = w->metaObject();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        menuAc(y.menu, y.menuHarfi);
        for (int t : y.tuslar)
            QTest::keyClick(y.menu, Qt::Key(t));
        QTRY_VERIFY(acilan);
        QCOMPARE(acilan, y.pencere);
        a.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&a));
    }
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    a.hide();
}

QTEST_MAIN(HakkindaHataBildirmeTesti)
#include "tst_HakkindaHataBildirme.moc"

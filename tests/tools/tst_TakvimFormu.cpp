// The calendar date picker: month sheets, month and year changes, keys, results.

#include "TestOrtami.h"

#include "tools/TakvimFormu.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <QtTest/qtestspontaneevent.h>

#include <memory>

using namespace Zelvora;

class TakvimFormuTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { ortam = std::make_unique<Test::Ortam>(); }
    void cleanup()
    {
        m_form.reset();
        ortam.reset();
    }
    void ayYapragi_data();
    void ayYapragi();
    void baslangicTarihi_data();
    void baslangicTarihi();
    void kullanicininAyVeYilSecimi();
    void oklarAyinKenarindaDurur();
    void sonuclar();
    void listelerdeEnterIlerler();

private:
    TakvimFormu *ac(const QString &tarih)
    {
        m_form = std::make_unique<TakvimFormu>();
        m_form->SecilenTarihBilgisi = tarih;
        m_form->show();
        if (!QTest::qWaitForWindowActive(m_form.get()))
            qWarning("calendar window did not become active");
        return m_form.get();
    }
    void tus(Qt::Key k) { QTest::keyClick(Test::denetim<QWidget>(m_form.get(), "Altlik"), k); }
    QString secilen() const { return m_form->SecilenTarihBilgisi; }
    // Day cell i of the sheet.
    static QLabel *gun(const QObject *f, int i)
    {
        return Test::denetim<QLabel>(f, qPrintable(QStringLiteral("GunEtiketi%1").arg(i)));
    }
    std::unique_ptr<Test::Ortam> ortam;
    std::unique_ptr<TakvimFormu> m_form;
};

void TakvimFormuTesti::ayYapragi_data()
{
    QTest::addColumn<QString>("tarih");
    QTest::addColumn<int>("ilkHucre"); // cell of the 1st
    QTest::addColumn<int>("sonGun");
    QTest::newRow("Şubat 2027 Pazartesi başlar") << QStringLiteral("10.02.2027") << 0 << 28;
    QTest::newRow("Şubat 2028 Salı, 29 gün") << QStringLiteral("10.02.2028") << 1 << 29;
    QTest::newRow("Mart 2026 Pazar, altıncı satır") << QStringLiteral("10.03.2026") << 6 << 31;
}

void TakvimFormuTesti::ayYapragi()
{
    QFETCH(QString, tarih);
    QFETCH(int, ilkHucre);
    QFETCH(int, sonGun);
    TakvimFormu *f = ac(tarih);
    for (int i = 0; i < TakvimFormu::HucreSayisi; ++i) {
        const int gun = i - ilkHucre + 1;
        const auto *h = f->findChild<QLabel *>(QStringLiteral("GunEtiketi") + QString::number(i));
        QCOMPARE(h->text(), gun >= 1 && gun <= sonGun ? QString::number(gun) : QString());
    }
    QCOMPARE(f->findChild<QLabel *>(QStringLiteral("GunAdlariEtiketi0"))->text(), QStringLiteral("Pzt"));
    QCOMPARE(f->findChild<QLabel *>(QStringLiteral("GunAdlariEtiketi6"))->text(), QStringLiteral("Paz"));
    // The 10th is selected: the frame sits on its cell, 80 twips (5 pixels) higher.
    QCOMPARE(f->seciliHucre(), ilkHucre + 9);
    const QLabel *h = gun(f, ilkHucre + 9);
    auto *cerceve = f->findChild<QFrame *>(QStringLiteral("SecilenTarihCercevesi"));
    QVERIFY(cerceve->isVisible());
    QCOMPARE(cerceve->pos(), QPoint(h->x(), h->y() - 5));
    QCOMPARE(f->findChild<QLabel *>(QStringLiteral("SecilenTarihEtiketi"))->text(), tarih);
    QTRY_COMPARE(QApplication::focusWidget(), Test::denetim<QWidget>(f, "Altlik"));
}

void TakvimFormuTesti::baslangicTarihi_data()
{
    QTest::addColumn<QString>("baslangic");
    QTest::addColumn<QString>("gosterilen");
    // Not a date, or a year the list cannot show: today (7 December 2026).
    QTest::newRow("tarih değil") << QStringLiteral("abc") << QStringLiteral("07.12.2026");
    QTest::newRow("1900 öncesi") << QStringLiteral("31.12.1899") << QStringLiteral("07.12.2026");
    QTest::newRow("2100 sonrası") << QStringLiteral("01.01.2101") << QStringLiteral("07.12.2026");
    QTest::newRow("son gün") << QStringLiteral("31.12.2100") << QStringLiteral("31.12.2100");
}

void TakvimFormuTesti::baslangicTarihi()
{
    QFETCH(QString, baslangic);
    QFETCH(QString, gosterilen);
    TakvimFormu *f = ac(baslangic);
    QCOMPARE(secilen(), gosterilen);
    QCOMPARE(Test::denetim<QComboBox>(f, "YilKutusu")->count(), 201);
    QCOMPARE(Test::denetim<QComboBox>(f, "YilKutusu")->currentText(), gosterilen.right(4));
    QCOMPARE(Test::denetim<QListWidget>(f, "AyKutusu")->currentRow() + 1, gosterilen.mid(3, 2).toInt());
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void TakvimFormuTesti::kullanicininAyVeYilSecimi()
{
    // 31 January, then February chosen: the 1st, not the 28th.
    TakvimFormu *f = ac(QStringLiteral("31.01.2027"));
    QCOMPARE(Test::denetim<QListWidget>(f, "AyKutusu")->item(1)->text(), QStringLiteral("Şubat"));
    Test::denetim<QListWidget>(f, "AyKutusu")->setFocus();
    QTest::keyClick(Test::denetim<QListWidget>(f, "AyKutusu"), Qt::Key_Down);
    QCOMPARE(secilen(), QStringLiteral("01.02.2027"));
    QCOMPARE(f->seciliHucre(), 0);
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QWidget>(f, "Altlik"));

    // A day the new month has stays selected; 29 February falls back to the 1st.
    QTest::mouseClick(gun(f, 19), Qt::LeftButton);
    QCOMPARE(secilen(), QStringLiteral("20.02.2027"));
    Test::denetim<QComboBox>(f, "YilKutusu")->setFocus();
    QTest::keyClick(Test::denetim<QComboBox>(f, "YilKutusu"), Qt::Key_Down);
    QCOMPARE(secilen(), QStringLiteral("20.02.2028"));
    QTest::mouseClick(gun(f, 29), Qt::LeftButton);
    QCOMPARE(secilen(), QStringLiteral("29.02.2028"));
    Test::denetim<QComboBox>(f, "YilKutusu")->setFocus();
    QTest::keyClick(Test::denetim<QComboBox>(f, "YilKutusu"), Qt::Key_Down);
    QCOMPARE(secilen(), QStringLiteral("01.02.2029"));

    // "Bugüne Git" shows today's month and day.
    ortam->saat->an = QDateTime(QDate(2028, 2, 29), QTime(10, 0));
    QTest::mouseClick(Test::denetim<QPushButton>(f, "BuguneGitDugmesi"), Qt::LeftButton);
    QCOMPARE(Test::denetim<QComboBox>(f, "YilKutusu")->currentText(), QStringLiteral("2028"));
    QCOMPARE(Test::denetim<QListWidget>(f, "AyKutusu")->currentRow(), 1);
    QCOMPARE(secilen(), QStringLiteral("29.02.2028"));
}

void TakvimFormuTesti::oklarAyinKenarindaDurur()
{
    TakvimFormu *f = ac(QStringLiteral("28.02.2027"));
    tus(Qt::Key_Right); // last day
    tus(Qt::Key_Down);
    QCOMPARE(secilen(), QStringLiteral("28.02.2027"));
    tus(Qt::Key_Left);
    tus(Qt::Key_Up);
    QCOMPARE(secilen(), QStringLiteral("20.02.2027"));
    QTest::mouseClick(gun(f, 0), Qt::LeftButton);
    tus(Qt::Key_Left); // first day
    tus(Qt::Key_Up);
    QCOMPARE(secilen(), QStringLiteral("01.02.2027"));

    // March 2026: empty cells are not selectable; the 31st is cell 36 and nothing lies below.
    f = ac(QStringLiteral("24.03.2026"));
    QTest::mouseClick(gun(f, 3), Qt::LeftButton);
    QCOMPARE(secilen(), QStringLiteral("24.03.2026"));
    tus(Qt::Key_Down);
    QCOMPARE(f->seciliHucre(), 36);
    tus(Qt::Key_Down);
    tus(Qt::Key_Right);
    QCOMPARE(secilen(), QStringLiteral("31.03.2026"));
    QTest::mouseClick(gun(f, 6), Qt::LeftButton);
    tus(Qt::Key_Left);
    QCOMPARE(secilen(), QStringLiteral("01.03.2026"));
    QCOMPARE(Test::denetim<QListWidget>(f, "AyKutusu")->currentRow(), 2);
}

void TakvimFormuTesti::sonuclar()
{
    TakvimFormu *f = ac(QStringLiteral("10.03.2026"));
    tus(Qt::Key_Right);
    tus(Qt::Key_Return); // Enter is "Tamam"
    QVERIFY(!f->isVisible());
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(secilen(), QStringLiteral("11.03.2026"));

    ac(QStringLiteral("10.03.2026"));
    tus(Qt::Key_Escape);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(secilen(), QString());

    f = ac(QStringLiteral("10.03.2026"));
    QTest::mouseClick(Test::denetim<QPushButton>(f, "IptalDugmesi"), Qt::LeftButton);
    QCOMPARE(secilen(), QString());

    // The close box keeps the last selection.
    f = ac(QStringLiteral("10.03.2026"));
    tus(Qt::Key_Up);
    QCloseEvent kapat;
    QSpontaneKeyEvent::setSpontaneous(&kapat);
    QApplication::instance()->notify(f, &kapat);
    QVERIFY(!f->isVisible());
    QCOMPARE(secilen(), QStringLiteral("03.03.2026"));

    // Modal, as the callers run it, and on top when asked.
    m_form = std::make_unique<TakvimFormu>();
    m_form->SecilenTarihBilgisi = QStringLiteral("05.06.2026");
    m_form->ustteTut(true);
    QVERIFY(m_form->windowFlags() & Qt::WindowStaysOnTopHint);
    Test::modalGelince([](QWidget *w) {
        auto *t = qobject_cast<TakvimFormu *>(w);
        QVERIFY(t);
        QTest::keyClick(Test::denetim<QWidget>(t, "Altlik"), Qt::Key_Down);
        QTest::mouseClick(Test::denetim<QPushButton>(t, "TamamDugmesi"), Qt::LeftButton);
    });
    QCOMPARE(m_form->exec(), int(QDialog::Accepted));
    QCOMPARE(secilen(), QStringLiteral("12.06.2026"));
}

void TakvimFormuTesti::listelerdeEnterIlerler()
{
    TakvimFormu *f = ac(QStringLiteral("10.03.2026"));
    // Enter in the month list and in the closed year list moves on as Tab; it does not
    // close the window with the date half chosen.
    Test::denetim<QListWidget>(f, "AyKutusu")->setFocus();
    QTest::keyClick(Test::denetim<QListWidget>(f, "AyKutusu"), Qt::Key_Down);
    QCOMPARE(Test::denetim<QListWidget>(f, "AyKutusu")->currentRow(), 3);
    QTest::keyClick(Test::denetim<QListWidget>(f, "AyKutusu"), Qt::Key_Return);
    QVERIFY(f->isVisible());
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QComboBox>(f, "YilKutusu"));
    QTest::keyClick(Test::denetim<QComboBox>(f, "YilKutusu"), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(f->isVisible());
    QCOMPARE(QApplication::focusWidget(), Test::denetim<QWidget>(f, "Altlik"));
    QCOMPARE(secilen(), QStringLiteral("10.04.2026"));
    // The grid's Enter accepts.
    tus(Qt::Key_Return);
    QVERIFY(!f->isVisible());
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(secilen(), QStringLiteral("10.04.2026"));
}

QTEST_MAIN(TakvimFormuTesti)
#include "tst_TakvimFormu.moc"

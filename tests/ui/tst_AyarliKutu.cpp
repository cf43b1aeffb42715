// The spin box control: bounds the old way round, typing rules, arrow keys and
// buttons, the range message on leaving, the unit text and sizing.

#include "TestOrtami.h"

#include "ui/AyarliKutu.h"
#include "ui/OrtakDenetimler.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QCheckBox>
#include <QtTest>

#include <memory>

using namespace Zelvora;

class AyarliKutuTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void aralikDisiDegerleAyrilmak();
    void yazimKurallari();
    void okTuslariVeDugmeler();
    void birimEtkinlikVeBoyut();

    void erisimTusuDenetimiAtlamaz();
private:
    std::unique_ptr<Test::Ortam> ortam;
    std::unique_ptr<QWidget> pencere;
    AyarliKutu *kutu = nullptr;
    QLineEdit *sonraki = nullptr;
    QLineEdit *deger() const { return kutu->DegerKutusu; }
    QWidget *odak() const { return QApplication::focusWidget(); }
    void hepsiniYaz(const QString &metin)
    {
        deger()->setFocus();
        deger()->selectAll();
        QTest::keyClicks(deger(), metin);
    }
};

void AyarliKutuTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    pencere = std::make_unique<QWidget>();
    auto *duzen = new QVBoxLayout(pencere.get());
    kutu = new AyarliKutu(pencere.get());
    // As the preferences window has it: 1 to 20.
    kutu->setMin(20);
    kutu->setMax(1);
    kutu->setValue(3);
    kutu->setText(QStringLiteral("0"));
    sonraki = new QLineEdit(pencere.get());
    duzen->addWidget(kutu);
    duzen->addWidget(sonraki);
    pencere->show();
    QVERIFY(QTest::qWaitForWindowActive(pencere.get()));
    deger()->setFocus();
}

void AyarliKutuTesti::cleanup()
{
    pencere.reset();
    ortam.reset();
}

void AyarliKutuTesti::aralikDisiDegerleAyrilmak()
{
    hepsiniYaz(QStringLiteral("25"));
    QCOMPARE(deger()->text(), QStringLiteral("25")); // figures follow each other while typing
    QTest::keyClick(deger(), Qt::Key_Tab);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    const Test::GosterilenMesaj m = ortam->mesajlar->gosterilenler.first();
    QCOMPARE(m.metin, QStringLiteral("Belirlediğiniz değer, 1-20 arasında olmalı!"));
    QCOMPARE(m.baslik, QStringLiteral("Hatalı değer!"));
    QCOMPARE(m.simge, MesajSimgesi::Bilgi);
    QCOMPARE(kutu->Value(), 20);
    QCOMPARE(deger()->text(), QStringLiteral("20"));
    QCOMPARE(odak(), deger());

    hepsiniYaz(QStringLiteral("0"));
    QTest::keyClick(deger(), Qt::Key_Tab);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 2);
    QCOMPARE(kutu->Value(), 1);
    QCOMPARE(deger()->text(), QStringLiteral("1"));
    QCOMPARE(odak(), deger());

    // At 20 already, "25" typed over the last figure: the box still comes back to 20.
    kutu->setValue(20);
    deger()->setSelection(1, 1);
    QTest::keyClicks(deger(), QStringLiteral("5"));
    QCOMPARE(deger()->text(), QStringLiteral("25"));
    QTest::keyClick(deger(), Qt::Key_Tab);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 3);
    QCOMPARE(deger()->text(), QStringLiteral("20"));

    // A value in range is taken and the focus moves on without a word.
    hepsiniYaz(QStringLiteral("17"));
    QTest::keyClick(deger(), Qt::Key_Tab);
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 3);
    QCOMPARE(kutu->Value(), 17);
    QCOMPARE(odak(), sonraki);
}

void AyarliKutuTesti::yazimKurallari()
{
    QSignalSpy degisim(kutu, &AyarliKutu::Change);
    hepsiniYaz(QStringLiteral("1a.-/ 2"));
    QCOMPARE(deger()->text(), QStringLiteral("12"));
    QCOMPARE(kutu->Value(), 12);
    QVERIFY(degisim.count() >= 2);
    QTest::keyClick(deger(), Qt::Key_Backspace);
    QCOMPARE(deger()->text(), QStringLiteral("1"));
    QCOMPARE(kutu->Value(), 1);
    // Emptied: "0", selected, so the next figure replaces it.
    QTest::keyClick(deger(), Qt::Key_Backspace);
    QCOMPARE(deger()->text(), QStringLiteral("0"));
    QCOMPARE(deger()->selectedText(), QStringLiteral("0"));
    QCOMPARE(kutu->Value(), 1); // 0 is out of range, so the value stays
    QTest::keyClicks(deger(), QStringLiteral("9"));
    QCOMPARE(deger()->text(), QStringLiteral("9"));
    // Enter moves on as Tab does and is not typed.
    QTest::keyClick(deger(), Qt::Key_Return);
    QCOMPARE(odak(), sonraki);
    QCOMPARE(deger()->text(), QStringLiteral("9"));
    // Pasted text is read by its leading number.
    QCOMPARE(AyarliKutu::sayiDegeri(QStringLiteral(" 12abc")), 12.0);
    QCOMPARE(AyarliKutu::sayiDegeri(QStringLiteral("abc")), 0.0);
    QCOMPARE(AyarliKutu::sayiDegeri(QStringLiteral("2.5x")), 2.5);
}

void AyarliKutuTesti::okTuslariVeDugmeler()
{
    QTest::keyClick(deger(), Qt::Key_Up);
    QCOMPARE(kutu->Value(), 4);
    QCOMPARE(deger()->text(), QStringLiteral("4"));
    QCOMPARE(deger()->selectedText(), QStringLiteral("4"));
    kutu->setValue(20);
    QTest::keyClick(deger(), Qt::Key_Up);
    QCOMPARE(kutu->Value(), 20);
    kutu->setValue(1);
    QTest::keyClick(deger(), Qt::Key_Down);
    QCOMPARE(kutu->Value(), 1);
    QCOMPARE(deger()->text(), QStringLiteral("1"));

    // The buttons: the upper one counts up, the lower one down, and the focus goes
    // back to the box.
    sonraki->setFocus();
    QScrollBar *d = kutu->DegerDegistirDugmesi;
    QTest::mouseClick(d, Qt::LeftButton, {}, QPoint(d->width() / 2, 2));
    QCOMPARE(kutu->Value(), 2);
    QCOMPARE(odak(), deger());
    QTest::mouseClick(d, Qt::LeftButton, {}, QPoint(d->width() / 2, d->height() - 3));
    QCOMPARE(kutu->Value(), 1);
    QCOMPARE(deger()->text(), QStringLiteral("1"));
    QVERIFY(!(d->focusPolicy() & Qt::TabFocus)); // Tab never lands on them
}

void AyarliKutuTesti::birimEtkinlikVeBoyut()
{
    kutu->setBirim(QStringLiteral(" gün"));
    kutu->setValue(5);
    QCOMPARE(deger()->text(), QStringLiteral("5 gün"));
    sonraki->setFocus();
    QCOMPARE(deger()->text(), QStringLiteral("5 gün"));
    // Disabled: box and buttons together; the value no longer rewrites the text.
    kutu->setEnabled(false);
    QVERIFY(!deger()->isEnabled() && !kutu->DegerDegistirDugmesi->isEnabled());
    kutu->setValue(6);
    QCOMPARE(deger()->text(), QStringLiteral("5 gün"));
    kutu->setText(QString());
    QCOMPARE(deger()->text(), QStringLiteral("0"));
    kutu->setEnabled(true);
    QVERIFY(kutu->DegerDegistirDugmesi->isEnabled());
    // At least 500 twips wide, as high as the box, the buttons 295 twips from the right.
    QCOMPARE(kutu->minimumSizeHint().width(), piksel(500));
    QCOMPARE(kutu->height(), deger()->height());
    QCOMPARE(kutu->DegerDegistirDugmesi->x(), kutu->width() - piksel(295));
    // The defaults of a new control: 1 as the upper and 0 as the lower bound.
    AyarliKutu yeni;
    QCOMPARE(yeni.Min(), 1);
    QCOMPARE(yeni.Max(), 0);
    QCOMPARE(yeni.Value(), 0);
    QCOMPARE(yeni.MaxLength(), 6);
    // The length limit is on what the user types, not on the unit the control shows.
    kutu->setMin(200);
    kutu->setMaxLength(3);
    kutu->setValue(150);
    QCOMPARE(deger()->text(), QStringLiteral("150 gün"));
    hepsiniYaz(QStringLiteral("1234"));
    QCOMPARE(deger()->text(), QStringLiteral("123"));
    QCOMPARE(kutu->Value(), 123);
}

void AyarliKutuTesti::erisimTusuDenetimiAtlamaz()
{
    // A check box with an access key, as in the preferences window.
    auto *onay = new QCheckBox(QStringLiteral("İlk &Harfler"), pencere.get());
    pencere->layout()->addWidget(onay);
    onay->show();
    deger()->setFocus();
    hepsiniYaz(QStringLiteral("25"));
    QTest::keyClick(deger(), Qt::Key_H, Qt::AltModifier);
    QTest::qWait(300); // a key's click comes a moment after it
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam->mesajlar->gosterilenler.first().metin, QStringLiteral("Belirlediğiniz değer, 1-20 arasında olmalı!"));
    QVERIFY(!onay->isChecked());
    QCOMPARE(kutu->Value(), 20);
    QCOMPARE(odak(), deger());
    // With a value in range the key works as ever.
    QTest::keyClick(deger(), Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(onay->isChecked());
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
}

QTEST_MAIN(AyarliKutuTesti)
#include "tst_AyarliKutu.moc"

#pragma once
// AyarliKutu: a box for a small whole number with an up/down button pair at its right
// edge, stepping by the Up and Down keys, typing limited to the figures 0 to 9, an
// optional unit after the number, and a range check with a fixed message when the
// user leaves the box with a value outside the range.
//
// Min is the upper bound (reached with the up button and the Up key), Max the lower
// one; the pair of buttons is a vertical scroll bar whose top end is its minimum, so
// it holds the value negated.

#include <QWidget>

class QLineEdit;
class QScrollBar;

namespace Zelvora {

class AyarliKutu : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(QString Birim READ Birim WRITE setBirim)
public:
    explicit AyarliKutu(QWidget *parent = nullptr);

    int Min() const;
    void setMin(int deger);
    int Max() const;
    void setMax(int deger);
    int Value() const;
    void setValue(int deger);
    QString Text() const;
    void setText(const QString &metin);
    int MaxLength() const;
    void setMaxLength(int uzunluk);
    QString Birim() const { return m_birim; }
    void setBirim(const QString &birim);
    // Enabled is the widget's own: it enables the box and the buttons together.

    // The number a text starts with, as the old value-of-text conversion reads it:
    // blanks skipped, then figures and an optional decimal part; 0 when none.
    static double sayiDegeri(const QString &metin);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The constituent controls.
    QLineEdit *DegerKutusu = nullptr;
    QScrollBar *DegerDegistirDugmesi = nullptr;

Q_SIGNALS:
    // After every change of the box's text.
    void Change();

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void degerDegisti();
    void metinDegisti(const QString &metin);
    // The leave check; false when the focus was kept in the box.
    bool ayrilirken();
    void goster(); // the number followed by Birim
    static int yuvarla(double sayi);

    QString m_birim;
    int m_enUzun = 6; // MaxLength: figures the user may type, the unit not counted
    bool m_yaziyor = false;   // the value is being taken from the typed text
    bool m_denetleniyor = false; // the leave check is running
};

} // namespace Zelvora

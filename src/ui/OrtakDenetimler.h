#pragma once
// Behaviour shared by the windows: resources by name, select-all on focus, the label
// that turns dark red while its field has the focus, Enter moving on as Tab, and the
// saved column layout of the job lists.

#include <QColor>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>

class QComboBox;
class QHeaderView;
class QLabel;
class QLineEdit;
class QWidget;

namespace Zelvora {

constexpr int TwipPiksel = 15; // twips per pixel
inline int twip(int piksel) { return piksel * TwipPiksel; }
inline int piksel(double twips) { return int(twips / TwipPiksel + 0.5); }
// Twips (as read from the settings) in pixels, held within [enAz, enCok] pixels before
// the conversion, so that no stored value overflows it.
inline int pikselArasi(double twips, int enAz, int enCok)
{
    const double t = twips / TwipPiksel;
    return t < enAz ? enAz : t > enCok ? enCok : int(t + 0.5);
}

// Icon resources ("KLASOR", "HATIRLAT" ...) and bitmap resources ("KARSILAMA", "HAKKINDA").
QIcon Simge(const QString &ad);
QPixmap SimgeResmi(const QString &ad);
QPixmap Resim(const QString &ad);

// Selects the whole text so that typing replaces it.
void MetniSec(QLineEdit *kutu);
void MetniSec(QComboBox *kutu);

// A screen reader names a field by its caption label: the label's text without the
// access key's "&" becomes the field's accessible name (and that of the text field of a
// combo box that can be typed in).
void AdiEtikettenAl(QWidget *alan, const QLabel *etiket);

// Dark red of a focused field's caption.
inline const QColor KoyuKirmizi(128, 0, 0);

// Colours a label dark red while one of its fields has the focus.
class EtiketVurgulayici : public QObject {
    Q_OBJECT
public:
    static void bagla(QLabel *etiket, QWidget *alan);

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;

private:
    EtiketVurgulayici(QLabel *etiket, QObject *parent) : QObject(parent), m_etiket(etiket) {}
    // A window deletes its children in order: the label may be gone before its field
    // loses the focus.
    QPointer<QLabel> m_etiket;
};

// An option button that answers a click anywhere in its box, as the window draws it, and
// not only on its circle and caption (which at a narrow font leave much of the box dead).
class SecenekDugmesi : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &nokta) const override { return rect().contains(nokta); }
};

// Enter (and the keypad's Enter) moves the focus to the next control as Tab does.
class EnterSekme : public QObject {
    Q_OBJECT
public:
    static void kur(QWidget *alan);

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;

private:
    using QObject::QObject;
};

// Windows placed by coordinates (the designed twip sizes) grown to their contents at the
// desktop's font: every control whose caption or value its room does not fit is made wide
// (a wrapped label: tall) enough; what stands right of it (below it) moves on by as much,
// and its containers and the window grow with it. The designed sizes stay the minimums;
// controls that fit are not touched, so a second call changes nothing. A fixed-size window
// keeps a fixed size, the grown one.
void IcerigeSigdir(QWidget *pencere);

// Column positions and widths (in twips) of a list, section "Listeler\Liste-n":
// "Konum-i" (1-based display position) and "Genislik-i" for every column i.
namespace SutunDuzeni {
void yukle(QHeaderView *baslik, int listeNo, const QList<int> &tasarimGenislikleriTwip);
void kaydet(QHeaderView *baslik, int listeNo);
} // namespace SutunDuzeni

} // namespace Zelvora

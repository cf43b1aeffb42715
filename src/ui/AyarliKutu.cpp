#include "ui/AyarliKutu.h"

#include "core/Arayuzler.h"
#include "ui/OrtakDenetimler.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QValidator>

#include <cmath>

namespace Zelvora {
namespace {
constexpr int EnAzGenislikTwip = 500;
constexpr int DugmeKonumuTwip = 295; // the buttons sit this far from the right edge
constexpr int VarsayilanGenislikTwip = 615;

// The length limit of what the user types or pastes. The unit the control shows after
// the number does not count, and a text the program sets is never cut (QLineEdit's own
// limit would cut "150 gün" to "150 gü").
class UzunlukSiniri final : public QValidator {
public:
    UzunlukSiniri(const AyarliKutu *kutu, const int *enUzun) : QValidator(nullptr), m_kutu(kutu), m_enUzun(enUzun) {}
    State validate(QString &metin, int &) const override
    {
        const QString &birim = m_kutu->Birim();
        const qsizetype uzunluk =
            !birim.isEmpty() && metin.endsWith(birim) ? metin.size() - birim.size() : metin.size();
        return uzunluk <= *m_enUzun ? Acceptable : Invalid;
    }

private:
    const AyarliKutu *m_kutu;
    const int *m_enUzun;
};

// Swallows the mouse press that is taking the focus to hedef, once: a click that left the
// box with a wrong value is cancelled with the leave (a button is not pressed). Gone
// after this round of events in any case.
class BasmaYutucu final : public QObject {
public:
    explicit BasmaYutucu(QWidget *hedef) : QObject(hedef)
    {
        hedef->installEventFilter(this);
        QTimer::singleShot(0, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick)
            return false;
        deleteLater();
        return true;
    }
};
} // namespace

AyarliKutu::AyarliKutu(QWidget *parent) : QWidget(parent)
{
    DegerKutusu = new QLineEdit(this);
    DegerKutusu->setObjectName(QStringLiteral("DegerKutusu"));
    auto *sinir = new UzunlukSiniri(this, &m_enUzun);
    sinir->setParent(DegerKutusu);
    DegerKutusu->setValidator(sinir);
    DegerDegistirDugmesi = new QScrollBar(Qt::Vertical, this);
    DegerDegistirDugmesi->setObjectName(QStringLiteral("DegerDegistirDugmesi"));
    // Only a click gives the buttons the focus, and they pass it on at once: Tab goes
    // from the box straight to the next control.
    DegerDegistirDugmesi->setFocusPolicy(Qt::ClickFocus);
    DegerDegistirDugmesi->setSingleStep(1);
    DegerDegistirDugmesi->setPageStep(1);
    DegerDegistirDugmesi->setRange(-1, 0);
    DegerDegistirDugmesi->setValue(0);
    setFocusProxy(DegerKutusu);
    setFocusPolicy(Qt::StrongFocus);

    EnterSekme::kur(DegerKutusu);
    DegerKutusu->installEventFilter(this);
    DegerDegistirDugmesi->installEventFilter(this);
    connect(DegerDegistirDugmesi, &QScrollBar::valueChanged, this, [this] { degerDegisti(); });
    connect(DegerKutusu, &QLineEdit::textChanged, this, &AyarliKutu::metinDegisti);
    // At least 500 twips wide; as high as the box.
    setMinimumWidth(piksel(EnAzGenislikTwip));
    setFixedHeight(DegerKutusu->sizeHint().height());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    resize(sizeHint());
}

int AyarliKutu::Min() const
{
    return -DegerDegistirDugmesi->minimum();
}

void AyarliKutu::setMin(int deger)
{
    DegerDegistirDugmesi->setMinimum(-deger);
}

int AyarliKutu::Max() const
{
    return -DegerDegistirDugmesi->maximum();
}

void AyarliKutu::setMax(int deger)
{
    DegerDegistirDugmesi->setMaximum(-deger);
}

int AyarliKutu::Value() const
{
    return -DegerDegistirDugmesi->value();
}

void AyarliKutu::setValue(int deger)
{
    DegerDegistirDugmesi->setValue(-deger);
}

QString AyarliKutu::Text() const
{
    return DegerKutusu->text();
}

void AyarliKutu::setText(const QString &metin)
{
    DegerKutusu->setText(metin);
}

int AyarliKutu::MaxLength() const
{
    return m_enUzun;
}

void AyarliKutu::setMaxLength(int uzunluk)
{
    m_enUzun = uzunluk;
}

void AyarliKutu::setBirim(const QString &birim)
{
    m_birim = birim;
}

double AyarliKutu::sayiDegeri(const QString &metin)
{
    qsizetype i = 0;
    while (i < metin.size() && (metin.at(i) == QLatin1Char(' ') || metin.at(i) == QLatin1Char('\t')))
        ++i;
    QString sayi;
    bool nokta = false;
    for (; i < metin.size(); ++i) {
        const QChar c = metin.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            sayi += c;
        else if (c == QLatin1Char('.') && !nokta) {
            nokta = true;
            sayi += c;
        } else
            break;
    }
    return sayi.toDouble(); // 0 for an empty or lone "."
}

int AyarliKutu::yuvarla(double sayi)
{
    // Halves to even, as the old integer conversion did.
    const double r = std::nearbyint(sayi);
    return r > 32767 ? 32767 : int(r);
}

void AyarliKutu::goster()
{
    const QString metin = QString::number(Value()) + m_birim;
    if (DegerKutusu->text() != metin)
        DegerKutusu->setText(metin);
    if (DegerKutusu->hasFocus())
        MetniSec(DegerKutusu);
}

void AyarliKutu::degerDegisti()
{
    // A number being typed is already on show: rewriting and selecting it would make
    // the next figure replace it instead of following it.
    if (m_yaziyor || !isEnabled())
        return;
    goster();
}

void AyarliKutu::metinDegisti(const QString &metin)
{
    if (metin.isEmpty()) {
        DegerKutusu->setText(QStringLiteral("0"));
        MetniSec(DegerKutusu);
        return; // the "0" has gone through here already
    }
    const double sayi = sayiDegeri(metin);
    if (sayi >= Max() && sayi <= Min()) {
        const QScopedValueRollback<bool> koru(m_yaziyor, true);
        setValue(yuvarla(sayi));
    }
    Q_EMIT Change();
}

bool AyarliKutu::ayrilirken()
{
    const double sayi = sayiDegeri(DegerKutusu->text());
    if (sayi > Min() || sayi < Max()) {
        mesaj(QStringLiteral("Belirlediğiniz değer, ") + QString::number(Max()) + QLatin1Char('-')
                  + QString::number(Min()) + QStringLiteral(" arasında olmalı!"),
              MesajSimgesi::Bilgi, MesajDugmeleri::Tamam, MesajCevabi::Tamam, QStringLiteral("Hatalı değer!"));
        setValue(sayi > Min() ? Min() : Max());
        // The box shows the value it now holds, also when the value itself did not move.
        DegerKutusu->setFocus();
        goster();
        MetniSec(DegerKutusu);
        return false;
    }
    setValue(yuvarla(sayi));
    const QString metin = QString::number(Value()) + m_birim;
    if (DegerKutusu->text() != metin)
        DegerKutusu->setText(metin);
    return true;
}

bool AyarliKutu::eventFilter(QObject *nesne, QEvent *olay)
{
    // The access key of another control of the window is leaving the box too: with a
    // value out of range it is cancelled with the leave, as a click is (a check box's key
    // would otherwise still toggle it, a button's still press it).
    if (olay->type() == QEvent::Shortcut && nesne != DegerKutusu && nesne != DegerDegistirDugmesi) {
        auto *hedef = qobject_cast<QWidget *>(nesne);
        if (hedef && DegerKutusu->hasFocus() && hedef->window() == window() && !m_denetleniyor
            && DegerKutusu->isEnabled()) {
            const QScopedValueRollback<bool> koru(m_denetleniyor, true);
            if (!ayrilirken())
                return true;
        }
        return false;
    }
    if (nesne == DegerDegistirDugmesi) {
        if (olay->type() == QEvent::FocusIn) {
            if (DegerKutusu->isEnabled())
                DegerKutusu->setFocus(Qt::OtherFocusReason);
            else
                DegerDegistirDugmesi->setEnabled(false);
        }
        return false;
    }
    if (nesne != DegerKutusu)
        return QWidget::eventFilter(nesne, olay);

    switch (olay->type()) {
    case QEvent::KeyPress: {
        auto *k = static_cast<QKeyEvent *>(olay);
        if (k->key() == Qt::Key_Up && !(k->modifiers() & ~Qt::KeypadModifier)) {
            if (Value() < Min()) {
                setValue(Value() + 1);
                MetniSec(DegerKutusu);
                return true;
            }
            return false;
        }
        if (k->key() == Qt::Key_Down && !(k->modifiers() & ~Qt::KeypadModifier)) {
            if (Value() > Max()) {
                setValue(Value() - 1);
                MetniSec(DegerKutusu);
                return true;
            }
            return false;
        }
        const QString metin = k->text();
        if (!metin.isEmpty() && metin.at(0).isPrint()) {
            const QChar c = metin.at(0);
            return c < QLatin1Char('0') || c > QLatin1Char('9'); // anything but a figure is not typed
        }
        return false;
    }
    case QEvent::FocusIn: {
        const auto neden = static_cast<QFocusEvent *>(olay)->reason();
        if (neden != Qt::ActiveWindowFocusReason && neden != Qt::PopupFocusReason)
            MetniSec(DegerKutusu);
        // Access keys reach their controls directly: watched while the box has the focus.
        qApp->installEventFilter(this);
        return false;
    }
    case QEvent::FocusOut: {
        qApp->removeEventFilter(this);
        // Only a move of the focus inside the window is leaving the box, not another
        // window coming up or a menu opening.
        const auto neden = static_cast<QFocusEvent *>(olay)->reason();
        if (neden == Qt::ActiveWindowFocusReason || neden == Qt::PopupFocusReason || m_denetleniyor
            || !DegerKutusu->isEnabled())
            return false;
        const QScopedValueRollback<bool> koru(m_denetleniyor, true);
        // The control the focus is going to (already the focus widget while it leaves).
        QWidget *hedef = QApplication::focusWidget();
        if (ayrilirken())
            return false;
        if (neden == Qt::MouseFocusReason && hedef && hedef != DegerKutusu && hedef != DegerDegistirDugmesi)
            new BasmaYutucu(hedef);
        return true;
    }
    default:
        return false;
    }
}

void AyarliKutu::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    const int w = width();
    const int h = height();
    DegerKutusu->setGeometry(0, 0, w, h);
    const int sol = w - piksel(DugmeKonumuTwip);
    DegerDegistirDugmesi->setGeometry(sol, 2, w - sol - 2, h - 4);
    DegerKutusu->setTextMargins(0, 0, w - sol, 0);
}

void AyarliKutu::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    // The buttons follow the control, also after they disabled themselves.
    if (e->type() == QEvent::EnabledChange)
        DegerDegistirDugmesi->setEnabled(isEnabled());
}

QSize AyarliKutu::sizeHint() const
{
    return QSize(piksel(VarsayilanGenislikTwip), DegerKutusu->sizeHint().height());
}

QSize AyarliKutu::minimumSizeHint() const
{
    return QSize(piksel(EnAzGenislikTwip), DegerKutusu->sizeHint().height());
}

} // namespace Zelvora

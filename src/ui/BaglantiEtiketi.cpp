#include "ui/BaglantiEtiketi.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace Zelvora {

BaglantiEtiketi::BaglantiEtiketi(const QString &metin, const QUrl &hedef, const QColor &renk, QWidget *parent)
    : QLabel(metin, parent), m_hedef(hedef)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, renk);
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    // Reachable from the keyboard too: Tab to it, Enter or Space opens it.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(metin);
    setAccessibleDescription(hedef.toString());
}

void BaglantiEtiketi::altiniCiz(bool cizili)
{
    QFont f = font();
    if (f.underline() == cizili)
        return;
    f.setUnderline(cizili);
    setFont(f);
}

void BaglantiEtiketi::ac()
{
    QDesktopServices::openUrl(m_hedef);
}

void BaglantiEtiketi::mouseMoveEvent(QMouseEvent *e)
{
    if (!altiCizili()) {
        altiniCiz(true);
        Q_EMIT altiCizildi();
    }
    e->accept();
}

void BaglantiEtiketi::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        ac();
    e->accept();
}

void BaglantiEtiketi::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        ac();
        return;
    }
    QLabel::keyPressEvent(e);
}

void BaglantiEtiketi::paintEvent(QPaintEvent *e)
{
    QLabel::paintEvent(e);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect o;
    o.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
}

BaglantiGrubu::BaglantiGrubu(QWidget *altlik, const QList<BaglantiEtiketi *> &baglantilar)
    : QObject(altlik), m_baglantilar(baglantilar)
{
    altlik->setMouseTracking(true);
    altlik->installEventFilter(this);
    for (BaglantiEtiketi *b : baglantilar) {
        connect(b, &BaglantiEtiketi::altiCizildi, this, [this, b] {
            for (BaglantiEtiketi *digeri : std::as_const(m_baglantilar)) {
                if (digeri != b)
                    digeri->altiniCiz(false);
            }
        });
    }
}

bool BaglantiGrubu::eventFilter(QObject *, QEvent *olay)
{
    if (olay->type() == QEvent::MouseMove) {
        for (BaglantiEtiketi *b : std::as_const(m_baglantilar))
            b->altiniCiz(false);
    }
    return false;
}

} // namespace Zelvora

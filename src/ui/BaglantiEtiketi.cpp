#include "ui/BaglantiEtiketi.h"

#include "core/Renkler.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace Zelvora {

BaglantiEtiketi::BaglantiEtiketi(const QString &metin, const QUrl &hedef, const QColor &renk, QWidget *parent)
    : QLabel(metin, parent), m_hedef(hedef)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Renkler::okunur(renk, p.color(backgroundRole())));
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
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

void BaglantiEtiketi::enterEvent(QEnterEvent *e)
{
    altiniCiz(true);
    QLabel::enterEvent(e);
}

void BaglantiEtiketi::leaveEvent(QEvent *e)
{
    altiniCiz(false);
    QLabel::leaveEvent(e);
}

void BaglantiEtiketi::hideEvent(QHideEvent *e)
{
    // Shown again, the window starts with no link underlined until the pointer enters one.
    altiniCiz(false);
    QLabel::hideEvent(e);
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

} // namespace Zelvora

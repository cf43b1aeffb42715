#include "jobs/KlasorAgaci.h"

#include "core/GirisMetni.h"
#include "core/OrtakYordamlar.h"
#include "jobs/IsListesi.h"
#include "jobs/IsSatiriModeli.h"
#include "ui/OrtakDenetimler.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QStyledItemDelegate>

namespace Zelvora {

const QString KlasorAgaci::ProgramAnahtari = QStringLiteral("Program");
const QString KlasorAgaci::KlasorAnahtari = QStringLiteral("Klasor");

namespace {
constexpr int AnahtarRolu = Qt::UserRole + 1;
constexpr int KlasorAdiEnFazla = 255; // the width of the folder name field
constexpr int ResimRolu = Qt::UserRole + 2;

// Hands the edited text to the tree instead of writing it into the node: the tree's
// owner decides whether the name is taken.
class AdDuzenleyici : public HucreCizici {
public:
    explicit AdDuzenleyici(KlasorAgaci *agac) : HucreCizici(agac), m_agac(agac) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &o, const QModelIndex &i) const override
    {
        QWidget *w = QStyledItemDelegate::createEditor(parent, o, i);
        if (auto *e = qobject_cast<QLineEdit *>(w))
            // The name field holds 255 characters; the box counts UTF-16 units, so it lets
            // through twice that and the name is cut by characters when it is handed on.
            e->setMaxLength(2 * KlasorAdiEnFazla);
        return w;
    }
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        auto *e = qobject_cast<QLineEdit *>(editor);
        if (!e)
            return;
        // Handed on by key: by the time it arrives, the tree may have followed another
        // desk and dropped the node (then there is nothing to rename).
        const QString anahtari = KlasorAgaci::anahtar(m_agac->itemFromIndex(index));
        const QString metin = SinirliMetin(e->text(), KlasorAdiEnFazla);
        QMetaObject::invokeMethod(
            m_agac, [agac = m_agac, anahtari, metin] { Q_EMIT agac->adDuzenlendi(agac->dugum(anahtari), metin); },
            Qt::QueuedConnection);
    }

private:
    KlasorAgaci *m_agac;
};
} // namespace

KlasorAgaci::KlasorAgaci(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setItemDelegate(new AdDuzenleyici(this));
    m_resimler[1] = Simge(QStringLiteral("HAKKINDA"));
    m_resimler[2] = Simge(QStringLiteral("KLASOR"));
    m_resimler[3] = Simge(QStringLiteral("KLASOR_KAPALI"));
    m_resimler[4] = Simge(QStringLiteral("KLASOR_ACIK"));
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *d) {
        m_tiklamaBildirildi = true;
        Q_EMIT dugumSecildi(d);
    });
}

QTreeWidgetItem *KlasorAgaci::dugumEkle(const QString &bagi, const QString &anahtari, const QString &metin, int resim)
{
    if (anahtari.isEmpty() || m_dugumler.contains(anahtari))
        throw Hata(HataNo::AnahtarTekrar, QStringLiteral("Anahtar, koleksiyonda benzersiz değil: ") + anahtari);
    QTreeWidgetItem *d = nullptr;
    if (bagi.isEmpty()) {
        d = new QTreeWidgetItem(this);
    } else {
        QTreeWidgetItem *ust = m_dugumler.value(bagi);
        if (!ust)
            throw Hata(HataNo::OgeYok, QStringLiteral("Öğe bulunamadı: ") + bagi);
        d = new QTreeWidgetItem(ust);
    }
    d->setText(0, metin);
    d->setData(0, AnahtarRolu, anahtari);
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!korumaliMi(anahtari))
        f |= Qt::ItemIsEditable;
    d->setFlags(f);
    resimAyarla(d, resim);
    m_dugumler.insert(anahtari, d);
    return d;
}

QString KlasorAgaci::anahtar(const QTreeWidgetItem *d)
{
    return d ? d->data(0, AnahtarRolu).toString() : QString();
}

int KlasorAgaci::resim(const QTreeWidgetItem *d)
{
    return d ? d->data(0, ResimRolu).toInt() : 0;
}

bool KlasorAgaci::korumaliMi(const QString &anahtari)
{
    return anahtari == ProgramAnahtari || anahtari == KlasorAnahtari;
}

void KlasorAgaci::resimAyarla(QTreeWidgetItem *d, int resim)
{
    d->setData(0, ResimRolu, resim);
    if (resim >= 1 && resim <= 4)
        d->setIcon(0, m_resimler[resim]);
}

void KlasorAgaci::dugumSil(QTreeWidgetItem *d)
{
    if (!d)
        return;
    QList<QTreeWidgetItem *> altlar;
    dugumleriTopla(d, altlar);
    for (QTreeWidgetItem *a : altlar) {
        m_dugumler.remove(anahtar(a));
        if (a == m_vurgulu)
            m_vurgulu = nullptr;
    }
    delete d;
}

void KlasorAgaci::dugumuYerlestir(QTreeWidgetItem *d, QTreeWidgetItem *ust, int sira)
{
    if (!d || !ust || (d->parent() == ust && ust->indexOfChild(d) == sira))
        return;
    if (QTreeWidgetItem *eski = d->parent())
        eski->takeChild(eski->indexOfChild(d));
    ust->insertChild(qBound(0, sira, ust->childCount()), d);
}

void KlasorAgaci::hepsiniTemizle()
{
    m_vurgulu = nullptr;
    m_dugumler.clear();
    clear();
}

void KlasorAgaci::dugumleriTopla(QTreeWidgetItem *d, QList<QTreeWidgetItem *> &liste) const
{
    liste.append(d);
    for (int i = 0; i < d->childCount(); ++i)
        dugumleriTopla(d->child(i), liste);
}

QList<QTreeWidgetItem *> KlasorAgaci::tumDugumler() const
{
    QList<QTreeWidgetItem *> liste;
    for (int i = 0; i < topLevelItemCount(); ++i)
        dugumleriTopla(topLevelItem(i), liste);
    return liste;
}

void KlasorAgaci::vurguluDugumAyarla(QTreeWidgetItem *d)
{
    m_vurgulu = d;
    // Show the highlighted node like a drop target.
    for (QTreeWidgetItem *x : tumDugumler())
        x->setBackground(0, x == d ? palette().brush(QPalette::Highlight) : QBrush());
    for (QTreeWidgetItem *x : tumDugumler())
        x->setForeground(0, x == d ? palette().brush(QPalette::HighlightedText) : QBrush());
}

bool KlasorAgaci::adDuzenlemeyiBaslat(const QString &metin)
{
    QTreeWidgetItem *d = currentItem();
    if (!d || korumaliMi(anahtar(d))) {
        setFocus();
        return false;
    }
    scrollToItem(d);
    editItem(d, 0);
    if (!metin.isNull()) {
        if (auto *e = qobject_cast<QLineEdit *>(indexWidget(indexFromItem(d)))) {
            e->setText(metin);
            e->selectAll();
        }
    }
    return true;
}

void KlasorAgaci::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton) {
        vurguluDugumAyarla(itemAt(e->position().toPoint()));
        return;
    }
    m_fareBasili = true;
    m_tiklamaBildirildi = false;
    m_basilmadanOnce = currentItem();
    QTreeWidget::mousePressEvent(e);
}

void KlasorAgaci::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton) {
        Q_EMIT sagTusBirakildi(e->globalPosition().toPoint());
        return;
    }
    QTreeWidget::mouseReleaseEvent(e); // a click on one node sends it from here
    if (!m_fareBasili)
        return;
    m_fareBasili = false;
    // Pressed on one node and released on another: the selection moved without a click.
    if (!m_tiklamaBildirildi && currentItem() && currentItem() != m_basilmadanOnce)
        Q_EMIT dugumSecildi(currentItem());
}

void KlasorAgaci::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F2 && state() != QAbstractItemView::EditingState) {
        adDuzenlemeyiBaslat();
        return;
    }
    m_tusIsleniyor = true;
    QTreeWidget::keyPressEvent(e);
    m_tusIsleniyor = false;
}

void KlasorAgaci::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeWidget::currentChanged(current, previous);
    if (m_tusIsleniyor && current.isValid())
        Q_EMIT dugumSecildi(itemFromIndex(current));
}

void KlasorAgaci::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasFormat(IsSatiriModeli::IsNoMimeTuru))
        e->acceptProposedAction();
    else
        e->ignore();
}

void KlasorAgaci::dragMoveEvent(QDragMoveEvent *e)
{
    if (!e->mimeData()->hasFormat(IsSatiriModeli::IsNoMimeTuru)) {
        e->ignore();
        return;
    }
    QTreeWidgetItem *d = itemAt(e->position().toPoint());
    // Jobs go into stored folders only: the fixed nodes take none, as adding refuses them.
    QTreeWidgetItem *hedef = korumaliMi(anahtar(d)) ? nullptr : d;
    if (hedef != m_vurgulu)
        vurguluDugumAyarla(hedef);
    if (d && !d->isExpanded() && d->childCount() > 0)
        d->setExpanded(true);
    if (!hedef) {
        e->ignore();
        return;
    }
    e->setDropAction(Qt::MoveAction);
    e->accept();
}

void KlasorAgaci::dragLeaveEvent(QDragLeaveEvent *e)
{
    // A drag that leaves the tree points at no folder any more.
    vurguluDugumAyarla(nullptr);
    QTreeWidget::dragLeaveEvent(e);
}

void KlasorAgaci::dropEvent(QDropEvent *e)
{
    if (!e->mimeData()->hasFormat(IsSatiriModeli::IsNoMimeTuru)) {
        e->ignore();
        return;
    }
    QTreeWidgetItem *d = itemAt(e->position().toPoint());
    if (!d || korumaliMi(anahtar(d))) {
        vurguluDugumAyarla(nullptr);
        e->ignore();
        return;
    }
    if (d != m_vurgulu)
        vurguluDugumAyarla(d);
    const qint64 isNo = e->mimeData()->data(IsSatiriModeli::IsNoMimeTuru).toLongLong();
    e->setDropAction(Qt::MoveAction);
    e->accept();
    // The question and the move run after the drag has finished.
    QMetaObject::invokeMethod(this, [this, isNo] { Q_EMIT isBirakildi(isNo); }, Qt::QueuedConnection);
}

} // namespace Zelvora

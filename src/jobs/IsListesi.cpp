#include "jobs/IsListesi.h"

#include "core/OrtakDegiskenler.h"
#include "ui/OrtakDenetimler.h"

#include <QDrag>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace Zelvora {

namespace {
// Column headers that show the program's own sort arrows (image 0 ascending, 1 descending)
// on the right of the sorted column's caption.
class SiralamaBasligi : public QHeaderView {
public:
    explicit SiralamaBasligi(QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent),
          m_oklar{SimgeResmi(QStringLiteral("ARTAN")), SimgeResmi(QStringLiteral("AZALAN"))}
    {
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    bool okGoster = false;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        QHeaderView::paintEvent(e);
        const int sutun = sortIndicatorSection();
        if (!okGoster || sutun < 0 || sutun >= count() || isSectionHidden(sutun))
            return;
        const QPixmap &ok = m_oklar[sortIndicatorOrder() == Qt::AscendingOrder ? 0 : 1];
        const QSize boyut = ok.size().boundedTo(QSize(12, 12));
        const int sag = sectionViewportPosition(sutun) + sectionSize(sutun);
        if (sectionSize(sutun) < boyut.width() + 8)
            return;
        QPainter p(viewport());
        p.drawPixmap(QRect(sag - boyut.width() - 4, (height() - boyut.height()) / 2, boyut.width(), boyut.height()), ok);
    }

private:
    QPixmap m_oklar[2];
};
} // namespace

IsListesi::IsListesi(QWidget *parent) : QTreeView(parent), m_model(new IsSatiriModeli(this))
{
    setHeader(new SiralamaBasligi(this));
    setModel(m_model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::MoveAction);
    header()->setSectionsMovable(true);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, &IsListesi::sutunaTiklandi);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) { Q_EMIT satiraTiklandi(i.row()); });
    // A freshly filled list has its first row selected, so the keyboard and the job
    // commands have a job to act on at once.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_model->rowCount() > 0)
            satirSec(0);
    });
}

int IsListesi::seciliSatir() const
{
    const QModelIndexList s = selectionModel()->selectedRows();
    return s.isEmpty() ? -1 : s.first().row();
}

void IsListesi::satirSec(int satir)
{
    if (satir < 0 || satir >= m_model->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex i = m_model->index(satir, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
}

qint64 IsListesi::seciliIsNo() const
{
    const int s = seciliSatir();
    return s < 0 ? 0 : m_model->is(s).isNo;
}

int IsListesi::noktadakiSatir(const QPoint &p) const
{
    const QModelIndex i = indexAt(p);
    return i.isValid() ? i.row() : -1;
}

void IsListesi::vurguluSatirAyarla(int satir)
{
    m_vurgulu = satir;
}

void IsListesi::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton) {
        // The row under the pointer is selected before any menu opens, so the menu's
        // commands act on the row the user pointed at.
        m_vurgulu = noktadakiSatir(e->position().toPoint());
        if (m_vurgulu >= 0)
            satirSec(m_vurgulu);
        return;
    }
    QTreeView::mousePressEvent(e);
}

void IsListesi::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton) {
        if (seciliSatir() >= 0 && m_vurgulu >= 0)
            Q_EMIT sagTiklandi(e->globalPosition().toPoint(), m_vurgulu);
        m_vurgulu = -1;
        return;
    }
    QTreeView::mouseReleaseEvent(e);
}

void IsListesi::focusInEvent(QFocusEvent *e)
{
    QTreeView::focusInEvent(e);
    // A list that gets the focus with nothing selected selects its current row, so the
    // keyboard has a row to move from.
    if (m_model->rowCount() > 0 && seciliSatir() < 0) {
        const QModelIndex i = currentIndex();
        satirSec(i.isValid() ? i.row() : 0);
    }
}

void IsListesi::startDrag(Qt::DropActions actions)
{
    const int satir = seciliSatir();
    if (satir < 0)
        return;
    QMimeData *veri = m_model->mimeData({m_model->index(satir, 0)});
    if (!veri)
        return;
    auto *surukle = new QDrag(this);
    surukle->setMimeData(veri);
    surukle->setPixmap(m_model->data(m_model->index(satir, 0), Qt::DecorationRole).value<QIcon>().pixmap(16));
    const Qt::DropAction eylem = surukle->exec(actions, Qt::MoveAction);
    Q_EMIT suruklemeBitti(eylem);
}

void IsListesi::sutunaTiklandi(int sutun)
{
    using namespace OrtakDegiskenler;
    SiralamaYonu = (sutun == SiralamaSutunu) ? (SiralamaYonu == 0 ? 1 : 0) : 0;
    SiralamaSutunu = sutun;
    m_model->siralamayiKapat();
    if (SiralamaSutunu != 0)
        m_model->metinleSirala(SiralamaSutunu, SiralamaYonu == 1);
    else
        m_model->tarihleSirala(SiralamaYonu == 1);
    // Exactly one header shows the arrow: the clicked one.
    static_cast<SiralamaBasligi *>(header())->okGoster = true;
    header()->setSortIndicator(sutun, SiralamaYonu == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (m_model->rowCount() > 0 && seciliSatir() >= 0)
        scrollTo(m_model->index(seciliSatir(), 0));
}

} // namespace Zelvora

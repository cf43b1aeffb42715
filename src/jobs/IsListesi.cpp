#include "jobs/IsListesi.h"

#include "core/OrtakDegiskenler.h"
#include "ui/OrtakDenetimler.h"

#include <QAccessible>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDrag>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QtMath>

#include <limits>

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

HucreCizici::HucreCizici(QObject *parent) : QStyledItemDelegate(parent)
{
    std::fill(std::begin(m_ilerleme), std::end(m_ilerleme), -1.0);
}

void HucreCizici::paint(QPainter *p, const QStyleOptionViewItem &o, const QModelIndex &i) const
{
    const QWidget *w = o.widget;
    QStyle *stil = w ? w->style() : QApplication::style();
    const bool secili = o.state & QStyle::State_Selected;
    // The cell with the focus frame, and a selected cell whose selection covers the text
    // only (as in the folder tree), are left to the style, which knows where its text lies.
    if ((o.state & QStyle::State_HasFocus)
        || (secili && !stil->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, &o, w))) {
        QStyledItemDelegate::paint(p, o, i);
        return;
    }
    // The selection over the whole cell and a cell's own background, as the style draws them.
    const QVariant arka = i.data(Qt::BackgroundRole);
    if (secili || arka.isValid()) {
        QStyleOptionViewItem a = o;
        a.backgroundBrush = qvariant_cast<QBrush>(arka);
        stil->drawPrimitive(QStyle::PE_PanelItemViewItem, &a, p, w);
    }

    const int bosluk = stil->pixelMetric(QStyle::PM_FocusFrameHMargin, &o, w) + 1;
    QRect alan = o.rect.adjusted(bosluk, 0, -bosluk, 0);
    const QVariant simge = i.data(Qt::DecorationRole);
    if (simge.isValid()) {
        const QSize boyut = o.decorationSize;
        const QRect yer(alan.left(), alan.top() + (alan.height() - boyut.height()) / 2, boyut.width(), boyut.height());
        const QIcon::Mode kip = !(o.state & QStyle::State_Enabled) ? QIcon::Disabled
            : secili                                           ? QIcon::Selected
                                                               : QIcon::Normal;
        simgeCiz(p, qvariant_cast<QIcon>(simge), yer, kip);
        alan.setLeft(yer.right() + 1 + 2 * bosluk);
    }
    const QString metin = i.data(Qt::DisplayRole).toString();
    if (!metin.isEmpty() && alan.width() > 0) {
        const QPalette::ColorGroup grup = !(o.state & QStyle::State_Enabled) ? QPalette::Disabled
            : !(o.state & QStyle::State_Active)                           ? QPalette::Inactive
                                                                          : QPalette::Normal;
        QColor renk = o.palette.color(grup, secili ? QPalette::HighlightedText : QPalette::Text);
        if (!secili) {
            const QVariant on = i.data(Qt::ForegroundRole);
            if (on.userType() == QMetaType::QBrush)
                renk = qvariant_cast<QBrush>(on).color();
            else if (on.canConvert<QColor>())
                renk = qvariant_cast<QColor>(on);
        }
        const QFontMetrics &fm = o.fontMetrics;
        // The text drawn is never wider than its cell (no clipping needed), and what
        // lies past the right edge of the list is not drawn at all.
        const auto *liste = qobject_cast<const QAbstractScrollArea *>(w);
        const int gorunurSag = liste ? liste->viewport()->width() : std::numeric_limits<int>::max();
        QString gorunen = metin;
        if (!sigarMi(metin, o.font, alan.width())) {
            // The ellipsis of an elided text stands past the text's last character that
            // fits; when even that is beyond the list's right edge, nothing of the
            // ellipsis shows and the text need not be elided.
            if (o.textElideMode != Qt::ElideRight || gorunurSag >= alan.right() - m_ucNoktaPayi)
                gorunen = kisalt(fm, yeterliBasi(metin, alan.width()), o.textElideMode, alan.width());
        }
        gorunen = yeterliBasi(gorunen, gorunurSag - alan.left());
        if (p->pen().color() != renk)
            p->setPen(renk);
        if (p->font() != o.font)
            p->setFont(o.font);
        p->drawText(QPoint(alan.left(), alan.top() + (alan.height() - fm.height()) / 2 + fm.ascent()), gorunen);
    }
}

void HucreCizici::simgeCiz(QPainter *p, const QIcon &simge, const QRect &yer, QIcon::Mode kip) const
{
    // What QIcon::paint does, centred in the place, with the pixmap kept: the few icons
    // of a list are looked up and scaled once, not for every row.
    const SimgeAnahtari anahtar{simge.cacheKey(), int(kip), yer.width(), yer.height()};
    auto bulunan = m_simgeler.constFind(anahtar);
    if (bulunan == m_simgeler.cend()) {
        const QSize boyut = simge.actualSize(yer.size(), kip, QIcon::Off);
        bulunan = m_simgeler.insert(anahtar, simge.pixmap(boyut, kip, QIcon::Off));
    }
    const QSize boyut = bulunan->deviceIndependentSize().toSize();
    const QRect hedef(yer.x() + yer.width() / 2 - boyut.width() / 2, yer.y() + yer.height() / 2 - boyut.height() / 2,
                      boyut.width(), boyut.height());
    p->drawPixmap(hedef, *bulunan);
}

QString HucreCizici::kisalt(const QFontMetrics &fm, const QString &metin, Qt::TextElideMode kip, int genislik) const
{
    QString anahtar = metin;
    anahtar += QChar(0) + QString::number(genislik) + QChar(0) + QString::number(int(kip));
    auto bulunan = m_kisaltmalar.constFind(anahtar);
    if (bulunan != m_kisaltmalar.cend())
        return *bulunan;
    bulunan = m_eskiKisaltmalar.constFind(anahtar);
    const QString sonuc = bulunan != m_eskiKisaltmalar.cend() ? *bulunan : fm.elidedText(metin, kip, genislik);
    if (m_kisaltmalar.size() >= 512) {
        m_eskiKisaltmalar.swap(m_kisaltmalar);
        m_kisaltmalar.clear();
    }
    m_kisaltmalar.insert(anahtar, sonuc);
    return sonuc;
}

bool HucreCizici::sigarMi(const QString &metin, const QFont &yazi, int genislik) const
{
    if (yazi != m_yazi) {
        m_yazi = yazi;
        m_olcu = QFontMetricsF(yazi);
        std::fill(std::begin(m_ilerleme), std::end(m_ilerleme), -1.0);
        m_kisaltmalar.clear();
        m_eskiKisaltmalar.clear();
        // The ellipsis and the widest character, with room for glyphs that reach out.
        m_ucNoktaPayi = qCeil(m_olcu.horizontalAdvance(QChar(0x2026)) + m_olcu.maxWidth()) + 4;
    }
    qreal toplam = 0;
    for (const QChar c : metin) {
        const char16_t k = c.unicode();
        if (k >= std::size(m_ilerleme))
            return false;
        qreal &i = m_ilerleme[k];
        if (i < 0)
            i = m_olcu.horizontalAdvance(c);
        toplam += i;
    }
    return toplam * 1.01 + 1 <= genislik;
}

QString HucreCizici::yeterliBasi(const QString &metin, int genislik) const
{
    const qreal sinir = qMax(0, genislik) * 1.2 + 20;
    qreal toplam = 0;
    for (qsizetype n = 0; n < metin.size(); ++n) {
        const char16_t k = metin.at(n).unicode();
        // A combining mark or anything unusual: the whole text is taken.
        if (k >= std::size(m_ilerleme) || m_ilerleme[k] < 0)
            return metin;
        toplam += m_ilerleme[k];
        if (toplam > sinir && n + 2 < metin.size())
            return metin.left(n + 2);
    }
    return metin;
}

IsListesi::IsListesi(QWidget *parent) : QTreeView(parent), m_model(new IsSatiriModeli(this))
{
    setHeader(new SiralamaBasligi(this));
    setItemDelegate(new HucreCizici(this));
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
    connect(m_model, &IsSatiriModeli::dolduruldu, this, [this] {
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
    return s < 0 ? 0 : m_model->isNo(s);
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
        // The row under the pointer is selected, and reacted to as a left click on it
        // is, before any menu opens, so the menu's commands act on the row the user
        // pointed at (and, over all folders, on that row's folder).
        m_vurgulu = noktadakiSatir(e->position().toPoint());
        if (m_vurgulu >= 0) {
            satirSec(m_vurgulu);
            Q_EMIT satiraTiklandi(m_vurgulu);
        }
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

void IsListesi::keyPressEvent(QKeyEvent *e)
{
    const bool secimYoktu = seciliSatir() < 0;
    QTreeView::keyPressEvent(e);
    // With nothing selected, a move key that lands on the current row (Home on the first
    // row, Down on the last) moves nothing, and the view selects nothing: select the row
    // it went to, as any other move does. Ctrl+key moves without selecting on purpose.
    if (!secimYoktu || seciliSatir() >= 0 || m_model->rowCount() == 0 || (e->modifiers() & Qt::ControlModifier))
        return;
    switch (e->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const QModelIndex i = currentIndex();
        satirSec(i.isValid() ? i.row() : 0);
        break;
    }
    default:
        break;
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

void IsListesi::dataChanged(const QModelIndex &solUst, const QModelIndex &sagAlt, const QList<int> &roller)
{
    // A fill changes every row: the visible ones are painted again, without working out
    // the rectangle of each changed row as the base class does. Screen readers are told
    // as the base class tells them.
    if (solUst.row() != sagAlt.row() && !QAccessible::isActive()) {
        viewport()->update();
        return;
    }
    QTreeView::dataChanged(solUst, sagAlt, roller);
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

void IsListesi::satirlariYenile(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler,
                                const std::function<bool(const IsKaydi &)> &gosterilir)
{
    const bool basta = verticalScrollBar()->value() == 0;
    const QModelIndex ust = indexAt(QPoint(0, 0));
    const qint64 ustNo = ust.isValid() ? m_model->isNo(ust.row()) : 0;
    const int kayma = ust.isValid() ? visualRect(ust).top() : 0;
    m_model->satirlariYenile(okunanlar, degisenler, gosterilir);
    if (basta || !ustNo)
        return;
    // Rows added or removed above the view would move what the user is looking at.
    const int satir = m_model->satirBul(ustNo);
    if (satir < 0 || satir == ust.row())
        return;
    scrollTo(m_model->index(satir, 0), QAbstractItemView::PositionAtTop);
    if (verticalScrollMode() == QAbstractItemView::ScrollPerPixel)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - kayma);
}

} // namespace Zelvora

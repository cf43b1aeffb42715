#pragma once
// A report-style list of job rows (the main list, the job list window and the
// reminder window all use it).

#include "jobs/IsSatiriModeli.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace Zelvora {

// Draws the cells of an item view as the style's item delegate does, pixel for pixel,
// with less work per cell: the style's own rectangles and text layout measure every
// text two or three times before drawing it, which made painting a list of jobs many
// times slower than reading it. Here a cell's text is shaped once to draw it, and once
// more to elide it when it does not fit (the elided form is remembered a while). Used
// by the job lists and the folder tree.
class HucreCizici : public QStyledItemDelegate {
public:
    explicit HucreCizici(QObject *parent);
    void paint(QPainter *p, const QStyleOptionViewItem &o, const QModelIndex &i) const override;

private:
    QString kisalt(const QFontMetrics &fm, const QString &metin, Qt::TextElideMode kip, int genislik) const;
    void simgeCiz(QPainter *p, const QIcon &simge, const QRect &yer, QIcon::Mode kip) const;
    // Whether a text surely fits a width without eliding it, from the advances of its
    // characters one by one (Latin and Turkish letters, learnt once per font). Kerning
    // brings letters closer (a shaped text is never wider than its characters' advances
    // in the fonts tried), yet a little room is kept for a font that kerns apart; anything
    // else is measured exactly by eliding.
    bool sigarMi(const QString &metin, const QFont &yazi, int genislik) const;
    // The beginning of a text that surely reaches past a width (by a fifth and some
    // characters more, however the characters are kerned), or the whole text. Eliding or
    // drawing that beginning shows the same as the whole text would within the width.
    // sigarMi() has learnt the advances of the font.
    QString yeterliBasi(const QString &metin, int genislik) const;

    mutable QHash<QString, QString> m_kisaltmalar, m_eskiKisaltmalar;
    struct SimgeAnahtari {
        qint64 simge;
        int kip, genislik, yukseklik;
        bool operator==(const SimgeAnahtari &) const = default;
        friend size_t qHash(const SimgeAnahtari &a, size_t tohum = 0)
        {
            return qHashMulti(tohum, a.simge, a.kip, a.genislik, a.yukseklik);
        }
    };
    mutable QHash<SimgeAnahtari, QPixmap> m_simgeler;
    mutable QFont m_yazi;
    mutable QFontMetricsF m_olcu{QFont()};
    mutable qreal m_ilerleme[0x250];
    mutable int m_ucNoktaPayi = 0;
};

class IsListesi : public QTreeView {
    Q_OBJECT
public:
    explicit IsListesi(QWidget *parent = nullptr);

    IsSatiriModeli *model() const { return m_model; }
    int satirSayisi() const { return m_model->rowCount(); }
    // The selected row (0-based), -1 when none.
    int seciliSatir() const;
    // Selects a row and scrolls it into view; -1 clears the selection.
    void satirSec(int satir);
    qint64 seciliIsNo() const;
    // The row under a point of the viewport, -1 when none.
    int noktadakiSatir(const QPoint &p) const;
    // The row that a right click or a drag points at ("drop highlight").
    int vurguluSatir() const { return m_vurgulu; }
    void vurguluSatirAyarla(int satir);

    // Puts the jobs read again in place (IsSatiriModeli::satirlariYenile); the job at the
    // top of the view stays there, unless the view was at the list's start.
    void satirlariYenile(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler,
                         const std::function<bool(const IsKaydi &)> &gosterilir);

    // Sorting by a clicked column, with the header arrow (shared sort state).
    void sutunaTiklandi(int sutun);

Q_SIGNALS:
    // A row was clicked: a left click on it, or a right click that selected it.
    void satiraTiklandi(int satir);
    void sagTiklandi(const QPoint &globalNokta, int satir);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void startDrag(Qt::DropActions actions) override;
    void dataChanged(const QModelIndex &solUst, const QModelIndex &sagAlt, const QList<int> &roller = QList<int>()) override;

Q_SIGNALS:
    // A dragged row was dropped and accepted as both copy and move.
    void suruklemeBitti(Qt::DropAction eylem);

private:
    IsSatiriModeli *m_model;
    int m_vurgulu = -1;
};

} // namespace Zelvora

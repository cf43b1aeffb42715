#pragma once
// A report-style list of job rows (the main list, the job list window and the
// reminder window all use it).

#include "jobs/IsSatiriModeli.h"

#include <QTreeView>

namespace Zelvora {

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

    // Sorting by a clicked column, with the header arrow (shared sort state).
    void sutunaTiklandi(int sutun);

Q_SIGNALS:
    void satiraTiklandi(int satir);
    void sagTiklandi(const QPoint &globalNokta, int satir);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
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

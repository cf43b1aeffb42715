#pragma once
// The folder tree: nodes carry their folder key and image index; it accepts job
// rows dropped from the job list and renames folders in place.

#include <QHash>
#include <QIcon>
#include <QTreeWidget>

namespace Zelvora {

class KlasorAgaci : public QTreeWidget {
    Q_OBJECT
public:
    static const QString ProgramAnahtari; // "Program"
    static const QString KlasorAnahtari;  // "Klasor"

    explicit KlasorAgaci(QWidget *parent = nullptr);

    // Adds a node as the last child of the parent key (none for the root). Throws
    // Hata when the parent is unknown or the key is already used.
    QTreeWidgetItem *dugumEkle(const QString &bagi, const QString &anahtari, const QString &metin, int resim);
    QTreeWidgetItem *dugum(const QString &anahtari) const { return m_dugumler.value(anahtari); }
    static QString anahtar(const QTreeWidgetItem *d);
    static int resim(const QTreeWidgetItem *d);
    static bool korumaliMi(const QString &anahtari);
    void resimAyarla(QTreeWidgetItem *d, int resim);
    void dugumSil(QTreeWidgetItem *d);
    // Puts a node (with its sub-tree) at a position among a parent's children; it keeps
    // its key, text and image, but its sub-tree comes back collapsed when it moved.
    void dugumuYerlestir(QTreeWidgetItem *d, QTreeWidgetItem *ust, int sira);
    void hepsiniTemizle();
    // Nodes in index order (depth first, as they were added).
    QList<QTreeWidgetItem *> tumDugumler() const;

    // A name is being edited in place or a drag is running: the tree is not rebuilt now.
    bool mesgulMu() const { return state() == EditingState || state() == DraggingState; }

    // The node that a right click or a drag points at.
    QTreeWidgetItem *vurguluDugum() const { return m_vurgulu; }
    void vurguluDugumAyarla(QTreeWidgetItem *d);
    // Starts editing the selected node's name in place (refused for the fixed nodes),
    // from the given text instead of the node's own when one is given.
    bool adDuzenlemeyiBaslat(const QString &metin = QString());

Q_SIGNALS:
    // The in-place edit of a node ended with this text (possibly empty).
    void adDuzenlendi(QTreeWidgetItem *dugum, const QString &yeniAd);
    void sagTusBirakildi(const QPoint &globalNokta);
    // A job row was dropped on the highlighted node.
    void isBirakildi(qint64 isNo);
    // The user picked a node: by a click (also on the selected node) or by moving with
    // the keys. Sent once per action; selecting a node from the program sends nothing.
    void dugumSecildi(QTreeWidgetItem *dugum);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dragLeaveEvent(QDragLeaveEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void dugumleriTopla(QTreeWidgetItem *d, QList<QTreeWidgetItem *> &liste) const;
    QHash<QString, QTreeWidgetItem *> m_dugumler;
    QTreeWidgetItem *m_vurgulu = nullptr;
    // A click in progress: the node selected before it, and whether its click was sent.
    bool m_fareBasili = false;
    bool m_tiklamaBildirildi = false;
    const QTreeWidgetItem *m_basilmadanOnce = nullptr;
    bool m_tusIsleniyor = false;
    QIcon m_resimler[5];
};

} // namespace Zelvora

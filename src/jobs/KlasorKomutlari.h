#pragma once
// The main window's folder tree and folder commands: building the tree, the reactions
// to selecting and expanding nodes, the folder pop-up menu, adding, renaming and
// deleting folders, expanding or collapsing them all, rebuilding the tree and moving
// a job onto another folder. It owns the largest folder number seen.

#include <QObject>
#include <QString>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPoint;
class QTreeWidgetItem;

namespace Zelvora {

class IsKomutlari;
class IsListesi;
class KlasorAgaci;

class KlasorKomutlari : public QObject {
    Q_OBJECT
public:
    // The main window's controls the folder commands work on.
    struct Denetimler {
        KlasorAgaci *agac = nullptr;
        IsListesi *liste = nullptr;
        QCheckBox *tumKlasorlerOnayi = nullptr;
        QLabel *durumPaneli = nullptr; // status-bar panel 2
        QMenu *klasorMenusu = nullptr;
        QAction *yeniKlasorEkleMenusu1 = nullptr;
        QAction *yeniKlasorEkleMenusu2 = nullptr;
        QAction *klasorAdiDegistirMenusu = nullptr;
        QAction *klasorSilMenusu = nullptr;
        QAction *klasorMenusuCizgisi2 = nullptr;
        QAction *tumKlasorleriGosterMenusu = nullptr;
        QAction *tumKlasorleriGizleMenusu = nullptr;
        QAction *klasorListesiniYenileMenusu = nullptr;
    };

    // The tree starts in its loading state: selections list nothing until yuklemeBitti().
    KlasorKomutlari(const Denetimler &d, QObject *parent);
    // The job list commands, which fill the list for a folder.
    void isKomutlariniTanit(IsKomutlari *isler) { m_isler = isler; }
    // The main window has loaded: from now on a selected node is listed.
    void yuklemeBitti() { m_yukleniyor = false; }

    QTreeWidgetItem *seciliDugum() const;
    QString seciliAnahtar() const;
    qint16 enBuyukKlasorNo() const { return m_enBuyukKlasorNo; }

    void KlasorListesiniYukle();
    void KlasorListesi_NodeClick(QTreeWidgetItem *dugum);
    void YeniKlasorEkle();
    void KlasorAdiDegistir();
    void KlasorSil();
    void TumKlasorleriGoster();
    void TumKlasorleriGizle();
    void KlasorListesiniYenile();
    void IsiTasi(qint64 isNo);

    // Opens the folders above a node, selects it and lists it as a click on it would.
    void klasoruGoster(QTreeWidgetItem *d);
    // Makes a node the selected one without the node-click reaction.
    void sessizSec(QTreeWidgetItem *d);
    // Expands or collapses a node without the re-listing of the expand reaction.
    void sessizGenislet(QTreeWidgetItem *d, bool acik);

private:
    void dugumGenisletildi(QTreeWidgetItem *d, bool acik);
    void klasorMenusunuGoster(const QPoint &nokta);
    void adDuzenlendi(QTreeWidgetItem *d, const QString &ad);
    void durumMetniAyarla(const QString &metin);

    Denetimler m_d;
    IsKomutlari *m_isler = nullptr;
    // The largest folder number seen while building the tree: the source of new keys.
    // It only grows, also across rebuilds.
    qint16 m_enBuyukKlasorNo = 0;
    bool m_yukleniyor = true;
    bool m_listelemeyiAtla = false;
};

} // namespace Zelvora

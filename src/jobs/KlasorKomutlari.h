#pragma once
// The main window's folder tree and folder commands: building the tree, the reactions
// to selecting and expanding nodes, the folder pop-up menu, adding, renaming and
// deleting folders, expanding or collapsing them all, rebuilding the tree and moving
// a job onto another folder. It owns the largest folder number seen.

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPoint;
class QTimer;
class QTreeWidgetItem;

namespace Zelvora {

struct KlasorKaydi;
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

    // The tree follows the folders as the database holds them now (another desk added,
    // renamed, moved or deleted some): nodes are added, renamed, moved and removed in
    // place, open folders stay open and the selected folder stays selected; when it is
    // gone, the nearest folder above it that is left is selected and listed. Waits while
    // a name is being edited, a job dragged or a folder command is asking the user.
    void KlasorListesiniEsitle();
    // Another desk changed folders: the tree follows shortly after (a burst once).
    void baskaMasaKlasorleriDegistirdi();

    // Where each stored folder goes in the tree: under its parent, siblings in the order
    // the table returns them; a folder whose parent is not stored (or whose parents form
    // a circle) goes under "Klasörlerim". Rows whose key cannot name a node (empty, a
    // fixed node's, used twice) are left out.
    struct Yerlesim {
        struct Yer {
            QString anahtari, ust, adi;
        };
        QList<Yer> sira;               // every parent before its children
        QStringList yetimler;          // names of the folders put under "Klasörlerim"
        QStringList gosterilemeyenler; // names of the rows left out
        QSet<QString> yetimAnahtarlari;
    };
    static Yerlesim yerlestir(const QList<KlasorKaydi> &kayitlar);

    // Opens the folders above a node, selects it and lists it as a click on it would.
    void klasoruGoster(QTreeWidgetItem *d);
    // Makes a node the selected one without the node-click reaction.
    void sessizSec(QTreeWidgetItem *d);
    // The status text of a listed folder: its job count (" iş listelendi").
    void isSayisiniYaz();
    // Expands or collapses a node without the re-listing of the expand reaction.
    void sessizGenislet(QTreeWidgetItem *d, bool acik);

private:
    void dugumGenisletildi(QTreeWidgetItem *d, bool acik);
    void klasorMenusunuGoster(const QPoint &nokta);
    void adDuzenlendi(QTreeWidgetItem *d, const QString &ad);
    void durumMetniAyarla(const QString &metin);
    // Tells once of the folders the tree could not put where the table says.
    void yerlesimiBildir(const Yerlesim &y, bool simdi);
    bool esitlemeBekler() const;
    void enBuyukNumarayiGuncelle(const QList<KlasorKaydi> &kayitlar);

    // A folder command holds nodes across a question: the tree does not follow meanwhile.
    struct Mesgul {
        explicit Mesgul(KlasorKomutlari *k) : m_k(k) { ++m_k->m_mesgul; }
        ~Mesgul() { --m_k->m_mesgul; }
        Mesgul(const Mesgul &) = delete;
        Mesgul &operator=(const Mesgul &) = delete;
        KlasorKomutlari *m_k;
    };

    Denetimler m_d;
    IsKomutlari *m_isler = nullptr;
    // The largest folder number seen while building the tree: the source of new keys.
    // It only grows, also across rebuilds.
    qint16 m_enBuyukKlasorNo = 0;
    bool m_yukleniyor = true;
    bool m_listelemeyiAtla = false;
    int m_mesgul = 0;
    QTimer *m_esitleme = nullptr; // the tree follows when it fires
    // The folders already told of (left out, or shown under "Klasörlerim").
    QSet<QString> m_bildirilenler;
};

} // namespace Zelvora

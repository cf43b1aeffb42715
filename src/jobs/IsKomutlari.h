#pragma once
// The main window's job list and job commands: listing a folder's jobs, adding,
// changing and deleting the selected job through the job editor, the list's pop-up
// menu and double click, and the two check boxes that switch the list between one
// folder and all folders and between all dates and today's open jobs.

#include "core/Veritabani.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QCheckBox;
class QMenu;
class QWidget;

class QTreeWidgetItem;

namespace Zelvora {

struct IsOnerisi;
class IsEklemeDegistirmeFormu;
class IsListesi;
class KlasorAgaci;
class KlasorKomutlari;

class IsKomutlari : public QObject {
    Q_OBJECT
public:
    // The main window's controls the job commands work on.
    struct Denetimler {
        QWidget *pencere = nullptr; // owner of the job editor
        KlasorAgaci *agac = nullptr;
        IsListesi *liste = nullptr;
        QCheckBox *tumKlasorlerOnayi = nullptr;
        QCheckBox *sadeceBugunOnayi = nullptr;
        QAction *klasorEkleDugmesi = nullptr; // toolbar button 2
        QAction *bulDugmesi = nullptr;        // toolbar button 8
        QAction *yeniKlasorEkleMenusu1 = nullptr;
        QAction *yeniKlasorEkleMenusu2 = nullptr;
        QAction *bulMenusu = nullptr;
        QMenu *isListesiMenusu = nullptr;
        QAction *yeniIsEkleMenusu1 = nullptr;
        QAction *yeniIsEkleMenusu2 = nullptr;
        QAction *degisiklikYapMenusu1 = nullptr;
        QAction *degisiklikYapMenusu2 = nullptr;
        QAction *isiSilMenusu1 = nullptr;
        QAction *isiSilMenusu2 = nullptr;
    };

    IsKomutlari(const Denetimler &d, KlasorKomutlari *klasorler, QObject *parent);

    void IsleriListele(const QString &anahtar);
    // Reads the list again as it is shown (folder or all folders), keeping the selected
    // job selected: another desk on the office server changed something.
    void ListeyiTazele();
    // Other desks changed these jobs: those read again (okunanlar; a job not among them
    // is gone) take their places in the list as it is shown, row by row, the selection
    // and the rows on view kept.
    void baskaMasaIsleri(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler);
    void YapilacakIslerListesi_ItemClick();

    void YeniIsEkle();
    // Add mode with proposed values; a fixed node selected asks for the folder first.
    void oneriyleEkle(const IsOnerisi &oneri);
    void DegisiklikYap();
    void IsiSil();
    void TumKlasorlerOnayi_Click();
    void SadeceBugunYapilacakIsleriListeleOnayi_Click();

    // The job editor, created on first access; a save re-lists the selected folder.
    IsEklemeDegistirmeFormu *isFormu();
    // Selects the list's row at a 1-based position (used when the editor closes).
    void satiriSec(int konum);

private:
    void isEkle(QTreeWidgetItem *klasor, const IsOnerisi *oneri);
    // The user's choice among all folders, by their paths; null when cancelled or
    // when there is no folder (which is said).
    QTreeWidgetItem *klasorSor();

    Denetimler m_d;
    KlasorKomutlari *m_klasorler;
    QPointer<IsEklemeDegistirmeFormu> m_isFormu;
};

} // namespace Zelvora

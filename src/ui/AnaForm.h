#pragma once
// The main window: folder tree on the left, job list on the right, toolbar, menus,
// the two filter check boxes, status bar, tray icon and the reminder timer.
// Its procedures are split by subsystem: the shell here, the folder tree and folder
// commands in jobs/AnaForm_Klasorler.cpp, the job list and job commands in
// jobs/AnaForm_Isler.cpp, the reminder scan in reminders/AnaForm_Hatirlatma.cpp.

#include <QMainWindow>
#include <QPointer>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QTreeWidgetItem;

namespace Zelvora {

class BildirimAlani;
class HatirlatmaFormu;
class IsEklemeDegistirmeFormu;
class IsListesi;
class KlasorAgaci;
class TercihlerFormu;

class AnaForm : public QMainWindow {
    Q_OBJECT
public:
    // gorunsun: the command line was empty, so the window is shown.
    explicit AnaForm(bool gorunsun, QWidget *parent = nullptr);
    ~AnaForm() override;

    // The one main window of the process (nullptr before it is built).
    static AnaForm *ornek();

    // Folder tree.
    void KlasorListesiniYukle();
    void KlasorListesi_NodeClick(QTreeWidgetItem *dugum);
    QTreeWidgetItem *seciliDugum() const;
    QString seciliAnahtar() const;
    qint16 EnBuyukKlasorNo = 0;

    // Job list.
    void IsleriListele(const QString &anahtar);
    // Reads the list again as it is shown (folder or all folders), keeping the selected
    // job selected: another desk on the office server changed something.
    void ListeyiTazele();
    // Looks whether another desk changed folders or jobs (server only, twice a second).
    void BaskaMasaDegisikligiDenetle();
    void YapilacakIslerListesi_ItemClick();

    // Folder commands.
    void YeniKlasorEkle();
    void KlasorAdiDegistir();
    void KlasorSil();
    void TumKlasorleriGoster();
    void TumKlasorleriGizle();
    void KlasorListesiniYenile();
    void IsiTasi(qint64 isNo);

    // Job commands.
    void YeniIsEkle();
    void DegisiklikYap();
    void IsiSil();
    void TumKlasorlerOnayi_Click();
    void SadeceBugunYapilacakIsleriListeleOnayi_Click();
    // The job editor, created on first access.
    IsEklemeDegistirmeFormu *isFormu();
    // Selects the main list's row at a 1-based position (used when the editor closes).
    void satiriSec(int konum);

    // Reminder scan. The first one comes a few seconds after loading, not a full period
    // later, so that reminders missed while the program was closed come up at once.
    static constexpr int IlkTaramaGecikmesiMs = 3000;
    void YapilacakIsKontrolu_Timer();
    void HatirlatilacakIsleriListele();
    HatirlatmaFormu *hatirlatmaFormu();
    bool hatirlatmaFormuVar() const;

    // Job lists and printing: the job list window ("Listeler", "Yapılacak İşleri Listele")
    // and the printed main list ("Yazdır"), titled with the selected folder's name.
    void YapilacakIsleriListele();
    void IsListesiniYazdir();

    // Tray icon.
    void BildirimAlaninaSimgeEkle();
    void BildirimAlanindanSimgeyiSil();
    BildirimAlani *bildirimAlani() const { return m_bildirimAlani; }

    // Tools and help windows, each opened modally over this window.
    void SureHesaplama();
    void Bul();
    void HataBildirme();
    void Hakkinda();
    // Goes to a job the search window found: selects its folder's node (when the tree has
    // one) and lists that folder, then selects the job's row if the list holds it.
    void isiGoster(const QString &anahtar, qint64 isNo);

    // "Göster": brings the window up normal and in front.
    void Goster();
    // "Çıkış": ends the program without the question.
    void Cikis();
    // The user's own settings: the login password window and the preferences
    // (modal from the menu; from the tray menu modeless while this window is minimised).
    void GirisSifresiBelirleDegistirMenusu_Click();
    void TercihlerMenusu1_Click();
    void TercihlerMenusu2_Click();
    // The preferences window on screen, nullptr when none.
    TercihlerFormu *tercihlerFormu() const;

    // Status-bar panel 2.
    QString durumMetni() const;
    void durumMetniAyarla(const QString &metin);

    // Controls.
    QToolBar *DugmeCubugu = nullptr;
    KlasorAgaci *KlasorListesi = nullptr;
    IsListesi *YapilacakIslerListesi = nullptr;
    QLabel *Etiket[3] = {};
    QCheckBox *SadeceBugunYapilacakIsleriListeleOnayi = nullptr;
    QCheckBox *TumKlasorlerOnayi = nullptr;
    QLabel *DurumPaneli1 = nullptr;
    QLabel *DurumPaneli2 = nullptr;
    QTimer *YapilacakIsKontrolu = nullptr;

    // Toolbar buttons by their position (1-based; 1, 3, 7, 9 and 11 are separators).
    QAction *Dugme[13] = {};

    // Menus and their items.
    QMenu *ProgramMenusu = nullptr;
    QAction *GirisSifresiBelirleDegistirMenusu = nullptr;
    QAction *TercihlerMenusu1 = nullptr;
    QAction *SureHesaplamaMenusu = nullptr;
    QAction *CikisMenusu1 = nullptr;
    QMenu *YapilacakIslerMenusu = nullptr;
    QAction *YeniKlasorEkleMenusu1 = nullptr;
    QAction *YeniIsEkleMenusu1 = nullptr;
    QAction *DegisiklikYapMenusu1 = nullptr;
    QAction *IsiSilMenusu1 = nullptr;
    QAction *BulMenusu = nullptr;
    QAction *YapilacakIsleriListeleMenusu = nullptr;
    QMenu *YardimMenusu = nullptr;
    QAction *IcindekilerMenusu = nullptr;
    QAction *DizinMenusu = nullptr;
    QAction *HataBildirmeMenusu = nullptr;
    QAction *HakkindaMenusu = nullptr;
    QMenu *KlasorMenusu = nullptr;
    QAction *YeniKlasorEkleMenusu2 = nullptr;
    QAction *KlasorMenusuCizgisi1 = nullptr;
    QAction *KlasorAdiDegistirMenusu = nullptr;
    QAction *KlasorSilMenusu = nullptr;
    QAction *KlasorMenusuCizgisi2 = nullptr;
    QAction *TumKlasorleriGosterMenusu = nullptr;
    QAction *TumKlasorleriGizleMenusu = nullptr;
    QAction *KlasorMenusuCizgisi3 = nullptr;
    QAction *KlasorListesiniYenileMenusu = nullptr;
    QMenu *YapilacakIsListesiMenusu = nullptr;
    QAction *YeniIsEkleMenusu2 = nullptr;
    QAction *DegisiklikYapMenusu2 = nullptr;
    QAction *IsiSilMenusu2 = nullptr;
    QMenu *BildirimAlaniMenusu = nullptr;
    QAction *GosterMenusu = nullptr;
    QAction *TercihlerMenusu2 = nullptr;
    QAction *CikisMenusu2 = nullptr;

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
    // No pop-up on the toolbar or the menu bar: they cannot be hidden.
    QMenu *createPopupMenu() override;

private:
    void denetimleriKur();
    void menuleriKur();
    void dugmeCubugunuKur();
    void klasorOlaylariniBagla();
    void isOlaylariniBagla();
    void listeVeYazdirmaKomutlariniBagla();
    void geometriyiYukle();
    void geometriyiKaydet();
    void etkinlesti();
    void dugumGenisletildi(QTreeWidgetItem *d, bool acik);
    // Makes a node the selected one without the node-click reaction.
    void sessizSec(QTreeWidgetItem *d);
    // Expands or collapses a node without the re-listing of the expand reaction.
    void sessizGenislet(QTreeWidgetItem *d, bool acik);
    void klasorMenusunuGoster(const QPoint &nokta);
    void adDuzenlendi(QTreeWidgetItem *d, const QString &ad);
    void kullaniciAyarlariniBagla();
    void tercihleriAc(bool modsuz);

    bool m_cikisMenudenIstendi = false;
    // The window has been on the screen: only then is its geometry worth saving.
    bool m_gosterildi = false;
    bool m_yukleniyor = true;
    bool m_listelemeyiAtla = false;
    BildirimAlani *m_bildirimAlani = nullptr;
    QPointer<IsEklemeDegistirmeFormu> m_isFormu;
    QPointer<HatirlatmaFormu> m_hatirlatmaFormu;
    // On the office server: the look for other desks' changes, and the short wait that
    // gathers a burst of them into one re-listing.
    QTimer *m_baskaMasaIzleme = nullptr;
    QTimer *m_baskaMasaBekleme = nullptr;
    QPointer<TercihlerFormu> m_tercihlerFormu;
};

} // namespace Zelvora

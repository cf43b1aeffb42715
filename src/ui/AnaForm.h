#pragma once
// The main window: folder tree on the left, job list on the right, toolbar, menus,
// the two filter check boxes, status bar and tray icon. The shell is here; the folder
// commands (jobs/KlasorKomutlari), the job commands (jobs/IsKomutlari) and the reminder
// scan (reminders/HatirlatmaTaramasi) are classes of their own, which the procedures
// below hand over to. Other windows reach it through AnaPencere only.

#include "core/Veritabani.h"
#include "reminders/HatirlatmaTaramasi.h"
#include "ui/AnaPencere.h"

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
class SunucuIzleme;
class TakvimIzleme;
class HatirlatmaFormu;
class IsEklemeDegistirmeFormu;
class IsKomutlari;
class IsListesi;
class KlasorAgaci;
class KlasorKomutlari;
class TercihlerFormu;
class YapilacakIslerListesiFormu;

class AnaForm : public QMainWindow, public AnaPencere {
    Q_OBJECT
public:
    // gorunsun: the command line was empty, so the window is shown.
    explicit AnaForm(bool gorunsun, QWidget *parent = nullptr);
    ~AnaForm() override;

    // The one main window of the process (nullptr before it is built).
    static AnaForm *ornek();

    // What other windows may call (AnaPencere).
    QWidget *pencere() override { return this; }
    void seciliKlasoruListele() override;
    void IsleriListele(const QString &anahtar) override;
    void satiriSec(int konum) override;
    void isiGoster(const QString &anahtar, qint64 isNo) override;
    void isEkle(const IsOnerisi &oneri) override;
    void BildirimAlaninaSimgeEkle() override;
    void BildirimAlanindanSimgeyiSil() override;
    void Goster() override;
    void Cikis() override;
    void takvimAyarlariDegisti() override;

    // Folder tree.
    void KlasorListesiniYukle();
    void KlasorListesi_NodeClick(QTreeWidgetItem *dugum);
    QTreeWidgetItem *seciliDugum() const;
    QString seciliAnahtar() const;
    // The largest folder number seen: the source of new folder keys.
    qint16 EnBuyukKlasorNo() const;

    // Job list.
    // Reads the list again as it is shown (folder or all folders), keeping the selected
    // job selected: another desk on the office server changed something.
    void ListeyiTazele();
    // Looks whether another desk changed folders or jobs (server only, ten times a second):
    // the tree follows the folders; the jobs named are gathered for up to
    // BaskaMasaBeklemeMs from the first, then read once and put in place in every list
    // shown (this one, the reminder window's, the job list window's).
    void BaskaMasaDegisikligiDenetle();
    void BaskaMasaIsleriniOku();
    static constexpr int BaskaMasaBeklemeMs = 250;
    // More jobs than this changed at once: the lists are read again whole, cheaper than
    // reading them row by row.
    static constexpr int TopluDegisiklikSiniri = 500;
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

    // Reminder scan.
    static constexpr int IlkTaramaGecikmesiMs = HatirlatmaTaramasi::IlkTaramaGecikmesiMs;
    void YapilacakIsKontrolu_Timer();
    void HatirlatilacakIsleriListele();
    HatirlatmaFormu *hatirlatmaFormu();
    bool hatirlatmaFormuVar() const;

    // Job lists and printing: the job list window ("Listeler", "Yapılacak İşleri Listele")
    // and the printed main list ("Yazdır"), titled with the selected folder's name.
    void YapilacakIsleriListele();
    void IsListesiniYazdir();

    // Tray icon.
    BildirimAlani *bildirimAlani() const { return m_bildirimAlani; }

    // Tools and help windows, each opened modally over this window.
    void SureHesaplama();
    void Bul();
    void HataBildirme();
    void Hakkinda();
    // The user's own settings: the login password window and the preferences
    // (modal from the menu; from the tray menu modeless while this window is minimised).
    void GirisSifresiBelirleDegistirMenusu_Click();
    void TercihlerMenusu1_Click();
    void TercihlerMenusu2_Click();
    // The preferences window on screen, nullptr when none.
    TercihlerFormu *tercihlerFormu() const;

    // The calendar's publisher, nullptr without a database.
    TakvimIzleme *takvim() const { return m_takvim; }

    // Status-bar panel 2.
    QString durumMetni() const;
    void durumMetniAyarla(const QString &metin);

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
    void komutlariKur();
    void listeVeYazdirmaKomutlariniBagla();
    void geometriyiYukle();
    void geometriyiKaydet();
    void etkinlesti();
    // Lays out the captions, the tree, the list and the check boxes under the toolbar.
    void yerlestir();
    void kullaniciAyarlariniBagla();
    void tercihleriAc(bool modsuz);

    // Controls.
    QToolBar *DugmeCubugu = nullptr;
    KlasorAgaci *KlasorListesi = nullptr;
    IsListesi *YapilacakIslerListesi = nullptr;
    QLabel *Etiket[3] = {};
    QCheckBox *SadeceBugunYapilacakIsleriListeleOnayi = nullptr;
    QCheckBox *TumKlasorlerOnayi = nullptr;
    QLabel *DurumPaneli1 = nullptr;
    QLabel *DurumPaneli2 = nullptr;

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
    QAction *TakvimeAktarMenusu = nullptr;
    QAction *TakvimdenAlMenusu = nullptr;
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

    KlasorKomutlari *m_klasorler = nullptr;
    IsKomutlari *m_isler = nullptr;
    HatirlatmaTaramasi *m_tarama = nullptr;

    bool m_cikisMenudenIstendi = false;
    // The window has been on the screen: only then is its geometry worth saving.
    bool m_gosterildi = false;
    BildirimAlani *m_bildirimAlani = nullptr;
    // On the office server: the look for other desks' changes, and the short wait that
    // gathers a burst of them into one re-listing.
    QTimer *m_baskaMasaIzleme = nullptr;
    QTimer *m_baskaMasaBekleme = nullptr;
    Veritabani::Degisiklikler m_bekleyenDegisiklikler;
    QPointer<YapilacakIslerListesiFormu> m_listeFormu;
    SunucuIzleme *m_sunucuIzleme = nullptr;
    // The calendar's publisher and its status-bar button (none without a database).
    TakvimIzleme *m_takvim = nullptr;
    QPointer<TercihlerFormu> m_tercihlerFormu;
};

} // namespace Zelvora

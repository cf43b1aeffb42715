#include "ui/AnaForm.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Tarihler.h"
#include "core/Veritabani.h"
#include "jobs/TakvimKomutlari.h"
#include "jobs/IsKomutlari.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "jobs/KlasorKomutlari.h"
#include "reminders/HatirlatmaFormu.h"
#include "tools/GirisSifresiBelirleDegistirFormu.h"
#include "tools/GirisSifresiSorFormu.h"
#include "tools/TercihlerFormu.h"
#include "reminders/IsRaporu.h"
#include "reminders/YapilacakIslerListesiFormu.h"
#include "tools/AramaIslemleriFormu.h"
#include "tools/SureHesaplamaFormu.h"
#include "ui/BildirimAlani.h"
#include "ui/HakkindaFormu.h"
#include "ui/HataBildirmeFormu.h"
#include "ui/OrtakDenetimler.h"
#include "ui/SunucuIzleme.h"
#include "ui/Yardim.h"
#include "tools/TakvimIzleme.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <utility>
#include <QToolBar>

#include <functional>

namespace Zelvora {

namespace {
AnaForm *g_anaForm = nullptr;

QAction *menuOgesi(QMenu *menu, const QString &ad, const QString &baslik)
{
    QAction *a = menu->addAction(baslik);
    a->setObjectName(ad);
    return a;
}

// Opens a window modally over the main window, and unloads it when it closes.
template <class Pencere>
int modalAc(AnaForm *ana)
{
    QPointer<Pencere> f = new Pencere(ana);
    const int sonuc = f->exec();
    delete f;
    return sonuc;
}

QAction *cizgi(QMenu *menu, const QString &ad = QString())
{
    QAction *a = menu->addSeparator();
    if (!ad.isEmpty())
        a->setObjectName(ad);
    return a;
}

// Central area laid out by the window's own rules (design positions in twips).
class Altlik : public QWidget {
public:
    Altlik(QWidget *ust, std::function<void()> yerlestir) : QWidget(ust), m_yerlestir(std::move(yerlestir)) {}

protected:
    void resizeEvent(QResizeEvent *) override { m_yerlestir(); }

private:
    std::function<void()> m_yerlestir;
};
} // namespace

AnaForm *AnaForm::ornek()
{
    return g_anaForm;
}

AnaForm::AnaForm(bool gorunsun, QWidget *parent) : QMainWindow(parent)
{
    g_anaForm = this;
    setObjectName(QStringLiteral("AnaForm"));
    denetimleriKur();

    // Loading, each step on its own.
    Adim([&] {
        QScreen *ekran = QGuiApplication::primaryScreen();
        if (ekran && ekran->geometry().height() < 600) {
            mesaj(QStringLiteral("Bu programın çalışması için ekran çözünürlüğünüzün en az") + QStringLiteral("\r\n")
                      + QStringLiteral("800 x 600 piksel olması gerekiyor!"),
                  MesajSimgesi::Uyari);
            Arayuz::programSonu().bitir(1);
        }
    });
    setWindowTitle(OrtakDegiskenler::PencereBasligi);
    setWindowIcon(Simge(QStringLiteral("ZELVORA")));
    Adim([&] {
        SutunDuzeni::yukle(YapilacakIslerListesi->header(), 1, IsSatiriModeli::tasarimGenislikleri());
    });
    Adim([&] { KlasorListesiniYukle(); });
    Adim([&] {
        OrtakDegiskenler::SiralamaYonu = 1;
        YapilacakIslerListesi->sutunaTiklandi(0);
    });
    Adim([&] { geometriyiYukle(); });
    Adim([&] {
        if (Tercihler::ArkaplandaCalissin == 1)
            BildirimAlaninaSimgeEkle();
    });
    m_tarama->baslat();
    // Several desks on one server: another desk's change shows in this list within a
    // second or so, without F5.
    if (Veritabani::acikMi() && Veritabani::acik().sunucuMu()) {
        m_baskaMasaIzleme = new QTimer(this);
        m_baskaMasaIzleme->setObjectName(QStringLiteral("BaskaMasaIzleme"));
        m_baskaMasaIzleme->setInterval(100);
        connect(m_baskaMasaIzleme, &QTimer::timeout, this, &AnaForm::BaskaMasaDegisikligiDenetle);
        m_baskaMasaBekleme = new QTimer(this);
        m_baskaMasaBekleme->setObjectName(QStringLiteral("BaskaMasaBekleme"));
        m_baskaMasaBekleme->setSingleShot(true);
        m_baskaMasaBekleme->setInterval(BaskaMasaBeklemeMs);
        connect(m_baskaMasaBekleme, &QTimer::timeout, this, &AnaForm::BaskaMasaIsleriniOku);
        m_baskaMasaIzleme->start();
        // A lost connection: said in the status bar and made again in the background; once
        // back, the list and the tree follow (all counts as changed) and what came due is
        // reminded.
        m_sunucuIzleme = new SunucuIzleme(this, this);
        statusBar()->addPermanentWidget(m_sunucuIzleme->durumEtiketi());
        connect(m_sunucuIzleme, &SunucuIzleme::geriGeldi, m_tarama, &HatirlatmaTaramasi::hemenTara);
    }
    // The calendar on the phones: the jobs published after every change, said in the
    // status bar.
    if (Veritabani::acikMi()) {
        m_takvim = new TakvimIzleme(this, this);
        statusBar()->addPermanentWidget(m_takvim->durumDugmesi());
    }
    m_klasorler->yuklemeBitti();
    if (gorunsun)
        show();
}

void AnaForm::takvimAyarlariDegisti()
{
    if (m_takvim)
        m_takvim->ayarlarDegisti();
}

AnaForm::~AnaForm()
{
    if (m_bildirimAlani)
        m_bildirimAlani->sil();
    if (g_anaForm == this)
        g_anaForm = nullptr;
}

void AnaForm::denetimleriKur()
{
    auto *altlik = new Altlik(this, [this] { yerlestir(); });
    altlik->setObjectName(QStringLiteral("Altlik"));
    setCentralWidget(altlik);

    KlasorListesi = new KlasorAgaci(altlik);
    KlasorListesi->setObjectName(QStringLiteral("KlasorListesi"));
    YapilacakIslerListesi = new IsListesi(altlik);
    YapilacakIslerListesi->setObjectName(QStringLiteral("YapilacakIslerListesi"));

    const QString etiketler[3] = {QStringLiteral("&Klasörler"), QStringLiteral("&Yapılacak İşler"), QString()};
    for (int i = 0; i < 3; ++i) {
        Etiket[i] = new QLabel(etiketler[i], altlik);
        Etiket[i]->setObjectName(QStringLiteral("Etiket") + QString::number(i));
        Etiket[i]->adjustSize();
    }
    Etiket[0]->setBuddy(KlasorListesi);
    Etiket[1]->setBuddy(YapilacakIslerListesi);
    AdiEtikettenAl(KlasorListesi, Etiket[0]);
    AdiEtikettenAl(YapilacakIslerListesi, Etiket[1]);

    TumKlasorlerOnayi = new QCheckBox(QStringLiteral("&Tüm klasörlerdeki tüm işleri göster "), altlik);
    TumKlasorlerOnayi->setObjectName(QStringLiteral("TumKlasorlerOnayi"));
    SadeceBugunYapilacakIsleriListeleOnayi = new QCheckBox(QStringLiteral("Sadece bugün yapılacak işleri göster"), altlik);
    SadeceBugunYapilacakIsleriListeleOnayi->setObjectName(QStringLiteral("SadeceBugunYapilacakIsleriListeleOnayi"));

    DurumPaneli1 = new QLabel(this);
    DurumPaneli1->setObjectName(QStringLiteral("DurumPaneli1"));
    DurumPaneli2 = new QLabel(this);
    DurumPaneli2->setObjectName(QStringLiteral("DurumPaneli2"));
    statusBar()->setObjectName(QStringLiteral("DurumCubugu"));
    statusBar()->addWidget(DurumPaneli1, 1);
    statusBar()->addWidget(DurumPaneli2, 3);

    m_tarama = new HatirlatmaTaramasi(this, this);

    menuleriKur();
    dugmeCubugunuKur();
    komutlariKur();
    kullaniciAyarlariniBagla();
    listeVeYazdirmaKomutlariniBagla();

    // Keys that work whatever control has the focus.
    auto *f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    f5->setContext(Qt::WindowShortcut);
    connect(f5, &QShortcut::activated, this, &AnaForm::KlasorListesiniYenile);
    // The desktop's usual keys, on the menu commands so that the menus show them; window
    // shortcuts never fire under a modal dialog, a disabled command takes no key. Del
    // lives on the job list alone: in the tree and any text box it keeps its own meaning.
    YeniIsEkleMenusu1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    BulMenusu->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)});
    CikisMenusu1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Dugme[12]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    IsiSilMenusu1->setShortcut(QKeySequence(Qt::Key_Delete));
    IsiSilMenusu1->setShortcutContext(Qt::WidgetShortcut);
    YapilacakIslerListesi->addAction(IsiSilMenusu1);
}

void AnaForm::menuleriKur()
{
    QMenuBar *cubuk = menuBar();
    ProgramMenusu = cubuk->addMenu(QStringLiteral("&Program"));
    ProgramMenusu->setObjectName(QStringLiteral("ProgramMenusu"));
    GirisSifresiBelirleDegistirMenusu = menuOgesi(ProgramMenusu, QStringLiteral("GirisSifresiBelirleDegistirMenusu"),
                                                  QStringLiteral("Giriş Şifresi Belirle..."));
    TercihlerMenusu1 = menuOgesi(ProgramMenusu, QStringLiteral("TercihlerMenusu1"), QStringLiteral("&Tercihler..."));
    SureHesaplamaMenusu = menuOgesi(ProgramMenusu, QStringLiteral("SureHesaplamaMenusu"), QStringLiteral("Süre &Hesaplama..."));
    cizgi(ProgramMenusu);
    CikisMenusu1 = menuOgesi(ProgramMenusu, QStringLiteral("CikisMenusu1"), QStringLiteral("Çıkış"));

    YapilacakIslerMenusu = cubuk->addMenu(QStringLiteral("Y&apılacak İşler"));
    YapilacakIslerMenusu->setObjectName(QStringLiteral("YapilacakIslerMenusu"));
    YeniKlasorEkleMenusu1 = menuOgesi(YapilacakIslerMenusu, QStringLiteral("YeniKlasorEkleMenusu1"), QStringLiteral("Yeni &Klasör Ekle"));
    cizgi(YapilacakIslerMenusu);
    YeniIsEkleMenusu1 = menuOgesi(YapilacakIslerMenusu, QStringLiteral("YeniIsEkleMenusu1"), QStringLiteral("&Yeni İş Ekle..."));
    DegisiklikYapMenusu1 = menuOgesi(YapilacakIslerMenusu, QStringLiteral("DegisiklikYapMenusu1"), QStringLiteral("&Değişiklik Yap..."));
    IsiSilMenusu1 = menuOgesi(YapilacakIslerMenusu, QStringLiteral("IsiSilMenusu1"), QStringLiteral("İşi &Sil"));
    cizgi(YapilacakIslerMenusu);
    BulMenusu = menuOgesi(YapilacakIslerMenusu, QStringLiteral("BulMenusu"), QStringLiteral("Bul..."));
    cizgi(YapilacakIslerMenusu);
    // Calendar files (iCalendar): the jobs to another calendar and back.
    TakvimeAktarMenusu = menuOgesi(YapilacakIslerMenusu, QStringLiteral("TakvimeAktarMenusu"),
                                   QStringLiteral("Takvim Dosyasına Aktar..."));
    TakvimdenAlMenusu = menuOgesi(YapilacakIslerMenusu, QStringLiteral("TakvimdenAlMenusu"),
                                  QStringLiteral("Takvim Dosyasından Al..."));
    cizgi(YapilacakIslerMenusu);
    YapilacakIsleriListeleMenusu = menuOgesi(YapilacakIslerMenusu, QStringLiteral("YapilacakIsleriListeleMenusu"),
                                             QStringLiteral("Yapılacak İşleri Listele"));


    YardimMenusu = cubuk->addMenu(QStringLiteral("&Yardım"));
    YardimMenusu->setObjectName(QStringLiteral("YardimMenusu"));
    IcindekilerMenusu = menuOgesi(YardimMenusu, QStringLiteral("IcindekilerMenusu"), QStringLiteral("İç&indekiler"));
    DizinMenusu = menuOgesi(YardimMenusu, QStringLiteral("DizinMenusu"), QStringLiteral("Dizin..."));
    cizgi(YardimMenusu);
    HataBildirmeMenusu = menuOgesi(YardimMenusu, QStringLiteral("HataBildirmeMenusu"), QStringLiteral("&Hata Bildirme..."));
    HakkindaMenusu = menuOgesi(YardimMenusu, QStringLiteral("HakkindaMenusu"), QStringLiteral("Hakkında"));

    // Pop-up menus, never in the menu bar.
    KlasorMenusu = new QMenu(QStringLiteral("Klasör Menüsü"), this);
    KlasorMenusu->setObjectName(QStringLiteral("KlasorMenusu"));
    YeniKlasorEkleMenusu2 = menuOgesi(KlasorMenusu, QStringLiteral("YeniKlasorEkleMenusu2"), QStringLiteral("&Yeni Klasör Ekle..."));
    KlasorMenusuCizgisi1 = cizgi(KlasorMenusu, QStringLiteral("KlasorMenusuCizgisi1"));
    KlasorAdiDegistirMenusu = menuOgesi(KlasorMenusu, QStringLiteral("KlasorAdiDegistirMenusu"), QStringLiteral("Klasör Adı &Değiştir..."));
    KlasorSilMenusu = menuOgesi(KlasorMenusu, QStringLiteral("KlasorSilMenusu"), QStringLiteral("Klasörü &Sil"));
    KlasorMenusuCizgisi2 = cizgi(KlasorMenusu, QStringLiteral("KlasorMenusuCizgisi2"));
    TumKlasorleriGosterMenusu = menuOgesi(KlasorMenusu, QStringLiteral("TumKlasorleriGosterMenusu"), QStringLiteral("Tüm Klasörleri &Göster"));
    TumKlasorleriGizleMenusu = menuOgesi(KlasorMenusu, QStringLiteral("TumKlasorleriGizleMenusu"), QStringLiteral("Tüm Klasörleri Gi&zle"));
    KlasorMenusuCizgisi3 = cizgi(KlasorMenusu, QStringLiteral("KlasorMenusuCizgisi3"));
    KlasorListesiniYenileMenusu = menuOgesi(KlasorMenusu, QStringLiteral("KlasorListesiniYenileMenusu"), QStringLiteral("&Klasör Listesini Yenile"));
    KlasorMenusu->setDefaultAction(YeniKlasorEkleMenusu2);

    YapilacakIsListesiMenusu = new QMenu(QStringLiteral("Yapılacak İş Listesi Menüsü"), this);
    YapilacakIsListesiMenusu->setObjectName(QStringLiteral("YapilacakIsListesiMenusu"));
    YeniIsEkleMenusu2 = menuOgesi(YapilacakIsListesiMenusu, QStringLiteral("YeniIsEkleMenusu2"), QStringLiteral("Yeni İş &Ekle"));
    cizgi(YapilacakIsListesiMenusu);
    DegisiklikYapMenusu2 = menuOgesi(YapilacakIsListesiMenusu, QStringLiteral("DegisiklikYapMenusu2"), QStringLiteral("&Değişiklik Yap..."));
    IsiSilMenusu2 = menuOgesi(YapilacakIsListesiMenusu, QStringLiteral("IsiSilMenusu2"), QStringLiteral("İşi &Sil"));

    BildirimAlaniMenusu = new QMenu(QStringLiteral("Bildirim Alanı Menüsü"), this);
    BildirimAlaniMenusu->setObjectName(QStringLiteral("BildirimAlaniMenusu"));
    GosterMenusu = menuOgesi(BildirimAlaniMenusu, QStringLiteral("GosterMenusu"), QStringLiteral("Göster"));
    cizgi(BildirimAlaniMenusu);
    TercihlerMenusu2 = menuOgesi(BildirimAlaniMenusu, QStringLiteral("TercihlerMenusu2"), QStringLiteral("Tercihler..."));
    cizgi(BildirimAlaniMenusu);
    CikisMenusu2 = menuOgesi(BildirimAlaniMenusu, QStringLiteral("CikisMenusu2"), QStringLiteral("Çıkış"));
    BildirimAlaniMenusu->setDefaultAction(GosterMenusu);

    connect(CikisMenusu1, &QAction::triggered, this, &AnaForm::Cikis);
    connect(CikisMenusu2, &QAction::triggered, this, &AnaForm::Cikis);
    connect(GosterMenusu, &QAction::triggered, this, &AnaForm::Goster);
    connect(SureHesaplamaMenusu, &QAction::triggered, this, &AnaForm::SureHesaplama);
    connect(BulMenusu, &QAction::triggered, this, &AnaForm::Bul);
    connect(HataBildirmeMenusu, &QAction::triggered, this, &AnaForm::HataBildirme);
    connect(HakkindaMenusu, &QAction::triggered, this, &AnaForm::Hakkinda);
    Yardim::bagla(IcindekilerMenusu, DizinMenusu);
}

void AnaForm::dugmeCubugunuKur()
{
    DugmeCubugu = addToolBar(QStringLiteral("DugmeCubugu"));
    DugmeCubugu->setObjectName(QStringLiteral("DugmeCubugu"));
    DugmeCubugu->setWindowTitle(QStringLiteral("Araç Çubuğu"));
    DugmeCubugu->setAccessibleName(QStringLiteral("Araç Çubuğu"));
    DugmeCubugu->setMovable(false);
    DugmeCubugu->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    DugmeCubugu->setIconSize(QSize(32, 32));
    struct Tanim {
        int sira;
        const char16_t *baslik;
        const char16_t *ipucu;
        const char *simge;
    };
    const Tanim tanimlar[] = {
        {2, u"Klasör Ekle", u"Yeni bir klasör oluşturma", "KLASOR_EKLE"},
        {4, u"İş Ekle", u"Yeni bir iş ekleme", "IS_EKLE"},
        {5, u"Değişiklik Yap", u"İşi değiştirme", "IS_DEGISTIR"},
        {6, u"İşi Sil", u"İşi silme", "IS_SIL"},
        {8, u"Bul", u"İş bulma (F3)", "IS_BUL"},
        {10, u"Listeler", u"Yapılacak işleri listeleme/yazdırma", "LISTE"},
        {12, u"Yazdır", u"Yapılacak işleri yazdırma", "YAZDIR"},
    };
    int t = 0;
    for (int sira = 1; sira <= 12; ++sira) {
        if (t < int(std::size(tanimlar)) && tanimlar[t].sira == sira) {
            QAction *a = DugmeCubugu->addAction(Simge(QString::fromLatin1(tanimlar[t].simge)),
                                                QString::fromUtf16(tanimlar[t].baslik));
            a->setToolTip(QString::fromUtf16(tanimlar[t].ipucu));
            a->setObjectName(QStringLiteral("Dugme") + QString::number(sira));
            Dugme[sira] = a;
            ++t;
        } else {
            Dugme[sira] = DugmeCubugu->addSeparator();
            Dugme[sira]->setObjectName(QStringLiteral("Dugme") + QString::number(sira));
        }
    }
    connect(Dugme[2], &QAction::triggered, this, &AnaForm::YeniKlasorEkle);
    connect(Dugme[4], &QAction::triggered, this, &AnaForm::YeniIsEkle);
    connect(Dugme[5], &QAction::triggered, this, &AnaForm::DegisiklikYap);
    connect(Dugme[6], &QAction::triggered, this, &AnaForm::IsiSil);
    connect(Dugme[8], &QAction::triggered, this, &AnaForm::Bul);
}

void AnaForm::komutlariKur()
{
    m_klasorler = new KlasorKomutlari(
        {.agac = KlasorListesi, .liste = YapilacakIslerListesi, .tumKlasorlerOnayi = TumKlasorlerOnayi,
         .durumPaneli = DurumPaneli2, .klasorMenusu = KlasorMenusu, .yeniKlasorEkleMenusu1 = YeniKlasorEkleMenusu1,
         .yeniKlasorEkleMenusu2 = YeniKlasorEkleMenusu2, .klasorAdiDegistirMenusu = KlasorAdiDegistirMenusu,
         .klasorSilMenusu = KlasorSilMenusu, .klasorMenusuCizgisi2 = KlasorMenusuCizgisi2,
         .tumKlasorleriGosterMenusu = TumKlasorleriGosterMenusu, .tumKlasorleriGizleMenusu = TumKlasorleriGizleMenusu,
         .klasorListesiniYenileMenusu = KlasorListesiniYenileMenusu},
        this);
    m_isler = new IsKomutlari(
        {.pencere = this, .agac = KlasorListesi, .liste = YapilacakIslerListesi, .tumKlasorlerOnayi = TumKlasorlerOnayi,
         .sadeceBugunOnayi = SadeceBugunYapilacakIsleriListeleOnayi, .klasorEkleDugmesi = Dugme[2],
         .bulDugmesi = Dugme[8], .yeniKlasorEkleMenusu1 = YeniKlasorEkleMenusu1,
         .yeniKlasorEkleMenusu2 = YeniKlasorEkleMenusu2, .bulMenusu = BulMenusu,
         .isListesiMenusu = YapilacakIsListesiMenusu, .yeniIsEkleMenusu1 = YeniIsEkleMenusu1,
         .yeniIsEkleMenusu2 = YeniIsEkleMenusu2, .degisiklikYapMenusu1 = DegisiklikYapMenusu1,
         .degisiklikYapMenusu2 = DegisiklikYapMenusu2, .isiSilMenusu1 = IsiSilMenusu1, .isiSilMenusu2 = IsiSilMenusu2},
        m_klasorler, this);
    m_klasorler->isKomutlariniTanit(m_isler);
}

// The procedures other Parts of the program name, handed to the command classes.

void AnaForm::KlasorListesiniYukle() { m_klasorler->KlasorListesiniYukle(); }
void AnaForm::KlasorListesi_NodeClick(QTreeWidgetItem *dugum) { m_klasorler->KlasorListesi_NodeClick(dugum); }
void AnaForm::seciliKlasoruListele() { m_klasorler->KlasorListesi_NodeClick(m_klasorler->seciliDugum()); }
QTreeWidgetItem *AnaForm::seciliDugum() const { return m_klasorler->seciliDugum(); }
QString AnaForm::seciliAnahtar() const { return m_klasorler->seciliAnahtar(); }
qint16 AnaForm::EnBuyukKlasorNo() const { return m_klasorler->enBuyukKlasorNo(); }
void AnaForm::YeniKlasorEkle() { m_klasorler->YeniKlasorEkle(); }
void AnaForm::KlasorAdiDegistir() { m_klasorler->KlasorAdiDegistir(); }
void AnaForm::KlasorSil() { m_klasorler->KlasorSil(); }
void AnaForm::TumKlasorleriGoster() { m_klasorler->TumKlasorleriGoster(); }
void AnaForm::TumKlasorleriGizle() { m_klasorler->TumKlasorleriGizle(); }
void AnaForm::KlasorListesiniYenile() { m_klasorler->KlasorListesiniYenile(); }
void AnaForm::IsiTasi(qint64 isNo) { m_klasorler->IsiTasi(isNo); }

void AnaForm::IsleriListele(const QString &anahtar) { m_isler->IsleriListele(anahtar); }
void AnaForm::ListeyiTazele() { m_isler->ListeyiTazele(); }
void AnaForm::YapilacakIslerListesi_ItemClick() { m_isler->YapilacakIslerListesi_ItemClick(); }
void AnaForm::YeniIsEkle() { m_isler->YeniIsEkle(); }
void AnaForm::isEkle(const IsOnerisi &oneri) { m_isler->oneriyleEkle(oneri); }
void AnaForm::DegisiklikYap() { m_isler->DegisiklikYap(); }
void AnaForm::IsiSil() { m_isler->IsiSil(); }
void AnaForm::TumKlasorlerOnayi_Click() { m_isler->TumKlasorlerOnayi_Click(); }
void AnaForm::SadeceBugunYapilacakIsleriListeleOnayi_Click() { m_isler->SadeceBugunYapilacakIsleriListeleOnayi_Click(); }
IsEklemeDegistirmeFormu *AnaForm::isFormu() { return m_isler->isFormu(); }
void AnaForm::satiriSec(int konum) { m_isler->satiriSec(konum); }

void AnaForm::YapilacakIsKontrolu_Timer() { m_tarama->YapilacakIsKontrolu_Timer(); }
void AnaForm::HatirlatilacakIsleriListele() { m_tarama->HatirlatilacakIsleriListele(); }
HatirlatmaFormu *AnaForm::hatirlatmaFormu() { return m_tarama->hatirlatmaFormu(); }
bool AnaForm::hatirlatmaFormuVar() const { return m_tarama->hatirlatmaFormuVar(); }

void AnaForm::BaskaMasaDegisikligiDenetle()
{
    Veritabani::Degisiklikler d;
    SessizAdim([&] { d = Veritabani::acik().baskaMasaDegisiklikleriniAl(); });
    // The tree follows the folders by itself, a burst of them once (it reads its small
    // table again, so that every parent is in place).
    if (d.neler & Veritabani::KlasorlerDegisti)
        m_klasorler->baskaMasaKlasorleriDegistirdi();
    // The calendar follows them too (a folder renamed changes its events' categories).
    if (d.neler && m_takvim)
        m_takvim->baskaMasaDegistirdi();
    if (!(d.neler & Veritabani::IslerDegisti))
        return;
    // The jobs named from now until the wait ends are read together: the wait is not
    // started again by later notifications, so a change shows within it.
    m_bekleyenDegisiklikler.ekle(d);
    if (!m_baskaMasaBekleme->isActive())
        m_baskaMasaBekleme->start();
}

void AnaForm::BaskaMasaIsleriniOku()
{
    Veritabani::Degisiklikler d = std::exchange(m_bekleyenDegisiklikler, Veritabani::Degisiklikler());
    const bool listeFormu = !m_listeFormu.isNull() && m_listeFormu->isVisible();
    const bool hatirlatma = hatirlatmaFormuVar() && hatirlatmaFormu()->isVisible();
    if (d.tumIsler || d.isler.size() + d.onHatirlatmalar.size() > TopluDegisiklikSiniri) {
        // Anything may have changed (a reconnect, an older server, a large statement).
        ListeyiTazele();
        if (hatirlatma)
            hatirlatmaFormu()->baskaYerdeSonuclananlariCikar();
        if (listeFormu)
            SessizAdim([&] { m_listeFormu->yenidenListele(); });
        return;
    }
    // The reminder window shows advance warnings too: their jobs are read for it.
    QSet<qint64> okunacak = d.isler;
    if (hatirlatma)
        okunacak.unite(d.onHatirlatmalar);
    if (okunacak.isEmpty())
        return;
    std::vector<IsKaydi> okunanlar;
    const bool okundu = SessizAdim([&] {
        Veritabani::acik().isleriGetir(QList<qint64>(okunacak.cbegin(), okunacak.cend()),
                                       [&](const Veritabani::HamIsSatiri &s) { okunanlar.push_back(Veritabani::kayit(s)); });
    });
    if (!okundu) {
        // The server cannot be read now: the same jobs are tried again with the next
        // change, or all are read again once the connection is back.
        m_bekleyenDegisiklikler.ekle(d);
        return;
    }
    m_isler->baskaMasaIsleri(okunanlar, d.isler);
    if (hatirlatma)
        hatirlatmaFormu()->baskaMasaDegisti(okunanlar, okunacak);
    if (listeFormu)
        m_listeFormu->baskaMasaDegisti(okunanlar, d.isler);
}

void AnaForm::geometriyiYukle()
{
    // Positions are kept in desktop coordinates of the window's frame, and sizes are those
    // of the window's inner area, both in twips; saving uses the same frame, so a window
    // comes back exactly where it was left.
    QScreen *ekran = QGuiApplication::primaryScreen();
    const QRect e = ekran ? ekran->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect tum = ekran ? ekran->availableVirtualGeometry() : e;
    const double ekranY = twip(e.height());
    const double ekranG = twip(e.width());
    const QString b = AyarAdi::Ayarlar;
    // Sizes no larger than the screens and positions near them, whatever the file says:
    // a window of 32767 pixels would be saved back as such.
    const int enGenis = qMax(200, tum.width());
    const int enYuksek = qMax(150, tum.height());
    const double yukseklik =
        twip(pikselArasi(Ayarlar::okuOndalik(b, AyarAdi::Yukseklik, ekranY - 400), 150, enYuksek));
    const double genislik = twip(pikselArasi(Ayarlar::okuOndalik(b, AyarAdi::Genislik, ekranG), 200, enGenis));
    const double ust = Ayarlar::okuOndalik(b, AyarAdi::UstBosluk, twip(e.top()) + (ekranY - yukseklik - 400) / 2);
    const double sol = Ayarlar::okuOndalik(b, AyarAdi::SolBosluk, twip(e.left()) + (ekranG - genislik) / 2);
    const QSize boyut(piksel(genislik), piksel(yukseklik));
    QPoint konum(pikselArasi(sol, tum.left() - boyut.width(), tum.right()),
                 pikselArasi(ust, tum.top() - boyut.height(), tum.bottom()));
    // A place no screen shows any more (a monitor removed): centred on the main screen.
    bool gorunur = false;
    for (QScreen *s : QGuiApplication::screens())
        gorunur = gorunur || s->availableGeometry().intersects(QRect(konum, QSize(boyut.width(), 30)));
    if (!gorunur)
        konum = QPoint(e.left() + qMax(0, (e.width() - boyut.width()) / 2),
                       e.top() + qMax(0, (e.height() - boyut.height()) / 2));
    resize(boyut);
    move(konum);
    // The saved state is the window's state from the start, shown or not.
    if (Ayarlar::okuSayi(AyarAdi::BaslamaKonumu) == 2)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void AnaForm::geometriyiKaydet()
{
    // A window that was never shown (a hidden start ended from the tray) leaves the
    // saved geometry and state as they were.
    if (!m_gosterildi)
        return;
    if (!isMinimized() && !isMaximized()) {
        Ayarlar::yaz(AyarAdi::Yukseklik, QString::number(twip(height())));
        Ayarlar::yaz(AyarAdi::Genislik, QString::number(twip(width())));
        Ayarlar::yaz(AyarAdi::SolBosluk, QString::number(twip(pos().x())));
        Ayarlar::yaz(AyarAdi::UstBosluk, QString::number(twip(pos().y())));
    }
    if (!isMinimized())
        Ayarlar::yaz(AyarAdi::BaslamaKonumu, isMaximized() ? QStringLiteral("2") : QStringLiteral("0"));
    Ayarlar::kendiKaydet(false); // at exit: a warning on stderr only
}

QMenu *AnaForm::createPopupMenu()
{
    return nullptr;
}

void AnaForm::yerlestir()
{
    QWidget *alan = centralWidget();
    if (!alan || !KlasorListesi || isMinimized())
        return;
    const int W = alan->width();
    const int H = alan->height();
    // Smaller windows keep the previous layout.
    if (twip(height()) <= 2600 || twip(width()) <= 3975)
        return;
    const int kutuYuksekligi = piksel(255);
    const int ust = piksel(420);
    const int agacGenisligi = piksel(3045);
    const int listeSol = piksel(3540);
    const int sol = piksel(240);
    Etiket[0]->move(sol, piksel(170));
    Etiket[1]->move(listeSol, piksel(170));
    const int yukseklik = qMax(20, H - ust - kutuYuksekligi - piksel(300));
    KlasorListesi->setGeometry(sol, ust, agacGenisligi, yukseklik);
    YapilacakIslerListesi->setGeometry(listeSol, ust, qMax(20, W - listeSol - sol), yukseklik);
    const int kutuUst = ust + yukseklik + piksel(120);
    // The captions are wider than the design's font made them: keep them whole.
    const int tumGenislik = qMax(agacGenisligi, TumKlasorlerOnayi->sizeHint().width());
    TumKlasorlerOnayi->setGeometry(sol, kutuUst, tumGenislik, kutuYuksekligi + 4);
    const int bugunSol = qMax(listeSol, sol + tumGenislik + piksel(240));
    SadeceBugunYapilacakIsleriListeleOnayi->setGeometry(
        bugunSol, kutuUst, qMax(piksel(3645), SadeceBugunYapilacakIsleriListeleOnayi->sizeHint().width()),
        kutuYuksekligi + 4);
    Etiket[2]->adjustSize();
    Etiket[2]->move(W - (Etiket[2]->width() + piksel(435)) + piksel(240), piksel(170));
}

void AnaForm::etkinlesti()
{
    GirisSifresiBelirleDegistirMenusu->setText(OrtakDegiskenler::GirisSifresiSorulsun
                                                   ? QStringLiteral("Giriş Şifresi Değiştir...")
                                                   : QStringLiteral("Giriş Şifresi Belirle..."));
    Etiket[2]->setText(Tarihler::uzunTarih(Arayuz::saat().bugun()));
    yerlestir();
}

bool AnaForm::event(QEvent *e)
{
    if (e->type() == QEvent::Show)
        m_gosterildi = true;
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        etkinlesti();
    return QMainWindow::event(e);
}

void AnaForm::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    yerlestir();
}

void AnaForm::BildirimAlaninaSimgeEkle()
{
    if (!m_bildirimAlani) {
        m_bildirimAlani = new BildirimAlani(windowIcon(), OrtakDegiskenler::PencereBasligi, BildirimAlaniMenusu, this);
        connect(m_bildirimAlani, &BildirimAlani::ciftTiklandi, this, &AnaForm::Goster);
    }
    m_bildirimAlani->ekle();
}

void AnaForm::BildirimAlanindanSimgeyiSil()
{
    if (m_bildirimAlani)
        m_bildirimAlani->sil();
}

void AnaForm::Goster()
{
    if (m_tercihlerFormu && m_tercihlerFormu->isVisible())
        return;
    // Still locked by the login prompt: the prompt comes forward, the window stays as it is.
    if (GirisSifresiSorFormu::oneGetir())
        return;
    show();
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | Qt::WindowActive);
    showNormal();
    raise();
    activateWindow();
}

void AnaForm::Cikis()
{
    m_cikisMenudenIstendi = true;
    if (!close())
        m_cikisMenudenIstendi = false;
}

void AnaForm::SureHesaplama() { modalAc<SureHesaplamaFormu>(this); }

void AnaForm::Bul()
{
    // After going to a job, the job list has the focus.
    if (modalAc<AramaIslemleriFormu>(this) == QDialog::Accepted)
        YapilacakIslerListesi->setFocus();
}

void AnaForm::HataBildirme() { modalAc<HataBildirmeFormu>(this); }

void AnaForm::Hakkinda() { modalAc<HakkindaFormu>(this); }

void AnaForm::isiGoster(const QString &anahtar, qint64 isNo)
{
    SessizAdim([&] {
        for (QTreeWidgetItem *d : KlasorListesi->tumDugumler()) {
            if (KlasorAgaci::anahtar(d) != anahtar)
                continue;
            m_klasorler->klasoruGoster(d);
            break;
        }
    });
    SessizAdim([&] {
        const int satir = YapilacakIslerListesi->model()->satirBul(isNo);
        if (satir < 0)
            return;
        YapilacakIslerListesi->scrollTo(YapilacakIslerListesi->model()->index(satir, 0));
        QApplication::processEvents();
        YapilacakIslerListesi->satirSec(satir);
    });
}

QString AnaForm::durumMetni() const
{
    return DurumPaneli2->text();
}

void AnaForm::durumMetniAyarla(const QString &metin)
{
    DurumPaneli2->setText(metin);
}

void AnaForm::kullaniciAyarlariniBagla()
{
    connect(GirisSifresiBelirleDegistirMenusu, &QAction::triggered, this, &AnaForm::GirisSifresiBelirleDegistirMenusu_Click);
    connect(TercihlerMenusu1, &QAction::triggered, this, &AnaForm::TercihlerMenusu1_Click);
    connect(TercihlerMenusu2, &QAction::triggered, this, &AnaForm::TercihlerMenusu2_Click);
}

void AnaForm::GirisSifresiBelirleDegistirMenusu_Click()
{
    Adim([&] {
        GirisSifresiBelirleDegistirFormu f(this);
        f.exec();
    });
    // The menu caption follows the password state.
    etkinlesti();
}

void AnaForm::TercihlerMenusu1_Click()
{
    tercihleriAc(false);
}

void AnaForm::TercihlerMenusu2_Click()
{
    tercihleriAc(isMinimized());
}

TercihlerFormu *AnaForm::tercihlerFormu() const
{
    return m_tercihlerFormu;
}

void AnaForm::tercihleriAc(bool modsuz)
{
    // One preferences window at a time: an open one comes to the front.
    if (m_tercihlerFormu) {
        m_tercihlerFormu->raise();
        m_tercihlerFormu->activateWindow();
        return;
    }
    // Not while the login prompt still locks the program (the tray menu stays usable).
    if (GirisSifresiSorFormu::acik())
        return;
    Adim([&] {
        // Modeless it has no owner, so it stays on screen while this window is minimised.
        auto *f = new TercihlerFormu(modsuz ? nullptr : this);
        f->setAttribute(Qt::WA_DeleteOnClose);
        m_tercihlerFormu = f;
        if (modsuz) {
            f->show();
            f->raise();
            f->activateWindow();
        } else {
            f->exec();
        }
    });
}

void AnaForm::closeEvent(QCloseEvent *e)
{
    SessizAdim([&] { SutunDuzeni::kaydet(YapilacakIslerListesi->header(), 1); });
    if (!m_cikisMenudenIstendi) {
        if (Tercihler::ArkaplandaCalissin == 1) {
            BildirimAlaninaSimgeEkle();
            // Without a notification area the program stays reachable in the task bar.
            if (BildirimAlani::kullanilabilir())
                hide();
            else
                showMinimized();
            e->ignore();
            return;
        }
        if (!soru(QStringLiteral("Programdan çıkmak istiyor musunuz?"))) {
            e->ignore();
            return;
        }
    }
    SessizAdim([&] { geometriyiKaydet(); });
    e->accept();
    BildirimAlanindanSimgeyiSil();
    // Unload every window of the program, which ends it.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != this)
            w->close();
    }
    QApplication::quit();
}

// Job lists and printing.

void AnaForm::listeVeYazdirmaKomutlariniBagla()
{
    connect(Dugme[10], &QAction::triggered, this, &AnaForm::YapilacakIsleriListele);
    connect(YapilacakIsleriListeleMenusu, &QAction::triggered, this, &AnaForm::YapilacakIsleriListele);
    connect(Dugme[12], &QAction::triggered, this, &AnaForm::IsListesiniYazdir);
    connect(TakvimeAktarMenusu, &QAction::triggered, this,
            [this] { TakvimKomutlari::takvimeAktar(seciliAnahtar(), TumKlasorlerOnayi->isChecked()); });
    connect(TakvimdenAlMenusu, &QAction::triggered, this,
            [this] { TakvimKomutlari::takvimdenAl(this, seciliAnahtar()); });
}

void AnaForm::YapilacakIsleriListele()
{
    // Created for each opening and unloaded when closed, so its rows do not outlive it.
    QPointer<YapilacakIslerListesiFormu> f = new YapilacakIslerListesiFormu(this);
    m_listeFormu = f;
    Adim([&] { f->exec(); });
    delete f.data();
    // Its rows' memory goes back to the system, not only to the heap.
    BellegiSistemeVer();
}

void AnaForm::IsListesiniYazdir()
{
    QTreeWidgetItem *d = seciliDugum();
    isListesiniYazdir(RaporPenceresi::AnaPencere, d ? d->text(0) : QString(), *YapilacakIslerListesi->model(), this);
}

} // namespace Zelvora

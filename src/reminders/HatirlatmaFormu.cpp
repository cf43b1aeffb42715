#include "reminders/HatirlatmaFormu.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Tarihler.h"
#include "core/Ufuk.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "reminders/IsRaporu.h"
#include "ui/AnaPencere.h"
#include "ui/OrtakDenetimler.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimeZone>
#include <QTimer>
#include <QWindow>

namespace Zelvora {

namespace {
constexpr int ListeNo = 3; // "Listeler\Liste-3"
constexpr int ErtelemeSaniyesi = 15 * 60;


// A rectangle given in twips, as pixels.
QRect alan(int sol, int ust, int genislik, int yukseklik)
{
    return QRect(piksel(sol), piksel(ust), piksel(genislik), piksel(yukseklik));
}
} // namespace

HatirlatmaFormu::HatirlatmaFormu(AnaPencere *ana, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      m_ana(ana)
{
    setObjectName(QStringLiteral("HatirlatmaFormu"));
    setWindowTitle(QStringLiteral("Hatırlatılacak İşler"));
    setFixedSize(piksel(9510), piksel(6720));
    denetimleriKur();
}

int HatirlatmaFormu::satirSayisi() const
{
    return YapilacakIslerListesi->satirSayisi();
}

QList<IsKaydi> HatirlatmaFormu::listelenenIsler() const
{
    const IsSatiriModeli *m = YapilacakIslerListesi->model();
    QList<IsKaydi> isler;
    for (int i = 0; i < m->rowCount(); ++i)
        isler << m->is(i);
    return isler;
}

void HatirlatmaFormu::isleriSonuclandir(const QList<qint64> &isNolari, int sonuc)
{
    if (sonuc < 0 || sonuc > 2)
        return;
    const int secilen = m_isSonucu;
    for (qint64 no : isNolari) {
        // A job no longer listed (settled or changed meanwhile) is left alone.
        const int satir = YapilacakIslerListesi->model()->satirBul(no);
        if (satir < 0)
            continue;
        YapilacakIslerListesi->satirSec(satir);
        m_isSonucu = sonuc;
        OnaylaDugmesi_Click();
    }
    m_isSonucu = secilen;
}

QList<int> HatirlatmaFormu::tasarimGenislikleri()
{
    return {1300, 1000, 1300, 1500, 1000, 1400, 0};
}

QString HatirlatmaFormu::baslikMetni(int isSayisi)
{
    return QStringLiteral("Aşağıda \"şimdi\" yapmak için planladığınız (") + QString::number(isSayisi)
        + QStringLiteral(") adet iş var!");
}

void HatirlatmaFormu::denetimleriKur()
{
    SimgeKutusu = new QLabel(this);
    SimgeKutusu->setObjectName(QStringLiteral("SimgeKutusu"));
    SimgeKutusu->setGeometry(alan(390, 390, 480, 480));
    SimgeKutusu->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Adim([&] { SimgeKutusu->setPixmap(SimgeResmi(QStringLiteral("ALARM"))); });

    Etiket[0] = new QLabel(this);
    Etiket[0]->setObjectName(QStringLiteral("Etiket0"));
    QFont kalin(QStringLiteral("MS Sans Serif"));
    kalin.setBold(true);
    Etiket[0]->setFont(kalin);
    Etiket[0]->move(piksel(1320), piksel(270));

    YapilacakIslerListesi = new IsListesi(this);
    YapilacakIslerListesi->setObjectName(QStringLiteral("YapilacakIslerListesi"));
    YapilacakIslerListesi->setGeometry(alan(1320, 570, 7845, 3435));
    YapilacakIslerListesi->setFont(QFont(QStringLiteral("Tahoma")));
    // This list is neither sorted by its headers nor a source of dragged jobs.
    disconnect(YapilacakIslerListesi->header(), &QHeaderView::sectionClicked, YapilacakIslerListesi,
               &IsListesi::sutunaTiklandi);
    YapilacakIslerListesi->header()->setSectionsClickable(false);
    YapilacakIslerListesi->setDragEnabled(false);
    YapilacakIslerListesi->setDragDropMode(QAbstractItemView::NoDragDrop);
    YapilacakIslerListesi->model()->sabitSimge(IsSatiriModeli::HatirlatSimgesi);
    Adim([&] { SutunDuzeni::yukle(YapilacakIslerListesi->header(), ListeNo, tasarimGenislikleri()); });

    Etiket[1] = new QLabel(QStringLiteral("Açıklama"), this);
    Etiket[1]->setObjectName(QStringLiteral("Etiket1"));
    Etiket[1]->move(piksel(1320), piksel(4140));
    Etiket[1]->adjustSize();

    // Shows the description only; nothing typed here would be saved, so it is read-only.
    AciklamaKutusu = new QPlainTextEdit(this);
    AciklamaKutusu->setObjectName(QStringLiteral("AciklamaKutusu"));
    AciklamaKutusu->setGeometry(alan(1320, 4410, 7845, 555));
    AciklamaKutusu->setReadOnly(true);
    AciklamaKutusu->setTabChangesFocus(true);
    AdiEtikettenAl(AciklamaKutusu, Etiket[1]);
    YapilacakIslerListesi->setAccessibleName(QStringLiteral("Hatırlatılacak İşler"));

    Cerceve = new QFrame(this);
    Cerceve->setObjectName(QStringLiteral("Cerceve"));
    Cerceve->setFrameShape(QFrame::Box);
    Cerceve->setFrameShadow(QFrame::Sunken);
    Cerceve->setGeometry(alan(1320, 5100, 7845, 705));
    Altlik = new QWidget(Cerceve);
    Altlik->setObjectName(QStringLiteral("Altlik"));
    Altlik->setBackgroundRole(QPalette::Window);
    Altlik->setAutoFillBackground(true);
    Altlik->setGeometry(Cerceve->contentsRect());

    const QString secenekler[3] = {QStringLiteral("İş y&apıldı "), QStringLiteral("&15 dakika ertelensin "),
                                   QStringLiteral("&Tekrar hatırlatılmasın ")};
    const int solKenar[3] = {150, 2640, 5130}; // left, middle, right within the frame (twips)
    for (int i = 0; i < 3; ++i) {
        IsSonucuSecenekleri[i] = new SecenekDugmesi(secenekler[i], Altlik);
        IsSonucuSecenekleri[i]->setObjectName(QStringLiteral("IsSonucuSecenekleri") + QString::number(i));
        IsSonucuSecenekleri[i]->setGeometry(piksel(solKenar[i]), (Altlik->height() - piksel(285)) / 2,
                                            piksel(2400), piksel(285));
        connect(IsSonucuSecenekleri[i], &QRadioButton::clicked, this, [this, i] { IsSonucuSecenekleri_Click(i); });
    }

    HerZamanUstteOlsunOnayi = new QCheckBox(QStringLiteral("&Her zaman üstte olsun "), this);
    HerZamanUstteOlsunOnayi->setObjectName(QStringLiteral("HerZamanUstteOlsunOnayi"));
    HerZamanUstteOlsunOnayi->setGeometry(alan(1320, 5910, 2625, 285));
    SesliUyariVermeyiDurdurOnayi = new QCheckBox(QStringLiteral("&Sesli uyarı vermeyi durdur "), this);
    SesliUyariVermeyiDurdurOnayi->setObjectName(QStringLiteral("SesliUyariVermeyiDurdurOnayi"));
    SesliUyariVermeyiDurdurOnayi->setGeometry(alan(1320, 6210, 2625, 285));

    auto dugme = [this](const QString &ad, const QString &baslik, int sol) {
        auto *d = new QPushButton(baslik, this);
        d->setObjectName(ad);
        d->setGeometry(alan(sol, 6015, 1245, 345));
        return d;
    };
    OnaylaDugmesi = dugme(QStringLiteral("OnaylaDugmesi"), QStringLiteral("&Onayla"), 3990);
    OnaylaDugmesi->setEnabled(false);
    DegisiklikYapDugmesi = dugme(QStringLiteral("DegisiklikYapDugmesi"), QStringLiteral("&Değiştir..."), 5310);
    YazdirDugmesi = dugme(QStringLiteral("YazdirDugmesi"), QStringLiteral("&Yazdır..."), 6630);
    KapatDugmesi = dugme(QStringLiteral("KapatDugmesi"), QStringLiteral("Kapat (Esc)"), 7950);

    // Fonts wider than the window was drawn for: captions get their room.
    IcerigeSigdir(this);

    connect(YapilacakIslerListesi, &IsListesi::satiraTiklandi, this, &HatirlatmaFormu::YapilacakIslerListesi_ItemClick);
    // The description follows the selection, whether it moves by mouse, keys or code.
    connect(YapilacakIslerListesi->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { aciklamayiGoster(); });
    connect(OnaylaDugmesi, &QPushButton::clicked, this, &HatirlatmaFormu::OnaylaDugmesi_Click);
    connect(DegisiklikYapDugmesi, &QPushButton::clicked, this, &HatirlatmaFormu::DegisiklikYapDugmesi_Click);
    connect(KapatDugmesi, &QPushButton::clicked, this, &HatirlatmaFormu::KapatDugmesi_Click);
    connect(YazdirDugmesi, &QPushButton::clicked, this, &HatirlatmaFormu::YazdirDugmesi_Click);
    // toggled: a change made on activation applies the rule as a click does.
    connect(HerZamanUstteOlsunOnayi, &QCheckBox::toggled, this, &HatirlatmaFormu::HerZamanUstteOlsunOnayi_Click);
    connect(SesliUyariVermeyiDurdurOnayi, &QCheckBox::clicked, this,
            &HatirlatmaFormu::SesliUyariVermeyiDurdurOnayi_Click);

    setTabOrder(YapilacakIslerListesi, AciklamaKutusu);
    setTabOrder(AciklamaKutusu, IsSonucuSecenekleri[0]);
    setTabOrder(IsSonucuSecenekleri[0], IsSonucuSecenekleri[1]);
    setTabOrder(IsSonucuSecenekleri[1], IsSonucuSecenekleri[2]);
    setTabOrder(IsSonucuSecenekleri[2], HerZamanUstteOlsunOnayi);
    setTabOrder(HerZamanUstteOlsunOnayi, SesliUyariVermeyiDurdurOnayi);
    setTabOrder(SesliUyariVermeyiDurdurOnayi, OnaylaDugmesi);
    setTabOrder(OnaylaDugmesi, DegisiklikYapDugmesi);
    setTabOrder(DegisiklikYapDugmesi, YazdirDugmesi);
    setTabOrder(YazdirDugmesi, KapatDugmesi);
    YapilacakIslerListesi->setFocus();
}

void HatirlatmaFormu::isleriDoldur(std::vector<IsKaydi> isler, const QDate &bugun)
{
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    m->doldur(std::move(isler), bugun, false);
    if (m->rowCount() > 0)
        YapilacakIslerListesi->satirSec(0);
}

void HatirlatmaFormu::listele()
{
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    if (m->rowCount() > 0)
        m->temizle();
    const QDateTime simdi = Arayuz::saat().simdi();
    m_taramaAni = Ufuk::taramaAni(simdi);
    std::vector<IsKaydi> isler;
    // A query that fails leaves the list empty; the error has been reported (an office
    // server out of reach in the status bar only), and the horizon must not move past jobs
    // that were not looked at.
    m_taramaTamam = GozetimsizAdim([&] {
        const QDateTime ufuk = Ufuk::taramaUfku(simdi);
        isler = Veritabani::acik().hatirlatilacakIsler(simdi.date(), simdi.time(), ufuk.date(), ufuk.time());
    });
    isleriDoldur(std::move(isler), simdi.date());
}

void HatirlatmaFormu::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    etkinlesti();
    // Come up in front of whatever modal window was open (the job editor, for one).
    QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
    });
}

void HatirlatmaFormu::keyPressEvent(QKeyEvent *e)
{
    // Enter presses a focused button (the button takes it first) and nothing else: the
    // dialog's automatic default button must not settle a job by accident.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void HatirlatmaFormu::etkinlesti()
{
    SessizAdim([&] {
        Etiket[0]->setText(baslikMetni(YapilacakIslerListesi->satirSayisi()));
        Etiket[0]->adjustSize();
    });
    SessizAdim([&] {
        OrtakDegiskenler::SesliUyari = Ayarlar::okuSayi(AyarAdi::SesliUyariBilgisi);
        OrtakDegiskenler::HatirlatmaEnUstte = Ayarlar::okuSayi(AyarAdi::HatirlatmaEnUstte);
    });
    SessizAdim([&] {
        const bool enUstte = OrtakDegiskenler::HatirlatmaEnUstte == 1;
        HerZamanUstteOlsunOnayi->setChecked(enUstte);
        enUstteUygula(enUstte);
    });
    SessizAdim([&] {
        if (OrtakDegiskenler::SesliUyari == 1) {
            if (isVisible())
                Arayuz::alarm().baslat(Ayarlar::oku(AyarAdi::SesDosyasiYolu) + Ayarlar::oku(AyarAdi::SesDosyasiAdi));
        } else {
            SesliUyariVermeyiDurdurOnayi->setEnabled(false);
        }
    });
    SessizAdim([&] { aciklamayiGoster(); });
}

void HatirlatmaFormu::aciklamayiGoster()
{
    const int satir = YapilacakIslerListesi->seciliSatir();
    if (satir >= 0)
        AciklamaKutusu->setPlainText(YapilacakIslerListesi->model()->hucreMetni(satir, IsSatiriModeli::Aciklama));
}

void HatirlatmaFormu::YapilacakIslerListesi_ItemClick(int satir)
{
    SessizAdim([&] {
        if (satir >= 0 && satir == YapilacakIslerListesi->seciliSatir())
            aciklamayiGoster();
    });
}

void HatirlatmaFormu::IsSonucuSecenekleri_Click(int indeks)
{
    if (indeks < 0 || indeks > 2)
        return;
    OnaylaDugmesi->setEnabled(true);
    m_isSonucu = indeks;
}

void HatirlatmaFormu::OnaylaDugmesi_Click()
{
    const int satir = YapilacakIslerListesi->seciliSatir();
    if (satir < 0 || m_isSonucu < 0)
        return;
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    OrtakDegiskenler::SeciliSatir = qint16(satir + 1);
    m_seciliIsNo = m->isNo(satir);

    // A row of an advance warning: done settles the job with all its warnings; the other
    // two outcomes concern that warning only, the job keeps its date, time and reminder.
    const int gunOnce = m->gunOnce(satir);
    bool devam = true;
    const bool yazildi = Adim([&] {
        Veritabani &v = Veritabani::acik();
        switch (m_isSonucu) {
        case 0:
            v.isYapildiIsaretle(m_seciliIsNo);
            break;
        case 1: {
            // Now + 15 minutes as a full date and time: near midnight this is tomorrow,
            // so the job really comes back 15 minutes later. Counted on the wall clock,
            // as the stored time is one: when the clocks go back, 02:50 gives 03:05, not
            // an 02:05 that is already past.
            const QDateTime simdi = Arayuz::saat().simdi();
            const QDateTime sonra =
                QDateTime(simdi.date(), simdi.time(), QTimeZone::utc()).addSecs(ErtelemeSaniyesi);
            if (gunOnce > 0) {
                v.onHatirlatmaErtele(m_seciliIsNo, gunOnce, sonra.date(), sonra.time());
            } else {
                // A job marked done elsewhere meanwhile is left done; its row goes all the same.
                if (!v.isZamaniniDegistir(m_seciliIsNo, sonra.date(), sonra.time()))
                    mesaj(QStringLiteral("Bu iş, başka bir masada ya da pencerede yapıldı olarak işaretlenmiş ya da silinmiş; ertelenmedi."));
                // The job's own day has come: its warnings have had their time and must
                // not come back because its time moved (a new date in the editor starts
                // them afresh).
                for (int g : v.onHatirlatmalar(m_seciliIsNo))
                    v.onHatirlatmaDurdur(m_seciliIsNo, g);
            }
            break;
        }
        case 2:
            if (gunOnce > 0)
                v.onHatirlatmaDurdur(m_seciliIsNo, gunOnce);
            else
                v.isHatirlatmaKapat(m_seciliIsNo);
            break;
        }
    }, &devam);
    // A job whose outcome was not stored keeps its row, to be settled again.
    if (!devam || !yazildi)
        return;
    Q_EMIT isSonuclandi();

    m->satirSil(OrtakDegiskenler::SeciliSatir - 1);
    if (m->rowCount() > 0) {
        if (OrtakDegiskenler::SeciliSatir > 1)
            --OrtakDegiskenler::SeciliSatir;
        YapilacakIslerListesi->satirSec(OrtakDegiskenler::SeciliSatir - 1);
        YapilacakIslerListesi->setFocus();
        Etiket[0]->setText(baslikMetni(m->rowCount()));
        Etiket[0]->adjustSize();
    } else {
        reject(); // nothing left, so no question
    }
    anaListeyiYenile();
}

void HatirlatmaFormu::baskaYerdeSonuclananlariCikar()
{
    SessizAdim([&] {
        sonuclananlariCikar([](qint64 no, IsKaydi &simdi) {
            simdi = Veritabani::acik().is(no);
            return true;
        });
    });
}

void HatirlatmaFormu::baskaMasaDegisti(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler)
{
    sonuclananlariCikar([&](qint64 no, IsKaydi &simdi) {
        if (!degisenler.contains(no))
            return false;
        simdi = IsKaydi();
        for (const IsKaydi &k : okunanlar) {
            if (k.isNo == no)
                simdi = k;
        }
        return true;
    });
}

void HatirlatmaFormu::sonuclananlariCikar(const std::function<bool(qint64, IsKaydi &)> &oku)
{
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    const int secili = YapilacakIslerListesi->seciliSatir();
    const qint64 seciliIs = secili >= 0 ? m->isNo(secili) : 0;
    // Read first, removed after: a database that cannot be read leaves every row.
    std::vector<int> gidenler;
    for (int satir = m->rowCount() - 1; satir >= 0; --satir) {
        const IsKaydi listede = m->is(satir);
        IsKaydi simdi;
        if (!oku(listede.isNo, simdi))
            continue;
        if (simdi.isNo != 0 && simdi.hatirlatma && !simdi.yapildi && simdi.tarih == listede.tarih
            && simdi.saat == listede.saat)
            continue;
        gidenler.push_back(satir);
    }
    if (gidenler.empty())
        return;
    for (int satir : gidenler) // from the last row up
        m->satirSil(satir);
    if (m->rowCount() == 0) {
        reject(); // nothing left to settle, so no question
        return;
    }
    Etiket[0]->setText(baslikMetni(m->rowCount()));
    Etiket[0]->adjustSize();
    const int yeni = seciliIs ? m->satirBul(seciliIs) : -1;
    if (yeni >= 0) {
        YapilacakIslerListesi->satirSec(yeni);
        return;
    }
    // The chosen outcome was meant for the row that went: it is not carried over.
    for (QRadioButton *r : IsSonucuSecenekleri) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
    m_isSonucu = -1;
    OnaylaDugmesi->setEnabled(false);
    YapilacakIslerListesi->satirSec(0);
}

void HatirlatmaFormu::DegisiklikYapDugmesi_Click()
{
    const int satir = YapilacakIslerListesi->seciliSatir();
    if (satir < 0)
        return;
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    QPointer<IsEklemeDegistirmeFormu> f;
    bool devam = true;
    Adim([&] {
        f = new IsEklemeDegistirmeFormu(this);
        // The subject as stored, without a warning row's mark.
        f->isiDoldur(m->hucreMetni(satir, IsSatiriModeli::Tarihi), m->hucreMetni(satir, IsSatiriModeli::Saati),
                     m->is(satir).konu, m->hucreMetni(satir, IsSatiriModeli::Yeri),
                     m->hucreMetni(satir, IsSatiriModeli::Sayisi), m->hucreMetni(satir, IsSatiriModeli::Aciklama),
                     m->simge(satir) == IsSatiriModeli::HatirlatSimgesi);
    }, &devam);
    if (!devam || !f)
        return;
    // A save re-reads the main window's list; leaving the change selects the main list's
    // row at the stored position, as the editor does for the main window.
    if (m_ana) {
        AnaPencere *ana = m_ana;
        connect(f, &IsEklemeDegistirmeFormu::kaydedildi, this, [ana] { ana->seciliKlasoruListele(); });
        connect(f, &IsEklemeDegistirmeFormu::degistirmeBitti, this,
                [ana] { ana->satiriSec(OrtakDegiskenler::SeciliSatir); });
    }
    Adim([&] { f->degistir(m->isNo(satir), QStringLiteral("Yapılacak İşi Değiştirme")); });
    OrtakDegiskenler::SeciliSatir = qint16(satir + 1);
    if (HerZamanUstteOlsunOnayi->isChecked()) {
        // Above this topmost window, and its calendar above both.
        f->takvimUstteTut(true);
        f->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    Adim([&] { f->exec(); });
    if (f) {
        f->takvimUstteTut(false);
        delete f.data();
    }

    listele();
    if (YapilacakIslerListesi->satirSayisi() == 0) {
        reject();
        return;
    }
    // Back from the editor the window is active again.
    etkinlesti();
}

void HatirlatmaFormu::HerZamanUstteOlsunOnayi_Click()
{
    SessizAdim([&] {
        const bool enUstte = HerZamanUstteOlsunOnayi->isChecked();
        OrtakDegiskenler::HatirlatmaEnUstte = enUstte ? 1 : 0;
        Ayarlar::yaz(AyarAdi::HatirlatmaEnUstte, QString::number(OrtakDegiskenler::HatirlatmaEnUstte));
        Ayarlar::kendiKaydet();
        enUstteUygula(enUstte);
    });
}

void HatirlatmaFormu::enUstteUygula(bool enUstte)
{
    Qt::WindowFlags bayraklar = windowFlags();
    bayraklar.setFlag(Qt::WindowStaysOnTopHint, enUstte);
    if (bayraklar == windowFlags())
        return;
    if (isVisible() && windowHandle()) {
        // setWindowFlags would hide the window, which ends a running exec(); tell the
        // native window directly instead.
        overrideWindowFlags(bayraklar);
        windowHandle()->setFlags(bayraklar);
    } else {
        setWindowFlags(bayraklar);
    }
}

void HatirlatmaFormu::SesliUyariVermeyiDurdurOnayi_Click()
{
    if (!SesliUyariVermeyiDurdurOnayi->isChecked())
        return;
    OrtakDegiskenler::SesliUyari = 0;
    SesliUyariVermeyiDurdurOnayi->setEnabled(false);
    SessizAdim([&] { Arayuz::alarm().durdur(); });
    SessizAdim([&] {
        Ayarlar::yaz(AyarAdi::SesliUyariBilgisi, QStringLiteral("0"));
        Ayarlar::yaz(AyarAdi::SesDosyasiAdi, QString());
        Ayarlar::yaz(AyarAdi::SesDosyasiYolu, QString());
        Ayarlar::kendiKaydet();
        Tercihler::SesDosyasiAdi.clear();
        Tercihler::SesDosyasiYolu.clear();
    });
}

void HatirlatmaFormu::YazdirDugmesi_Click()
{
    const QString baslik = QStringLiteral("Bugün Yapmak İçin Planladığınız İşler (")
        + Tarihler::uzunTarih(Arayuz::saat().bugun()) + QStringLiteral(")");
    isListesiniYazdir(RaporPenceresi::HatirlatmaPenceresi, baslik, *YapilacakIslerListesi->model(), this,
                      YazdirDugmesi, HerZamanUstteOlsunOnayi->isChecked());
}

void HatirlatmaFormu::KapatDugmesi_Click()
{
    reject();
}

void HatirlatmaFormu::reject()
{
    if (!kapanabilir())
        return;
    QDialog::reject();
}

bool HatirlatmaFormu::kapanabilir()
{
    SessizAdim([&] { SutunDuzeni::kaydet(YapilacakIslerListesi->header(), ListeNo); });
    SessizAdim([&] { Arayuz::alarm().durdur(); });
    if (YapilacakIslerListesi->satirSayisi() == 0)
        return true;
    return soru(QStringLiteral("Şimdi bu pencereyi kapatırsanız listedeki işler (30) saniye sonra tekrar hatırlatılacak!")
                + QStringLiteral("\r\n") + QStringLiteral("Listedeki işleri sonuçlandırmadan çıkmak istiyor musunuz?"));
}

void HatirlatmaFormu::anaListeyiYenile()
{
    if (m_ana)
        Adim([&] { m_ana->seciliKlasoruListele(); });
}

} // namespace Zelvora

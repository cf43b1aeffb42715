#include "reminders/YapilacakIslerListesiFormu.h"

#include "core/Arayuzler.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Tarihler.h"
#include "jobs/TakvimKomutlari.h"
#include "jobs/IsListesi.h"
#include "reminders/IsRaporu.h"
#include "tools/TakvimFormu.h"
#include "ui/OrtakDenetimler.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace Zelvora {

namespace {
constexpr int ListeNo = 2; // "Listeler\Liste-2"

QRect alan(int sol, int ust, int genislik, int yukseklik)
{
    return QRect(piksel(sol), piksel(ust), piksel(genislik), piksel(yukseklik));
}

QString toplamli(const QString &baslik, int n)
{
    return baslik + QString::number(n) + QStringLiteral(")");
}
} // namespace

YapilacakIslerListesiFormu::YapilacakIslerListesiFormu(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("YapilacakIslerListesiFormu"));
    setWindowTitle(QStringLiteral("Yapılacak İşleri Listele"));
    setFixedSize(piksel(11910), piksel(8520));
    denetimleriKur();
    IcerigeSigdir(this);
}

QList<int> YapilacakIslerListesiFormu::tasarimGenislikleri()
{
    return {1300, 1100, 1600, 1800, 1400, 3600, 0};
}

void YapilacakIslerListesiFormu::denetimleriKur()
{
    Etiket[0] = new QLabel(QStringLiteral("Yapılacak İşler"), this);
    Etiket[0]->setObjectName(QStringLiteral("Etiket0"));
    Etiket[0]->move(piksel(270), piksel(240));
    Etiket[0]->setMinimumWidth(piksel(11325));

    YapilacakIslerListesi = new IsListesi(this);
    YapilacakIslerListesi->setObjectName(QStringLiteral("YapilacakIslerListesi"));
    YapilacakIslerListesi->setGeometry(alan(270, 510, 11325, 6195));
    YapilacakIslerListesi->setFont(QFont(QStringLiteral("Tahoma")));
    YapilacakIslerListesi->setAccessibleName(QStringLiteral("Yapılacak İşler"));
    // There is no folder tree here to drop a job on.
    YapilacakIslerListesi->setDragEnabled(false);
    YapilacakIslerListesi->setDragDropMode(QAbstractItemView::NoDragDrop);
    Etiket[0]->setBuddy(YapilacakIslerListesi);
    Adim([&] { SutunDuzeni::yukle(YapilacakIslerListesi->header(), ListeNo, tasarimGenislikleri()); });
    // Sorted by date, ascending, with the arrow on "Tarihi", as after a click on it.
    Adim([&] {
        OrtakDegiskenler::SiralamaYonu = 1;
        YapilacakIslerListesi->sutunaTiklandi(0);
    });

    Etiket[1] = new QLabel(QStringLiteral("Açıklama"), this);
    Etiket[1]->setObjectName(QStringLiteral("Etiket1"));
    Etiket[1]->move(piksel(270), piksel(6870));
    Etiket[1]->adjustSize();

    // The list as it stands, to a calendar file: right of the description's caption.
    TakvimeAktarDugmesi = new QPushButton(QStringLiteral("Ta&kvim Dosyasına Aktar..."), this);
    TakvimeAktarDugmesi->setObjectName(QStringLiteral("TakvimeAktarDugmesi"));
    TakvimeAktarDugmesi->setAccessibleName(QStringLiteral("Takvim Dosyasına Aktar..."));
    {
        const int genislik = qMax(piksel(2400), TakvimeAktarDugmesi->sizeHint().width());
        TakvimeAktarDugmesi->setGeometry(piksel(270 + 11325) - genislik, piksel(6780), genislik, piksel(330));
    }

    // Shows the description only; nothing typed here would be saved, so it is read-only.
    AciklamaKutusu = new QPlainTextEdit(this);
    AciklamaKutusu->setObjectName(QStringLiteral("AciklamaKutusu"));
    AciklamaKutusu->setGeometry(alan(270, 7140, 11325, 555));
    AciklamaKutusu->setReadOnly(true);
    AciklamaKutusu->setTabChangesFocus(true);
    AciklamaKutusu->setAccessibleName(QStringLiteral("Açıklama"));

    auto dugme = [this](const QString &ad, const QString &baslik, int sol, int genislik) {
        auto *d = new QPushButton(baslik, this);
        d->setObjectName(ad);
        d->setGeometry(alan(sol, 7860, genislik, 345));
        return d;
    };
    BugunYapilacakIsleriListeleDugmesi = dugme(QStringLiteral("BugunYapilacakIsleriListeleDugmesi"),
                                              QStringLiteral("&Bugünkü İşler"), 270, 1665);
    GunuGecenIsleriListeleDugmesi = dugme(QStringLiteral("GunuGecenIsleriListeleDugmesi"),
                                          QStringLiteral("&Günü Geçen İşler"), 2010, 1665);
    SecilenTarihtekiIsleriListeleDugmesi = dugme(QStringLiteral("SecilenTarihtekiIsleriListeleDugmesi"),
                                                 QStringLiteral("&Seçilen Tarihteki İşler"), 3750, 1845);
    YapilmisIsleriListeleDugmesi = dugme(QStringLiteral("YapilmisIsleriListeleDugmesi"),
                                         QStringLiteral("Yapıl&mış İşler"), 5670, 1425);
    TumIsleriListeleDugmesi = dugme(QStringLiteral("TumIsleriListeleDugmesi"), QStringLiteral("&Tüm İşler"), 7170, 1425);
    YazdirDugmesi = dugme(QStringLiteral("YazdirDugmesi"), QStringLiteral("&Yazdır..."), 9030, 1245);
    KapatDugmesi = dugme(QStringLiteral("KapatDugmesi"), QStringLiteral("Kapat (Esc)"), 10350, 1245);

    // Captions wider in this font than the window was drawn for stay whole: a button grows
    // and the ones right of it move along, as far as the window's right margin allows.
    int sol = BugunYapilacakIsleriListeleDugmesi->x();
    for (QPushButton *d : {BugunYapilacakIsleriListeleDugmesi, GunuGecenIsleriListeleDugmesi,
                           SecilenTarihtekiIsleriListeleDugmesi, YapilmisIsleriListeleDugmesi, TumIsleriListeleDugmesi}) {
        d->setGeometry(qMax(sol, d->x()), d->y(), qMax(d->width(), d->sizeHint().width()), d->height());
        sol = d->x() + d->width() + piksel(75);
    }
    const int sagKenar = width() - piksel(315);
    const int yazdirSol = qMax(YazdirDugmesi->x(), sol + piksel(360));
    const int kayma = qMin(yazdirSol - YazdirDugmesi->x(), sagKenar - (KapatDugmesi->x() + KapatDugmesi->width()));
    if (kayma > 0) {
        for (QPushButton *d : {YazdirDugmesi, KapatDugmesi})
            d->move(d->x() + kayma, d->y());
    }

    connect(BugunYapilacakIsleriListeleDugmesi, &QPushButton::clicked, this,
            &YapilacakIslerListesiFormu::BugunYapilacakIsleriListeleDugmesi_Click);
    connect(GunuGecenIsleriListeleDugmesi, &QPushButton::clicked, this,
            &YapilacakIslerListesiFormu::GunuGecenIsleriListeleDugmesi_Click);
    connect(SecilenTarihtekiIsleriListeleDugmesi, &QPushButton::clicked, this,
            &YapilacakIslerListesiFormu::SecilenTarihtekiIsleriListeleDugmesi_Click);
    connect(YapilmisIsleriListeleDugmesi, &QPushButton::clicked, this,
            &YapilacakIslerListesiFormu::YapilmisIsleriListeleDugmesi_Click);
    connect(TumIsleriListeleDugmesi, &QPushButton::clicked, this,
            &YapilacakIslerListesiFormu::TumIsleriListeleDugmesi_Click);
    connect(YazdirDugmesi, &QPushButton::clicked, this, &YapilacakIslerListesiFormu::YazdirDugmesi_Click);
    connect(KapatDugmesi, &QPushButton::clicked, this, &YapilacakIslerListesiFormu::KapatDugmesi_Click);
    connect(TakvimeAktarDugmesi, &QPushButton::clicked, this, &YapilacakIslerListesiFormu::TakvimeAktarDugmesi_Click);
    connect(YapilacakIslerListesi, &IsListesi::satiraTiklandi, this,
            &YapilacakIslerListesiFormu::YapilacakIslerListesi_ItemClick);
    // The description follows the selection, whether it moves by mouse, keys or code.
    connect(YapilacakIslerListesi->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { SessizAdim([&] { aciklamayiGoster(); }); });

    setTabOrder(YapilacakIslerListesi, AciklamaKutusu);
    setTabOrder(AciklamaKutusu, BugunYapilacakIsleriListeleDugmesi);
    setTabOrder(BugunYapilacakIsleriListeleDugmesi, GunuGecenIsleriListeleDugmesi);
    setTabOrder(GunuGecenIsleriListeleDugmesi, SecilenTarihtekiIsleriListeleDugmesi);
    setTabOrder(SecilenTarihtekiIsleriListeleDugmesi, YapilmisIsleriListeleDugmesi);
    setTabOrder(YapilmisIsleriListeleDugmesi, TumIsleriListeleDugmesi);
    setTabOrder(TumIsleriListeleDugmesi, TakvimeAktarDugmesi);
    setTabOrder(TakvimeAktarDugmesi, YazdirDugmesi);
    setTabOrder(YazdirDugmesi, KapatDugmesi);
    YapilacakIslerListesi->setFocus();
}

void YapilacakIslerListesiFormu::baslikAyarla(const QString &metin)
{
    Etiket[0]->setText(metin);
    Etiket[0]->adjustSize();
}

bool YapilacakIslerListesiFormu::IsListesiniDoldur(const QDate &tarih, Veritabani::ListeKipi kip)
{
    AciklamaKutusu->clear();
    m_kip = kip;
    m_tarih = tarih;
    m_baslik.clear();
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    if (m->rowCount() > 0)
        m->temizle();
    m->saatleSirala(true);
    // Done jobs show the done icon; in every other list the icon tells the reminder flag.
    m->sabitSimge(kip == Veritabani::ListeKipi::Yapilmis ? IsSatiriModeli::YapildiSimgesi : 0);
    m->yapildiyiYoksay(true);
    // Filled straight from the statement; a query that fails leaves the rows read so far
    // (none when it could not run at all), and the error has been reported.
    const bool okundu = Adim([&] {
        m->doldur([&](const Veritabani::IsSatiriAlici &alici) { Veritabani::acik().isListesi(kip, tarih, alici); },
                  Arayuz::saat().bugun(), false);
    });
    if (m->rowCount() > 0) {
        YapilacakIslerListesi->satirSec(0);
        aciklamayiGoster();
    }
    return okundu;
}

void YapilacakIslerListesiFormu::sonucuGoster(bool okundu, const QString &bosMesaj, const QString &baslik)
{
    // A listing that could not be read (the error has been told) neither claims there
    // are no such jobs nor counts the rows it did read.
    if (!okundu) {
        baslikAyarla(QStringLiteral("&Yapılacak İşler"));
        return;
    }
    const int n = YapilacakIslerListesi->satirSayisi();
    m_baslik = baslik;
    if (n == 0) {
        mesaj(bosMesaj, MesajSimgesi::Bilgi);
        baslikAyarla(QStringLiteral("&Yapılacak İşler"));
    } else {
        baslikAyarla(toplamli(baslik, n));
    }
}

void YapilacakIslerListesiFormu::baskaMasaDegisti(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler)
{
    if (m_baslik.isEmpty())
        return; // nothing listed yet
    // The rules of the list's statement (Veritabani::isListesi).
    const Veritabani::ListeKipi kip = m_kip;
    const QDate tarih = m_tarih;
    YapilacakIslerListesi->satirlariYenile(okunanlar, degisenler, [&](const IsKaydi &k) {
        switch (kip) {
        case Veritabani::ListeKipi::BirGunun: return k.tarih == tarih && !k.yapildi;
        case Veritabani::ListeKipi::GunuGecen: return k.tarih.isValid() && k.tarih < tarih && !k.yapildi;
        case Veritabani::ListeKipi::Yapilmis: return k.yapildi;
        case Veritabani::ListeKipi::Tumu: break;
        }
        return true;
    });
    const int n = YapilacakIslerListesi->satirSayisi();
    baslikAyarla(n == 0 ? QStringLiteral("&Yapılacak İşler") : toplamli(m_baslik, n));
}

void YapilacakIslerListesiFormu::yenidenListele()
{
    if (m_baslik.isEmpty())
        return;
    const QString baslik = m_baslik;
    const qint64 secili = YapilacakIslerListesi->seciliIsNo();
    if (!IsListesiniDoldur(m_tarih, m_kip))
        return;
    m_baslik = baslik;
    const int n = YapilacakIslerListesi->satirSayisi();
    baslikAyarla(n == 0 ? QStringLiteral("&Yapılacak İşler") : toplamli(m_baslik, n));
    const int satir = secili ? YapilacakIslerListesi->model()->satirBul(secili) : -1;
    if (satir >= 0)
        YapilacakIslerListesi->satirSec(satir);
}

void YapilacakIslerListesiFormu::BugunYapilacakIsleriListeleDugmesi_Click()
{
    bool okundu = false;
    SessizAdim([&] { okundu = IsListesiniDoldur(Arayuz::saat().bugun(), Veritabani::ListeKipi::BirGunun); });
    SessizAdim([&] {
        sonucuGoster(okundu, QStringLiteral("Bugün yapılacak işiniz bulunmuyor!"),
                     QStringLiteral("Bugün Yapılacak İşleriniz (Toplam: "));
    });
}

void YapilacakIslerListesiFormu::GunuGecenIsleriListeleDugmesi_Click()
{
    bool okundu = false;
    SessizAdim([&] { okundu = IsListesiniDoldur(Arayuz::saat().bugun(), Veritabani::ListeKipi::GunuGecen); });
    SessizAdim([&] {
        sonucuGoster(okundu, QStringLiteral("Günü geçen işiniz bulunmuyor!"), QStringLiteral("Günü Geçen İşleriniz (Toplam: "));
    });
}

void YapilacakIslerListesiFormu::SecilenTarihtekiIsleriListeleDugmesi_Click()
{
    QString secilen;
    Adim([&] {
        QPointer<TakvimFormu> takvim = new TakvimFormu(this);
        takvim->SecilenTarihBilgisi = Tarihler::kisaTarih(Arayuz::saat().bugun());
        takvim->exec();
        if (takvim) {
            secilen = takvim->SecilenTarihBilgisi;
            delete takvim.data();
        }
    });
    const QDate tarih = Tarihler::tarihCoz(secilen);
    if (!tarih.isValid())
        return; // cancelled: list and heading stay as they were
    bool okundu = false;
    Adim([&] { okundu = IsListesiniDoldur(tarih, Veritabani::ListeKipi::BirGunun); });
    Adim([&] {
        sonucuGoster(okundu, secilen + QStringLiteral(" tarihinde yapılacak işiniz bulunmuyor!"),
                     secilen + QStringLiteral(" Tarihinde Yapılacak İşleriniz (Toplam: "));
    });
}

void YapilacakIslerListesiFormu::YapilmisIsleriListeleDugmesi_Click()
{
    bool okundu = false;
    Adim([&] { okundu = IsListesiniDoldur(Arayuz::saat().bugun(), Veritabani::ListeKipi::Yapilmis); });
    Adim([&] {
        sonucuGoster(okundu, QStringLiteral("Yapılmış İşiniz bulunmuyor!"), QStringLiteral("Yapılmış İşleriniz (Toplam: "));
    });
}

void YapilacakIslerListesiFormu::TumIsleriListeleDugmesi_Click()
{
    bool okundu = false;
    Adim([&] { okundu = IsListesiniDoldur(Arayuz::saat().bugun(), Veritabani::ListeKipi::Tumu); });
    Adim([&] {
        sonucuGoster(okundu, QStringLiteral("Eklenmiş hiçbir işiniz bulunmuyor!"), QStringLiteral("Tüm İşleriniz (Toplam: "));
    });
}

void YapilacakIslerListesiFormu::aciklamayiGoster()
{
    const int satir = YapilacakIslerListesi->seciliSatir();
    if (satir >= 0)
        AciklamaKutusu->setPlainText(YapilacakIslerListesi->model()->hucreMetni(satir, IsSatiriModeli::Aciklama));
}

void YapilacakIslerListesiFormu::YapilacakIslerListesi_ItemClick(int satir)
{
    SessizAdim([&] {
        if (satir >= 0 && satir == YapilacakIslerListesi->seciliSatir())
            aciklamayiGoster();
    });
}

void YapilacakIslerListesiFormu::YazdirDugmesi_Click()
{
    isListesiniYazdir(RaporPenceresi::ListePenceresi, Etiket[0]->text(), *YapilacakIslerListesi->model(), this,
                      YazdirDugmesi);
}

void YapilacakIslerListesiFormu::TakvimeAktarDugmesi_Click()
{
    const IsSatiriModeli *m = YapilacakIslerListesi->model();
    if (m->rowCount() == 0) {
        mesaj(QStringLiteral("Listede takvime aktarılacak iş yok."), MesajSimgesi::Bilgi);
        return;
    }
    std::vector<IsKaydi> isler;
    isler.reserve(size_t(m->rowCount()));
    for (int i = 0; i < m->rowCount(); ++i)
        isler.push_back(m->is(i));
    TakvimKomutlari::isleriAktar(std::move(isler), QStringLiteral("Zelvora İş Listesi"));
}

void YapilacakIslerListesiFormu::KapatDugmesi_Click()
{
    reject();
}

void YapilacakIslerListesiFormu::reject()
{
    SessizAdim([&] { SutunDuzeni::kaydet(YapilacakIslerListesi->header(), ListeNo); });
    QDialog::reject();
}

void YapilacakIslerListesiFormu::keyPressEvent(QKeyEvent *e)
{
    // Enter does nothing by itself here: only a focused button takes it.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace Zelvora

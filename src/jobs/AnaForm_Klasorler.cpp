// The main window's folder tree and folder commands.

#include "core/Arayuzler.h"
#include "core/GirisMetni.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QTimer>

#include <limits>

namespace Zelvora {

namespace {

// The leading decimal number of a folder key ("12-Anahtar" gives 12, "Abc" gives 0).
long long anahtarNumarasi(const QString &anahtar)
{
    long long n = 0;
    for (QChar c : anahtar) {
        if (!c.isDigit() || c.unicode() > 127)
            break;
        n = n * 10 + (c.unicode() - '0');
        if (n > std::numeric_limits<int>::max())
            break;
    }
    return n;
}
} // namespace

void AnaForm::klasorOlaylariniBagla()
{
    // A click on a node or a move with the keys: the folder is listed once.
    connect(KlasorListesi, &KlasorAgaci::dugumSecildi, this, [this](QTreeWidgetItem *d) {
        if (!m_yukleniyor)
            KlasorListesi_NodeClick(d);
    });
    connect(KlasorListesi, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *d) { dugumGenisletildi(d, true); });
    connect(KlasorListesi, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *d) { dugumGenisletildi(d, false); });
    connect(KlasorListesi, &KlasorAgaci::sagTusBirakildi, this, &AnaForm::klasorMenusunuGoster);
    connect(KlasorListesi, &KlasorAgaci::adDuzenlendi, this, &AnaForm::adDuzenlendi);
    connect(KlasorListesi, &KlasorAgaci::isBirakildi, this, &AnaForm::IsiTasi);

    connect(YeniKlasorEkleMenusu1, &QAction::triggered, this, &AnaForm::YeniKlasorEkle);
    connect(YeniKlasorEkleMenusu2, &QAction::triggered, this, &AnaForm::YeniKlasorEkle);
    connect(KlasorAdiDegistirMenusu, &QAction::triggered, this, &AnaForm::KlasorAdiDegistir);
    connect(KlasorSilMenusu, &QAction::triggered, this, &AnaForm::KlasorSil);
    connect(TumKlasorleriGosterMenusu, &QAction::triggered, this, &AnaForm::TumKlasorleriGoster);
    connect(TumKlasorleriGizleMenusu, &QAction::triggered, this, &AnaForm::TumKlasorleriGizle);
    connect(KlasorListesiniYenileMenusu, &QAction::triggered, this, &AnaForm::KlasorListesiniYenile);
}

QTreeWidgetItem *AnaForm::seciliDugum() const
{
    return KlasorListesi->currentItem();
}

QString AnaForm::seciliAnahtar() const
{
    return KlasorAgaci::anahtar(seciliDugum());
}

void AnaForm::KlasorListesiniYukle()
{
    const bool eski = m_yukleniyor;
    m_yukleniyor = true;
    KlasorListesi->dugumEkle(QString(), KlasorAgaci::ProgramAnahtari, QStringLiteral("Zelvora"), 1);
    KlasorListesi->dugumEkle(KlasorAgaci::ProgramAnahtari, KlasorAgaci::KlasorAnahtari, QStringLiteral("Klasörlerim"), 2);
    QList<KlasorKaydi> kayitlar;
    bool devam = true;
    Adim([&] { kayitlar = Veritabani::acik().klasorler(); }, &devam);
    for (const KlasorKaydi &k : kayitlar) {
        if (!devam)
            break;
        Adim([&] {
            const long long n = anahtarNumarasi(k.anahtari);
            if (n > EnBuyukKlasorNo)
                EnBuyukKlasorNo = qint16(qMin<long long>(n, std::numeric_limits<qint16>::max()));
            KlasorListesi->dugumEkle(k.bagi, k.anahtari, k.adi, 3);
        }, &devam);
    }
    m_yukleniyor = eski;
    QTreeWidgetItem *klasorlerim = KlasorListesi->dugum(KlasorAgaci::KlasorAnahtari);
    KlasorListesi->setCurrentItem(klasorlerim);
    KlasorListesi->dugum(KlasorAgaci::ProgramAnahtari)->setExpanded(true);
    if (klasorlerim->isExpanded())
        dugumGenisletildi(klasorlerim, true);
    else
        klasorlerim->setExpanded(true);
}

void AnaForm::KlasorListesi_NodeClick(QTreeWidgetItem *dugum)
{
    SessizAdim([&] {
        const QString anahtar = KlasorAgaci::anahtar(dugum);
        if (!dugum || KlasorAgaci::korumaliMi(anahtar)) {
            YapilacakIslerListesi->model()->temizle();
            return;
        }
        IsleriListele(anahtar);
        durumMetniAyarla(QStringLiteral("   ") + QString::number(YapilacakIslerListesi->satirSayisi())
                         + QStringLiteral(" iş listelendi"));
    });
}

void AnaForm::dugumGenisletildi(QTreeWidgetItem *d, bool acik)
{
    // The icon always follows the node's real state, whoever opened or closed it.
    if (KlasorAgaci::resim(d) > 2)
        KlasorListesi->resimAyarla(d, acik ? 4 : 3);
    if (m_yukleniyor && d != KlasorListesi->dugum(KlasorAgaci::KlasorAnahtari))
        return;
    // With all folders listed the list does not depend on the selected folder: reading
    // it again would only lose the selected row.
    if (!m_listelemeyiAtla && !TumKlasorlerOnayi->isChecked())
        KlasorListesi_NodeClick(seciliDugum());
}

void AnaForm::sessizSec(QTreeWidgetItem *d)
{
    // Selecting from the program sends no node click; folders opened on the way to the
    // node still run their expand reaction.
    KlasorListesi->setCurrentItem(d);
}

void AnaForm::sessizGenislet(QTreeWidgetItem *d, bool acik)
{
    const bool eski = m_listelemeyiAtla;
    m_listelemeyiAtla = true;
    d->setExpanded(acik);
    m_listelemeyiAtla = eski;
}

void AnaForm::klasorMenusunuGoster(const QPoint &nokta)
{
    const bool korumali = !seciliDugum() || KlasorAgaci::korumaliMi(seciliAnahtar());
    KlasorMenusuCizgisi2->setVisible(korumali);
    TumKlasorleriGosterMenusu->setVisible(korumali);
    TumKlasorleriGizleMenusu->setVisible(korumali);
    KlasorAdiDegistirMenusu->setEnabled(!korumali);
    KlasorSilMenusu->setEnabled(!korumali);
    if (QTreeWidgetItem *v = KlasorListesi->vurguluDugum()) {
        sessizSec(v);
    }
    KlasorMenusu->popup(nokta, YeniKlasorEkleMenusu2);
    KlasorListesi->vurguluDugumAyarla(nullptr);
}

void AnaForm::YeniKlasorEkle()
{
    QString bagi;
    QString anahtar;
    QTreeWidgetItem *yeni = nullptr;
    bool devam = true;
    Adim([&] {
        bagi = seciliAnahtar();
        if (bagi.isEmpty() || bagi == KlasorAgaci::ProgramAnahtari)
            bagi = KlasorAgaci::KlasorAnahtari;
    }, &devam);
    if (!devam)
        return;
    // Folder numbers are 16-bit: refuse instead of wrapping round to negative keys.
    if (EnBuyukKlasorNo >= std::numeric_limits<qint16>::max()) {
        mesaj(QStringLiteral("Klasör sayısı sınırına ulaşıldı! Yeni klasör eklenemiyor."), MesajSimgesi::Bilgi);
        KlasorListesi->setFocus();
        return;
    }
    const qint16 numara = qint16(EnBuyukKlasorNo + 1);
    anahtar = QString::number(numara) + QStringLiteral("-Anahtar");
    // Stored first, so a folder the database refused never appears in the tree.
    if (!Adim([&] { Veritabani::acik().klasorEkle({anahtar, bagi, QStringLiteral("Yeni Klasör")}); }, &devam))
        return;
    EnBuyukKlasorNo = numara;
    Adim([&] { yeni = KlasorListesi->dugumEkle(bagi, anahtar, QStringLiteral("Yeni Klasör"), 3); }, &devam);
    if (!yeni)
        return;
    // The parent opens (with its icon), the new folder is selected and listed once.
    if (QTreeWidgetItem *ust = yeni->parent(); ust && !ust->isExpanded())
        sessizGenislet(ust, true);
    sessizSec(yeni);
    KlasorListesi_NodeClick(yeni);
    KlasorListesi->scrollToItem(yeni);
    KlasorListesi->setFocus();
    KlasorListesi->adDuzenlemeyiBaslat();
}

void AnaForm::KlasorAdiDegistir()
{
    KlasorListesi->setFocus();
    KlasorListesi->adDuzenlemeyiBaslat();
}

void AnaForm::adDuzenlendi(QTreeWidgetItem *d, const QString &ad)
{
    if (!d)
        return;
    if (ad.isEmpty()) {
        mesaj(QStringLiteral("Klasör adı girmeniz gerekiyor!"), MesajSimgesi::Bilgi);
        KlasorListesi->setCurrentItem(d);
        KlasorListesi->setFocus();
        KlasorListesi->adDuzenlemeyiBaslat();
        return;
    }
    const QString anahtar = KlasorAgaci::anahtar(d);
    // The node shows the new name only once the database holds it. When it could not
    // be stored, the edit opens again with the typed name, so it can be saved later.
    bool yazildi = false;
    {
        const GirdilerYerindeKalir girdiler; // the edit opens again with the typed name
        yazildi = Adim([&] { Veritabani::acik().klasorAdiDegistir(anahtar, ad); });
    }
    if (yazildi) {
        d->setText(0, ad);
        return;
    }
    KlasorListesi->setCurrentItem(d);
    KlasorListesi->setFocus();
    KlasorListesi->adDuzenlemeyiBaslat(ad);
}

void AnaForm::KlasorSil()
{
    QTreeWidgetItem *d = seciliDugum();
    if (!d)
        return;
    const QString anahtar = KlasorAgaci::anahtar(d);
    if (KlasorAgaci::korumaliMi(anahtar)) {
        mesaj(QStringLiteral("Bu klasör silinimez!"), MesajSimgesi::Bilgi);
        KlasorListesi->setFocus();
        return;
    }
    if (d->childCount() > 0) {
        mesaj(QStringLiteral("Seçtiğiniz klasörün 'Alt Klasör'leri olduğu için silinemiyor!"), MesajSimgesi::Bilgi);
        KlasorListesi->setFocus();
        return;
    }
    if (!soru(QStringLiteral("'") + d->text(0) + QStringLiteral("' adlı bu klasörü silmek istediğinizden emin misiniz?")))
        return;
    // The folder and its jobs go together or not at all.
    if (!Adim([&] { Veritabani::acik().klasorVeIsleriniSil(anahtar); }))
        return;
    KlasorListesi->dugumSil(d);
    KlasorListesi_NodeClick(seciliDugum());
}

void AnaForm::TumKlasorleriGoster()
{
    for (QTreeWidgetItem *d : KlasorListesi->tumDugumler())
        SessizAdim([&] { d->setExpanded(true); });
    durumMetniAyarla(QString());
}

void AnaForm::TumKlasorleriGizle()
{
    for (QTreeWidgetItem *d : KlasorListesi->tumDugumler())
        SessizAdim([&] { d->setExpanded(false); });
    durumMetniAyarla(QString());
}

void AnaForm::KlasorListesiniYenile()
{
    const bool eski = m_yukleniyor;
    m_yukleniyor = true;
    KlasorListesi->hepsiniTemizle();
    m_yukleniyor = eski;
    Adim([&] { KlasorListesiniYukle(); });
}

void AnaForm::IsiTasi(qint64 isNo)
{
    QTreeWidgetItem *hedef = KlasorListesi->vurguluDugum();
    // Refused before the question: no folder under the pointer, or a fixed node, which
    // takes no jobs (a job stored there could only be seen with all folders listed).
    if (!hedef) {
        YapilacakIslerListesi->setFocus();
        return;
    }
    if (KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(hedef))) {
        KlasorListesi->vurguluDugumAyarla(nullptr);
        mesaj(QStringLiteral("Bu klasöre iş ekleyemezsiniz! Lütfen, başka bir klasör seçiniz ya da yeni bir klasör ekleyiniz."),
              MesajSimgesi::Bilgi);
        YapilacakIslerListesi->setFocus();
        return;
    }
    if (!soru(QStringLiteral("Seçilen işi taşımak istediğinizden emin misiniz?"))) {
        KlasorListesi->vurguluDugumAyarla(nullptr);
        YapilacakIslerListesi->setFocus();
        return;
    }
    const QString anahtar = KlasorAgaci::anahtar(hedef);
    if (!Adim([&] { Veritabani::acik().isTasi(isNo, anahtar); })) {
        KlasorListesi->vurguluDugumAyarla(nullptr);
        return;
    }
    sessizSec(hedef);
    Adim([&] { IsleriListele(anahtar); });
    const int satir = YapilacakIslerListesi->model()->satirBul(isNo);
    if (satir >= 0)
        YapilacakIslerListesi->satirSec(satir);
    YapilacakIslerListesi->setFocus();
    KlasorListesi->vurguluDugumAyarla(nullptr);
}

} // namespace Zelvora

#include "jobs/KlasorKomutlari.h"

#include "core/Arayuzler.h"
#include "core/GirisMetni.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"
#include "jobs/IsKomutlari.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
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

KlasorKomutlari::KlasorKomutlari(const Denetimler &d, QObject *parent) : QObject(parent), m_d(d)
{
    // A click on a node or a move with the keys: the folder is listed once.
    connect(m_d.agac, &KlasorAgaci::dugumSecildi, this, [this](QTreeWidgetItem *d) {
        if (!m_yukleniyor)
            KlasorListesi_NodeClick(d);
    });
    connect(m_d.agac, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *d) { dugumGenisletildi(d, true); });
    connect(m_d.agac, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *d) { dugumGenisletildi(d, false); });
    connect(m_d.agac, &KlasorAgaci::sagTusBirakildi, this, &KlasorKomutlari::klasorMenusunuGoster);
    connect(m_d.agac, &KlasorAgaci::adDuzenlendi, this, &KlasorKomutlari::adDuzenlendi);
    connect(m_d.agac, &KlasorAgaci::isBirakildi, this, &KlasorKomutlari::IsiTasi);

    connect(m_d.yeniKlasorEkleMenusu1, &QAction::triggered, this, &KlasorKomutlari::YeniKlasorEkle);
    connect(m_d.yeniKlasorEkleMenusu2, &QAction::triggered, this, &KlasorKomutlari::YeniKlasorEkle);
    connect(m_d.klasorAdiDegistirMenusu, &QAction::triggered, this, &KlasorKomutlari::KlasorAdiDegistir);
    connect(m_d.klasorSilMenusu, &QAction::triggered, this, &KlasorKomutlari::KlasorSil);
    connect(m_d.tumKlasorleriGosterMenusu, &QAction::triggered, this, &KlasorKomutlari::TumKlasorleriGoster);
    connect(m_d.tumKlasorleriGizleMenusu, &QAction::triggered, this, &KlasorKomutlari::TumKlasorleriGizle);
    connect(m_d.klasorListesiniYenileMenusu, &QAction::triggered, this, &KlasorKomutlari::KlasorListesiniYenile);
}

QTreeWidgetItem *KlasorKomutlari::seciliDugum() const
{
    return m_d.agac->currentItem();
}

QString KlasorKomutlari::seciliAnahtar() const
{
    return KlasorAgaci::anahtar(seciliDugum());
}

void KlasorKomutlari::KlasorListesiniYukle()
{
    const bool eski = m_yukleniyor;
    m_yukleniyor = true;
    m_d.agac->dugumEkle(QString(), KlasorAgaci::ProgramAnahtari, QStringLiteral("Zelvora"), 1);
    m_d.agac->dugumEkle(KlasorAgaci::ProgramAnahtari, KlasorAgaci::KlasorAnahtari, QStringLiteral("Klasörlerim"), 2);
    QList<KlasorKaydi> kayitlar;
    bool devam = true;
    Adim([&] { kayitlar = Veritabani::acik().klasorler(); }, &devam);
    for (const KlasorKaydi &k : kayitlar) {
        if (!devam)
            break;
        Adim([&] {
            const long long n = anahtarNumarasi(k.anahtari);
            if (n > m_enBuyukKlasorNo)
                m_enBuyukKlasorNo = qint16(qMin<long long>(n, std::numeric_limits<qint16>::max()));
            m_d.agac->dugumEkle(k.bagi, k.anahtari, k.adi, 3);
        }, &devam);
    }
    m_yukleniyor = eski;
    QTreeWidgetItem *klasorlerim = m_d.agac->dugum(KlasorAgaci::KlasorAnahtari);
    m_d.agac->setCurrentItem(klasorlerim);
    m_d.agac->dugum(KlasorAgaci::ProgramAnahtari)->setExpanded(true);
    if (klasorlerim->isExpanded())
        dugumGenisletildi(klasorlerim, true);
    else
        klasorlerim->setExpanded(true);
}

void KlasorKomutlari::KlasorListesi_NodeClick(QTreeWidgetItem *dugum)
{
    SessizAdim([&] {
        const QString anahtar = KlasorAgaci::anahtar(dugum);
        if (!dugum || KlasorAgaci::korumaliMi(anahtar)) {
            m_d.liste->model()->temizle();
            return;
        }
        m_isler->IsleriListele(anahtar);
        durumMetniAyarla(QStringLiteral("   ") + QString::number(m_d.liste->satirSayisi())
                         + QStringLiteral(" iş listelendi"));
    });
}

void KlasorKomutlari::durumMetniAyarla(const QString &metin)
{
    m_d.durumPaneli->setText(metin);
}

void KlasorKomutlari::dugumGenisletildi(QTreeWidgetItem *d, bool acik)
{
    // The icon always follows the node's real state, whoever opened or closed it.
    if (KlasorAgaci::resim(d) > 2)
        m_d.agac->resimAyarla(d, acik ? 4 : 3);
    if (m_yukleniyor && d != m_d.agac->dugum(KlasorAgaci::KlasorAnahtari))
        return;
    // With all folders listed the list does not depend on the selected folder: reading
    // it again would only lose the selected row.
    if (!m_listelemeyiAtla && !m_d.tumKlasorlerOnayi->isChecked())
        KlasorListesi_NodeClick(seciliDugum());
}

void KlasorKomutlari::klasoruGoster(QTreeWidgetItem *d)
{
    for (QTreeWidgetItem *ust = d->parent(); ust; ust = ust->parent()) {
        if (!ust->isExpanded())
            sessizGenislet(ust, true);
    }
    m_d.agac->scrollToItem(d);
    sessizSec(d);
    // Listed as a click on the node would list it, with its count in the status bar.
    KlasorListesi_NodeClick(d);
}

void KlasorKomutlari::sessizSec(QTreeWidgetItem *d)
{
    // Selecting from the program sends no node click; folders opened on the way to the
    // node still run their expand reaction.
    m_d.agac->setCurrentItem(d);
}

void KlasorKomutlari::sessizGenislet(QTreeWidgetItem *d, bool acik)
{
    const bool eski = m_listelemeyiAtla;
    m_listelemeyiAtla = true;
    d->setExpanded(acik);
    m_listelemeyiAtla = eski;
}

void KlasorKomutlari::klasorMenusunuGoster(const QPoint &nokta)
{
    const bool korumali = !seciliDugum() || KlasorAgaci::korumaliMi(seciliAnahtar());
    m_d.klasorMenusuCizgisi2->setVisible(korumali);
    m_d.tumKlasorleriGosterMenusu->setVisible(korumali);
    m_d.tumKlasorleriGizleMenusu->setVisible(korumali);
    m_d.klasorAdiDegistirMenusu->setEnabled(!korumali);
    m_d.klasorSilMenusu->setEnabled(!korumali);
    if (QTreeWidgetItem *v = m_d.agac->vurguluDugum()) {
        sessizSec(v);
    }
    m_d.klasorMenusu->popup(nokta, m_d.yeniKlasorEkleMenusu2);
    m_d.agac->vurguluDugumAyarla(nullptr);
}

void KlasorKomutlari::YeniKlasorEkle()
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
    if (m_enBuyukKlasorNo >= std::numeric_limits<qint16>::max()) {
        mesaj(QStringLiteral("Klasör sayısı sınırına ulaşıldı! Yeni klasör eklenemiyor."), MesajSimgesi::Bilgi);
        m_d.agac->setFocus();
        return;
    }
    const qint16 numara = qint16(m_enBuyukKlasorNo + 1);
    anahtar = QString::number(numara) + QStringLiteral("-Anahtar");
    // Stored first, so a folder the database refused never appears in the tree.
    if (!Adim([&] { Veritabani::acik().klasorEkle({anahtar, bagi, QStringLiteral("Yeni Klasör")}); }, &devam))
        return;
    m_enBuyukKlasorNo = numara;
    Adim([&] { yeni = m_d.agac->dugumEkle(bagi, anahtar, QStringLiteral("Yeni Klasör"), 3); }, &devam);
    if (!yeni)
        return;
    // The parent opens (with its icon), the new folder is selected and listed once.
    if (QTreeWidgetItem *ust = yeni->parent(); ust && !ust->isExpanded())
        sessizGenislet(ust, true);
    sessizSec(yeni);
    KlasorListesi_NodeClick(yeni);
    m_d.agac->scrollToItem(yeni);
    m_d.agac->setFocus();
    m_d.agac->adDuzenlemeyiBaslat();
}

void KlasorKomutlari::KlasorAdiDegistir()
{
    m_d.agac->setFocus();
    m_d.agac->adDuzenlemeyiBaslat();
}

void KlasorKomutlari::adDuzenlendi(QTreeWidgetItem *d, const QString &ad)
{
    if (!d)
        return;
    if (ad.isEmpty()) {
        mesaj(QStringLiteral("Klasör adı girmeniz gerekiyor!"), MesajSimgesi::Bilgi);
        m_d.agac->setCurrentItem(d);
        m_d.agac->setFocus();
        m_d.agac->adDuzenlemeyiBaslat();
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
    m_d.agac->setCurrentItem(d);
    m_d.agac->setFocus();
    m_d.agac->adDuzenlemeyiBaslat(ad);
}

void KlasorKomutlari::KlasorSil()
{
    QTreeWidgetItem *d = seciliDugum();
    if (!d)
        return;
    const QString anahtar = KlasorAgaci::anahtar(d);
    if (KlasorAgaci::korumaliMi(anahtar)) {
        mesaj(QStringLiteral("Bu klasör silinimez!"), MesajSimgesi::Bilgi);
        m_d.agac->setFocus();
        return;
    }
    if (d->childCount() > 0) {
        mesaj(QStringLiteral("Seçtiğiniz klasörün 'Alt Klasör'leri olduğu için silinemiyor!"), MesajSimgesi::Bilgi);
        m_d.agac->setFocus();
        return;
    }
    if (!soru(QStringLiteral("'") + d->text(0) + QStringLiteral("' adlı bu klasörü silmek istediğinizden emin misiniz?")))
        return;
    // The folder and its jobs go together or not at all.
    if (!Adim([&] { Veritabani::acik().klasorVeIsleriniSil(anahtar); }))
        return;
    m_d.agac->dugumSil(d);
    KlasorListesi_NodeClick(seciliDugum());
}

void KlasorKomutlari::TumKlasorleriGoster()
{
    for (QTreeWidgetItem *d : m_d.agac->tumDugumler())
        SessizAdim([&] { d->setExpanded(true); });
    durumMetniAyarla(QString());
}

void KlasorKomutlari::TumKlasorleriGizle()
{
    for (QTreeWidgetItem *d : m_d.agac->tumDugumler())
        SessizAdim([&] { d->setExpanded(false); });
    durumMetniAyarla(QString());
}

void KlasorKomutlari::KlasorListesiniYenile()
{
    const bool eski = m_yukleniyor;
    m_yukleniyor = true;
    m_d.agac->hepsiniTemizle();
    m_yukleniyor = eski;
    Adim([&] { KlasorListesiniYukle(); });
}

void KlasorKomutlari::IsiTasi(qint64 isNo)
{
    QTreeWidgetItem *hedef = m_d.agac->vurguluDugum();
    // Refused before the question: no folder under the pointer, or a fixed node, which
    // takes no jobs (a job stored there could only be seen with all folders listed).
    if (!hedef) {
        m_d.liste->setFocus();
        return;
    }
    if (KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(hedef))) {
        m_d.agac->vurguluDugumAyarla(nullptr);
        mesaj(QStringLiteral("Bu klasöre iş ekleyemezsiniz! Lütfen, başka bir klasör seçiniz ya da yeni bir klasör ekleyiniz."),
              MesajSimgesi::Bilgi);
        m_d.liste->setFocus();
        return;
    }
    if (!soru(QStringLiteral("Seçilen işi taşımak istediğinizden emin misiniz?"))) {
        m_d.agac->vurguluDugumAyarla(nullptr);
        m_d.liste->setFocus();
        return;
    }
    const QString anahtar = KlasorAgaci::anahtar(hedef);
    if (!Adim([&] { Veritabani::acik().isTasi(isNo, anahtar); })) {
        m_d.agac->vurguluDugumAyarla(nullptr);
        return;
    }
    sessizSec(hedef);
    Adim([&] { m_isler->IsleriListele(anahtar); });
    const int satir = m_d.liste->model()->satirBul(isNo);
    if (satir >= 0)
        m_d.liste->satirSec(satir);
    m_d.liste->setFocus();
    m_d.agac->vurguluDugumAyarla(nullptr);
}

} // namespace Zelvora

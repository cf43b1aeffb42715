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
#include <utility>

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

qint16 klasorNumarasi(long long n)
{
    return qint16(qMin<long long>(n, std::numeric_limits<qint16>::max()));
}

// The wait before the tree follows another desk: a burst of changes is read once.
constexpr int EsitlemeBeklemesiMs = 300;
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

    m_esitleme = new QTimer(this);
    m_esitleme->setObjectName(QStringLiteral("KlasorEsitleme"));
    m_esitleme->setSingleShot(true);
    m_esitleme->setInterval(EsitlemeBeklemesiMs);
    connect(m_esitleme, &QTimer::timeout, this, &KlasorKomutlari::KlasorListesiniEsitle);
}

KlasorKomutlari::Yerlesim KlasorKomutlari::yerlestir(const QList<KlasorKaydi> &kayitlar)
{
    Yerlesim y;
    QHash<QString, qsizetype> sira; // key -> its row
    QList<qsizetype> gecerli;
    for (qsizetype i = 0; i < kayitlar.size(); ++i) {
        const QString &a = kayitlar.at(i).anahtari;
        if (a.isEmpty() || KlasorAgaci::korumaliMi(a) || sira.contains(a)) {
            y.gosterilemeyenler << kayitlar.at(i).adi;
            continue;
        }
        sira.insert(a, i);
        gecerli << i;
    }
    auto sabitMi = [](const QString &a) { return KlasorAgaci::korumaliMi(a); };
    // Each folder's parent in the tree, found by walking up: a walk that leaves the
    // stored folders or comes back to itself ends in "Klasörlerim".
    QHash<QString, QString> ust;
    for (qsizetype i : gecerli) {
        QStringList zincir{kayitlar.at(i).anahtari};
        QSet<QString> zincirde{kayitlar.at(i).anahtari};
        QString yetim;
        for (;;) {
            const QString &alt = zincir.last();
            if (ust.contains(alt))
                break;
            const QString p = kayitlar.at(sira.value(alt)).bagi;
            if (sabitMi(p) || ust.contains(p))
                break;
            if (!sira.contains(p) || zincirde.contains(p)) {
                yetim = alt;
                break;
            }
            zincir << p;
            zincirde.insert(p);
        }
        for (const QString &a : std::as_const(zincir)) {
            if (ust.contains(a))
                continue;
            if (a == yetim) {
                ust.insert(a, KlasorAgaci::KlasorAnahtari);
                y.yetimAnahtarlari.insert(a);
                y.yetimler << kayitlar.at(sira.value(a)).adi;
            } else {
                ust.insert(a, kayitlar.at(sira.value(a)).bagi);
            }
        }
    }
    // Parents before children, siblings in the table's order.
    QHash<QString, QStringList> altlar;
    for (qsizetype i : gecerli)
        altlar[ust.value(kayitlar.at(i).anahtari)] << kayitlar.at(i).anahtari;
    QStringList yigin;
    for (const QString &kok : {KlasorAgaci::ProgramAnahtari, KlasorAgaci::KlasorAnahtari}) {
        const QStringList &k = altlar.value(kok);
        for (qsizetype j = k.size() - 1; j >= 0; --j)
            yigin << k.at(j);
    }
    while (!yigin.isEmpty()) {
        const QString a = yigin.takeLast();
        const KlasorKaydi &k = kayitlar.at(sira.value(a));
        y.sira.append({a, ust.value(a), k.adi});
        const QStringList &alt = altlar.value(a);
        for (qsizetype j = alt.size() - 1; j >= 0; --j)
            yigin << alt.at(j);
    }
    return y;
}

void KlasorKomutlari::yerlesimiBildir(const Yerlesim &y, bool simdi)
{
    QStringList yeniYetim, yeniEksik;
    for (const Yerlesim::Yer &yer : y.sira) {
        if (y.yetimAnahtarlari.contains(yer.anahtari) && !m_bildirilenler.contains(yer.anahtari)) {
            m_bildirilenler.insert(yer.anahtari);
            yeniYetim << QStringLiteral("'") + yer.adi + QStringLiteral("'");
        }
    }
    for (const QString &ad : y.gosterilemeyenler) {
        const QString iz = QStringLiteral("\x1f") + ad;
        if (!m_bildirilenler.contains(iz)) {
            m_bildirilenler.insert(iz);
            yeniEksik << QStringLiteral("'") + ad + QStringLiteral("'");
        }
    }
    if (yeniYetim.isEmpty() && yeniEksik.isEmpty())
        return;
    QString metin;
    if (!yeniYetim.isEmpty())
        metin = QStringLiteral("Üst klasörü bulunamayan şu klasörler \"Klasörlerim\" altında gösteriliyor:\r\n")
            + yeniYetim.join(QStringLiteral(", "));
    if (!yeniEksik.isEmpty())
        metin += (metin.isEmpty() ? QString() : QStringLiteral("\r\n\r\n"))
            + QStringLiteral("Anahtarı geçersiz ya da başka bir klasörünkiyle aynı olduğu için şu klasörler gösterilemiyor:\r\n")
            + yeniEksik.join(QStringLiteral(", "));
    metin += QStringLiteral("\r\n\r\nKlasörler ve işleri veritabanında olduğu gibi duruyor.");
    // While following another desk the tree first settles, then the user is told.
    if (simdi)
        mesaj(metin, MesajSimgesi::Bilgi);
    else
        QTimer::singleShot(0, this, [metin] { mesaj(metin, MesajSimgesi::Bilgi); });
}

void KlasorKomutlari::enBuyukNumarayiGuncelle(const QList<KlasorKaydi> &kayitlar)
{
    for (const KlasorKaydi &k : kayitlar) {
        // The parents named count too: a new folder must not take the key of a missing
        // parent that orphaned sub-folders still name.
        const long long n = qMax(anahtarNumarasi(k.anahtari), anahtarNumarasi(k.bagi));
        if (n > m_enBuyukKlasorNo)
            m_enBuyukKlasorNo = klasorNumarasi(n);
    }
}

bool KlasorKomutlari::esitlemeBekler() const
{
    return m_yukleniyor || m_mesgul > 0 || m_d.agac->mesgulMu() || m_d.agac->vurguluDugum();
}

void KlasorKomutlari::baskaMasaKlasorleriDegistirdi()
{
    m_esitleme->start();
}

void KlasorKomutlari::KlasorListesiniEsitle()
{
    if (esitlemeBekler()) {
        m_esitleme->start();
        return;
    }
    QList<KlasorKaydi> kayitlar;
    // A failed read (the server away) leaves the tree as it is; the next change tries again.
    if (!SessizAdim([&] { kayitlar = Veritabani::acik().klasorler(); }))
        return;
    const Yerlesim y = yerlestir(kayitlar);
    KlasorAgaci *agac = m_d.agac;

    QTreeWidgetItem *secili = seciliDugum();
    const QString seciliAnahtar = KlasorAgaci::anahtar(secili);
    QStringList ustler; // the selected node and the nodes above it
    for (QTreeWidgetItem *d = secili; d; d = d->parent())
        ustler << KlasorAgaci::anahtar(d);
    QSet<QString> acikOlanlar;
    for (QTreeWidgetItem *d : agac->tumDugumler()) {
        if (d->isExpanded())
            acikOlanlar.insert(KlasorAgaci::anahtar(d));
    }

    const bool eski = m_listelemeyiAtla;
    m_listelemeyiAtla = true;
    QSet<QString> kalanlar;
    QHash<QTreeWidgetItem *, int> yerlesen; // children placed so far under each node
    if (QTreeWidgetItem *p = agac->dugum(KlasorAgaci::ProgramAnahtari))
        yerlesen.insert(p, 1); // "Klasörlerim" comes first
    for (const Yerlesim::Yer &yer : y.sira) {
        kalanlar.insert(yer.anahtari);
        SessizAdim([&] {
            QTreeWidgetItem *ust = agac->dugum(yer.ust);
            QTreeWidgetItem *d = agac->dugum(yer.anahtari);
            if (!ust)
                return;
            if (!d)
                d = agac->dugumEkle(yer.ust, yer.anahtari, yer.adi, 3);
            else if (d->text(0) != yer.adi)
                d->setText(0, yer.adi);
            agac->dugumuYerlestir(d, ust, yerlesen.value(ust));
            yerlesen[ust] = yerlesen.value(ust) + 1;
        });
    }
    enBuyukNumarayiGuncelle(kayitlar);
    QList<QTreeWidgetItem *> gidenler;
    for (QTreeWidgetItem *d : agac->tumDugumler()) {
        const QString a = KlasorAgaci::anahtar(d);
        if (!KlasorAgaci::korumaliMi(a) && !kalanlar.contains(a))
            gidenler << d;
    }
    // Deepest first: every node left under a node that goes goes too.
    for (qsizetype i = gidenler.size() - 1; i >= 0; --i)
        agac->dugumSil(gidenler.at(i));
    // Open folders stay open (a node that moved came back closed).
    for (QTreeWidgetItem *d : agac->tumDugumler()) {
        if (acikOlanlar.contains(KlasorAgaci::anahtar(d)) && !d->isExpanded())
            d->setExpanded(true);
    }
    m_listelemeyiAtla = eski;

    QTreeWidgetItem *kalan = agac->dugum(seciliAnahtar);
    if (kalan) {
        if (agac->currentItem() != kalan)
            sessizSec(kalan);
    } else if (!seciliAnahtar.isEmpty()) {
        // The selected folder went: the nearest one above it that is left, listed.
        for (const QString &a : std::as_const(ustler)) {
            if ((kalan = agac->dugum(a)))
                break;
        }
        if (!kalan)
            kalan = agac->dugum(KlasorAgaci::KlasorAnahtari);
        sessizSec(kalan);
        if (!m_d.tumKlasorlerOnayi->isChecked())
            KlasorListesi_NodeClick(kalan);
    }
    yerlesimiBildir(y, false);
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
    Adim([&] { kayitlar = Veritabani::acik().klasorler(); });
    // Every folder is shown, whatever order the rows come in: one whose parent is missing
    // (older data, a hand edit) goes under "Klasörlerim" and the user is told once.
    const Yerlesim y = yerlestir(kayitlar);
    enBuyukNumarayiGuncelle(kayitlar);
    for (const Yerlesim::Yer &yer : y.sira)
        SessizAdim([&] { m_d.agac->dugumEkle(yer.ust, yer.anahtari, yer.adi, 3); });
    m_yukleniyor = eski;
    QTreeWidgetItem *klasorlerim = m_d.agac->dugum(KlasorAgaci::KlasorAnahtari);
    m_d.agac->setCurrentItem(klasorlerim);
    m_d.agac->dugum(KlasorAgaci::ProgramAnahtari)->setExpanded(true);
    if (klasorlerim->isExpanded())
        dugumGenisletildi(klasorlerim, true);
    else
        klasorlerim->setExpanded(true);
    yerlesimiBildir(y, true);
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
        isSayisiniYaz();
    });
}

void KlasorKomutlari::isSayisiniYaz()
{
    durumMetniAyarla(QStringLiteral("   ") + QString::number(m_d.liste->satirSayisi()) + QStringLiteral(" iş listelendi"));
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
    const Mesgul mesgul(this);
    const bool sunucu = Veritabani::acikMi() && Veritabani::acik().sunucuMu();
    // Folder numbers are 16-bit: refuse instead of wrapping round to negative keys. The
    // server allocates its own numbers.
    if (!sunucu && m_enBuyukKlasorNo >= std::numeric_limits<qint16>::max()) {
        mesaj(QStringLiteral("Klasör sayısı sınırına ulaşıldı! Yeni klasör eklenemiyor."), MesajSimgesi::Bilgi);
        m_d.agac->setFocus();
        return;
    }
    const qint16 numara = qint16(qMin<int>(m_enBuyukKlasorNo + 1, std::numeric_limits<qint16>::max()));
    anahtar = QString::number(numara) + QStringLiteral("-Anahtar");
    // Stored first, so a folder the database refused never appears in the tree. The
    // server may give another key (another desk took this one), or refuse a parent
    // another desk has deleted: then the tree follows the server.
    int hata = 0;
    if (!Adim([&] {
            try {
                anahtar = Veritabani::acik().yeniKlasorEkle(bagi, QStringLiteral("Yeni Klasör"), anahtar);
            } catch (const Hata &h) {
                hata = h.numara();
                throw;
            }
        }, &devam)) {
        if (devam && hata == HataNo::KlasorYok)
            KlasorListesiniEsitle();
        return;
    }
    m_enBuyukKlasorNo = qMax(m_enBuyukKlasorNo, klasorNumarasi(anahtarNumarasi(anahtar)));
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
    const Mesgul mesgul(this);
    // The node shows the new name only once the database holds it. When it could not
    // be stored, the edit opens again with the typed name, so it can be saved later;
    // a folder another desk deleted meanwhile is not, and the tree follows the server.
    bool yazildi = false;
    int hata = 0;
    {
        const GirdilerYerindeKalir girdiler; // the edit opens again with the typed name
        yazildi = Adim([&] {
            try {
                Veritabani::acik().klasorAdiDegistir(anahtar, ad);
            } catch (const Hata &h) {
                hata = h.numara();
                throw;
            }
        });
    }
    if (yazildi) {
        d->setText(0, ad);
        return;
    }
    if (hata == HataNo::KlasorYok) {
        QTimer::singleShot(0, this, &KlasorKomutlari::KlasorListesiniEsitle);
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
    {
        const Mesgul mesgul(this);
        if (!soru(QStringLiteral("'") + d->text(0)
                  + QStringLiteral("' adlı bu klasörü silmek istediğinizden emin misiniz?")))
            return;
        // The folder and its jobs go together or not at all; the database refuses a folder
        // that has sub-folders there (another desk may just have added one). Then the tree
        // follows it and shows them.
        bool devam = true;
        if (!Adim([&] { Veritabani::acik().klasorVeIsleriniSil(anahtar); }, &devam)) {
            if (devam) {
                m_d.agac->setFocus();
                QTimer::singleShot(0, this, &KlasorKomutlari::KlasorListesiniEsitle);
            }
            return;
        }
    }
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
    const QString anahtar = KlasorAgaci::anahtar(hedef);
    {
        const Mesgul mesgul(this);
        if (!soru(QStringLiteral("Seçilen işi taşımak istediğinizden emin misiniz?"))) {
            m_d.agac->vurguluDugumAyarla(nullptr);
            m_d.liste->setFocus();
            return;
        }
        // The server refuses a folder another desk has deleted meanwhile.
        if (!Adim([&] { Veritabani::acik().isTasi(isNo, anahtar); })) {
            m_d.agac->vurguluDugumAyarla(nullptr);
            QTimer::singleShot(0, this, &KlasorKomutlari::KlasorListesiniEsitle);
            return;
        }
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

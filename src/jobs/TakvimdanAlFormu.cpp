#include "jobs/TakvimdanAlFormu.h"

#include "core/Arayuzler.h"
#include "core/Hata.h"
#include "core/OrtakYordamlar.h"
#include "core/Tarihler.h"
#include "jobs/IsListesi.h"
#include "ui/OrtakDenetimler.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>

namespace Zelvora {
namespace {

// The longest range recurring items are expanded over.
constexpr int EnUzunAralikGun = 3660;

QLabel *etiket(QWidget *sahip, int no, const QString &metin)
{
    auto *e = new QLabel(metin, sahip);
    e->setObjectName(QStringLiteral("Etiket") + QString::number(no));
    return e;
}

QDateEdit *tarihKutusu(QWidget *sahip, const QString &ad, const QDate &tarih)
{
    auto *k = new QDateEdit(tarih, sahip);
    k->setObjectName(ad);
    k->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    k->setCalendarPopup(true);
    return k;
}

QString tirnakli(const QString &s) { return QStringLiteral("\"") + s + QStringLiteral("\""); }

} // namespace

TakvimdanAlFormu::TakvimdanAlFormu(const QString &dosya, const QByteArray &veri, bool yinelenen,
                                   const QString &anahtar, QWidget *parent)
    : QDialog(parent), m_veri(veri)
{
    setObjectName(QStringLiteral("TakvimdanAlFormu"));
    setWindowTitle(QStringLiteral("Takvim Dosyasından Al"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    Etiket[0] = etiket(this, 0, QStringLiteral("Dosya :"));
    DosyaEtiketi = new QLabel(QFileInfo(dosya).fileName(), this);
    DosyaEtiketi->setObjectName(QStringLiteral("DosyaEtiketi"));
    DosyaEtiketi->setToolTip(dosya);
    DosyaEtiketi->setAccessibleName(QStringLiteral("Dosya"));
    DosyaEtiketi->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Etiket[1] = etiket(this, 1, QStringLiteral("&Klasör :"));
    KlasorKutusu = new QComboBox(this);
    KlasorKutusu->setObjectName(QStringLiteral("KlasorKutusu"));
    Etiket[1]->setBuddy(KlasorKutusu);
    AdiEtikettenAl(KlasorKutusu, Etiket[1]);
    EtiketVurgulayici::bagla(Etiket[1], KlasorKutusu);

    AralikCercevesi = new QGroupBox(QStringLiteral("Yinelenen işler şu tarihler arasında açılsın"), this);
    AralikCercevesi->setObjectName(QStringLiteral("AralikCercevesi"));
    AralikCercevesi->setAccessibleName(AralikCercevesi->title());
    const QDate bugun = Arayuz::saat().simdi().date();
    Etiket[2] = etiket(AralikCercevesi, 2, QStringLiteral("&Başlangıç :"));
    BaslangicTarihiKutusu = tarihKutusu(AralikCercevesi, QStringLiteral("BaslangicTarihiKutusu"), bugun);
    Etiket[2]->setBuddy(BaslangicTarihiKutusu);
    AdiEtikettenAl(BaslangicTarihiKutusu, Etiket[2]);
    EtiketVurgulayici::bagla(Etiket[2], BaslangicTarihiKutusu);
    Etiket[3] = etiket(AralikCercevesi, 3, QStringLiteral("Bi&tiş :"));
    BitisTarihiKutusu = tarihKutusu(AralikCercevesi, QStringLiteral("BitisTarihiKutusu"), bugun.addYears(1));
    Etiket[3]->setBuddy(BitisTarihiKutusu);
    AdiEtikettenAl(BitisTarihiKutusu, Etiket[3]);
    EtiketVurgulayici::bagla(Etiket[3], BitisTarihiKutusu);
    AralikCercevesi->setEnabled(yinelenen);
    auto *aralik = new QHBoxLayout(AralikCercevesi);
    aralik->addWidget(Etiket[2]);
    aralik->addWidget(BaslangicTarihiKutusu);
    aralik->addSpacing(12);
    aralik->addWidget(Etiket[3]);
    aralik->addWidget(BitisTarihiKutusu);
    aralik->addStretch(1);

    OzetEtiketi = new QLabel(this);
    OzetEtiketi->setObjectName(QStringLiteral("OzetEtiketi"));
    OzetEtiketi->setWordWrap(true);
    OzetEtiketi->setAccessibleName(QStringLiteral("Özet"));

    Etiket[4] = etiket(this, 4, QStringLiteral("İl&k işler :"));
    OnizlemeListesi = new IsListesi(this);
    OnizlemeListesi->setObjectName(QStringLiteral("OnizlemeListesi"));
    OnizlemeListesi->setAccessibleName(QStringLiteral("İlk işler"));
    OnizlemeListesi->setDragEnabled(false);
    OnizlemeListesi->setDragDropMode(QAbstractItemView::NoDragDrop);
    Etiket[4]->setBuddy(OnizlemeListesi);
    const QList<int> genislikler = IsSatiriModeli::tasarimGenislikleri();
    for (int i = 0; i < genislikler.size() && i < IsSatiriModeli::SutunSayisi; ++i)
        OnizlemeListesi->header()->resizeSection(i, piksel(genislikler.at(i)));

    AlDugmesi = new QPushButton(QStringLiteral("&Al"), this);
    AlDugmesi->setObjectName(QStringLiteral("AlDugmesi"));
    AlDugmesi->setAccessibleName(QStringLiteral("Al"));
    IptalDugmesi = new QPushButton(QStringLiteral("İptal (Esc)"), this);
    IptalDugmesi->setObjectName(QStringLiteral("IptalDugmesi"));
    IptalDugmesi->setAccessibleName(QStringLiteral("İptal (Esc)"));
    AlDugmesi->setAutoDefault(false);
    IptalDugmesi->setAutoDefault(false);
    connect(AlDugmesi, &QPushButton::clicked, this, &TakvimdanAlFormu::AlDugmesi_Click);
    connect(IptalDugmesi, &QPushButton::clicked, this, &TakvimdanAlFormu::IptalDugmesi_Click);
    connect(BaslangicTarihiKutusu, &QDateEdit::dateChanged, this, &TakvimdanAlFormu::onizlemeyiYenile);
    connect(BitisTarihiKutusu, &QDateEdit::dateChanged, this, &TakvimdanAlFormu::onizlemeyiYenile);

    auto *izgara = new QGridLayout;
    izgara->addWidget(Etiket[0], 0, 0);
    izgara->addWidget(DosyaEtiketi, 0, 1);
    izgara->addWidget(Etiket[1], 1, 0);
    izgara->addWidget(KlasorKutusu, 1, 1);
    izgara->setColumnStretch(1, 1);
    auto *duzen = new QVBoxLayout(this);
    duzen->addLayout(izgara);
    duzen->addWidget(AralikCercevesi);
    duzen->addWidget(OzetEtiketi);
    duzen->addWidget(Etiket[4]);
    duzen->addWidget(OnizlemeListesi, 1);
    auto *dugmeler = new QHBoxLayout;
    dugmeler->addStretch(1);
    dugmeler->addWidget(AlDugmesi);
    dugmeler->addWidget(IptalDugmesi);
    duzen->addLayout(dugmeler);
    setTabOrder(KlasorKutusu, BaslangicTarihiKutusu);
    setTabOrder(BaslangicTarihiKutusu, BitisTarihiKutusu);
    setTabOrder(BitisTarihiKutusu, OnizlemeListesi);
    setTabOrder(OnizlemeListesi, AlDugmesi);
    setTabOrder(AlDugmesi, IptalDugmesi);
    resize(760, 480);

    // The folders by their path in the tree, the main window's selection first.
    bool okundu = Adim([&] {
        const QHash<QString, QString> yollar = TakvimDosyasi::klasorYollari(Veritabani::acik().klasorler());
        QList<QPair<QString, QString>> sirali;
        for (auto it = yollar.cbegin(); it != yollar.cend(); ++it)
            sirali.append({it.value(), it.key()});
        std::sort(sirali.begin(), sirali.end(),
                  [](const auto &a, const auto &b) { return a.first.localeAwareCompare(b.first) < 0; });
        for (const auto &[yol, k] : sirali)
            KlasorKutusu->addItem(yol, k);
    });
    const int secili = KlasorKutusu->findData(anahtar);
    KlasorKutusu->setCurrentIndex(secili >= 0 ? secili : 0);
    if (!okundu)
        return;
    onizlemeyiYenile();
    m_hazir = true;
    IcerigeSigdir(this);
}

void TakvimdanAlFormu::onizlemeyiYenile()
{
    const QDate bas = BaslangicTarihiKutusu->date(), son = BitisTarihiKutusu->date();
    QStringList satirlar;
    m_plan = {};
    m_okunan = {};
    if (AralikCercevesi->isEnabled() && (son < bas || bas.daysTo(son) > EnUzunAralikGun)) {
        OzetEtiketi->setText(son < bas ? QStringLiteral("Bitiş tarihi başlangıçtan önce olamaz.")
                                       : QStringLiteral("Yinelenen işler en fazla 10 yıllık bir aralıkta açılabilir."));
        OnizlemeListesi->model()->temizle();
        AlDugmesi->setEnabled(false);
        return;
    }
    try {
        m_okunan = TakvimDosyasi::oku(m_veri, QTimeZone::systemTimeZone(), bas, son);
    } catch (const Hata &h) {
        OzetEtiketi->setText(h.aciklama() + QStringLiteral(" Hiçbir iş kaydedilmeyecek."));
        OnizlemeListesi->model()->temizle();
        AlDugmesi->setEnabled(false);
        return;
    }
    if (!Adim([&] { m_plan = TakvimDosyasi::planla(m_okunan, Veritabani::acik()); })) {
        AlDugmesi->setEnabled(false);
        return;
    }
    const int toplam = int(m_okunan.ogeler.size());
    const int alinacak = int(m_plan.isler.size());
    satirlar << QStringLiteral("Dosyada ") + QString::number(toplam) + QStringLiteral(" iş var; ")
            + (alinacak ? QString::number(alinacak) + QStringLiteral(" iş alınacak.")
                        : QStringLiteral("alınacak yeni iş yok."));
    if (m_plan.zatenVar)
        satirlar << QString::number(m_plan.zatenVar)
                + QStringLiteral(" iş veritabanında zaten var (aynı takvim kimliğiyle): atlanacak.");
    QStringList kesilen;
    if (m_plan.konuKesilen)
        kesilen << QString::number(m_plan.konuKesilen) + QStringLiteral(" işin konusu ")
                + QString::number(TakvimDosyasi::KonuSiniri);
    if (m_plan.yerKesilen)
        kesilen << QString::number(m_plan.yerKesilen) + QStringLiteral(" işin yeri ")
                + QString::number(TakvimDosyasi::YerSiniri);
    if (m_plan.sayiKesilen)
        kesilen << QString::number(m_plan.sayiKesilen) + QStringLiteral(" işin sayısı ")
                + QString::number(TakvimDosyasi::SayiSiniri);
    if (!kesilen.isEmpty())
        satirlar << kesilen.join(QStringLiteral(", "))
                + QStringLiteral(" karaktere kısaltılacak; kesilen metin işin açıklamasının sonuna eklenecek.");
    if (m_okunan.yinelenenOge) {
        QString s = QString::number(m_okunan.yinelenenOge) + QStringLiteral(" yinelenen öğe ")
            + Tarihler::kisaTarih(bas) + QStringLiteral(" - ") + Tarihler::kisaTarih(son)
            + QStringLiteral(" arasındaki tarihlerine açıldı.");
        if (m_okunan.aralikDisi)
            s += QStringLiteral(" Aralığın dışında kalan ") + QString::number(m_okunan.aralikDisi)
                + QStringLiteral(" tekrar alınmayacak.");
        if (m_okunan.sonsuzOge)
            s += QStringLiteral(" ") + QString::number(m_okunan.sonsuzOge)
                + QStringLiteral(" öğe aralığın sonundan sonra da sonsuza dek yineleniyor.");
        satirlar << s;
    }
    if (m_okunan.tarihsizOge)
        satirlar << QString::number(m_okunan.tarihsizOge)
                + QStringLiteral(" görevin bitiş tarihi yok: iş olarak alınmayacak.");
    if (m_okunan.iptalOge)
        satirlar << QString::number(m_okunan.iptalOge) + QStringLiteral(" iptal edilmiş öğe alınmayacak.");
    satirlar << m_okunan.uyarilar;
    OzetEtiketi->setText(satirlar.join(QLatin1Char('\n')));

    std::vector<IsKaydi> ilkler(m_plan.isler.begin(),
                                m_plan.isler.begin() + std::min<qsizetype>(OnizlemeSatiri, qsizetype(m_plan.isler.size())));
    OnizlemeListesi->model()->doldur(std::move(ilkler), Arayuz::saat().simdi().date(), false);
    AlDugmesi->setEnabled(alinacak > 0 && KlasorKutusu->count() > 0);
}

void TakvimdanAlFormu::AlDugmesi_Click()
{
    if (m_plan.isler.empty() || KlasorKutusu->currentIndex() < 0)
        return;
    const QString anahtar = KlasorKutusu->currentData().toString();
    std::vector<IsKaydi> isler = m_plan.isler;
    for (IsKaydi &is : isler)
        is.anahtari = anahtar;
    try {
        Veritabani::acik().isleriTopluEkle(isler, m_plan.kimlikler);
    } catch (const Hata &h) {
        // One transaction: nothing of the file was stored.
        if (GenelHataYordami(h))
            mesaj(QStringLiteral("Takvim dosyasındaki işlerin hiçbiri kaydedilmedi."), MesajSimgesi::Uyari);
        return;
    }
    mesaj(QString::number(isler.size()) + QStringLiteral(" iş ") + tirnakli(KlasorKutusu->currentText())
              + QStringLiteral(" klasörüne alındı."),
          MesajSimgesi::Bilgi);
    accept();
}

} // namespace Zelvora

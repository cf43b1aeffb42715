#include "tools/AramaIslemleriFormu.h"

#include "core/Arayuzler.h"
#include "core/GirisMetni.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"
#include "ui/AnaPencere.h"
#include "ui/OrtakDenetimler.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace Zelvora {
namespace {
// The characters the search box does not take from the keyboard.
bool suzulenKarakter(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('#') || c == QLatin1Char('*') || c == QLatin1Char('?');
}
} // namespace

AramaIslemleriFormu::AramaIslemleriFormu(AnaPencere *anaPencere)
    : QDialog(anaPencere ? anaPencere->pencere() : nullptr), m_anaPencere(anaPencere)
{
    setObjectName(QStringLiteral("AramaIslemleriFormu"));
    setWindowTitle(QStringLiteral("Arama İşlemleri..."));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    denetimleriKur();
    Adim([&] {
        Altlik->setBackgroundRole(QPalette::Window);
        Altlik->setAutoFillBackground(true);
    });
    AranacakYerKutusu->setCurrentIndex(0);
    IcerigeSigdir(this);
}

void AramaIslemleriFormu::denetimleriKur()
{
    setFixedSize(430, 336);
    Altlik = new QWidget(this);
    Altlik->setObjectName(QStringLiteral("Altlik"));
    Altlik->setGeometry(rect());

    Cerceve = new QGroupBox(QStringLiteral("Arama Bilgileri "), Altlik);
    Cerceve->setObjectName(QStringLiteral("Cerceve"));
    Cerceve->setGeometry(8, 4, 414, 92);

    const QString etiketler[4] = {QStringLiteral("Aranacak &Yer :"), QStringLiteral("Ara&nacak İfade :"),
                                  QStringLiteral("Arama Sonuçları :"), QString()};
    Etiket[0] = new QLabel(etiketler[0], Cerceve);
    Etiket[0]->setGeometry(10, 24, 116, 22);
    Etiket[1] = new QLabel(etiketler[1], Cerceve);
    Etiket[1]->setGeometry(10, 56, 116, 22);
    Etiket[2] = new QLabel(etiketler[2], Altlik);
    Etiket[2]->setGeometry(10, 102, 130, 20);
    Etiket[3] = new QLabel(etiketler[3], Altlik);
    Etiket[3]->setGeometry(142, 102, 278, 20);
    for (int i = 0; i < 4; ++i)
        Etiket[i]->setObjectName(QStringLiteral("Etiket") + QString::number(i));

    AranacakYerKutusu = new QComboBox(Cerceve);
    AranacakYerKutusu->setObjectName(QStringLiteral("AranacakYerKutusu"));
    AranacakYerKutusu->setEditable(false);
    AranacakYerKutusu->addItems({QStringLiteral("İşin Konusu"), QStringLiteral("İşin Yeri"), QStringLiteral("Açıklama")});
    AranacakYerKutusu->setGeometry(128, 24, 160, 22);

    ArananKutusu = new QLineEdit(Cerceve);
    ArananKutusu->setObjectName(QStringLiteral("ArananKutusu"));
    ArananKutusu->setGeometry(128, 56, 186, 22);

    AraDugmesi = new QPushButton(QStringLiteral("&Ara"), Cerceve);
    AraDugmesi->setObjectName(QStringLiteral("AraDugmesi"));
    AraDugmesi->setGeometry(322, 55, 82, 24);

    AramaSonuclariListesi = new QListWidget(Altlik);
    AramaSonuclariListesi->setObjectName(QStringLiteral("AramaSonuclariListesi"));
    AramaSonuclariListesi->setSortingEnabled(false);
    AramaSonuclariListesi->setSelectionMode(QAbstractItemView::SingleSelection);
    AramaSonuclariListesi->setUniformItemSizes(true);
    AramaSonuclariListesi->setGeometry(8, 124, 414, 164);

    AnahtarListesi = new QListWidget(Altlik);
    AnahtarListesi->setObjectName(QStringLiteral("AnahtarListesi"));
    AnahtarListesi->setFocusPolicy(Qt::NoFocus);
    AnahtarListesi->hide();

    AyrintiGosterDugmesi = new QPushButton(QStringLiteral("Ayrıntı &Göster"), Altlik);
    AyrintiGosterDugmesi->setObjectName(QStringLiteral("AyrintiGosterDugmesi"));
    AyrintiGosterDugmesi->setEnabled(false);
    AyrintiGosterDugmesi->setGeometry(8, 300, 130, 26);

    KapatDugmesi = new QPushButton(QStringLiteral("Kapat (Esc)"), Altlik);
    KapatDugmesi->setObjectName(QStringLiteral("KapatDugmesi"));
    KapatDugmesi->setGeometry(322, 300, 100, 26);

    Etiket[0]->setBuddy(AranacakYerKutusu);
    Etiket[1]->setBuddy(ArananKutusu);
    Etiket[2]->setBuddy(AramaSonuclariListesi);
    AdiEtikettenAl(AramaSonuclariListesi, Etiket[2]);
    EtiketVurgulayici::bagla(Etiket[0], AranacakYerKutusu);
    EtiketVurgulayici::bagla(Etiket[1], ArananKutusu);
    EtiketVurgulayici::bagla(Etiket[2], AramaSonuclariListesi);
    EnterSekme::kur(AranacakYerKutusu);
    EnterSekme::kur(ArananKutusu);
    EnterSekme::kur(AramaSonuclariListesi);
    ArananKutusu->installEventFilter(this);
    AramaSonuclariListesi->installEventFilter(this);

    setTabOrder(AranacakYerKutusu, ArananKutusu);
    setTabOrder(ArananKutusu, AraDugmesi);
    setTabOrder(AraDugmesi, AramaSonuclariListesi);
    setTabOrder(AramaSonuclariListesi, AyrintiGosterDugmesi);
    setTabOrder(AyrintiGosterDugmesi, KapatDugmesi);

    connect(AraDugmesi, &QPushButton::clicked, this, [this] { AraDugmesi_Click(); });
    connect(AyrintiGosterDugmesi, &QPushButton::clicked, this, [this] { AyrintiGosterDugmesi_Click(); });
    connect(KapatDugmesi, &QPushButton::clicked, this, [this] { reject(); });
    connect(AramaSonuclariListesi, &QListWidget::itemSelectionChanged, this, [this] { satirSecildi(); });
    connect(AramaSonuclariListesi, &QListWidget::currentRowChanged, this, [this] { satirSecildi(); });
    connect(AramaSonuclariListesi, &QListWidget::itemDoubleClicked, this, [this] { AyrintiGosterDugmesi_Click(); });
}

void AramaIslemleriFormu::AraDugmesi_Click()
{
    AramaSonuclariListesi->clear();
    AnahtarListesi->clear();
    Etiket[3]->clear();
    AyrintiGosterDugmesi->setEnabled(false);

    const int konum = AranacakYerKutusu->currentIndex();
    if (konum < 0 || konum > 2) {
        mesaj(QStringLiteral("Lütfen, ARANACAK YERİ listeden seçiniz!"), MesajSimgesi::Bilgi);
        AranacakYerKutusu->setFocus();
        return;
    }
    // Job texts are stored with "’" for an apostrophe; a pasted "'" is looked for as that,
    // and a pasted NUL is dropped.
    const QString aranan = KesmeIsaretleriniDegistir(SinirliMetin(ArananKutusu->text())).trimmed();
    ArananKutusu->setText(aranan);
    if (aranan.size() < 2) {
        mesaj(QStringLiteral("Lütfen, aranacak ifadeye en az İKİ karakter giriniz!"), MesajSimgesi::Bilgi);
        ArananKutusu->setFocus();
        return;
    }
    const AramaAlani alanlar[3] = {AramaAlani::Konu, AramaAlani::Yer, AramaAlani::Aciklama};
    std::vector<AramaSonucu> sonuclar;
    Adim([&] { sonuclar = Veritabani::acik().isAra(alanlar[konum], aranan); });
    // Filled in one go, without repainting after every line.
    AramaSonuclariListesi->setUpdatesEnabled(false);
    QStringList anahtarlar;
    anahtarlar.reserve(qsizetype(sonuclar.size()));
    for (const AramaSonucu &s : sonuclar) {
        auto *satir = new QListWidgetItem(s.deger);
        satir->setData(Qt::UserRole, s.isNo);
        AramaSonuclariListesi->addItem(satir);
        anahtarlar << s.anahtari;
    }
    AnahtarListesi->addItems(anahtarlar);
    AramaSonuclariListesi->setUpdatesEnabled(true);
    // The list does not choose a line by itself.
    AramaSonuclariListesi->setCurrentRow(-1);
    AyrintiGosterDugmesi->setEnabled(false);
    if (AramaSonuclariListesi->count() > 0) {
        Etiket[3]->setText(QStringLiteral("(") + QString::number(AramaSonuclariListesi->count())
                           + QStringLiteral(" iş bulundu!)"));
    } else {
        mesaj(QStringLiteral("Aradığınız ölçüte uyan kayıt bulunamadı!"), MesajSimgesi::Uyari);
        ArananKutusu->setFocus();
    }
}

void AramaIslemleriFormu::satirSecildi()
{
    const int satir = AramaSonuclariListesi->currentRow();
    const bool secili = satir >= 0 && AramaSonuclariListesi->item(satir)->isSelected();
    AyrintiGosterDugmesi->setEnabled(secili);
    if (satir >= 0 && satir < AnahtarListesi->count())
        AnahtarListesi->setCurrentRow(satir);
}

void AramaIslemleriFormu::AyrintiGosterDugmesi_Click()
{
    if (AramaSonuclariListesi->count() == 0) {
        AyrintiGosterDugmesi->setEnabled(false);
        return;
    }
    const int satir = AramaSonuclariListesi->currentRow();
    if (satir < 0 || !AramaSonuclariListesi->item(satir)->isSelected() || satir >= AnahtarListesi->count())
        return;
    const QString anahtar = AnahtarListesi->item(satir)->text();
    const qint64 isNo = AramaSonuclariListesi->item(satir)->data(Qt::UserRole).toLongLong();
    if (m_anaPencere)
        m_anaPencere->isiGoster(anahtar, isNo);
    accept();
}

bool AramaIslemleriFormu::eventFilter(QObject *nesne, QEvent *olay)
{
    if (nesne == ArananKutusu && olay->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(olay);
        // The string delimiter and the old pattern characters are not typed.
        return !k->text().isEmpty() && suzulenKarakter(k->text().at(0));
    }
    if (nesne == AramaSonuclariListesi && olay->type() == QEvent::FocusIn
        && static_cast<QFocusEvent *>(olay)->reason() != Qt::MouseFocusReason && AramaSonuclariListesi->count() > 0
        && AramaSonuclariListesi->selectedItems().isEmpty()) {
        // Reached by the keyboard, the list chooses its current line (the first one at
        // first), so that a single result can be chosen and opened without the mouse.
        const int satir = qMax(0, AramaSonuclariListesi->currentRow());
        AramaSonuclariListesi->setCurrentRow(satir, QItemSelectionModel::ClearAndSelect);
    }
    return QDialog::eventFilter(nesne, olay);
}

} // namespace Zelvora

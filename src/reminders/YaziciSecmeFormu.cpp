#include "reminders/YaziciSecmeFormu.h"

#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "ui/OrtakDenetimler.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Zelvora {

YaziciSecmeFormu::YaziciSecmeFormu(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("YaziciSecmeFormu"));
    setWindowTitle(QStringLiteral("Yazıcı Seç"));
    denetimleriKur();
    IcerigeSigdir(this);
    Adim([&] { doldur(); });
}

void YaziciSecmeFormu::denetimleriKur()
{
    Cerceve = new QGroupBox(QStringLiteral("Yazıcı "), this);
    Cerceve->setObjectName(QStringLiteral("Cerceve"));
    Cerceve->setGeometry(piksel(300), piksel(330), piksel(5265), piksel(1515));
    // The panel inside the frame takes the window's back colour.
    Altlik = new QWidget(Cerceve);
    Altlik->setObjectName(QStringLiteral("Altlik"));
    Altlik->setBackgroundRole(QPalette::Window);
    Altlik->setAutoFillBackground(true);
    const int baslikPayi = Cerceve->fontMetrics().height();
    Altlik->setGeometry(2, baslikPayi, Cerceve->width() - 4, Cerceve->height() - baslikPayi - 2);

    // Places inside the frame are measured from the panel under its caption.
    auto yer = [](int sol, int ust) { return QPoint(piksel(sol), piksel(ust)); };

    YaziciAdlariKutusu = new QComboBox(Altlik);
    YaziciAdlariKutusu->setObjectName(QStringLiteral("YaziciAdlariKutusu"));
    YaziciAdlariKutusu->setEditable(false);
    YaziciAdlariKutusu->move(yer(1290, 180));
    YaziciAdlariKutusu->resize(piksel(3585), YaziciAdlariKutusu->sizeHint().height());

    BaglantiNoktasiKutusu = new QLineEdit(Altlik);
    BaglantiNoktasiKutusu->setObjectName(QStringLiteral("BaglantiNoktasiKutusu"));
    BaglantiNoktasiKutusu->setEnabled(false);
    BaglantiNoktasiKutusu->move(yer(1290, 645));
    BaglantiNoktasiKutusu->resize(piksel(3585), BaglantiNoktasiKutusu->sizeHint().height());

    const QString etiketler[2] = {QStringLiteral("Yazıcı &Adı :"), QStringLiteral("&Bağlantı Yeri :")};
    QWidget *const alanlar[2] = {YaziciAdlariKutusu, BaglantiNoktasiKutusu};
    for (int i = 0; i < 2; ++i) {
        Etiket[i] = new QLabel(etiketler[i], Altlik);
        Etiket[i]->setObjectName(QStringLiteral("Etiket") + QString::number(i));
        Etiket[i]->setBuddy(alanlar[i]);
    }
    YaziciAdlariKutusu->setAccessibleName(QStringLiteral("Yazıcı Adı :"));
    BaglantiNoktasiKutusu->setAccessibleName(QStringLiteral("Bağlantı Yeri :"));

    TamamDugmesi = new QPushButton(QStringLiteral("Tamam"), this);
    TamamDugmesi->setObjectName(QStringLiteral("TamamDugmesi"));
    TamamDugmesi->setGeometry(piksel(3000), piksel(2100), piksel(1245), piksel(345));
    TamamDugmesi->setDefault(true);
    IptalDugmesi = new QPushButton(QStringLiteral("İptal (Esc)"), this);
    IptalDugmesi->setObjectName(QStringLiteral("IptalDugmesi"));
    IptalDugmesi->setGeometry(piksel(4320), piksel(2100), piksel(1245), piksel(345));
    PdfDosyasinaKaydetDugmesi = new QPushButton(QStringLiteral("&PDF dosyasına kaydet"), this);
    PdfDosyasinaKaydetDugmesi->setObjectName(QStringLiteral("PdfDosyasinaKaydetDugmesi"));
    PdfDosyasinaKaydetDugmesi->setAutoDefault(false);

    yerlestir();

    connect(YaziciAdlariKutusu, &QComboBox::currentIndexChanged, this, [this] { YaziciAdlariKutusu_Click(); });
    connect(TamamDugmesi, &QPushButton::clicked, this, &YaziciSecmeFormu::TamamDugmesi_Click);
    connect(IptalDugmesi, &QPushButton::clicked, this, &YaziciSecmeFormu::IptalDugmesi_Click);
    connect(PdfDosyasinaKaydetDugmesi, &QPushButton::clicked, this, &YaziciSecmeFormu::PdfDosyasinaKaydetDugmesi_Click);
    setTabOrder(YaziciAdlariKutusu, PdfDosyasinaKaydetDugmesi);
    setTabOrder(PdfDosyasinaKaydetDugmesi, TamamDugmesi);
    setTabOrder(TamamDugmesi, IptalDugmesi);
    YaziciAdlariKutusu->setFocus();
}

void YaziciSecmeFormu::yerlestir()
{
    // "PDF dosyasına kaydet" left of "Tamam" and "İptal (Esc)", under the frame's left edge;
    // a caption wider than its room in this font widens the window and the frame by as much.
    const int pdfSolu = piksel(300);
    const int bosluk = piksel(75);
    const int gereken = qMax(piksel(2565), PdfDosyasinaKaydetDugmesi->sizeHint().width());
    const int fark = qMax(0, pdfSolu + gereken + bosluk - piksel(3000));
    setFixedSize(piksel(5880) + fark, piksel(2805));
    Cerceve->resize(piksel(5265) + fark, Cerceve->height());
    Altlik->resize(Cerceve->width() - 4, Altlik->height());
    TamamDugmesi->move(piksel(3000) + fark, piksel(2100));
    IptalDugmesi->move(piksel(4320) + fark, piksel(2100));
    PdfDosyasinaKaydetDugmesi->setGeometry(pdfSolu, piksel(2100), TamamDugmesi->x() - bosluk - pdfSolu, piksel(345));

    // Captions wider in this font than the window was drawn for push the fields right,
    // within the frame.
    QWidget *const alanlar[2] = {YaziciAdlariKutusu, BaglantiNoktasiKutusu};
    int etiketGenisligi = 0;
    for (QLabel *e : Etiket) {
        e->adjustSize();
        etiketGenisligi = qMax(etiketGenisligi, e->width());
    }
    const int alanSolu = qMax(piksel(1290), etiketGenisligi + 12);
    for (int i = 0; i < 2; ++i) {
        alanlar[i]->setGeometry(alanSolu, alanlar[i]->y(), qMin(piksel(3585), Altlik->width() - alanSolu - 8),
                                alanlar[i]->height());
        Etiket[i]->move(alanSolu - Etiket[i]->width() - 6,
                        alanlar[i]->y() + (alanlar[i]->height() - Etiket[i]->height()) / 2);
    }
}

void YaziciSecmeFormu::showEvent(QShowEvent *e)
{
    // The fonts are settled once the window is shown.
    yerlestir();
    QDialog::showEvent(e);
}

void YaziciSecmeFormu::doldur()
{
    Yazicilar &y = Arayuz::yazicilar();
    m_yazicilar = y.liste();
    const QSignalBlocker sessiz(YaziciAdlariKutusu);
    for (const YaziciKaydi &k : std::as_const(m_yazicilar))
        YaziciAdlariKutusu->addItem(k.ad, k.sira);
    YaziciAdlariKutusu->setCurrentIndex(YaziciAdlariKutusu->findText(y.gecerliYazici(), Qt::MatchExactly));
    YaziciAdlariKutusu_Click();
}

const YaziciKaydi *YaziciSecmeFormu::seciliYazici() const
{
    const int i = YaziciAdlariKutusu->currentIndex();
    if (i < 0)
        return nullptr;
    const int sira = YaziciAdlariKutusu->itemData(i).toInt();
    for (const YaziciKaydi &k : m_yazicilar) {
        if (k.sira == sira)
            return &k;
    }
    return nullptr;
}

void YaziciSecmeFormu::YaziciAdlariKutusu_Click()
{
    const YaziciKaydi *k = seciliYazici();
    BaglantiNoktasiKutusu->setText(k ? k->port : QString());
}

void YaziciSecmeFormu::TamamDugmesi_Click()
{
    // With no entry selected the printer in use stays.
    if (const YaziciKaydi *k = seciliYazici())
        Adim([&] { Arayuz::yazicilar().gecerliYaziciyiDegistir(k->ad); });
    accept();
}

void YaziciSecmeFormu::IptalDugmesi_Click()
{
    OrtakDegiskenler::YazdirmaIptalEdildi = true;
    reject();
}

void YaziciSecmeFormu::PdfDosyasinaKaydetDugmesi_Click()
{
    // A cancelled file dialog leaves the window up, to print or cancel.
    const QString dosya = pdfDosyasiSor(m_pdfOnerisi);
    if (dosya.isEmpty())
        return;
    m_pdfDosyasi = dosya;
    accept();
}

QString pdfDosyasiSor(const QString &onerilen)
{
    QString dosya = Arayuz::dosyaSecimi().kaydedilecekDosya(QStringLiteral("PDF dosyasına kaydet"), onerilen,
                                                            QStringLiteral("PDF dosyaları (*.pdf)"));
    if (!dosya.isEmpty() && !dosya.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        dosya += QStringLiteral(".pdf");
    return dosya;
}

void YaziciSecmeFormu::keyPressEvent(QKeyEvent *e)
{
    // Esc is the cancel button; the close box (reject without it) is not a cancel.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        IptalDugmesi->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace Zelvora

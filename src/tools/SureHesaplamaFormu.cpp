#include "tools/SureHesaplamaFormu.h"

#include "core/AdliSureler.h"
#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/OrtakYordamlar.h"
#include "core/SureHesabi.h"
#include "core/Tarihler.h"
#include "ui/AnaPencere.h"
#include "ui/OrtakDenetimler.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>

namespace Zelvora {
namespace {

// A key that types a character; control keys (Backspace, arrows) and shortcuts (Ctrl+A,
// Ctrl+V) are not. Ctrl and Alt together are AltGr on some systems, which types.
bool yaziTusuMu(const QKeyEvent *k)
{
    const Qt::KeyboardModifiers m = k->modifiers();
    const bool ctrl = m & Qt::ControlModifier, alt = m & Qt::AltModifier;
    if (ctrl != alt || (m & Qt::MetaModifier))
        return false;
    return !k->text().isEmpty() && k->text().at(0).isPrint();
}

bool tarihKarakteriMi(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('.')
        || c == QLatin1Char('/');
}

} // namespace

SureHesaplamaFormu::SureHesaplamaFormu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SureHesaplamaFormu"));
    setWindowTitle(QStringLiteral("Süre Hesaplama"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    denetimleriKur();

    // Opening, in its order.
    Adim([&] {
        for (QWidget *a : Altlik) {
            a->setBackgroundRole(QPalette::Window);
            a->setAutoFillBackground(true);
        }
    });
    Adim([&] {
        const QSignalBlocker b(EklenecekZamanDilimiKutusu);
        EklenecekZamanDilimiKutusu->setCurrentIndex(0);
    });
    DilimKodlari[0] = QStringLiteral("d");
    DilimKodlari[1] = QStringLiteral("ww");
    DilimKodlari[2] = QStringLiteral("m");
    DilimKodlari[3] = QStringLiteral("yyyy");
    Adim([&] {
        BaslangicTarihiKutusu->setText(Tarihler::kisaTarih(Arayuz::saat().bugun()));
        // The box has the focus first: typing replaces the date.
        MetniSec(BaslangicTarihiKutusu);
    });
    Adim([&] { genislikAyarla(Ayarlar::okuSayi(AyarAdi::Ayarlar, AyarAdi::AyrintiGoster, 1) == 1); });
    Adim([&] {
        const QSignalBlocker b(ElektronikTebligatOnayi);
        ElektronikTebligatOnayi->setChecked(Ayarlar::okuSayi(AyarAdi::Ayarlar, AyarAdi::ElektronikTebligat, 0) == 1);
        SonucuHesapla();
    });
    // Placed again with the values filled in, which need their room too.
    yerlesimiAyarla();
}

QString SureHesaplamaFormu::dilimKodu(int konum) const
{
    return konum >= 0 && konum < 4 ? DilimKodlari[konum] : QString();
}

void SureHesaplamaFormu::denetimleriKur()
{
    const int panelSolu = piksel(PanelSolu);
    m_yukseklik = 250;

    Altlik[0] = new QWidget(this);
    Altlik[0]->setObjectName(QStringLiteral("Altlik0"));
    Altlik[0]->setGeometry(0, 0, panelSolu, m_yukseklik);
    Altlik[1] = new QWidget(this);
    Altlik[1]->setObjectName(QStringLiteral("Altlik1"));
    Altlik[1]->setGeometry(panelSolu, 0, piksel(GenisGenislik) - panelSolu, m_yukseklik);

    Cerceve[0] = new QGroupBox(QStringLiteral("Hesaplama "), Altlik[0]);
    Cerceve[0]->setObjectName(QStringLiteral("Cerceve0"));
    Cerceve[0]->setGeometry(8, 4, panelSolu - 14, 200);

    // The rows of the frame: the start date, the e-tebligat tick under it, then the unit,
    // the amount and the result.
    const int etiketX = 10, alanX = 124, satir = 30, ilk = 24, onay = 26;
    const int satirY[4] = {ilk, ilk + onay + satir, ilk + onay + 2 * satir, ilk + onay + 3 * satir};
    const QString etiketler[4] = {QStringLiteral("&Başlangıç Tarihi :"), QStringLiteral("Eklenecek &Dilim :"),
                                  QStringLiteral("&Eklenecek Süre :"), QStringLiteral("Bulunan Tarih :")};
    for (int i = 0; i < 4; ++i) {
        Etiket[i] = new QLabel(etiketler[i], Cerceve[0]);
        Etiket[i]->setObjectName(QStringLiteral("Etiket") + QString::number(i));
        Etiket[i]->setGeometry(etiketX, satirY[i], alanX - etiketX - 2, 22);
    }

    BaslangicTarihiKutusu = new QLineEdit(Cerceve[0]);
    BaslangicTarihiKutusu->setObjectName(QStringLiteral("BaslangicTarihiKutusu"));
    BaslangicTarihiKutusu->setMaxLength(10);
    BaslangicTarihiKutusu->setGeometry(alanX, ilk, 90, 22);

    ElektronikTebligatOnayi = new QCheckBox(QStringLiteral("Elektronik tebligat (ulaştığı tarih)"), Cerceve[0]);
    ElektronikTebligatOnayi->setObjectName(QStringLiteral("ElektronikTebligatOnayi"));
    ElektronikTebligatOnayi->setToolTip(
        QStringLiteral("Başlangıç tarihi e-tebligatın ulaştığı gündür; tebliğ, izleyen beşinci günün sonunda yapılmış sayılır."));
    ElektronikTebligatOnayi->setGeometry(etiketX, ilk + onay, panelSolu - 14 - 2 * etiketX, 22);

    EklenecekZamanDilimiKutusu = new QComboBox(Cerceve[0]);
    EklenecekZamanDilimiKutusu->setObjectName(QStringLiteral("EklenecekZamanDilimiKutusu"));
    EklenecekZamanDilimiKutusu->setEditable(false);
    EklenecekZamanDilimiKutusu->addItems(SureHesabi::birimAdlari());
    EklenecekZamanDilimiKutusu->setGeometry(alanX, satirY[1], 90, 22);

    EklenecekSureKutusu = new QComboBox(Cerceve[0]);
    EklenecekSureKutusu->setObjectName(QStringLiteral("EklenecekSureKutusu"));
    EklenecekSureKutusu->setEditable(true);
    EklenecekSureKutusu->setCompleter(nullptr);
    EklenecekSureKutusu->setInsertPolicy(QComboBox::NoInsert);
    EklenecekSureKutusu->addItems({QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("15"),
                                   QStringLiteral("30"), QStringLiteral("60")});
    EklenecekSureKutusu->setCurrentIndex(-1);
    EklenecekSureKutusu->setEditText(QString());
    EklenecekSureKutusu->setGeometry(alanX, satirY[2], 70, 22);

    AyrintilariAcDugmesi = new QPushButton(QStringLiteral(">>"), Cerceve[0]);
    AyrintilariAcDugmesi->setObjectName(QStringLiteral("AyrintilariAcDugmesi"));
    AyrintilariAcDugmesi->setToolTip(QStringLiteral("Temyiz sürelerini göster"));
    AyrintilariAcDugmesi->setAccessibleName(QStringLiteral("Temyiz sürelerini göster"));
    AyrintilariAcDugmesi->setGeometry(alanX + 76, satirY[2] - 1, 40, 24);

    SonucKutusu = new QLineEdit(Cerceve[0]);
    SonucKutusu->setObjectName(QStringLiteral("SonucKutusu"));
    SonucKutusu->setReadOnly(true);
    SonucKutusu->setGeometry(alanX, satirY[3], 116, 22);

    // Its text is what a screen reader reads (the name follows the text); it takes the
    // focus while it has text, so that it can be read and copied from the keyboard.
    GunBilgisiKutusu = new QLabel(Cerceve[0]);
    GunBilgisiKutusu->setObjectName(QStringLiteral("GunBilgisiKutusu"));
    GunBilgisiKutusu->setAccessibleName(QStringLiteral("Bulunan tarihin günü"));
    GunBilgisiKutusu->setAccessibleDescription(QStringLiteral("Bulunan tarihin günü"));
    GunBilgisiKutusu->setTextFormat(Qt::PlainText);
    GunBilgisiKutusu->setWordWrap(true);
    GunBilgisiKutusu->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    GunBilgisiKutusu->setFrameShape(QFrame::StyledPanel);
    GunBilgisiKutusu->setFrameShadow(QFrame::Sunken);
    GunBilgisiKutusu->setMargin(3);
    GunBilgisiKutusu->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    GunBilgisiKutusu->setFocusPolicy(Qt::NoFocus);
    GunBilgisiKutusu->move(etiketX, ilk + onay + 4 * satir - 2);
    GunBilgisiKutusu->resize(panelSolu - 14 - 2 * etiketX, 56);

    KopyalaDugmesi = new QPushButton(QStringLiteral("Sonucu &Panoya Kopyala"), Altlik[0]);
    KopyalaDugmesi->setObjectName(QStringLiteral("KopyalaDugmesi"));
    KopyalaDugmesi->setEnabled(false);

    IsOlarakEkleDugmesi = new QPushButton(QStringLiteral("İş Olarak &Ekle..."), Altlik[0]);
    IsOlarakEkleDugmesi->setObjectName(QStringLiteral("IsOlarakEkleDugmesi"));
    IsOlarakEkleDugmesi->setAccessibleName(QStringLiteral("İş Olarak Ekle..."));
    IsOlarakEkleDugmesi->setEnabled(false);

    KapatDugmesi = new QPushButton(QStringLiteral("Kapat"), Altlik[0]);
    KapatDugmesi->setObjectName(QStringLiteral("KapatDugmesi"));

    Cerceve[1] = new QGroupBox(QStringLiteral("Temyiz Süreleri "), Altlik[1]);
    Cerceve[1]->setObjectName(QStringLiteral("Cerceve1"));
    const int panelGenisligi = piksel(GenisGenislik) - panelSolu;
    // The options come from the table of periods; the panel always has its five places.
    const QList<AdliSureler::Mahkeme> &mahkemeler = AdliSureler::mahkemeler();
    for (int i = 0; i < 5; ++i) {
        auto *s = new SecenekDugmesi(i < mahkemeler.size() ? mahkemeler.at(i).baslik : QString(), Cerceve[1]);
        s->setObjectName(QStringLiteral("TemyizSecenegi") + QString::number(i));
        s->setEnabled(i < mahkemeler.size());
        s->setGeometry(12, 26 + i * 32, panelGenisligi - 34, 24);
        TemyizSecenegi[i] = s;
        connect(s, &QRadioButton::toggled, this, [this, i](bool secili) {
            if (secili)
                temyizSecildi(i);
        });
    }
    AyrintilarKapatDugmesi = new QPushButton(QStringLiteral("<< Temyiz Sürelerini &Gizle"), Altlik[1]);
    AyrintilarKapatDugmesi->setObjectName(QStringLiteral("AyrintilarKapatDugmesi"));
    yerlesimiAyarla();

    Etiket[0]->setBuddy(BaslangicTarihiKutusu);
    Etiket[1]->setBuddy(EklenecekZamanDilimiKutusu);
    Etiket[2]->setBuddy(EklenecekSureKutusu);
    Etiket[3]->setBuddy(SonucKutusu);
    AdiEtikettenAl(EklenecekSureKutusu, Etiket[2]);
    EtiketVurgulayici::bagla(Etiket[0], BaslangicTarihiKutusu);
    EtiketVurgulayici::bagla(Etiket[1], EklenecekZamanDilimiKutusu);
    EtiketVurgulayici::bagla(Etiket[2], EklenecekSureKutusu);
    EnterSekme::kur(BaslangicTarihiKutusu);
    EnterSekme::kur(EklenecekZamanDilimiKutusu);
    EnterSekme::kur(EklenecekSureKutusu);
    EnterSekme::kur(ElektronikTebligatOnayi);
    // The combo box takes the keys first and hands them to its line edit past the filters.
    BaslangicTarihiKutusu->installEventFilter(this);
    EklenecekSureKutusu->installEventFilter(this);
    EklenecekSureKutusu->lineEdit()->installEventFilter(this);

    const QList<QWidget *> sira = {BaslangicTarihiKutusu, ElektronikTebligatOnayi, EklenecekZamanDilimiKutusu, EklenecekSureKutusu,
                                   AyrintilariAcDugmesi, SonucKutusu, GunBilgisiKutusu, KopyalaDugmesi, IsOlarakEkleDugmesi, KapatDugmesi,
                                   TemyizSecenegi[0], AyrintilarKapatDugmesi};
    for (qsizetype i = 0; i + 1 < sira.size(); ++i)
        setTabOrder(sira.at(i), sira.at(i + 1));

    connect(BaslangicTarihiKutusu, &QLineEdit::textChanged, this, [this] { SonucuHesapla(); });
    connect(ElektronikTebligatOnayi, &QCheckBox::toggled, this, [this] { SonucuHesapla(); });
    connect(EklenecekZamanDilimiKutusu, &QComboBox::currentIndexChanged, this, [this] { dilimSecildi(); });
    // A pick from the list (mouse or arrow keys), also of the entry already current.
    connect(EklenecekSureKutusu, &QComboBox::activated, this, [this] {
        if (!m_programla)
            sureListedenSecildi();
    });
    connect(EklenecekSureKutusu->lineEdit(), &QLineEdit::textEdited, this, [this] { sureDuzenlendi(); });
    connect(SonucKutusu, &QLineEdit::textChanged, this, [this] { sonucDegisti(); });
    connect(KopyalaDugmesi, &QPushButton::clicked, this, [this] { KopyalaDugmesi_Click(); });
    connect(IsOlarakEkleDugmesi, &QPushButton::clicked, this, [this] { IsOlarakEkleDugmesi_Click(); });
    connect(KapatDugmesi, &QPushButton::clicked, this, [this] { reject(); });
    connect(AyrintilariAcDugmesi, &QPushButton::clicked, this, [this] { AyrintilariAcDugmesi_Click(); });
    connect(AyrintilarKapatDugmesi, &QPushButton::clicked, this, [this] { AyrintilarKapatDugmesi_Click(); });
}

void SureHesaplamaFormu::yerlesimiAyarla()
{
    // The day line is as tall as its text needs at the current font (at least three
    // lines, so that the window does not jump with every short text); the frames, the
    // buttons under them and the window follow.
    QLabel *g = GunBilgisiKutusu;
    const int enAz = 3 * g->fontMetrics().lineSpacing() + 2 * (g->margin() + g->frameWidth());
    g->resize(g->width(), qMax(enAz, g->heightForWidth(g->width())));
    const int cerceveYuksekligi = g->geometry().bottom() + 10;
    Cerceve[0]->resize(Cerceve[0]->width(), cerceveYuksekligi);
    const int panelGenisligi = piksel(GenisGenislik) - piksel(PanelSolu);
    Cerceve[1]->setGeometry(2, 4, panelGenisligi - 10, cerceveYuksekligi);
    const int dugmeY = 4 + cerceveYuksekligi + 10;
    KopyalaDugmesi->setGeometry(8, dugmeY, 160, 26);
    KapatDugmesi->setGeometry(piksel(PanelSolu) - 6 - 86, dugmeY, 86, 26);
    IsOlarakEkleDugmesi->setGeometry(8, dugmeY + 32, 160, 26);
    AyrintilarKapatDugmesi->setGeometry(2, dugmeY, panelGenisligi - 10, 26);
    m_yukseklik = dugmeY + 32 + 26 + 10;
    Altlik[0]->resize(Altlik[0]->width(), m_yukseklik);
    Altlik[1]->resize(Altlik[1]->width(), m_yukseklik);
    // At a font wider than the window was drawn for, the captions get their room.
    IcerigeSigdir(this);
    m_yukseklik = std::max(Altlik[0]->height(), Altlik[1]->height());
    genislikAyarla(panelAcik());
}

void SureHesaplamaFormu::changeEvent(QEvent *olay)
{
    // Another desktop font: the day line is measured again.
    if (olay->type() == QEvent::FontChange && GunBilgisiKutusu)
        yerlesimiAyarla();
    QDialog::changeEvent(olay);
}

void SureHesaplamaFormu::genislikAyarla(bool acik)
{
    // The panel beyond the narrow width is hidden with it, so Tab does not reach it.
    Altlik[1]->setVisible(acik);
    // Narrow: the first panel and the designed edge beyond it; wide: both panels.
    const int dar = Altlik[0]->width() + piksel(DarGenislik) - piksel(PanelSolu);
    setFixedSize(acik ? std::max(dar, Altlik[1]->geometry().right() + 1) : dar, m_yukseklik);
    AyrintilariAcDugmesi->setEnabled(!acik);
}

bool SureHesaplamaFormu::panelAcik() const
{
    return !AyrintilariAcDugmesi->isEnabled();
}

void SureHesaplamaFormu::AyrintilariAcDugmesi_Click()
{
    // The button loses the focus as it is disabled: it goes on to the amount.
    const bool odakta = AyrintilariAcDugmesi->hasFocus();
    genislikAyarla(true);
    if (odakta)
        EklenecekSureKutusu->setFocus();
}

void SureHesaplamaFormu::AyrintilarKapatDugmesi_Click()
{
    genislikAyarla(false);
    AyrintilariAcDugmesi->setFocus();
}

void SureHesaplamaFormu::done(int sonuc)
{
    SessizAdim([&] {
        Ayarlar::yaz(AyarAdi::Ayarlar, AyarAdi::AyrintiGoster, panelAcik() ? QStringLiteral("1") : QStringLiteral("0"));
        Ayarlar::yaz(AyarAdi::Ayarlar, AyarAdi::ElektronikTebligat,
                     ElektronikTebligatOnayi->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        Ayarlar::kendiKaydet();
    });
    QDialog::done(sonuc);
}

// --- The calculation ---------------------------------------------------------------------

void SureHesaplamaFormu::SonucuHesapla()
{
    const QString sure = EklenecekSureKutusu->currentText();
    QDate baslangic = SureHesabi::baslangicTarihi(BaslangicTarihiKutusu->text());
    // After an electronic notification the period runs from the day it counts as served.
    if (baslangic.isValid() && ElektronikTebligatOnayi->isChecked())
        baslangic = SureHesabi::ekle(QStringLiteral("d"), 5, baslangic).value_or(QDate());
    if (sure.isEmpty() || !baslangic.isValid()) {
        SonucKutusu->clear();
        gunBilgisiniYaz();
        return;
    }
    const int konum = EklenecekZamanDilimiKutusu->currentIndex();
    const std::optional<qint32> miktar = SureHesabi::yuvarla(SureHesabi::bastakiSayi(sure));
    std::optional<QDate> sonuc;
    if (miktar && konum >= 0 && konum < 4)
        sonuc = SureHesabi::ekle(DilimKodlari[konum], *miktar, baslangic);
    if (!sonuc) {
        // Outside the dates a result may take: the amount falls back to 1. A result of
        // the earlier inputs must not stay on show meanwhile.
        SonucKutusu->clear();
        gunBilgisiniYaz();
        if (sure != QLatin1String("1")) {
            sureMetniYaz(QStringLiteral("1"));
            sureDuzenlendi();
        }
        return;
    }
    SonucKutusu->setText(Tarihler::kisaTarih(*sonuc));
    gunBilgisiniYaz();
}

void SureHesaplamaFormu::TemyizSecimleriniTemizle()
{
    for (QRadioButton *s : TemyizSecenegi) {
        if (s->isChecked()) {
            // A lone option of an exclusive group cannot be switched off otherwise.
            s->setAutoExclusive(false);
            s->setChecked(false);
            s->setAutoExclusive(true);
        }
    }
    gunBilgisiniYaz();
}

bool SureHesaplamaFormu::tarihKutusundanAyrildi()
{
    const QString metin = BaslangicTarihiKutusu->text();
    if (metin.isEmpty())
        return true;
    const QDate t = SureHesabi::baslangicTarihi(metin);
    if (t.isValid()) {
        BaslangicTarihiKutusu->setText(Tarihler::kisaTarih(t));
        return true;
    }
    return false;
}

void SureHesaplamaFormu::dilimSecildi()
{
    SonucuHesapla();
    if (!m_programla && EklenecekZamanDilimiKutusu->currentIndex() > 0)
        TemyizSecimleriniTemizle();
}

bool SureHesaplamaFormu::sureKutusundaOdak() const
{
    const QWidget *odak = QApplication::focusWidget();
    return odak && (odak == EklenecekSureKutusu || odak == EklenecekSureKutusu->lineEdit());
}

void SureHesaplamaFormu::sureListedenSecildi()
{
    SonucuHesapla();
    if (sureKutusundaOdak())
        TemyizSecimleriniTemizle();
}

void SureHesaplamaFormu::sureMetniYaz(const QString &metin)
{
    const QScopedValueRollback<bool> koru(m_programla, true);
    EklenecekSureKutusu->setEditText(metin);
}

void SureHesaplamaFormu::sureDuzenlendi()
{
    const QString metin = EklenecekSureKutusu->currentText();
    const std::optional<double> sayi = SureHesabi::sayiOku(metin);
    const std::optional<qint32> tam = sayi ? SureHesabi::yuvarla(*sayi) : std::nullopt;
    if (!tam) {
        // Not a number, an empty box, or a number beyond 32 bits: 1 is put back.
        sureMetniYaz(QStringLiteral("1"));
        sureDuzenlendi();
        return;
    }
    const QString yeni = QString::number(*tam);
    if (yeni != metin)
        sureMetniYaz(yeni);
    SonucuHesapla();
    TemyizSecimleriniTemizle();
}

void SureHesaplamaFormu::temyizSecildi(int i)
{
    const QList<AdliSureler::Mahkeme> &mahkemeler = AdliSureler::mahkemeler();
    if (i >= mahkemeler.size())
        return;
    const AdliSureler::Mahkeme &m = mahkemeler.at(i);
    {
        // The amount and the unit the statute uses; set by the window, so the option stays.
        const QScopedValueRollback<bool> koru(m_programla, true);
        const QString miktar = QString::number(m.miktar);
        EklenecekSureKutusu->setCurrentIndex(EklenecekSureKutusu->findText(miktar));
        EklenecekSureKutusu->setEditText(miktar);
        EklenecekZamanDilimiKutusu->setCurrentIndex(m.birim);
    }
    SonucuHesapla();
    EklenecekSureKutusu->setFocus(Qt::OtherFocusReason);
}

const AdliSureler::Mahkeme *SureHesaplamaFormu::seciliMahkeme() const
{
    const QList<AdliSureler::Mahkeme> &mahkemeler = AdliSureler::mahkemeler();
    for (int i = 0; i < 5 && i < mahkemeler.size(); ++i) {
        if (TemyizSecenegi[i]->isChecked())
            return &mahkemeler.at(i);
    }
    return nullptr;
}

AdliSureler::Soru SureHesaplamaFormu::girilenSoru() const
{
    AdliSureler::Soru soru;
    soru.sonuc = Tarihler::tarihCoz(SonucKutusu->text());
    soru.baslangic = SureHesabi::baslangicTarihi(BaslangicTarihiKutusu->text());
    soru.elektronik = ElektronikTebligatOnayi->isChecked();
    soru.mahkeme = seciliMahkeme();
    return soru;
}

void SureHesaplamaFormu::sonucDegisti()
{
    KopyalaDugmesi->setEnabled(!SonucKutusu->text().isEmpty());
    IsOlarakEkleDugmesi->setEnabled(!SonucKutusu->text().isEmpty());
}

void SureHesaplamaFormu::IsOlarakEkleDugmesi_Click()
{
    AnaPencere *ana = AnaPencere::etkin();
    const AdliSureler::Soru soru = girilenSoru();
    if (!ana || !soru.sonuc.isValid())
        return;
    IsOnerisi oneri;
    oneri.tarih = soru.sonuc;
    oneri.konu = AdliSureler::isKonusu(soru.mahkeme);
    oneri.aciklama = AdliSureler::isAciklamasi(
        soru, EklenecekSureKutusu->currentText() + QLatin1Char(' ') + EklenecekZamanDilimiKutusu->currentText());
    oneri.hatirlatma = true;
    ana->isEkle(oneri);
}

void SureHesaplamaFormu::gunBilgisiniYaz()
{
    const AdliSureler::Soru soru = girilenSoru();
    const QString metin = AdliSureler::gunBilgisi(soru);
    if (metin == GunBilgisiKutusu->text())
        return;
    GunBilgisiKutusu->setText(metin);
    // An empty line says what it is for, not the frame's caption.
    GunBilgisiKutusu->setAccessibleName(metin.isEmpty() ? QStringLiteral("Bulunan tarihin günü") : metin);
    GunBilgisiKutusu->setFocusPolicy(metin.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    yerlesimiAyarla();
}

void SureHesaplamaFormu::KopyalaDugmesi_Click()
{
    QClipboard *pano = QGuiApplication::clipboard();
    pano->clear();
    pano->setText(SonucKutusu->text());
    // The focus goes on before the button is disabled under it.
    if (KopyalaDugmesi->hasFocus())
        KapatDugmesi->setFocus();
    KopyalaDugmesi->setEnabled(false);
}

// --- Keys and focus ----------------------------------------------------------------------

bool SureHesaplamaFormu::eventFilter(QObject *nesne, QEvent *olay)
{
    const bool tarihKutusu = nesne == BaslangicTarihiKutusu;
    if (!tarihKutusu && nesne != EklenecekSureKutusu && nesne != EklenecekSureKutusu->lineEdit())
        return QDialog::eventFilter(nesne, olay);
    switch (olay->type()) {
    case QEvent::KeyPress: {
        auto *k = static_cast<QKeyEvent *>(olay);
        if (!yaziTusuMu(k))
            return false;
        const QChar c = k->text().at(0);
        // Other characters are not typed.
        if (tarihKutusu)
            return !tarihKarakteriMi(c);
        return !(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    }
    case QEvent::FocusIn: {
        const auto neden = static_cast<QFocusEvent *>(olay)->reason();
        if (tarihKutusu && neden != Qt::ActiveWindowFocusReason && neden != Qt::PopupFocusReason)
            QTimer::singleShot(0, BaslangicTarihiKutusu, [this] { MetniSec(BaslangicTarihiKutusu); });
        return false;
    }
    case QEvent::FocusOut: {
        // Only a real move of the focus inside the window counts as leaving the box;
        // going to "Kapat" does not hold the user back with a message.
        const auto neden = static_cast<QFocusEvent *>(olay)->reason();
        if (!tarihKutusu || neden == Qt::ActiveWindowFocusReason || neden == Qt::PopupFocusReason
            || m_uyariBekliyor || QApplication::focusWidget() == KapatDugmesi || !isVisible())
            return false;
        bool birakildi = true;
        SessizAdim([&] { birakildi = tarihKutusundanAyrildi(); });
        if (birakildi)
            return false;
        // The focus is taken back at once; the message comes when this focus change is
        // over, so a click that moved the focus cannot bring it up twice.
        m_uyariBekliyor = true;
        BaslangicTarihiKutusu->setFocus(Qt::OtherFocusReason);
        QTimer::singleShot(0, this, [this] {
            mesaj(QStringLiteral("Lütfen, tarihi doğru biçimde giriniz!"), MesajSimgesi::Bilgi);
            BaslangicTarihiKutusu->setFocus(Qt::OtherFocusReason);
            MetniSec(BaslangicTarihiKutusu);
            m_uyariBekliyor = false;
        });
        return true;
    }
    default:
        return false;
    }
}

} // namespace Zelvora

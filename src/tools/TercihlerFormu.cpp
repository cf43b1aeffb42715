#include "tools/TercihlerFormu.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/GirisMetni.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Platform.h"
#include "core/TakvimYayini.h"
#include "core/Veritabani.h"
#include "ui/AnaPencere.h"
#include "ui/AyarliKutu.h"
#include "ui/OrtakDenetimler.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QSet>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

#include <algorithm>

namespace Zelvora {
namespace {

int isaret(const QCheckBox *k)
{
    return k->isChecked() ? 1 : 0;
}

QString varsayilan(const QString &anahtar)
{
    return Ayarlar::varsayilan(anahtar);
}

} // namespace

TercihlerFormu::TercihlerFormu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TercihlerFormu"));
    setWindowTitle(QStringLiteral("Tercihler"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    denetimleriKur();

    // Loading, each step on its own.
    Adim([&] {
        Altlik->setBackgroundRole(QPalette::Window);
        Altlik->setAutoFillBackground(true);
    });
    Adim([] { Tercihler::yukle(); });
}

void TercihlerFormu::denetimleriKur()
{
    auto *pencereDuzeni = new QVBoxLayout(this);
    pencereDuzeni->setSizeConstraint(QLayout::SetFixedSize);
    pencereDuzeni->setContentsMargins(piksel(180), piksel(180), piksel(180), piksel(180));
    pencereDuzeni->setSpacing(piksel(180));

    // Two pages: the preferences of old, and the calendar on the phones.
    TercihSekmeleri = new QTabWidget(this);
    TercihSekmeleri->setObjectName(QStringLiteral("TercihSekmeleri"));
    pencereDuzeni->addWidget(TercihSekmeleri);
    auto *genel = new QWidget(TercihSekmeleri);
    genel->setObjectName(QStringLiteral("GenelSekmesi"));
    auto *genelDuzeni = new QVBoxLayout(genel);
    TercihSekmeleri->addTab(genel, QStringLiteral("&Genel"));
    Cerceve = new QFrame(genel);
    Cerceve->setObjectName(QStringLiteral("Cerceve"));
    Cerceve->setFrameShape(QFrame::Box);
    Cerceve->setFrameShadow(QFrame::Sunken);
    genelDuzeni->addWidget(Cerceve);
    auto *cerceveDuzeni = new QVBoxLayout(Cerceve);
    cerceveDuzeni->setContentsMargins(2, 2, 2, 2);
    Altlik = new QWidget(Cerceve);
    Altlik->setObjectName(QStringLiteral("Altlik"));
    cerceveDuzeni->addWidget(Altlik);

    auto onay = [this](const QString &ad, const QString &baslik) {
        auto *k = new QCheckBox(baslik, Altlik);
        k->setObjectName(ad);
        return k;
    };
    auto dugme = [this](QWidget *ebeveyn, const QString &ad, const QString &baslik) {
        auto *d = new QPushButton(baslik, ebeveyn);
        d->setObjectName(ad);
        d->setMinimumWidth(piksel(1215));
        // No button is the window's default: Enter presses only a focused button.
        d->setAutoDefault(false);
        return d;
    };

    auto *duzen = new QVBoxLayout(Altlik);
    duzen->setContentsMargins(piksel(240), piksel(180), piksel(240), piksel(180));
    duzen->setSpacing(piksel(90));

    CekmeliListelereGirilenDegerleriSaklaOnayi =
        onay(QStringLiteral("CekmeliListelereGirilenDegerleriSaklaOnayi"), QStringLiteral("Ç&ekmeli listelere girilen son "));
    CekmeliListeSaklanacakSayiKutusu = new AyarliKutu(Altlik);
    CekmeliListeSaklanacakSayiKutusu->setObjectName(QStringLiteral("CekmeliListeSaklanacakSayiKutusu"));
    CekmeliListeSaklanacakSayiKutusu->setMin(20);
    CekmeliListeSaklanacakSayiKutusu->setMax(1);
    CekmeliListeSaklanacakSayiKutusu->setValue(3);
    CekmeliListeSaklanacakSayiKutusu->setText(QStringLiteral("0"));
    CekmeliListeSaklanacakSayiKutusu->setFixedWidth(piksel(615));
    Etiket[0] = new QLabel(QStringLiteral("değeri sakla"), Altlik);
    Etiket[0]->setObjectName(QStringLiteral("Etiket0"));
    Etiket[0]->setBuddy(CekmeliListeSaklanacakSayiKutusu->DegerKutusu);
    // The box stands inside the sentence the check box begins.
    CekmeliListeSaklanacakSayiKutusu->DegerKutusu->setAccessibleName(
        QStringLiteral("Çekmeli listelere girilen son değeri sakla"));
    CekmeliListeSaklanacakSayiKutusu->DegerDegistirDugmesi->setAccessibleName(
        QStringLiteral("Çekmeli listelere girilen son değeri sakla"));
    auto *satir = new QHBoxLayout;
    satir->setSpacing(piksel(60));
    satir->addWidget(CekmeliListelereGirilenDegerleriSaklaOnayi);
    satir->addWidget(CekmeliListeSaklanacakSayiKutusu);
    satir->addWidget(Etiket[0]);
    satir->addStretch(1);
    duzen->addLayout(satir);

    IlkHarflerBuyukOlsunOnayi = onay(QStringLiteral("IlkHarflerBuyukOlsunOnayi"),
                                     QStringLiteral("Veri girişlerinde \"İlk &Harfler\" büyük olsun "));
    duzen->addWidget(IlkHarflerBuyukOlsunOnayi);
    // There is no "Windows" to start with here: the program starts with the user's session.
    OtomatikBaslasinOnayi = onay(QStringLiteral("OtomatikBaslasinOnayi"),
                                 QStringLiteral("Program, oturum açılırken &otomatik açılsın "));
    duzen->addWidget(OtomatikBaslasinOnayi);
    ArkaplandaCalissinOnayi = onay(QStringLiteral("ArkaplandaCalissinOnayi"),
                                   QStringLiteral("Program, &arka planda sürekli çalışsın "));
    duzen->addWidget(ArkaplandaCalissinOnayi);
    SesliUyariVerOnayi = onay(QStringLiteral("SesliUyariVerOnayi"), QStringLiteral("Hatırlatmalarda &sesli uyarı verilsin "));
    duzen->addWidget(SesliUyariVerOnayi);

    Etiket[1] = new QLabel(QStringLiteral("Ses dosyası :"), Altlik);
    Etiket[1]->setObjectName(QStringLiteral("Etiket1"));
    SesDosyasiKutusu = new QLineEdit(Altlik);
    SesDosyasiKutusu->setObjectName(QStringLiteral("SesDosyasiKutusu"));
    SesDosyasiKutusu->setReadOnly(true);
    SesDosyasiKutusu->setMinimumWidth(piksel(2700));
    Etiket[1]->setBuddy(SesDosyasiKutusu);
    SecDugmesi = dugme(Altlik, QStringLiteral("SecDugmesi"), QStringLiteral("Seç..."));
    satir = new QHBoxLayout;
    satir->setSpacing(piksel(90));
    satir->addSpacing(piksel(270));
    satir->addWidget(Etiket[1]);
    satir->addWidget(SesDosyasiKutusu, 1);
    satir->addWidget(SecDugmesi);
    duzen->addLayout(satir);

    EnUstteOnayi = onay(QStringLiteral("EnUstteOnayi"), QStringLiteral("Hatırlatma pen&ceresi daima en üstte olsun "));
    duzen->addWidget(EnUstteOnayi);

    auto *takvim = new QWidget(TercihSekmeleri);
    takvim->setObjectName(QStringLiteral("TakvimSekmesi"));
    auto *takvimDuzeni = new QVBoxLayout(takvim);
    TercihSekmeleri->addTab(takvim, QStringLiteral("Tak&vim"));
    takvimDenetimleriniKur(takvimDuzeni);

    IlkAyarlarDugmesi = dugme(this, QStringLiteral("IlkAyarlarDugmesi"), QStringLiteral("İl&k Ayarlar"));
    TamamDugmesi = dugme(this, QStringLiteral("TamamDugmesi"), QStringLiteral("Tamam"));
    IptalDugmesi = dugme(this, QStringLiteral("IptalDugmesi"), QStringLiteral("İptal"));
    satir = new QHBoxLayout;
    satir->addWidget(IlkAyarlarDugmesi);
    satir->addStretch(1);
    satir->addWidget(TamamDugmesi);
    satir->addWidget(IptalDugmesi);
    pencereDuzeni->addLayout(satir);

    EnterSekme::kur(SesDosyasiKutusu);

    const QList<QWidget *> sira = {CekmeliListelereGirilenDegerleriSaklaOnayi, CekmeliListeSaklanacakSayiKutusu->DegerKutusu,
                                   IlkHarflerBuyukOlsunOnayi, OtomatikBaslasinOnayi, ArkaplandaCalissinOnayi,
                                   SesliUyariVerOnayi, SesDosyasiKutusu, SecDugmesi, EnUstteOnayi,
                                   TakvimAdresiKutusu, TakvimKullaniciAdiKutusu, TumKlasorlerYayimlansinOnayi,
                                   TakvimKlasorleriListesi, IlkAyarlarDugmesi, TamamDugmesi, IptalDugmesi};
    for (qsizetype i = 0; i + 1 < sira.size(); ++i)
        setTabOrder(sira.at(i), sira.at(i + 1));

    connect(CekmeliListelereGirilenDegerleriSaklaOnayi, &QCheckBox::clicked, this,
            [this] { CekmeliListelereGirilenDegerleriSaklaOnayi_Click(); });
    connect(OtomatikBaslasinOnayi, &QCheckBox::clicked, this, [this] { OtomatikBaslasinOnayi_Click(); });
    connect(SesliUyariVerOnayi, &QCheckBox::clicked, this, [this] { SesliUyariVerOnayi_Click(); });
    for (QCheckBox *k : {IlkHarflerBuyukOlsunOnayi, ArkaplandaCalissinOnayi, EnUstteOnayi})
        connect(k, &QCheckBox::clicked, this, [this] { degisti(); });
    connect(SecDugmesi, &QPushButton::clicked, this, [this] { SecDugmesi_Click(); });
    connect(IlkAyarlarDugmesi, &QPushButton::clicked, this, [this] { IlkAyarlarDugmesi_Click(); });
    connect(TamamDugmesi, &QPushButton::clicked, this, [this] { TamamDugmesi_Click(); });
    connect(IptalDugmesi, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit *k : {TakvimAdresiKutusu, TakvimKullaniciAdiKutusu})
        connect(k, &QLineEdit::textEdited, this, [this] { degisti(); });
    connect(TumKlasorlerYayimlansinOnayi, &QCheckBox::clicked, this, [this] { TumKlasorlerYayimlansinOnayi_Click(); });
    connect(TakvimKlasorleriListesi, &QTreeWidget::itemChanged, this, [this] {
        if (!m_klasorlerDolduruluyor)
            degisti();
    });
}

void TercihlerFormu::takvimDenetimleriniKur(QLayout *pencereDuzeni)
{
    TakvimCercevesi = new QGroupBox(QStringLiteral("Telefondaki takvim (CalDAV)"), pencereDuzeni->parentWidget());
    TakvimCercevesi->setObjectName(QStringLiteral("TakvimCercevesi"));
    pencereDuzeni->addWidget(TakvimCercevesi);
    auto *duzen = new QGridLayout(TakvimCercevesi);
    duzen->setHorizontalSpacing(piksel(90));
    // The last two say plainly that the phone only shows, and where the password goes
    // (short lines: the page is no wider than the general one).
    const QString basliklar[5] = {
        QStringLiteral("Takvim a&dresi :"), QStringLiteral("K&ullanıcı adı :"), QStringLiteral("Yayımlanacak k&lasörler :"),
        QStringLiteral("Telefonda yapılan değişiklikler Zelvora'ya geri gelmez."),
        QStringLiteral("Parola sorulur, anahtarlıkta saklanır.")};
    for (int i = 0; i < 5; ++i) {
        TakvimEtiketi[i] = new QLabel(basliklar[i], TakvimCercevesi);
        TakvimEtiketi[i]->setObjectName(QStringLiteral("TakvimEtiketi") + QString::number(i));
    }
    TakvimAdresiKutusu = new QLineEdit(TakvimCercevesi);
    TakvimAdresiKutusu->setObjectName(QStringLiteral("TakvimAdresiKutusu"));
    TakvimAdresiKutusu->setPlaceholderText(QStringLiteral("https://sunucu.ofis/kullanici/takvim/"));
    TakvimAdresiKutusu->setMinimumWidth(piksel(2400));
    TakvimKullaniciAdiKutusu = new QLineEdit(TakvimCercevesi);
    TakvimKullaniciAdiKutusu->setObjectName(QStringLiteral("TakvimKullaniciAdiKutusu"));
    TumKlasorlerYayimlansinOnayi = new QCheckBox(QStringLiteral("Tü&m klasörler yayımlansın "), TakvimCercevesi);
    TumKlasorlerYayimlansinOnayi->setObjectName(QStringLiteral("TumKlasorlerYayimlansinOnayi"));
    TakvimKlasorleriListesi = new QTreeWidget(TakvimCercevesi);
    TakvimKlasorleriListesi->setObjectName(QStringLiteral("TakvimKlasorleriListesi"));
    TakvimKlasorleriListesi->setHeaderHidden(true);
    TakvimKlasorleriListesi->setFixedHeight(piksel(1200));
    TakvimEtiketi[0]->setBuddy(TakvimAdresiKutusu);
    TakvimEtiketi[1]->setBuddy(TakvimKullaniciAdiKutusu);
    TakvimEtiketi[2]->setBuddy(TakvimKlasorleriListesi);
    AdiEtikettenAl(TakvimAdresiKutusu, TakvimEtiketi[0]);
    AdiEtikettenAl(TakvimKullaniciAdiKutusu, TakvimEtiketi[1]);
    AdiEtikettenAl(TakvimKlasorleriListesi, TakvimEtiketi[2]);
    duzen->addWidget(TakvimEtiketi[0], 0, 0);
    duzen->addWidget(TakvimAdresiKutusu, 0, 1);
    duzen->addWidget(TakvimEtiketi[1], 1, 0);
    duzen->addWidget(TakvimKullaniciAdiKutusu, 1, 1);
    duzen->addWidget(TakvimEtiketi[2], 2, 0, Qt::AlignTop);
    auto *klasorler = new QVBoxLayout;
    klasorler->addWidget(TumKlasorlerYayimlansinOnayi);
    klasorler->addWidget(TakvimKlasorleriListesi);
    duzen->addLayout(klasorler, 2, 1);
    duzen->addWidget(TakvimEtiketi[3], 3, 0, 1, 2);
    duzen->addWidget(TakvimEtiketi[4], 4, 0, 1, 2);
    EnterSekme::kur(TakvimAdresiKutusu);
    EnterSekme::kur(TakvimKullaniciAdiKutusu);
}

void TercihlerFormu::takvimiGoster()
{
    const TakvimYayini::Ayar a = TakvimYayini::ayarlariOku();
    TakvimAdresiKutusu->setText(a.adres);
    TakvimKullaniciAdiKutusu->setText(a.kullanici);
    TumKlasorlerYayimlansinOnayi->setChecked(a.tumKlasorler);
    m_klasorlerDolduruluyor = true;
    TakvimKlasorleriListesi->clear();
    QList<KlasorKaydi> klasorler;
    if (Veritabani::acikMi())
        SessizAdim([&] { klasorler = Veritabani::acik().klasorler(); });
    // Parents before their sub-folders in the table's order; a folder whose parent is
    // missing stands at the top.
    QHash<QString, QTreeWidgetItem *> ogeler;
    const QSet<QString> secili(a.klasorler.cbegin(), a.klasorler.cend());
    for (int tur = 0; tur < 2 && ogeler.size() < klasorler.size(); ++tur) {
        for (const KlasorKaydi &k : klasorler) {
            if (ogeler.contains(k.anahtari))
                continue;
            QTreeWidgetItem *ust = ogeler.value(k.bagi);
            if (!ust && tur == 0 && k.bagi != QLatin1String("Klasor"))
                continue;
            auto *o = ust ? new QTreeWidgetItem(ust) : new QTreeWidgetItem(TakvimKlasorleriListesi);
            o->setText(0, k.adi);
            o->setData(0, Qt::UserRole, k.anahtari);
            o->setFlags(o->flags() | Qt::ItemIsUserCheckable);
            o->setCheckState(0, a.tumKlasorler || secili.contains(k.anahtari) ? Qt::Checked : Qt::Unchecked);
            ogeler.insert(k.anahtari, o);
        }
    }
    TakvimKlasorleriListesi->expandAll();
    m_klasorlerDolduruluyor = false;
    takvimKlasorleriBagimlilari();
}

void TercihlerFormu::takvimKlasorleriBagimlilari()
{
    TakvimKlasorleriListesi->setEnabled(!TumKlasorlerYayimlansinOnayi->isChecked());
}

void TercihlerFormu::TumKlasorlerYayimlansinOnayi_Click()
{
    takvimKlasorleriBagimlilari();
    degisti();
}

bool TercihlerFormu::takvimAdresiGecerli() const
{
    const QString metin = TakvimAdresiKutusu->text().trimmed();
    if (metin.isEmpty())
        return true;
    const QUrl u(metin, QUrl::StrictMode);
    return u.isValid() && (u.scheme() == QLatin1String("https") || u.scheme() == QLatin1String("http"))
        && !u.host().isEmpty();
}

void TercihlerFormu::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        etkinlesti();
}

void TercihlerFormu::keyPressEvent(QKeyEvent *e)
{
    // Enter presses a focused button and nothing else: the window has no default
    // button that a stray Enter could press.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto *d = qobject_cast<QPushButton *>(focusWidget()); d && d->isEnabled())
            d->click();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TercihlerFormu::etkinlesti()
{
    SessizAdim([&] {
        CekmeliListelereGirilenDegerleriSaklaOnayi->setChecked(Tercihler::GirislerSaklansin == 1);
        cekmeliListeBagimlilari();
        if (Tercihler::GirislerSaklansin == 1)
            CekmeliListeSaklanacakSayiKutusu->setValue(Tercihler::SaklanacakGirisSayisi);
    });
    SessizAdim([&] {
        IlkHarflerBuyukOlsunOnayi->setChecked(Tercihler::IlkHarflerBuyuk == 1);
        // Autostart last: when it is on, running in the background is ticked and fixed.
        // The tick tells whether the session really starts the program: the stored value
        // alone (on by default) would claim an entry that was never written.
        ArkaplandaCalissinOnayi->setChecked(Tercihler::ArkaplandaCalissin == 1);
        OtomatikBaslasinOnayi->setChecked(Platform::otomatikBaslatmaVar());
        otomatikBaslasinBagimlilari();
        SesliUyariVerOnayi->setChecked(OrtakDegiskenler::SesliUyari == 1);
        sesliUyariBagimlilari();
    });
    SessizAdim([&] { sesDosyasiGoster(Tercihler::SesDosyasiAdi, Tercihler::SesDosyasiYolu); });
    SessizAdim([&] { EnUstteOnayi->setChecked(OrtakDegiskenler::HatirlatmaEnUstte == 1); });
    SessizAdim([&] { takvimiGoster(); });
    TamamDugmesi->setEnabled(false);
}

void TercihlerFormu::cekmeliListeBagimlilari()
{
    if (CekmeliListelereGirilenDegerleriSaklaOnayi->isChecked()) {
        CekmeliListeSaklanacakSayiKutusu->setEnabled(true);
        CekmeliListeSaklanacakSayiKutusu->setText(varsayilan(AyarAdi::SaklanacakGirisSayisi));
    } else {
        CekmeliListeSaklanacakSayiKutusu->setEnabled(false);
        CekmeliListeSaklanacakSayiKutusu->setText(QString()); // shows "0"
    }
}

void TercihlerFormu::otomatikBaslasinBagimlilari()
{
    if (OtomatikBaslasinOnayi->isChecked()) {
        ArkaplandaCalissinOnayi->setChecked(true);
        ArkaplandaCalissinOnayi->setEnabled(false);
    } else {
        ArkaplandaCalissinOnayi->setEnabled(true);
    }
}

void TercihlerFormu::sesliUyariBagimlilari()
{
    const bool acik = SesliUyariVerOnayi->isChecked();
    if (acik)
        sesDosyasiGoster(varsayilan(AyarAdi::SesDosyasiAdi), varsayilan(AyarAdi::SesDosyasiYolu));
    else
        sesDosyasiGoster(QString(), QString());
    for (QWidget *w : {static_cast<QWidget *>(SesDosyasiKutusu), static_cast<QWidget *>(SecDugmesi),
                       static_cast<QWidget *>(Etiket[1])})
        w->setEnabled(acik);
}

void TercihlerFormu::sesDosyasiGoster(const QString &ad, const QString &klasor)
{
    SesDosyasiKutusu->setText(ad);
    SesDosyasiKutusu->setCursorPosition(0);
    m_sesDosyasiKlasoru = klasor;
    SesDosyasiKutusu->setToolTip(klasor + ad);
}

void TercihlerFormu::degisti()
{
    TamamDugmesi->setEnabled(true);
}

void TercihlerFormu::CekmeliListelereGirilenDegerleriSaklaOnayi_Click()
{
    cekmeliListeBagimlilari();
    degisti();
}

void TercihlerFormu::OtomatikBaslasinOnayi_Click()
{
    otomatikBaslasinBagimlilari();
    degisti();
}

void TercihlerFormu::SesliUyariVerOnayi_Click()
{
    sesliUyariBagimlilari();
    degisti();
}

void TercihlerFormu::SecDugmesi_Click()
{
    QFileDialog secici(this, QStringLiteral("Ses Dosyası Seç"), OrtakDegiskenler::ProgramKlasoru,
                       QStringLiteral("Ses Dosyaları (*.wav)"));
    secici.setObjectName(QStringLiteral("SesDosyasiSecici"));
    secici.setFileMode(QFileDialog::ExistingFile);
    secici.setAcceptMode(QFileDialog::AcceptOpen);
    if (secici.exec() != QDialog::Accepted || secici.selectedFiles().isEmpty())
        return;
    const QFileInfo secilen(secici.selectedFiles().constFirst());
    QString klasor = secilen.absolutePath();
    if (!klasor.endsWith(QLatin1Char('/')))
        klasor += QLatin1Char('/');
    sesDosyasiGoster(secilen.fileName(), klasor);
    degisti();
}

void TercihlerFormu::IlkAyarlarDugmesi_Click()
{
    CekmeliListelereGirilenDegerleriSaklaOnayi->setChecked(varsayilan(AyarAdi::GirislerSaklansin) == QLatin1String("1"));
    cekmeliListeBagimlilari();
    IlkHarflerBuyukOlsunOnayi->setChecked(varsayilan(AyarAdi::IlkHarflerBuyuk) == QLatin1String("1"));
    ArkaplandaCalissinOnayi->setChecked(varsayilan(AyarAdi::ArkaplandaCalissin) == QLatin1String("1"));
    OtomatikBaslasinOnayi->setChecked(varsayilan(AyarAdi::OtomatikBaslasin) == QLatin1String("1"));
    otomatikBaslasinBagimlilari();
    SesliUyariVerOnayi->setChecked(varsayilan(AyarAdi::SesliUyariBilgisi) == QLatin1String("1"));
    sesliUyariBagimlilari();
    EnUstteOnayi->setChecked(varsayilan(AyarAdi::HatirlatmaEnUstte) == QLatin1String("1"));
    degisti();
}

void TercihlerFormu::TamamDugmesi_Click()
{
    // A setting that could not be stored leaves the window open with the user's choices,
    // and the preferences in memory as the store holds them.
    const GirdilerYerindeKalir girdiler;
    const auto saklanamadi = [] {
        SessizAdim([] { Tercihler::yukle(); });
    };
    // An address the calendar cannot be reached at is refused before anything is stored.
    if (!takvimAdresiGecerli()) {
        mesaj(QStringLiteral("Takvim adresi geçerli değil! Adres \"https://\" (ya da \"http://\") ile başlamalı, "
                             "örneğin \"https://sunucu.ofis/kullanici/takvim/\"."));
        TakvimAdresiKutusu->setFocus();
        return;
    }
    // 1-2: the alarm and its sound file, in memory and in the store.
    Adim([&] {
        OrtakDegiskenler::SesliUyari = isaret(SesliUyariVerOnayi);
        Tercihler::SesDosyasiAdi = SesDosyasiKutusu->text();
        Tercihler::SesDosyasiYolu = m_sesDosyasiKlasoru;
    });
    if (!Adim([&] {
            Ayarlar::yaz(AyarAdi::SesliUyariBilgisi, QString::number(OrtakDegiskenler::SesliUyari));
            Ayarlar::yaz(AyarAdi::SesDosyasiAdi, Tercihler::SesDosyasiAdi);
            Ayarlar::yaz(AyarAdi::SesDosyasiYolu, Tercihler::SesDosyasiYolu);
            Ayarlar::kaydet();
        })) {
        saklanamadi();
        return;
    }
    // 3: an alarm without its file stops here; the values above stay stored.
    if (OrtakDegiskenler::SesliUyari == 1 && !DosyaVarMi(Tercihler::sesDosyasi())) {
        mesaj(QStringLiteral("Seçtiğiniz 'Ses Dosyası' bulunamıyor! Lütfen, kontrol edip tekrar deneyiniz."));
        SecDugmesi->setFocus();
        return;
    }
    // 4-8 are stored first and take effect (the autostart entry, the tray icon) only once
    // the store has them.
    // 4: the history lists of the job editor.
    Adim([&] {
        Tercihler::GirislerSaklansin = isaret(CekmeliListelereGirilenDegerleriSaklaOnayi);
        const AyarliKutu *sayi = CekmeliListeSaklanacakSayiKutusu;
        Tercihler::SaklanacakGirisSayisi =
            sayi->isEnabled() ? sayi->Value() : std::clamp(int(AyarliKutu::sayiDegeri(sayi->Text())), 0, 255);
        Ayarlar::yaz(AyarAdi::GirislerSaklansin, QString::number(Tercihler::GirislerSaklansin));
        Ayarlar::yaz(AyarAdi::SaklanacakGirisSayisi, QString::number(Tercihler::SaklanacakGirisSayisi));
        if (Tercihler::GirislerSaklansin == 0 && Ayarlar::bolumVarMi(AyarAdi::IsBilgileri))
            Ayarlar::bolumSil(AyarAdi::IsBilgileri);
    });
    // 5: capitals.
    Adim([&] {
        Tercihler::IlkHarflerBuyuk = isaret(IlkHarflerBuyukOlsunOnayi);
        Ayarlar::yaz(AyarAdi::IlkHarflerBuyuk, QString::number(Tercihler::IlkHarflerBuyuk));
    });
    // 6: starting with the session.
    Adim([&] {
        Tercihler::OtomatikBaslasin = isaret(OtomatikBaslasinOnayi);
        Ayarlar::yaz(AyarAdi::OtomatikBaslasin, QString::number(Tercihler::OtomatikBaslasin));
    });
    // 7: running in the background.
    Adim([&] {
        Tercihler::ArkaplandaCalissin = isaret(ArkaplandaCalissinOnayi);
        Ayarlar::yaz(AyarAdi::ArkaplandaCalissin, QString::number(Tercihler::ArkaplandaCalissin));
    });
    // 8: the reminder window on top.
    Adim([&] {
        OrtakDegiskenler::HatirlatmaEnUstte = isaret(EnUstteOnayi);
        Ayarlar::yaz(AyarAdi::HatirlatmaEnUstte, QString::number(OrtakDegiskenler::HatirlatmaEnUstte));
    });
    // The calendar on the phones: address, user name and the folders published.
    Adim([&] {
        TakvimYayini::Ayar a;
        a.adres = TakvimAdresiKutusu->text().trimmed();
        a.kullanici = TakvimKullaniciAdiKutusu->text().trimmed();
        a.tumKlasorler = TumKlasorlerYayimlansinOnayi->isChecked();
        for (QTreeWidgetItemIterator i(TakvimKlasorleriListesi); *i; ++i) {
            if ((*i)->checkState(0) == Qt::Checked)
                a.klasorler.append((*i)->data(0, Qt::UserRole).toString());
        }
        TakvimYayini::ayarlariYaz(a);
    });
    if (!Adim([] { Ayarlar::kaydet(); })) {
        saklanamadi();
        return;
    }
    // 6: the autostart entry is written or removed.
    Adim([&] {
        const bool acik = Tercihler::OtomatikBaslasin == 1;
        if (!Platform::otomatikBaslatmaAyarla(acik, QCoreApplication::applicationFilePath()))
            mesaj((acik ? QStringLiteral("Otomatik açılma dosyası yazılamadı!")
                        : QStringLiteral("Otomatik açılma dosyası silinemedi!"))
                      + QStringLiteral("\r\n") + Platform::otomatikBaslatmaDosyasi(),
                  MesajSimgesi::Uyari);
    });
    // 7: the tray icon comes or goes at once.
    AnaPencere *ana = AnaPencere::etkin();
    bool anaGizliydi = false;
    Adim([&] {
        if (!ana)
            return;
        if (Tercihler::ArkaplandaCalissin == 1) {
            ana->BildirimAlaninaSimgeEkle();
        } else {
            anaGizliydi = !ana->pencere()->isVisible();
            ana->BildirimAlanindanSimgeyiSil();
        }
    });
    // The calendar is published with the settings stored.
    Adim([&] {
        if (ana)
            ana->takvimAyarlariDegisti();
    });
    // 9: without its icon a hidden main window would be out of reach.
    accept();
    if (anaGizliydi && ana)
        ana->Goster();
}

} // namespace Zelvora

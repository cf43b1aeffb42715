#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsGecmisiFormu.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/GirisMetni.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Tarihler.h"
#include "core/Ufuk.h"
#include "core/Veritabani.h"
#include "jobs/OnHatirlatmaKutusu.h"
#include "tools/TakvimFormu.h"
#include "ui/OrtakDenetimler.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QUuid>

#include <limits>

namespace Zelvora {
namespace {

const QString SiraOnEki = QStringLiteral("Sira-");

// Characters the date box lets through; Backspace and other control keys always pass.
bool tarihKarakteriMi(QChar c)
{
    return c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('/');
}

// A key that types a character (VB's KeyPress keys without the control characters).
bool yaziTusuMu(const QKeyEvent *k)
{
    return !k->text().isEmpty() && k->text().at(0).isPrint();
}

} // namespace

IsEklemeDegistirmeFormu::IsEklemeDegistirmeFormu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("IsEklemeDegistirmeFormu"));
    setWindowTitle(QStringLiteral("Yapılacak İş Ekleme"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    denetimleriKur();

    Adim([&] {
        Altlik->setBackgroundRole(QPalette::Window);
        Altlik->setAutoFillBackground(true);
    });
    Adim([&] { bosta(); });
    Adim([&] { KaydetDugmesi->move(KaydetDugmesi->x(), YeniIsEkleDugmesi->y()); });
    Adim([&] {
        if (Tercihler::GirislerSaklansin == 1) {
            CekmeliListeyiDoldur(IsinKonusuKutusu, AyarAdi::Konular);
            CekmeliListeyiDoldur(IsinYeriKutusu, AyarAdi::Yerler);
            CekmeliListeyiDoldur(IsinSayisiKutusu, AyarAdi::Sayilar);
        }
    });
    IcerigeSigdir(this);
}

void IsEklemeDegistirmeFormu::denetimleriKur()
{
    setFixedSize(508, 260);
    Altlik = new QWidget(this);
    Altlik->setObjectName(QStringLiteral("Altlik"));
    Altlik->setGeometry(rect());

    const int etiketX = 12, alanX = 118, alanGenisligi = 250, satir = 30, ilkSatir = 12;
    auto etiket = [&](int i, const QString &metin, int y) {
        auto *l = new QLabel(metin, Altlik);
        l->setObjectName(QStringLiteral("Etiket") + QString::number(i));
        l->setGeometry(etiketX, y, alanX - etiketX - 4, 22);
        Etiket[i] = l;
    };
    auto yaziliKutu = [&](const QString &ad, int y) {
        auto *c = new QComboBox(Altlik);
        c->setObjectName(ad);
        c->setEditable(true);
        // No inline completion and no automatic insertion: the history list changes
        // only through a save.
        c->setCompleter(nullptr);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setGeometry(alanX, y, alanGenisligi, 22);
        return c;
    };

    etiket(0, QStringLiteral("İşin &Tarihi :"), ilkSatir);
    IsinTarihiKutusu = new QLineEdit(Altlik);
    IsinTarihiKutusu->setObjectName(QStringLiteral("IsinTarihiKutusu"));
    IsinTarihiKutusu->setMaxLength(10);
    IsinTarihiKutusu->setGeometry(alanX, ilkSatir, 90, 22);

    TarihiTakvimdenSecDugmesi = new QPushButton(QStringLiteral("T&arihi Takvimden Seç"), Altlik);
    TarihiTakvimdenSecDugmesi->setObjectName(QStringLiteral("TarihiTakvimdenSecDugmesi"));
    TarihiTakvimdenSecDugmesi->setGeometry(alanX + 96, ilkSatir - 1, alanGenisligi - 96, 24);

    etiket(1, QStringLiteral("İşin &Saati :"), ilkSatir + satir);
    SaatKutusu = new QComboBox(Altlik);
    SaatKutusu->setObjectName(QStringLiteral("SaatKutusu"));
    SaatKutusu->setGeometry(alanX, ilkSatir + satir, 52, 22);
    for (int s = 0; s < 24; ++s)
        SaatKutusu->addItem(QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0')));
    IkiNoktaEtiketi = new QLabel(QStringLiteral(":"), Altlik);
    IkiNoktaEtiketi->setObjectName(QStringLiteral("IkiNoktaEtiketi"));
    IkiNoktaEtiketi->setAlignment(Qt::AlignCenter);
    IkiNoktaEtiketi->setGeometry(alanX + 52, ilkSatir + satir, 10, 22);
    DakikaKutusu = new QComboBox(Altlik);
    DakikaKutusu->setObjectName(QStringLiteral("DakikaKutusu"));
    DakikaKutusu->setGeometry(alanX + 62, ilkSatir + satir, 52, 22);
    for (int d = 0; d < 60; ++d)
        DakikaKutusu->addItem(QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0')));

    etiket(2, QStringLiteral("İşin &Konusu :"), ilkSatir + 2 * satir);
    IsinKonusuKutusu = yaziliKutu(QStringLiteral("IsinKonusuKutusu"), ilkSatir + 2 * satir);
    etiket(3, QStringLiteral("İşin &Yeri :"), ilkSatir + 3 * satir);
    IsinYeriKutusu = yaziliKutu(QStringLiteral("IsinYeriKutusu"), ilkSatir + 3 * satir);
    etiket(4, QStringLiteral("İşi&n Sayısı :"), ilkSatir + 4 * satir);
    IsinSayisiKutusu = yaziliKutu(QStringLiteral("IsinSayisiKutusu"), ilkSatir + 4 * satir);

    etiket(5, QStringLiteral("Açıklama :"), ilkSatir + 5 * satir);
    AciklamaKutusu = new QLineEdit(Altlik);
    AciklamaKutusu->setObjectName(QStringLiteral("AciklamaKutusu"));
    // No limit short of what the database holds (a line edit stops at 32767 by default).
    AciklamaKutusu->setMaxLength(std::numeric_limits<int>::max());
    AciklamaKutusu->setGeometry(alanX, ilkSatir + 5 * satir, alanGenisligi, 22);

    HatirlatmaVarOnayi = new QCheckBox(QStringLiteral("İş &Hatırlatılsın "), Altlik);
    HatirlatmaVarOnayi->setObjectName(QStringLiteral("HatirlatmaVarOnayi"));
    HatirlatmaVarOnayi->setGeometry(alanX, ilkSatir + 6 * satir, 130, 22);
    IsYapildiOnayi = new QCheckBox(QStringLiteral("İş &Yapıldı"), Altlik);
    IsYapildiOnayi->setObjectName(QStringLiteral("IsYapildiOnayi"));
    IsYapildiOnayi->setGeometry(alanX + 136, ilkSatir + 6 * satir, 114, 22);

    // Under the remind box: the days before the date on which the job warns as well.
    etiket(6, QStringLiteral("Önceden &Uyar :"), ilkSatir + 7 * satir);
    OnHatirlatmaGunleriKutusu = new OnHatirlatmaKutusu(Altlik);
    OnHatirlatmaGunleriKutusu->setObjectName(QStringLiteral("OnHatirlatmaGunleriKutusu"));
    OnHatirlatmaGunleriKutusu->setGeometry(alanX, ilkSatir + 7 * satir, 130, 22);
    GunOnceEtiketi = new QLabel(QStringLiteral("gün önce"), Altlik);
    GunOnceEtiketi->setObjectName(QStringLiteral("GunOnceEtiketi"));
    GunOnceEtiketi->setGeometry(alanX + 136, ilkSatir + 7 * satir, 114, 22);

    const int dugmeX = alanX + alanGenisligi + 16, dugmeGenisligi = 118, dugmeYuksekligi = 26;
    auto dugme = [&](const QString &ad, const QString &metin, int y) {
        auto *b = new QPushButton(metin, Altlik);
        b->setObjectName(ad);
        b->setGeometry(dugmeX, y, dugmeGenisligi, dugmeYuksekligi);
        return b;
    };
    YeniIsEkleDugmesi = dugme(QStringLiteral("YeniIsEkleDugmesi"), QStringLiteral("Yeni İş &Ekle"), ilkSatir - 1);
    KaydetDugmesi = dugme(QStringLiteral("KaydetDugmesi"), QStringLiteral("Kaydet"), ilkSatir - 1 + 3 * 32);
    VazgecDugmesi = dugme(QStringLiteral("VazgecDugmesi"), QStringLiteral("Vazgeç"), ilkSatir - 1 + 32);
    KapatDugmesi = dugme(QStringLiteral("KapatDugmesi"), QStringLiteral("Kapat (Esc)"), ilkSatir - 1 + 2 * 32);
    // Where "Kaydet" was drawn before it moves up in place of "Yeni İş Ekle".
    GecmisDugmesi = dugme(QStringLiteral("GecmisDugmesi"), QStringLiteral("&Geçmiş..."), ilkSatir - 1 + 3 * 32);
    GecmisDugmesi->setAccessibleName(QStringLiteral("Geçmiş..."));
    GecmisDugmesi->hide();

    // Labels: mnemonics go to their fields, and a label turns dark red while its field
    // has the focus.
    Etiket[0]->setBuddy(IsinTarihiKutusu);
    Etiket[1]->setBuddy(SaatKutusu);
    Etiket[2]->setBuddy(IsinKonusuKutusu);
    Etiket[3]->setBuddy(IsinYeriKutusu);
    Etiket[4]->setBuddy(IsinSayisiKutusu);
    Etiket[5]->setBuddy(AciklamaKutusu);
    Etiket[6]->setBuddy(OnHatirlatmaGunleriKutusu);
    AdiEtikettenAl(OnHatirlatmaGunleriKutusu, Etiket[6]);
    OnHatirlatmaGunleriKutusu->setAccessibleDescription(
        QStringLiteral("İşin tarihinden kaç gün önce uyarılacağı, virgülle ayrılmış: 7, 3, 1 gün önce"));
    EtiketVurgulayici::bagla(Etiket[6], OnHatirlatmaGunleriKutusu);
    EtiketVurgulayici::bagla(Etiket[0], IsinTarihiKutusu);
    EtiketVurgulayici::bagla(Etiket[1], SaatKutusu);
    EtiketVurgulayici::bagla(Etiket[1], DakikaKutusu);
    // The hour box is named by its caption label (its buddy); the minute box has none.
    DakikaKutusu->setAccessibleName(QStringLiteral("Dakika"));
    AdiEtikettenAl(IsinKonusuKutusu, Etiket[2]);
    AdiEtikettenAl(IsinYeriKutusu, Etiket[3]);
    AdiEtikettenAl(IsinSayisiKutusu, Etiket[4]);
    EtiketVurgulayici::bagla(Etiket[2], IsinKonusuKutusu);
    EtiketVurgulayici::bagla(Etiket[3], IsinYeriKutusu);
    EtiketVurgulayici::bagla(Etiket[4], IsinSayisiKutusu);
    EtiketVurgulayici::bagla(Etiket[5], AciklamaKutusu);

    const QList<QWidget *> sira = {IsinTarihiKutusu, TarihiTakvimdenSecDugmesi, SaatKutusu, DakikaKutusu,
                                   IsinKonusuKutusu, IsinYeriKutusu, IsinSayisiKutusu, AciklamaKutusu,
                                   HatirlatmaVarOnayi, OnHatirlatmaGunleriKutusu, IsYapildiOnayi, YeniIsEkleDugmesi, KaydetDugmesi,
                                   VazgecDugmesi, KapatDugmesi, GecmisDugmesi};
    for (qsizetype i = 0; i + 1 < sira.size(); ++i)
        setTabOrder(sira.at(i), sira.at(i + 1));

    for (QWidget *w : {static_cast<QWidget *>(IsinTarihiKutusu), static_cast<QWidget *>(SaatKutusu),
                       static_cast<QWidget *>(DakikaKutusu), static_cast<QWidget *>(IsinKonusuKutusu),
                       static_cast<QWidget *>(IsinYeriKutusu), static_cast<QWidget *>(IsinSayisiKutusu),
                       static_cast<QWidget *>(AciklamaKutusu), static_cast<QWidget *>(HatirlatmaVarOnayi),
                       static_cast<QWidget *>(OnHatirlatmaGunleriKutusu)})
        EnterSekme::kur(w);
    for (QWidget *w : {static_cast<QWidget *>(IsinTarihiKutusu), static_cast<QWidget *>(IsinKonusuKutusu),
                       static_cast<QWidget *>(IsinYeriKutusu), static_cast<QWidget *>(IsinSayisiKutusu),
                       static_cast<QWidget *>(AciklamaKutusu)})
        w->installEventFilter(this);

    connect(TarihiTakvimdenSecDugmesi, &QPushButton::clicked, this, [this] { TarihiTakvimdenSecDugmesi_Click(); });
    connect(YeniIsEkleDugmesi, &QPushButton::clicked, this, [this] { YeniIsEkleDugmesi_Click(); });
    connect(KaydetDugmesi, &QPushButton::clicked, this, [this] { KaydetDugmesi_Click(); });
    connect(VazgecDugmesi, &QPushButton::clicked, this, [this] { VazgecDugmesi_Click(); });
    connect(KapatDugmesi, &QPushButton::clicked, this, [this] { KapatDugmesi_Click(); });
    connect(GecmisDugmesi, &QPushButton::clicked, this, [this] {
        IsGecmisiFormu gecmis(m_isNo, this);
        gecmis.exec();
    });
}

// --- States -------------------------------------------------------------------------

void IsEklemeDegistirmeFormu::GirisAlanlariniAc()
{
    for (QWidget *w : {static_cast<QWidget *>(IsinTarihiKutusu), static_cast<QWidget *>(SaatKutusu),
                       static_cast<QWidget *>(DakikaKutusu), static_cast<QWidget *>(IsinKonusuKutusu),
                       static_cast<QWidget *>(IsinYeriKutusu), static_cast<QWidget *>(IsinSayisiKutusu),
                       static_cast<QWidget *>(AciklamaKutusu), static_cast<QWidget *>(TarihiTakvimdenSecDugmesi),
                       static_cast<QWidget *>(HatirlatmaVarOnayi)})
        w->setEnabled(true);
    // Without the warning table (a server not yet migrated) nothing typed here could be
    // kept, so the box stays closed and says why.
    const bool uyarilar = Veritabani::acikMi() && Veritabani::acik().onHatirlatmaVar();
    OnHatirlatmaGunleriKutusu->setEnabled(uyarilar);
    OnHatirlatmaGunleriKutusu->setToolTip(uyarilar ? QString()
                                                   : QStringLiteral("Veritabanında ön hatırlatma tablosu yok."));
}

void IsEklemeDegistirmeFormu::GirisAlanlariniTemizle()
{
    // Disabling a focused field moves the focus on; the cleared fields need no leave check.
    const QScopedValueRollback<bool> koru(m_temizleniyor, true);
    for (QLineEdit *k : {IsinTarihiKutusu, AciklamaKutusu, static_cast<QLineEdit *>(OnHatirlatmaGunleriKutusu)}) {
        k->clear();
        k->setEnabled(false);
    }
    for (QComboBox *c : {SaatKutusu, DakikaKutusu, IsinKonusuKutusu, IsinYeriKutusu, IsinSayisiKutusu}) {
        c->setCurrentIndex(-1);
        if (c->isEditable())
            c->setEditText(QString());
        c->setEnabled(false);
    }
    TarihiTakvimdenSecDugmesi->setEnabled(false);
    HatirlatmaVarOnayi->setChecked(false);
    HatirlatmaVarOnayi->setEnabled(false);
    IsYapildiOnayi->setEnabled(false);
}

void IsEklemeDegistirmeFormu::bosta()
{
    GirisAlanlariniTemizle();
    YeniIsEkleDugmesi->show();
    KaydetDugmesi->hide();
    VazgecDugmesi->setEnabled(false);
    KapatDugmesi->setEnabled(true);
}

void IsEklemeDegistirmeFormu::YeniIsEkleDugmesi_Click()
{
    GirisAlanlariniAc();
    KaydetDugmesi->show();
    YeniIsEkleDugmesi->hide();
    VazgecDugmesi->setEnabled(true);
    KapatDugmesi->setEnabled(false);
    if (isVisible())
        IsinTarihiKutusu->setFocus();
}

void IsEklemeDegistirmeFormu::ekle(const QString &klasorAnahtari, const QString &baslik)
{
    setWindowTitle(baslik);
    YeniIsEkleDugmesi_Click();
    m_ekleKipi = true;
    m_isNo = 0;
    GecmisDugmesi->hide();
    m_klasorAnahtari = klasorAnahtari;
    m_belirtec.clear();
    HatirlatmaVarOnayi->setChecked(true);
}

void IsEklemeDegistirmeFormu::degistir(qint64 isNo, const QString &baslik)
{
    YeniIsEkleDugmesi_Click();
    IsYapildiOnayi->setEnabled(true);
    setWindowTitle(baslik);
    m_ekleKipi = false;
    m_isNo = isNo;
    // An office server that keeps the change log shows who changed the job.
    GecmisDugmesi->setVisible(Veritabani::acikMi() && Veritabani::acik().gecmisVar());
    QList<int> gunler;
    SessizAdim([&] {
        if (Veritabani::acikMi())
            gunler = Veritabani::acik().onHatirlatmalar(isNo);
    });
    OnHatirlatmaGunleriKutusu->gunleriYaz(gunler);
    m_acilis.onGunler = gunler;
    // What the database holds now: a save measures the changes made elsewhere against it.
    m_kayitliVar = SessizAdim([&] { m_kayitli = Veritabani::acik().is(isNo); }) && m_kayitli.isNo == isNo;
}

void IsEklemeDegistirmeFormu::onHatirlatmalariGoster(const QList<int> &gunler)
{
    // Where they could not be stored they are not proposed either.
    if (Veritabani::acikMi() && Veritabani::acik().onHatirlatmaVar())
        OnHatirlatmaGunleriKutusu->gunleriYaz(gunler);
}

void IsEklemeDegistirmeFormu::VazgecDugmesi_Click()
{
    m_belirtec.clear(); // the next job is another one
    bosta();
    if (m_ekleKipi) {
        YeniIsEkleDugmesi->setFocus();
        return;
    }
    SessizAdim([&] { emit degistirmeBitti(); });
    close();
}

void IsEklemeDegistirmeFormu::KapatDugmesi_Click()
{
    close();
}

void IsEklemeDegistirmeFormu::isiDoldur(const QString &tarihMetni, const QString &saatMetni, const QString &konu,
                                        const QString &yer, const QString &sayi, const QString &aciklama,
                                        bool hatirlatma, bool yapildi)
{
    IsinTarihiKutusu->setText(tarihMetni);
    SaatKutusu->setCurrentIndex(SaatKutusu->findText(saatMetni.left(2)));
    DakikaKutusu->setCurrentIndex(DakikaKutusu->findText(saatMetni.mid(3, 2)));
    IsinKonusuKutusu->setEditText(konu);
    IsinYeriKutusu->setEditText(yer);
    IsinSayisiKutusu->setEditText(sayi);
    AciklamaKutusu->setText(aciklama);
    HatirlatmaVarOnayi->setChecked(hatirlatma);
    IsYapildiOnayi->setChecked(yapildi);
    m_acilis = girilenIs();
    m_acilisVar = true;
}

IsKaydi IsEklemeDegistirmeFormu::girilenIs() const
{
    IsKaydi is;
    is.tarih = Tarihler::tarihCoz(IsinTarihiKutusu->text());
    if (SaatKutusu->currentIndex() >= 0)
        is.saat = QTime(SaatKutusu->currentText().toInt(),
                        DakikaKutusu->currentIndex() >= 0 ? DakikaKutusu->currentText().toInt() : 0, 0);
    is.konu = IsinKonusuKutusu->currentText();
    is.yer = IsinYeriKutusu->currentText();
    is.sayi = IsinSayisiKutusu->currentText();
    is.aciklama = AciklamaKutusu->text();
    is.hatirlatma = HatirlatmaVarOnayi->isChecked();
    is.yapildi = IsYapildiOnayi->isChecked();
    is.onGunler = OnHatirlatmaGunleriKutusu->gunler().value_or(QList<int>());
    return is;
}

// --- Entry rules ----------------------------------------------------------------------

int IsEklemeDegistirmeFormu::sinir(const QObject *alan) const
{
    if (alan == IsinKonusuKutusu)
        return KonuSiniri;
    if (alan == IsinYeriKutusu)
        return YerSiniri;
    if (alan == IsinSayisiKutusu)
        return SayiSiniri;
    return 0;
}

QString IsEklemeDegistirmeFormu::alanMetni(const QWidget *alan) const
{
    if (auto *c = qobject_cast<const QComboBox *>(alan))
        return c->currentText();
    if (auto *k = qobject_cast<const QLineEdit *>(alan))
        return k->text();
    return {};
}

void IsEklemeDegistirmeFormu::alanMetniYaz(QWidget *alan, const QString &metin)
{
    if (alanMetni(alan) == metin)
        return;
    if (auto *c = qobject_cast<QComboBox *>(alan))
        c->setEditText(metin);
    else if (auto *k = qobject_cast<QLineEdit *>(alan))
        k->setText(metin);
}

void IsEklemeDegistirmeFormu::odakla(QWidget *alan)
{
    alan->setFocus();
    if (alan == IsinTarihiKutusu)
        MetniSec(IsinTarihiKutusu);
    else if (auto *c = qobject_cast<QComboBox *>(alan))
        MetniSec(c);
}

bool IsEklemeDegistirmeFormu::tarihKutusundanAyrildi()
{
    const QString metin = IsinTarihiKutusu->text();
    if (metin.isEmpty())
        return true;
    const QDate t = Tarihler::tarihCoz(metin);
    if (t.isValid()) {
        IsinTarihiKutusu->setText(Tarihler::kisaTarih(t));
        return true;
    }
    mesaj(QStringLiteral("Lütfen, TARİHİ doğru biçimde giriniz."));
    odakla(IsinTarihiKutusu);
    return false;
}

QString IsEklemeDegistirmeFormu::kuralliMetin(const QWidget *alan) const
{
    QString metin = KesmeIsaretleriniDegistir(SinirliMetin(alanMetni(alan))).trimmed();
    if (sinir(alan) > 0 && Tercihler::IlkHarflerBuyuk != 0)
        metin = IlkHarfleriBuyut(metin);
    return metin;
}

bool IsEklemeDegistirmeFormu::metinKutusundanAyrildi(QWidget *alan, bool mesajVerilebilir)
{
    const QString metin = kuralliMetin(alan);
    const int enFazla = sinir(alan);
    alanMetniYaz(alan, metin);
    if (enFazla <= 0 || KarakterSayisi(metin) <= enFazla)
        return true;
    // While another field's message is up nothing is cut unseen: the limit is checked
    // at this field's next leave and at the save.
    if (!mesajVerilebilir)
        return true;
    QString ileti;
    if (alan == IsinKonusuKutusu)
        ileti = QStringLiteral("İşin konusu EN FAZLA 20 karakter olabilir!");
    else if (alan == IsinYeriKutusu)
        ileti = QStringLiteral("İşin yeri EN FAZLA 30 karakter olabilir!");
    else
        ileti = QStringLiteral("İşin sayısı EN FAZLA 12 karakter olabilir!");
    mesaj(ileti);
    alanMetniYaz(alan, SinirliMetin(metin, enFazla));
    odakla(alan);
    return false;
}

bool IsEklemeDegistirmeFormu::eventFilter(QObject *nesne, QEvent *olay)
{
    auto *alan = qobject_cast<QWidget *>(nesne);
    if (!alan)
        return QDialog::eventFilter(nesne, olay);
    switch (olay->type()) {
    case QEvent::KeyPress: {
        auto *k = static_cast<QKeyEvent *>(olay);
        if (!yaziTusuMu(k))
            return false;
        if (alan == IsinTarihiKutusu)
            return !tarihKarakteriMi(k->text().at(0)); // other characters are not typed
        // At the limit only Backspace (a control key, passed above) still works.
        const int enFazla = sinir(alan);
        return enFazla > 0 && KarakterSayisi(alanMetni(alan)) >= enFazla;
    }
    case QEvent::FocusIn: {
        const auto neden = static_cast<QFocusEvent *>(olay)->reason();
        if (neden == Qt::ActiveWindowFocusReason || neden == Qt::PopupFocusReason)
            return false;
        if (alan == IsinTarihiKutusu)
            MetniSec(IsinTarihiKutusu);
        else if (auto *c = qobject_cast<QComboBox *>(alan))
            MetniSec(c);
        return false;
    }
    case QEvent::FocusOut: {
        // Only a real move of the focus inside the window counts as leaving the field,
        // not another window coming up or a drop-down list opening.
        const auto neden = static_cast<QFocusEvent *>(olay)->reason();
        if (neden == Qt::ActiveWindowFocusReason || neden == Qt::PopupFocusReason || m_temizleniyor)
            return false;
        // A leave that comes while another field's message is up (the focus moving around
        // it) still gets the rules that lose nothing; only a second message waits.
        if (m_ayrilisIsleniyor) {
            if (alan != IsinTarihiKutusu)
                SessizAdim([&] { metinKutusundanAyrildi(alan, false); });
            return false;
        }
        const QScopedValueRollback<bool> koru(m_ayrilisIsleniyor, true);
        bool birakildi = true;
        if (alan == IsinTarihiKutusu)
            SessizAdim([&] { birakildi = tarihKutusundanAyrildi(); });
        else
            SessizAdim([&] { birakildi = metinKutusundanAyrildi(alan, true); });
        // When the focus has been put back, the field must not handle this leave
        // (it would drop the selection made for the correction).
        return !birakildi;
    }
    default:
        return false;
    }
}

// --- Save -----------------------------------------------------------------------------

void IsEklemeDegistirmeFormu::KaydetDugmesi_Click()
{
    kaydet();
}

bool IsEklemeDegistirmeFormu::kaydet()
{
    // Every field's leave rules once more, whatever happened to the fields before (a
    // message, text set while the window was inactive): nothing is stored that a leave
    // would not have let through.
    {
        const QScopedValueRollback<bool> koru(m_ayrilisIsleniyor, true);
        for (QWidget *alan : {static_cast<QWidget *>(IsinKonusuKutusu), static_cast<QWidget *>(IsinYeriKutusu),
                              static_cast<QWidget *>(IsinSayisiKutusu), static_cast<QWidget *>(AciklamaKutusu)}) {
            if (!metinKutusundanAyrildi(alan, true))
                return false;
        }
    }
    const QString tarihMetni = IsinTarihiKutusu->text();
    if (tarihMetni.isEmpty()) {
        mesaj(QStringLiteral("Lütfen, işin TARİHİNİ giriniz!"));
        odakla(IsinTarihiKutusu);
        return false;
    }
    // The leave check of the date box normally catches a wrong date; a click on
    // "Kaydet" right after typing one must not store a job without a date.
    const QDate tarih = Tarihler::tarihCoz(tarihMetni);
    if (!tarih.isValid()) {
        mesaj(QStringLiteral("Lütfen, TARİHİ doğru biçimde giriniz."));
        odakla(IsinTarihiKutusu);
        return false;
    }
    const QDateTime simdi = Arayuz::saat().simdi();
    const bool yapildi = IsYapildiOnayi->isChecked();
    if (!yapildi && tarih < simdi.date()
        && !soru(QStringLiteral("GEÇMİŞ TARİHLİ iş girmek istiyor musunuz?"))) {
        odakla(IsinTarihiKutusu);
        return false;
    }
    if (SaatKutusu->currentIndex() < 0) {
        mesaj(QStringLiteral("Lütfen, işin SAATİNİ giriniz!"));
        odakla(SaatKutusu);
        return false;
    }
    if (DakikaKutusu->currentIndex() < 0)
        DakikaKutusu->setCurrentIndex(0);
    const QTime saat(SaatKutusu->currentText().toInt(), DakikaKutusu->currentText().toInt(), 0);
    // The current minute already counts as past once its seconds are running.
    if (!yapildi && tarih == simdi.date() && saat < simdi.time()
        && !soru(QStringLiteral("GEÇMİŞ ZAMANLI iş girmek istiyor musunuz?"))) {
        odakla(SaatKutusu);
        return false;
    }
    if (IsinKonusuKutusu->currentText().trimmed().isEmpty()) {
        mesaj(QStringLiteral("Lütfen, işin KONUSUNU giriniz!"));
        odakla(IsinKonusuKutusu);
        return false;
    }
    if (!OnHatirlatmaGunleriKutusu->gunler()) {
        mesaj(QStringLiteral("Önceden uyarı günleri 1 ile 365 arasında olmalıdır!"));
        OnHatirlatmaGunleriKutusu->setFocus();
        OnHatirlatmaGunleriKutusu->selectAll();
        return false;
    }
    if (!yapildi && !HatirlatmaVarOnayi->isChecked()
        && !soru(QStringLiteral("'İŞ HATIRLATILSIN' seçeneğini işaretlemezseniz bu iş hatırlatılmaz!")
                     + QStringLiteral("\r\n\r\n")
                     + QStringLiteral("Bu işin hatırlatılmasını istemediğinizden emin misiniz?"),
                 MesajCevabi::Hayir)) {
        HatirlatmaVarOnayi->setFocus();
        return false;
    }

    IsKaydi is = girilenIs();
    qint64 yazilanIs = 0;
    bool yeniIs = m_ekleKipi;
    unsigned alanlar = ~0u;
    if (!m_ekleKipi) {
        // A window opened for no job (neither mode set) has nothing to change.
        if (m_isNo <= 0) {
            GenelHataYordami(HataNo::TurUyusmazligi, QStringLiteral("Tür uyuşmazlığı."));
            return false;
        }
        // Only what the user changed here is written: a change made meanwhile by the
        // reminder window or another desk (done, postponed, no more reminders) is kept.
        alanlar = degisenAlanlar(is);
        if (!cakismaDenetle(is, alanlar, yeniIs))
            return false;
    }
    // A new job carries its token until it is stored: a save sent again after a lost
    // reply finds the row it stored instead of storing the job twice.
    if (yeniIs && m_belirtec.isEmpty())
        m_belirtec = QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool yazildi = false;
    int hataNo = 0;
    {
        const GirdilerYerindeKalir girdiler; // a write that fails leaves the window editing
        yazildi = Adim([&] {
            if (!Veritabani::acikMi())
                throw Hata(HataNo::NesneYok, QStringLiteral("Veritabanı bağlantısı kurulmamış."));
            Veritabani *vt = &Veritabani::acik();
            try {
                if (yeniIs) {
                    is.anahtari = m_ekleKipi ? m_klasorAnahtari : m_kayitli.anahtari;
                    yazilanIs = vt->isEkle(is, m_belirtec);
                } else {
                    is.isNo = m_isNo;
                    vt->isAlanlariniGuncelle(is, alanlar);
                    yazilanIs = is.isNo;
                }
            } catch (const Hata &h) {
                hataNo = h.numara();
                throw;
            }
        });
    }
    if (hataNo == HataNo::KlasorYok)
        SessizAdim([&] { emit klasorBulunamadi(); });
    if (yazildi)
        m_belirtec.clear();
    if (yazildi && !m_ekleKipi && yeniIs) {
        // From now on the window changes the job it has just stored.
        m_isNo = yazilanIs;
        SessizAdim([&] { m_kayitli = Veritabani::acik().is(yazilanIs); });
    }
    // A job that was not written is not shown as saved: the window stays in the
    // editing state with the entries kept, and nothing is added to the history lists.
    if (!yazildi)
        return false;
    // A job of today whose minute has come is reminded by the next scan, also when that
    // scan comes after midnight. The job as stored counts (an edit writes only some fields).
    SessizAdim([&] {
        const IsKaydi k = Veritabani::acik().is(yazilanIs);
        if (k.isNo != 0)
            Ufuk::isYazildi(k.tarih, k.saat, k.hatirlatma, k.yapildi, Arayuz::saat().simdi());
    });

    if (Tercihler::GirislerSaklansin == 1) {
        const int sinirSayisi = Tercihler::SaklanacakGirisSayisi;
        Adim([&] { CekmeliListeyeEkle(IsinKonusuKutusu, AyarAdi::Konular, sinirSayisi); });
        Adim([&] { CekmeliListeyeEkle(IsinYeriKutusu, AyarAdi::Yerler, sinirSayisi); });
        Adim([&] { CekmeliListeyeEkle(IsinSayisiKutusu, AyarAdi::Sayilar, sinirSayisi); });
    }
    Adim([&] { emit kaydedildi(); });
    VazgecDugmesi_Click();
    return true;
}

unsigned IsEklemeDegistirmeFormu::degisenAlanlar(const IsKaydi &is) const
{
    if (!m_acilisVar)
        return ~0u;
    const IsKaydi &a = m_acilis;
    return (is.tarih != a.tarih ? Veritabani::TarihAlani : 0u) | (is.saat != a.saat ? Veritabani::SaatAlani : 0u)
        | (is.konu != a.konu ? Veritabani::KonuAlani : 0u) | (is.yer != a.yer ? Veritabani::YerAlani : 0u)
        | (is.sayi != a.sayi ? Veritabani::SayiAlani : 0u)
        | (is.aciklama != a.aciklama ? Veritabani::AciklamaAlani : 0u)
        | (is.hatirlatma != a.hatirlatma ? Veritabani::HatirlatmaAlani : 0u)
        | (is.yapildi != a.yapildi ? Veritabani::YapildiAlani : 0u)
        | (is.onGunler != a.onGunler ? Veritabani::OnHatirlatmaAlani : 0u);
}

namespace {
QString gorunen(const QString &s)
{
    return s.isEmpty() ? QStringLiteral("(boş)") : QStringLiteral("\"") + s + QStringLiteral("\"");
}
QString evetHayir(bool b)
{
    return b ? QStringLiteral("evet") : QStringLiteral("hayır");
}
QString dakikasi(const QTime &t)
{
    return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : QStringLiteral("(boş)");
}
} // namespace

bool IsEklemeDegistirmeFormu::cakismaDenetle(const IsKaydi &is, unsigned alanlar, bool &yeniIs)
{
    if (!m_kayitliVar || !Veritabani::acikMi())
        return true; // nothing to measure against: only the changed fields are written
    IsKaydi simdi;
    if (!Adim([&] { simdi = Veritabani::acik().is(m_isNo); }))
        return false;
    if (simdi.isNo == 0) {
        // Deleted elsewhere: said so, and the entries can still be kept as a new job.
        if (!soru(QStringLiteral("Bu iş, siz değiştirirken başka bir masada ya da pencerede silinmiş.")
                  + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Girdiklerinizi yeni bir iş olarak kaydetmek istiyor musunuz?")))
            return false;
        yeniIs = true;
        return true;
    }
    const IsKaydi &o = m_kayitli;
    QStringList satirlar;
    auto ekle = [&](unsigned alan, bool degisti, const QString &ad, const QString &orada, const QString &burada) {
        if ((alanlar & alan) && degisti && orada != burada)
            satirlar << ad + QStringLiteral(": şimdi kayıtlı ") + orada + QStringLiteral(", sizin girdiğiniz ") + burada;
    };
    auto kisa = [](const QDate &t) { return t.isValid() ? Tarihler::kisaTarih(t) : QStringLiteral("(boş)"); };
    // The stored time counts by the minute, as the editor shows it.
    auto dakikaOlarak = [](const QTime &t) { return t.isValid() ? QTime(t.hour(), t.minute()) : t; };
    ekle(Veritabani::TarihAlani, simdi.tarih != o.tarih, QStringLiteral("İşin tarihi"), kisa(simdi.tarih), kisa(is.tarih));
    ekle(Veritabani::SaatAlani, dakikaOlarak(simdi.saat) != dakikaOlarak(o.saat), QStringLiteral("İşin saati"),
         dakikasi(simdi.saat), dakikasi(is.saat));
    ekle(Veritabani::KonuAlani, simdi.konu != o.konu, QStringLiteral("İşin konusu"), gorunen(simdi.konu), gorunen(is.konu));
    ekle(Veritabani::YerAlani, simdi.yer != o.yer, QStringLiteral("İşin yeri"), gorunen(simdi.yer), gorunen(is.yer));
    ekle(Veritabani::SayiAlani, simdi.sayi != o.sayi, QStringLiteral("İşin sayısı"), gorunen(simdi.sayi), gorunen(is.sayi));
    ekle(Veritabani::AciklamaAlani, simdi.aciklama != o.aciklama, QStringLiteral("Açıklama"), gorunen(simdi.aciklama),
         gorunen(is.aciklama));
    ekle(Veritabani::HatirlatmaAlani, simdi.hatirlatma != o.hatirlatma, QStringLiteral("Hatırlatılsın"),
         evetHayir(simdi.hatirlatma), evetHayir(is.hatirlatma));
    ekle(Veritabani::YapildiAlani, simdi.yapildi != o.yapildi, QStringLiteral("Yapıldı"), evetHayir(simdi.yapildi),
         evetHayir(is.yapildi));
    if (satirlar.isEmpty())
        return true;
    if (!soru(QStringLiteral("Bu iş, siz değiştirirken başka bir masada ya da pencerede de değiştirildi:")
                  + QStringLiteral("\r\n\r\n") + satirlar.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n")
                  + QStringLiteral("Kaydederseniz kayıtlı olanların yerine sizin girdikleriniz yazılacak. Kaydetmek istiyor musunuz?"),
              MesajCevabi::Hayir))
        return false;
    return true;
}

// --- History lists --------------------------------------------------------------------

void IsEklemeDegistirmeFormu::CekmeliListeyiDoldur(QComboBox *kutu, const QString &bolum)
{
    const auto degerler = Ayarlar::bolumDegerleri(bolum);
    if (degerler.isEmpty())
        return;
    // Adding to an empty list would show its first entry; the typed text stays as it was.
    const QString metin = kutu->currentText();
    for (const auto &d : degerler)
        kutu->addItem(d.second);
    kutu->setCurrentIndex(-1);
    kutu->setEditText(metin);
}

void IsEklemeDegistirmeFormu::CekmeliListeyeEkle(QComboBox *kutu, const QString &bolum, int sinir)
{
    sinir = qBound(0, sinir, 255);
    const int n = kutu->count();
    const QString t = kutu->currentText();
    if (t.isEmpty())
        return;
    const QString kucuk = TurkceKucuk(t);
    for (int i = 0; i < n; ++i) {
        if (TurkceKucuk(kutu->itemText(i)) == kucuk)
            return;
    }
    if (n < sinir) {
        kutu->insertItem(0, t);
        Ayarlar::yaz(bolum, SiraOnEki + QString::number(n + 1), t);
    } else if (n == sinir) {
        kutu->insertItem(0, t);
        kutu->removeItem(kutu->count() - 1);
        for (int i = 0; i < kutu->count() && i < sinir; ++i)
            Ayarlar::yaz(bolum, SiraOnEki + QString::number(i + 1), kutu->itemText(i));
    } else {
        return; // the limit was lowered since the list was loaded
    }
    Ayarlar::kendiKaydet();
}

// --- Calendar -------------------------------------------------------------------------

void IsEklemeDegistirmeFormu::TarihiTakvimdenSecDugmesi_Click()
{
    QPointer<IsEklemeDegistirmeFormu> bu(this);
    SessizAdim([&] {
        const QDate yazili = Tarihler::tarihCoz(IsinTarihiKutusu->text());
        QPointer<TakvimFormu> takvim = new TakvimFormu(this);
        takvim->SecilenTarihBilgisi = Tarihler::kisaTarih(yazili.isValid() ? yazili : Arayuz::saat().bugun());
        if (m_takvimUstte)
            takvim->ustteTut(true);
        takvim->exec();
        if (!bu || !takvim)
            return;
        const QString secilen = takvim->SecilenTarihBilgisi;
        delete takvim;
        // Empty after a cancel: the date box keeps its text.
        if (Tarihler::tarihCoz(secilen).isValid())
            IsinTarihiKutusu->setText(secilen);
    });
    if (bu)
        IsinTarihiKutusu->setFocus();
}

// --- Window ---------------------------------------------------------------------------

void IsEklemeDegistirmeFormu::keyPressEvent(QKeyEvent *e)
{
    const bool yalin = !(e->modifiers() & ~Qt::KeypadModifier);
    if (e->key() == Qt::Key_Escape && yalin) {
        // Esc presses "Kapat (Esc)", which is disabled while a job is being edited.
        if (KapatDugmesi->isEnabled() && KapatDugmesi->isVisible())
            KapatDugmesi->click();
        e->accept();
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && yalin) {
        // The window has no default button: Enter acts only on a focused button.
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void IsEklemeDegistirmeFormu::closeEvent(QCloseEvent *e)
{
    // The close box is refused while a job is being edited; the program ending is not.
    if (e->spontaneous() && !KapatDugmesi->isEnabled()) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

} // namespace Zelvora

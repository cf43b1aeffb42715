#include "tools/TakvimFormu.h"

#include "core/Arayuzler.h"
#include "core/OrtakYordamlar.h"
#include "core/Tarihler.h"
#include "ui/OrtakDenetimler.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

namespace Zelvora {
namespace {

// Grid geometry inside the panel, in pixels.
constexpr int SutunGenisligi = 36;
constexpr int BaslikYuksekligi = 22;
constexpr int SatirYuksekligi = 26;
constexpr int HucreUstBoslugu = 5; // the cell sits this far below its row line
constexpr int HucreYuksekligi = 20;
constexpr int SatirSayisi = 6;
constexpr int AltlikGenisligi = 7 * SutunGenisligi;
constexpr int AltlikYuksekligi = BaslikYuksekligi + SatirSayisi * SatirYuksekligi;

int satirUstu(int satir)
{
    return BaslikYuksekligi + satir * SatirYuksekligi;
}

} // namespace

void TakvimAltligi::paintEvent(QPaintEvent *)
{
    // YatikCizgi(0..5) above each row of days, DikCizgi(0..5) between the columns.
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    for (int r = 0; r < SatirSayisi; ++r)
        p.drawLine(0, satirUstu(r), AltlikGenisligi - 1, satirUstu(r));
    for (int c = 1; c <= 6; ++c)
        p.drawLine(c * SutunGenisligi - 1, BaslikYuksekligi, c * SutunGenisligi - 1, AltlikYuksekligi - 1);
}

TakvimFormu::TakvimFormu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TakvimFormu"));
    setWindowTitle(QStringLiteral("Takvim"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    denetimleriKur();

    // Column heads: 1 to 7 May 2000 run from Monday to Sunday.
    Adim([&] {
        for (int k = 0; k < 7; ++k)
            GunAdlariEtiketi[k]->setText(Tarihler::kisaGunAdi(QDate(2000, 5, 1 + k).dayOfWeek()));
    });
    Adim([&] {
        for (int ay = 1; ay <= 12; ++ay)
            AyKutusu->addItem(Tarihler::ayAdi(QDate(2000, ay, 5).month()));
    });
}

void TakvimFormu::denetimleriKur()
{
    setFixedSize(394, 290);

    Etiket[1] = new QLabel(QStringLiteral("Ay Listesi :"), this);
    Etiket[1]->setObjectName(QStringLiteral("Etiket1"));
    Etiket[1]->setGeometry(10, 10, 110, 18);

    AyKutusu = new QListWidget(this);
    AyKutusu->setObjectName(QStringLiteral("AyKutusu"));
    AyKutusu->setGeometry(10, 30, 110, 214);
    AdiEtikettenAl(AyKutusu, Etiket[1]);

    Etiket[0] = new QLabel(QStringLiteral("Yıl Listesi :"), this);
    Etiket[0]->setObjectName(QStringLiteral("Etiket0"));
    Etiket[0]->setGeometry(132, 10, 80, 18);

    YilKutusu = new QComboBox(this);
    YilKutusu->setObjectName(QStringLiteral("YilKutusu"));
    YilKutusu->setEditable(false);
    YilKutusu->setGeometry(214, 6, 90, 24);
    for (int y = IlkYil; y <= SonYil; ++y)
        YilKutusu->addItem(QString::number(y));

    Altlik = new TakvimAltligi(this);
    Altlik->setObjectName(QStringLiteral("Altlik"));
    Altlik->setGeometry(132, 36, AltlikGenisligi, AltlikYuksekligi);
    Altlik->setFocusPolicy(Qt::StrongFocus);
    // The panel takes the window's background colour.
    Altlik->setBackgroundRole(QPalette::Window);
    Altlik->setAutoFillBackground(true);
    Altlik->installEventFilter(this);

    for (int k = 0; k < 7; ++k) {
        auto *l = new QLabel(Altlik);
        l->setObjectName(QStringLiteral("GunAdlariEtiketi") + QString::number(k));
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(k * SutunGenisligi, 0, SutunGenisligi - 1, BaslikYuksekligi);
        GunAdlariEtiketi[k] = l;
    }
    for (int i = 0; i < HucreSayisi; ++i) {
        auto *l = new QLabel(Altlik);
        l->setObjectName(QStringLiteral("GunEtiketi") + QString::number(i));
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry((i % 7) * SutunGenisligi, satirUstu(i / 7) + HucreUstBoslugu, SutunGenisligi - 1,
                       HucreYuksekligi);
        l->installEventFilter(this);
        GunEtiketi[i] = l;
    }

    SecilenTarihCercevesi = new QFrame(Altlik);
    SecilenTarihCercevesi->setObjectName(QStringLiteral("SecilenTarihCercevesi"));
    SecilenTarihCercevesi->setFrameShape(QFrame::Box);
    SecilenTarihCercevesi->setLineWidth(1);
    SecilenTarihCercevesi->setAttribute(Qt::WA_TransparentForMouseEvents);
    SecilenTarihCercevesi->resize(SutunGenisligi - 1, HucreYuksekligi + piksel(80));
    SecilenTarihCercevesi->hide();

    SecilenTarihEtiketi = new QLabel(this);
    SecilenTarihEtiketi->setObjectName(QStringLiteral("SecilenTarihEtiketi"));
    QFont kalin = SecilenTarihEtiketi->font();
    kalin.setBold(true);
    SecilenTarihEtiketi->setFont(kalin);
    SecilenTarihEtiketi->setAlignment(Qt::AlignCenter);
    SecilenTarihEtiketi->setGeometry(132, 36 + AltlikYuksekligi + 6, AltlikGenisligi, 20);

    BuguneGitDugmesi = new QPushButton(QStringLiteral("Bugüne Git"), this);
    BuguneGitDugmesi->setObjectName(QStringLiteral("BuguneGitDugmesi"));
    BuguneGitDugmesi->setGeometry(10, 252, 110, 28);

    TamamDugmesi = new QPushButton(QStringLiteral("Tamam"), this);
    TamamDugmesi->setObjectName(QStringLiteral("TamamDugmesi"));
    TamamDugmesi->setGeometry(196, 252, 90, 28);
    TamamDugmesi->setDefault(true);

    IptalDugmesi = new QPushButton(QStringLiteral("İptal (Esc)"), this);
    IptalDugmesi->setObjectName(QStringLiteral("IptalDugmesi"));
    IptalDugmesi->setGeometry(294, 252, 90, 28);

    // Enter in the month and year lists moves on as Tab: only the grid's Enter and
    // "Tamam" accept the date.
    EnterSekme::kur(AyKutusu);
    EnterSekme::kur(YilKutusu);

    setTabOrder(AyKutusu, YilKutusu);
    setTabOrder(YilKutusu, Altlik);
    setTabOrder(Altlik, BuguneGitDugmesi);
    setTabOrder(BuguneGitDugmesi, TamamDugmesi);
    setTabOrder(TamamDugmesi, IptalDugmesi);

    connect(AyKutusu, &QListWidget::currentRowChanged, this, [this] { kullaniciAyYilDegistirdi(); });
    connect(YilKutusu, &QComboBox::currentIndexChanged, this, [this] { kullaniciAyYilDegistirdi(); });
    connect(BuguneGitDugmesi, &QPushButton::clicked, this, [this] { BuguneGitDugmesi_Click(); });
    connect(TamamDugmesi, &QPushButton::clicked, this, [this] { TamamDugmesi_Click(); });
    connect(IptalDugmesi, &QPushButton::clicked, this, [this] { IptalDugmesi_Click(); });
}

void TakvimFormu::ustteTut(bool ustte)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, ustte);
}

void TakvimFormu::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!m_acildi) {
        m_acildi = true;
        ac();
    }
}

bool TakvimFormu::event(QEvent *e)
{
    const bool sonuc = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        Altlik->setFocus(Qt::ActiveWindowFocusReason);
    return sonuc;
}

void TakvimFormu::ac()
{
    // A start text that is not a date, or whose year the year list cannot show,
    // falls back to today.
    QDate t = Tarihler::tarihCoz(SecilenTarihBilgisi);
    if (!t.isValid() || t.year() < IlkYil || t.year() > SonYil)
        t = Arayuz::saat().bugun();
    if (t.year() < IlkYil || t.year() > SonYil)
        t = QDate(qBound(IlkYil, t.year(), SonYil), t.month(), 1);
    ayYilSec(t.year(), t.month());
    Adim([&] { GunleriDoldur(t.day()); });
    Altlik->setFocus();
}

void TakvimFormu::ayYilSec(int yil, int ay)
{
    // Changes made by the window itself do not count as the user's choice.
    const QSignalBlocker b1(YilKutusu);
    const QSignalBlocker b2(AyKutusu);
    YilKutusu->setCurrentIndex(yil - IlkYil);
    AyKutusu->setCurrentRow(ay - 1);
}

int TakvimFormu::gosterilenAy() const
{
    return AyKutusu->currentRow() + 1;
}

int TakvimFormu::gosterilenYil() const
{
    return YilKutusu->currentText().toInt();
}

void TakvimFormu::kullaniciAyYilDegistirdi()
{
    // The same day number stays selected where the new month has it, else the 1st.
    Adim([&] { GunleriDoldur(Tarihler::tarihCoz(SecilenTarihBilgisi).day()); });
}

void TakvimFormu::GunleriDoldur(int gun)
{
    for (QLabel *h : GunEtiketi)
        h->clear();
    const QDate ilk(gosterilenYil(), gosterilenAy(), 1);
    if (!ilk.isValid())
        throw Hata(HataNo::GecersizDeger, QStringLiteral("Geçersiz ay ya da yıl."));
    const int kayma = ilk.dayOfWeek() - 1; // 0 for Monday ... 6 for Sunday
    const int gunSayisi = ilk.daysInMonth();
    int secilecek = kayma;
    for (int n = 1; n <= HucreSayisi; ++n) {
        const int hucre = n - 1 + kayma;
        const bool var = n <= gunSayisi;
        // Every existing day fits: the 31st with offset 6 is cell 36.
        if (var)
            GunEtiketi[hucre]->setText(QString::number(n));
        if (n == gun && var)
            secilecek = hucre;
    }
    GunEtiketi_Click(secilecek);
}

void TakvimFormu::GunEtiketi_Click(int i)
{
    if (i < 0 || i >= HucreSayisi || GunEtiketi[i]->text().isEmpty())
        return;
    const QDate t(gosterilenYil(), gosterilenAy(), GunEtiketi[i]->text().toInt());
    SecilenTarihBilgisi = Tarihler::kisaTarih(t);
    SecilenTarihEtiketi->setText(SecilenTarihBilgisi);
    SecilenTarihCercevesi->move(GunEtiketi[i]->x(), GunEtiketi[i]->y() - piksel(80));
    SecilenTarihCercevesi->show();
    SecilenTarihCercevesi->raise();
    m_seciliHucre = qint16(i);
    Altlik->setFocus();
}

void TakvimFormu::BuguneGitDugmesi_Click()
{
    const QDate bugun = Arayuz::saat().bugun();
    if (bugun.year() < IlkYil || bugun.year() > SonYil)
        return;
    ayYilSec(bugun.year(), bugun.month());
    Adim([&] { GunleriDoldur(bugun.day()); });
}

void TakvimFormu::TamamDugmesi_Click()
{
    accept();
}

void TakvimFormu::IptalDugmesi_Click()
{
    SecilenTarihBilgisi.clear();
    reject();
}

bool TakvimFormu::altlikTusu(int tus)
{
    const bool secimVar = m_seciliHucre >= 0 && m_seciliHucre < HucreSayisi
        && !GunEtiketi[m_seciliHucre]->text().isEmpty();
    int adim = 0;
    switch (tus) {
    case Qt::Key_Down: adim = 7; break;
    case Qt::Key_Up: adim = -7; break;
    case Qt::Key_Left: adim = -1; break;
    case Qt::Key_Right: adim = 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!secimVar)
            return false;
        TamamDugmesi->click();
        return true;
    default:
        return false;
    }
    // Moves stop at the first and last day: an empty or missing target is ignored.
    if (secimVar) {
        const int hedef = m_seciliHucre + adim;
        if (hedef >= 0 && hedef < HucreSayisi && !GunEtiketi[hedef]->text().isEmpty())
            GunEtiketi_Click(hedef);
    }
    return true;
}

bool TakvimFormu::eventFilter(QObject *nesne, QEvent *olay)
{
    if (nesne == Altlik && olay->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(olay);
        if (k->modifiers() & ~Qt::KeypadModifier)
            return false;
        return altlikTusu(k->key());
    }
    if (olay->type() == QEvent::MouseButtonRelease) {
        auto *m = static_cast<QMouseEvent *>(olay);
        if (m->button() != Qt::LeftButton)
            return false;
        for (int i = 0; i < HucreSayisi; ++i) {
            if (nesne == GunEtiketi[i]) {
                if (GunEtiketi[i]->rect().contains(m->position().toPoint()))
                    GunEtiketi_Click(i);
                return true;
            }
        }
    }
    return QDialog::eventFilter(nesne, olay);
}

void TakvimFormu::keyPressEvent(QKeyEvent *e)
{
    // Esc is the cancel button; the close box, by contrast, keeps the selection.
    if (e->key() == Qt::Key_Escape && !(e->modifiers() & ~Qt::KeypadModifier)) {
        IptalDugmesi->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace Zelvora

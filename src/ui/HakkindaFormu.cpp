#include "ui/HakkindaFormu.h"

#include "core/OrtakYordamlar.h"
#include "core/Platform.h"
#include "core/ProgramBilgisi.h"
#include "ui/BaglantiEtiketi.h"
#include "ui/OrtakDenetimler.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>

namespace Zelvora {

HakkindaFormu::HakkindaFormu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HakkindaFormu"));
    setWindowTitle(QStringLiteral("Hakkında"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    denetimleriKur();
    Adim([&] {
        PencereResmi->setPixmap(Resim(QStringLiteral("HAKKINDA")));
        Etiket[0]->setText(ProgramBilgisi::urunAdi());
        Etiket[1]->setText(QStringLiteral("Sürüm ") + ProgramBilgisi::surum());
        Etiket[2]->setText(ProgramBilgisi::yasalUyari());
    });
    IcerigeSigdir(this);
}

void HakkindaFormu::denetimleriKur()
{
    // The picture fills the left part: 3150 x 4650 twips.
    const int resimG = piksel(3150), resimY = piksel(4650), panelG = 270;
    setFixedSize(resimG + panelG, resimY);
    PencereResmi = new QLabel(this);
    PencereResmi->setObjectName(QStringLiteral("PencereResmi"));
    PencereResmi->setGeometry(0, 0, resimG, resimY);
    PencereResmi->setScaledContents(true);
    PencereResmi->setAccessibleName(QStringLiteral("Zelvora"));

    Altlik = new QWidget(this);
    Altlik->setObjectName(QStringLiteral("Altlik"));
    Altlik->setGeometry(resimG, 0, panelG, resimY);
    QPalette beyaz = Altlik->palette();
    beyaz.setColor(QPalette::Window, Qt::white);
    beyaz.setColor(QPalette::WindowText, QColor(0, 0, 0));
    Altlik->setPalette(beyaz);
    Altlik->setAutoFillBackground(true);

    const int sol = 18, genislik = panelG - 2 * sol;
    auto etiket = [&](int i, const QString &metin, int x, int y, int g, int h) {
        auto *l = new QLabel(metin, Altlik);
        l->setObjectName(QStringLiteral("Etiket") + QString::number(i));
        l->setGeometry(x, y, g, h);
        Etiket[i] = l;
        return l;
    };
    QLabel *baslik = etiket(0, QString(), sol, 18, genislik, 30);
    QFont f = baslik->font();
    f.setPointSizeF(f.pointSizeF() * 1.8);
    f.setBold(true);
    baslik->setFont(f);
    etiket(1, QString(), sol, 52, genislik, 20);
    QLabel *yasal = etiket(2, QString(), sol, 76, genislik, 40);
    yasal->setWordWrap(true);
    yasal->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Kenarlik[0] = new QFrame(Altlik);
    Kenarlik[0]->setGeometry(sol, 124, genislik, 2);
    Kenarlik[1] = new QFrame(Altlik);
    Kenarlik[1]->setGeometry(sol, 200, genislik, 2);
    for (int i = 0; i < 2; ++i) {
        Kenarlik[i]->setObjectName(QStringLiteral("Kenarlik") + QString::number(i));
        Kenarlik[i]->setFrameShape(QFrame::HLine);
        Kenarlik[i]->setFrameShadow(QFrame::Sunken);
    }

    SimgeKutusu = new QLabel(Altlik);
    SimgeKutusu->setObjectName(QStringLiteral("SimgeKutusu"));
    SimgeKutusu->setGeometry(sol, 140, 40, 40);
    SimgeKutusu->setPixmap(SimgeResmi(QStringLiteral("ZELVORA")).scaled(40, 20, Qt::KeepAspectRatio,
                                                                         Qt::SmoothTransformation));
    SimgeKutusu->setAlignment(Qt::AlignCenter);
    SimgeKutusu->setAccessibleName(QStringLiteral("Tavrek"));

    QLabel *yapimci = etiket(3, QStringLiteral("Tavrek"), sol + 50, 138, genislik - 50, 20);
    QFont k = yapimci->font();
    k.setBold(true);
    yapimci->setFont(k);
    QString adres = ProgramBilgisi::webSitesi();
    adres.remove(QStringLiteral("https://"));
    adres.remove(QStringLiteral("http://"));
    TAVREKEtiketi = new BaglantiEtiketi(adres, QUrl(ProgramBilgisi::webSitesi()), QColor(0, 0, 255), Altlik);
    TAVREKEtiketi->setObjectName(QStringLiteral("TAVREKEtiketi"));
    TAVREKEtiketi->setGeometry(sol + 50, 160, genislik - 50, 20);

    const int adSutunu = 100;
    etiket(4, QStringLiteral("Kullanıcı Adı"), sol, 216, adSutunu - 8, 20);
    etiket(5, QStringLiteral(":"), sol + adSutunu - 8, 216, 8, 20);
    KullaniciAdiEtiketi = new QLabel(Altlik);
    KullaniciAdiEtiketi->setObjectName(QStringLiteral("KullaniciAdiEtiketi"));
    KullaniciAdiEtiketi->setGeometry(sol + adSutunu + 2, 216, genislik - adSutunu - 2, 20);
    etiket(6, QStringLiteral("Kuruluş Adı"), sol, 240, adSutunu - 8, 20);
    etiket(7, QStringLiteral(":"), sol + adSutunu - 8, 240, 8, 20);
    KurulusAdiEtiketi = new QLabel(Altlik);
    KurulusAdiEtiketi->setObjectName(QStringLiteral("KurulusAdiEtiketi"));
    KurulusAdiEtiketi->setGeometry(sol + adSutunu + 2, 240, genislik - adSutunu - 2, 20);
}

bool HakkindaFormu::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        etkinlesti();
    return QDialog::event(e);
}

void HakkindaFormu::etkinlesti()
{
    // Read anew at each activation; what cannot be read leaves the label empty.
    QString kullanici, kurulus;
    SessizAdim([&] { kullanici = Platform::kayitliKullaniciAdi(); });
    SessizAdim([&] { kurulus = Platform::kayitliKurulusAdi(); });
    KullaniciAdiEtiketi->setText(kullanici);
    KurulusAdiEtiketi->setText(kurulus);
    // Screen readers read each value with its caption; a name alone would hide the value.
    KullaniciAdiEtiketi->setAccessibleName(QStringLiteral("Kullanıcı Adı: ") + kullanici);
    KurulusAdiEtiketi->setAccessibleName(QStringLiteral("Kuruluş Adı: ") + kurulus);
}

} // namespace Zelvora

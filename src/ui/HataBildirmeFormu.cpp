#include "ui/HataBildirmeFormu.h"

#include "core/OrtakYordamlar.h"
#include "core/ProgramBilgisi.h"
#include "ui/BaglantiEtiketi.h"
#include "ui/OrtakDenetimler.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace Zelvora {

HataBildirmeFormu::HataBildirmeFormu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HataBildirmeFormu"));
    setWindowTitle(QStringLiteral("Hata Bildirme"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    denetimleriKur();
    Adim([&] {
        Altlik->setBackgroundRole(QPalette::Window);
        Altlik->setAutoFillBackground(true);
    });
    Adim([&] { SimgeKutusu->setPixmap(SimgeResmi(QStringLiteral("HATA_BILDIRME"))); });
    IcerigeSigdir(this);
}

void HataBildirmeFormu::denetimleriKur()
{
    setFixedSize(380, 200);
    Altlik = new QWidget(this);
    Altlik->setObjectName(QStringLiteral("Altlik"));
    Altlik->setGeometry(rect());
    // Holds the focus while the window is active, so no link or button looks chosen.
    Altlik->setFocusPolicy(Qt::ClickFocus);
    Altlik->setAccessibleName(QStringLiteral("Hata Bildirme"));

    Cerceve = new QFrame(Altlik);
    Cerceve->setObjectName(QStringLiteral("Cerceve"));
    Cerceve->setFrameShape(QFrame::StyledPanel);
    Cerceve->setFrameShadow(QFrame::Sunken);
    Cerceve->setGeometry(8, 8, 364, 146);

    SimgeKutusu = new QLabel(Altlik);
    SimgeKutusu->setObjectName(QStringLiteral("SimgeKutusu"));
    SimgeKutusu->setGeometry(22, 22, 32, 32);
    SimgeKutusu->setAccessibleName(QStringLiteral("Hata Bildirme"));

    Etiket[0] = new QLabel(QStringLiteral("Hataları Bildirin!"), Altlik);
    QFont kalin = Etiket[0]->font();
    kalin.setBold(true);
    Etiket[0]->setFont(kalin);
    Etiket[0]->setGeometry(68, 22, 290, 20);
    Etiket[1] = new QLabel(QStringLiteral("Lütfen, programda gördüğünüz hataları aşağıdaki yollardan biri ile bize "
                                          "iletiniz.\nİlginiz için şimdiden teşekkürler..."),
                           Altlik);
    Etiket[1]->setWordWrap(true);
    Etiket[1]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Etiket[1]->setGeometry(68, 46, 292, 66);
    for (int i = 0; i < 2; ++i)
        Etiket[i]->setObjectName(QStringLiteral("Etiket") + QString::number(i));

    const QColor koyuMavi(0, 0, 128);
    WebEtiketi = new BaglantiEtiketi(QStringLiteral("Mesaj Gönder"), ProgramBilgisi::mesajSayfasi(), koyuMavi, Altlik);
    WebEtiketi->setObjectName(QStringLiteral("WebEtiketi"));
    WebEtiketi->setGeometry(68, 120, 110, 22);
    EPostaEtiketi = new BaglantiEtiketi(QStringLiteral("E-Posta Gönder"), ProgramBilgisi::ePostaBaglantisi(), koyuMavi,
                                        Altlik);
    EPostaEtiketi->setObjectName(QStringLiteral("EPostaEtiketi"));
    EPostaEtiketi->setToolTip(ProgramBilgisi::destekEPostasi());
    EPostaEtiketi->setGeometry(196, 120, 120, 22);

    TamamButonu = new QPushButton(QStringLiteral("Tamam"), Altlik);
    TamamButonu->setObjectName(QStringLiteral("TamamButonu"));
    TamamButonu->setAutoDefault(false);
    TamamButonu->setGeometry(282, 164, 90, 26);
    connect(TamamButonu, &QPushButton::clicked, this, [this] { reject(); });

    setTabOrder(WebEtiketi, EPostaEtiketi);
    setTabOrder(EPostaEtiketi, TamamButonu);
}

bool HataBildirmeFormu::event(QEvent *e)
{
    const bool sonuc = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        Altlik->setFocus(Qt::ActiveWindowFocusReason);
    return sonuc;
}

} // namespace Zelvora

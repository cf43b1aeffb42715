#include "tools/TakvimParolasiFormu.h"

#include "ui/OrtakDenetimler.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Zelvora {

TakvimParolasiFormu::TakvimParolasiFormu(const QString &adres, const QString &kullanici, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TakvimParolasiFormu"));
    setWindowTitle(QStringLiteral("Takvim Parolası"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *duzen = new QVBoxLayout(this);
    duzen->setSizeConstraint(QLayout::SetFixedSize);

    Etiket[0] = new QLabel(QStringLiteral("Takvim: %1\nKullanıcı adı: %2").arg(adres, kullanici), this);
    Etiket[0]->setObjectName(QStringLiteral("Etiket0"));
    Etiket[0]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    duzen->addWidget(Etiket[0]);
    Etiket[1] = new QLabel(QStringLiteral("&Parola :"), this);
    Etiket[1]->setObjectName(QStringLiteral("Etiket1"));
    ParolaKutusu = new QLineEdit(this);
    ParolaKutusu->setObjectName(QStringLiteral("ParolaKutusu"));
    ParolaKutusu->setEchoMode(QLineEdit::Password);
    ParolaKutusu->setMinimumWidth(piksel(3600));
    Etiket[1]->setBuddy(ParolaKutusu);
    AdiEtikettenAl(ParolaKutusu, Etiket[1]);
    auto *satir = new QHBoxLayout;
    satir->addWidget(Etiket[1]);
    satir->addWidget(ParolaKutusu, 1);
    duzen->addLayout(satir);
    AnahtarliktaSaklansinOnayi = new QCheckBox(QStringLiteral("Parola masaüstünün &anahtarlığında saklansın "), this);
    AnahtarliktaSaklansinOnayi->setObjectName(QStringLiteral("AnahtarliktaSaklansinOnayi"));
    AnahtarliktaSaklansinOnayi->setChecked(true);
    duzen->addWidget(AnahtarliktaSaklansinOnayi);

    TamamDugmesi = new QPushButton(QStringLiteral("Tamam"), this);
    TamamDugmesi->setObjectName(QStringLiteral("TamamDugmesi"));
    TamamDugmesi->setDefault(true);
    IptalDugmesi = new QPushButton(QStringLiteral("İptal"), this);
    IptalDugmesi->setObjectName(QStringLiteral("IptalDugmesi"));
    IptalDugmesi->setAutoDefault(false);
    satir = new QHBoxLayout;
    satir->addStretch(1);
    satir->addWidget(TamamDugmesi);
    satir->addWidget(IptalDugmesi);
    duzen->addLayout(satir);

    connect(TamamDugmesi, &QPushButton::clicked, this, &QDialog::accept);
    connect(IptalDugmesi, &QPushButton::clicked, this, &QDialog::reject);
}

QString TakvimParolasiFormu::parola() const
{
    return ParolaKutusu->text();
}

bool TakvimParolasiFormu::saklansin() const
{
    return AnahtarliktaSaklansinOnayi->isChecked();
}

} // namespace Zelvora

#include "tools/TakvimGunluguFormu.h"

#include "core/TakvimYayini.h"
#include "ui/OrtakDenetimler.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace Zelvora {

TakvimGunluguFormu::TakvimGunluguFormu(TakvimYayini *yayin, QWidget *parent) : QDialog(parent), m_yayin(yayin)
{
    setObjectName(QStringLiteral("TakvimGunluguFormu"));
    setWindowTitle(QStringLiteral("Takvim Günlüğü"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *duzen = new QVBoxLayout(this);

    DurumEtiketi = new QLabel(this);
    DurumEtiketi->setObjectName(QStringLiteral("DurumEtiketi"));
    DurumEtiketi->setWordWrap(true);
    DurumEtiketi->setTextInteractionFlags(Qt::TextSelectableByMouse);
    duzen->addWidget(DurumEtiketi);

    Etiket = new QLabel(QStringLiteral("&Günlük:"), this);
    Etiket->setObjectName(QStringLiteral("Etiket"));
    GunlukKutusu = new QPlainTextEdit(this);
    GunlukKutusu->setObjectName(QStringLiteral("GunlukKutusu"));
    GunlukKutusu->setReadOnly(true);
    GunlukKutusu->setLineWrapMode(QPlainTextEdit::NoWrap);
    GunlukKutusu->setMinimumSize(piksel(9000), piksel(4000));
    Etiket->setBuddy(GunlukKutusu);
    AdiEtikettenAl(GunlukKutusu, Etiket);
    duzen->addWidget(Etiket);
    duzen->addWidget(GunlukKutusu, 1);

    auto *not_ = new QLabel(QStringLiteral("Zelvora takvimin kaynağıdır: telefonda yapılan değişiklikler Zelvora'ya geri "
                                           "gelmez, bir sonraki eşitlemede Zelvora'daki hâli geri yazılır."),
                            this);
    not_->setObjectName(QStringLiteral("NotEtiketi"));
    not_->setWordWrap(true);
    duzen->addWidget(not_);

    SimdiEsitleDugmesi = new QPushButton(QStringLiteral("Şimdi &Eşitle"), this);
    SimdiEsitleDugmesi->setObjectName(QStringLiteral("SimdiEsitleDugmesi"));
    SimdiEsitleDugmesi->setAutoDefault(false);
    KapatDugmesi = new QPushButton(QStringLiteral("Kapat"), this);
    KapatDugmesi->setObjectName(QStringLiteral("KapatDugmesi"));
    KapatDugmesi->setAutoDefault(false);
    auto *satir = new QHBoxLayout;
    satir->addWidget(SimdiEsitleDugmesi);
    satir->addStretch(1);
    satir->addWidget(KapatDugmesi);
    duzen->addLayout(satir);

    GunlukKutusu->setPlainText(m_yayin->gunlukSatirlari().join(QLatin1Char('\n')));
    GunlukKutusu->verticalScrollBar()->setValue(GunlukKutusu->verticalScrollBar()->maximum());
    durumuGoster();
    connect(m_yayin, &TakvimYayini::gunlukEklendi, this, [this](const QString &satir) { GunlukKutusu->appendPlainText(satir); });
    connect(m_yayin, &TakvimYayini::durumDegisti, this, &TakvimGunluguFormu::durumuGoster);
    connect(SimdiEsitleDugmesi, &QPushButton::clicked, this, &TakvimGunluguFormu::SimdiEsitleDugmesi_Click);
    connect(KapatDugmesi, &QPushButton::clicked, this, &QDialog::reject);
}

void TakvimGunluguFormu::durumuGoster()
{
    QString metin = m_yayin->acik() ? m_yayin->durumMetni()
                                    : QStringLiteral("Takvim yayını kapalı: Tercihler'de bir takvim adresi girilmemiş.");
    if (!m_yayin->sorun().isEmpty())
        metin += QStringLiteral("\n") + m_yayin->sorun();
    DurumEtiketi->setText(metin);
    DurumEtiketi->setAccessibleName(metin);
    SimdiEsitleDugmesi->setEnabled(m_yayin->acik());
}

void TakvimGunluguFormu::SimdiEsitleDugmesi_Click()
{
    m_yayin->simdiEsitle();
}

} // namespace Zelvora

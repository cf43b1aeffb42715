#include "jobs/IsGecmisiFormu.h"

#include "core/DegisiklikGunlugu.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Zelvora {

IsGecmisiFormu::IsGecmisiFormu(qint64 isNo, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("IsGecmisiFormu"));
    setWindowTitle(QStringLiteral("İşin Geçmişi"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    GecmisListesi = new QTreeWidget(this);
    GecmisListesi->setObjectName(QStringLiteral("GecmisListesi"));
    GecmisListesi->setAccessibleName(QStringLiteral("İşin Geçmişi"));
    GecmisListesi->setRootIsDecorated(false);
    GecmisListesi->setHeaderLabels({QStringLiteral("Zaman"), QStringLiteral("Kullanıcı"), QStringLiteral("Adres"),
                                    QStringLiteral("İşlem"), QStringLiteral("Değişiklik")});
    KapatDugmesi = new QPushButton(QStringLiteral("Kapat (Esc)"), this);
    KapatDugmesi->setObjectName(QStringLiteral("KapatDugmesi"));
    connect(KapatDugmesi, &QPushButton::clicked, this, &QDialog::reject);

    auto *duzen = new QVBoxLayout(this);
    duzen->addWidget(GecmisListesi);
    auto *satir = new QHBoxLayout;
    satir->addStretch(1);
    satir->addWidget(KapatDugmesi);
    duzen->addLayout(satir);

    Adim([&] {
        for (const Veritabani::GecmisKaydi &k : Veritabani::acik().isGecmisi(isNo)) {
            auto *x = new QTreeWidgetItem(GecmisListesi, {k.zaman, k.kullanici, k.adres,
                                                          DegisiklikGunlugu::islemAdi(k.islem),
                                                          DegisiklikGunlugu::aciklama(k)});
            x->setToolTip(4, x->text(4));
        }
    });
    for (int i = 0; i < 4; ++i)
        GecmisListesi->resizeColumnToContents(i);
    resize(760, 320);
}

} // namespace Zelvora

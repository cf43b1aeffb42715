#include "ui/SunucuIzleme.h"

#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <QLabel>
#include <QTimer>

namespace Zelvora {

SunucuIzleme::SunucuIzleme(QWidget *durumUstu, QObject *parent)
    : QObject(parent), m_etiket(new QLabel(durumUstu)), m_zamanlayici(new QTimer(this))
{
    m_etiket->setObjectName(QStringLiteral("SunucuDurumu"));
    m_etiket->setAccessibleName(QStringLiteral("Sunucu durumu"));
    m_etiket->hide();
    m_zamanlayici->setObjectName(QStringLiteral("SunucuIzlemeZamanlayicisi"));
    m_zamanlayici->setInterval(BagliykenAralikMs);
    connect(m_zamanlayici, &QTimer::timeout, this, &SunucuIzleme::denetle);
    m_zamanlayici->start();
}

void SunucuIzleme::denetle()
{
    if (!Veritabani::acikMi())
        return;
    Veritabani &vt = Veritabani::acik();
    bool geri = false;
    SessizAdim([&] { geri = vt.baglantiyiSurdur(); });
    const bool bagli = vt.baglantiVar();
    if (bagli != m_bagliydi || !bagli)
        durumuYaz(bagli);
    m_bagliydi = bagli;
    m_zamanlayici->setInterval(bagli ? BagliykenAralikMs : KopukkenAralikMs);
    if (geri)
        Q_EMIT geriGeldi();
}

void SunucuIzleme::durumuYaz(bool bagli)
{
    if (bagli) {
        m_etiket->clear();
        m_etiket->setToolTip(QString());
        m_etiket->hide();
        return;
    }
    const QString metin = QStringLiteral("Sunucuya ulaşılamıyor; yeniden bağlanmaya çalışılıyor…");
    const QString neden = Veritabani::acik().baglantiSorunu();
    if (m_etiket->text() != metin) {
        m_etiket->setText(metin);
        m_etiket->setAccessibleName(metin);
    }
    m_etiket->setToolTip(neden);
    m_etiket->setAccessibleDescription(neden);
    m_etiket->show();
}

} // namespace Zelvora

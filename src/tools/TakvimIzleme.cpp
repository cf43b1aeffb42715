#include "tools/TakvimIzleme.h"

#include "core/TakvimYayini.h"
#include "tools/TakvimGunluguFormu.h"
#include "tools/TakvimParolasiFormu.h"

#include <QToolButton>

namespace Zelvora {

TakvimIzleme::TakvimIzleme(QWidget *ana, QObject *parent)
    : QObject(parent), m_ana(ana), m_yayin(new TakvimYayini(this)), m_dugme(new QToolButton(ana))
{
    m_dugme->setObjectName(QStringLiteral("TakvimDurumu"));
    m_dugme->setAutoRaise(true);
    m_dugme->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_dugme->hide();
    connect(m_dugme, &QToolButton::clicked, this, &TakvimIzleme::gunluguAc);
    connect(m_yayin, &TakvimYayini::durumDegisti, this, &TakvimIzleme::durumuGoster);
    connect(m_yayin, &TakvimYayini::parolaGerekli, this, &TakvimIzleme::parolaSor);
    m_yayin->ayarlariYenidenOku();
}

TakvimIzleme::~TakvimIzleme()
{
    delete m_gunluk;
}

void TakvimIzleme::ayarlarDegisti()
{
    m_yayin->ayarlariYenidenOku();
    durumuGoster();
}

void TakvimIzleme::baskaMasaDegistirdi()
{
    m_yayin->degisti();
}

void TakvimIzleme::durumuGoster()
{
    const QString metin = m_yayin->durumMetni();
    m_dugme->setVisible(m_yayin->acik() && !metin.isEmpty());
    m_dugme->setText(metin);
    m_dugme->setAccessibleName(metin);
    const QString ipucu = m_yayin->sorun().isEmpty() ? QStringLiteral("Takvim günlüğünü aç")
                                                     : m_yayin->sorun() + QStringLiteral("\nTakvim günlüğünü aç");
    m_dugme->setToolTip(ipucu);
    m_dugme->setAccessibleDescription(ipucu);
}

TakvimGunluguFormu *TakvimIzleme::gunlukFormu() const
{
    return m_gunluk;
}

void TakvimIzleme::gunluguAc()
{
    if (!m_gunluk) {
        m_gunluk = new TakvimGunluguFormu(m_yayin, m_ana);
        m_gunluk->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_gunluk->show();
    m_gunluk->raise();
    m_gunluk->activateWindow();
}

void TakvimIzleme::parolaSor(const QString &adres, const QString &kullanici)
{
    // Window-modal and without a nested loop: the desk goes on meanwhile.
    auto *f = new TakvimParolasiFormu(adres, kullanici, m_ana);
    f->setAttribute(Qt::WA_DeleteOnClose);
    connect(f, &QDialog::finished, this, [this, f](int sonuc) {
        if (sonuc == QDialog::Accepted && !f->parola().isEmpty())
            m_yayin->parolaVer(f->parola(), f->saklansin());
        else
            m_yayin->parolaVerilmedi();
    });
    f->open();
}

} // namespace Zelvora

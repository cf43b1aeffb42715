#include "tools/GirisSifresiBelirleDegistirFormu.h"

#include "core/Arayuzler.h"
#include "core/GirisMetni.h"
#include "core/GirisSifresi.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "tools/SifreKutusu.h"
#include "ui/OrtakDenetimler.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace Zelvora {

GirisSifresiBelirleDegistirFormu::GirisSifresiBelirleDegistirFormu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GirisSifresiBelirleDegistirFormu"));
    setWindowTitle(QStringLiteral("Giriş Şifresi Belirle"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFixedSize(piksel(4800), piksel(1995));

    const int etiketSol = piksel(240), kutuSol = piksel(1560), kutuGenisligi = piksel(3000);
    Etiket[0] = new QLabel(QStringLiteral("Şifre :"), this);
    Etiket[0]->setObjectName(QStringLiteral("Etiket0"));
    Etiket[0]->setGeometry(etiketSol, piksel(270), kutuSol - etiketSol, piksel(300));
    SifreKutusu = new QLineEdit(this);
    SifreKutusu->setObjectName(QStringLiteral("SifreKutusu"));
    SifreKutusu->setGeometry(kutuSol, piksel(240), kutuGenisligi, piksel(330));
    Etiket[1] = new QLabel(QStringLiteral("Doğrula :"), this);
    Etiket[1]->setObjectName(QStringLiteral("Etiket1"));
    Etiket[1]->setGeometry(etiketSol, piksel(750), kutuSol - etiketSol, piksel(300));
    SifreDogrulaKutusu = new QLineEdit(this);
    SifreDogrulaKutusu->setObjectName(QStringLiteral("SifreDogrulaKutusu"));
    SifreDogrulaKutusu->setGeometry(kutuSol, piksel(720), kutuGenisligi, piksel(330));
    for (int i = 0; i < 2; ++i) {
        QLineEdit *kutu = i == 0 ? SifreKutusu : SifreDogrulaKutusu;
        SifreKutusuHazirla(kutu);
        Etiket[i]->setBuddy(kutu);
        EtiketVurgulayici::bagla(Etiket[i], kutu);
    }

    TamamDugmesi = new QPushButton(QStringLiteral("Tamam"), this);
    TamamDugmesi->setObjectName(QStringLiteral("TamamDugmesi"));
    TamamDugmesi->setGeometry(kutuSol, piksel(1320), piksel(1440), piksel(390));
    TamamDugmesi->setDefault(true);
    IptalDugmesi = new QPushButton(QStringLiteral("İptal"), this);
    IptalDugmesi->setObjectName(QStringLiteral("IptalDugmesi"));
    IptalDugmesi->setGeometry(kutuSol + piksel(1560), piksel(1320), piksel(1440), piksel(390));
    IptalDugmesi->setAutoDefault(false);

    setTabOrder(SifreKutusu, SifreDogrulaKutusu);
    setTabOrder(SifreDogrulaKutusu, TamamDugmesi);
    setTabOrder(TamamDugmesi, IptalDugmesi);
    SifreKutusu->setFocus();

    connect(TamamDugmesi, &QPushButton::clicked, this, [this] { TamamDugmesi_Click(); });
    connect(IptalDugmesi, &QPushButton::clicked, this, [this] { IptalDugmesi_Click(); });
    etkinlesti();
}

void GirisSifresiBelirleDegistirFormu::etkinlesti()
{
    if (OrtakDegiskenler::GirisSifresiSorulsun) {
        Etiket[0]->setText(QStringLiteral("Yeni Şifre :"));
        IptalDugmesi->setText(QStringLiteral("Şifreyi Kaldır"));
        setWindowTitle(QStringLiteral("Giriş Şifresi Değiştir"));
    } else {
        Etiket[0]->setText(QStringLiteral("Şifre :"));
        IptalDugmesi->setText(QStringLiteral("İptal"));
        setWindowTitle(QStringLiteral("Giriş Şifresi Belirle"));
    }
}

bool GirisSifresiBelirleDegistirFormu::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        etkinlesti();
    return QDialog::event(e);
}

void GirisSifresiBelirleDegistirFormu::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        etkinlesti();
}

void GirisSifresiBelirleDegistirFormu::keyPressEvent(QKeyEvent *e)
{
    // Esc is the "İptal" / "Şifreyi Kaldır" button; the close box only closes.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        IptalDugmesi_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void GirisSifresiBelirleDegistirFormu::odakla(QLineEdit *kutu)
{
    kutu->setFocus();
    MetniSec(kutu);
}

void GirisSifresiBelirleDegistirFormu::TamamDugmesi_Click()
{
    const QString sifre = SifreKutusu->text();
    if (sifre.isEmpty()) {
        mesaj(QStringLiteral("Lütfen, en az 4 rakamdan oluşan bir şifre giriniz!"));
        odakla(SifreKutusu);
        return;
    }
    if (sifre.size() < GirisSifresi::EnKisa) {
        mesaj(QStringLiteral("Şifre en az 4 rakam olmalıdır!"));
        odakla(SifreKutusu);
        return;
    }
    if (SifreDogrulaKutusu->text().isEmpty()) {
        mesaj(QStringLiteral("Belirlediğiniz şifreyi doğrulamak için lütfen, yeniden yazınız!"));
        odakla(SifreDogrulaKutusu);
        return;
    }
    if (SifreDogrulaKutusu->text() != sifre) {
        mesaj(QStringLiteral("Doğrulamak için girdiğiniz değer, şifreden farklı! Lütfen, kontrol ediniz."));
        odakla(SifreDogrulaKutusu);
        return;
    }
    // A password that could not be stored keeps the window open: closing would tell
    // the user it was set.
    bool saklandi = false;
    {
        const GirdilerYerindeKalir girdiler;
        saklandi = Adim([&] { GirisSifresi::belirle(sifre); });
    }
    if (saklandi)
        accept();
}

void GirisSifresiBelirleDegistirFormu::IptalDugmesi_Click()
{
    // Whatever could not be stored below keeps the window open, as its message says.
    const GirdilerYerindeKalir girdiler;
    if (OrtakDegiskenler::GirisSifresiSorulsun) {
        // A removal that could not be stored keeps the window open, the password in force.
        if (soru(QStringLiteral("GİRİŞ ŞİFRESİ'ni kaldırmak istiyor musunuz?"), MesajCevabi::Hayir)
            && !Adim([] { GirisSifresi::kaldir(); }))
            return;
        reject();
        return;
    }
    if (!soru(QStringLiteral("GİRİŞ ŞİFRESİ belirlemek istemiyor musunuz?"), MesajCevabi::Evet))
        return; // stays open for input
    if (!Adim([] { GirisSifresi::kaldir(); }))
        return;
    reject();
}

} // namespace Zelvora

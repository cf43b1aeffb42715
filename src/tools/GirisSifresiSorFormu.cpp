#include "tools/GirisSifresiSorFormu.h"

#include "core/Arayuzler.h"
#include "core/GirisSifresi.h"
#include "core/OrtakYordamlar.h"
#include "tools/SifreKutusu.h"
#include "ui/AnaPencere.h"
#include "ui/OrtakDenetimler.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace Zelvora {
namespace {
QPointer<GirisSifresiSorFormu> g_acikSoru;
constexpr int HakSayisi = 3;
} // namespace

GirisSifresiSorFormu::GirisSifresiSorFormu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GirisSifresiSorFormu"));
    setWindowTitle(QStringLiteral("Giriş Şifresi"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFixedSize(piksel(4260), piksel(1500));

    Etiket = new QLabel(QStringLiteral("Şifre :"), this);
    Etiket->setObjectName(QStringLiteral("Etiket"));
    Etiket->setGeometry(piksel(240), piksel(270), piksel(900), piksel(300));
    SifreKutusu = new QLineEdit(this);
    SifreKutusu->setObjectName(QStringLiteral("SifreKutusu"));
    SifreKutusu->setGeometry(piksel(1140), piksel(240), piksel(2880), piksel(330));
    SifreKutusuHazirla(SifreKutusu);
    Etiket->setBuddy(SifreKutusu);

    TamamDugmesi = new QPushButton(QStringLiteral("Tamam"), this);
    TamamDugmesi->setObjectName(QStringLiteral("TamamDugmesi"));
    TamamDugmesi->setGeometry(piksel(1140), piksel(840), piksel(1380), piksel(390));
    TamamDugmesi->setDefault(true);
    IptalDugmesi = new QPushButton(QStringLiteral("İptal"), this);
    IptalDugmesi->setObjectName(QStringLiteral("IptalDugmesi"));
    IptalDugmesi->setGeometry(piksel(2640), piksel(840), piksel(1380), piksel(390));
    IptalDugmesi->setAutoDefault(false);

    setTabOrder(SifreKutusu, TamamDugmesi);
    setTabOrder(TamamDugmesi, IptalDugmesi);
    SifreKutusu->setFocus();

    connect(TamamDugmesi, &QPushButton::clicked, this, [this] { TamamDugmesi_Click(); });
    connect(IptalDugmesi, &QPushButton::clicked, this, [this] { IptalDugmesi_Click(); });
    g_acikSoru = this;
}

bool GirisSifresiSorFormu::sor(QWidget *sahip)
{
    GirisSifresiSorFormu f(sahip);
    f.show();
    f.raise();
    f.activateWindow();
    return f.exec() == QDialog::Accepted;
}

bool GirisSifresiSorFormu::acik()
{
    return g_acikSoru && g_acikSoru->isVisible();
}

bool GirisSifresiSorFormu::oneGetir()
{
    if (!acik())
        return false;
    g_acikSoru->raise();
    g_acikSoru->activateWindow();
    return true;
}

void GirisSifresiSorFormu::odakla()
{
    SifreKutusu->setFocus();
    MetniSec(SifreKutusu);
}

void GirisSifresiSorFormu::TamamDugmesi_Click()
{
    const QString girilen = SifreKutusu->text();
    if (girilen.isEmpty()) {
        mesaj(QStringLiteral("Lütfen, en az 4 rakamdan oluşan bir şifre giriniz!"));
        odakla();
        return;
    }
    if (girilen.size() < GirisSifresi::EnKisa) {
        mesaj(QStringLiteral("Şifre en az 4 rakam olmalıdır!"));
        odakla();
        return;
    }
    bool dogru = false;
    Adim([&] { dogru = GirisSifresi::denetle(girilen); });
    if (dogru) {
        accept();
        return;
    }
    ++m_yanlisSayisi;
    if (m_yanlisSayisi < HakSayisi) {
        mesaj(QStringLiteral("Şifre yanlış!"));
        SifreKutusu->clear();
        odakla();
        return;
    }
    mesaj(QStringLiteral("3 kez yanlış şifre girildiği için program kapatılacak!"), MesajSimgesi::Uyari);
    IptalDugmesi_Click();
}

void GirisSifresiSorFormu::IptalDugmesi_Click()
{
    if (m_bitiyor)
        return;
    m_bitiyor = true;
    hide(); // ends the prompt's modal loop as a refusal
    // Unloading the main window ends the program (its closing saves its layout).
    if (AnaPencere *ana = AnaPencere::etkin())
        ana->Cikis();
    Arayuz::programSonu().bitir(0);
}

void GirisSifresiSorFormu::reject()
{
    IptalDugmesi_Click();
    QDialog::reject();
}

} // namespace Zelvora

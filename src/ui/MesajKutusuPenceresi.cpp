#include "ui/MesajKutusuPenceresi.h"

#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "ui/DosyaSecimPenceresi.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Zelvora {

MesajCevabi MesajKutusuPenceresi::goster(const QString &metin, MesajSimgesi simge, MesajDugmeleri dugmeler,
                                         MesajCevabi varsayilan, const QString &baslik)
{
    QWidget *sahip = QApplication::activeModalWidget();
    if (!sahip)
        sahip = QApplication::activeWindow();
    // A minimised owner would drag the box off-screen: show it where the system puts it.
    if (sahip && (sahip->isMinimized() || !sahip->isVisible()))
        sahip = nullptr;
    QMessageBox kutu(sahip);
    QString baslikMetni = baslik;
    if (baslikMetni.isEmpty())
        baslikMetni = KaynakMetni(10);
    kutu.setWindowTitle(baslikMetni);
    QString gosterilen = metin;
    gosterilen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    kutu.setText(gosterilen);
    switch (simge) {
    case MesajSimgesi::Bilgi: kutu.setIcon(QMessageBox::Information); break;
    case MesajSimgesi::Soru: kutu.setIcon(QMessageBox::Question); break;
    case MesajSimgesi::Uyari: kutu.setIcon(QMessageBox::Warning); break;
    case MesajSimgesi::Kritik: kutu.setIcon(QMessageBox::Critical); break;
    case MesajSimgesi::Yok: break;
    }
    if (dugmeler == MesajDugmeleri::Tamam) {
        QPushButton *tamam = kutu.addButton(QStringLiteral("Tamam"), QMessageBox::AcceptRole);
        kutu.setDefaultButton(tamam);
        kutu.setEscapeButton(tamam);
        kutu.exec();
        return MesajCevabi::Tamam;
    }
    if (dugmeler == MesajDugmeleri::EvetHayirZorunlu) {
        // No escape button: Esc and the close box leave the question up. QMessageBox
        // would take a No-role button for Esc, so "Hayır" carries the action role.
        QPushButton *evet = kutu.addButton(QStringLiteral("&Evet"), QMessageBox::YesRole);
        QPushButton *hayir = kutu.addButton(QStringLiteral("&Hayır"), QMessageBox::ActionRole);
        kutu.setDefaultButton(varsayilan == MesajCevabi::Hayir ? hayir : evet);
        kutu.setWindowFlag(Qt::WindowCloseButtonHint, false);
        while (kutu.clickedButton() != evet && kutu.clickedButton() != hayir)
            kutu.exec();
        return kutu.clickedButton() == evet ? MesajCevabi::Evet : MesajCevabi::Hayir;
    }
    QPushButton *evet = kutu.addButton(QStringLiteral("&Evet"), QMessageBox::YesRole);
    QPushButton *hayir = kutu.addButton(QStringLiteral("&Hayır"), QMessageBox::NoRole);
    kutu.setDefaultButton(varsayilan == MesajCevabi::Hayir ? hayir : evet);
    kutu.setEscapeButton(hayir);
    kutu.exec();
    return kutu.clickedButton() == evet ? MesajCevabi::Evet : MesajCevabi::Hayir;
}

void GercekArayuzleriKur()
{
    Arayuz::mesajKutusuKur(std::make_shared<MesajKutusuPenceresi>());
    Arayuz::dosyaSecimiKur(std::make_shared<DosyaSecimPenceresi>());
}

} // namespace Zelvora

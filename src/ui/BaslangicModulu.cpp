#include "ui/BaslangicModulu.h"

#include "core/Arayuzler.h"
#include "core/Ayarlar.h"
#include "core/Baslangic.h"
#include "core/OrtakDegiskenler.h"
#include "tools/GirisSifresiSorFormu.h"
#include "ui/AnaForm.h"
#include "ui/KarsilamaFormu.h"

#include <QApplication>
#include <QPointer>

namespace Zelvora::BaslangicModulu {

AnaForm *Main(const QStringList &argumanlar)
{
    const bool komutSatiriBos = argumanlar.join(QString()).trimmed().isEmpty();

    OrtakDegiskenler::PencereBasligi = Baslangic::pencereBasligi();

    // One instance per user: a later start brings the first one forward and ends.
    auto *tekOrnek = new TekOrnek(OrtakDegiskenler::PencereBasligi);
    if (tekOrnek->baskaOrnekVar()) {
        delete tekOrnek;
        return nullptr;
    }

    QPointer<KarsilamaFormu> karsilama;
    if (komutSatiriBos) {
        karsilama = new KarsilamaFormu;
        karsilama->show();
        QApplication::processEvents();
    }
    auto bitir = [&]() -> AnaForm * {
        if (karsilama)
            karsilama->close();
        delete tekOrnek;
        return nullptr;
    };

    // The platform is always acceptable here; the old NT check has nothing to test.
    OrtakDegiskenler::NTTabanli = true;
    OrtakDegiskenler::ProgramKlasoru = Arayuz::klasorler().programKlasoru;

    if (!Baslangic::veritabaniniDenetle())
        return bitir();
    if (!Baslangic::gunlukYedek())
        return bitir();
    if (!Baslangic::veritabaniniAc())
        return bitir();
    if (!Baslangic::semayiDenetle())
        return bitir();

    OrtakDegiskenler::AyarUygulamaAdi = QStringLiteral("Tavrek\\Zelvora");
    OrtakDegiskenler::YaziciVar = !Arayuz::yazicilar().liste().isEmpty();
    Tercihler::yukle();

    auto *anaForm = new AnaForm(komutSatiriBos);
    if (karsilama)
        karsilama->close();
    tekOrnek->setParent(anaForm);
    tekOrnek->dinle();
    QObject::connect(tekOrnek, &TekOrnek::gosterIstendi, anaForm, &AnaForm::Goster);

    OrtakDegiskenler::GirisSifresiSorulsun = Ayarlar::okuMantiksal(AyarAdi::GirisSifresiSor);
    // The login password, over the loaded main window (also when it is not shown).
    if (OrtakDegiskenler::GirisSifresiSorulsun && !GirisSifresiSorFormu::sor(anaForm)) {
        delete anaForm;
        return nullptr;
    }
    return anaForm;
}

} // namespace Zelvora::BaslangicModulu

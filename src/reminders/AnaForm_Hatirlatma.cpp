// The main window's reminder scan: every 32 seconds the jobs due now are listed in
// the reminder window, which is then shown modally until the user is done with it.

#include "core/Ayarlar.h"
#include "core/OrtakYordamlar.h"
#include "jobs/IsListesi.h"
#include "reminders/HatirlatmaFormu.h"
#include "tools/GirisSifresiSorFormu.h"
#include "ui/AnaForm.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace Zelvora {

namespace {
constexpr int TaramaAraligiMs = 32000;
}

HatirlatmaFormu *AnaForm::hatirlatmaFormu()
{
    if (!m_hatirlatmaFormu)
        m_hatirlatmaFormu = new HatirlatmaFormu(this);
    return m_hatirlatmaFormu;
}

bool AnaForm::hatirlatmaFormuVar() const
{
    return !m_hatirlatmaFormu.isNull();
}

void AnaForm::HatirlatilacakIsleriListele()
{
    hatirlatmaFormu()->listele();
}

void AnaForm::YapilacakIsKontrolu_Timer()
{
    // A scan never runs while the reminder window is up, nor before the login password
    // has been given (the reminder window shows jobs and lets them be changed).
    if ((m_hatirlatmaFormu && m_hatirlatmaFormu->isVisible()) || GirisSifresiSorFormu::acik()) {
        YapilacakIsKontrolu->start(TaramaAraligiMs);
        return;
    }
    bool devam = true;
    Adim([&] { HatirlatilacakIsleriListele(); }, &devam);
    if (!devam)
        return; // the program has been ended
    // The next scan is armed before pending events run, and those events include no user
    // input: a click or key waiting here cannot open a window inside the tick and leave
    // the scans stopped while it is open.
    YapilacakIsKontrolu->start(TaramaAraligiMs);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (m_hatirlatmaFormu && m_hatirlatmaFormu->YapilacakIslerListesi->satirSayisi() > 0) {
        const bool arkaplanda = Tercihler::ArkaplandaCalissin == 1;
        if (arkaplanda)
            Adim([&] { BildirimAlanindanSimgeyiSil(); });
        QPointer<HatirlatmaFormu> f = m_hatirlatmaFormu;
        Adim([&] { f->exec(); }, &devam);
        // A closed reminder window is unloaded; the next scan builds a fresh one.
        delete f.data();
        if (!devam)
            return;
        if (arkaplanda)
            Adim([&] { BildirimAlaninaSimgeEkle(); });
    }
    YapilacakIsKontrolu->start(TaramaAraligiMs);
}

} // namespace Zelvora

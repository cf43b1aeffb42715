// The main window's reminder scan: every 32 seconds the jobs due now are listed in
// the reminder window, which is then shown modally until the user is done with it.

#include "core/Ayarlar.h"
#include "core/OrtakYordamlar.h"
#include "core/Ufuk.h"
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
    // has been given (the reminder window shows jobs and lets them be changed). Behind
    // the password prompt the scan is tried again after a few seconds, so that the
    // reminders missed while the program was closed come up as soon as it is given.
    if (m_hatirlatmaFormu && m_hatirlatmaFormu->isVisible()) {
        YapilacakIsKontrolu->start(TaramaAraligiMs);
        return;
    }
    if (GirisSifresiSorFormu::acik()) {
        YapilacakIsKontrolu->start(IlkTaramaGecikmesiMs);
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
        // Every row settled (done, postponed, no more reminders): all that was due at the
        // moment of the window's last listing has been dealt with, whenever it was closed.
        // Rows left keep the horizon, so they come back, also after midnight.
        const bool hepsiSonuclandi = f && f->taramaTamam() && f->YapilacakIslerListesi->satirSayisi() == 0;
        const QDateTime taramaAni = f ? f->taramaAni() : QDateTime();
        // A closed reminder window is unloaded; the next scan builds a fresh one.
        delete f.data();
        if (!devam)
            return;
        if (hepsiSonuclandi)
            SessizAdim([&] { Ufuk::yaz(taramaAni); });
        if (arkaplanda)
            Adim([&] { BildirimAlaninaSimgeEkle(); });
    } else if (m_hatirlatmaFormu && m_hatirlatmaFormu->taramaTamam()) {
        // Nothing due: the horizon moves up to this scan.
        SessizAdim([&] { Ufuk::yaz(m_hatirlatmaFormu->taramaAni()); });
    }
    YapilacakIsKontrolu->start(TaramaAraligiMs);
}

} // namespace Zelvora

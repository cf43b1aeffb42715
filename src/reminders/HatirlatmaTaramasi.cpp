#include "reminders/HatirlatmaTaramasi.h"

#include "core/Ayarlar.h"
#include "core/OrtakYordamlar.h"
#include "core/Ufuk.h"
#include "core/Arayuzler.h"
#include "core/UykuIzleyicisi.h"
#include "core/Veritabani.h"
#include "reminders/HatirlatmaFormu.h"
#include "reminders/MasaustuBildirimi.h"
#include "tools/GirisSifresiSorFormu.h"
#include "ui/AnaPencere.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace Zelvora {

HatirlatmaTaramasi::HatirlatmaTaramasi(AnaPencere *ana, QObject *parent)
    : QObject(parent), m_ana(ana), m_zamanlayici(new QTimer(this)), m_bildirim(new MasaustuBildirimi(this)),
      m_uyku(new UykuIzleyicisi(this))
{
    m_zamanlayici->setObjectName(QStringLiteral("YapilacakIsKontrolu"));
    m_zamanlayici->setSingleShot(true);
    connect(m_zamanlayici, &QTimer::timeout, this, &HatirlatmaTaramasi::YapilacakIsKontrolu_Timer);
    connect(m_bildirim, &MasaustuBildirimi::sonucSecildi, this, &HatirlatmaTaramasi::bildirimSonucu);
    connect(m_bildirim, &MasaustuBildirimi::pencereIstendi, this, &HatirlatmaTaramasi::pencereyiOneGetir);
    connect(m_uyku, &UykuIzleyicisi::uyandi, this, &HatirlatmaTaramasi::hemenTara);
}

void HatirlatmaTaramasi::baslat()
{
    m_basladi = true;
    m_zamanlayici->start(IlkTaramaGecikmesiMs);
}

void HatirlatmaTaramasi::hemenTara()
{
    // The timer's countdown stood still while the machine slept, or the office server has
    // come back. A tick that finds the reminder window up only re-arms the timer.
    if (m_basladi)
        m_zamanlayici->start(0);
}

void HatirlatmaTaramasi::bildirimSonucu(int sonuc, const QList<qint64> &isNolari)
{
    HatirlatmaFormu *f = m_hatirlatmaFormu;
    // Closed meanwhile: the jobs are still due and come back with the next scan.
    if (!f || !f->isVisible())
        return;
    // A window open over the reminder window (the job editor, the printer choice) may be
    // working on the same jobs: the user is taken there instead of the jobs changing
    // under it.
    if (QApplication::activeModalWidget() != f) {
        pencereyiOneGetir();
        return;
    }
    f->isleriSonuclandir(isNolari, sonuc);
}

void HatirlatmaTaramasi::pencereyiOneGetir()
{
    if (!m_hatirlatmaFormu || !m_hatirlatmaFormu->isVisible())
        return;
    QWidget *ust = QApplication::activeModalWidget();
    if (!ust)
        ust = m_hatirlatmaFormu;
    if (ust->isMinimized())
        ust->showNormal();
    ust->raise();
    ust->activateWindow();
}

HatirlatmaFormu *HatirlatmaTaramasi::hatirlatmaFormu()
{
    if (!m_hatirlatmaFormu)
        m_hatirlatmaFormu = new HatirlatmaFormu(m_ana, m_ana->pencere());
    return m_hatirlatmaFormu;
}

bool HatirlatmaTaramasi::hatirlatmaFormuVar() const
{
    return !m_hatirlatmaFormu.isNull();
}

void HatirlatmaTaramasi::HatirlatilacakIsleriListele()
{
    hatirlatmaFormu()->listele();
}

void HatirlatmaTaramasi::YapilacakIsKontrolu_Timer()
{
    // A scan never runs while the reminder window is up, nor before the login password
    // has been given (the reminder window shows jobs and lets them be changed). Behind
    // the password prompt the scan is tried again after a few seconds, so that the
    // reminders missed while the program was closed come up as soon as it is given.
    if (m_hatirlatmaFormu && m_hatirlatmaFormu->isVisible()) {
        m_zamanlayici->start(TaramaAraligiMs);
        // Rows settled on another desk meanwhile leave the window (when the server can be
        // reached: a look must not wait for one that cannot).
        QPointer<HatirlatmaFormu> f = m_hatirlatmaFormu;
        if (!Veritabani::acikMi() || Veritabani::acik().baglantiVar())
            SessizAdim([&] { f->baskaYerdeSonuclananlariCikar(); });
        return;
    }
    if (GirisSifresiSorFormu::acik()) {
        m_zamanlayici->start(IlkTaramaGecikmesiMs);
        return;
    }
    // An office server out of reach: the scan waits for nothing and tells nothing (the
    // status bar says it, the connection is tried again in the background, and its return
    // scans at once); the next tick looks again.
    if (Veritabani::acikMi() && !Veritabani::acik().baglantiVar()) {
        m_zamanlayici->start(TaramaAraligiMs);
        return;
    }
    bool devam = true;
    GozetimsizAdim([&] { HatirlatilacakIsleriListele(); }, &devam);
    if (!devam)
        return; // the program has been ended
    // The next scan is armed before pending events run, and those events include no user
    // input: a click or key waiting here cannot open a window inside the tick and leave
    // the scans stopped while it is open.
    m_zamanlayici->start(TaramaAraligiMs);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (m_hatirlatmaFormu && m_hatirlatmaFormu->satirSayisi() > 0) {
        const bool arkaplanda = Tercihler::ArkaplandaCalissin == 1;
        if (arkaplanda)
            Adim([&] { m_ana->BildirimAlanindanSimgeyiSil(); });
        QPointer<HatirlatmaFormu> f = m_hatirlatmaFormu;
        // The desktop's notification names the jobs too; a job settled in the window
        // withdraws it, and so does the window's closing.
        connect(f, &HatirlatmaFormu::isSonuclandi, m_bildirim, &MasaustuBildirimi::geriCek);
        SessizAdim([&] { m_bildirim->goster(f->listelenenIsler(), Arayuz::saat().bugun()); });
        Adim([&] { f->exec(); }, &devam);
        m_bildirim->geriCek();
        // Every row settled (done, postponed, no more reminders): all that was due at the
        // moment of the window's last listing has been dealt with, whenever it was closed.
        // Rows left keep the horizon, so they come back, also after midnight.
        const bool hepsiSonuclandi = f && f->taramaTamam() && f->satirSayisi() == 0;
        const QDateTime taramaAni = f ? f->taramaAni() : QDateTime();
        // A closed reminder window is unloaded; the next scan builds a fresh one.
        delete f.data();
        if (!devam)
            return;
        if (hepsiSonuclandi)
            SessizAdim([&] { Ufuk::yaz(taramaAni); });
        if (arkaplanda)
            Adim([&] { m_ana->BildirimAlaninaSimgeEkle(); });
    } else if (m_hatirlatmaFormu && m_hatirlatmaFormu->taramaTamam()) {
        // Nothing due: the horizon moves up to this scan.
        SessizAdim([&] { Ufuk::yaz(m_hatirlatmaFormu->taramaAni()); });
    }
    m_zamanlayici->start(TaramaAraligiMs);
}

} // namespace Zelvora

// The main window's job list and job commands.

#include "core/Arayuzler.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "ui/AnaForm.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QTimer>

namespace Zelvora {

void AnaForm::isOlaylariniBagla()
{
    connect(YapilacakIslerListesi, &IsListesi::satiraTiklandi, this, [this] { YapilacakIslerListesi_ItemClick(); });
    connect(YapilacakIslerListesi, &QAbstractItemView::doubleClicked, this, [this] { DegisiklikYap(); });
    connect(YapilacakIslerListesi, &IsListesi::sagTiklandi, this,
            [this](const QPoint &nokta) { YapilacakIsListesiMenusu->popup(nokta); });
    connect(YeniIsEkleMenusu1, &QAction::triggered, this, &AnaForm::YeniIsEkle);
    connect(YeniIsEkleMenusu2, &QAction::triggered, this, &AnaForm::YeniIsEkle);
    connect(DegisiklikYapMenusu1, &QAction::triggered, this, &AnaForm::DegisiklikYap);
    connect(DegisiklikYapMenusu2, &QAction::triggered, this, &AnaForm::DegisiklikYap);
    connect(IsiSilMenusu1, &QAction::triggered, this, &AnaForm::IsiSil);
    connect(IsiSilMenusu2, &QAction::triggered, this, &AnaForm::IsiSil);
    connect(TumKlasorlerOnayi, &QCheckBox::toggled, this, &AnaForm::TumKlasorlerOnayi_Click);
    connect(SadeceBugunYapilacakIsleriListeleOnayi, &QCheckBox::toggled, this,
            &AnaForm::SadeceBugunYapilacakIsleriListeleOnayi_Click);
}

void AnaForm::IsleriListele(const QString &anahtar)
{
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    const bool tum = TumKlasorlerOnayi->isChecked();
    const bool bugun = SadeceBugunYapilacakIsleriListeleOnayi->isChecked();
    const QDate gun = Arayuz::saat().bugun();
    // Filling replaces every row, straight from the statement; when the rows cannot be
    // read, those read so far stay and the error is reported.
    Adim([&] {
        m->doldur([&](const Veritabani::IsSatiriAlici &alici) { Veritabani::acik().isleriListele(anahtar, tum, bugun, gun, alici); },
                  gun, tum);
    });
}

void AnaForm::BaskaMasaDegisikligiDenetle()
{
    bool degisti = false;
    SessizAdim([&] { degisti = Veritabani::acik().baskaMasaDegistirdi(); });
    // A burst of changes re-lists once, shortly after the last of them.
    if (degisti)
        m_baskaMasaBekleme->start();
}

void AnaForm::ListeyiTazele()
{
    // What the list shows now, read again; the selected job stays selected.
    const int satir = YapilacakIslerListesi->seciliSatir();
    const qint64 secili = satir >= 0 ? YapilacakIslerListesi->model()->isNo(satir) : 0;
    if (TumKlasorlerOnayi->isChecked()) {
        IsleriListele(QString());
    } else {
        QTreeWidgetItem *d = seciliDugum();
        if (!d || KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(d)))
            return;
        KlasorListesi_NodeClick(d);
    }
    const int yeni = secili ? YapilacakIslerListesi->model()->satirBul(secili) : -1;
    if (yeni >= 0)
        YapilacakIslerListesi->satirSec(yeni);
}

void AnaForm::YapilacakIslerListesi_ItemClick()
{
    if (!TumKlasorlerOnayi->isChecked())
        return;
    SessizAdim([&] {
        const int satir = YapilacakIslerListesi->seciliSatir();
        if (satir < 0)
            return;
        const QString etiket = YapilacakIslerListesi->model()->data(
            YapilacakIslerListesi->model()->index(satir, 0), IsSatiriModeli::AnahtarRolu).toString();
        for (QTreeWidgetItem *d : KlasorListesi->tumDugumler()) {
            if (KlasorAgaci::anahtar(d) == etiket) {
                sessizSec(d);
                KlasorListesi->scrollToItem(d);
                return;
            }
        }
    });
}

IsEklemeDegistirmeFormu *AnaForm::isFormu()
{
    if (!m_isFormu)
        m_isFormu = new IsEklemeDegistirmeFormu(this);
    return m_isFormu;
}

void AnaForm::satiriSec(int konum)
{
    if (YapilacakIslerListesi->satirSayisi() > 0)
        YapilacakIslerListesi->satirSec(konum - 1);
}

void AnaForm::YeniIsEkle()
{
    QTreeWidgetItem *d = seciliDugum();
    if (!d || KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(d))) {
        mesaj(QStringLiteral("Bu klasöre iş ekleyemezsiniz! Lütfen, başka bir klasör seçiniz ya da yeni bir klasör ekleyiniz."),
              MesajSimgesi::Bilgi);
        return;
    }
    IsEklemeDegistirmeFormu *f = isFormu();
    f->setWindowTitle(QStringLiteral("Yapılacak İş Ekleme (") + d->text(0) + QStringLiteral(")"));
    f->YeniIsEkleDugmesi_Click();
    f->Tag = QStringLiteral("Ekle");
    f->HatirlatmaVarOnayi->setChecked(true);
    f->exec();
    delete f;
}

void AnaForm::DegisiklikYap()
{
    const int satir = YapilacakIslerListesi->seciliSatir();
    if (satir < 0)
        return;
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    const int simge = m->simge(satir);
    if (simge == IsSatiriModeli::YapildiSimgesi
        && !soru(QStringLiteral("Bu iş YAPILDI olarak işaretlenmiş! Değiştirmek istediğinizden emin misiniz?")))
        return;
    IsEklemeDegistirmeFormu *f = isFormu();
    bool devam = true;
    // Both boxes start from the job's own flags: the icon of a done job hides its remind
    // flag, and the editor writes only what differs from what it showed, so a box shown
    // unticked over a stored tick would never reach the database.
    Adim([&] {
        f->isiDoldur(m->hucreMetni(satir, IsSatiriModeli::Tarihi), m->hucreMetni(satir, IsSatiriModeli::Saati),
                     m->hucreMetni(satir, IsSatiriModeli::Konusu), m->hucreMetni(satir, IsSatiriModeli::Yeri),
                     m->hucreMetni(satir, IsSatiriModeli::Sayisi), m->hucreMetni(satir, IsSatiriModeli::Aciklama),
                     m->is(satir).hatirlatma, simge == IsSatiriModeli::YapildiSimgesi);
    }, &devam);
    if (!devam)
        return;
    f->YeniIsEkleDugmesi_Click();
    f->IsYapildiOnayi->setEnabled(true);
    QTreeWidgetItem *d = seciliDugum();
    f->setWindowTitle(QStringLiteral("Yapılacak İşi Değiştirme (") + (d ? d->text(0) : QString()) + QStringLiteral(")"));
    f->Tag = m->hucreMetni(satir, IsSatiriModeli::IsNoSutunu);
    OrtakDegiskenler::SeciliSatir = qint16(satir + 1);
    f->exec();
    delete f;
}

void AnaForm::IsiSil()
{
    const int satir = YapilacakIslerListesi->seciliSatir();
    if (satir < 0)
        return;
    IsSatiriModeli *m = YapilacakIslerListesi->model();
    // The question names the job, so the user sees which one goes.
    if (!soru(QStringLiteral("Seçili işi SİLMEK istediğinizden emin misiniz?") + QStringLiteral("\r\n\r\n")
              + m->hucreMetni(satir, IsSatiriModeli::Tarihi) + QLatin1Char(' ')
              + m->hucreMetni(satir, IsSatiriModeli::Saati).left(5) + QStringLiteral(" - ")
              + m->hucreMetni(satir, IsSatiriModeli::Konusu)))
        return;
    OrtakDegiskenler::SeciliSatir = qint16(satir + 1);
    const qint64 isNo = m->isNo(satir);
    // The row goes only when the database has really deleted the job.
    if (!Adim([&] { Veritabani::acik().isSil(isNo); }))
        return;
    m->satirSil(satir);
    if (m->rowCount() == 0)
        return;
    YapilacakIslerListesi->satirSec(satir == 0 ? 0 : satir - 1);
    YapilacakIslerListesi->setFocus();
}

void AnaForm::SadeceBugunYapilacakIsleriListeleOnayi_Click()
{
    KlasorListesi_NodeClick(seciliDugum());
    const bool isaretli = SadeceBugunYapilacakIsleriListeleOnayi->isChecked();
    Dugme[8]->setEnabled(!isaretli);
    BulMenusu->setEnabled(!isaretli);
}

void AnaForm::TumKlasorlerOnayi_Click()
{
    QTreeWidgetItem *d = seciliDugum();
    QTreeWidgetItem *kok = d;
    while (kok && kok->parent())
        kok = kok->parent();
    if (!TumKlasorlerOnayi->isChecked()) {
        Dugme[2]->setEnabled(true);
        YeniKlasorEkleMenusu1->setEnabled(true);
        YeniKlasorEkleMenusu2->setEnabled(true);
        KlasorListesi->setEnabled(true);
        // The list is read once below; the expand reaction need not read it first.
        if (kok)
            Adim([&] { sessizGenislet(kok, true); });
        Adim([&] { IsleriListele(KlasorAgaci::anahtar(seciliDugum())); });
        Dugme[8]->setEnabled(true);
        BulMenusu->setEnabled(true);
        return;
    }
    Dugme[2]->setEnabled(false);
    YeniKlasorEkleMenusu1->setEnabled(false);
    YeniKlasorEkleMenusu2->setEnabled(false);
    Dugme[8]->setEnabled(false);
    BulMenusu->setEnabled(false);
    if (kok)
        Adim([&] { sessizGenislet(kok, false); });
    KlasorListesi->setEnabled(false);
    Adim([&] { IsleriListele(QString()); });
    if (YapilacakIslerListesi->satirSayisi() > 0) {
        if (YapilacakIslerListesi->seciliSatir() < 0)
            YapilacakIslerListesi->satirSec(0);
        YapilacakIslerListesi_ItemClick();
    }
}

} // namespace Zelvora

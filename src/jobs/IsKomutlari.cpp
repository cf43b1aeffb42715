#include "jobs/IsKomutlari.h"

#include "core/Arayuzler.h"
#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Tarihler.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "jobs/KlasorKomutlari.h"
#include "ui/AnaPencere.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QMenu>
#include <QTimer>

namespace Zelvora {

IsKomutlari::IsKomutlari(const Denetimler &d, KlasorKomutlari *klasorler, QObject *parent)
    : QObject(parent), m_d(d), m_klasorler(klasorler)
{
    connect(m_d.liste, &IsListesi::satiraTiklandi, this, [this] { YapilacakIslerListesi_ItemClick(); });
    connect(m_d.liste, &QAbstractItemView::doubleClicked, this, [this] { DegisiklikYap(); });
    connect(m_d.liste, &IsListesi::sagTiklandi, this,
            [this](const QPoint &nokta) { m_d.isListesiMenusu->popup(nokta); });
    connect(m_d.yeniIsEkleMenusu1, &QAction::triggered, this, &IsKomutlari::YeniIsEkle);
    connect(m_d.yeniIsEkleMenusu2, &QAction::triggered, this, &IsKomutlari::YeniIsEkle);
    connect(m_d.degisiklikYapMenusu1, &QAction::triggered, this, &IsKomutlari::DegisiklikYap);
    connect(m_d.degisiklikYapMenusu2, &QAction::triggered, this, &IsKomutlari::DegisiklikYap);
    connect(m_d.isiSilMenusu1, &QAction::triggered, this, &IsKomutlari::IsiSil);
    connect(m_d.isiSilMenusu2, &QAction::triggered, this, &IsKomutlari::IsiSil);
    connect(m_d.tumKlasorlerOnayi, &QCheckBox::toggled, this, &IsKomutlari::TumKlasorlerOnayi_Click);
    connect(m_d.sadeceBugunOnayi, &QCheckBox::toggled, this,
            &IsKomutlari::SadeceBugunYapilacakIsleriListeleOnayi_Click);
}

void IsKomutlari::IsleriListele(const QString &anahtar)
{
    IsSatiriModeli *m = m_d.liste->model();
    const bool tum = m_d.tumKlasorlerOnayi->isChecked();
    const bool bugun = m_d.sadeceBugunOnayi->isChecked();
    const QDate gun = Arayuz::saat().bugun();
    // Filling replaces every row, straight from the statement; when the rows cannot be
    // read, those read so far stay and the error is reported.
    Adim([&] {
        m->doldur([&](const Veritabani::IsSatiriAlici &alici) { Veritabani::acik().isleriListele(anahtar, tum, bugun, gun, alici); },
                  gun, tum);
    });
}

void IsKomutlari::ListeyiTazele()
{
    // What the list shows now, read again; the selected job stays selected.
    const int satir = m_d.liste->seciliSatir();
    const qint64 secili = satir >= 0 ? m_d.liste->model()->isNo(satir) : 0;
    if (m_d.tumKlasorlerOnayi->isChecked()) {
        IsleriListele(QString());
    } else {
        QTreeWidgetItem *d = m_klasorler->seciliDugum();
        if (!d || KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(d)))
            return;
        m_klasorler->KlasorListesi_NodeClick(d);
    }
    const int yeni = secili ? m_d.liste->model()->satirBul(secili) : -1;
    if (yeni >= 0)
        m_d.liste->satirSec(yeni);
}

void IsKomutlari::baskaMasaIsleri(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler)
{
    const bool tum = m_d.tumKlasorlerOnayi->isChecked();
    const bool bugun = m_d.sadeceBugunOnayi->isChecked();
    QTreeWidgetItem *d = m_klasorler->seciliDugum();
    const QString anahtar = KlasorAgaci::anahtar(d);
    if (!tum && (!d || KlasorAgaci::korumaliMi(anahtar)))
        return; // the list shows no jobs
    // The rules of the listing's statement (IsleriListele).
    const QDate gun = Arayuz::saat().bugun();
    m_d.liste->satirlariYenile(okunanlar, degisenler, [&](const IsKaydi &k) {
        return (tum || k.anahtari == anahtar) && (!bugun || (k.tarih == gun && !k.yapildi));
    });
    if (!tum)
        m_klasorler->isSayisiniYaz();
}

void IsKomutlari::YapilacakIslerListesi_ItemClick()
{
    if (!m_d.tumKlasorlerOnayi->isChecked())
        return;
    SessizAdim([&] {
        const int satir = m_d.liste->seciliSatir();
        if (satir < 0)
            return;
        const QString etiket = m_d.liste->model()->data(
            m_d.liste->model()->index(satir, 0), IsSatiriModeli::AnahtarRolu).toString();
        for (QTreeWidgetItem *d : m_d.agac->tumDugumler()) {
            if (KlasorAgaci::anahtar(d) == etiket) {
                m_klasorler->sessizSec(d);
                m_d.agac->scrollToItem(d);
                return;
            }
        }
    });
}

IsEklemeDegistirmeFormu *IsKomutlari::isFormu()
{
    if (!m_isFormu) {
        m_isFormu = new IsEklemeDegistirmeFormu(m_d.pencere);
        connect(m_isFormu, &IsEklemeDegistirmeFormu::kaydedildi, this,
                [this] { m_klasorler->KlasorListesi_NodeClick(m_klasorler->seciliDugum()); });
        connect(m_isFormu, &IsEklemeDegistirmeFormu::degistirmeBitti, this,
                [this] { satiriSec(OrtakDegiskenler::SeciliSatir); });
        // The job's folder was deleted on another desk: the tree follows the server.
        connect(m_isFormu, &IsEklemeDegistirmeFormu::klasorBulunamadi, m_klasorler,
                &KlasorKomutlari::KlasorListesiniEsitle);
    }
    return m_isFormu;
}

void IsKomutlari::satiriSec(int konum)
{
    if (m_d.liste->satirSayisi() > 0)
        m_d.liste->satirSec(konum - 1);
}

void IsKomutlari::YeniIsEkle()
{
    QTreeWidgetItem *d = m_klasorler->seciliDugum();
    if (!d || KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(d))) {
        mesaj(QStringLiteral("Bu klasöre iş ekleyemezsiniz! Lütfen, başka bir klasör seçiniz ya da yeni bir klasör ekleyiniz."),
              MesajSimgesi::Bilgi);
        return;
    }
    isEkle(d, nullptr);
}

void IsKomutlari::oneriyleEkle(const IsOnerisi &oneri)
{
    QTreeWidgetItem *d = m_klasorler->seciliDugum();
    if (!d || KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(d))) {
        d = klasorSor();
        if (!d)
            return;
        // The main window shows the folder the job goes into, so the saved job is listed.
        m_klasorler->klasoruGoster(d);
    }
    isEkle(d, &oneri);
}

void IsKomutlari::isEkle(QTreeWidgetItem *klasor, const IsOnerisi *oneri)
{
    IsEklemeDegistirmeFormu *f = isFormu();
    f->ekle(KlasorAgaci::anahtar(klasor), QStringLiteral("Yapılacak İş Ekleme (") + klasor->text(0) + QStringLiteral(")"));
    // Shown in the fields only; nothing is written before "Kaydet". No hour is proposed:
    // the user chooses when to be reminded.
    if (oneri) {
        f->isiDoldur(Tarihler::kisaTarih(oneri->tarih), QString(), oneri->konu, QString(), QString(), oneri->aciklama,
                     oneri->hatirlatma);
        f->onHatirlatmalariGoster(oneri->onGunler);
    }
    f->exec();
    delete f;
}

QTreeWidgetItem *IsKomutlari::klasorSor()
{
    QStringList klasorler; // keys: the tree may follow another desk while the question is up
    QStringList yollar;
    for (QTreeWidgetItem *d : m_d.agac->tumDugumler()) {
        if (KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(d)))
            continue;
        QString yol = d->text(0);
        for (QTreeWidgetItem *ust = d->parent(); ust && !KlasorAgaci::korumaliMi(KlasorAgaci::anahtar(ust));
             ust = ust->parent())
            yol = ust->text(0) + QStringLiteral(" / ") + yol;
        // Two folders of the same path stay apart in the list.
        const QString ilk = yol;
        for (int n = 2; yollar.contains(yol); ++n)
            yol = ilk + QStringLiteral(" (%1)").arg(n);
        klasorler << KlasorAgaci::anahtar(d);
        yollar << yol;
    }
    if (klasorler.isEmpty()) {
        mesaj(QStringLiteral("Önce bir klasör ekleyiniz."), MesajSimgesi::Bilgi);
        return nullptr;
    }
    QInputDialog s(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_d.pencere);
    s.setObjectName(QStringLiteral("KlasorSecimi"));
    s.setWindowTitle(QStringLiteral("Klasör Seçimi"));
    s.setLabelText(QStringLiteral("İşin ekleneceği klasörü seçiniz:"));
    s.setOption(QInputDialog::UseListViewForComboBoxItems);
    s.setComboBoxEditable(false);
    s.setComboBoxItems(yollar);
    s.setOkButtonText(QStringLiteral("Tamam"));
    s.setCancelButtonText(QStringLiteral("İptal"));
    if (s.exec() != QDialog::Accepted)
        return nullptr;
    const qsizetype i = yollar.indexOf(s.textValue());
    return i >= 0 ? m_d.agac->dugum(klasorler.at(i)) : nullptr;
}

void IsKomutlari::DegisiklikYap()
{
    const int satir = m_d.liste->seciliSatir();
    if (satir < 0)
        return;
    IsSatiriModeli *m = m_d.liste->model();
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
    QTreeWidgetItem *d = m_klasorler->seciliDugum();
    f->degistir(m->isNo(satir),
                QStringLiteral("Yapılacak İşi Değiştirme (") + (d ? d->text(0) : QString()) + QStringLiteral(")"));
    OrtakDegiskenler::SeciliSatir = qint16(satir + 1);
    f->exec();
    delete f;
}

void IsKomutlari::IsiSil()
{
    const int satir = m_d.liste->seciliSatir();
    if (satir < 0)
        return;
    IsSatiriModeli *m = m_d.liste->model();
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
    m_d.liste->satirSec(satir == 0 ? 0 : satir - 1);
    m_d.liste->setFocus();
}

void IsKomutlari::SadeceBugunYapilacakIsleriListeleOnayi_Click()
{
    m_klasorler->KlasorListesi_NodeClick(m_klasorler->seciliDugum());
    const bool isaretli = m_d.sadeceBugunOnayi->isChecked();
    m_d.bulDugmesi->setEnabled(!isaretli);
    m_d.bulMenusu->setEnabled(!isaretli);
}

void IsKomutlari::TumKlasorlerOnayi_Click()
{
    QTreeWidgetItem *d = m_klasorler->seciliDugum();
    QTreeWidgetItem *kok = d;
    while (kok && kok->parent())
        kok = kok->parent();
    if (!m_d.tumKlasorlerOnayi->isChecked()) {
        m_d.klasorEkleDugmesi->setEnabled(true);
        m_d.yeniKlasorEkleMenusu1->setEnabled(true);
        m_d.yeniKlasorEkleMenusu2->setEnabled(true);
        m_d.agac->setEnabled(true);
        // The list is read once below; the expand reaction need not read it first.
        if (kok)
            Adim([&] { m_klasorler->sessizGenislet(kok, true); });
        Adim([&] { IsleriListele(KlasorAgaci::anahtar(m_klasorler->seciliDugum())); });
        m_d.bulDugmesi->setEnabled(true);
        m_d.bulMenusu->setEnabled(true);
        return;
    }
    m_d.klasorEkleDugmesi->setEnabled(false);
    m_d.yeniKlasorEkleMenusu1->setEnabled(false);
    m_d.yeniKlasorEkleMenusu2->setEnabled(false);
    m_d.bulDugmesi->setEnabled(false);
    m_d.bulMenusu->setEnabled(false);
    if (kok)
        Adim([&] { m_klasorler->sessizGenislet(kok, false); });
    m_d.agac->setEnabled(false);
    Adim([&] { IsleriListele(QString()); });
    if (m_d.liste->satirSayisi() > 0) {
        if (m_d.liste->seciliSatir() < 0)
            m_d.liste->satirSec(0);
        YapilacakIslerListesi_ItemClick();
    }
}

} // namespace Zelvora

// The calendar-file commands in the windows: the export of a folder's, all folders' or
// the job list window's jobs, the import's preview window and what it stores, a damaged
// file refused with nothing stored, and the main window's menu entries.

#include "TestOrtami.h"

#include "core/Hata.h"
#include "core/TakvimDosyasi.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "jobs/TakvimKomutlari.h"
#include "jobs/TakvimdanAlFormu.h"
#include "reminders/YapilacakIslerListesiFormu.h"
#include "ui/AnaForm.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimeZone>
#include <QtTest>

using namespace Zelvora;

namespace {
const QDate Bugun(2026, 12, 7);
const QString Buro = QStringLiteral("1-Anahtar");
const QString Ev = QStringLiteral("2-Anahtar");

QByteArray oku(const QString &yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void yaz(const QString &yol, const QByteArray &veri)
{
    QFile f(yol);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(veri);
}
} // namespace

class TakvimKomutlariTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { ortam.reset(); }
    void klasorVeyaTumIslerAktarilir();
    void listePenceresiListesiniAktarir();
    void onizlemeGosterirVeAlir();
    void bozukDosyaHicbirSeyKaydetmez();
    void anaPencereMenusu();

private:
    Veritabani &vt() { return Veritabani::acik(); }
    qint64 ekle(const QString &anahtar, QDate t, QTime s, const QString &konu)
    {
        return vt().isEkle({0, anahtar, t, s, konu, QStringLiteral("Yer"), QStringLiteral("1"), QString(), true, false});
    }
    QString yol(const QString &ad) const { return ortam->klasor.filePath(ad); }
    std::unique_ptr<Test::Ortam> ortam;
};

void TakvimKomutlariTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->saat->an = QDateTime(Bugun, QTime(14, 35, 20));
    ortam->veritabaniniAc();
    vt().klasorEkle({Buro, KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
    vt().klasorEkle({Ev, KlasorAgaci::KlasorAnahtari, QStringLiteral("Ev")});
    ekle(Buro, Bugun, QTime(9, 30), QStringLiteral("Duruşma"));
    ekle(Buro, QDate(), QTime(), QStringLiteral("Tarihsiz"));
    ekle(Ev, Bugun.addDays(1), QTime(), QStringLiteral("Aile"));
}

void TakvimKomutlariTesti::klasorVeyaTumIslerAktarilir()
{
    // A folder selected: asked whether only its jobs go; yes.
    ortam->dosyaSecimi->cevaplar = {yol(QStringLiteral("buro"))};
    ortam->mesajlar->cevaplar = {MesajCevabi::Evet};
    QVERIFY(TakvimKomutlari::takvimeAktar(Buro, false));
    QCOMPARE(ortam->dosyaSecimi->sorulanlar.last().baslik, QStringLiteral("Takvim Dosyasına Aktar"));
    QVERIFY(ortam->dosyaSecimi->sorulanlar.last().onerilen.endsWith(QStringLiteral("/Büro.ics")));
    QVERIFY(ortam->dosyaSecimi->sorulanlar.last().suzgec.contains(QStringLiteral("*.ics")));
    QStringList m = ortam->mesajlar->metinler();
    QCOMPARE(m.size(), 2);
    QVERIFY(m[0].contains(QStringLiteral("Yalnızca \"Büro\" klasöründeki işler mi aktarılsın?")));
    // The extension the name was typed without is added; the job without a date is told.
    QVERIFY(m[1].startsWith(QStringLiteral("1 iş \"") + yol(QStringLiteral("buro.ics"))));
    QVERIFY(m[1].contains(QStringLiteral("Tarihi olmayan 1 iş")));
    QByteArray veri = oku(yol(QStringLiteral("buro.ics")));
    QCOMPARE(veri.count("BEGIN:VEVENT"), 1);
    QVERIFY(veri.contains("SUMMARY:Duruşma"));
    QVERIFY(veri.contains("CATEGORIES:Büro"));

    // No: every folder's jobs.
    ortam->mesajlar->temizle();
    ortam->mesajlar->cevaplar = {MesajCevabi::Hayir};
    ortam->dosyaSecimi->cevaplar = {yol(QStringLiteral("tum.ics"))};
    QVERIFY(TakvimKomutlari::takvimeAktar(Buro, false));
    QCOMPARE(oku(yol(QStringLiteral("tum.ics"))).count("BEGIN:VEVENT"), 2);
    // "Klasörlerim" selected, or every folder shown: all without a question.
    ortam->mesajlar->temizle();
    ortam->dosyaSecimi->cevaplar = {yol(QStringLiteral("kok.ics"))};
    QVERIFY(TakvimKomutlari::takvimeAktar(KlasorAgaci::KlasorAnahtari, false));
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QVERIFY(ortam->dosyaSecimi->sorulanlar.last().onerilen.endsWith(QStringLiteral("/Zelvora.ics")));
    QCOMPARE(oku(yol(QStringLiteral("kok.ics"))).count("BEGIN:VEVENT"), 2);
    // Cancelled in the file dialog: nothing written, nothing said.
    ortam->mesajlar->temizle();
    QVERIFY(!TakvimKomutlari::takvimeAktar(Ev, true));
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
    // A file that cannot be written is told, and an existing one is left as it was.
    yaz(yol(QStringLiteral("kok.ics")), "eski");
    ortam->dosyaSecimi->cevaplar = {yol(QStringLiteral("yok/kok.ics"))};
    QVERIFY(!TakvimKomutlari::takvimeAktar(Ev, true));
    QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
    QCOMPARE(ortam->mesajlar->gosterilenler.first().simge, MesajSimgesi::Uyari);
    QVERIFY(ortam->mesajlar->gosterilenler.first().metin.startsWith(QStringLiteral("Takvim dosyası yazılamadı")));
}

void TakvimKomutlariTesti::listePenceresiListesiniAktarir()
{
    YapilacakIslerListesiFormu f;
    QPushButton *aktar = Test::denetim<QPushButton>(&f, "TakvimeAktarDugmesi");
    QCOMPARE(aktar->accessibleName(), QStringLiteral("Takvim Dosyasına Aktar..."));
    // An empty list: said so, no file asked.
    aktar->click();
    QCOMPARE(ortam->mesajlar->metinler(), QStringList{QStringLiteral("Listede takvime aktarılacak iş yok.")});
    QVERIFY(ortam->dosyaSecimi->sorulanlar.isEmpty());
    ortam->mesajlar->temizle();
    f.BugunYapilacakIsleriListeleDugmesi_Click();
    ortam->dosyaSecimi->cevaplar = {yol(QStringLiteral("bugun.ics"))};
    aktar->click();
    const QByteArray veri = oku(yol(QStringLiteral("bugun.ics")));
    QCOMPARE(veri.count("BEGIN:VEVENT"), 1);
    QVERIFY(veri.contains("SUMMARY:Duruşma"));
    QVERIFY(veri.contains("CATEGORIES:Büro")); // the rows keep their folder
    QVERIFY(ortam->mesajlar->metinler().last().startsWith(QStringLiteral("1 iş")));
}

void TakvimKomutlariTesti::onizlemeGosterirVeAlir()
{
    // A job of ours exported before, a foreign event with a long subject, a weekly one.
    std::vector<IsKaydi> bizimIsler = vt().isleriListele(Buro, false, false, QDate());
    bizimIsler.erase(std::remove_if(bizimIsler.begin(), bizimIsler.end(), [](const IsKaydi &k) { return !k.tarih.isValid(); }),
                     bizimIsler.end());
    QCOMPARE(bizimIsler.size(), size_t(1));
    QByteArray veri = TakvimDosyasi::yaz(bizimIsler, {}, vt().kimlik(), QTimeZone::systemTimeZone());
    veri.chop(QByteArray("END:VCALENDAR\r\n").size());
    veri += "BEGIN:VEVENT\r\nUID:dis-1@ornek\r\nDTSTART:20261210T080000Z\r\n"
            "SUMMARY:Bilirkişi incelemesi ve keşif toplantısı\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:dis-2@ornek\r\nDTSTART;VALUE=DATE:20261208\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\n"
            "SUMMARY:Haftalık\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    yaz(yol(QStringLiteral("gelen.ics")), veri);

    ortam->dosyaSecimi->acilacakCevaplar = {yol(QStringLiteral("gelen.ics"))};
    QString ozet, klasor, baslik;
    int satir = -1;
    bool aralikAcik = false;
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<TakvimdanAlFormu *>(w);
        QVERIFY(f);
        baslik = f->windowTitle();
        klasor = Test::denetim<QComboBox>(f, "KlasorKutusu")->currentText();
        aralikAcik = Test::denetim<QGroupBox>(f, "AralikCercevesi")->isEnabled();
        ozet = Test::denetim<QLabel>(f, "OzetEtiketi")->text();
        satir = Test::denetim<IsListesi>(f, "OnizlemeListesi")->satirSayisi();
        Test::denetim<QPushButton>(f, "AlDugmesi")->click();
    });
    QVERIFY(TakvimKomutlari::takvimdenAl(nullptr, Ev));
    QCOMPARE(ortam->dosyaSecimi->acilacaklar.last().baslik, QStringLiteral("Takvim Dosyasından Al"));
    QCOMPARE(baslik, QStringLiteral("Takvim Dosyasından Al"));
    QCOMPARE(klasor, QStringLiteral("Ev"));
    QVERIFY(aralikAcik);
    QVERIFY2(ozet.contains(QStringLiteral("Dosyada 6 iş var; 5 iş alınacak.")), qPrintable(ozet));
    QVERIFY2(ozet.contains(QStringLiteral("1 iş veritabanında zaten var")), qPrintable(ozet));
    QVERIFY2(ozet.contains(QStringLiteral("1 işin konusu 20 karaktere kısaltılacak")), qPrintable(ozet));
    QVERIFY2(ozet.contains(QStringLiteral("1 yinelenen öğe 07.12.2026 - 07.12.2027")), qPrintable(ozet));
    QCOMPARE(satir, 5);
    QCOMPARE(ortam->mesajlar->metinler().last(), QStringLiteral("5 iş \"Ev\" klasörüne alındı."));
    const std::vector<IsKaydi> ev = vt().isleriListele(Ev, false, false, QDate());
    QCOMPARE(ev.size(), size_t(6));
    const auto uzun = std::find_if(ev.begin(), ev.end(), [](const IsKaydi &k) { return k.tarih == QDate(2026, 12, 10); });
    QVERIFY(uzun != ev.end());
    QCOMPARE(uzun->konu, QStringLiteral("Bilirkişi incelemesi"));
    QVERIFY(uzun->aciklama.contains(QStringLiteral("Bilirkişi incelemesi ve keşif toplantısı")));

    // The same file again: nothing new, "Al" cannot be pressed; a narrower range gives
    // fewer occurrences of the weekly item, and a wrong one none.
    ortam->dosyaSecimi->acilacakCevaplar = {yol(QStringLiteral("gelen.ics"))};
    bool alAcik = true;
    QString ikinciOzet, yanlisOzet;
    Test::modalGelince([&](QWidget *w) {
        auto *f = qobject_cast<TakvimdanAlFormu *>(w);
        QVERIFY(f);
        alAcik = Test::denetim<QPushButton>(f, "AlDugmesi")->isEnabled();
        ikinciOzet = Test::denetim<QLabel>(f, "OzetEtiketi")->text();
        Test::denetim<QDateEdit>(f, "BitisTarihiKutusu")->setDate(QDate(2026, 1, 1));
        yanlisOzet = Test::denetim<QLabel>(f, "OzetEtiketi")->text();
        QTest::keyClick(f, Qt::Key_Escape);
    });
    QVERIFY(!TakvimKomutlari::takvimdenAl(nullptr, Ev));
    QVERIFY(!alAcik);
    QVERIFY2(ikinciOzet.contains(QStringLiteral("alınacak yeni iş yok")), qPrintable(ikinciOzet));
    QVERIFY2(ikinciOzet.contains(QStringLiteral("6 iş veritabanında zaten var")), qPrintable(ikinciOzet));
    QCOMPARE(yanlisOzet, QStringLiteral("Bitiş tarihi başlangıçtan önce olamaz."));
    QCOMPARE(vt().isleriListele(Ev, false, false, QDate()).size(), size_t(6));
}

void TakvimKomutlariTesti::bozukDosyaHicbirSeyKaydetmez()
{
    yaz(yol(QStringLiteral("bozuk.ics")), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:1\r\n"
                                          "DTSTART:20261210T080000Z\r\nSUMMARY:Yarım");
    yaz(yol(QStringLiteral("kisi.vcf")), "BEGIN:VCARD\r\nFN:Ali\r\nEND:VCARD\r\n");
    bool pencereAcildi = false;
    Test::modalGelince([&](QWidget *w) {
        pencereAcildi = true;
        static_cast<QDialog *>(w)->reject();
    }, 300);
    for (const QString &ad : {QStringLiteral("bozuk.ics"), QStringLiteral("kisi.vcf")}) {
        ortam->mesajlar->temizle();
        ortam->dosyaSecimi->acilacakCevaplar = {yol(ad)};
        QVERIFY(!TakvimKomutlari::takvimdenAl(nullptr, Ev));
        QCOMPARE(ortam->mesajlar->gosterilenler.size(), 1);
        const QString m = ortam->mesajlar->gosterilenler.first().metin;
        QVERIFY2(m.contains(QStringLiteral("dosyası alınamadı")) && m.endsWith(QStringLiteral("Hiçbir iş kaydedilmedi.")),
                 qPrintable(m));
    }
    QVERIFY(ortam->mesajlar->gosterilenler.first().metin.contains(QStringLiteral("takvim dosyası (iCalendar) değil")));
    QTest::qWait(400);
    QVERIFY(!pencereAcildi);
    QCOMPARE(vt().isleriListele(Ev, false, false, QDate()).size(), size_t(1));
}

void TakvimKomutlariTesti::anaPencereMenusu()
{
    AnaForm ana(false);
    ana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ana));
    auto *aktar = Test::denetim<QAction>(&ana, "TakvimeAktarMenusu");
    auto *al = Test::denetim<QAction>(&ana, "TakvimdenAlMenusu");
    QCOMPARE(aktar->text(), QStringLiteral("Takvim Dosyasına Aktar..."));
    QCOMPARE(al->text(), QStringLiteral("Takvim Dosyasından Al..."));
    const QList<QAction *> ogeler = Test::denetim<QMenu>(&ana, "YapilacakIslerMenusu")->actions();
    QVERIFY(ogeler.contains(aktar) && ogeler.contains(al));
    // "Klasörlerim" is selected at the start: every folder's jobs, no question.
    ortam->dosyaSecimi->cevaplar = {yol(QStringLiteral("ana.ics"))};
    aktar->trigger();
    QCOMPARE(oku(yol(QStringLiteral("ana.ics"))).count("BEGIN:VEVENT"), 2);
    ortam->mesajlar->temizle();
    al->trigger(); // cancelled in the file dialog: nothing happens
    QCOMPARE(ortam->dosyaSecimi->acilacaklar.size(), 1);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

QTEST_MAIN(TakvimKomutlariTesti)
#include "tst_TakvimKomutlari.moc"

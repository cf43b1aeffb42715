// The job row model and view every job list shares: rows kept in compact form read
// back exactly, colours and icons, fills that replace rows in place, Turkish text
// sorting, and cells painted as the style paints them.

#include "TestOrtami.h"

#include "core/OrtakDegiskenler.h"
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

#include <sqlite3.h>

using namespace Zelvora;

namespace {
const QDate Bugun(2026, 12, 7);

Veritabani *vt()
{
    return &Veritabani::acik();
}

// Fills a model straight from the main window's listing of all folders.
void listele(IsSatiriModeli &m, bool etiketli = true)
{
    m.doldur([](const Veritabani::IsSatiriAlici &a) { vt()->isleriListele(QString(), true, false, Bugun, a); }, Bugun,
             etiketli);
}

QStringList sutun(const IsSatiriModeli &m, int s)
{
    QStringList l;
    for (int i = 0; i < m.rowCount(); ++i)
        l << m.hucreMetni(i, s);
    return l;
}

// A view configured as IsListesi is, painting with the style's own item delegate.
void ayniGorunum(QTreeView &v, IsListesi &l)
{
    v.setModel(l.model());
    v.setRootIsDecorated(false);
    v.setUniformRowHeights(true);
    v.setAllColumnsShowFocus(true);
    v.setSelectionBehavior(QAbstractItemView::SelectRows);
    v.setSelectionMode(QAbstractItemView::SingleSelection);
    v.setFont(l.font());
    v.header()->setStretchLastSection(false);
    v.resize(l.size());
    for (int i = 0; i < l.header()->count(); ++i)
        v.header()->resizeSection(i, l.header()->sectionSize(i));
}
} // namespace

class IsSatiriModeliTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void satirlarOlduguGibiOkunur();
    void renklerVeSimgeler();
    void yenidenDoldurmaSatirlariYerindeDegistirir();
    void okumaHatasindaOkunanlarKalir();
    void metinSiralamasiTurkceVeKalici();
    void hucrelerStilinCizdigiGibiCizilir();
    void cokSatirliAciklamaTekSatirdaGosterilir();
    void klasorAgaciStilinCizdigiGibiCizilir();

private:
    std::unique_ptr<Test::Ortam> ortam;
};

void IsSatiriModeliTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
}

void IsSatiriModeliTesti::cleanup()
{
    ortam.reset();
}

void IsSatiriModeliTesti::satirlarOlduguGibiOkunur()
{
    // Texts of every length (their lengths are stored in one to three bytes), Turkish
    // letters, empty and missing fields, a leap day, times with and without seconds.
    const QString uzun = QStringLiteral("Açıklama ığüşöç İĞÜŞÖÇ ").repeated(1000);
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2024, 2, 29), QTime(9, 5), QStringLiteral("Duruşma"),
                  QStringLiteral("İstanbul 3. Asliye"), QStringLiteral("2026/12"), uzun, true, false});
    vt()->isEkle({0, QStringLiteral("2-Anahtar"), QDate(2026, 12, 7), QTime(23, 59, 58), QString(200, QLatin1Char('k')),
                  {}, {}, QString(130, QChar(u'ş')), false, true});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(1999, 12, 31), QTime(0, 0), {}, {}, {}, {}, false, false});
    // Values no editor writes: a day that does not exist, an hour past 23, NULLs.
    vt()->calistir("INSERT INTO YapilacakIslerTablosu(Anahtari, IsinTarihi, IsinSaati, IsinKonusu, Hatirlatma, IsYapildi) "
                   "VALUES('3-Anahtar', '2026-02-30', '25:00:00', 'Olmayan gün', 1, 0), "
                   "(NULL, NULL, NULL, NULL, NULL, NULL)");
    IsSatiriModeli m;
    listele(m);
    QCOMPARE(m.rowCount(), 5);
    const std::vector<IsKaydi> beklenen = vt()->isleriListele(QString(), true, false, Bugun);
    QCOMPARE(int(beklenen.size()), 5);
    for (int i = 0; i < m.rowCount(); ++i) {
        const IsKaydi a = m.is(i);
        const IsKaydi &b = beklenen[size_t(i)];
        QCOMPARE(a.isNo, b.isNo);
        QCOMPARE(m.isNo(i), b.isNo);
        QCOMPARE(a.anahtari, b.anahtari);
        QCOMPARE(a.tarih, b.tarih);
        QCOMPARE(a.saat, b.saat);
        QCOMPARE(a.konu, b.konu);
        QCOMPARE(a.yer, b.yer);
        QCOMPARE(a.sayi, b.sayi);
        QCOMPARE(a.aciklama, b.aciklama);
        QCOMPARE(a.hatirlatma, b.hatirlatma);
        QCOMPARE(a.yapildi, b.yapildi);
        QCOMPARE(m.data(m.index(i, 0), IsSatiriModeli::AnahtarRolu).toString(), b.anahtari);
        // One job read on its own (the editor's and the reminder's way) agrees.
        const IsKaydi tek = vt()->is(b.isNo);
        QCOMPARE(a.tarih, tek.tarih);
        QCOMPARE(a.saat, tek.saat);
        QCOMPARE(a.aciklama, tek.aciklama);
    }
    // In the statement's order (the stored text's); cells as the list shows them, empty
    // where the stored value is not a date or a time.
    QCOMPARE(sutun(m, IsSatiriModeli::Tarihi),
             (QStringList{QString(), QStringLiteral("31.12.1999"), QStringLiteral("29.02.2024"), QString(),
                          QStringLiteral("07.12.2026")}));
    QCOMPARE(sutun(m, IsSatiriModeli::Saati),
             (QStringList{QString(), QStringLiteral("00:00:00"), QStringLiteral("09:05:00"), QString(),
                          QStringLiteral("23:59:58")}));
    QCOMPARE(m.hucreMetni(2, IsSatiriModeli::Aciklama), uzun);
    QCOMPARE(m.hucreMetni(4, IsSatiriModeli::Konusu), QString(200, QLatin1Char('k')));
    QCOMPARE(m.hucreMetni(4, IsSatiriModeli::IsNoSutunu), QString::number(beklenen[4].isNo));
    QCOMPARE(m.data(m.index(2, IsSatiriModeli::Aciklama), Qt::ToolTipRole).toString(), uzun.left(400) + QChar(0x2026));
    // The tag is kept only when all folders are listed.
    IsSatiriModeli etiketsiz;
    listele(etiketsiz, false);
    QCOMPARE(etiketsiz.data(etiketsiz.index(2, 0), IsSatiriModeli::AnahtarRolu).toString(), QString());
    // The same rows handed over as IsKaydi (the reminder window's way) read back the same.
    IsSatiriModeli kayitlardan;
    kayitlardan.doldur(vt()->isleriListele(QString(), true, false, Bugun), Bugun, true);
    for (int s = 0; s < IsSatiriModeli::SutunSayisi; ++s)
        QCOMPARE(sutun(kayitlardan, s), sutun(m, s));
}

void IsSatiriModeliTesti::renklerVeSimgeler()
{
    auto ekle = [](QDate t, bool hatirlat, bool yapildi, const QString &konu) {
        return vt()->isEkle({0, QStringLiteral("1-Anahtar"), t, QTime(9, 0), konu, {}, {}, {}, hatirlat, yapildi});
    };
    // Stored order: a dateless job comes first in date order, then by job number.
    ekle(QDate(2026, 12, 6), true, false, QStringLiteral("dün"));
    ekle(Bugun, false, false, QStringLiteral("bugün"));
    ekle(QDate(2026, 12, 8), true, true, QStringLiteral("yarın"));
    IsSatiriModeli m;
    listele(m);
    // The future's green (10, 140, 10) a shade darker, to be readable on white.
    const QColor gecmis(150, 40, 40), gelecek(10, 138, 10), bugun(40, 40, 150);
    auto renk = [&m](int i) { return m.data(m.index(i, 0), Qt::ForegroundRole).value<QColor>(); };
    QCOMPARE(renk(0), gecmis);
    QCOMPARE(renk(1), bugun);
    QCOMPARE(renk(2), gelecek);
    QVERIFY(!m.data(m.index(0, 1), Qt::ForegroundRole).isValid());
    QCOMPARE(m.simge(0), int(IsSatiriModeli::HatirlatSimgesi));
    QCOMPARE(m.simge(1), int(IsSatiriModeli::HatirlatmaSimgesi));
    QCOMPARE(m.simge(2), int(IsSatiriModeli::YapildiSimgesi));
    QVERIFY(m.data(m.index(0, 0), Qt::DecorationRole).value<QIcon>().cacheKey() !=
            m.data(m.index(2, 0), Qt::DecorationRole).value<QIcon>().cacheKey());
    QVERIFY(!m.data(m.index(0, 1), Qt::DecorationRole).isValid());
    m.yapildiyiYoksay(true);
    QCOMPARE(m.simge(2), int(IsSatiriModeli::HatirlatSimgesi));
    m.sabitSimge(IsSatiriModeli::YapildiSimgesi);
    QCOMPARE(m.data(m.index(1, 0), IsSatiriModeli::SimgeRolu).toInt(), int(IsSatiriModeli::YapildiSimgesi));

    // Rows without a date take the colour of the row filled before them, black first;
    // they keep it when the rows are sorted or one is deleted.
    vt()->calistir("INSERT INTO YapilacakIslerTablosu(Anahtari, IsinKonusu) VALUES('1-Anahtar', 'tarihsiz')");
    std::vector<IsKaydi> isler = vt()->isleriListele(QString(), true, false, Bugun);
    std::rotate(isler.begin(), isler.begin() + 1, isler.end()); // the dateless row after "yarın"
    std::vector<IsKaydi> ilkSirada = {isler.back()};
    IsSatiriModeli n;
    n.doldur(isler, Bugun, false);
    QCOMPARE(n.hucreMetni(3, IsSatiriModeli::Konusu), QStringLiteral("tarihsiz"));
    auto nRenk = [&n](int i) { return n.data(n.index(i, 0), Qt::ForegroundRole).value<QColor>(); };
    QCOMPARE(nRenk(3), gelecek);
    n.tarihleSirala(false);
    QCOMPARE(n.hucreMetni(0, IsSatiriModeli::Konusu), QStringLiteral("tarihsiz"));
    QCOMPARE(nRenk(0), gelecek);
    n.satirSil(1);
    QCOMPARE(nRenk(0), gelecek);
    n.doldur(ilkSirada, Bugun, false);
    QCOMPARE(nRenk(0), QColor(Qt::black));
}

void IsSatiriModeliTesti::yenidenDoldurmaSatirlariYerindeDegistirir()
{
    for (int i = 0; i < 7; ++i)
        vt()->isEkle({0, i < 5 ? QStringLiteral("1-Anahtar") : QStringLiteral("2-Anahtar"), QDate(2026, 12, 1 + i), QTime(9, 0),
                      QStringLiteral("iş ") + QString::number(i), {}, {}, {}, true, false});
    IsListesi l;
    l.resize(500, 300);
    l.show();
    QVERIFY(QTest::qWaitForWindowExposed(&l));
    IsSatiriModeli *m = l.model();
    QSignalSpy dolduruldu(m, &IsSatiriModeli::dolduruldu);
    QSignalSpy sifirlandi(m, &QAbstractItemModel::modelReset);
    auto klasor = [m](const QString &k) {
        m->doldur([&k](const Veritabani::IsSatiriAlici &a) { vt()->isleriListele(k, false, false, Bugun, a); }, Bugun,
                  false);
    };
    klasor(QStringLiteral("1-Anahtar"));
    QCOMPARE(m->rowCount(), 5);
    QCOMPARE(l.seciliSatir(), 0);
    l.satirSec(3);
    // Fewer rows, more rows, the same number, none: each fill replaces every row, is
    // announced once, and selects the first row.
    klasor(QStringLiteral("2-Anahtar"));
    QCOMPARE(sutun(*m, IsSatiriModeli::Konusu), (QStringList{QStringLiteral("iş 5"), QStringLiteral("iş 6")}));
    QCOMPARE(l.seciliSatir(), 0);
    l.satirSec(1);
    klasor(QStringLiteral("1-Anahtar"));
    QCOMPARE(m->rowCount(), 5);
    QCOMPARE(m->hucreMetni(4, IsSatiriModeli::Konusu), QStringLiteral("iş 4"));
    QCOMPARE(l.seciliSatir(), 0);
    QCOMPARE(l.seciliIsNo(), m->isNo(0));
    klasor(QStringLiteral("1-Anahtar"));
    QCOMPARE(m->rowCount(), 5);
    klasor(QStringLiteral("yok"));
    QCOMPARE(m->rowCount(), 0);
    QCOMPARE(l.seciliSatir(), -1);
    QCOMPARE(dolduruldu.size(), 5);
    QCOMPARE(sifirlandi.size(), 0);

    // A list filled over rows it had is painted as a freshly filled one.
    klasor(QStringLiteral("2-Anahtar"));
    QCoreApplication::processEvents();
    klasor(QStringLiteral("1-Anahtar"));
    QCoreApplication::processEvents();
    IsListesi taze;
    taze.resize(l.size());
    taze.show();
    QVERIFY(QTest::qWaitForWindowExposed(&taze));
    taze.model()->doldur(
        [](const Veritabani::IsSatiriAlici &a) { vt()->isleriListele(QStringLiteral("1-Anahtar"), false, false, Bugun, a); },
        Bugun, false);
    QCoreApplication::processEvents();
    QCOMPARE(l.viewport()->grab().toImage(), taze.viewport()->grab().toImage());
    l.model()->temizle();
    QCOMPARE(l.satirSayisi(), 0);
}

void IsSatiriModeliTesti::okumaHatasindaOkunanlarKalir()
{
    for (int i = 0; i < 3; ++i)
        vt()->isEkle({0, QStringLiteral("1-Anahtar"), Bugun, QTime(9, i), QStringLiteral("iş"), {}, {}, {}, true, false});
    IsSatiriModeli m;
    QSignalSpy dolduruldu(&m, &IsSatiriModeli::dolduruldu);
    m.doldur([](const Veritabani::IsSatiriAlici &a) { vt()->isleriListele(QString(), true, false, Bugun, a); }, Bugun,
             false);
    QCOMPARE(m.rowCount(), 3);
    // The listing fails after two rows: those two stay, the error goes on to the caller.
    int okunan = 0;
    QVERIFY_THROWS_EXCEPTION(Hata, m.doldur(
                                       [&](const Veritabani::IsSatiriAlici &a) {
                                           vt()->isleriListele(QString(), true, false, Bugun,
                                                               [&](const Veritabani::HamIsSatiri &s) {
                                                                   if (++okunan == 3)
                                                                       throw Hata(HataNo::DiskHatasi, QStringLiteral("okunamadı"));
                                                                   a(s);
                                                               });
                                       },
                                       Bugun, false));
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(dolduruldu.size(), 2);
}

void IsSatiriModeliTesti::metinSiralamasiTurkceVeKalici()
{
    const QStringList konular = {QStringLiteral("Zeytin"), QStringLiteral("ırmak"), QStringLiteral("İzmir"),
                                 QStringLiteral("çay"),    QStringLiteral("Ilık"),  QStringLiteral("ağaç"),
                                 QStringLiteral("Çorum"),  QStringLiteral("aynı"), QStringLiteral("Aynı")};
    for (int i = 0; i < konular.size(); ++i)
        vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 1).addDays(i), QTime(9, 0), konular[i], {}, {},
                      {}, true, false});
    IsSatiriModeli m;
    listele(m);
    m.metinleSirala(IsSatiriModeli::Konusu, false);
    // Turkish order without regard to case; equal texts keep their order.
    const QStringList artan = {QStringLiteral("ağaç"),  QStringLiteral("aynı"),  QStringLiteral("Aynı"),
                               QStringLiteral("çay"),   QStringLiteral("Çorum"), QStringLiteral("Ilık"),
                               QStringLiteral("ırmak"), QStringLiteral("İzmir"), QStringLiteral("Zeytin")};
    QCOMPARE(sutun(m, IsSatiriModeli::Konusu), artan);
    m.metinleSirala(IsSatiriModeli::Konusu, true);
    QCOMPARE(sutun(m, IsSatiriModeli::Konusu).first(), QStringLiteral("Zeytin"));
    QCOMPARE(sutun(m, IsSatiriModeli::Konusu).last(), QStringLiteral("ağaç"));
    // A later fill keeps the text order; the date order is a one-time ordering.
    m.metinleSirala(IsSatiriModeli::Konusu, false);
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 11, 1), QTime(9, 0), QStringLiteral("bilirkişi"), {}, {}, {},
                  true, false});
    listele(m);
    QCOMPARE(sutun(m, IsSatiriModeli::Konusu).at(3), QStringLiteral("bilirkişi"));
    m.tarihleSirala(true);
    QCOMPARE(m.hucreMetni(0, IsSatiriModeli::Tarihi), QStringLiteral("09.12.2026"));
    listele(m);
    QCOMPARE(m.hucreMetni(0, IsSatiriModeli::Konusu), QStringLiteral("bilirkişi"));
}

void IsSatiriModeliTesti::hucrelerStilinCizdigiGibiCizilir()
{
    // Texts that fit, that only just do not, that must be elided, with Turkish letters;
    // every state icon and date colour; one row selected.
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2026, 12, 1), QTime(9, 30), QStringLiteral("Duruşma"),
                  QStringLiteral("İstanbul 3. Asliye Hukuk Mahkemesi"), QStringLiteral("2026/1234567"),
                  QStringLiteral("Müvekkil ile görüşülecek, dosya hazırlanacak ve bilirkişi raporuna itiraz edilecek."),
                  true, false});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), Bugun, QTime(14, 0), QStringLiteral("Keşif"), QStringLiteral("Kadıköy"),
                  QStringLiteral("E.2025/44"), QStringLiteral("Tanıklar"), false, false});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), QDate(2027, 1, 15), QTime(11, 15), QStringLiteral("İİİİİİİİİİİİİİİİ"),
                  QStringLiteral("ÇĞÜŞÖİ çğüşöı WWWWWWWWWWWWWW"), QStringLiteral("iiiiiiiiiiiiiiiiiii"),
                  QString(300, QChar(u'ğ')), true, true});
    vt()->calistir("INSERT INTO YapilacakIslerTablosu(Anahtari, IsinKonusu) VALUES('1-Anahtar', 'Tarihsiz iş')");
    IsListesi l;
    l.resize(700, 160);
    const QList<int> genislikler = {84, 62, 70, 160, 66, 200, 0};
    for (int i = 0; i < genislikler.size(); ++i)
        l.header()->resizeSection(i, genislikler[i]);
    listele(*l.model(), false);
    l.satirSec(1);
    QTreeView v;
    ayniGorunum(v, l);
    v.selectionModel()->select(l.model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    l.show();
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&l));
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QCOMPARE(l.viewport()->grab().toImage(), v.viewport()->grab().toImage());
    // Narrower columns, so that more texts are elided.
    for (QTreeView *g : {static_cast<QTreeView *>(&l), &v}) {
        g->header()->resizeSection(IsSatiriModeli::Yeri, 61);
        g->header()->resizeSection(IsSatiriModeli::Aciklama, 47);
    }
    QCoreApplication::processEvents();
    QCOMPARE(l.viewport()->grab().toImage(), v.viewport()->grab().toImage());
}

void IsSatiriModeliTesti::cokSatirliAciklamaTekSatirdaGosterilir()
{
    QString uzun;
    for (int i = 0; i < 3000; ++i)
        uzun += QStringLiteral("satır %1\n").arg(i);
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), Bugun, QTime(9, 0), QStringLiteral("Keşif"), QStringLiteral("Büro"),
                  QString(), uzun, true, false});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), Bugun, QTime(10, 0), QStringLiteral("Duruşma"),
                  QStringLiteral("Çağlayan"), QString(), QStringLiteral("tanıklar\thazır\r\nolacak\rdosya"), true,
                  false});
    vt()->isEkle({0, QStringLiteral("1-Anahtar"), Bugun, QTime(11, 0), QStringLiteral("Tebligat"),
                  QStringLiteral("Adliye"), QString(), QStringLiteral("tek satır"), true, false});
    IsListesi l;
    l.resize(700, 300);
    listele(*l.model(), false);
    l.show();
    QVERIFY(QTest::qWaitForWindowExposed(&l));
    IsSatiriModeli *m = l.model();
    const QModelIndex ilk = m->index(0, IsSatiriModeli::Aciklama);
    // The first row, with 3 000 lines, is as tall as a row of one line.
    QCOMPARE(l.visualRect(ilk).height(), l.visualRect(m->index(2, IsSatiriModeli::Aciklama)).height());
    QVERIFY(l.visualRect(ilk).height() < 3 * l.fontMetrics().height());
    // Breaks and tabs show as one space each, not run together; the stored text is whole.
    QCOMPARE(m->index(1, IsSatiriModeli::Aciklama).data().toString(), QStringLiteral("tanıklar hazır olacak dosya"));
    QVERIFY(!ilk.data().toString().contains(QLatin1Char('\n')));
    QCOMPARE(m->hucreMetni(0, IsSatiriModeli::Aciklama), uzun);
    // The tooltip of a long description is bounded; a short one is whole.
    const QString ipucu = ilk.data(Qt::ToolTipRole).toString();
    QVERIFY(ipucu.size() <= 401);
    QVERIFY(uzun.startsWith(ipucu.chopped(1)));
    QCOMPARE(m->index(2, IsSatiriModeli::Aciklama).data(Qt::ToolTipRole).toString(), QStringLiteral("tek satır"));
}

void IsSatiriModeliTesti::klasorAgaciStilinCizdigiGibiCizilir()
{
    // The folder tree paints its nodes with the same cell painter: icons, the selected
    // node, the node a right click or a drag points at (its own colours), long names.
    KlasorAgaci a;
    a.resize(190, 220);
    a.dugumEkle(QString(), KlasorAgaci::ProgramAnahtari, QStringLiteral("Zelvora"), 1);
    a.dugumEkle(KlasorAgaci::ProgramAnahtari, KlasorAgaci::KlasorAnahtari, QStringLiteral("Klasörlerim"), 2);
    a.dugumEkle(KlasorAgaci::KlasorAnahtari, QStringLiteral("1-Anahtar"), QStringLiteral("Duruşmalar"), 3);
    a.dugumEkle(KlasorAgaci::KlasorAnahtari, QStringLiteral("2-Anahtar"),
                QStringLiteral("İcra takipleri ve ödeme emirleri, Ağrı-Iğdır dosyaları"), 4);
    a.dugumEkle(QStringLiteral("1-Anahtar"), QStringLiteral("3-Anahtar"), QStringLiteral("Yeni Klasör"), 3);
    a.expandAll();
    a.setCurrentItem(a.dugum(QStringLiteral("1-Anahtar")));
    a.vurguluDugumAyarla(a.dugum(QStringLiteral("2-Anahtar")));
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    const QImage cizici = a.viewport()->grab().toImage();
    QAbstractItemDelegate *kendi = a.itemDelegate();
    QStyledItemDelegate stil;
    a.setItemDelegate(&stil);
    QCOMPARE(cizici, a.viewport()->grab().toImage());
    a.setItemDelegate(kendi);
}

QTEST_MAIN(IsSatiriModeliTesti)
#include "tst_IsSatiriModeli.moc"

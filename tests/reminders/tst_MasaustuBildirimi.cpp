// The desktop notification of due jobs and the scan after waking from sleep, on a D-Bus
// bus of this test's own: the reminder window's outcomes reached from the notification's
// actions, the withdrawal, the texts, and what happens without a server. A notification
// server and logind are played on that bus by connections of the test, the one way to
// drive a server into late answers and foreign senders; the real server (dunst) is met in
// scripts/bildirim-uctan-uca.sh.

#include "TestOrtami.h"

#include "core/UykuIzleyicisi.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/HatirlatmaFormu.h"
#include "reminders/MasaustuBildirimi.h"
#include "ui/AnaForm.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace Zelvora;

namespace {

const QString Klasor = QStringLiteral("1-Anahtar");
const QDate Bugun(2026, 12, 7);
const QString Servis = QStringLiteral("org.freedesktop.Notifications");
const QString Yol = QStringLiteral("/org/freedesktop/Notifications");

QString yolAdresi; // the test bus, started before the application
pid_t yolPid = 0;

// A notification server on the test bus: it records what it is asked and answers as a
// desktop's notification server does (org.freedesktop.Notifications).
class SunucuNesnesi : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList yetenekler{QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("body-markup")};
    QList<QVariantList> bildirimler; // the arguments of each Notify
    QList<uint> kapatilanlar;
    uint sonNo = 0;
    // Holds the answer to Notify until yanitla().
    bool bekletilsin = false;
    QDBusMessage bekleyen;
    void yanitla()
    {
        QDBusConnection(QStringLiteral("sunucu")).send(bekleyen.createReply(QVariant::fromValue(sonNo)));
    }

public Q_SLOTS:
    Q_SCRIPTABLE QStringList GetCapabilities() { return yetenekler; }
    Q_SCRIPTABLE uint Notify(const QString &uygulama, uint yerine, const QString &simge, const QString &ozet,
                             const QString &govde, const QStringList &eylemler, const QVariantMap &ipuclari, int sure)
    {
        bildirimler << QVariantList{uygulama, yerine, simge, ozet, govde, eylemler, ipuclari, sure};
        if (bekletilsin) {
            setDelayedReply(true);
            bekleyen = message();
        }
        return ++sonNo;
    }
    Q_SCRIPTABLE void CloseNotification(uint no) { kapatilanlar << no; }
};

struct Sunucu {
    QDBusConnection baglanti = QDBusConnection::connectToBus(yolAdresi, QStringLiteral("sunucu"));
    SunucuNesnesi nesne;
    Sunucu()
    {
        baglanti.registerObject(Yol, &nesne, QDBusConnection::ExportScriptableSlots);
        baglanti.registerService(Servis);
    }
    ~Sunucu()
    {
        baglanti.unregisterService(Servis);
        baglanti.unregisterObject(Yol);
        QDBusConnection::disconnectFromBus(QStringLiteral("sunucu"));
    }
    static void eylemGonder(QDBusConnection b, uint no, const QString &eylem)
    {
        QDBusMessage m = QDBusMessage::createSignal(Yol, Servis, QStringLiteral("ActionInvoked"));
        m << no << eylem;
        b.send(m);
    }
    void eylem(uint no, const QString &eylem) { eylemGonder(baglanti, no, eylem); }
};

IsKaydi is(qint64 no, QDate t, QTime s, const QString &konu)
{
    IsKaydi k;
    k.isNo = no;
    k.tarih = t;
    k.saat = s;
    k.konu = konu;
    return k;
}

} // namespace

class MasaustuBildirimiTesti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void metinler();
    void sunucusuzPencereDegismez();
    void eylemlerPenceredekiSonucuVerir();
    void pencerede_sonuclandirmaGeriCeker();
    void gecYanitVeYabanciGonderici();
    void uyaninca_hemenTaranir();

private:
    qint64 isEkle(QTime s, const QString &konu)
    {
        return Veritabani::acik().isEkle({0, Klasor, Bugun, s, konu, QString(), QString(), QString(), true, false});
    }
    // One tick with the reminder window up while eylem runs; the window is hidden after.
    void tikla(AnaForm &ana, const std::function<void(HatirlatmaFormu *)> &eylem)
    {
        Test::modalGelince([&eylem](QWidget *w) {
            QPointer<QWidget> p = w;
            if (auto *f = qobject_cast<HatirlatmaFormu *>(w))
                eylem(f);
            if (p && p->isVisible())
                p->hide();
        });
        Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu")->stop();
        ana.YapilacakIsKontrolu_Timer();
    }

    std::unique_ptr<Test::Ortam> ortam;
};

void MasaustuBildirimiTesti::initTestCase()
{
    if (yolAdresi.isEmpty())
        ZELVORA_CALISAMAZ("no dbus-daemon to start a bus of the test's own");
}

void MasaustuBildirimiTesti::init()
{
    ortam = std::make_unique<Test::Ortam>();
    ortam->veritabaniniAc();
    Veritabani::acik().klasorEkle({Klasor, KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
    ortam->saat->an = QDateTime(Bugun, QTime(14, 35, 20));
}

void MasaustuBildirimiTesti::cleanup()
{
    ortam.reset();
}

void MasaustuBildirimiTesti::metinler()
{
    const QList<IsKaydi> bir{is(1, Bugun, QTime(14, 35), QStringLiteral("Duruşma  hazırlığı\n"))};
    QCOMPARE(MasaustuBildirimi::govdeMetni(bir, Bugun, false), QStringLiteral("14:35 Duruşma hazırlığı"));
    // A job of an earlier day shows its date; one without a subject its time alone.
    const QList<IsKaydi> iki{is(1, Bugun.addDays(-1), QTime(9, 0), QStringLiteral("Keşif")),
                             is(2, Bugun, QTime(10, 5), QString())};
    QCOMPARE(MasaustuBildirimi::govdeMetni(iki, Bugun, false), QStringLiteral("06.12.2026 09:00 Keşif\n10:05"));
    // Many are counted and the first ones named.
    QList<IsKaydi> bes;
    for (int i = 0; i < 5; ++i)
        bes << is(i + 1, Bugun, QTime(8 + i, 0), QStringLiteral("İş %1").arg(i + 1));
    QCOMPARE(MasaustuBildirimi::govdeMetni(bes, Bugun, false),
             QStringLiteral("5 iş\n08:00 İş 1\n09:00 İş 2\n10:00 İş 3\n…"));
    // A server that reads markup gets the subject as typed, not as markup.
    const QList<IsKaydi> isaretli{is(1, Bugun, QTime(14, 35), QStringLiteral("A & B <b>C</b>"))};
    QCOMPARE(MasaustuBildirimi::govdeMetni(isaretli, Bugun, true), QStringLiteral("14:35 A &amp; B &lt;b&gt;C&lt;/b&gt;"));
    QCOMPARE(MasaustuBildirimi::govdeMetni(isaretli, Bugun, false), QStringLiteral("14:35 A & B <b>C</b>"));
}

void MasaustuBildirimiTesti::sunucusuzPencereDegismez()
{
    // A session without a bus: the library is not let to start one.
    const QByteArray adres = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", ortam->klasor.path().toUtf8());
    QVERIFY(!MasaustuBildirimi::oturumBaglantisi().isConnected());
    qputenv("DBUS_SESSION_BUS_ADDRESS", adres);
    QVERIFY(MasaustuBildirimi::oturumBaglantisi().isConnected());

    // A bus without a notification server: the window comes and is settled as ever.
    const qint64 no = isEkle(QTime(14, 0), QStringLiteral("iş"));
    AnaForm ana(false);
    MasaustuBildirimi *b = ana.findChild<MasaustuBildirimi *>();
    QVERIFY(b);
    bool goruldu = false;
    tikla(ana, [&](HatirlatmaFormu *f) {
        goruldu = true;
        QCOMPARE(b->isNolari(), QList<qint64>{no});
        Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri0")->click();
        Test::denetim<QPushButton>(f, "OnaylaDugmesi")->click();
    });
    QVERIFY(goruldu);
    QVERIFY(Veritabani::acik().is(no).yapildi);
    QCOMPARE(b->bildirimNo(), 0u);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty());
}

void MasaustuBildirimiTesti::eylemlerPenceredekiSonucuVerir()
{
    Sunucu sunucu;
    const qint64 a = isEkle(QTime(14, 0), QStringLiteral("Duruşma"));
    const qint64 b = isEkle(QTime(14, 30), QStringLiteral("Keşif"));
    AnaForm ana(false);
    MasaustuBildirimi *bildirim = ana.findChild<MasaustuBildirimi *>();

    // "İş yapıldı" settles every job the notification names, and the window closes.
    QVariantList arg;
    bool kapandi = false;
    tikla(ana, [&](HatirlatmaFormu *f) {
        QTRY_VERIFY(bildirim->bildirimNo() != 0);
        arg = sunucu.nesne.bildirimler.constFirst();
        QCOMPARE(f->isSonucu(), -1);
        sunucu.eylem(bildirim->bildirimNo(), QStringLiteral("yapildi"));
        QTRY_VERIFY(!f->isVisible());
        kapandi = true;
    });
    QVERIFY(kapandi);
    QCOMPARE(arg.at(3).toString(), QStringLiteral("Hatırlatılacak İşler"));
    QCOMPARE(arg.at(4).toString(), QStringLiteral("14:00 Duruşma\n14:30 Keşif"));
    QCOMPARE(arg.at(5).toStringList(),
             (QStringList{QStringLiteral("default"), QStringLiteral("Göster"), QStringLiteral("yapildi"),
                          QStringLiteral("İş yapıldı"), QStringLiteral("ertele"), QStringLiteral("15 dakika ertele")}));
    QVERIFY(Veritabani::acik().is(a).yapildi && Veritabani::acik().is(b).yapildi);
    QVERIFY(ortam->mesajlar->gosterilenler.isEmpty()); // no question: nothing was left
    QTRY_COMPARE(sunucu.nesne.kapatilanlar, QList<uint>{1});

    // "15 dakika ertele": the job comes back at the wall clock's time 15 minutes on.
    const qint64 c = isEkle(QTime(14, 35), QStringLiteral("Ertelenecek"));
    tikla(ana, [&](HatirlatmaFormu *f) {
        QTRY_VERIFY(bildirim->bildirimNo() == 2);
        sunucu.eylem(2, QStringLiteral("ertele"));
        QTRY_VERIFY(!f->isVisible());
    });
    QCOMPARE(Veritabani::acik().is(c).saat, QTime(14, 50, 20));
    QVERIFY(!Veritabani::acik().is(c).yapildi);

    // A server without actions is offered none.
    sunucu.nesne.yetenekler = {QStringLiteral("body")};
    isEkle(QTime(14, 1), QStringLiteral("Düz <metin>"));
    tikla(ana, [&](HatirlatmaFormu *) { QTRY_COMPARE(sunucu.nesne.bildirimler.size(), 3); });
    QVERIFY(sunucu.nesne.bildirimler.at(2).at(5).toStringList().isEmpty());
    QCOMPARE(sunucu.nesne.bildirimler.at(2).at(4).toString(), QStringLiteral("14:01 Düz <metin>"));
}

void MasaustuBildirimiTesti::pencerede_sonuclandirmaGeriCeker()
{
    Sunucu sunucu;
    const qint64 a = isEkle(QTime(14, 0), QStringLiteral("bir"));
    const qint64 b = isEkle(QTime(14, 1), QStringLiteral("iki"));
    AnaForm ana(false);
    MasaustuBildirimi *bildirim = ana.findChild<MasaustuBildirimi *>();
    tikla(ana, [&](HatirlatmaFormu *f) {
        QTRY_VERIFY(bildirim->bildirimNo() != 0);
        const uint no = bildirim->bildirimNo();
        // The first job settled in the window withdraws the notification.
        Test::denetim<QRadioButton>(f, "IsSonucuSecenekleri2")->click();
        Test::denetim<QPushButton>(f, "OnaylaDugmesi")->click();
        QTRY_COMPARE(sunucu.nesne.kapatilanlar, QList<uint>{no});
        QCOMPARE(bildirim->bildirimNo(), 0u);
        // Its action, chosen late, no longer settles anything.
        sunucu.eylem(no, QStringLiteral("yapildi"));
        QTest::qWait(50);
        QCOMPARE(f->satirSayisi(), 1);

        // With the job editor open over the window, an action takes the user there and
        // leaves the jobs to the editor.
        bildirim->goster(f->listelenenIsler(), Bugun);
        QTRY_VERIFY(bildirim->bildirimNo() != 0);
        const uint ikinci = bildirim->bildirimNo();
        bool duzenleyiciAcikti = false;
        Test::modalGelince([&](QWidget *w) {
            duzenleyiciAcikti = qobject_cast<IsEklemeDegistirmeFormu *>(w);
            sunucu.eylem(ikinci, QStringLiteral("yapildi"));
            QTRY_VERIFY(sunucu.nesne.kapatilanlar.contains(ikinci));
            QTest::qWait(20);
            w->close();
        });
        Test::denetim<QPushButton>(f, "DegisiklikYapDugmesi")->click();
        QVERIFY(duzenleyiciAcikti);
        QCOMPARE(f->satirSayisi(), 1);
        QVERIFY(f->isVisible());
    });
    QVERIFY(!Veritabani::acik().is(a).hatirlatma);
    QVERIFY(!Veritabani::acik().is(b).yapildi);
}

void MasaustuBildirimiTesti::gecYanitVeYabanciGonderici()
{
    Sunucu sunucu;
    QDBusConnection istemci = QDBusConnection::connectToBus(yolAdresi, QStringLiteral("istemci"));
    MasaustuBildirimi b(istemci, nullptr);
    QSignalSpy secilen(&b, &MasaustuBildirimi::sonucSecildi);
    QSignalSpy istenen(&b, &MasaustuBildirimi::pencereIstendi);
    const QList<IsKaydi> isler{is(7, Bugun, QTime(9, 0), QStringLiteral("x")), is(8, Bugun, QTime(9, 5), QStringLiteral("y"))};

    // Withdrawn before the server was asked to show it: it is never shown.
    b.goster(isler, Bugun);
    b.geriCek();
    QTest::qWait(100);
    QVERIFY(sunucu.nesne.bildirimler.isEmpty());
    // Withdrawn while the server was showing it: closed as soon as its id is known.
    sunucu.nesne.bekletilsin = true;
    b.goster(isler, Bugun);
    QTRY_COMPARE(sunucu.nesne.bildirimler.size(), 1);
    b.geriCek();
    sunucu.nesne.yanitla();
    QTRY_COMPARE(sunucu.nesne.kapatilanlar, QList<uint>{1});
    QCOMPARE(b.bildirimNo(), 0u);
    sunucu.nesne.bekletilsin = false;

    b.goster(isler, Bugun);
    QTRY_COMPARE(b.bildirimNo(), 2u);
    // Another program on the bus cannot act for the server.
    QDBusConnection yabanci = QDBusConnection::connectToBus(yolAdresi, QStringLiteral("yabanci"));
    Sunucu::eylemGonder(yabanci, 2, QStringLiteral("yapildi"));
    sunucu.eylem(2, QStringLiteral("default"));
    QTRY_COMPARE(istenen.size(), 1);
    QCOMPARE(secilen.size(), 0);
    // The server's own: once, for the jobs named.
    sunucu.eylem(2, QStringLiteral("ertele"));
    sunucu.eylem(2, QStringLiteral("yapildi"));
    QTRY_COMPARE(secilen.size(), 1);
    QTest::qWait(50);
    QCOMPARE(secilen.size(), 1);
    QCOMPARE(secilen.at(0).at(0).toInt(), MasaustuBildirimi::Ertele);
    QCOMPARE(secilen.at(0).at(1).value<QList<qint64>>(), (QList<qint64>{7, 8}));
    QDBusConnection::disconnectFromBus(QStringLiteral("yabanci"));
    QDBusConnection::disconnectFromBus(QStringLiteral("istemci"));
}

void MasaustuBildirimiTesti::uyaninca_hemenTaranir()
{
    QDBusConnection logind = QDBusConnection::connectToBus(yolAdresi, QStringLiteral("logind"));
    QDBusConnection yabanci = QDBusConnection::connectToBus(yolAdresi, QStringLiteral("yabanci2"));
    QVERIFY(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    UykuIzleyicisi izleyici(QDBusConnection::connectToBus(yolAdresi, QStringLiteral("izleyici")), nullptr);
    QVERIFY(izleyici.dinliyor());
    QSignalSpy uyandi(&izleyici, &UykuIzleyicisi::uyandi);
    auto gonder = [](QDBusConnection b, bool uyuyacak) {
        QDBusMessage m = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                    QStringLiteral("org.freedesktop.login1.Manager"),
                                                    QStringLiteral("PrepareForSleep"));
        m << uyuyacak;
        b.send(m);
    };
    gonder(logind, true);
    gonder(yabanci, false);
    gonder(logind, false);
    QTRY_COMPARE(uyandi.size(), 1);
    QTest::qWait(50);
    QCOMPARE(uyandi.size(), 1);

    // The scan runs at once, and only once scanning has begun.
    AnaForm ana(false);
    auto *tarama = ana.findChild<HatirlatmaTaramasi *>();
    QVERIFY(tarama);
    QTimer *zamanlayici = Test::denetim<QTimer>(&ana, "YapilacakIsKontrolu");
    zamanlayici->start(32000);
    tarama->hemenTara();
    QCOMPARE(zamanlayici->interval(), 0);
    QVERIFY(zamanlayici->isActive());
    zamanlayici->stop();
    for (const char *ad : {"logind", "yabanci2", "izleyici"})
        QDBusConnection::disconnectFromBus(QString::fromLatin1(ad));
}

// The test's own bus is started before the application, so that the program's own
// connection to "the session bus" is to it.
int main(int argc, char **argv)
{
    char sablon[] = "/tmp/zelvora-yol.XXXXXX";
    if (mkdtemp(sablon)) {
        const std::string klasor = sablon;
        std::ofstream(klasor + "/yol.conf")
            << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:dir="
            << klasor
            << "</listen><auth>EXTERNAL</auth>"
               "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";
        const std::string komut = "dbus-daemon --fork --print-address=1 --print-pid=1 --config-file=" + klasor + "/yol.conf";
        if (FILE *p = popen(komut.c_str(), "r")) {
            char adres[512] = {}, pid[32] = {};
            if (fgets(adres, sizeof adres, p) && fgets(pid, sizeof pid, p)) {
                yolAdresi = QString::fromLocal8Bit(adres).trimmed();
                yolPid = pid_t(std::atoi(pid));
            }
            pclose(p);
        }
    }
    if (!yolAdresi.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", yolAdresi.toLocal8Bit());
    int sonuc = 0;
    {
        QApplication app(argc, argv);
        MasaustuBildirimiTesti t;
        sonuc = QTest::qExec(&t, argc, argv);
    }
    if (yolPid > 0)
        kill(yolPid, SIGTERM);
    return sonuc;
}

#include "tst_MasaustuBildirimi.moc"

// The calendar file: jobs written as iCalendar and read back by libical's parser and by
// a second, independent reader (python3-icalendar); files of other calendars read into
// jobs; the database's identity on both back ends and the import's one transaction.

#include "TestOrtami.h"

#include "core/Baslangic.h"
#include "core/Hata.h"
#include "core/TakvimDosyasi.h"
#include "core/Veritabani.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <libical/ical.h>

#include <memory>

using namespace Zelvora;
namespace TD = Zelvora::TakvimDosyasi;

namespace {

struct BilesenSil {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Bilesen = std::unique_ptr<icalcomponent, BilesenSil>;

QStringList kategoriler(icalcomponent *c)
{
    QStringList s;
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_CATEGORIES_PROPERTY))
        s << QString::fromUtf8(icalproperty_get_categories(p));
    return s;
}

QList<icalcomponent *> olaylar(icalcomponent *takvim)
{
    QList<icalcomponent *> s;
    for (icalcomponent *e = icalcomponent_get_first_component(takvim, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(takvim, ICAL_VEVENT_COMPONENT))
        s << e;
    return s;
}

IsKaydi is(qint64 no, const QDate &tarih, const QTime &saat, const QString &konu)
{
    IsKaydi k;
    k.isNo = no;
    k.anahtari = QStringLiteral("2-Anahtar");
    k.tarih = tarih;
    k.saat = saat;
    k.konu = konu;
    return k;
}

const QString KIMLIK = QStringLiteral("deneme-kimligi");

} // namespace

class TakvimDosyasiTesti : public QObject {
    Q_OBJECT
private slots:
    void init() { m_ortam = std::make_unique<Test::Ortam>(); }
    void cleanup()
    {
        Veritabani::acikAyarla(nullptr);
        m_sunucuBag.reset();
        m_ortam.reset();
    }

    void uidKararliVeGeriCozulur();
    void libicalIleGeriOkunur();
    void ikinciOkuyucuAyniOlaylariGorur();
    void dosyaGuvenliYazilir();
    void dosyaKimligiKararli();
    void sunucuKimligiMasadanBagimsiz();

private:
    std::unique_ptr<Test::Ortam> m_ortam;
    std::unique_ptr<Veritabani> m_sunucuBag;
};

void TakvimDosyasiTesti::uidKararliVeGeriCozulur()
{
    const QString u = TD::uid(KIMLIK, 42);
    QCOMPARE(TD::uid(KIMLIK, 42), u);
    QVERIFY(u != TD::uid(KIMLIK, 43));
    QVERIFY(u != TD::uid(QStringLiteral("baska"), 42));
    QCOMPARE(TD::isNumarasi(u, KIMLIK), qint64(42));
    // Another database's UID, and another calendar's, are no job of ours.
    QCOMPARE(TD::isNumarasi(u, QStringLiteral("baska")), qint64(0));
    QCOMPARE(TD::isNumarasi(QStringLiteral("040000008200E00074C5B7101A82E008@outlook"), KIMLIK), qint64(0));
    QCOMPARE(TD::isNumarasi(u + QStringLiteral("x"), KIMLIK), qint64(0));
}

void TakvimDosyasiTesti::libicalIleGeriOkunur()
{
    const QTimeZone istanbul("Europe/Istanbul");
    const QTimeZone berlin("Europe/Berlin");
    std::vector<IsKaydi> isler;
    IsKaydi durusma = is(7, QDate(2026, 12, 9), QTime(9, 30), QStringLiteral("Duruşma; İstinaf, ölçü"));
    durusma.yer = QStringLiteral("Ankara 3. Asliye Hukuk Mahkemesi");
    durusma.sayi = QStringLiteral("2026/145");
    // Long, with line breaks and every Turkish letter: folded by libical, never broken
    // inside a letter.
    durusma.aciklama = QStringLiteral("Çağrı şöyle: ğüşıöç ĞÜŞİÖÇ\nikinci satır, noktalı; virgüllü\\ters ")
        + QString(60, QChar(0x011F));
    durusma.hatirlatma = true;
    durusma.onGunler = {1, 7, 3};
    isler.push_back(durusma);
    IsKaydi gunluk = is(8, QDate(2026, 12, 10), QTime(), QStringLiteral("Tüm gün"));
    gunluk.hatirlatma = true;
    isler.push_back(gunluk);
    IsKaydi yapildi = is(9, QDate(2026, 3, 29), QTime(2, 30), QStringLiteral("Yapıldı iş"));
    yapildi.yapildi = true;
    yapildi.hatirlatma = true;
    yapildi.onGunler = {2};
    isler.push_back(yapildi);
    isler.push_back(is(10, QDate(), QTime(10, 0), QStringLiteral("Tarihsiz")));
    const QHash<QString, QString> yollar{{QStringLiteral("2-Anahtar"), QStringLiteral("Davalar/Ankara, Merkez")}};
    const QDateTime damga(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC);

    for (const QTimeZone &bolge : {istanbul, berlin}) {
        const QByteArray veri = TD::yaz(isler, yollar, KIMLIK, bolge, damga);
        QCOMPARE(TD::tarihsizSayisi(isler), qsizetype(1));
        // Every line at most 75 octets, ending in CRLF, each a whole UTF-8 text.
        QVERIFY(veri.endsWith("END:VCALENDAR\r\n"));
        for (const QByteArray &satir : veri.split('\n')) {
            QVERIFY2(satir.size() <= 76, satir.constData());
            QVERIFY(satir.isEmpty() || satir.endsWith('\r'));
            QVERIFY2(QString::fromUtf8(satir).toUtf8() == satir, satir.constData());
        }
        Bilesen takvim(icalparser_parse_string(veri.constData()));
        QVERIFY(takvim);
        QCOMPARE(icalcomponent_isa(takvim.get()), ICAL_VCALENDAR_COMPONENT);
        QCOMPARE(QString::fromUtf8(icalproperty_get_version(
                     icalcomponent_get_first_property(takvim.get(), ICAL_VERSION_PROPERTY))),
                 QStringLiteral("2.0"));
        QVERIFY(icalcomponent_get_first_property(takvim.get(), ICAL_PRODID_PROPERTY));
        QCOMPARE(icalcomponent_count_components(takvim.get(), ICAL_VTIMEZONE_COMPONENT), 1);
        // The zone the file carries, used by libical to place each start at an instant.
        icaltimezone *dilim = icaltimezone_new();
        QVERIFY(icaltimezone_set_component(
            dilim, icalcomponent_new_clone(icalcomponent_get_first_component(takvim.get(), ICAL_VTIMEZONE_COMPONENT))));
        QCOMPARE(QString::fromUtf8(icaltimezone_get_tzid(dilim)), QString::fromUtf8(bolge.id()));
        const QList<icalcomponent *> e = olaylar(takvim.get());
        QCOMPARE(e.size(), 3);

        // The hearing: its texts, its zone, an hour long, a reminder and three warnings.
        QCOMPARE(QString::fromUtf8(icalcomponent_get_uid(e[0])), TD::uid(KIMLIK, 7));
        QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(e[0])), durusma.konu);
        QCOMPARE(QString::fromUtf8(icalcomponent_get_location(e[0])), durusma.yer);
        QCOMPARE(QString::fromUtf8(icalcomponent_get_description(e[0])),
                 QStringLiteral("Sayı: 2026/145\n") + durusma.aciklama);
        // A comma of a folder's name would part the path into two categories.
        QCOMPARE(kategoriler(e[0]), QStringList{QStringLiteral("Davalar/Ankara\u201A Merkez")});
        icalproperty *bas = icalcomponent_get_first_property(e[0], ICAL_DTSTART_PROPERTY);
        icalparameter *tzid = icalproperty_get_first_parameter(bas, ICAL_TZID_PARAMETER);
        QVERIFY(tzid);
        QCOMPARE(QString::fromUtf8(icalparameter_get_tzid(tzid)), QString::fromUtf8(bolge.id()));
        icaltimetype t = icalproperty_get_dtstart(bas);
        QCOMPARE(qint64(icaltime_as_timet_with_zone(t, dilim)),
                 QDateTime(QDate(2026, 12, 9), QTime(9, 30), bolge).toSecsSinceEpoch());
        QCOMPARE(icaldurationtype_as_int(icalcomponent_get_duration(e[0])), 3600);
        QList<int> tetikler;
        for (icalcomponent *a = icalcomponent_get_first_component(e[0], ICAL_VALARM_COMPONENT); a;
             a = icalcomponent_get_next_component(e[0], ICAL_VALARM_COMPONENT)) {
            QCOMPARE(icalproperty_get_action(icalcomponent_get_first_property(a, ICAL_ACTION_PROPERTY)),
                     ICAL_ACTION_DISPLAY);
            tetikler << icaldurationtype_as_int(
                icalproperty_get_trigger(icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY)).duration);
        }
        QCOMPARE(tetikler, (QList<int>{0, -7 * 86400, -3 * 86400, -86400}));

        // A job without a time: a whole day, ending the next day, no zone.
        bas = icalcomponent_get_first_property(e[1], ICAL_DTSTART_PROPERTY);
        QVERIFY(!icalproperty_get_first_parameter(bas, ICAL_TZID_PARAMETER));
        t = icalproperty_get_dtstart(bas);
        QVERIFY(t.is_date);
        QCOMPARE(QDate(t.year, t.month, t.day), QDate(2026, 12, 10));
        const icaltimetype son = icalcomponent_get_dtend(e[1]);
        QCOMPARE(QDate(son.year, son.month, son.day), QDate(2026, 12, 11));
        QVERIFY(veri.contains("DTSTART;VALUE=DATE:20261210"));
        QCOMPARE(icalcomponent_count_components(e[1], ICAL_VALARM_COMPONENT), 1);

        // A done job: marked so, not reminded. Its time is one Berlin's clocks skip: it
        // is written as the moment the program takes it for, an hour later, which every
        // reader then places alike.
        QVERIFY(kategoriler(e[2]).contains(QStringLiteral("Yapıldı")));
        QVERIFY(veri.contains("X-ZELVORA-YAPILDI:TRUE"));
        QCOMPARE(icalcomponent_count_components(e[2], ICAL_VALARM_COMPONENT), 0);
        t = icalcomponent_get_dtstart(e[2]);
        QCOMPARE(qint64(icaltime_as_timet_with_zone(t, dilim)),
                 QDateTime(QDate(2026, 3, 29), QTime(2, 30), bolge).toSecsSinceEpoch());
        const icaltimetype d = icalproperty_get_dtstamp(icalcomponent_get_first_property(e[2], ICAL_DTSTAMP_PROPERTY));
        QVERIFY(icaltime_is_utc(d));
        QCOMPARE(d.day, 1);
        icaltimezone_free(dilim, 1);
    }

    // Only whole days: no zone is written.
    const QByteArray gunler = TD::yaz({gunluk}, yollar, KIMLIK, istanbul, damga);
    QVERIFY(!gunler.contains("VTIMEZONE"));
    // Nothing to write: still a calendar.
    Bilesen bos(icalparser_parse_string(TD::yaz({}, yollar, KIMLIK, istanbul, damga).constData()));
    QVERIFY(bos);
    QCOMPARE(icalcomponent_count_components(bos.get(), ICAL_VEVENT_COMPONENT), 0);
}

void TakvimDosyasiTesti::ikinciOkuyucuAyniOlaylariGorur()
{
#ifndef ZELVORA_PYTHON3
    ZELVORA_CALISAMAZ("no python3 with icalendar");
#else
    const QTimeZone istanbul("Europe/Istanbul");
    std::vector<IsKaydi> isler;
    IsKaydi a = is(11, QDate(2026, 12, 14), QTime(13, 45), QStringLiteral("Keşif, bilirkişi"));
    a.yer = QStringLiteral("Çankaya; Kızılay");
    a.aciklama = QStringLiteral("Çok uzun bir açıklama ") + QString(50, QChar(0x015F)) + QStringLiteral("\nson");
    a.hatirlatma = true;
    a.onGunler = {2};
    isler.push_back(a);
    isler.push_back(is(12, QDate(2027, 1, 4), QTime(), QStringLiteral("İdari izin")));
    const QHash<QString, QString> yollar{{QStringLiteral("2-Anahtar"), QStringLiteral("Davalar/İzmir")}};
    const QString yol = m_ortam->klasor.filePath(QStringLiteral("disari.ics"));
    TD::dosyayaYaz(yol, TD::yaz(isler, yollar, KIMLIK, istanbul));

    QProcess p;
    p.start(QStringLiteral(ZELVORA_PYTHON3), {QStringLiteral(ZELVORA_TAKVIM_OKUYUCU), yol});
    QVERIFY(p.waitForFinished(30000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    const QJsonArray olaylar = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    QCOMPARE(olaylar.size(), 2);
    const QJsonObject o = olaylar[0].toObject();
    QCOMPARE(o[QStringLiteral("uid")].toString(), TD::uid(KIMLIK, 11));
    QCOMPARE(o[QStringLiteral("summary")].toString(), a.konu);
    QCOMPARE(o[QStringLiteral("location")].toString(), a.yer);
    QCOMPARE(o[QStringLiteral("description")].toString(), a.aciklama);
    QCOMPARE(o[QStringLiteral("categories")].toArray().first().toString(), QStringLiteral("Davalar/İzmir"));
    // The reader places the start by the zone's name at the same instant.
    QCOMPARE(o[QStringLiteral("start")].toString(), QStringLiteral("2026-12-14T10:45:00+00:00"));
    QCOMPARE(o[QStringLiteral("seconds")].toInt(), 3600);
    QCOMPARE(o[QStringLiteral("alarms")].toArray(), (QJsonArray{0, -2 * 86400}));
    const QJsonObject g = olaylar[1].toObject();
    QCOMPARE(g[QStringLiteral("start")].toString(), QStringLiteral("2027-01-04"));
    QCOMPARE(g[QStringLiteral("seconds")].toInt(), 86400);
    QCOMPARE(g[QStringLiteral("alarms")].toArray(), QJsonArray());
#endif
}

void TakvimDosyasiTesti::dosyaGuvenliYazilir()
{
    const QString yol = m_ortam->klasor.filePath(QStringLiteral("takvim.ics"));
    TD::dosyayaYaz(yol, "eski");
    TD::dosyayaYaz(yol, "yeni");
    QFile f(yol);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("yeni"));
    // A folder that is not there: refused with the file named, nothing left behind.
    const QString yok = m_ortam->klasor.filePath(QStringLiteral("yok/takvim.ics"));
    try {
        TD::dosyayaYaz(yok, "x");
        QFAIL("no error");
    } catch (const Hata &h) {
        QCOMPARE(h.dosya(), yok);
        QVERIFY(h.aciklama().startsWith(QStringLiteral("Takvim dosyası yazılamadı")));
    }
    QCOMPARE(QDir(m_ortam->klasor.path()).entryList(QDir::Files), QStringList{QStringLiteral("takvim.ics")});
}

void TakvimDosyasiTesti::dosyaKimligiKararli()
{
    // The template the install copies holds no identity: each desk draws its own.
    m_ortam->bosVeritabaniYaz();
    const QString yol = m_ortam->veritabaniYolu();
    {
        auto vt = Veritabani::okumakIcinAc(yol);
        // Read only and not yet upgraded: an identity all the same, nothing written.
        const QString gecici = vt->kimlik();
        QVERIFY(gecici.startsWith(QStringLiteral("yol:")));
        QCOMPARE(vt->kimlik(), gecici);
        QVERIFY(!vt->alinanKimlikler().size());
    }
    QString ilk;
    {
        auto vt = Veritabani::ac(yol);
        ilk = vt->kimlik();
        QVERIFY(!ilk.isEmpty() && !ilk.startsWith(QStringLiteral("yol:")));
    }
    {
        auto vt = Veritabani::ac(yol);
        vt->takvimTablolariniHazirla(); // the upgrade step keeps the identity drawn
        QCOMPARE(vt->kimlik(), ilk);
        auto okunan = Veritabani::okumakIcinAc(yol);
        QCOMPARE(okunan->kimlik(), ilk);
    }
    // The daily backup and a restored file keep it; another file has its own.
    const QString yedek = m_ortam->klasor.filePath(QStringLiteral("yedek.vtb"));
    Veritabani::yedekle(yol, yedek);
    QCOMPARE(Veritabani::okumakIcinAc(yedek)->kimlik(), ilk);
    const QString baska = m_ortam->klasor.filePath(QStringLiteral("baska.vtb"));
    Veritabani::bosOlustur(baska);
    QVERIFY(Veritabani::ac(baska)->kimlik() != ilk);
    // The start-up step draws it for a file copied from the template.
    m_ortam->bosVeritabaniYaz();
    Baslangic::veritabaniniAc();
    QVERIFY(Baslangic::semayiDenetle());
    const QString baslangicta = Veritabani::acik().kimlik();
    Veritabani::acikAyarla(nullptr);
    QVERIFY(!baslangicta.startsWith(QStringLiteral("yol:")));
    QCOMPARE(Veritabani::okumakIcinAc(yol)->kimlik(), baslangicta);
}

void TakvimDosyasiTesti::sunucuKimligiMasadanBagimsiz()
{
    const QString baglanti = qEnvironmentVariable("ZELVORA_TEST_SUNUCU");
    if (baglanti.isEmpty())
        ZELVORA_CALISAMAZ("no test server (the test command starts one and sets ZELVORA_TEST_SUNUCU)");
    // The same server named two ways, as two desks may: the same identity.
    QString klasor;
    for (const QString &parca : baglanti.split(QLatin1Char(' '))) {
        if (parca.startsWith(QStringLiteral("host=")))
            klasor = parca.mid(5);
    }
    const QString uri = QStringLiteral("postgresql://zelvora@/zelvora_takvim?host=") + klasor;
    auto bir = Veritabani::sunucuyaBaglan(baglanti);
    auto iki = Veritabani::sunucuyaBaglan(uri);
    QVERIFY(bir->kimlik().startsWith(QStringLiteral("sunucu:zelvora_takvim:")));
    QCOMPARE(iki->kimlik(), bir->kimlik());
    QCOMPARE(TD::uid(iki->kimlik(), 5), TD::uid(bir->kimlik(), 5));
    // Applying the upgrade script again keeps the value drawn.
    QFile goc(QStringLiteral(ZELVORA_TAKVIM_SQL));
    QVERIFY(goc.open(QIODevice::ReadOnly));
    Test::sunucudaCalistir(baglanti, goc.readAll().constData());
    QCOMPARE(Veritabani::sunucuyaBaglan(baglanti)->kimlik(), bir->kimlik());
}

QTEST_GUILESS_MAIN(TakvimDosyasiTesti)
#include "tst_TakvimDosyasi.moc"

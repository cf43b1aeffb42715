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
#include <QSet>
#include <QTimeZone>
#include <QTest>

#include <libical/ical.h>

#include <algorithm>
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
    void baskaTakvimlerinDosyalariOkunur();
    void yinelenenlerAraliktaAcilir();
    void bozukVeYabanciDosyaReddedilir();
    void gidisDonusAyniIsleriVerir();
    void alanSinirlarinaKesilir();
    void topluEklemeTekIslemdir_data();
    void topluEklemeTekIslemdir();

private:
    void topluEkleme();
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


namespace {

// A file as other calendars write it: lines ending in CRLF, long lines folded.
QByteArray takvimDosyasi(const QStringList &satirlar)
{
    QByteArray s;
    for (const QString &satir : satirlar) {
        // Folded at 70 octets, never inside a letter, as RFC 5545 asks.
        QByteArray b = satir.toUtf8();
        bool ilk = true;
        while (!b.isEmpty()) {
            int n = std::min<int>(int(b.size()), ilk ? 70 : 69);
            while (n < b.size() && (uchar(b.at(n)) & 0xC0) == 0x80)
                --n;
            s += (ilk ? QByteArray() : QByteArray(" ")) + b.left(n) + "\r\n";
            b.remove(0, n);
            ilk = false;
        }
    }
    return s;
}

const QStringList ISTANBUL_DILIMI{
    QStringLiteral("BEGIN:VTIMEZONE"), QStringLiteral("TZID:Europe/Istanbul"), QStringLiteral("BEGIN:STANDARD"),
    QStringLiteral("TZOFFSETFROM:+0300"), QStringLiteral("TZOFFSETTO:+0300"), QStringLiteral("TZNAME:+03"),
    QStringLiteral("DTSTART:19700101T000000"), QStringLiteral("END:STANDARD"), QStringLiteral("END:VTIMEZONE")};

QStringList basla(const QString &urun)
{
    return {QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:2.0"), QStringLiteral("PRODID:") + urun,
            QStringLiteral("CALSCALE:GREGORIAN")};
}

const TD::AlinanOge *bul(const TD::OkumaSonucu &s, const QString &konu)
{
    for (const TD::AlinanOge &o : s.ogeler) {
        if (o.is.konu == konu)
            return &o;
    }
    return nullptr;
}

} // namespace

void TakvimDosyasiTesti::baskaTakvimlerinDosyalariOkunur()
{
    const QString uzun = QStringLiteral("Müvekkil görüşmesi: dilekçe, delil listesi ve tanık beyanları; ")
        + QStringLiteral("ıİğĞüÜşŞöÖçÇ harfleriyle uzun bir açıklama satırı katlanır.");
    QStringList s = basla(QStringLiteral("-//Google Inc//Google Calendar 70.9054//EN"));
    s << ISTANBUL_DILIMI
      // A time in the file's zone, with an alarm a day before and one 15 minutes before.
      << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:abc123@google.com")
      << QStringLiteral("DTSTART;TZID=Europe/Istanbul:20261215T100000")
      << QStringLiteral("DTEND;TZID=Europe/Istanbul:20261215T110000")
      << QStringLiteral("SUMMARY:Duruşma") << QStringLiteral("LOCATION:İzmir Adliyesi\\, 5. kat")
      << QStringLiteral("DESCRIPTION:") + uzun << QStringLiteral("BEGIN:VALARM") << QStringLiteral("ACTION:DISPLAY")
      << QStringLiteral("TRIGGER:-P1D") << QStringLiteral("DESCRIPTION:x") << QStringLiteral("END:VALARM")
      << QStringLiteral("BEGIN:VALARM") << QStringLiteral("ACTION:DISPLAY") << QStringLiteral("TRIGGER:-PT15M")
      << QStringLiteral("DESCRIPTION:x") << QStringLiteral("END:VALARM") << QStringLiteral("END:VEVENT")
      // UTC, as Outlook and phones write: 21:30 UTC is 00:30 of the next day in Istanbul.
      << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:040000008200E00074C5B7101A82E008")
      << QStringLiteral("DTSTART:20261231T213000Z") << QStringLiteral("SUMMARY:Gece yarısı") << QStringLiteral("END:VEVENT")
      // A whole day.
      << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:gun-1") << QStringLiteral("DTSTART;VALUE=DATE:20270101")
      << QStringLiteral("DTEND;VALUE=DATE:20270102") << QStringLiteral("SUMMARY:Yılbaşı") << QStringLiteral("END:VEVENT")
      // A zone the file does not describe, by its Windows name.
      << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:win-1")
      << QStringLiteral("DTSTART;TZID=W. Europe Standard Time:20260701T090000") << QStringLiteral("SUMMARY:Berlin")
      << QStringLiteral("END:VEVENT")
      // Tasks: one due and done, one without a due date.
      << QStringLiteral("BEGIN:VTODO") << QStringLiteral("UID:gorev-1") << QStringLiteral("DUE:20261220T120000Z")
      << QStringLiteral("SUMMARY:Harç yatır") << QStringLiteral("STATUS:COMPLETED") << QStringLiteral("END:VTODO")
      << QStringLiteral("BEGIN:VTODO") << QStringLiteral("UID:gorev-2") << QStringLiteral("SUMMARY:Bir ara")
      << QStringLiteral("END:VTODO")
      // A cancelled meeting.
      << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:iptal-1") << QStringLiteral("DTSTART:20261216T080000Z")
      << QStringLiteral("STATUS:CANCELLED") << QStringLiteral("SUMMARY:İptal") << QStringLiteral("END:VEVENT")
      << QStringLiteral("END:VCALENDAR");
    const QByteArray veri = takvimDosyasi(s);
    QVERIFY(veri.contains("\r\n "));
    QVERIFY(!TD::yinelenenVarMi(veri));
    const TD::OkumaSonucu r = TD::oku(veri, QTimeZone("Europe/Istanbul"), QDate(2026, 1, 1), QDate(2027, 12, 31));
    QCOMPARE(r.ogeler.size(), size_t(5));
    QCOMPARE(r.tarihsizOge, 1);
    QCOMPARE(r.iptalOge, 1);
    QVERIFY(r.uyarilar.isEmpty());

    const TD::AlinanOge *d = bul(r, QStringLiteral("Duruşma"));
    QVERIFY(d);
    QCOMPARE(d->uid, QStringLiteral("abc123@google.com"));
    QCOMPARE(d->is.tarih, QDate(2026, 12, 15));
    QCOMPARE(d->is.saat, QTime(10, 0));
    QCOMPARE(d->is.yer, QStringLiteral("İzmir Adliyesi, 5. kat"));
    QCOMPARE(d->is.aciklama, uzun);
    QVERIFY(d->is.hatirlatma);
    QCOMPARE(d->is.onGunler, QList<int>{1});
    const TD::AlinanOge *g = bul(r, QStringLiteral("Gece yarısı"));
    QCOMPARE(g->is.tarih, QDate(2027, 1, 1));
    QCOMPARE(g->is.saat, QTime(0, 30));
    QVERIFY(!g->is.hatirlatma);
    const TD::AlinanOge *y = bul(r, QStringLiteral("Yılbaşı"));
    QCOMPARE(y->is.tarih, QDate(2027, 1, 1));
    QVERIFY(!y->is.saat.isValid());
    // 09:00 in Berlin's summer is 10:00 in Istanbul.
    QCOMPARE(bul(r, QStringLiteral("Berlin"))->is.saat, QTime(10, 0));
    const TD::AlinanOge *h = bul(r, QStringLiteral("Harç yatır"));
    QCOMPARE(h->is.tarih, QDate(2026, 12, 20));
    QCOMPARE(h->is.saat, QTime(15, 0));
    QVERIFY(h->is.yapildi);

    // A zone nobody knows: the times are taken as they are, and the preview says so.
    QByteArray bilinmeyen = veri;
    bilinmeyen.replace("W. Europe Standard Time", "Mars/Olympus");
    const TD::OkumaSonucu b = TD::oku(bilinmeyen, QTimeZone("Europe/Istanbul"), QDate(2026, 1, 1), QDate(2027, 12, 31));
    QCOMPARE(bul(b, QStringLiteral("Berlin"))->is.saat, QTime(9, 0));
    QCOMPARE(b.uyarilar.size(), 1);
    QVERIFY(b.uyarilar.first().contains(QStringLiteral("Mars/Olympus")));
}

void TakvimDosyasiTesti::yinelenenlerAraliktaAcilir()
{
    QStringList s = basla(QStringLiteral("-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN"));
    s << ISTANBUL_DILIMI
      // Every Monday at 09:30 from 7 December 2026 on, without end; the 21st skipped, once
      // as the zone's time and once in UTC; the 28th moved to 14:00.
      << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:haftalik@thunderbird")
      << QStringLiteral("DTSTART;TZID=Europe/Istanbul:20261207T093000") << QStringLiteral("RRULE:FREQ=WEEKLY;BYDAY=MO")
      << QStringLiteral("EXDATE;TZID=Europe/Istanbul:20261221T093000") << QStringLiteral("EXDATE:20270104T063000Z")
      << QStringLiteral("SUMMARY:Haftalık toplantı") << QStringLiteral("END:VEVENT")
      << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:haftalik@thunderbird")
      << QStringLiteral("RECURRENCE-ID;TZID=Europe/Istanbul:20261228T093000")
      << QStringLiteral("DTSTART;TZID=Europe/Istanbul:20261228T140000") << QStringLiteral("SUMMARY:Haftalık toplantı (kaydı)")
      << QStringLiteral("END:VEVENT")
      // Three whole days, counted.
      << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:sayili") << QStringLiteral("DTSTART;VALUE=DATE:20261130")
      << QStringLiteral("RRULE:FREQ=DAILY;COUNT=3") << QStringLiteral("SUMMARY:Üç gün") << QStringLiteral("END:VEVENT")
      << QStringLiteral("END:VCALENDAR");
    const QByteArray veri = takvimDosyasi(s);
    QVERIFY(TD::yinelenenVarMi(veri));
    const TD::OkumaSonucu r = TD::oku(veri, QTimeZone("Europe/Istanbul"), QDate(2026, 12, 1), QDate(2027, 1, 31));
    QList<QDate> pazartesiler;
    for (const TD::AlinanOge &o : r.ogeler) {
        if (o.is.konu == QStringLiteral("Haftalık toplantı")) {
            QCOMPARE(o.is.saat, QTime(9, 30));
            QVERIFY(o.yinelenen);
            pazartesiler << o.is.tarih;
        }
    }
    // Dec 7, 14 (21 skipped, 28 changed), Jan 11, 18, 25 (Jan 4 skipped in UTC).
    QCOMPARE(pazartesiler, (QList<QDate>{QDate(2026, 12, 7), QDate(2026, 12, 14), QDate(2027, 1, 11),
                                         QDate(2027, 1, 18), QDate(2027, 1, 25)}));
    const TD::AlinanOge *kayan = bul(r, QStringLiteral("Haftalık toplantı (kaydı)"));
    QVERIFY(kayan);
    QCOMPARE(kayan->is.saat, QTime(14, 0));
    QCOMPARE(kayan->yineleme, QStringLiteral("20261228T093000"));
    // Each occurrence has an identity of its own, the same at every reading.
    QSet<QString> yinelemeler;
    for (const TD::AlinanOge &o : r.ogeler)
        yinelemeler.insert(o.uid + o.yineleme);
    QCOMPARE(yinelemeler.size(), qsizetype(r.ogeler.size()));
    // Of the three days one falls before the range: counted, not dropped unsaid.
    QCOMPARE(r.yinelenenOge, 2);
    QCOMPARE(r.sonsuzOge, 1);
    QCOMPARE(r.aralikDisi, 1);
    QVERIFY(bul(r, QStringLiteral("Üç gün")));
    QVERIFY(!bul(r, QStringLiteral("Üç gün"))->is.saat.isValid());
    QCOMPARE(std::count_if(r.ogeler.begin(), r.ogeler.end(),
                           [](const TD::AlinanOge &o) { return o.is.konu == QStringLiteral("Üç gün"); }),
             2);
    // A longer range gives more Mondays.
    const TD::OkumaSonucu uzun = TD::oku(veri, QTimeZone("Europe/Istanbul"), QDate(2026, 12, 1), QDate(2027, 12, 31));
    QVERIFY(uzun.ogeler.size() > r.ogeler.size() + 40);
}

void TakvimDosyasiTesti::bozukVeYabanciDosyaReddedilir()
{
    const auto reddedilir = [](const QByteArray &veri, const QString &parca) -> bool {
        try {
            TD::oku(veri, QTimeZone("Europe/Istanbul"), QDate(2026, 1, 1), QDate(2027, 1, 1));
        } catch (const Hata &h) {
            if (h.numara() != HataNo::TakvimBozuk || !h.aciklama().contains(parca)) {
                qWarning() << h.numara() << h.aciklama();
                return false;
            }
            return true;
        }
        return false;
    };
    QVERIFY(reddedilir("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ali\r\nEND:VCARD\r\n", QStringLiteral("takvim dosyası (iCalendar) değil")));
    QVERIFY(reddedilir(QByteArray(), QStringLiteral("değil")));
    QVERIFY(reddedilir("%PDF-1.4 ...", QStringLiteral("değil")));
    QStringList s = basla(QStringLiteral("x"));
    s << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:1") << QStringLiteral("DTSTART:20261215T100000Z")
      << QStringLiteral("SUMMARY:Bir") << QStringLiteral("END:VEVENT");
    QByteArray yarim = takvimDosyasi(s);
    QVERIFY(reddedilir(yarim, QStringLiteral("yarım kalmış")));
    QByteArray bozukTarih = takvimDosyasi(s + QStringList{QStringLiteral("BEGIN:VEVENT"), QStringLiteral("UID:2"),
                                                           QStringLiteral("DTSTART:2026-99-99"),
                                                           QStringLiteral("SUMMARY:İki"), QStringLiteral("END:VEVENT"),
                                                           QStringLiteral("END:VCALENDAR")});
    QVERIFY(reddedilir(bozukTarih, QStringLiteral("\"İki\" öğesinin tarihi okunamıyor")));
    QByteArray latin = takvimDosyasi(s + QStringList{QStringLiteral("END:VCALENDAR")});
    latin.replace("Bir", "Bir \xFE\xF0");
    QVERIFY(reddedilir(latin, QStringLiteral("UTF-8")));
    QByteArray baslangicsiz = takvimDosyasi(basla(QStringLiteral("x")) + QStringList{QStringLiteral("BEGIN:VEVENT"),
                                                          QStringLiteral("UID:3"), QStringLiteral("SUMMARY:Üç"),
                                                          QStringLiteral("END:VEVENT"), QStringLiteral("END:VCALENDAR")});
    QVERIFY(reddedilir(baslangicsiz, QStringLiteral("DTSTART")));
    // A sound file still reads, with a byte-order mark before it.
    const QByteArray saglam = "\xEF\xBB\xBF" + takvimDosyasi(s + QStringList{QStringLiteral("END:VCALENDAR")});
    QCOMPARE(TD::oku(saglam, QTimeZone("Europe/Istanbul"), QDate(2026, 1, 1), QDate(2027, 1, 1)).ogeler.size(), size_t(1));
}

void TakvimDosyasiTesti::gidisDonusAyniIsleriVerir()
{
    const QTimeZone istanbul("Europe/Istanbul");
    std::vector<IsKaydi> isler;
    IsKaydi a = is(3, QDate(2026, 12, 9), QTime(9, 30), QStringLiteral("Keşif; İstanbul"));
    a.yer = QStringLiteral("Kadıköy, Moda");
    a.sayi = QStringLiteral("2026/77");
    a.aciklama = QStringLiteral("İki satır\nikinci: ölçü, şişe");
    a.hatirlatma = true;
    a.onGunler = {7, 1};
    isler.push_back(a);
    IsKaydi b = is(4, QDate(2026, 12, 10), QTime(), QStringLiteral("Bütün gün"));
    b.yapildi = true;
    isler.push_back(b);
    const QByteArray veri = TD::yaz(isler, {}, KIMLIK, istanbul);
    const TD::OkumaSonucu r = TD::oku(veri, istanbul, QDate(2026, 1, 1), QDate(2027, 1, 1));
    QCOMPARE(r.ogeler.size(), size_t(2));
    for (size_t i = 0; i < 2; ++i) {
        const IsKaydi &o = r.ogeler[i].is;
        QCOMPARE(r.ogeler[i].uid, TD::uid(KIMLIK, isler[i].isNo));
        QCOMPARE(o.tarih, isler[i].tarih);
        QCOMPARE(o.saat, isler[i].saat);
        QCOMPARE(o.konu, isler[i].konu);
        QCOMPARE(o.yer, isler[i].yer);
        QCOMPARE(o.sayi, isler[i].sayi);
        QCOMPARE(o.aciklama, isler[i].aciklama);
        QCOMPARE(o.yapildi, isler[i].yapildi);
        QCOMPARE(o.hatirlatma, isler[i].hatirlatma);
        QCOMPARE(o.onGunler, Veritabani::gunleriDuzenle(isler[i].onGunler));
    }
}

void TakvimDosyasiTesti::alanSinirlarinaKesilir()
{
    IsKaydi k = is(0, QDate(2026, 12, 9), QTime(9, 0), QStringLiteral("  Ali'nin çok uzun duruşma konusu  "));
    k.yer = QStringLiteral("Yer");
    k.sayi = QStringLiteral("2026/123456789");
    k.aciklama = QStringLiteral("Not");
    const QStringList kesilen = TD::sinirlaraKes(k);
    QCOMPARE(kesilen, (QStringList{QStringLiteral("konu"), QStringLiteral("sayı")}));
    QCOMPARE(k.konu, QStringLiteral("Ali’nin çok uzun dur"));
    QCOMPARE(k.konu.size(), 20);
    QCOMPARE(k.sayi, QStringLiteral("2026/1234567"));
    QCOMPARE(k.yer, QStringLiteral("Yer"));
    // Nothing is lost: the whole texts follow the description.
    QCOMPARE(k.aciklama, QStringLiteral("Not\nKonu: Ali’nin çok uzun duruşma konusu\nSayı: 2026/123456789"));
    IsKaydi sigan = is(0, QDate(2026, 12, 9), QTime(), QString(20, QLatin1Char('x')));
    QVERIFY(TD::sinirlaraKes(sigan).isEmpty());
    QVERIFY(sigan.aciklama.isEmpty());
}

void TakvimDosyasiTesti::topluEklemeTekIslemdir_data()
{
    QTest::addColumn<bool>("sunucuda");
    QTest::newRow("dosya") << false;
    QTest::newRow("sunucu") << true;
}

void TakvimDosyasiTesti::topluEklemeTekIslemdir()
{
    try {
        topluEkleme();
    } catch (const Hata &h) {
        QFAIL(qPrintable(QString::number(h.numara()) + QLatin1Char(' ') + h.aciklama()));
    }
}

void TakvimDosyasiTesti::topluEkleme()
{
    QFETCH(bool, sunucuda);
    Veritabani *vt = nullptr;
    const QString baglanti = qEnvironmentVariable("ZELVORA_TEST_SUNUCU");
    if (sunucuda) {
        if (baglanti.isEmpty())
            ZELVORA_CALISAMAZ("no test server (the test command starts one and sets ZELVORA_TEST_SUNUCU)");
        Test::sunucudaCalistir(baglanti, "TRUNCATE \"YapilacakIslerTablosu\", \"KlasorBilgileriTablosu\", "
                                         "\"TakvimdanAlinanlar\" RESTART IDENTITY CASCADE");
        m_sunucuBag = Veritabani::sunucuyaBaglan(baglanti);
        vt = m_sunucuBag.get();
    } else {
        m_ortam->veritabaniniAc();
        vt = &Veritabani::acik();
    }
    vt->klasorEkle({QStringLiteral("2-Anahtar"), QStringLiteral("Klasor"), QStringLiteral("Gelen")});
    QVERIFY(vt->alinanlarKaydedilir());
    const QTimeZone istanbul("Europe/Istanbul");
    QStringList s = basla(QStringLiteral("x"));
    for (int i = 1; i <= 3; ++i)
        s << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:dis-%1").arg(i)
          << QStringLiteral("DTSTART:2026121%1T070000Z").arg(i) << QStringLiteral("SUMMARY:Dış %1").arg(i)
          << QStringLiteral("BEGIN:VALARM") << QStringLiteral("ACTION:DISPLAY") << QStringLiteral("TRIGGER:-P2D")
          << QStringLiteral("DESCRIPTION:x") << QStringLiteral("END:VALARM") << QStringLiteral("END:VEVENT");
    s << QStringLiteral("END:VCALENDAR");
    const TD::OkumaSonucu okunan = TD::oku(takvimDosyasi(s), istanbul, QDate(2026, 1, 1), QDate(2027, 1, 1));
    TD::AlmaPlani plan = TD::planla(okunan, *vt);
    QCOMPARE(plan.isler.size(), size_t(3));
    for (IsKaydi &k : plan.isler)
        k.anahtari = QStringLiteral("2-Anahtar");

    // The third fails: none is stored, nor recorded.
    std::vector<IsKaydi> bozuk = plan.isler;
    bozuk[2].anahtari = QStringLiteral("99-Anahtar");
    if (sunucuda) {
        QVERIFY_THROWS_EXCEPTION(Hata, vt->isleriTopluEkle(bozuk, plan.kimlikler));
    } else {
        vt->calistir("CREATE TEMP TRIGGER Deneme BEFORE INSERT ON YapilacakIslerTablosu "
                     "WHEN NEW.Anahtari = '99-Anahtar' BEGIN SELECT RAISE(ABORT, 'deneme'); END");
        QVERIFY_THROWS_EXCEPTION(Hata, vt->isleriTopluEkle(bozuk, plan.kimlikler));
        vt->calistir("DROP TRIGGER Deneme");
    }
    QCOMPARE(vt->isleriListele(QString(), true, false, QDate()).size(), size_t(0));
    QVERIFY(vt->alinanKimlikler().isEmpty());

    const QList<qint64> numaralar = vt->isleriTopluEkle(plan.isler, plan.kimlikler);
    QCOMPARE(numaralar.size(), 3);
    QCOMPARE(vt->is(numaralar[0]).konu, QStringLiteral("Dış 1"));
    QCOMPARE(vt->is(numaralar[0]).tarih, QDate(2026, 12, 11));
    QCOMPARE(vt->onHatirlatmalar(numaralar[1]), QList<int>{2});
    // The same file again: everything is there already.
    TD::AlmaPlani ikinci = TD::planla(okunan, *vt);
    QCOMPARE(ikinci.zatenVar, 3);
    QVERIFY(ikinci.isler.empty());
    // A job deleted since comes back at the next import.
    vt->isSil(numaralar[0]);
    QCOMPARE(TD::planla(okunan, *vt).isler.size(), size_t(1));
    // Our own export read back: its jobs are there; a job of it deleted since is not.
    std::vector<IsKaydi> bizim = vt->isleriListele(QString(), true, false, QDate());
    const TD::OkumaSonucu geri = TD::oku(TD::yaz(bizim, {}, vt->kimlik(), istanbul), istanbul, QDate(2026, 1, 1), QDate(2027, 1, 1));
    QCOMPARE(TD::planla(geri, *vt).zatenVar, 2);
    vt->isSil(numaralar[1]);
    QCOMPARE(TD::planla(geri, *vt).isler.size(), size_t(1));
}

QTEST_GUILESS_MAIN(TakvimDosyasiTesti)
#include "tst_TakvimDosyasi.moc"

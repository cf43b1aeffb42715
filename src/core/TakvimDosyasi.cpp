#include "core/TakvimDosyasi.h"

#include "core/Arayuzler.h"
#include "core/Hata.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <libical/ical.h>

#include <algorithm>
#include <memory>

namespace Zelvora::TakvimDosyasi {
namespace {

const char *const URUN_KIMLIGI = "-//Tavrek//Zelvora//TR";
const char *const YAPILDI_OZELLIGI = "X-ZELVORA-YAPILDI";
const char *const SAYI_OZELLIGI = "X-ZELVORA-SAYI";

// The category a done job carries, seen on every phone (which ignore X- properties).
QString yapildiKategorisi() { return QStringLiteral("Yapıldı"); }
QString sayiOneki() { return QStringLiteral("Sayı: "); }

struct BilesenSil {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Bilesen = std::unique_ptr<icalcomponent, BilesenSil>;

QByteArray utf8(const QString &s) { return s.toUtf8(); }

QByteArray metneCevir(icalcomponent *c)
{
    char *s = icalcomponent_as_ical_string_r(c);
    QByteArray sonuc(s ? s : "");
    if (s)
        icalmemory_free_buffer(s);
    return sonuc;
}

icaltimetype gunZamani(const QDate &t)
{
    icaltimetype z = icaltime_null_date();
    z.year = t.year();
    z.month = t.month();
    z.day = t.day();
    return z;
}

icaltimetype yerelZaman(const QDate &t, const QTime &s)
{
    icaltimetype z = icaltime_null_time();
    z.year = t.year();
    z.month = t.month();
    z.day = t.day();
    z.hour = s.hour();
    z.minute = s.minute();
    z.second = s.second();
    z.is_date = 0;
    return z;
}

icaltimetype utcZaman(const QDateTime &an)
{
    const QDateTime u = an.toUTC();
    icaltimetype z = yerelZaman(u.date(), u.time());
    z.zone = icaltimezone_get_utc_timezone();
    return z;
}

QString bolgeAdi(const QTimeZone &bolge)
{
    const QString ad = QString::fromUtf8(bolge.id());
    return ad.isEmpty() ? QStringLiteral("UTC") : ad;
}

// One observance of the zone from the wall-clock moment it starts, the offset before it
// and after it.
void gozlemEkle(icalcomponent *vtz, const QDateTime &baslangicUtc, int oncekiOfset, int ofset, bool yazSaati,
                const QString &kisaAd)
{
    icalcomponent *g = yazSaati ? icalcomponent_new_xdaylight() : icalcomponent_new_xstandard();
    const QDateTime yerel = baslangicUtc.toUTC().addSecs(oncekiOfset);
    icalcomponent_add_property(g, icalproperty_new_dtstart(yerelZaman(yerel.date(), yerel.time())));
    icalcomponent_add_property(g, icalproperty_new_tzoffsetfrom(oncekiOfset));
    icalcomponent_add_property(g, icalproperty_new_tzoffsetto(ofset));
    if (!kisaAd.isEmpty())
        icalcomponent_add_property(g, icalproperty_new_tzname(utf8(kisaAd).constData()));
    icalcomponent_add_component(vtz, g);
}

// The zone as a VTIMEZONE from the zone data the program itself converts times with,
// so that a reader places every DTSTART at the same instant the desk means: the offset
// in force before the first job and each change of offset up to the last job.
icalcomponent *saatDilimi(const QTimeZone &bolge, const QDate &ilk, const QDate &son)
{
    icalcomponent *vtz = icalcomponent_new_vtimezone();
    icalcomponent_add_property(vtz, icalproperty_new_tzid(utf8(bolgeAdi(bolge)).constData()));
    const QDateTime bas(ilk.addDays(-2), QTime(0, 0), Qt::UTC);
    const QDateTime bit(son.addDays(2), QTime(0, 0), Qt::UTC);
    const int ilkOfset = bolge.offsetFromUtc(bas);
    gozlemEkle(vtz, bas, ilkOfset, ilkOfset, bolge.isDaylightTime(bas), bolge.abbreviation(bas));
    int onceki = ilkOfset;
    if (bolge.hasTransitions()) {
        const QTimeZone::OffsetDataList gecisler = bolge.transitions(bas, bit);
        for (const QTimeZone::OffsetData &g : gecisler) {
            if (!g.atUtc.isValid() || g.atUtc <= bas)
                continue;
            gozlemEkle(vtz, g.atUtc, onceki, g.offsetFromUtc, g.daylightTimeOffset != 0, g.abbreviation);
            onceki = g.offsetFromUtc;
        }
    }
    return vtz;
}

icalproperty *ozelOzellik(const char *ad, const QString &deger)
{
    icalproperty *p = icalproperty_new_x(utf8(deger).constData());
    icalproperty_set_x_name(p, ad);
    return p;
}

icalcomponent *alarm(const QString &konu, int gunOnce)
{
    icalcomponent *a = icalcomponent_new_valarm();
    icalcomponent_add_property(a, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype tetik {};
    tetik.time = icaltime_null_time();
    tetik.duration = icaldurationtype_null_duration();
    if (gunOnce > 0) {
        tetik.duration.is_neg = 1;
        tetik.duration.days = static_cast<unsigned int>(gunOnce);
    }
    icalcomponent_add_property(a, icalproperty_new_trigger(tetik));
    const QString metin = konu.isEmpty() ? QStringLiteral("Zelvora") : konu;
    icalcomponent_add_property(a, icalproperty_new_description(utf8(metin).constData()));
    return a;
}

QString aciklamaMetni(const IsKaydi &is)
{
    if (is.sayi.isEmpty())
        return is.aciklama;
    QString s = sayiOneki() + is.sayi;
    if (!is.aciklama.isEmpty())
        s += QLatin1Char('\n') + is.aciklama;
    return s;
}

icalcomponent *olay(const IsKaydi &is, const QHash<QString, QString> &klasorYollari, const QString &kimlik,
                    const QTimeZone &bolge, const QByteArray &tzid, const icaltimetype &damga)
{
    icalcomponent *e = icalcomponent_new_vevent();
    icalcomponent_add_property(e, icalproperty_new_uid(utf8(uid(kimlik, is.isNo)).constData()));
    icalcomponent_add_property(e, icalproperty_new_dtstamp(damga));
    if (is.saat.isValid()) {
        // A wall-clock time the zone skips (the night clocks go forward) is the moment
        // the program itself takes it for, an hour later; written as such, every reader
        // places it there.
        const QDateTime yerel = QDateTime::fromSecsSinceEpoch(QDateTime(is.tarih, is.saat, bolge).toSecsSinceEpoch(), bolge);
        icalproperty *bas = icalproperty_new_dtstart(yerelZaman(yerel.date(), yerel.time()));
        icalproperty_add_parameter(bas, icalparameter_new_tzid(tzid.constData()));
        icalcomponent_add_property(e, bas);
        icalcomponent_add_property(e, icalproperty_new_duration(icaldurationtype_from_int(VarsayilanSureSn)));
    } else {
        icalcomponent_add_property(e, icalproperty_new_dtstart(gunZamani(is.tarih)));
        icalcomponent_add_property(e, icalproperty_new_dtend(gunZamani(is.tarih.addDays(1))));
    }
    icalcomponent_add_property(e, icalproperty_new_summary(utf8(is.konu).constData()));
    if (!is.yer.isEmpty())
        icalcomponent_add_property(e, icalproperty_new_location(utf8(is.yer).constData()));
    const QString aciklama = aciklamaMetni(is);
    if (!aciklama.isEmpty())
        icalcomponent_add_property(e, icalproperty_new_description(utf8(aciklama).constData()));
    if (!is.sayi.isEmpty())
        icalcomponent_add_property(e, ozelOzellik(SAYI_OZELLIGI, is.sayi));
    // CATEGORIES is a list whose items are parted by commas, which libical writes as they
    // are: a comma of a folder's name goes as the low quotation mark that looks like it,
    // so that the path stays one category for every reader.
    QString yol = klasorYollari.value(is.anahtari);
    yol.replace(QLatin1Char(','), QChar(0x201A));
    if (!yol.isEmpty())
        icalcomponent_add_property(e, icalproperty_new_categories(utf8(yol).constData()));
    if (is.yapildi) {
        icalcomponent_add_property(e, icalproperty_new_categories(utf8(yapildiKategorisi()).constData()));
        icalcomponent_add_property(e, ozelOzellik(YAPILDI_OZELLIGI, QStringLiteral("TRUE")));
        // A done job no longer takes the lawyer's time.
        icalcomponent_add_property(e, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    }
    // The program reminds only open jobs with their reminder on; so does the calendar.
    if (is.hatirlatma && !is.yapildi) {
        icalcomponent_add_component(e, alarm(is.konu, 0));
        for (int gun : Veritabani::gunleriDuzenle(is.onGunler))
            icalcomponent_add_component(e, alarm(is.konu, gun));
    }
    return e;
}

QString kimlikOzeti(const QString &kimlik)
{
    return QString::fromLatin1(QCryptographicHash::hash(kimlik.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
}

} // namespace

QString uid(const QString &veritabaniKimligi, qint64 isNo)
{
    return QString::number(isNo) + QLatin1Char('-') + kimlikOzeti(veritabaniKimligi) + QStringLiteral("@zelvora");
}

qint64 isNumarasi(const QString &u, const QString &veritabaniKimligi)
{
    static const QRegularExpression bicim(QStringLiteral("^([0-9]{1,18})-([0-9a-f]{16})@zelvora$"));
    const QRegularExpressionMatch m = bicim.match(u);
    if (!m.hasMatch() || m.captured(2) != kimlikOzeti(veritabaniKimligi))
        return 0;
    return m.captured(1).toLongLong();
}

qsizetype tarihsizSayisi(const std::vector<IsKaydi> &isler)
{
    return std::count_if(isler.begin(), isler.end(), [](const IsKaydi &is) { return !is.tarih.isValid(); });
}

QByteArray yaz(const std::vector<IsKaydi> &isler, const QHash<QString, QString> &klasorYollari,
               const QString &veritabaniKimligi, const QTimeZone &bolge, const QDateTime &damga)
{
    const QTimeZone dilim = bolge.isValid() ? bolge : QTimeZone::utc();
    QDate ilk, son;
    for (const IsKaydi &is : isler) {
        if (!is.tarih.isValid() || !is.saat.isValid())
            continue;
        if (!ilk.isValid() || is.tarih < ilk)
            ilk = is.tarih;
        if (!son.isValid() || is.tarih > son)
            son = is.tarih;
    }
    Bilesen takvim(icalcomponent_new_vcalendar());
    icalcomponent_add_property(takvim.get(), icalproperty_new_prodid(URUN_KIMLIGI));
    icalcomponent_add_property(takvim.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(takvim.get(), icalproperty_new_calscale("GREGORIAN"));
    if (ilk.isValid())
        icalcomponent_add_component(takvim.get(), saatDilimi(dilim, ilk, son));
    QByteArray sonuc = metneCevir(takvim.get());
    // The calendar's own lines end with END:VCALENDAR; each event, written by libical on
    // its own, goes before it, so that a long list never stands in memory twice.
    const QByteArray kapanis("END:VCALENDAR\r\n");
    if (!sonuc.endsWith(kapanis))
        throw Hata(HataNo::GecersizDeger, QStringLiteral("Takvim yazılamadı."));
    sonuc.chop(kapanis.size());
    const QByteArray tzid = utf8(bolgeAdi(dilim));
    const icaltimetype an = utcZaman(damga.isValid() ? damga : Arayuz::saat().simdi());
    for (const IsKaydi &is : isler) {
        if (!is.tarih.isValid())
            continue;
        Bilesen e(olay(is, klasorYollari, veritabaniKimligi, dilim, tzid, an));
        sonuc += metneCevir(e.get());
    }
    sonuc += kapanis;
    return sonuc;
}

QHash<QString, QString> klasorYollari(const QList<KlasorKaydi> &klasorler)
{
    QHash<QString, const KlasorKaydi *> anahtarla;
    for (const KlasorKaydi &k : klasorler)
        anahtarla.insert(k.anahtari, &k);
    QHash<QString, QString> sonuc;
    for (const KlasorKaydi &k : klasorler) {
        QStringList adlar;
        QString anahtar = k.anahtari;
        for (int adim = 0; adim < 64; ++adim) {
            const KlasorKaydi *u = anahtarla.value(anahtar);
            if (!u)
                break;
            adlar.prepend(u->adi);
            anahtar = u->bagi;
        }
        sonuc.insert(k.anahtari, adlar.join(QLatin1Char('/')));
    }
    return sonuc;
}

void onGunleriDoldur(Veritabani &vt, std::vector<IsKaydi> &isler)
{
    if (!vt.onHatirlatmaVar())
        return;
    for (IsKaydi &is : isler) {
        if (is.hatirlatma && !is.yapildi && is.tarih.isValid())
            is.onGunler = vt.onHatirlatmalar(is.isNo);
    }
}

std::vector<IsKaydi> isleriTopla(Veritabani &vt, const QString &anahtari, bool tumKlasorler)
{
    std::vector<IsKaydi> isler = vt.isleriListele(anahtari, tumKlasorler, false, QDate());
    onGunleriDoldur(vt, isler);
    return isler;
}

void dosyayaYaz(const QString &yol, const QByteArray &veri)
{
    QSaveFile f(yol);
    auto hata = [&](const QString &neden) {
        return Hata(HataNo::DiskHatasi, QStringLiteral("Takvim dosyası yazılamadı: ") + neden, yol);
    };
    if (!f.open(QIODevice::WriteOnly))
        throw hata(f.errorString());
    if (f.write(veri) != veri.size()) {
        const QString neden = f.errorString();
        f.cancelWriting();
        throw hata(neden);
    }
    if (!f.commit())
        throw hata(f.errorString());
}

} // namespace Zelvora::TakvimDosyasi

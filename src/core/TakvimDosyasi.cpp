#include "core/TakvimDosyasi.h"

#include "core/Arayuzler.h"
#include "core/Hata.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

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

void onGunleriDoldur(Veritabani &vt, std::vector<IsKaydi> &isler, const QDate &enErken)
{
    if (!vt.onHatirlatmaVar())
        return;
    const QHash<qint64, QList<int>> gunler = vt.tumOnHatirlatmalar();
    if (gunler.isEmpty())
        return;
    for (IsKaydi &is : isler) {
        if (is.hatirlatma && !is.yapildi && is.tarih.isValid() && (!enErken.isValid() || is.tarih >= enErken))
            is.onGunler = gunler.value(is.isNo);
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


// ---- Reading ---------------------------------------------------------------------------

namespace {

Hata bozuk(const QString &neden)
{
    return Hata(HataNo::TakvimBozuk, neden);
}

QString metin(const char *s) { return s ? QString::fromUtf8(s) : QString(); }

// The moment of a date or date-time property in the desk's zone. gun: a whole day (a
// DATE value), returned at midnight. False when the property holds no time.
struct Zaman {
    QDateTime yerel; // the desk's wall-clock date and time (the day at 00:00 for a whole day)
    bool gun = false;
    bool gecerli() const { return yerel.isValid(); }
};

class Okuyucu {
public:
    Okuyucu(icalcomponent *takvim, const QTimeZone &bolge, OkumaSonucu &sonuc)
        : m_takvim(takvim), m_bolge(bolge), m_sonuc(sonuc)
    {
    }

    // The zone a TZID names: the file's own VTIMEZONE first, else the zone of that name
    // (IANA, or a Windows name as Outlook writes them).
    Zaman zaman(icalproperty *p, const icaltimetype &t)
    {
        Zaman z;
        if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t))
            return z;
        const QDate tarih(t.year, t.month, t.day);
        if (!tarih.isValid())
            return z;
        if (t.is_date) {
            z.gun = true;
            z.yerel = QDateTime(tarih, QTime(0, 0));
            return z;
        }
        const QTime saat(t.hour, t.minute, t.second);
        if (icaltime_is_utc(t)) {
            z.yerel = QDateTime(tarih, saat, Qt::UTC).toTimeZone(m_bolge);
            return z;
        }
        icalparameter *tzid = p ? icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) : nullptr;
        if (!tzid) {
            // A floating time: the same wall-clock time wherever it is read.
            z.yerel = QDateTime(tarih, saat, m_bolge);
            return z;
        }
        const QByteArray ad = icalparameter_get_tzid(tzid);
        if (icaltimezone *dilim = icalcomponent_get_timezone(m_takvim, ad.constData())) {
            icaltimetype u = t;
            u.zone = nullptr;
            const time_t an = icaltime_as_timet_with_zone(u, dilim);
            z.yerel = QDateTime::fromSecsSinceEpoch(qint64(an), m_bolge);
            return z;
        }
        QTimeZone q;
        if (QTimeZone::isTimeZoneIdAvailable(ad)) {
            q = QTimeZone(ad);
        } else {
            const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(ad);
            if (!iana.isEmpty())
                q = QTimeZone(iana);
        }
        if (!q.isValid()) {
            const QString uyari = QStringLiteral("Tanınmayan saat dilimi \"") + QString::fromUtf8(ad)
                + QStringLiteral("\": saatler olduğu gibi alındı.");
            if (!m_sonuc.uyarilar.contains(uyari))
                m_sonuc.uyarilar.append(uyari);
            q = m_bolge;
        }
        z.yerel = QDateTime(tarih, saat, q).toTimeZone(m_bolge);
        return z;
    }

    Zaman ozellikZamani(icalcomponent *c, icalproperty_kind tur)
    {
        icalproperty *p = icalcomponent_get_first_property(c, tur);
        if (!p)
            return {};
        return zaman(p, icalvalue_get_datetime(icalproperty_get_value(p)));
    }

    void oku(icalcomponent *c, bool gorev, const QDate &bas, const QDate &son,
             const QHash<QString, QList<Zaman>> &degisenler);

private:
    IsKaydi isKaydi(icalcomponent *c, bool gorev);

    icalcomponent *m_takvim;
    QTimeZone m_bolge;
    OkumaSonucu &m_sonuc;
};

bool ayniAn(const Zaman &a, const Zaman &b)
{
    return a.gun || b.gun ? a.yerel.date() == b.yerel.date() : a.yerel == b.yerel;
}

IsKaydi Okuyucu::isKaydi(icalcomponent *c, bool gorev)
{
    IsKaydi is;
    auto tekSatir = [](QString s) {
        s.replace(QLatin1String("\r\n"), QLatin1String(" "));
        s.replace(QLatin1Char('\n'), QLatin1Char(' '));
        s.replace(QLatin1Char('\r'), QLatin1Char(' '));
        return s.simplified();
    };
    is.konu = tekSatir(metin(icalcomponent_get_summary(c)));
    is.yer = tekSatir(metin(icalcomponent_get_location(c)));
    QString aciklama = metin(icalcomponent_get_description(c));
    for (icalproperty *x = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); x;
         x = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const QByteArray ad = icalproperty_get_x_name(x);
        const QString deger = metin(icalproperty_get_x(x));
        if (ad == SAYI_OZELLIGI)
            is.sayi = tekSatir(deger);
        else if (ad == YAPILDI_OZELLIGI)
            is.yapildi = deger.compare(QStringLiteral("TRUE"), Qt::CaseInsensitive) == 0;
    }
    // Our own description begins with the number's line; the number has its own field.
    if (!is.sayi.isEmpty()) {
        const QString satir = sayiOneki() + is.sayi;
        if (aciklama == satir)
            aciklama.clear();
        else if (aciklama.startsWith(satir + QLatin1Char('\n')))
            aciklama = aciklama.mid(satir.size() + 1);
    }
    is.aciklama = aciklama.trimmed();
    if (gorev) {
        if (icalcomponent_get_status(c) == ICAL_STATUS_COMPLETED
            || icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY))
            is.yapildi = true;
    }
    // Any alarm: the job reminds at its minute; one set whole days before its start is
    // an advance warning too.
    for (icalcomponent *a = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(c, ICAL_VALARM_COMPONENT)) {
        is.hatirlatma = true;
        icalproperty *t = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
        if (!t)
            continue;
        icalparameter *ilgili = icalproperty_get_first_parameter(t, ICAL_RELATED_PARAMETER);
        if (ilgili && icalparameter_get_related(ilgili) == ICAL_RELATED_END)
            continue;
        const icaltriggertype tetik = icalproperty_get_trigger(t);
        if (!icaltime_is_null_time(tetik.time))
            continue;
        const int sn = icaldurationtype_as_int(tetik.duration);
        if (sn < 0 && sn % 86400 == 0 && -sn / 86400 <= Veritabani::EnFazlaGunOnce)
            is.onGunler.append(-sn / 86400);
    }
    is.onGunler = Veritabani::gunleriDuzenle(is.onGunler);
    if (is.yapildi)
        is.onGunler.clear();
    return is;
}

// One item: a job, or one per occurrence of a recurring item inside the range.
void Okuyucu::oku(icalcomponent *c, bool gorev, const QDate &bas, const QDate &son,
                  const QHash<QString, QList<Zaman>> &degisenler)
{
    if (icalcomponent_get_status(c) == ICAL_STATUS_CANCELLED) {
        ++m_sonuc.iptalOge;
        return;
    }
    // The job's moment: a VEVENT's start, a VTODO's due date.
    const icalproperty_kind anTuru = gorev ? ICAL_DUE_PROPERTY : ICAL_DTSTART_PROPERTY;
    const Zaman an = ozellikZamani(c, anTuru);
    if (!an.gecerli() && icalcomponent_get_first_property(c, anTuru)) {
        throw bozuk(QStringLiteral("Takvim dosyası bozuk: \"") + metin(icalcomponent_get_summary(c))
                    + QStringLiteral("\" öğesinin tarihi okunamıyor."));
    }
    if (!an.gecerli()) {
        if (gorev) {
            ++m_sonuc.tarihsizOge;
            return;
        }
        throw bozuk(QStringLiteral("Dosyadaki bir etkinliğin başlangıç tarihi (DTSTART) yok: \"")
                    + metin(icalcomponent_get_summary(c)) + QStringLiteral("\"."));
    }
    AlinanOge ornek;
    ornek.is = isKaydi(c, gorev);
    ornek.uid = metin(icalcomponent_get_uid(c));
    const auto ekle = [&](const Zaman &z, const QString &yineleme) {
        AlinanOge o = ornek;
        o.is.tarih = z.yerel.date();
        o.is.saat = z.gun ? QTime() : QTime(z.yerel.time().hour(), z.yerel.time().minute());
        o.yineleme = yineleme;
        o.yinelenen = !yineleme.isEmpty();
        m_sonuc.ogeler.push_back(std::move(o));
    };
    // A changed occurrence of a recurring item stands on its own, under the occurrence
    // it replaces.
    if (icalproperty *rid = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) {
        const Zaman z = zaman(rid, icalproperty_get_recurrenceid(rid));
        ekle(an, z.gecerli() ? z.yerel.toString(QStringLiteral("yyyyMMdd'T'HHmmss")) : QStringLiteral("?"));
        return;
    }
    icalproperty *kural = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY);
    icalproperty *ekTarih = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY);
    if (!kural && !ekTarih) {
        ekle(an, QString());
        return;
    }
    ++m_sonuc.yinelenenOge;
    // The occurrences are counted from DTSTART (a VTODO's due date keeps its distance
    // from it); without DTSTART, from the due date.
    icalproperty *baslangic = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
    icaltimetype kok = baslangic ? icalproperty_get_dtstart(baslangic) : icalvalue_get_datetime(icalproperty_get_value(
                                                                             icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY)));
    icalproperty *kokOzelligi = baslangic ? baslangic : icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY);
    const Zaman kokZamani = zaman(kokOzelligi, kok);
    const qint64 kayma = kokZamani.gecerli() ? kokZamani.yerel.secsTo(an.yerel) : 0;
    // The wall-clock occurrences are in the item's own zone: the iterator gets the start
    // with its zone attached, so each occurrence keeps its local time across the zone's
    // changes of offset.
    if (icalparameter *tzid = icalproperty_get_first_parameter(kokOzelligi, ICAL_TZID_PARAMETER)) {
        if (icaltimezone *dilim = icalcomponent_get_timezone(m_takvim, icalparameter_get_tzid(tzid)))
            kok.zone = dilim;
    }
    std::vector<std::pair<Zaman, icaltimetype>> tarihler;
    constexpr int EnFazlaTekrar = 100000;
    bool sonsuz = false;
    for (icalproperty *r = kural; r; r = icalcomponent_get_next_property(c, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype kuralDegeri = icalproperty_get_rrule(r);
        icalrecur_iterator *it = icalrecur_iterator_new(kuralDegeri, kok);
        if (!it)
            throw bozuk(QStringLiteral("Dosyadaki bir yineleme kuralı (RRULE) okunamadı: \"")
                        + metin(icalcomponent_get_summary(c)) + QStringLiteral("\"."));
        int adim = 0;
        for (icaltimetype n = icalrecur_iterator_next(it); !icaltime_is_null_time(n); n = icalrecur_iterator_next(it)) {
            const Zaman z = zaman(kokOzelligi, n);
            if (!z.gecerli())
                continue;
            if (++adim > EnFazlaTekrar) {
                m_sonuc.uyarilar.append(QStringLiteral("\"") + ornek.is.konu + QStringLiteral("\" ")
                                        + QString::number(EnFazlaTekrar)
                                        + QStringLiteral(" kereden çok yineleniyor: ilk ")
                                        + QString::number(EnFazlaTekrar) + QStringLiteral(" tekrarı okundu."));
                break;
            }
            if (z.yerel.date() > son) {
                // A rule without end goes on for ever: said so, not counted; a rule
                // with an end has its occurrences after the range counted.
                if (kuralDegeri.count == 0 && icaltime_is_null_time(kuralDegeri.until)) {
                    sonsuz = true;
                    break;
                }
                ++m_sonuc.aralikDisi;
                continue;
            }
            tarihler.emplace_back(z, n);
        }
        icalrecur_iterator_free(it);
    }
    for (icalproperty *r = ekTarih; r; r = icalcomponent_get_next_property(c, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype d = icalproperty_get_rdate(r);
        const icaltimetype t = icaltime_is_null_time(d.time) ? d.period.start : d.time;
        const Zaman z = zaman(r, t);
        if (z.gecerli())
            tarihler.emplace_back(z, t);
    }
    if (sonsuz)
        ++m_sonuc.sonsuzOge;
    std::vector<Zaman> haric;
    for (icalproperty *x = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY); x;
         x = icalcomponent_get_next_property(c, ICAL_EXDATE_PROPERTY)) {
        const Zaman z = zaman(x, icalproperty_get_exdate(x));
        if (z.gecerli())
            haric.push_back(z);
    }
    const QList<Zaman> degisen = degisenler.value(ornek.uid);
    std::sort(tarihler.begin(), tarihler.end(),
              [](const auto &a, const auto &b) { return a.first.yerel < b.first.yerel; });
    Zaman onceki;
    for (const auto &[z, ham] : tarihler) {
        if (onceki.gecerli() && ayniAn(onceki, z))
            continue; // an RDATE that the rule gives too
        onceki = z;
        if (std::any_of(haric.begin(), haric.end(), [&](const Zaman &h) { return ayniAn(h, z); }))
            continue;
        if (std::any_of(degisen.begin(), degisen.end(), [&](const Zaman &h) { return ayniAn(h, z); }))
            continue; // taken from its changed occurrence instead
        if (z.yerel.date() < bas || z.yerel.date() > son) {
            ++m_sonuc.aralikDisi;
            continue;
        }
        Zaman is = z;
        is.yerel = z.yerel.addSecs(kayma);
        ekle(is, z.yerel.toString(QStringLiteral("yyyyMMdd'T'HHmmss")));
    }
}

QList<icalcomponent *> takvimler(icalcomponent *kok)
{
    QList<icalcomponent *> s;
    if (icalcomponent_isa(kok) == ICAL_VCALENDAR_COMPONENT) {
        s << kok;
        return s;
    }
    for (icalcomponent *c = icalcomponent_get_first_component(kok, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(kok, ICAL_VCALENDAR_COMPONENT))
        s << c;
    return s;
}

// The first error libical noted in an item or its alarms (an X-LIC-ERROR property).
QString ilkHata(icalcomponent *c)
{
    if (icalproperty *p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY))
        return metin(icalproperty_get_xlicerror(p));
    for (icalcomponent *a = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); a;
         a = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
        const QString h = ilkHata(a);
        if (!h.isEmpty())
            return h;
    }
    return QString();
}

// Parses the file, refusing what is not a whole iCalendar file.
Bilesen coz(const QByteArray &veri)
{
    QByteArray govde = veri;
    if (govde.startsWith("\xEF\xBB\xBF"))
        govde.remove(0, 3);
    govde = govde.trimmed();
    if (!govde.startsWith("BEGIN:VCALENDAR"))
        throw bozuk(QStringLiteral("Dosya bir takvim dosyası (iCalendar) değil."));
    if (!govde.endsWith("END:VCALENDAR"))
        throw bozuk(QStringLiteral("Takvim dosyası yarım kalmış: sonu (END:VCALENDAR) yok."));
    QStringDecoder utf8Cozucu(QStringDecoder::Utf8);
    const QString denetim = utf8Cozucu(govde);
    Q_UNUSED(denetim);
    if (utf8Cozucu.hasError())
        throw bozuk(QStringLiteral("Takvim dosyasının yazısı UTF-8 değil: Türkçe harfler bozulacağı için alınmadı."));
    icalerror_set_errors_are_fatal(0);
    Bilesen kok(icalparser_parse_string(govde.constData()));
    if (!kok || takvimler(kok.get()).isEmpty())
        throw bozuk(QStringLiteral("Takvim dosyası okunamadı: içinde takvim (VCALENDAR) yok."));
    return kok;
}

} // namespace

bool yinelenenVarMi(const QByteArray &veri)
{
    Bilesen kok = coz(veri);
    for (icalcomponent *takvim : takvimler(kok.get())) {
        for (icalcomponent *c = icalcomponent_get_first_component(takvim, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(takvim, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind tur = icalcomponent_isa(c);
            if ((tur == ICAL_VEVENT_COMPONENT || tur == ICAL_VTODO_COMPONENT)
                && (icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY)
                    || icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY)))
                return true;
        }
    }
    return false;
}

OkumaSonucu oku(const QByteArray &veri, const QTimeZone &bolge, const QDate &aralikBasi, const QDate &aralikSonu)
{
    Bilesen kok = coz(veri);
    OkumaSonucu sonuc;
    const QTimeZone dilim = bolge.isValid() ? bolge : QTimeZone::systemTimeZone();
    int sira = 0;
    for (icalcomponent *takvim : takvimler(kok.get())) {
        Okuyucu okuyucu(takvim, dilim, sonuc);
        // The changed occurrences of recurring items, by UID, first: the item's own
        // expansion leaves them to their own entries.
        QHash<QString, QList<Zaman>> degisenler;
        for (icalcomponent *c = icalcomponent_get_first_component(takvim, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(takvim, ICAL_ANY_COMPONENT)) {
            if (icalproperty *rid = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) {
                const Zaman z = okuyucu.zaman(rid, icalproperty_get_recurrenceid(rid));
                if (z.gecerli())
                    degisenler[metin(icalcomponent_get_uid(c))].append(z);
            }
        }
        for (icalcomponent *c = icalcomponent_get_first_component(takvim, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(takvim, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind tur = icalcomponent_isa(c);
            if (tur != ICAL_VEVENT_COMPONENT && tur != ICAL_VTODO_COMPONENT)
                continue;
            ++sira;
            const QString hata = ilkHata(c);
            if (!hata.isEmpty())
                throw bozuk(QStringLiteral("Takvim dosyası bozuk: ") + QString::number(sira)
                            + QStringLiteral(". öğede okunamayan bir satır var (") + hata + QStringLiteral(")."));
            okuyucu.oku(c, tur == ICAL_VTODO_COMPONENT, aralikBasi, aralikSonu, degisenler);
        }
    }
    return sonuc;
}

QStringList sinirlaraKes(IsKaydi &is)
{
    QStringList kesilen;
    QStringList artanlar;
    const auto duzelt = [](QString s) {
        s.replace(QLatin1Char('\''), QChar(0x2019));
        return s.trimmed();
    };
    const auto kes = [&](QString &alan, int sinir, const QString &ad, const QString &etiket) {
        alan = duzelt(alan);
        if (alan.size() <= sinir)
            return;
        kesilen << ad;
        artanlar << etiket + alan;
        alan = alan.left(sinir).trimmed();
    };
    kes(is.konu, KonuSiniri, QStringLiteral("konu"), QStringLiteral("Konu: "));
    kes(is.yer, YerSiniri, QStringLiteral("yer"), QStringLiteral("Yer: "));
    kes(is.sayi, SayiSiniri, QStringLiteral("sayı"), QStringLiteral("Sayı: "));
    is.aciklama = duzelt(is.aciklama);
    // The whole text of a field cut is kept in the description.
    if (!artanlar.isEmpty())
        is.aciklama = is.aciklama.isEmpty() ? artanlar.join(QLatin1Char('\n'))
                                            : is.aciklama + QLatin1Char('\n') + artanlar.join(QLatin1Char('\n'));
    return kesilen;
}

AlmaPlani planla(const OkumaSonucu &okunan, Veritabani &vt)
{
    AlmaPlani plan;
    const QString kimlik = vt.kimlik();
    QSet<QPair<QString, QString>> var;
    for (const Veritabani::AlinanKimlik &k : vt.alinanKimlikler())
        var.insert({k.uid, k.yineleme});
    QHash<qint64, bool> bizimIsler;
    for (const AlinanOge &o : okunan.ogeler) {
        if (!o.uid.isEmpty()) {
            const QPair<QString, QString> anahtar{o.uid, o.yineleme};
            if (var.contains(anahtar)) {
                ++plan.zatenVar;
                continue;
            }
            // A job this database wrote: there while its number still is.
            if (const qint64 no = isNumarasi(o.uid, kimlik); no > 0 && o.yineleme.isEmpty()) {
                auto it = bizimIsler.find(no);
                if (it == bizimIsler.end())
                    it = bizimIsler.insert(no, vt.is(no).isNo == no);
                if (*it) {
                    ++plan.zatenVar;
                    continue;
                }
            }
            var.insert(anahtar); // the same item twice in one file is stored once
        }
        IsKaydi is = o.is;
        const QStringList kesilen = sinirlaraKes(is);
        plan.konuKesilen += kesilen.contains(QStringLiteral("konu"));
        plan.yerKesilen += kesilen.contains(QStringLiteral("yer"));
        plan.sayiKesilen += kesilen.contains(QStringLiteral("sayı"));
        plan.isler.push_back(std::move(is));
        plan.kimlikler.append({o.uid, o.yineleme});
    }
    return plan;
}

} // namespace Zelvora::TakvimDosyasi

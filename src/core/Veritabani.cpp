#include "core/Veritabani.h"

#include "core/OrtakYordamlar.h"

#include <QTimeZone>

#include <algorithm>

// What every back end of the database shares: the open database, the conversions of
// job rows, and the lists returned whole.

namespace Zelvora {
namespace {
QString metinOlarak(QByteArrayView v)
{
    return v.isNull() ? QString() : QString::fromUtf8(v);
}

int ikiRakam(const char *p)
{
    return (p[0] - '0') * 10 + (p[1] - '0');
}

bool rakam(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

qint32 Veritabani::julyenGunu(const char *p, int n)
{
    if (!p || n < 10 || !rakam(p[0]) || !rakam(p[1]) || !rakam(p[2]) || !rakam(p[3]) || p[4] != '-' || !rakam(p[5])
        || !rakam(p[6]) || p[7] != '-' || !rakam(p[8]) || !rakam(p[9]))
        return HamIsSatiri::TarihYok;
    const int y = ikiRakam(p) * 100 + ikiRakam(p + 2);
    const int m = ikiRakam(p + 5);
    const int d = ikiRakam(p + 8);
    static const int gunler[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool artik = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > gunler[m - 1] + (m == 2 && artik ? 1 : 0))
        return HamIsSatiri::TarihYok;
    // The Gregorian calendar's day count (as QDate counts it).
    const int a = (14 - m) / 12;
    const int yy = y + 4800 - a;
    const int mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

qint32 Veritabani::gununSaniyesi(const char *p, int n)
{
    if (!p || n < 5 || !rakam(p[0]) || !rakam(p[1]) || p[2] != ':' || !rakam(p[3]) || !rakam(p[4]))
        return -1;
    const int sa = ikiRakam(p), dk = ikiRakam(p + 3);
    int sn = 0;
    if (n >= 8 && p[5] == ':' && rakam(p[6]) && rakam(p[7]))
        sn = ikiRakam(p + 6);
    return sa < 24 && dk < 60 && sn < 60 ? (sa * 60 + dk) * 60 + sn : -1;
}

Veritabani::~Veritabani() = default;

namespace {
Veritabani *acikVeritabani = nullptr;
} // namespace

Veritabani &Veritabani::acik()
{
    if (!acikVeritabani)
        throw VeritabaniHatasi::acikDegil();
    return *acikVeritabani;
}

bool Veritabani::acikMi()
{
    return acikVeritabani != nullptr;
}

void Veritabani::acikAyarla(Veritabani *vt)
{
    acikVeritabani = vt;
}

IsKaydi Veritabani::kayit(const HamIsSatiri &s)
{
    IsKaydi is;
    is.isNo = s.isNo;
    is.anahtari = metinOlarak(s.anahtari);
    if (s.tarih != HamIsSatiri::TarihYok)
        is.tarih = QDate::fromJulianDay(s.tarih);
    if (s.saat >= 0)
        is.saat = QTime::fromMSecsSinceStartOfDay(s.saat * 1000);
    is.konu = metinOlarak(s.konu);
    is.yer = metinOlarak(s.yer);
    is.sayi = metinOlarak(s.sayi);
    is.aciklama = metinOlarak(s.aciklama);
    is.hatirlatma = s.hatirlatma;
    is.yapildi = s.yapildi;
    is.gunOnce = s.gunOnce;
    return is;
}

QString Veritabani::tarihMetni(const QDate &t)
{
    return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString Veritabani::saatMetni(const QTime &s)
{
    return s.isValid() ? s.toString(QStringLiteral("HH:mm:ss")) : QString();
}

QString Veritabani::anMetni(const QDate &t, const QTime &s)
{
    return tarihMetni(t) + QLatin1Char(' ') + saatMetni(s);
}

QDateTime Veritabani::anCoz(const QString &metin)
{
    if (metin.size() < 19)
        return {};
    const QDate t = QDate::fromString(metin.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime s = QTime::fromString(metin.mid(11, 8), QStringLiteral("HH:mm:ss"));
    return t.isValid() && s.isValid() ? QDateTime(t, s, QTimeZone::utc()) : QDateTime();
}

std::vector<IsKaydi> Veritabani::isleriListele(const QString &anahtari, bool tumKlasorler, bool sadeceBugun,
                                               const QDate &bugun)
{
    std::vector<IsKaydi> sonuc;
    isleriListele(anahtari, tumKlasorler, sadeceBugun, bugun, [&](const HamIsSatiri &s) { sonuc.push_back(kayit(s)); });
    return sonuc;
}

std::vector<IsKaydi> Veritabani::hatirlatilacakIsler(const QDate &bugun, const QTime &dakika)
{
    // A horizon at the start of today adds no earlier day.
    return hatirlatilacakIsler(bugun, dakika, bugun, QTime(0, 0));
}

std::vector<IsKaydi> Veritabani::hatirlatilacakIsler(const QDate &bugun, const QTime &dakika, const QDate &ufukTarihi,
                                                     const QTime &ufukSaati)
{
    std::vector<IsKaydi> sonuc = hatirlatilacakIsleriOku(bugun, dakika, ufukTarihi, ufukSaati);
    if (!onHatirlatmaVar())
        return sonuc;
    const QDateTime tarama = QDateTime(bugun, QTime(dakika.hour(), dakika.minute(), 0), QTimeZone::utc());
    const QDateTime ufuk = QDateTime(ufukTarihi, ufukSaati, QTimeZone::utc());
    for (IsKaydi &k : onHatirlatmalariSec(onHatirlatmaAdaylari(bugun), tarama, ufuk))
        sonuc.push_back(std::move(k));
    return sonuc;
}

std::vector<IsKaydi> Veritabani::onHatirlatmalariSec(std::vector<OnHatirlatmaAdayi> adaylar, const QDateTime &taramaAni,
                                                     const QDateTime &ufuk)
{
    // Moments are wall-clock readings held as UTC (as core/Ufuk counts them), so that no
    // daylight-saving rule moves them.
    std::vector<IsKaydi> sonuc;
    std::vector<QDateTime> anlar;
    for (OnHatirlatmaAdayi &a : adaylar) {
        if (!a.is.tarih.isValid() || !a.is.saat.isValid() || a.gunOnce <= 0 || !a.is.hatirlatma || a.is.yapildi)
            continue;
        const QDateTime isAni(a.is.tarih, a.is.saat, QTimeZone::utc());
        if (isAni <= taramaAni)
            continue; // the job's own reminder takes over
        const QDateTime an = a.ertelendi.isValid()
            ? QDateTime(a.ertelendi.date(), a.ertelendi.time(), QTimeZone::utc())
            : QDateTime(a.is.tarih.addDays(-a.gunOnce), a.is.saat, QTimeZone::utc());
        if (an > taramaAni || an <= ufuk)
            continue;
        // One row per job: the warning due last.
        if (!sonuc.empty() && sonuc.back().isNo == a.is.isNo) {
            if (an >= anlar.back()) {
                anlar.back() = an;
                sonuc.back().gunOnce = a.gunOnce;
            }
            continue;
        }
        a.is.gunOnce = a.gunOnce;
        sonuc.push_back(std::move(a.is));
        anlar.push_back(an);
    }
    return sonuc;
}

QList<int> Veritabani::gunleriDuzenle(const QList<int> &gunler)
{
    QList<int> sonuc;
    for (int g : gunler) {
        if (g >= 1 && g <= EnFazlaGunOnce && !sonuc.contains(g))
            sonuc << g;
    }
    std::sort(sonuc.begin(), sonuc.end(), std::greater<int>());
    return sonuc;
}

std::vector<IsKaydi> Veritabani::isListesi(ListeKipi kip, const QDate &tarih)
{
    std::vector<IsKaydi> sonuc;
    isListesi(kip, tarih, [&](const HamIsSatiri &s) { sonuc.push_back(kayit(s)); });
    return sonuc;
}

void Veritabani::Degisiklikler::bildirimEkle(QByteArrayView yuk)
{
    const QByteArray metin = yuk.toByteArray();
    const qsizetype b1 = metin.indexOf(' ');
    const qsizetype b2 = b1 < 0 ? -1 : metin.indexOf(' ', b1 + 1);
    const QByteArray tablo = b1 < 0 ? metin : metin.left(b1);
    // Without keys (an older server's payload) or with "*": the table's rows all count.
    const QByteArray anahtarlar = b2 < 0 ? QByteArray() : metin.mid(b2 + 1);
    const bool tumu = anahtarlar.isEmpty() || anahtarlar == "*";
    if (tablo == "KlasorBilgileriTablosu") {
        neler |= KlasorlerDegisti;
        if (tumu)
            tumKlasorler = true;
        else
            for (const QByteArray &a : anahtarlar.split(','))
                klasorler.insert(QString::fromUtf8(a));
        return;
    }
    // The jobs, their warnings, and anything else that may touch them.
    neler |= IslerDegisti;
    const bool uyari = tablo == "OnHatirlatmaTablosu";
    if (tumu || (!uyari && tablo != "YapilacakIslerTablosu")) {
        tumIsler = true;
        return;
    }
    for (const QByteArray &a : anahtarlar.split(',')) {
        bool tamam = false;
        const qint64 no = a.toLongLong(&tamam);
        if (!tamam) {
            tumIsler = true;
            return;
        }
        (uyari ? onHatirlatmalar : isler).insert(no);
    }
}

void Veritabani::Degisiklikler::ekle(const Degisiklikler &d)
{
    neler |= d.neler;
    tumIsler = tumIsler || d.tumIsler;
    tumKlasorler = tumKlasorler || d.tumKlasorler;
    isler.unite(d.isler);
    onHatirlatmalar.unite(d.onHatirlatmalar);
    klasorler.unite(d.klasorler);
}

} // namespace Zelvora

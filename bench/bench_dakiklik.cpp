// Punctuality of the reminders over simulated days. The main window's real tick, the
// real reminder window and a real database are driven by the fixed clock of the tests:
// a tick every 32 seconds (as the window re-arms its timer), jobs at random minutes,
// scripted users who settle rows after random delays, leave the window open across
// midnight or close it with rows left, spans when the program is not running (no
// ticks, a fresh start afterwards) and when the machine sleeps (the clock jumps).
//
// Every due reminder is one job at one minute: its own date and time, one of its advance
// warnings (its date less some days, at its time), or the time a postponement gave it.
// A job shows one row at a time: a warning due while a later one of the same job (or the
// job itself) is listed counts as covered by it. Its due moment is the first instant at which the wall clock
// reads that minute (a time with seconds counts from the next minute). The report tells
// how each was shown, by the circumstances at its due moment.
//
//   bench_dakiklik [--gun yyyy-MM-dd] [--gunler N] [--is N] [--tohum N] [--eski-kural]
//
// --eski-kural stores the start of today as the horizon before every tick: earlier
// days are then never listed, as before the horizon existed.
//
// Exits 0 only when the targets are met: no due reminder never shown, all those due while
// the program ran (no window up) shown on time, none shown again after being settled,
// none shown though never due, no other message box. Otherwise it prints the targets
// missed and exits 1 (so --eski-kural, which loses reminders, exits 1). Run with TZ=Europe/Berlin
// and a start two days before a daylight-saving change to cross one.

#include "TestOrtami.h"

#include "core/Ayarlar.h"
#include "core/OrtakDegiskenler.h"
#include "core/Ufuk.h"
#include "core/Veritabani.h"
#include "jobs/IsEklemeDegistirmeFormu.h"
#include "jobs/IsListesi.h"
#include "jobs/KlasorAgaci.h"
#include "reminders/HatirlatmaFormu.h"
#include "ui/AnaForm.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeZone>
#include <QTimer>
#include <QTreeWidget>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <queue>
#include <random>
#include <set>
#include <vector>

using namespace Zelvora;

namespace {

const QString Klasor = QStringLiteral("1-Anahtar");
// A reminder's key: the job's number times this, plus the warning's days (0: the job's own).
constexpr qint64 Carpan = 1000;
const QString KapatmaSorusu =
    QStringLiteral("Şimdi bu pencereyi kapatırsanız listedeki işler (30) saniye sonra tekrar hatırlatılacak!");

// Wall-clock seconds (the local date and time read as if UTC) of an instant.
qint64 duvar(qint64 mutlak)
{
    const QDateTime d = QDateTime::fromSecsSinceEpoch(mutlak);
    return QDateTime(d.date(), d.time(), QTimeZone::utc()).toSecsSinceEpoch();
}
QDateTime duvarAni(qint64 duvarSn)
{
    return QDateTime::fromSecsSinceEpoch(duvarSn, QTimeZone::utc());
}
QString metin(qint64 mutlak)
{
    return QDateTime::fromSecsSinceEpoch(mutlak).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss t"));
}

// The first instant at or after `once` at which the wall clock reads the key's minute
// or later. The wall clock runs with the instants except at daylight-saving changes,
// where it jumps by at most an hour: start two hours short and walk by minutes, then by
// seconds (no change lies inside a minute).
qint64 vadeBul(qint64 once, qint64 anahtar)
{
    const qint64 hedef = (anahtar + 59) / 60 * 60;
    const qint64 fark = hedef - duvar(once);
    if (fark <= 0)
        return once;
    qint64 t = once + std::max<qint64>(0, fark - 7200);
    while (duvar(t) < hedef)
        t += 60;
    for (qint64 s = std::max(once, t - 60); s < t; ++s) {
        if (duvar(s) >= hedef)
            return s;
    }
    return t;
}

enum class Durum { Calisiyor, PencereAcik, Kapali, Uyuyor };
const char *const DurumAdi[] = {"the program ran, no reminder window up", "a reminder window was up",
                                "the program was not running", "the machine slept"};

// One due reminder.
struct Vade {
    qint64 isNo = 0;
    qint64 anahtar = 0;  // wall seconds of the job's date and time
    qint64 vade = 0;     // instant it fell due
    qint64 ilkTarama = -1; // the first scan at or after it
    bool ilkTaramadaVardi = false;
    qint64 gosterildi = -1; // first shown
    Durum durum = Durum::Calisiyor;
    bool iptal = false; // its job was settled before it fell due (done from a warning's row)
};

struct IsBilgisi {
    bool acik = false; // remind on, not done
    int vade = -1;     // its current due reminder
    bool hicVadeli = false;
};

struct Sonuclar {
    long tik = 0, pencere = 0, bosTarama = 0, tekrarGosterim = 0;
    long yeniden = 0;          // shown again after being settled
    long vadesizGosterim = 0;  // shown though never due
    long ilkTaramadaYok = 0;   // the first scan after its minute did not list it
    long beklenmedikMesaj = 0;
    long ertelenen = 0, yapilan = 0, kapatilan = 0, acikKapatma = 0, geceYarisiAcik = 0, sonYarimDakika = 0;
    long baslatma = 0, uyku = 0, eklenen = 0;
    long uyarili = 0, uyari = 0, kapsanan = 0; // jobs with warnings, warnings, covered
    QStringList ornekler;
};

class Benzetim : public QObject {
public:
    Benzetim(QDate gun, int gunler, int isSayisi, unsigned tohum, bool eskiKural)
        : m_gun(gun), m_gunler(gunler), m_isSayisi(isSayisi), m_rnd(tohum), m_eskiKural(eskiKural)
    {
        m_ortam.veritabaniniAc();
        vt()->klasorEkle({Klasor, KlasorAgaci::KlasorAnahtari, QStringLiteral("Büro")});
        m_basla = QDateTime(gun, QTime(0, 0)).toSecsSinceEpoch();
        m_bitis = QDateTime(gun.addDays(gunler), QTime(0, 0)).toSecsSinceEpoch();
        qApp->installEventFilter(this);
    }

    int calistir();

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show) {
            if (auto *ed = qobject_cast<IsEklemeDegistirmeFormu *>(o)) {
                QPointer<IsEklemeDegistirmeFormu> p = ed;
                QTimer::singleShot(0, ed, [this, p] {
                    if (p)
                        isiGir(p);
                });
            }
            if (auto *f = qobject_cast<HatirlatmaFormu *>(o)) {
                pencereGeldi(f);
                QPointer<HatirlatmaFormu> p = f;
                QTimer::singleShot(0, f, [this, p] {
                    if (p)
                        kullanici(p);
                });
            }
        }
        return false;
    }

private:
    Veritabani *vt() { return &Veritabani::acik(); }
    int rastgele(int alt, int ust) { return std::uniform_int_distribution<int>(alt, ust)(m_rnd); }
    bool olasilik(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rnd) < p; }

    void saatiKur(qint64 t)
    {
        m_simdi = t;
        m_ortam.saat->an = QDateTime::fromSecsSinceEpoch(t);
    }
    void durumDegisti(Durum d)
    {
        // A state that lasted no time is replaced.
        if (!m_durumlar.empty() && m_durumlar.back().first == m_simdi)
            m_durumlar.pop_back();
        if (m_durumlar.empty() || m_durumlar.back().second != d)
            m_durumlar.emplace_back(m_simdi, d);
    }
    // The state just before t (a window that a tick at t opened did not hold back a
    // reminder due at t).
    Durum durumAninda(qint64 t) const
    {
        auto it = std::lower_bound(m_durumlar.begin(), m_durumlar.end(), t,
                                   [](const std::pair<qint64, Durum> &e, qint64 v) { return e.first < v; });
        return it == m_durumlar.begin() ? Durum::Kapali : std::prev(it)->second;
    }
    // When scans could run again after t: the program ran with no window up.
    qint64 engelBitti(qint64 t) const
    {
        auto it = std::lower_bound(m_durumlar.begin(), m_durumlar.end(), t,
                                   [](const std::pair<qint64, Durum> &e, qint64 v) { return e.first < v; });
        for (; it != m_durumlar.end(); ++it) {
            if (it->second == Durum::Calisiyor)
                return it->first;
        }
        return -1;
    }

    // A reminder's due moment from now on: the job's date and time read from the database
    // (less a warning's days), or the wall-clock key a postponement gave it.
    void vadeEkle(qint64 isNo, qint64 once, qint64 anahtar = -1)
    {
        if (anahtar < 0) {
            const IsKaydi k = vt()->is(isNo / Carpan);
            anahtar = QDateTime(k.tarih, k.saat, QTimeZone::utc()).toSecsSinceEpoch() - (isNo % Carpan) * 86400;
        }
        Vade v;
        v.isNo = isNo;
        v.anahtar = anahtar;
        v.vade = vadeBul(once, v.anahtar);
        m_vadeler.push_back(v);
        const int i = int(m_vadeler.size()) - 1;
        m_isler[isNo].vade = i;
        m_isler[isNo].hicVadeli = true;
        m_bekleyen.push({v.vade, i});
    }

    qint64 isEkle(qint64 anahtar, bool hatirlat, bool yapildi, const QString &konu, const QList<int> &gunler = {})
    {
        const QDateTime a = duvarAni(anahtar);
        IsKaydi is{0, Klasor, a.date(), a.time(), konu, {}, {}, {}, hatirlat, yapildi};
        is.onGunler = gunler;
        const qint64 no = vt()->isEkle(is) * Carpan;
        m_isler[no].acik = hatirlat && !yapildi;
        for (int g : gunler)
            m_isler[no + g].acik = hatirlat && !yapildi;
        return no;
    }
    // Every reminder of a job settled for good (done, or its reminder off).
    void isKapandi(qint64 kimlik)
    {
        const qint64 is = kimlik / Carpan * Carpan;
        for (auto it = m_isler.lower_bound(is); it != m_isler.end() && it->first < is + Carpan; ++it) {
            it->second.acik = false;
            // A reminder of it still ahead will never fall due.
            if (it->second.vade >= 0 && m_vadeler[size_t(it->second.vade)].vade > m_simdi) {
                m_vadeler[size_t(it->second.vade)].iptal = true;
                it->second.vade = -1;
            }
        }
    }

    void isleriUret();
    void olaylariUret();
    void isiGir(IsEklemeDegistirmeFormu *e);
    void tarama(const QList<qint64> &satirlar);
    void pencereGeldi(HatirlatmaFormu *f);
    void kullanici(HatirlatmaFormu *f);
    void sonuclandir(HatirlatmaFormu *f, int satir, int sonuc);
    void kapat(HatirlatmaFormu *f, bool onceHayir);
    void bekle(qint64 saniye) { saatiKur(m_simdi + saniye); }
    void programiBaslat();
    void programiKapat();
    void tikla();
    // Prints the report; returns the targets missed, one line each.
    QStringList rapor();

    Test::Ortam m_ortam;
    QDate m_gun;
    int m_gunler;
    int m_isSayisi;
    std::mt19937 m_rnd;
    bool m_eskiKural;
    qint64 m_basla = 0, m_bitis = 0, m_simdi = 0;
    std::unique_ptr<AnaForm> m_ana;
    qint64 m_sonrakiTik = -1;
    qint64 m_sonTik = -1;
    int m_pencereliUyku = 0;
    int m_geceSirasi = 0;
    qint64 m_girilecek = 0; // the job the user is entering in the editor (wall seconds)
    bool m_yerlesme = false; // after the simulated days: the users settle everything at once
    bool m_pencereGoruldu = false;

    std::vector<Vade> m_vadeler;
    std::map<qint64, IsBilgisi> m_isler;
    std::priority_queue<std::pair<qint64, int>, std::vector<std::pair<qint64, int>>, std::greater<>> m_bekleyen;
    std::vector<std::pair<qint64, Durum>> m_durumlar;
    // Planned events: (instant, kind, length) — 0 program closed, 1 machine asleep, 2 job added.
    std::multiset<std::tuple<qint64, int, qint64>> m_olaylar;
    Sonuclar m_s;
};

void Benzetim::isleriUret()
{
    const qint64 ilkDuvar = duvar(m_basla);
    const int dakikalar = m_gunler * 24 * 60;
    std::vector<qint64> anahtarlar;
    vt()->calistir("BEGIN");
    for (int i = 0; i < m_isSayisi; ++i) {
        qint64 a;
        const int tur = rastgele(0, 99);
        if (tur < 6 && !anahtarlar.empty())
            a = anahtarlar[size_t(rastgele(0, int(anahtarlar.size()) - 1))]; // same minute as another
        else if (tur < 10)
            a = ilkDuvar + qint64(rastgele(0, m_gunler - 1)) * 86400 + 23 * 3600 + 59 * 60; // 23:59
        else if (tur < 14)
            a = ilkDuvar + qint64(rastgele(1, m_gunler)) * 86400 - (m_gunler > 1 ? 0 : 60); // 00:00 (23:59 for one day)
        else
            a = ilkDuvar + qint64(rastgele(0, dakikalar - 1)) * 60;
        anahtarlar.push_back(a);
        const int durum = rastgele(0, 99);
        const bool hatirlat = durum >= 8;
        const bool yapildi = durum < 4;
        // A third of the jobs warn days before as well, as a deadline does.
        QList<int> gunler;
        if (olasilik(0.33)) {
            static const QList<int> secenekler[] = {{1}, {2, 1}, {3, 1}, {7, 3, 1}};
            gunler = secenekler[rastgele(0, 3)];
            ++m_s.uyarili;
        }
        isEkle(a, hatirlat, yapildi, QStringLiteral("İş ") + QString::number(i + 1), gunler);
    }
    vt()->calistir("COMMIT");
    // Before the program first starts: every open job's reminder is ahead, and the
    // warnings of its days (those before the first day were never due).
    for (auto &[no, bilgi] : m_isler) {
        if (!bilgi.acik)
            continue;
        if (no % Carpan) {
            const IsKaydi k = vt()->is(no / Carpan);
            if (QDateTime(k.tarih.addDays(-(no % Carpan)), k.saat, QTimeZone::utc()).toSecsSinceEpoch() < ilkDuvar)
                continue;
            ++m_s.uyari;
        }
        vadeEkle(no, m_basla);
    }
}

void Benzetim::olaylariUret()
{
    const qint64 ilkDuvar = duvar(m_basla);
    auto ani = [&](int gun, int saat, int dakika) {
        return vadeBul(m_basla, ilkDuvar + qint64(gun) * 86400 + saat * 3600 + dakika * 60);
    };
    // Not running: every night from late evening to the morning on one day, a lunch break
    // on every day, and a few random spans.
    if (m_gunler > 1)
        m_olaylar.insert({ani(1, rastgele(21, 23), rastgele(0, 59)), 0, qint64(rastgele(8, 10)) * 3600});
    for (int g = 0; g < m_gunler; ++g) {
        m_olaylar.insert({ani(g, 12, rastgele(0, 59)), 0, qint64(rastgele(20, 75)) * 60});
        if (olasilik(0.7))
            m_olaylar.insert({ani(g, rastgele(0, 23), rastgele(0, 59)), 0, qint64(rastgele(2, 240)) * 60});
        // The machine sleeps once a day, at times across midnight.
        m_olaylar.insert({ani(g, g % 2 ? 23 : rastgele(8, 20), rastgele(0, 59)), 1, qint64(rastgele(10, 180)) * 60});
    }
    // Jobs added while the program runs: some for a minute already passed, some ahead.
    for (int i = 0; i < m_isSayisi / 12; ++i)
        m_olaylar.insert({m_basla + rastgele(0, int(m_bitis - m_basla) - 1), 2, 0});
}

void Benzetim::programiBaslat()
{
    m_ana = std::make_unique<AnaForm>(false);
    ++m_s.baslatma;
    durumDegisti(Durum::Calisiyor);
    m_sonrakiTik = m_simdi + Test::denetim<QTimer>(m_ana.get(), "YapilacakIsKontrolu")->interval() / 1000;
    Test::denetim<QTimer>(m_ana.get(), "YapilacakIsKontrolu")->stop(); // the simulation fires it on the simulated clock
}

void Benzetim::programiKapat()
{
    m_ana.reset();
    durumDegisti(Durum::Kapali);
    m_sonrakiTik = -1;
}

// Another reminder of the same job is among the rows.
bool ayniIs(const std::set<qint64> &liste, qint64 kimlik)
{
    const qint64 is = kimlik / Carpan * Carpan;
    auto it = liste.lower_bound(is);
    return it != liste.end() && *it < is + Carpan;
}

// A scan at the current instant listed these reminders (none: no window came).
void Benzetim::tarama(const QList<qint64> &satirlar)
{
    const std::set<qint64> liste(satirlar.begin(), satirlar.end());
    // The reminders fallen due since the last scan: this is their first scan.
    while (!m_bekleyen.empty() && m_bekleyen.top().first <= m_simdi) {
        Vade &v = m_vadeler[size_t(m_bekleyen.top().second)];
        m_bekleyen.pop();
        if (m_isler[v.isNo].vade != int(&v - m_vadeler.data()))
            continue; // replaced before it fell due
        v.ilkTarama = m_simdi;
        v.ilkTaramadaVardi = liste.count(v.isNo) > 0;
        if (!v.ilkTaramadaVardi && ayniIs(liste, v.isNo)) {
            // A later reminder of the same job is listed in its place.
            ++m_s.kapsanan;
            v.ilkTaramadaVardi = true;
            v.gosterildi = m_simdi;
            continue;
        }
        if (!v.ilkTaramadaVardi) {
            ++m_s.ilkTaramadaYok;
            if (m_s.ornekler.size() < 10)
                m_s.ornekler << QStringLiteral("not listed by its first scan: job %1 due %2, scan %3")
                                    .arg(v.isNo).arg(metin(v.vade), metin(m_simdi));
        }
    }
    for (qint64 no : satirlar) {
        const IsBilgisi &b = m_isler[no];
        if (!b.hicVadeli) {
            ++m_s.vadesizGosterim;
            continue;
        }
        if (b.vade < 0) {
            ++m_s.yeniden;
            if (m_s.ornekler.size() < 10)
                m_s.ornekler << QStringLiteral("shown again after being settled: job %1 at %2").arg(no).arg(metin(m_simdi));
            continue;
        }
        Vade &v = m_vadeler[size_t(b.vade)];
        if (!b.acik || v.vade > m_simdi) {
            ++m_s.yeniden;
            if (m_s.ornekler.size() < 10)
                m_s.ornekler << QStringLiteral("shown again after being settled: job %1 at %2").arg(no).arg(metin(m_simdi));
            continue;
        }
        if (v.gosterildi < 0)
            v.gosterildi = m_simdi;
        else
            ++m_s.tekrarGosterim;
    }
}

void Benzetim::pencereGeldi(HatirlatmaFormu *f)
{
    m_pencereGoruldu = true;
    ++m_s.pencere;
    QList<qint64> satirlar;
    const IsSatiriModeli *m = Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->model();
    for (int i = 0; i < m->rowCount(); ++i)
        satirlar << m->isNo(i) * Carpan + m->gunOnce(i);
    tarama(satirlar);
    durumDegisti(Durum::PencereAcik);
}

void Benzetim::sonuclandir(HatirlatmaFormu *f, int satir, int sonuc)
{
    const IsSatiriModeli *m = Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->model();
    const qint64 no = m->isNo(satir) * Carpan + m->gunOnce(satir);
    Test::denetim<IsListesi>(f, "YapilacakIslerListesi")->satirSec(satir);
    Test::denetim<QRadioButton>(f, QByteArray("IsSonucuSecenekleri" + QByteArray::number(sonuc)).constData())->click();
    Test::denetim<QPushButton>(f, "OnaylaDugmesi")->click();
    IsBilgisi &b = m_isler[no];
    if (sonuc == 1) {
        ++m_s.ertelenen;
        if (no % Carpan) {
            vadeEkle(no, m_simdi, duvar(m_simdi) + 15 * 60); // that warning only
        } else {
            // The job's own time moves; its warnings have had their day.
            isKapandi(no);
            b.acik = true;
            vadeEkle(no, m_simdi);
        }
        const Vade &v = m_vadeler[size_t(b.vade)];
        if (v.anahtar != duvar(m_simdi) + 15 * 60)
            m_s.ornekler << QStringLiteral("postponement to %1 at %2").arg(duvarAni(v.anahtar).toString(), metin(m_simdi));
    } else {
        ++m_s.yapilan;
        // Done settles the job with its warnings, as does the job's own "no more
        // reminders"; a warning's "no more reminders" stops that warning only.
        if (sonuc == 0 || no % Carpan == 0)
            isKapandi(no);
        b.acik = false;
    }
}

void Benzetim::kapat(HatirlatmaFormu *f, bool onceHayir)
{
    if (onceHayir) {
        m_ortam.mesajlar->cevaplar = {MesajCevabi::Hayir};
        Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
    }
    m_ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
    Test::denetim<QPushButton>(f, "KapatDugmesi")->click();
    ++m_s.kapatilan;
}

// The user in front of the reminder window. Runs inside the window's own event loop,
// moving the clock on as the user takes time; ends with the window closed.
void Benzetim::kullanici(HatirlatmaFormu *f)
{
    QPointer<HatirlatmaFormu> p = f;
    auto kalan = [&] { return p && p->isVisible() ? Test::denetim<IsListesi>(p, "YapilacakIslerListesi")->satirSayisi() : 0; };
    auto hepsini = [&](int enFazlaBekleme) {
        while (kalan() > 0) {
            bekle(rastgele(2, enFazlaBekleme));
            const int r = rastgele(0, 99);
            sonuclandir(f, rastgele(0, kalan() - 1), r < 55 ? 0 : r < 85 ? 1 : 2);
        }
    };

    if (m_yerlesme) {
        bekle(rastgele(1, 5));
        while (kalan() > 0)
            sonuclandir(f, 0, 0);
    } else {
        const QTime saat = QDateTime::fromSecsSinceEpoch(m_simdi).time();
        // Near midnight the users take turns: one leaves the window open across midnight,
        // the next closes it with rows left in the last half minute of the day.
        const bool geceYarisinaYakin = saat >= QTime(23, 50) && olasilik(0.85);
        const int secim = geceYarisinaYakin ? (m_geceSirasi++ % 2 ? 50 : 0) : rastgele(0, 99);
        if (geceYarisinaYakin && secim < 40) {
            // Left open across midnight, then settled or closed with rows left.
            ++m_s.geceYarisiAcik;
            const qint64 geceYarisi = vadeBul(m_simdi, (duvar(m_simdi) / 86400 + 1) * 86400);
            bekle(geceYarisi - m_simdi + rastgele(5, 400));
            if (olasilik(0.5))
                hepsini(15);
            else
                kapat(f, false);
        } else if (geceYarisinaYakin && secim < 70) {
            // Closed with rows left in the last half minute of the day.
            ++m_s.sonYarimDakika;
            const qint64 son = vadeBul(m_simdi, (duvar(m_simdi) / 86400 + 1) * 86400) - rastgele(1, 30);
            if (son > m_simdi)
                bekle(son - m_simdi);
            kapat(f, false);
        } else if (secim < 3 && m_pencereliUyku < m_gunler) {
            // The machine goes to sleep with the window up; the user comes back later.
            ++m_s.uyku;
            ++m_pencereliUyku;
            durumDegisti(Durum::Uyuyor);
            bekle(qint64(rastgele(30, 180)) * 60);
            durumDegisti(Durum::PencereAcik);
            hepsini(15);
        } else if (secim < 9) {
            // Away for a while; then closes with rows left (sometimes thinking twice).
            bekle(rastgele(60, 1200));
            if (kalan() > 1 && olasilik(0.5))
                sonuclandir(f, 0, rastgele(0, 2));
            if (kalan() > 0)
                kapat(f, olasilik(0.2));
        } else {
            bekle(rastgele(3, 120));
            hepsini(15);
        }
    }
    if (p && p->isVisible()) { // never leave the tick waiting
        m_ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
        Test::denetim<QPushButton>(p, "KapatDugmesi")->click();
        if (p && p->isVisible())
            p->hide();
    }
    // Any box but the close question is a fault.
    for (const auto &m : std::as_const(m_ortam.mesajlar->gosterilenler)) {
        if (!m.metin.startsWith(KapatmaSorusu)) {
            ++m_s.beklenmedikMesaj;
            if (m_s.ornekler.size() < 10)
                m_s.ornekler << QStringLiteral("message: ") + m.metin;
        }
    }
    m_ortam.mesajlar->temizle();
}

// The user types the job into the editor, saves it and closes the editor.
void Benzetim::isiGir(IsEklemeDegistirmeFormu *e)
{
    const QDateTime a = duvarAni(m_girilecek);
    Test::denetim<QLineEdit>(e, "IsinTarihiKutusu")->setText(a.date().toString(QStringLiteral("dd.MM.yyyy")));
    Test::denetim<QComboBox>(e, "SaatKutusu")->setCurrentIndex(a.time().hour());
    Test::denetim<QComboBox>(e, "DakikaKutusu")->setCurrentIndex(a.time().minute());
    Test::denetim<QComboBox>(e, "IsinKonusuKutusu")->setEditText(QStringLiteral("Sonradan eklenen"));
    m_ortam.mesajlar->cevaplar = {MesajCevabi::Evet};
    Test::denetim<QPushButton>(e, "KaydetDugmesi")->click();
    QPointer<IsEklemeDegistirmeFormu> p = e;
    Test::denetim<QPushButton>(e, "KapatDugmesi")->click();
    if (p && p->isVisible())
        p->reject();
}

void Benzetim::tikla()
{
    saatiKur(m_sonrakiTik);
    if (m_eskiKural)
        Ayarlar::yaz(AyarAdi::HatirlatmaUfku, Ufuk::metin(Ufuk::an(m_ortam.saat->an.date(), QTime(0, 0))));
    m_pencereGoruldu = false;
    const qint64 tikAni = m_simdi;
    ++m_s.tik;
    m_ana->YapilacakIsKontrolu_Timer();
    if (!m_pencereGoruldu) {
        ++m_s.bosTarama;
        tarama({});
    }
    m_sonTik = tikAni;
    durumDegisti(Durum::Calisiyor);
    QTimer *z = Test::denetim<QTimer>(m_ana.get(), "YapilacakIsKontrolu");
    if (!z->isActive() || z->interval() != 32000)
        m_s.ornekler << QStringLiteral("timer not re-armed with 32 s at %1").arg(metin(m_simdi));
    m_sonrakiTik = m_simdi + z->interval() / 1000;
    z->stop();
}

int Benzetim::calistir()
{
    QElapsedTimer sure;
    sure.start();
    saatiKur(m_basla);
    isleriUret();
    olaylariUret();
    programiBaslat();

    const qint64 sinir = m_bitis + 86400;
    while (m_simdi < sinir) {
        if (m_simdi >= m_bitis && !m_yerlesme) {
            m_yerlesme = true;
            m_olaylar.clear();
        }
        if (m_yerlesme && (m_bekleyen.empty() || m_bekleyen.top().first > m_bitis)) {
            // Every reminder due within the simulated days has had its first scan; one more
            // minute of ticks lets the last ones be shown.
            bool hepsi = true;
            for (const Vade &v : m_vadeler)
                hepsi = hepsi && (v.vade > m_bitis || v.gosterildi >= 0 || m_isler[v.isNo].vade != int(&v - m_vadeler.data()));
            if (hepsi)
                break;
        }
        const qint64 olay = m_olaylar.empty() ? LLONG_MAX : std::get<0>(*m_olaylar.begin());
        // The program is closed and the machine sleeps right after a tick, so that what fell
        // due while it ran has had its scan.
        const bool durdurma = !m_olaylar.empty() && std::get<1>(*m_olaylar.begin()) != 2;
        if (m_ana && m_sonrakiTik >= 0 && (m_sonrakiTik <= olay || (durdurma && m_sonTik < olay))) {
            tikla();
            continue;
        }
        if (olay == LLONG_MAX) {
            programiBaslat();
            continue;
        }
        const auto [an, tur, uzunluk] = *m_olaylar.begin();
        m_olaylar.erase(m_olaylar.begin());
        saatiKur(std::max(m_simdi, an));
        if (tur == 2) {
            // A job added for a minute already passed (within today), or a little ahead.
            if (!m_ana)
                continue;
            const qint64 d = duvar(m_simdi) / 60 * 60;
            const qint64 gunBasi = d / 86400 * 86400;
            const qint64 a = olasilik(0.6) ? std::max(gunBasi, d - qint64(rastgele(1, 90)) * 60)
                                           : d + qint64(rastgele(1, 60)) * 60;
            // Through the job editor, as the user does it (the past time is confirmed).
            m_girilecek = a;
            Test::denetim<KlasorAgaci>(m_ana.get(), "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(m_ana.get(), "KlasorListesi")->dugum(Klasor));
            const qint64 onceki = sqlite3_last_insert_rowid(vt()->tutamak());
            m_ana->YeniIsEkle();
            Test::denetim<KlasorAgaci>(m_ana.get(), "KlasorListesi")->setCurrentItem(Test::denetim<KlasorAgaci>(m_ana.get(), "KlasorListesi")->dugum(KlasorAgaci::KlasorAnahtari));
            const qint64 no = sqlite3_last_insert_rowid(vt()->tutamak());
            for (const auto &m : std::as_const(m_ortam.mesajlar->gosterilenler)) {
                if (m.metin != QStringLiteral("GEÇMİŞ ZAMANLI iş girmek istiyor musunuz?")) {
                    ++m_s.beklenmedikMesaj;
                    m_s.ornekler << QStringLiteral("message: ") + m.metin;
                }
            }
            m_ortam.mesajlar->temizle();
            if (no == onceki) {
                m_s.ornekler << QStringLiteral("the editor stored no job at %1").arg(metin(m_simdi));
                continue;
            }
            m_isler[no * Carpan].acik = true;
            ++m_s.eklenen;
            vadeEkle(no * Carpan, m_simdi);
            continue;
        }
        if (!m_ana)
            continue; // already not running
        const qint64 kalanTik = std::max<qint64>(0, m_sonrakiTik - m_simdi);
        if (tur == 0) {
            programiKapat();
            saatiKur(m_simdi + uzunluk);
            programiBaslat();
        } else {
            ++m_s.uyku;
            durumDegisti(Durum::Uyuyor);
            saatiKur(m_simdi + uzunluk);
            // The timer counts only the time the machine was awake.
            durumDegisti(Durum::Calisiyor);
            m_sonrakiTik = m_simdi + kalanTik;
        }
    }
    const QStringList kacan = rapor();
    std::printf("  (%.1f s of real time)\n", double(sure.elapsed()) / 1000);
    if (kacan.isEmpty()) {
        std::printf("Targets met.\n");
        return 0;
    }
    std::printf("TARGETS MISSED:\n");
    for (const QString &k : kacan)
        std::printf("  %s\n", qPrintable(k));
    return 1;
}

QString sure(qint64 sn)
{
    if (sn < 120)
        return QString::number(sn) + QStringLiteral(" s");
    if (sn < 7200)
        return QString::number(sn / 60) + QStringLiteral(" min");
    return QStringLiteral("%1 h %2 min").arg(sn / 3600).arg(sn % 3600 / 60);
}

QStringList Benzetim::rapor()
{
    struct Kume {
        long sayi = 0, gosterilen = 0, ilkTaramada = 0, zamaninda = 0;
        std::vector<qint64> gecikme, engeldenSonra;
    } k[4];
    long vadeli = 0, gosterilmedi = 0;
    for (const Vade &v : m_vadeler) {
        if (v.vade > m_bitis || v.iptal)
            continue;
        const bool guncel = m_isler[v.isNo].vade == int(&v - m_vadeler.data());
        // A reminder replaced by its own postponement was shown (it was postponed from the window).
        ++vadeli;
        const Durum d = durumAninda(v.vade);
        Kume &c = k[int(d)];
        ++c.sayi;
        const qint64 goster = v.gosterildi;
        if (goster < 0) {
            if (guncel) {
                ++gosterilmedi;
                if (m_s.ornekler.size() < 20)
                    m_s.ornekler << QStringLiteral("never shown: job %1 due %2 (%3)").arg(v.isNo).arg(metin(v.vade), QString::fromLatin1(DurumAdi[int(d)]));
            }
            continue;
        }
        ++c.gosterilen;
        if (v.ilkTaramadaVardi)
            ++c.ilkTaramada;
        const qint64 gec = goster - v.vade;
        c.gecikme.push_back(gec);
        if (d == Durum::Calisiyor && v.ilkTaramadaVardi && gec <= 34)
            ++c.zamaninda;
        if (d != Durum::Calisiyor) {
            const qint64 bitti = engelBitti(v.vade);
            if (bitti >= 0)
                c.engeldenSonra.push_back(goster - bitti);
        }
    }
    const QByteArray tz = qgetenv("TZ");
    const bool yazKis = QDateTime::fromSecsSinceEpoch(m_basla).offsetFromUtc()
        != QDateTime::fromSecsSinceEpoch(m_bitis).offsetFromUtc();
    std::printf("Reminder punctuality: %d simulated days from %s, time zone %s%s, %d jobs%s\n", m_gunler,
                qPrintable(m_gun.toString(Qt::ISODate)), tz.isEmpty() ? "of the system" : tz.constData(),
                yazKis ? " (a daylight-saving change inside)" : "", m_isSayisi,
                m_eskiKural ? ", EARLIER DAYS NEVER LISTED (old rule)" : "");
    std::printf("  %ld ticks (%ld found nothing), %ld reminder windows, %ld program starts, %ld sleeps, %ld jobs added while running\n",
                m_s.tik, m_s.bosTarama, m_s.pencere, m_s.baslatma, m_s.uyku, m_s.eklenen);
    std::printf("  users: %ld done or no more reminders, %ld postponed, %ld windows closed with rows left, "
                "%ld left open across midnight, %ld closed in the last half minute of a day\n",
                m_s.yapilan, m_s.ertelenen, m_s.kapatilan, m_s.geceYarisiAcik, m_s.sonYarimDakika);
    std::printf("  due reminders (job minutes, advance warnings and postponements): %ld\n", vadeli);
    std::printf("  %ld jobs warn days before as well (%ld warnings due from the first day on); %ld reminders "
                "covered at their first scan by a later one of the same job listed in their place\n",
                m_s.uyarili, m_s.uyari, m_s.kapsanan);
    auto orta = [](std::vector<qint64> v) {
        if (v.empty())
            return qint64(0);
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    auto enCok = [](const std::vector<qint64> &v) { return v.empty() ? qint64(0) : *std::max_element(v.begin(), v.end()); };
    for (int i = 0; i < 4; ++i) {
        const Kume &c = k[i];
        if (c.sayi == 0)
            continue;
        std::printf("    due while %s: %ld, shown %ld, by the first scan after it %ld", DurumAdi[i], c.sayi, c.gosterilen,
                    c.ilkTaramada);
        if (i == int(Durum::Calisiyor))
            std::printf(", on time (<= 34 s) %ld = %.2f %%, late: median %s, max %s\n", c.zamaninda,
                        100.0 * double(c.zamaninda) / double(c.sayi), qPrintable(sure(orta(c.gecikme))),
                        qPrintable(sure(enCok(c.gecikme))));
        else
            std::printf("; late: median %s, max %s; after the %s: max %s\n", qPrintable(sure(orta(c.gecikme))),
                        qPrintable(sure(enCok(c.gecikme))),
                        i == int(Durum::PencereAcik) ? "window closed" : i == int(Durum::Kapali) ? "start" : "wake",
                        qPrintable(sure(enCok(c.engeldenSonra))));
    }
    std::printf("  never shown: %ld\n", gosterilmedi);
    std::printf("  shown again after being settled: %ld\n", m_s.yeniden);
    std::printf("  shown though never due: %ld; not listed by its first scan: %ld; other message boxes: %ld\n",
                m_s.vadesizGosterim, m_s.ilkTaramadaYok, m_s.beklenmedikMesaj);
    std::printf("  unsettled reminders shown again by a later window: %ld\n", m_s.tekrarGosterim);
    for (const QString &o : std::as_const(m_s.ornekler))
        std::printf("    %s\n", qPrintable(o));

    QStringList kacan;
    if (gosterilmedi > 0)
        kacan << QStringLiteral("never shown: %1 (target 0)").arg(gosterilmedi);
    const Kume &calisirken = k[int(Durum::Calisiyor)];
    if (calisirken.zamaninda < calisirken.sayi)
        kacan << QStringLiteral("on time while running: %1 of %2 (target all)").arg(calisirken.zamaninda).arg(calisirken.sayi);
    if (m_s.yeniden > 0)
        kacan << QStringLiteral("shown again after being settled: %1 (target 0)").arg(m_s.yeniden);
    if (m_s.vadesizGosterim > 0)
        kacan << QStringLiteral("shown though never due: %1 (target 0)").arg(m_s.vadesizGosterim);
    if (m_s.beklenmedikMesaj > 0)
        kacan << QStringLiteral("other message boxes: %1 (target 0)").arg(m_s.beklenmedikMesaj);
    return kacan;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication uygulama(argc, argv);
    QDate gun(2026, 12, 7);
    int gunler = 3, isSayisi = 2000;
    unsigned tohum = 1;
    bool eski = false;
    const QStringList a = QApplication::arguments();
    for (int i = 1; i < a.size(); ++i) {
        const QString s = a.at(i);
        const QString deger = i + 1 < a.size() ? a.at(i + 1) : QString();
        if (s == QStringLiteral("--gun"))
            gun = QDate::fromString(deger, Qt::ISODate), ++i;
        else if (s == QStringLiteral("--gunler"))
            gunler = deger.toInt(), ++i;
        else if (s == QStringLiteral("--is"))
            isSayisi = deger.toInt(), ++i;
        else if (s == QStringLiteral("--tohum"))
            tohum = deger.toUInt(), ++i;
        else if (s == QStringLiteral("--eski-kural"))
            eski = true;
        else {
            std::fprintf(stderr, "usage: bench_dakiklik [--gun yyyy-MM-dd] [--gunler N] [--is N] [--tohum N] [--eski-kural]\n");
            return 2;
        }
    }
    if (!gun.isValid() || gunler < 1 || isSayisi < 1) {
        std::fprintf(stderr, "bad arguments\n");
        return 2;
    }
    Benzetim b(gun, gunler, isSayisi, tohum, eski);
    return b.calistir();
}

#include "core/VeritabaniSunucu.h"

#include <QDateTime>

#include "core/OrtakYordamlar.h"
#include "core/SunucuBaglantisi.h"

#include <libpq-fe.h>

#include <cstring>
#include <memory>
#include <utility>

namespace Zelvora {
namespace {

// A result, cleared when it goes out of scope.
struct Sonuc {
    PGresult *r;
    explicit Sonuc(PGresult *s) : r(s) {}
    ~Sonuc() { PQclear(r); }
    Sonuc(const Sonuc &) = delete;
    Sonuc &operator=(const Sonuc &) = delete;
    int satir() const { return PQntuples(r); }
    bool bos(int i, int j) const { return PQgetisnull(r, i, j) != 0; }
    QByteArrayView ham(int i, int j) const
    {
        return bos(i, j) ? QByteArrayView() : QByteArrayView(PQgetvalue(r, i, j), PQgetlength(r, i, j));
    }
    QString metin(int i, int j) const { return bos(i, j) ? QString() : QString::fromUtf8(ham(i, j)); }
    qint64 sayi(int i, int j) const { return QByteArray(PQgetvalue(r, i, j)).toLongLong(); }
    bool mantiksal(int i, int j) const { return !bos(i, j) && PQgetvalue(r, i, j)[0] == 't'; }
};

// The job columns every listing reads, in the order HamIsSatiri is made from.
const char *const IS_ALANLARI =
    "SELECT \"IsNo\", \"Anahtari\", \"IsinTarihi\", \"IsinSaati\", \"IsinKonusu\", \"IsinYeri\", \"IsinSayisi\", "
    "\"Aciklama\", \"Hatirlatma\", \"IsYapildi\" FROM \"YapilacakIslerTablosu\" ";

// NULL dates and times sort first, as they do in the file.
const char *const LISTE_SIRASI = "ORDER BY \"IsinTarihi\" NULLS FIRST, \"IsNo\"";
const char *const TAM_SIRA = "ORDER BY \"IsinTarihi\" NULLS FIRST, \"IsinSaati\" NULLS FIRST, \"IsNo\"";

Veritabani::HamIsSatiri hamSatir(const Sonuc &s, int i)
{
    Veritabani::HamIsSatiri h;
    h.isNo = s.sayi(i, 0);
    h.anahtari = s.ham(i, 1);
    const QByteArrayView tarih = s.ham(i, 2);
    h.tarih = Veritabani::julyenGunu(tarih.data(), int(tarih.size()));
    const QByteArrayView saat = s.ham(i, 3);
    h.saat = Veritabani::gununSaniyesi(saat.data(), int(saat.size()));
    h.konu = s.ham(i, 4);
    h.yer = s.ham(i, 5);
    h.sayi = s.ham(i, 6);
    h.aciklama = s.ham(i, 7);
    h.hatirlatma = s.mantiksal(i, 8);
    h.yapildi = s.mantiksal(i, 9);
    return h;
}

const char *aramaSorgusu(AramaAlani alan)
{
    // The field name comes from this fixed list only; the text is a bound value.
    switch (alan) {
    case AramaAlani::Konu:
        return "SELECT \"IsNo\", \"Anahtari\", \"IsinKonusu\" FROM \"YapilacakIslerTablosu\" "
               "WHERE \"TurkceIcerir\"(\"IsinKonusu\", $1) ORDER BY \"IsinTarihi\" NULLS FIRST, \"IsinSaati\" NULLS FIRST, \"IsNo\"";
    case AramaAlani::Yer:
        return "SELECT \"IsNo\", \"Anahtari\", \"IsinYeri\" FROM \"YapilacakIslerTablosu\" "
               "WHERE \"TurkceIcerir\"(\"IsinYeri\", $1) ORDER BY \"IsinTarihi\" NULLS FIRST, \"IsinSaati\" NULLS FIRST, \"IsNo\"";
    case AramaAlani::Aciklama:
        break;
    }
    return "SELECT \"IsNo\", \"Anahtari\", \"Aciklama\" FROM \"YapilacakIslerTablosu\" "
           "WHERE \"TurkceIcerir\"(\"Aciklama\", $1) ORDER BY \"IsinTarihi\" NULLS FIRST, \"IsinSaati\" NULLS FIRST, \"IsNo\"";
}

// The server and database named for messages, without a password.
QString sunucuAdi(const QString &baglanti)
{
    char *hata = nullptr;
    PQconninfoOption *secenekler = PQconninfoParse(baglanti.toUtf8().constData(), &hata);
    PQfreemem(hata);
    if (!secenekler)
        return QStringLiteral("PostgreSQL");
    QString host, port, db;
    for (PQconninfoOption *o = secenekler; o->keyword; ++o) {
        if (!o->val)
            continue;
        if (std::strcmp(o->keyword, "host") == 0)
            host = QString::fromUtf8(o->val);
        else if (std::strcmp(o->keyword, "port") == 0)
            port = QString::fromUtf8(o->val);
        else if (std::strcmp(o->keyword, "dbname") == 0)
            db = QString::fromUtf8(o->val);
    }
    PQconninfoFree(secenekler);
    QString ad = QStringLiteral("PostgreSQL ") + (host.isEmpty() ? QStringLiteral("localhost") : host);
    if (!port.isEmpty())
        ad += QLatin1Char(':') + port;
    if (!db.isEmpty())
        ad += QLatin1Char('/') + db;
    return ad;
}

} // namespace

std::unique_ptr<Veritabani> Veritabani::sunucuyaBaglan(const QString &baglanti)
{
    return std::make_unique<SunucuVeritabani>(baglanti);
}

SunucuVeritabani::SunucuVeritabani(const QString &baglanti)
    : m_baglantiMetni(baglanti), m_ad(sunucuAdi(baglanti)), m_baglanti(std::make_unique<SunucuBaglantisi>(baglanti, m_ad, [this] { kur(); }))
{
    m_baglanti->baglan(HataNo::DiskAg);
    semayiDenetle();
}

SunucuVeritabani::~SunucuVeritabani() = default;

pg_conn *SunucuVeritabani::bag() const
{
    return m_baglanti->bag();
}

void SunucuVeritabani::kur()
{
    // ISO dates; a write that waits for another desk's lock gives up as the file's does.
    Sonuc ayar(calistir("SET DateStyle = 'ISO, YMD'; SET lock_timeout = '3s'; LISTEN zelvora", {}));
    if (m_bagliydi) {
        // Back after a loss: whatever the other desks changed meanwhile is re-read.
        m_degisiklikVar = true;
        m_yenidenBaglandi = true;
    }
    m_bagliydi = true;
}

void SunucuVeritabani::semayiDenetle()
{
    // Our two tables, as tables, with every column the program reads or writes, and the
    // search function of the schema file.
    struct Tablo {
        const char *ad;
        QStringList sutunlar;
    };
    const Tablo tablolar[] = {
        {"KlasorBilgileriTablosu", {QStringLiteral("Anahtari"), QStringLiteral("Bagi"), QStringLiteral("Adi")}},
        {"YapilacakIslerTablosu",
         {QStringLiteral("IsNo"), QStringLiteral("Anahtari"), QStringLiteral("IsinTarihi"), QStringLiteral("IsinSaati"),
          QStringLiteral("IsinKonusu"), QStringLiteral("IsinYeri"), QStringLiteral("IsinSayisi"),
          QStringLiteral("Aciklama"), QStringLiteral("Hatirlatma"), QStringLiteral("IsYapildi"),
          QStringLiteral("KayitBelirteci")}},
    };
    const Hata bizimDegil(HataNo::DosyaAcilamiyor, QStringLiteral("Sunucudaki veritabanı, programın veritabanı değil."), m_ad);
    // A server set up by an older version lacks the job token and the folder numbers:
    // its administrator applies sql/sunucu-guncelle-1.sql once.
    const Hata eskiSurum(HataNo::DosyaAcilamiyor,
                         QStringLiteral("Sunucudaki tablolar eski bir sürümün: sql/sunucu-guncelle-1.sql uygulanmalı."), m_ad);
    for (const Tablo &t : tablolar) {
        Sonuc tur(calistir("SELECT table_type FROM information_schema.tables "
                           "WHERE table_schema = current_schema() AND table_name = $1",
                           {Deger(QString::fromLatin1(t.ad))}));
        if (tur.satir() != 1 || tur.metin(0, 0) != QStringLiteral("BASE TABLE"))
            throw bizimDegil;
        Sonuc s(calistir("SELECT column_name FROM information_schema.columns "
                         "WHERE table_schema = current_schema() AND table_name = $1",
                         {Deger(QString::fromLatin1(t.ad))}));
        QStringList var;
        for (int i = 0; i < s.satir(); ++i)
            var << s.metin(i, 0);
        for (const QString &sutun : t.sutunlar) {
            if (!var.contains(sutun))
                throw sutun == QStringLiteral("KayitBelirteci") ? eskiSurum : bizimDegil;
        }
    }
    Sonuc islev(calistir("SELECT to_regprocedure('\"TurkceIcerir\"(text, text)') IS NOT NULL", {}));
    if (!islev.mantiksal(0, 0))
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Sunucudaki veritabanında arama işlevi yok."), m_ad);
    Sonuc sira(calistir("SELECT to_regclass('\"KlasorNumarasi\"') IS NOT NULL", {}));
    if (!sira.mantiksal(0, 0))
        throw eskiSurum;
    // The advance warnings came later: a server not yet migrated works without them.
    Sonuc uyari(calistir("SELECT count(*) FROM information_schema.columns WHERE table_schema = current_schema() "
                         "AND table_name = 'OnHatirlatmaTablosu' "
                         "AND column_name IN ('IsNo', 'GunOnce', 'ErtelemeAni', 'Durduruldu')",
                         {}));
    m_onHatirlatmaVar = uyari.sayi(0, 0) == 4;
    // So did the change log (sql/sunucu-guncelle-3.sql); a desk that may not read it
    // goes without "Geçmiş...".
    Sonuc gunluk(calistir("SELECT has_table_privilege(to_regclass('\"DegisiklikGunlugu\"'), 'SELECT') IS TRUE", {}));
    m_gecmisVar = gunluk.mantiksal(0, 0);
    // So did the calendar tables (sql/sunucu-guncelle-5.sql).
    Sonuc alinan(calistir("SELECT has_table_privilege(to_regclass('\"TakvimdanAlinanlar\"'), 'SELECT, INSERT, UPDATE') "
                          "IS TRUE",
                          {}));
    m_alinanlarVar = alinan.mantiksal(0, 0);
}

QString SunucuVeritabani::kimlik()
{
    if (!m_kimlik.isEmpty())
        return m_kimlik;
    // The database's name and the value drawn once when its tables were set up: the same
    // on every desk, whatever host name or address the desk reaches the server by.
    Sonuc s(calistir("SELECT current_database(), CASE WHEN has_table_privilege(to_regclass('\"VeritabaniKimligi\"'), "
                     "'SELECT') IS TRUE THEN (SELECT min(\"Kimlik\") FROM \"VeritabaniKimligi\") END",
                     {}));
    const QString ad = s.metin(0, 0), deger = s.metin(0, 1);
    const QString kimlik = QStringLiteral("sunucu:") + ad + (deger.isEmpty() ? QString() : QStringLiteral(":") + deger);
    // Without the value (a server not yet given sql/sunucu-guncelle-5.sql) the name
    // alone stands for it; it is not kept, so the value is used as soon as it exists.
    if (!deger.isEmpty())
        m_kimlik = kimlik;
    return kimlik;
}

QList<Veritabani::AlinanKimlik> SunucuVeritabani::alinanKimlikler()
{
    QList<AlinanKimlik> liste;
    if (!m_alinanlarVar)
        return liste;
    Sonuc s(calistir("SELECT t.\"Uid\", t.\"Yineleme\" FROM \"TakvimdanAlinanlar\" t "
                     "JOIN \"YapilacakIslerTablosu\" y ON y.\"IsNo\" = t.\"IsNo\"",
                     {}));
    for (int i = 0; i < s.satir(); ++i)
        liste.append({s.metin(i, 0), s.metin(i, 1)});
    return liste;
}

QList<qint64> SunucuVeritabani::isleriTopluEkle(const std::vector<IsKaydi> &isler, const QList<AlinanKimlik> &kimlikler)
{
    QList<qint64> numaralar;
    const bool kaydet = !kimlikler.isEmpty() && m_alinanlarVar;
    islem([&] {
        for (size_t i = 0; i < isler.size(); ++i) {
            // The warnings written here, not by isEkle, whose own transaction would end
            // this one.
            IsKaydi yalin = isler[i];
            yalin.onGunler.clear();
            const qint64 no = isEkle(yalin, QString());
            if (m_onHatirlatmaVar && !isler[i].onGunler.isEmpty())
                onGunleriYaz(no, isler[i].onGunler);
            numaralar.append(no);
            if (!kaydet || qsizetype(i) >= kimlikler.size() || kimlikler[qsizetype(i)].uid.isEmpty())
                continue;
            const AlinanKimlik &k = kimlikler[qsizetype(i)];
            Sonuc r(calistir("INSERT INTO \"TakvimdanAlinanlar\"(\"Uid\", \"Yineleme\", \"IsNo\") VALUES($1, $2, $3) "
                             "ON CONFLICT (\"Uid\", \"Yineleme\") DO UPDATE SET \"IsNo\" = EXCLUDED.\"IsNo\"",
                             {Deger(k.uid), Deger(k.yineleme.isNull() ? QStringLiteral("") : k.yineleme), Deger(no)}));
        }
    });
    return numaralar;
}

QList<Veritabani::GecmisKaydi> SunucuVeritabani::isGecmisi(qint64 isNo)
{
    QList<GecmisKaydi> liste;
    if (!m_gecmisVar)
        return liste;
    Sonuc s(calistir("SELECT extract(epoch FROM \"Zaman\")::bigint, \"Kullanici\", "
                     "host(\"Adres\"), \"Tablo\", \"Islem\", \"Eski\"::text, \"Yeni\"::text "
                     "FROM \"DegisiklikGunlugu\" WHERE \"Anahtar\" = $1 "
                     "AND \"Tablo\" IN ('YapilacakIslerTablosu', 'OnHatirlatmaTablosu') "
                     // From the job's own insert on: a number given again after the table
                     // was emptied and restarted does not bring an earlier job's lines.
                     "AND \"GunlukNo\" >= COALESCE((SELECT max(\"GunlukNo\") FROM \"DegisiklikGunlugu\" "
                     "WHERE \"Anahtar\" = $1 AND \"Tablo\" = 'YapilacakIslerTablosu' AND \"Islem\" = 'INSERT'), 0) "
                     "ORDER BY \"GunlukNo\"",
                     {Deger(QString::number(isNo))}));
    for (int i = 0; i < s.satir(); ++i)
        liste.append({QDateTime::fromSecsSinceEpoch(s.sayi(i, 0)).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")), s.metin(i, 1), s.metin(i, 2), s.metin(i, 3), s.metin(i, 4), s.metin(i, 5),
                      s.metin(i, 6)});
    return liste;
}

void SunucuVeritabani::onHatirlatmaTablosuEkle()
{
    // The program never changes the server's tables: sql/sunucu-guncelle-2.sql does.
    if (!m_onHatirlatmaVar)
        throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Sunucudaki veritabanında ön hatırlatma tablosu yok."), m_ad);
}

QList<int> SunucuVeritabani::onHatirlatmalar(qint64 isNo)
{
    QList<int> sonuc;
    if (!m_onHatirlatmaVar)
        return sonuc;
    Sonuc s(calistir("SELECT \"GunOnce\" FROM \"OnHatirlatmaTablosu\" WHERE \"IsNo\" = $1 ORDER BY \"GunOnce\" DESC",
                     {Deger(isNo)}));
    for (int i = 0; i < s.satir(); ++i)
        sonuc << int(s.sayi(i, 0));
    return sonuc;
}

QHash<qint64, QList<int>> SunucuVeritabani::tumOnHatirlatmalar()
{
    QHash<qint64, QList<int>> sonuc;
    if (!m_onHatirlatmaVar)
        return sonuc;
    Sonuc s(calistir("SELECT \"IsNo\", \"GunOnce\" FROM \"OnHatirlatmaTablosu\" ORDER BY \"IsNo\", \"GunOnce\" DESC", {}));
    for (int i = 0; i < s.satir(); ++i)
        sonuc[s.sayi(i, 0)] << int(s.sayi(i, 1));
    return sonuc;
}

void SunucuVeritabani::onGunleriYaz(qint64 isNo, const QList<int> &gunler)
{
    const QList<int> yeni = gunleriDuzenle(gunler);
    if (!m_onHatirlatmaVar) {
        if (!yeni.isEmpty())
            throw Hata(HataNo::DosyaAcilamiyor, QStringLiteral("Sunucudaki veritabanında ön hatırlatma tablosu yok."),
                       m_ad);
        return;
    }
    const QList<int> eski = onHatirlatmalar(isNo);
    for (int g : eski) {
        if (!yeni.contains(g))
            Sonuc s(calistir("DELETE FROM \"OnHatirlatmaTablosu\" WHERE \"IsNo\" = $1 AND \"GunOnce\" = $2",
                             {Deger(isNo), Deger(qint64(g))}));
    }
    for (int g : yeni) {
        if (!eski.contains(g))
            Sonuc s(calistir("INSERT INTO \"OnHatirlatmaTablosu\"(\"IsNo\", \"GunOnce\") VALUES($1, $2)",
                             {Deger(isNo), Deger(qint64(g))}));
    }
}

void SunucuVeritabani::onHatirlatmaErtele(qint64 isNo, int gunOnce, const QDate &tarih, const QTime &saat)
{
    Sonuc s(calistir("UPDATE \"OnHatirlatmaTablosu\" SET \"ErtelemeAni\" = $1::timestamp "
                     "WHERE \"IsNo\" = $2 AND \"GunOnce\" = $3",
                     {Deger(anMetni(tarih, saat)), Deger(isNo), Deger(qint64(gunOnce))}));
}

void SunucuVeritabani::onHatirlatmaDurdur(qint64 isNo, int gunOnce)
{
    Sonuc s(calistir("UPDATE \"OnHatirlatmaTablosu\" SET \"Durduruldu\" = true WHERE \"IsNo\" = $1 AND \"GunOnce\" = $2",
                     {Deger(isNo), Deger(qint64(gunOnce))}));
}

std::vector<Veritabani::OnHatirlatmaAdayi> SunucuVeritabani::onHatirlatmaAdaylari(const QDate &bugun)
{
    std::vector<OnHatirlatmaAdayi> sonuc;
    if (!m_onHatirlatmaVar)
        return sonuc;
    Sonuc s(calistir("SELECT y.\"IsNo\", y.\"Anahtari\", y.\"IsinTarihi\", y.\"IsinSaati\", y.\"IsinKonusu\", "
                     "y.\"IsinYeri\", y.\"IsinSayisi\", y.\"Aciklama\", y.\"Hatirlatma\", y.\"IsYapildi\", "
                     "o.\"GunOnce\", to_char(o.\"ErtelemeAni\", 'YYYY-MM-DD HH24:MI:SS') "
                     "FROM \"OnHatirlatmaTablosu\" o JOIN \"YapilacakIslerTablosu\" y ON y.\"IsNo\" = o.\"IsNo\" "
                     "WHERE NOT o.\"Durduruldu\" AND y.\"Hatirlatma\" AND NOT y.\"IsYapildi\" "
                     "AND y.\"IsinTarihi\" >= $1::date AND y.\"IsinTarihi\" <= $2::date AND y.\"IsinSaati\" IS NOT NULL "
                     "ORDER BY y.\"IsinTarihi\", y.\"IsinSaati\", y.\"IsNo\", o.\"GunOnce\" DESC",
                     {Deger(tarihMetni(bugun)), Deger(tarihMetni(bugun.addDays(EnFazlaGunOnce + 1)))}));
    for (int i = 0; i < s.satir(); ++i) {
        OnHatirlatmaAdayi a;
        a.is = kayit(hamSatir(s, i));
        a.gunOnce = int(s.sayi(i, 10));
        a.ertelendi = anCoz(s.metin(i, 11));
        sonuc.push_back(std::move(a));
    }
    return sonuc;
}

void SunucuVeritabani::hataAt(PGresult *r)
{
    QString neden = QString::fromUtf8(r ? PQresultErrorMessage(r) : PQerrorMessage(bag())).trimmed();
    if (neden.isEmpty())
        neden = QString::fromUtf8(PQerrorMessage(bag())).trimmed();
    const char *durum = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
    const QByteArray kod = durum ? QByteArray(durum) : QByteArray();
    // The connection is gone (or the server went down): said as a network failure; the
    // next action connects again.
    if (!m_baglanti->bagliMi() || kod.startsWith("08") || kod.startsWith("57P"))
        throw Hata(HataNo::AgKoptu, neden, m_ad);
    // The server's statement limit: as slow as a network that does not answer.
    if (kod == "57014")
        throw Hata(HataNo::AgKoptu, QStringLiteral("Sunucu işlemi zaman sınırı içinde bitiremedi. (") + neden + QLatin1Char(')'), m_ad);
    if (kod == "53100")
        throw Hata(HataNo::DiskDolu, neden, m_ad);
    if (kod == "55P03" || kod == "40P01" || kod == "40001")
        throw Hata(HataNo::Kilitli, neden, m_ad);
    if (kod == "42P01" || kod == "42703" || kod == "42883")
        throw Hata(HataNo::DosyaAcilamiyor, neden, m_ad);
    if (kod == "42501" || kod == "25006")
        throw Hata(HataNo::SaltOkunur, neden, m_ad);
    throw Hata(HataNo::Sunucu, QString::fromLatin1(kod) + QLatin1Char(' ') + neden, m_ad);
}

PGresult *SunucuVeritabani::calistir(const char *sql, const QList<Deger> &degerler)
{
    // A statement asked for while another one waits for its reply (an event handled during
    // that wait) is refused, never sent on top of it.
    if (m_baglanti->mesgulMu())
        throw Hata(HataNo::Kilitli, QStringLiteral("Sunucu bir önceki işi bitirmeden yeni bir iş istendi."), m_ad);
    if (!m_baglanti->bagliMi()) {
        // A transaction cut by the loss is not carried on over a new connection: its
        // first statements are gone.
        if (m_islemde) {
            m_islemde = false;
            throw Hata(HataNo::AgKoptu, QStringLiteral("Sunucuyla bağlantı bir işlemin ortasında koptu; işlem yapılmadı."), m_ad);
        }
        // This action connects again, within the connection limit.
        m_baglanti->baglan(HataNo::AgKoptu);
    }
    std::vector<const char *> metinler;
    std::vector<int> boylar;
    metinler.reserve(size_t(degerler.size()));
    boylar.reserve(size_t(degerler.size()));
    for (const Deger &d : degerler) {
        metinler.push_back(d.bos ? nullptr : d.metin.constData());
        boylar.push_back(int(d.metin.size()));
    }
    // A statement that may write rows moves the counter a watcher looks at (the calendar's
    // publisher), whether or not it succeeds: looking again costs it little. So does the
    // end of a transaction: a watcher reading through a connection of its own sees the rows
    // only then, and a long transaction lets the windows (and the watcher) run meanwhile.
    if (qstrnicmp(sql, "INSERT", 6) == 0 || qstrnicmp(sql, "UPDATE", 6) == 0 || qstrnicmp(sql, "DELETE", 6) == 0
        || qstrnicmp(sql, "WITH", 4) == 0 || qstrnicmp(sql, "COMMIT", 6) == 0)
        ++m_yazimSayaci;
    PGresult *r = m_baglanti->gonder(sql, int(degerler.size()), metinler.data(), boylar.data());
    if (!r) {
        m_islemde = false;
        throw Hata(HataNo::AgKoptu, m_baglanti->sonNeden(), m_ad);
    }
    m_islemde = m_baglanti->bagliMi() && PQtransactionStatus(bag()) != PQTRANS_IDLE;
    const ExecStatusType durum = PQresultStatus(r);
    if (durum != PGRES_COMMAND_OK && durum != PGRES_TUPLES_OK) {
        try {
            hataAt(r);
        } catch (...) {
            PQclear(r);
            throw;
        }
    }
    return r;
}

Veritabani::Degisiklikler SunucuVeritabani::baskaMasaDegisiklikleriniAl()
{
    if (m_baglanti->bagliMi() && !m_baglanti->mesgulMu()) {
        if (PQconsumeInput(bag())) {
            const int ben = PQbackendPID(bag());
            while (PGnotify *n = PQnotifies(bag())) {
                if (n->be_pid != ben)
                    m_degisiklikler.bildirimEkle(QByteArrayView(n->extra));
                PQfreemem(n);
            }
        } else {
            m_baglanti->kopar(QString::fromUtf8(PQerrorMessage(bag())).trimmed());
        }
    }
    // After a reconnect anything may have changed.
    if (m_degisiklikVar) {
        m_degisiklikler.neler = IslerDegisti | KlasorlerDegisti;
        m_degisiklikler.tumIsler = m_degisiklikler.tumKlasorler = true;
    }
    m_degisiklikVar = false;
    return std::exchange(m_degisiklikler, Degisiklikler());
}

bool SunucuVeritabani::baglantiVar()
{
    return m_baglanti->bagliMi();
}

bool SunucuVeritabani::baglantiyiSurdur()
{
    if (m_baglanti->mesgulMu())
        return false;
    if (m_baglanti->bagliMi()) {
        // An idle connection learns of a server that went away only by reading.
        if (!PQconsumeInput(bag()))
            m_baglanti->kopar(QString::fromUtf8(PQerrorMessage(bag())).trimmed());
    }
    if (!m_baglanti->bagliMi())
        m_baglanti->arkaplandaBaglan();
    const bool geri = m_yenidenBaglandi && m_baglanti->bagliMi();
    if (geri)
        m_yenidenBaglandi = false;
    return geri;
}

QString SunucuVeritabani::baglantiSorunu() const
{
    return m_baglanti->bagliMi() ? QString() : m_baglanti->sonNeden();
}

void SunucuVeritabani::islem(const std::function<void()> &adimlar)
{
    Sonuc bas(calistir("BEGIN", {}));
    try {
        adimlar();
        Sonuc son(calistir("COMMIT", {}));
    } catch (...) {
        if (m_baglanti->bagliMi()) {
            try {
                Sonuc geri(calistir("ROLLBACK", {}));
            } catch (const Hata &) {
                // The first failure is the one told.
            }
        }
        throw;
    }
}

bool SunucuVeritabani::klasoruKilitle(const QString &anahtari)
{
    if (anahtari == QStringLiteral("Klasor") || anahtari == QStringLiteral("Program"))
        return true;
    // KEY SHARE waits for a delete running on another desk and then finds no row; a
    // delete started later waits until this transaction has ended.
    Sonuc s(calistir("SELECT 1 FROM \"KlasorBilgileriTablosu\" WHERE \"Anahtari\" = $1 FOR KEY SHARE",
                     {Deger(anahtari)}));
    return s.satir() > 0;
}

qint64 SunucuVeritabani::degisenSatir(PGresult *r) const
{
    return QByteArray(PQcmdTuples(r)).toLongLong();
}

void SunucuVeritabani::calistir(const char *sql)
{
    Sonuc s(calistir(sql, {}));
}

QList<KlasorKaydi> SunucuVeritabani::klasorler()
{
    // In the order the folders were made: a folder's number grows with each new one, so
    // a parent always comes before its sub-folders (the file gives its insertion order;
    // here an update would move a row to the table's end).
    Sonuc s(calistir("SELECT \"Anahtari\", \"Bagi\", \"Adi\" FROM \"KlasorBilgileriTablosu\" "
                     "ORDER BY length(substring(\"Anahtari\" from '^[0-9]*')), substring(\"Anahtari\" from '^[0-9]*'), "
                     "\"Anahtari\"",
                     {}));
    QList<KlasorKaydi> sonuc;
    for (int i = 0; i < s.satir(); ++i)
        sonuc.append({s.metin(i, 0), s.metin(i, 1), s.metin(i, 2)});
    return sonuc;
}

void SunucuVeritabani::klasorEkle(const KlasorKaydi &k)
{
    Sonuc s(calistir("INSERT INTO \"KlasorBilgileriTablosu\"(\"Bagi\", \"Anahtari\", \"Adi\") VALUES($1, $2, $3)",
                     {Deger(k.bagi), Deger(k.anahtari), Deger(k.adi)}));
}

QString SunucuVeritabani::yeniKlasorEkle(const QString &bagi, const QString &adi, const QString &)
{
    // The number comes from the schema's sequence, so two desks never take the same key;
    // a number already taken by a row written otherwise (an older program, by hand) is
    // passed over.
    QString anahtar;
    islem([&] {
        if (!klasoruKilitle(bagi))
            throw VeritabaniHatasi::hedefKlasorYok();
        for (int deneme = 0; deneme < 1000 && anahtar.isEmpty(); ++deneme) {
            Sonuc s(calistir("INSERT INTO \"KlasorBilgileriTablosu\"(\"Bagi\", \"Anahtari\", \"Adi\") "
                             "VALUES($1, nextval('\"KlasorNumarasi\"')::text || '-Anahtar', $2) "
                             "ON CONFLICT (\"Anahtari\") DO NOTHING RETURNING \"Anahtari\"",
                             {Deger(bagi), Deger(adi)}));
            if (s.satir() > 0)
                anahtar = s.metin(0, 0);
        }
        if (anahtar.isEmpty())
            throw Hata(HataNo::Sunucu, QStringLiteral("Yeni klasöre boş bir numara bulunamadı."), m_ad);
    });
    return anahtar;
}

void SunucuVeritabani::klasorAdiDegistir(const QString &anahtari, const QString &adi)
{
    Sonuc s(calistir("UPDATE \"KlasorBilgileriTablosu\" SET \"Adi\" = $1 WHERE \"Anahtari\" = $2",
                     {Deger(adi), Deger(anahtari)}));
    if (degisenSatir(s.r) == 0)
        throw VeritabaniHatasi::klasorBulunamadi();
}

QString SunucuVeritabani::klasorAdi(const QString &anahtari)
{
    Sonuc s(calistir("SELECT \"Adi\" FROM \"KlasorBilgileriTablosu\" WHERE \"Anahtari\" = $1", {Deger(anahtari)}));
    return s.satir() > 0 ? s.metin(0, 0) : QString();
}

void SunucuVeritabani::klasorVeIsleriniSil(const QString &anahtari)
{
    islem([&] {
        // The row first: its lock waits for a desk adding a sub-folder or a job to it, and
        // the look for sub-folders after it sees what that desk stored.
        Sonuc k(calistir("DELETE FROM \"KlasorBilgileriTablosu\" WHERE \"Anahtari\" = $1", {Deger(anahtari)}));
        Sonuc alt(calistir("SELECT 1 FROM \"KlasorBilgileriTablosu\" WHERE \"Bagi\" = $1 LIMIT 1", {Deger(anahtari)}));
        if (alt.satir() > 0)
            throw VeritabaniHatasi::altKlasorVar();
        if (m_onHatirlatmaVar)
            Sonuc o(calistir("DELETE FROM \"OnHatirlatmaTablosu\" WHERE \"IsNo\" IN "
                             "(SELECT \"IsNo\" FROM \"YapilacakIslerTablosu\" WHERE \"Anahtari\" = $1)",
                             {Deger(anahtari)}));
        Sonuc i(calistir("DELETE FROM \"YapilacakIslerTablosu\" WHERE \"Anahtari\" = $1", {Deger(anahtari)}));
    });
}

void SunucuVeritabani::satirlariOku(const char *sql, const QList<Deger> &degerler, const IsSatiriAlici &alici)
{
    Sonuc s(calistir(sql, degerler));
    for (int i = 0; i < s.satir(); ++i)
        alici(hamSatir(s, i));
}

void SunucuVeritabani::isleriListele(const QString &anahtari, bool tumKlasorler, bool sadeceBugun, const QDate &bugun,
                                     const IsSatiriAlici &alici)
{
    QByteArray sql(IS_ALANLARI);
    QList<Deger> degerler;
    if (sadeceBugun) {
        sql += "WHERE \"IsinTarihi\" = $1::date AND NOT \"IsYapildi\" ";
        degerler << Deger(tarihMetni(bugun));
        if (!tumKlasorler) {
            sql += "AND \"Anahtari\" = $2 ";
            degerler << Deger(anahtari);
        }
    } else if (!tumKlasorler) {
        sql += "WHERE \"Anahtari\" = $1 ";
        degerler << Deger(anahtari);
    }
    sql += LISTE_SIRASI;
    satirlariOku(sql.constData(), degerler, alici);
}

std::vector<IsKaydi> SunucuVeritabani::hatirlatilacakIsleriOku(const QDate &bugun, const QTime &dakika,
                                                               const QDate &ufukTarihi, const QTime &ufukSaati)
{
    // $1 today, $2 the current minute at :00, $3 the horizon's day, $4 its time, $5 the
    // first day to look at; the same rule as the file's statement.
    const QByteArray sql = QByteArray(IS_ALANLARI)
        + "WHERE \"IsinTarihi\" >= $5::date AND \"IsinTarihi\" <= $1::date AND \"Hatirlatma\" AND NOT \"IsYapildi\" "
          "AND (\"IsinTarihi\" = $1::date AND \"IsinSaati\" <= $2::time "
          "OR \"IsinTarihi\" < $1::date AND \"IsinSaati\" IS NOT NULL "
          "AND (\"IsinTarihi\" > $3::date OR \"IsinSaati\" > $4::time)) "
          "ORDER BY \"IsinTarihi\", \"IsinSaati\"";
    std::vector<IsKaydi> sonuc;
    satirlariOku(sql.constData(),
                 {Deger(tarihMetni(bugun)), Deger(saatMetni(QTime(dakika.hour(), dakika.minute(), 0))),
                  Deger(tarihMetni(ufukTarihi)), Deger(saatMetni(ufukSaati)), Deger(tarihMetni(qMin(ufukTarihi, bugun)))},
                 [&](const HamIsSatiri &s) { sonuc.push_back(kayit(s)); });
    return sonuc;
}

void SunucuVeritabani::isListesi(ListeKipi kip, const QDate &tarih, const IsSatiriAlici &alici)
{
    QByteArray sql(IS_ALANLARI);
    QList<Deger> degerler;
    switch (kip) {
    case ListeKipi::BirGunun:
        sql += "WHERE \"IsinTarihi\" = $1::date AND NOT \"IsYapildi\" ";
        degerler << Deger(tarihMetni(tarih));
        break;
    case ListeKipi::GunuGecen:
        sql += "WHERE \"IsinTarihi\" < $1::date AND NOT \"IsYapildi\" ";
        degerler << Deger(tarihMetni(tarih));
        break;
    case ListeKipi::Yapilmis:
        sql += "WHERE \"IsYapildi\" ";
        break;
    case ListeKipi::Tumu:
        break;
    }
    sql += TAM_SIRA;
    satirlariOku(sql.constData(), degerler, alici);
}

qint64 SunucuVeritabani::isEkle(const IsKaydi &is, const QString &belirtec)
{
    if (!is.onGunler.isEmpty()) {
        qint64 no = 0;
        islem([&] {
            IsKaydi yalin = is;
            yalin.onGunler.clear();
            no = isEkle(yalin, belirtec);
            onGunleriYaz(no, is.onGunler);
        });
        return no;
    }
    // A save sent again after its reply was lost: the row the first one stored takes
    // the entries as they are now, and no second row is stored. (Looked up first: an
    // UPDATE that changes nothing would still tell every desk of a change.)
    if (!belirtec.isEmpty()) {
        Sonuc v(calistir("SELECT \"IsNo\" FROM \"YapilacakIslerTablosu\" WHERE \"KayitBelirteci\" = $1::uuid",
                         {Deger(belirtec)}));
        if (v.satir() > 0) {
            IsKaydi k = is;
            k.isNo = v.sayi(0, 0);
            isGuncelle(k);
            return k.isNo;
        }
    }
    // One statement: the folder's row is locked against a delete running on another
    // desk (KEY SHARE waits for it and then finds no row), so a job never lands in a
    // folder that is gone.
    Sonuc s(calistir("INSERT INTO \"YapilacakIslerTablosu\"(\"Anahtari\", \"IsinTarihi\", \"IsinSaati\", \"IsinKonusu\", "
                     "\"IsinYeri\", \"IsinSayisi\", \"Aciklama\", \"Hatirlatma\", \"IsYapildi\", \"KayitBelirteci\") "
                     "SELECT $1::text, $2::date, $3::time, $4::text, $5::text, $6::text, $7::text, $8::boolean, $9::boolean, "
                     "$10::uuid WHERE $1::text IN ('Klasor', 'Program') OR EXISTS (SELECT 1 FROM \"KlasorBilgileriTablosu\" "
                     "WHERE \"Anahtari\" = $1::text FOR KEY SHARE) RETURNING \"IsNo\"",
                     {Deger(is.anahtari), Deger(tarihMetni(is.tarih)), Deger(saatMetni(is.saat)), Deger(is.konu),
                      Deger(is.yer), Deger(is.sayi), Deger(is.aciklama), Deger::mantiksal(is.hatirlatma),
                      Deger::mantiksal(is.yapildi), Deger(belirtec.isEmpty() ? QString() : belirtec)}));
    if (s.satir() == 0)
        throw VeritabaniHatasi::hedefKlasorYok();
    return s.sayi(0, 0);
}

void SunucuVeritabani::isGuncelle(const IsKaydi &is)
{
    alanlariYaz(is, TarihAlani | SaatAlani | KonuAlani | YerAlani | SayiAlani | AciklamaAlani
                                 | HatirlatmaAlani | YapildiAlani);
}

void SunucuVeritabani::isAlanlariniGuncelle(const IsKaydi &is, unsigned alanlar)
{
    // With the warnings, or a new date or time that starts them afresh: all in one go.
    if ((alanlar & OnHatirlatmaAlani) || (m_onHatirlatmaVar && (alanlar & (TarihAlani | SaatAlani)))) {
        islem([&] {
            alanlariYaz(is, alanlar & ~unsigned(OnHatirlatmaAlani));
            if (m_onHatirlatmaVar && (alanlar & (TarihAlani | SaatAlani)))
                Sonuc y(calistir("UPDATE \"OnHatirlatmaTablosu\" SET \"ErtelemeAni\" = NULL, \"Durduruldu\" = false "
                                 "WHERE \"IsNo\" = $1",
                                 {Deger(is.isNo)}));
            if (alanlar & OnHatirlatmaAlani)
                onGunleriYaz(is.isNo, is.onGunler);
        });
        return;
    }
    alanlariYaz(is, alanlar);
}

void SunucuVeritabani::alanlariYaz(const IsKaydi &is, unsigned alanlar)
{
    // Built from fixed column fragments only; every value is bound.
    struct Alan {
        unsigned bit;
        const char *sutun;
    };
    static const Alan sutunlar[] = {{TarihAlani, "\"IsinTarihi\" = $%1::date"}, {SaatAlani, "\"IsinSaati\" = $%1::time"},
                                    {KonuAlani, "\"IsinKonusu\" = $%1"},        {YerAlani, "\"IsinYeri\" = $%1"},
                                    {SayiAlani, "\"IsinSayisi\" = $%1"},        {AciklamaAlani, "\"Aciklama\" = $%1"},
                                    {HatirlatmaAlani, "\"Hatirlatma\" = $%1::boolean"},
                                    {YapildiAlani, "\"IsYapildi\" = $%1::boolean"}};
    QString set;
    QList<Deger> degerler;
    for (const Alan &a : sutunlar) {
        if (!(alanlar & a.bit))
            continue;
        if (!set.isEmpty())
            set += QStringLiteral(", ");
        set += QString::fromLatin1(a.sutun).arg(degerler.size() + 1);
        switch (a.bit) {
        case TarihAlani: degerler << Deger(tarihMetni(is.tarih)); break;
        case SaatAlani: degerler << Deger(saatMetni(is.saat)); break;
        case KonuAlani: degerler << Deger(is.konu); break;
        case YerAlani: degerler << Deger(is.yer); break;
        case SayiAlani: degerler << Deger(is.sayi); break;
        case AciklamaAlani: degerler << Deger(is.aciklama); break;
        case HatirlatmaAlani: degerler << Deger::mantiksal(is.hatirlatma); break;
        case YapildiAlani: degerler << Deger::mantiksal(is.yapildi); break;
        }
    }
    if (set.isEmpty()) {
        Sonuc s(calistir("SELECT 1 FROM \"YapilacakIslerTablosu\" WHERE \"IsNo\" = $1", {Deger(is.isNo)}));
        if (s.satir() == 0)
            throw VeritabaniHatasi::isBulunamadi();
        return;
    }
    degerler << Deger(is.isNo);
    const QByteArray sql = "UPDATE \"YapilacakIslerTablosu\" SET " + set.toUtf8() + " WHERE \"IsNo\" = $"
        + QByteArray::number(degerler.size());
    Sonuc s(calistir(sql.constData(), degerler));
    if (degisenSatir(s.r) == 0)
        throw VeritabaniHatasi::isBulunamadi();
}

void SunucuVeritabani::isSil(qint64 isNo)
{
    if (!m_onHatirlatmaVar) {
        Sonuc s(calistir("DELETE FROM \"YapilacakIslerTablosu\" WHERE \"IsNo\" = $1", {Deger(isNo)}));
        return;
    }
    islem([&] {
        Sonuc o(calistir("DELETE FROM \"OnHatirlatmaTablosu\" WHERE \"IsNo\" = $1", {Deger(isNo)}));
        Sonuc s(calistir("DELETE FROM \"YapilacakIslerTablosu\" WHERE \"IsNo\" = $1", {Deger(isNo)}));
    });
}

void SunucuVeritabani::isTasi(qint64 isNo, const QString &anahtari)
{
    islem([&] {
        if (!klasoruKilitle(anahtari))
            throw VeritabaniHatasi::hedefKlasorYok();
        Sonuc s(calistir("UPDATE \"YapilacakIslerTablosu\" SET \"Anahtari\" = $1 WHERE \"IsNo\" = $2",
                         {Deger(anahtari), Deger(isNo)}));
    });
}

void SunucuVeritabani::isYapildiIsaretle(qint64 isNo)
{
    Sonuc s(calistir("UPDATE \"YapilacakIslerTablosu\" SET \"IsYapildi\" = true WHERE \"IsNo\" = $1", {Deger(isNo)}));
}

void SunucuVeritabani::isHatirlatmaKapat(qint64 isNo)
{
    Sonuc s(calistir("UPDATE \"YapilacakIslerTablosu\" SET \"Hatirlatma\" = false WHERE \"IsNo\" = $1", {Deger(isNo)}));
}

bool SunucuVeritabani::isZamaniniDegistir(qint64 isNo, const QDate &tarih, const QTime &saat)
{
    Sonuc s(calistir("UPDATE \"YapilacakIslerTablosu\" SET \"IsinTarihi\" = $1::date, \"IsinSaati\" = $2::time "
                     "WHERE \"IsNo\" = $3 AND NOT \"IsYapildi\"",
                     {Deger(tarihMetni(tarih)), Deger(saatMetni(saat)), Deger(isNo)}));
    return degisenSatir(s.r) > 0;
}

IsKaydi SunucuVeritabani::is(qint64 isNo)
{
    IsKaydi k;
    satirlariOku((QByteArray(IS_ALANLARI) + "WHERE \"IsNo\" = $1").constData(), {Deger(isNo)},
                 [&](const HamIsSatiri &s) { k = kayit(s); });
    return k;
}

void SunucuVeritabani::isleriGetir(const QList<qint64> &numaralar, const IsSatiriAlici &alici)
{
    if (numaralar.isEmpty())
        return;
    // The numbers as one bound array: "{1,2,3}".
    QByteArray dizi = "{";
    for (qint64 n : numaralar)
        dizi += (dizi.size() > 1 ? "," : "") + QByteArray::number(n);
    dizi += '}';
    // The columns of IS_ALANLARI under one-letter names: the reply's description of its
    // columns comes with every small batch a desk reads, and is then most of its bytes.
    satirlariOku("SELECT \"IsNo\" a, \"Anahtari\" b, \"IsinTarihi\" c, \"IsinSaati\" d, \"IsinKonusu\" e, "
                 "\"IsinYeri\" f, \"IsinSayisi\" g, \"Aciklama\" h, \"Hatirlatma\" i, \"IsYapildi\" j "
                 "FROM \"YapilacakIslerTablosu\" WHERE \"IsNo\" = ANY($1::bigint[]) ORDER BY \"IsNo\"",
                 {Deger(QString::fromLatin1(dizi))}, alici);
}

std::vector<AramaSonucu> SunucuVeritabani::isAra(AramaAlani alan, const QString &aranan)
{
    Sonuc s(calistir(aramaSorgusu(alan), {Deger(aranan.isNull() ? QStringLiteral("") : aranan)}));
    std::vector<AramaSonucu> sonuc;
    sonuc.reserve(size_t(s.satir()));
    for (int i = 0; i < s.satir(); ++i)
        sonuc.push_back({s.sayi(i, 0), s.metin(i, 1), s.metin(i, 2)});
    return sonuc;
}

} // namespace Zelvora

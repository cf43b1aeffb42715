#include "core/TakvimEsitleyici.h"

#include "core/Hata.h"
#include "core/SqliteDeyim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSet>
#include <QTimer>
#include <QXmlStreamReader>

#include <algorithm>

#include <sys/stat.h>

namespace Zelvora {
namespace {

// The record's schema. One row per resource this desk has written to the collection.
const char *const Sema =
    "CREATE TABLE IF NOT EXISTS Kaynaklar(Uid TEXT PRIMARY KEY, Yol TEXT NOT NULL, Etag TEXT, "
    "GirdiOzeti BLOB, GovdeOzeti BLOB);"
    "CREATE TABLE IF NOT EXISTS Bilgi(Anahtar TEXT PRIMARY KEY, Deger TEXT);";

// The record is written after this many changes, and at the end of every pass: a record
// lost to a crash only costs the resources written since, which the next pass finds on
// the server (412) and takes over, never writing them twice.
constexpr int KayitYiginSayisi = 200;

int durumKodu(QNetworkReply *r)
{
    return r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// The connection or the server as a whole failed (rather than this one resource): no
// answer at all, the server's own trouble, or the password refused.
bool gecisHatasiMi(int kod)
{
    return kod == 0 || kod >= 500 || kod == 401 || kod == 407 || kod == 408 || kod == 423 || kod == 429;
}

QString hataMetni(QNetworkReply *r)
{
    const int kod = durumKodu(r);
    if (kod == 0)
        return r->errorString();
    if (kod == 401)
        return QStringLiteral("kullanıcı adı ya da parola kabul edilmedi (401)");
    if (kod == 403)
        return QStringLiteral("sunucu bu takvime yazma izni vermedi (403)");
    if (kod == 404)
        return QStringLiteral("takvim adresi sunucuda yok (404)");
    const QString neden = r->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    return QStringLiteral("sunucu %1 %2 yanıtını verdi").arg(kod).arg(neden).trimmed();
}

// The weak comparison of two ETags (RFC 9110, 8.8.3.2): the same tag, whether or not
// either is marked weak. A server may give a weak ETag for what was written a moment ago
// and a strong one for the same version later.
bool ayniSurum(const QByteArray &a, const QByteArray &b)
{
    const auto etiket = [](const QByteArray &e) { return e.startsWith("W/") ? e.mid(2) : e; };
    return etiket(a) == etiket(b);
}

QByteArray sha1(const QByteArray &b)
{
    return QCryptographicHash::hash(b, QCryptographicHash::Sha1);
}

} // namespace

TakvimEsitleyici::TakvimEsitleyici(TakvimBicimi bicim, QObject *parent) : QObject(parent), m_bicim(std::move(bicim)) {}

TakvimEsitleyici::~TakvimEsitleyici()
{
    durdur();
}

QByteArray TakvimEsitleyici::govdeOzeti(const QByteArray &govde)
{
    QByteArray acik = govde;
    acik.replace("\r\n", "\n");
    acik.replace("\n ", "");
    acik.replace("\n\t", "");
    QList<QByteArray> satirlar = acik.split('\n');
    satirlar.removeIf([](const QByteArray &s) {
        return s.trimmed().isEmpty() || s.startsWith("DTSTAMP") || s.startsWith("PRODID");
    });
    // A server may mark a time given in a zone with "Z" when the zone is UTC's (Radicale
    // does): the same moment.
    for (QByteArray &s : satirlar) {
        const qsizetype iki = s.indexOf(':');
        if (iki > 0 && s.endsWith('Z') && s.left(iki).contains(";TZID="))
            s.chop(1);
    }
    std::sort(satirlar.begin(), satirlar.end());
    return sha1(satirlar.join('\n'));
}

void TakvimEsitleyici::istekleriBirak()
{
    if (m_ag) {
        const auto cocuklar = m_ag->findChildren<QNetworkReply *>();
        for (QNetworkReply *r : cocuklar) {
            r->disconnect(this);
            r->abort();
        }
    }
    m_ucusta = 0;
    m_kuyruk.clear();
    m_gecisSuruyor = false;
}

void TakvimEsitleyici::baglantiAyarla(const TakvimBaglantisi &b)
{
    // Requests under way belong to the old collection: they are dropped, and what they
    // answered is not recorded.
    istekleriBirak();
    kayitlariKaydet();
    m_kayit.reset();
    m_kayitlar.clear();
    m_yazilacak.clear();
    m_bildirilenHatalar.clear();
    TakvimBaglantisi yeni = b;
    if (!yeni.adres.isEmpty() && !yeni.adres.path().endsWith(QLatin1Char('/')))
        yeni.adres.setPath(yeni.adres.path() + QLatin1Char('/'));
    // The jobs handed over were read for the calendar before; another calendar waits for
    // its own.
    if (yeni.adres != m_baglanti.adres)
        m_veri.reset();
    m_baglanti = yeni;
    m_sunucuDenetlenecek = true;
    m_bekleme = 0;
    if (m_tekrar)
        m_tekrar->stop();
    if (m_baglanti.adres.isEmpty())
        return;
    try {
        kayitlariOku();
    } catch (const Hata &h) {
        m_kayit.reset();
        Q_EMIT gunluk(QStringLiteral("Yayın kaydı açılamadı (%1): %2").arg(m_baglanti.durumDosyasi, h.aciklama()));
    }
    if (m_veri)
        gecisBaslat();
}

void TakvimEsitleyici::kayitlariOku()
{
    const QString dosya = m_baglanti.durumDosyasi;
    QDir().mkpath(QFileInfo(dosya).absolutePath());
    m_kayit = std::make_unique<Sqlite::Baglanti>(dosya, Sqlite::Baglanti::Kip::Olustur);
    ::chmod(QFile::encodeName(dosya).constData(), 0600);
    m_kayit->calistir("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    m_kayit->calistir(Sema);
    {
        // A record made for another collection is not this one's (the file is named after
        // the address, so this takes a changed naming only).
        Sqlite::Deyim d(m_kayit->tutamak(), "SELECT Deger FROM Bilgi WHERE Anahtar='Adres'");
        const QString adres = m_baglanti.adres.toString();
        if (d.adim() && d.metin(0) != adres)
            m_kayit->calistir("DELETE FROM Kaynaklar");
    }
    {
        Sqlite::Deyim d(m_kayit->tutamak(), "INSERT OR REPLACE INTO Bilgi VALUES('Adres', ?)");
        d.bagla(1, m_baglanti.adres.toString());
        d.calistir();
    }
    Sqlite::Deyim d(m_kayit->tutamak(), "SELECT Uid, Yol, Etag, GirdiOzeti, GovdeOzeti FROM Kaynaklar");
    while (d.adim()) {
        Kayit k;
        k.yol = d.metin(1);
        k.etag = d.ham(2).toByteArray();
        k.girdi = d.ham(3).toByteArray();
        k.govde = d.ham(4).toByteArray();
        m_kayitlar.insert(d.metin(0), k);
    }
}

void TakvimEsitleyici::kayitYaz(const QString &uid, const Kayit &k)
{
    m_kayitlar.insert(uid, k);
    m_yazilacak.insert(uid, k);
    if (m_yazilacak.size() >= KayitYiginSayisi)
        kayitlariKaydet();
}

void TakvimEsitleyici::kayitSil(const QString &uid)
{
    m_kayitlar.remove(uid);
    m_yazilacak.insert(uid, std::nullopt);
    if (m_yazilacak.size() >= KayitYiginSayisi)
        kayitlariKaydet();
}

void TakvimEsitleyici::kayitlariKaydet()
{
    if (!m_kayit || m_yazilacak.isEmpty())
        return;
    try {
        m_kayit->calistir("BEGIN");
        Sqlite::Deyim yaz(m_kayit->tutamak(), "INSERT OR REPLACE INTO Kaynaklar VALUES(?,?,?,?,?)");
        Sqlite::Deyim sil(m_kayit->tutamak(), "DELETE FROM Kaynaklar WHERE Uid=?");
        for (auto i = m_yazilacak.cbegin(); i != m_yazilacak.cend(); ++i) {
            if (i.value()) {
                yaz.bagla(1, i.key()).bagla(2, i.value()->yol).bagla(3, i.value()->etag);
                yaz.bagla(4, i.value()->girdi).bagla(5, i.value()->govde);
                yaz.calistir();
                yaz.sifirla();
            } else {
                sil.bagla(1, i.key());
                sil.calistir();
                sil.sifirla();
            }
        }
        m_kayit->calistir("COMMIT");
        m_yazilacak.clear();
    } catch (const Hata &h) {
        try {
            m_kayit->calistir("ROLLBACK");
        } catch (const Hata &) {
        }
        Q_EMIT gunluk(QStringLiteral("Yayın kaydı yazılamadı: %1").arg(h.aciklama()));
    }
}

void TakvimEsitleyici::beklemeAyarla(int ilkMs, int enFazlaMs)
{
    m_ilkBekleme = std::max(1, ilkMs);
    m_enUzunBekleme = std::max(m_ilkBekleme, enFazlaMs);
}

void TakvimEsitleyici::durdur()
{
    m_durdu = true;
    if (m_tekrar)
        m_tekrar->stop();
    istekleriBirak();
    kayitlariKaydet();
}

void TakvimEsitleyici::veriVer(std::shared_ptr<const TakvimVerisi> veri, bool sunucuyuDenetle)
{
    m_veri = std::move(veri);
    m_sunucuDenetlenecek = m_sunucuDenetlenecek || sunucuyuDenetle;
    if (m_gecisSuruyor) {
        m_yeniVeri = true;
        return;
    }
    // New jobs do not wait for the pause after a failure: the user just changed something
    // and may be looking; a server still away fails again at once and the pause goes on.
    if (m_tekrar)
        m_tekrar->stop();
    gecisBaslat();
}

void TakvimEsitleyici::gecisBaslat()
{
    if (m_durdu || !m_veri || m_baglanti.adres.isEmpty() || !m_kayit)
        return;
    if (!m_ag) {
        m_ag = new QNetworkAccessManager(this);
        m_ag->setAutoDeleteReplies(true);
        m_ag->setTransferTimeout(IstekSiniriMs);
        m_tekrar = new QTimer(this);
        m_tekrar->setSingleShot(true);
        connect(m_tekrar, &QTimer::timeout, this, [this] {
            if (!m_gecisSuruyor)
                gecisBaslat();
        });
    }
    m_gecisSuruyor = true;
    m_yeniVeri = false;
    m_kesildi = false;
    m_kesilmeNedeni.clear();
    m_gecisVerisi = m_veri;
    m_yazilan = m_silinen = m_yapilan = m_toplam = m_hatali = 0;
    if (m_sunucuDenetlenecek)
        sunucuyuOku();
    else
        planla();
}

void TakvimEsitleyici::sunucuyuOku()
{
    static const QByteArray istenen = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                                      "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:getetag/></d:prop></d:propfind>";
    QNetworkReply *r = istek("PROPFIND", QString(), istenen,
                             {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}});
    connect(r, &QNetworkReply::finished, this, [this, r] {
        if (m_kesildi) {
            gecisBitti();
            return;
        }
        const int kod = durumKodu(r);
        if (kod != 207) {
            gecisiKes(hataMetni(r));
            gecisBitti();
            return;
        }
        // path (decoded) -> ETag
        QHash<QString, QByteArray> sunucuda;
        QXmlStreamReader x(r->readAll());
        QString yol;
        QByteArray etag;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.namespaceUri() == QLatin1String("DAV:")) {
                if (x.name() == QLatin1String("response")) {
                    yol.clear();
                    etag.clear();
                } else if (x.name() == QLatin1String("href")) {
                    yol = QUrl::fromPercentEncoding(x.readElementText().trimmed().toUtf8());
                    if (yol.startsWith(QLatin1String("http")))
                        yol = QUrl(yol).path();
                } else if (x.name() == QLatin1String("getetag")) {
                    etag = x.readElementText().trimmed().toUtf8();
                }
            } else if (x.isEndElement() && x.name() == QLatin1String("response") && !etag.isEmpty()) {
                sunucuda.insert(yol, etag);
            }
        }
        if (x.hasError()) {
            gecisiKes(QStringLiteral("sunucunun yanıtı okunamadı (%1)").arg(x.errorString()));
            gecisBitti();
            return;
        }
        for (auto i = m_kayitlar.begin(); i != m_kayitlar.end(); ++i) {
            const auto s = sunucuda.constFind(i->yol);
            i->sunucudaYok = s == sunucuda.cend();
            i->sunucuEtag = i->sunucudaYok || ayniSurum(*s, i->etag) ? QByteArray() : *s;
        }
        m_sunucuDenetlenecek = false;
        planla();
    });
}

QByteArray TakvimEsitleyici::girdiOzeti(const IsKaydi &is) const
{
    // Everything of the job that its event shows, and the writer's version.
    QByteArray b = m_bicim.surum;
    const auto ekle = [&b](const QString &s) {
        b += s.toUtf8();
        b += '\x1f';
    };
    ekle(m_gecisVerisi->kimlik);
    ekle(QString::number(is.isNo));
    ekle(m_gecisVerisi->klasorYollari.value(is.anahtari));
    ekle(is.tarih.isValid() ? is.tarih.toString(Qt::ISODate) : QString());
    ekle(is.saat.isValid() ? is.saat.toString(Qt::ISODate) : QString());
    ekle(is.konu);
    ekle(is.yer);
    ekle(is.sayi);
    ekle(is.aciklama);
    b += is.hatirlatma ? '1' : '0';
    b += is.yapildi ? '1' : '0';
    for (int g : is.onGunler)
        ekle(QString::number(g));
    return sha1(b);
}

void TakvimEsitleyici::planla()
{
    // Changes and deletions of events already there first: an edit reaches the phone
    // before a long first publication of new events has finished.
    std::vector<std::shared_ptr<Islem>> yeniler;
    QSet<QString> istenen;
    const auto &isler = m_gecisVerisi->isler;
    for (qsizetype i = 0; i < qsizetype(isler.size()); ++i) {
        auto is = std::make_shared<Islem>();
        is->uid = m_bicim.uid(*m_gecisVerisi, isler[size_t(i)]);
        is->is = i;
        if (istenen.contains(is->uid))
            continue;
        istenen.insert(is->uid);
        is->girdi = girdiOzeti(isler[size_t(i)]);
        const auto k = m_kayitlar.constFind(is->uid);
        if (k == m_kayitlar.cend()) {
            is->tur = Tur::Olustur;
            yeniler.push_back(is);
        } else if (k->girdi != is->girdi || k->sunucudaYok || !k->sunucuEtag.isEmpty()) {
            is->tur = Tur::Guncelle;
            m_kuyruk.push_back(is);
        }
    }
    for (auto k = m_kayitlar.cbegin(); k != m_kayitlar.cend(); ++k) {
        if (istenen.contains(k.key()))
            continue;
        auto is = std::make_shared<Islem>();
        is->tur = Tur::Sil;
        is->uid = k.key();
        m_kuyruk.push_back(is);
    }
    for (auto &is : yeniler)
        m_kuyruk.push_back(std::move(is));
    m_toplam = int(m_kuyruk.size());
    if (m_toplam > 0)
        Q_EMIT ilerleme(0, m_toplam);
    surdur();
}

void TakvimEsitleyici::surdur()
{
    while (!m_kesildi && !m_yeniVeri && m_ucusta < AyniAndaIstek && !m_kuyruk.empty()) {
        auto is = m_kuyruk.front();
        m_kuyruk.pop_front();
        ++m_ucusta;
        islemBaslat(is);
    }
    if (m_ucusta == 0)
        gecisBitti();
}

void TakvimEsitleyici::islemBitti(bool basarili)
{
    Q_UNUSED(basarili);
    --m_ucusta;
    ++m_yapilan;
    if (m_yapilan % 100 == 0 || m_yapilan == m_toplam)
        Q_EMIT ilerleme(m_yapilan, m_toplam);
    surdur();
}

QString TakvimEsitleyici::kaynakAdi(const QString &uid)
{
    QString ad = uid;
    for (QChar &c : ad) {
        const char16_t u = c.unicode();
        const bool uygun = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '@'
            || u == '.' || u == '_' || u == '+' || u == '-';
        if (!uygun)
            c = QLatin1Char('_');
    }
    return ad + QStringLiteral(".ics");
}

QString TakvimEsitleyici::kaynakYolu(const QString &uid) const
{
    return m_baglanti.adres.path() + kaynakAdi(uid);
}

QUrl TakvimEsitleyici::kaynakAdresi(const QString &yol) const
{
    QUrl u = m_baglanti.adres;
    if (!yol.isEmpty())
        u.setPath(yol, QUrl::DecodedMode);
    return u;
}

QString TakvimEsitleyici::isAdi(const Islem &is) const
{
    if (is.is >= 0) {
        const IsKaydi &k = m_gecisVerisi->isler[size_t(is.is)];
        return QStringLiteral("\"%1\" (%2)").arg(k.konu, k.tarih.toString(QStringLiteral("dd.MM.yyyy")));
    }
    return QStringLiteral("Silinen iş (%1)").arg(is.uid);
}

QNetworkReply *TakvimEsitleyici::istek(const QByteArray &yontem, const QString &yol, const QByteArray &govde,
                                       const QList<QPair<QByteArray, QByteArray>> &basliklar)
{
    QNetworkRequest q(kaynakAdresi(yol));
    q.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    if (!m_baglanti.kullanici.isEmpty()) {
        // Sent with the first request: every request would otherwise be made twice.
        const QByteArray kimlik = (m_baglanti.kullanici + QLatin1Char(':') + m_baglanti.parola).toUtf8();
        q.setRawHeader("Authorization", "Basic " + kimlik.toBase64());
    }
    for (const auto &b : basliklar)
        q.setRawHeader(b.first, b.second);
    // A HEAD sent as a custom verb would wait for the body its Content-Length announces.
    if (yontem == "HEAD")
        return m_ag->head(q);
    return m_ag->sendCustomRequest(q, yontem, govde);
}

void TakvimEsitleyici::govdeYap(Islem &is)
{
    if (!is.govde.isEmpty())
        return;
    is.govde = m_bicim.govde(*m_gecisVerisi, m_gecisVerisi->isler[size_t(is.is)]);
    is.govdeOzeti = govdeOzeti(is.govde);
}

void TakvimEsitleyici::islemBaslat(const std::shared_ptr<Islem> &is)
{
    const auto k = m_kayitlar.constFind(is->uid);
    if (is->tur == Tur::Sil) {
        sil(is, k->etag);
        return;
    }
    try {
        govdeYap(*is);
    } catch (const Hata &h) {
        kaynakHatasi(is, h.aciklama());
        islemBitti(false);
        return;
    }
    if (is->tur == Tur::Olustur) {
        yaz(is, QByteArray());
        return;
    }
    // A job changed here, or an event the look at the server found changed or gone.
    if (k->sunucudaYok) {
        Q_EMIT gunluk(QStringLiteral("%1 sunucuda silinmişti; Zelvora'daki hâli yeniden yazıldı.").arg(isAdi(*is)));
        yaz(is, QByteArray());
        return;
    }
    if (!k->sunucuEtag.isEmpty()) {
        sunucudakiniOku(is);
        return;
    }
    if (k->govde == is->govdeOzeti) {
        // The job changed in nothing its event shows.
        Kayit y = *k;
        y.girdi = is->girdi;
        kayitYaz(is->uid, y);
        islemBitti(true);
        return;
    }
    yaz(is, k->etag);
}

void TakvimEsitleyici::yaz(const std::shared_ptr<Islem> &is, const QByteArray &etag)
{
    QList<QPair<QByteArray, QByteArray>> b = {{"Content-Type", "text/calendar; charset=utf-8"}};
    if (etag.isEmpty())
        b.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
    else
        b.append(qMakePair(QByteArray("If-Match"), etag));
    QNetworkReply *r = istek("PUT", kaynakYolu(is->uid), is->govde, b);
    connect(r, &QNetworkReply::finished, this, [this, r, is] {
        if (m_kesildi) {
            islemBitti(false);
            return;
        }
        const int kod = durumKodu(r);
        if (kod >= 200 && kod < 300) {
            ++m_yazilan;
            yazildi(is, r->rawHeader("ETag"));
            return;
        }
        // 412: created by another desk or a write of ours whose answer was lost
        // (If-None-Match), or changed by somebody else since our last write (If-Match).
        basarisizYanit(is, r, kod);
    });
}

void TakvimEsitleyici::basarisizYanit(const std::shared_ptr<Islem> &is, QNetworkReply *r, int kod)
{
    if (kod == 412) {
        sunucudakiniOku(is);
        return;
    }
    if (gecisHatasiMi(kod))
        gecisiKes(hataMetni(r));
    else
        kaynakHatasi(is, hataMetni(r));
    islemBitti(false);
}

void TakvimEsitleyici::yazildi(const std::shared_ptr<Islem> &is, const QByteArray &etag)
{
    Kayit k;
    k.yol = kaynakYolu(is->uid);
    k.etag = etag;
    k.girdi = is->girdi;
    k.govde = is->govdeOzeti;
    m_bildirilenHatalar.remove(is->uid);
    if (!etag.isEmpty()) {
        kayitYaz(is->uid, k);
        islemBitti(true);
        return;
    }
    // A server that gives no ETag with its answer: asked for it, so that the next change
    // can say which version it replaces.
    QNetworkReply *r = istek("HEAD", k.yol, QByteArray(), {});
    connect(r, &QNetworkReply::finished, this, [this, r, is, k]() mutable {
        k.etag = r->rawHeader("ETag");
        kayitYaz(is->uid, k);
        islemBitti(true);
    });
}

void TakvimEsitleyici::sunucudakiniOku(const std::shared_ptr<Islem> &is)
{
    if (++is->deneme > 3) {
        kaynakHatasi(is, QStringLiteral("sunucudaki hâli yazılırken tekrar tekrar değişti"));
        islemBitti(false);
        return;
    }
    QNetworkReply *r = istek("GET", kaynakYolu(is->uid), QByteArray(), {});
    connect(r, &QNetworkReply::finished, this, [this, r, is] {
        if (m_kesildi) {
            islemBitti(false);
            return;
        }
        const int kod = durumKodu(r);
        if (kod == 404 || kod == 410) {
            if (is->tur == Tur::Sil) {
                // Gone already: what a delete wanted.
                kayitSil(is->uid);
                ++m_silinen;
                islemBitti(true);
            } else {
                yaz(is, QByteArray());
            }
            return;
        }
        if (kod < 200 || kod >= 300) {
            if (gecisHatasiMi(kod))
                gecisiKes(hataMetni(r));
            else
                kaynakHatasi(is, hataMetni(r));
            islemBitti(false);
            return;
        }
        const QByteArray etag = r->rawHeader("ETag");
        if (is->tur == Tur::Sil) {
            sil(is, etag);
            return;
        }
        const QByteArray sunucudaki = govdeOzeti(r->readAll());
        if (sunucudaki == is->govdeOzeti) {
            // The server holds what we would write: another desk of the office published the
            // same job, or our own write's answer was lost. Taken over as it is.
            yazildi(is, etag);
            return;
        }
        // Somebody else's change, unless the server still holds what we wrote last (its
        // ETag only took another form, a weak one becoming strong).
        const auto k = m_kayitlar.constFind(is->uid);
        if (k != m_kayitlar.cend() && k->govde != sunucudaki)
            Q_EMIT gunluk(QStringLiteral("%1 sunucuda değiştirilmişti; Zelvora'daki hâli geri yazıldı.").arg(isAdi(*is)));
        yaz(is, etag.isEmpty() ? QByteArray("*") : etag);
    });
}

void TakvimEsitleyici::sil(const std::shared_ptr<Islem> &is, const QByteArray &etag)
{
    QList<QPair<QByteArray, QByteArray>> b;
    if (!etag.isEmpty())
        b.append(qMakePair(QByteArray("If-Match"), etag));
    const auto k = m_kayitlar.constFind(is->uid);
    const QString yol = k != m_kayitlar.cend() ? k->yol : kaynakYolu(is->uid);
    QNetworkReply *r = istek("DELETE", yol, QByteArray(), b);
    connect(r, &QNetworkReply::finished, this, [this, r, is] {
        if (m_kesildi) {
            islemBitti(false);
            return;
        }
        const int kod = durumKodu(r);
        if ((kod >= 200 && kod < 300) || kod == 404 || kod == 410) {
            kayitSil(is->uid);
            ++m_silinen;
            islemBitti(true);
            return;
        }
        // 412: changed by somebody else meanwhile; the job is deleted all the same.
        basarisizYanit(is, r, kod);
    });
}

void TakvimEsitleyici::gecisiKes(const QString &neden)
{
    if (m_kesildi)
        return;
    m_kesildi = true;
    m_kesilmeNedeni = neden;
}

void TakvimEsitleyici::kaynakHatasi(const std::shared_ptr<Islem> &is, const QString &neden)
{
    // Told once for each job and reason; tried again at every pass.
    ++m_hatali;
    if (m_bildirilenHatalar.value(is->uid) == neden)
        return;
    m_bildirilenHatalar.insert(is->uid, neden);
    Q_EMIT gunluk(QStringLiteral("%1 takvime yazılamadı: %2.").arg(isAdi(*is), neden));
}

void TakvimEsitleyici::gecisBitti()
{
    if (!m_gecisSuruyor || m_ucusta > 0)
        return;
    m_gecisSuruyor = false;
    m_kuyruk.clear();
    kayitlariKaydet();
    if (m_durdu)
        return;
    if (m_kesildi && !m_kesilmeNedeni.isEmpty()) {
        m_bekleme = m_bekleme == 0 ? m_ilkBekleme : std::min(m_bekleme * 2, m_enUzunBekleme);
        // Whatever the server showed of itself may be stale once it is back.
        m_sunucuDenetlenecek = true;
        Q_EMIT basarisiz(m_kesilmeNedeni, m_bekleme);
        m_tekrar->start(m_bekleme);
        return;
    }
    if (m_yeniVeri || m_kesildi) {
        // Jobs came meanwhile (or the collection changed): a fresh pass with them.
        gecisBaslat();
        return;
    }
    m_bekleme = 0;
    Q_EMIT esitlendi(QDateTime::currentDateTime(), m_yazilan, m_silinen, m_hatali);
}

} // namespace Zelvora

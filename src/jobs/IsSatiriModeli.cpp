#include "jobs/IsSatiriModeli.h"

#include "core/OrtakYordamlar.h"

#include "core/Renkler.h"
#include "core/Tarihler.h"
#include "ui/OrtakDenetimler.h"

#include <QCollator>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>

#include <algorithm>
#include <numeric>

namespace Zelvora {

namespace {
using Ham = Veritabani::HamIsSatiri;

// A job as the statement would hand it over; its texts are kept in metinler (five
// entries) for as long as the row is used.
Ham hamSatir(const IsKaydi &i, std::vector<QByteArray> &metinler)
{
    Ham s;
    s.isNo = i.isNo;
    s.tarih = i.tarih.isValid() ? qint32(i.tarih.toJulianDay()) : Ham::TarihYok;
    s.saat = i.saat.isValid() ? i.saat.msecsSinceStartOfDay() / 1000 : -1;
    s.hatirlatma = i.hatirlatma;
    s.yapildi = i.yapildi;
    s.gunOnce = i.gunOnce;
    metinler = {i.anahtari.toUtf8(), i.konu.toUtf8(), i.yer.toUtf8(), i.sayi.toUtf8(), i.aciklama.toUtf8()};
    s.anahtari = metinler[0];
    s.konu = metinler[1];
    s.yer = metinler[2];
    s.sayi = metinler[3];
    s.aciklama = metinler[4];
    return s;
}

// Two figures of n into p.
inline void ikiRakam(char16_t *p, int n)
{
    p[0] = char16_t(u'0' + n / 10);
    p[1] = char16_t(u'0' + n % 10);
}

// dd.MM.yyyy, as Tarihler::kisaTarih writes it.
QString tarihMetni(qint32 gun)
{
    if (gun == Ham::TarihYok)
        return {};
    const QDate t = QDate::fromJulianDay(gun);
    if (t.year() < 1 || t.year() > 9999)
        return Tarihler::kisaTarih(t);
    char16_t m[10];
    ikiRakam(m, t.day());
    m[2] = u'.';
    ikiRakam(m + 3, t.month());
    m[5] = u'.';
    ikiRakam(m + 6, t.year() / 100);
    ikiRakam(m + 8, t.year() % 100);
    return QString(reinterpret_cast<const QChar *>(m), 10);
}

// HH:mm:ss, as Tarihler::saatMetni writes it.
QString saatMetni(qint32 saniye)
{
    if (saniye < 0)
        return {};
    char16_t m[8];
    ikiRakam(m, saniye / 3600);
    m[2] = u':';
    ikiRakam(m + 3, saniye / 60 % 60);
    m[5] = u':';
    ikiRakam(m + 6, saniye % 60);
    return QString(reinterpret_cast<const QChar *>(m), 8);
}

void uzunlukYaz(std::vector<char> &v, size_t n)
{
    while (n >= 0x80) {
        v.push_back(char(n | 0x80));
        n >>= 7;
    }
    v.push_back(char(n));
}

size_t uzunlukOku(const char *&p)
{
    size_t n = 0;
    for (int kayma = 0;; kayma += 7) {
        const auto b = static_cast<unsigned char>(*p++);
        n |= size_t(b & 0x7f) << kayma;
        if (!(b & 0x80))
            return n;
    }
}
} // namespace

const QString IsSatiriModeli::IsNoMimeTuru = QStringLiteral("application/x-zelvora-isno");

IsSatiriModeli::IsSatiriModeli(QObject *parent)
    : QAbstractTableModel(parent), m_siralayici(QLocale(QLocale::Turkish, QLocale::Turkey))
{
    m_siralayici.setCaseSensitivity(Qt::CaseInsensitive);
    m_simgeler[1] = Simge(QStringLiteral("HATIRLAT"));
    m_simgeler[2] = Simge(QStringLiteral("HATIRLATMA"));
    m_simgeler[3] = Simge(QStringLiteral("YAPILDI"));
}

QList<int> IsSatiriModeli::tasarimGenislikleri()
{
    return {1200, 1200, 1500, 2500, 1000, 3000, 0};
}

void IsSatiriModeli::satirEkle(Depo &d, const Ham &s) const
{
    d.satirlar.push_back(satirYap(d, s));
}

IsSatiriModeli::Satir IsSatiriModeli::satirYap(Depo &d, const Ham &s) const
{
    Satir r{};
    r.isNo = s.isNo;
    r.tarih = s.tarih;
    r.saat = s.saat;
    r.bayrak = (s.hatirlatma ? Hatirlatma : 0) | (s.yapildi ? Yapildi : 0);
    r.gunOnce = quint16(qBound(0, s.gunOnce, 0xffff));
    // A row without a date keeps the colour of the row filled before it (black for the
    // first), so sorting and deleting do not change it.
    if (s.tarih != Ham::TarihYok)
        d.oncekiRenk = s.tarih < m_bugun ? Gecmis : s.tarih > m_bugun ? Gelecek : Bugun;
    else
        r.bayrak |= quint8(d.oncekiRenk << RenkKaydir);
    const std::string_view anahtar(s.anahtari.data() ? s.anahtari.data() : "", size_t(s.anahtari.size()));
    auto bulunan = d.anahtarNo.find(anahtar);
    if (bulunan == d.anahtarNo.end()) {
        d.anahtarlar.push_back(s.anahtari.isNull() ? QByteArray() : s.anahtari.toByteArray());
        const QByteArray &k = d.anahtarlar.back();
        bulunan = d.anahtarNo.emplace(std::string_view(k.constData() ? k.constData() : "", size_t(k.size())),
                                      quint32(d.anahtarlar.size() - 1)).first;
    }
    r.anahtar = bulunan->second;
    r.metin = quint32(d.metinler.size());
    for (const QByteArrayView &m : {s.konu, s.yer, s.sayi, s.aciklama}) {
        uzunlukYaz(d.metinler, size_t(m.size()));
        d.metinler.insert(d.metinler.end(), m.data(), m.data() + m.size());
    }
    return r;
}

void IsSatiriModeli::doldur(std::vector<IsKaydi> isler, const QDate &bugun, bool etiketli)
{
    doldur(
        [&isler](const Veritabani::IsSatiriAlici &alici) {
            std::vector<QByteArray> metinler(5);
            for (const IsKaydi &i : isler) {
                alici(hamSatir(i, metinler));
            }
        },
        bugun, etiketli);
}

void IsSatiriModeli::doldur(const Okuyucu &okuyucu, const QDate &bugun, bool etiketli)
{
    m_bugun = bugun.isValid() ? qint32(bugun.toJulianDay()) : 0;
    // The rows are gathered apart, so that the view never sees a row it was not told of
    // (an error reported during the fill runs the event loop), and then put in place.
    Depo yeni;
    yeni.metinler.reserve(1 << 16);
    try {
        okuyucu([&](const Ham &s) { satirEkle(yeni, s); });
    } catch (...) {
        m_etiketli = etiketli;
        yerlestir(yeni);
        throw;
    }
    m_etiketli = etiketli;
    m_tarihAzalan = false; // the rows come in the statement's order
    yerlestir(yeni);
}

void IsSatiriModeli::yerlestir(Depo &yeni)
{
    if (m_surekliSutun >= 0)
        metinSirala(yeni);
    // The new rows take the places of the old ones: the rows the lists have in common are
    // changed, the rest removed or inserted. The list is never empty in between, so its
    // scroll bar does not go and come back, which would lay out and repaint the whole
    // list with its frame on every fill (as a reset of the model would as well).
    const int eski = int(m_d.satirlar.size());
    const int yeniSayi = int(yeni.satirlar.size());
    if (yeniSayi < eski) {
        beginRemoveRows({}, yeniSayi, eski - 1);
        m_d.satirlar.resize(size_t(yeniSayi));
        endRemoveRows();
    }
    std::vector<Satir> fazla;
    if (eski == 0) {
        fazla.swap(yeni.satirlar);
    } else if (yeniSayi > eski) {
        fazla.assign(yeni.satirlar.begin() + eski, yeni.satirlar.end());
        yeni.satirlar.resize(size_t(eski));
    }
    // The old rows and texts go when yeni does, at the end of the fill.
    std::swap(m_d, yeni);
    if (!m_d.satirlar.empty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_d.satirlar.size()) - 1, SutunSayisi - 1));
    if (!fazla.empty()) {
        beginInsertRows({}, eski, yeniSayi - 1);
        if (m_d.satirlar.empty())
            m_d.satirlar.swap(fazla);
        else
            m_d.satirlar.insert(m_d.satirlar.end(), fazla.begin(), fazla.end());
        endInsertRows();
    }
    Q_EMIT dolduruldu();
}

void IsSatiriModeli::temizle()
{
    if (m_d.satirlar.empty())
        return;
    beginRemoveRows({}, 0, int(m_d.satirlar.size()) - 1);
    m_d = Depo();
    endRemoveRows();
}

void IsSatiriModeli::satirSil(int satir)
{
    if (satir < 0 || satir >= int(m_d.satirlar.size()))
        return;
    beginRemoveRows({}, satir, satir);
    m_d.satirlar.erase(m_d.satirlar.begin() + satir);
    endRemoveRows();
}

bool IsSatiriModeli::once(const Satir &a, const Satir &b) const
{
    if (m_surekliSutun >= 0) {
        const int k = m_siralayici.compare(hucreMetni(m_d, a, m_surekliSutun), hucreMetni(m_d, b, m_surekliSutun));
        return m_surekliAzalan ? k > 0 : k < 0;
    }
    if (a.tarih != b.tarih)
        return m_tarihAzalan ? b.tarih < a.tarih : a.tarih < b.tarih;
    if (m_saatleSirali && a.saat != b.saat)
        return a.saat < b.saat;
    return a.isNo < b.isNo;
}

void IsSatiriModeli::satirlariYenile(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler,
                                     const std::function<bool(const IsKaydi &)> &gosterilir)
{
    std::unordered_map<qint64, const IsKaydi *> okunan;
    for (const IsKaydi &k : okunanlar)
        okunan.emplace(k.isNo, &k);
    std::vector<QByteArray> metinler(5);
    for (qint64 no : degisenler) {
        const int satir = satirBul(no);
        const auto bulunan = okunan.find(no);
        const bool kalir = bulunan != okunan.end() && gosterilir(*bulunan->second);
        if (!kalir) {
            // Deleted, or no longer one of the list's jobs (done, moved, another day).
            satirSil(satir);
            continue;
        }
        const IsKaydi &i = *bulunan->second;
        const Ham s = hamSatir(i, metinler);
        // (A row without a date takes the colour the last row filled had.)
        const Satir yeni = satirYap(m_d, s);
        const auto yeri = [&](int haric) {
            // Where the list's order puts the row, the row itself left out.
            int alt = 0, ust = int(m_d.satirlar.size()) - (haric >= 0 ? 1 : 0);
            while (alt < ust) {
                const int orta = (alt + ust) / 2;
                const int gercek = haric >= 0 && orta >= haric ? orta + 1 : orta;
                if (once(yeni, m_d.satirlar[size_t(gercek)]))
                    ust = orta;
                else
                    alt = orta + 1;
            }
            return alt;
        };
        if (satir < 0) {
            const int konum = yeri(-1);
            beginInsertRows({}, konum, konum);
            m_d.satirlar.insert(m_d.satirlar.begin() + konum, yeni);
            endInsertRows();
            continue;
        }
        // Changed: where it is when its place in the order is the same, else moved there
        // (a move keeps the view's selection on it).
        const int konum = yeri(satir);
        if (konum != satir) {
            beginMoveRows({}, satir, satir, {}, konum > satir ? konum + 1 : konum);
            const Satir eski = m_d.satirlar[size_t(satir)];
            m_d.satirlar.erase(m_d.satirlar.begin() + satir);
            m_d.satirlar.insert(m_d.satirlar.begin() + konum, eski);
            endMoveRows();
        }
        m_d.satirlar[size_t(konum)] = yeni;
        Q_EMIT dataChanged(index(konum, 0), index(konum, SutunSayisi - 1));
    }
}

QByteArrayView IsSatiriModeli::alan(const Depo &d, const Satir &s, int hangi)
{
    const char *p = d.metinler.data() + s.metin;
    for (int i = 0;; ++i) {
        const size_t n = uzunlukOku(p);
        if (i == hangi)
            return QByteArrayView(p, qsizetype(n));
        p += n;
    }
}

IsKaydi IsSatiriModeli::is(int satir) const
{
    const Satir &s = m_d.satirlar.at(size_t(satir));
    IsKaydi k;
    k.isNo = s.isNo;
    k.anahtari = QString::fromUtf8(m_d.anahtarlar[s.anahtar]);
    if (s.tarih != Ham::TarihYok)
        k.tarih = QDate::fromJulianDay(s.tarih);
    if (s.saat >= 0)
        k.saat = QTime::fromMSecsSinceStartOfDay(s.saat * 1000);
    k.konu = QString::fromUtf8(alan(m_d, s, KonuAlani));
    k.yer = QString::fromUtf8(alan(m_d, s, YerAlani));
    k.sayi = QString::fromUtf8(alan(m_d, s, SayiAlani));
    k.aciklama = QString::fromUtf8(alan(m_d, s, AciklamaAlani));
    k.hatirlatma = s.bayrak & Hatirlatma;
    k.yapildi = s.bayrak & Yapildi;
    k.gunOnce = s.gunOnce;
    return k;
}

int IsSatiriModeli::simge(const Satir &s) const
{
    if (m_sabitSimge)
        return m_sabitSimge;
    if ((s.bayrak & Yapildi) && !m_yapildiYoksay)
        return YapildiSimgesi;
    return (s.bayrak & Hatirlatma) ? HatirlatSimgesi : HatirlatmaSimgesi;
}

int IsSatiriModeli::simge(int satir) const
{
    return simge(m_d.satirlar.at(size_t(satir)));
}

IsSatiriModeli::Renk IsSatiriModeli::renk(const Satir &s) const
{
    if (s.tarih == Ham::TarihYok)
        return Renk((s.bayrak & RenkMaskesi) >> RenkKaydir);
    return s.tarih < m_bugun ? Gecmis : s.tarih > m_bugun ? Gelecek : Bugun;
}

int IsSatiriModeli::satirBul(qint64 isNo) const
{
    for (size_t i = 0; i < m_d.satirlar.size(); ++i) {
        if (m_d.satirlar[i].isNo == isNo)
            return int(i);
    }
    return -1;
}

QString IsSatiriModeli::hucreMetni(const Depo &d, const Satir &s, int sutun) const
{
    switch (sutun) {
    case Tarihi: return tarihMetni(s.tarih);
    case Saati: return saatMetni(s.saat);
    case Konusu:
        // A warning row tells its mark before the subject, so that the list, the screen
        // reader and the printed list all say it.
        if (s.gunOnce > 0)
            return QStringLiteral("(") + isaret(s) + QStringLiteral(") ") + QString::fromUtf8(alan(d, s, KonuAlani));
        return QString::fromUtf8(alan(d, s, KonuAlani));
    case Yeri: return QString::fromUtf8(alan(d, s, YerAlani));
    case Sayisi: return QString::fromUtf8(alan(d, s, SayiAlani));
    case Aciklama: return QString::fromUtf8(alan(d, s, AciklamaAlani));
    case IsNoSutunu: return QString::number(s.isNo);
    default: return {};
    }
}

QString IsSatiriModeli::isaret(const Satir &s) const
{
    if (s.gunOnce == 0 || s.tarih == Ham::TarihYok)
        return {};
    // The days really left: a warning that comes late (the program was not running) says so.
    const qint64 kalan = qint64(s.tarih) - m_bugun;
    if (kalan <= 0)
        return QStringLiteral("Bugün");
    return QString::number(kalan) + QStringLiteral(" gün kaldı");
}

QString IsSatiriModeli::isaret(int satir) const
{
    return isaret(m_d.satirlar.at(size_t(satir)));
}

QString IsSatiriModeli::hucreMetni(int satir, int sutun) const
{
    return hucreMetni(m_d, m_d.satirlar.at(size_t(satir)), sutun);
}

QColor IsSatiriModeli::tarihRengi(const QDate &tarih, const QDate &bugun)
{
    const Renk r = !tarih.isValid() ? Siyah : tarih < bugun ? Gecmis : tarih > bugun ? Gelecek : Bugun;
    return renkDegeri(r);
}

QColor IsSatiriModeli::renkDegeri(Renk r)
{
    // The date colours against the lists' background, made readable on a dark palette;
    // worked out again only when the palette changes.
    static QRgb zemin = 0;
    static QColor renkler[4];
    const QColor taban = QGuiApplication::palette().color(QPalette::Base);
    if (!renkler[0].isValid() || taban.rgb() != zemin) {
        zemin = taban.rgb();
        const QColor tasarim[4] = {QColor(Qt::black), QColor(150, 40, 40), QColor(10, 140, 10), QColor(40, 40, 150)};
        for (int i = 0; i < 4; ++i)
            renkler[i] = Renkler::okunur(tasarim[i], taban);
    }
    return renkler[r];
}

void IsSatiriModeli::tarihleSirala(bool azalan)
{
    m_surekliSutun = -1;
    m_tarihAzalan = azalan;
    Q_EMIT layoutAboutToBeChanged();
    std::stable_sort(m_d.satirlar.begin(), m_d.satirlar.end(), [azalan](const Satir &a, const Satir &b) {
        return azalan ? b.tarih < a.tarih : a.tarih < b.tarih;
    });
    Q_EMIT layoutChanged();
}

void IsSatiriModeli::metinleSirala(int sutun, bool azalan)
{
    m_surekliSutun = sutun;
    m_surekliAzalan = azalan;
    Q_EMIT layoutAboutToBeChanged();
    metinSirala(m_d);
    Q_EMIT layoutChanged();
}

void IsSatiriModeli::metinSirala(Depo &d) const
{
    // The cells' texts in Turkish order, without regard to case; each text's sort key
    // is made once, for the time of the sort.
    std::vector<Satir> &satirlar = d.satirlar;
    QCollator c(QLocale(QLocale::Turkish, QLocale::Turkey));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> anahtarlar;
    anahtarlar.reserve(satirlar.size());
    for (const Satir &s : satirlar)
        anahtarlar.push_back(c.sortKey(hucreMetni(d, s, m_surekliSutun)));
    std::vector<quint32> sira(satirlar.size());
    std::iota(sira.begin(), sira.end(), 0u);
    const bool azalan = m_surekliAzalan;
    std::stable_sort(sira.begin(), sira.end(), [&](quint32 a, quint32 b) {
        const int k = anahtarlar[a].compare(anahtarlar[b]);
        return azalan ? k > 0 : k < 0;
    });
    std::vector<Satir> sirali;
    sirali.reserve(satirlar.size());
    for (quint32 i : sira)
        sirali.push_back(satirlar[i]);
    satirlar.swap(sirali);
}

int IsSatiriModeli::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_d.satirlar.size());
}

int IsSatiriModeli::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : SutunSayisi;
}

QVariant IsSatiriModeli::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_d.satirlar.size()))
        return {};
    const Satir &s = m_d.satirlar[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        // One text line per row: a cell shows its line breaks and tabs as spaces.
        return TekSatir(hucreMetni(m_d, s, index.column()));
    case Qt::ToolTipRole: {
        if (index.column() != Aciklama)
            return {};
        // A long description's tooltip is its beginning, not a screenful of text.
        constexpr qsizetype IpucuSiniri = 400;
        const QString metin = hucreMetni(m_d, s, index.column());
        if (metin.size() <= IpucuSiniri)
            return metin;
        qsizetype n = IpucuSiniri;
        if (metin.at(n - 1).isHighSurrogate())
            --n;
        return metin.left(n) + QChar(0x2026);
    }
    case Qt::DecorationRole:
        if (index.column() == Tarihi)
            return m_simgeler[simge(s)];
        return {};
    case Qt::ForegroundRole:
        if (index.column() == Tarihi) {
            return renkDegeri(renk(s));
        }
        return {};
    case IsNoRolu:
        return s.isNo;
    case AnahtarRolu:
        return m_etiketli ? QString::fromUtf8(m_d.anahtarlar[s.anahtar]) : QString();
    case SimgeRolu:
        return simge(s);
    default:
        return {};
    }
}

QVariant IsSatiriModeli::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const basliklar[] = {u"Tarihi", u"Saati", u"Konusu", u"Yeri",
                                                 u"Sayısı", u"Açıklama", u""};
    return section >= 0 && section < SutunSayisi ? QString::fromUtf16(basliklar[section]) : QString();
}

Qt::ItemFlags IsSatiriModeli::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList IsSatiriModeli::mimeTypes() const
{
    return {IsNoMimeTuru};
}

QMimeData *IsSatiriModeli::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto *m = new QMimeData;
    m->setData(IsNoMimeTuru, QByteArray::number(m_d.satirlar.at(size_t(indexes.first().row())).isNo));
    return m;
}

} // namespace Zelvora

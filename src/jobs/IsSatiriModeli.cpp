#include "jobs/IsSatiriModeli.h"

#include "core/Tarihler.h"
#include "ui/OrtakDenetimler.h"

#include <QCollator>
#include <QLocale>
#include <QMimeData>

#include <algorithm>

namespace Zelvora {

const QString IsSatiriModeli::IsNoMimeTuru = QStringLiteral("application/x-zelvora-isno");

IsSatiriModeli::IsSatiriModeli(QObject *parent) : QAbstractTableModel(parent)
{
    m_simgeler[1] = Simge(QStringLiteral("HATIRLAT"));
    m_simgeler[2] = Simge(QStringLiteral("HATIRLATMA"));
    m_simgeler[3] = Simge(QStringLiteral("YAPILDI"));
}

QList<int> IsSatiriModeli::tasarimGenislikleri()
{
    return {1200, 1200, 1500, 2500, 1000, 3000, 0};
}

void IsSatiriModeli::doldur(std::vector<IsKaydi> isler, const QDate &bugun, bool etiketli)
{
    beginResetModel();
    m_isler = std::move(isler);
    m_bugun = bugun;
    m_etiketli = etiketli;
    m_devralinanRenk.clear();
    QColor onceki(Qt::black);
    for (const IsKaydi &i : m_isler) {
        if (i.tarih.isValid())
            onceki = tarihRengi(i.tarih, bugun);
        else
            m_devralinanRenk.insert(i.isNo, onceki);
    }
    if (m_surekliSutun >= 0)
        metinSirala();
    endResetModel();
}

void IsSatiriModeli::temizle()
{
    if (m_isler.empty())
        return;
    beginResetModel();
    m_isler.clear();
    endResetModel();
}

void IsSatiriModeli::satirSil(int satir)
{
    if (satir < 0 || satir >= int(m_isler.size()))
        return;
    beginRemoveRows({}, satir, satir);
    m_isler.erase(m_isler.begin() + satir);
    endRemoveRows();
}

int IsSatiriModeli::simge(int satir) const
{
    if (m_sabitSimge)
        return m_sabitSimge;
    const IsKaydi &i = m_isler.at(size_t(satir));
    if (i.yapildi && !m_yapildiYoksay)
        return YapildiSimgesi;
    return i.hatirlatma ? HatirlatSimgesi : HatirlatmaSimgesi;
}

int IsSatiriModeli::satirBul(qint64 isNo) const
{
    for (size_t i = 0; i < m_isler.size(); ++i) {
        if (m_isler[i].isNo == isNo)
            return int(i);
    }
    return -1;
}

QString IsSatiriModeli::hucreMetni(const IsKaydi &is, int sutun)
{
    switch (sutun) {
    case Tarihi: return Tarihler::kisaTarih(is.tarih);
    case Saati: return Tarihler::saatMetni(is.saat);
    case Konusu: return is.konu;
    case Yeri: return is.yer;
    case Sayisi: return is.sayi;
    case Aciklama: return is.aciklama;
    case IsNoSutunu: return QString::number(is.isNo);
    default: return {};
    }
}

QString IsSatiriModeli::hucreMetni(int satir, int sutun) const
{
    return hucreMetni(m_isler.at(size_t(satir)), sutun);
}

QColor IsSatiriModeli::tarihRengi(const QDate &tarih, const QDate &bugun)
{
    if (!tarih.isValid())
        return QColor(Qt::black);
    if (tarih < bugun)
        return QColor(150, 40, 40);
    if (tarih > bugun)
        return QColor(10, 140, 10);
    return QColor(40, 40, 150);
}

void IsSatiriModeli::tarihleSirala(bool azalan)
{
    m_surekliSutun = -1;
    Q_EMIT layoutAboutToBeChanged();
    std::stable_sort(m_isler.begin(), m_isler.end(), [azalan](const IsKaydi &a, const IsKaydi &b) {
        return azalan ? b.tarih < a.tarih : a.tarih < b.tarih;
    });
    Q_EMIT layoutChanged();
}

void IsSatiriModeli::metinleSirala(int sutun, bool azalan)
{
    m_surekliSutun = sutun;
    m_surekliAzalan = azalan;
    Q_EMIT layoutAboutToBeChanged();
    metinSirala();
    Q_EMIT layoutChanged();
}

void IsSatiriModeli::metinSirala()
{
    QCollator c(QLocale(QLocale::Turkish, QLocale::Turkey));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    const int sutun = m_surekliSutun;
    const bool azalan = m_surekliAzalan;
    std::stable_sort(m_isler.begin(), m_isler.end(), [&](const IsKaydi &a, const IsKaydi &b) {
        const int k = c.compare(hucreMetni(a, sutun), hucreMetni(b, sutun));
        return azalan ? k > 0 : k < 0;
    });
}

int IsSatiriModeli::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_isler.size());
}

int IsSatiriModeli::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : SutunSayisi;
}

QVariant IsSatiriModeli::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_isler.size()))
        return {};
    const IsKaydi &i = m_isler[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        if (role == Qt::ToolTipRole && index.column() != Aciklama)
            return {};
        return hucreMetni(i, index.column());
    case Qt::DecorationRole:
        if (index.column() == Tarihi)
            return m_simgeler[simge(index.row())];
        return {};
    case Qt::ForegroundRole:
        if (index.column() == Tarihi)
            return i.tarih.isValid() ? tarihRengi(i.tarih, m_bugun) : m_devralinanRenk.value(i.isNo, QColor(Qt::black));
        return {};
    case IsNoRolu:
        return i.isNo;
    case AnahtarRolu:
        return m_etiketli ? i.anahtari : QString();
    case SimgeRolu:
        return simge(index.row());
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
    m->setData(IsNoMimeTuru, QByteArray::number(m_isler.at(size_t(indexes.first().row())).isNo));
    return m;
}

} // namespace Zelvora

#pragma once
// The job row shared by every job list: date, time, subject, place, number,
// description and the hidden job number, with the state icon and the date colour.

#include "core/Veritabani.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QDate>
#include <QHash>
#include <QIcon>

#include <vector>

namespace Zelvora {

class IsSatiriModeli : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Sutun { Tarihi, Saati, Konusu, Yeri, Sayisi, Aciklama, IsNoSutunu, SutunSayisi };
    // Row state as its small icon tells it.
    enum SimgeNo { HatirlatSimgesi = 1, HatirlatmaSimgesi = 2, YapildiSimgesi = 3 };
    enum Rol { IsNoRolu = Qt::UserRole + 1, AnahtarRolu, SimgeRolu };

    explicit IsSatiriModeli(QObject *parent = nullptr);

    // The design widths of the columns, in twips.
    static QList<int> tasarimGenislikleri();

    // Replaces all rows. When etiketli, each row keeps its folder key as its tag.
    void doldur(std::vector<IsKaydi> isler, const QDate &bugun, bool etiketli);
    // Sets every row's icon to the given one (the reminder window shows icon 1 only).
    void sabitSimge(int simge) { m_sabitSimge = simge; }
    // The icon tells the reminder flag only, done or not (the job list window's full list).
    void yapildiyiYoksay(bool yoksay) { m_yapildiYoksay = yoksay; }
    void temizle();
    void satirSil(int satir);
    const IsKaydi &is(int satir) const { return m_isler.at(size_t(satir)); }
    int simge(int satir) const;
    // The row holding job isNo, -1 when none.
    int satirBul(qint64 isNo) const;
    // The text of a cell as the list shows it.
    QString hucreMetni(int satir, int sutun) const;
    static QString hucreMetni(const IsKaydi &is, int sutun);
    static QColor tarihRengi(const QDate &tarih, const QDate &bugun);

    // Sorting: the date column once by date value; a text column keeps its order for
    // rows filled later (surekli).
    void tarihleSirala(bool azalan);
    void metinleSirala(int sutun, bool azalan);
    void siralamayiKapat() { m_surekliSutun = -1; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction | Qt::MoveAction; }

    static const QString IsNoMimeTuru;

private:
    void metinSirala();
    std::vector<IsKaydi> m_isler;
    QDate m_bugun;
    bool m_etiketli = false;
    int m_sabitSimge = 0;
    bool m_yapildiYoksay = false;
    int m_surekliSutun = -1;
    bool m_surekliAzalan = false;
    QIcon m_simgeler[4];
    // Rows without a date keep the colour of the row filled before them (black for the
    // first), by job number, so sorting and deleting do not change it.
    QHash<qint64, QColor> m_devralinanRenk;
};

} // namespace Zelvora

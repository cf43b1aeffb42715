#pragma once
// The job row shared by every job list: date, time, subject, place, number,
// description and the hidden job number, with the state icon and the date colour.

#include "core/Veritabani.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QSet>
#include <QColor>
#include <QDate>
#include <QIcon>

#include <functional>
#include <string_view>
#include <unordered_map>
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
    // Replaces all rows with those a listing hands over: okuyucu runs the listing with
    // the receiver it is given, which stores each row as it comes. When the listing
    // fails, the rows read before stay and the failure is passed on.
    using Okuyucu = std::function<void(const Veritabani::IsSatiriAlici &)>;
    void doldur(const Okuyucu &okuyucu, const QDate &bugun, bool etiketli);
    // Sets every row's icon to the given one (the reminder window shows icon 1 only).
    void sabitSimge(int simge) { m_sabitSimge = simge; }
    // The icon tells the reminder flag only, done or not (the job list window's full list).
    void yapildiyiYoksay(bool yoksay) { m_yapildiYoksay = yoksay; }
    void temizle();
    void satirSil(int satir);
    // Puts the jobs read again in place, row by row: each job of degisenler that
    // okunanlar holds and gosterilir accepts is changed where it is (or moved where the
    // list's order puts it), or added at its place in that order; the other jobs of
    // degisenler leave the list. The view keeps its selection on the rows that stay.
    void satirlariYenile(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler,
                         const std::function<bool(const IsKaydi &)> &gosterilir);
    // The order rows are added in: by date, then job number (the main list) or by date,
    // time and job number (the job list window), unless the user sorted by a text column.
    void saatleSirala(bool saatle) { m_saatleSirali = saatle; }
    // The job of a row, made from its compact form.
    IsKaydi is(int satir) const;
    qint64 isNo(int satir) const { return m_d.satirlar.at(size_t(satir)).isNo; }
    int simge(int satir) const;
    // The advance warning a reminder row stands for (days before), 0 for the job's own.
    int gunOnce(int satir) const { return m_d.satirlar.at(size_t(satir)).gunOnce; }
    // A warning row's mark: the days left to the job's date ("3 gün kaldı"); empty for
    // any other row.
    QString isaret(int satir) const;
    // The row holding job isNo, -1 when none.
    int satirBul(qint64 isNo) const;
    // The text of a cell as the list shows it.
    QString hucreMetni(int satir, int sutun) const;
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

Q_SIGNALS:
    // The rows were replaced by a fill (emitted once per fill, also for an empty one).
    void dolduruldu();

private:
    // One row in 32 bytes: date and time as numbers, the folder key as the number of a
    // key stored once, the texts as UTF-8 in one buffer shared by all rows. Display
    // strings are made when the view asks for them.
    struct Satir {
        qint64 isNo;
        qint32 tarih;    // Julian day; Veritabani::HamIsSatiri::TarihYok when none
        qint32 saat;     // seconds since midnight; -1 when none
        quint32 metin;   // where the row's texts begin in Depo::metinler
        quint32 anahtar; // index in Depo::anahtarlar
        quint8 bayrak;   // the flags below
        quint16 gunOnce; // a reminder row's advance warning, 0 for the job's own
    };
    enum Bayrak : quint8 { Hatirlatma = 1, Yapildi = 2, RenkKaydir = 2, RenkMaskesi = 3 << RenkKaydir };
    enum Renk : quint8 { Siyah, Gecmis, Gelecek, Bugun };
    // The texts of a row, in this order.
    enum Alan { KonuAlani, YerAlani, SayiAlani, AciklamaAlani };

    // The rows of a list and what they refer to.
    struct Depo {
        std::vector<Satir> satirlar;
        std::vector<char> metinler; // each row: subject, place, number, description, each as length + UTF-8
        std::vector<QByteArray> anahtarlar;
        std::unordered_map<std::string_view, quint32> anahtarNo; // views into anahtarlar
        Renk oncekiRenk = Siyah; // of the row filled last, for a following row without a date
    };

    Satir satirYap(Depo &d, const Veritabani::HamIsSatiri &s) const;
    void satirEkle(Depo &d, const Veritabani::HamIsSatiri &s) const;
    // a comes before b in the list's order.
    bool once(const Satir &a, const Satir &b) const;
    void yerlestir(Depo &yeni);
    static QByteArrayView alan(const Depo &d, const Satir &s, int hangi);
    QString hucreMetni(const Depo &d, const Satir &s, int sutun) const;
    QString isaret(const Satir &s) const;
    int simge(const Satir &s) const;
    Renk renk(const Satir &s) const;
    static QColor renkDegeri(Renk r);
    void metinSirala(Depo &d) const;

    Depo m_d;
    qint32 m_bugun = 0;        // Julian day
    bool m_etiketli = false;
    int m_sabitSimge = 0;
    bool m_yapildiYoksay = false;
    int m_surekliSutun = -1;
    bool m_surekliAzalan = false;
    bool m_tarihAzalan = false; // the user sorted the dates from the latest
    bool m_saatleSirali = false;
    QCollator m_siralayici;
    QIcon m_simgeler[4];
};

} // namespace Zelvora

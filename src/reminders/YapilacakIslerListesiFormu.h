#pragma once
// "Yapılacak İşleri Listele": the modal report window that lists the jobs of all
// folders by one of five filters (today's open jobs, overdue open jobs, the open jobs
// of a date chosen in the calendar, done jobs, all jobs), shows the total in its
// heading and the selected job's description, and prints the list. It never changes
// the database.

#include "core/Veritabani.h"

#include <QDialog>
#include <QSet>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace Zelvora {

class IsListesi;

class YapilacakIslerListesiFormu : public QDialog {
    Q_OBJECT
public:
    explicit YapilacakIslerListesiFormu(QWidget *parent = nullptr);

    // The column widths of this window's list, in twips.
    static QList<int> tasarimGenislikleri();

    // Fills the list: 0 open jobs of the date, 1 open jobs before it, 2 done jobs, 3 all jobs.
    // False when the jobs could not be read (the error has been reported).
    bool IsListesiniDoldur(const QDate &tarih, Veritabani::ListeKipi kip);

    // Other desks changed these jobs: those read again (okunanlar; a job not among them is
    // gone) take their places in the list shown, row by row, and the total follows.
    void baskaMasaDegisti(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler);
    // The list shown read again whole (after a burst of changes too large for rows).
    void yenidenListele();

    // Handlers, public so that the window can be driven as the user would.
    void BugunYapilacakIsleriListeleDugmesi_Click();
    void GunuGecenIsleriListeleDugmesi_Click();
    void SecilenTarihtekiIsleriListeleDugmesi_Click();
    void YapilmisIsleriListeleDugmesi_Click();
    void TumIsleriListeleDugmesi_Click();
    void YapilacakIslerListesi_ItemClick(int satir);
    void YazdirDugmesi_Click();
    // The list as it stands written to a calendar file.
    void TakvimeAktarDugmesi_Click();
    void KapatDugmesi_Click();

public Q_SLOTS:
    // Every way of closing (Esc, "Kapat (Esc)", the close box) saves the column layout.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    QLabel *Etiket[2] = {};
    IsListesi *YapilacakIslerListesi = nullptr;
    QPlainTextEdit *AciklamaKutusu = nullptr;
    QPushButton *BugunYapilacakIsleriListeleDugmesi = nullptr;
    QPushButton *GunuGecenIsleriListeleDugmesi = nullptr;
    QPushButton *SecilenTarihtekiIsleriListeleDugmesi = nullptr;
    QPushButton *YapilmisIsleriListeleDugmesi = nullptr;
    QPushButton *TumIsleriListeleDugmesi = nullptr;
    QPushButton *YazdirDugmesi = nullptr;
    QPushButton *TakvimeAktarDugmesi = nullptr;
    QPushButton *KapatDugmesi = nullptr;

    void denetimleriKur();
    void aciklamayiGoster();
    // After a fill: the empty message and the plain heading, or the heading with the total.
    void sonucuGoster(bool okundu, const QString &bosMesaj, const QString &baslik);
    void baslikAyarla(const QString &metin);
    // What the list shows: its kind, its date and its heading (empty before a listing).
    Veritabani::ListeKipi m_kip = Veritabani::ListeKipi::Tumu;
    QDate m_tarih;
    QString m_baslik;
};

} // namespace Zelvora

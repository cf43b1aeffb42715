#pragma once
// "Hatırlatılacak İşler": the modal window the reminder scan fills with the due jobs.
// It plays the alarm and lets the user settle each job: done, postponed by
// 15 minutes, or no longer reminded; a job can also be changed in the job editor.

#include "core/Veritabani.h"

#include <QDate>
#include <QDateTime>
#include <QDialog>
#include <QSet>

#include <functional>

#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace Zelvora {

class AnaPencere;
class IsListesi;

class HatirlatmaFormu : public QDialog {
    Q_OBJECT
public:
    // ana: the main window, whose job list is re-read after a job was settled or changed.
    explicit HatirlatmaFormu(AnaPencere *ana, QWidget *parent = nullptr);

    // Replaces the rows with the given due jobs and selects the first one.
    void isleriDoldur(std::vector<IsKaydi> isler, const QDate &bugun);
    // Rebuilds the rows from the database: the jobs due at the clock's current minute,
    // with the earlier days' jobs after the reminder horizon.
    void listele();
    // The moment the last listing covered (core/Ufuk.h), and whether its query ran: when
    // the window closes with no row left, every reminder due up to that moment has been
    // dealt with.
    const QDateTime &taramaAni() const { return m_taramaAni; }
    bool taramaTamam() const { return m_taramaTamam; }
    // The heading with the number of listed jobs.
    static QString baslikMetni(int isSayisi);
    // The column widths of this window's list, in twips.
    static QList<int> tasarimGenislikleri();

    // Handlers, public so that the window can be driven as the user would.
    void YapilacakIslerListesi_ItemClick(int satir);
    void IsSonucuSecenekleri_Click(int indeks);
    void OnaylaDugmesi_Click();
    void DegisiklikYapDugmesi_Click();
    void HerZamanUstteOlsunOnayi_Click();
    void SesliUyariVermeyiDurdurOnayi_Click();
    void YazdirDugmesi_Click();
    void KapatDugmesi_Click();

    // Index of the outcome chosen last, -1 before the first choice.
    int isSonucu() const { return m_isSonucu; }
    qint64 seciliIsNo() const { return m_seciliIsNo; }

    // The number of due jobs listed.
    int satirSayisi() const;
    // Drops the rows whose jobs were settled elsewhere meanwhile (another desk marked them
    // done, postponed them, stopped their reminders or deleted them); with no row left the
    // window closes. Run at each scan while the window is up.
    void baskaYerdeSonuclananlariCikar();
    // The same for the rows of jobs other desks changed (degisenler), as read again
    // (okunanlar; a job not among them is gone): no statement of its own.
    void baskaMasaDegisti(const std::vector<IsKaydi> &okunanlar, const QSet<qint64> &degisenler);
    // The listed jobs, in the list's order.
    QList<IsKaydi> listelenenIsler() const;
    // Settles the listed ones of these jobs with an outcome (the options' index) as
    // "Onayla" does for each row; the option the user chose stays chosen.
    void isleriSonuclandir(const QList<qint64> &isNolari, int sonuc);

Q_SIGNALS:
    // A job's outcome was stored and its row removed.
    void isSonuclandi();

public Q_SLOTS:
    // Every way of closing (Esc, the close box, "Kapat (Esc)", the last row settled)
    // comes through here.
    void reject() override;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void denetimleriKur();
    // Runs whenever the window comes (back) to the front: first display, return from
    // the editor.
    void etkinlesti();
    void aciklamayiGoster();
    void enUstteUygula(bool enUstte);
    // The closing steps; false when the user wants the window to stay.
    bool kapanabilir();
    void anaListeyiYenile();
    // Drops the rows whose job oku tells settled: oku gives the job as it is now (isNo 0
    // when gone) and returns false for a row it does not know about (left as it is), or
    // throws when the database cannot be read (every row stays).
    void sonuclananlariCikar(const std::function<bool(qint64, IsKaydi &)> &oku);

    // Controls.
    QLabel *SimgeKutusu = nullptr;
    QLabel *Etiket[2] = {};
    IsListesi *YapilacakIslerListesi = nullptr;
    QPlainTextEdit *AciklamaKutusu = nullptr;
    QFrame *Cerceve = nullptr;
    QWidget *Altlik = nullptr;
    QRadioButton *IsSonucuSecenekleri[3] = {};
    QCheckBox *HerZamanUstteOlsunOnayi = nullptr;
    QCheckBox *SesliUyariVermeyiDurdurOnayi = nullptr;
    QPushButton *OnaylaDugmesi = nullptr;
    QPushButton *DegisiklikYapDugmesi = nullptr;
    QPushButton *YazdirDugmesi = nullptr;
    QPushButton *KapatDugmesi = nullptr;

    AnaPencere *m_ana;
    int m_isSonucu = -1;
    QDateTime m_taramaAni;
    bool m_taramaTamam = false;
    qint64 m_seciliIsNo = 0;
};

} // namespace Zelvora

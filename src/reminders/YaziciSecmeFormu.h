#pragma once
// "Yazıcı Seç": the small window every print command shows first. It lists the
// installed printers with the port of the selected one and starts on the printer in
// use; "Tamam" makes the chosen one the program's printer for this run, "İptal (Esc)"
// cancels the print command, and the close box prints on the unchanged printer.
// "PDF dosyasına kaydet" asks for a file and ends the window with the report going there.

#include "core/Arayuzler.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Zelvora {

class YaziciSecmeFormu : public QDialog {
    Q_OBJECT
public:
    explicit YaziciSecmeFormu(QWidget *parent = nullptr);

    // Handlers, public so that the window can be driven as the user would.
    void YaziciAdlariKutusu_Click();
    void TamamDugmesi_Click();
    void IptalDugmesi_Click();
    void PdfDosyasinaKaydetDugmesi_Click();

    // The file offered first by "PDF dosyasına kaydet" (a full path).
    void pdfOnerisiAyarla(const QString &yol) { m_pdfOnerisi = yol; }
    // The PDF file chosen; empty when the report goes to a printer or nowhere.
    QString pdfDosyasi() const { return m_pdfDosyasi; }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    QGroupBox *Cerceve = nullptr;
    QWidget *Altlik = nullptr;
    QLabel *Etiket[2] = {};
    QComboBox *YaziciAdlariKutusu = nullptr;
    QLineEdit *BaglantiNoktasiKutusu = nullptr;
    QPushButton *TamamDugmesi = nullptr;
    QPushButton *IptalDugmesi = nullptr;
    QPushButton *PdfDosyasinaKaydetDugmesi = nullptr;

    void denetimleriKur();
    void doldur();
    void yerlestir();
    // The printer behind the selected entry, by its index in the system's list.
    const YaziciKaydi *seciliYazici() const;

    QList<YaziciKaydi> m_yazicilar;
    QString m_pdfOnerisi;
    QString m_pdfDosyasi;
};

// Asks for the PDF file a report is saved into, starting on onerilen; ".pdf" is added to
// a name without it. Empty when the user cancelled.
QString pdfDosyasiSor(const QString &onerilen);

} // namespace Zelvora

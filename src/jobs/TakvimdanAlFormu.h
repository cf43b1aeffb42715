#pragma once
// "Takvim Dosyasından Al": the preview of a calendar file's import. It shows how many jobs
// the file holds, the first of them as job rows, what will be cut to the editor's field
// limits, how many are in the database already and will be skipped, and, for recurring
// items, the range of dates they are expanded over; "Al" stores the rest in the folder
// chosen, all in one transaction, or none.

#include "core/TakvimDosyasi.h"

#include <QByteArray>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;

namespace Zelvora {

class IsListesi;

class TakvimdanAlFormu : public QDialog {
    Q_OBJECT
public:
    // veri: the file's contents, already found to be a calendar file; yinelenen: it holds
    // recurring items (the range is asked); anahtar: the folder chosen first.
    TakvimdanAlFormu(const QString &dosya, const QByteArray &veri, bool yinelenen, const QString &anahtar,
                     QWidget *parent = nullptr);

    // The file was read and the window may be shown (otherwise the reason has been told).
    bool hazir() const { return m_hazir; }
    // How many rows the preview shows at most.
    static constexpr int OnizlemeSatiri = 100;

    // Handlers, public so that the window can be driven as the user would.
    void AlDugmesi_Click();
    void IptalDugmesi_Click() { reject(); }
    // Reads the file again over the range of the date boxes.
    void onizlemeyiYenile();

private:
    QLabel *Etiket[5] = {};
    QLabel *DosyaEtiketi = nullptr;
    QComboBox *KlasorKutusu = nullptr;
    QGroupBox *AralikCercevesi = nullptr;
    QDateEdit *BaslangicTarihiKutusu = nullptr;
    QDateEdit *BitisTarihiKutusu = nullptr;
    QLabel *OzetEtiketi = nullptr;
    IsListesi *OnizlemeListesi = nullptr;
    QPushButton *AlDugmesi = nullptr;
    QPushButton *IptalDugmesi = nullptr;

    QByteArray m_veri;
    TakvimDosyasi::OkumaSonucu m_okunan;
    TakvimDosyasi::AlmaPlani m_plan;
    bool m_hazir = false;
};

} // namespace Zelvora

#pragma once
// The printed job report of the main window, the job list window and the reminder
// window: one layout and one flow. What differs between the three is a row of
// the table below; the title is the window's own text.

#include <QString>

class QWidget;

namespace Zelvora {

class IsSatiriModeli;
class SayfaYuzeyi;

enum class RaporPenceresi { AnaPencere, ListePenceresi, HatirlatmaPenceresi };

struct RaporFarki {
    double sayisiSolu;            // left edge of the "Sayısı" column, mm
    double altBosluk;             // bottom margin B, mm
    bool yaziciPenceresiUstte;    // the printer window goes on top when the window asks for it
    bool iptaldeDugmeyeDon;       // after a cancelled choice the print button is enabled and focused
};

// The differences between the three reports.
const RaporFarki &raporFarki(RaporPenceresi pencere);

// Report geometry in millimetres and points.
namespace Rapor {
constexpr double BaslikUst = 10;
constexpr double SutunBasligiUst = 20;
constexpr double SatirUst = 25;
constexpr double SatirAraligi = 1.5;
constexpr double AciklamaGenisligi = 28;
constexpr double TarihSolu = 15;
constexpr double SaatSolu = 35;
constexpr double KonuSolu = 48;
constexpr double YerSolu = 80;
constexpr double AciklamaSolu = 150;
constexpr double SagBosluk = 10; // of the page footer
constexpr double BaslikPuntosu = 12;
constexpr double SutunBasligiPuntosu = 9;
constexpr double SatirPuntosu = 8;
} // namespace Rapor

// Lays the report out on a document: the title on the first page, the column headers
// on every page, one row per job with its description wrapped below it, and
// "Sayfa - N" at the bottom of every page of a report longer than one page.
// Does not end the document.
void raporuCiz(SayfaYuzeyi &sayfa, const QString &baslik, const IsSatiriModeli &satirlar, const RaporFarki &fark);

// The print command: nothing for an empty list; without printers the offer to save it as
// a PDF file; otherwise the printer choice and the report on the chosen printer or in the
// PDF file chosen there.
// yazdirDugmesi gets the focus back after a cancelled choice where the table says so;
// yaziciPenceresiUstte is the window's "always on top" state.
void isListesiniYazdir(RaporPenceresi pencere, const QString &baslik, const IsSatiriModeli &satirlar,
                       QWidget *sahip, QWidget *yazdirDugmesi = nullptr, bool yaziciPenceresiUstte = false);

} // namespace Zelvora

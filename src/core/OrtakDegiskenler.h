#pragma once
// Values shared by the whole program, living as long as the process.

#include <QString>

namespace Zelvora {

namespace OrtakDegiskenler {
inline QString PencereBasligi;       // main window title, single-instance marker, tray tooltip
inline QString ProgramKlasoru;       // the executable's folder, ending in "/"
// The one open job database is Veritabani::acik() (core/Veritabani.h).
inline QString AyarUygulamaAdi;      // "Tavrek\Zelvora"
inline bool NTTabanli = true;
inline bool YaziciVar = false;
inline bool GirisSifresiSorulsun = false;
inline int SesliUyari = 1;           // in-memory "Sesli Uyari Bilgisi"
inline int HatirlatmaEnUstte = 1;    // in-memory "Hatirlatma En Ustte"
inline qint16 SeciliSatir = 0;       // 1-based row position used when the editor closes
inline bool YazdirmaIptalEdildi = false;
inline int SiralamaSutunu = 0;       // column of the last sort of a job list (0-based)
inline int SiralamaYonu = 0;         // 0 ascending, 1 descending
} // namespace OrtakDegiskenler

} // namespace Zelvora

#pragma once
// The calendar-file commands of the menu "Yapılacak İşler": "Takvim Dosyasına Aktar..."
// writes jobs to an iCalendar file the user chooses, "Takvim Dosyasından Al..." reads one
// into a folder after a preview (TakvimdanAlFormu). The main window and the job list
// window call these; every message goes through the message-box seam, every file
// through the file-dialog seam.

#include "core/Veritabani.h"

#include <QString>

#include <vector>

class QWidget;

namespace Zelvora::TakvimKomutlari {

// The jobs the main window shows: of the selected folder (anahtar), or of every folder
// when tumKlasorler is on or a fixed node is selected. With a folder selected the user
// is asked whether that folder's jobs or all jobs go. False when nothing was written.
bool takvimeAktar(const QString &anahtar, bool tumKlasorler);
// The jobs of a list as they are (the job list window's), under the suggested name.
bool isleriAktar(std::vector<IsKaydi> isler, const QString &onerilenAd);
// Asks for a calendar file and opens the preview; the jobs go into the folder the user
// picks there (the selected folder first). True when jobs were stored.
bool takvimdenAl(QWidget *sahip, const QString &anahtar);

} // namespace Zelvora::TakvimKomutlari

#pragma once
// The start-up's daily backup of the database, run on a thread of its own.

#include <QDateTime>

namespace Zelvora::Baslangic {

// The database's date as it was before this start opened it (set by the opening).
QDateTime &acilistakiTarih();
// At most one compacted backup a day, on the first start of a day on which the
// database had not been changed yet (judged by its date before it was opened), and
// again on a later start when the day's backup failed or was cut short. When one is
// due, its read snapshot is taken here, before anything can write, and the backup runs
// on a thread of its own (Yedekleme): the pages are copied at once, the checks and the
// compaction wait for gunlukYedegiSurdur(). A failure is reported with its own message
// (here when the backup cannot begin, on the GUI thread when it ends), the previous
// backup stays and start-up goes on; false only when the program was ended.
bool gunlukYedek();
// The main window is shown: the running backup may go on with its checks.
void gunlukYedegiSurdur();
bool gunlukYedekSuruyor();
// Waits until the running backup has ended and reports its outcome as its end would.
void gunlukYedegiBekle();
// The program ends: a running backup is stopped and waited for. The previous backup
// stays (unless the new one was already in place), nothing temporary is left, nothing is
// reported, and the next start writes the backup again.
void gunlukYedegiBirak();

} // namespace Zelvora::Baslangic

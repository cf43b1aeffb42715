#pragma once
// The program's entry procedure: every start-up step in order, up to the main window.

#include <QStringList>

namespace Zelvora {

class AnaForm;

namespace BaslangicModulu {
// Runs the start-up. Returns the loaded main window, or nullptr when the program
// ends before it (another instance, database missing and not restored, open failed).
// argumanlar: the command-line arguments without the program name.
AnaForm *Main(const QStringList &argumanlar);
} // namespace BaslangicModulu

} // namespace Zelvora

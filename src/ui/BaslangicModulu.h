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
// Loads Qt's own Turkish texts (context menus of text boxes, file and print dialogs).
// Returns false when the translation file is not installed.
bool QtCevirileriniYukle();
// Makes writes past the file-size limit fail with an error the program reports,
// instead of the signal that would end it in the middle of a save.
void DosyaBoyuSiniriSinyaliniYoksay();
} // namespace BaslangicModulu

} // namespace Zelvora

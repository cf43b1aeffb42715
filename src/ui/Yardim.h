#pragma once
// The user's guide: HTML pages opened in the desktop's browser by "İçindekiler" (and F1)
// and "Dizin...". Installed, the guide is in <prefix>/share/doc/zelvora/kilavuz/ beside
// the program's files in <prefix>/share/zelvora/; in the build tree it is the folder
// "kilavuz" beside the executable.

#include <QString>

class QAction;

namespace Zelvora {

class Yardim {
public:
    enum class Sayfa { Icindekiler, Dizin };

    // The guide's folder for the program's own folder (ending in "/"), ending in "/".
    static QString kilavuzKlasoru(const QString &programKlasoru);
    // The page's file, whether it exists or not.
    static QString sayfaDosyasi(Sayfa sayfa, const QString &programKlasoru);
    // Opens the page of the program's guide in the browser; a missing guide or a desktop
    // without a browser is told. Returns whether the browser took the page.
    static bool ac(Sayfa sayfa);

    // "İçindekiler" with F1, and "Dizin...", on the help menu's commands.
    static void bagla(QAction *icindekiler, QAction *dizin);
};

} // namespace Zelvora

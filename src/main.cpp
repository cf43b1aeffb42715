#include "core/Arayuzler.h"
#include "core/KomutSatiri.h"
#include "core/OrtakYordamlar.h"
#include "reminders/SesAlarmi.h"
#include "reminders/SistemYazicilari.h"
#include "ui/AnaForm.h"
#include "ui/BaslangicModulu.h"
#include "ui/MesajKutusuPenceresi.h"
#include "ui/OrtakDenetimler.h"

#include <QApplication>

#include <memory>
#include <optional>

int main(int argc, char **argv)
{
    // --help, --version and the day's jobs answer before any window or display exists.
    if (const std::optional<int> kod = Zelvora::KomutSatiri::calistir(argc, argv))
        return *kod;
    QApplication uygulama(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvora"));
    QApplication::setOrganizationName(QStringLiteral("Tavrek"));
    // The desktop groups the window with the menu entry zelvora.desktop: on X11 by the
    // window's class, which Qt takes from the application name ("Zelvora", the entry's
    // StartupWMClass), on Wayland by this name.
    QApplication::setDesktopFileName(QStringLiteral("zelvora"));
    // Every window, message boxes too, carries the program's icon at all its drawn sizes.
    QApplication::setWindowIcon(Zelvora::Simge(QStringLiteral("ZELVORA")));
    // Closing the main window hides it into the notification area; only "Çıkış" ends.
    QApplication::setQuitOnLastWindowClosed(false);
    Zelvora::BaslangicModulu::DosyaBoyuSiniriSinyaliniYoksay();
    Zelvora::BaslangicModulu::QtCevirileriniYukle();
    Zelvora::KaynaklariHazirla();
    Zelvora::GercekArayuzleriKur();
    Zelvora::Arayuz::alarmKur(std::make_shared<Zelvora::SesAlarmi>());
    Zelvora::Arayuz::yazicilarKur(std::make_shared<Zelvora::SistemYazicilari>());

    QStringList argumanlar = QApplication::arguments();
    argumanlar.removeFirst();
    std::unique_ptr<Zelvora::AnaForm> anaForm(Zelvora::BaslangicModulu::Main(argumanlar));
    if (!anaForm)
        return 0;
    return QApplication::exec();
}

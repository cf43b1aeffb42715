#pragma once
// What the main window offers the other windows: re-listing the selected folder or a
// given one, its tray icon, going to a job, and bringing it up or ending the program.
// The windows hold this interface, never the main window itself.

#include <QDate>
#include <QList>
#include <QString>

class QWidget;

namespace Zelvora {

// A job another window proposes (the duration calculator's deadline): the editor opens
// with these values and stores nothing until the user saves.
struct IsOnerisi {
    QDate tarih;
    QString konu;
    QString aciklama;
    bool hatirlatma = true;
    // Advance warnings: the days before the date on which the job warns as well.
    QList<int> onGunler;
};

class AnaPencere {
public:
    virtual ~AnaPencere();

    // The main window of the process, nullptr before it is built. For the windows that
    // are opened without it as their owner (the preferences from the tray, the login prompt).
    static AnaPencere *etkin();

    // The window itself, the owner of the dialogs opened over it.
    virtual QWidget *pencere() = 0;
    // Re-lists the folder selected in the tree and writes the status text
    // (the node-click reaction on the selected node).
    virtual void seciliKlasoruListele() = 0;
    // Fills the job list for a folder key (empty: all folders).
    virtual void IsleriListele(const QString &anahtar) = 0;
    // Selects the job list's row at a 1-based position, when the list has rows.
    virtual void satiriSec(int konum) = 0;
    // Selects a job's folder and lists it, then selects the job's row.
    virtual void isiGoster(const QString &anahtar, qint64 isNo) = 0;
    // Opens the job editor in add mode for the selected folder with these values; when a
    // fixed node is selected the user is asked for the folder.
    virtual void isEkle(const IsOnerisi &oneri) = 0;
    virtual void BildirimAlaninaSimgeEkle() = 0;
    virtual void BildirimAlanindanSimgeyiSil() = 0;
    // The calendar settings may have changed (the preferences' "Tamam"): the calendar is
    // published with them from now on.
    virtual void takvimAyarlariDegisti() {}
    // "Göster": the window up, normal and in front.
    virtual void Goster() = 0;
    // "Çıkış": ends the program without the question.
    virtual void Cikis() = 0;

protected:
    AnaPencere();
    AnaPencere(const AnaPencere &) = delete;
    AnaPencere &operator=(const AnaPencere &) = delete;
};

} // namespace Zelvora

#pragma once
// The reminder scan: every 32 seconds the jobs due now are listed in the reminder
// window, which is then shown modally over the main window until the user is done
// with it. It owns its timer and the reminder window.

#include <QObject>
#include <QPointer>

class QTimer;
class QWidget;

namespace Zelvora {

class AnaPencere;
class HatirlatmaFormu;
class MasaustuBildirimi;
class UykuIzleyicisi;

class HatirlatmaTaramasi : public QObject {
    Q_OBJECT
public:
    // The first scan comes a few seconds after loading, not a full period later, so that
    // reminders missed while the program was closed come up at once.
    static constexpr int IlkTaramaGecikmesiMs = 3000;
    static constexpr int TaramaAraligiMs = 32000;

    // ana: the main window, owner of the reminder window and keeper of the tray icon.
    explicit HatirlatmaTaramasi(AnaPencere *ana, QObject *parent = nullptr);

    // Arms the timer for the first scan.
    void baslat();
    // A scan now rather than at the next tick (after the machine woke up, or the office
    // server came back), once scanning has begun.
    void hemenTara();
    // The tick of the timer.
    void YapilacakIsKontrolu_Timer();
    // Rebuilds the reminder window's list from the database (creating the window unseen).
    void HatirlatilacakIsleriListele();
    // The reminder window, created on first access.
    HatirlatmaFormu *hatirlatmaFormu();
    bool hatirlatmaFormuVar() const;
    // The desktop notification that goes with the reminder window.
    MasaustuBildirimi *masaustuBildirimi() const { return m_bildirim; }

    // What the notification asks: an outcome for the jobs it names, or the window.
    void bildirimSonucu(int sonuc, const QList<qint64> &isNolari);
    void pencereyiOneGetir();

private:
    AnaPencere *m_ana;
    QTimer *m_zamanlayici;
    MasaustuBildirimi *m_bildirim;
    UykuIzleyicisi *m_uyku;
    bool m_basladi = false;
    QPointer<HatirlatmaFormu> m_hatirlatmaFormu;
};

} // namespace Zelvora

#pragma once
// The calendar's publisher as the main window shows it: a button in the status bar that
// says when the calendar was last brought up to date, or what failed, and opens the log
// window; the password asked once a run when the keyring holds none. The main window
// builds it, puts its button in the status bar and tells it of changes; it never shows a
// message box.

#include <QObject>
#include <QPointer>

class QToolButton;
class QWidget;

namespace Zelvora {

class TakvimGunluguFormu;
class TakvimYayini;

class TakvimIzleme : public QObject {
    Q_OBJECT
public:
    // ana: the main window, owner of the windows opened from here.
    explicit TakvimIzleme(QWidget *ana, QObject *parent = nullptr);
    ~TakvimIzleme() override;

    // "TakvimDurumu", hidden while nothing is published.
    QToolButton *durumDugmesi() const { return m_dugme; }
    TakvimYayini *yayin() const { return m_yayin; }
    // The settings may have changed (the preferences' "Tamam").
    void ayarlarDegisti();
    // Another desk changed jobs or folders on the office server.
    void baskaMasaDegistirdi();
    // "Takvim Günlüğü", modeless.
    void gunluguAc();
    TakvimGunluguFormu *gunlukFormu() const;

private:
    void durumuGoster();
    void parolaSor(const QString &adres, const QString &kullanici);

    QWidget *m_ana;
    TakvimYayini *m_yayin;
    QToolButton *m_dugme;
    QPointer<TakvimGunluguFormu> m_gunluk;
};

} // namespace Zelvora

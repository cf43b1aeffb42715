#pragma once
// The office server's connection, watched for the main window: a connection lost while
// the desk is idle is noticed, made again in the background (an attempt at most every
// 2 s, none of them waiting), and said in the status bar meanwhile. When it is back the
// main window reminds what came due, with nobody at the desk (its list and tree follow as
// after any other desk's change: after a return everything counts as changed).

#include <QObject>

class QLabel;
class QTimer;
class QWidget;

namespace Zelvora {

class SunucuIzleme : public QObject {
    Q_OBJECT
public:
    static constexpr int BagliykenAralikMs = 500;  // looking at an idle connection
    static constexpr int KopukkenAralikMs = 200;   // steps of the reconnection

    // durumUstu: the status bar that holds the label.
    SunucuIzleme(QWidget *durumUstu, QObject *parent = nullptr);

    // The status bar's label for the server ("SunucuDurumu"); empty while it is reachable.
    QLabel *durumEtiketi() const { return m_etiket; }

Q_SIGNALS:
    // The connection is back: the scan should run now.
    void geriGeldi();

private:
    void denetle();
    void durumuYaz(bool bagli);

    QLabel *m_etiket;
    QTimer *m_zamanlayici;
    bool m_bagliydi = true;
};

} // namespace Zelvora

#pragma once
// A label that is a link: hand pointer, underlined while the mouse is over it, opens
// its target with the desktop's browser or mail program on a click. The windows that
// hold links put them into a BaglantiGrubu, so that only one is underlined at a time
// and none while the mouse is over the window's background.

#include <QLabel>
#include <QList>
#include <QUrl>

namespace Zelvora {

class BaglantiEtiketi : public QLabel {
    Q_OBJECT
public:
    BaglantiEtiketi(const QString &metin, const QUrl &hedef, const QColor &renk, QWidget *parent = nullptr);

    QUrl hedef() const { return m_hedef; }
    bool altiCizili() const { return font().underline(); }
    void altiniCiz(bool cizili);
    // Opens the target; a missing browser or mail program is not reported.
    void ac();

Q_SIGNALS:
    // The mouse came over the label and underlined it.
    void altiCizildi();

protected:
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    QUrl m_hedef;
};

// The links of one window over their background panel.
class BaglantiGrubu : public QObject {
    Q_OBJECT
public:
    BaglantiGrubu(QWidget *altlik, const QList<BaglantiEtiketi *> &baglantilar);

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;

private:
    QList<BaglantiEtiketi *> m_baglantilar;
};

} // namespace Zelvora

#pragma once
// A label that is a link: hand pointer, underlined while the pointer is over it, opens
// its target with the desktop's browser or mail program on a click. The underline
// follows the pointer's entering and leaving the label itself, so it goes whatever
// widget the pointer moves onto, and only the link under the pointer is underlined.

#include <QLabel>
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

protected:
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    QUrl m_hedef;
};

} // namespace Zelvora

#pragma once
// The splash picture shown while the program starts; a click closes it.

#include <QWidget>

namespace Zelvora {

class KarsilamaFormu : public QWidget {
    Q_OBJECT
public:
    explicit KarsilamaFormu(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    QPixmap m_resim;
};

} // namespace Zelvora

#include "ui/KarsilamaFormu.h"

#include "ui/OrtakDenetimler.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace Zelvora {

KarsilamaFormu::KarsilamaFormu(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_resim(Resim(QStringLiteral("KARSILAMA")))
{
    setObjectName(QStringLiteral("KarsilamaFormu"));
    setAttribute(Qt::WA_DeleteOnClose);
    // 8200 x 5400 twips: the picture's own size.
    setFixedSize(piksel(8200), piksel(5400));
    if (QScreen *ekran = QGuiApplication::primaryScreen())
        move(ekran->geometry().center() - rect().center());
}

void KarsilamaFormu::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_resim);
}

void KarsilamaFormu::mousePressEvent(QMouseEvent *)
{
    close();
}

} // namespace Zelvora

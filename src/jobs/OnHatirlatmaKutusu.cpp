#include "jobs/OnHatirlatmaKutusu.h"

#include "core/Veritabani.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace Zelvora {

OnHatirlatmaKutusu::OnHatirlatmaKutusu(QWidget *parent) : QLineEdit(parent)
{
    // Only figures, commas and blanks can be typed; the text is put in order when left.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9, ]*")), this));
    setMaxLength(40);
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (const auto g = gunler(); g && metin(*g) != text())
            gunleriYaz(*g);
    });
}

QString OnHatirlatmaKutusu::metin(const QList<int> &gunler)
{
    QStringList parcalar;
    for (int g : Veritabani::gunleriDuzenle(gunler))
        parcalar << QString::number(g);
    return parcalar.join(QStringLiteral(", "));
}

std::optional<QList<int>> OnHatirlatmaKutusu::coz(const QString &metin)
{
    QList<int> gunler;
    for (const QString &p : metin.split(QRegularExpression(QStringLiteral("[, ]+")), Qt::SkipEmptyParts)) {
        bool tamam = false;
        const int g = p.toInt(&tamam);
        if (!tamam || g < 1 || g > Veritabani::EnFazlaGunOnce)
            return std::nullopt;
        gunler << g;
    }
    return Veritabani::gunleriDuzenle(gunler);
}

} // namespace Zelvora

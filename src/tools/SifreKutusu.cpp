#include "tools/SifreKutusu.h"

#include "core/GirisSifresi.h"
#include "ui/OrtakDenetimler.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace Zelvora {
namespace {

class SecerekOdaklan : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override
    {
        if (olay->type() == QEvent::FocusIn) {
            const auto neden = static_cast<QFocusEvent *>(olay)->reason();
            if (neden != Qt::ActiveWindowFocusReason && neden != Qt::PopupFocusReason)
                MetniSec(static_cast<QLineEdit *>(nesne));
        }
        return false;
    }
};

} // namespace

void SifreKutusuHazirla(QLineEdit *kutu)
{
    kutu->setEchoMode(QLineEdit::Password);
    kutu->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }")); // "*"
    kutu->setMaxLength(GirisSifresi::EnUzun);
    kutu->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), kutu));
    kutu->installEventFilter(new SecerekOdaklan(kutu));
}

} // namespace Zelvora

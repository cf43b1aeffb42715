#include "ui/DosyaSecimPenceresi.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

namespace Zelvora {

QString DosyaSecimPenceresi::kaydedilecekDosya(const QString &baslik, const QString &onerilen, const QString &suzgec)
{
    QWidget *sahip = QApplication::activeModalWidget();
    if (!sahip)
        sahip = QApplication::activeWindow();
    QFileDialog secici(sahip, baslik);
    secici.setObjectName(QStringLiteral("KaydedilecekDosyaSecici"));
    secici.setAcceptMode(QFileDialog::AcceptSave);
    secici.setFileMode(QFileDialog::AnyFile);
    secici.setNameFilter(suzgec);
    // A name typed without its extension gets the filter's one.
    const QString uzanti = QFileInfo(onerilen).suffix();
    if (!uzanti.isEmpty())
        secici.setDefaultSuffix(uzanti);
    secici.setDirectory(QFileInfo(onerilen).absolutePath());
    secici.selectFile(QFileInfo(onerilen).fileName());
    if (secici.exec() != QDialog::Accepted || secici.selectedFiles().isEmpty())
        return {};
    return secici.selectedFiles().constFirst();
}

} // namespace Zelvora

#include "ui/DosyaSecimPenceresi.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

namespace Zelvora {
namespace {
QWidget *sahibi()
{
    QWidget *sahip = QApplication::activeModalWidget();
    return sahip ? sahip : QApplication::activeWindow();
}
} // namespace

QString DosyaSecimPenceresi::acilacakDosya(const QString &baslik, const QString &onerilen, const QString &suzgec)
{
    QFileDialog secici(sahibi(), baslik);
    secici.setObjectName(QStringLiteral("AcilacakDosyaSecici"));
    secici.setAcceptMode(QFileDialog::AcceptOpen);
    secici.setFileMode(QFileDialog::ExistingFile);
    secici.setNameFilter(suzgec);
    secici.setDirectory(QFileInfo(onerilen).absolutePath());
    if (secici.exec() != QDialog::Accepted || secici.selectedFiles().isEmpty())
        return {};
    return secici.selectedFiles().constFirst();
}

QString DosyaSecimPenceresi::kaydedilecekDosya(const QString &baslik, const QString &onerilen, const QString &suzgec)
{
    QFileDialog secici(sahibi(), baslik);
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

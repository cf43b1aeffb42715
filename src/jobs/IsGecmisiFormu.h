#pragma once
// "İşin Geçmişi": the change log of one job on an office server, who changed what and
// when, oldest first; read only.

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace Zelvora {

class IsGecmisiFormu : public QDialog {
    Q_OBJECT
public:
    IsGecmisiFormu(qint64 isNo, QWidget *parent = nullptr);

private:
    QTreeWidget *GecmisListesi = nullptr;
    QPushButton *KapatDugmesi = nullptr;
};

} // namespace Zelvora

#pragma once
// The job editor's list of advance warnings: the days before the job's date on which it
// warns as well, typed as "7, 3, 1" (shown beside the caption "gün önce").

#include <QLineEdit>
#include <QList>

#include <optional>

namespace Zelvora {

class OnHatirlatmaKutusu : public QLineEdit {
    Q_OBJECT
public:
    explicit OnHatirlatmaKutusu(QWidget *parent = nullptr);

    // The days as the box writes them: largest first, separated by ", ".
    static QString metin(const QList<int> &gunler);
    // The days of a text: whole numbers separated by commas or blanks, each from 1 to
    // 365, duplicates once, largest first. Nothing when a number lies outside.
    static std::optional<QList<int>> coz(const QString &metin);

    std::optional<QList<int>> gunler() const { return coz(text()); }
    void gunleriYaz(const QList<int> &gunler) { setText(metin(gunler)); }
};

} // namespace Zelvora

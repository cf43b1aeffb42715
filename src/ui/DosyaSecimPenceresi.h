#pragma once
// The real choice of a file to save into or to read: the toolkit's file dialog over the
// active window, asking before it overwrites a file.

#include "core/Arayuzler.h"

namespace Zelvora {

class DosyaSecimPenceresi : public DosyaSecimi {
public:
    QString kaydedilecekDosya(const QString &baslik, const QString &onerilen, const QString &suzgec) override;
    QString acilacakDosya(const QString &baslik, const QString &onerilen, const QString &suzgec) override;
};

} // namespace Zelvora

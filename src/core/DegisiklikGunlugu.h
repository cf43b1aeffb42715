#pragma once
// The change log of an office server told in words: what one line of the log did to a job
// ("Konu: "a" → "b"") for the job editor's "Geçmiş...".

#include "core/Veritabani.h"

#include <QString>

namespace Zelvora::DegisiklikGunlugu {

// "İş eklendi", "İş silindi", the changed fields of an update with their old and new
// values, or what happened to an advance warning.
QString aciklama(const Veritabani::GecmisKaydi &k);
// "Ekleme", "Değişiklik", "Silme".
QString islemAdi(const QString &islem);

} // namespace Zelvora::DegisiklikGunlugu

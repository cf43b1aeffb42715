#pragma once
// The real message boxes: centred over the active window, Turkish buttons, the
// program's title.

#include "core/Arayuzler.h"

namespace Zelvora {

class MesajKutusuPenceresi : public MesajKutusu {
public:
    MesajCevabi goster(const QString &metin, MesajSimgesi simge, MesajDugmeleri dugmeler, MesajCevabi varsayilan,
                       const QString &baslik) override;
};

// Installs the real message boxes and file dialog for a real run.
void GercekArayuzleriKur();

} // namespace Zelvora

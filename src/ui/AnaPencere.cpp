#include "ui/AnaPencere.h"

namespace Zelvora {

namespace {
AnaPencere *g_etkin = nullptr;
}

AnaPencere::AnaPencere()
{
    g_etkin = this;
}

AnaPencere::~AnaPencere()
{
    if (g_etkin == this)
        g_etkin = nullptr;
}

AnaPencere *AnaPencere::etkin()
{
    return g_etkin;
}

} // namespace Zelvora

// Writes the empty database that is delivered with the program.
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "kullanım: bosveritabani <dosya>\n");
        return 2;
    }
    try {
        Zelvora::Veritabani::bosOlustur(QString::fromLocal8Bit(argv[1]));
    } catch (const Zelvora::Hata &h) {
        std::fprintf(stderr, "%s\n", h.aciklama().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

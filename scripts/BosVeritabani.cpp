// Writes the empty database that is delivered with the program (the template the
// program copies into the user's data folder on a first start).
#include "core/OrtakYordamlar.h"
#include "core/Veritabani.h"

#include <QFile>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "kullanım: bosveritabani <dosya>\n");
        return 2;
    }
    const QString hedef = QString::fromLocal8Bit(argv[1]);
    // Earlier versions used this file as the live database: one that holds folders or
    // jobs is somebody's data, never overwritten (the program takes it over at start).
    if (Zelvora::Veritabani::kayitVarMi(hedef)) {
        std::fprintf(stderr, "bosveritabani: %s holds folders or jobs; left as it is\n", argv[1]);
        return 0;
    }
    try {
        const QString gecici = hedef + QStringLiteral(".yeni");
        QFile::remove(gecici);
        Zelvora::Veritabani::bosOlustur(gecici);
        QFile::remove(hedef);
        if (!QFile::rename(gecici, hedef)) {
            std::fprintf(stderr, "bosveritabani: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const Zelvora::Hata &h) {
        std::fprintf(stderr, "%s\n", h.aciklama().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

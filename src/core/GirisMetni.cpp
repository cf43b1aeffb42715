#include "core/GirisMetni.h"

namespace Zelvora {
namespace {
bool girdilerYerinde = false;
} // namespace

QString KesmeIsaretleriniDegistir(QString metin)
{
    metin.replace(QLatin1Char('\''), QChar(0x2019));
    return metin;
}

qsizetype KarakterSayisi(QStringView metin)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < metin.size(); ++i, ++n) {
        if (metin.at(i).isHighSurrogate() && i + 1 < metin.size() && metin.at(i + 1).isLowSurrogate())
            ++i;
    }
    return n;
}

QString SinirliMetin(const QString &metin, qsizetype enFazla)
{
    QString s = metin;
    s.remove(QChar(0));
    if (enFazla < 0)
        return s;
    qsizetype i = 0;
    for (qsizetype n = 0; i < s.size() && n < enFazla; ++n) {
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            i += 2;
        else
            ++i;
    }
    s.truncate(i);
    return s;
}

GirdilerYerindeKalir::GirdilerYerindeKalir() : m_onceki(girdilerYerinde)
{
    girdilerYerinde = true;
}

GirdilerYerindeKalir::~GirdilerYerindeKalir()
{
    girdilerYerinde = m_onceki;
}

bool GirdilerYerindeKalir::etkin()
{
    return girdilerYerinde;
}

} // namespace Zelvora

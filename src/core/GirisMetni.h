#pragma once
// What the program does to a text the user typed or pasted before it keeps it: the
// apostrophe folding, the length limits counted in characters, and no hidden NULs.

#include <QString>
#include <QStringView>

namespace Zelvora {

// Apostrophes become the right single quotation mark "’" (U+2019), as typed job texts
// are stored; a search text folded the same way finds them.
QString KesmeIsaretleriniDegistir(QString metin);

// The number of characters (code points) of a text: a surrogate pair counts once.
qsizetype KarakterSayisi(QStringView metin);

// A text as a field keeps it: NUL characters removed, then cut to its first enFazla
// characters (code points; a surrogate pair is never split). enFazla < 0: no limit.
QString SinirliMetin(const QString &metin, qsizetype enFazla = -1);

// While one lives, a failed write leaves what the user entered in its window; the
// messages of a locked database, a full disk or a file that cannot be written say so
// only then.
class GirdilerYerindeKalir {
public:
    GirdilerYerindeKalir();
    ~GirdilerYerindeKalir();
    GirdilerYerindeKalir(const GirdilerYerindeKalir &) = delete;
    GirdilerYerindeKalir &operator=(const GirdilerYerindeKalir &) = delete;
    static bool etkin();

private:
    bool m_onceki;
};

} // namespace Zelvora

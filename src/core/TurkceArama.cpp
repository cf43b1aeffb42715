#include "core/Veritabani.h"

#include "core/SqliteDeyim.h"

#include <QChar>

#include <sqlite3.h>

#include <string>

// The search's Turkish way of comparing letters: TurkceIcerir, the SQL function that
// the file's search statements call (the server has a function of the same name).

namespace Zelvora {
namespace {

// One character folded to lower case the Turkish way: I → ı, İ → i.
inline char32_t kucukHarf(char32_t c)
{
    if (c < 0x80)
        return c == 'I' ? char32_t(0x0131) : (c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (c == 0x0130)
        return U'i';
    return QChar::toLower(c);
}

// Reads the character at p and moves p past it. A byte that does not start a whole
// UTF-8 sequence stands for itself, so a damaged text still compares with itself.
inline char32_t karakterOku(const unsigned char *&p, const unsigned char *son)
{
    const unsigned char b = *p;
    if (b < 0x80) {
        ++p;
        return b;
    }
    int ek = 0;
    char32_t c = 0;
    if ((b & 0xE0) == 0xC0) {
        c = b & 0x1F;
        ek = 1;
    } else if ((b & 0xF0) == 0xE0) {
        c = b & 0x0F;
        ek = 2;
    } else if ((b & 0xF8) == 0xF0) {
        c = b & 0x07;
        ek = 3;
    }
    bool tamam = ek > 0 && son - p > ek;
    for (int i = 1; tamam && i <= ek; ++i) {
        tamam = (p[i] & 0xC0) == 0x80;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (!tamam) {
        ++p;
        return b;
    }
    p += ek + 1;
    return c;
}

// The searched text, folded, and the bytes a character that folds to its first
// character can start with: only there is a match tried, so most of a field is passed
// over byte by byte without decoding it.
struct Aranan {
    std::u32string katli;
    bool ilkBayt[256] = {};

    Aranan(const unsigned char *p, int n)
    {
        const unsigned char *son = p + n;
        while (p < son)
            katli.push_back(kucukHarf(karakterOku(p, son)));
        if (katli.empty())
            return;
        const char32_t ilk = katli.front();
        if (ilk >= 0x10000) {
            for (int b = 0xF0; b <= 0xF4; ++b)
                ilkBayt[b] = true;
            return;
        }
        // Every character of the basic plane that folds to it (case mappings stay
        // inside their plane): a few hundred microseconds, once per search.
        for (char32_t x = 0; x < 0x10000; ++x) {
            if ((x >= 0xD800 && x < 0xE000) || kucukHarf(x) != ilk)
                continue;
            ilkBayt[x < 0x80 ? x : x < 0x800 ? 0xC0 | (x >> 6) : 0xE0 | (x >> 12)] = true;
        }
        if (ilk >= 0x80 && ilk < 0x100)
            ilkBayt[ilk] = true; // a stray byte of that value
    }

    bool icinde(const unsigned char *p, int n) const
    {
        if (katli.empty())
            return true;
        const unsigned char *son = p + n;
        while (p < son) {
            if (ilkBayt[*p]) {
                const unsigned char *q = p;
                size_t i = 0;
                while (i < katli.size() && q < son && kucukHarf(karakterOku(q, son)) == katli[i])
                    ++i;
                if (i == katli.size())
                    return true;
            }
            // On to the next character.
            if (*p < 0x80)
                ++p;
            else
                karakterOku(p, son);
        }
        return false;
    }
};

void arananiSil(void *p)
{
    delete static_cast<Aranan *>(p);
}

// TurkceIcerir(field, text): 1 when the field contains the text, case folded the
// Turkish way; 0 for a NULL field. The prepared text is kept between rows.
void turkceIcerir(sqlite3_context *ctx, int, sqlite3_value **arg)
{
    if (sqlite3_value_type(arg[0]) == SQLITE_NULL || sqlite3_value_type(arg[1]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    auto *aranan = static_cast<Aranan *>(sqlite3_get_auxdata(ctx, 1));
    if (!aranan) {
        sqlite3_set_auxdata(ctx, 1, new Aranan(sqlite3_value_text(arg[1]), sqlite3_value_bytes(arg[1])), arananiSil);
        aranan = static_cast<Aranan *>(sqlite3_get_auxdata(ctx, 1));
        if (!aranan) {
            // SQLite could not keep it (out of memory): it has already been deleted.
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    sqlite3_result_int(ctx, aranan->icinde(sqlite3_value_text(arg[0]), sqlite3_value_bytes(arg[0])) ? 1 : 0);
}

} // namespace

void Veritabani::islevleriKaydet(sqlite3 *db)
{
    const int rc = sqlite3_create_function_v2(db, "TurkceIcerir", 2,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                              turkceIcerir, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        Sqlite::hataAt(db, rc);
}

} // namespace Zelvora

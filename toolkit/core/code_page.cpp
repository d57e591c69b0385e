// Conversion between the program's Windows-1252 texts and UTF-8.
#include "toolkit/core/code_page.h"

#include <cstdint>

namespace {

// Characters of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char32_t HIGH_CONTROLS[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (HIGH_CONTROLS[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// Decodes one character at p and moves past it. A malformed sequence yields
// one '?' for its longest well-begun part, or for a byte that begins none.
char32_t NextCharacter(const unsigned char*& p) {
    const unsigned char lead = *p++;
    int follow = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
    if (lead < 0x80) {
        return lead;
    }
    if (follow == 0 || lead >= 0xF8) {
        return '?';
    }
    char32_t c = lead & (0x3F >> follow);
    const unsigned char* q = p;
    for (; follow > 0; --follow, ++q) {
        if ((*q & 0xC0) != 0x80) {
            p = q;
            return '?';
        }
        c = (c << 6) | (*q & 0x3F);
    }
    p = q;
    return c;
}

} // namespace

std::string Utf8FromWindows1252(const char* text) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p && *p; ++p) {
        AppendUtf8(out, *p >= 0x80 && *p < 0xA0 ? HIGH_CONTROLS[*p - 0x80] : char32_t{*p});
    }
    return out;
}

std::string Windows1252FromUtf8(const char* text) {
    std::string out;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (p && *p) {
        out += ByteOf(NextCharacter(p));
    }
    return out;
}

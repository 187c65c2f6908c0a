#include "TableDump.h"

#include <array>
#include <cstdio>

namespace kamelune {

namespace {

void AppendHex(std::string& out, unsigned char b) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", b);
    out += hex;
}

// Length of the well-formed UTF-8 sequence at text[i] (no overlong forms, surrogates or code
// points past U+10FFFF), 0 when there is none.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char b = at(0);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
    if (b >= 0xC2 && b <= 0xDF)
        n = 2;
    else if (b >= 0xE0 && b <= 0xEF)
        n = 3, lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
    else if (b >= 0xF0 && b <= 0xF4)
        n = 4, lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
    else
        return 0;
    if (i + n > text.size() || at(1) < lo || at(1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((at(k) & 0xC0) != 0x80) return 0;
    return n;
}

// Text that is not UTF-8 (a file name's raw bytes) is escaped byte by byte, so that the output
// is always valid UTF-8.
constexpr auto kPlain = [] {
    std::array<bool, 256> plain{};
    for (int b = 0x20; b < 0x7F; ++b)
        plain[static_cast<std::size_t>(b)] = b != '\\';
    return plain;
}();
bool Plain(unsigned char b) {
    return kPlain[b];
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Runs of plain characters, most of a table, go in at once.
        std::size_t run = i;
        while (run < text.size() && Plain(static_cast<unsigned char>(text[run])))
            ++run;
        if (run > i) {
            out.append(text, i, run - i);
            i = run - 1;
            continue;
        }
        const char c = text[i];
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            if (b < 0x20 || b == 0x7F) {
                AppendHex(out, b);
            } else if (b < 0x80) {
                out += c;
            } else if (const std::size_t n = Utf8Length(text, i)) {
                out.append(text, i, n);
                i += n - 1;
            } else {
                AppendHex(out, b);
            }
        }
    }
}

} // namespace

std::string EscapeCell(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    AppendEscaped(out, text);
    return out;
}

void DumpGrid(const StringGrid& grid, std::ostream& out) {
    std::string line;
    for (int r = 0; r < grid.RowCount(); ++r) {
        line.clear();
        for (int c = 0; c < grid.ColCount(); ++c) {
            if (c) line += '\t';
            AppendEscaped(line, grid.Cell(c, r));
        }
        line += '\n';
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
}

} // namespace kamelune

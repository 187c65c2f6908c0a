#include "TableDump.h"

#include <array>
#include <cstring>
#include <vector>

namespace kamelune {

namespace {

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

// At most 4 bytes out for each byte in ("\xhh").
constexpr std::size_t kMostPerByte = 4;

// Writes text escaped at out, which has room for kMostPerByte bytes per byte of it; returns the
// end of what it wrote.
char* PutEscaped(char* out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto b = static_cast<unsigned char>(c);
        if (kPlain[b]) {
            *out++ = c;
            continue;
        }
        const char* named = c == '\\'   ? "\\\\"
                            : c == '\t' ? "\\t"
                            : c == '\n' ? "\\n"
                            : c == '\r' ? "\\r"
                            : c == '\0' ? "\\0"
                                        : nullptr;
        if (named) {
            *out++ = named[0];
            *out++ = named[1];
        } else if (b >= 0x80 && Utf8Length(text, i)) {
            const std::size_t n = Utf8Length(text, i);
            std::memcpy(out, text.data() + i, n);
            out += n;
            i += n - 1;
        } else {
            *out++ = '\\';
            *out++ = 'x';
            *out++ = kHex[b >> 4];
            *out++ = kHex[b & 15];
        }
    }
    return out;
}

void AppendEscaped(std::string& out, std::string_view text) {
    const std::size_t at = out.size();
    out.resize(at + text.size() * kMostPerByte);
    out.resize(static_cast<std::size_t>(PutEscaped(out.data() + at, text) - out.data()));
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
    std::vector<std::string_view> cells;
    for (int r = 0; r < grid.RowCount(); ++r) {
        grid.RowCells(r, cells);
        std::size_t bytes = 1;
        for (const std::string_view cell : cells)
            bytes += cell.size() * kMostPerByte + 1;
        if (line.size() < bytes) line.resize(bytes);
        char* end = line.data();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c) *end++ = '\t';
            end = PutEscaped(end, cells[c]);
        }
        *end++ = '\n';
        out.write(line.data(), end - line.data());
    }
}

} // namespace kamelune

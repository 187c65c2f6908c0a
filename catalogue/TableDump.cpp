#include "TableDump.h"

#include <cstdio>

namespace kamelune {

namespace {

void AppendEscaped(std::string& out, const std::string& text) {
    for (const char c : text) {
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
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", b);
                out += hex;
            } else {
                out += c;
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

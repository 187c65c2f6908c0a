#include "TableDump.h"

#include <cstdio>

namespace kamelune {

std::string EscapeCell(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\0': out += "\\0"; break;
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
    return out;
}

void DumpGrid(const StringGrid& grid, std::ostream& out) {
    for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < grid.ColCount(); ++c) {
            if (c)
                out << '\t';
            out << EscapeCell(grid.Cell(c, r));
        }
        out << '\n';
    }
}

} // namespace kamelune

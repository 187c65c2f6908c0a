#include "TextFile.h"

namespace kamelune {

std::vector<std::string> SplitCp932Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) end = bytes.size();
        std::size_t stop = end;
        if (stop > start && bytes[stop - 1] == '\r') --stop;
        lines.push_back(Cp932ToUtf8(bytes.substr(start, stop - start)));
        start = last ? bytes.size() : end + 1;
    }
    return lines;
}

FileResult ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::string bytes;
    if (FileResult r = ReadWholeFile(path, bytes); !r) return r;
    lines = SplitCp932Lines(bytes);
    return FileResult::Ok();
}

FileResult WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                          Unmappable unmappable) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += Utf8ToCp932(line, unmappable);
        bytes += "\r\n";
    }
    return WriteFileAtomically(path, bytes);
}

} // namespace kamelune

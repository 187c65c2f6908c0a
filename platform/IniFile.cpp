#include "IniFile.h"

#include "TextFile.h"

#include <charconv>
#include <strings.h>

namespace kamelune {
namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

} // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    sections_.push_back({});
    std::vector<std::string> lines;
    if (!ReadTextLines(path_, lines)) return;
    for (const std::string& raw : lines) {
        const std::string text = Trim(raw);
        if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
            sections_.push_back({Trim(text.substr(1, text.size() - 2)), {}});
            continue;
        }
        const auto eq = raw.find('=');
        if (eq != std::string::npos && text.front() != ';' && !Trim(raw.substr(0, eq)).empty())
            sections_.back().lines.push_back(
                {Trim(raw.substr(0, eq)), Trim(raw.substr(eq + 1)), raw});
        else
            sections_.back().lines.push_back({{}, {}, raw});
    }
}

const IniFile::Line* IniFile::Find(const std::string& section, const std::string& key) const {
    for (const Section& s : sections_) {
        if (s.name.empty() || !SameName(s.name, section)) continue;
        for (const Line& line : s.lines)
            if (!line.key.empty() && SameName(line.key, key)) return &line;
    }
    return nullptr;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const Line* line = Find(section, key);
    return line ? line->value : defaultValue;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key,
                         int defaultValue) const {
    const Line* line = Find(section, key);
    if (!line) return defaultValue;
    const std::string& v = line->value;
    const char* begin = v.data();
    const char* end = v.data() + v.size();
    if (begin != end && *begin == '+') ++begin;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end) return defaultValue;
    return value;
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
    return Find(section, key) != nullptr;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    if (Line* line = const_cast<Line*>(Find(section, key))) {
        line->value = value;
        line->raw = line->key + "=" + value;
        return;
    }
    Section* target = nullptr;
    for (Section& s : sections_)
        if (!s.name.empty() && SameName(s.name, section)) {
            target = &s;
            break;
        }
    if (!target) {
        sections_.push_back({section, {}});
        target = &sections_.back();
    }
    // Keep a blank line that closes the section after the new key.
    auto pos = target->lines.end();
    while (pos != target->lines.begin() && std::prev(pos)->key.empty() &&
           Trim(std::prev(pos)->raw).empty())
        --pos;
    target->lines.insert(pos, {key, value, key + "=" + value});
}

void IniFile::DeleteKey(const std::string& section, const std::string& key) {
    for (Section& s : sections_) {
        if (s.name.empty() || !SameName(s.name, section)) continue;
        std::erase_if(s.lines, [&](const Line& line) {
            return !line.key.empty() && SameName(line.key, key);
        });
    }
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

FileResult IniFile::UpdateFile() const {
    std::vector<std::string> out;
    for (const Section& s : sections_) {
        if (!s.name.empty()) out.push_back("[" + s.name + "]");
        for (const Line& line : s.lines)
            out.push_back(line.raw);
    }
    return WriteTextLines(path_, out);
}

} // namespace kamelune

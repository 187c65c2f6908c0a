// Settings files of sections and key=value lines, CP932 with CR LF, integers as decimal text.
#pragma once

#include "FileUtil.h"

#include <string>
#include <vector>

namespace kamelune {

class IniFile {
public:
    // Loads path when it exists; an absent or unreadable file reads as empty.
    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }

    // Section and key names compare without regard to ASCII letter case.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // A value that is not a decimal integer (blanks around it allowed) gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool HasKey(const std::string& section, const std::string& key) const;

    // Changes the value in memory; every other line stays as it was.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void DeleteKey(const std::string& section, const std::string& key);

    // Writes the whole file (CP932, CR LF), replacing it in one step.
    FileResult UpdateFile() const;

private:
    struct Line {
        std::string key; // empty for a line that is not key=value (comments, blanks)
        std::string value;
        std::string raw;
    };
    struct Section {
        std::string name; // empty for the lines before the first section
        std::vector<Line> lines;
    };

    const Line* Find(const std::string& section, const std::string& key) const;

    std::string path_;
    std::vector<Section> sections_;
};

} // namespace kamelune

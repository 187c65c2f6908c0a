// Cases kept as data: TAB-separated files under tests/data.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace kamelune::test {

// "\0" and "\xHH" as the bytes they stand for.
inline std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 2, "\\0") == 0) {
            out += '\0', ++i;
        } else if (s.compare(i, 2, "\\x") == 0 && i + 3 < s.size()) {
            out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16)), i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Every field, empty ones at the end too.
inline std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = s.find(sep, from)) != std::string::npos; from = at + 1)
        out.push_back(s.substr(from, at - from));
    out.push_back(s.substr(from));
    return out;
}

// tests/data, or a copy of it named by $KAMELUNE_TEST_DATA (for a run as another user, who may not
// enter the clone's folder).
inline std::string TestDataDir() {
    const char* copy = std::getenv("KAMELUNE_TEST_DATA");
    return copy && *copy ? copy : KAMELUNE_TEST_DATA;
}

// The rows of tests/data/`name`, blank lines and "#" lines skipped.
inline std::vector<std::vector<std::string>> DataRows(const std::string& name) {
    std::ifstream in(TestDataDir() + "/" + name);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') rows.push_back(Split(line, '\t'));
    EXPECT_FALSE(rows.empty()) << "no cases in " << name;
    return rows;
}

} // namespace kamelune::test

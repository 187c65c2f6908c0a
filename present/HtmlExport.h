// The pages of the HTML album and the HTML table, line for line, and the names of their image
// files. Plain code: the writer window reads its settings, calls this and saves the lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kamelune {

// Text for HTML: "&", "<", ">" and '"' as entities; NUL bytes dropped.
std::string HtmlText(const std::string& text);
// A file name in a src or href attribute: percent-escaped where a URL needs it, then HTML text.
std::string HtmlUrl(const std::string& fileName);

// "S_" or "L_" + the file name without its extension + ".JPG".
std::string ImageFileName(bool large, const std::string& fileName);

// One picture of a page: its file name, display size and the values of the chosen items.
struct HtmlPicture {
    std::string fileName;
    int width = 0, height = 0;
    std::vector<std::string> values;
};

enum class ExifPosition { Right = 4, Below = 5 };

struct AlbumSettings {
    std::string base; // the page's name without folder and extension
    ExifPosition position = ExifPosition::Below;
    int columns = 5;            // M
    int border = 1;             // K
    std::string align = "left"; // left, center or right
    bool link = false;
    std::uint32_t background = 0xFFE8E8; // 0x00BBGGRR
    std::uint32_t textColor = 0x000000;
};

// The album page; pictures in selection order, headings of the chosen items.
std::vector<std::string> AlbumPageLines(const AlbumSettings& s,
                                        const std::vector<HtmlPicture>& pictures,
                                        const std::vector<std::string>& headings);
// Lines of a picture's text file: heading + ": " + value per item.
std::vector<std::string> ExifTextLines(const HtmlPicture& picture,
                                       const std::vector<std::string>& headings);
// The name of that text file: the picture's file name + "_EXIF.txt".
std::string ExifTextFileName(const std::string& fileName);

struct TableSettings {
    bool thumbnails = true;
    bool link = false;
};
std::vector<std::string> TablePageLines(const TableSettings& s,
                                        const std::vector<HtmlPicture>& pictures,
                                        const std::vector<std::string>& titles);

} // namespace kamelune

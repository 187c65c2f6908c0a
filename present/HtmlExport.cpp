#include "HtmlExport.h"

#include "pictures/PictureFile.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"

#include <cstdio>

namespace kamelune {
namespace {

std::string Quoted(const std::string& word) {
    return "\"" + word + "\"";
}

std::vector<std::string> TitleHead(const std::string& title, const std::string& bgcolor,
                                   const std::string& banner) {
    return {
        "<html><head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">",
        "<meta name=\"GENERATOR\" content=\"ミルノのExif解析 Kamelune\">",
        "<title>" + title + "</title>",
        "</head>",
        "<body bgcolor=\"" + bgcolor + "\">",
        "<div align=\"center\">",
        "<table border=\"0\" cellspacing=\"2\" width=\"100%\" bgcolor=\"#000080\" "
        "cellpadding=\"4\">",
        "<td width=\"100%\" height=\"1\">",
        "<p align=\"center\"><font face=\"ＭＳ Ｐゴシック\" color=\"#FFFFFF\" size=\"4\"><strong>",
        banner,
        "</strong></font></td>",
        "</table></div>"};
}

std::string Img(const HtmlPicture& p) {
    return "<img src=\"" + HtmlUrl(ImageFileName(false, p.fileName)) + "\" width=\"" +
           std::to_string(p.width) + "\" height=\"" + std::to_string(p.height) + "\">";
}

std::string Href(const HtmlPicture& p) {
    return "<a href=\"" + HtmlUrl(ImageFileName(true, p.fileName)) + "\">";
}

} // namespace

std::string HtmlText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\0':
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string HtmlUrl(const std::string& fileName) {
    std::string url;
    for (std::size_t pos = 0; pos < fileName.size();) {
        const std::size_t at = pos;
        // A byte that is no part of UTF-8 is written as itself ("%FF"): in a page it would turn
        // into U+FFFD and link another name.
        if (NextCodePoint(fileName, pos) == 0xFFFD &&
            fileName.compare(at, 3, "\xEF\xBF\xBD") != 0) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(fileName[at]));
            url += hex;
            continue;
        }
        if (pos - at > 1) {
            url.append(fileName, at, pos - at);
            continue;
        }
        const char c = fileName[at];
        switch (c) {
        case '%':
            url += "%25";
            break;
        case '#':
            url += "%23";
            break;
        case '?':
            url += "%3F";
            break;
        case ' ':
            url += "%20";
            break;
        default:
            url += c;
        }
    }
    return HtmlText(url);
}

std::string ImageFileName(bool large, const std::string& fileName) {
    // A RAW or HEIC picture keeps its extension before ".JPG": the JPEG of a RAW + JPEG pair
    // has the same stem.
    if (IsRawHeicName(fileName)) return (large ? "L_" : "S_") + fileName + ".JPG";
    const auto dot = fileName.rfind('.');
    return (large ? "L_" : "S_") + (dot == std::string::npos ? fileName : fileName.substr(0, dot)) +
           ".JPG";
}

std::vector<std::string> AlbumPageLines(const AlbumSettings& s,
                                        const std::vector<HtmlPicture>& pictures,
                                        const std::vector<std::string>& headings) {
    const std::string base = HtmlText(s.base);
    std::vector<std::string> lines = TitleHead(base, ColorToHtml(s.background), base);
    const int m = std::max(1, s.columns);
    const int n = static_cast<int>(headings.size());
    const int count = static_cast<int>(pictures.size());
    const int rows = count / m + (count % m ? 1 : 0);
    const bool right = s.position == ExifPosition::Right;
    const std::string w = std::to_string(right ? 100 / (3 * m) : 100 / (m + 1));
    const std::string a = Quoted(s.align);
    const std::string ia = Quoted("center");
    const std::string f = ColorToHtml(s.textColor);
    const std::string font = "<font color=\"" + f + "\" size=\"-1\">";
    auto cell = [&](const std::string& text) {
        return "<td width=\"" + w + "%\"><p align=" + a + ">" + font + text + "</font></td>";
    };
    auto heading = [&](int k) { return HtmlText(headings[k]); };
    auto value = [&](const HtmlPicture& p, int k) {
        return k < static_cast<int>(p.values.size()) ? HtmlText(p.values[k]) : std::string();
    };
    for (int r = 0; r < rows; ++r) {
        lines.push_back("<hr size=1>");
        lines.push_back("<div align=\"center\">");
        lines.push_back("<table border=\"" + std::to_string(s.border) +
                        "\" cellspacing=\"0\" cellpadding=\"2\" width=\"90%\">");
        auto picture = [&](int j) -> const HtmlPicture* {
            const int index = r * m + j;
            return index < count ? &pictures[index] : nullptr;
        };
        if (right) {
            // First row: the image spanning the item rows, then the first item.
            lines.push_back("<tr>");
            for (int j = 0; j < m; ++j) {
                lines.push_back("<td width=\"" + w + "%\" rowspan=\"" + std::to_string(n) + "\">");
                if (const HtmlPicture* p = picture(j)) {
                    lines.push_back((s.link ? Href(*p) : std::string()) + "<p align=" + ia + ">" +
                                    Img(*p) + (s.link ? "</a>" : ""));
                    lines.push_back("</td>");
                    lines.push_back(cell(heading(0)));
                    lines.push_back(cell(value(*p, 0)));
                } else {
                    lines.push_back("<p align=" + ia + ">" + font + "   <br></font></td>");
                    lines.push_back(cell("   <br>"));
                    lines.push_back(cell("   <br>"));
                }
            }
            lines.push_back("</tr>");
            for (int k = 1; k < n; ++k) {
                lines.push_back("<tr>");
                for (int j = 0; j < m; ++j) {
                    if (const HtmlPicture* p = picture(j)) {
                        lines.push_back(cell(heading(k)));
                        lines.push_back(cell(value(*p, k)));
                    } else {
                        lines.push_back(cell("   <br>"));
                        lines.push_back(cell("   <br>"));
                    }
                }
            }
            lines.push_back("</tr>");
        } else {
            lines.push_back("<tr>");
            lines.push_back("<td width=\"" + w + "%\"><p align=" + a + "><font color=\"" + f +
                            "\">イメージ</font></td>");
            for (int j = 0; j < m; ++j) {
                if (const HtmlPicture* p = picture(j)) {
                    lines.push_back("<td width=\"" + w + "%\">");
                    lines.push_back((s.link ? Href(*p) : std::string()) + "<p align=\"center\">" +
                                    Img(*p) + (s.link ? "</a>" : ""));
                    lines.push_back("</td>");
                } else {
                    lines.push_back("<td><br></td>");
                }
            }
            lines.push_back("</tr>");
            for (int k = 0; k < n; ++k) {
                lines.push_back("<tr>");
                lines.push_back(cell(heading(k)));
                for (int j = 0; j < m; ++j) {
                    if (const HtmlPicture* p = picture(j)) {
                        const std::string v = value(*p, k);
                        lines.push_back("<td width=\"" + w + "%\">");
                        lines.push_back("<p align=" + a + ">" + font + (v.empty() ? "<br>" : v));
                        lines.push_back("</font></td>");
                    } else {
                        lines.push_back("<td width=\"" + w + "%\"><br></td>");
                    }
                }
                lines.push_back("</tr>");
            }
        }
        lines.push_back("</table></div>");
    }
    lines.push_back("<hr size=1></body></html>");
    return lines;
}

std::vector<std::string> ExifTextLines(const HtmlPicture& picture,
                                       const std::vector<std::string>& headings) {
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < headings.size(); ++k)
        lines.push_back(headings[k] + ": " + (k < picture.values.size() ? picture.values[k] : ""));
    return lines;
}

std::string ExifTextFileName(const std::string& fileName) {
    return fileName + "_EXIF.txt";
}

std::vector<std::string> TablePageLines(const TableSettings& s,
                                        const std::vector<HtmlPicture>& pictures,
                                        const std::vector<std::string>& titles) {
    std::vector<std::string> lines = TitleHead("ミルノのExif解析", "#FFFFFF", "Exif結果");
    lines.push_back("<div align=\"center\"><center>");
    lines.push_back("<table border=\"1\" cellpadding=\"2\" cellspacing=\"0\" width=\"90%\">");
    const int n = static_cast<int>(titles.size());
    const std::string w = std::to_string(90 / (n + (s.thumbnails ? 2 : 1)));
    const std::string td = "<td width=\"" + w + "%\" valign=\"middle\" align=\"center\">";
    const std::string th =
        "<td width=\"" + w + "%\" bgcolor=\"#00FFFF\" valign=\"middle\" align=\"center\">";
    lines.push_back("<tr>");
    lines.push_back(th + "No</td>");
    if (s.thumbnails) lines.push_back(th + "Image</td>");
    for (const std::string& title : titles)
        lines.push_back(th + HtmlText(title) + "</td>");
    lines.push_back("</tr>");
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const HtmlPicture& p = pictures[i];
        lines.push_back("<tr>");
        lines.push_back(td + std::to_string(i + 1) + "</td>");
        if (s.thumbnails) {
            lines.push_back(td);
            lines.push_back(s.link ? Href(p) + Img(p) + "</a></td>" : Img(p) + "</td>");
        }
        for (int k = 0; k < n; ++k) {
            const std::string v =
                k < static_cast<int>(p.values.size()) ? HtmlText(p.values[k]) : "";
            lines.push_back(td + (v.empty() ? "<br>" : v) + "</td>");
        }
        lines.push_back("</tr>");
    }
    lines.push_back("</table></center></div></body></html>");
    return lines;
}

} // namespace kamelune

#include "Cp932.h"

#include <array>
#include <cstdint>
#include <iconv.h>
#include <mutex>
#include <unordered_map>

namespace kamelune {
namespace {

bool IsLeadByte(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr unsigned kTrailFirst = 0x40;
constexpr unsigned kTrailCount = 0xFD - kTrailFirst;

// The double-byte half of CP932, from the C library's converter: code point per (lead, trail)
// pair, 0 where CP932 maps nothing. A row is built the first time one of its codes is met, so a
// folder of mostly ASCII texts pays for the few rows it uses.
struct DecodeTable {
    std::array<std::array<char32_t, kTrailCount>, 256> rows{};
    std::array<std::once_flag, 256> built;
};

const std::array<char32_t, kTrailCount>& DecodeRow(unsigned lead) {
    static DecodeTable table;
    std::call_once(table.built[lead], [lead] {
        iconv_t toUcs = iconv_open("UTF-32LE", "CP932");
        if (toUcs == reinterpret_cast<iconv_t>(-1)) return;
        for (unsigned trail = kTrailFirst; trail < 0xFD; ++trail) {
            if (trail == 0x7F) continue;
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char out[8] = {};
            char* inPtr = in;
            char* outPtr = reinterpret_cast<char*>(out);
            size_t inLeft = 2, outLeft = sizeof out;
            iconv(toUcs, nullptr, nullptr, nullptr, nullptr);
            if (iconv(toUcs, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
                inLeft != 0 || outLeft != 4)
                continue;
            table.rows[lead][trail - kTrailFirst] =
                out[0] | (out[1] << 8) | (out[2] << 16) | (char32_t(out[3]) << 24);
        }
        iconv_close(toUcs);
    });
    return table.rows[lead];
}

// Character to its two CP932 bytes, built whole on the first encode.
std::unordered_map<char32_t, std::uint16_t> BuildEncode() {
    std::unordered_map<char32_t, std::uint16_t> encode;
    iconv_t fromUcs = iconv_open("CP932", "UTF-32LE");
    if (fromUcs == reinterpret_cast<iconv_t>(-1)) return encode;
    // Several codes can map to one character (NEC and IBM extensions); encode each character
    // the way the converter does, which is the way Windows does.
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(lead)) continue;
        const auto& row = DecodeRow(lead);
        for (unsigned t = 0; t < kTrailCount; ++t) {
            const char32_t cp = row[t];
            if (cp == 0 || encode.count(cp)) continue;
            unsigned char in[4] = {static_cast<unsigned char>(cp & 0xFF),
                                   static_cast<unsigned char>((cp >> 8) & 0xFF),
                                   static_cast<unsigned char>((cp >> 16) & 0xFF), 0};
            unsigned char out[4] = {};
            char* inPtr = reinterpret_cast<char*>(in);
            char* outPtr = reinterpret_cast<char*>(out);
            size_t inLeft = 4, outLeft = sizeof out;
            iconv(fromUcs, nullptr, nullptr, nullptr, nullptr);
            if (iconv(fromUcs, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
                outLeft == 2)
                encode[cp] = static_cast<std::uint16_t>((out[0] << 8) | out[1]);
            else
                encode[cp] = static_cast<std::uint16_t>((lead << 8) | (t + kTrailFirst));
        }
    }
    iconv_close(fromUcs);
    return encode;
}

// CP932 bytes of one character: 1 or 2, or 0 when CP932 cannot hold it.
int EncodeOne(char32_t cp, unsigned char out[2]) {
    if (cp < 0x80) {
        out[0] = static_cast<unsigned char>(cp);
        return 1;
    }
    if (cp >= 0xFF61 && cp <= 0xFF9F) {
        out[0] = static_cast<unsigned char>(cp - 0xFF61 + 0xA1);
        return 1;
    }
    static const std::unordered_map<char32_t, std::uint16_t> enc = BuildEncode();
    auto it = enc.find(cp);
    if (it == enc.end()) return 0;
    out[0] = static_cast<unsigned char>(it->second >> 8);
    out[1] = static_cast<unsigned char>(it->second & 0xFF);
    return 2;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t NextCodePoint(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + len > s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += len;
    return cp;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        // ASCII runs, most of any text, go in at once.
        std::size_t run = i;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80)
            ++run;
        if (run > i) {
            out.append(bytes.data() + i, run - i);
            i = run - 1;
            continue;
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0xA1 && b <= 0xDF) {
            AppendUtf8(out, 0xFF61 + (b - 0xA1));
            continue;
        }
        if (IsLeadByte(b) && i + 1 < bytes.size()) {
            const auto t = static_cast<unsigned char>(bytes[i + 1]);
            if (t >= kTrailFirst && t < 0xFD) {
                if (char32_t cp = DecodeRow(b)[t - kTrailFirst]) {
                    AppendUtf8(out, cp);
                    ++i;
                    continue;
                }
            }
        }
        AppendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToCp932(std::string_view utf8, Unmappable mode) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, pos);
        unsigned char enc[2];
        const int n = EncodeOne(cp, enc);
        if (n > 0) {
            out.append(reinterpret_cast<const char*>(enc), n);
        } else if (mode == Unmappable::HtmlReference) {
            out += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ';';
        } else {
            out += '?';
        }
    }
    return out;
}

std::size_t Cp932Length(std::string_view utf8) {
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        unsigned char enc[2];
        const int n = EncodeOne(NextCodePoint(utf8, pos), enc);
        length += n > 0 ? n : 1;
    }
    return length;
}

std::string CutToCp932Bytes(std::string_view utf8, std::size_t maxBytes) {
    std::size_t length = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t next = pos;
        unsigned char enc[2];
        const int n = EncodeOne(NextCodePoint(utf8, next), enc);
        const std::size_t bytes = n > 0 ? n : 1;
        if (length + bytes > maxBytes) break;
        length += bytes;
        pos = next;
    }
    return std::string(utf8.substr(0, pos));
}

} // namespace kamelune

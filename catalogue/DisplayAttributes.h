// How the thumbnails are drawn: colours, caption size, emphasis. The folder model keeps them; the
// display dialog shows and changes them; ".pkm" files store them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kamelune {

// The caption heights the dialog offers, by entry.
inline constexpr const char* kCaptionHeights[] = {"12", "11", "10", "14"};

// What the display-attribute dialog holds (its controls show exactly this).
struct DisplayAttributes {
    std::uint32_t panelColor = 0xC0C0C0;           // panelSwatch
    std::uint32_t selectedColor = 0xC4FABA;        // selectedSwatch
    std::uint32_t numberColor = 0x000000;          // numberSwatch
    std::uint32_t fileNameColor = 0x000000;        // fileNameSwatch
    std::uint32_t selectionNumberColor = 0x0000FF; // selectionNumberSwatch
    std::uint32_t textColor = 0x000000;            // textColorSwatch
    std::uint32_t textBackColor = 0xFFFFFF;        // textBackSwatch
    std::uint32_t emphasisColor = 0xFFFF00;        // emphasisSwatch
    int textSizeIndex = 0;                         // textSizeCombo entry
    bool transparent = false;                      // transparentCheck
    // emphasisList: one entry per chosen item.
    std::vector<std::string> emphasisNames;
    std::vector<bool> emphasisChecked;

    int FontHeight() const;
    bool Emphasised(int k) const;
    bool operator==(const DisplayAttributes&) const = default;
};

} // namespace kamelune

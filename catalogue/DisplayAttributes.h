// How the thumbnails are drawn: colours, caption size, emphasis. The folder model keeps them; the
// display dialog shows and changes them; ".pkm" files store them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kamelune {

// The caption heights the dialog offers, by entry.
inline constexpr const char* kMojiHeights[] = {"12", "11", "10", "14"};

// What the display-attribute dialog holds (its controls show exactly this).
struct DisplayAttributes {
    std::uint32_t panelColor = 0xC0C0C0;  // PanelPPanelColor
    std::uint32_t selColor = 0xC4FABA;    // PanelSelColor
    std::uint32_t noColor = 0x000000;     // PanelNoColor
    std::uint32_t fnameColor = 0x000000;  // PanelFNameColor
    std::uint32_t selNoColor = 0x0000FF;  // PanelSelNoColor
    std::uint32_t mojiColor = 0x000000;   // PanelMojiColor
    std::uint32_t mjBackColor = 0xFFFFFF; // PanelMjBackColor
    std::uint32_t kyochoColor = 0xFFFF00; // PanelKyochoColor
    int mojiIndex = 0;                    // CmbBoxMojiH entry
    bool toka = false;                    // ChkBoxToka
    // ChkListBoxKyocho: one entry per chosen item.
    std::vector<std::string> kyochoNames;
    std::vector<bool> kyochoChecked;

    int FontHeight() const;
    bool Emphasised(int k) const;
    bool operator==(const DisplayAttributes&) const = default;
};

} // namespace kamelune

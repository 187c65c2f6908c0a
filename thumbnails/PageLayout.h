// Page arithmetic, panel geometry and caption texts of the thumbnail pages. Plain code: the main
// window's panels take every number and text from here.
#pragma once

#include "catalogue/ItemCatalogue.h"
#include "platform/StringGrid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kamelune {

enum class Pane { Pictures = 1, FourItems = 2, AllItems = 3 };

constexpr int kPanelWidth = 105;
constexpr int kPanelPitch = 107;
constexpr int kThumbSize = 88;
constexpr int kMaxCaptionLines = 20;
constexpr std::uint32_t kPageBackground = 0x804000;
constexpr std::uint32_t kSizeLabelColor = 0x800000;

// v pictures per page in the all-items pane, twice as many in the other two.
int PicturesPerPage(int v, Pane pane);
// Panel columns for a scroll box width: width div 107, at least 1.
int ColumnsThatFit(int width);
// Caption lines of a pane: all items (at most 20), 4, or none.
int CaptionLineCount(Pane pane, int itemCount);

struct PageBounds {
    int page = 1;  // the page built (1 when the one asked for is beyond the count)
    int count = 0; // pages
    int first = 0; // 0-based positions in the EXIF table
    int last = -1;
};
PageBounds ComputePage(int requested, int rows, int perPage);

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect&) const = default;
};
// Panel bounds of place q on the page.
Rect PanelRect(int q, int columns, int fontHeight, int lines);
int PanelHeight(int fontHeight, int lines);
// Thumbnail placement inside a panel: centred, a little lower when wider than high.
Rect ImageRect(int imageWidth, int imageHeight);
// The size line's top: below the caption lines of an EXIF picture, else at 114.
int SizeLabelTop(bool exif, int fontHeight, int lines);
Rect CaptionRect(int k, int fontHeight);

// Page and picture number ("2-37") of position i.
std::string NoLabelText(int position, int perPage, const std::string& pictureCell);
// Heading, ": " (when there is a heading) and the trimmed value of chosen item k of picture n.
std::string LabelCaption(int k, const ItemList& items, const StringGrid& itemGrid,
                         const StringGrid& base, int pictNo);
// "1600x1200, 123kb" from the three size-file lines; empty when they are not all there.
std::string SizeText(const std::vector<std::string>& sizeLines);

// Colours of one caption line.
struct CaptionLook {
    std::uint32_t background;
    std::uint32_t text;
    bool transparent;
};
CaptionLook CaptionLookFor(bool emphasised, bool transparent, std::uint32_t textColor,
                           std::uint32_t backColor, std::uint32_t emphasisColor);

} // namespace kamelune

#include "PageLayout.h"

#include "catalogue/ItemCatalogue.h"
#include "catalogue/ItemColumns.h"

#include <algorithm>

namespace kamelune {

int PicturesPerPage(int v, Pane pane) {
    return pane == Pane::AllItems ? v : 2 * v;
}

int ColumnsThatFit(int width) {
    return std::max(1, width / kPanelPitch);
}

int CaptionLineCount(Pane pane, int itemCount) {
    switch (pane) {
    case Pane::AllItems:
        return std::min(itemCount, kMaxCaptionLines);
    case Pane::FourItems:
        return 4;
    default:
        return 0;
    }
}

PageBounds ComputePage(int requested, int rows, int perPage) {
    PageBounds b;
    if (rows < 1 || perPage < 1) return b;
    b.count = rows / perPage + (rows % perPage ? 1 : 0);
    b.page = requested > b.count || requested < 1 ? 1 : requested;
    b.first = perPage * (b.page - 1);
    b.last = std::min(b.first + perPage - 1, rows - 1);
    return b;
}

int PanelHeight(int fontHeight, int lines) {
    return (fontHeight + 2) * (lines - 1) + 148;
}

Rect PanelRect(int q, int columns, int fontHeight, int lines) {
    const int row = q / columns;
    const int col = q % columns;
    const int h = PanelHeight(fontHeight, lines);
    return {kPanelPitch * col + 4, (h + 4) * row + 2, kPanelWidth, h};
}

Rect ImageRect(int imageWidth, int imageHeight) {
    const int left = (kPanelWidth - imageWidth) / 2;
    const int top = imageWidth > imageHeight ? (kThumbSize - imageHeight) / 2 + 20 : 15;
    return {left, top, imageWidth, imageHeight};
}

int SizeLabelTop(bool exif, int fontHeight, int lines) {
    return exif ? (fontHeight + 2) * lines + 120 : 114;
}

Rect CaptionRect(int k, int fontHeight) {
    return {4, (fontHeight + 2) * k + 114, 94, fontHeight + 1};
}

std::string NoLabelText(int position, int perPage, const std::string& pictureCell) {
    return TrimText(std::to_string(position / perPage + 1) + "-" + TrimText(pictureCell));
}

std::string LabelCaption(int k, const ItemList& items, const StringGrid& itemGrid,
                         const StringGrid& base, int pictNo) {
    if (k < 0 || k >= static_cast<int>(items.size())) return {};
    const int item = items[k];
    const std::string heading(itemGrid.Cell(2, item));
    return heading + (heading.empty() ? "" : ": ") + TrimText(base.Cell(item + 1, pictNo));
}

std::string SizeText(const std::vector<std::string>& lines) {
    if (lines.size() < 3) return {};
    return lines[0] + "x" + lines[1] + ", " + lines[2];
}

CaptionLook CaptionLookFor(bool emphasised, bool transparent, std::uint32_t textColor,
                           std::uint32_t backColor, std::uint32_t emphasisColor) {
    if (transparent) return {backColor, emphasised ? emphasisColor : textColor, true};
    return {emphasised ? emphasisColor : backColor, textColor, false};
}

} // namespace kamelune

#include "DisplayAttributes.h"

#include "catalogue/ItemCatalogue.h"

namespace kamelune {

int DisplayAttributes::FontHeight() const {
    return ItemNumber(kCaptionHeights[textSizeIndex >= 0 && textSizeIndex < 4 ? textSizeIndex : 0]);
}

bool DisplayAttributes::Emphasised(int k) const {
    return k >= 0 && k < static_cast<int>(emphasisChecked.size()) && emphasisChecked[k];
}

} // namespace kamelune

#include "DisplayAttributes.h"

#include "catalogue/ItemCatalogue.h"

namespace kamelune {

int DisplayAttributes::FontHeight() const {
    return ItemNumber(kMojiHeights[mojiIndex >= 0 && mojiIndex < 4 ? mojiIndex : 0]);
}

bool DisplayAttributes::Emphasised(int k) const {
    return k >= 0 && k < static_cast<int>(kyochoChecked.size()) && kyochoChecked[k];
}

} // namespace kamelune

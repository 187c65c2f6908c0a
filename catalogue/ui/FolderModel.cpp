#include "FolderModel.h"

#include "catalogue/CacheNames.h"
#include "catalogue/FolderScan.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/ViewTable.h"

#include <QThreadPool>
#include <algorithm>
#include <chrono>

namespace kamelune {

FolderModel::FolderModel(AppPaths appPaths, QObject* parent)
    : QObject(parent), places_(appPaths), widths_(appPaths.stateDir), base_(kBaseCols, 1),
      view_(5, 1), itemGrid_(4, kItemRows),
      reader_([this](FolderScan& scan, bool firstRows) { TakeScan(scan, firstRows); }) {
    SetUpItemGrid(itemGrid_);
    SetDefaultHeadings(itemGrid_);
    SetTitleRow(base_, 1);
    view_.SetFixedColor(kTitleColor);
    // Widths that cannot be read are the defaults: nothing the user must be told of.
    (void)widths_.Load();
}

FolderModel::~FolderModel() = default;

void FolderModel::StartRead(const std::string& folder, const std::string& masks, ReadFlags flags) {
    SetTitleRow(base_, 1, flags.items);
    orientations_.clear();
    fileCount_ = exifCount_ = 0;
    readView_.reset();
    // The view a folder just read is shown with, made on the reading thread: what the window
    // asks for when the read is done, unless something changes meanwhile.
    readRecipe_ = Recipe(chosenItems_.empty() ? "ALL" : "TABLE", options_.exifOnly);
    FolderRead::Request request;
    request.folder = folder;
    request.masks = masks;
    request.flags = flags;
    request.view = readRecipe_;
    reader_.Start(std::move(request));
}

ViewRecipe FolderModel::Recipe(const std::string& mode, bool exifOnly) const {
    return {mode, itemGrid_, chosenItems_, rowOrder_, exifOnly};
}

// A read's table (or a large folder's first rows) becomes the folder's.
void FolderModel::TakeScan(FolderScan& scan, bool firstRows) {
    base_.TakeCells(std::move(scan.base));
    readView_ = firstRows ? std::nullopt : std::move(scan.view);
    orientations_ = std::move(scan.orientations);
    fileCount_ = firstRows ? scan.counts.pictureCount : scan.counts.fileCount;
    exifCount_ = scan.counts.exifCount;
    if (!firstRows) lastCounts_ = scan.counts;
}

int FolderModel::UprightOrientation(int pictNo) const {
    if (!options_.upright || pictNo < 1 || pictNo >= static_cast<int>(orientations_.size()))
        return 0;
    return orientations_[static_cast<std::size_t>(pictNo)];
}

void FolderModel::SetModernItems(bool on) {
    if (on == ModernItems()) return;
    const int items = on ? kAllItemCount : kItemCount;
    const int before = itemGrid_.RowCount();
    itemGrid_.BeginUpdate();
    SetUpItemGrid(itemGrid_, items);
    if (on) SetDefaultHeadings(itemGrid_, before);
    itemGrid_.EndUpdate();
    if (!on) {
        const auto gone = [items](int item) { return item > items; };
        std::erase_if(chosenItems_, gone);
        std::erase_if(sortKeys_, gone);
    }
    emit itemCountChanged();
}

void FolderModel::SetItemCatalogue(const StringGrid& items, ItemList chosen) {
    if (!itemGrid_.SameCells(items)) {
        itemGrid_.TakeCells(StringGrid(items));
        emit changed(Aspect::ItemCatalogue);
    }
    SetChosenItems(std::move(chosen));
}

void FolderModel::ChooseItems(ItemList items) {
    chosenItems_ = std::move(items);
    emit itemsChanged();
}

void FolderModel::SetRowOrder(PictureList order) {
    rowOrder_ = std::move(order);
    emit orderChanged();
}

ReadFlags FolderModel::ReadFlagsNow() const {
    return {options_.cutMakerNote,
            options_.cutUserComment,
            {options_.exifAfterJfif, options_.rawHeic},
            ItemCount(),
            options_.allPictures};
}

void FolderModel::BeginFolder() {
    places_.ShowCurrentDir();
    ForgetSelectionAndOrder();
    ClearGrid(view_);
}

void FolderModel::ForgetSelectionAndOrder() {
    selected_.clear();
    rowOrder_.clear();
}

void FolderModel::MakeView(const std::string& mode, bool exifOnly) {
    if (std::optional<StringGrid> made = std::exchange(readView_, std::nullopt);
        made && Recipe(mode, exifOnly) == readRecipe_) {
        view_.TakeCellsKeepingLook(std::move(*made));
        // made holds the rows the view had: as many blocks to free as it had rows.
        QThreadPool::globalInstance()->start(
            [old = std::make_shared<StringGrid>(std::move(*made))] {});
        return;
    }
    FillExifTable(mode, {base_, itemGrid_, rowOrder_}, chosenItems_, view_, exifOnly);
}

void FolderModel::SetViewLook(bool threeFixed) {
    FinishViewLook(view_);
    view_.SetFixedCols(threeFixed && view_.ColCount() > 3 ? 3 : 1);
}

void FolderModel::SetPictureSizes(int pictNo, const std::vector<std::string>& sizeLines) {
    readView_.reset();
    for (std::size_t c = 0; c < 3 && c < sizeLines.size(); ++c)
        base_.SetCell(kWidthCol + static_cast<int>(c), pictNo, sizeLines[c]);
}

bool FolderModel::ChangeSelection(const std::function<bool(SelectionTables&)>& change) {
    readView_.reset();
    SelectionTables t{base_, view_, selected_};
    const PictureList before = selected_;
    if (!change(t)) return false;
    // Select all twice, or none of nothing, changes nothing: the views are not told.
    if (selected_ != before) emit selectionChanged();
    return true;
}

} // namespace kamelune

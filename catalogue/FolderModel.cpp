#include "FolderModel.h"

#include "catalogue/BaseTable.h"
#include "catalogue/FolderRead.h"
#include "catalogue/CacheNames.h"
#include "catalogue/SetKomoku.h"

#include <algorithm>
#include <chrono>

namespace kamelune {

FolderModel::FolderModel(AppPaths appPaths, QObject* parent)
    : QObject(parent), paths(std::move(appPaths)), gAppDir(paths.appDir), fileMask(kPictureMasks),
      gridBase(kBaseCols, 1), gridExif(5, 1), itemGrid(4, kPKomokuRows) {
    gThumbDir = DefaultCacheDir();
    // A slow disk on demand, to see (and test) what a user of a network share sees.
    readDelay = std::chrono::milliseconds(qEnvironmentVariableIntValue("KAMELUNE_READ_DELAY_MS"));
    SetupPKomokuGrid(itemGrid);
    SetDefaultHeadings(itemGrid);
}

FolderModel::~FolderModel() {
    // Each waits for the file it is reading; their reports still queued go with this object.
    read_.reset();
    stopped_.clear();
}

void FolderModel::RetireRead() {
    if (!read_) return;
    read_->Stop();
    stopped_.emplace_back(generation_, std::move(read_));
}

void FolderModel::StartRead(const std::string& folder, const std::string& masks, ReadFlags flags) {
    RetireRead();
    const int generation = ++generation_;
    SetStrGridTitle(gridBase, 1, flags.items);
    orientations_.clear();
    gFileCount = gExifCount = 0;
    emit readStarted();
    // Progress at most every 20 ms: enough for a counter, few events for a large folder.
    auto last = std::make_shared<std::chrono::steady_clock::time_point>();
    auto progress = [this, generation, last](int n) {
        const auto now = std::chrono::steady_clock::now();
        if (n > 1 && now - *last < std::chrono::milliseconds(20)) return;
        *last = now;
        QMetaObject::invokeMethod(
            this,
            [this, generation, n] {
                if (generation == generation_ && read_) emit rowsRead(n);
            },
            Qt::QueuedConnection);
    };
    auto done = [this, generation] {
        QMetaObject::invokeMethod(
            this, [this, generation] { ReadDone(generation); }, Qt::QueuedConnection);
    };
    auto firstRows = [this, generation] {
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation != generation_ || !read_) return;
                FolderScan& first = read_->FirstRows();
                gridBase.TakeCells(std::move(first.base));
                orientations_ = std::move(first.orientations);
                gFileCount = first.counts.pictureCount;
                gExifCount = first.counts.exifCount;
                emit firstRowsRead();
            },
            Qt::QueuedConnection);
    };
    read_ =
        std::make_unique<FolderRead>(FolderRead::Request{folder, masks, flags, readDelay},
                                     std::move(progress), std::move(done), std::move(firstRows));
}

void FolderModel::StopRead() {
    if (!read_) return;
    RetireRead();
    emit readStopped();
}

void FolderModel::ReadDone(int generation) {
    if (generation != generation_ || !read_) {
        std::erase_if(stopped_, [generation](const auto& r) { return r.first == generation; });
        return;
    }
    FolderScan& scan = read_->Result();
    gridBase.TakeCells(std::move(scan.base));
    orientations_ = std::move(scan.orientations);
    gFileCount = scan.counts.fileCount;
    gExifCount = scan.counts.exifCount;
    lastCounts_ = scan.counts;
    read_.reset();
    emit readFinished();
}

std::string FolderModel::DefaultCacheDir() const {
    return paths.cacheDir.empty() ? gAppDir : paths.cacheDir;
}

std::string FolderModel::CacheFolderOfCurrent() const {
    return CacheFolder(gThumbDir, gCacheSubName);
}

int FolderModel::UprightOrientation(int pictNo) const {
    if (!upright || pictNo < 1 || pictNo >= static_cast<int>(orientations_.size())) return 0;
    return orientations_[static_cast<std::size_t>(pictNo)];
}

void FolderModel::SetModernItems(bool on) {
    if (on == ModernItems()) return;
    const int items = on ? kAllItemCount : kItemCount;
    const int before = itemGrid.RowCount();
    itemGrid.BeginUpdate();
    SetupPKomokuGrid(itemGrid, items);
    if (on) SetDefaultHeadings(itemGrid, before);
    itemGrid.EndUpdate();
    if (!on) {
        const auto gone = [items](int item) { return item > items; };
        std::erase_if(gItemList, gone);
        std::erase_if(gSortWorkList, gone);
    }
    emit itemCountChanged();
}

void FolderModel::ChooseItems(ItemList items) {
    gItemList = std::move(items);
    gListReady = true;
    emit itemsChanged();
}

void FolderModel::SetRowOrder(PictureList order) {
    gRowOrderList = std::move(order);
    gListReady = true;
    emit orderChanged();
}

} // namespace kamelune

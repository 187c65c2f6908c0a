#include "FolderModel.h"

#include "catalogue/BaseTable.h"
#include "catalogue/MyUtils.h"
#include "catalogue/SetKomoku.h"

namespace kamelune {

FolderModel::FolderModel(AppPaths appPaths, QObject* parent)
    : QObject(parent), paths(std::move(appPaths)), gAppDir(paths.appDir), fileMask(kPictureMasks),
      gridBase(kBaseCols, 1), gridExif(5, 1), itemGrid(4, kPKomokuRows) {
    gThumbDir = DefaultCacheDir();
    SetupPKomokuGrid(itemGrid);
    SetDefaultHeadings(itemGrid);
}

std::string FolderModel::DefaultCacheDir() const {
    return paths.cacheDir.empty() ? gAppDir : paths.cacheDir;
}

std::string FolderModel::CacheFolderOfCurrent() const {
    return CacheFolder(gThumbDir, gCacheSubName);
}

int FolderModel::UprightOrientation(int pictNo) const {
    if (!upright) return 0;
    return OrientationFromText(gridBase.Cell(ItemCol(kItemOrientation), pictNo));
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

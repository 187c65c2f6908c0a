// The state of the open folder that every window shares: its tables, the lists that order,
// select and caption them, where its cache lives, and the options the reader follows. app/
// creates one and hands it to each window; windows learn of each other's changes through its
// signals.
#pragma once

#include "catalogue/BaseTable.h"
#include "catalogue/SetKomoku.h"
#include "exif/ExifReader.h"
#include "platform/StringGrid.h"

#include <QObject>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace kamelune {

class FolderRead;

// Where the program keeps its files: the folder of the program (or the per-user data folder
// when that is not writable) and the settings file.
struct AppPaths {
    std::string appDir;
    std::string settingsPath;
    // The "Default.pkm" installed with the program, for a user whose folder holds none.
    std::string shippedPkm{};
    // The default place of the thumbnail cache; empty: appDir.
    std::string cacheDir{};
};
AppPaths ResolveAppPaths(const QString& programPath);

// A picture a command acts on: its number, its row in the EXIF table (0: none) and the text of
// its thumbnail panel.
struct PictureTarget {
    int pictNo = 0;
    int exifRow = 0;
    QString exifText;
};

class FolderModel : public QObject {
    Q_OBJECT
public:
    explicit FolderModel(AppPaths paths, QObject* parent = nullptr);
    ~FolderModel() override;

    // Reading the folder: a job on a thread of its own that reports by signals. A new read stops
    // the one running (between two files); when it is done, gridBase and the counts hold the
    // folder. Until then the base table holds its titles alone.
    void StartRead(const std::string& folder, const std::string& masks, ReadFlags flags);
    // Stops the running read; its result is dropped and readStopped said.
    void StopRead();
    bool Reading() const { return read_ != nullptr; }
    // Which read the tables come from: work begun on one read is not applied to another's.
    int ReadNumber() const { return generation_; }
    // The counts of the last read done.
    const FolderCounts& ReadCounts() const { return lastCounts_; }
    // A pause before each file of a read, each thumbnail made and the small picture (tests and
    // benchmarks: a slow disk).
    std::chrono::milliseconds readDelay{0};
    // Text for the user that the main window's status bar shows after the read (a show closed).
    void Tell(const QString& text) { emit notice(text); }

    const AppPaths paths;
    const std::string gAppDir; // where the settings and "Default.pkm" live
    std::string DefaultCacheDir() const;
    std::string gThumbDir;
    std::string gCacheSubName;
    std::string CacheFolderOfCurrent() const;

    // The folder shown (the folder list's current folder) and the pictures read from it.
    std::string currentDir;
    std::string fileMask; // the file-type filter's masks
    bool gListReady = false;
    int gFileCount = 0;
    int gExifCount = 0;
    StringGrid gridBase;
    StringGrid gridExif;
    // Sort keys (items), row order of the table, selected pictures in selection order, chosen
    // items.
    ItemList gSortWorkList;
    PictureList gRowOrderList, gSelectList;
    ItemList gItemList;
    // The item catalogue with the user's headings: every table heading comes from it.
    StringGrid itemGrid;

    // Options of the view: only pictures with EXIF; pictures turned upright by their EXIF
    // orientation.
    bool exifOnly = false;
    bool upright = false;
    // The thumbnail pane: 1 pictures, 2 four items, 3 all items.
    int pane = 1;
    // The orientation to turn picture n upright by when that option is on, else 0: the picture's
    // own, also when it is JFIF-first and its EXIF items are not read.
    int UprightOrientation(int pictNo) const;
    // The items of today's cameras (76 to 95) in the catalogue, an option: the item grid grows
    // or shrinks (keeping the user's choices and headings of the others) and says so; the folder
    // must then be read again for the columns.
    bool ModernItems() const { return ItemCount() > kItemCount; }
    int ItemCount() const { return itemGrid.RowCount() - 1; }
    void SetModernItems(bool on);

    // Changes a window makes that others show: each sets what it names and emits its signal.
    void ChooseItems(ItemList items);
    void SetRowOrder(PictureList order);
    void SelectionChanged() { emit selectionChanged(); }
    void FolderOpened() { emit folderOpened(); }
    void ShowPage(int page) { emit pageWanted(page); }
    void SetPane(int newPane) {
        pane = newPane;
        emit paneChanged(newPane);
    }
    void FilesRenamed(bool many) { emit filesRenamed(many); }
    void SelectTableRow(int row) { emit tableRowWanted(row); }
    void ShowInSmallPicture(int row) { emit smallPictureWanted(row); }
    void PictureClicked(int pictNo) { emit pictureClicked(pictNo); }

signals:
    // Another folder is about to be read: views start again from their first page.
    void folderOpened();
    // A read started (the tables are empty until it is done), moved on (n rows read), ended
    // with the folder's tables in place, or was stopped.
    void readStarted();
    // A large folder's first rows are in the base table (gFileCount counts them alone): they
    // may be shown while the rest is read; the read goes on.
    void firstRowsRead();
    void rowsRead(int n);
    void readFinished();
    void readStopped();
    void notice(const QString& text);
    // The thumbnail page to build from the tables (0: the page shown now).
    void pageWanted(int page);
    void paneChanged(int pane);
    void selectionChanged();
    // The item dialog applied a new choice of items.
    void itemsChanged();
    // The catalogue gained or lost today's items.
    void itemCountChanged();
    // The sort dialog set a new row order.
    void orderChanged();
    // Pictures of the folder were renamed (many: by the batch rename); the folder is read again.
    void filesRenamed(bool many);
    // The slideshow moved: the table row (1-based) to make current, and to show in the small
    // picture when that is shown.
    void tableRowWanted(int row);
    void smallPictureWanted(int row);
    // A picture was picked in the table (the slideshow follows it when open).
    void pictureClicked(int pictNo);

private:
    void ReadDone(int generation);
    void RetireRead();
    std::unique_ptr<FolderRead> read_;
    int generation_ = 0; // of the read running
    FolderCounts lastCounts_;
    std::vector<std::uint8_t> orientations_; // by picture number, for display
    // Reads stopped but maybe still in their last file, by generation; released as they end.
    std::vector<std::pair<int, std::unique_ptr<FolderRead>>> stopped_;
};

} // namespace kamelune

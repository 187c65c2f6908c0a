// The state of the open folder that every window shares: its tables, the lists that order,
// select and caption them, where its cache lives, and the options the reader follows. app/
// creates one and hands it to each window; windows learn of each other's changes through its
// signals.
#pragma once

#include "catalogue/ColumnWidths.h"
#include "catalogue/DisplayAttributes.h"
#include "catalogue/FolderScan.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/Selection.h"
#include "catalogue/ViewTable.h"
#include "catalogue/ui/FolderPlaces.h"
#include "catalogue/ui/FolderReader.h"
#include "exif/ExifReader.h"
#include "platform/StringGrid.h"

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kamelune {

// A picture a command acts on: its number, its row in the EXIF table (0: none) and the text of
// its thumbnail panel.
struct PictureTarget {
    int pictNo = 0;
    int exifRow = 0;
    QString exifText;
};

// Requests between views: a page to build, a table row to make current, a picture for the small
// picture, a picture picked in the table. They change nothing of the folder's state.
class ViewRequests : public QObject {
    Q_OBJECT
public:
    void ShowPage(int page) { emit pageWanted(page); }
    void SelectTableRow(int row) { emit tableRowWanted(row); }
    void ShowInSmallPicture(int row) { emit smallPictureWanted(row); }
    void PictureClicked(int pictNo) { emit pictureClicked(pictNo); }

signals:
    // The thumbnail page to build from the tables (0: the page shown now).
    void pageWanted(int page);
    // The slideshow moved: the table row (1-based) to make current, and to show in the small
    // picture when that is shown.
    void tableRowWanted(int row);
    void smallPictureWanted(int row);
    // A picture was picked in the table (the slideshow follows it when open).
    void pictureClicked(int pictNo);
};

// The options of reading, of the file commands and of the views, as the menus show them.
struct FolderOptions {
    bool cutMakerNote = true;   // maker notes cut to 5 characters
    bool cutUserComment = true; // user comments likewise
    bool exifAfterJfif = false; // also the EXIF block after a JFIF header
    bool deleteToTrash = false; // delete moves the picture to the trash
    bool allPictures = false;   // every picture of a folder gets a row, not the first 2,000
    bool rawHeic = false;       // HEIC and RAW files are listed and read beside the JPEGs
    bool exifOnly = false;      // the views show only pictures with EXIF
    bool upright = false;       // pictures turned upright by their EXIF orientation when shown
    bool operator==(const FolderOptions&) const = default;
};

class FolderModel : public QObject {
    Q_OBJECT
public:
    explicit FolderModel(AppPaths paths, QObject* parent = nullptr);
    // What a setting without a signal of its own names when it changes.
    enum class Aspect { SortKeys, Options, ItemCatalogue, ChosenItems };
    Q_ENUM(Aspect)
    ~FolderModel() override;

    // Reading the folder: the model's job (see FolderReader), which says by its signals when a
    // read starts, moves on and ends. StartRead empties the base table to its titles, then
    // reads; when the read is done the base table and the counts hold the folder.
    void StartRead(const std::string& folder, const std::string& masks, ReadFlags flags);
    FolderReader& Reader() { return reader_; }
    const FolderReader& Reader() const { return reader_; }
    // The counts of the last read done.
    const FolderCounts& ReadCounts() const { return lastCounts_; }
    // Text for the user that the main window's status bar shows after the read (a show closed).
    void Tell(const QString& text) { emit notice(text); }

    // Where things are and which folder is shown.
    const FolderPlaces& Places() const { return places_; }
    FolderPlaces& Places() { return places_; }
    // The column widths the user set, by table and heading (read at start).
    ColumnWidths& Widths() { return widths_; }
    // Start-up is over (the settings, the items and the first folder are in place): from now on
    // a change of folder is read and pages are built. Only the main window ends the start-up.
    bool Started() const { return started_; }
    void EndStartUp() { started_ = true; }
    // The current folder is read afresh: its cache subfolder, no selection, no sort order, an
    // empty view.
    void BeginFolder();
    // The same folder read again: no selection, no sort order.
    void ForgetSelectionAndOrder();

    // The pictures read from the folder: their base table (item k in column k + 1), the EXIF
    // table the views show (the chosen items, in row order), the counts.
    const StringGrid& Base() const { return base_; }
    const StringGrid& View() const { return view_; }
    int FileCount() const { return fileCount_; }
    int ExifCount() const { return exifCount_; }
    // The item catalogue with the user's headings: every table heading comes from it.
    const StringGrid& Items() const { return itemGrid_; }
    // Sort keys (items), row order of the table, selected pictures in selection order, chosen
    // items.
    const ItemList& SortKeys() const { return sortKeys_; }
    void SetSortKeys(ItemList keys) { Assign(sortKeys_, std::move(keys), Aspect::SortKeys); }
    const PictureList& RowOrder() const { return rowOrder_; }
    const PictureList& Selected() const { return selected_; }
    const ItemList& ChosenItems() const { return chosenItems_; }

    // The EXIF table made again from the base table: "ALL" items, or the chosen ones ("TABLE");
    // exifOnly leaves out pictures without EXIF. Then its look: fixed columns (one, or three
    // when asked for and the table is wider).
    void MakeView(const std::string& mode, bool exifOnly);
    void SetViewLook(bool threeFixed);
    // The sizes the thumbnail cache knows of picture n (width, height, size text).
    void SetPictureSizes(int pictNo, const std::vector<std::string>& sizeLines);
    // A change of the selection, on both tables and the list at once; says selectionChanged
    // when change says it changed something.
    bool ChangeSelection(const std::function<bool(SelectionTables&)>& change);

    // How the thumbnails are drawn; displayChanged says a change.
    const DisplayAttributes& Display() const { return display_; }
    void SetDisplay(const DisplayAttributes& display) {
        if (display == display_) return;
        display_ = display;
        emit displayChanged();
    }

    const FolderOptions& Options() const { return options_; }
    void SetOptions(const FolderOptions& options) { Assign(options_, options, Aspect::Options); }
    // What a read of the folder follows now: the options and the items that get columns.
    ReadFlags ReadFlagsNow() const;

    // The thumbnail pane: 1 pictures, 2 four items, 3 all items.
    int Pane() const { return pane_; }
    // The orientation to turn picture n upright by when that option is on, else 0: the picture's
    // own, also when it is JFIF-first and its EXIF items are not read.
    int UprightOrientation(int pictNo) const;
    // The items of today's cameras (76 to 95) in the catalogue, an option: the item grid grows
    // or shrinks (keeping the user's choices and headings of the others) and says so; the folder
    // must then be read again for the columns.
    bool ModernItems() const { return ItemCount() > kItemCount; }
    int ItemCount() const { return itemGrid_.RowCount() - 1; }
    void SetModernItems(bool on);
    // The item catalogue (headings and choice marks) and the chosen items, as the item dialog
    // made them on its copy or a ".pkm" file gave them; no view follows yet (ChooseItems).
    void SetItemCatalogue(const StringGrid& items, ItemList chosen);
    void SetChosenItems(ItemList items) {
        Assign(chosenItems_, std::move(items), Aspect::ChosenItems);
    }

    // Changes a window makes that others show: each sets what it names and emits its signal.
    void ChooseItems(ItemList items);
    void SetRowOrder(PictureList order);
    void FolderOpened() { emit folderOpened(); }
    void SetPane(int newPane) {
        if (newPane == pane_) return;
        pane_ = newPane;
        emit paneChanged(newPane);
    }
    void FilesRenamed(bool many) { emit filesRenamed(many); }

    // What one view asks of another, apart from the notices of change above.
    ViewRequests& Requests() { return requests_; }

signals:
    // Another folder is about to be read: views start again from their first page.
    void folderOpened();
    void notice(const QString& text);
    void paneChanged(int pane);
    void selectionChanged();
    // The item dialog applied a new choice of items.
    void itemsChanged();
    // The display attributes changed.
    void displayChanged();
    // The catalogue gained or lost today's items.
    void itemCountChanged();
    // The sort dialog set a new row order.
    void orderChanged();
    // Pictures of the folder were renamed (many: by the batch rename); the folder is read again.
    void filesRenamed(bool many);
    // A setting without a signal of its own changed.
    void changed(kamelune::FolderModel::Aspect aspect);

private:
    template <class T, class V> void Assign(T& member, V&& value, Aspect aspect) {
        if (member == value) return;
        member = std::forward<V>(value);
        emit changed(aspect);
    }
    void TakeScan(FolderScan& scan, bool firstRows);
    ViewRecipe Recipe(const std::string& mode, bool exifOnly) const;
    FolderPlaces places_;
    ColumnWidths widths_;
    bool started_ = false;
    int fileCount_ = 0;
    int exifCount_ = 0;
    StringGrid base_;
    StringGrid view_;
    ItemList sortKeys_;
    PictureList rowOrder_, selected_;
    ItemList chosenItems_;
    StringGrid itemGrid_;
    FolderOptions options_;
    ViewRequests requests_;
    DisplayAttributes display_;
    int pane_ = 1;
    FolderReader reader_;
    FolderCounts lastCounts_;
    std::vector<std::uint8_t> orientations_; // by picture number, for display
    // The view a read made of the table it hands over, and what it was made from; MakeView takes
    // it when asked for the same, before anything else changes the tables.
    std::optional<StringGrid> readView_;
    ViewRecipe readRecipe_;
};

} // namespace kamelune

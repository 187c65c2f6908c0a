// The thumbnail tab: pages of panels built from the folder model's tables and the cache, its tool
// bar (page, pictures per page, pane, size line) and the pictures by keyboard.
#pragma once

#include "catalogue/ui/FolderModel.h"
#include "thumbnails/Pkm.h"
#include "thumbnails/ui/ThumbPanel.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace kamelune {

class DialogService;

class ThumbLoader;
struct ThumbnailOutcome;

// The page's controls, kept to itself; Controls() lends them to tests.
struct ThumbnailControls {
    QToolBar* thumbnailToolBar = nullptr;
    QToolButton *displayButton = nullptr, *itemsButton = nullptr;
    QComboBox* pageCombo = nullptr;
    QLabel* pageLabel = nullptr;
    QComboBox* perPageCombo = nullptr;
    QLabel* perPageLabel = nullptr;
    QToolButton *picturesOnlyButton = nullptr, *fourItemsButton = nullptr,
                *allItemsButton = nullptr;
    QCheckBox* sizeCheck = nullptr;
    QToolButton* htmlTableButton = nullptr;
    QScrollArea* panelScroll = nullptr;
    QWidget* pageWidget = nullptr; // the scroll box's content, parent of the panels
};

class ThumbnailPage : public QWidget, private ThumbnailControls {
    Q_OBJECT
public:
    // attributes: the colours and emphasis the display dialog holds, read at every page build.
    ThumbnailPage(FolderModel& model, DialogService& dialogs, QWidget* parent = nullptr);
    ~ThumbnailPage() override;

    const ThumbnailControls& Controls() const { return *this; }
    // The page shown: its panels, its number (1-based) and the count of pages.
    const std::vector<std::unique_ptr<PanelRecord>>& Panels() const { return pagePanels_; }
    int CurrentPage() const { return currentPage_; }
    int PageCount() const { return pageCount_; }
    // Worker threads that make a page's missing thumbnails (0: one per core; 1 for comparison).
    void SetThumbnailThreads(int threads) { thumbnailThreads_ = threads; }
    // Hears of every panel as it goes on screen (benchmarks).
    void SetPanelBuilt(std::function<void(int position)> heard) { panelBuilt_ = std::move(heard); }

    // Starts building a page: the panels whose thumbnails are cached at once, the others as their
    // jobs finish, in page order. A page still being built is dropped.
    void BuildPage(int page);
    bool Building() const { return build_ != nullptr; }
    // Thumbnails being made now, of this page or of pages left.
    int ThumbnailsBeingMade() const;
    // made: the thumbnail the loader made for it; none: from the cache now.
    bool AddPanel(int position, int columns, const std::string& fileName, ThumbnailOutcome* made);
    void ClearPanels();
    void ArrangePanels();
    void ArrangeOnResize() { ArrangePanels(); }
    Pane CurrentPane() const;
    int PageInBox() const; // the page number pageCombo shows
    void SetPageBox(int current, int count);
    void PageChosen();
    void PerPageChosen();
    void PaneClicked();
    void SizeToggled();
    void PanelClicked(PanelRecord& rec);
    void PanelDoubleClicked(PanelRecord& rec);
    void RefreshPanelsFromTable(); // every panel from its selection cell
    // The pictures by keyboard: the framed picture of the page (-1: none), and what a key does.
    void SetCurrentPanel(int position);
    bool ThumbnailKey(int key);
    // What the popup menu and the slideshow need of a panel.
    static PictureTarget Target(const PanelRecord& rec);

signals:
    void built(); // the page has all its panels
    void status(const QString& text);
    void countsShown(const QString& text); // "EXIF/pictures" of the page build
    void panelMenuRequested(const PictureTarget& target, const QPoint& globalPos);
    void slideshowRequested(const PictureTarget& target); // Enter on a picture
    void itemsRequested();
    void displayRequested();
    void htmlTableRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::unique_ptr<PanelRecord>> pagePanels_;
    int picturesPerPage_ = 16;
    int currentPage_ = 1;
    int firstOnPage_ = 0, lastOnPage_ = 0, pageCount_ = 0;
    bool pageBuilt_ = false;
    int thumbnailThreads_ = 0;
    std::function<void(int position)> panelBuilt_;
    struct Build;
    std::unique_ptr<Build> build_; // the page being built
    int builds_ = 0;               // the number of the last build started
    std::unique_ptr<ThumbLoader> loader_;
    void DropBuild();
    bool continuing_ = false, continueAgain_ = false;
    void ContinueBuild(); // the next panels whose thumbnails are there
    void FinishBuild();
    void Reset(); // a new folder: page 1 of 16 x 2
    bool OnScreen() const;
    FolderModel& model_;
    DialogService& dialogs_;
    std::string cacheProblem_;         // why the page being built could not be cached, once
    DisplayAttributes pageAttributes_; // read once per page build
};

} // namespace kamelune

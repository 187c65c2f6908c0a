// The "Exif表" tab: the open folder's EXIF table and the tool bar above it. The table's own
// behaviour (its look, the row jump, opening a picture, its mouse and keys) lives here and says
// what the user asked by signals; the main window answers them and keeps the selection and the
// popup menu, which the thumbnails share.
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <string>

class QCheckBox;
class QTimer;
class QSpinBox;
class QToolBar;
class QToolButton;

namespace kamelune {

class DialogService;
class FolderModel;
class GridView;
class StringGridModel;

class TablePage : public QWidget {
    Q_OBJECT
public:
    TablePage(FolderModel& model, DialogService& dialogs, QWidget* parent = nullptr);

    // The tab's controls (tests).
    struct Widgets {
        QToolBar* tableToolBar = nullptr;
        QCheckBox *smallPictureCheck = nullptr, *threeFixedCheck = nullptr;
        QToolButton *itemsButton = nullptr, *jumpButton = nullptr, *htmlTableButton = nullptr,
                    *tabWideButton = nullptr, *tabTallButton = nullptr;
        QSpinBox* jumpBox = nullptr;
        GridView* exifGrid = nullptr;
    };
    const Widgets& Controls() const { return w_; }

    // One fixed column, or three when asked for and the table is wider; then the grid's look,
    // with the widths the user set for its items.
    void ApplyViewLook();
    // Every item column as wide as its widest text in sight ("列幅を内容に合わせる"), kept.
    void FitColumnsToContents();
    // The kept widths written now (also a moment after each change).
    void SaveColumnWidths();
    void ThreeFixedToggled();
    // The jump box takes the table's rows and goes back to row 1.
    void ResetJumpBox();
    void JumpNow();
    void JumpBoxChanged();
    void OpenCurrentPicture(); // the current row's picture in the desktop's viewer
    // A press on the table at pos (viewport coordinates): column 1 selects, another column
    // picks the row's picture, the right button makes the row current and asks for the menu.
    void TablePressed(Qt::MouseButton button, const QPoint& pos);
    // The current row, 1-based (0: none).
    int CurrentTableRow() const;
    // Makes a row (1-based) current.
    void SelectRow(int row);
    // Makes the row of a picture of the folder current (nothing when it is not listed).
    void MakePictureCurrent(const std::string& name);
    // Whether the small picture is asked for (小画像表示).
    bool SmallPictureOn() const;
    // The commands that need the folder's tables whole (HTML2, the TAB texts): off while a read
    // runs.
    void SetCommandsEnabled(bool on);
    // The table's rectangle in the coordinates of an ancestor.
    QRect TableRectIn(const QWidget* ancestor) const;

signals:
    void selectionClicked(int row); // column 1 clicked, or Space on the row
    void rowClicked(int row);       // another column clicked
    void menuRequested(const QPoint& globalPos);
    void openRequested(); // Enter: the slideshow from the current row
    void smallPictureToggled();
    void itemsRequested();
    void html2Requested();
    void tabWideRequested();
    void tabTallRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kFirstItemColumn = 2; // after No and 選択
    static constexpr const char* kTableName = "Exif表";

    FolderModel& model_;
    DialogService& dialogs_;
    Widgets w_;
    StringGridModel* exifModel_ = nullptr;
    QTimer* saveWidths_ = nullptr;
    bool applyingWidths_ = false; // widths set by the program, not by the user
};

} // namespace kamelune

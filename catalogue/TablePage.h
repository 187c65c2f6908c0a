// The "Exif表" tab: the open folder's EXIF table and the tool bar above it. The table's own
// behaviour (its look, the row jump, opening a picture) lives here; the main window places the
// tab, answers its commands and keeps the selection and the popup menu, which the thumbnails
// share.
#pragma once

#include <QWidget>

class QCheckBox;
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

    QToolBar* ToolBarHyo = nullptr;
    QCheckBox *ChkBoxImage = nullptr, *ChkBox3fix = nullptr;
    QToolButton *SpeedBtnSetTKomoku = nullptr, *SpeedBtnJump = nullptr, *SpeedBtnHTML2 = nullptr,
                *SpeedBtnTab1 = nullptr, *SpeedButton1 = nullptr;
    QSpinBox* SpinEditJump = nullptr;
    GridView* StrGridExif = nullptr;

    // One fixed column, or three when asked for and the table is wider; then the grid's look.
    void ApplyViewLook();
    void ChkBox3fixClick();
    // The jump box takes the table's rows and goes back to row 1.
    void SetSpinEditJump();
    void SpeedBtnJumpClick();
    void SpinEditJumpChange();
    void StrGridExifDblClick(); // the current row's picture in the desktop's viewer
    // The current row, 1-based (0: none).
    int CurrentTableRow() const;
    // Makes the row of a picture of the folder current (nothing when it is not listed).
    void MakePictureCurrent(const std::string& name);

private:
    FolderModel& model_;
    DialogService& dialogs_;
    StringGridModel* exifModel_ = nullptr;
};

} // namespace kamelune

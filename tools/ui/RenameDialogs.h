// The batch rename of the selected pictures and the single rename of one picture.
#pragma once

#include "platform/StringGrid.h"
#include "platform/qt/GridView.h"
#include "tools/SortRename.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QToolButton;

namespace kamelune {

class DialogService;
class FolderModel;
class StringGridModel;

// The dialogs' controls; each dialog keeps them to itself and lends them to tests by Controls().
struct BatchRenameControls {
    QLineEdit* prefixEdit = nullptr;
    QCheckBox* prefixCheck = nullptr;
    QComboBox* firstItemCombo = nullptr;
    QCheckBox* firstItemCheck = nullptr;
    QComboBox* secondItemCombo = nullptr;
    QCheckBox* secondItemCheck = nullptr;
    QLineEdit* suffixEdit = nullptr;
    QCheckBox* suffixCheck = nullptr;
    QComboBox* extensionCombo = nullptr;
    StringGrid nameGrid;
    GridView* nameView = nullptr;
    QToolButton *previewButton = nullptr, *clearButton = nullptr, *renameAllButton = nullptr,
                *cancelButton = nullptr, *closeButton = nullptr;
};

class BatchRenameDialog : public QDialog, private BatchRenameControls {
public:
    BatchRenameDialog(FolderModel& folder, DialogService& dialogs);

    const BatchRenameControls& Controls() const { return *this; }

    void FillControls();
    // The pattern the controls describe.
    RenamePattern Pattern() const;
    void PreviewNames(); // MakeNewFilename for every row
    void ClearNames();
    void RenameListed(); // RenameAll

protected:
    void showEvent(QShowEvent* event) override;

private:
    int ItemOfBox(const QComboBox* box) const;
    StringGridModel* model_;
    FolderModel& folder_;
    DialogService& dialogs_;
};

struct SingleRenameControls {
    QLabel* oldNameLabel = nullptr;
    QLineEdit* newNameEdit = nullptr;
    QToolButton *renameOneButton = nullptr, *cancelButton = nullptr;
};

class SingleRenameDialog : public QDialog, private SingleRenameControls {
public:
    SingleRenameDialog(FolderModel& folder, DialogService& dialogs);

    // The picture (base row) to rename; exec() then shows it.
    void SetPicture(int pictNo) { picture_ = pictNo; }
    const SingleRenameControls& Controls() const { return *this; }

    void FillControls();
    void RenameNow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    int picture_ = 1;
    // The picture's name as the folder has it: the label shows it, but a name that is not UTF-8
    // does not survive the round trip through the label's text.
    std::string oldName_;
    FolderModel& folder_;
    DialogService& dialogs_;
};

} // namespace kamelune

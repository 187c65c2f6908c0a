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

class BatchRenameDialog : public QDialog {
public:
    BatchRenameDialog(FolderModel& folder, DialogService& dialogs);

    QLineEdit* prefixEdit;
    QCheckBox* prefixCheck;
    QComboBox* firstItemCombo;
    QCheckBox* firstItemCheck;
    QComboBox* secondItemCombo;
    QCheckBox* secondItemCheck;
    QLineEdit* suffixEdit;
    QCheckBox* suffixCheck;
    QComboBox* extensionCombo;
    StringGrid nameGrid;
    GridView* nameView;
    QToolButton *previewButton, *clearButton, *renameAllButton, *cancelButton, *closeButton;

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

class SingleRenameDialog : public QDialog {
public:
    SingleRenameDialog(FolderModel& folder, DialogService& dialogs);

    // The picture (base row) to rename; exec() then shows it.
    void SetPicture(int pictNo) { picture_ = pictNo; }
    QLabel* oldNameLabel;
    QLineEdit* newNameEdit;
    QToolButton *renameOneButton, *cancelButton;

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

// The sort dialog: up to four items as keys, in order of priority.
#pragma once

#include "platform/StringGrid.h"
#include "platform/qt/GridView.h"

#include <QDialog>

class QTableView;
class QToolButton;

namespace kamelune {

class DialogService;
class FolderModel;
class StringGridModel;

// The dialog's controls, kept to itself; Controls() lends them to tests.
struct SortControls {
    StringGrid sortGrid;
    GridView* sortView = nullptr;
    QToolButton *clearButton = nullptr, *sortButton = nullptr, *bottomSortButton = nullptr,
                *closeButton = nullptr, *bottomCloseButton = nullptr;
};

class SortDialog : public QDialog, private SortControls {
public:
    SortDialog(FolderModel& folder, DialogService& dialogs);

    const SortControls& Controls() const { return *this; }

    void FillControls() { ResetSortLines(); }
    void ResetSortLines();
    void SortLineClicked(int row);
    void ClearChoices();
    // The lines are taken at once; their collation goes on on a worker, and the order is applied
    // when it is done (not when the folder was read again meanwhile).
    void SortNow();
    bool Sorting() const { return sorting_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    StringGridModel* model_ = nullptr;
    int sorts_ = 0; // the newest sort asked for
    bool sorting_ = false;
    FolderModel& folder_;
    DialogService& dialogs_;
};

} // namespace kamelune

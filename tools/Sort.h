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

class TFormSort : public QDialog {
public:
    TFormSort(FolderModel& folder, DialogService& dialogs);

    StringGrid StrGridSort;
    GridView* GridSort = nullptr;
    QToolButton *SpeedBtnClear = nullptr, *SpeedBtnSort = nullptr, *SpeedButton1 = nullptr,
                *SpeedBtnClose = nullptr, *SpeedButton2 = nullptr;

    void FormShow() { InitSort(); }
    void InitSort();
    void StrGridSortClick(int row);
    void BtnClearClick();
    void BtnGoSortClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    StringGridModel* model_ = nullptr;
    FolderModel& folder_;
    DialogService& dialogs_;
};

} // namespace kamelune

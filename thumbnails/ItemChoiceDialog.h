// The item dialog: which EXIF items the table and the captions show, in which order, under which
// heading; saved with the display attributes in ".pkm" files.
#pragma once

#include "platform/StringGrid.h"
#include "platform/qt/GridView.h"

#include <QDialog>
#include <string>

class QTableView;
class QToolButton;

namespace kamelune {

class DialogService;
class FolderModel;
class StringGridModel;
struct DisplayAttributes;

class ItemChoiceDialog : public QDialog {
public:
    ItemChoiceDialog(FolderModel& folder, DialogService& dialogs);

    StringGrid& StrGridPKomoku; // the item catalogue of the folder model
    GridView* GridPKomoku = nullptr;
    QToolButton *SpeedBtnClear = nullptr, *SpeedBtnApply = nullptr, *SpeedBtnSave = nullptr,
                *SpeedBtnDefault = nullptr, *SpeedButton1 = nullptr, *SpeedBtnClose = nullptr,
                *SpeedButton2 = nullptr;

    void FormShow();
    void StrGridPKomokuClick(int col, int row);
    void BtnClearClick();
    void BtnApplyClick();
    void BtnSaveClick();
    void BtnSaveAsDefaultClick();
    void BtnLoadClick();
    void BtnCloseClick() { close(); }
    // Start-up: "Default.pkm" beside the program, else the built-in choice and attributes
    // (true: the built-in choice, shown best in three columns).
    bool LoadDefaultItemFile();

    // The save and open dialogs of the ".pkm" files; false when cancelled or failed.
    bool SaveItemFile(const QString& title, const QString& fileName);
    bool LoadItemFile(const QString& title, const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    StringGridModel* model_ = nullptr;
    FolderModel& folder_;
    DialogService& dialogs_;
};

// The save dialog of a ".pkm" file and its writing; false when cancelled or failed.
bool SavePkmFile(DialogService& dialogs, const QString& title, const QString& fileName,
                 const std::string& folder, const StringGrid& items,
                 const DisplayAttributes& attributes);

inline const QString kPkmFilter = QStringLiteral("ｻﾑﾈｲﾙ表示項目ファイル(*.pkm)|*.pkm");

} // namespace kamelune

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

    StringGrid& itemGrid; // the item catalogue of the folder model
    GridView* itemView = nullptr;
    QToolButton *clearButton = nullptr, *applyButton = nullptr, *saveButton = nullptr,
                *saveAsDefaultButton = nullptr, *loadButton = nullptr, *closeButton = nullptr,
                *bottomCloseButton = nullptr;

    void FillControls();
    void ItemClicked(int col, int row);
    void ClearChoices();
    void Apply();
    void SaveToFile();
    void SaveAsDefault();
    void OpenFromFile();
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

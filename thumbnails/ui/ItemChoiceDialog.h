// The item dialog: which EXIF items the table and the captions show, in which order, under which
// heading; saved with the display attributes in ".pkm" files.
#pragma once

#include "catalogue/ItemCatalogue.h"
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

// The dialog's controls, kept to itself; Controls() lends them to tests.
struct ItemChoiceControls {
    StringGrid itemGrid; // a copy of the model's item catalogue, applied by Apply
    GridView* itemView = nullptr;
    QToolButton *clearButton = nullptr, *applyButton = nullptr, *saveButton = nullptr,
                *saveAsDefaultButton = nullptr, *loadButton = nullptr, *closeButton = nullptr,
                *bottomCloseButton = nullptr;
};

class ItemChoiceDialog : public QDialog, private ItemChoiceControls {
public:
    ItemChoiceDialog(FolderModel& folder, DialogService& dialogs);

    const ItemChoiceControls& Controls() const { return *this; }

    void FillControls();
    void ItemClicked(int col, int row);
    void ClearChoices();
    void Apply();
    void SaveToFile();
    void SaveAsDefault();
    void OpenFromFile();
    // Start-up: "Default.pkm" beside the program, else the built-in choice and attributes
    // (true: the built-in choice, shown best in three columns).
    bool LoadDefaultItemFile();

    // The save and open dialogs of the ".pkm" files; false when cancelled or failed.
    bool SaveItemFile(const QString& title, const QString& fileName);
    bool LoadItemFile(const QString& title, const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The model's catalogue and choice taken afresh (on showing, and when it changed).
    void TakeCatalogue();
    // The copy given to the model, without a view following yet.
    void GiveCatalogue();
    ItemList chosen_; // the choice being made on the copy
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

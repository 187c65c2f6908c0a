// 条件で選択: up to four conditions on EXIF values, joined by AND or OR, or the same typed as
// text; the pictures that meet them replace, extend or narrow the selection. Non-modal.
#pragma once

#include "catalogue/Conditions.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kamelune {

class DialogService;
class FolderModel;

struct ConditionRow {
    QComboBox* itemCombo = nullptr; // first entry: no condition
    QComboBox* testCombo = nullptr;
    QLineEdit* valueEdit = nullptr;
    QLineEdit* upToEdit = nullptr; // the upper end of 範囲
};

struct ConditionControls {
    std::array<ConditionRow, kMostConditions> rows;
    QRadioButton* allButton = nullptr; // AND
    QRadioButton* anyButton = nullptr; // OR
    QLineEdit* textEdit = nullptr;     // the conditions as text; used when not empty
    QRadioButton* replaceButton = nullptr;
    QRadioButton* extendButton = nullptr;
    QRadioButton* narrowButton = nullptr;
    QLabel* resultLabel = nullptr;
    QPushButton* selectButton = nullptr;
    QPushButton* closeButton = nullptr;
};

class ConditionDialog : public QDialog, private ConditionControls {
    Q_OBJECT
public:
    ConditionDialog(FolderModel& model, DialogService& dialogs, QWidget* parent = nullptr);
    const ConditionControls& Controls() const { return *this; }
    // The conditions the controls say; error set when the text cannot be read.
    ParsedConditions ReadConditions() const;
    // Selects the pictures that meet the conditions; false (and a message) when they cannot.
    bool SelectNow();
    // The item lists again (today's items on or off).
    void FillItems();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();
    FolderModel& model_;
    DialogService& dialogs_;
};

} // namespace kamelune

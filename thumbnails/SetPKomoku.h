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

class TFormMain;
class StringGridModel;

class TFormSetPKomoku : public QDialog {
public:
    TFormSetPKomoku();

    StringGrid StrGridPKomoku;
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
    void ApplyPKomoku();
    // Start-up: "Default.pkm" beside the program, else the built-in choice and attributes.
    void LoadDefaultPKomoku(TFormMain& main);

    // The save and open dialogs of the ".pkm" files; false when cancelled or failed.
    bool SavePKomokuFile(const QString& title, const QString& fileName);
    bool LoadPKomokuFile(const QString& title, const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    StringGridModel* model_ = nullptr;
};

inline const QString kPkmFilter = QStringLiteral("ｻﾑﾈｲﾙ表示項目ファイル(*.pkm)|*.pkm");

} // namespace kamelune

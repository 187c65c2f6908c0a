// The settings dialogs of the HTML album and the HTML table. Each hands its choices to the writer
// window as a value.
#pragma once

#include "present/ExportRun.h"

#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace kamelune {

class ColorSwatch;
class DialogService;
class FolderModel;
class ExportProgressWindow;

// The dialogs' controls; each dialog keeps them to itself and lends them to tests by Controls().
struct AlbumSettingsControls {
    QComboBox* captionPlaceCombo = nullptr;
    QSpinBox *columnsBox = nullptr, *borderBox = nullptr;
    QComboBox* textAlignCombo = nullptr;
    QCheckBox* thumbnailsCheck = nullptr;
    QSpinBox *smallSizeBox = nullptr, *smallQualityBox = nullptr;
    QCheckBox* linkCheck = nullptr;
    QRadioButton *originalRadio = nullptr, *reducedRadio = nullptr;
    QSpinBox *largeSizeBox = nullptr, *largeQualityBox = nullptr;
    QCheckBox *textFilesCheck = nullptr, *openAfterCheck = nullptr;
    ColorSwatch *backgroundSwatch = nullptr, *textColorSwatch = nullptr;
    QToolButton *makeButton = nullptr, *closeButton = nullptr;
};

class AlbumSettingsDialog : public QDialog, private AlbumSettingsControls {
public:
    AlbumSettingsDialog(FolderModel& model, DialogService& dialogs, ExportProgressWindow& writer);
    const AlbumSettingsControls& Controls() const { return *this; }

    void FillControls();
    void MakeExport();
    // The run's choices as the dialog shows them (the page's name is the writer's to add).
    ExportRun Choice() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    FolderModel& model_;
    DialogService& dialogs_;
    ExportProgressWindow& writer_;
};

struct TableSettingsControls {
    QCheckBox* thumbnailsCheck = nullptr;
    QSpinBox *smallSizeBox = nullptr, *smallQualityBox = nullptr;
    QCheckBox* linkCheck = nullptr;
    QRadioButton *originalRadio = nullptr, *reducedRadio = nullptr;
    QSpinBox *largeSizeBox = nullptr, *largeQualityBox = nullptr;
    QCheckBox* openAfterCheck = nullptr;
    QToolButton *makeButton = nullptr, *closeButton = nullptr;
};

class TableSettingsDialog : public QDialog, private TableSettingsControls {
public:
    TableSettingsDialog(FolderModel& model, DialogService& dialogs, ExportProgressWindow& writer);
    const TableSettingsControls& Controls() const { return *this; }

    void MakeExport();
    ExportRun Choice() const;

private:
    FolderModel& model_;
    DialogService& dialogs_;
    ExportProgressWindow& writer_;
};

} // namespace kamelune

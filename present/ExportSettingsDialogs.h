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

class AlbumSettingsDialog : public QDialog {
public:
    AlbumSettingsDialog(FolderModel& model, DialogService& dialogs, ExportProgressWindow& writer);
    QComboBox* captionPlaceCombo;
    QSpinBox *columnsBox, *borderBox;
    QComboBox* textAlignCombo;
    QCheckBox* thumbnailsCheck;
    QSpinBox *smallSizeBox, *smallQualityBox;
    QCheckBox* linkCheck;
    QRadioButton *originalRadio, *reducedRadio;
    QSpinBox *largeSizeBox, *largeQualityBox;
    QCheckBox *textFilesCheck, *openAfterCheck;
    ColorSwatch *backgroundSwatch, *textColorSwatch;
    QToolButton *makeButton, *closeButton;

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

class TableSettingsDialog : public QDialog {
public:
    TableSettingsDialog(FolderModel& model, DialogService& dialogs, ExportProgressWindow& writer);
    QCheckBox* thumbnailsCheck;
    QSpinBox *smallSizeBox, *smallQualityBox;
    QCheckBox* linkCheck;
    QRadioButton *originalRadio, *reducedRadio;
    QSpinBox *largeSizeBox, *largeQualityBox;
    QCheckBox* openAfterCheck;
    QToolButton *makeButton, *closeButton;

    void MakeExport();
    ExportRun Choice() const;

private:
    FolderModel& model_;
    DialogService& dialogs_;
    ExportProgressWindow& writer_;
};

} // namespace kamelune

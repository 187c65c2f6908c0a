// The display-attribute dialog: colours, caption font height, transparency and emphasis of the
// thumbnail captions. Its controls hold the attributes.
#pragma once

#include "platform/qt/Widgets.h"
#include "thumbnails/Pkm.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QToolButton;

namespace kamelune {

class DialogService;
class FolderModel;

class DisplaySettingsDialog : public QDialog {
    Q_OBJECT
public:
    DisplaySettingsDialog(FolderModel& folder, DialogService& dialogs);

    ColorSwatch *panelSwatch, *selectedSwatch, *numberSwatch, *fileNameSwatch,
        *selectionNumberSwatch, *textColorSwatch, *textBackSwatch, *emphasisSwatch;
    QComboBox* textSizeCombo;
    QCheckBox* transparentCheck;
    QListWidget* emphasisList;
    QToolButton *applyButton, *restoreDefaultsButton, *closeButton;

    // The attributes as the controls hold them, and back (which gives them to the model too).
    DisplayAttributes Attributes() const;
    void SetAttributes(const DisplayAttributes& a);

    void Apply();
    void RestoreDefaults();

signals:
    void applied(); // the thumbnail page shows the attributes anew

private:
    void Store(); // the controls' attributes to the model
    FolderModel& folder_;
    bool showing_ = false; // SetAttributes is filling the controls
    DialogService& dialogs_;
};

} // namespace kamelune

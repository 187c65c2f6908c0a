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

// The dialog's controls, kept to itself; Controls() lends them to tests.
struct DisplaySettingsControls {
    ColorSwatch *panelSwatch = nullptr, *selectedSwatch = nullptr, *numberSwatch = nullptr,
                *fileNameSwatch = nullptr, *selectionNumberSwatch = nullptr,
                *textColorSwatch = nullptr, *textBackSwatch = nullptr, *emphasisSwatch = nullptr;
    QComboBox* textSizeCombo = nullptr;
    QCheckBox* transparentCheck = nullptr;
    QListWidget* emphasisList = nullptr;
    QToolButton *applyButton = nullptr, *restoreDefaultsButton = nullptr, *closeButton = nullptr;
};

class DisplaySettingsDialog : public QDialog, private DisplaySettingsControls {
    Q_OBJECT
public:
    DisplaySettingsDialog(FolderModel& folder, DialogService& dialogs);

    const DisplaySettingsControls& Controls() const { return *this; }

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

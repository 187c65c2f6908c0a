// The caption settings of the slideshow: whether the captions show, their size, colours and
// transparency. Each change goes to the show as a style at once; OK lays the lines out again.
#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QSpinBox;
class QToolButton;

namespace kamelune {

class ColorSwatch;
class DialogService;

// How the captions of a show look; the caption settings give it to the show as a value.
struct CaptionStyle {
    bool shown = true;
    int size = 12;
    std::uint32_t text = 0xFF0000;
    std::uint32_t back = 0xFFFFFF;
    bool transparent = true;
};
// What of the style a control of the settings changed.
enum class CaptionAspect { Shown, Size, Colors, Transparency };

struct CaptionControls {
    QCheckBox* showCaptionsCheck = nullptr;
    QSpinBox* textSizeBox = nullptr;
    ColorSwatch *textColorSwatch = nullptr, *textBackSwatch = nullptr;
    QCheckBox* transparentCheck = nullptr;
    QToolButton *itemsButton = nullptr, *okButton = nullptr;
};

class CaptionSettingsDialog : public QDialog, private CaptionControls {
    Q_OBJECT
public:
    explicit CaptionSettingsDialog(DialogService& dialogs);
    const CaptionControls& Controls() const { return *this; }

    void CaptionsToggled();
    void TextSizeChanged();
    void ApplyColors();
    void TransparencyToggled();
    void ApplyAndClose();
    CaptionStyle Style() const;

signals:
    void itemsRequested(); // 表示項目: the item dialog
    void styleChanged(const kamelune::CaptionStyle& style, kamelune::CaptionAspect aspect);
    void applied(); // OK: the show lays out its caption lines again
};

} // namespace kamelune

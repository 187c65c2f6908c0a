// The display-attribute dialog: colours, caption font height, transparency and emphasis of the
// thumbnail captions. Its controls hold the attributes.
#pragma once

#include "thumbnails/Pkm.h"

#include <QDialog>
#include <QFrame>
#include <functional>

class QCheckBox;
class QComboBox;
class QListWidget;
class QToolButton;

namespace kamelune {

// A 20 × 20 colour swatch that opens the colour dialog when clicked.
class ColorSwatch : public QFrame {
public:
    ColorSwatch(const char* name, QWidget* parent);
    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t bgr);
    void Click();                    // what a click does: the colour dialog, then the new colour
    std::function<void()> onChanged; // after a colour was chosen

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Painted by hand: a style, or the tool bar it sits on, may not fill a frame's background.
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t color_ = 0;
};

class TFormPHyoji : public QDialog {
public:
    TFormPHyoji();

    ColorSwatch *PanelPPanelColor, *PanelSelColor, *PanelNoColor, *PanelFNameColor,
        *PanelSelNoColor, *PanelMojiColor, *PanelMjBackColor, *PanelKyochoColor;
    QComboBox* CmbBoxMojiH;
    QCheckBox* ChkBoxToka;
    QListWidget* ChkListBoxKyocho;
    QToolButton *SpeedBtnApply, *SpeedBtnDefault, *SpeedButton2;

    // The attributes as the controls hold them, and back.
    DisplayAttributes Attributes() const;
    void SetAttributes(const DisplayAttributes& a);
    void SetChkListBoxKyocho(const std::vector<std::string>& names);

    void BtnApplyClick();
    void SpeedBtnDefaultClick();
};

} // namespace kamelune

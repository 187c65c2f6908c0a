// Small widget helpers shared by the forms.
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>

class QToolButton;
class QWidget;

namespace kamelune {

class DialogService;

// A named tool button; added to the parent when it is a tool bar.
QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text,
                            const QString& hint = {}, bool checkable = false);

// Qt's own Japanese translations, so that standard dialogs and buttons read in Japanese like the
// rest of the program, whatever the locale. False when they are not installed.
bool LoadQtJapanese();

// A colour kept as a 0x00BBGGRR number (the settings file's form).
QColor Bgr(std::uint32_t bgr);

// A 20 × 20 colour swatch that opens the colour dialog when clicked.
class ColorSwatch : public QFrame {
public:
    ColorSwatch(const char* name, DialogService& dialogs, QWidget* parent);
    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t bgr);
    void Click();                    // what a click does: the colour dialog, then the new colour
    std::function<void()> onChanged; // after a colour was chosen

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Painted by hand: a style, or the tool bar it sits on, may not fill a frame's background.
    void paintEvent(QPaintEvent* event) override;

private:
    DialogService& dialogs_;
    std::uint32_t color_ = 0;
};

struct RgbImage;
// A decoded picture as a Qt image (copied).
QImage ToQImage(const RgbImage& picture);
// The same without a copy: the image takes the picture's pixels. Made on a worker, it is handed
// to the window as it is.
QImage ToQImage(RgbImage&& picture);

// A picture painted a part at a time: only what is exposed is converted for the screen, so a
// picture of 100 megapixels costs the user-interface thread no more than the window's size.
class ImageView : public QWidget {
public:
    explicit ImageView(QWidget* parent = nullptr) : QWidget(parent) {}
    void SetImage(QImage image);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace kamelune

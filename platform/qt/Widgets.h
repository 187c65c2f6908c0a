// Small widget helpers shared by the forms.
#pragma once

#include <QImage>
#include <QString>

class QToolButton;
class QWidget;

namespace kamelune {

// A named tool button; added to the parent when it is a tool bar.
QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text,
                            const QString& hint = {}, bool checkable = false);

struct RgbImage;
// A decoded picture as a Qt image (copied).
QImage ToQImage(const RgbImage& picture);

} // namespace kamelune

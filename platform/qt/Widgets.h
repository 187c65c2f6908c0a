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

// Qt's own Japanese translations, so that standard dialogs and buttons read in Japanese like the
// rest of the program, whatever the locale. False when they are not installed.
bool LoadQtJapanese();

struct RgbImage;
// A decoded picture as a Qt image (copied).
QImage ToQImage(const RgbImage& picture);

} // namespace kamelune

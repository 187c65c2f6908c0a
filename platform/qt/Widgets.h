// Small widget helpers shared by the forms.
#pragma once

#include <QObject>
#include <QString>

class QToolButton;
class QWidget;

namespace kamelune {

// A named tool button; added to the parent when it is a tool bar.
QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text,
                            const QString& hint = {}, bool checkable = false);

// While it lives, input meant for widgets is taken and dropped (and windows do not close), as a
// modal progress window would: the event loop keeps running, so windows repaint and input is
// answered at once rather than queued behind slow work.
class InputHold : public QObject {
public:
    InputHold();
    ~InputHold() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kamelune

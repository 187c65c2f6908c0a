// The About box: the program's title, its versions and those of what it is built on.
#pragma once

#include <QDialog>

namespace kamelune {

class TFormVersion : public QDialog {
public:
    TFormVersion();
};

} // namespace kamelune

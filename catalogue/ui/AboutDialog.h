// The About box: the program's title, its versions and those of what it is built on.
#pragma once

#include <QDialog>

namespace kamelune {

class AboutDialog : public QDialog {
public:
    AboutDialog();
};

} // namespace kamelune

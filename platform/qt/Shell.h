// Desktop services: open with the default application, the trash, the clipboard.
#pragma once

#include "platform/FileUtil.h"

#include <QString>

namespace kamelune {

// Opens a document with the application the desktop associates with it; fails, saying so in
// Japanese, when no application takes it.
FileResult OpenDocument(const QString& path);
// Opens a web address in the user's browser; likewise.
FileResult OpenWebAddress(const QString& url);

// Moves a file or a whole folder tree to the freedesktop trash. Never deletes: where no trash
// can take it, fails and says why.
FileResult MoveToTrash(const QString& path);

void SetClipboardText(const QString& text);

} // namespace kamelune

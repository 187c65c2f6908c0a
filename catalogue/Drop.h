// Which dropped files the main window takes, and where they go.
#pragma once

#include <string>

namespace kamelune {

// A dropped file is taken when its extension, upper-cased, is ".JPG" or ".JPEG".
bool IsDroppableJpeg(const std::string& path);
// The path the dropped file is copied to in folder.
std::string DropDestination(const std::string& folder, const std::string& droppedPath);

} // namespace kamelune

#include "Drop.h"

#include "catalogue/ItemColumns.h"

namespace kamelune {

bool IsDroppableJpeg(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ext = name.substr(dot);
    for (char& c : ext)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return ext == ".JPG" || ext == ".JPEG";
}

std::string DropDestination(const std::string& folder, const std::string& droppedPath) {
    const auto slash = droppedPath.rfind('/');
    const std::string name =
        slash == std::string::npos ? droppedPath : droppedPath.substr(slash + 1);
    return (folder == "/" ? "" : folder) + "/" + name;
}

} // namespace kamelune

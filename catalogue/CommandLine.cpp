#include "CommandLine.h"

#include "platform/FileUtil.h"
#include "platform/Jpeg.h"

#include <filesystem>

namespace kamelune {

CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& cwd) {
    CommandLine c;
    auto fail = [&](std::string why) {
        c = {};
        c.action = CommandLine::Action::Error;
        c.message = std::move(why);
        return c;
    };
    std::string target;
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            c.action = CommandLine::Action::Help;
            return c;
        }
        if (a == "--version") {
            c.action = CommandLine::Action::Version;
            return c;
        }
        if (a.size() > 1 && a.front() == '-') return fail("unknown option: " + a);
        if (!target.empty()) return fail("only one folder or picture can be opened");
        target = a;
    }
    if (target.empty()) return c;
    namespace fs = std::filesystem;
    const fs::path path = (fs::path(cwd) / target).lexically_normal();
    std::string full = path.string();
    if (full.size() > 1 && full.back() == '/') full.pop_back();
    if (DirectoryExists(full)) {
        c.folder = full;
    } else if (FileExists(full)) {
        c.folder = path.parent_path().string();
        c.picture = path.filename().string();
    } else {
        return fail("no such folder or picture: " + target);
    }
    return c;
}

bool AsksForHelpOrVersion(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h" || a == "--version") return true;
    return false;
}

std::string HelpText() {
    return "Usage: kamelune [FOLDER | PICTURE]\n"
           "Browse and analyse the EXIF data of a folder of JPEG photographs.\n"
           "\n"
           "  FOLDER      open this folder in place of the one left open last time\n"
           "  PICTURE     open the picture's folder with the picture's row current\n"
           "  --help      show this help and exit\n"
           "  --version   show the versions of Kamelune, Qt and libjpeg-turbo and exit\n";
}

std::string VersionText(const std::string& qtVersion) {
    return "Kamelune 0.8C\nQt " + qtVersion + "\nlibjpeg-turbo " + JpegLibraryVersion() + "\n";
}

} // namespace kamelune

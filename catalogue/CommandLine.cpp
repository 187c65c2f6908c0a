#include "CommandLine.h"

#include "platform/FileUtil.h"
#include "platform/Jpeg.h"

#include <cctype>
#include <filesystem>

namespace kamelune {

namespace {

// Why a file cannot be opened as a picture of its folder, "" when it can: the folder lists only
// *.jpg and *.jpeg, and a JPEG file starts with FF D8.
std::string NotAPictureReason(const std::string& path) {
    namespace fs = std::filesystem;
    std::string ext = fs::path(path).extension().string();
    for (char& ch : ext)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (ext != ".jpg" && ext != ".jpeg") return "not a JPEG picture (*.jpg, *.jpeg)";
    std::string head;
    if (!ReadFileStart(path, head, 2).ok) return "cannot be read";
    if (head != "\xFF\xD8") return "not a JPEG picture";
    return {};
}

// Qt's own options that take a value, which Qt removes from the arguments itself.
bool QtOptionWithValue(const std::string& a) {
    static const char* const options[] = {"-platform",
                                          "-platformpluginpath",
                                          "-platformtheme",
                                          "-plugin",
                                          "-qmljsdebugger",
                                          "-qwindowgeometry",
                                          "-qwindowicon",
                                          "-qwindowtitle",
                                          "-session",
                                          "-style",
                                          "-stylesheet",
                                          "-display",
                                          "-geometry",
                                          "-title",
                                          "-name",
                                          "-visual",
                                          "-ncols",
                                          "-cmap",
                                          "-im",
                                          "-inputstyle"};
    for (const char* o : options)
        if (a == o || a == std::string("-") + o) return true;
    return false;
}

bool QtOptionAlone(const std::string& a) {
    static const char* const options[] = {"-reverse", "-widgetcount", "-nograb", "-dograb",
                                          "-sync"};
    for (const char* o : options)
        if (a == o || a == std::string("-") + o) return true;
    return a.starts_with("-platform=") || a.starts_with("--platform=") ||
           a.starts_with("-style=") || a.starts_with("--style=");
}

} // namespace

std::vector<std::string> WithoutQtOptions(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (QtOptionWithValue(args[i])) {
            ++i;
            continue;
        }
        if (!QtOptionAlone(args[i])) rest.push_back(args[i]);
    }
    return rest;
}

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
        if (const std::string why = NotAPictureReason(full); !why.empty())
            return fail(why + ": " + target);
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

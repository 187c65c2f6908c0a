// The program's command line: kamelune [--help] [--version] [FOLDER|PICTURE]. No Qt.
#pragma once

#include <string>
#include <vector>

namespace kamelune {

struct CommandLine {
    enum class Action { Run, Help, Version, Error } action = Action::Run;
    std::string folder;  // to open in place of the stored one; empty: the stored one
    std::string picture; // a picture of that folder to make current; may be empty
    std::string message; // what is wrong, for Error
};

// args without the program name; relative paths are taken from cwd.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& cwd);

// args without the options Qt takes for itself (-platform NAME, -style NAME, -reverse, ...): the
// command line can then be checked before the application, which needs a display, exists.
std::vector<std::string> WithoutQtOptions(const std::vector<std::string>& args);

// True when args ask for help or the version: answered before any window or display exists.
bool AsksForHelpOrVersion(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText(const std::string& qtVersion);

} // namespace kamelune

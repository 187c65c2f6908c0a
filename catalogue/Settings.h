// The main settings as the settings file keeps them.
#pragma once

#include "platform/IniFile.h"

#include <string>
#include <vector>

namespace kamelune {

struct MainSettings {
    int left = -1, top = -1, width = -1, height = -1;
    std::string activePage = "TabSheetTable";
    std::string dir;      // default: the user's home folder
    std::string thumbDir; // default: the program folder
    int pane = -1;        // thumbnail pane 1..3 (key "Hairetu"); -1 leaves the design state
    // Options, written only when on: a settings file that never used them stays as it was.
    bool exifAfterJfif = false;
    bool deleteToTrash = false;
    bool upright = false;
    bool modernItems = false; // the items of today's cameras (76 to 95) in the catalogue
    bool allPictures = false; // a folder's pictures past the 2,000th get rows too
    bool rawHeic = false;     // HEIC and RAW files listed and read beside the JPEGs
};

// A window's frame, or a screen's free area, in desktop pixels.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
};
// A saved window place as it can be shown: unchanged while it lies wholly on one of the screens;
// else moved (and made no larger) onto the screen it overlaps most, or the first, so that a
// place saved on a screen that is gone never leaves the window out of reach.
ScreenRect PlaceOnScreens(ScreenRect window, const std::vector<ScreenRect>& screens);

MainSettings ReadMainSettings(const IniFile& ini, const std::string& homeDir,
                              const std::string& appDir);
void WriteMainSettings(IniFile& ini, const MainSettings& settings);

} // namespace kamelune

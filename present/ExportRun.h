// One run of the HTML album or HTML table writer, with every value it needs taken beforehand, so
// that it runs on a worker thread: image files, page sizes, the page, text files. A stop ends the
// album's run: the phase running and every later one.
#pragma once

#include "present/HtmlExport.h"

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

namespace kamelune {

enum class ExportPhase { None, SmallImages, LargeImages, Page };

// Where a run is, for the progress window; written by the run, read by the window.
struct ExportProgress {
    std::atomic<ExportPhase> phase{ExportPhase::None};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> stop{false};
};

struct ExportImages {
    bool on = false;
    int size = 0;
    bool copyUnchanged = false; // "L_" files as copies of the pictures
    int quality = 75;
};

struct ExportRun {
    std::string source;                // the pictures' folder
    std::string folder;                // where the files go
    std::vector<HtmlPicture> pictures; // selection order, with the chosen values
    ExportImages small, large;
    int pageSize = 0; // the longer side the page gives its images
    std::string pagePath;
    bool album = true; // the album page, else the table page
    AlbumSettings albumSettings;
    std::vector<std::string> headings; // album: caption headings; table: column titles
    TableSettings tableSettings;
    bool textFiles = false;
    std::chrono::milliseconds delay{0}; // a pause before each picture (tests: a slow disk)
};

// Runs every phase; the files that could not be written (and a page a stop left out).
std::vector<std::string> RunExport(ExportRun run, ExportProgress& progress);

} // namespace kamelune

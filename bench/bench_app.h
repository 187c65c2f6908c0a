// Starting the program's windows for a benchmark: a program folder with its settings and an item
// layout, so that no dialog waits for an answer.
#pragma once

#include "app/Windows.h"
#include "catalogue/ItemCatalogue.h"
#include "corpus.h"
#include "platform/TextFile.h"
#include "thumbnails/Pkm.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace kamelune::bench {

// The folders of a benchmark run: arguments [samples folder] [work folder], and the corpus of
// 2,000 camera pictures made in the work folder. Empty corpus: no samples were found.
struct BenchFolders {
    std::string samples, work, corpus;
};

// A line of /proc/self/status in MB: "VmHWM" the peak resident memory so far, "VmRSS" now.
inline double StatusMb(const char* field) {
    double kb = 0;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const std::string format = std::string(field) + ": %lf";
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, format.c_str(), &kb) == 1) break;
        std::fclose(f);
    }
    return kb / 1024;
}

// Starts the peak of resident memory ("VmHWM") again from what is resident now.
inline void ResetPeakMemory() {
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

inline BenchFolders PrepareCorpus(int argc, char** argv) {
    BenchFolders f;
    f.samples = argc > 1 ? argv[1] : "tests/data/samples";
    f.work = std::filesystem::absolute(argc > 2 ? argv[2] : "build").lexically_normal();
    f.corpus = f.work + "/bench-corpus";
    if (MakeCameraCorpus(f.samples, f.corpus, 2000).empty()) f.corpus.clear();
    return f;
}

// "Default.pkm" choosing items 2 .. lastItem (the all-items pane shows up to 20 of them).
inline void WritePkm(const std::string& path, int lastItem) {
    StringGrid grid(4, kItemRows);
    SetUpItemGrid(grid);
    SetDefaultHeadings(grid);
    for (int k = 2; k <= lastItem; ++k)
        grid.SetCell(1, k, std::to_string(k - 1));
    ItemList items;
    GridToItemList(grid, items);
    DisplayAttributes a;
    SetDefaultDisplay(a, EmphasisCandidates(items, grid));
    if (const FileResult r = WriteTextLines(path, MakePkmLines(grid, a)); !r) {
        std::fprintf(stderr, "%s\n", r.error.c_str());
        std::exit(1);
    }
}

// Runs the event loop until done() holds (checked every millisecond).
inline void WaitUntil(const std::function<bool()>& done) {
    if (done()) return;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    poll.start(1);
    loop.exec();
}

// Until the folder is read and the thumbnail page has all its panels.
inline void WaitForPage(const Windows& w) {
    WaitUntil([&w] { return !w.model.Reader().Reading() && !w.Page->Building(); });
}

// Until the slideshow's picture is on screen.
inline void WaitForSlide(const Windows& w) {
    if (!w.slideshow->Loading()) return;
    QEventLoop loop;
    QObject::connect(w.slideshow.get(), &SlideshowWindow::pictureShown, &loop, &QEventLoop::quit);
    loop.exec();
}

// Creates the windows with `folder` remembered, on the given tab and pane.
inline std::unique_ptr<Windows> StartProgram(DialogService& dialogs, const std::string& appDir,
                                             const std::string& folder, const char* tab, int pane,
                                             int lastItem = 26) {
    std::filesystem::create_directories(appDir);
    std::FILE* ini = std::fopen((appDir + "/kamelune.ini").c_str(), "wb");
    std::fprintf(ini,
                 "[ActivePage]\r\nActivePage=%s\r\n[Dir]\r\nDir=%s\r\n[Pane]\r\nHairetu=%d\r\n",
                 tab, folder.c_str(), pane);
    std::fclose(ini);
    WritePkm(appDir + "/Default.pkm", lastItem);
    auto w = std::make_unique<Windows>(AppPaths{appDir, appDir + "/kamelune.ini"}, dialogs);
    w->mainWindow->resize(1100, 800);
    w->mainWindow->show();
    QCoreApplication::processEvents();
    WaitForPage(*w);
    return w;
}

} // namespace kamelune::bench

// A folder of 50,000 pictures (hard links to the camera corpus, so it costs no disk) with every
// picture read (表示 → 2000枚を超えても読む): the read against a bare reader of the same files,
// how long input waits meanwhile, the sort, the selection, a page change and the memory the
// program holds afterwards.
#include "bench_app.h"
#include "catalogue/Conditions.h"
#include "catalogue/Distribution.h"
#include "corpus.h"
#include "input_probe.h"
#include "platform/qt/DialogService.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace kamelune;
namespace fs = std::filesystem;

namespace {

constexpr int kPictures = 50000;

// The heap a table's cells take, in MB (allocator overhead not counted).
double GridMb(const StringGrid& grid) {
    return static_cast<double>(grid.CellBytes()) / (1024 * 1024);
}

double Milliseconds(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bench::BenchFolders folders = bench::PrepareCorpus(argc, argv);
    if (folders.corpus.empty()) return 2;
    const std::string tools = fs::path(argv[0]).parent_path().string();
    const std::string big = folders.work + "/bench-50000";
    std::vector<std::string> corpus;
    for (const auto& e : fs::directory_iterator(folders.corpus))
        corpus.push_back(e.path().string());
    std::sort(corpus.begin(), corpus.end());
    fs::create_directories(big);
    for (int i = 0; i < kPictures; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/IMG_%05d.jpg", i);
        if (!fs::exists(big + name))
            fs::create_hard_link(corpus[static_cast<std::size_t>(i) % corpus.size()], big + name);
    }

    // kamelune-table --all and the bare reader on one thread over the same folder, in turn, warm
    // cache, the best of five rounds.
    const auto best = bench::BestOfEach(5, {{tools + "/../kamelune-table", "--all", big},
                                            {tools + "/bare_reader", big},
                                            {tools + "/bare_reader", "--bytes", "8192", big}});
    const double table = best[0], bare = best[1], bare8k = best[2];
    if (table < 0 || bare < 0 || bare8k < 0) {
        std::fprintf(stderr, "kamelune-table or the bare reader failed on %s\n", big.c_str());
        return 1;
    }

    QtDialogService dialogs;
    const std::string appDir = folders.work + "/bench-big-app";
    fs::create_directories(appDir + "/empty");
    auto w = bench::StartProgram(dialogs, appDir, appDir + "/empty", "TabSheetTable", 1, 10);
    w->mainWindow->Controls().allPicturesAction->setChecked(true);
    const double startMb = bench::StatusMb("VmRSS");
    const StringGrid& view = w->model.View();

    // The read, with the input probe running: opening the folder, then reading it again twice
    // (F5), the best of the three set against kamelune-table's best and the longest wait kept.
    double firstRows = 1e9, whole = 1e9, readPeakMb = 0;
    qint64 readWait = 0;
    for (int round = 0; round < 3; ++round) {
        bench::InputProbe probe(w->mainWindow->windowHandle());
        probe.Start();
        QElapsedTimer clock;
        clock.start();
        if (round == 0)
            w->mainWindow->SetCurrentDir(big);
        else
            w->mainWindow->ReadFolder();
        bench::WaitUntil([&view] { return view.RowCount() > 1; });
        firstRows = std::min(firstRows, Milliseconds(clock));
        bench::WaitUntil([&w] { return !w->model.Reader().Reading(); });
        whole = std::min(whole, Milliseconds(clock));
        readWait = std::max(readWait, probe.Stop());
        if (round == 0) readPeakMb = bench::StatusMb("VmHWM"); // the first read, into no table
    }
    if (view.RowCount() != kPictures + 1) {
        std::fprintf(stderr, "the table has %d rows\n", view.RowCount());
        return 1;
    }

    // Sort on four keys; select all and reverse: each timed, and input probed while it runs.
    const auto timed = [&w](const std::function<void()>& work, qint64& waited) {
        bench::InputProbe probe(w->mainWindow->windowHandle());
        probe.Start();
        QElapsedTimer clock;
        clock.start();
        work();
        const double ms = Milliseconds(clock);
        waited = probe.Stop();
        return ms;
    };
    qint64 sortWait = 0, selectWait = 0, reverseWait = 0, pageWait = 0;
    w->model.SetSortKeys({3, 18, 19, 10});
    const double sort = timed(
        [&w] {
            w->sortDialog->SortNow();
            bench::WaitUntil([&w] { return !w->sortDialog->Sorting(); });
        },
        sortWait);
    const double selectAll =
        timed([&w] { w->mainWindow->Commands().SelectAllPictures(); }, selectWait);
    const double reverse =
        timed([&w] { w->mainWindow->Commands().InvertSelection(); }, reverseWait);

    // A full scroll of the table, then a page change on the thumbnail tab between two pages
    // already in the cache.
    QScrollBar* bar = w->mainWindow->Controls().tablePage->Controls().exifGrid->verticalScrollBar();
    for (int v = 0; v <= bar->maximum(); v += std::max(1, bar->pageStep())) {
        bar->setValue(v);
        QCoreApplication::processEvents();
    }
    w->mainWindow->Controls().pageTabs->setCurrentWidget(w->mainWindow->Controls().thumbnailTab);
    w->mainWindow->TabChanged();
    bench::WaitForPage(*w);
    w->Page->BuildPage(2);
    bench::WaitForPage(*w);
    const double page = timed(
        [&w] {
            w->Page->BuildPage(1);
            bench::WaitForPage(*w);
        },
        pageWait);

    // The EXIF values at a glance: counts and a condition over the whole folder, as plain code,
    // then the distribution window opened on it and a bar of it clicked, with input probed.
    const PictureList pictures = PicturesInViewOrder(view);
    const auto choice = FindDistributionChoice("露光時間", kItemCount);
    const ConditionSet set = ParseConditions("ISO>=200 AND \"F Number\"<5.6", kItemCount).set;
    double countMs = 1e9, whereMs = 1e9;
    std::size_t bars = 0, matching = 0;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        clock.start();
        bars = CountValues(w->model.Base(), *choice, pictures).bars.size();
        countMs = std::min(countMs, Milliseconds(clock));
        clock.restart();
        matching = MatchingPictures(w->model.Base(), set, pictures).size();
        whereMs = std::min(whereMs, Milliseconds(clock));
    }
    // Opening the window, another item, a bar clicked: each a user's act, each probed.
    qint64 chartWait = 0;
    double chart = 0;
    for (const auto& act : std::initializer_list<std::function<void()>>{
             [&w] { w->distribution->show(); },
             [&w] {
                 w->distribution->Controls().choiceCombo->setCurrentText(QStringLiteral("F値"));
             },
             [&w] { w->distribution->SelectBar(0, false); }}) { // what a click on a bar does
        qint64 waited = 0;
        chart = std::max(chart, timed(act, waited));
        chartWait = std::max(chartWait, waited);
    }

    std::printf("folder of %d pictures, every one read:\n", kPictures);
    std::printf(
        "  first rows on screen after %.0f ms (target <= 150); whole read %.0f ms (the best "
        "of three)\n",
        firstRows, whole);
    std::printf(
        "  kamelune-table --all %.0f ms; bare reader (first 64 KB) %.0f ms, ratio %.2f (target "
        "<= 1.0); bare reader (first 8 KB) %.0f ms, ratio %.2f (target <= 1.6)\n",
        table * 1000, bare * 1000, table / bare, bare8k * 1000, table / bare8k);
    std::printf("  the program's read / kamelune-table --all %.2f (target <= 1.3)\n",
                whole / (table * 1000));
    std::printf("  peak resident memory when the first read is done %.0f MB (target <= 150)\n",
                readPeakMb);
    std::printf("input-latency open-folder-50000: %lld ms, the longest of three reads (target <= "
                "50; <= 30 where measured)\n",
                static_cast<long long>(readWait));
    std::printf("  sort on four keys %.0f ms (target <= 250)\n", sort);
    std::printf("  select all %.0f ms, reverse %.0f ms (target <= 50)\n", selectAll, reverse);
    std::printf("  cached page change %.0f ms (target <= 50)\n", page);
    for (const auto& [name, waited] : {std::pair{"sort", sortWait},
                                       {"select-all", selectWait},
                                       {"reverse", reverseWait},
                                       {"page-change", pageWait}})
        std::printf("input-latency %s-50000: %lld ms (target <= 50)\n", name,
                    static_cast<long long>(waited));
    std::printf("  counts of exposure times %.1f ms (%zu bars), a condition of two items %.1f ms "
                "(%zu pictures) (target <= 30 each)\n",
                countMs, bars, whereMs, matching);
    std::printf("  distribution window opened, another item, a bar clicked: at most %.0f ms each\n",
                chart);
    std::printf("input-latency distribution-50000: %lld ms (target <= 50)\n",
                static_cast<long long>(chartWait));
    const double baseMb = GridMb(w->model.Base()), viewMb = GridMb(view);
    std::printf("  peak resident memory %.0f MB (target <= 300): %.0f MB before the folder (Qt, "
                "fonts, windows), base table cells %.0f MB, table view cells %.0f MB, the rest "
                "%.0f MB (the read's and the sort's working copies, pages, the allocator)\n",
                bench::StatusMb("VmHWM"), startMb, baseMb, viewMb,
                bench::StatusMb("VmHWM") - startMb - baseMb - viewMb);
    w.reset();
    return 0;
}

// How long input waits while slow work runs in the program: the first build of a page of 30
// twelve-megapixel pictures, leaving a page of 48-megapixel pictures mid-build, and an HTML album
// of 200 pictures with thumbnails and large images.
// (Opening a folder is measured by bench_open_folder.)
#include "bench_app.h"
#include "corpus.h"
#include "input_probe.h"
#include "platform/qt/DialogService.h"
#include "present/ui/ExportProgressWindow.h"
#include "present/ui/ExportSettingsDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <cstdio>
#include <filesystem>

using namespace kamelune;
namespace fs = std::filesystem;

namespace {

// Answers every dialog at once: the album goes to `path`, messages are taken as read.
class Answers : public DialogService {
public:
    explicit Answers(QString path) : path_(std::move(path)) {}
    void Message(MessageKind, const QString&, const QString&) override {}
    bool AskYesNo(const QString&, const QString&) override { return true; }
    std::optional<QString> OpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> SaveFile(const FileDialogRequest&) override { return path_; }
    std::optional<QString> ChooseFolder(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<std::uint32_t> ChooseColor(std::uint32_t) override { return std::nullopt; }

private:
    QString path_;
};

} // namespace

int main(int argc, char** argv) {
    QtDialogService dialogs;
    std::unique_ptr<Windows> w;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bench::BenchFolders folders = bench::PrepareCorpus(argc, argv);
    if (folders.corpus.empty()) return 2;
    const std::string& work = folders.work;

    // A cold page of 30 twelve-megapixel pictures.
    bench::MakeLargeCorpus(work + "/bench-large30", 30);
    const std::string appDir = work + "/bench-latency";
    fs::remove_all(appDir);
    w = bench::StartProgram(dialogs, appDir, work + "/bench-large30", "TabSheetGazo", 3);
    fs::remove_all(appDir + "/@KameluneDir");
    w->Page->Controls().perPageCombo->setCurrentText(QStringLiteral("30"));
    qint64 coldPage = 0;
    {
        bench::InputProbe probe(w->mainWindow->windowHandle());
        probe.Start();
        w->Page->BuildPage(1);
        bench::WaitForPage(*w);
        coldPage = probe.Stop();
    }
    w.reset();
    std::printf("input-latency cold-page: %lld ms (target <= 50; 30 pictures of 4000x3000)\n",
                static_cast<long long>(coldPage));

    // A cold page of 16 pictures of 8000x6000 left 300 ms into its build: the thumbnails being
    // made are abandoned, not waited for.
    const std::string huge = work + "/bench-huge16";
    const auto first = bench::MakeLargeCorpus(huge, 1, 8000, 6000);
    for (int i = 2; i <= 16; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/BIG_%04d.jpg", i);
        if (!fs::exists(huge + name)) fs::create_hard_link(first.front(), huge + name);
    }
    fs::create_directories(work + "/bench-empty");
    w = bench::StartProgram(dialogs, appDir, work + "/bench-empty", "TabSheetGazo", 3);
    w->mainWindow->SetCurrentDir(huge);
    bench::WaitUntil([&w] { return !w->model.Reader().Reading(); });
    fs::remove_all(appDir + "/@KameluneDir");
    qint64 leave = 0;
    {
        bench::InputProbe probe(w->mainWindow->windowHandle());
        probe.Start();
        w->Page->BuildPage(1);
        QElapsedTimer clock;
        clock.start();
        bench::WaitUntil([&clock] { return clock.elapsed() >= 300; });
        w->mainWindow->SetCurrentDir(work + "/bench-empty");
        bench::WaitUntil([&clock] { return clock.elapsed() >= 500; });
        leave = probe.Stop();
    }
    w.reset();
    std::printf("input-latency leave-cold-page: %lld ms (target <= 50; 16 pictures of "
                "8000x6000 left mid-build)\n",
                static_cast<long long>(leave));

    // An album of the first 200 pictures of the camera corpus.
    const std::string pictures = work + "/bench-album-pictures";
    fs::remove_all(pictures);
    fs::create_directories(pictures);
    int copied = 0;
    for (const auto& e : fs::directory_iterator(folders.corpus))
        if (copied < 200 && e.is_regular_file()) {
            fs::copy_file(e.path(), pictures + "/" + e.path().filename().string());
            ++copied;
        }
    const std::string out = work + "/bench-album";
    fs::remove_all(out);
    fs::create_directories(out);
    Answers answers(QString::fromStdString(out + "/album.html"));
    w = bench::StartProgram(answers, appDir, pictures, "TabSheetTable", 3);
    w->mainWindow->Commands().SelectAllPictures();
    w->albumSettings->Controls().linkCheck->setChecked(true);
    w->albumSettings->Controls().openAfterCheck->setChecked(false);
    qint64 album = 0;
    {
        bench::InputProbe probe(w->mainWindow->windowHandle());
        probe.Start();
        w->albumSettings->MakeExport();
        bench::WaitUntil([&w] { return !w->exportProgress->Running(); });
        album = probe.Stop();
    }
    const bool written = fs::exists(out + "/album.html");
    w.reset();
    std::printf("input-latency album: %lld ms (target <= 50; %d pictures%s)\n",
                static_cast<long long>(album), copied, written ? "" : ", NO PAGE WRITTEN");
    return written ? 0 : 1;
}

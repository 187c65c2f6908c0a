// The main window started as the program starts it, in a temporary program folder.
#pragma once

#include "app/Windows.h"
#include "catalogue/CacheNames.h"
#include "catalogue/ItemCatalogue.h"
#include "platform/IniFile.h"
#include "platform/TempDir.h"
#include "platform/TextFile.h"
#include "platform/qt/StringGridModel.h"
#include "support/ScriptedDialogService.h"
#include "thumbnails/Pkm.h"

#include <QTest>
#include <QtWidgets>
#include <filesystem>
#include <functional>

namespace kamelune::test {

inline const fs::path kSamples = fs::path(KAMELUNE_SAMPLES);

// A "Default.pkm" of the built-in choice and attributes.
inline void WriteDefaultPkm(const std::string& path) {
    ASSERT_TRUE(WriteTextLines(path, BuiltInPkmLines()));
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kSamples)) << "test pictures missing: " << kSamples;
        fs::create_directories(AppDir());
        fs::create_directories(Pictures());
    }
    void TearDown() override { DestroyWindows(); }

    // The program's windows as it starts them, and the names the tests know them by.
    // `boxes`, when given, answers the dialogs instead of the scripted service.
    void CreateWindows(const AppPaths& paths, const CommandLine& start = {}, bool wait = true,
                       DialogService* boxes = nullptr) {
        windows = std::make_unique<Windows>(paths, boxes ? *boxes : dialogs, start);
        model = &windows->model;
        mainWindow = windows->mainWindow.get();
        Page = windows->Page;
        albumSettings = windows->albumSettings.get();
        itemChoice = windows->itemChoice.get();
        sortDialog = windows->sortDialog.get();
        batchRename = windows->batchRename.get();
        slideshow = windows->slideshow.get();
        if (wait) WaitForPage();
    }
    // Runs the event loop while busy() holds (at most 30 s): jobs answer through it.
    static void WaitWhile(const std::function<bool()>& busy) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!busy()) loop.quit();
        });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        poll.start(2);
        if (busy()) loop.exec();
    }
    // Until the folder is read and the thumbnail page being built has all its panels.
    void WaitForPage() const {
        WaitWhile([this] { return model->Reader().Reading() || Page->Building(); });
        ASSERT_FALSE(model->Reader().Reading()) << "the folder was not read in 30 s";
        ASSERT_FALSE(Page->Building()) << "the page was not built in 30 s";
    }
    // Until the HTML writer's run is done.
    void WaitForWriter() const {
        WaitWhile([this] { return windows->exportProgress->Running(); });
        ASSERT_FALSE(windows->exportProgress->Running()) << "the writer did not end in 30 s";
    }
    // Until the slideshow's picture is on screen.
    void WaitForSlide() const {
        WaitWhile([this] { return slideshow->Loading(); });
        ASSERT_FALSE(slideshow->Loading()) << "the picture was not shown in 30 s";
    }
    // The album (or, by the table page's settings, the table page) written to `path`, the
    // message at its end answered.
    template <class Settings> void MakeHtml(Settings& settings, const std::string& path) {
        dialogs.AnswerPath(path);
        dialogs.AnswerOk();
        settings.Controls().makeButton->click();
        WaitForWriter();
    }
    // A cell typed into a grid's view, as the user edits it (grid row: the table's own).
    static void TypeIntoCell(QAbstractItemView* view, int col, int gridRow, const QString& text) {
        auto* m = static_cast<kamelune::StringGridModel*>(view->model());
        ASSERT_TRUE(m->setData(m->index(gridRow - m->GridRow(0), col), text));
    }
    // A page built whole.
    void BuildPage(int page) const {
        Page->BuildPage(page);
        WaitForPage();
    }
    void DestroyWindows() { windows.reset(); }
    // Rows of the view selected in turn, as clicks on their 選択 cells do.
    void Select(std::initializer_list<int> rows) const {
        for (int r : rows)
            mainWindow->Commands().SelectionCellClicked(1, r);
    }

    std::string AppDir() const { return dir / "app"; }
    std::string Pictures() const { return dir / "pics"; }
    std::string Ini() const { return AppDir() + "/kamelune.ini"; }

    // Starts the program with the given settings file (none when empty).
    void Start(const std::string& ini = {}, bool defaultPkm = true) {
        if (!ini.empty()) TempDir::Write(Ini(), ini);
        if (defaultPkm) WriteDefaultPkm(AppDir() + "/Default.pkm");
        CreateWindows({AppDir(), Ini()});
    }
    void StartIn(const std::string& folder) { Start("[Dir]\r\nDir=" + folder + "\r\n"); }

    // Exposure times 1/350 (a), 1/30 (b), 1/345 (c), 1/30 (d).
    void FourExposureTimes() {
        fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/a.jpg");
        fs::copy_file(kSamples / "exif-org/kodak-dc210.jpg", Pictures() + "/b.jpg");
        fs::copy_file(kSamples / "exif-org/olympus-c960.jpg", Pictures() + "/c.jpg");
        fs::copy_file(kSamples / "exif-org/kodak-dc240.jpg", Pictures() + "/d.jpg");
    }
    void ThreePictures() {
        fs::copy_file(kSamples / "exif-org/olympus-c960.jpg", Pictures() + "/a.jpg");
        fs::copy_file(kSamples / "Canon_40D.jpg", Pictures() + "/b.jpg");
        fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/c.jpg");
    }

    static std::string Tree(const std::string& folder) { return TempDir::Tree(folder); }
    // The text of the last message or question.
    QString Said() const {
        return dialogs.Calls().empty() ? QString() : dialogs.Calls().back().text;
    }
    const StringGrid& View() const { return model->View(); }
    const MainControls& Ui() const { return mainWindow->Controls(); }
    const TablePage::Widgets& Table() const { return Ui().tablePage->Controls(); }

    TempDir dir;
    ScriptedDialogService dialogs;
    std::unique_ptr<Windows> windows;
    FolderModel* model = nullptr;
    MainWindow* mainWindow = nullptr;
    ThumbnailPage* Page = nullptr;
    AlbumSettingsDialog* albumSettings = nullptr;
    ItemChoiceDialog* itemChoice = nullptr;
    SortDialog* sortDialog = nullptr;
    BatchRenameDialog* batchRename = nullptr;
    SlideshowWindow* slideshow = nullptr;
};

} // namespace kamelune::test

// The album, table and TAB exports in the running program (offscreen).
#include "support/MainWindowFixture.h"

namespace kamelune::test {

class Export : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/a&b #1.jpg");
        fs::copy_file(kSamples / "exif-org/kodak-dc210.jpg", Pictures() + "/b.jpg");
        fs::copy_file(kSamples / "exif-org/olympus-c960.jpg", Pictures() + "/c.jpg");
        StartIn(Pictures());
        fs::create_directories(Out());
        albumSettings->Controls().openAfterCheck->setChecked(false);
        windows->tableSettings->Controls().openAfterCheck->setChecked(false);
    }
    std::string Out() const { return dir / "out"; }
};

TEST_F(Export, AlbumWritesImagesPageAndTextFiles) {
    Select({3, 1});
    Ui().albumButton->click();
    EXPECT_TRUE(albumSettings->isVisible());
    Table().htmlTableButton->click();
    EXPECT_TRUE(windows->tableSettings->isVisible());
    albumSettings->Controls().linkCheck->setChecked(true);
    albumSettings->Controls().reducedRadio->setChecked(true);
    albumSettings->Controls().textFilesCheck->setChecked(true);
    MakeHtml(*albumSettings, Out() + "/trip.html");
    EXPECT_EQ(Said(), QStringLiteral("Exif HTML: tripが作成されました。"));
    EXPECT_EQ(Tree(Out()), "L_a&b #1.JPG L_c.JPG S_a&b #1.JPG S_c.JPG a&b #1.jpg_EXIF.txt "
                           "c.jpg_EXIF.txt trip.html");
    const std::string page = TempDir::Read(Out() + "/trip.html");
    EXPECT_NE(page.find("<a href=\"L_a&amp;b%20%231.JPG\"><p align=\"center\"><img "
                        "src=\"S_a&amp;b%20%231.JPG\" width=\"100\" height=\"75\"></a>"),
              std::string::npos);
    EXPECT_LT(page.find("S_c.JPG"), page.find("S_a&amp;b")) << "selection order";
    EXPECT_EQ(TempDir::Read(Out() + "/c.jpg_EXIF.txt").substr(0, 4), "\x8B@\x8E\xED");
}

// The album and table pages as a browser shows them: every image loads, the Japanese title reads
// right, and the escaped file name links to its file.
TEST_F(Export, PagesLoadInARealBrowser) {
    if (std::system("command -v chromium >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "chromium is not installed";
    mainWindow->Commands().SelectAllPictures();
    albumSettings->Controls().linkCheck->setChecked(true);
    windows->tableSettings->Controls().linkCheck->setChecked(true);
    MakeHtml(*albumSettings, Out() + "/旅行.html");
    MakeHtml(*windows->tableSettings, Out() + "/table.html");
    const std::string probe =
        "<script>window.onload = () => { const imgs = [...document.images];"
        " document.body.setAttribute('data-loaded', imgs.every(i => i.naturalWidth > 0) + ':' +"
        " imgs.length); document.body.setAttribute('data-links', [...document.links].map(a =>"
        " decodeURIComponent(new URL(a.href).pathname)).join('|')); };</script>";
    for (const std::string page : {"旅行.html", "table.html"}) {
        const std::string checked = Out() + "/check-" + page;
        TempDir::Write(checked, TempDir::Read(Out() + "/" + page) + probe);
        const std::string dom = Out() + "/dom.txt";
        const std::string cmd =
            "timeout 60 chromium --headless --no-sandbox --disable-gpu --no-first-run"
            " --disable-background-networking --disable-component-update --disable-sync"
            " --user-data-dir='" +
            dir / "chromium" +
            "' --virtual-time-budget=5000 --dump-dom"
            " 'file://" +
            checked + "' > '" + dom + "' 2>/dev/null";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << page;
        const std::string text = TempDir::Read(dom);
        EXPECT_NE(text.find("data-loaded=\"true:3\""), std::string::npos)
            << page << text.substr(0, 400);
        if (page == "旅行.html")
            EXPECT_NE(text.find("<title>旅行</title>"), std::string::npos);
        else
            EXPECT_NE(text.find("<title>ミルノのExif解析</title>"), std::string::npos);
        const auto at = text.find("data-links=\"");
        ASSERT_NE(at, std::string::npos);
        const std::string links = text.substr(at + 12, text.find('"', at + 12) - at - 12);
        EXPECT_NE(links.find("/L_a&amp;b #1.JPG"), std::string::npos) << links;
        EXPECT_TRUE(fs::exists(Out() + "/L_a&b #1.JPG"));
    }
}

// A stop among the images or while the page is written leaves no page (it would link images
// never made) and says so; Escape stops as the stop button does, the window staying until the
// run ends.
TEST_F(Export, AStopLeavesNoPageAndSaysSo) {
    mainWindow->Commands().SelectAllPictures();
    albumSettings->Controls().openAfterCheck->setChecked(
        true); // a page that is not there is never opened
    ExportProgressWindow* writer = windows->exportProgress.get();
    writer->fileDelay = std::chrono::milliseconds(100);
    for (const bool images : {true, false}) {
        SCOPED_TRACE(images ? "among the images" : "while the page is written");
        albumSettings->Controls().thumbnailsCheck->setChecked(images);
        albumSettings->Controls().linkCheck->setChecked(images);
        QTimer::singleShot(0, writer, [writer] {
            QTest::keyClick(writer, Qt::Key_Escape);
            EXPECT_TRUE(writer->isVisible());
        });
        MakeHtml(*albumSettings, Out() + "/stop.html");
        EXPECT_FALSE(fs::exists(Out() + "/stop.html"));
        EXPECT_EQ(Tree(Out()).find("L_"), std::string::npos) << "no phase after the stop";
        const QString said = Said();
        EXPECT_FALSE(said.contains(QStringLiteral("が作成されました"))) << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("stop.html: 中止したため書いていません")))
            << said.toStdString();
    }
}

TEST_F(Export, TabTextFollowsTheSelectionAndEveryExportRefusesWithoutOne) {
    Select({3, 1});
    auto write = [&](const std::string& name) {
        dialogs.AnswerPath(Out() + "/" + name);
        Table().tabTallButton->click();
        return TempDir::Read(Out() + "/" + name);
    };
    const std::string plain = write("a.txt");
    model->SetRowOrder({2, 3, 1});
    Ui().exifOnlyCheck->click();
    EXPECT_EQ(write("b.txt"), plain);
    EXPECT_EQ(plain.substr(0, plain.find("\r\n")), Pictures());
    EXPECT_NE(plain.find("\r\n\t1\t2\t\r\n"), std::string::npos);
    dialogs.AnswerPath(Out() + "/wide.txt");
    Table().tabWideButton->click();
    EXPECT_NE(TempDir::Read(Out() + "/wide.txt").find("\r\n1\t"), std::string::npos)
        << "a row each";
    dialogs.AnswerPath(std::nullopt);
    Table().tabWideButton->click(); // cancelled: nothing

    // Refused without items or without a selection; no page is said to be made.
    model->SetChosenItems({});
    dialogs.AnswerOk();
    albumSettings->MakeExport();
    WaitForWriter();
    EXPECT_EQ(Said(), QStringLiteral("出力するExif項目が選択されていません！"));
    mainWindow->Commands().SelectNoPicture();
    dialogs.AnswerOk();
    Table().tabWideButton->click();
    EXPECT_EQ(Said(), QStringLiteral("解析するイメージが選択されていません"));
    dialogs.AnswerPath(Out() + "/t.html");
    dialogs.AnswerOk();
    windows->tableSettings->MakeExport();
    EXPECT_EQ(Said(), QStringLiteral("選択されていません"));
    EXPECT_FALSE(fs::exists(Out() + "/t.html"));
}

} // namespace kamelune::test

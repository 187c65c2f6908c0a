// The slideshow window in the running program (offscreen).
#include "support/MainWindowFixture.h"

#include "thumbnails/ui/DisplaySettingsDialog.h"

namespace kamelune::test {

class SlideShow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        for (const char* n : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"})
            fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/" + n);
        StartIn(Pictures());
    }
    QString Counter() const { return slideshow->Controls().counterStatus->text(); }
};

// Its keys drive it as its buttons do: through the selection, wrapping both ways. Closed while it
// plays, the play stops; the next show waits for ▶.
TEST_F(SlideShow, SelectedPicturesByKeyboardWrapBothWays) {
    Select({3, 1, 4});
    mainWindow->Commands().StartSlideshow();
    EXPECT_TRUE(slideshow->Loading()) << "decoded off the user-interface thread";
    WaitForSlide();
    EXPECT_EQ(slideshow->windowTitle(), QStringLiteral("スライドショー（選択画像）"));
    EXPECT_EQ(Counter(), QStringLiteral("1/3"));
    EXPECT_EQ(slideshow->Controls().nameStatus->text(), QStringLiteral("3] c.jpg"));
    EXPECT_EQ(slideshow->Controls().sizeStatus->text(), QStringLiteral("Size:640x480"));
    slideshow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(slideshow));
    auto key = [this](Qt::Key k) {
        QTest::keyClick(slideshow->focusWidget() ? slideshow->focusWidget() : slideshow, k);
    };
    key(Qt::Key_Left);
    EXPECT_EQ(Counter(), QStringLiteral("3/3"));
    WaitForSlide();
    EXPECT_EQ(slideshow->Controls().nameStatus->text(), QStringLiteral("4] d.jpg"));
    key(Qt::Key_Right);
    EXPECT_EQ(Counter(), QStringLiteral("1/3"));
    key(Qt::Key_End);
    EXPECT_EQ(Counter(), QStringLiteral("3/3"));
    key(Qt::Key_Space);
    EXPECT_TRUE(slideshow->Controls().advanceTimer.isActive());
    slideshow->AdvanceSlide();
    WaitForSlide();
    EXPECT_EQ(Counter(), QStringLiteral("1/3")) << "the timer wraps too";
    EXPECT_TRUE(slideshow->Controls().advanceTimer.isActive())
        << "restarted after the picture is shown";
    key(Qt::Key_Space);
    EXPECT_FALSE(slideshow->Controls().advanceTimer.isActive());
    key(Qt::Key_Space);
    key(Qt::Key_Home);
    EXPECT_FALSE(slideshow->Controls().advanceTimer.isActive()) << "navigation pauses";
    EXPECT_FALSE(slideshow->Controls().playButton->isChecked());
    key(Qt::Key_F11);
    EXPECT_TRUE(slideshow->isFullScreen());
    key(Qt::Key_Escape);
    EXPECT_FALSE(slideshow->isFullScreen());
    EXPECT_TRUE(slideshow->isVisible());
    key(Qt::Key_Space);
    key(Qt::Key_Escape); // while it plays
    EXPECT_FALSE(slideshow->isVisible());
    EXPECT_FALSE(slideshow->Controls().advanceTimer.isActive());
    EXPECT_TRUE(slideshow->Controls().stopButton->isChecked());
    EXPECT_FALSE(slideshow->Controls().playButton->isChecked());
    mainWindow->Commands().StartSlideshow();
    EXPECT_FALSE(slideshow->Controls().advanceTimer.isActive()) << "a new show waits for ▶";
}

// A show playing over a folder that is read again (another folder, F5) would step through rows
// that are not there: it closes, says so, and a decode under way is not shown.
TEST_F(SlideShow, AShowOverAFolderReadAgainClosesAndSaysSo) {
    mainWindow->Commands().SelectAllPictures();
    mainWindow->Commands().StartSlideshow();
    WaitForSlide();
    slideshow->Controls().intervalBox->setValue(1);
    slideshow->Controls().playButton->setChecked(true);
    slideshow->Play();
    slideshow->AdvanceSlide(); // a picture being decoded
    model->Reader().SetDelay(std::chrono::milliseconds(20));
    mainWindow->UpdateTable();
    EXPECT_FALSE(slideshow->isVisible());
    EXPECT_FALSE(slideshow->Controls().advanceTimer.isActive());
    const std::size_t asked = dialogs.Calls().size();
    WaitForPage();
    WaitForSlide();
    EXPECT_EQ(dialogs.Calls().size(), asked) << "no message about an empty selection";
    EXPECT_FALSE(slideshow->isVisible()) << "the late decode does not bring it back";
    EXPECT_TRUE(mainWindow->statusBar()->currentMessage().contains(
        QStringLiteral("スライドショーを閉じました")));
}

TEST_F(SlideShow, ColoursOfItsBarAndSwatchAndAnEmptiedList) {
    mainWindow->Commands().SelectionCellClicked(1, 1);
    mainWindow->Commands().StartSlideshow();
    auto colourAt = [](QWidget* w) {
        return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
    };
    EXPECT_EQ(colourAt(slideshow->Controls().backgroundSwatch), QColor(0, 0, 0x80)) << "navy";
    dialogs.AnswerColor(0x00FF00);
    slideshow->Controls().backgroundSwatch->Click();
    EXPECT_EQ(colourAt(slideshow->Controls().backgroundSwatch), QColor(0, 0xFF, 0));
    QWidget* bar = slideshow->findChild<QWidget*>(QStringLiteral("slideshowToolBar"));
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->grab().toImage().pixelColor(bar->width() - 3, bar->height() / 2),
              QColor(189, 189, 223));
    // The list emptied under it: the steps do nothing, the timer says so and stops.
    mainWindow->Commands().SelectNoPicture();
    slideshow->GoNext();
    slideshow->GoLast();
    dialogs.AnswerOk();
    slideshow->AdvanceSlide();
    EXPECT_EQ(Said(), QStringLiteral("選択されたファイルがありません"));
    EXPECT_FALSE(slideshow->Controls().advanceTimer.isActive());
}

TEST_F(SlideShow, AllModeFollowsTheTableAndItsJumpStaysInside) {
    Table().exifGrid->selectRow(1);
    mainWindow->Commands().SetPopupTarget({});
    mainWindow->Commands().SlideshowFromHere();
    EXPECT_EQ(slideshow->Tag(), 2);
    EXPECT_EQ(Counter(), QStringLiteral("2/4"));
    slideshow->Controls().jumpBox->setValue(1);
    slideshow->JumpNow();
    WaitForSlide();
    EXPECT_EQ(slideshow->Controls().nameStatus->text(), QStringLiteral("1] a.jpg"));
    slideshow->GoPrevious();
    EXPECT_EQ(Table().exifGrid->currentIndex().row(), 3) << "the table follows Previous";
    // A typed number past the list becomes its length.
    slideshow->Controls().jumpBox->setFocus();
    slideshow->Controls().jumpBox->selectAll();
    QTest::keyClicks(slideshow->Controls().jumpBox, QStringLiteral("999"));
    QTest::keyClick(slideshow->Controls().jumpBox, Qt::Key_Return);
    EXPECT_EQ(slideshow->Controls().jumpBox->value(), 4);
}

TEST_F(SlideShow, IntervalsAndCaptions) {
    mainWindow->Commands().SelectAllPictures();
    ItemList items;
    for (int k = 2; k <= 11; ++k)
        items.push_back(k);
    model->SetChosenItems(items);
    // Zero at the opening keeps the timer off until the interval is changed.
    slideshow->Controls().intervalBox->setValue(0);
    mainWindow->Commands().StartSlideshow();
    WaitForSlide();
    slideshow->Controls().playButton->setChecked(true);
    slideshow->Play();
    slideshow->AdvanceSlide();
    EXPECT_FALSE(slideshow->Controls().advanceTimer.isActive());
    slideshow->Controls().intervalBox->setValue(3);
    EXPECT_EQ(slideshow->Controls().advanceTimer.interval(), 2500);
    slideshow->Play();
    EXPECT_TRUE(slideshow->Controls().advanceTimer.isActive());
    EXPECT_TRUE(slideshow->Controls().captionLabels[8]->isVisible()) << "nine lines of ten items";
    EXPECT_EQ(slideshow->Controls().captionLabels[2]->text(),
              QStringLiteral("機種: Canon DIGITAL IXUS"));
    EXPECT_FALSE(slideshow->Controls().fileNameLabel->isVisible());

    CaptionSettingsDialog& settings = slideshow->CaptionSettings();
    settings.Controls().showCaptionsCheck->setChecked(false);
    settings.CaptionsToggled();
    settings.Controls().showCaptionsCheck->setChecked(true);
    settings.CaptionsToggled();
    EXPECT_TRUE(slideshow->Controls().fileNameLabel->isVisible());
    model->SetChosenItems({items[0], items[1]});
    settings.ApplyAndClose();
    EXPECT_TRUE(slideshow->Controls().captionLabels[1]->isVisible());
    EXPECT_FALSE(slideshow->Controls().captionLabels[2]->isVisible());
    EXPECT_TRUE(slideshow->Controls().fileNameLabel->isVisible());
    settings.Controls().textSizeBox->setValue(40);
    EXPECT_EQ(slideshow->Controls().captionLabels[1]->y() -
                  slideshow->Controls().captionLabels[0]->y(),
              45);
}

} // namespace kamelune::test

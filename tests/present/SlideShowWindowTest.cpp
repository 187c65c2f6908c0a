// The slideshow window in the running program (offscreen).
#include "support/MainWindowFixture.h"

#include "thumbnails/DisplaySettingsDialog.h"

namespace kamelune::test {

class SlideShow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        for (const char* n : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"})
            fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/" + n);
        StartIn(Pictures());
    }
    QString Counter() const { return FormSlideshow->Controls().counterStatus->text(); }
};

// Its keys drive it as its buttons do: through the selection, wrapping both ways. Closed while it
// plays, the play stops; the next show waits for ▶.
TEST_F(SlideShow, SelectedPicturesByKeyboardWrapBothWays) {
    Select({3, 1, 4});
    FormMain->StartSlideshow();
    EXPECT_TRUE(FormSlideshow->Loading()) << "decoded off the user-interface thread";
    WaitForSlide();
    EXPECT_EQ(FormSlideshow->windowTitle(), QStringLiteral("スライドショー（選択画像）"));
    EXPECT_EQ(Counter(), QStringLiteral("1/3"));
    EXPECT_EQ(FormSlideshow->Controls().nameStatus->text(), QStringLiteral("3] c.jpg"));
    EXPECT_EQ(FormSlideshow->Controls().sizeStatus->text(), QStringLiteral("Size:640x480"));
    FormSlideshow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FormSlideshow));
    auto key = [this](Qt::Key k) {
        QTest::keyClick(FormSlideshow->focusWidget() ? FormSlideshow->focusWidget() : FormSlideshow,
                        k);
    };
    key(Qt::Key_Left);
    EXPECT_EQ(Counter(), QStringLiteral("3/3"));
    WaitForSlide();
    EXPECT_EQ(FormSlideshow->Controls().nameStatus->text(), QStringLiteral("4] d.jpg"));
    key(Qt::Key_Right);
    EXPECT_EQ(Counter(), QStringLiteral("1/3"));
    key(Qt::Key_End);
    EXPECT_EQ(Counter(), QStringLiteral("3/3"));
    key(Qt::Key_Space);
    EXPECT_TRUE(FormSlideshow->Controls().advanceTimer.isActive());
    FormSlideshow->AdvanceSlide();
    WaitForSlide();
    EXPECT_EQ(Counter(), QStringLiteral("1/3")) << "the timer wraps too";
    EXPECT_TRUE(FormSlideshow->Controls().advanceTimer.isActive())
        << "restarted after the picture is shown";
    key(Qt::Key_Space);
    EXPECT_FALSE(FormSlideshow->Controls().advanceTimer.isActive());
    key(Qt::Key_Space);
    key(Qt::Key_Home);
    EXPECT_FALSE(FormSlideshow->Controls().advanceTimer.isActive()) << "navigation pauses";
    EXPECT_FALSE(FormSlideshow->Controls().playButton->isChecked());
    key(Qt::Key_F11);
    EXPECT_TRUE(FormSlideshow->isFullScreen());
    key(Qt::Key_Escape);
    EXPECT_FALSE(FormSlideshow->isFullScreen());
    EXPECT_TRUE(FormSlideshow->isVisible());
    key(Qt::Key_Space);
    key(Qt::Key_Escape); // while it plays
    EXPECT_FALSE(FormSlideshow->isVisible());
    EXPECT_FALSE(FormSlideshow->Controls().advanceTimer.isActive());
    EXPECT_TRUE(FormSlideshow->Controls().stopButton->isChecked());
    EXPECT_FALSE(FormSlideshow->Controls().playButton->isChecked());
    FormMain->StartSlideshow();
    EXPECT_FALSE(FormSlideshow->Controls().advanceTimer.isActive()) << "a new show waits for ▶";
}

// A show playing over a folder that is read again (another folder, F5) would step through rows
// that are not there: it closes, says so, and a decode under way is not shown.
TEST_F(SlideShow, AShowOverAFolderReadAgainClosesAndSaysSo) {
    FormMain->SelectAllPictures();
    FormMain->StartSlideshow();
    WaitForSlide();
    FormSlideshow->Controls().intervalBox->setValue(1);
    FormSlideshow->Controls().playButton->setChecked(true);
    FormSlideshow->Play();
    FormSlideshow->AdvanceSlide(); // a picture being decoded
    model->SetReadDelay(std::chrono::milliseconds(20));
    FormMain->UpdateTable();
    EXPECT_FALSE(FormSlideshow->isVisible());
    EXPECT_FALSE(FormSlideshow->Controls().advanceTimer.isActive());
    const std::size_t asked = dialogs.Calls().size();
    WaitForPage();
    WaitForSlide();
    EXPECT_EQ(dialogs.Calls().size(), asked) << "no message about an empty selection";
    EXPECT_FALSE(FormSlideshow->isVisible()) << "the late decode does not bring it back";
    EXPECT_TRUE(FormMain->statusBar()->currentMessage().contains(
        QStringLiteral("スライドショーを閉じました")));
}

TEST_F(SlideShow, ColoursOfItsBarAndSwatchAndAnEmptiedList) {
    FormMain->Selection(1, 1);
    FormMain->StartSlideshow();
    auto colourAt = [](QWidget* w) {
        return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
    };
    EXPECT_EQ(colourAt(FormSlideshow->Controls().backgroundSwatch), QColor(0, 0, 0x80)) << "navy";
    dialogs.AnswerColor(0x00FF00);
    FormSlideshow->Controls().backgroundSwatch->Click();
    EXPECT_EQ(colourAt(FormSlideshow->Controls().backgroundSwatch), QColor(0, 0xFF, 0));
    QWidget* bar = FormSlideshow->findChild<QWidget*>(QStringLiteral("ToolBar1"));
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->grab().toImage().pixelColor(bar->width() - 3, bar->height() / 2),
              QColor(189, 189, 223));
    // The list emptied under it: the steps do nothing, the timer says so and stops.
    FormMain->SelectNoPicture();
    FormSlideshow->GoNext();
    FormSlideshow->GoLast();
    dialogs.AnswerOk();
    FormSlideshow->AdvanceSlide();
    EXPECT_EQ(Said(), QStringLiteral("選択されたファイルがありません"));
    EXPECT_FALSE(FormSlideshow->Controls().advanceTimer.isActive());
}

TEST_F(SlideShow, AllModeFollowsTheTableAndItsJumpStaysInside) {
    Table().exifGrid->selectRow(1);
    FormMain->SetPopupTarget({});
    FormMain->SlideshowFromHere();
    EXPECT_EQ(FormSlideshow->Tag(), 2);
    EXPECT_EQ(Counter(), QStringLiteral("2/4"));
    FormSlideshow->Controls().jumpBox->setValue(1);
    FormSlideshow->JumpNow();
    WaitForSlide();
    EXPECT_EQ(FormSlideshow->Controls().nameStatus->text(), QStringLiteral("1] a.jpg"));
    FormSlideshow->GoPrevious();
    EXPECT_EQ(Table().exifGrid->currentIndex().row(), 3) << "the table follows Previous";
    // A typed number past the list becomes its length.
    FormSlideshow->Controls().jumpBox->setFocus();
    FormSlideshow->Controls().jumpBox->selectAll();
    QTest::keyClicks(FormSlideshow->Controls().jumpBox, QStringLiteral("999"));
    QTest::keyClick(FormSlideshow->Controls().jumpBox, Qt::Key_Return);
    EXPECT_EQ(FormSlideshow->Controls().jumpBox->value(), 4);
}

TEST_F(SlideShow, IntervalsAndCaptions) {
    FormMain->SelectAllPictures();
    ItemList items;
    for (int k = 2; k <= 11; ++k)
        items.push_back(k);
    model->SetChosenItems(items);
    // Zero at the opening keeps the timer off until the interval is changed.
    FormSlideshow->Controls().intervalBox->setValue(0);
    FormMain->StartSlideshow();
    WaitForSlide();
    FormSlideshow->Controls().playButton->setChecked(true);
    FormSlideshow->Play();
    FormSlideshow->AdvanceSlide();
    EXPECT_FALSE(FormSlideshow->Controls().advanceTimer.isActive());
    FormSlideshow->Controls().intervalBox->setValue(3);
    EXPECT_EQ(FormSlideshow->Controls().advanceTimer.interval(), 2500);
    FormSlideshow->Play();
    EXPECT_TRUE(FormSlideshow->Controls().advanceTimer.isActive());
    EXPECT_TRUE(FormSlideshow->Controls().captionLabels[8]->isVisible())
        << "nine lines of ten items";
    EXPECT_EQ(FormSlideshow->Controls().captionLabels[2]->text(),
              QStringLiteral("機種: Canon DIGITAL IXUS"));
    EXPECT_FALSE(FormSlideshow->Controls().fileNameLabel->isVisible());

    CaptionSettingsDialog& settings = FormSlideshow->CaptionSettings();
    settings.Controls().showCaptionsCheck->setChecked(false);
    settings.CaptionsToggled();
    settings.Controls().showCaptionsCheck->setChecked(true);
    settings.CaptionsToggled();
    EXPECT_TRUE(FormSlideshow->Controls().fileNameLabel->isVisible());
    model->SetChosenItems({items[0], items[1]});
    settings.ApplyAndClose();
    EXPECT_TRUE(FormSlideshow->Controls().captionLabels[1]->isVisible());
    EXPECT_FALSE(FormSlideshow->Controls().captionLabels[2]->isVisible());
    EXPECT_TRUE(FormSlideshow->Controls().fileNameLabel->isVisible());
    settings.Controls().textSizeBox->setValue(40);
    EXPECT_EQ(FormSlideshow->Controls().captionLabels[1]->y() -
                  FormSlideshow->Controls().captionLabels[0]->y(),
              45);
}

} // namespace kamelune::test

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
    QString Counter() const { return FormSlideshow->StatusPanel0->text(); }
};

// Its keys drive it as its buttons do: through the selection, wrapping both ways. Closed while it
// plays, the play stops; the next show waits for ▶.
TEST_F(SlideShow, SelectedPicturesByKeyboardWrapBothWays) {
    Select({3, 1, 4});
    FormMain->BtnSlideShowClick();
    EXPECT_TRUE(FormSlideshow->Loading()) << "decoded off the user-interface thread";
    WaitForSlide();
    EXPECT_EQ(FormSlideshow->windowTitle(), QStringLiteral("スライドショー（選択画像）"));
    EXPECT_EQ(Counter(), QStringLiteral("1/3"));
    EXPECT_EQ(FormSlideshow->StatusPanel1->text(), QStringLiteral("3] c.jpg"));
    EXPECT_EQ(FormSlideshow->StatusPanel2->text(), QStringLiteral("Size:640x480"));
    FormSlideshow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FormSlideshow));
    auto key = [this](Qt::Key k) {
        QTest::keyClick(FormSlideshow->focusWidget() ? FormSlideshow->focusWidget() : FormSlideshow,
                        k);
    };
    key(Qt::Key_Left);
    EXPECT_EQ(Counter(), QStringLiteral("3/3"));
    WaitForSlide();
    EXPECT_EQ(FormSlideshow->StatusPanel1->text(), QStringLiteral("4] d.jpg"));
    key(Qt::Key_Right);
    EXPECT_EQ(Counter(), QStringLiteral("1/3"));
    key(Qt::Key_End);
    EXPECT_EQ(Counter(), QStringLiteral("3/3"));
    key(Qt::Key_Space);
    EXPECT_TRUE(FormSlideshow->Timer1.isActive());
    FormSlideshow->Timer1Timer();
    WaitForSlide();
    EXPECT_EQ(Counter(), QStringLiteral("1/3")) << "the timer wraps too";
    EXPECT_TRUE(FormSlideshow->Timer1.isActive()) << "restarted after the picture is shown";
    key(Qt::Key_Space);
    EXPECT_FALSE(FormSlideshow->Timer1.isActive());
    key(Qt::Key_Space);
    key(Qt::Key_Home);
    EXPECT_FALSE(FormSlideshow->Timer1.isActive()) << "navigation pauses";
    EXPECT_FALSE(FormSlideshow->SpeedBtnPlay->isChecked());
    key(Qt::Key_F11);
    EXPECT_TRUE(FormSlideshow->isFullScreen());
    key(Qt::Key_Escape);
    EXPECT_FALSE(FormSlideshow->isFullScreen());
    EXPECT_TRUE(FormSlideshow->isVisible());
    key(Qt::Key_Space);
    key(Qt::Key_Escape); // while it plays
    EXPECT_FALSE(FormSlideshow->isVisible());
    EXPECT_FALSE(FormSlideshow->Timer1.isActive());
    EXPECT_TRUE(FormSlideshow->SpeedBtnStop->isChecked());
    EXPECT_FALSE(FormSlideshow->SpeedBtnPlay->isChecked());
    FormMain->BtnSlideShowClick();
    EXPECT_FALSE(FormSlideshow->Timer1.isActive()) << "a new show waits for ▶";
}

// A show playing over a folder that is read again (another folder, F5) would step through rows
// that are not there: it closes, says so, and a decode under way is not shown.
TEST_F(SlideShow, AShowOverAFolderReadAgainClosesAndSaysSo) {
    FormMain->SelectAllClick();
    FormMain->BtnSlideShowClick();
    WaitForSlide();
    FormSlideshow->SpinEditInterval->setValue(1);
    FormSlideshow->SpeedBtnPlay->setChecked(true);
    FormSlideshow->BtnStartClick();
    FormSlideshow->Timer1Timer(); // a picture being decoded
    model->SetReadDelay(std::chrono::milliseconds(20));
    FormMain->UpdateTable();
    EXPECT_FALSE(FormSlideshow->isVisible());
    EXPECT_FALSE(FormSlideshow->Timer1.isActive());
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
    FormMain->BtnSlideShowClick();
    auto colourAt = [](QWidget* w) {
        return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
    };
    EXPECT_EQ(colourAt(FormSlideshow->PanelBackColor), QColor(0, 0, 0x80)) << "navy";
    dialogs.AnswerColor(0x00FF00);
    FormSlideshow->PanelBackColor->Click();
    EXPECT_EQ(colourAt(FormSlideshow->PanelBackColor), QColor(0, 0xFF, 0));
    QWidget* bar = FormSlideshow->findChild<QWidget*>(QStringLiteral("ToolBar1"));
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->grab().toImage().pixelColor(bar->width() - 3, bar->height() / 2),
              QColor(189, 189, 223));
    // The list emptied under it: the steps do nothing, the timer says so and stops.
    FormMain->SelectNoneClick();
    FormSlideshow->SpeedBtnNextClick();
    FormSlideshow->SpeedBtnLastClick();
    dialogs.AnswerOk();
    FormSlideshow->Timer1Timer();
    EXPECT_EQ(Said(), QStringLiteral("選択されたファイルがありません"));
    EXPECT_FALSE(FormSlideshow->Timer1.isActive());
}

TEST_F(SlideShow, AllModeFollowsTheTableAndItsJumpStaysInside) {
    Table().StrGridExif->selectRow(1);
    FormMain->SetPopupTarget({});
    FormMain->SlideshowFromHere();
    EXPECT_EQ(FormSlideshow->Tag(), 2);
    EXPECT_EQ(Counter(), QStringLiteral("2/4"));
    FormSlideshow->SpinEditJump->setValue(1);
    FormSlideshow->SpeedBtnJumpClick();
    WaitForSlide();
    EXPECT_EQ(FormSlideshow->StatusPanel1->text(), QStringLiteral("1] a.jpg"));
    FormSlideshow->SpeedBtnPrevClick();
    EXPECT_EQ(Table().StrGridExif->currentIndex().row(), 3) << "the table follows Previous";
    // A typed number past the list becomes its length.
    FormSlideshow->SpinEditJump->setFocus();
    FormSlideshow->SpinEditJump->selectAll();
    QTest::keyClicks(FormSlideshow->SpinEditJump, QStringLiteral("999"));
    QTest::keyClick(FormSlideshow->SpinEditJump, Qt::Key_Return);
    EXPECT_EQ(FormSlideshow->SpinEditJump->value(), 4);
}

TEST_F(SlideShow, IntervalsAndCaptions) {
    FormMain->SelectAllClick();
    ItemList items;
    for (int k = 2; k <= 11; ++k)
        items.push_back(k);
    model->SetChosenItems(items);
    // Zero at the opening keeps the timer off until the interval is changed.
    FormSlideshow->SpinEditInterval->setValue(0);
    FormMain->BtnSlideShowClick();
    WaitForSlide();
    FormSlideshow->SpeedBtnPlay->setChecked(true);
    FormSlideshow->BtnStartClick();
    FormSlideshow->Timer1Timer();
    EXPECT_FALSE(FormSlideshow->Timer1.isActive());
    FormSlideshow->SpinEditInterval->setValue(3);
    EXPECT_EQ(FormSlideshow->Timer1.interval(), 2500);
    FormSlideshow->BtnStartClick();
    EXPECT_TRUE(FormSlideshow->Timer1.isActive());
    EXPECT_TRUE(FormSlideshow->Labels[8]->isVisible()) << "nine lines of ten items";
    EXPECT_EQ(FormSlideshow->Labels[2]->text(), QStringLiteral("機種: Canon DIGITAL IXUS"));
    EXPECT_FALSE(FormSlideshow->LabelFName->isVisible());

    CaptionSettingsDialog& settings = FormSlideshow->CaptionSettings();
    settings.ChkBoxHyoji->setChecked(false);
    settings.CaptionsToggled();
    settings.ChkBoxHyoji->setChecked(true);
    settings.CaptionsToggled();
    EXPECT_TRUE(FormSlideshow->LabelFName->isVisible());
    model->SetChosenItems({items[0], items[1]});
    settings.SpeedBtnOKClick();
    EXPECT_TRUE(FormSlideshow->Labels[1]->isVisible());
    EXPECT_FALSE(FormSlideshow->Labels[2]->isVisible());
    EXPECT_TRUE(FormSlideshow->LabelFName->isVisible());
    settings.SpinEditMojiSize->setValue(40);
    EXPECT_EQ(FormSlideshow->Labels[1]->y() - FormSlideshow->Labels[0]->y(), 45);
}

} // namespace kamelune::test

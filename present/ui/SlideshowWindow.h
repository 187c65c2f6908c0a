// The slideshow window and its caption settings.
#pragma once

#include "present/SlideLayout.h"
#include "present/ui/CaptionSettingsDialog.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QImage>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;
class QStatusBar;

namespace kamelune {

class ColorSwatch;
class DialogService;
class ImageView;
class FolderModel;

// The show's controls. The window keeps them to itself; Controls() lends them to tests.
struct SlideshowControls {
    QScrollArea* pictureScroll = nullptr;
    QWidget* stage = nullptr;
    ImageView* pictureView = nullptr;
    QLabel* fileNameLabel = nullptr;
    std::array<QLabel*, 9> captionLabels{}; // the caption lines
    QLabel *counterStatus = nullptr, *nameStatus = nullptr, *sizeStatus = nullptr;
    QTimer advanceTimer;
    QToolButton* exifButton = nullptr;
    ColorSwatch* backgroundSwatch = nullptr;
    QCheckBox *fitCheck = nullptr, *aspectCheck = nullptr, *autoFitCheck = nullptr;
    QToolButton *jumpButton = nullptr, *firstButton = nullptr, *previousButton = nullptr,
                *reverseButton = nullptr, *stopButton = nullptr, *playButton = nullptr,
                *nextButton = nullptr, *lastButton = nullptr;
    QSpinBox *jumpBox = nullptr, *intervalBox = nullptr;
};

class SlideshowWindow : public QDialog, private SlideshowControls {
    Q_OBJECT
public:
    SlideshowWindow(FolderModel& model, DialogService& dialogs);
    ~SlideshowWindow() override;
    // The caption settings of this window (a window of its own).
    CaptionSettingsDialog& CaptionSettings() { return *captionSettings_; }

    // Opens the show with the given title from picture tag (0: the selected pictures) at the
    // table's current row (1-based; 0: none); restart closes a show that is open first.
    void Open(const QString& title, int tag, int currentRow, bool restart);

    // 0: the selected pictures; a picture number: every picture of the table from that one on.
    int Tag() const { return tag_; }
    int SlidePosition() const { return slidePosition_; }
    const SlideshowControls& Controls() const { return *this; }

    int ListLength() const;
    int PictureAt(int pos) const; // picture number at a play-list position
    void ShowPictureNow(int pictNo);
    void LayOutCaptions();
    // The caption lines take what the settings changed of their style.
    void ApplyCaptionStyle(const CaptionStyle& style, CaptionAspect aspect);
    void ShowCaptions(int pictNo);
    void ShowSlide(int pos, int pictNo, bool mirror = true);
    void AdvanceSlide();
    void GoFirst();
    void GoPrevious();
    void GoNext();
    void GoLast();
    void JumpNow();
    void Play();
    void PlayBackward();
    void Stop();
    void SetBackground(std::uint32_t bgr);
    // A picture asked for is being read and decoded on a worker thread, not shown yet.
    bool Loading() const { return loading_; }

signals:
    void pictureShown();

protected:
    void showEvent(QShowEvent* event) override;
    // Every way out (Escape, the close box, 閉) ends here: timer off, ■ down.
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Space: plays from here, or stops.
    void PlayOrStop();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectControls();
    void StartShow(); // what showing the window does
    void FitChecksClicked(const QCheckBox* clicked);
    int tag_ = 0;
    int slidePosition_ = 0;
    FolderModel& model_;
    DialogService& dialogs_;
    std::unique_ptr<CaptionSettingsDialog> captionSettings_;
    CaptionStyle captionStyle_;
    int startRow_ = 0;
    void StartTimer();
    // The picture asked for: shown when its decode, on a worker thread, is done. One asked for
    // meanwhile waits, and only the newest.
    struct SlideRequest {
        int pictNo = 0;
        std::string name, path;
        SlideView view;
    };
    // A slide with its picture made a Qt image by the worker too: the window only paints it.
    struct ShownSlide {
        Slide slide;
        QImage image;
    };
    QFutureWatcher<ShownSlide> slideWatcher_;
    // Set to abandon the decode running: the folder changed, or the window goes.
    std::shared_ptr<std::atomic<bool>> slideCancel_ = std::make_shared<std::atomic<bool>>(false);
    bool loading_ = false;
    bool dropLoad_ = false; // the folder changed under the decode running: not shown
    SlideRequest loadingRequest_;
    std::optional<SlideRequest> pendingRequest_;
    void StartLoad(const SlideRequest& request);
    void Display(const SlideRequest& request, const Slide& slide, QImage image);
    static constexpr int kJumpLimit = 99999;
    void Navigate(int newPos, bool moveTableRow);
    void ShowPicture(int pictNo); // the display routines; false paths leave the status as it was
    void UpdateCounter();
};

} // namespace kamelune

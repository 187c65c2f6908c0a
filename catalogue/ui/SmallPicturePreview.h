// The floating small picture of the table tab: the current row's picture, decoded small on a
// worker, moved by dragging, and a right click asks for the slideshow at full size.
#pragma once

#include <QFrame>
#include <QPoint>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>

class QLabel;

namespace kamelune {

struct JpegDecodeResult;

class SmallPicturePreview : public QFrame {
    Q_OBJECT
public:
    explicit SmallPicturePreview(QWidget* parent);
    ~SmallPicturePreview() override;
    QLabel* Picture() const { return picture_; }
    // Shows the picture at path (its number: tag); the newest asked for wins. delay: a pause
    // before the read (tests: a slow disk).
    void Show(const std::string& path, int tag, std::chrono::milliseconds delay);
    void Clear();

signals:
    void slideshowRequested(int tag);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDecoded(const JpegDecodeResult& decoded);
    QLabel* picture_;
    std::string file_; // the picture shown, or being decoded
    int tag_ = 0;
    int asked_ = 0; // the newest picture asked for
    std::shared_ptr<std::atomic<bool>> cancel_ = std::make_shared<std::atomic<bool>>(false);
    QPoint dragStart_;
    bool dragging_ = false;
};

} // namespace kamelune

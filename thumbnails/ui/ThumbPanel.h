// One picture of a thumbnail page: the panel with its labels and image. The labels are records
// the panel paints, so that a page of 60 panels with 20 caption lines each builds quickly.
#pragma once

#include "thumbnails/PageLayout.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

namespace kamelune {

struct PanelLabel {
    QString text;
    Rect rect{0, 0, 0, 0};
    QColor color;      // font colour
    QColor background; // painted only when not transparent
    bool transparent = true;
    bool bold = false;
    int pixelHeight = 12;
    bool visible = false;
};

class ThumbPanel;

struct PanelRecord {
    bool selected = false;
    bool current = false; // the keyboard's picture: drawn with a frame
    ThumbPanel* panel = nullptr;
    int pictNo = 0;
    int exifRow = 0;
    PanelLabel numberLabel, fileNameLabel, selectionNumberLabel, sizeLabel;
    std::array<PanelLabel, kMaxCaptionLines> captionLines;
    QPixmap image; // empty when no thumbnail and no placeholder
    Rect imageRect{4, 16, kThumbSize, kThumbSize};
};

class ThumbPanel : public QWidget {
public:
    ThumbPanel(PanelRecord& rec, QWidget* parent);

    PanelRecord& Rec() { return rec_; }
    void SetColor(const QColor& c);
    QColor Color() const { return color_; }
    // Width a label of this text takes (labels size themselves to their text).
    static int TextWidth(const QString& text, int pixelHeight, bool bold);

    std::function<void(PanelRecord&)> onClick, onDoubleClick;
    std::function<void(PanelRecord&, const QPoint& globalPos)> onContextMenu;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool OnImage(const QPoint& p) const;
    PanelRecord& rec_;
    QColor color_;
};

// Where a label draws: its place, as wide as its text (labels size themselves to their text); a
// text longer than the panel is cut at the panel's edge, not inside the label.
QRect LabelPaintRect(const PanelLabel& label);

} // namespace kamelune

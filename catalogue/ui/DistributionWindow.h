// 分布: how many pictures of the folder (or of the selection) have each value of an item, as a bar
// chart; a click on bars selects their pictures. Non-modal; follows the folder model.
#pragma once

#include "catalogue/Distribution.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QPainter;
class QPushButton;
class QScrollArea;

namespace kamelune {

class DialogService;
class FolderModel;

// The bars, drawn with Qt's painting: the value at the left, the bar, then count and share.
class BarChart : public QWidget {
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);
    void SetDistribution(Distribution d, QString title);
    const Distribution& Shown() const { return d_; }
    // The bar at a point, -1 for none.
    int BarAt(QPoint p) const;
    // Where bar k is drawn (for tests and tips).
    QRect BarRect(int k) const;
    // The whole chart on any painter (the screen, a PNG, an SVG), width wide.
    void Paint(QPainter& p, int width) const;
    QSize ChartSize() const;

signals:
    // A click on bar k; add: with Ctrl or Shift, to add its pictures to the selection.
    void barClicked(int k, bool add);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    QSize sizeHint() const override { return ChartSize(); }

private:
    int RowHeight() const;
    int LabelWidth() const;
    Distribution d_;
    QString title_;
};

struct DistributionControls {
    QComboBox* choiceCombo = nullptr;
    QComboBox* scopeCombo = nullptr; // the folder, or the selection
    QScrollArea* chartScroll = nullptr;
    BarChart* chart = nullptr;
    QLabel* summaryLabel = nullptr;
    QPushButton* pngButton = nullptr;
    QPushButton* svgButton = nullptr;
    QPushButton* tabButton = nullptr;
    QPushButton* closeButton = nullptr;
};

class DistributionWindow : public QWidget, private DistributionControls {
    Q_OBJECT
public:
    DistributionWindow(FolderModel& model, DialogService& dialogs, QWidget* parent = nullptr);
    const DistributionControls& Controls() const { return *this; }
    // Counts again: the folder read, the selection or the order changed, or another choice.
    void Refresh();
    // The choices again (today's items on or off), keeping the one chosen where it stays.
    void FillChoices();
    void SelectBar(int k, bool add);
    bool SavePng(const QString& path) const;
    bool SaveSvg(const QString& path) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();
    void Export(const QString& kind);
    FolderModel& model_;
    DialogService& dialogs_;
    std::vector<DistributionChoice> choices_;
};

} // namespace kamelune

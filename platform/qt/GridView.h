// The view of a StringGrid: its fixed columns stay at the left while the other columns scroll
// under them, as a grid's fixed columns do.
#pragma once

#include <QTableView>

namespace kamelune {

class GridView : public QTableView {
public:
    explicit GridView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // The fixed columns answer for the area they cover, whatever the scroll position.
    QModelIndex indexAt(const QPoint& pos) const override;
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    int FixedColumns() const { return fixed_; }
    // Width of the area the fixed columns cover.
    int FixedWidth() const;
    // Follows the grid: its fixed column count, widths and look.
    void SyncFixedColumns();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceOverlay();

    QTableView* overlay_;
    int fixed_ = 0;
};

} // namespace kamelune

#include "DirectoryListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QtConcurrent/QtConcurrentRun>

namespace kamelune {
namespace {

constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kPathRole = Qt::UserRole + 2;
constexpr int kIndent = 6; // pixels per level: a deep folder keeps room for its name

class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o(option);
        o.rect.setLeft(o.rect.left() + kIndent * index.data(kDepthRole).toInt());
        QStyledItemDelegate::paint(painter, o, index);
    }
};

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentDelegate(this));
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Choose(item); });
    connect(&watcher_, &QFutureWatcher<std::vector<std::string>>::finished, this, [this] {
        listing_ = false;
        Show(FolderListEntries(folder_, watcher_.result()));
    });
}

void DirectoryListBox::SetFolder(const std::string& folder) {
    folder_ = folder;
    Show(FolderListEntries(folder, {}));
    listing_ = true;
    watcher_.setFuture(QtConcurrent::run([folder] { return ListSubfolders(folder); }));
}

void DirectoryListBox::Show(const std::vector<FolderEntry>& rows) {
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    clear();
    QListWidgetItem* current = nullptr;
    for (const FolderEntry& row : rows) {
        const QString path = QString::fromStdString(row.path);
        auto* item =
            new QListWidgetItem(row.open ? open : closed, QString::fromStdString(row.name), this);
        item->setData(kDepthRole, row.depth);
        // The path's own bytes: a name that is not UTF-8 would not survive a QString.
        item->setData(kPathRole, QByteArray::fromStdString(row.path));
        item->setToolTip(path);
        if (row.open) current = item;
    }
    if (current) {
        setCurrentItem(current);
        scrollToItem(current);
    }
}

void DirectoryListBox::Choose(QListWidgetItem* item) {
    if (item && onChosen) onChosen(item->data(kPathRole).toByteArray().toStdString());
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Choose(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace kamelune

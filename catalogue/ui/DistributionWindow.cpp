#include "catalogue/ui/DistributionWindow.h"

#include "catalogue/Conditions.h"
#include "catalogue/ui/FolderModel.h"
#include "platform/TextFile.h"
#include "platform/qt/DialogService.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>

namespace kamelune {
namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

constexpr int kMargin = 8;
constexpr int kCountWidth = 110; // "12345 (100.0%)"

} // namespace

BarChart::BarChart(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void BarChart::SetDistribution(Distribution d, QString title) {
    d_ = std::move(d);
    title_ = std::move(title);
    resize(std::max(width(), ChartSize().width()), ChartSize().height());
    updateGeometry();
    update();
}

int BarChart::RowHeight() const {
    return fontMetrics().height() + 6;
}

int BarChart::LabelWidth() const {
    int widest = 40;
    for (const DistributionBar& bar : d_.bars)
        widest = std::max(widest, fontMetrics().horizontalAdvance(Q(bar.label)));
    return std::min(widest, 260) + kMargin;
}

QSize BarChart::ChartSize() const {
    const int rows = static_cast<int>(d_.bars.size()) + 1; // a title line above the bars
    return {LabelWidth() + 200 + kCountWidth + 2 * kMargin, rows * RowHeight() + 2 * kMargin};
}

QRect BarChart::BarRect(int k) const {
    std::size_t most = 1;
    for (const DistributionBar& bar : d_.bars)
        most = std::max(most, bar.pictures.size());
    const int left = kMargin + LabelWidth();
    const int room = std::max(40, width() - left - kCountWidth - kMargin);
    const auto& bar = d_.bars[static_cast<std::size_t>(k)];
    const int length = static_cast<int>(room * static_cast<double>(bar.pictures.size()) / most);
    const int top = kMargin + (k + 1) * RowHeight();
    return {left, top + 2, std::max(length, bar.pictures.empty() ? 0 : 2), RowHeight() - 4};
}

int BarChart::BarAt(QPoint p) const {
    const int k = (p.y() - kMargin) / RowHeight() - 1;
    return p.y() >= kMargin && k >= 0 && k < static_cast<int>(d_.bars.size()) ? k : -1;
}

void BarChart::Paint(QPainter& p, int width) const {
    const int row = RowHeight(), labelWidth = LabelWidth();
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRect(kMargin, kMargin, width - 2 * kMargin, row), Qt::AlignLeft | Qt::AlignVCenter,
               title_ + QStringLiteral("  (%1枚)").arg(d_.total));
    for (int k = 0; k < static_cast<int>(d_.bars.size()); ++k) {
        const DistributionBar& bar = d_.bars[static_cast<std::size_t>(k)];
        const QRect r = BarRect(k);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRect(kMargin, r.top() - 2, labelWidth - kMargin, row),
                   Qt::AlignRight | Qt::AlignVCenter,
                   fontMetrics().elidedText(Q(bar.label), Qt::ElideMiddle, labelWidth - kMargin));
        p.fillRect(r, bar.noValue ? QColor(0xB0, 0xB0, 0xB0) : QColor(0x4A, 0x7E, 0xBB));
        const QString count =
            QStringLiteral("%1 (%2%)").arg(bar.pictures.size()).arg(Q(ShareText(bar, d_)));
        p.drawText(QRect(r.right() + 6, r.top() - 2, kCountWidth, row),
                   Qt::AlignLeft | Qt::AlignVCenter, count);
    }
}

void BarChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Paint(p, width());
}

void BarChart::mousePressEvent(QMouseEvent* event) {
    const int k = BarAt(event->position().toPoint());
    if (k < 0 || event->button() != Qt::LeftButton) return;
    emit barClicked(k, event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
}

bool BarChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int k = BarAt(help->pos());
    if (k < 0) {
        QToolTip::hideText();
        return true;
    }
    const DistributionBar& bar = d_.bars[static_cast<std::size_t>(k)];
    QToolTip::showText(
        help->globalPos(),
        QStringLiteral("%1\n%2枚 (%3%)")
            .arg(Q(bar.range), QString::number(bar.pictures.size()), Q(ShareText(bar, d_))),
        this);
    return true;
}

DistributionWindow::DistributionWindow(FolderModel& model, DialogService& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("DistributionWindow"));
    setWindowTitle(QStringLiteral("Exif の分布"));
    Build();
    connect(&model_.Reader(), &FolderReader::readFinished, this, &DistributionWindow::Refresh);
    connect(&model_, &FolderModel::orderChanged, this, &DistributionWindow::Refresh);
    // The folder's counts stay as they are when the selection changes; the selection's do not.
    connect(&model_, &FolderModel::selectionChanged, this, [this] {
        if (scopeCombo->currentIndex() == 1) Refresh();
    });
    connect(&model_, &FolderModel::itemCountChanged, this, [this] {
        if (!choices_.empty()) FillChoices();
    });
    resize(520, 460);
}

void DistributionWindow::Build() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("項目:"), this));
    choiceCombo = new QComboBox(this);
    choiceCombo->setObjectName(QStringLiteral("choiceCombo"));
    choiceCombo->setMaxVisibleItems(24);
    top->addWidget(choiceCombo, 1);
    top->addWidget(new QLabel(QStringLiteral("対象:"), this));
    scopeCombo = new QComboBox(this);
    scopeCombo->setObjectName(QStringLiteral("scopeCombo"));
    scopeCombo->addItems({QStringLiteral("フォルダ全体"), QStringLiteral("選択した画像")});
    top->addWidget(scopeCombo);
    layout->addLayout(top);
    chart = new BarChart;
    chart->setObjectName(QStringLiteral("chart"));
    chartScroll = new QScrollArea(this);
    chartScroll->setWidget(chart);
    chartScroll->setWidgetResizable(true);
    layout->addWidget(chartScroll, 1);
    summaryLabel =
        new QLabel(QStringLiteral("棒をクリックで選択（Ctrl/Shift+クリックで選択に追加）"), this);
    layout->addWidget(summaryLabel);
    auto* buttons = new QHBoxLayout;
    pngButton = new QPushButton(QStringLiteral("PNG保存..."), this);
    svgButton = new QPushButton(QStringLiteral("SVG保存..."), this);
    tabButton = new QPushButton(QStringLiteral("TAB保存..."), this);
    closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    for (QPushButton* b : {pngButton, svgButton, tabButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(choiceCombo, &QComboBox::currentIndexChanged, this, &DistributionWindow::Refresh);
    connect(scopeCombo, &QComboBox::currentIndexChanged, this, &DistributionWindow::Refresh);
    connect(chart, &BarChart::barClicked, this, &DistributionWindow::SelectBar);
    connect(pngButton, &QPushButton::clicked, this, [this] { Export(QStringLiteral("png")); });
    connect(svgButton, &QPushButton::clicked, this, [this] { Export(QStringLiteral("svg")); });
    connect(tabButton, &QPushButton::clicked, this, [this] { Export(QStringLiteral("txt")); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void DistributionWindow::FillChoices() {
    const QString chosen = choiceCombo->currentText();
    choices_ = DistributionChoices(model_.ModernItems() ? kAllItemCount : kItemCount);
    const QSignalBlocker quiet(choiceCombo);
    choiceCombo->clear();
    for (const DistributionChoice& c : choices_)
        choiceCombo->addItem(Q(c.name));
    choiceCombo->setCurrentIndex(std::max(0, choiceCombo->findText(chosen)));
    Refresh();
}

void DistributionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The choices are made when first shown, not at the program's start.
    if (choices_.empty())
        FillChoices();
    else
        Refresh();
}

void DistributionWindow::Refresh() {
    // Closed, it costs nothing: it counts again when shown.
    if (!isVisible()) return;
    const int k = choiceCombo->currentIndex();
    if (k < 0 || k >= static_cast<int>(choices_.size())) return;
    // The pictures in the order of the view: the folder's, or the selected ones.
    PictureList pictures = PicturesInViewOrder(model_.View());
    if (scopeCombo->currentIndex() == 1) {
        const std::unordered_set<int> selected(model_.Selected().begin(), model_.Selected().end());
        std::erase_if(pictures, [&selected](int p) { return !selected.count(p); });
    }
    chart->SetDistribution(
        CountValues(model_.Base(), choices_[static_cast<std::size_t>(k)], pictures),
        choiceCombo->currentText());
}

void DistributionWindow::SelectBar(int k, bool add) {
    const auto& bars = chart->Shown().bars;
    if (k < 0 || k >= static_cast<int>(bars.size())) return;
    const PictureList chosen =
        ChangeSelectionBy(model_.Selected(), bars[static_cast<std::size_t>(k)].pictures,
                          add ? SelectionChange::Extend : SelectionChange::Replace);
    model_.ChangeSelection([&chosen](SelectionTables& t) { return SelectPictures(t, chosen); });
}

bool DistributionWindow::SavePng(const QString& path) const {
    QImage image(chart->ChartSize().expandedTo(QSize(chart->width(), 0)), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        chart->Paint(p, image.width());
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

bool DistributionWindow::SaveSvg(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QSize size = chart->ChartSize().expandedTo(QSize(chart->width(), 0));
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(windowTitle());
    {
        QPainter p(&svg);
        p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        chart->Paint(p, size.width());
    }
    return file.commit();
}

void DistributionWindow::Export(const QString& kind) {
    FileDialogRequest request;
    request.title = QStringLiteral("分布の保存");
    request.initialDir = Q(model_.Places().CurrentDir());
    request.defaultExt = kind;
    request.fileName = QStringLiteral("ExifDistribution");
    request.filter = kind == QStringLiteral("png") ? QStringLiteral("PNG画像(*.png)|*.png")
                     : kind == QStringLiteral("svg")
                         ? QStringLiteral("SVG画像(*.svg)|*.svg")
                         : QStringLiteral("TAB区切りテキスト(*.txt)|*.txt");
    const std::optional<QString> path = dialogs_.SaveFile(request);
    if (!path) return;
    bool ok = false;
    if (kind == QStringLiteral("png")) {
        ok = SavePng(*path);
    } else if (kind == QStringLiteral("svg")) {
        ok = SaveSvg(*path);
    } else {
        const FileResult r = WriteTextLines(
            path->toStdString(),
            DistributionLines(chart->Shown(), choiceCombo->currentText().toStdString()));
        ok = r.ok;
    }
    if (!ok) dialogs_.ShowCheckMessage(QStringLiteral("保存できませんでした: ") + *path);
}

} // namespace kamelune

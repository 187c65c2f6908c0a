// The writer window: a progress bar and a stop button over the HTML export runs, which go on on a
// worker thread.
#include "present/ui/ExportProgressWindow.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/ItemColumns.h"
#include "catalogue/ui/FolderModel.h"
#include "platform/qt/DialogService.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kamelune {

FileDialogRequest HtmlSaveRequest(const QString& title, const QString& name,
                                  const std::string& folder) {
    return {title, QString::fromStdString(folder), QStringLiteral("html"), name,
            QStringLiteral("HTMLファイル(*.html)|*.html")};
}

ExportProgressWindow::ExportProgressWindow(FolderModel& model, DialogService& dialogs)
    : model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("exportProgress"));
    setWindowTitle(QStringLiteral("HTMLの作成"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    // While a run goes on, no other window takes input: nothing changes the selection or the
    // folder under it, and no shortcut fires.
    setWindowModality(Qt::ApplicationModal);
    resize(337, 82);
    auto* layout = new QVBoxLayout(this);
    progressLabel = new QLabel(this);
    progressLabel->setObjectName(QStringLiteral("progressLabel"));
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    stopButton = new QPushButton(QStringLiteral("中止"), this);
    stopButton->setObjectName(QStringLiteral("stopButton"));
    layout->addWidget(progressLabel);
    layout->addWidget(progressBar);
    layout->addWidget(stopButton, 0, Qt::AlignRight);
    connect(stopButton, &QPushButton::clicked, this, [this] { Stop(); });
    ticker_ = new QTimer(this);
    ticker_->setInterval(50);
    connect(ticker_, &QTimer::timeout, this, [this] { ShowProgress(); });
    watcher_ = new QFutureWatcher<std::vector<std::string>>(this);
    connect(watcher_, &QFutureWatcherBase::finished, this, [this] {
        ticker_->stop();
        ShowProgress();
        running_ = false;
        hide();
        const std::vector<std::string> failures = watcher_->future().takeResult();
        if (auto done = std::exchange(done_, {})) done(failures);
    });
}

ExportProgressWindow::~ExportProgressWindow() {
    // The run reads nothing of this window but its progress: stop it and wait for its file.
    progress_.stop = true;
    if (running_) watcher_->waitForFinished();
}

void ExportProgressWindow::reject() {
    if (running_)
        Stop();
    else
        QDialog::reject();
}

void ExportProgressWindow::closeEvent(QCloseEvent* event) {
    if (running_) {
        Stop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ExportProgressWindow::ShowProgress() {
    switch (progress_.phase.load()) {
    case ExportPhase::SmallImages:
        progressLabel->setText(QStringLiteral("サムネイル作成中"));
        break;
    case ExportPhase::LargeImages:
        progressLabel->setText(QStringLiteral("リンク先画像作成中"));
        break;
    case ExportPhase::Page:
        progressLabel->setText(QStringLiteral("Exif HTMLの作成中"));
        break;
    case ExportPhase::None:
        break;
    }
    progressBar->setRange(0, progress_.total);
    progressBar->setValue(progress_.done);
}

void ExportProgressWindow::Start(ExportRun run,
                                 std::function<void(const std::vector<std::string>&)> done) {
    progress_.phase = ExportPhase::None;
    progress_.stop = false;
    progress_.done = 0;
    progress_.total = 0;
    progressLabel->clear();
    done_ = std::move(done);
    running_ = true;
    run.delay = fileDelay;
    show();
    ticker_->start();
    watcher_->setFuture(QtConcurrent::run(
        [this, run = std::move(run)]() mutable { return RunExport(std::move(run), progress_); }));
}

std::vector<std::string> ExportProgressWindow::Headings() const {
    std::vector<std::string> headings;
    for (const int item : model_.ChosenItems())
        headings.emplace_back(model_.Items().Cell(2, item));
    return headings;
}

std::vector<HtmlPicture> ExportProgressWindow::Pictures() const {
    std::vector<HtmlPicture> pictures;
    for (const int entry : model_.Selected()) {
        HtmlPicture p;
        p.fileName = model_.Base().Cell(kNameCol, entry);
        for (const int item : model_.ChosenItems())
            p.values.emplace_back(model_.Base().Cell(item + 1, entry));
        pictures.push_back(std::move(p));
    }
    return pictures;
}

void ExportProgressWindow::WriteHtmlTable(
    const std::string& fileName, ExportRun run,
    std::function<void(const std::vector<std::string>&)> done) {
    const QFileInfo info(QString::fromStdString(fileName));
    run.source = model_.Places().CurrentDir();
    run.folder = info.absolutePath().toStdString();
    run.pictures = Pictures();
    run.pagePath = run.folder + "/" + info.completeBaseName().toStdString() + ".html";
    for (std::size_t m = 0; m < model_.ChosenItems().size(); ++m)
        run.headings.emplace_back(model_.View().Cell(static_cast<int>(m) + 3, 0));
    Start(std::move(run), std::move(done));
}

bool ExportProgressWindow::MakeAlbum(
    ExportRun run, std::function<void(const QString& page, const std::vector<std::string>&)> done) {
    const auto path = dialogs_.SaveFile(HtmlSaveRequest(
        QStringLiteral("EXIF HTMLの保存"), QStringLiteral("MyExif"), model_.Places().CurrentDir()));
    if (!path) return false;
    const QFileInfo info(*path);
    const std::string base = info.completeBaseName().toStdString();
    run.source = model_.Places().CurrentDir();
    run.folder = info.absolutePath().toStdString();
    run.pictures = Pictures();
    run.pagePath = run.folder + "/" + base + ".html";
    run.albumSettings.base = base;
    run.headings = Headings();
    const QString page = QString::fromStdString(run.pagePath);
    Start(std::move(run), [page, done = std::move(done)](const std::vector<std::string>& failures) {
        done(page, failures);
    });
    return true;
}

} // namespace kamelune

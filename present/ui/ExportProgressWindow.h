// The writer window: a progress bar and a stop button over the HTML export runs, which go on on a
// worker thread.
#pragma once

#include "platform/qt/DialogService.h"
#include "present/ExportRun.h"
#include "present/HtmlExport.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kamelune {

class FolderModel;

// The save dialog of an HTML page: its title, the name offered, the folder it opens in.
FileDialogRequest HtmlSaveRequest(const QString& title, const QString& name,
                                  const std::string& folder);

// The window's controls, kept to itself; Controls() lends them to tests.
struct ExportProgressControls {
    QLabel* progressLabel = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* stopButton = nullptr;
};

class ExportProgressWindow : public QDialog, private ExportProgressControls {
public:
    ExportProgressWindow(FolderModel& model, DialogService& dialogs);
    ~ExportProgressWindow() override;
    const ExportProgressControls& Controls() const { return *this; }

    void Stop() { progress_.stop = true; }
    // The album run with the choices of its dialog (images, page size, album settings, text
    // files); false when the file dialog was cancelled. The run goes on on a worker thread
    // behind this window, which no other window's input reaches meanwhile; done(page, failures)
    // follows on the user-interface thread.
    bool MakeAlbum(ExportRun choice,
                   std::function<void(const QString& page, const std::vector<std::string>&)> done);
    // The table run to the given page, with the choices of its dialog.
    void WriteHtmlTable(const std::string& fileName, ExportRun choice,
                        std::function<void(const std::vector<std::string>&)> done);
    bool Running() const { return running_; }
    std::chrono::milliseconds fileDelay{0}; // tests: a pause before each picture of a run

    // The selected pictures with their chosen values; the caption headings of the chosen items.
    std::vector<HtmlPicture> Pictures() const;
    std::vector<std::string> Headings() const;

protected:
    // While a run goes on, Escape and the close box stop it instead of hiding the window that
    // keeps the others still.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Start(ExportRun run, std::function<void(const std::vector<std::string>&)> done);
    void ShowProgress();
    FolderModel& model_;
    DialogService& dialogs_;
    ExportProgress progress_;
    bool running_ = false;
    QTimer* ticker_;
    QFutureWatcher<std::vector<std::string>>* watcher_;
    std::function<void(const std::vector<std::string>&)> done_;
};

} // namespace kamelune

// The settings dialogs of the HTML album and the HTML table, and the writer window that makes
// their files with a progress bar and a stop button.
#pragma once

#include "present/ExportRun.h"
#include "present/HtmlExport.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QTimer>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace kamelune {

class ColorSwatch;
class DialogService;
class FolderModel;
class TFormMakeExifHTML;

class TFormSetHTML : public QDialog {
public:
    TFormSetHTML(FolderModel& model, DialogService& dialogs, TFormMakeExifHTML& writer);
    QComboBox* CBoxExifIti;
    QSpinBox *SpinEditGazoSYokosu, *SpinEditKeisen;
    QComboBox* CmbBoxMojiIti;
    QCheckBox* ChkBoxSamu;
    QSpinBox *SpinEditGazoSSize, *SpinEditGazoSQuality;
    QCheckBox* ChkBoxLink;
    QRadioButton *RBtnGenzuL, *RBtnSize;
    QSpinBox *SpinEditGazoLSize, *SpinEditGazoLQuality;
    QCheckBox *ChkBoxTextFile, *ChkBoxPreview;
    ColorSwatch *PanelBackColor, *PanelMjColor;
    QToolButton *SpeedBtnMake, *SpeedBtnClose;

    void FormShow();
    void BtnMakeClick();
    AlbumSettings Settings(const std::string& base) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    FolderModel& model_;
    DialogService& dialogs_;
    TFormMakeExifHTML& writer_;
};

class TFormSetHTML2 : public QDialog {
public:
    TFormSetHTML2(FolderModel& model, DialogService& dialogs, TFormMakeExifHTML& writer);
    QCheckBox* ChkBoxSamu;
    QSpinBox *SpinEditGazoSSize, *SpinEditGazoSQuality;
    QCheckBox* ChkBoxLink;
    QRadioButton *RBtnGenzuL, *RBtnSize;
    QSpinBox *SpinEditGazoLSize, *SpinEditGazoLQuality;
    QCheckBox* ChkBoxPreview;
    QToolButton *SpeedBtnMake, *SpeedBtnClose;

    void BtnMakeClick();

private:
    FolderModel& model_;
    DialogService& dialogs_;
    TFormMakeExifHTML& writer_;
};

class TFormMakeExifHTML : public QDialog {
public:
    TFormMakeExifHTML(FolderModel& model, DialogService& dialogs);
    ~TFormMakeExifHTML() override;
    QLabel* LabelProg;
    QProgressBar* ProgBar;
    QPushButton* BtnStop;

    void BtnStopClick() { progress_.stop = true; }
    // The album run with the settings of its dialog; false when the file dialog was cancelled.
    // The run goes on on a worker thread behind this window, which no other window's input
    // reaches meanwhile; done(failures) follows on the user-interface thread.
    bool MakeHTML(const TFormSetHTML& settings,
                  std::function<void(const QString& page, const std::vector<std::string>&)> done);
    // The table run to the given page.
    void OutHTMLYoko(const std::string& fileName, const TFormSetHTML2& settings,
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

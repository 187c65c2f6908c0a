// The settings dialogs of the HTML album and the HTML table, and the writer window that makes
// their files with a progress bar and a stop button.
#pragma once

#include "present/HtmlExport.h"

#include <QDialog>
#include <atomic>
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
    QLabel* LabelProg;
    QProgressBar* ProgBar;
    QPushButton* BtnStop;
    std::atomic<bool> gHtmlStop{false}; // read by the jobs
    // Files that could not be written in the current run (a run with any is not reported done).
    std::vector<std::string> failures;

    void BtnStopClick() { gHtmlStop = true; }
    // The album run with the settings of its dialog: true when it went to its end (a cancelled
    // file dialog gives false).
    bool MakeHTML(const TFormSetHTML& settings);
    // One image file per selected picture: "S_" (large false) or "L_".
    void MakeJpeg(const std::string& folder, int size, bool copyUnchanged, bool large, int quality);
    // Display size of a picture file at the given longer side (0 × 0 when unreadable).
    static void SetWH(const std::string& path, int size, int& w, int& h);
    // False when a stop left the page unwritten.
    // size: the longer side of the thumbnails the page shows.
    bool SubMakeHTML(const std::string& folder, const AlbumSettings& settings, int size);
    void MakeTextFiles(const std::string& folder);
    void OutHTMLYoko(const std::string& fileName, const TFormSetHTML2& settings);

    // A selected picture with its chosen values; the selected pictures with their display
    // sizes at the given size (0: none).
    HtmlPicture Picture(int pictNo) const;
    std::vector<HtmlPicture> Pictures(int size) const;
    std::vector<std::string> Headings() const; // caption headings of the chosen items
    void Save(const std::string& path, const std::vector<std::string>& lines);

private:
    FolderModel& model_;
    DialogService& dialogs_;
};

} // namespace kamelune

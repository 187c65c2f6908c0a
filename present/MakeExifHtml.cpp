// The writer window: image files, pages and text files of the HTML exports, with a progress bar
// and a stop button that ends the phase running.
#include "catalogue/BaseTable.h"
#include "catalogue/FolderModel.h"
#include "catalogue/MyUtils.h"
#include "catalogue/SetKomoku.h"
#include "platform/Jpeg.h"
#include "platform/TextFile.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Job.h"
#include "present/SetHTML.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <atomic>

namespace kamelune {

TFormMakeExifHTML::TFormMakeExifHTML(FolderModel& model, DialogService& dialogs)
    : model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormMakeExifHTML"));
    setWindowTitle(QStringLiteral("HTMLの作成"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(337, 82);
    auto* layout = new QVBoxLayout(this);
    LabelProg = new QLabel(this);
    LabelProg->setObjectName(QStringLiteral("LabelProg"));
    ProgBar = new QProgressBar(this);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    BtnStop = new QPushButton(QStringLiteral("中止"), this);
    BtnStop->setObjectName(QStringLiteral("BtnStop"));
    layout->addWidget(LabelProg);
    layout->addWidget(ProgBar);
    layout->addWidget(BtnStop, 0, Qt::AlignRight);
    connect(BtnStop, &QPushButton::clicked, this, [this] { BtnStopClick(); });
}

void TFormMakeExifHTML::Save(const std::string& path, const std::vector<std::string>& lines) {
    if (FileResult r = WriteTextLines(path, lines, Unmappable::HtmlReference); !r)
        failures.push_back(r.error);
}

void TFormMakeExifHTML::MakeJpeg(const std::string& folder, int size, bool copyUnchanged,
                                 bool large, int quality) {
    gHtmlStop = false;
    LabelProg->setText(large ? QStringLiteral("リンク先画像作成中")
                             : QStringLiteral("サムネイル作成中"));
    std::vector<std::string> names;
    for (const int entry : model_.gSelectList)
        names.push_back(model_.gridBase.Cell(kNameCol, entry));
    const std::string source = model_.currentDir;
    ProgBar->setRange(0, static_cast<int>(names.size()));
    ProgBar->setValue(0);
    std::atomic<int> made{0};
    const std::vector<std::string> failed = RunJob(
        [&] {
            std::vector<std::string> failed;
            for (const std::string& name : names) {
                if (gHtmlStop) break;
                const std::string from = JoinPath(source, name);
                const std::string target = folder + "/" + ImageFileName(large, name);
                if (large && copyUnchanged) {
                    if (FileResult r = CopyFileByBlocks(from, target); !r)
                        failed.push_back(r.error);
                } else if (const MakeJpegResult r = MakeJpeg2(from, target, quality, size); !r.ok) {
                    failed.push_back(ImageFileName(large, name) + ": " + r.error);
                }
                ++made;
            }
            return failed;
        },
        [&] { ProgBar->setValue(made); }, BtnStop);
    failures.insert(failures.end(), failed.begin(), failed.end());
}

void TFormMakeExifHTML::SetWH(const std::string& path, int size, int& w, int& h) {
    int pw = 0, ph = 0;
    w = h = 0;
    if (!ReadJpegSize(path, pw, ph)) return;
    const StretchSizes s = ComputeStretchSizes(pw, ph, size);
    w = s.w;
    h = s.h;
}

std::vector<std::string> TFormMakeExifHTML::Headings() const {
    std::vector<std::string> headings;
    for (const int item : model_.gItemList)
        headings.push_back(model_.itemGrid.Cell(2, item));
    return headings;
}

HtmlPicture TFormMakeExifHTML::Picture(int row) const {
    HtmlPicture p;
    p.fileName = model_.gridBase.Cell(kNameCol, row);
    for (const int item : model_.gItemList)
        p.values.push_back(model_.gridBase.Cell(item + 1, row));
    return p;
}

std::vector<HtmlPicture> TFormMakeExifHTML::Pictures(int size) const {
    std::vector<HtmlPicture> pictures;
    for (const int entry : model_.gSelectList) {
        pictures.push_back(Picture(entry));
        HtmlPicture& p = pictures.back();
        if (size > 0) SetWH(JoinPath(model_.currentDir, p.fileName), size, p.width, p.height);
    }
    return pictures;
}

bool TFormMakeExifHTML::SubMakeHTML(const std::string& folder, const AlbumSettings& settings,
                                    int size) {
    if (model_.gSelectList.empty()) return false;
    const std::string page = folder + "/" + settings.base + ".html";
    gHtmlStop = false;
    LabelProg->setText(QStringLiteral("Exif HTMLの作成中"));
    // The bar follows the pictures as their sizes are read for the page. The page is whole or
    // not written: a stop leaves it out, and says so.
    std::vector<HtmlPicture> pictures = Pictures(0);
    const std::string source = model_.currentDir;
    ProgBar->setRange(0, static_cast<int>(pictures.size()));
    ProgBar->setValue(0);
    std::atomic<int> read{0};
    RunJob(
        [&] {
            for (HtmlPicture& p : pictures) {
                if (gHtmlStop) break;
                SetWH(JoinPath(source, p.fileName), size, p.width, p.height);
                ++read;
            }
            return 0;
        },
        [&] { ProgBar->setValue(read); }, BtnStop);
    if (gHtmlStop) {
        failures.push_back(page + ": 中止したため書いていません");
        return false;
    }
    Save(page, AlbumPageLines(settings, pictures, Headings()));
    return true;
}

void TFormMakeExifHTML::MakeTextFiles(const std::string& folder) {
    const std::vector<std::string> headings = Headings();
    for (const HtmlPicture& p : Pictures(0))
        if (FileResult r = WriteTextLines(folder + "/" + ExifTextFileName(p.fileName),
                                          ExifTextLines(p, headings));
            !r)
            failures.push_back(r.error);
}

void TFormMakeExifHTML::OutHTMLYoko(const std::string& fileName, const TFormSetHTML2& s) {
    if (model_.gSelectList.empty()) {
        dialogs_.ShowCheckMessage(QStringLiteral("選択されていません"));
        return;
    }
    const QFileInfo info(QString::fromStdString(fileName));
    const std::string folder = info.absolutePath().toStdString();
    if (s.ChkBoxSamu->isChecked())
        MakeJpeg(folder, s.SpinEditGazoSSize->value(), s.RBtnGenzuL->isChecked(), false,
                 s.SpinEditGazoSQuality->value());
    if (s.ChkBoxLink->isChecked())
        MakeJpeg(folder, s.SpinEditGazoLSize->value(), s.RBtnGenzuL->isChecked(), true,
                 s.SpinEditGazoLQuality->value());
    std::vector<std::string> titles;
    for (std::size_t m = 0; m < model_.gItemList.size(); ++m)
        titles.push_back(model_.gridExif.Cell(static_cast<int>(m) + 3, 0));
    const TableSettings table{s.ChkBoxSamu->isChecked(), s.ChkBoxLink->isChecked()};
    Save(folder + "/" + info.completeBaseName().toStdString() + ".html",
         TablePageLines(table, Pictures(s.SpinEditGazoSSize->value()), titles));
}

} // namespace kamelune

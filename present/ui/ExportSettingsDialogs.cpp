#include "ExportSettingsDialogs.h"
#include "platform/qt/Widgets.h"
#include "present/ui/ExportProgressWindow.h"

#include "catalogue/ui/FolderModel.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"
#include "platform/qt/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {
namespace {

QSpinBox* Spin(QWidget* parent, const char* name, int value, int min, int max,
               const QString& hint = {}, int step = 1) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(min, max);
    s->setValue(value);
    s->setSingleStep(step);
    s->setToolTip(hint);
    return s;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& text, bool on) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(on);
    return c;
}

void SetBackground(QWidget* w, int r, int g, int b) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(r, g, b));
    w->setPalette(p);
}

constexpr int kNoLimit = 100000;

// "作成" and "閉じる" at the foot of a settings dialog.
void AddMakeClose(QDialog* dialog, QVBoxLayout* layout, QToolButton*& make, QToolButton*& close) {
    auto* buttons = new QHBoxLayout;
    make = MakeToolButton(dialog, "makeButton", QStringLiteral("作成"));
    close = MakeToolButton(dialog, "closeButton", QStringLiteral("閉じる"));
    buttons->addStretch();
    buttons->addWidget(make);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    QObject::connect(close, &QToolButton::clicked, dialog, &QDialog::close);
}

// The "サムネイル" and "大イメージ" groups, which both settings dialogs have.
struct ImageGroups {
    QCheckBox* thumbnails;
    QSpinBox *sSize, *sQuality;
    QCheckBox* link;
    QRadioButton *original, *size;
    QSpinBox *lSize, *lQuality;
};

// The run's images as the two groups show them; the page gives its images the thumbnail size.
ExportRun ImagesChoice(const ImageGroups& g) {
    ExportRun run;
    run.small = {g.thumbnails->isChecked(), g.sSize->value(), g.original->isChecked(),
                 g.sQuality->value()};
    run.large = {g.link->isChecked(), g.lSize->value(), g.original->isChecked(),
                 g.lQuality->value()};
    run.pageSize = g.sSize->value();
    return run;
}

ImageGroups AddImageGroups(QWidget* parent, QVBoxLayout* layout, const QString& sizeLabel,
                           int sSize, int sQuality, const QString& linkText, bool unchanged) {
    ImageGroups g;
    auto* thumb = new QGroupBox(QStringLiteral("サムネイル"), parent);
    auto* thumbnailForm = new QFormLayout(thumb);
    g.thumbnails = Check(thumb, "thumbnailsCheck", QStringLiteral("サムネイルをつける"), true);
    thumbnailForm->addRow(g.thumbnails);
    g.sSize = Spin(thumb, "smallSizeBox", sSize, 1, kNoLimit);
    thumbnailForm->addRow(sizeLabel, g.sSize);
    g.sQuality = Spin(thumb, "smallQualityBox", sQuality, 1, 100);
    g.sQuality->setSuffix(QStringLiteral("％"));
    thumbnailForm->addRow(QStringLiteral("画質"), g.sQuality);
    layout->addWidget(thumb);
    auto* large = new QGroupBox(QStringLiteral("大イメージ"), parent);
    auto* largeForm = new QFormLayout(large);
    g.link = Check(large, "linkCheck", linkText, false);
    largeForm->addRow(g.link);
    g.original = new QRadioButton(QStringLiteral("原図のまま"), large);
    g.original->setObjectName(QStringLiteral("originalRadio"));
    g.size = new QRadioButton(QStringLiteral("サイズ指定"), large);
    g.size->setObjectName(QStringLiteral("reducedRadio"));
    (unchanged ? g.original : g.size)->setChecked(true);
    auto* radios = new QHBoxLayout;
    radios->addWidget(g.original);
    radios->addWidget(g.size);
    largeForm->addRow(radios);
    g.lSize = Spin(large, "largeSizeBox", 400, 1, kNoLimit);
    largeForm->addRow(sizeLabel, g.lSize);
    g.lQuality = Spin(large, "largeQualityBox", 75, 1, 100, {}, 5);
    g.lQuality->setSuffix(QStringLiteral("％"));
    largeForm->addRow(QStringLiteral("画質"), g.lQuality);
    layout->addWidget(large);
    return g;
}

void Finish(DialogService& dialogs, const QString& path, bool preview,
            const std::vector<std::string>& failures) {
    if (!failures.empty()) {
        QString text = QStringLiteral("作成できなかったファイルがあります:");
        for (const std::string& f : failures)
            text += QLatin1Char('\n') + QString::fromStdString(f);
        dialogs.ShowCheckMessage(text);
        return;
    }
    dialogs.Message(MessageKind::Information, QStringLiteral("Kamelune"),
                    QStringLiteral("Exif HTML: ") + QFileInfo(path).completeBaseName() +
                        QStringLiteral("が作成されました。"));
    if (!preview) return;
    if (const FileResult r = OpenDocument(path); !r)
        dialogs.ShowCheckMessage(QString::fromStdString(r.error));
}

} // namespace

AlbumSettingsDialog::AlbumSettingsDialog(FolderModel& model, DialogService& dialogs,
                                         ExportProgressWindow& writer)
    : model_(model), dialogs_(dialogs), writer_(writer) {
    setObjectName(QStringLiteral("albumSettings"));
    setWindowTitle(QStringLiteral("HTML出力１の設定"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    SetBackground(this, 218, 244, 245);
    auto* layout = new QVBoxLayout(this);

    auto* exif = new QGroupBox(QStringLiteral("Exifの書き方"), this);
    auto* exifForm = new QFormLayout(exif);
    captionPlaceCombo = new QComboBox(exif);
    captionPlaceCombo->setObjectName(QStringLiteral("captionPlaceCombo"));
    captionPlaceCombo->addItems({QStringLiteral("イメージの右"), QStringLiteral("イメージの下")});
    captionPlaceCombo->setToolTip(QStringLiteral("Exif情報を書く位置"));
    exifForm->addRow(QStringLiteral("位置"), captionPlaceCombo);
    columnsBox = Spin(exif, "columnsBox", 5, 1, 100, QStringLiteral("横の列数"));
    exifForm->addRow(QStringLiteral("列数"), columnsBox);
    borderBox = Spin(exif, "borderBox", 1, 0, 5, QStringLiteral("罫線のふとさ"));
    exifForm->addRow(QStringLiteral("罫線太さ"), borderBox);
    textAlignCombo = new QComboBox(exif);
    textAlignCombo->setObjectName(QStringLiteral("textAlignCombo"));
    textAlignCombo->addItems({QStringLiteral("左"), QStringLiteral("中央"), QStringLiteral("右")});
    exifForm->addRow(QStringLiteral("文字位置"), textAlignCombo);
    layout->addWidget(exif);

    const ImageGroups g = AddImageGroups(this, layout, QStringLiteral("サイズ（ﾋﾟｸｾﾙ）"), 100, 50,
                                         QStringLiteral("リンクをつくる"), true);
    thumbnailsCheck = g.thumbnails, smallSizeBox = g.sSize, smallQualityBox = g.sQuality;
    linkCheck = g.link, originalRadio = g.original, reducedRadio = g.size;
    largeSizeBox = g.lSize, largeQualityBox = g.lQuality;

    auto* options = new QGroupBox(QStringLiteral("出力オプション"), this);
    auto* optionsLayout = new QVBoxLayout(options);
    textFilesCheck =
        Check(options, "textFilesCheck", QStringLiteral("テキストファイルをつくる"), false);
    openAfterCheck = Check(options, "openAfterCheck", QStringLiteral("作成後ビューする"), true);
    optionsLayout->addWidget(textFilesCheck);
    optionsLayout->addWidget(openAfterCheck);
    layout->addWidget(options);

    auto* colors = new QFormLayout;
    backgroundSwatch = new ColorSwatch("backgroundSwatch", dialogs_, this);
    backgroundSwatch->SetColor(232 | (232 << 8) | (255u << 16));
    textColorSwatch = new ColorSwatch("textColorSwatch", dialogs_, this);
    textColorSwatch->SetColor(0);
    colors->addRow(QStringLiteral("背景色"), backgroundSwatch);
    colors->addRow(QStringLiteral("文字色"), textColorSwatch);
    layout->addLayout(colors);

    AddMakeClose(this, layout, makeButton, closeButton);
    connect(makeButton, &QToolButton::clicked, this, [this] { MakeExport(); });
    FillControls();
}

void AlbumSettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FillControls();
}

void AlbumSettingsDialog::FillControls() {
    captionPlaceCombo->setCurrentIndex(1);
    textAlignCombo->setCurrentIndex(0);
}

ExportRun AlbumSettingsDialog::Choice() const {
    static const char* kAlign[] = {"left", "center", "right"};
    ExportRun run = ImagesChoice({thumbnailsCheck, smallSizeBox, smallQualityBox, linkCheck,
                                  originalRadio, reducedRadio, largeSizeBox, largeQualityBox});
    run.textFiles = textFilesCheck->isChecked();
    AlbumSettings& s = run.albumSettings;
    s.position = captionPlaceCombo->currentIndex() == 0 ? ExifPosition::Right : ExifPosition::Below;
    s.columns = columnsBox->value();
    s.border = borderBox->value();
    s.align = kAlign[std::clamp(textAlignCombo->currentIndex(), 0, 2)];
    s.link = linkCheck->isChecked();
    s.background = backgroundSwatch->Color();
    s.textColor = textColorSwatch->Color();
    return run;
}

void AlbumSettingsDialog::MakeExport() {
    if (model_.ChosenItems().empty()) {
        dialogs_.ShowCheckMessage(QStringLiteral("出力するExif項目が選択されていません！"));
        return;
    }
    // The settings dialog closes when the run is done, before its result is told, so that the
    // message is not under this dialog that stays on top.
    const bool started = writer_.MakeAlbum(
        Choice(), [this](const QString& page, const std::vector<std::string>& failures) {
            close();
            Finish(dialogs_, page, openAfterCheck->isChecked(), failures);
        });
    if (!started) close();
}

TableSettingsDialog::TableSettingsDialog(FolderModel& model, DialogService& dialogs,
                                         ExportProgressWindow& writer)
    : model_(model), dialogs_(dialogs), writer_(writer) {
    setObjectName(QStringLiteral("tableSettings"));
    setWindowTitle(QStringLiteral("HTML出力２の設定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetBackground(this, 220, 252, 225);
    auto* layout = new QVBoxLayout(this);
    const ImageGroups g = AddImageGroups(this, layout, QStringLiteral("サイズ"), 96, 40,
                                         QStringLiteral("リンクする"), false);
    thumbnailsCheck = g.thumbnails, smallSizeBox = g.sSize, smallQualityBox = g.sQuality;
    linkCheck = g.link, originalRadio = g.original, reducedRadio = g.size;
    largeSizeBox = g.lSize, largeQualityBox = g.lQuality;
    openAfterCheck = Check(this, "openAfterCheck", QStringLiteral("作成後ビューする"), true);
    layout->addWidget(openAfterCheck);
    AddMakeClose(this, layout, makeButton, closeButton);
    connect(makeButton, &QToolButton::clicked, this, [this] { MakeExport(); });
}

ExportRun TableSettingsDialog::Choice() const {
    ExportRun run = ImagesChoice({thumbnailsCheck, smallSizeBox, smallQualityBox, linkCheck,
                                  originalRadio, reducedRadio, largeSizeBox, largeQualityBox});
    run.album = false;
    run.tableSettings = {thumbnailsCheck->isChecked(), linkCheck->isChecked()};
    return run;
}

void TableSettingsDialog::MakeExport() {
    const auto path = dialogs_.SaveFile(HtmlSaveRequest(QStringLiteral("表形式HTMLの保存"),
                                                        QStringLiteral("MyExifTable"),
                                                        model_.Places().CurrentDir()));
    if (!path) return;
    if (model_.Selected().empty()) {
        dialogs_.ShowCheckMessage(QStringLiteral("選択されていません"));
        return;
    }
    const QFileInfo info(*path);
    const QString page =
        info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".html");
    writer_.WriteHtmlTable(path->toStdString(), Choice(),
                           [this, page](const std::vector<std::string>& failures) {
                               Finish(dialogs_, page, openAfterCheck->isChecked(), failures);
                           });
}

} // namespace kamelune

#include "ExportSettingsDialogs.h"
#include "platform/qt/Widgets.h"
#include "present/ExportProgressWindow.h"

#include "catalogue/FolderModel.h"
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
    make = MakeToolButton(dialog, "SpeedBtnMake", QStringLiteral("作成"));
    close = MakeToolButton(dialog, "SpeedBtnClose", QStringLiteral("閉じる"));
    buttons->addStretch();
    buttons->addWidget(make);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    QObject::connect(close, &QToolButton::clicked, dialog, &QDialog::close);
}

// The "サムネイル" and "大イメージ" groups, which both settings dialogs have.
struct ImageGroups {
    QCheckBox* samu;
    QSpinBox *sSize, *sQuality;
    QCheckBox* link;
    QRadioButton *genzu, *size;
    QSpinBox *lSize, *lQuality;
};

// The run's images as the two groups show them; the page gives its images the thumbnail size.
ExportRun ImagesChoice(const ImageGroups& g) {
    ExportRun run;
    run.small = {g.samu->isChecked(), g.sSize->value(), g.genzu->isChecked(), g.sQuality->value()};
    run.large = {g.link->isChecked(), g.lSize->value(), g.genzu->isChecked(), g.lQuality->value()};
    run.pageSize = g.sSize->value();
    return run;
}

ImageGroups AddImageGroups(QWidget* parent, QVBoxLayout* layout, const QString& sizeLabel,
                           int sSize, int sQuality, const QString& linkText, bool unchanged) {
    ImageGroups g;
    auto* thumb = new QGroupBox(QStringLiteral("サムネイル"), parent);
    auto* thumbForm = new QFormLayout(thumb);
    g.samu = Check(thumb, "ChkBoxSamu", QStringLiteral("サムネイルをつける"), true);
    thumbForm->addRow(g.samu);
    g.sSize = Spin(thumb, "SpinEditGazoSSize", sSize, 1, kNoLimit);
    thumbForm->addRow(sizeLabel, g.sSize);
    g.sQuality = Spin(thumb, "SpinEditGazoSQuality", sQuality, 1, 100);
    g.sQuality->setSuffix(QStringLiteral("％"));
    thumbForm->addRow(QStringLiteral("画質"), g.sQuality);
    layout->addWidget(thumb);
    auto* large = new QGroupBox(QStringLiteral("大イメージ"), parent);
    auto* largeForm = new QFormLayout(large);
    g.link = Check(large, "ChkBoxLink", linkText, false);
    largeForm->addRow(g.link);
    g.genzu = new QRadioButton(QStringLiteral("原図のまま"), large);
    g.genzu->setObjectName(QStringLiteral("RBtnGenzuL"));
    g.size = new QRadioButton(QStringLiteral("サイズ指定"), large);
    g.size->setObjectName(QStringLiteral("RBtnSize"));
    (unchanged ? g.genzu : g.size)->setChecked(true);
    auto* radios = new QHBoxLayout;
    radios->addWidget(g.genzu);
    radios->addWidget(g.size);
    largeForm->addRow(radios);
    g.lSize = Spin(large, "SpinEditGazoLSize", 400, 1, kNoLimit);
    largeForm->addRow(sizeLabel, g.lSize);
    g.lQuality = Spin(large, "SpinEditGazoLQuality", 75, 1, 100, {}, 5);
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
    setObjectName(QStringLiteral("FormSetHTML"));
    setWindowTitle(QStringLiteral("HTML出力１の設定"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    SetBackground(this, 218, 244, 245);
    auto* layout = new QVBoxLayout(this);

    auto* exif = new QGroupBox(QStringLiteral("Exifの書き方"), this);
    auto* exifForm = new QFormLayout(exif);
    CBoxExifIti = new QComboBox(exif);
    CBoxExifIti->setObjectName(QStringLiteral("CBoxExifIti"));
    CBoxExifIti->addItems({QStringLiteral("イメージの右"), QStringLiteral("イメージの下")});
    CBoxExifIti->setToolTip(QStringLiteral("Exif情報を書く位置"));
    exifForm->addRow(QStringLiteral("位置"), CBoxExifIti);
    SpinEditGazoSYokosu = Spin(exif, "SpinEditGazoSYokosu", 5, 1, 100, QStringLiteral("横の列数"));
    exifForm->addRow(QStringLiteral("列数"), SpinEditGazoSYokosu);
    SpinEditKeisen = Spin(exif, "SpinEditKeisen", 1, 0, 5, QStringLiteral("罫線のふとさ"));
    exifForm->addRow(QStringLiteral("罫線太さ"), SpinEditKeisen);
    CmbBoxMojiIti = new QComboBox(exif);
    CmbBoxMojiIti->setObjectName(QStringLiteral("CmbBoxMojiIti"));
    CmbBoxMojiIti->addItems({QStringLiteral("左"), QStringLiteral("中央"), QStringLiteral("右")});
    exifForm->addRow(QStringLiteral("文字位置"), CmbBoxMojiIti);
    layout->addWidget(exif);

    const ImageGroups g = AddImageGroups(this, layout, QStringLiteral("サイズ（ﾋﾟｸｾﾙ）"), 100, 50,
                                         QStringLiteral("リンクをつくる"), true);
    ChkBoxSamu = g.samu, SpinEditGazoSSize = g.sSize, SpinEditGazoSQuality = g.sQuality;
    ChkBoxLink = g.link, RBtnGenzuL = g.genzu, RBtnSize = g.size;
    SpinEditGazoLSize = g.lSize, SpinEditGazoLQuality = g.lQuality;

    auto* options = new QGroupBox(QStringLiteral("出力オプション"), this);
    auto* optionsLayout = new QVBoxLayout(options);
    ChkBoxTextFile =
        Check(options, "ChkBoxTextFile", QStringLiteral("テキストファイルをつくる"), false);
    ChkBoxPreview = Check(options, "ChkBoxPreview", QStringLiteral("作成後ビューする"), true);
    optionsLayout->addWidget(ChkBoxTextFile);
    optionsLayout->addWidget(ChkBoxPreview);
    layout->addWidget(options);

    auto* colors = new QFormLayout;
    PanelBackColor = new ColorSwatch("PanelBackColor", dialogs_, this);
    PanelBackColor->SetColor(232 | (232 << 8) | (255u << 16));
    PanelMjColor = new ColorSwatch("PanelMjColor", dialogs_, this);
    PanelMjColor->SetColor(0);
    colors->addRow(QStringLiteral("背景色"), PanelBackColor);
    colors->addRow(QStringLiteral("文字色"), PanelMjColor);
    layout->addLayout(colors);

    AddMakeClose(this, layout, SpeedBtnMake, SpeedBtnClose);
    connect(SpeedBtnMake, &QToolButton::clicked, this, [this] { BtnMakeClick(); });
    FormShow();
}

void AlbumSettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void AlbumSettingsDialog::FormShow() {
    CBoxExifIti->setCurrentIndex(1);
    CmbBoxMojiIti->setCurrentIndex(0);
}

ExportRun AlbumSettingsDialog::Choice() const {
    static const char* kAlign[] = {"left", "center", "right"};
    ExportRun run = ImagesChoice({ChkBoxSamu, SpinEditGazoSSize, SpinEditGazoSQuality, ChkBoxLink,
                                  RBtnGenzuL, RBtnSize, SpinEditGazoLSize, SpinEditGazoLQuality});
    run.textFiles = ChkBoxTextFile->isChecked();
    AlbumSettings& s = run.albumSettings;
    s.position = CBoxExifIti->currentIndex() == 0 ? ExifPosition::Right : ExifPosition::Below;
    s.columns = SpinEditGazoSYokosu->value();
    s.border = SpinEditKeisen->value();
    s.align = kAlign[std::clamp(CmbBoxMojiIti->currentIndex(), 0, 2)];
    s.link = ChkBoxLink->isChecked();
    s.background = PanelBackColor->Color();
    s.textColor = PanelMjColor->Color();
    return run;
}

void AlbumSettingsDialog::BtnMakeClick() {
    if (model_.ChosenItems().empty()) {
        dialogs_.ShowCheckMessage(QStringLiteral("出力するExif項目が選択されていません！"));
        return;
    }
    // The settings dialog closes when the run is done, before its result is told, so that the
    // message is not under this dialog that stays on top.
    const bool started = writer_.MakeHTML(
        Choice(), [this](const QString& page, const std::vector<std::string>& failures) {
            close();
            Finish(dialogs_, page, ChkBoxPreview->isChecked(), failures);
        });
    if (!started) close();
}

TableSettingsDialog::TableSettingsDialog(FolderModel& model, DialogService& dialogs,
                                         ExportProgressWindow& writer)
    : model_(model), dialogs_(dialogs), writer_(writer) {
    setObjectName(QStringLiteral("FormSetHTML2"));
    setWindowTitle(QStringLiteral("HTML出力２の設定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetBackground(this, 220, 252, 225);
    auto* layout = new QVBoxLayout(this);
    const ImageGroups g = AddImageGroups(this, layout, QStringLiteral("サイズ"), 96, 40,
                                         QStringLiteral("リンクする"), false);
    ChkBoxSamu = g.samu, SpinEditGazoSSize = g.sSize, SpinEditGazoSQuality = g.sQuality;
    ChkBoxLink = g.link, RBtnGenzuL = g.genzu, RBtnSize = g.size;
    SpinEditGazoLSize = g.lSize, SpinEditGazoLQuality = g.lQuality;
    ChkBoxPreview = Check(this, "ChkBoxPreview", QStringLiteral("作成後ビューする"), true);
    layout->addWidget(ChkBoxPreview);
    AddMakeClose(this, layout, SpeedBtnMake, SpeedBtnClose);
    connect(SpeedBtnMake, &QToolButton::clicked, this, [this] { BtnMakeClick(); });
}

ExportRun TableSettingsDialog::Choice() const {
    ExportRun run = ImagesChoice({ChkBoxSamu, SpinEditGazoSSize, SpinEditGazoSQuality, ChkBoxLink,
                                  RBtnGenzuL, RBtnSize, SpinEditGazoLSize, SpinEditGazoLQuality});
    run.album = false;
    run.tableSettings = {ChkBoxSamu->isChecked(), ChkBoxLink->isChecked()};
    return run;
}

void TableSettingsDialog::BtnMakeClick() {
    const auto path = dialogs_.SaveFile(HtmlSaveRequest(
        QStringLiteral("表形式HTMLの保存"), QStringLiteral("MyExifTable"), model_.CurrentDir()));
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
                               Finish(dialogs_, page, ChkBoxPreview->isChecked(), failures);
                           });
}

} // namespace kamelune

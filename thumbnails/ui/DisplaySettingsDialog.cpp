#include "DisplaySettingsDialog.h"
#include "platform/qt/Widgets.h"

#include "catalogue/ui/FolderModel.h"
#include "platform/qt/DialogService.h"
#include "thumbnails/ui/ItemChoiceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {

DisplaySettingsDialog::DisplaySettingsDialog(FolderModel& folder, DialogService& dialogs)
    : folder_(folder), dialogs_(dialogs) {
    setObjectName(QStringLiteral("displaySettings"));
    setWindowTitle(QStringLiteral("サムネイル表示属性の設定"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    applyButton = MakeToolButton(bar, "applyButton", QStringLiteral("適用"),
                                 QStringLiteral("表示属性を適用する"));
    restoreDefaultsButton =
        MakeToolButton(bar, "restoreDefaultsButton", QStringLiteral("既定値にする"),
                       QStringLiteral("表示属性を既定値にセット"));
    closeButton =
        MakeToolButton(bar, "closeButton", QStringLiteral("閉"), QStringLiteral("閉じる"));
    layout->addWidget(bar);

    auto* grid = new QGridLayout;
    int row = 0;
    auto swatch = [&](const char* name, const QString& label) {
        grid->addWidget(new QLabel(label, this), row, 0);
        auto* s = new ColorSwatch(name, dialogs, this);
        grid->addWidget(s, row++, 1);
        return s;
    };
    panelSwatch = swatch("panelSwatch", QStringLiteral("パネル色"));
    selectedSwatch = swatch("selectedSwatch", QStringLiteral("選択色"));
    numberSwatch = swatch("numberSwatch", QStringLiteral("No色"));
    fileNameSwatch = swatch("fileNameSwatch", QStringLiteral("ファイル名色"));
    selectionNumberSwatch = swatch("selectionNumberSwatch", QStringLiteral("選択No色"));
    grid->addWidget(new QLabel(QStringLiteral("文字大"), this), row, 0);
    textSizeCombo = new QComboBox(this);
    textSizeCombo->setObjectName(QStringLiteral("textSizeCombo"));
    for (const char* h : kCaptionHeights)
        textSizeCombo->addItem(QString::fromLatin1(h));
    textSizeCombo->setCurrentIndex(0);
    grid->addWidget(textSizeCombo, row++, 1);
    textColorSwatch = swatch("textColorSwatch", QStringLiteral("文字色"));
    textBackSwatch = swatch("textBackSwatch", QStringLiteral("背景色"));
    transparentCheck = new QCheckBox(QStringLiteral("透過"), this);
    transparentCheck->setObjectName(QStringLiteral("transparentCheck"));
    grid->addWidget(transparentCheck, row++, 0, 1, 2);
    emphasisSwatch = swatch("emphasisSwatch", QStringLiteral("強調色"));
    grid->addWidget(new QLabel(QStringLiteral("強調表示項目"), this), 0, 2);
    emphasisList = new QListWidget(this);
    emphasisList->setObjectName(QStringLiteral("emphasisList"));
    grid->addWidget(emphasisList, 1, 2, row - 1, 1);
    layout->addLayout(grid);
    SetAttributes(folder_.Display());
    // The controls are the model's attributes: every change goes to it at once (the page shows
    // it when it is next built), and what the model is given elsewhere (a ".pkm" file, the item
    // dialog's emphasis list) shows here.
    for (ColorSwatch* s : {panelSwatch, selectedSwatch, numberSwatch, fileNameSwatch,
                           selectionNumberSwatch, textColorSwatch, textBackSwatch, emphasisSwatch})
        s->onChanged = [this] { Store(); };
    connect(textSizeCombo, &QComboBox::currentIndexChanged, this, [this] { Store(); });
    connect(transparentCheck, &QCheckBox::toggled, this, [this] { Store(); });
    connect(emphasisList, &QListWidget::itemChanged, this, [this] { Store(); });
    connect(&folder_, &FolderModel::displayChanged, this, [this] {
        if (Attributes() != folder_.Display()) SetAttributes(folder_.Display());
    });

    connect(applyButton, &QToolButton::clicked, this, [this] { Apply(); });
    connect(restoreDefaultsButton, &QToolButton::clicked, this, [this] { RestoreDefaults(); });
    connect(closeButton, &QToolButton::clicked, this, &QDialog::close);
}

DisplayAttributes DisplaySettingsDialog::Attributes() const {
    DisplayAttributes a;
    a.panelColor = panelSwatch->Color();
    a.selectedColor = selectedSwatch->Color();
    a.numberColor = numberSwatch->Color();
    a.fileNameColor = fileNameSwatch->Color();
    a.selectionNumberColor = selectionNumberSwatch->Color();
    a.textColor = textColorSwatch->Color();
    a.textBackColor = textBackSwatch->Color();
    a.emphasisColor = emphasisSwatch->Color();
    a.textSizeIndex = textSizeCombo->currentIndex();
    a.transparent = transparentCheck->isChecked();
    for (int k = 0; k < emphasisList->count(); ++k) {
        a.emphasisNames.push_back(emphasisList->item(k)->text().toStdString());
        a.emphasisChecked.push_back(emphasisList->item(k)->checkState() == Qt::Checked);
    }
    return a;
}

void DisplaySettingsDialog::Store() {
    if (!showing_) folder_.SetDisplay(Attributes());
}

void DisplaySettingsDialog::SetAttributes(const DisplayAttributes& a) {
    showing_ = true;
    panelSwatch->SetColor(a.panelColor);
    selectedSwatch->SetColor(a.selectedColor);
    numberSwatch->SetColor(a.numberColor);
    fileNameSwatch->SetColor(a.fileNameColor);
    selectionNumberSwatch->SetColor(a.selectionNumberColor);
    textColorSwatch->SetColor(a.textColor);
    textBackSwatch->SetColor(a.textBackColor);
    emphasisSwatch->SetColor(a.emphasisColor);
    textSizeCombo->setCurrentIndex(a.textSizeIndex >= 0 && a.textSizeIndex < 4 ? a.textSizeIndex
                                                                               : 0);
    transparentCheck->setChecked(a.transparent);
    emphasisList->clear();
    for (std::size_t k = 0; k < a.emphasisNames.size(); ++k) {
        auto* item = new QListWidgetItem(QString::fromStdString(a.emphasisNames[k]), emphasisList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(a.Emphasised(static_cast<int>(k)) ? Qt::Checked : Qt::Unchecked);
    }
    showing_ = false;
    Store();
}

void DisplaySettingsDialog::Apply() {
    emit applied();
}

void DisplaySettingsDialog::RestoreDefaults() {
    SavePkmFile(dialogs_, QStringLiteral("ｻﾑﾈｲﾙExif項目の保存(asﾃﾞﾌｫｰﾙﾄ）"),
                QStringLiteral("Default"), folder_.Places().AppDir(), folder_.Items(),
                Attributes());
}

} // namespace kamelune

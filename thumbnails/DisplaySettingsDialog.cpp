#include "DisplaySettingsDialog.h"
#include "platform/qt/Widgets.h"

#include "catalogue/FolderModel.h"
#include "platform/qt/DialogService.h"
#include "thumbnails/ItemChoiceDialog.h"

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
    setObjectName(QStringLiteral("FormDisplaySettings"));
    setWindowTitle(QStringLiteral("サムネイル表示属性の設定"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    SpeedBtnApply = MakeToolButton(bar, "SpeedBtnApply", QStringLiteral("適用"),
                                   QStringLiteral("表示属性を適用する"));
    SpeedBtnDefault = MakeToolButton(bar, "SpeedBtnDefault", QStringLiteral("既定値にする"),
                                     QStringLiteral("表示属性を既定値にセット"));
    SpeedButton2 =
        MakeToolButton(bar, "SpeedButton2", QStringLiteral("閉"), QStringLiteral("閉じる"));
    layout->addWidget(bar);

    auto* grid = new QGridLayout;
    int row = 0;
    auto swatch = [&](const char* name, const QString& label) {
        grid->addWidget(new QLabel(label, this), row, 0);
        auto* s = new ColorSwatch(name, dialogs, this);
        grid->addWidget(s, row++, 1);
        return s;
    };
    PanelPPanelColor = swatch("PanelPPanelColor", QStringLiteral("パネル色"));
    PanelSelColor = swatch("PanelSelColor", QStringLiteral("選択色"));
    PanelNoColor = swatch("PanelNoColor", QStringLiteral("No色"));
    PanelFNameColor = swatch("PanelFNameColor", QStringLiteral("ファイル名色"));
    PanelSelNoColor = swatch("PanelSelNoColor", QStringLiteral("選択No色"));
    grid->addWidget(new QLabel(QStringLiteral("文字大"), this), row, 0);
    CmbBoxMojiH = new QComboBox(this);
    CmbBoxMojiH->setObjectName(QStringLiteral("CmbBoxMojiH"));
    for (const char* h : kMojiHeights)
        CmbBoxMojiH->addItem(QString::fromLatin1(h));
    CmbBoxMojiH->setCurrentIndex(0);
    grid->addWidget(CmbBoxMojiH, row++, 1);
    PanelMojiColor = swatch("PanelMojiColor", QStringLiteral("文字色"));
    PanelMjBackColor = swatch("PanelMjBackColor", QStringLiteral("背景色"));
    ChkBoxToka = new QCheckBox(QStringLiteral("透過"), this);
    ChkBoxToka->setObjectName(QStringLiteral("ChkBoxToka"));
    grid->addWidget(ChkBoxToka, row++, 0, 1, 2);
    PanelKyochoColor = swatch("PanelKyochoColor", QStringLiteral("強調色"));
    grid->addWidget(new QLabel(QStringLiteral("強調表示項目"), this), 0, 2);
    ChkListBoxKyocho = new QListWidget(this);
    ChkListBoxKyocho->setObjectName(QStringLiteral("ChkListBoxKyocho"));
    grid->addWidget(ChkListBoxKyocho, 1, 2, row - 1, 1);
    layout->addLayout(grid);
    SetAttributes(folder_.Display());
    // The controls are the model's attributes: every change goes to it at once (the page shows
    // it when it is next built), and what the model is given elsewhere (a ".pkm" file, the item
    // dialog's emphasis list) shows here.
    for (ColorSwatch* s : {PanelPPanelColor, PanelSelColor, PanelNoColor, PanelFNameColor,
                           PanelSelNoColor, PanelMojiColor, PanelMjBackColor, PanelKyochoColor})
        s->onChanged = [this] { Store(); };
    connect(CmbBoxMojiH, &QComboBox::currentIndexChanged, this, [this] { Store(); });
    connect(ChkBoxToka, &QCheckBox::toggled, this, [this] { Store(); });
    connect(ChkListBoxKyocho, &QListWidget::itemChanged, this, [this] { Store(); });
    connect(&folder_, &FolderModel::displayChanged, this, [this] {
        if (Attributes() != folder_.Display()) SetAttributes(folder_.Display());
    });

    connect(SpeedBtnApply, &QToolButton::clicked, this, [this] { BtnApplyClick(); });
    connect(SpeedBtnDefault, &QToolButton::clicked, this, [this] { SpeedBtnDefaultClick(); });
    connect(SpeedButton2, &QToolButton::clicked, this, &QDialog::close);
}

DisplayAttributes DisplaySettingsDialog::Attributes() const {
    DisplayAttributes a;
    a.panelColor = PanelPPanelColor->Color();
    a.selColor = PanelSelColor->Color();
    a.noColor = PanelNoColor->Color();
    a.fnameColor = PanelFNameColor->Color();
    a.selNoColor = PanelSelNoColor->Color();
    a.mojiColor = PanelMojiColor->Color();
    a.mjBackColor = PanelMjBackColor->Color();
    a.kyochoColor = PanelKyochoColor->Color();
    a.mojiIndex = CmbBoxMojiH->currentIndex();
    a.toka = ChkBoxToka->isChecked();
    for (int k = 0; k < ChkListBoxKyocho->count(); ++k) {
        a.kyochoNames.push_back(ChkListBoxKyocho->item(k)->text().toStdString());
        a.kyochoChecked.push_back(ChkListBoxKyocho->item(k)->checkState() == Qt::Checked);
    }
    return a;
}

void DisplaySettingsDialog::Store() {
    if (!showing_) folder_.SetDisplay(Attributes());
}

void DisplaySettingsDialog::SetAttributes(const DisplayAttributes& a) {
    showing_ = true;
    PanelPPanelColor->SetColor(a.panelColor);
    PanelSelColor->SetColor(a.selColor);
    PanelNoColor->SetColor(a.noColor);
    PanelFNameColor->SetColor(a.fnameColor);
    PanelSelNoColor->SetColor(a.selNoColor);
    PanelMojiColor->SetColor(a.mojiColor);
    PanelMjBackColor->SetColor(a.mjBackColor);
    PanelKyochoColor->SetColor(a.kyochoColor);
    CmbBoxMojiH->setCurrentIndex(a.mojiIndex >= 0 && a.mojiIndex < 4 ? a.mojiIndex : 0);
    ChkBoxToka->setChecked(a.toka);
    ChkListBoxKyocho->clear();
    for (std::size_t k = 0; k < a.kyochoNames.size(); ++k) {
        auto* item =
            new QListWidgetItem(QString::fromStdString(a.kyochoNames[k]), ChkListBoxKyocho);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(a.Emphasised(static_cast<int>(k)) ? Qt::Checked : Qt::Unchecked);
    }
    showing_ = false;
    Store();
}

void DisplaySettingsDialog::BtnApplyClick() {
    folder_.SetListReady(true);
    emit applied();
}

void DisplaySettingsDialog::SpeedBtnDefaultClick() {
    SavePkmFile(dialogs_, QStringLiteral("ｻﾑﾈｲﾙExif項目の保存(asﾃﾞﾌｫｰﾙﾄ）"),
                QStringLiteral("Default"), folder_.AppDir(), folder_.Items(), Attributes());
}

} // namespace kamelune

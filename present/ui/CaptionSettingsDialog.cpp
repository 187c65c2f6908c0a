#include "present/ui/CaptionSettingsDialog.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Widgets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {

CaptionSettingsDialog::CaptionSettingsDialog(DialogService& dialogs) {
    setObjectName(QStringLiteral("CaptionSettings"));
    setWindowTitle(QStringLiteral("SlideShowの設定"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(231, 231, 250));
    setPalette(p);
    resize(135, 239);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Exif表示"), this);
    auto* form = new QFormLayout(group);
    showCaptionsCheck = new QCheckBox(QStringLiteral("表示する"), group);
    showCaptionsCheck->setObjectName(QStringLiteral("showCaptionsCheck"));
    showCaptionsCheck->setChecked(true);
    form->addRow(showCaptionsCheck);
    textSizeBox = new QSpinBox(group);
    textSizeBox->setObjectName(QStringLiteral("textSizeBox"));
    textSizeBox->setRange(10, 40);
    textSizeBox->setValue(12);
    form->addRow(QStringLiteral("文字大"), textSizeBox);
    textColorSwatch = new ColorSwatch("textColorSwatch", dialogs, group);
    textColorSwatch->setToolTip(QStringLiteral("文字色"));
    textColorSwatch->SetColor(0xFF0000);
    form->addRow(QStringLiteral("文字色"), textColorSwatch);
    textBackSwatch = new ColorSwatch("textBackSwatch", dialogs, group);
    textBackSwatch->setToolTip(QStringLiteral("文字背景色"));
    textBackSwatch->SetColor(0xFFFFFF);
    form->addRow(QStringLiteral("背景色"), textBackSwatch);
    transparentCheck = new QCheckBox(QStringLiteral("透過"), group);
    transparentCheck->setObjectName(QStringLiteral("transparentCheck"));
    transparentCheck->setChecked(true);
    form->addRow(transparentCheck);
    layout->addWidget(group);
    itemsButton = new QToolButton(this);
    itemsButton->setObjectName(QStringLiteral("itemsButton"));
    itemsButton->setText(QStringLiteral("表示項目"));
    okButton = new QToolButton(this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setText(QStringLiteral("OK"));
    okButton->setToolTip(QStringLiteral("選択を適用する"));
    layout->addWidget(itemsButton);
    layout->addWidget(okButton);
    connect(showCaptionsCheck, &QCheckBox::clicked, this, [this] { CaptionsToggled(); });
    connect(textSizeBox, &QSpinBox::valueChanged, this, [this] { TextSizeChanged(); });
    connect(transparentCheck, &QCheckBox::clicked, this, [this] { TransparencyToggled(); });
    connect(itemsButton, &QToolButton::clicked, this, &CaptionSettingsDialog::itemsRequested);
    connect(okButton, &QToolButton::clicked, this, [this] { ApplyAndClose(); });
    for (ColorSwatch* s : {textColorSwatch, textBackSwatch})
        s->onChanged = [this] { ApplyColors(); };
}

CaptionStyle CaptionSettingsDialog::Style() const {
    return {showCaptionsCheck->isChecked(), textSizeBox->value(), textColorSwatch->Color(),
            textBackSwatch->Color(), transparentCheck->isChecked()};
}

void CaptionSettingsDialog::CaptionsToggled() {
    emit styleChanged(Style(), CaptionAspect::Shown);
}

void CaptionSettingsDialog::TextSizeChanged() {
    emit styleChanged(Style(), CaptionAspect::Size);
}

void CaptionSettingsDialog::ApplyColors() {
    emit styleChanged(Style(), CaptionAspect::Colors);
}

void CaptionSettingsDialog::TransparencyToggled() {
    emit styleChanged(Style(), CaptionAspect::Transparency);
}

void CaptionSettingsDialog::ApplyAndClose() {
    emit applied();
    close();
}

} // namespace kamelune

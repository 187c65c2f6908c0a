#include "AboutDialog.h"

#include "catalogue/CommandLine.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kamelune {

AboutDialog::AboutDialog() {
    setWindowTitle(QStringLiteral("バージョン情報"));
    resize(300, 220);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setStyleSheet(QStringLiteral("QDialog { background: white; }"));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    // The program's own icon when it has one, else the style's.
    const QIcon icon = QApplication::windowIcon();
    picture->setPixmap(
        (icon.isNull() ? style()->standardIcon(QStyle::SP_MessageBoxInformation) : icon)
            .pixmap(48, 48));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    auto* title = new QLabel(QStringLiteral("ミルノのExif解析　Kamelune"), this);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    // The versions of the program and of what it is built on, for bug reports.
    auto* versions = new QLabel(QString::fromStdString(VersionText(qVersion())).trimmed(), this);
    versions->setObjectName(QStringLiteral("Versions"));
    versions->setAlignment(Qt::AlignCenter);
    layout->addWidget(versions);
    auto* licence = new QLabel(QStringLiteral("MIT License"), this);
    licence->setObjectName(QStringLiteral("Licence"));
    licence->setAlignment(Qt::AlignCenter);
    layout->addWidget(licence);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignCenter);
}

} // namespace kamelune

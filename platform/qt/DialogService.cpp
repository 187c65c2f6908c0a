#include "DialogService.h"

#include "platform/Cp932.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace kamelune {
namespace {

QFileDialog* MakeFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(QApplication::activeWindow(), request.title, request.initialDir);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    if (!request.defaultExt.isEmpty()) dialog->setDefaultSuffix(request.defaultExt);
    const QStringList filters = ConvertFilter(request.filter);
    if (!filters.isEmpty()) dialog->setNameFilters(filters);
    if (!request.fileName.isEmpty()) dialog->selectFile(request.fileName);
    if (!request.overwritePrompt) dialog->setOption(QFileDialog::DontConfirmOverwrite);
    return dialog;
}

std::optional<QString> RunFileDialog(QFileDialog* dialog) {
    std::optional<QString> result;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        result = dialog->selectedFiles().constFirst();
    delete dialog;
    return result;
}

} // namespace

QString CheckMessageText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string cut = CutToCp932Bytes(std::string_view(utf8.constData(), utf8.size()), 200);
    return QString::fromUtf8(cut.data(), static_cast<qsizetype>(cut.size()));
}

void DialogService::ShowCheckMessage(const QString& text) {
    Message(MessageKind::Warning, kCheckCaption, CheckMessageText(text));
}

QStringList ConvertFilter(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList masks = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& m : masks)
            m = m.trimmed();
        // A label that shows its masks already ("HTMLファイル(*.html)") shows them once, as Qt
        // reads them.
        const QString& label = parts[i];
        const qsizetype open = label.lastIndexOf(QLatin1Char('('));
        const QString list = QLatin1Char('(') + masks.join(QLatin1Char(' ')) + QLatin1Char(')');
        result << (open > 0 && label.endsWith(QLatin1Char(')')) ? label.left(open) + list
                                                                : label + QLatin1Char(' ') + list);
    }
    return result;
}

// A box opened while a window that stays on top is shown stays on top too: under it, its OK
// button could not be reached.
static void KeepAboveStayOnTop(QMessageBox& box) {
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != &box && w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            box.setWindowFlag(Qt::WindowStaysOnTopHint);
            return;
        }
}

void QtDialogService::Message(MessageKind kind, const QString& caption, const QString& text) {
    QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    caption, text, QMessageBox::Ok, QApplication::activeWindow());
    KeepAboveStayOnTop(box);
    box.exec();
}

bool QtDialogService::AskYesNo(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    KeepAboveStayOnTop(box);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogService::OpenFile(const FileDialogRequest& request) {
    return RunFileDialog(MakeFileDialog(request, QFileDialog::AcceptOpen));
}

std::optional<QString> QtDialogService::SaveFile(const FileDialogRequest& request) {
    return RunFileDialog(MakeFileDialog(request, QFileDialog::AcceptSave));
}

std::optional<QString> QtDialogService::ChooseFolder(const QString& title,
                                                     const QString& initialDir) {
    const QString dir = QFileDialog::getExistingDirectory(
        QApplication::activeWindow(), title, initialDir,
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (dir.isEmpty()) return std::nullopt;
    return dir;
}

std::optional<std::uint32_t> QtDialogService::ChooseColor(std::uint32_t initial) {
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor c = QColorDialog::getColor(start, QApplication::activeWindow());
    if (!c.isValid()) return std::nullopt;
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

} // namespace kamelune

// The one way the program asks or tells the user something: message boxes and the common
// dialogs. The program hands its windows the Qt one; tests hand them a scripted one.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace kamelune {

enum class MessageKind { Warning, Information };

struct FileDialogRequest {
    QString title;
    QString initialDir;
    QString defaultExt; // without the dot
    QString fileName;   // proposed name
    QString filter;     // "label|*.a;*.b|label2|*.c"
    bool overwritePrompt = true;
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual void Message(MessageKind kind, const QString& caption, const QString& text) = 0;
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
    virtual std::optional<QString> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> ChooseFolder(const QString& title,
                                                const QString& initialDir) = 0;
    virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) = 0; // 0x00BBGGRR

    // The program's warning box: caption "myCheck", exclamation icon, OK; the text is cut to the
    // 200 bytes of its CP932 form without splitting a character.
    void ShowCheckMessage(const QString& text);
};

QString CheckMessageText(const QString& text);
inline const QString kCheckCaption = QStringLiteral("myCheck");

// "label|*.a;*.b|…" to Qt's name filters ("label (*.a *.b)"; a label that ends in its own
// "(…)" has that replaced by the masks).
QStringList ConvertFilter(const QString& filter);

class QtDialogService : public DialogService {
public:
    void Message(MessageKind kind, const QString& caption, const QString& text) override;
    bool AskYesNo(const QString& caption, const QString& text) override;
    std::optional<QString> OpenFile(const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(const FileDialogRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& initialDir) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override;
};

} // namespace kamelune

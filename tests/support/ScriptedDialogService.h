// A dialog service for tests: records every dialog and answers from a queue. A dialog with no
// answer queued, or an answer left unused when the service goes away, fails the test.
#pragma once

#include "platform/qt/DialogService.h"

#include <deque>
#include <string>
#include <variant>
#include <vector>

namespace kamelune::test {

struct DialogCall {
    enum Kind { Warning, Information, YesNo, OpenFile, SaveFile, Folder, Color } kind;
    QString caption;
    QString text;
    FileDialogRequest request; // file dialogs
};

class ScriptedDialogService : public DialogService {
public:
    ~ScriptedDialogService() override;

    void AnswerOk() { answers_.emplace_back(Ok{}); }         // a message box
    void AnswerYes(bool yes) { answers_.emplace_back(yes); } // a Yes/No question
    // A file or folder dialog; nullopt cancels.
    void AnswerPath(std::optional<QString> path) { answers_.emplace_back(path); }
    void AnswerPath(const std::string& path) { AnswerPath(QString::fromStdString(path)); }
    void AnswerColor(std::optional<std::uint32_t> c) { answers_.emplace_back(c); }

    const std::vector<DialogCall>& Calls() const { return calls_; }

    void Message(MessageKind kind, const QString& caption, const QString& text) override;
    bool AskYesNo(const QString& caption, const QString& text) override;
    std::optional<QString> OpenFile(const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(const FileDialogRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& initialDir) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override;

private:
    struct Ok {};
    using Answer = std::variant<Ok, bool, std::optional<QString>, std::optional<std::uint32_t>>;
    template <typename T> std::optional<T> Next(const DialogCall& call);

    std::deque<Answer> answers_;
    std::vector<DialogCall> calls_;
};

} // namespace kamelune::test

#include "ScriptedDialogService.h"

#include <gtest/gtest.h>

namespace kamelune::test {

ScriptedDialogService::~ScriptedDialogService() {
    if (!answers_.empty())
        ADD_FAILURE() << answers_.size() << " dialog answer(s) were never asked for";
}

template <typename T> std::optional<T> ScriptedDialogService::Next(const DialogCall& call) {
    calls_.push_back(call);
    if (answers_.empty()) {
        ADD_FAILURE() << "unanswered dialog \"" << call.caption.toStdString()
                      << "\": " << call.text.toStdString();
        return std::nullopt;
    }
    Answer a = answers_.front();
    answers_.pop_front();
    if (!std::holds_alternative<T>(a)) {
        ADD_FAILURE() << "dialog \"" << call.caption.toStdString()
                      << "\" got an answer of the wrong kind";
        return std::nullopt;
    }
    return std::get<T>(a);
}

void ScriptedDialogService::Message(MessageKind kind, const QString& caption, const QString& text) {
    Next<Ok>({kind == MessageKind::Warning ? DialogCall::Warning : DialogCall::Information,
              caption,
              text,
              {}});
}

bool ScriptedDialogService::AskYesNo(const QString& caption, const QString& text) {
    return Next<bool>({DialogCall::YesNo, caption, text, {}}).value_or(false);
}

std::optional<QString> ScriptedDialogService::OpenFile(const FileDialogRequest& request) {
    return Next<std::optional<QString>>({DialogCall::OpenFile, request.title, {}, request})
        .value_or(std::nullopt);
}

std::optional<QString> ScriptedDialogService::SaveFile(const FileDialogRequest& request) {
    return Next<std::optional<QString>>({DialogCall::SaveFile, request.title, {}, request})
        .value_or(std::nullopt);
}

std::optional<QString> ScriptedDialogService::ChooseFolder(const QString& title,
                                                           const QString& initialDir) {
    FileDialogRequest r;
    r.title = title;
    r.initialDir = initialDir;
    return Next<std::optional<QString>>({DialogCall::Folder, title, {}, r}).value_or(std::nullopt);
}

std::optional<std::uint32_t> ScriptedDialogService::ChooseColor(std::uint32_t initial) {
    return Next<std::optional<std::uint32_t>>({DialogCall::Color, {}, QString::number(initial), {}})
        .value_or(std::nullopt);
}

} // namespace kamelune::test

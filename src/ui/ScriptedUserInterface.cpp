#include "ui/ScriptedUserInterface.h"

#include <algorithm>
#include <filesystem>

#include "io/Platform.h"

namespace chainforge {

void CScriptedUserInterface::ShowMessage(const std::string& text) {
    events_.push_back({EventKind::Message, text, {}});
}

bool CScriptedUserInterface::AskYesNo(const std::string& text) {
    events_.push_back({EventKind::Question, text, {}});
    if (answers_.empty()) {
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

std::optional<std::string> CScriptedUserInterface::AskOpenFileName(
    const FileDialogRequest& request) {
    events_.push_back({EventKind::OpenDialog, request.filter, request});
    return NextFileName();
}

std::optional<std::string> CScriptedUserInterface::AskSaveFileName(
    const FileDialogRequest& request) {
    events_.push_back({EventKind::SaveDialog, request.filter, request});
    return NextFileName();
}

bool CScriptedUserInterface::FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(PathFromUtf8(path), error);
}

std::vector<std::string> CScriptedUserInterface::Messages() const {
    std::vector<std::string> texts;
    for (const Event& event : events_) {
        if (event.kind == EventKind::Message) {
            texts.push_back(event.text);
        }
    }
    return texts;
}

std::size_t CScriptedUserInterface::CountOf(EventKind kind) const {
    return static_cast<std::size_t>(std::count_if(
        events_.begin(), events_.end(), [kind](const Event& event) { return event.kind == kind; }));
}

std::optional<std::string> CScriptedUserInterface::NextFileName() {
    if (fileNames_.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> path = std::move(fileNames_.front());
    fileNames_.pop_front();
    return path;
}

}  // namespace chainforge

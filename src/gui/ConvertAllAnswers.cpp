#include "gui/ConvertAllAnswers.h"

#include "io/Platform.h"

namespace chainforge {

bool CConvertAllInterface::AskYesNo(const std::string& text) {
    messages_.push_back(text + (answers_.yes ? " [yes]" : " [no]"));
    return answers_.yes;
}

std::optional<std::string> CConvertAllInterface::AskSaveFileName(const FileDialogRequest& request) {
    if (request.initialName.empty()) {
        return std::nullopt;
    }
    return request.initialName;
}

bool CConvertAllInterface::FileExists(const std::string& path) {
    return StatusOf(path).kind != FileKind::Missing;
}

}  // namespace chainforge

#include "gui/ConvertAllAnswers.h"

#include "io/Platform.h"

namespace chainforge {

bool CConvertAllInterface::AskYesNo(const std::string& text) {
    messages_.push_back(text + (answers_.yes ? " [yes]" : " [no]"));
    return answers_.yes;
}

// Only a regular file is kept: the writer refuses any other kind itself.
std::optional<std::string> CConvertAllInterface::AskSaveFileName(const FileDialogRequest& request) {
    if (request.initialName.empty()) {
        return std::nullopt;
    }
    const std::string& path = request.initialName;
    if (request.askBeforeReplacing && !answers_.replace &&
        StatusOf(path).kind == FileKind::Regular) {
        ShowMessage("File " + path +
                    " already exists; it was kept (choose Replace existing files to replace it)");
        return std::nullopt;
    }
    return path;
}

bool CConvertAllInterface::FileExists(const std::string& path) {
    return StatusOf(path).kind != FileKind::Missing;
}

}  // namespace chainforge

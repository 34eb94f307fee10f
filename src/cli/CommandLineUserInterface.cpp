#include "cli/CommandLineUserInterface.h"

#include <filesystem>
#include <ostream>
#include <string_view>

#include "io/Platform.h"
#include "landxml/NumberCheck.h"

namespace chainforge {

void CCommandLineUserInterface::WriteLine(std::ostream& err, const std::string& text) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    err << "chainforge: " << line << '\n';
    err.flush();
}

namespace {

constexpr std::string_view kCannotOpen = "Cannot open file ";
constexpr std::string_view kCannotWrite = "Cannot write file ";
constexpr std::string_view kNotRegular = ": not a regular file";

}  // namespace

bool CCommandLineUserInterface::IsError(const std::string& text) {
    return text.starts_with("Error:") || text.starts_with(kCannotOpen) ||
           text.starts_with(kCannotWrite) ||
           (text.starts_with("Cannot write to ") && text.ends_with(kNotRegular)) ||
           (text.starts_with("File ") && text.ends_with("; use --force to replace it")) ||
           (text.starts_with("The file ends inside ") &&
            text.ends_with("; the output is incomplete")) ||
           IsBadNumberMessage(text);
}

void CCommandLineUserInterface::ShowMessage(const std::string& text) {
    trouble_ = trouble_ || IsError(text);
    WriteLine(err_, text);
}

bool CCommandLineUserInterface::AskYesNo(const std::string& text) {
    WriteLine(err_, text + (answerYes_ ? " [yes]" : " [no]"));
    trouble_ = trouble_ || !answerYes_;
    return answerYes_;
}

std::optional<std::string> CCommandLineUserInterface::AskOpenFileName(const FileDialogRequest&) {
    return openFileName_;
}

std::optional<std::string> CCommandLineUserInterface::AskSaveFileName(
    const FileDialogRequest& request) {
    const auto answer = saveFileNames_.find(request.defaultExtension);
    // A batch names the file it writes in the request.
    if (answer == saveFileNames_.end() && request.initialName.empty()) {
        return std::nullopt;
    }
    const std::string& path = answer == saveFileNames_.end() ? request.initialName : answer->second;
    // Only a regular file is replaced: any other is refused by the writer.
    if (request.askBeforeReplacing && !force_ && StatusOf(path).kind == FileKind::Regular) {
        ShowMessage("File " + path + " already exists; use --force to replace it");
        return std::nullopt;
    }
    return path;
}

bool CCommandLineUserInterface::FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(PathFromUtf8(path), error);
}

}  // namespace chainforge

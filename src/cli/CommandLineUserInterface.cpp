#include "cli/CommandLineUserInterface.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string_view>

namespace chainforge {

void CommandLineUserInterface::WriteLine(std::ostream& err, const std::string& text) {
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

// The path named by a "Cannot open/write file PATH" message, or nothing.
std::optional<std::string> FailedPath(const std::string& text) {
    for (const std::string_view prefix : {kCannotOpen, kCannotWrite}) {
        if (text.starts_with(prefix)) {
            return text.substr(prefix.size());
        }
    }
    return std::nullopt;
}

bool IsError(const std::string& text) {
    return text.starts_with("Error:") || FailedPath(text) ||
           (text.starts_with("File ") && text.ends_with("; use --force to replace it"));
}

}  // namespace

void CommandLineUserInterface::ShowMessage(const std::string& text) {
    trouble_ = trouble_ || IsError(text);
    if (auto path = FailedPath(text)) {
        failedFiles_.push_back(std::move(*path));
    }
    WriteLine(err_, text);
}

std::vector<std::string> CommandLineUserInterface::WrittenFiles() const {
    std::vector<std::string> written;
    for (const std::string& path : chosenSaveFiles_) {
        if (std::find(failedFiles_.begin(), failedFiles_.end(), path) == failedFiles_.end()) {
            written.push_back(path);
        }
    }
    return written;
}

bool CommandLineUserInterface::AskYesNo(const std::string& text) {
    WriteLine(err_, text + (answerYes_ ? " [yes]" : " [no]"));
    trouble_ = trouble_ || !answerYes_;
    return answerYes_;
}

std::optional<std::string> CommandLineUserInterface::AskOpenFileName(const FileDialogRequest&) {
    return openFileName_;
}

std::optional<std::string> CommandLineUserInterface::AskSaveFileName(
    const FileDialogRequest& request) {
    const auto answer = saveFileNames_.find(request.defaultExtension);
    if (answer == saveFileNames_.end()) {
        return std::nullopt;
    }
    const std::string& path = answer->second;
    if (request.askBeforeReplacing && !force_ && FileExists(path)) {
        ShowMessage("File " + path + " already exists; use --force to replace it");
        return std::nullopt;
    }
    chosenSaveFiles_.push_back(path);
    return path;
}

bool CommandLineUserInterface::FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace chainforge

#include "cli/CommandLineUserInterface.h"

#include <filesystem>
#include <ostream>

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

void CommandLineUserInterface::ShowMessage(const std::string& text) {
    trouble_ = true;
    WriteLine(err_, text);
}

bool CommandLineUserInterface::AskYesNo(const std::string& text) {
    WriteLine(err_, text + (answerYes_ ? " [yes]" : " [no]"));
    trouble_ = trouble_ || !answerYes_;
    return answerYes_;
}

std::optional<std::string> CommandLineUserInterface::AskOpenFileName(const FileDialogRequest&) {
    return openFileName_;
}

std::optional<std::string> CommandLineUserInterface::AskSaveFileName(const FileDialogRequest& request) {
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

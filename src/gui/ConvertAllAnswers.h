// The user interface of a Convert All run in the desktop program: nothing is
// asked while it runs. Questions and save dialogs are answered from the
// choices made before it started, and every message is kept for the summary
// instead of being shown in a box.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/UserInterface.h"

namespace chainforge {

// What the user chose to answer in advance.
struct ConvertAllAnswers {
    bool yes = false;  // to every question
};

// Used on the worker's thread only; read once the run has ended.
class CConvertAllInterface : public CUserInterface {
  public:
    explicit CConvertAllInterface(ConvertAllAnswers answers) : answers_(answers) {}

    void ShowMessage(const std::string& text) override { messages_.push_back(text); }
    // Kept as "TEXT [yes]" or "TEXT [no]".
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override {
        return std::nullopt;
    }
    // The file the batch names.
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;

    const std::vector<std::string>& Messages() const { return messages_; }

  private:
    ConvertAllAnswers answers_;
    std::vector<std::string> messages_;
};

}  // namespace chainforge

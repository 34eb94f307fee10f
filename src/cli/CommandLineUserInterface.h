// The user interface of chainforge-cli: messages go to standard error as
// "chainforge: TEXT" lines, and questions and file dialogs are answered from
// the command line's options.
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>

#include "ui/UserInterface.h"

namespace chainforge {

class CCommandLineUserInterface : public CUserInterface {
  public:
    explicit CCommandLineUserInterface(std::ostream& err) : err_(err) {}

    void SetAnswer(bool yes) { answerYes_ = yes; }
    void SetOpenFileName(std::optional<std::string> path) { openFileName_ = std::move(path); }
    // The answer to the save dialog whose default extension is given ("ASC",
    // "CH"); without one, the request's initial name when it has one.
    void SetSaveFileName(const std::string& defaultExtension, std::string path) {
        saveFileNames_[defaultExtension] = std::move(path);
    }
    void SetForce(bool force) { force_ = force; }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;

    // Whether an error was reported (a name not found, a file that cannot be
    // opened or written, a refused replacement) or a question answered No.
    // Warnings such as the version message do not count.
    bool HadTrouble() const { return trouble_; }

    // True for a message that ends a run with status 1.
    static bool IsError(const std::string& text);

    // Writes one "chainforge: TEXT" line, line breaks in TEXT folded to blanks.
    static void WriteLine(std::ostream& err, const std::string& text);

  private:
    std::ostream& err_;
    bool answerYes_ = false;
    bool force_ = false;
    bool trouble_ = false;
    std::optional<std::string> openFileName_;
    std::map<std::string, std::string> saveFileNames_;
};

}  // namespace chainforge

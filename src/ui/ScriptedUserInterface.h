// A user interface for tests and fuzzing: it records every message, question
// and dialog, and answers questions and dialogs from queues given in advance.
// An empty queue answers No to a question and cancels a dialog.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/UserInterface.h"

namespace chainforge {

class CScriptedUserInterface : public CUserInterface {
  public:
    enum class EventKind { Message, Question, OpenDialog, SaveDialog };
    struct Event {
        EventKind kind;
        std::string text;  // message or question text; the filter for dialogs
        FileDialogRequest request;
    };

    void QueueAnswer(bool yes) { answers_.push_back(yes); }
    void QueueFileName(std::optional<std::string> path) { fileNames_.push_back(std::move(path)); }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;

    const std::vector<Event>& Events() const { return events_; }
    // The texts of the messages (not questions), in order.
    std::vector<std::string> Messages() const;
    std::size_t CountOf(EventKind kind) const;
    void ClearEvents() { events_.clear(); }

  private:
    std::optional<std::string> NextFileName();

    std::vector<Event> events_;
    std::deque<bool> answers_;
    std::deque<std::optional<std::string>> fileNames_;
};

}  // namespace chainforge

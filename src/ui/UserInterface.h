// The user-interface operations that the core needs: message boxes, the open
// and save file dialogs and the file-existence test. The desktop program,
// the command line and the tests each provide their own implementation; the
// core talks to the user through nothing else.
#pragma once

#include <optional>
#include <string>

namespace chainforge {

// What a file dialog is asked to show. The filter is written the way the
// readers and writers state it: "label|pattern|" pairs closed by one more "|".
struct FileDialogRequest {
    std::string defaultExtension;  // added to a typed name that has none, e.g. "CH"
    // Empty: no initial file name. A batch gives the whole path of the file
    // it writes, which an interface that asks nothing takes as the answer.
    std::string initialName;
    std::string filter;  // e.g. "Chain Files (*.ch)|*.CH||"
    bool askBeforeReplacing = false;
    std::string title;  // empty: the dialog's own
    // Where a save dialog first opens and the name it suggests (the LandXML
    // file's folder and stem); empty: none.
    std::string suggestedFolder;
    std::string suggestedName;
};

class CUserInterface {
  public:
    virtual ~CUserInterface() = default;

    // A modal message with an OK button, captioned with the program's name.
    virtual void ShowMessage(const std::string& text) = 0;

    // A modal question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;

    // The full path of the chosen file, or nothing when cancelled.
    virtual std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) = 0;

    // As above; when request.askBeforeReplacing is set the implementation
    // itself asks before an existing file is chosen.
    virtual std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) = 0;

    // Whether a file of that name exists.
    virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace chainforge

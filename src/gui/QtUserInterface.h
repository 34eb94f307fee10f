// The user-interface operations of the core as Qt message boxes and file
// dialogs, owned by the main dialog.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "ui/UserInterface.h"

namespace chainforge {

// The name filters of a file dialog from the filter text the core gives:
// "label|pattern|" pairs closed by one more "|", or a bare pattern.
QStringList NameFilters(const std::string& filter);

class CQtUserInterface : public CUserInterface {
  public:
    explicit CQtUserInterface(QWidget* owner) : owner_(owner) {}

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;

  private:
    std::optional<std::string> AskFileName(const FileDialogRequest& request,
                                           QFileDialog::AcceptMode mode);

    QWidget* owner_;
    // Where the next open and save dialogs open; not kept between starts.
    QString lastOpenFolder_;
    QString lastSaveFolder_;
};

}  // namespace chainforge

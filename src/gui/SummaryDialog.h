// What a conversion wrote and what it left out, shown after Create: the
// files with their full paths and sizes, the counts, the messages, all
// selectable for copying, and a button that opens the files' folder.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

#include "convert/BatchConversion.h"
#include "convert/ConversionReport.h"
#include "convert/RunConversion.h"
#include "ui/UserInterface.h"

namespace chainforge {

// Passes everything on to target and remembers the first file dialog
// cancelled or question answered No: the reason a run may have written
// nothing.
class CDeclineRecorder : public CUserInterface {
  public:
    explicit CDeclineRecorder(CUserInterface& target) : target_(target) {}

    void ShowMessage(const std::string& text) override { target_.ShowMessage(text); }
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override { return target_.FileExists(path); }
    // "No name was chosen for the chain file.", or empty.
    const QString& Declined() const { return declined_; }

  private:
    void Note(const QString& reason);

    CUserInterface& target_;
    QString declined_;
};

// Why a run wrote nothing, in a sentence that names what was missing.
QString NothingWrittenReason(const ConversionSelections& selections, const ConversionReport& report,
                             bool cancelled, const QString& declined);

// The summary's text: the files written (or "Nothing was written." and the
// reason), then the report, then the messages.
QString SummaryText(const ConversionReport& report, const QString& reason = QString());

// The summary of a Convert All run: the files written, each alignment's
// status and what the rules picked, the counts, then messages, every message
// and question of the run in the order they came.
QString ConvertAllSummaryText(const BatchReport& report, const std::vector<std::string>& messages);

class CSummaryDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CSummaryDialog(QWidget* parent = nullptr);

    // documentPath and alignment name what the report is about, in the title.
    void SetReport(const ConversionReport& report, const QString& reason,
                   const QString& documentPath, const QString& alignment);
    // A Convert All run of the LandXML file documentPath.
    void SetBatchReport(const BatchReport& report, const std::vector<std::string>& messages,
                        const QString& documentPath);
    const QString& DocumentPath() const { return documentPath_; }
    QString Text() const { return text_->toPlainText(); }

  private:
    void OpenFolder();
    void SetFolder(const QString& folder);

    QPlainTextEdit* text_ = nullptr;
    QPushButton* openFolder_ = nullptr;
    QString folder_;
    QString documentPath_;
};

}  // namespace chainforge

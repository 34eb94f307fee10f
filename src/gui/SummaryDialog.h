// What a conversion wrote and what it left out, shown after Create: the
// files with their full paths and sizes, the counts, the messages, all
// selectable for copying, and a button that opens the files' folder.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

#include "convert/ConversionReport.h"

namespace chainforge {

// The summary's text: the files written, then the report, then the messages.
QString SummaryText(const ConversionReport& report);

class CSummaryDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CSummaryDialog(QWidget* parent = nullptr);

    void SetReport(const ConversionReport& report);
    QString Text() const { return text_->toPlainText(); }

  private:
    void OpenFolder();

    QPlainTextEdit* text_ = nullptr;
    QPushButton* openFolder_ = nullptr;
    QString folder_;
};

}  // namespace chainforge

#include "gui/SummaryDialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QUrl>
#include <QVBoxLayout>

#include "convert/Version.h"
#include "gui/DisplayText.h"

namespace chainforge {

bool CDeclineRecorder::AskYesNo(const std::string& text) {
    const bool yes = target_.AskYesNo(text);
    if (!yes) {
        Note(QStringLiteral("The question was answered No."));
    }
    return yes;
}

std::optional<std::string> CDeclineRecorder::AskOpenFileName(const FileDialogRequest& request) {
    std::optional<std::string> name = target_.AskOpenFileName(request);
    if (!name) {
        Note(QStringLiteral("No ASCII point file was chosen."));
    }
    return name;
}

// The point file's dialog asks for ".asc", the chain file's for ".ch".
std::optional<std::string> CDeclineRecorder::AskSaveFileName(const FileDialogRequest& request) {
    std::optional<std::string> name = target_.AskSaveFileName(request);
    if (!name) {
        Note(request.defaultExtension == "ASC"
                 ? QStringLiteral("No name was chosen for the ASCII point file.")
                 : QStringLiteral("No name was chosen for the chain file."));
    }
    return name;
}

void CDeclineRecorder::Note(const QString& reason) {
    if (declined_.isEmpty()) {
        declined_ = reason;
    }
}

// The first that applies: the user's Cancel, the lists left unchosen, a
// dialog or question declined, then whatever the run's messages say.
QString NothingWrittenReason(const ConversionSelections& selections, const ConversionReport& report,
                             bool cancelled, const QString& declined) {
    if (cancelled) {
        return QStringLiteral("The conversion was cancelled.");
    }
    if (!selections.pointGroup && !selections.asciiPoints && !selections.alignment) {
        return QStringLiteral("Choose a point group or an alignment.");
    }
    if (!declined.isEmpty()) {
        return declined;
    }
    if (!report.messages.empty()) {
        return QStringLiteral("See the messages below.");
    }
    return QStringLiteral("The selections hold nothing to write.");
}

QString SummaryText(const ConversionReport& report, const QString& reason) {
    QString text = QStringLiteral("Files written:\n");
    if (report.files.empty()) {
        text = QStringLiteral("Nothing was written.") +
               (reason.isEmpty() ? QString() : QStringLiteral("  ") + reason) + QLatin1Char('\n');
    }
    for (const ConversionReport::File& file : report.files) {
        text +=
            QStringLiteral("  %1 (%2 bytes)\n")
                .arg(QDir::toNativeSeparators(QFileInfo(DisplayText(file.path)).absoluteFilePath()))
                .arg(file.bytes);
    }
    text += QLatin1Char('\n') + DisplayText(ReportText(report));
    if (!report.messages.empty()) {
        text += QStringLiteral("\nMessages:\n");
        for (const std::string& message : report.messages) {
            text += QStringLiteral("  ") + DisplayText(message) + QLatin1Char('\n');
        }
    }
    return text;
}

CSummaryDialog::CSummaryDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("summaryDialog"));
    // Shown beside the main dialog without taking the keyboard from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(
        QStringLiteral("Conversion Summary - %1").arg(QString::fromLatin1(kProgramName)));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("summaryText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setAccessibleName(QStringLiteral("Summary"));
    openFolder_ = new QPushButton(QStringLiteral("&Open Folder"), this);
    openFolder_->setObjectName(QStringLiteral("openFolderButton"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    connect(openFolder_, &QPushButton::clicked, this, &CSummaryDialog::OpenFolder);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(openFolder_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    resize(560, 320);
}

void CSummaryDialog::SetReport(const ConversionReport& report, const QString& reason,
                               const QString& documentPath, const QString& alignment) {
    documentPath_ = documentPath;
    const QString about = QFileInfo(documentPath).fileName() +
                          (alignment.isEmpty() ? QStringLiteral(", no alignment")
                                               : QStringLiteral(", alignment ") + alignment);
    setWindowTitle(QStringLiteral("Conversion Summary: %1 - %2")
                       .arg(about, QString::fromLatin1(kProgramName)));
    text_->setPlainText(SummaryText(report, reason));
    folder_ = report.files.empty()
                  ? QString()
                  : QFileInfo(DisplayText(report.files.front().path)).absolutePath();
    openFolder_->setEnabled(!folder_.isEmpty());
}

void CSummaryDialog::OpenFolder() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder_));
}

}  // namespace chainforge

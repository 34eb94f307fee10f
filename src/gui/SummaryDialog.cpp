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

namespace {

// "  /full/path (123 bytes)", with the platform's separators.
QString WrittenLine(const ConversionReport::File& file) {
    return QStringLiteral("  %1 (%2 bytes)\n")
        .arg(QDir::toNativeSeparators(QFileInfo(DisplayText(file.path)).absoluteFilePath()))
        .arg(file.bytes);
}

QString MessagesText(const std::vector<std::string>& messages) {
    if (messages.empty()) {
        return {};
    }
    QString text = QStringLiteral("\nMessages:\n");
    for (const std::string& message : messages) {
        text += QStringLiteral("  ") + DisplayText(message) + QLatin1Char('\n');
    }
    return text;
}

QString PickedText(const char* item, const std::optional<std::string>& name) {
    return name ? QStringLiteral("%1 \"%2\"").arg(QLatin1String(item), DisplayText(*name))
                : QStringLiteral("no %1").arg(QLatin1String(item));
}

// Each file's point file first, as Create's summary lists it, then its chain
// files.
QString BatchWrittenText(const BatchReport& report) {
    QString text;
    for (const BatchFile& file : report.files) {
        for (const ConversionReport::File& written : file.points.files) {
            text += WrittenLine(written);
        }
        for (const BatchAlignment& alignment : file.alignments) {
            for (const ConversionReport::File& written : alignment.report.files) {
                text += WrittenLine(written);
            }
        }
    }
    return text;
}

// "  NAME: STATUS, profile "P", no surface" for every alignment.
QString BatchAlignmentsText(const BatchReport& report) {
    QString text;
    for (const BatchFile& file : report.files) {
        for (const BatchAlignment& alignment : file.alignments) {
            text += QStringLiteral("  %1: %2, %3, %4\n")
                        .arg(DisplayText(alignment.name),
                             DisplayText(BatchStatusText(alignment.status)),
                             PickedText("profile", alignment.profile),
                             PickedText("surface", alignment.surface));
        }
    }
    return text;
}

}  // namespace

QString SummaryText(const ConversionReport& report, const QString& reason) {
    QString text = QStringLiteral("Files written:\n");
    if (report.files.empty()) {
        text = QStringLiteral("Nothing was written.") +
               (reason.isEmpty() ? QString() : QStringLiteral("  ") + reason) + QLatin1Char('\n');
    }
    for (const ConversionReport::File& file : report.files) {
        text += WrittenLine(file);
    }
    text += QLatin1Char('\n') + DisplayText(ReportText(report));
    return text + MessagesText(report.messages);
}

QString ConvertAllSummaryText(const BatchReport& report, const std::vector<std::string>& messages) {
    QString text = BatchWrittenText(report);
    text = text.isEmpty() ? QStringLiteral("Nothing was written.\n")
                          : QStringLiteral("Files written:\n") + text;
    if (report.stopped) {
        text += QStringLiteral("\nThe conversion was cancelled.\n");
    }
    const QString alignments = BatchAlignmentsText(report);
    if (!alignments.isEmpty()) {
        text += QStringLiteral("\nAlignments:\n") + alignments;
    }
    text += QLatin1Char('\n') + DisplayText(BatchSummaryText(SummarizeBatch(report))) +
            QLatin1Char('\n');
    return text + MessagesText(messages);
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
    SetFolder(report.files.empty()
                  ? QString()
                  : QFileInfo(DisplayText(report.files.front().path)).absolutePath());
}

void CSummaryDialog::SetBatchReport(const BatchReport& report,
                                    const std::vector<std::string>& messages,
                                    const QString& documentPath) {
    documentPath_ = documentPath;
    setWindowTitle(QStringLiteral("Convert All Summary: %1 - %2")
                       .arg(QFileInfo(documentPath).fileName(), QString::fromLatin1(kProgramName)));
    text_->setPlainText(ConvertAllSummaryText(report, messages));
    const bool written = !BatchWrittenText(report).isEmpty();
    SetFolder(written ? QFileInfo(DisplayText(report.files.front().folder)).absoluteFilePath()
                      : QString());
}

void CSummaryDialog::SetFolder(const QString& folder) {
    folder_ = folder;
    openFolder_->setEnabled(!folder_.isEmpty());
}

void CSummaryDialog::OpenFolder() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder_));
}

}  // namespace chainforge

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

QString SummaryText(const ConversionReport& report) {
    QString text = report.files.empty() ? QStringLiteral("Nothing was written.\n")
                                        : QStringLiteral("Files written:\n");
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

void CSummaryDialog::SetReport(const ConversionReport& report) {
    text_->setPlainText(SummaryText(report));
    folder_ = report.files.empty()
                  ? QString()
                  : QFileInfo(DisplayText(report.files.front().path)).absolutePath();
    openFolder_->setEnabled(!folder_.isEmpty());
}

void CSummaryDialog::OpenFolder() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder_));
}

}  // namespace chainforge

#include "gui/QtUserInterface.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "convert/Version.h"
#include "gui/DisplayText.h"
#include "gui/WaitCursor.h"
#include "io/Platform.h"

namespace chainforge {
namespace {

// Patterns in both letter cases ("*.asc *.ASC"), so that a dialog that
// filters by case still lists every file.
QString BothCases(const QString& patterns) {
    QStringList all;
    for (const QString& pattern : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        for (const QString& variant : {pattern.toLower(), pattern.toUpper()}) {
            if (!all.contains(variant)) {
                all.append(variant);
            }
        }
    }
    return all.join(QLatin1Char(' '));
}

// Qt reads a filter's patterns from the parentheses at the end of its label.
QString NameFilter(const QString& label, const QString& pattern) {
    const qsizetype open = label.lastIndexOf(QLatin1Char('('));
    if (label.endsWith(QLatin1Char(')')) && open >= 0) {
        return label.left(open + 1) + BothCases(label.mid(open + 1).chopped(1)) + QLatin1Char(')');
    }
    if (label.isEmpty()) {
        return BothCases(pattern);
    }
    return label + QStringLiteral(" (") + BothCases(pattern) + QLatin1Char(')');
}

// A name with wildcards only narrows the listing, which the filter does.
bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?'));
}

}  // namespace

QStringList NameFilters(const std::string& filter) {
    const QString text = DisplayText(filter);
    if (!text.contains(QLatin1Char('|'))) {
        return {BothCases(text)};
    }
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        filters.append(NameFilter(parts[i], parts[i + 1]));
    }
    return filters;
}

void CQtUserInterface::ShowMessage(const std::string& text) {
    const CArrowCursorWhileAsking arrow;
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kProgramName), DisplayText(text),
                    QMessageBox::Ok, owner_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool CQtUserInterface::AskYesNo(const std::string& text) {
    const CArrowCursorWhileAsking arrow;
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kProgramName), DisplayText(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> CQtUserInterface::AskOpenFileName(const FileDialogRequest& request) {
    return AskFileName(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> CQtUserInterface::AskSaveFileName(const FileDialogRequest& request) {
    return AskFileName(request, QFileDialog::AcceptSave);
}

bool CQtUserInterface::FileExists(const std::string& path) {
    return StatusOf(path).kind != FileKind::Missing;
}

std::optional<std::string> CQtUserInterface::AskFileName(const FileDialogRequest& request,
                                                         QFileDialog::AcceptMode mode) {
    const CArrowCursorWhileAsking arrow;
    QFileDialog dialog(owner_);
    // Qt's own dialog matches the filters regardless of letter case (the
    // desktop's native one may not), and it adds the default suffix before it
    // checks for an existing file, so the replace question is never skipped.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askBeforeReplacing);
    dialog.setNameFilters(NameFilters(request.filter));
    // A typed name without extension gets it in lower case: "road" becomes
    // road.ch, as the other files of the folder are named.
    dialog.setDefaultSuffix(DisplayText(request.defaultExtension).toLower());
    if (!request.title.empty()) {
        dialog.setWindowTitle(DisplayText(request.title));
    }
    const bool saving = mode == QFileDialog::AcceptSave;
    QString& lastFolder = saving ? lastSaveFolder_ : lastOpenFolder_;
    // A save dialog opens beside the LandXML file until the user saves
    // elsewhere, then where the last file was saved.
    const QString folder =
        !lastFolder.isEmpty() ? lastFolder : DisplayText(request.suggestedFolder);
    if (!folder.isEmpty()) {
        dialog.setDirectory(folder);
    }
    const QString initialName = request.suggestedName.empty() ? DisplayText(request.initialName)
                                                              : DisplayText(request.suggestedName);
    if (IsPlainFileName(initialName)) {
        dialog.selectFile(initialName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    lastFolder = QFileInfo(chosen).absolutePath();
    // Shown again in the file field and in messages: with the platform's
    // separators, as the user types them.
    return PathBytes(QDir::toNativeSeparators(chosen));
}

}  // namespace chainforge

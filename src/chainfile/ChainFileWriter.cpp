#include "chainfile/ChainFileWriter.h"

#include <optional>

#include "io/OutputFile.h"
#include "io/TextModeOutput.h"

namespace chainforge {
namespace {

FileDialogRequest ChainFileDialog() {
    FileDialogRequest request;
    request.defaultExtension = "CH";
    request.filter = "Chain Files (*.ch)|*.CH||";
    request.title = "Save Chain File";
    request.askBeforeReplacing = true;
    return request;
}

void AppendControlBlock(std::string& out, std::string_view heading, const std::string& text) {
    AppendTextModeLine(out, heading);
    AppendTextMode(out, "{");
    AppendTextMode(out, text);
    AppendTextMode(out, "}\n\n");
}

void AppendTemplateBlock(std::string& out, std::string_view heading,
                         const TemplateList& templates) {
    AppendTextModeLine(out, heading);
    AppendTextModeLine(out, "{");
    for (const std::string& entry : templates) {
        AppendTextMode(out, "{");
        AppendTextMode(out, entry);
        AppendTextModeLine(out, "}");
    }
    AppendTextMode(out, "}\n\n");
}

std::string ChainFileContent(const std::string& horizontalControl,
                             const std::string& verticalControl, const TemplateList& leftTemplates,
                             const TemplateList& rightTemplates) {
    std::string out;
    AppendTextModeLine(out, "{");
    AppendControlBlock(out, "@ Horizontal Control", horizontalControl);
    AppendControlBlock(out, "@ Vertical Control", verticalControl);
    AppendTemplateBlock(out, "@ Left Templates", leftTemplates);
    AppendTemplateBlock(out, "@ Right Templates", rightTemplates);
    AppendTextModeLine(out, "}");
    return out;
}

}  // namespace

WriteResult WriteChainFile(CUserInterface& ui, const std::string& horizontalControl,
                           const std::string& verticalControl, const TemplateList& leftTemplates,
                           const TemplateList& rightTemplates) {
    if (horizontalControl.empty() && verticalControl.empty() && leftTemplates.empty() &&
        rightTemplates.empty()) {
        return {.status = WriteStatus::NothingToWrite};
    }
    const std::optional<std::string> path = ui.AskSaveFileName(ChainFileDialog());
    if (!path) {
        return {.status = WriteStatus::Cancelled};
    }
    WriteResult result = WriteOutputFile(
        *path, ChainFileContent(horizontalControl, verticalControl, leftTemplates, rightTemplates));
    if (result.status == WriteStatus::Failed) {
        ui.ShowMessage(result.message);
    }
    return result;
}

}  // namespace chainforge

#include "points/AsciiPointFile.h"

#include <new>
#include <optional>
#include <string_view>

#include "io/OutputFile.h"
#include "io/Platform.h"
#include "io/TextModeOutput.h"
#include "landxml/NumberText.h"

namespace chainforge {
namespace {

FileDialogRequest AsciiFileDialog(bool askBeforeReplacing) {
    FileDialogRequest request;
    request.defaultExtension = "ASC";
    request.filter = "ASCII Files (*.asc)|*.ASC||";
    request.title = askBeforeReplacing ? "Save ASCII Point File" : "";
    request.askBeforeReplacing = askBeforeReplacing;
    return request;
}

bool IsBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

// A line as the file's text gives it: the carriage return of a CR LF (or one
// that ends the file) belongs to the line end, and zero bytes are dropped.
std::string LineText(std::string_view raw) {
    if (!raw.empty() && raw.back() == '\r') {
        raw.remove_suffix(1);
    }
    std::string line;
    line.reserve(raw.size());
    for (const char c : raw) {
        if (c != '\0') {
            line.push_back(c);
        }
    }
    return line;
}

// Lines of one character are stray marks, not points; a line of blanks
// (possible only first in the file) holds nothing.
bool HoldsPoint(std::string_view line) {
    if (line.size() <= 1) {
        return false;
    }
    for (const char c : line) {
        if (!IsBlankOrTab(c)) {
            return true;
        }
    }
    return false;
}

// Splits the file into point lines. After each line every white space up
// to the next text is passed over: blank lines and the indent of the next
// line, but not the indent of the first.
void AppendPointLines(std::string_view bytes, PointList& points) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string line = LineText(bytes.substr(pos, end - pos));
        if (HoldsPoint(line)) {
            points.push_back(std::move(line));
        }
        pos = end;
        while (pos < bytes.size() && IsScanSpace(bytes[pos])) {
            ++pos;
        }
    }
}

}  // namespace

ReadResult ReadAsciiPointFile(CUserInterface& ui, PointList& points) {
    const std::optional<std::string> path = ui.AskOpenFileName(AsciiFileDialog(false));
    if (!path) {
        return {.status = ReadStatus::Cancelled};
    }
    const std::size_t before = points.size();
    try {
        // Only regular files are read: a FIFO or device could block or never end.
        const auto content = ReadRegularFile(*path);
        if (content) {
            AppendPointLines({content->memory->Bytes(), static_cast<std::size_t>(content->size)},
                             points);
            return {ReadStatus::Read, *path};
        }
    } catch (const std::bad_alloc&) {
        // A file too large for memory cannot be opened, as a LandXML file.
        points.resize(before);
    }
    ui.ShowMessage("Cannot open file " + *path);
    return {ReadStatus::CannotOpen, *path};
}

WriteResult WriteAsciiPointFile(CUserInterface& ui, const PointList& points) {
    if (points.empty()) {
        return {.status = WriteStatus::NothingToWrite};
    }
    const std::optional<std::string> path = ui.AskSaveFileName(AsciiFileDialog(true));
    if (!path) {
        return {.status = WriteStatus::Cancelled};
    }
    std::string content;
    for (const std::string& point : points) {
        AppendTextModeLine(content, point);
    }
    WriteResult result = WriteOutputFile(*path, content);
    if (result.status == WriteStatus::Failed) {
        ui.ShowMessage(result.message);
    }
    return result;
}

}  // namespace chainforge

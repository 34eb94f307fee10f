#include "points/ElementContinuation.h"

#include <string_view>

namespace chainforge {
namespace {

// The closing tag's line between its "</" and the position reading resumes
// at, without the "<" and zero bytes the line reader drops and without the
// line end.
std::string ClosingLine(std::string_view bytes, std::uint64_t from, std::uint64_t resume) {
    const std::size_t closing = bytes.find("</", static_cast<std::size_t>(from));
    if (closing == std::string_view::npos || closing >= resume) {
        return {};
    }
    std::string text;
    for (std::size_t i = closing + 1; i < resume; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            break;
        }
        if (c != '<' && c != '\0') {
            text.push_back(c);
        }
    }
    return text;
}

}  // namespace

std::string ContinueElementText(CDocumentBuffer& document, std::string& line) {
    const std::uint64_t before = document.Position();
    document.ContinueElement(line);
    const std::uint64_t after = document.Position();
    if (after == before || before == 0) {
        return {};
    }
    // The text runs on from the line end of the line just read, the byte
    // before the position it left.
    return ClosingLine(document.Bytes(), before - 1, after);
}

}  // namespace chainforge

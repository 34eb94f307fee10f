#include "points/ElementContinuation.h"

#include <string_view>

namespace chainforge {
namespace {

constexpr std::uint64_t kNoClosingTag = static_cast<std::uint64_t>(-1);

// The closing tag's line between its "</" and the position reading resumes
// at, without the "<" and zero bytes the line reader drops and without the
// line end.
std::string ClosingLine(std::string_view bytes, std::uint64_t closing, std::uint64_t resume) {
    std::string text;
    for (auto i = static_cast<std::size_t>(closing + 1); i < resume; ++i) {
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

bool ElementContinuation::ClosingTagFollows(std::uint64_t from) {
    const bool known = searched_ && searchedFrom_ <= from &&
                       (nextClosing_ == kNoClosingTag || nextClosing_ >= from);
    if (!known) {
        const std::size_t found = document_.Bytes().find("</", static_cast<std::size_t>(from));
        nextClosing_ = found == std::string_view::npos ? kNoClosingTag : found;
        searchedFrom_ = from;
        searched_ = true;
    }
    return nextClosing_ != kNoClosingTag;
}

std::string ElementContinuation::Continue(std::string& line) {
    const std::uint64_t before = document_.Position();
    // The text would run on from the line end, the byte before the position.
    if (before == 0 || !ClosingTagFollows(before - 1)) {
        return {};
    }
    document_.ContinueElement(line);
    const std::uint64_t after = document_.Position();
    if (after == before || nextClosing_ >= after) {
        return {};
    }
    return ClosingLine(document_.Bytes(), nextClosing_, after);
}

}  // namespace chainforge

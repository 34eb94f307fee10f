// Tags moved to lines of their own as a file is loaded (data/tables/taglines.txt).
#include <gtest/gtest.h>

#include "landxml/DocumentBuffer.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

std::string Replaced(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    for (std::size_t at = text.find(from); at != std::string_view::npos; at = text.find(from)) {
        out.append(text.substr(0, at)).append(to);
        text.remove_prefix(at + from.size());
    }
    return out.append(text);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        text.append(k == 0 ? "" : "\n").append(lines[k]);
    }
    return text;
}

TEST(TagLines, EachTagThatFollowsAnotherOnItsLineStartsALine) {
    for (const auto& c : test::ReadTable("taglines.txt")) {
        SCOPED_TRACE(c.title);
        CDocumentBuffer document;
        document.Assign(Replaced(Joined(c.input), "\\r", "\r"));
        EXPECT_EQ(Replaced(document.Bytes(), "\r", "\\r"), Joined(c.expected));
    }
}

}  // namespace
}  // namespace chainforge

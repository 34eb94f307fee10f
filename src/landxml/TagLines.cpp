#include "landxml/TagLines.h"

#include <cstring>
#include <functional>

namespace chainforge {
namespace {

enum class MarkupKind { Opening, SelfClosing, Closing, Comment, CData, Instruction, Declaration };

struct Markup {
    MarkupKind kind = MarkupKind::Opening;
    std::size_t end = std::string_view::npos;  // just after its last byte
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t AfterText(std::string_view bytes, std::size_t from, std::string_view close) {
    const std::size_t at = bytes.find(close, from);
    return at == std::string_view::npos ? at : at + close.size();
}

// Just after the ">" of the element tag starting at open; a ">" inside a
// quoted attribute value does not end the tag.
std::size_t AfterElementTag(std::string_view bytes, std::size_t open) {
    char quote = '\0';
    for (std::size_t at = open + 1; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (quote != '\0') {
            quote = c == quote ? '\0' : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return at + 1;
        }
    }
    return std::string_view::npos;
}

Markup MarkupAt(std::string_view bytes, std::size_t open) {
    const std::string_view rest = bytes.substr(open);
    if (rest.starts_with("<!--")) {
        return {MarkupKind::Comment, AfterText(bytes, open + 4, "-->")};
    }
    if (rest.starts_with("<![CDATA[")) {
        return {MarkupKind::CData, AfterText(bytes, open + 9, "]]>")};
    }
    if (rest.starts_with("<?")) {
        return {MarkupKind::Instruction, AfterText(bytes, open + 2, "?>")};
    }
    if (rest.starts_with("<!")) {
        return {MarkupKind::Declaration, AfterText(bytes, open + 2, ">")};
    }
    const std::size_t end = AfterElementTag(bytes, open);
    if (rest.starts_with("</")) {
        return {MarkupKind::Closing, end};
    }
    const bool selfClosing = end != std::string_view::npos && bytes[end - 2] == '/';
    return {selfClosing ? MarkupKind::SelfClosing : MarkupKind::Opening, end};
}

bool OnlyBlanks(std::string_view text) {
    for (const char c : text) {
        if (!IsBlank(c)) {
            return false;
        }
    }
    return true;
}

// Whether a line break goes between two markups with only blanks between.
// CDATA is text content; an element opened and at once closed stays whole.
bool BreakBetween(MarkupKind before, MarkupKind after) {
    return before != MarkupKind::CData && after != MarkupKind::CData &&
           !(before == MarkupKind::Opening && after == MarkupKind::Closing);
}

// Calls breakAt with each position, just after a tag, where a line feed goes.
// A comment is as if absent to the readers: it stays on the line of what
// comes before it, and what follows it is judged against the tag before it.
void ForEachMissingBreak(std::string_view bytes, const std::function<void(std::size_t)>& breakAt) {
    std::size_t from = 0;
    bool afterMarkup = false;
    MarkupKind before = MarkupKind::Comment;
    for (std::size_t open = bytes.find('<'); open != std::string_view::npos;
         open = bytes.find('<', from)) {
        const Markup markup = MarkupAt(bytes, open);
        afterMarkup = afterMarkup && OnlyBlanks(bytes.substr(from, open - from));
        if (afterMarkup && markup.kind != MarkupKind::Comment &&
            BreakBetween(before, markup.kind)) {
            breakAt(from);
        }
        if (markup.end == std::string_view::npos) {
            return;
        }
        from = markup.end;
        if (markup.kind != MarkupKind::Comment) {
            before = markup.kind;
            afterMarkup = true;
        }
    }
}

// Whether the tag that ends with the ">" at close opens an element: one
// closed right after it makes no case for a line break.
bool OpensElementAt(std::string_view bytes, std::size_t close) {
    const std::size_t open = bytes.rfind('<', close);
    if (open == std::string_view::npos || close == 0 || bytes[close - 1] == '/') {
        return false;
    }
    const char second = open + 1 < bytes.size() ? bytes[open + 1] : '\0';
    return second != '/' && second != '!' && second != '?';
}

// A quick look over the ">" alone: false when no tag is followed on its line
// by another that would need a break. A ">" in an attribute value or CDATA
// may say true wrongly; the careful walk then settles it.
bool MayNeedBreaks(std::string_view bytes) {
    const char* const data = bytes.data();
    const char* const end = data + bytes.size();
    for (const char* p = data; p < end;) {
        const auto* close =
            static_cast<const char*>(std::memchr(p, '>', static_cast<std::size_t>(end - p)));
        if (close == nullptr) {
            return false;
        }
        p = close + 1;
        while (p < end && IsBlank(*p)) {
            ++p;
        }
        if (p < end && *p == '<' &&
            !(p + 1 < end && p[1] == '/' &&
              OpensElementAt(bytes, static_cast<std::size_t>(close - data)))) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::uint64_t MissingTagLineBreaks(std::string_view bytes) {
    if (!MayNeedBreaks(bytes)) {
        return 0;
    }
    std::uint64_t count = 0;
    ForEachMissingBreak(bytes, [&count](std::size_t) { ++count; });
    return count;
}

void CopyWithTagLines(std::string_view bytes, char* out) {
    std::size_t copied = 0;
    ForEachMissingBreak(bytes, [&](std::size_t at) {
        std::memcpy(out, bytes.data() + copied, at - copied);
        out += at - copied;
        *out++ = '\n';
        copied = at;
    });
    if (copied < bytes.size()) {
        std::memcpy(out, bytes.data() + copied, bytes.size() - copied);
    }
}

}  // namespace chainforge

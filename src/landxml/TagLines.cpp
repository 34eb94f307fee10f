#include "landxml/TagLines.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Whether the "<" at `at` follows a ">" on its line with only blanks
// between, other than the closing tag of an element opened just before it.
bool FollowsTagOnLine(std::string_view bytes, std::size_t at) {
    std::size_t before = at;
    while (before > 0 && IsBlank(bytes[before - 1])) {
        --before;
    }
    if (before == 0 || bytes[before - 1] != '>') {
        return false;
    }
    const bool closesAtOnce = at + 1 < bytes.size() && bytes[at + 1] == '/';
    return !(closesAtOnce && OpensElementAt(bytes, before - 1));
}

// A quick look over the "<" whose byte before is a ">" or a blank, sixteen
// bytes at a time where the processor allows: false when no tag follows
// another on its line. A ">" in an attribute value or CDATA may say true
// wrongly; the careful walk then settles it. Tag-dense files have a tag
// every few bytes, too often for a call of memchr each.
bool MayNeedBreaks(std::string_view bytes) {
    const char* const data = bytes.data();
    std::size_t at = 1;
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi8('<');
    const __m128i close = _mm_set1_epi8('>');
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    // Bit i: the byte at i is a ">" or a blank; the last one carries over
    // to the next sixteen bytes.
    unsigned carry = 0;
    for (at = 0; at + 16 <= bytes.size(); at += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const auto opens = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(here, open)));
        const auto matters = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(here, close),
                         _mm_or_si128(_mm_cmpeq_epi8(here, blank), _mm_cmpeq_epi8(here, tab)))));
        for (unsigned mask = opens & ((matters << 1) | carry); mask != 0; mask &= mask - 1) {
            if (FollowsTagOnLine(bytes, at + static_cast<std::size_t>(std::countr_zero(mask)))) {
                return true;
            }
        }
        carry = matters >> 15;
    }
    at = std::max<std::size_t>(at, 1);
#endif
    for (; at < bytes.size(); ++at) {
        if (data[at] == '<' && FollowsTagOnLine(bytes, at)) {
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

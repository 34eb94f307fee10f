#include "landxml/TextPatterns.h"

#include "landxml/NumberText.h"

namespace chainforge {

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = ToUpperAscii(c);
    }
    return upper;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (ToUpperAscii(text[i]) != ToUpperAscii(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool MatchesTag(std::string_view text, std::string_view tag) {
    if (tag.empty() || tag.back() != ' ') {
        return StartsWithNoCase(text, tag);
    }
    const std::size_t last = tag.size() - 1;
    if (text.size() < tag.size() || !StartsWithNoCase(text, tag.substr(0, last))) {
        return false;
    }
    const char c = text[last];
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) {
        return from <= text.size() ? from : std::string_view::npos;
    }
    if (text.size() < needle.size()) {
        return std::string_view::npos;
    }
    const char first = ToUpperAscii(needle[0]);
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        if (ToUpperAscii(text[i]) == first && StartsWithNoCase(text.substr(i), needle)) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool IsSelfClosing(std::string_view tagText) {
    return tagText.size() >= 2 && tagText.substr(tagText.size() - 2) == "/>";
}

std::optional<std::string_view> AttributeValue(std::string_view text, std::string_view name) {
    for (std::size_t at = text.find(name); at != std::string_view::npos;
         at = text.find(name, at + 1)) {
        if (at == 0 || !IsScanSpace(text[at - 1])) {
            continue;
        }
        std::size_t i = at + name.size();
        while (i < text.size() && IsScanSpace(text[i])) {
            ++i;
        }
        if (i >= text.size() || text[i] != '=') {
            continue;
        }
        ++i;
        while (i < text.size() && IsScanSpace(text[i])) {
            ++i;
        }
        if (i >= text.size() || text[i] != '"') {
            continue;
        }
        const std::size_t begin = i + 1;
        const std::size_t end = text.find('"', begin);
        return text.substr(begin, end == std::string_view::npos ? text.npos : end - begin);
    }
    return std::nullopt;
}

std::string_view ScanSetField(std::string_view text, std::string_view stops) {
    const std::size_t end = text.find_first_of(stops);
    return text.substr(0, end);
}

}  // namespace chainforge

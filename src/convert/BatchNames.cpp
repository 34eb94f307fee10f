#include "convert/BatchNames.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_set>

#include "landxml/NumberText.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

bool IsReservedCharacter(char c) {
    constexpr std::string_view kReserved = "<>:\"/\\|?*";
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f ||
           kReserved.find(c) != std::string_view::npos;
}

// Windows takes a device's name with any extension as the device itself.
bool IsDeviceName(std::string_view name) {
    const std::string device = ToUpperAscii(name.substr(0, name.find('.')));
    constexpr std::array<std::string_view, 4> kPlain{"CON", "PRN", "AUX", "NUL"};
    for (const std::string_view plain : kPlain) {
        if (device == plain) {
            return true;
        }
    }
    return device.size() == 4 && (device.starts_with("COM") || device.starts_with("LPT")) &&
           device[3] >= '1' && device[3] <= '9';
}

std::string WithoutTrailingDotsAndBlanks(std::string name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        name.pop_back();
    }
    return name;
}

}  // namespace

std::string SafeFileName(std::string_view name) {
    std::string safe(name);
    for (char& c : safe) {
        if (IsReservedCharacter(c)) {
            c = '_';
        }
    }
    safe = WithoutTrailingDotsAndBlanks(std::move(safe));
    if (IsDeviceName(safe)) {
        const std::size_t device = std::min(safe.find('.'), safe.size());
        safe = safe.substr(0, device) + "_" + safe.substr(device);
    }
    return safe.empty() ? "_" : safe;
}

std::vector<std::string> DistinctFileNames(const std::vector<std::string>& names) {
    std::vector<std::string> distinct;
    std::unordered_set<std::string> taken;  // upper-cased
    for (const std::string& name : names) {
        const std::string safe = SafeFileName(name);
        std::string candidate = safe;
        for (std::int64_t number = 2; taken.contains(ToUpperAscii(candidate)); ++number) {
            candidate = safe + " (" + FormatInt(number) + ")";
        }
        taken.insert(ToUpperAscii(candidate));
        distinct.push_back(std::move(candidate));
    }
    return distinct;
}

bool MatchesPattern(std::string_view text, std::string_view pattern, bool noCase) {
    // The last "*" and where the text stood then: a mismatch takes one more
    // byte into that star, so no match needs more than one pass per star.
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t star = std::string_view::npos;
    std::size_t starText = 0;
    const auto same = [noCase](char a, char b) {
        return noCase ? ToUpperAscii(a) == ToUpperAscii(b) : a == b;
    };
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], text[t]))) {
            ++t;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starText = t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace chainforge

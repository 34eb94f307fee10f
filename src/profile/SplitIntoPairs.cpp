#include "profile/SplitIntoPairs.h"

#include <algorithm>

namespace chainforge {

std::string_view NextToken(std::string_view text, std::size_t& position) {
    const std::size_t begin = text.find_first_not_of(' ', position);
    if (begin == std::string_view::npos) {
        position = text.size();
        return {};
    }
    const std::size_t end = std::min(text.find(' ', begin), text.size());
    position = end;
    return text.substr(begin, end - begin);
}

void SplitIntoPairs(std::string_view text, std::vector<std::string>& pairs) {
    std::size_t position = 0;
    for (;;) {
        const std::string_view first = NextToken(text, position);
        const std::string_view second = NextToken(text, position);
        if (second.empty()) {
            return;
        }
        std::string pair;
        pair.reserve(first.size() + 1 + second.size());
        pair.append(first).append(" ").append(second);
        pairs.push_back(std::move(pair));
    }
}

}  // namespace chainforge

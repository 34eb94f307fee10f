#include "io/TextModeOutput.h"

namespace chainforge {

void AppendTextMode(std::string& out, std::string_view text) {
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t feed = text.find('\n', from);
        if (feed == std::string_view::npos) {
            out.append(text.substr(from));
            return;
        }
        out.append(text.substr(from, feed - from));
        out.append("\r\n");
        from = feed + 1;
    }
}

void AppendTextModeLine(std::string& out, std::string_view text) {
    AppendTextMode(out, text);
    out.append("\r\n");
}

}  // namespace chainforge

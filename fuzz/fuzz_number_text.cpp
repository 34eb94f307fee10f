// The number text module: every double formats and reads back close to
// itself; any text reads without going past its end.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "landxml/NumberText.h"

namespace {

void CheckFormatting(double value) {
    const std::string g = chainforge::FormatG(value);
    const std::string f = chainforge::FormatF(value);
    if (std::isnan(value)) {
        return;
    }
    if (std::isinf(value)) {
        return;  // never written by the readers
    }
    double back = 0.0;
    if (chainforge::ReadLeadingDouble(g, back) != g.size()) {
        std::abort();
    }
    if (std::fabs(back - value) > std::fabs(value) * 5e-6 + 1e-300) {
        std::abort();
    }
    const auto e = g.find('e');
    if (e != std::string::npos && g.size() - e < 5) {
        std::abort();  // the exponent has a sign and at least three digits
    }
    if (chainforge::ReadLeadingDouble(f, back) != f.size()) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= sizeof(double)) {
        double value = 0.0;
        std::memcpy(&value, data, sizeof value);
        CheckFormatting(value);
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = 0.0;
    if (chainforge::ReadLeadingDouble(text, value) > size || std::isnan(value) ||
        std::isinf(value)) {
        std::abort();
    }
    std::int64_t whole = 0;
    if (chainforge::ReadLeadingInteger(text, whole) > size) {
        std::abort();
    }
    return 0;
}

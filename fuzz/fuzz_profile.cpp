// ProfileElevationAt and SplitIntoPairs on arbitrary texts and stations.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "profile/SplitIntoPairs.h"
#include "xsection/ProfileEvaluation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double station = 0.0;
    if (size >= sizeof station) {
        std::memcpy(&station, data, sizeof station);
        data += sizeof station;
        size -= sizeof station;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double elevation = chainforge::ProfileElevationAt(station, text);
    const double again = chainforge::ProfileElevationAt(station, text);
    if (!(elevation == again || (std::isnan(elevation) && std::isnan(again)))) {
        std::abort();  // the evaluation keeps no state between calls
    }
    std::vector<std::string> pairs;
    chainforge::SplitIntoPairs(text, pairs);
    if (pairs.size() > size / 2 + 1) {
        std::abort();
    }
    return 0;
}

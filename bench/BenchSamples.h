// Where the benchmarks find real exports: those kept in the repository
// first, then the full corpus (the environment variable CHAINFORGE_SAMPLES
// or the build's setting of that name), which may be absent.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace chainforge::bench {

inline std::filesystem::path CorpusFolder() {
    const char* named = std::getenv("CHAINFORGE_SAMPLES");
    return named != nullptr && *named != '\0' ? named : CHAINFORGE_SAMPLES;
}

// The export's path; empty when neither folder has it.
inline std::filesystem::path RealExport(const std::string& name) {
    for (const std::filesystem::path& folder :
         {std::filesystem::path(CHAINFORGE_REAL_EXPORTS), CorpusFolder()}) {
        if (std::filesystem::exists(folder / name)) {
            return folder / name;
        }
    }
    return {};
}

// Why a benchmark of an export that is not there is skipped.
inline std::string CorpusMissing() {
    return "real-export corpus not found at " + CorpusFolder().string() +
           "; set CHAINFORGE_SAMPLES";
}

}  // namespace chainforge::bench

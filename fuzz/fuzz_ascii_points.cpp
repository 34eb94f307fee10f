// Arbitrary file contents read as an ASCII point file.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "points/AsciiPointFile.h"
#include "ui/ScriptedUserInterface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        "/tmp/chainforge-fuzz-points-" + std::to_string(::getpid()) + ".asc";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    chainforge::CScriptedUserInterface ui;
    ui.QueueFileName(path);
    chainforge::PointList points;
    if (chainforge::ReadAsciiPointFile(ui, points).status != chainforge::ReadStatus::Read) {
        std::abort();
    }
    std::size_t bytes = 0;
    for (const std::string& line : points) {
        if (line.size() < 2 || line.find('\n') != std::string::npos) {
            std::abort();  // lines of one character are dropped; a line holds no line feed
        }
        bytes += line.size();
    }
    if (bytes > size) {
        std::abort();
    }
    return 0;
}

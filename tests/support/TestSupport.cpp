#include "support/TestSupport.h"

#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace chainforge::test {

TempDir::TempDir() {
    std::string name = (std::filesystem::temp_directory_path() / "chainforge-test-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = name;
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::filesystem::path> SampleFiles() {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(CHAINFORGE_SAMPLES, error)) {
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

int RunProcess(const std::string& commandLine, std::string& out, std::string& err) {
    TempDir scratch;
    const std::string outFile = scratch.File("stdout");
    const std::string errFile = scratch.File("stderr");
    const std::string full = commandLine + " >'" + outFile + "' 2>'" + errFile + "' </dev/null";
    const int status = std::system(full.c_str());
    out = ReadFileBytes(outFile);
    err = ReadFileBytes(errFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<TableCase> ReadTable(const std::string& name) {
    std::vector<TableCase> cases;
    std::ifstream in(std::string(CHAINFORGE_TEST_DATA) + "/tables/" + name);
    bool expected = false;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("== ")) {
            cases.push_back({line.substr(3), {}, {}});
            expected = false;
        } else if (line == "--") {
            expected = true;
        } else if (!line.starts_with("#") && !cases.empty()) {
            if (line.ends_with('|')) {
                line.pop_back();
            }
            (expected ? cases.back().expected : cases.back().input).push_back(line);
        }
    }
    if (cases.empty()) {
        throw std::runtime_error("no cases in " + name);
    }
    return cases;
}

}  // namespace chainforge::test

#include "support/TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "io/Platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace chainforge::test {

TempDir::TempDir() {
    std::random_device seed;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const auto name =
            std::filesystem::temp_directory_path() / ("chainforge-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(name)) {
            path_ = name;
        }
    }
    if (path_.empty()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
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

std::filesystem::path CorpusFolder() {
    const char* named = std::getenv("CHAINFORGE_SAMPLES");
    return PathFromUtf8(named != nullptr && *named != '\0' ? named : CHAINFORGE_SAMPLES);
}

bool CorpusPresent() {
    std::error_code error;
    return std::filesystem::is_directory(CorpusFolder(), error);
}

std::string CorpusMissing() {
    return "real-export corpus not found at " + Utf8FromPath(CorpusFolder()) +
           "; set CHAINFORGE_SAMPLES";
}

std::vector<std::filesystem::path> XmlFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::filesystem::path> RepositoryExports() {
    return XmlFiles(CHAINFORGE_REAL_EXPORTS);
}

std::vector<std::filesystem::path> FurtherCorpusExports() {
    std::vector<std::filesystem::path> files = XmlFiles(CorpusFolder());
    std::erase_if(files, [](const std::filesystem::path& file) {
        return std::filesystem::exists(std::filesystem::path(CHAINFORGE_REAL_EXPORTS) /
                                       file.filename());
    });
    return files;
}

std::filesystem::path RealExport(const std::string& name) {
    for (const std::filesystem::path& folder :
         {std::filesystem::path(CHAINFORGE_REAL_EXPORTS), CorpusFolder()}) {
        if (std::filesystem::exists(folder / name)) {
            return folder / name;
        }
    }
    return {};
}

#ifdef _WIN32

static std::wstring QuotedArgument(const std::string& arg) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : PathFromUtf8(arg).wstring()) {
        backslashes = c == L'\\' ? backslashes + 1 : 0;
        if (c == L'"') {
            quoted.append(backslashes + 1, L'\\');
        }
        quoted.push_back(c);
    }
    return quoted.append(backslashes, L'\\') + L"\"";
}

int RunProcess(const std::vector<std::string>& args, const std::string& folder, std::string& out,
               std::string& err) {
    TempDir scratch;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const auto open = [&](const std::filesystem::path& path, DWORD access, DWORD disposition) {
        return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                             disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = open(L"NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = open(scratch.Path() / "stdout", GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = open(scratch.Path() / "stderr", GENERIC_WRITE, CREATE_ALWAYS);
    std::wstring commandLine;
    for (const std::string& arg : args) {
        commandLine.append(commandLine.empty() ? L"" : L" ").append(QuotedArgument(arg));
    }
    const std::wstring where = PathFromUtf8(folder).wstring();
    PROCESS_INFORMATION process{};
    DWORD status = static_cast<DWORD>(-1);
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                         nullptr, where.empty() ? nullptr : where.c_str(), &startup, &process)) {
        if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
            ::TerminateProcess(process.hProcess, static_cast<UINT>(-1));
        }
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        ::CloseHandle(handle);
    }
    out = ReadFileBytes(scratch.Path() / "stdout");
    err = ReadFileBytes(scratch.Path() / "stderr");
    return static_cast<int>(status);
}

bool MakeFifo(const std::string&) {
    return false;
}

#else

static std::string Quoted(const std::string& text) {
    std::string quoted(1, '\'');
    for (const char c : text) {
        if (c == '\'') {
            quoted.append("'\\'");
        }
        quoted.push_back(c);
    }
    return quoted + '\'';
}

int RunProcess(const std::vector<std::string>& args, const std::string& folder, std::string& out,
               std::string& err) {
    TempDir scratch;
    const std::string outFile = scratch.File("stdout");
    const std::string errFile = scratch.File("stderr");
    std::string command = folder.empty() ? "" : "cd " + Quoted(folder) + " && ";
    command.append("timeout 10");
    for (const std::string& arg : args) {
        command.append(" ").append(Quoted(arg));
    }
    command.append(" >" + Quoted(outFile) + " 2>" + Quoted(errFile) + " </dev/null");
    const int status = std::system(command.c_str());
    out = ReadFileBytes(outFile);
    err = ReadFileBytes(errFile);
    return WIFEXITED(status) && WEXITSTATUS(status) != 124 ? WEXITSTATUS(status) : -1;
}

bool MakeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

#endif

std::vector<TableCase> ReadTable(const std::string& name) {
    std::vector<TableCase> cases;
    std::ifstream in(std::string(CHAINFORGE_TEST_DATA) + "/tables/" + name, std::ios::binary);
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

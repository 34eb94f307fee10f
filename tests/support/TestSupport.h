// Helpers shared by the test programs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace chainforge::test {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Joins lines, each followed by CR LF.
std::string CrLf(const std::vector<std::string>& lines);

// The files of the shared sample folder (*.xml), sorted; empty when the
// folder is not there.
std::vector<std::filesystem::path> SampleFiles();

// Sets LC_ALL to a comma-decimal locale for its lifetime; Active() tells
// whether one was available.
class CommaDecimalLocale {
  public:
    CommaDecimalLocale();
    ~CommaDecimalLocale();
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;
    bool Active() const { return active_; }

  private:
    std::string previous_;
    bool active_ = false;
};

// Runs a command line through the shell; returns its exit status and fills
// the captured standard output and error.
int RunProcess(const std::string& commandLine, std::string& out, std::string& err);

}  // namespace chainforge::test

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

// Real exports: the ones kept in the repository (tests/data/real) and the
// full corpus, an optional folder named by the environment variable
// CHAINFORGE_SAMPLES or, without it, by the build's setting of that name.
std::filesystem::path CorpusFolder();
bool CorpusPresent();
// Why a case that needs the corpus is skipped.
std::string CorpusMissing();

// The *.xml files of a folder, sorted by name; none when it does not exist.
std::vector<std::filesystem::path> XmlFiles(const std::filesystem::path& folder);
// The real exports kept in the repository.
std::vector<std::filesystem::path> RepositoryExports();
// The corpus's files that the repository does not keep too.
std::vector<std::filesystem::path> FurtherCorpusExports();
// The export of that name, from the repository or else the corpus; empty when
// neither has it.
std::filesystem::path RealExport(const std::string& name);

// Skips the case, with the reason, when the full corpus is not there.
#define CHAINFORGE_SKIP_WITHOUT_CORPUS()                     \
    if (!::chainforge::test::CorpusPresent()) {              \
        GTEST_SKIP() << ::chainforge::test::CorpusMissing(); \
    }

// Runs the program args[0] with the other arguments in folder (the current
// one when empty), with no input, stopped after 10 s; returns its exit status
// (-1 when stopped) and fills the captured standard output and error.
int RunProcess(const std::vector<std::string>& args, const std::string& folder, std::string& out,
               std::string& err);

// The Windows build, where what POSIX alone has (FIFOs, permission bits,
// sparse files written as such) is skipped.
#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

// Makes a FIFO; false where there are none among files (Windows).
bool MakeFifo(const std::string& path);

// The cases of data/tables/NAME. "== TITLE" starts a case; its input lines
// follow, then "--" and its expected lines. Lines starting with "#" are
// comments; a "|" ending a line is dropped, so that blanks before it count.
struct TableCase {
    std::string title;
    std::vector<std::string> input;
    std::vector<std::string> expected;
};
std::vector<TableCase> ReadTable(const std::string& name);

}  // namespace chainforge::test

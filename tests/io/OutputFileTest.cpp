#include "io/OutputFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>

#include "io/Platform.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
constexpr auto kOwnerReadWrite = fs::perms::owner_read | fs::perms::owner_write;

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Stand-ins for the write system call. Each call counts.
int calls = 0;
std::ptrdiff_t OneByteAtATime(int fd, const void* data, std::size_t) {
    ++calls;
    return SystemWrite(fd, data, 1);
}
std::ptrdiff_t InterruptedFirst(int fd, const void* data, std::size_t size) {
    if (calls++ == 0) {
        errno = EINTR;
        return -1;
    }
    return SystemWrite(fd, data, size);
}
std::ptrdiff_t FullAfterThreeBytes(int fd, const void* data, std::size_t size) {
    if (calls++ == 0) {
        return SystemWrite(fd, data, size < 3 ? size : 3);
    }
    errno = ENOSPC;
    return -1;
}
std::ptrdiff_t WritesNothing(int, const void*, std::size_t) {
    ++calls;
    return 0;
}

TEST(WriteOutputFile, ReplacesKeepingTheModeAndLeavesNothingElse) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    const std::string path = dir.File("out.ch");
    ASSERT_EQ(WriteOutputFile(ui, path, "first\r\n"), 1);
    fs::permissions(path, kOwnerReadWrite | fs::perms::group_read);
    ASSERT_EQ(WriteOutputFile(ui, path, "second\r\n"), 1);
    EXPECT_EQ(test::ReadFileBytes(path), "second\r\n");
    if (!test::kWindows) {  // where a file has no more than a read-only flag
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                  kOwnerReadWrite | fs::perms::group_read);
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_TRUE(ui.Events().empty());
}

// Short and interrupted writes go on; a failing write keeps the old file.
TEST(WriteOutputFile, ThroughTheWriteSeam) {
    const struct {
        WriteFunction write;
        int result;
        int calls;
    } cases[] = {{&OneByteAtATime, 1, 11},
                 {&InterruptedFirst, 1, 2},
                 {&FullAfterThreeBytes, 0, 2},
                 {&WritesNothing, 0, 1}};
    for (const auto& c : cases) {
        test::TempDir dir;
        ScriptedUserInterface ui;
        const std::string path = dir.File("out.asc");
        test::WriteFileBytes(path, "old");
        calls = 0;
        EXPECT_EQ(WriteOutputFile(ui, path, "new content", c.write), c.result);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(test::ReadFileBytes(path), c.result == 1 ? "new content" : "old");
        EXPECT_EQ(EntriesIn(dir.Path()), 1u);
        EXPECT_EQ(ui.Messages(), c.result == 1 ? Names{} : Names{"Cannot write file " + path});
    }
}

TEST(WriteOutputFile, CannotCreate) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    const std::string missing = dir.File("no/such/folder/out.asc");
    const std::string readOnly = dir.File("locked.asc");
    test::WriteFileBytes(readOnly, "keep");
    fs::permissions(readOnly, fs::perms::owner_read);
    for (const std::string& path : {missing, dir.Path().string(), readOnly}) {
        EXPECT_EQ(WriteOutputFile(ui, path, "x"), 0);
    }
    EXPECT_EQ(test::ReadFileBytes(readOnly), "keep");
    fs::permissions(readOnly, kOwnerReadWrite);  // Windows removes no read-only file
    EXPECT_EQ(ui.Messages(),
              (Names{"Cannot open file " + missing, "Cannot open file " + dir.Path().string(),
                     "Cannot open file " + readOnly}));
}

// A target that is neither a regular file nor a folder, here a named pipe of
// the test's own, is written in place and stays what it was.
TEST(WriteOutputFile, WritesIntoAPipeInPlace) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no named pipes among files";
#else
    test::TempDir dir;
    const std::string pipe = dir.File("pipe");
    ASSERT_TRUE(test::MakeFifo(pipe));
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ScriptedUserInterface ui;
    EXPECT_EQ(WriteOutputFile(ui, pipe, "through"), 1);
    calls = 0;
    EXPECT_EQ(WriteOutputFile(ui, pipe, "x", &WritesNothing), 0);
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
    ::close(reader);
    EXPECT_EQ(std::string(buffer), "through");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_EQ(ui.Messages(), Names{"Cannot write file " + pipe});
#endif
}

}  // namespace
}  // namespace chainforge

#include "io/OutputFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <regex>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "io/Platform.h"
#include "support/TestSupport.h"

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
// The names in the target's folder while the bytes are written.
Names seenDuringWrite;
fs::path folderWritten;
std::ptrdiff_t ListsTheFolder(int fd, const void* data, std::size_t size) {
    ++calls;
    seenDuringWrite.clear();
    for (const auto& entry : fs::directory_iterator(folderWritten)) {
        seenDuringWrite.push_back(entry.path().filename().string());
    }
    return SystemWrite(fd, data, size);
}
#ifndef _WIN32
int signalToRaise = 0;
std::ptrdiff_t RaisesSignal(int fd, const void* data, std::size_t size) {
    ++calls;
    std::raise(signalToRaise);
    return SystemWrite(fd, data, size);
}
#endif

TEST(WriteOutputFile, ReplacesKeepingTheModeAndLeavesNothingElse) {
    test::TempDir dir;
    const std::string path = dir.File("out.ch");
    ASSERT_EQ(WriteOutputFile(path, "first\r\n").status, WriteStatus::Written);
    fs::permissions(path, kOwnerReadWrite | fs::perms::group_read);
    const WriteResult second = WriteOutputFile(path, "second\r\n");
    ASSERT_EQ(second.status, WriteStatus::Written);
    EXPECT_EQ(second.path, path);
    EXPECT_EQ(second.bytes, 8u);
    EXPECT_TRUE(second.message.empty());
    EXPECT_EQ(test::ReadFileBytes(path), "second\r\n");
    if (!test::kWindows) {  // where a file has no more than a read-only flag
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                  kOwnerReadWrite | fs::perms::group_read);
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

// Short and interrupted writes go on; a failing write keeps the old file.
TEST(WriteOutputFile, ThroughTheWriteSeam) {
    const struct {
        WriteFunction write;
        WriteStatus status;
        int calls;
    } cases[] = {{&OneByteAtATime, WriteStatus::Written, 11},
                 {&InterruptedFirst, WriteStatus::Written, 2},
                 {&FullAfterThreeBytes, WriteStatus::Failed, 2},
                 {&WritesNothing, WriteStatus::Failed, 1}};
    for (const auto& c : cases) {
        test::TempDir dir;
        const std::string path = dir.File("out.asc");
        test::WriteFileBytes(path, "old");
        calls = 0;
        const WriteResult result = WriteOutputFile(path, "new content", c.write);
        const bool written = c.status == WriteStatus::Written;
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(test::ReadFileBytes(path), written ? "new content" : "old");
        EXPECT_EQ(EntriesIn(dir.Path()), 1u);
        EXPECT_EQ(result.message, written ? "" : "Cannot write file " + path);
    }
}

#ifndef _WIN32
// Runs WriteOutputFile in a child whose write raises signal (ignored there
// when ignored is set); returns the child's wait status.
int WriteInChildRaising(const std::string& path, int signal, bool ignored) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(signal, ignored ? SIG_IGN : SIG_DFL);  // whatever the test runner left
        signalToRaise = signal;
        const WriteResult result = WriteOutputFile(path, "new content", &RaisesSignal);
        ::_exit(result.status == WriteStatus::Written ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}
#endif

// A signal that ends the program during a write ends it as the signal would,
// after removing the temporary file; the old file stays. An ignored signal
// (as under nohup) stays ignored and the write goes on.
TEST(WriteOutputFile, SignalDuringTheWrite) {
#ifdef _WIN32
    GTEST_SKIP() << "console events are not signals on Windows";
#else
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (const bool ignored : {false, true}) {
            SCOPED_TRACE(std::to_string(signal) + (ignored ? " ignored" : ""));
            test::TempDir dir;
            const std::string path = dir.File("out.asc");
            test::WriteFileBytes(path, "old");
            const int status = WriteInChildRaising(path, signal, ignored);
            if (ignored) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            } else {
                EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
            }
            EXPECT_EQ(test::ReadFileBytes(path), ignored ? "new content" : "old");
            EXPECT_EQ(EntriesIn(dir.Path()), 1u);
        }
    }
#endif
}

// The temporary file has a short name of its own in the target's folder, so
// that a name as long as the system allows is written too.
TEST(WriteOutputFile, TemporaryNameIsShortAndBeside) {
    test::TempDir dir;
    // 255 bytes: the longest file name on Linux; Windows also limits the path.
    const std::string name = std::string(test::kWindows ? 120 : 251, 'n') + ".asc";
    const std::string path = dir.File(name);
    folderWritten = dir.Path();
    calls = 0;
    const WriteResult result = WriteOutputFile(path, "content", &ListsTheFolder);
    ASSERT_EQ(result.status, WriteStatus::Written) << result.message;
    ASSERT_EQ(seenDuringWrite.size(), 1u);
    EXPECT_TRUE(std::regex_match(seenDuringWrite[0], std::regex(R"(\.cf[0-9a-f]{8}\.tmp)")))
        << seenDuringWrite[0];
    EXPECT_EQ(test::ReadFileBytes(path), "content");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(WriteOutputFile, CannotCreate) {
    test::TempDir dir;
    const std::string missing = dir.File("no/such/folder/out.asc");
    const std::string readOnly = dir.File("locked.asc");
    test::WriteFileBytes(readOnly, "keep");
    fs::permissions(readOnly, fs::perms::owner_read);
    for (const std::string& path : {missing, readOnly}) {
        const WriteResult result = WriteOutputFile(path, "x");
        EXPECT_EQ(result.status, WriteStatus::Failed);
        EXPECT_EQ(result.message, "Cannot open file " + path);
    }
    EXPECT_EQ(test::ReadFileBytes(readOnly), "keep");
    fs::permissions(readOnly, kOwnerReadWrite);  // Windows removes no read-only file
}

// A target that exists and is not a regular file is refused and stays what
// it was: a folder, and a FIFO whether or not something reads it (with no
// reader, opening it to write would wait for ever).
TEST(WriteOutputFile, RefusesWhatIsNotARegularFile) {
    test::TempDir dir;
    const std::string folder = dir.File("folder");
    fs::create_directory(folder);
    Names targets{folder};
    const std::string pipe = dir.File("pipe");
    int reader = -1;
    if (test::MakeFifo(pipe)) {
        targets.push_back(pipe);
        targets.push_back(pipe);  // the second time with a reader
    }
    for (const std::string& target : targets) {
        const WriteResult result = WriteOutputFile(target, "x");
        EXPECT_EQ(result.status, WriteStatus::Failed);
        EXPECT_EQ(result.message, "Cannot write to " + target + ": not a regular file");
#ifndef _WIN32
        if (target == pipe && reader < 0) {
            reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
            ASSERT_GE(reader, 0);
        }
#endif
    }
    if (reader >= 0) {
        char buffer[4];
        EXPECT_LE(::read(reader, buffer, sizeof buffer), 0);
        ::close(reader);
        EXPECT_TRUE(fs::is_fifo(pipe));
    }
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(EntriesIn(dir.Path()), targets.size() == 1 ? 1u : 2u);
}

// The null device, under its own name or through a link, takes the bytes
// and stays the device; a failed write to it is told.
TEST(WriteOutputFile, NullDeviceDiscards) {
    test::TempDir dir;
    Names devices{test::kWindows ? "NUL" : "/dev/null"};
    std::error_code noLinks;
    fs::create_symlink(devices[0], dir.File("discard"), noLinks);
    if (!noLinks) {
        devices.push_back(dir.File("discard"));
    }
    for (const std::string& device : devices) {
        const WriteResult result = WriteOutputFile(device, "gone");
        EXPECT_EQ(result.status, WriteStatus::Written) << device;
        EXPECT_EQ(result.bytes, 0u) << device;  // nothing is kept
    }
    const WriteResult failed = WriteOutputFile(devices[0], "x", &WritesNothing);
    EXPECT_EQ(failed.status, WriteStatus::Failed);
    EXPECT_EQ(failed.message, "Cannot write file " + devices[0]);
    if (!test::kWindows) {
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
        EXPECT_TRUE(fs::is_symlink(dir.File("discard")));
    }
}

// Names of one file, spelt in different ways, relative to the current folder
// as a user gives them: each pair must be found to be the same file whether
// it exists yet or not, and other names must not.
TEST(SameFile, ByIdentityNotBySpelling) {
    test::TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    fs::create_directory("sub");
    std::error_code noLinks;
    fs::create_directory_symlink(".", "here", noLinks);
    const std::string absolute = dir.File("x");
    for (const bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "existing" : "not yet there");
        if (exists) {
            test::WriteFileBytes("x", "x");
            fs::create_hard_link("x", "hard");
        }
        for (const std::string& same :
             Names{"./x", "sub/../x", "missing/../x", absolute, "sub/./../sub/../x"}) {
            EXPECT_TRUE(SameFile("x", same)) << same;
            EXPECT_TRUE(SameFile(same, "x")) << same;
        }
        if (!noLinks) {
            EXPECT_TRUE(SameFile("here/x", "x"));
            EXPECT_TRUE(SameFile("here/sub/../x", absolute));
        }
        EXPECT_EQ(SameFile("hard", "./x"), exists);
        EXPECT_EQ(SameFile("X", "x"), test::kWindows);  // Windows names ignore letter case
        for (const std::string& other : Names{"y", "sub/x", "./x.ch", "sub", "."}) {
            EXPECT_FALSE(SameFile("x", other)) << other;
        }
    }
    fs::current_path(before);
}
}  // namespace
}  // namespace chainforge

#include "io/OutputFile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>

#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Accepts the first write of at most three bytes, then reports a full disk.
ssize_t FillsUpAfterThreeBytes(int fd, const void* data, std::size_t size) {
    static thread_local bool full = false;
    if (full) {
        full = false;
        errno = ENOSPC;
        return -1;
    }
    full = true;
    return ::write(fd, data, size < 3 ? size : 3);
}

TEST(WriteOutputFile, WritesAndReplaces) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    const std::string path = dir.File("out.ch");
    ASSERT_EQ(WriteOutputFile(ui, path, "first\r\n"), 1);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(WriteOutputFile(ui, path, "second\r\n"), 1);
    EXPECT_EQ(test::ReadFileBytes(path), "second\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_TRUE(ui.Events().empty());
}

TEST(WriteOutputFile, CannotCreate) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    const std::string missing = dir.File("no/such/folder/out.asc");
    EXPECT_EQ(WriteOutputFile(ui, missing, "x"), 0);
    EXPECT_EQ(WriteOutputFile(ui, dir.Path().string(), "x"), 0);
    const std::string readOnly = dir.File("locked.asc");
    test::WriteFileBytes(readOnly, "keep");
    fs::permissions(readOnly, fs::perms::owner_read);
    EXPECT_EQ(WriteOutputFile(ui, readOnly, "x"), 0);
    EXPECT_EQ(test::ReadFileBytes(readOnly), "keep");
    EXPECT_EQ(ui.Messages(),
              (Names{"Cannot open file " + missing, "Cannot open file " + dir.Path().string(),
                     "Cannot open file " + readOnly}));
}

TEST(WriteOutputFile, DiskFullPartWayKeepsTheOldFile) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    const std::string path = dir.File("out.asc");
    test::WriteFileBytes(path, "old content");
    EXPECT_EQ(WriteOutputFile(ui, path, "new content", &FillsUpAfterThreeBytes), 0);
    EXPECT_EQ(test::ReadFileBytes(path), "old content");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_EQ(ui.Messages(), Names{"Cannot write file " + path});
}

TEST(WriteOutputFile, DeviceThatIsFull) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP();
    }
    ScriptedUserInterface ui;
    EXPECT_EQ(WriteOutputFile(ui, "/dev/full", "x"), 0);
    EXPECT_EQ(ui.Messages(), Names{"Cannot write file /dev/full"});
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace chainforge

namespace chainforge {
namespace {

// Runs body in a child process that has given up root, since root may write
// into any folder; returns the child's exit status.
template <typename Body>
int AsUnprivilegedUser(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            _exit(100);
        }
        _exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(WriteOutputFile, ReadOnlyFolder) {
    test::TempDir dir;
    const fs::path folder = dir.Path() / "locked";
    fs::create_directory(folder);
    test::WriteFileBytes(folder / "out.ch", "keep");
    fs::permissions(folder / "out.ch", fs::perms::all);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    fs::permissions(dir.Path(), fs::perms::others_exec, fs::perm_options::add);
    const std::string path = (folder / "out.ch").string();
    const int status = AsUnprivilegedUser([&path] {
        ScriptedUserInterface ui;
        const bool right = WriteOutputFile(ui, path, "new") == 0 &&
                           ui.Messages() == Names{"Cannot open file " + path};
        return right ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadFileBytes(path), "keep");
    EXPECT_EQ(EntriesIn(folder), 1u);
}

}  // namespace
}  // namespace chainforge

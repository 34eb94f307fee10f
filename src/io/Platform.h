// Where the program meets the operating system: files, program arguments and
// the standard streams. Paths are UTF-8 bytes everywhere else in the program;
// only here do they become what the system takes (wide strings on Windows).
// Every file is binary: no byte is added, dropped or changed on the way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace chainforge {

// Told the bytes done and the bytes in all as a long read goes on; returns
// false to stop it.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Zero-filled memory of the program's own for a file's bytes, freed with the
// object. Bytes() is null when the memory cannot be had.
class CPrivateMemory {
  public:
    explicit CPrivateMemory(std::uint64_t size);
    ~CPrivateMemory();
    CPrivateMemory(const CPrivateMemory&) = delete;
    CPrivateMemory& operator=(const CPrivateMemory&) = delete;

    char* Bytes() const { return bytes_; }

  private:
    std::size_t length_ = 0;
    char* base_ = nullptr;
    char* bytes_ = nullptr;
};

struct FileContent {
    std::unique_ptr<CPrivateMemory> memory;
    std::uint64_t size = 0;
};

// A private copy of a whole regular file: later changes on disk do not reach
// it, and a file cut short while it is read gives what was there. Nothing
// when the file is missing, unreadable, not a regular file (a FIFO or device,
// which could block or never end, is not even waited for), too large for
// memory, or the read is stopped by progress.
std::optional<FileContent> ReadRegularFile(const std::string& path,
                                           const ReadProgress& progress = {});

enum class FileKind { Missing, Regular, Folder, Other };

struct FileStatus {
    FileKind kind = FileKind::Missing;
    bool writable = false;
    // Permission bits for a file that replaces this one (POSIX only).
    std::uint32_t mode = 0;
};

FileStatus StatusOf(const std::string& path);

// True when path names the system's null device (/dev/null, or NUL on
// Windows), which discards what is written to it.
bool IsNullDevice(const std::string& path);

// Writes some of the bytes: the count written, or -1 with errno set.
std::ptrdiff_t SystemWrite(int fd, const void* data, std::size_t size);

// Opens the null device for writing; -1 on failure. It never blocks, even if
// the name has become a FIFO since it was checked.
int OpenForWriting(const std::string& path);

// A new, empty file beside path (same folder) that only this call created,
// named ".cf" + 8 random hex digits + ".tmp" so that the name stays short
// whatever the length of path's own name; with the mode of existing when that
// is a regular file. On Windows it may be deleted while open.
struct TemporaryFile {
    int fd = -1;
    std::string path;
};
std::optional<TemporaryFile> CreateTemporaryBeside(const std::string& path,
                                                   const FileStatus& existing);

// Makes the file's bytes durable on the disk (fsync); false on failure.
bool SyncFile(int fd);

bool CloseFile(int fd);

// Moves from onto to, replacing a file there, in one step that leaves either
// the old or the new file under that name.
bool MoveReplacing(const std::string& from, const std::string& to);

// Makes a move into path's folder durable (fsync of the folder on POSIX; on
// Windows the move itself writes through). A folder the file system will not
// sync is left as it is: the file is in place already.
void SyncFolderOf(const std::string& path);

// Two resolved absolute paths name one place: the same text, on Windows
// without letter case.
bool SamePathName(const std::filesystem::path& first, const std::filesystem::path& second);

void RemoveFile(const std::string& path);

// The standard library's path for UTF-8 bytes, and back.
std::filesystem::path PathFromUtf8(const std::string& path);
std::string Utf8FromPath(const std::filesystem::path& path);

// The program's arguments (without its name) as UTF-8, whatever code page
// the system would hand them in.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Standard output and error pass their bytes unchanged, so that lines end as
// the program ends them, and a console shows UTF-8 names as written.
void UseBinaryStandardStreams();

// Whether standard error goes to a terminal (a console on Windows), where a
// line can be written over.
bool StandardErrorIsTerminal();

}  // namespace chainforge

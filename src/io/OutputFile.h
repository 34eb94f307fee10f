// Writing an output file so that a failure never leaves a half-written file:
// the bytes go to a temporary file beside the target, which replaces the
// target only after every write, the sync to the disk and the close
// succeeded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace chainforge {

// How a write of an output file ended. WriteOutputFile itself gives Written
// or Failed; the writers that first ask for a name also tell that there was
// nothing to write (no name asked) and that the name was not given.
enum class WriteStatus { Written, NothingToWrite, Cancelled, Failed };

struct [[nodiscard]] WriteResult {
    WriteStatus status = WriteStatus::Failed;
    // The file written or tried; empty when no name was given.
    std::string path{};
    // What the file holds once written; the null device keeps nothing: 0.
    std::uint64_t bytes = 0;
    // For Failed: the text that tells the user, shown by the caller.
    std::string message{};
};

// The system call that writes bytes (SystemWrite); tests put one in its place
// to make the disk fill up part-way.
using WriteFunction = std::ptrdiff_t (*)(int fd, const void* data, std::size_t size);

// Writes content to path. Failed, with its message, for a target that exists
// and is not a regular file (a folder, a FIFO, a device): "Cannot write to
// PATH: not a regular file", except the null device, which is written
// directly (and discards it); for a file that cannot be created (missing or
// read-only folder, a read-only file): "Cannot open file PATH"; and when a
// write, the sync, the close or the final rename fails: "Cannot write file
// PATH". On failure no temporary file is left and an existing file is
// untouched, and so on SIGINT, SIGTERM or SIGHUP (Ctrl+C or a closed console
// on Windows) during the write, which end the program as they would.
[[nodiscard]] WriteResult WriteOutputFile(const std::string& path, std::string_view content,
                                          WriteFunction write = nullptr);

// True when both names lead to one file: the same existing file (device and
// inode, or on Windows the file ID), or, for names not there yet, the same
// absolute path once "." and ".." and the links of its folders are resolved
// (on Windows without letter case).
bool SameFile(const std::string& first, const std::string& second);

}  // namespace chainforge

#include "io/OutputFile.h"

#include <cerrno>
#include <filesystem>
#include <optional>

#include "io/InterruptCleanup.h"
#include "io/Platform.h"

namespace chainforge {
namespace {

namespace fs = std::filesystem;

bool WriteAll(int fd, std::string_view content, WriteFunction write) {
    while (!content.empty()) {
        const std::ptrdiff_t written = write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

WriteResult OpenFailure(const std::string& path) {
    return {WriteStatus::Failed, path, 0, "Cannot open file " + path};
}

WriteResult WriteFailure(const std::string& path) {
    return {WriteStatus::Failed, path, 0, "Cannot write file " + path};
}

WriteResult NotRegular(const std::string& path) {
    return {WriteStatus::Failed, path, 0, "Cannot write to " + path + ": not a regular file"};
}

// The null device takes the bytes in place: there is nothing to replace, and
// nothing is kept.
WriteResult WriteDirectly(const std::string& path, std::string_view content, WriteFunction write) {
    const int fd = OpenForWriting(path);
    if (fd < 0) {
        return OpenFailure(path);
    }
    const bool written = WriteAll(fd, content, write);
    const bool closed = CloseFile(fd);
    return written && closed ? WriteResult{WriteStatus::Written, path, 0, {}} : WriteFailure(path);
}

// A temporary file beside path, recorded for removal on an interruption.
struct GuardedTemporary {
    TemporaryFile file;
    int slot = -1;
};

std::optional<GuardedTemporary> CreateGuardedTemporary(const std::string& path,
                                                       const FileStatus& existing) {
    InstallInterruptCleanup();
    const CInterruptsHeld held;
    auto file = CreateTemporaryBeside(path, existing);
    if (!file) {
        return std::nullopt;
    }
    const int slot = ArmCleanup(file->path);
    return GuardedTemporary{std::move(*file), slot};
}

// Moves the written temporary file onto path, or removes it when it is not
// complete; either way it is no longer guarded. False when it is not in place.
bool PutInPlace(const GuardedTemporary& temporary, const std::string& path, bool complete) {
    const CInterruptsHeld held;
    const bool moved = complete && MoveReplacing(temporary.file.path, path);
    if (!moved) {
        RemoveFile(temporary.file.path);
    }
    DisarmCleanup(temporary.slot);
    return moved;
}

WriteResult WriteReplacing(const std::string& path, const FileStatus& existing,
                           std::string_view content, WriteFunction write) {
    const auto temporary = CreateGuardedTemporary(path, existing);
    if (!temporary) {
        return OpenFailure(path);
    }
    const int fd = temporary->file.fd;
    bool complete = WriteAll(fd, content, write);
    complete = complete && SyncFile(fd);
    complete = CloseFile(fd) && complete;
    if (!PutInPlace(*temporary, path, complete)) {
        return WriteFailure(path);
    }
    SyncFolderOf(path);
    return {WriteStatus::Written, path, content.size(), {}};
}

// The absolute path with "." and ".." resolved, and the links of the part
// that exists; nothing when the current folder cannot be had.
std::optional<fs::path> ResolvedPath(const std::string& name) {
    std::error_code error;
    const fs::path absolute = fs::absolute(PathFromUtf8(name), error);
    if (error) {
        return std::nullopt;
    }
    fs::path resolved = fs::weakly_canonical(absolute, error);
    if (error) {
        return std::nullopt;
    }
    return resolved;
}

}  // namespace

WriteResult WriteOutputFile(const std::string& path, std::string_view content,
                            WriteFunction write) {
    if (write == nullptr) {
        write = &SystemWrite;
    }
    if (IsNullDevice(path)) {
        return WriteDirectly(path, content, write);
    }
    const FileStatus existing = StatusOf(path);
    if (existing.kind == FileKind::Folder || existing.kind == FileKind::Other) {
        return NotRegular(path);
    }
    if (existing.kind == FileKind::Regular && !existing.writable) {
        return OpenFailure(path);
    }
    return WriteReplacing(path, existing, content, write);
}

bool SameFile(const std::string& first, const std::string& second) {
    std::error_code error;
    if (fs::equivalent(PathFromUtf8(first), PathFromUtf8(second), error) && !error) {
        return true;
    }
    const auto a = ResolvedPath(first);
    const auto b = ResolvedPath(second);
    return a && b && SamePathName(*a, *b);
}

}  // namespace chainforge

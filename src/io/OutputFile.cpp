#include "io/OutputFile.h"

#include <cerrno>
#include <filesystem>

#include "io/Platform.h"

namespace chainforge {
namespace {

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

int ReportOpenFailure(UserInterface& ui, const std::string& path) {
    ui.ShowMessage("Cannot open file " + path);
    return 0;
}

int ReportWriteFailure(UserInterface& ui, const std::string& path) {
    ui.ShowMessage("Cannot write file " + path);
    return 0;
}

int WriteDirectly(UserInterface& ui, const std::string& path, std::string_view content,
                  WriteFunction write) {
    const int fd = OpenForWriting(path);
    if (fd < 0) {
        return ReportOpenFailure(ui, path);
    }
    const bool written = WriteAll(fd, content, write);
    const bool closed = CloseFile(fd);
    return written && closed ? 1 : ReportWriteFailure(ui, path);
}

}  // namespace

int WriteOutputFile(UserInterface& ui, const std::string& path, std::string_view content,
                    WriteFunction write) {
    if (write == nullptr) {
        write = &SystemWrite;
    }
    const FileStatus existing = StatusOf(path);
    if (existing.kind == FileKind::Folder ||
        (existing.kind == FileKind::Regular && !existing.writable)) {
        return ReportOpenFailure(ui, path);
    }
    if (existing.kind == FileKind::Other) {
        return WriteDirectly(ui, path, content, write);
    }
    const auto temporary = CreateTemporaryBeside(path, existing);
    if (!temporary) {
        return ReportOpenFailure(ui, path);
    }
    bool ok = WriteAll(temporary->fd, content, write);
    ok = CloseFile(temporary->fd) && ok;
    ok = ok && MoveReplacing(temporary->path, path);
    if (!ok) {
        RemoveFile(temporary->path);
        return ReportWriteFailure(ui, path);
    }
    return 1;
}

bool SameFile(const std::string& first, const std::string& second) {
    std::error_code error;
    const auto a = std::filesystem::weakly_canonical(PathFromUtf8(first), error);
    if (!error) {
        const auto b = std::filesystem::weakly_canonical(PathFromUtf8(second), error);
        if (!error && a == b) {
            return true;
        }
    }
    return std::filesystem::equivalent(PathFromUtf8(first), PathFromUtf8(second), error) && !error;
}

}  // namespace chainforge

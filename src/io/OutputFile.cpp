#include "io/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>
#include <vector>

namespace chainforge {
namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

bool WriteAll(int fd, std::string_view content, WriteFunction write) {
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
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

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
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
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return ReportOpenFailure(ui, path);
    }
    const bool written = WriteAll(fd, content, write);
    const bool closed = ::close(fd) == 0;
    return written && closed ? 1 : ReportWriteFailure(ui, path);
}

std::string TemporaryTemplate(const std::string& path) {
    const std::filesystem::path target(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string name = ".";
    name.append(target.filename().string());
    name.append(".tmp-XXXXXX");
    return (folder / name).string();
}

}  // namespace

int WriteOutputFile(UserInterface& ui, const std::string& path, std::string_view content,
                    WriteFunction write) {
    if (write == nullptr) {
        write = &::write;
    }
    mode_t mode = NewFileMode();
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode) ||
            (S_ISREG(existing.st_mode) && (existing.st_mode & kAnyWriteBit) == 0)) {
            return ReportOpenFailure(ui, path);
        }
        if (!S_ISREG(existing.st_mode)) {
            return WriteDirectly(ui, path, content, write);
        }
        mode = existing.st_mode & 07777;
    }
    std::string temporary = TemporaryTemplate(path);
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return ReportOpenFailure(ui, path);
    }
    temporary.assign(name.data());
    bool ok = ::fchmod(fd, mode) == 0;
    ok = ok && WriteAll(fd, content, write);
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return ReportWriteFailure(ui, path);
    }
    return 1;
}

bool SameFile(const std::string& first, const std::string& second) {
    std::error_code error;
    const auto a = std::filesystem::weakly_canonical(first, error);
    if (!error) {
        const auto b = std::filesystem::weakly_canonical(second, error);
        if (!error && a == b) {
            return true;
        }
    }
    return std::filesystem::equivalent(first, second, error) && !error;
}

}  // namespace chainforge

#include "io/Platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <random>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#include <cstdio>
#include <cstdlib>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace chainforge {
namespace {

constexpr std::size_t kReadChunk = std::size_t{64} << 20;

// Where the file name begins: after the last folder separator.
std::size_t FileNameStart(const std::string& path) {
#ifdef _WIN32
    const std::size_t separator = path.find_last_of("/\\:");
#else
    const std::size_t separator = path.rfind('/');
#endif
    return separator == std::string::npos ? 0 : separator + 1;
}

// "FOLDER/.cfHHHHHHHH.tmp" for FOLDER/NAME, the digits those of value: a short
// name hidden beside the target, so that the final move stays within one file
// system and a target name of any valid length leaves room for it.
std::string TemporaryName(const std::string& path, std::uint32_t value) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = path.substr(0, FileNameStart(path)) + ".cf";
    for (int shift = 28; shift >= 0; shift -= 4) {
        name.push_back(kHex[(value >> shift) & 0xFu]);
    }
    return name + ".tmp";
}

constexpr int kTemporaryAttempts = 100;

#ifdef _WIN32

std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8(const wchar_t* wide) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
    text.pop_back();
    return text;
}

int OpenForReading(const std::string& path) {
    return ::_wopen(Wide(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

// The size of fd when it is a regular file. Windows has no FIFOs among files,
// and opening a device does not block.
std::optional<std::uint64_t> RegularFileSize(int fd) {
    struct _stat64 info {};
    if (::_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG || info.st_size < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::ptrdiff_t ReadAt(int fd, char* bytes, std::size_t count, std::uint64_t offset) {
    if (::_lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0) {
        return -1;
    }
    return ::_read(fd, bytes, static_cast<unsigned>(count));
}

// NTFS holes are rare and reading them costs little: all is data.
bool NextData(int, std::uint64_t position, std::uint64_t expected, std::uint64_t& from,
              std::uint64_t& to) {
    from = position;
    to = expected;
    return true;
}

UINT consoleOutputPage = 0;

void RestoreConsolePage() {
    ::SetConsoleOutputCP(consoleOutputPage);
}

#else

int OpenForReading(const std::string& path) {
    // A FIFO or device must not block the open.
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

std::optional<std::uint64_t> RegularFileSize(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::ptrdiff_t ReadAt(int fd, char* bytes, std::size_t count, std::uint64_t offset) {
    return ::pread(fd, bytes, count, static_cast<off_t>(offset));
}

// The next stretch of data at or after position, up to expected. Holes of a
// sparse file are not read: they are zeros already, and fresh memory that is
// never written costs nothing. False when only a hole remains.
bool NextData(int fd, std::uint64_t position, std::uint64_t expected, std::uint64_t& from,
              std::uint64_t& to) {
    from = position;
    to = expected;
#ifdef SEEK_DATA
    const off_t data = ::lseek(fd, static_cast<off_t>(position), SEEK_DATA);
    if (data < 0) {
        return errno != ENXIO;  // ENXIO: a hole up to the end; else holes are unknown
    }
    const off_t hole = ::lseek(fd, data, SEEK_HOLE);
    from = static_cast<std::uint64_t>(data);
    to = hole <= data ? expected : std::min(static_cast<std::uint64_t>(hole), expected);
#else
    (void)fd;
#endif
    return from < expected;
}

#endif

// Reads [from, to) of the file; returns the bytes read, fewer when the file
// ends early, or nothing on a read error.
std::optional<std::uint64_t> ReadRange(int fd, char* bytes, std::uint64_t from, std::uint64_t to,
                                       std::uint64_t expected, const ReadProgress& progress) {
    std::uint64_t done = 0;
    while (from + done < to) {
        if (progress && !progress(from + done, expected)) {
            return std::nullopt;
        }
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kReadChunk, to - from - done));
        const std::ptrdiff_t n = ReadAt(fd, bytes + from + done, want, from + done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::uint64_t>(n);
    }
    return done;
}

// Reads the file into bytes, which are zero to begin with. Returns the size,
// or nothing on a read error.
std::optional<std::uint64_t> ReadWholeFile(int fd, char* bytes, std::uint64_t expected,
                                           const ReadProgress& progress) {
    std::uint64_t position = 0;
    std::uint64_t from = 0;
    std::uint64_t to = 0;
    while (position < expected && NextData(fd, position, expected, from, to)) {
        const auto got = ReadRange(fd, bytes, from, to, expected, progress);
        if (!got) {
            return std::nullopt;
        }
        if (*got < to - from) {
            return from + *got;  // the file became shorter while it was read
        }
        position = to;
    }
    return expected;
}

}  // namespace

#ifdef _WIN32

// Committed pages are zero and cost nothing until touched.
CPrivateMemory::CPrivateMemory(std::uint64_t size) {
    if (size > SIZE_MAX - 1) {
        return;
    }
    length_ = std::max<std::size_t>(static_cast<std::size_t>(size), 1);
    base_ = static_cast<char*>(
        ::VirtualAlloc(nullptr, length_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    bytes_ = base_;
}

CPrivateMemory::~CPrivateMemory() {
    if (base_ != nullptr) {
        ::VirtualFree(base_, 0, MEM_RELEASE);
    }
}

FileStatus StatusOf(const std::string& path) {
    struct _stat64 info {};
    if (::_wstat64(Wide(path).c_str(), &info) != 0) {
        return {};
    }
    const auto type = info.st_mode & _S_IFMT;
    const FileKind kind = type == _S_IFREG   ? FileKind::Regular
                          : type == _S_IFDIR ? FileKind::Folder
                                             : FileKind::Other;
    return {kind, (info.st_mode & _S_IWRITE) != 0, 0};
}

std::ptrdiff_t SystemWrite(int fd, const void* data, std::size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

// NUL, in any folder and letter case, with or without an extension.
bool IsNullDevice(const std::string& path) {
    const std::wstring stem = std::filesystem::path(Wide(path)).stem().native();
    return ::CompareStringOrdinal(stem.c_str(), -1, L"NUL", -1, TRUE) == CSTR_EQUAL;
}

int OpenForWriting(const std::string& path) {
    return ::_wopen(Wide(path).c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY | _O_NOINHERIT);
}

// Opened with FILE_SHARE_DELETE, so that an interrupted program can delete it
// while it is still open.
std::optional<TemporaryFile> CreateTemporaryBeside(const std::string& path, const FileStatus&) {
    std::random_device random;
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        std::string name = TemporaryName(path, static_cast<std::uint32_t>(random()));
        const std::wstring wide = Wide(name);
        const HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (::GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            break;
        }
        const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_BINARY);
        if (fd < 0) {
            ::CloseHandle(handle);
            ::DeleteFileW(wide.c_str());
            break;
        }
        return TemporaryFile{fd, std::move(name)};
    }
    return std::nullopt;
}

// _commit is FlushFileBuffers on the file's handle.
bool SyncFile(int fd) {
    return ::_commit(fd) == 0;
}

bool CloseFile(int fd) {
    return ::_close(fd) == 0;
}

// rename() never replaces an existing file on Windows.
bool MoveReplacing(const std::string& from, const std::string& to) {
    return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFile(const std::string& path) {
    ::_wunlink(Wide(path).c_str());
}

// MoveFileExW with MOVEFILE_WRITE_THROUGH returns only once the move is on
// the disk.
void SyncFolderOf(const std::string&) {}

bool SamePathName(const std::filesystem::path& first, const std::filesystem::path& second) {
    std::filesystem::path a = first;
    std::filesystem::path b = second;
    a.make_preferred();
    b.make_preferred();
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// A path built from narrow text would take it in the ANSI code page.
std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(Wide(path));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return Utf8(path.c_str());
}

// main's argv holds the arguments in the ANSI code page, losing what it
// cannot show: the wide command line holds them all.
std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        args.push_back(Utf8(wide[i]));
    }
    ::LocalFree(wide);
    return args;
}

bool StandardErrorIsTerminal() {
    return ::_isatty(_fileno(stderr)) != 0;
}

void UseBinaryStandardStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // The console's code page outlives the program: it is given back at exit.
    consoleOutputPage = ::GetConsoleOutputCP();
    if (consoleOutputPage != 0 && consoleOutputPage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(&RestoreConsolePage);
    }
}

#else

CPrivateMemory::CPrivateMemory(std::uint64_t size) {
    // Huge pages keep the cost of first touching a gigabyte of fresh memory
    // low; the bytes start at a huge-page boundary within the region.
    constexpr std::size_t kHugePage = 2u << 20;
    if (size > SIZE_MAX - 2 * kHugePage) {
        return;
    }
    const std::size_t length = std::max<std::size_t>(static_cast<std::size_t>(size), 1) + kHugePage;
    void* region =
        ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) {
        return;
    }
    length_ = length;
    base_ = static_cast<char*>(region);
    const auto address = reinterpret_cast<std::uintptr_t>(base_);
    const std::uintptr_t aligned = (address + kHugePage - 1) & ~(std::uintptr_t{kHugePage} - 1);
    bytes_ = base_ + (aligned - address);
#ifdef MADV_HUGEPAGE
    ::madvise(bytes_, length_ - (aligned - address), MADV_HUGEPAGE);
#endif
}

CPrivateMemory::~CPrivateMemory() {
    if (base_ != nullptr) {
        ::munmap(base_, length_);
    }
}

FileStatus StatusOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    const FileKind kind = S_ISREG(info.st_mode) ? FileKind::Regular
                          : S_ISDIR(info.st_mode) ? FileKind::Folder
                                                  : FileKind::Other;
    const bool writable = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return {kind, writable, static_cast<std::uint32_t>(info.st_mode & 07777)};
}

std::ptrdiff_t SystemWrite(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

// A character device with the null device's device number, under any name.
bool IsNullDevice(const std::string& path) {
    struct stat info {};
    struct stat null {};
    return ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode) &&
           ::stat("/dev/null", &null) == 0 && info.st_rdev == null.st_rdev;
}

int OpenForWriting(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
}

namespace {

// Gives the new file fd what the umask allows, or a replaced file's mode.
std::optional<TemporaryFile> WithMode(int fd, std::string name, const FileStatus& existing) {
    mode_t mode = static_cast<mode_t>(existing.mode);
    if (existing.kind != FileKind::Regular) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = static_cast<mode_t>(0666 & ~mask);
    }
    if (::fchmod(fd, mode) != 0) {
        ::close(fd);
        ::unlink(name.c_str());
        return std::nullopt;
    }
    return TemporaryFile{fd, std::move(name)};
}

}  // namespace

std::optional<TemporaryFile> CreateTemporaryBeside(const std::string& path,
                                                   const FileStatus& existing) {
    std::random_device random;
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        std::string name = TemporaryName(path, static_cast<std::uint32_t>(random()));
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            return WithMode(fd, std::move(name), existing);
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return std::nullopt;
}

bool SyncFile(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool CloseFile(int fd) {
    return ::close(fd) == 0;
}

bool MoveReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

void SyncFolderOf(const std::string& path) {
    const std::size_t name = FileNameStart(path);
    const std::string folder = name == 0 ? std::string(".") : path.substr(0, name);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        SyncFile(fd);
        ::close(fd);
    }
}

bool SamePathName(const std::filesystem::path& first, const std::filesystem::path& second) {
    return first == second;
}

std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(path);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.string();
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

void UseBinaryStandardStreams() {}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

#endif

std::optional<FileContent> ReadRegularFile(const std::string& path, const ReadProgress& progress) {
    const int fd = OpenForReading(path);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<FileContent> content;
    if (const auto expected = RegularFileSize(fd)) {
        auto memory = std::make_unique<CPrivateMemory>(*expected);
        if (memory->Bytes() != nullptr) {
            if (const auto got = ReadWholeFile(fd, memory->Bytes(), *expected, progress)) {
                content = FileContent{std::move(memory), *got};
            }
        }
    }
    CloseFile(fd);
    return content;
}

}  // namespace chainforge

#include "landxml/DocumentBuffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "landxml/TextPatterns.h"

namespace chainforge {

// Anonymous memory for the file's bytes. Huge pages keep the cost of first
// touching a gigabyte of fresh memory low; the copy is private, so a file
// rewritten or cut short on disk cannot disturb it.
struct CDocumentBuffer::Storage {
    static constexpr std::size_t kHugePage = 2u << 20;

    explicit Storage(std::size_t size) : length(std::max<std::size_t>(size, 1) + kHugePage) {
        void* region =
            ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (region == MAP_FAILED) {
            length = 0;
            return;
        }
        base = static_cast<char*>(region);
        const auto address = reinterpret_cast<std::uintptr_t>(base);
        const std::uintptr_t aligned = (address + kHugePage - 1) & ~(std::uintptr_t{kHugePage} - 1);
        bytes = base + (aligned - address);
        ::madvise(bytes, length - (aligned - address), MADV_HUGEPAGE);
    }
    ~Storage() {
        if (base != nullptr) {
            ::munmap(base, length);
        }
    }
    Storage(const Storage&) = delete;
    Storage& operator=(const Storage&) = delete;

    std::size_t length;
    char* base = nullptr;
    char* bytes = nullptr;
};

namespace {

constexpr std::size_t kReadChunk = std::size_t{64} << 20;

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Appends [first, last) to out without "<" and zero bytes.
void AppendWithoutMarkup(std::string& out, const char* first, const char* last) {
    while (first < last) {
        const char* stop = first;
        while (stop < last && *stop != '<' && *stop != '\0') {
            ++stop;
        }
        out.append(first, stop);
        first = stop + 1;
    }
}

// Comments are no part of the data: "<!--" through the next "-->" is passed
// over as if absent; one that never closes runs to the end.
constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";

bool IsCommentAt(const char* p, const char* end) {
    return static_cast<std::size_t>(end - p) >= kCommentOpen.size() &&
           std::memcmp(p, kCommentOpen.data(), kCommentOpen.size()) == 0;
}

const char* AfterComment(const char* p, const char* end) {
    const std::string_view rest(p + kCommentOpen.size(),
                                static_cast<std::size_t>(end - p) - kCommentOpen.size());
    const std::size_t close = rest.find(kCommentClose);
    return close == std::string_view::npos ? end : rest.data() + close + kCommentClose.size();
}

// The first "<" at or after p that does not open a comment, or nullptr.
const char* NextMarkup(const char* p, const char* end) {
    for (;;) {
        const auto* open =
            static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(end - p)));
        if (open == nullptr || !IsCommentAt(open, end)) {
            return open;
        }
        p = AfterComment(open, end);
    }
}

// The line end at or after p, comments passed over (their line breaks end
// nothing); end when there is none. hasComment tells whether one was met.
const char* LineEndAfter(const char* p, const char* end, bool& hasComment) {
    while (p < end && !IsLineEnd(*p)) {
        if (*p == '<' && IsCommentAt(p, end)) {
            hasComment = true;
            p = AfterComment(p, end);
        } else {
            ++p;
        }
    }
    return p;
}

// [first, last) with the comments left out.
std::string WithoutComments(const char* first, const char* last) {
    std::string out;
    while (first < last) {
        const char* open = first;
        while (open < last && !(*open == '<' && IsCommentAt(open, last))) {
            ++open;
        }
        out.append(first, open);
        first = open < last ? AfterComment(open, last) : last;
    }
    return out;
}

// AppendWithoutMarkup for a range that may hold comments.
void AppendText(std::string& out, const char* first, const char* last, bool hasComment) {
    if (!hasComment) {
        AppendWithoutMarkup(out, first, last);
        return;
    }
    const std::string text = WithoutComments(first, last);
    AppendWithoutMarkup(out, text.data(), text.data() + text.size());
}

bool IsBlankOrBreak(char c) {
    return c == ' ' || c == '\t' || IsLineEnd(c);
}

// As AppendWithoutMarkup, with every line break and the blanks and tabs
// around it turned into one blank.
void AppendFoldingBreaks(std::string& out, const char* first, const char* last) {
    while (first < last) {
        if (!IsBlankOrBreak(*first)) {
            if (*first != '<' && *first != '\0') {
                out.push_back(*first);
            }
            ++first;
            continue;
        }
        const char* run = first;
        bool hasBreak = false;
        while (first < last && IsBlankOrBreak(*first)) {
            hasBreak = hasBreak || IsLineEnd(*first);
            ++first;
        }
        if (hasBreak) {
            out.push_back(' ');
        } else {
            out.append(run, first);
        }
    }
}

// Reads [from, to) of the file; returns the bytes read, fewer when the file
// ends early, or nothing on a read error.
std::optional<std::uint64_t> ReadRange(int fd, char* bytes, std::uint64_t from, std::uint64_t to,
                                       std::uint64_t expected, const LoadProgress& progress) {
    std::uint64_t done = 0;
    while (from + done < to) {
        if (progress && !progress(from + done, expected)) {
            return std::nullopt;
        }
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kReadChunk, to - from - done));
        const ssize_t n = ::pread(fd, bytes + from + done, want, static_cast<off_t>(from + done));
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

// Reads the file into bytes, which are zero to begin with. Holes of a sparse
// file are not read: they are zeros already, and fresh memory that is never
// written costs nothing. Returns the size, or nothing on a read error.
std::optional<std::uint64_t> ReadWholeFile(int fd, char* bytes, std::uint64_t expected,
                                           const LoadProgress& progress) {
    std::uint64_t position = 0;
    while (position < expected) {
        off_t data = ::lseek(fd, static_cast<off_t>(position), SEEK_DATA);
        off_t hole = static_cast<off_t>(expected);
        if (data < 0 && errno == ENXIO) {
            break;  // a hole up to the end
        }
        if (data < 0) {
            data = static_cast<off_t>(position);  // the file system cannot tell holes
        } else {
            hole = std::min<off_t>(::lseek(fd, data, SEEK_HOLE), static_cast<off_t>(expected));
            hole = hole <= data ? static_cast<off_t>(expected) : hole;
        }
        const auto from = static_cast<std::uint64_t>(data);
        const auto to = static_cast<std::uint64_t>(hole);
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

std::size_t NextMarkup(std::string_view bytes, std::size_t from) {
    if (from >= bytes.size()) {
        return std::string_view::npos;
    }
    const char* const end = bytes.data() + bytes.size();
    const char* const open = NextMarkup(bytes.data() + from, end);
    return open == nullptr ? std::string_view::npos : static_cast<std::size_t>(open - bytes.data());
}

CDocumentBuffer::CDocumentBuffer() = default;
CDocumentBuffer::~CDocumentBuffer() = default;

int CDocumentBuffer::Open(const std::string& path, const LoadProgress& progress) {
    // A FIFO or device must not block the open; only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return 1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return 1;
    }
    const auto expected = static_cast<std::uint64_t>(info.st_size);
    if (expected > SIZE_MAX - 2 * Storage::kHugePage) {
        ::close(fd);
        return 1;
    }
    auto storage = std::make_unique<Storage>(static_cast<std::size_t>(expected));
    if (storage->bytes == nullptr) {
        ::close(fd);
        return 1;
    }
    const auto got = ReadWholeFile(fd, storage->bytes, expected, progress);
    if (!got) {
        ::close(fd);
        return 1;
    }
    ::close(fd);
    Adopt(std::move(storage), *got);
    return 0;
}

void CDocumentBuffer::Close() {
    Adopt(nullptr, 0);
}

void CDocumentBuffer::Assign(std::string_view bytes) {
    auto storage = std::make_unique<Storage>(bytes.size());
    if (storage->bytes == nullptr) {
        return;
    }
    if (!bytes.empty()) {
        std::memcpy(storage->bytes, bytes.data(), bytes.size());
    }
    Adopt(std::move(storage), bytes.size());
}

// Takes the storage as the content; nothing is loaded without one.
void CDocumentBuffer::Adopt(std::unique_ptr<Storage> storage, std::uint64_t size) {
    storage_ = std::move(storage);
    data_ = storage_ ? storage_->bytes : nullptr;
    size_ = size;
    position_ = 0;
    loaded_ = storage_ != nullptr;
    haveLine_ = false;
    unfinished_ = {};
    closingSearched_ = false;
    openingSearched_ = false;
}

void CDocumentBuffer::Seek(std::uint64_t position) {
    if (position <= size_) {
        position_ = position;
    }
}

bool CDocumentBuffer::ReadTag(std::string& lineBuffer) {
    if (position_ >= size_) {
        return false;
    }
    const char* begin = data_ + position_;
    const char* const end = data_ + size_;
    const char* open = nullptr;
    for (;;) {
        open = data_ + NextOpening(static_cast<std::uint64_t>(begin - data_));
        const auto* early = static_cast<const char*>(
            std::memchr(begin, '>', static_cast<std::size_t>(open - begin)));
        if (early != nullptr) {
            // A ">" before any "<" closes an empty tag.
            position_ = static_cast<std::uint64_t>(early + 1 - data_);
            lineBuffer.clear();
            return true;
        }
        if (open == end) {
            position_ = size_;
            return false;
        }
        if (!IsCommentAt(open, end)) {
            break;
        }
        begin = AfterComment(open, end);
    }
    const auto* close =
        static_cast<const char*>(std::memchr(open, '>', static_cast<std::size_t>(end - open)));
    if (close == nullptr) {
        position_ = size_;
        return false;
    }
    position_ = static_cast<std::uint64_t>(close + 1 - data_);
    const std::size_t length = static_cast<std::size_t>(close + 1 - open);
    if (std::memchr(open, '\0', length) == nullptr) {
        lineBuffer.assign(open, length);
    } else {
        lineBuffer.clear();
        for (const char* p = open; p <= close; ++p) {
            if (*p != '\0') {
                lineBuffer.push_back(*p);
            }
        }
    }
    return true;
}

void CDocumentBuffer::SkipToTag(std::string_view prefix, std::string_view otherPrefix) {
    const char* const end = data_ + size_;
    const char* p = data_ + position_;
    // The byte after "<" rules out nearly every tag before a full comparison.
    const auto second = [](std::string_view tag) { return tag.size() > 1 ? tag[1] : '\0'; };
    const char first = ToUpperAscii(second(prefix));
    const char other = ToUpperAscii(second(otherPrefix));
    while ((p = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(end - p)))) !=
           nullptr) {
        const char next = p + 1 < end ? ToUpperAscii(p[1]) : '\0';
        if (next == '!' && IsCommentAt(p, end)) {
            p = AfterComment(p, end);
            continue;
        }
        const std::string_view rest(p, static_cast<std::size_t>(end - p));
        if ((next == first && StartsWithNoCase(rest, prefix)) ||
            (next == other && !otherPrefix.empty() && StartsWithNoCase(rest, otherPrefix))) {
            position_ = static_cast<std::uint64_t>(p - data_);
            return;
        }
        ++p;
    }
    position_ = size_;
}

bool CDocumentBuffer::ReadLine(std::string& text) {
    haveLine_ = false;
    unfinished_ = {};
    if (position_ >= size_) {
        return false;
    }
    const char* const end = data_ + size_;
    const char* const open = NextMarkup(data_ + position_, end);
    if (open == nullptr) {
        position_ = size_;
        return false;
    }
    bool hasComment = false;
    const char* const stop = LineEndAfter(open + 1, end, hasComment);
    if (stop == end) {
        unfinished_ = std::string_view(open, static_cast<std::size_t>(end - open));
        position_ = size_;
        return false;
    }
    // The line end was found, so the caller's text may be replaced now; its
    // storage is reused from line to line.
    text.clear();
    AppendText(text, open + 1, stop, hasComment);
    position_ = static_cast<std::uint64_t>(stop + 1 - data_);
    lineStart_ = static_cast<std::uint64_t>(open - data_);
    lineEnd_ = static_cast<std::uint64_t>(stop - data_);
    haveLine_ = true;
    return true;
}

bool CDocumentBuffer::EndedInside(std::string_view element) const {
    return FindNoCase(unfinished_, "</" + std::string(element)) == std::string_view::npos;
}

void CDocumentBuffer::ReadLineInto(std::string& lineBuffer) {
    std::string fresh;
    ReadLine(fresh);
    lineBuffer = std::move(fresh);
}

std::uint64_t CDocumentBuffer::NextOpening(std::uint64_t from) {
    const bool known = openingSearched_ && openingSearchedFrom_ <= from && from <= nextOpening_;
    if (!known) {
        const auto* open = static_cast<const char*>(
            std::memchr(data_ + from, '<', static_cast<std::size_t>(size_ - from)));
        nextOpening_ = open == nullptr ? size_ : static_cast<std::uint64_t>(open - data_);
        openingSearchedFrom_ = from;
        openingSearched_ = true;
    }
    return nextOpening_;
}

std::uint64_t CDocumentBuffer::NextClosingTag(std::uint64_t from) {
    const bool known = closingSearched_ && closingSearchedFrom_ <= from && from <= nextClosing_;
    if (!known) {
        const char* const end = data_ + size_;
        const char* open = NextMarkup(data_ + from, end);
        while (open != nullptr && !(open + 1 < end && open[1] == '/')) {
            open = NextMarkup(open + 1, end);
        }
        nextClosing_ = open == nullptr ? size_ : static_cast<std::uint64_t>(open - data_);
        closingSearchedFrom_ = from;
        closingSearched_ = true;
    }
    return nextClosing_;
}

std::string CDocumentBuffer::ContinueElement(std::string& line) {
    if (!haveLine_) {
        return {};
    }
    std::string_view raw(data_ + lineStart_, static_cast<std::size_t>(lineEnd_ - lineStart_));
    std::string stripped;
    if (raw.find(kCommentOpen) != std::string_view::npos) {
        stripped = WithoutComments(raw.data(), raw.data() + raw.size());
        raw = stripped;
    }
    const std::size_t tagEnd = raw.find('>');
    if (tagEnd == std::string_view::npos || (tagEnd > 0 && raw[tagEnd - 1] == '/') ||
        raw.find("</", tagEnd) != std::string_view::npos) {
        return {};
    }
    const std::uint64_t closing = NextClosingTag(lineEnd_);
    if (closing >= size_) {
        return {};
    }
    // The break with the blanks and tabs on both sides of it is one blank.
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        line.pop_back();
    }
    const std::string_view rest(data_ + lineEnd_, static_cast<std::size_t>(closing - lineEnd_));
    if (rest.find(kCommentOpen) == std::string_view::npos) {
        AppendFoldingBreaks(line, rest.data(), rest.data() + rest.size());
    } else {
        const std::string text = WithoutComments(rest.data(), rest.data() + rest.size());
        AppendFoldingBreaks(line, text.data(), text.data() + text.size());
    }
    bool hasComment = false;
    const char* const stop = LineEndAfter(data_ + closing, data_ + size_, hasComment);
    std::string closingLine;
    AppendText(closingLine, data_ + closing + 1, stop, hasComment);
    position_ = std::min<std::uint64_t>(static_cast<std::uint64_t>(stop - data_) + 1, size_);
    haveLine_ = false;
    return closingLine;
}

}  // namespace chainforge

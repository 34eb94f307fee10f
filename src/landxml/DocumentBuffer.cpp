#include "landxml/DocumentBuffer.h"

#include <algorithm>
#include <cstring>

#include "io/Platform.h"
#include "landxml/TagLines.h"
#include "landxml/TextEncoding.h"
#include "landxml/TextPatterns.h"

namespace chainforge {
namespace {

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

OpenResult CDocumentBuffer::Open(const std::string& path, const LoadProgress& progress) {
    auto content = ReadRegularFile(path, progress);
    if (!content) {
        return {OpenStatus::CannotOpen, "Cannot open file " + path};
    }
    Adopt(std::move(content->memory), content->size);
    if (const auto utf8 = Utf8FromUtf16File(Bytes())) {
        Assign(*utf8);
    } else {
        PutTagsOnLines();
    }
    return {.status = OpenStatus::Opened};
}

void CDocumentBuffer::Close() {
    Adopt(nullptr, 0);
}

void CDocumentBuffer::Assign(std::string_view bytes) {
    if (const auto utf8 = Utf8FromUtf16File(bytes)) {
        Assign(*utf8);
        return;
    }
    auto storage = std::make_unique<CPrivateMemory>(bytes.size());
    if (storage->Bytes() == nullptr) {
        return;
    }
    if (!bytes.empty()) {
        std::memcpy(storage->Bytes(), bytes.data(), bytes.size());
    }
    Adopt(std::move(storage), bytes.size());
    PutTagsOnLines();
}

// The one copy of the content this makes is made only for a file that needs
// it; without the memory for it the content stays as it is.
void CDocumentBuffer::PutTagsOnLines() {
    const std::uint64_t breaks = MissingTagLineBreaks(Bytes());
    if (breaks == 0) {
        return;
    }
    auto storage = std::make_unique<CPrivateMemory>(size_ + breaks);
    if (storage->Bytes() == nullptr) {
        return;
    }
    CopyWithTagLines(Bytes(), storage->Bytes());
    Adopt(std::move(storage), size_ + breaks);
}

// Takes the storage as the content; nothing is loaded without one.
void CDocumentBuffer::Adopt(std::unique_ptr<CPrivateMemory> storage, std::uint64_t size) {
    storage_ = std::move(storage);
    data_ = storage_ ? storage_->Bytes() : nullptr;
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

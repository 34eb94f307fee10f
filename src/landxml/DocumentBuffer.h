// The LandXML file held in memory as bytes, with the two readers that walk it:
// ReadTag for the load scan and ReadLine for the section readers. To every
// reader a comment, "<!--" through the next "-->", is as if absent. What Open
// and Assign take in is held with every tag that followed another on its line
// moved to a line of its own (TagLines.h), so that the line readers see the
// same lines whatever the white space between tags; positions, and the line
// numbers of messages, are those of the text so held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace chainforge {

class CPrivateMemory;

enum class OpenStatus { Opened, CannotOpen };

struct [[nodiscard]] OpenResult {
    OpenStatus status = OpenStatus::CannotOpen;
    // For CannotOpen: "Cannot open file PATH", for the caller to show.
    std::string message{};
};

// Told the bytes done and the bytes in all as a long load or scan goes on;
// returns false to stop it.
using LoadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Position of the first "<" at or after from that opens no comment, comments
// passed over; npos when there is none.
std::size_t NextMarkup(std::string_view bytes, std::size_t from);

class CDocumentBuffer {
  public:
    CDocumentBuffer();
    ~CDocumentBuffer();
    CDocumentBuffer(const CDocumentBuffer&) = delete;
    CDocumentBuffer& operator=(const CDocumentBuffer&) = delete;

    // Loads the whole file as a private copy: later changes to the file on
    // disk do not reach the buffer. CannotOpen when the file cannot be
    // opened or read (missing, unreadable, a folder, too large for memory);
    // on failure the buffer keeps what it held. Stopped by progress, it
    // fails the same way. A UTF-16 file is held as its UTF-8 form.
    [[nodiscard]] OpenResult Open(const std::string& path, const LoadProgress& progress = {});

    // Frees the content: nothing is loaded afterwards.
    void Close();

    // Replaces the content with the given bytes, as Open does with a file.
    void Assign(std::string_view bytes);

    // Sets the read position; a position beyond the size is ignored.
    void Seek(std::uint64_t position);

    // Reads the next tag text, "<" through ">", into lineBuffer; bytes before
    // the "<" are passed over, zero bytes dropped. A ">" before any "<" gives
    // the empty text. Returns false, leaving lineBuffer as it was, when the
    // data ends before a tag is complete.
    bool ReadTag(std::string& lineBuffer);

    // Moves the position to the "<" of the next tag that begins with one of
    // the prefixes (letters compared without regard to ASCII case), comments
    // passed over; to the end when there is none. For a section whose other
    // tags do not matter: it looks at each "<" once, copying nothing.
    void SkipToTag(std::string_view prefix, std::string_view otherPrefix = {});

    // Reads the next line: the text after the next "<" up to the next carriage
    // return or line feed, every "<" and zero byte removed. Returns false,
    // leaving text as it was, when the data ends before the line does.
    bool ReadLine(std::string& text);

    // ReadLine into a fresh text that then replaces lineBuffer, so that the
    // end of the data gives the empty text.
    void ReadLineInto(std::string& lineBuffer);

    // For an element whose text goes on past the line just read: when that
    // line holds a whole opening tag that is not self-closing and no "</"
    // follows the tag on the line, appends everything up to the next "</"
    // ("<" and zero bytes dropped, each line break with the blanks and tabs
    // on both sides of it as one blank, trailing ones of the line included) and moves the position
    // past the closing tag's line end. Otherwise, and when no "</" follows at all, nothing changes.
    // Call it right after a ReadLine or ReadLineInto that returned a line.
    // Returns the closing tag's line as ReadLine would have read it, so that
    // a caller still sees a tag there that closes more than the element; the
    // empty text when the line was not continued.
    std::string ContinueElement(std::string& line);

    // After a ReadLine that met the end of the data: the raw text of the
    // unfinished last line from its "<", so that a reader can tell a file
    // cut off inside its element from one whose closing tag merely lacks a
    // line end. Empty when there was none.
    std::string_view UnfinishedLine() const { return unfinished_; }

    // True when the data ended (the last ReadLine returned false) before the
    // closing tag "</" + element (letter case ignored) was read.
    bool EndedInside(std::string_view element) const;

    bool IsLoaded() const { return loaded_; }
    bool AtEnd() const { return position_ >= size_; }
    std::uint64_t Size() const { return size_; }
    std::uint64_t Position() const { return position_; }
    std::string_view Bytes() const { return {data_, static_cast<std::size_t>(size_)}; }

  private:
    void Adopt(std::unique_ptr<CPrivateMemory> storage, std::uint64_t size);
    void PutTagsOnLines();
    // Position of the next "</" at or after from, or the size when none
    // follows. The answer is remembered, so that a reader going forward
    // through a file of unclosed elements searches the data once, not once
    // per element.
    std::uint64_t NextClosingTag(std::uint64_t from);
    // Position of the next "<" at or after from, or the size; remembered as
    // above, so that a long run of ">" in text is searched once.
    std::uint64_t NextOpening(std::uint64_t from);

    std::unique_ptr<CPrivateMemory> storage_;
    const char* data_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    bool loaded_ = false;
    // Raw extent of the last line read: its first "<" and its line end.
    std::uint64_t lineStart_ = 0;
    std::uint64_t lineEnd_ = 0;
    bool haveLine_ = false;
    std::string_view unfinished_;
    // The last search for "</": where it started and what it found.
    std::uint64_t closingSearchedFrom_ = 0;
    std::uint64_t nextClosing_ = 0;
    bool closingSearched_ = false;
    std::uint64_t openingSearchedFrom_ = 0;
    std::uint64_t nextOpening_ = 0;
    bool openingSearched_ = false;
};

}  // namespace chainforge

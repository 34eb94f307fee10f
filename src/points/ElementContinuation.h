// Elements whose text runs on past the line of their opening tag.
#pragma once

#include <cstdint>
#include <string>

#include "landxml/DocumentBuffer.h"

namespace chainforge {

// Continues elements for one reader as it moves forward through the
// document. It remembers where the next closing tag is, so that a file full
// of unclosed elements costs one pass rather than one pass per element.
class ElementContinuation {
  public:
    explicit ElementContinuation(CDocumentBuffer& document) : document_(document) {}

    // Continues the element of the line just read (see
    // CDocumentBuffer::ContinueElement). The closing tag that ends the text is
    // passed over with the rest of its line; that line, as the line reader
    // would have returned it, is handed back so that the caller can still see
    // a tag that closes more than the element (the group or the geometry).
    // Empty when the line was not continued.
    std::string Continue(std::string& line);

  private:
    bool ClosingTagFollows(std::uint64_t from);

    CDocumentBuffer& document_;
    std::uint64_t searchedFrom_ = 0;
    std::uint64_t nextClosing_ = 0;
    bool searched_ = false;
};

}  // namespace chainforge

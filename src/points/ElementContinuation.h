// Elements whose text runs on past the line of their opening tag.
#pragma once

#include <string>

#include "landxml/DocumentBuffer.h"

namespace chainforge {

// Continues the element of the line just read (see
// CDocumentBuffer::ContinueElement). The closing tag that ends the text is
// passed over with the rest of its line; that line, as the line reader would
// have returned it, is handed back so that the caller can still see a tag
// that closes more than the element (the group or the geometry). Empty when
// the line was not continued.
std::string ContinueElementText(CDocumentBuffer& document, std::string& line);

}  // namespace chainforge

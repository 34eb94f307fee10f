// What every reader of a loaded document reads with: the document, the
// catalogue its scan made and the user's interface for the messages. The
// run that owns all three builds one and hands it down; a reader keeps none
// of it after it returns.
#pragma once

#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

struct ReadContext {
    CDocumentBuffer& document;
    const CCatalogue& catalogue;
    CUserInterface& ui;
};

}  // namespace chainforge

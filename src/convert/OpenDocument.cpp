#include "convert/OpenDocument.h"

#include "landxml/DocumentScan.h"

namespace chainforge {
namespace {

// progress as given, remembering whether it asked to stop; none for none,
// so that a load without progress goes on as one.
LoadProgress Watched(const LoadProgress& progress, bool& stopped) {
    if (!progress) {
        return {};
    }
    return [&progress, &stopped](std::uint64_t done, std::uint64_t total) {
        const bool goOn = progress(done, total);
        stopped = stopped || !goOn;
        return goOn;
    };
}

}  // namespace

LoadResult OpenAndScan(const std::string& path, CDocumentBuffer& document, CCatalogue& catalogue,
                       CUserInterface& ui, const LoadProgress& progress) {
    bool stopped = false;
    const LoadProgress watched = Watched(progress, stopped);
    const OpenResult opened = document.Open(path, watched);
    if (stopped) {
        return {.status = LoadStatus::Stopped};
    }
    if (opened.status != OpenStatus::Opened) {
        return {LoadStatus::CannotOpen, opened.message};
    }
    ScanDocument(document, catalogue, ui, watched);
    if (stopped) {
        return {.status = LoadStatus::Stopped};
    }
    if (document.Size() == 0) {
        return {LoadStatus::Empty, "The file is empty"};
    }
    return {.status = LoadStatus::Loaded};
}

}  // namespace chainforge

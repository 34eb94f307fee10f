// Every profile and cross-section surface of the real sample files, read
// through the scripted user interface.
#include <gtest/gtest.h>

#include "app/ScriptedUserInterface.h"
#include "landxml/DocumentScan.h"
#include "profile/ProfileReader.h"
#include "support/TestSupport.h"
#include "xsection/CrossSectionReader.h"

namespace chainforge {
namespace {

bool HasNonFiniteText(const std::string& text) {
    return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

void ExpectFinite(const std::string& text, const std::string& where) {
    EXPECT_FALSE(HasNonFiniteText(text)) << where << ": " << text.substr(0, 200);
}

void ExpectFinite(const TemplateList& templates, const std::string& where) {
    for (const std::string& text : templates) {
        ExpectFinite(text, where);
    }
}

struct SampleReader {
    CDocumentBuffer document;
    Catalogue catalogue;
    ScriptedUserInterface ui;
};

void ReadSurfaces(SampleReader& r, const AlignmentEntry& alignment,
                  const std::string& verticalControl, const std::string& where) {
    for (const std::string& surface : alignment.surfaces) {
        std::string text = verticalControl;
        TemplateList left;
        TemplateList right;
        ReadCrossSections(r.document, r.catalogue, r.ui, alignment.name, text, surface, left,
                          right);
        const std::string here = where + " surface " + surface;
        ExpectFinite(text, here);
        ExpectFinite(left, here);
        ExpectFinite(right, here);
    }
}

void WalkSample(const std::filesystem::path& path) {
    SampleReader r;
    ASSERT_EQ(r.document.Open(path.string()), 0) << path;
    ScanDocument(r.document, r.catalogue, r.ui);
    for (const AlignmentEntry& alignment : r.catalogue.Alignments()) {
        const std::string where = path.filename().string() + " alignment " + alignment.name;
        for (const ProfileEntry& profile : alignment.profiles) {
            std::string verticalControl;
            ReadProfile(r.document, r.catalogue, r.ui, alignment.name, profile.name,
                        verticalControl);
            ExpectFinite(verticalControl, where + " profile " + profile.name);
            ReadSurfaces(r, alignment, verticalControl, where + " profile " + profile.name);
        }
        ReadSurfaces(r, alignment, "", where);
    }
    for (const std::string& message : r.ui.Messages()) {
        if (message.starts_with("The Centerline")) {
            ExpectFinite(message, path.filename().string());
        }
    }
}

TEST(SampleFiles, EveryProfileAndSurfaceReads) {
    const auto samples = test::SampleFiles();
    if (samples.empty()) {
        GTEST_SKIP() << "sample folder not found";
    }
    for (const auto& path : samples) {
        WalkSample(path);
    }
}

}  // namespace
}  // namespace chainforge

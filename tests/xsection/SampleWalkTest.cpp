// Every profile and cross-section surface of the real sample files, read
// through the scripted user interface, in both modes.
#include <gtest/gtest.h>

#include "landxml/DocumentScan.h"
#include "profile/ProfileReader.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"
#include "xsection/CrossSectionReader.h"

namespace chainforge {
namespace {

bool Finite(const std::string& text) {
    return text.find("inf") == std::string::npos && text.find("nan") == std::string::npos;
}

struct Sample {
    CDocumentBuffer document;
    Catalogue catalogue;
    ScriptedUserInterface ui;

    void ReadSurfaces(const AlignmentEntry& alignment, const std::string& verticalControl) {
        for (const std::string& surface : alignment.surfaces) {
            std::string text = verticalControl;
            TemplateList left;
            TemplateList right;
            ReadCrossSections(document, catalogue, ui, alignment.name, text, surface, left, right);
            left.insert(left.end(), right.begin(), right.end());
            left.push_back(text);
            for (const std::string& written : left) {
                EXPECT_TRUE(Finite(written)) << alignment.name << " " << surface << ": " << written;
            }
        }
    }
};

TEST(SampleFiles, EveryProfileAndSurfaceReads) {
    for (const auto& path : test::SampleFiles()) {
        SCOPED_TRACE(path.filename().string());
        Sample sample;
        ASSERT_EQ(sample.document.Open(path.string()), 0);
        ScanDocument(sample.document, sample.catalogue, sample.ui);
        for (const AlignmentEntry& alignment : sample.catalogue.Alignments()) {
            for (const ProfileEntry& profile : alignment.profiles) {
                std::string verticalControl;
                ReadProfile(sample.document, sample.catalogue, sample.ui, alignment.name,
                            profile.name, verticalControl);
                sample.ReadSurfaces(alignment, verticalControl);
            }
            sample.ReadSurfaces(alignment, "");
        }
        for (const std::string& message : sample.ui.Messages()) {
            EXPECT_TRUE(!message.starts_with("The Centerline") || Finite(message)) << message;
        }
    }
}

}  // namespace
}  // namespace chainforge

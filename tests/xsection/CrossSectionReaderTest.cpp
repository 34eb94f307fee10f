#include "xsection/CrossSectionReader.h"

#include <gtest/gtest.h>

#include "support/ScannedDocument.h"

namespace chainforge {
namespace {

using test::Lines;
using test::operator+;
using Texts = std::vector<std::string>;

Lines Section(const std::string& station, const std::string& points) {
    return {"<CrossSect sta=\"" + station + "\">", "<CrossSectSurf name=\"G\">",
            "<PntList2D>" + points + "</PntList2D>", "</CrossSectSurf>", "</CrossSect>"};
}

// Alignment A holding cross-sections, each given as its lines.
std::string Sections(const std::vector<Lines>& sections) {
    Lines body{"<CrossSects>"};
    for (const Lines& section : sections) {
        body = body + section;
    }
    return test::AlignmentsDocument({body + Lines{"</CrossSects>"}});
}

struct Read {
    std::string verticalControl;
    Texts left;
    Texts right;
    Texts messages;
    SectionReadCounts counts;
};

Read ReadFrom(const std::string& bytes, std::string verticalControl = {},
              const std::string& surface = "G", const std::string& alignment = "A") {
    test::ScannedDocument scanned(bytes);
    SectionRead read = ReadCrossSections(
        scanned.Context(), scanned.catalogue.FindAlignment(alignment), verticalControl, surface);
    // The vertical control the chain file gets: the profile's when one is
    // given, else the one built from the sections.
    if (verticalControl.empty()) {
        verticalControl = std::move(read.verticalControl);
    }
    return {std::move(verticalControl), std::move(read.leftTemplates),
            std::move(read.rightTemplates), scanned.ui.Messages(), std::move(read.counts)};
}

// "deviation: LEAST MOST" for the centreline message, "message: TEXT" for
// any other.
std::string Seen(const std::string& message) {
    if (!message.starts_with("The Centerline was off")) {
        return "message: " + message;
    }
    // "... by as little as LEAST and much as MOST.  It is recommended ..."
    const std::size_t least = message.find("as little as ") + 13;
    const std::size_t most = message.find(" and much as ");
    EXPECT_EQ(message.substr(0, least),
              "The Centerline was off from the cross-section by as little as ");
    EXPECT_TRUE(
        message.ends_with(".  It is recommended that you either use no profile, or use a "
                          "surface that is closer to mimicing the profile"));
    return "deviation: " + message.substr(least, most - least) + " " +
           message.substr(most + 13, message.find(".  It") - most - 13);
}

// data/tables/sections.txt
TEST(ReadCrossSections, Table) {
    for (const auto& c : test::ReadTable("sections.txt")) {
        Lines body{"<CrossSects>"};
        std::string profile;
        std::string surface = "G";
        for (const std::string& line : c.input) {
            const std::size_t colon = line.find(": ");
            if (line.starts_with("section ")) {
                body = body + Section(line.substr(8, colon - 8), line.substr(colon + 2));
            } else if (line.starts_with("profile: ")) {
                profile = line.substr(9);
            } else if (line.starts_with("surface: ")) {
                surface = line.substr(9);
            } else {
                body.push_back(line);
            }
        }
        const Read read =
            ReadFrom(test::AlignmentsDocument({body + Lines{"</CrossSects>"}}), profile, surface);
        Texts seen{"vc: " + read.verticalControl};
        for (const std::string& left : read.left) {
            seen.push_back("left: " + left);
        }
        for (const std::string& right : read.right) {
            seen.push_back("right: " + right);
        }
        for (const std::string& message : read.messages) {
            seen.push_back(Seen(message));
        }
        for (const auto& [element, count] : read.counts.leftOut.Counts()) {
            seen.push_back("left out: " + element + " " + std::to_string(count));
        }
        if (read.counts.relativeSections > 0) {
            seen.push_back("relative: " + std::to_string(read.counts.relativeSections));
        }
        EXPECT_EQ(seen, c.expected) << c.title;
    }
}

// Where the alignment or the data ends.
TEST(ReadCrossSections, Ends) {
    const std::pair<std::string, std::string> cases[] = {
        {test::AlignmentsDocument({{"<CoordGeom>", "</CoordGeom>"},
                                   Lines{"<CrossSects>"} + Section("0", "-2 9 0 10 2 9")}),
         ""},
        {test::CrLf(Lines{"<Alignments>", "<Alignment name=\"A\">", "<CrossSects>"} +
                    Section("20", "0 5")),
         "20 5 0 20 "},
        {test::CrLf({"<Alignments>", "<Alignment name=\"A\">"}), ""},
    };
    for (const auto& [document, verticalControl] : cases) {
        EXPECT_EQ(ReadFrom(document).verticalControl, verticalControl);
    }
}

TEST(ReadCrossSections, SurfaceAndAlignmentNames) {
    const std::string bytes = Sections(
        {{"<CrossSect sta=\"0\">", "<CrossSectSurf name=\"G\">", "<PntList2D>0 1</PntList2D>",
          "</CrossSectSurf>", "<CrossSectSurf side=\"left\">", "<PntList2D>0 3</PntList2D>",
          "</CrossSectSurf>", "<CrossSectSurf desc=\"Only\">", "<PntList2D>0 2</PntList2D>",
          "</CrossSectSurf>", "</CrossSect>"}});
    EXPECT_EQ(ReadFrom(bytes, "", " - Only").verticalControl, "0 2 0 0 ");
    EXPECT_EQ(ReadFrom(bytes, "", "g").verticalControl, "0 1 0 0 ");
    const Read missing = ReadFrom(bytes, "kept ", "G", "Z");
    EXPECT_EQ(missing.messages, Texts{"Error: Alignment Cannot be found"});
    EXPECT_EQ(missing.verticalControl + std::to_string(missing.left.size()), "kept 0");
}

}  // namespace
}  // namespace chainforge

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
    bool operator==(const Read&) const = default;
};

void PrintTo(const Read& r, std::ostream* os) {
    *os << "vc \"" << r.verticalControl << "\" left " << ::testing::PrintToString(r.left)
        << " right " << ::testing::PrintToString(r.right) << " messages "
        << ::testing::PrintToString(r.messages);
}

Read ReadFrom(const std::string& bytes, std::string verticalControl = {},
              const std::string& surface = "G", const std::string& alignment = "A") {
    test::ScannedDocument scanned(bytes);
    Read read{std::move(verticalControl), {}, {}, {}};
    ReadCrossSections(scanned.document, scanned.catalogue, scanned.ui, alignment,
                      read.verticalControl, surface, read.left, read.right);
    read.messages = scanned.ui.Messages();
    return read;
}

Texts Deviation(const std::string& smallest, const std::string& largest) {
    return {"The Centerline was off from the cross-section by as little as " + smallest +
            " and much as " + largest +
            ".  It is recommended that you either use no profile, or use a surface that is "
            "closer to mimicing the profile"};
}

// Document and the profile's vertical control (empty: none) -> what is read.
TEST(ReadCrossSections, Table) {
    const std::string example = "-10 99 -4 100 0 100.08 4 100 10 99.5";
    const std::string near = "-6 8 -3 9 0 10 3 9 6 8";
    const std::string tiny = "0." + std::string(150, '0') + "1";
    const std::string flat = "0 10 0 1000 ";
    const struct {
        std::string document;
        std::string profile;
        Read read;
    } cases[] = {
        {Sections({Section("100", example)}),
         "",
         {"100 100.08 0 100 ", {"100 -2 4 6 0.01 6"}, {"100 -2 4 12 0.01 12"}, {}}},
        {Sections(
             {{"<CrossSect sta=\"100\">", "<CrossSectSurf name=\"G\">", "<PntList2D>-10 99 -4 100",
               "\t0 100.08 4 100", "10 99.5</PntList2D>", "</CrossSectSurf>", "</CrossSect>"}}),
         "",
         {"100 100.08 0 100 ", {"100 -2 4 6 0.01 6"}, {"100 -2 4 12 0.01 12"}, {}}},
        // A centre point near the centreline; the centre elevation interpolated.
        {Sections({Section("7", "-0.0001 5 0.00005 6 3 6")}),
         "",
         {"7 6 0 7 ", {"7 0.0001 0.01 0.0001"}, {"7 10000 0.01 10000"}, {}}},
        {Sections({Section("50", "-6 10 2 14")}),
         "",
         {"50 13 0 50 ", {"50 2 0.01 2"}, {"50 "}, {}}},
        {Sections({Section("50", "-6 10 2 14")}),
         "0 10 2 100 -1 200 ",
         {"0 10 2 100 -1 200 ", {"50 6 0.01 6"}, {"50 "}, Deviation("2", "2")}},
        // The profile's elevation taken with six decimals.
        {Sections({Section("12.3456789", "-6 10 2 14 10 10.2 20 10.2")}),
         "0 10 1 300 ",
         {"0 10 1 300 ",
          {"12.3457 48.5999 0.01 48.5999"},
          {"12.3457 0.76543 10 10000 0.01 10000"},
          Deviation("2.87654", "2.87654")}},
        // No centre point: at first, and later.
        {Sections({Section("0", "-2 -1")}), "", {"0 0 ", {"0 2 0.01 2"}, {"0 "}, {}}},
        {Sections({Section("0", "-2 9 0 10"), Section("10", "-4 8 -2 9")}),
         "",
         {"0 10 0 0 ", {"0 2 0.01 2", "10 -50 2 2 0.01 2"}, {"0 "}, {}}},
        // Templates repeated but for the station are dropped.
        {Sections({Section("0", near), Section("10", near),
                   Section("20", "-6.0005 8 -3 9 0 10 3 9 6 8"),
                   Section("30", "-6.002 8 -3 9 0 10 3 9 6 8")}),
         flat,
         {flat,
          {"0 -33.3333 3 3 0.01 3", "30 -33.3333 3 3.002 0.01 3.002"},
          {"0 -33.3333 3 3 0.01 3"},
          {}}},
        // Vertical control from the sections; a section at the last station adds no grade.
        {Sections({Section("0", "0 10"), Section("50", "0 11"), Section("100", "0 12"),
                   Section("150", "0 12.5")}),
         "",
         {"0 10 2 100 1 150 ", {"0 "}, {"0 "}, {}}},
        {Sections({Section("0", "0 10"), Section("50", "0 11"), Section("50", "-2 19 0 20"),
                   Section("60", "-2 18"), Section("100", "0 12")}),
         "",
         {"0 10 2 100 ", {"0 ", "50 2 0.01 2", "60 1 0.01 1", "100 "}, {"0 "}, {}}},
        {Sections({}), "", {"0 0 ", {}, {}, {}}},
        // Deviation from the profile; beyond its end the elevation is zero.
        {Sections({Section("5", "0 10.0101")}), flat, {flat, {"5 "}, {"5 "}, {}}},
        {Sections({Section("5", "0 10.0102")}),
         flat,
         {flat, {"5 "}, {"5 "}, Deviation("0.0102", "0.0102")}},
        {Sections({Section("5", "0 10.5"), Section("6", "0 10"), Section("7", "0 10.02")}),
         flat,
         {flat, {"5 "}, {"5 "}, Deviation("0.02", "0.5")}},
        {Sections({Section("200", "-1 5 1 7")}),
         "0 10 0 100 ",
         {"0 10 0 100 ", {"200 0.2 0.01 0.2"}, {"200 "}, Deviation("6", "6")}},
        // Attributes in any order; a section without a station keeps the last.
        {Sections({{"<CrossSect name=\"X\" angleSkew=\"0\" sta=\"250\">",
                    "<CrossSectSurf side=\"x\" name=\"G\">", "<PntList2D>0 1</PntList2D>",
                    "</CrossSectSurf>", "</CrossSect>"},
                   {"<CrossSect name=\"Y\">", "<CrossSectSurf name=\"G\">",
                    "<PntList2D>0 2</PntList2D>", "</CrossSectSurf>", "</CrossSect>"}}),
         "",
         {"250 1 0 250 ", {"250 "}, {"250 "}, {}}},
        // Where the alignment or the data ends.
        {test::AlignmentsDocument({{"<CoordGeom>", "</CoordGeom>"},
                                   Lines{"<CrossSects>"} + Section("0", "-2 9 0 10 2 9")}),
         "",
         {"", {}, {}, {}}},
        {test::CrLf(Lines{"<Alignments>", "<Alignment name=\"A\">", "<CrossSects>"} +
                    Section("20", "0 5")),
         "",
         {"20 5 0 20 ", {"20 "}, {"20 "}, {}}},
        {test::CrLf({"<Alignments>", "<Alignment name=\"A\">"}), "", {"", {}, {}, {}}},
        // Malformed numbers; the last segment's run and rise overflow.
        {Sections(
             {Section("0", "abc 5 2 x 3"), Section("10", tiny + " 4 -1e308 1e308 1e308 -1e308")}),
         "",
         {"0 5 -10 10 ", {"0 "}, {"0 0.4 0.01 0.4", "10 -10000 1e+306 0 0.01 0"}, {}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFrom(c.document, c.profile), c.read) << c.document.substr(80, 200);
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
    EXPECT_EQ(ReadFrom(bytes, "", "G", "Z"),
              (Read{"", {}, {}, {"Error: Alignment Cannot be found"}}));
}

}  // namespace
}  // namespace chainforge

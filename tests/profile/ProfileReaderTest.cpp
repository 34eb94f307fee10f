#include "profile/ProfileReader.h"

#include <gtest/gtest.h>

#include "profile/LandXmlTestDocument.h"

namespace chainforge {
namespace {

using test::AlignmentDocument;
using test::Lines;
using test::ScannedDocument;

// The body of alignment A with one design profile "D" holding rows.
Lines DesignProfile(const Lines& rows, const std::string& closing = "</ProfAlign>") {
    Lines body{"<Profile name=\"P\">", "<ProfAlign name=\"D\">"};
    test::Append(body, rows);
    body.push_back(closing);
    body.push_back("</Profile>");
    return body;
}

Lines SurfaceProfile(const Lines& rows) {
    Lines body{"<Profile name=\"P\">", "<ProfSurf name=\"S\">"};
    test::Append(body, rows);
    body.push_back("</ProfSurf>");
    body.push_back("</Profile>");
    return body;
}

struct ProfileRead {
    std::string verticalControl;
    std::vector<std::string> messages;
};

ProfileRead ReadFrom(const std::string& bytes, const std::string& profile,
                     std::string verticalControl = {}, const std::string& alignment = "A") {
    ScannedDocument scanned(bytes);
    ReadProfile(scanned.document, scanned.catalogue, scanned.ui, alignment, profile,
                verticalControl);
    return {verticalControl, scanned.ui.Messages()};
}

std::string DesignText(const Lines& rows) {
    return ReadFrom(AlignmentDocument(DesignProfile(rows)), "D").verticalControl;
}

std::string SurfaceText(const std::string& list) {
    return ReadFrom(AlignmentDocument(SurfaceProfile({"<PntList2D>" + list + "</PntList2D>"})), "S")
        .verticalControl;
}

TEST(ReadProfile, WorkedExamples) {
    EXPECT_EQ(DesignText({"<PVI>0 100</PVI>", "<ParaCurve length=\"200\">500 110</ParaCurve>",
                          "<PVI>1000 105</PVI>"}),
              "0 100 2 \"400 600\" -1 1000 ");
    EXPECT_EQ(SurfaceText("0 100 50 101 100 100.5"), "0 100 2 50 -1 100 ");
}

TEST(ReadProfile, NamesNotFoundLeaveTheTextAlone) {
    const std::string bytes = AlignmentDocument(DesignProfile({"<PVI>0 10</PVI>"}));
    const ProfileRead noAlignment = ReadFrom(bytes, "D", "kept ", "B");
    EXPECT_EQ(noAlignment.verticalControl, "kept ");
    EXPECT_EQ(noAlignment.messages, std::vector<std::string>{"Error: Alignment Cannot be found"});
    const ProfileRead noProfile = ReadFrom(bytes, "d", "kept ");
    EXPECT_EQ(noProfile.verticalControl, "kept ");
    EXPECT_EQ(noProfile.messages, std::vector<std::string>{"Error: Profile Cannot be found"});
}

TEST(ReadProfile, EdgeCases) {
    const Lines single{"<PVI>0 10</PVI>"};
    EXPECT_EQ(DesignText(single), "0 10 ");
    EXPECT_EQ(ReadFrom(AlignmentDocument(DesignProfile(single)), "D", "1 2 3 ").verticalControl,
              "0 10 ");
    EXPECT_EQ(DesignText({"<PVI>1234.5678 100.000</PVI>"}), "1234.57 100 ");
    EXPECT_EQ(DesignText({"<PVI>0 10</PVI>", "<PVI>100 10</PVI>", "<PVI>200 12.5</PVI>"}),
              "0 10 0 100 2.5 200 ");
    // A curve before any vertex is written, then replaced by the first vertex.
    EXPECT_EQ(DesignText({"<ParaCurve length=\"20\">50 5</ParaCurve>", "<PVI>100 10</PVI>",
                          "<PVI>200 12</PVI>"}),
              "100 10 2 200 ");
    EXPECT_EQ(SurfaceText("0 100 50 101 100"), "0 100 2 50 ");
    EXPECT_EQ(DesignText({"<PVI>0 10</PVI>", "</ProfSurf>", "<PVI>100 20</PVI>"}), "0 10 ");
    EXPECT_EQ(DesignText({"<pvi>0 10</pvi>", "<paracurve length=\"20\">50 11</paracurve>",
                          "<Pvi>100 10</Pvi>"}),
              "0 10 2 \"40 60\" -2 100 ");
}

TEST(ReadProfile, StopsAtTheEndOfTheData) {
    Lines lines = test::DocumentHead();
    test::Append(lines, {"<Alignment name=\"A\">", "<Profile>", "<ProfAlign name=\"D\">",
                         "<PVI>0 10</PVI>", "<PVI>100 12</PVI>"});
    EXPECT_EQ(ReadFrom(test::CrLf(lines), "D").verticalControl, "0 10 2 100 ");
}

TEST(ReadProfile, VertexAtThePreviousStationIsPassedOver) {
    EXPECT_EQ(DesignText({"<PVI>0 10</PVI>", "<PVI>100 12</PVI>", "<PVI>100 50</PVI>",
                          "<PVI>200 14</PVI>"}),
              "0 10 2 100 2 200 ");
    EXPECT_EQ(DesignText({"<PVI>0 10</PVI>", "<ParaCurve length=\"20\">0 30</ParaCurve>",
                          "<PVI>100 12</PVI>"}),
              "0 10 2 100 ");
    EXPECT_EQ(SurfaceText("0 10 0 30 100 12"), "0 10 2 100 ");
}

TEST(ReadProfile, AttributesAnywhereOnVerticesAndCurves) {
    EXPECT_EQ(DesignText({"<PVI desc=\"start\">0 10</PVI>", "<PVI desc=\"x\">100 12</PVI>",
                          "<ParaCurve desc=\"c\" length=\"20\">150 13</ParaCurve>"}),
              "0 10 2 100 2 \"140 160\" ");
    // A tag that only begins with the letters is not a vertex.
    EXPECT_EQ(DesignText({"<PVI>0 10</PVI>", "<PVIs>100 12</PVIs>"}), "0 10 ");
}

TEST(ReadProfile, ElementTextContinuesOverLines) {
    EXPECT_EQ(
        DesignText({"<PVI>", "  0 10", "</PVI>", "<PVI>100", "\t12</PVI>",
                    "<ParaCurve length=\"20\">", "150 13", "</ParaCurve>", "<PVI>200 14</PVI>"}),
        "0 10 2 100 2 \"140 160\" 2 200 ");
    const std::string wrapped =
        AlignmentDocument(SurfaceProfile({"<PntList2D>0 100 50", "\t\t101 100 100.5</PntList2D>"}));
    EXPECT_EQ(ReadFrom(wrapped, "S").verticalControl, "0 100 2 50 -1 100 ");
}

TEST(ReadProfile, OtherVerticalCurvesKeepTheirIntersectionPoint) {
    EXPECT_EQ(
        DesignText({"<PVI>0 10</PVI>", "<CircCurve length=\"20\" radius=\"500\">50 11</CircCurve>",
                    "<PVI>100 10</PVI>"}),
        "0 10 2 \"40 60\" -2 100 ");
    EXPECT_EQ(DesignText({"<PVI>0 10</PVI>",
                          "<UnsymParaCurve lengthIn=\"10\" lengthOut=\"30\">50 11</UnsymParaCurve>",
                          "<PVI>100 10</PVI>"}),
              "0 10 2 50 -2 100 ");
}

TEST(ReadProfile, MalformedValues) {
    // A value that is not there keeps what the vertex before left.
    EXPECT_EQ(DesignText({"<PVI>0 10</PVI>", "<PVI>100</PVI>"}), "0 10 0 100 ");
    EXPECT_EQ(SurfaceText("0 100 abc 7 100 102"), "0 100 2 100 ");
    EXPECT_EQ(SurfaceText("0." + std::string(120, '0') + "1 10"), "1e-121 10 ");
}

TEST(ReadProfile, NeverWritesInfinityOrNaN) {
    EXPECT_EQ(DesignText({"<PVI>0 -1e308</PVI>", "<PVI>1e-300 1e308</PVI>"}),
              "0 -1e+308 1.79769e+308 1e-300 ");
    EXPECT_EQ(DesignText({"<PVI>0 0</PVI>", "<PVI>1e999 0</PVI>"}), "0 0 0 1.79769e+308 ");
}

}  // namespace
}  // namespace chainforge

#include "alignment/CurveByPi.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "support/TestSupport.h"

namespace chainforge {
namespace {

// The vertices worked out of the table's unit, tag and PI.
std::optional<CurveByPiVertices> Worked(const test::TableCase& c) {
    const std::string units = "<Units><Metric directionUnit=\"" + c.input.at(0) + "\"/></Units>";
    const auto unit = DirectionUnitRadians(units);
    const auto curve = unit ? ReadCurveByPiAttributes(c.input.at(1), *unit) : std::nullopt;
    std::istringstream pi(c.input.at(2));
    PlanPoint position;
    pi >> position.a >> position.b;
    return curve ? CurveByPiVerticesOf(*curve, position) : std::nullopt;
}

// Compares a "NAME A B" row of the table with the point, to its six decimals.
void ExpectRow(const std::string& row, const char* name, PlanPoint point,
               const std::string& title) {
    std::istringstream values(row);
    std::string given;
    PlanPoint expected;
    values >> given >> expected.a >> expected.b;
    EXPECT_EQ(given, name) << title;
    EXPECT_NEAR(point.a, expected.a, 1e-6) << title << " " << name;
    EXPECT_NEAR(point.b, expected.b, 1e-6) << title << " " << name;
}

// data/tables/curve_by_pi.txt
TEST(CurveByPi, Table) {
    for (const auto& c : test::ReadTable("curve_by_pi.txt")) {
        const auto vertices = Worked(c);
        if (c.expected.at(0) == "none") {
            EXPECT_FALSE(vertices) << c.title;
            continue;
        }
        ASSERT_TRUE(vertices) << c.title;
        ExpectRow(c.expected.at(0), "start", vertices->start, c.title);
        ExpectRow(c.expected.at(1), "centre", vertices->centre, c.title);
        ExpectRow(c.expected.at(2), "end", vertices->end, c.title);
    }
}

}  // namespace
}  // namespace chainforge

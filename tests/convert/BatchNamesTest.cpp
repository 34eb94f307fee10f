#include "convert/BatchNames.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace chainforge {
namespace {

TEST(BatchNames, Table) {
    for (const auto& c : test::ReadTable("file_names.txt")) {
        EXPECT_EQ(DistinctFileNames(c.input), c.expected) << c.title;
    }
}

TEST(BatchNames, Patterns) {
    struct Row {
        const char* pattern;
        const char* text;
        bool noCase;
        bool matches;
    };
    const Row rows[] = {
        {"*FG*", "Design FG - Finished grade", false, true},
        {"*FG*", "Design fg", false, false},
        {"*FG*", "Design fg", true, true},
        {"Corridor Top", "corridor top", true, true},
        {"Peg?", "Pegs", false, true},
        {"Peg?", "Peg", false, false},
        {"*", "", false, true},
        {"", "x", false, false},
        {"a*b*c", "a-b-b-c", false, true},
        {"a*b*c", "a-b-b-c-", false, false},
        {"*.ch", "x.ch.ch", false, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MatchesPattern(row.text, row.pattern, row.noCase), row.matches)
            << row.pattern << " / " << row.text;
    }
}

}  // namespace
}  // namespace chainforge

#include <gtest/gtest.h>

#include "clock/Settings.h"

using settings::ColourIndex;
using settings::NumericValue;
using settings::TruthValue;
using settings::Twips;

TEST(StoredValues, NumbersAreReadFromTheLeadingNumber) {
    EXPECT_EQ(NumericValue("12210"), 12210);
    EXPECT_EQ(NumericValue("  -250"), -250);
    EXPECT_EQ(NumericValue("12.5abc"), 12.5);
    EXPECT_EQ(NumericValue("1e3"), 1000);
    EXPECT_EQ(NumericValue("1E3"), 1000);
    EXPECT_EQ(NumericValue("7e"), 7);
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(NumericValue("abc"), 0);
    EXPECT_EQ(NumericValue("-"), 0);
    EXPECT_EQ(NumericValue("1e999"), 0);  // not finite: no number a window can use
}

TEST(StoredValues, FlagsAreFalseOnlyForZero) {
    EXPECT_FALSE(TruthValue("0", true));
    EXPECT_TRUE(TruthValue("1", false));
    EXPECT_TRUE(TruthValue("-1", false));
    EXPECT_TRUE(TruthValue(" 2 ", false));
    EXPECT_TRUE(TruthValue("True", false));
    EXPECT_FALSE(TruthValue("false", true));
    // Garbage decides nothing: the caller's fallback stands.
    EXPECT_TRUE(TruthValue("yes please", true));
    EXPECT_FALSE(TruthValue("1x", false));
    EXPECT_FALSE(TruthValue("", false));
}

TEST(StoredValues, ColourIndexOutsideTheSetsShowsGreen) {
    EXPECT_EQ(ColourIndex("0"), 0);
    EXPECT_EQ(ColourIndex("1"), 1);
    EXPECT_EQ(ColourIndex("2"), 2);
    for (const char* bad : {"3", "-1", "255", "256", "258", "abc", "", "1e9"})
        EXPECT_EQ(ColourIndex(bad), 0) << bad;
}

TEST(StoredValues, PositionsStayWithinWhatAWindowCanUse) {
    EXPECT_EQ(Twips("12210"), 12210);
    EXPECT_EQ(Twips("-300.4"), -300);
    EXPECT_EQ(Twips("1e30"), 10'000'000);
    EXPECT_EQ(Twips("-1e30"), -10'000'000);
}

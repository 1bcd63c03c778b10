#include "settings/number_text.h"

#include <gtest/gtest.h>

namespace vantrel::host {
namespace {

TEST(NumberText, WholeTextNumbersAcceptBlanksAroundOnly) {
  EXPECT_EQ(Read_Whole_Number(L" 2"), 2.0);
  EXPECT_EQ(Read_Whole_Number(L"2 "), 2.0);
  EXPECT_EQ(Read_Whole_Number(L"-2.5"), -2.5);
  EXPECT_EQ(Read_Whole_Number(L"1e2"), 100.0);
  EXPECT_FALSE(Read_Whole_Number(L""));
  EXPECT_FALSE(Read_Whole_Number(L"   "));
  EXPECT_FALSE(Read_Whole_Number(L"abc"));
  EXPECT_FALSE(Read_Whole_Number(L"2x"));
  EXPECT_FALSE(Read_Whole_Number(L"1 2"));
  EXPECT_FALSE(Read_Whole_Number(L"."));
  EXPECT_FALSE(Read_Whole_Number(L"1e999"));
}

TEST(NumberText, RoundingAndRangeOf16BitValues) {
  EXPECT_EQ(Floor_To_Int16(2.7), 2);
  EXPECT_EQ(Floor_To_Int16(-2.5), -3);
  EXPECT_EQ(Floor_To_Int16(32767.9), 32767);
  EXPECT_FALSE(Floor_To_Int16(32768));
  EXPECT_FALSE(Floor_To_Int16(-32768.5));
  EXPECT_EQ(Round_To_Int16(2.5), 2);
  EXPECT_EQ(Round_To_Int16(3.5), 4);
  EXPECT_EQ(Round_To_Int16(-2.5), -2);
  EXPECT_FALSE(Round_To_Int16(32767.5));
}

TEST(NumberText, SettingsNumbersCarryABlankUnlessNegative) {
  EXPECT_EQ(Number_Text(2), L" 2");
  EXPECT_EQ(Number_Text(0), L" 0");
  EXPECT_EQ(Number_Text(-3), L"-3");
  EXPECT_EQ(Number_Text(45), L" 45");
}

}  // namespace
}  // namespace vantrel::host

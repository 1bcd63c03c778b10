#include "settings/number_text.h"

#include <gtest/gtest.h>

#include "startup/startup_args.h"

namespace vantrel::host {
namespace {

TEST(ArgumentString, ModeLetterIsTheUpperCasedSecondCharacter) {
  const struct {
    const wchar_t* arguments;
    const wchar_t* mode;
  } cases[] = {
      {L"/s", L"S"}, {L"/S", L"S"},    {L"-s", L"S"},      {L"xs", L"S"}, {L"s", L""},
      {L"", L""},    {L"/p 12", L"P"}, {L"/c:1234", L"C"}, {L"/a", L"A"}, {L"ss", L"S"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Mode_Letter(c.arguments), c.mode) << "arguments: " << c.arguments;
  }
}

TEST(ArgumentString, PreviewHandleIsReadFromTheFourthCharacter) {
  const struct {
    const wchar_t* arguments;
    int32_t handle;
  } cases[] = {
      {L"/p 1234", 1234}, {L"/p:1234", 1234},     {L"/p", 0},
      {L"/p ", 0},        {L"/p   77", 77},       {L"/p 12ab", 12},
      {L"/p abc", 0},     {L"/p 2.5", 2},         {L"/p 3.5", 4},
      {L"/p -7", -7},     {L"/p 99999999999", 0}, {L"/p 2147483647", 2147483647},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Preview_Parent_Handle(c.arguments), c.handle) << "arguments: " << c.arguments;
  }
}

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

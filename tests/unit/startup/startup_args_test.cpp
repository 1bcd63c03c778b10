#include "startup/startup_args.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vantrel::host

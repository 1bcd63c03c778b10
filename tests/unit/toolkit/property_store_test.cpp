#include "toolkit/property_store.h"

#include <gtest/gtest.h>

namespace vantrel::toolkit {
namespace {

TEST(PropertyStore, KeepsOnlyValuesThatDifferFromTheirDefault) {
  PropertyStore store;
  store.Write(L"Caption", std::wstring(L"設定"), std::wstring(L"Command"));
  store.Write(L"Enabled", true, true);
  store.Write(L"FontColour", int32_t{0}, int32_t{0});
  // A key not kept reads as whatever default the reader gives.
  EXPECT_EQ(store.Read(L"Caption", std::wstring(L"Command")), PropertyValue(std::wstring(L"設定")));
  EXPECT_EQ(store.Read(L"Enabled", false), PropertyValue(false));
  EXPECT_EQ(store.Read(L"FontColour", int32_t{7}), PropertyValue(int32_t{7}));
}

TEST(PropertyStore, WritingTheDefaultAgainDropsAKeptKey) {
  PropertyStore store;
  store.Write(L"Visible", false, true);
  ASSERT_EQ(store.Read(L"Visible", true), PropertyValue(false));
  store.Write(L"Visible", true, true);
  EXPECT_EQ(store.Read(L"Visible", false), PropertyValue(false));
}

TEST(PropertyStore, ValueOfAnotherTypeReadsAsTheDefault) {
  PropertyStore store;
  store.Write(L"FirstRun", int32_t{1}, int32_t{0});
  EXPECT_EQ(store.Read(L"FirstRun", std::wstring(L"x")), PropertyValue(std::wstring(L"x")));
  EXPECT_EQ(store.Read(L"FirstRun", int32_t{0}), PropertyValue(int32_t{1}));
}

}  // namespace
}  // namespace vantrel::toolkit

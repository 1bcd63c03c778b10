#include "preview/preview_layout.h"

#include <gtest/gtest.h>

#include "toolkit/twips.h"

namespace vantrel::host {
namespace {

TEST(PreviewLayout, DisplayPagePreviewAreaIsFilledExactly) {
  const PreviewLayout layout = Layout_Preview({300, 200, 452, 312}, 15, 15);
  EXPECT_EQ(layout.width_twips, 2280);
  EXPECT_EQ(layout.height_twips, 1680);
  EXPECT_EQ(layout.image_width_px, 152);
  EXPECT_EQ(layout.image_height_px, 112);
}

TEST(PreviewLayout, FollowsTheScreenResolution) {
  EXPECT_DOUBLE_EQ(toolkit::Twips_Per_Pixel(96), 15.0);
  EXPECT_DOUBLE_EQ(toolkit::Twips_Per_Pixel(120), 12.0);
  const PreviewLayout layout = Layout_Preview({0, 0, 190, 140}, toolkit::Twips_Per_Pixel(120),
                                              toolkit::Twips_Per_Pixel(144));
  EXPECT_EQ(layout.width_twips, 2280);
  EXPECT_EQ(layout.height_twips, 1400);
  EXPECT_EQ(layout.image_width_px, 190);
  EXPECT_EQ(layout.image_height_px, 140);
}

TEST(PreviewLayout, SideBeyond16BitTwipsStaysZero) {
  const PreviewLayout wide = Layout_Preview({0, 0, 2185, 100}, 15, 15);
  EXPECT_EQ(wide.width_twips, 0);
  EXPECT_EQ(wide.image_width_px, 0);
  EXPECT_EQ(wide.height_twips, 1500);
  const PreviewLayout edge = Layout_Preview({0, 0, 2184, 2184}, 15, 15);
  EXPECT_EQ(edge.width_twips, 32760);
}

TEST(PreviewLayout, FailedRectangleGivesAnEmptyWindow) {
  const PreviewLayout layout = Layout_Preview({0, 0, 0, 0}, 15, 15);
  EXPECT_EQ(layout.width_twips, 0);
  EXPECT_EQ(layout.height_twips, 0);
  EXPECT_EQ(layout.image_width_px, 0);
}

}  // namespace
}  // namespace vantrel::host

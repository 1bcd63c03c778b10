#include "button/button_face.h"

#include <gtest/gtest.h>

namespace vantrel::button {
namespace {

TEST(FaceGeometry, MainButtonEdgesCornersAndCaption) {
  const FaceGeometry g = Face_Geometry(1155, 375, 195);
  // Edge lengths 1035 and 255; right column and bottom row at W - 60, H - 60.
  const FacePiece& top = g.pieces[1];
  EXPECT_EQ(top.dest_w, 1035);
  EXPECT_EQ(top.dest_x, 60);
  EXPECT_EQ(top.dest_y, 1);
  EXPECT_EQ(top.src_y, 1);
  const FacePiece& right = g.pieces[3];
  EXPECT_EQ(right.dest_x, 1095);
  EXPECT_EQ(right.dest_h, 255);
  const FacePiece& bottom_right = g.pieces[4];
  EXPECT_EQ(bottom_right.dest_x, 1095);
  EXPECT_EQ(bottom_right.dest_y, 315);
  EXPECT_EQ(bottom_right.src_x, 900);
  EXPECT_EQ(bottom_right.src_y, 315);
  EXPECT_DOUBLE_EQ(g.label_top, 80.0);
  EXPECT_EQ(g.label_left, 0);
  EXPECT_EQ(g.label_width, 1155);
}

TEST(FaceGeometry, OneTwipOffsetsOfLeftColumnAndTopRow) {
  const FaceGeometry g = Face_Geometry(1155, 375, 195);
  EXPECT_EQ(g.pieces[0].dest_x, 1);  // top-left corner
  EXPECT_EQ(g.pieces[0].dest_y, 1);
  EXPECT_EQ(g.pieces[2].dest_y, 1);  // top-right corner
  EXPECT_EQ(g.pieces[2].src_y, 1);
  EXPECT_EQ(g.pieces[6].dest_x, 1);  // bottom-left corner
  EXPECT_EQ(g.pieces[7].dest_x, 1);  // left edge
  EXPECT_EQ(g.pieces[7].src_x, 1);
  EXPECT_EQ(g.pieces[7].src_h, 255);
  EXPECT_EQ(g.pieces[5].src_w, 840);  // bottom edge stretched from the skin's 840
}

TEST(FaceGeometry, A120TwipControlHasOnlyCorners) {
  const FaceGeometry g = Face_Geometry(120, 120, 195);
  for (int edge : {1, 3, 5, 7}) {
    const FacePiece& p = g.pieces[edge];
    EXPECT_EQ(edge == 1 || edge == 5 ? p.dest_w : p.dest_h, 0) << "piece " << edge;
  }
  EXPECT_EQ(g.pieces[4].dest_x, 60);
  EXPECT_EQ(g.pieces[4].dest_y, 60);
  EXPECT_DOUBLE_EQ(g.label_top, -47.5);
}

TEST(FaceColours, ChannelsReadRedFromTheFirstDigitPair) {
  const Channels white = Colour_Channels(kFaceWhite);
  EXPECT_EQ(white.red, 0xFF00);
  EXPECT_EQ(white.green, 0xFF00);
  EXPECT_EQ(white.blue, 0xFF00);
  const Channels tint = Colour_Channels(kFaceTint);
  EXPECT_EQ(tint.red, 0xC600);
  EXPECT_EQ(tint.green, 0xC500);
  EXPECT_EQ(tint.blue, 0xD700);
  const Channels short_text = Colour_Channels(L"&HFF");  // six digits with leading zeros
  EXPECT_EQ(short_text.red, 0);
  EXPECT_EQ(short_text.blue, 0xFF00);
}

TEST(FaceGradient, VerticesSpanTheInnerAreaWithWhiteOnTopUnlessInverted) {
  const auto plain = Gradient_Vertices(false, 77, 25);
  EXPECT_EQ(plain[0].x, 0);
  EXPECT_EQ(plain[0].y, 0);
  EXPECT_EQ(plain[1].x, 76);
  EXPECT_EQ(plain[1].y, 24);
  EXPECT_EQ(plain[0].red, 0xFF00);
  EXPECT_EQ(plain[1].red, 0xC600);
  EXPECT_EQ(plain[1].blue, 0xD700);
  EXPECT_EQ(plain[0].alpha, 0);
  const auto inverted = Gradient_Vertices(true, 77, 25);
  EXPECT_EQ(inverted[0].red, 0xC600);
  EXPECT_EQ(inverted[1].green, 0xFF00);
}

TEST(FaceGradient, StateFourAndZeroKeepThePreviousDirection) {
  EXPECT_FALSE(Invert_For_State(ButtonState::kNormal, true));
  EXPECT_TRUE(Invert_For_State(ButtonState::kHighLight, false));
  EXPECT_FALSE(Invert_For_State(ButtonState::kSelected, true));
  EXPECT_TRUE(Invert_For_State(ButtonState::kHighLightSelect, true));
  EXPECT_FALSE(Invert_For_State(ButtonState::kHighLightSelect, false));
  EXPECT_TRUE(Invert_For_State(ButtonState::kNone, true));
}

}  // namespace
}  // namespace vantrel::button

// Twips (1/1440 inch) and screen pixels. One rounding rule everywhere: to
// the nearest pixel or twip, halves away from zero.
#pragma once

#include <cmath>

namespace vantrel::toolkit {

inline constexpr int kTwipsPerInch = 1440;
// The host's pictures (button skins, selection marks) are designed at 96 dots
// per inch: one picture pixel is 15 twips on any screen.
inline constexpr double kPictureTwipsPerPixel = 15.0;

// 15 at 96 dots per inch; a screen that reports no resolution counts as 96.
inline double Twips_Per_Pixel(int dots_per_inch) {
  return dots_per_inch > 0 ? static_cast<double>(kTwipsPerInch) / dots_per_inch : 15.0;
}

inline int Twips_To_Pixels(double twips, double twips_per_pixel) {
  if (!(twips_per_pixel > 0)) return 0;
  return static_cast<int>(std::lround(twips / twips_per_pixel));
}

inline int Pixels_To_Twips(double pixels, double twips_per_pixel) {
  return static_cast<int>(std::lround(pixels * twips_per_pixel));
}

}  // namespace vantrel::toolkit

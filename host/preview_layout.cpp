#include "preview_layout.h"

#include <cmath>

#include "number_text.h"

namespace vantrel::host {
namespace {

int16_t SideInTwips(int32_t low, int32_t high, double twips_per_pixel) {
  const double pixels = static_cast<double>(high) - static_cast<double>(low);
  return Round_To_Int16(pixels * twips_per_pixel).value_or(0);
}

int32_t TwipsToPixels(int16_t twips, double twips_per_pixel) {
  if (twips_per_pixel <= 0) return 0;
  return static_cast<int32_t>(std::lround(twips / twips_per_pixel));
}

}  // namespace

double Twips_Per_Pixel(int dots_per_inch) {
  return dots_per_inch > 0 ? 1440.0 / dots_per_inch : 15.0;
}

PreviewLayout Layout_Preview(const ScreenRect& parent, double twips_per_pixel_x,
                             double twips_per_pixel_y) {
  PreviewLayout layout;
  layout.width_twips = SideInTwips(parent.left, parent.right, twips_per_pixel_x);
  layout.height_twips = SideInTwips(parent.top, parent.bottom, twips_per_pixel_y);
  layout.image_width_px = TwipsToPixels(layout.width_twips, twips_per_pixel_x);
  layout.image_height_px = TwipsToPixels(layout.height_twips, twips_per_pixel_y);
  return layout;
}

}  // namespace vantrel::host

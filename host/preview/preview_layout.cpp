#include "preview/preview_layout.h"

#include "settings/number_text.h"
#include "toolkit/twips.h"

namespace vantrel::host {
namespace {

int16_t SideInTwips(int32_t low, int32_t high, double twips_per_pixel) {
  const double pixels = static_cast<double>(high) - static_cast<double>(low);
  return Round_To_Int16(pixels * twips_per_pixel).value_or(0);
}

}  // namespace

PreviewLayout Layout_Preview(const ScreenRect& parent, double twips_per_pixel_x,
                             double twips_per_pixel_y) {
  PreviewLayout layout;
  layout.width_twips = SideInTwips(parent.left, parent.right, twips_per_pixel_x);
  layout.height_twips = SideInTwips(parent.top, parent.bottom, twips_per_pixel_y);
  layout.image_width_px = toolkit::Twips_To_Pixels(layout.width_twips, twips_per_pixel_x);
  layout.image_height_px = toolkit::Twips_To_Pixels(layout.height_twips, twips_per_pixel_y);
  return layout;
}

}  // namespace vantrel::host

// Sizes of the preview window inside the display-settings page's preview
// area: the parent's pixels turned into twips and back.
#pragma once

#include <cstdint>

namespace vantrel::host {

struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct PreviewLayout {
  int16_t width_twips = 0;  // the preview window's size
  int16_t height_twips = 0;
  int32_t image_width_px = 0;  // the still picture's size, covering the window
  int32_t image_height_px = 0;
};

// A side that does not fit 16-bit twips stays 0.
PreviewLayout Layout_Preview(const ScreenRect& parent, double twips_per_pixel_x,
                             double twips_per_pixel_y);

}  // namespace vantrel::host

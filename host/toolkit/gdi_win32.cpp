#include "gdi_win32.h"

#include <cmath>

#include "app_win32.h"

namespace vantrel::toolkit {

Font::Font(const FontDesign& design) : design_(design) {
  const int height = -static_cast<int>(std::lround(design.points * Screen_Dpi_Y() / 72.0));
  // Wide, so that the face name reaches the font mapper whole under any code page.
  font_ = CreateFontW(height, 0, 0, 0, design.weight, FALSE, design.underline ? TRUE : FALSE, FALSE,
                      static_cast<BYTE>(design.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, design.name.c_str());
}

Font::~Font() {
  if (font_) DeleteObject(font_);
}

BitmapDC::BitmapDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
  if (dc_) old_ = SelectObject(dc_, bitmap);
}

BitmapDC::~BitmapDC() {
  if (!dc_) return;
  SelectObject(dc_, old_);
  DeleteDC(dc_);
}

void Fill_Rect(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void Frame_Rect(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

}  // namespace vantrel::toolkit

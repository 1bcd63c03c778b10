// A picture held by the toolkit: a 24-bit device-independent bitmap, rows
// bottom-up, that forms draw and whose pixels a bitmap file can take.
// Pictures come from the host's embedded bitmap resources.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "bitmap_writer.h"

namespace vantrel::toolkit {

class Picture {
 public:
  Picture() = default;
  Picture(int width, int height);
  ~Picture();
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // The bitmap resource `name` (type RCDATA, a whole .bmp file); an empty
  // picture when it is missing or unreadable.
  static Picture FromResource(const char* name);

  bool Empty() const { return bitmap_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Bitmap() const { return bitmap_; }
  // The pixels as they stand, after pending drawing has reached them.
  BgrImage Pixels() const;

  // Draws the picture at (x, y), at its own size or stretched to w x h.
  void Draw(HDC target, int x, int y) const;
  void DrawStretched(HDC target, int x, int y, int w, int h) const;

 private:
  void Release();

  HBITMAP bitmap_ = nullptr;
  uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Answers WM_PAINT: `compose` draws the whole client area into an off-screen
// picture, which then reaches the window in one copy, so nothing flickers.
void Paint_Buffered(HWND window, const std::function<void(HDC)>& compose);

}  // namespace vantrel::toolkit

#include "picture_win32.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "bitmap_reader.h"
#include "gdi_win32.h"

namespace vantrel::toolkit {
namespace {

size_t StrideOf(int width) { return static_cast<size_t>(Padded_Row_Bytes(width, 24)); }

}  // namespace

Picture::Picture(int width, int height) {
  if (width < 1 || height < 1) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as the bitmap files are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) return;
  bits_ = static_cast<uint8_t*>(bits);
  width_ = width;
  height_ = height;
  std::memset(bits_, 0, StrideOf(width) * height);
}

Picture::~Picture() { Release(); }

Picture::Picture(Picture&& other) noexcept { *this = std::move(other); }

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    Release();
    std::swap(bitmap_, other.bitmap_);
    std::swap(bits_, other.bits_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
  }
  return *this;
}

void Picture::Release() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

Picture Picture::FromResource(const char* name) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) return Picture();
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return Picture();
  MemoryByteSource source(data, SizeofResource(nullptr, found));
  const BitmapReadResult read = Read_Bitmap(source);
  if (!read.ok() || !read.image.HasUploadableSize() || read.image.bit_count != 24) {
    return Picture();
  }
  Picture picture(read.image.width, read.image.height);
  const size_t bytes = StrideOf(read.image.width) * read.image.height;
  if (picture.Empty() || read.image.pixels.size() < bytes) return Picture();
  std::memcpy(picture.bits_, read.image.pixels.data(), bytes);
  return picture;
}

BgrImage Picture::Pixels() const {
  GdiFlush();
  return BgrImage{width_, height_, StrideOf(width_), bits_};
}

void Picture::Draw(HDC target, int x, int y) const {
  if (Empty()) return;
  BitmapDC source(bitmap_);
  BitBlt(target, x, y, width_, height_, source.get(), 0, 0, SRCCOPY);
}

void Picture::DrawStretched(HDC target, int x, int y, int w, int h) const {
  if (Empty() || w < 1 || h < 1) return;
  BitmapDC source(bitmap_);
  const SavedDC saved(target);
  SetStretchBltMode(target, HALFTONE);
  StretchBlt(target, x, y, w, h, source.get(), 0, 0, width_, height_, SRCCOPY);
}

void Paint_Buffered(HWND window, const std::function<void(HDC)>& compose) {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(window, &paint);
  if (!screen) return;
  RECT client{};
  GetClientRect(window, &client);
  Picture frame(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  if (!frame.Empty()) {
    BitmapDC dc(frame.Bitmap());
    if (dc.get()) {
      compose(dc.get());
      BitBlt(screen, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(window, &paint);
}

}  // namespace vantrel::toolkit

// GDI objects of the host's window toolkit, each made and given back in
// one place: fonts from a font design, memory DCs over a bitmap, objects
// selected into a DC and restored, solid fills and frames.
#pragma once

#include <windows.h>

#include "font_design.h"

namespace vantrel::toolkit {

// A GDI font made from a design at the screen's dots per inch; owned.
class Font {
 public:
  explicit Font(const FontDesign& design);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  HFONT Handle() const { return font_; }
  const FontDesign& Design() const { return design_; }

 private:
  FontDesign design_;
  HFONT font_;
};

// Selects `object` into `dc` for the lifetime of this object, then puts
// back what was there.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The DC's state (selected objects, clipping, modes, colours) saved for the
// lifetime of this object, then restored.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
  ~SavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A memory DC with `bitmap` selected, for the lifetime of this object.
class BitmapDC {
 public:
  explicit BitmapDC(HBITMAP bitmap);
  ~BitmapDC();
  BitmapDC(const BitmapDC&) = delete;
  BitmapDC& operator=(const BitmapDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

void Fill_Rect(HDC dc, const RECT& rect, COLORREF colour);
// A one-pixel line just inside `rect`.
void Frame_Rect(HDC dc, const RECT& rect, COLORREF colour);

}  // namespace vantrel::toolkit

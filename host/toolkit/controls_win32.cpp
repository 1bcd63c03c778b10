#include "controls_win32.h"

#include <cmath>

#include "ansi_text_win32.h"
#include "app_win32.h"

namespace vantrel::toolkit {
namespace {

int ScreenDpiY() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

Font::Font(const FontDesign& design) {
  const int height = -static_cast<int>(std::lround(design.points * ScreenDpiY() / 72.0));
  font_ = CreateFontA(height, 0, 0, 0, design.weight, FALSE, design.underline ? TRUE : FALSE,
                      FALSE, static_cast<BYTE>(design.charset), OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                      To_Ansi(design.name).c_str());
}

Font::~Font() {
  if (font_) DeleteObject(font_);
}

// ---- Label

Label::Label(Form& owner, LabelDesign design)
    : Element(owner), design_(std::move(design)), font_(design_.font) {}

void Label::SetCaption(const std::wstring& caption) {
  design_.caption = caption;
  if (design_.auto_size) FitToCaption();
  owner_.Refresh();
}

void Label::FitToCaption() {
  HDC screen = GetDC(nullptr);
  if (!screen) return;
  HGDIOBJ old = SelectObject(screen, font_.Handle());
  const std::string text = To_Ansi(design_.caption);
  SIZE size{};
  GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  width_ = static_cast<int>(std::lround(size.cx * Twips_Per_Pixel_X()));
  height_ = static_cast<int>(std::lround(size.cy * Twips_Per_Pixel_Y()));
}

void Label::Draw(HDC dc, const RECT& pixels) const {
  RECT box = pixels;
  if (design_.border) {
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FrameRect(dc, &box, black);
    DeleteObject(black);
    InflateRect(&box, -1, -1);
  }
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);  // what does not fit is cut
  SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, design_.colour);
  const std::string text = To_Ansi(design_.caption);
  UINT format = design_.alignment | DT_NOPREFIX | DT_TOP;
  format |= design_.word_wrap ? DT_WORDBREAK : DT_SINGLELINE;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  RestoreDC(dc, saved);
}

// ---- Shape

void Shape::Draw(HDC dc, const RECT& pixels) const {
  HBRUSH brush = CreateSolidBrush(border_);
  FrameRect(dc, &pixels, brush);
  DeleteObject(brush);
}

// ---- ComboBox

ComboBox::~ComboBox() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool ComboBox::Create(int left, int top, int width, int height, int list_rows) {
  if (window_ || !owner_.Loaded()) return window_ != nullptr;
  const int x = owner_.ToPixelsX(left), y = owner_.ToPixelsY(top);
  const int w = owner_.ToPixelsX(width), h = owner_.ToPixelsY(height);
  window_ = CreateWindowExA(0, "COMBOBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN |
                                CBS_AUTOHSCROLL,
                            x, y, w, h + list_rows * h, owner_.Handle(), nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) return false;
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  return true;
}

void ComboBox::SetEnabled(bool enabled) {
  if (window_) EnableWindow(window_, enabled ? TRUE : FALSE);
}

void ComboBox::SetText(const std::wstring& text) {
  if (window_) SetWindowTextA(window_, To_Ansi(text).c_str());
}

std::wstring ComboBox::Text() const {
  if (!window_) return std::wstring();
  char buffer[256] = {};
  GetWindowTextA(window_, buffer, sizeof buffer);
  return From_Ansi_Buffer(buffer, sizeof buffer);
}

void ComboBox::AddItem(const std::wstring& item) {
  if (window_) {
    const std::string text = To_Ansi(item);
    SendMessageA(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

}  // namespace vantrel::toolkit

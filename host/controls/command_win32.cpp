#include "controls/command_win32.h"

#include <cmath>

#include "toolkit/ansi_text_win32.h"
#include "toolkit/app_win32.h"

namespace vantrel::controls {
namespace {

using toolkit::Ignore_Result;

constexpr const char* kCommandClass = "Yarrin.Command";
constexpr UINT_PTR kHoverTimerId = 1;
// What the face is cleared to before the gradient: the control's back colour.
constexpr COLORREF kBackColour = RGB(236, 233, 216);
constexpr COLORREF kGreyText = RGB(172, 168, 153);

// The six skins, loaded once for every instance.
struct Skins {
  toolkit::Picture pictures[6];
  Skins() {
    const char* names[6] = {"BUTTON_NORMAL",          "BUTTON_HIGHLIGHT", "BUTTON_SELECTED",
                            "BUTTON_HIGHLIGHTSELECT", "BUTTON_PRESSED",   "BUTTON_DISABLE"};
    for (int i = 0; i < 6; ++i) pictures[i] = toolkit::Picture::FromResource(names[i]);
  }
  const toolkit::Picture& Of(Skin skin) const { return pictures[static_cast<int>(skin)]; }
};

const Skins& AllSkins() {
  static Skins skins;
  return skins;
}

int PxX(double twips) { return static_cast<int>(std::lround(twips / toolkit::Twips_Per_Pixel_X())); }
int PxY(double twips) { return static_cast<int>(std::lround(twips / toolkit::Twips_Per_Pixel_Y())); }

void RegisterCommandClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA command_class{};
  command_class.cbSize = sizeof(command_class);
  command_class.lpfnWndProc = DefWindowProcA;  // replaced per instance below
  command_class.hInstance = GetModuleHandleA(nullptr);
  command_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  command_class.lpszClassName = kCommandClass;
  registered = RegisterClassExA(&command_class) != 0;
}

int ButtonCode(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return kRightButton;
    default:
      return kMiddleButton;
  }
}

}  // namespace

Command::Command() : logic_(*this) {}

Command::~Command() {
  if (window_) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (font_) DeleteObject(font_);
}

bool Command::Create(HWND parent, const RECT& pixels, const toolkit::PropertyStore& design,
                     const FontSpec& ambient) {
  RegisterCommandClass();
  window_ = CreateWindowExA(0, kCommandClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, pixels.left,
                            pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top,
                            parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window_) return false;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Command::WindowProc));
  face_ = toolkit::Picture(pixels.right - pixels.left, pixels.bottom - pixels.top);
  logic_.Restore(design, ambient);
  logic_.Resized();
  return true;
}

void Command::OnSize(int width, int height) {
  if (width == face_.Width() && height == face_.Height()) return;
  face_ = toolkit::Picture(std::max(width, 1), std::max(height, 1));
  logic_.Resized();
}

// Tab skips a disabled control: it is a tab stop only while enabled.
void Command::SyncTabStop() {
  if (!window_) return;
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  const LONG wanted = logic_.IsEnabled ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  if (wanted != style) SetWindowLongA(window_, GWL_STYLE, wanted);
}

int32_t Command::WidthTwips() {
  RECT client{};
  if (window_) GetClientRect(window_, &client);
  return static_cast<int32_t>(std::lround(client.right * toolkit::Twips_Per_Pixel_X()));
}

int32_t Command::HeightTwips() {
  RECT client{};
  if (window_) GetClientRect(window_, &client);
  return static_cast<int32_t>(std::lround(client.bottom * toolkit::Twips_Per_Pixel_Y()));
}

void Command::StartHoverTimer(unsigned interval_ms) {
  if (window_) Ignore_Result(SetTimer(window_, kHoverTimerId, interval_ms, nullptr));
}

void Command::RaiseClick() {
  if (on_click) on_click();
}

HFONT Command::CaptionFont() {
  const std::wstring text = Font_Text(logic_.Font());
  if (font_ && text == font_text_) return font_;
  if (font_) DeleteObject(font_);
  const FontSpec& font = logic_.Font();
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  font_ = CreateFontA(-static_cast<int>(std::lround(font.points * dpi / 72.0)), 0, 0, 0,
                      font.weight, FALSE, font.underline, FALSE, static_cast<BYTE>(font.charset),
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, toolkit::To_Ansi(font.name).c_str());
  font_text_ = text;
  return font_;
}

// Clear, gradient, the eight frame pieces; the caption is drawn over the
// kept face at every paint, at the place the logic gave it.
void Command::PaintFace(Skin skin, bool invert_gradient, const CaptionLabel&) {
  SyncTabStop();  // every change of the enabled state repaints the face
  if (face_.Empty()) return;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, face_.Bitmap());
  const RECT all{0, 0, face_.Width(), face_.Height()};
  HBRUSH back = CreateSolidBrush(kBackColour);
  FillRect(dc, &all, back);
  DeleteObject(back);

  const auto v = Gradient_Vertices(invert_gradient, face_.Width(), face_.Height());
  TRIVERTEX vertices[2];
  for (int i = 0; i < 2; ++i) {
    vertices[i] = TRIVERTEX{v[i].x, v[i].y, v[i].red, v[i].green, v[i].blue, v[i].alpha};
  }
  GRADIENT_RECT rect{0, 1};
  Ignore_Result(GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V));

  const toolkit::Picture& picture = AllSkins().Of(skin);
  if (!picture.Empty()) {
    HDC skin_dc = CreateCompatibleDC(nullptr);
    HGDIOBJ skin_old = SelectObject(skin_dc, picture.Bitmap());
    const FaceGeometry g = Face_Geometry(WidthTwips(), HeightTwips(), logic_.Label().height);
    for (const FacePiece& p : g.pieces) {
      const int w = PxX(p.dest_w), h = PxY(p.dest_h);
      if (w <= 0 || h <= 0) continue;  // a zero-length edge paints nothing
      Ignore_Result(StretchBlt(dc, PxX(p.dest_x), PxY(p.dest_y), w, h, skin_dc, PxX(p.src_x),
                               PxY(p.src_y), PxX(p.src_w), PxY(p.src_h), SRCCOPY));
    }
    SelectObject(skin_dc, skin_old);
    DeleteDC(skin_dc);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void Command::OnPaint() {
  toolkit::Paint_Buffered(window_, [this](HDC dc) {
    face_.Draw(dc, 0, 0);
    const CaptionLabel& label = logic_.Label();
    RECT box{PxX(label.left), PxY(label.top), PxX(label.left + label.width),
             PxY(label.top + label.height)};
    HGDIOBJ old_font = SelectObject(dc, CaptionFont());
    SetBkMode(dc, TRANSPARENT);
    const std::string text = toolkit::To_Ansi(label.text);
    const UINT format = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    if (label.enabled) {
      SetTextColor(dc, label.colour);
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    } else {
      // The greyed look of a disabled label: a light copy below right.
      RECT light = box;
      OffsetRect(&light, 1, 1);
      SetTextColor(dc, RGB(255, 255, 255));
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &light, format);
      SetTextColor(dc, kGreyText);
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    }
    SelectObject(dc, old_font);
  });
}

void Command::OnButtonDown(int button) {
  // A disabled control takes neither the focus nor the pointer; only the
  // left button moves the focus, so the others show no pressed look.
  if (!logic_.IsEnabled) return;
  if (button == kLeftButton && GetFocus() != window_) SetFocus(window_);
  if (held_buttons_ == 0) SetCapture(window_);
  held_buttons_ |= button;
  logic_.ButtonPressed(button);
}

void Command::OnButtonUp(int button) {
  held_buttons_ &= ~button;
  if (held_buttons_ == 0 && GetCapture() == window_) ReleaseCapture();
  // Last: a Click may end the dialog that holds this control.
  logic_.ButtonReleased(button);
}

void Command::OnTimer() {
  POINT at{};
  if (!GetCursorPos(&at)) return;
  HWND under = WindowFromPoint(at);
  if (under == window_) {
    logic_.TimerTick(CursorOver::kOwnWindow);
  } else if (under == GetParent(window_)) {
    logic_.TimerTick(CursorOver::kParentWindow);
  } else {
    logic_.TimerTick(CursorOver::kOtherWindow);
  }
}

LRESULT CALLBACK Command::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* command = reinterpret_cast<Command*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!command) return DefWindowProcA(window, message, wparam, lparam);
  return command->HandleMessage(message, wparam, lparam);
}

LRESULT Command::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = window_;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_SIZE:
      OnSize(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_MOUSEMOVE:
      logic_.PointerMoved();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      OnButtonDown(ButtonCode(message));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      OnButtonUp(ButtonCode(message));
      return 0;
    case WM_CAPTURECHANGED:
      // Taken away while a button was still down: its release will not come here.
      if (held_buttons_ != 0) logic_.PressesLost();
      held_buttons_ = 0;
      return 0;
    case WM_SETFOCUS:
      logic_.FocusGained();
      return 0;
    case WM_KILLFOCUS:
      logic_.FocusLost();
      return 0;
    case WM_TIMER:
      if (wparam == kHoverTimerId) OnTimer();
      return 0;
    case WM_NCDESTROY:
      Ignore_Result(KillTimer(window, kHoverTimerId));
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace vantrel::controls

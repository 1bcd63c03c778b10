#include "button/button_win32.h"

#include <algorithm>

#include "toolkit/app_win32.h"
#include "toolkit/ignore_result.h"
#include "toolkit/twips.h"

namespace vantrel::button {
namespace {

using toolkit::Ignore_Result;
using toolkit::Screen_Pixels_X;
using toolkit::Screen_Pixels_Y;

constexpr const wchar_t* kCommandClass = L"Yarrin.Command";
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

// The pieces are cut in the skin's own pixels, not the screen's.
int SkinPixels(int32_t twips) {
  return toolkit::Twips_To_Pixels(twips, toolkit::kPictureTwipsPerPixel);
}

const Skins& AllSkins() {
  static Skins skins;
  return skins;
}

// The logic's code of a mouse button.
int LogicButton(toolkit::MouseButton button) {
  switch (button) {
    case toolkit::MouseButton::kLeft:
      return kLeftButton;
    case toolkit::MouseButton::kRight:
      return kRightButton;
    case toolkit::MouseButton::kMiddle:
      break;
  }
  return kMiddleButton;
}

}  // namespace

ButtonControl::ButtonControl() : logic_(*this) {}

// Destroyed while still tied, so that its timer ends with it; no Click
// reaches a container that is going.
ButtonControl::~ButtonControl() {
  on_click = nullptr;
  if (Handle()) DestroyWindow(Handle());
}

bool ButtonControl::Create(HWND parent, const RECT& pixels, const toolkit::PropertyStore& design,
                           const toolkit::FontDesign& ambient, int id) {
  Register_Class(kCommandClass);
  design_ = &design;
  ambient_ = &ambient;
  // Each button its own group: the arrows do not move the focus off it.
  const bool created = CreateTied(
      0, kCommandClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, pixels, parent, id);
  design_ = nullptr;
  ambient_ = nullptr;
  return created;
}

void ButtonControl::OnCreate(const CREATESTRUCTW& create) {
  face_ = toolkit::Picture(std::max(create.cx, 1), std::max(create.cy, 1));
  logic_.Restore(*design_, *ambient_);
  // The window's text is the caption, so that a screen reader can name the button.
  Ignore_Result(SetWindowTextW(Handle(), logic_.Label().text.c_str()));
  logic_.Resized();
}

void ButtonControl::OnSize(int width, int height) {
  if (width == face_.Width() && height == face_.Height()) return;
  face_ = toolkit::Picture(std::max(width, 1), std::max(height, 1));
  logic_.Resized();
}

// Tab skips a disabled control: it is a tab stop only while enabled.
void ButtonControl::SyncTabStop() {
  HWND window = Handle();
  if (!window) return;
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const LONG wanted = logic_.Enabled() ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  if (wanted != style) SetWindowLongW(window, GWL_STYLE, wanted);
}

int32_t ButtonControl::WidthTwips() {
  RECT client{};
  if (Handle()) GetClientRect(Handle(), &client);
  return toolkit::Screen_Twips_X(client.right);
}

int32_t ButtonControl::HeightTwips() {
  RECT client{};
  if (Handle()) GetClientRect(Handle(), &client);
  return toolkit::Screen_Twips_Y(client.bottom);
}

void ButtonControl::StartHoverTimer(unsigned interval_ms) {
  if (Handle()) Ignore_Result(SetTimer(Handle(), kHoverTimerId, interval_ms, nullptr));
}

void ButtonControl::RaiseClick() {
  if (on_click) on_click();
}

HFONT ButtonControl::CaptionFont() {
  if (!font_ || !(font_->Design() == logic_.Font())) {
    font_ = std::make_unique<toolkit::Font>(logic_.Font());
  }
  return font_->Handle();
}

// Clear, gradient, the eight frame pieces; the caption is drawn over the
// kept face at every paint, at the place the logic gave it.
void ButtonControl::PaintFace(Skin skin, bool invert_gradient, const FaceGeometry& geometry) {
  SyncTabStop();  // every change of the enabled state repaints the face
  TellStates();
  if (face_.Empty()) return;
  toolkit::BitmapDC face(face_.Bitmap());
  HDC dc = face.get();
  if (!dc) return;
  toolkit::Fill_Rect(dc, RECT{0, 0, face_.Width(), face_.Height()}, kBackColour);

  const auto v = Gradient_Vertices(invert_gradient, face_.Width(), face_.Height());
  TRIVERTEX vertices[2];
  for (int i = 0; i < 2; ++i) {
    vertices[i] = TRIVERTEX{v[i].x, v[i].y, v[i].red, v[i].green, v[i].blue, v[i].alpha};
  }
  GRADIENT_RECT rect{0, 1};
  Ignore_Result(GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V));
  PaintPieces(dc, skin, geometry);
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

// The frame pieces cut from the skin onto the face.
void ButtonControl::PaintPieces(HDC dc, Skin skin, const FaceGeometry& geometry) {
  const toolkit::Picture& picture = AllSkins().Of(skin);
  if (picture.Empty()) return;
  toolkit::BitmapDC skin_dc(picture.Bitmap());
  for (const FacePiece& p : geometry.pieces) {
    // Ends rounded rather than sizes, so that neighbouring pieces meet.
    const int x = Screen_Pixels_X(p.dest_x), y = Screen_Pixels_Y(p.dest_y);
    const int w = Screen_Pixels_X(p.dest_x + p.dest_w) - x;
    const int h = Screen_Pixels_Y(p.dest_y + p.dest_h) - y;
    if (w <= 0 || h <= 0) continue;  // a zero-length edge paints nothing
    const int sx = SkinPixels(p.src_x), sy = SkinPixels(p.src_y);
    Ignore_Result(StretchBlt(dc, x, y, w, h, skin_dc.get(), sx, sy,
                             SkinPixels(p.src_x + p.src_w) - sx, SkinPixels(p.src_y + p.src_h) - sy,
                             SRCCOPY));
  }
}

void ButtonControl::OnPaint() {
  toolkit::Paint_Buffered(Handle(), [this](HDC dc) {
    face_.Draw(dc, 0, 0);
    const CaptionLabel& label = logic_.Label();
    RECT box{Screen_Pixels_X(label.left), Screen_Pixels_Y(label.top),
             Screen_Pixels_X(label.left + label.width), Screen_Pixels_Y(label.top + label.height)};
    toolkit::SelectedObject font(dc, CaptionFont());
    SetBkMode(dc, TRANSPARENT);
    const std::wstring& text = label.text;
    const UINT format = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    if (label.enabled) {
      SetTextColor(dc, label.colour);
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    } else {
      // The greyed look of a disabled label: a light copy below right.
      RECT light = box;
      OffsetRect(&light, 1, 1);
      SetTextColor(dc, RGB(255, 255, 255));
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &light, format);
      SetTextColor(dc, kGreyText);
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    }
  });
}

void ButtonControl::OnMouse(const toolkit::MouseEvent& mouse) {
  switch (mouse.action) {
    case toolkit::MouseAction::kMove:
      logic_.PointerMoved();
      break;
    case toolkit::MouseAction::kPress:
      OnButtonDown(LogicButton(mouse.button));
      break;
    case toolkit::MouseAction::kRelease:
      OnButtonUp(LogicButton(mouse.button));
      break;
    case toolkit::MouseAction::kNone:
      break;
  }
}

void ButtonControl::OnButtonDown(int button) {
  // A disabled control takes neither the focus nor the pointer; only the
  // left button moves the focus, so the others show no pressed look.
  if (!logic_.Enabled()) return;
  if (button == kLeftButton && GetFocus() != Handle()) SetFocus(Handle());
  if (held_buttons_ == 0) SetCapture(Handle());
  held_buttons_ |= button;
  logic_.ButtonPressed(button);
}

void ButtonControl::OnButtonUp(int button) {
  held_buttons_ &= ~button;
  if (held_buttons_ == 0 && GetCapture() == Handle()) ReleaseCapture();
  // Last: a Click may end the dialog that holds this control.
  logic_.ButtonReleased(button);
}

void ButtonControl::OnCaptureChanged() {
  // Taken away while a button was still down: its release will not come here.
  if (held_buttons_ != 0) logic_.PressesLost();
  held_buttons_ = 0;
}

bool ButtonControl::OnKeyDown(WPARAM key, LPARAM flags) {
  if (key != VK_SPACE) return false;
  const bool repeat = (flags & (1 << 30)) != 0;  // held down: the key came before
  if (!repeat) logic_.SpacePressed();
  return true;
}

bool ButtonControl::OnKeyUp(WPARAM key) {
  if (key != VK_SPACE) return false;
  logic_.SpaceReleased();  // last: a Click may end the dialog that holds this control
  return true;
}

void ButtonControl::OnTimer() {
  POINT at{};
  if (!GetCursorPos(&at)) return;
  HWND under = WindowFromPoint(at);
  if (under == Handle()) {
    logic_.TimerTick(CursorOver::kOwnWindow);
  } else if (under == GetParent(Handle())) {
    logic_.TimerTick(CursorOver::kParentWindow);
  } else {
    logic_.TimerTick(CursorOver::kOtherWindow);
  }
}

// Enter clicks the focused button, or 設定 (IDOK) while no other button has the focus.
bool ButtonControl::IsDefault() const {
  HWND focus = GetFocus();
  if (focus == Handle()) return true;
  if (GetDlgCtrlID(Handle()) != IDOK) return false;
  return !focus || !(SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
}

toolkit::AccessItem ButtonControl::AccessSelf() {
  toolkit::AccessItem self;
  self.role = toolkit::AccessRole::kPushButton;
  self.name = access_name.empty() ? logic_.Label().text : access_name;
  self.states = logic_.Access(GetFocus() == Handle(), IsDefault());
  return self;
}

// Posted: a click may open the file chooser, and the reader's call returns at once.
bool ButtonControl::DoAccessAction(int index) {
  if (index >= 0 || !logic_.Enabled() || !Handle()) return false;
  return PostMessageW(Handle(), BM_CLICK, 0, 0) != FALSE;
}

// A press, a release and a change of the enabled state; the focus the system tells itself.
void ButtonControl::TellStates() {
  const toolkit::AccessStates now = logic_.Access(false, false);
  if (now.pressed == told_pressed_ && now.unavailable == told_unavailable_) return;
  told_pressed_ = now.pressed;
  told_unavailable_ = now.unavailable;
  toolkit::Tell_Readers(Handle(), EVENT_OBJECT_STATECHANGE);
}

LRESULT ButtonControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = OnMessage(message, wparam, lparam);
  // A release may change no face, yet the button is no longer pressed.
  if (message != WM_NCDESTROY) TellStates();
  return result;
}

LRESULT ButtonControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = Handle();
  const toolkit::MouseEvent mouse = toolkit::Mouse_Event(message, lparam);
  if (mouse.action != toolkit::MouseAction::kNone) {
    OnMouse(mouse);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_SIZE:
      OnSize(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureChanged();
      return 0;
    case WM_SETFOCUS:
      logic_.FocusGained();
      return 0;
    case WM_KILLFOCUS:
      logic_.FocusLost();
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(wparam, lparam)) return 0;
      break;
    case WM_KEYUP:
      if (OnKeyUp(wparam)) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | (GetFocus() == window ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_CLICK:
      logic_.Click();  // last: a Click may end the dialog that holds this control
      return 0;
    case WM_TIMER:
      if (wparam == kHoverTimerId) OnTimer();
      return 0;
    case WM_GETOBJECT:
      return AnswerGetObject(*this, wparam, lparam);
    case WM_NCDESTROY:
      Ignore_Result(KillTimer(window, kHoverTimerId));
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace vantrel::button

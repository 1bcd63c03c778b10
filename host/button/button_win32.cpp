#include "button/button_win32.h"

#include <algorithm>

#include "toolkit/app_win32.h"
#include "toolkit/form_win32.h"
#include "toolkit/ignore_result.h"
#include "toolkit/twips.h"

namespace vantrel::button {
namespace {

using toolkit::Ignore_Result;
using toolkit::Screen_Pixels_X;
using toolkit::Screen_Pixels_Y;

constexpr const wchar_t* kCommandClass = L"Yarrin.Command";
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

// Destroyed while still tied, so that no message reaches a control that is going.
ButtonControl::~ButtonControl() {
  if (Handle()) DestroyWindow(Handle());
}

bool ButtonControl::Create(HWND parent, const RECT& pixels, const toolkit::PropertyStore& design,
                           const toolkit::FontDesign& ambient, int id) {
  Register_Class(kCommandClass);
  design_ = &design;
  ambient_ = &ambient;
  // Each button its own group: the arrows do not move the focus off it. Tab
  // skips it while it is disabled, as every disabled window.
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
  // Designed disabled: the window is too, so that it takes no input.
  if (!logic_.Enabled()) EnableWindow(Handle(), FALSE);
}

void ButtonControl::OnSize(int width, int height) {
  if (width == face_.Width() && height == face_.Height()) return;
  face_ = toolkit::Picture(std::max(width, 1), std::max(height, 1));
  logic_.Resized();
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

void ButtonControl::RaiseClick() { toolkit::Report_Click(Handle()); }

HFONT ButtonControl::CaptionFont() {
  if (!font_ || !(font_->Design() == logic_.Font())) {
    font_ = std::make_unique<toolkit::Font>(logic_.Font());
  }
  return font_->Handle();
}

// Clear, gradient, the eight frame pieces; the caption is drawn over the
// kept face at every paint, at the place the logic gave it.
void ButtonControl::PaintFace(Skin skin, bool invert_gradient, const FaceGeometry& geometry) {
  TellStates();  // every change of the enabled state repaints the face
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
      OnPointerMoved(mouse.at);
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

// Over the face it hovers, and the system will tell when the pointer leaves;
// a move outside comes only while a press holds the mouse, and ends the hover.
void ButtonControl::OnPointerMoved(POINT at) {
  RECT client{};
  GetClientRect(Handle(), &client);
  if (!PtInRect(&client, at)) {
    logic_.EndHover();
    return;
  }
  if (!tracking_leave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    tracking_leave_ = TrackMouseEvent(&track) != FALSE;
  }
  logic_.PointerMoved();
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

// Enter clicks the focused button, or 設定 (IDOK) while no other button has
// the focus; a disabled button never.
bool ButtonControl::IsDefault() const {
  if (!logic_.Enabled()) return false;
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
  const toolkit::MouseEvent mouse = toolkit::Mouse_Event(message, lparam);
  if (mouse.action != toolkit::MouseAction::kNone) {
    OnMouse(mouse);
    return 0;
  }
  LRESULT result = 0;
  if (OnWindowMessage(message, wparam, lparam, result) ||
      OnInputMessage(message, wparam, lparam, result)) {
    return result;
  }
  return DefWindowProcW(Handle(), message, wparam, lparam);
}

// The window's life: creation, size, paint, enabled state, screen readers.
bool ButtonControl::OnWindowMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_CREATE:
      OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lparam));
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_SIZE:
      OnSize(LOWORD(lparam), HIWORD(lparam));
      return true;
    case WM_GETOBJECT:
      result = AnswerGetObject(*this, wparam, lparam);
      return true;
    case WM_ENABLE:
      tracking_leave_ = false;  // the next move asks again: a leave may have passed it by
      logic_.SetEnabled(wparam != FALSE);
      return true;
    default:
      return false;
  }
}

// The focus, the keyboard, the dialog manager's questions and the pointer's leaving.
bool ButtonControl::OnInputMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_CAPTURECHANGED:
      OnCaptureChanged();
      return true;
    case WM_SETFOCUS:
      logic_.FocusGained();
      return true;
    case WM_KILLFOCUS:
      logic_.FocusLost();
      return true;
    case WM_KEYDOWN:
      return OnKeyDown(wparam, lparam);
    case WM_KEYUP:
      return OnKeyUp(wparam);
    case WM_GETDLGCODE:
      result = DLGC_BUTTON | (GetFocus() == Handle() && logic_.Enabled() ? DLGC_DEFPUSHBUTTON
                                                                         : DLGC_UNDEFPUSHBUTTON);
      return true;
    case BM_CLICK:
      logic_.Click();  // last: a Click may end the dialog that holds this control
      return true;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      logic_.EndHover();
      return true;
    default:
      return false;
  }
}

}  // namespace vantrel::button

#include "form_win32.h"

#include <algorithm>

#include "app_win32.h"
#include "ignore_result.h"
#include "twips.h"

namespace vantrel::toolkit {
namespace {

constexpr const wchar_t* kFormClass = L"VantrelForm";

bool IsKeyPress(const MSG& message) {
  return message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
}

}  // namespace

// ---- Timer

Timer::Timer(Form& owner, UINT interval_ms, bool enabled, std::function<void()> on_tick)
    : owner_(owner),
      id_(owner.timers_.size() + 1),
      interval_ms_(interval_ms),
      enabled_(enabled),
      on_tick_(std::move(on_tick)) {
  owner.timers_.push_back(this);
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void Timer::Apply() {
  HWND window = owner_.Handle();
  if (!window) return;
  if (enabled_ && interval_ms_ > 0) {
    Ignore_Result(SetTimer(window, id_, interval_ms_, nullptr));
  } else {
    Ignore_Result(KillTimer(window, id_));
  }
}

void Timer::Tick() {
  if (enabled_ && on_tick_) on_tick_();
}

// ---- Elements

Element::Element(Form& owner) : owner_(owner) { owner.elements_.push_back(this); }

void Element::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  owner_.Refresh();
}

RECT Element::PixelRect() const {
  const int left = owner_.ToPixelsX(left_);
  const int top = owner_.ToPixelsY(top_);
  return RECT{left, top, left + owner_.ToPixelsX(width_), top + owner_.ToPixelsY(height_)};
}

void Image::SetPicture(const Picture* picture) {
  picture_ = picture;
  owner_.Refresh();
}

void Image::Draw(HDC dc, const RECT& pixels) const {
  if (!picture_) return;
  const int width = pixels.right - pixels.left;
  const int height = pixels.bottom - pixels.top;
  // The element clips its picture to its own rectangle.
  const SavedDC saved(dc);
  IntersectClipRect(dc, pixels.left, pixels.top, pixels.right, pixels.bottom);
  const int designed_w = Screen_Pixels_X(picture_->Width() * kPictureTwipsPerPixel);
  const int designed_h = Screen_Pixels_Y(picture_->Height() * kPictureTwipsPerPixel);
  if (stretch_) {
    picture_->DrawStretched(dc, pixels.left, pixels.top, width, height);
  } else if (designed_w == picture_->Width() && designed_h == picture_->Height()) {
    picture_->Draw(dc, pixels.left, pixels.top);
  } else {
    picture_->DrawStretched(dc, pixels.left, pixels.top, designed_w, designed_h);
  }
}

// ---- Form

Form::Form(FormDesign design) : design_(std::move(design)) {}

Form::Form(Form& parent, FormDesign design) : design_(std::move(design)), parent_(&parent) {
  parent.children_.push_back(this);
}

// Destroyed while still tied to the form, so that the count of forms and its
// icons end with it. The subclass, with its timers, elements and events, has
// gone already: the window's destruction kills its timers itself.
Form::~Form() {
  timers_.clear();
  elements_.clear();
  if (Handle()) DestroyWindow(Handle());
}

bool Form::Load(HWND parent_window) {
  if (Handle()) return true;
  Register_Class(kFormClass);
  HWND parent = parent_ ? parent_->Handle() : parent_window;
  const int left = Screen_Pixels_X(design_.left), top = Screen_Pixels_Y(design_.top);
  const RECT pixels{left, top, left + Screen_Pixels_X(design_.width),
                    top + Screen_Pixels_Y(design_.height)};
  if (!CreateTied(design_.ex_style, kFormClass, design_.caption.c_str(), design_.style, pixels,
                  parent, design_.id)) {
    return false;
  }
  App_Form_Loaded();
  // A child form shows the cues as its parent does; a top-level form hides
  // them until the first key unless the user asks for them always.
  focus_cues_hidden_ = parent_ ? parent_->focus_cues_hidden_ : !Focus_Cues_Always();
  SetIcons();
  FitImageToClient();
  for (Form* child : children_) child->Load();
  for (Timer* timer : timers_) timer->Apply();
  Form_Load();
  return true;
}

void Form::Show() {
  if (!Handle()) return;
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
}

void Form::ShowModal() {
  if (!Handle() && !Load()) return;
  Show();
  MSG message;
  while (Handle()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // Leave the quit request for the outer loop.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsKeyPress(message)) ShowFocusCues(message);
    // The dialog manager dispatches every message of this form's windows itself.
    if (IsDialogMessageW(Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// From the first key in the form on, as Windows shows them.
void Form::ShowFocusCues(const MSG& key) {
  if (!focus_cues_hidden_ || (key.hwnd != Handle() && !IsChild(Handle(), key.hwnd))) return;
  SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

int Form::Focused_Among(const std::vector<HWND>& windows) const {
  // The focus may sit in a part of a listed window (a combo box's edit field).
  for (HWND w = GetFocus(); w && w != Handle(); w = GetParent(w)) {
    const auto found = std::find(windows.begin(), windows.end(), w);
    if (found != windows.end()) return static_cast<int>(found - windows.begin());
  }
  return -1;
}

bool Form::Unload() {
  if (!Handle()) return true;
  if (Form_QueryUnload()) return false;
  if (!unload_ran_) {
    unload_ran_ = true;
    Form_Unload();
  }
  if (Handle()) DestroyWindow(Handle());
  return true;
}

void Form::Move(int left, int top, int width, int height) {
  design_.left = left;
  design_.top = top;
  design_.width = width;
  design_.height = height;
  if (!Handle()) return;
  SetWindowPos(Handle(), nullptr, Screen_Pixels_X(left), Screen_Pixels_Y(top),
               Screen_Pixels_X(width), Screen_Pixels_Y(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ToPixelsX(int units) const {
  return design_.scale == ScaleMode::kPixels ? units : Screen_Pixels_X(units);
}

int Form::ToPixelsY(int units) const {
  return design_.scale == ScaleMode::kPixels ? units : Screen_Pixels_Y(units);
}

HDC Form::BeginDrawing() {
  if (!drawing_ && !image_.Empty()) drawing_ = std::make_unique<BitmapDC>(image_.Bitmap());
  return drawing_ ? drawing_->get() : nullptr;
}

void Form::EndDrawing() {
  if (!drawing_) return;
  drawing_.reset();
  Refresh();
}

void Form::ClearImage() {
  if (HDC dc = BeginDrawing()) {
    Fill_Rect(dc, RECT{0, 0, image_.Width(), image_.Height()}, design_.back_colour);
    EndDrawing();
  }
}

void Form::Refresh() {
  if (!Handle()) return;
  InvalidateRect(Handle(), nullptr, FALSE);
  // What a see-through child shows of this image changes with it.
  for (Form* child : children_) {
    if (child->design_.see_through) child->Refresh();
  }
}

void Form::ResizeImage(int width, int height) {
  if (width == image_.Width() && height == image_.Height()) return;
  Picture resized(width, height);
  if (!resized.Empty()) {
    BitmapDC dc(resized.Bitmap());
    Fill_Rect(dc.get(), RECT{0, 0, width, height}, design_.back_colour);
    image_.Draw(dc.get(), 0, 0);  // what was drawn stays where it was
  }
  image_ = std::move(resized);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (Form_Message(message, wparam, lparam, result)) return result;
  const MouseEvent mouse = Mouse_Event(message, lparam);
  if (mouse.action != MouseAction::kNone) OnMouse(mouse);
  if (mouse.action == MouseAction::kPress) return 0;  // releases and moves go on below
  if (OnWindowMessage(message, wparam, result) || OnInputMessage(message, wparam, lparam, result)) {
    return result;
  }
  return DefWindowProcW(Handle(), message, wparam, lparam);
}

// The window's life: size, paint, timers, closing and destruction.
bool Form::OnWindowMessage(UINT message, WPARAM wparam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SIZE:
      OnSize();
      return true;
    case WM_ERASEBKGND:
      result = 1;  // the kept image covers the whole client area
      return true;
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_TIMER:
      OnTimer(wparam);
      return true;
    case WM_CLOSE:
      Unload();
      return true;
    case WM_QUERYENDSESSION:
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wparam) Unload();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    case WM_NCDESTROY:
      OnNcDestroy();
      return false;  // the window object lets go of the window below
    default:
      return false;
  }
}

// The focus, commands, the focus cues, the pointer and screen readers.
bool Form::OnInputMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_COMMAND:
      if (parent_) SendMessageW(parent_->Handle(), WM_COMMAND, wparam, lparam);
      return true;
    case WM_CHANGEUISTATE:
      OnChangeUiState(wparam);
      return true;
    case WM_UPDATEUISTATE:
      OnUpdateUiState(wparam);
      return true;
    case WM_QUERYUISTATE:
      result = focus_cues_hidden_ ? UISF_HIDEFOCUS : 0;
      return true;
    case WM_SETCURSOR:
      result = TRUE;
      return OnSetCursor();
    case WM_GETOBJECT:
      if (AccessibleElements().empty()) return false;
      result = AnswerGetObject(*this, wparam, lparam);
      return true;
    default:
      return false;
  }
}

void Form::OnSize() {
  FitImageToClient();
  Form_Resize();
}

void Form::FitImageToClient() {
  RECT client{};
  GetClientRect(Handle(), &client);
  ResizeImage(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
}

void Form::OnPaint() {
  // Composed off-screen so that elements never flicker over the image.
  Paint_Buffered(Handle(), [this](HDC dc) {
    if (design_.see_through && parent_) {
      POINT at{0, 0};
      MapWindowPoints(Handle(), parent_->Handle(), &at, 1);
      parent_->image_.Draw(dc, -at.x, -at.y);
    } else {
      image_.Draw(dc, 0, 0);
    }
    for (const Element* element : elements_) {
      element->Draw(dc, element->PixelRect());
    }
  });
}

void Form::OnTimer(WPARAM id) {
  for (Timer* timer : timers_) {
    if (timer->id_ == id) timer->Tick();
  }
}

void Form::OnMouse(const MouseEvent& mouse) {
  if (mouse.action == MouseAction::kRelease) Form_MouseUp(mouse.button);
  if (mouse.action != MouseAction::kPress) return;
  Form_MouseDown(mouse.button);
  // The element drawn last lies on top and takes the click.
  for (auto it = elements_.rbegin(); it != elements_.rend(); ++it) {
    const Element* element = *it;
    const RECT rect = element->PixelRect();
    if (PtInRect(&rect, mouse.at)) {
      if (element->on_mouse_down) element->on_mouse_down(mouse.button);
      return;
    }
  }
}

bool Form::OnSetCursor() {
  if (Mouse_Pointer() != MousePointer::kHourglass) return false;
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  return true;
}

// A change of the focus cues asked anywhere goes up to the top-level form,
// which tells its windows when the state changes.
void Form::OnChangeUiState(WPARAM wparam) {
  if (parent_) {
    SendMessageW(parent_->Handle(), WM_CHANGEUISTATE, wparam, 0);
    return;
  }
  const WORD action = LOWORD(wparam);
  if (!(HIWORD(wparam) & UISF_HIDEFOCUS) || (action != UIS_SET && action != UIS_CLEAR)) return;
  const bool hidden = action == UIS_SET && !Focus_Cues_Always();
  if (hidden == focus_cues_hidden_) return;
  SendMessageW(Handle(), WM_UPDATEUISTATE, MAKEWPARAM(hidden ? UIS_SET : UIS_CLEAR, UISF_HIDEFOCUS),
               0);
}

void Form::OnUpdateUiState(WPARAM wparam) {
  const WORD action = LOWORD(wparam);
  if ((HIWORD(wparam) & UISF_HIDEFOCUS) && (action == UIS_SET || action == UIS_CLEAR)) {
    focus_cues_hidden_ = action == UIS_SET;
    Refresh();
  }
  for (Form* child : children_) {
    if (child->Handle()) SendMessageW(child->Handle(), WM_UPDATEUISTATE, wparam, 0);
  }
}

void Form::SetIcons() {
  if (design_.icon == 0) return;
  const int sizes[2] = {32, 16};
  const WPARAM kinds[2] = {ICON_BIG, ICON_SMALL};
  for (int i = 0; i < 2; ++i) {
    icons_[i] =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(design_.icon),
                                      IMAGE_ICON, sizes[i], sizes[i], 0));
    if (icons_[i])
      SendMessageW(Handle(), WM_SETICON, kinds[i], reinterpret_cast<LPARAM>(icons_[i]));
  }
}

void Form::OnDestroy() {
  for (Timer* timer : timers_) Ignore_Result(KillTimer(Handle(), timer->id_));
  // A window destroyed from outside (its parent went) still unloads.
  if (!unload_ran_) {
    unload_ran_ = true;
    Form_Unload();
  }
  App_Form_Gone();
}

// The window no longer shows its icons: they go.
void Form::OnNcDestroy() {
  for (HICON& icon : icons_) {
    if (icon) DestroyIcon(icon);
    icon = nullptr;
  }
}

std::vector<Element*> Form::AccessibleElements() const {
  std::vector<Element*> shown;
  for (Element* element : elements_) {
    if (element->Access() != AccessRole::kNone) shown.push_back(element);
  }
  return shown;
}

AccessItem Form::AccessChild(int index) {
  const std::vector<Element*> shown = AccessibleElements();
  AccessItem item;
  if (index < 0 || index >= static_cast<int>(shown.size())) return item;
  const Element& element = *shown[index];
  item.role = element.Access();
  item.name = element.AccessName();
  item.screen = element.PixelRect();
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&item.screen), 2);
  return item;
}

bool Form::DoAccessAction(int index) {
  const std::vector<Element*> shown = AccessibleElements();
  if (index < 0 || index >= static_cast<int>(shown.size()) || !shown[index]->on_activate) {
    return false;
  }
  shown[index]->on_activate();
  return true;
}

void Enable_Control(HWND control, bool enabled) {
  if (!control) return;
  HWND focus = GetFocus();
  if (!enabled && focus && (focus == control || IsChild(control, focus))) {
    HWND dialog = GetAncestor(control, GA_ROOT);
    HWND next = GetNextDlgTabItem(dialog, control, FALSE);
    SetFocus(next && next != control ? next : dialog);
  }
  EnableWindow(control, enabled ? TRUE : FALSE);
}

void Report_Click(HWND control) {
  if (!control) return;
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

// ---- PictureBox

void PictureBox::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  if (Loaded()) Form_Load();
}

void PictureBox::Form_Load() {
  if (auto_size_ && picture_.Width() > 0 && picture_.Height() > 0) {
    SetWindowPos(Handle(), nullptr, 0, 0, picture_.Width(), picture_.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ClearImage();
  if (HDC dc = BeginDrawing()) {
    picture_.Draw(dc, 0, 0);
    EndDrawing();
  }
}

}  // namespace vantrel::toolkit

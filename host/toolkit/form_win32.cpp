#include "form_win32.h"

#include <algorithm>

#include "app_win32.h"
#include "ignore_result.h"
#include "twips.h"

namespace vantrel::toolkit {
namespace {

constexpr const char* kFormClass = "VantrelForm";
constexpr const wchar_t* kFormClassWide = L"VantrelForm";

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
  if (!owner_.window_) return;
  if (enabled_ && interval_ms_ > 0) {
    Ignore_Result(SetTimer(owner_.window_, id_, interval_ms_, nullptr));
  } else {
    Ignore_Result(KillTimer(owner_.window_, id_));
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

Form::~Form() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool Form::Load(HWND parent_window) {
  if (window_) return true;
  Register_Window_Class(kFormClass, &Form::WindowProc);
  HWND parent = parent_ ? parent_->window_ : parent_window;
  window_ = CreateWindowExW(
      design_.ex_style, kFormClassWide, design_.caption.c_str(), design_.style,
      Screen_Pixels_X(design_.left), Screen_Pixels_Y(design_.top), Screen_Pixels_X(design_.width),
      Screen_Pixels_Y(design_.height), parent, nullptr, GetModuleHandleW(nullptr), this);
  if (!window_) return false;
  App_Form_Loaded();
  FitImageToClient();
  for (Form* child : children_) child->Load();
  for (Timer* timer : timers_) timer->Apply();
  Form_Load();
  return true;
}

void Form::Show() {
  if (!window_) return;
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

void Form::ShowModal() {
  if (!window_ && !Load()) return;
  Show();
  MSG message;
  while (window_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // Leave the quit request for the outer loop.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (message.message == WM_KEYDOWN &&
        (message.wParam == VK_TAB ? MoveFocusByTab(GetKeyState(VK_SHIFT) < 0)
                                  : Form_KeyDown(message.wParam))) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int Form::Focused_Among(const std::vector<HWND>& windows) const {
  // The focus may sit in a part of a listed window (a combo box's edit field).
  for (HWND w = GetFocus(); w && w != window_; w = GetParent(w)) {
    const auto found = std::find(windows.begin(), windows.end(), w);
    if (found != windows.end()) return static_cast<int>(found - windows.begin());
  }
  return -1;
}

bool Form::MoveFocusByTab(bool backwards) {
  const std::vector<HWND> order = Form_TabOrder();
  const int count = static_cast<int>(order.size());
  if (count == 0) return false;
  const int focused = Focused_Among(order);
  const int current = focused >= 0 ? focused : backwards ? count : -1;
  for (int step = 1; step <= count; ++step) {
    const int index = ((current + (backwards ? -step : step)) % count + count) % count;
    HWND candidate = order[index];
    if (candidate && IsWindowVisible(candidate) && IsWindowEnabled(candidate) &&
        (GetWindowLongA(candidate, GWL_STYLE) & WS_TABSTOP)) {
      SetFocus(candidate);
      return true;
    }
  }
  return true;
}

bool Form::Unload(UnloadReason reason) {
  if (!window_) return true;
  if (Form_QueryUnload(reason)) return false;
  if (!unload_ran_) {
    unload_ran_ = true;
    Form_Unload();
  }
  if (window_) DestroyWindow(window_);
  return true;
}

void Form::Move(int left, int top, int width, int height) {
  design_.left = left;
  design_.top = top;
  design_.width = width;
  design_.height = height;
  if (!window_) return;
  SetWindowPos(window_, nullptr, Screen_Pixels_X(left), Screen_Pixels_Y(top),
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
  if (window_) InvalidateRect(window_, nullptr, FALSE);
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

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCCREATE) form->window_ = window;
  return form->HandleMessage(message, wparam, lparam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = window_;
  LRESULT result = 0;
  if (Form_Message(message, wparam, lparam, result)) return result;
  const MouseEvent mouse = Mouse_Event(message, lparam);
  if (mouse.action != MouseAction::kNone) OnMouse(mouse);
  if (mouse.action == MouseAction::kPress) return 0;  // releases and moves go on below
  switch (message) {
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the kept image covers the whole client area
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_TIMER:
      OnTimer(wparam);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor()) return TRUE;
      break;
    case WM_CLOSE:
      Unload(UnloadReason::kCloseBox);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam) Unload(UnloadReason::kSessionEnd);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (on_focus) on_focus(message == WM_SETFOCUS);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Form::OnSize() {
  FitImageToClient();
  Form_Resize();
}

void Form::FitImageToClient() {
  RECT client{};
  GetClientRect(window_, &client);
  ResizeImage(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
}

void Form::OnPaint() {
  // Composed off-screen so that elements never flicker over the image.
  Paint_Buffered(window_, [this](HDC dc) {
    image_.Draw(dc, 0, 0);
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

void Form::OnDestroy() {
  for (Timer* timer : timers_) Ignore_Result(KillTimer(window_, timer->id_));
  // A window destroyed from outside (its parent went) still unloads.
  if (!unload_ran_) {
    unload_ran_ = true;
    Form_Unload();
  }
  App_Form_Gone();
}

void Form::OnNcDestroy() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
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

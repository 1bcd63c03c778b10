#include "window_object_win32.h"

#include "app_win32.h"

namespace vantrel::toolkit {

WindowObject::~WindowObject() {
  if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

void WindowObject::Register_Class(const wchar_t* class_name) {
  Register_Window_Class(class_name, &WindowObject::Procedure);
}

bool WindowObject::CreateTied(DWORD ex_style, const wchar_t* class_name, const wchar_t* text,
                              DWORD style, const RECT& pixels, HWND parent, int id) {
  // The window attaches itself to this object as it is created (Procedure).
  return CreateWindowExW(ex_style, class_name, text, style, pixels.left, pixels.top,
                         pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), this) != nullptr;
}

LRESULT WindowObject::AnswerGetObject(AccessSource& source, WPARAM wparam, LPARAM lparam) {
  if (const auto answer = accessible_.Answer(window_, source, wparam, lparam)) return *answer;
  return DefWindowProcW(window_, WM_GETOBJECT, wparam, lparam);
}

LRESULT CALLBACK WindowObject::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<WindowObject*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->window_ = window;
  }
  auto* object = reinterpret_cast<WindowObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!object) return DefWindowProcW(window, message, wparam, lparam);
  const LRESULT result = object->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    object->window_ = nullptr;
    object->accessible_.Disconnect();
  }
  return result;
}

}  // namespace vantrel::toolkit

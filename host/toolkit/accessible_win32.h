// What the host's windows tell screen readers. A window answers WM_GETOBJECT
// for its client area with the system's own object for it
// (CreateStdAccessibleObject), over which its AccessSource lays what differs:
// - the object's role, name and states; everything not said passes through;
// - simple children after the system's (the child windows), numbered from
//   the system's count + 1, so from 1 in a window without child windows;
// - default actions: a push button's "押す", a radio button's "チェック" and
//   a link's "ジャンプ", the words Japanese Windows uses.
// A reader may keep the object after its window has gone: from then on every
// call fails with RPC_E_DISCONNECTED.
//
// The objects reach other processes through COM: the thread that shows such
// windows holds a ComApartment. Link -luuid before -loleacc, or IID_IAccessible
// binds to a thunk of oleacc's import library and every query fails.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "access.h"

namespace vantrel::toolkit {

// The window's own object or one of its simple children.
struct AccessItem {
  AccessRole role = AccessRole::kNone;  // kNone: the system's role (the window's own object)
  std::optional<std::wstring> name;     // nothing: the system's name
  std::optional<AccessStates> states;   // nothing: the system's states
  RECT screen{};                        // a child's place on the screen, in pixels
};

class AccessSource {
 public:
  virtual ~AccessSource() = default;
  virtual AccessItem AccessSelf() { return {}; }
  virtual int AccessChildCount() { return 0; }
  virtual AccessItem AccessChild(int /*index*/) { return {}; }
  // The default action of the window's own object (index -1) or of a child;
  // false when there is none here.
  virtual bool DoAccessAction(int /*index*/) { return false; }
  // The child that holds the keyboard focus; -1 for none.
  virtual int AccessFocus() { return -1; }
};

class AccessibleObject;

// The object a window hands out, made at the first request and kept until
// the window goes.
class AccessibleClient {
 public:
  AccessibleClient() = default;
  ~AccessibleClient() { Disconnect(); }
  AccessibleClient(const AccessibleClient&) = delete;
  AccessibleClient& operator=(const AccessibleClient&) = delete;

  // The answer to WM_GETOBJECT: for the client area the object, described by
  // `source`; nothing for the window's other objects.
  std::optional<LRESULT> Answer(HWND window, AccessSource& source, WPARAM wparam, LPARAM lparam);
  // The window has gone: readers that still hold the object are let go.
  void Disconnect();

 private:
  AccessibleObject* object_ = nullptr;
};

// Gives a window of the system's classes (a combo box and its edit field)
// `name` for screen readers, whatever its text; its own object stays the
// system's in all else.
void Name_For_Readers(HWND window, const std::wstring& name);

// Tells screen readers of a change to the window's client object or to its
// child `child` (0: the object itself): EVENT_OBJECT_FOCUS, _STATECHANGE.
void Tell_Readers(HWND window, DWORD event, long child = CHILDID_SELF);

// COM on this thread, as long as it lives: the apartment in which screen
// readers reach the objects of the windows it shows.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool joined_;
};

}  // namespace vantrel::toolkit

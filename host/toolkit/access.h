// What a screen reader is told of an object: its role and its states, in
// the toolkit's terms. Portable; accessible_win32.cpp turns them into the
// platform's roles, states and default actions.
#pragma once

namespace vantrel::toolkit {

// kNone: the object keeps what the system says of it, or, for an element,
// is not shown to screen readers at all.
enum class AccessRole { kNone, kText, kLink, kPushButton, kRadioButton, kGrouping };

struct AccessStates {
  bool focusable = false;
  bool focused = false;
  bool pressed = false;
  bool unavailable = false;
  bool is_default = false;  // what Enter would press
  bool checked = false;
  bool operator==(const AccessStates& o) const {
    return focusable == o.focusable && focused == o.focused && pressed == o.pressed &&
           unavailable == o.unavailable && is_default == o.is_default && checked == o.checked;
  }
  bool operator!=(const AccessStates& o) const { return !(*this == o); }
};

}  // namespace vantrel::toolkit

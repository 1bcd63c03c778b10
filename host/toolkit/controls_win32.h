// Designed controls of the host's window toolkit beyond images: labels and rectangle shapes
// (windowless, drawn by their form) and the combo box (the platform's own COMBOBOX window).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "font_design.h"
#include "form_win32.h"
#include "gdi_win32.h"

namespace vantrel::toolkit {

struct LabelDesign {
  std::wstring caption;
  FontDesign font;
  COLORREF colour = RGB(0, 0, 0);
  UINT alignment = DT_LEFT;  // DT_LEFT, DT_CENTER or DT_RIGHT
  bool word_wrap = false;
  bool border = false;     // a single black line around the label
  bool auto_size = false;  // the label takes the size of its caption
  AccessRole access =
      AccessRole::kText;  // to a screen reader: its caption as text, a link or nothing
};

// A label on a transparent background: the form's image shows through.
class Label : public Element {
 public:
  Label(Form& owner, LabelDesign design);
  void SetCaption(const std::wstring& caption);
  const std::wstring& Caption() const { return design_.caption; }
  // The dotted frame that shows where the keyboard is, while the form shows
  // focus cues.
  void SetFocusCue(bool shown);
  void Draw(HDC dc, const RECT& pixels) const override;
  AccessRole Access() const override { return design_.access; }
  std::wstring AccessName() const override { return design_.caption; }

 private:
  void FitToCaption();
  LabelDesign design_;
  Font font_;
  bool focus_cue_ = false;
};

// A rectangle outline without fill.
class Shape : public Element {
 public:
  Shape(Form& owner, COLORREF border) : Element(owner), border_(border) {}
  void Draw(HDC dc, const RECT& pixels) const override;

 private:
  COLORREF border_;
};

// A combo box with editable text and a drop-down list.
class ComboBox {
 public:
  ComboBox(Form& owner, const FontDesign& font) : owner_(owner), font_(font) {}
  ~ComboBox();
  ComboBox(const ComboBox&) = delete;
  ComboBox& operator=(const ComboBox&) = delete;

  // Creates the window in the loaded owner at its twips rectangle; the list
  // drops `list_rows` rows below the edit field.
  bool Create(int left, int top, int width, int height, int list_rows);
  HWND Handle() const { return window_; }
  void SetEnabled(bool enabled);
  void SetText(const std::wstring& text);
  std::wstring Text() const;
  void AddItem(const std::wstring& item);
  // The name screen readers give the box and its edit field.
  void SetAccessName(const std::wstring& name);

 private:
  Form& owner_;
  Font font_;
  HWND window_ = nullptr;
};

}  // namespace vantrel::toolkit

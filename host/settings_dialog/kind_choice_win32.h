// The music kinds' control on Win32: a see-through child window of the
// dialog's panel that holds the rows' marks and captions. To the dialog
// manager it is one tab stop that asks for the arrow keys; a press on a row
// takes the focus, as a radio button does; a choice reaches the parent as
// WM_COMMAND with BN_CLICKED and the control's id. To a screen reader it is a
// grouping named "BGM" whose children are the rows, as radio buttons.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "settings_dialog/kind_choice.h"
#include "toolkit/controls_win32.h"
#include "toolkit/form_win32.h"
#include "toolkit/picture_win32.h"

namespace vantrel::host {

class KindChoice final : public toolkit::Form, private KindChoiceSurface {
 public:
  // Loaded with `panel`; `id` names it in the commands it sends.
  KindChoice(toolkit::Form& panel, int id);

  void Show(MusicKind kind) { logic_.Show(kind); }
  MusicKind Chosen() const { return logic_.Chosen(); }

 private:
  static toolkit::FormDesign Design(int id);
  void Pressed(int row);
  bool Form_Message(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

  // KindChoiceSurface
  void ShowRow(int row, bool selected, bool focus_cue) override;
  void TellReaders(KindNotice notice) override;
  void RaiseChosen() override;

  // AccessSource
  toolkit::AccessItem AccessSelf() override;
  int AccessChildCount() override { return kKindRows; }
  toolkit::AccessItem AccessChild(int index) override;
  bool DoAccessAction(int index) override;
  int AccessFocus() override { return logic_.Access().focused - 1; }

  toolkit::Picture mark_unselected_, mark_selected_;
  std::array<std::unique_ptr<toolkit::Image>, kKindRows> marks_;
  std::array<std::unique_ptr<toolkit::Label>, kKindRows> captions_;
  KindChoiceLogic logic_;
};

}  // namespace vantrel::host

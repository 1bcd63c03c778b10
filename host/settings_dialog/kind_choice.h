// The music kinds as one control, as a group of radio buttons is one: it
// shows which kind is chosen (a mark per row), moves the choice with the
// arrow keys in screen order and round, shows the focus cue on the chosen
// row while it has the keyboard focus, and tells screen readers of its rows
// as radio buttons, children 1 to 3 from the top. Portable; the Win32 shell
// (kind_choice_win32.cpp) turns messages into these calls.
#pragma once

#include <vector>

#include "settings/host_wide.h"

namespace vantrel::host {

// The rows from the top of the screen down, the order the arrow keys follow.
inline constexpr int kKindRows = 3;
inline constexpr MusicKind kKindScreenOrder[kKindRows] = {MusicKind::kCd, MusicKind::kNone,
                                                          MusicKind::kFile};
inline constexpr const wchar_t* kKindRowCaptions[kKindRows] = {L"音楽CD", L"なし", L"MP3、WAV"};

// The row of a kind, 0 at the top; -1 for a kind the dialog does not offer.
int Kind_Row(MusicKind kind);

// The children checked and focused, 1 to 3 from the top; 0 names none.
struct KindAccess {
  int checked = 0, focused = 0;
};
// What screen readers are told of a change, as Windows' events say it.
enum class KindEvent { kStateChange, kFocus };
struct KindNotice {
  KindEvent event;
  int child;
  bool operator==(const KindNotice& o) const { return event == o.event && child == o.child; }
};
// The check's change first, then the focus, so that the kind that gains the
// focus is spoken with its new state.
std::vector<KindNotice> Kind_Notices(KindAccess before, KindAccess now);

// What the control needs from its window.
class KindChoiceSurface {
 public:
  virtual ~KindChoiceSurface() = default;
  // The row's mark, selected or not, and its focus cue.
  virtual void ShowRow(int row, bool selected, bool focus_cue) = 0;
  virtual void TellReaders(KindNotice notice) = 0;
  // The user chose a kind: the dialog hears of it.
  virtual void RaiseChosen() = 0;
};

class KindChoiceLogic {
 public:
  explicit KindChoiceLogic(KindChoiceSurface& surface) : surface_(surface) {}

  // Shows `kind` as chosen; a kind outside the rows shows none. The dialog
  // does not hear of it: it set it.
  void Show(MusicKind kind);
  // A press on a row or a reader's action: shown, and the dialog hears of it.
  void Choose(MusicKind kind);
  // Down and Right choose the next row, Up and Left the previous one, round
  // at the ends; from a kind outside the rows, the first or the last row.
  void Arrow(bool down);
  void Focus(bool focused);

  MusicKind Chosen() const { return chosen_; }
  KindAccess Access() const;

 private:
  void ShowRows();

  KindChoiceSurface& surface_;
  MusicKind chosen_ = MusicKind::kNone;
  bool focused_ = false;
  KindAccess told_;  // as screen readers last heard
};

}  // namespace vantrel::host

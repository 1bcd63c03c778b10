#include "settings_dialog/kind_choice.h"

namespace vantrel::host {

int Kind_Row(MusicKind kind) {
  for (int row = 0; row < kKindRows; ++row) {
    if (kKindScreenOrder[row] == kind) return row;
  }
  return -1;
}

std::vector<KindNotice> Kind_Notices(KindAccess before, KindAccess now) {
  std::vector<KindNotice> notices;
  if (before.checked != now.checked) {
    for (int child : {before.checked, now.checked}) {
      if (child != 0) notices.push_back({KindEvent::kStateChange, child});
    }
  }
  if (now.focused != before.focused && now.focused != 0) {
    notices.push_back({KindEvent::kFocus, now.focused});
  }
  return notices;
}

void KindChoiceLogic::Show(MusicKind kind) {
  chosen_ = kind;
  ShowRows();
}

void KindChoiceLogic::Choose(MusicKind kind) {
  Show(kind);
  surface_.RaiseChosen();
}

void KindChoiceLogic::Arrow(bool down) {
  const int row = Kind_Row(chosen_);
  const int next =
      row < 0 ? (down ? 0 : kKindRows - 1) : (row + (down ? 1 : kKindRows - 1)) % kKindRows;
  Choose(kKindScreenOrder[next]);
}

void KindChoiceLogic::Focus(bool focused) {
  focused_ = focused;
  ShowRows();
}

KindAccess KindChoiceLogic::Access() const {
  const int child = Kind_Row(chosen_) + 1;
  return KindAccess{child, focused_ ? child : 0};
}

// Screen readers hear of what changed.
void KindChoiceLogic::ShowRows() {
  const int chosen_row = Kind_Row(chosen_);
  for (int row = 0; row < kKindRows; ++row) {
    surface_.ShowRow(row, row == chosen_row, focused_ && row == chosen_row);
  }
  const KindAccess now = Access();
  for (const KindNotice& notice : Kind_Notices(told_, now)) surface_.TellReaders(notice);
  told_ = now;
}

}  // namespace vantrel::host

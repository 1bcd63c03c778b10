#include "settings_dialog/kind_choice.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <utility>
#include <vector>

namespace vantrel::host {
namespace {

// The rows as the user sees them and what screen readers and the dialog hear.
class RecordingSurface : public KindChoiceSurface {
 public:
  std::array<bool, kKindRows> marks{}, cues{};
  std::vector<KindNotice> told;
  int chosen = 0;  // times the dialog heard of a choice

  void ShowRow(int row, bool selected, bool focus_cue) override {
    marks.at(row) = selected;
    cues.at(row) = focus_cue;
  }
  void TellReaders(KindNotice notice) override { told.push_back(notice); }
  void RaiseChosen() override { ++chosen; }
};

TEST(KindChoice, ArrowsFollowTheScreenOrderRoundWithTheCueAndTellTheDialog) {
  RecordingSurface surface;
  KindChoiceLogic kinds(surface);
  kinds.Show(static_cast<MusicKind>(9));  // not offered: no row shows it
  EXPECT_EQ(surface.marks, (std::array<bool, kKindRows>{}));
  EXPECT_EQ(surface.chosen, 0);
  kinds.Focus(true);
  // Rows from the top: 音楽CD (1), なし (0), MP3、WAV (2).
  for (auto [down, row] : {std::pair{true, 0}, {true, 1}, {true, 2}, {true, 0}, {false, 2}}) {
    kinds.Arrow(down);
    EXPECT_EQ(kinds.Chosen(), kKindScreenOrder[row]);
    for (int i = 0; i < kKindRows; ++i) {
      EXPECT_EQ(surface.marks[i], i == row);
      EXPECT_EQ(surface.cues[i], i == row);
    }
  }
  EXPECT_EQ(surface.chosen, 5);
}

TEST(KindChoice, ScreenReadersHearTheCheckedAndFocusedRowsChange) {
  const KindNotice state1{KindEvent::kStateChange, 1}, state2{KindEvent::kStateChange, 2},
      state3{KindEvent::kStateChange, 3};
  RecordingSurface surface;
  KindChoiceLogic kinds(surface);
  kinds.Show(MusicKind::kCd);
  EXPECT_EQ(surface.told, std::vector<KindNotice>{state1});  // at load
  const struct {
    std::function<void(KindChoiceLogic&)> act;
    std::vector<KindNotice> told;
    int checked, focused;
  } steps[] = {
      {[](KindChoiceLogic& k) { k.Focus(true); }, {{KindEvent::kFocus, 1}}, 1, 1},
      {[](KindChoiceLogic& k) { k.Arrow(true); }, {state1, state2, {KindEvent::kFocus, 2}}, 2, 2},
      {[](KindChoiceLogic& k) { k.Choose(MusicKind::kNone); }, {}, 2, 2},
      {[](KindChoiceLogic& k) { k.Focus(false); }, {}, 2, 0},
      {[](KindChoiceLogic& k) { k.Choose(MusicKind::kFile); }, {state2, state3}, 3, 0},
  };
  for (const auto& step : steps) {
    surface.told.clear();
    step.act(kinds);
    EXPECT_EQ(surface.told, step.told);
    EXPECT_EQ(kinds.Access().checked, step.checked);
    EXPECT_EQ(kinds.Access().focused, step.focused);
  }
}

}  // namespace
}  // namespace vantrel::host

#include "button/button_logic.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace vantrel::controls {
namespace {

struct Drawing {
  Skin skin;
  bool invert;
};

class RecordingSurface : public CommandSurface {
 public:
  std::vector<Drawing> drawings;
  std::vector<std::wstring> changed;
  std::vector<CaptionLabel> captions;
  int clicks = 0;
  unsigned timer_interval = 0;
  int32_t width = 1155, height = 375;

  void PaintFace(Skin skin, bool invert, const CaptionLabel& caption) override {
    drawings.push_back({skin, invert});
    captions.push_back(caption);
  }
  int32_t WidthTwips() override { return width; }
  int32_t HeightTwips() override { return height; }
  void StartHoverTimer(unsigned interval_ms) override { timer_interval = interval_ms; }
  void PropertyChanged(const wchar_t* name) override { changed.push_back(name); }
  void RaiseClick() override { ++clicks; }

  Skin LastSkin() const { return drawings.back().skin; }
};

// An enabled, initialised control in `state`, with no drawings recorded yet.
struct Button {
  RecordingSurface surface;
  CommandLogic logic{surface};
  explicit Button(ButtonState state = ButtonState::kNormal) {
    logic.Restore(toolkit::PropertyStore{}, toolkit::FontDesign{});
    logic.Initialize();
    logic.State = state;
    surface.drawings.clear();
  }
};

TEST(CommandTransitions, EveryRowOfTheTable) {
  struct Row {  // states by their numbers, as the transition table gives them
    const char* name;
    int from;
    void (*input)(CommandLogic&);
    int to;
    Skin skin;
  };
  const Row rows[] = {
      {"1 move", 1, [](CommandLogic& l) { l.PointerMoved(); }, 2, Skin::kHighLight},
      {"3 move", 3, [](CommandLogic& l) { l.PointerMoved(); }, 4, Skin::kHighLightSelect},
      {"2 left press", 2, [](CommandLogic& l) { l.ButtonPressed(kLeftButton); }, 2, Skin::kPressed},
      {"3 left press", 3, [](CommandLogic& l) { l.ButtonPressed(kLeftButton); }, 3, Skin::kPressed},
      {"2 left release", 2, [](CommandLogic& l) { l.ButtonReleased(kLeftButton); }, 2, Skin::kNormal},
      {"4 left release", 4, [](CommandLogic& l) { l.ButtonReleased(kLeftButton); }, 4,
       Skin::kHighLightSelect},
      {"0 focus", 0, [](CommandLogic& l) { l.FocusGained(); }, 3, Skin::kSelected},
      {"1 focus", 1, [](CommandLogic& l) { l.FocusGained(); }, 3, Skin::kSelected},
      {"3 focus", 3, [](CommandLogic& l) { l.FocusGained(); }, 3, Skin::kSelected},
      {"4 focus", 4, [](CommandLogic& l) { l.FocusGained(); }, 3, Skin::kSelected},
      {"2 focus", 2, [](CommandLogic& l) { l.FocusGained(); }, 4, Skin::kPressed},
      {"0 blur", 0, [](CommandLogic& l) { l.FocusLost(); }, 1, Skin::kNormal},
      {"2 blur", 2, [](CommandLogic& l) { l.FocusLost(); }, 1, Skin::kNormal},
      {"3 blur", 3, [](CommandLogic& l) { l.FocusLost(); }, 1, Skin::kNormal},
      {"4 blur", 4, [](CommandLogic& l) { l.FocusLost(); }, 1, Skin::kNormal},
      {"2 away", 2, [](CommandLogic& l) { l.TimerTick(CursorOver::kOtherWindow); }, 1, Skin::kNormal},
      {"4 away", 4, [](CommandLogic& l) { l.TimerTick(CursorOver::kParentWindow); }, 3,
       Skin::kSelected},
  };
  for (const Row& row : rows) {
    Button b(static_cast<ButtonState>(row.from));
    row.input(b.logic);
    EXPECT_EQ(static_cast<int>(b.logic.State), row.to) << row.name;
    ASSERT_EQ(b.surface.drawings.size(), 1u) << row.name;
    EXPECT_EQ(b.surface.LastSkin(), row.skin) << row.name;
  }
}

TEST(CommandTransitions, InputsOutsideTheTableDrawNothing) {
  for (ButtonState state : {ButtonState::kNormal, ButtonState::kSelected}) {
    Button b(state);
    b.logic.TimerTick(CursorOver::kOtherWindow);
    EXPECT_TRUE(b.surface.drawings.empty()) << "tick away in state " << static_cast<int>(state);
    b.logic.FocusLost();  // from 1 nothing; from 3 it is a row of the table
    EXPECT_EQ(b.surface.drawings.empty(), state == ButtonState::kNormal)
        << "focus lost in state " << static_cast<int>(state);
  }
  Button moving(ButtonState::kHighLight);
  moving.logic.PointerMoved();
  moving.logic.TimerTick(CursorOver::kOwnWindow);
  EXPECT_TRUE(moving.surface.drawings.empty());
  EXPECT_EQ(moving.logic.State, ButtonState::kHighLight);
  Button right(ButtonState::kHighLight);
  right.logic.ButtonPressed(kRightButton);
  EXPECT_TRUE(right.surface.drawings.empty());
  EXPECT_EQ(right.logic.ButtonHeld, 0);
}

TEST(CommandClick, PressGivingFocusThenReleaseClicksAndLeavesSelectedLater) {
  Button b(ButtonState::kNormal);
  b.logic.PointerMoved();
  b.logic.FocusGained();
  b.logic.ButtonPressed(kLeftButton);
  EXPECT_EQ(b.logic.State, ButtonState::kHighLightSelect);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kPressed);
  b.logic.ButtonReleased(kLeftButton);
  EXPECT_EQ(b.surface.clicks, 1);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kHighLightSelect);
  b.logic.TimerTick(CursorOver::kOtherWindow);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kSelected);
}

TEST(CommandClick, DragOutAndBackInEndsWithoutClick) {
  Button b(ButtonState::kHighLightSelect);
  b.logic.ButtonPressed(kLeftButton);
  b.logic.TimerTick(CursorOver::kOtherWindow);  // pointer left during the press
  EXPECT_EQ(b.logic.State, ButtonState::kSelected);
  b.logic.PointerMoved();  // back in, still held: stays 3
  EXPECT_EQ(b.logic.State, ButtonState::kSelected);
  b.logic.ButtonReleased(kLeftButton);
  EXPECT_EQ(b.surface.clicks, 0);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kSelected);
  b.logic.PointerMoved();
  EXPECT_EQ(b.surface.LastSkin(), Skin::kHighLightSelect);
}

TEST(CommandClick, UnfocusedPressDraggedOutStillClicks) {
  Button b(ButtonState::kHighLight);
  b.logic.ButtonPressed(kLeftButton);
  b.logic.TimerTick(CursorOver::kOtherWindow);
  EXPECT_EQ(b.logic.State, ButtonState::kNormal);
  b.logic.ButtonReleased(kLeftButton);
  EXPECT_EQ(b.surface.clicks, 1);
}

TEST(CommandClick, RightAndMiddleReleasesClickInEveryStateButSelected) {
  for (int button : {kRightButton, kMiddleButton}) {
    for (int number = 0; number <= 4; ++number) {
      const auto state = static_cast<ButtonState>(number);
      Button b(state);
      b.logic.ButtonPressed(button);
      b.logic.ButtonReleased(button);
      EXPECT_EQ(b.surface.clicks, state == ButtonState::kSelected ? 0 : 1)
          << "button " << button << " state " << number;
      EXPECT_TRUE(b.surface.drawings.empty());
    }
  }
}

TEST(CommandClick, ReleaseOfAPressThatBeganElsewhereDoesNotClick) {
  for (int button : {kLeftButton, kRightButton, kMiddleButton}) {
    Button b(ButtonState::kHighLight);  // pressed on the dialog, dragged over the button
    b.logic.ButtonReleased(button);
    EXPECT_EQ(b.surface.clicks, 0) << "button " << button;
  }
  // Each button counts on its own: a left press does not arm a right release.
  Button mixed(ButtonState::kHighLight);
  mixed.logic.ButtonPressed(kLeftButton);
  mixed.logic.ButtonReleased(kRightButton);
  EXPECT_EQ(mixed.surface.clicks, 0);
  mixed.logic.ButtonReleased(kLeftButton);
  EXPECT_EQ(mixed.surface.clicks, 1);
  mixed.logic.ButtonReleased(kLeftButton);  // a second release has no press left
  EXPECT_EQ(mixed.surface.clicks, 1);
  // A press whose mouse input was taken away arms nothing.
  Button lost(ButtonState::kHighLight);
  lost.logic.ButtonPressed(kRightButton);
  lost.logic.PressesLost();
  lost.logic.ButtonReleased(kRightButton);
  EXPECT_EQ(lost.surface.clicks, 0);
  // A press made while disabled does not click once enabled again.
  Button disabled(ButtonState::kHighLight);
  disabled.logic.SetEnabled(false);
  disabled.logic.ButtonPressed(kLeftButton);
  disabled.logic.SetEnabled(true);
  disabled.logic.ButtonReleased(kLeftButton);
  EXPECT_EQ(disabled.surface.clicks, 0);
}

TEST(CommandClick, DisabledControlIgnoresEverything) {
  Button b(ButtonState::kHighLight);
  b.logic.SetEnabled(false);
  b.surface.drawings.clear();
  b.logic.PointerMoved();
  b.logic.ButtonPressed(kLeftButton);
  b.logic.ButtonReleased(kLeftButton);
  b.logic.FocusGained();
  b.logic.TimerTick(CursorOver::kOtherWindow);
  EXPECT_EQ(b.surface.clicks, 0);
  EXPECT_EQ(b.logic.ButtonHeld, 0);
  EXPECT_EQ(b.logic.State, ButtonState::kHighLight);
  EXPECT_TRUE(b.surface.drawings.empty());
}

TEST(CommandGradient, DirectionFollowsStateAndCarriesIntoStateFour) {
  Button from_selected(ButtonState::kSelected);
  from_selected.logic.PointerMoved();  // 3 -> 4 keeps white on top
  EXPECT_FALSE(from_selected.surface.drawings.back().invert);
  Button from_hover(ButtonState::kNormal);
  from_hover.logic.PointerMoved();  // 1 -> 2: tint on top
  EXPECT_TRUE(from_hover.surface.drawings.back().invert);
  from_hover.logic.FocusGained();  // 2 -> 4 keeps the tint
  EXPECT_TRUE(from_hover.surface.drawings.back().invert);
  from_hover.logic.ButtonPressed(kLeftButton);
  EXPECT_TRUE(from_hover.surface.drawings.back().invert);
}

TEST(CommandFace, CaptionLaidOutTenTwipsAboveTheMiddle) {
  Button b;
  b.logic.PointerMoved();
  const CaptionLabel& label = b.surface.captions.back();
  EXPECT_DOUBLE_EQ(label.top, 80.0);
  EXPECT_EQ(label.width, 1155);
}

TEST(CommandLifecycle, InitializeSetsNormalAndStartsTheHoverTimerWithoutDrawing) {
  RecordingSurface surface;
  CommandLogic logic(surface);
  logic.Restore(toolkit::PropertyStore{}, toolkit::FontDesign{});
  surface.drawings.clear();
  logic.Initialize();
  EXPECT_EQ(logic.State, ButtonState::kNormal);
  EXPECT_EQ(surface.timer_interval, 100u);
  EXPECT_TRUE(surface.drawings.empty());
}

TEST(CommandLifecycle, WithoutInitializeThePointerChangesNothingUntilFocus) {
  RecordingSurface surface;
  CommandLogic logic(surface);
  logic.Restore(toolkit::PropertyStore{}, toolkit::FontDesign{});
  logic.PointerMoved();
  EXPECT_EQ(logic.State, ButtonState::kNone);
  logic.FocusGained();
  logic.FocusLost();
  logic.PointerMoved();
  EXPECT_EQ(logic.State, ButtonState::kHighLight);
}

TEST(CommandProperties, EmptyStoreLoadsWithTheRestoringDefaults) {
  RecordingSurface surface;
  CommandLogic logic(surface);
  toolkit::FontDesign ambient;
  ambient.name = L"Tahoma";
  logic.Restore(toolkit::PropertyStore{}, ambient);
  EXPECT_EQ(logic.IsEnabled, -1);
  EXPECT_EQ(logic.Caption(), L"Command1");
  EXPECT_EQ(logic.Font(), ambient);
  EXPECT_EQ(logic.FirstRun, 1);
  EXPECT_EQ(logic.Label().colour, 0u);
  EXPECT_EQ(logic.Visible(), 255);
  ASSERT_FALSE(surface.drawings.empty());
  EXPECT_EQ(surface.drawings.front().skin, Skin::kNormal);
}

TEST(CommandProperties, DefaultsAreNotStoredAndCommandReadsBackAsCommand1) {
  RecordingSurface surface;
  CommandLogic logic(surface);
  const toolkit::FontDesign ambient;
  logic.Restore(toolkit::PropertyStore{}, ambient);
  logic.SetCaption(L"Command");
  toolkit::PropertyStore store;
  logic.Store(store, ambient);
  EXPECT_EQ(store.Size(), 0u);

  CommandLogic again(surface);
  again.Restore(store, ambient);
  EXPECT_EQ(again.Caption(), L"Command1");
}

TEST(CommandProperties, ChangedValuesRoundTrip) {
  RecordingSurface surface;
  CommandLogic logic(surface);
  const toolkit::FontDesign ambient;
  logic.Restore(toolkit::PropertyStore{}, ambient);
  logic.SetCaption(L"Command1");
  toolkit::FontDesign tahoma{L"Tahoma", 8.25, 700, 0, true};
  logic.SetFont(tahoma);
  logic.SetFontColour(0x00FF0000);
  logic.SetEnabled(false);
  logic.SetVisible(0);
  toolkit::PropertyStore store;
  logic.Store(store, ambient);
  for (const wchar_t* key : {L"Enabled", L"Caption", L"Font", L"FontColour", L"Visible"}) {
    EXPECT_TRUE(store.Holds(key)) << std::string(key, key + std::wcslen(key));
  }
  EXPECT_FALSE(store.Holds(L"FirstRun"));

  CommandLogic again(surface);
  again.Restore(store, ambient);
  EXPECT_EQ(again.IsEnabled, 0);
  EXPECT_EQ(again.Caption(), L"Command1");
  EXPECT_EQ(again.Font(), tahoma);
  EXPECT_EQ(again.Label().colour, 0x00FF0000u);
  EXPECT_EQ(again.Visible(), 0);
}

TEST(CommandProperties, SettersNotifyUnderTheirOwnNames) {
  Button b;
  b.surface.changed.clear();
  b.logic.SetVisible(1);
  b.logic.SetFontColour(5);
  b.logic.SetEnabled(true);
  b.logic.SetCaption(L"x");
  b.logic.SetFont(toolkit::FontDesign{});
  const std::vector<std::wstring> expected = {L"Visible", L"FontColour", L"Enabled", L"Caption",
                                              L"Font"};
  EXPECT_EQ(b.surface.changed, expected);
}

TEST(CommandProperties, FirstReadOfEnabledTurnsAFreshInstanceOn) {
  RecordingSurface surface;
  CommandLogic logic(surface);  // never loaded: every field 0
  EXPECT_EQ(logic.Enabled(), -1);
  EXPECT_EQ(logic.FirstRun, 1);
  EXPECT_EQ(surface.LastSkin(), Skin::kNormal);
  toolkit::PropertyStore store;
  logic.Store(store, toolkit::FontDesign{});
  EXPECT_FALSE(store.Holds(L"Enabled"));
  EXPECT_FALSE(store.Holds(L"FirstRun"));
}

TEST(CommandProperties, ReadingEnabledRepaintsWithNormalOrDisable) {
  Button b(ButtonState::kHighLight);
  b.logic.Enabled();
  EXPECT_EQ(b.surface.LastSkin(), Skin::kNormal);
  b.logic.SetEnabled(false);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kDisable);
  EXPECT_FALSE(b.surface.captions.back().enabled);
  b.surface.drawings.clear();
  EXPECT_EQ(b.logic.Enabled(), 0);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kDisable);
  EXPECT_EQ(b.logic.State, ButtonState::kHighLight);
}

TEST(CommandProperties, FirstRunZeroForcesABlackCaption) {
  toolkit::PropertyStore store;
  store.Write(L"FirstRun", int32_t{0}, int32_t{1});
  RecordingSurface surface;
  CommandLogic logic(surface);
  logic.Restore(store, toolkit::FontDesign{});
  logic.SetFontColour(0x0000FF);
  EXPECT_EQ(logic.Label().colour, 0u);
}

TEST(CommandProperties, WritingVisibleZeroRepaintsNothing) {
  Button b;
  b.logic.SetVisible(0);
  EXPECT_TRUE(b.surface.drawings.empty());
  EXPECT_EQ(b.logic.Visible(), 0);
}

}  // namespace
}  // namespace vantrel::controls

#include "button/button_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel::button {
namespace {

struct Drawing {
  Skin skin;
  bool invert;
};

class RecordingSurface : public ButtonSurface {
 public:
  std::vector<Drawing> drawings;
  int clicks = 0;
  int32_t width = 1155, height = 375;

  void PaintFace(Skin skin, bool invert, const FaceGeometry&) override {
    drawings.push_back({skin, invert});
  }
  int32_t WidthTwips() override { return width; }
  int32_t HeightTwips() override { return height; }
  void RaiseClick() override { ++clicks; }

  Skin LastSkin() const { return drawings.back().skin; }
};

// An enabled control brought to `state` by the inputs that lead there (no
// Initialize for state 0), with no drawings recorded yet.
struct Button {
  RecordingSurface surface;
  ButtonLogic logic{surface};
  explicit Button(ButtonState state = ButtonState::kNormal) {
    logic.Restore(toolkit::PropertyStore{}, toolkit::FontDesign{});
    const int number = static_cast<int>(state);
    if (number > 0) logic.Initialize();
    if (number >= 3) logic.FocusGained();                  // 3 and 4 hold the focus
    if (number == 2 || number == 4) logic.PointerMoved();  // 2 and 4 have the pointer
    surface.drawings.clear();
  }
};

void PressAndRelease(ButtonLogic& logic) {
  logic.ButtonPressed(kLeftButton);
  logic.ButtonReleased(kLeftButton);
}

TEST(ButtonTransitions, EveryRowOfTheTable) {
  struct Row {  // states by their numbers, as the transition table gives them
    const char* name;
    int from;
    void (*input)(ButtonLogic&);
    int to;
    Skin skin;
  };
  const Row rows[] = {
      {"1 move", 1, [](ButtonLogic& l) { l.PointerMoved(); }, 2, Skin::kHighLight},
      {"3 move", 3, [](ButtonLogic& l) { l.PointerMoved(); }, 4, Skin::kHighLightSelect},
      {"2 left press", 2, [](ButtonLogic& l) { l.ButtonPressed(kLeftButton); }, 2, Skin::kPressed},
      {"3 left press", 3, [](ButtonLogic& l) { l.ButtonPressed(kLeftButton); }, 3, Skin::kPressed},
      // A release ends a press on the control: the pressed face, then the row's.
      {"2 left release", 2, [](ButtonLogic& l) { PressAndRelease(l); }, 2, Skin::kNormal},
      {"4 left release", 4, [](ButtonLogic& l) { PressAndRelease(l); }, 4, Skin::kHighLightSelect},
      {"0 focus", 0, [](ButtonLogic& l) { l.FocusGained(); }, 3, Skin::kSelected},
      {"1 focus", 1, [](ButtonLogic& l) { l.FocusGained(); }, 3, Skin::kSelected},
      {"3 focus", 3, [](ButtonLogic& l) { l.FocusGained(); }, 3, Skin::kSelected},
      {"4 focus", 4, [](ButtonLogic& l) { l.FocusGained(); }, 3, Skin::kSelected},
      {"2 focus", 2, [](ButtonLogic& l) { l.FocusGained(); }, 4, Skin::kPressed},
      {"0 blur", 0, [](ButtonLogic& l) { l.FocusLost(); }, 1, Skin::kNormal},
      {"2 blur", 2, [](ButtonLogic& l) { l.FocusLost(); }, 1, Skin::kNormal},
      {"3 blur", 3, [](ButtonLogic& l) { l.FocusLost(); }, 1, Skin::kNormal},
      {"4 blur", 4, [](ButtonLogic& l) { l.FocusLost(); }, 1, Skin::kNormal},
      {"2 away", 2, [](ButtonLogic& l) { l.EndHover(); }, 1, Skin::kNormal},
      {"4 away", 4, [](ButtonLogic& l) { l.EndHover(); }, 3, Skin::kSelected},
  };
  for (const Row& row : rows) {
    Button b(static_cast<ButtonState>(row.from));
    row.input(b.logic);
    EXPECT_EQ(static_cast<int>(b.logic.State()), row.to) << row.name;
    const bool released = std::string(row.name).find("release") != std::string::npos;
    ASSERT_EQ(b.surface.drawings.size(), released ? 2u : 1u) << row.name;
    EXPECT_EQ(b.surface.LastSkin(), row.skin) << row.name;
  }
}

TEST(ButtonTransitions, InputsOutsideTheTableDrawNothing) {
  for (ButtonState state : {ButtonState::kNormal, ButtonState::kSelected}) {
    Button b(state);
    b.logic.EndHover();
    EXPECT_TRUE(b.surface.drawings.empty()) << "pointer away in state " << static_cast<int>(state);
    b.logic.FocusLost();  // from 1 nothing; from 3 it is a row of the table
    EXPECT_EQ(b.surface.drawings.empty(), state == ButtonState::kNormal)
        << "focus lost in state " << static_cast<int>(state);
  }
  Button moving(ButtonState::kHighLight);
  moving.logic.PointerMoved();
  EXPECT_TRUE(moving.surface.drawings.empty());
  EXPECT_EQ(moving.logic.State(), ButtonState::kHighLight);
  Button right(ButtonState::kSelected);  // a right press does not hold the face at 3
  right.logic.ButtonPressed(kRightButton);
  EXPECT_TRUE(right.surface.drawings.empty());
  right.logic.PointerMoved();
  EXPECT_EQ(right.logic.State(), ButtonState::kHighLightSelect);
}

TEST(ButtonClick, PressGivingFocusThenReleaseClicksAndLeavesSelectedLater) {
  Button b(ButtonState::kNormal);
  b.logic.PointerMoved();
  b.logic.FocusGained();
  b.logic.ButtonPressed(kLeftButton);
  EXPECT_EQ(b.logic.State(), ButtonState::kHighLightSelect);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kPressed);
  b.logic.ButtonReleased(kLeftButton);
  EXPECT_EQ(b.surface.clicks, 1);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kHighLightSelect);
  b.logic.EndHover();
  EXPECT_EQ(b.surface.LastSkin(), Skin::kSelected);
}

TEST(ButtonClick, DragOutAndBackInEndsWithoutClick) {
  Button b(ButtonState::kHighLightSelect);
  b.logic.ButtonPressed(kLeftButton);
  b.logic.EndHover();  // pointer left during the press
  EXPECT_EQ(b.logic.State(), ButtonState::kSelected);
  b.logic.PointerMoved();  // back in, still held: stays 3
  EXPECT_EQ(b.logic.State(), ButtonState::kSelected);
  b.logic.ButtonReleased(kLeftButton);
  EXPECT_EQ(b.surface.clicks, 0);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kSelected);
  b.logic.PointerMoved();
  EXPECT_EQ(b.surface.LastSkin(), Skin::kHighLightSelect);
}

TEST(ButtonClick, UnfocusedPressDraggedOutStillClicks) {
  Button b(ButtonState::kHighLight);
  b.logic.ButtonPressed(kLeftButton);
  b.logic.EndHover();
  EXPECT_EQ(b.logic.State(), ButtonState::kNormal);
  b.logic.ButtonReleased(kLeftButton);
  EXPECT_EQ(b.surface.clicks, 1);
}

TEST(ButtonClick, RightAndMiddleReleasesClickInEveryStateButSelected) {
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

TEST(ButtonClick, ReleaseOfAPressThatBeganElsewhereNeitherClicksNorDraws) {
  for (int button : {kLeftButton, kRightButton, kMiddleButton}) {
    Button b(ButtonState::kHighLight);  // pressed on the dialog, dragged over the button
    b.logic.ButtonReleased(button);
    EXPECT_EQ(b.surface.clicks, 0) << "button " << button;
    EXPECT_TRUE(b.surface.drawings.empty()) << "button " << button;
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

TEST(ButtonClick, DisabledControlIgnoresEverything) {
  Button b(ButtonState::kHighLight);
  b.logic.SetEnabled(false);
  b.surface.drawings.clear();
  b.logic.PointerMoved();
  b.logic.ButtonPressed(kLeftButton);
  b.logic.ButtonReleased(kLeftButton);
  b.logic.FocusGained();
  b.logic.EndHover();
  EXPECT_EQ(b.surface.clicks, 0);
  EXPECT_EQ(b.logic.State(), ButtonState::kHighLight);
  EXPECT_TRUE(b.surface.drawings.empty());
}

TEST(ButtonAccess, PressedOnlyWhileTheLeftButtonOrSpaceHoldsItAndUnavailableWhenDisabled) {
  Button b;
  const auto pressed = [&b] { return b.logic.Access(true, true).pressed; };
  b.logic.ButtonPressed(kRightButton);
  EXPECT_FALSE(pressed());
  b.logic.ButtonPressed(kLeftButton);
  EXPECT_TRUE(pressed());
  b.logic.ButtonReleased(kLeftButton);
  EXPECT_FALSE(pressed());
  b.logic.SpacePressed();
  EXPECT_TRUE(pressed());
  b.logic.SpaceReleased();
  EXPECT_FALSE(pressed());
  b.logic.ButtonPressed(kLeftButton);
  b.logic.PressesLost();  // its mouse input was taken away
  EXPECT_FALSE(pressed());
  EXPECT_TRUE(b.logic.Access(false, false).focusable);
  b.logic.ButtonPressed(kLeftButton);
  b.logic.SetEnabled(false);
  const toolkit::AccessStates disabled = b.logic.Access(false, false);
  EXPECT_TRUE(disabled.unavailable);
  EXPECT_FALSE(disabled.focusable || disabled.pressed);
}

TEST(ButtonGradient, DirectionFollowsStateAndCarriesIntoStateFour) {
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

TEST(ButtonFace, CaptionLaidOutTenTwipsAboveTheMiddle) {
  Button b;
  b.logic.PointerMoved();
  const CaptionLabel& label = b.logic.Label();
  EXPECT_DOUBLE_EQ(label.top, 80.0);
  EXPECT_EQ(label.width, 1155);
}

TEST(ButtonLifecycle, InitializeSetsNormalWithoutDrawing) {
  RecordingSurface surface;
  ButtonLogic logic(surface);
  logic.Restore(toolkit::PropertyStore{}, toolkit::FontDesign{});
  surface.drawings.clear();
  logic.Initialize();
  EXPECT_EQ(logic.State(), ButtonState::kNormal);
  EXPECT_TRUE(surface.drawings.empty());
}

TEST(ButtonLifecycle, WithoutInitializeThePointerChangesNothingUntilFocus) {
  RecordingSurface surface;
  ButtonLogic logic(surface);
  logic.Restore(toolkit::PropertyStore{}, toolkit::FontDesign{});
  logic.PointerMoved();
  EXPECT_EQ(logic.State(), ButtonState::kNone);
  logic.FocusGained();
  logic.FocusLost();
  logic.PointerMoved();
  EXPECT_EQ(logic.State(), ButtonState::kHighLight);
}

TEST(ButtonProperties, EmptyStoreLoadsWithTheRestoringDefaults) {
  RecordingSurface surface;
  ButtonLogic logic(surface);
  toolkit::FontDesign ambient;
  ambient.name = L"Tahoma";
  logic.Restore(toolkit::PropertyStore{}, ambient);
  EXPECT_TRUE(logic.Enabled());
  EXPECT_EQ(logic.Label().text, L"Command1");
  EXPECT_EQ(logic.Font(), ambient);
  EXPECT_EQ(logic.Label().colour, 0u);
  ASSERT_FALSE(surface.drawings.empty());
  EXPECT_EQ(surface.drawings.front().skin, Skin::kNormal);
}

TEST(ButtonProperties, StoredValuesAreRestored) {
  const toolkit::FontDesign ambient;
  const toolkit::FontDesign tahoma{L"Tahoma", 8.25, 700, 0, true};
  toolkit::PropertyStore store;
  store.Write(L"Enabled", false, true);
  store.Write(L"Caption", std::wstring(L"設定"), std::wstring(L"Command"));
  store.Write(L"Font", Font_Text(tahoma), Font_Text(ambient));
  store.Write(L"FontColour", int32_t{0x00FF0000}, int32_t{0});
  RecordingSurface surface;
  ButtonLogic logic(surface);
  logic.Restore(store, ambient);
  EXPECT_FALSE(logic.Enabled());
  EXPECT_EQ(logic.Label().text, L"設定");
  EXPECT_EQ(logic.Font(), tahoma);
  EXPECT_EQ(logic.Label().colour, 0x00FF0000u);

  // A control stored before its first run shows a black caption.
  store.Write(L"Enabled", true, true);
  store.Write(L"FirstRun", int32_t{0}, int32_t{1});
  logic.Restore(store, ambient);
  EXPECT_EQ(logic.Label().colour, 0u);
}

TEST(ButtonProperties, EnablingRepaintsWithNormalOrDisableAndKeepsTheState) {
  Button b(ButtonState::kHighLight);
  b.logic.SetEnabled(false);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kDisable);
  EXPECT_FALSE(b.logic.Label().enabled);
  b.logic.SetEnabled(true);
  EXPECT_EQ(b.surface.LastSkin(), Skin::kNormal);
  EXPECT_TRUE(b.logic.Label().enabled);
  EXPECT_EQ(b.logic.State(), ButtonState::kHighLight);
}

}  // namespace
}  // namespace vantrel::button

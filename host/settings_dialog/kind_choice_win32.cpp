#include "settings_dialog/kind_choice_win32.h"

#include "settings_dialog/settings_dialog_model.h"

namespace vantrel::host {
namespace {

// Where the control lies in the panel, in twips: a whole number of pixels at
// 96, 120 and 144 dpi, so that the rows stand where the panel had them.
constexpr int kLeft = 360, kTop = 780;
constexpr int kWidth = 1320;  // up to the track box
constexpr int kHeight = 915;
// The rows in the panel's twips, from the top.
constexpr int kRowTops[kKindRows] = {840, 1140, 1440};
constexpr int kCaptionWidths[kKindRows] = {645, 330, 900};
constexpr int kMarkLeft = 420, kCaptionLeft = 660, kRowHeight = 195;

}  // namespace

KindChoice::KindChoice(toolkit::Form& panel, int id)
    : Form(panel, Design(id)),
      mark_unselected_(toolkit::Picture::FromResource("MARK_UNSELECTED")),
      mark_selected_(toolkit::Picture::FromResource("MARK_SELECTED")),
      logic_(*this) {
  for (int row = 0; row < kKindRows; ++row) {
    marks_[row] = std::make_unique<toolkit::Image>(*this);
    marks_[row]->Move(kMarkLeft - kLeft, kRowTops[row] - kTop, kRowHeight, kRowHeight);
    toolkit::LabelDesign caption;
    caption.caption = kKindRowCaptions[row];
    caption.auto_size = true;
    caption.access = toolkit::AccessRole::kNone;  // the row is read as a radio button
    captions_[row] = std::make_unique<toolkit::Label>(*this, caption);
    captions_[row]->Move(kCaptionLeft - kLeft, kRowTops[row] - kTop, kCaptionWidths[row],
                         kRowHeight);
    captions_[row]->SetCaption(kKindRowCaptions[row]);
    // Any mouse button chooses; shift state and position are not used.
    marks_[row]->on_mouse_down = [this, row](toolkit::MouseButton) { Pressed(row); };
    captions_[row]->on_mouse_down = [this, row](toolkit::MouseButton) { Pressed(row); };
  }
}

toolkit::FormDesign KindChoice::Design(int id) {
  toolkit::FormDesign design;
  design.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP;
  design.left = kLeft;
  design.top = kTop;
  design.width = kWidth;
  design.height = kHeight;
  design.see_through = true;
  design.id = id;
  return design;
}

void KindChoice::Pressed(int row) {
  if (GetFocus() != Handle()) SetFocus(Handle());
  logic_.Choose(kKindScreenOrder[row]);
}

bool KindChoice::Form_Message(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_GETDLGCODE:
      result = DLGC_WANTARROWS;
      return true;
    case WM_GETOBJECT:
      result = AnswerGetObject(*this, wparam, lparam);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      logic_.Focus(message == WM_SETFOCUS);
      return true;
    case WM_KEYDOWN:
      if (wparam != VK_UP && wparam != VK_LEFT && wparam != VK_DOWN && wparam != VK_RIGHT) {
        return false;
      }
      logic_.Arrow(wparam == VK_DOWN || wparam == VK_RIGHT);
      return true;
    default:
      return false;
  }
}

void KindChoice::ShowRow(int row, bool selected, bool focus_cue) {
  marks_[row]->SetPicture(selected ? &mark_selected_ : &mark_unselected_);
  captions_[row]->SetFocusCue(focus_cue);
}

void KindChoice::TellReaders(KindNotice notice) {
  toolkit::Tell_Readers(
      Handle(), notice.event == KindEvent::kFocus ? EVENT_OBJECT_FOCUS : EVENT_OBJECT_STATECHANGE,
      notice.child);
}

// As a radio button tells its dialog of a click.
void KindChoice::RaiseChosen() { toolkit::Report_Click(Handle()); }

toolkit::AccessItem KindChoice::AccessSelf() {
  toolkit::AccessItem self;
  self.role = toolkit::AccessRole::kGrouping;
  self.name = kHeadingCaption;
  return self;
}

toolkit::AccessItem KindChoice::AccessChild(int index) {
  toolkit::AccessItem item;
  if (index < 0 || index >= kKindRows) return item;
  const KindAccess access = logic_.Access();
  toolkit::AccessStates states;
  states.focusable = true;
  states.checked = access.checked == index + 1;
  states.focused = access.focused == index + 1;
  item.role = toolkit::AccessRole::kRadioButton;
  item.name = kKindRowCaptions[index];
  item.states = states;
  const RECT mark = marks_[index]->PixelRect(), caption = captions_[index]->PixelRect();
  UnionRect(&item.screen, &mark, &caption);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&item.screen), 2);
  return item;
}

bool KindChoice::DoAccessAction(int index) {
  if (index < 0 || index >= kKindRows) return false;
  logic_.Choose(kKindScreenOrder[index]);
  return true;
}

}  // namespace vantrel::host

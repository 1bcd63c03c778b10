// The preview window: a still picture of the scene shown inside the
// display-settings page's preview area.
#include <windows.h>

#include <memory>

#include "preview/preview_window.h"

#include "preview/preview_layout.h"
#include "toolkit/app_win32.h"
#include "toolkit/form_win32.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {
namespace {

using toolkit::Ignore_Result;

constexpr const wchar_t* kPreviewTitle = L"Preview Window";

toolkit::FormDesign PreviewDesign() {
  toolkit::FormDesign design;
  design.caption = kPreviewTitle;
  design.style = WS_POPUP;  // no border, no title bar
  design.ex_style = WS_EX_TOOLWINDOW;
  design.width = 2280;
  design.height = 1680;
  design.back_colour = RGB(0, 0, 0);
  design.scale = toolkit::ScaleMode::kPixels;
  return design;
}

class PreviewWindow final : public toolkit::Form {
 public:
  PreviewWindow()
      : Form(PreviewDesign()),
        picture_(toolkit::Picture::FromResource("PREVIEW")),
        still_(*this, /*stretch=*/true) {
    still_.SetPicture(&picture_);
    still_.Move(0, 0, 152, 112);
  }

  toolkit::Image& Still() { return still_; }

 protected:
  void Form_Unload() override { Ignore_Result(PostMessageA(Handle(), WM_CLOSE, 0, 0)); }

 private:
  toolkit::Picture picture_;
  toolkit::Image still_;  // the picture, stretched over the whole window
};

}  // namespace

std::unique_ptr<toolkit::Form> Show_Preview(int32_t parent_handle) {
  // Handles are 32-bit values on every Windows; widen with their sign.
  HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(parent_handle));
  const RECT rect = toolkit::Window_Screen_Rect(parent);
  const PreviewLayout layout =
      Layout_Preview(ScreenRect{rect.left, rect.top, rect.right, rect.bottom},
                     toolkit::Twips_Per_Pixel_X(), toolkit::Twips_Per_Pixel_Y());

  auto preview = std::make_unique<PreviewWindow>();
  if (!preview->Load()) {
    toolkit::End_Host();
  }
  HWND window = preview->Handle();
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  Ignore_Result(SetWindowLongA(window, GWL_STYLE, style | WS_CHILD));
  Ignore_Result(SetParent(window, parent));
  preview->Move(0, 0, layout.width_twips, layout.height_twips);
  preview->Still().Move(0, 0, layout.image_width_px, layout.image_height_px);
  preview->Show();

  // Without a real parent the window would sit unseen on the desktop and
  // keep the host alive for ever; nothing would ever destroy it.
  if (!IsWindow(parent)) toolkit::End_Host();
  return preview;
}

}  // namespace vantrel::host

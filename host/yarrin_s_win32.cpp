// The hidden saver window Yarrin_S: its two picture boxes, three timers and
// the platform side of the saver run.
#include <windows.h>

#include <memory>

#include "saver_run.h"
#include "startup_args.h"
#include "toolkit/app_win32.h"
#include "toolkit/form_win32.h"
#include "toolkit/ignore_result.h"
#include "window_titles.h"
#include "yarrin_b_win32.h"

namespace vantrel::host {
namespace {

using toolkit::FormDesign;
using toolkit::Ignore_Result;

FormDesign SaverDesign() {
  FormDesign design;
  design.caption = kSaverWindowTitle;
  design.style = WS_OVERLAPPEDWINDOW;
  design.width = 4800;
  design.height = 5400;
  return design;
}

FormDesign PictureDesign(int left_twips, int side_twips) {
  FormDesign design;
  design.style = WS_CHILD | WS_VISIBLE;
  design.left = left_twips;
  design.width = side_twips;
  design.height = side_twips;
  design.scale = toolkit::ScaleMode::kPixels;
  return design;
}

class SaverWindow final : public toolkit::Form, private SaverShell {
 public:
  explicit SaverWindow(HostContext& host)
      : Form(SaverDesign()),
        // Sized by their pictures, so that the texture files are 96 x 96 and
        // 256 x 256 pixels at any screen resolution.
        pic1_(*this, PictureDesign(0, 1440), /*auto_size=*/true),
        pic2_(*this, PictureDesign(1440, 3840), /*auto_size=*/true),
        timer1_(*this, kTimer1IntervalMs, false, [this] { run_.Timer1_Timer(); }),
        timer2_(*this, kTimer2IntervalMs, false, [this] { run_.Timer2_Timer(); }),
        timer3_(*this, kTimer3IntervalMs, true, [this] { run_.Timer3_Timer(); }),
        files_(host.files),
        music_(host.mci, host.values),
        run_(*this, music_, host.values, host.program_folder, Mode_Letter(host.arguments)) {
    pic1_.SetPicture(toolkit::Picture::FromResource("GLOBE"));
    pic2_.SetPicture(toolkit::Picture::FromResource("GLOW"));
  }

 protected:
  void Form_Load() override { run_.Form_Load(); }
  bool Form_QueryUnload(toolkit::UnloadReason) override {
    run_.Form_QueryUnload();
    return false;
  }

 private:
  toolkit::PictureBox& Box(SaverPicture picture) {
    return picture == SaverPicture::kPic1 ? pic1_ : pic2_;
  }
  toolkit::Timer& TimerOf(SaverTimer timer) {
    switch (timer) {
      case SaverTimer::kTimer1: return timer1_;
      case SaverTimer::kTimer2: return timer2_;
      case SaverTimer::kTimer3: break;
    }
    return timer3_;
  }

  bool SavePicture(SaverPicture picture, const std::wstring& path) override {
    return toolkit::Save_Picture(Box(picture).Image(), path);
  }
  FilePort& Files() override { return files_; }
  bool StartRenderer(const std::wstring& path) override {
    return renderer_.Start(path, SW_SHOWNORMAL);
  }
  bool RendererRunning() override { return renderer_.Running(); }
  uint64_t Milliseconds() override { return GetTickCount64(); }
  bool WindowTitled(const std::wstring& title) override {
    return toolkit::Window_Titled(title);
  }
  void SetTimerEnabled(SaverTimer timer, bool enabled) override {
    TimerOf(timer).SetEnabled(enabled);
  }
  void ShowCursor() override { Ignore_Result(::ShowCursor(TRUE)); }
  void Unload() override { Ignore_Result(Form::Unload()); }
  void EndHost() override { toolkit::End_Host(); }

  toolkit::PictureBox pic1_;
  toolkit::PictureBox pic2_;
  toolkit::Timer timer1_;
  toolkit::Timer timer2_;
  toolkit::Timer timer3_;
  FilePort& files_;
  toolkit::StartedProgram renderer_;
  Yarrin_BGM music_;
  Yarrin_S run_;
};

}  // namespace

std::unique_ptr<toolkit::Form> Create_Saver_Window(HostContext& host) {
  auto saver = std::make_unique<SaverWindow>(host);
  // Without its window nothing would ever end the host.
  if (!saver->Load()) toolkit::End_Host();
  return saver;  // lives until the host ends; never shown
}

}  // namespace vantrel::host

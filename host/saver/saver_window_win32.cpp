// The hidden saver window: its two picture boxes, three timers and the
// platform side of the saver run.
#include <windows.h>

#include <memory>
#include <vector>

#include "saver/saver_window.h"

#include "saver/backdrop_win32.h"
#include "saver/saver_run.h"
#include "toolkit/app_win32.h"
#include "toolkit/started_program_win32.h"
#include "toolkit/form_win32.h"
#include "toolkit/ignore_result.h"
#include "toolkit/message_loop_win32.h"

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
  SaverWindow(HostContext& host, bool cursor_hidden)
      : Form(SaverDesign()),
        // Sized by their pictures, so that the texture files are 96 x 96 and
        // 256 x 256 pixels at any screen resolution.
        globe_(*this, PictureDesign(0, 1440), /*auto_size=*/true),
        glow_(*this, PictureDesign(1440, 3840), /*auto_size=*/true),
        mp3_poll_(*this, kMp3PollIntervalMs, false, [this] { run_.Mp3PollTimer_Tick(); }),
        cd_poll_(*this, kCdPollIntervalMs, false, [this] { run_.CdPollTimer_Tick(); }),
        renderer_watch_(*this, kRendererWatchIntervalMs, true,
                        [this] { run_.RendererWatchTimer_Tick(); }),
        music_(host.mci, host.values),
        run_(*this, music_, host.values, host.program_folder, cursor_hidden) {
    globe_.SetPicture(toolkit::Picture::FromResource("GLOBE"));
    glow_.SetPicture(toolkit::Picture::FromResource("GLOW"));
  }

 protected:
  void Form_Load() override {
    run_.Form_Load();
    toolkit::When_Signalled(renderer_.Process(), [this] { run_.RendererProcess_Ended(); });
  }
  bool Form_QueryUnload() override {
    run_.Form_QueryUnload();
    return false;
  }

 private:
  toolkit::PictureBox& Box(TextureFile file) {
    return file == TextureFile::kGlobe ? globe_ : glow_;
  }
  toolkit::Timer& TimerOf(SaverTimer timer) {
    switch (timer) {
      case SaverTimer::kMp3Poll:
        return mp3_poll_;
      case SaverTimer::kCdPoll:
        return cd_poll_;
      case SaverTimer::kRendererWatch:
        break;
    }
    return renderer_watch_;
  }

  bool SaveTexture(TextureFile file) override {
    return Save_Texture_File(file, Encode_Bitmap_File(Box(file).Image().Pixels()), Texture_Disk());
  }
  void ShowBackdrop() override { backdrop_.Show(); }
  void RemoveBackdrop() override { backdrop_.Remove(); }
  bool StartRenderer(const std::wstring& path) override {
    return renderer_.Start(path, SW_SHOWNORMAL);
  }
  bool RendererRunning() override { return renderer_.Running(); }
  uint32_t RendererProcessId() override { return renderer_.ProcessId(); }
  uint64_t Milliseconds() override { return GetTickCount64(); }
  std::vector<ProcessWindow> WindowsTitled(const std::wstring& title) override {
    std::vector<ProcessWindow> windows;
    for (HWND window : toolkit::Windows_With_Title(title)) {
      windows.push_back({reinterpret_cast<uintptr_t>(window), toolkit::Window_Process_Id(window)});
    }
    return windows;
  }
  void LiftRendererAndBackdrop(uintptr_t renderer) override {
    backdrop_.LiftBehind(reinterpret_cast<HWND>(renderer));
  }
  void SetTimerEnabled(SaverTimer timer, bool enabled) override {
    TimerOf(timer).SetEnabled(enabled);
  }
  void ShowCursor() override { Ignore_Result(::ShowCursor(TRUE)); }
  void Unload() override { Ignore_Result(Form::Unload()); }
  void EndHost() override { toolkit::End_Host(); }

  toolkit::PictureBox globe_;
  toolkit::PictureBox glow_;
  toolkit::Timer mp3_poll_;
  toolkit::Timer cd_poll_;
  toolkit::Timer renderer_watch_;
  Backdrop backdrop_;
  toolkit::StartedProgram renderer_;
  MusicPlayer music_;
  SaverRun run_;
};

}  // namespace

std::unique_ptr<toolkit::Form> Create_Saver_Window(HostContext& host, bool cursor_hidden) {
  auto saver = std::make_unique<SaverWindow>(host, cursor_hidden);
  // Without its window nothing would ever end the host.
  if (!saver->Load()) toolkit::End_Host();
  return saver;  // lives until the host ends; never shown
}

}  // namespace vantrel::host

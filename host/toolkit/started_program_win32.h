// A program the host starts and watches: the renderer of a saver run.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace vantrel::toolkit {

// A program started by path, without arguments and without waiting, whose
// process can be asked whether it still runs. It is never signalled while
// the host runs, and holds the host's right to take the foreground
// (foreground_win32.h). It runs in a job that ends it with the host, however
// the host ends, or with this object.
class StartedProgram {
 public:
  StartedProgram() = default;
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  // Starts it in the given window state; false when the start failed, and
  // then nothing of it runs.
  bool Start(const std::wstring& path, int show_command);
  // False before a successful start and once the process has ended.
  bool Running() const;
  // Its process id; 0 before a successful start.
  uint32_t ProcessId() const { return process_id_; }
  // Its process, to wait on; null before a successful start. Owned here.
  HANDLE Process() const { return process_; }

 private:
  HANDLE process_ = nullptr;
  HANDLE job_ = nullptr;
  uint32_t process_id_ = 0;
};

}  // namespace vantrel::toolkit

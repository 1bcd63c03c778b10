#include "started_program_win32.h"

#include "foreground_win32.h"
#include "ignore_result.h"

namespace vantrel::toolkit {
namespace {

// A job whose last handle, closed by the host's end at the latest, ends every
// process in it: even a host ended from outside leaves none of them behind.
HANDLE CreateKillOnCloseJob() {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (!job) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

}  // namespace

StartedProgram::~StartedProgram() {
  if (process_) CloseHandle(process_);
  if (job_) CloseHandle(job_);  // ends the program, if it still runs
}

bool StartedProgram::Start(const std::wstring& path, int show_command) {
  if (!job_) job_ = CreateKillOnCloseJob();
  if (!job_) return false;
  // CreateProcessW runs any executable by path, whatever its name ends with
  // (the shell's file associations would refuse a ".dll"), and takes a path
  // with any character, also outside the ANSI code page.
  std::wstring command_line = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_command);
  PROCESS_INFORMATION process{};
  // Suspended until it is in the job and holds the host's right to take the
  // foreground, so that it never runs outside the job and its first window
  // can take the keyboard even when another program is active.
  if (!CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, nullptr, &startup, &process)) {
    return false;
  }
  Pass_Foreground_Right(process.dwProcessId);
  const bool started = AssignProcessToJobObject(job_, process.hProcess) &&
                       ResumeThread(process.hThread) != static_cast<DWORD>(-1);
  CloseHandle(process.hThread);
  if (!started) {  // half-started: it must not run on alone
    Ignore_Result(TerminateProcess(process.hProcess, 1));
    CloseHandle(process.hProcess);
    return false;
  }
  if (process_) CloseHandle(process_);
  process_ = process.hProcess;
  process_id_ = process.dwProcessId;
  return true;
}

bool StartedProgram::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

}  // namespace vantrel::toolkit

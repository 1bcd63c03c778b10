#include "app_win32.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "foreground_win32.h"
#include "ignore_result.h"
#include "twips.h"

namespace vantrel::toolkit {
namespace {

struct AppState {
  MousePointer pointer = MousePointer::kDefault;
  int forms = 0;
};

AppState& App() {
  static AppState state;
  return state;
}

int QueryScreenDpi(int axis) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// The logical resolution is fixed for the life of the process, so it is asked
// once per axis rather than at every conversion of the layout.
int ScreenDpi(int axis) {
  static const int dpi_x = QueryScreenDpi(LOGPIXELSX);
  static const int dpi_y = QueryScreenDpi(LOGPIXELSY);
  return axis == LOGPIXELSX ? dpi_x : dpi_y;
}

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

// The host's other threads, each opened to be waited for.
std::vector<HANDLE> OtherThreads() {
  std::vector<HANDLE> threads;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return threads;
  const DWORD process = GetCurrentProcessId();
  const DWORD self = GetCurrentThreadId();
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != process || entry.th32ThreadID == self) continue;
    if (HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, entry.th32ThreadID)) {
      threads.push_back(thread);
    }
  }
  CloseHandle(snapshot);
  return threads;
}

// Lets the threads that are ending by themselves finish first. Stopped
// music ends the sound's threads some tens of milliseconds after the stop
// returns; under Wine, a process that ends while one of them is still ending
// now and then dies of a segmentation fault (seen about once in 30 saver runs
// with a WAV on a loaded machine). Done once no thread has ended for a
// while, or at a limit: the threads that stay are of no concern.
void LetEndingThreadsEnd() {
  constexpr DWORD kQuietMs = 100;
  constexpr ULONGLONG kLimitMs = 1000;
  std::vector<HANDLE> threads = OtherThreads();
  const ULONGLONG limit = GetTickCount64() + kLimitMs;
  for (ULONGLONG now = GetTickCount64(); !threads.empty() && now < limit; now = GetTickCount64()) {
    const DWORD count = static_cast<DWORD>(std::min<size_t>(threads.size(), MAXIMUM_WAIT_OBJECTS));
    const DWORD wait_ms = static_cast<DWORD>(std::min<ULONGLONG>(kQuietMs, limit - now));
    const DWORD ended =
        WaitForMultipleObjects(count, threads.data(), FALSE, wait_ms) - WAIT_OBJECT_0;
    if (ended >= count) break;  // quiet for kQuietMs, or the wait failed
    CloseHandle(threads[ended]);
    threads.erase(threads.begin() + ended);
  }
  for (HANDLE thread : threads) CloseHandle(thread);
}

}  // namespace

// Wide, so that a program path outside the ANSI code page comes through whole.
std::wstring App_Command_Line() { return GetCommandLineW(); }

std::wstring App_File_Path() {
  std::vector<wchar_t> buffer(MAX_PATH + 1, L'\0');
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size() - 1 || buffer.size() > 32768) break;
    buffer.assign(buffer.size() * 2, L'\0');
  }
  return std::wstring(buffer.data(), length);
}

int Screen_Dpi_X() { return ScreenDpi(LOGPIXELSX); }
int Screen_Dpi_Y() { return ScreenDpi(LOGPIXELSY); }
double Twips_Per_Pixel_X() { return Twips_Per_Pixel(Screen_Dpi_X()); }
double Twips_Per_Pixel_Y() { return Twips_Per_Pixel(Screen_Dpi_Y()); }
int Screen_Pixels_X(double twips) { return Twips_To_Pixels(twips, Twips_Per_Pixel_X()); }
int Screen_Pixels_Y(double twips) { return Twips_To_Pixels(twips, Twips_Per_Pixel_Y()); }
int Screen_Twips_X(double pixels) { return Pixels_To_Twips(pixels, Twips_Per_Pixel_X()); }
int Screen_Twips_Y(double pixels) { return Pixels_To_Twips(pixels, Twips_Per_Pixel_Y()); }

// Unicode classes: their windows keep and show texts in any script, whatever
// the system's ANSI code page.
void Register_Window_Class(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name, &window_class)) return;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  Ignore_Result(RegisterClassExW(&window_class));
}

bool Window_Titled(const std::wstring& title) {
  return FindWindowW(nullptr, title.c_str()) != nullptr;
}

std::vector<HWND> Windows_With_Title(const std::wstring& title) {
  std::vector<HWND> windows;
  HWND after = nullptr;
  while ((after = FindWindowExW(nullptr, after, nullptr, title.c_str())) != nullptr) {
    windows.push_back(after);
  }
  return windows;
}

uint32_t Window_Process_Id(HWND window) {
  DWORD process_id = 0;
  return GetWindowThreadProcessId(window, &process_id) ? process_id : 0;
}

RECT Window_Screen_Rect(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) rect = RECT{};
  return rect;
}

bool Focus_Cues_Always() {
  BOOL always = FALSE;
  return SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
}

void Set_Mouse_Pointer(MousePointer pointer) {
  App().pointer = pointer;
  POINT at{};
  // Re-evaluate the cursor under the pointer now rather than at its next move.
  if (GetCursorPos(&at)) Ignore_Result(SetCursorPos(at.x, at.y));
}

MousePointer Mouse_Pointer() { return App().pointer; }

int Message_Box(const std::wstring& text, const std::wstring& caption, UINT type) {
  return MessageBoxW(nullptr, text.c_str(), caption.c_str(), type);
}

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

void End_Host() { ExitProcess(0); }

void End_Host_After_Sound() {
  LetEndingThreadsEnd();
  End_Host();
}

int Run_Message_Loop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

void App_Form_Loaded() { ++App().forms; }

void App_Form_Gone() {
  if (--App().forms <= 0) PostQuitMessage(0);
}

}  // namespace vantrel::toolkit

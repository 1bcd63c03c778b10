#include "settings/settings_ports_win32.h"

#include <windows.h>

#include <vector>

#include "toolkit/ansi_text_win32.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {

using toolkit::From_Ansi;
using toolkit::Ignore_Result;
using toolkit::To_Ansi;

// The settings file's own path may hold any character, so the profile calls
// are the wide ones. They keep the file in the ANSI code page, as the A calls
// did; a value read is cut at the byte length the A call would have given.
std::wstring Win32ProfilePort::GetString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& fallback, const std::wstring& file,
                                         size_t capacity) {
  if (capacity == 0) return {};
  std::vector<wchar_t> buffer(capacity, L'\0');
  Ignore_Result(GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(),
                                         buffer.data(), static_cast<DWORD>(buffer.size()),
                                         file.c_str()));
  std::string bytes = To_Ansi(std::wstring(buffer.data()));
  if (bytes.size() > capacity - 1) bytes.resize(capacity - 1);
  return From_Ansi(bytes);
}

bool Win32ProfilePort::WriteString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& value, const std::wstring& file) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

// A text the code page cannot hold comes back from it changed ('?' or a
// look-alike letter).
std::optional<size_t> Win32ProfilePort::StoredBytes(const std::wstring& value) {
  const std::string bytes = To_Ansi(value);
  if (From_Ansi(bytes) != value) return std::nullopt;
  return bytes.size();
}

// 1252 and the other one-byte code pages give every byte back; a UTF-8 code
// page does not give back bytes that are not UTF-8.
std::optional<std::wstring> Win32ProfilePort::TextOfBytes(const std::string& bytes) {
  std::wstring text = From_Ansi(bytes);
  if (To_Ansi(text) != bytes) return std::nullopt;
  return text;
}

// Paths reach the file system through the wide calls: the program folder and
// the user's folders may hold characters outside the ANSI code page.
bool Win32FilePort::CanOpenForReading(const std::wstring& path) {
  // Without backup semantics a folder does not open, so folders give false.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::optional<uint64_t> Win32FilePort::LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA facts{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &facts)) return std::nullopt;
  return static_cast<uint64_t>(facts.ftLastWriteTime.dwHighDateTime) << 32 |
         facts.ftLastWriteTime.dwLowDateTime;
}

std::wstring Win32FilePort::AppData(AppDataFolder which) {
  return App_Data_Folder(which, /*create=*/true);
}

bool Win32FilePort::MakeFolder(const std::wstring& path) { return Make_Folder(path); }

void Win32FilePort::RemoveFile(const std::wstring& path) {
  Ignore_Result(DeleteFileW(path.c_str()));
}

std::wstring Win32FilePort::ShortPath(const std::wstring& path) {
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::wstring short_form(needed, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), short_form.data(), needed);
  if (length == 0 || length >= needed) return {};
  short_form.resize(length);
  return short_form;
}

}  // namespace vantrel::host

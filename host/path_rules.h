// Path helpers of the host: the folder part of a path and the test whether
// a file can be opened for reading.
#pragma once

#include <string>

namespace vantrel::host {

// Asks the platform whether a file opens for sequential reading.
class FilePort {
 public:
  virtual ~FilePort() = default;
  virtual bool CanOpenForReading(const std::wstring& path) = 0;
};

// The part of `path` up to its last ":" or "\", without a trailing "\":
// C:\Music for C:\Music\song.mp3, C: for C:\song.mp3 and C:song.mp3, the
// empty text for song.mp3.
std::wstring Folder_Of(const std::wstring& path);

// True when the file opens for reading; one trailing "\" is dropped first,
// so folders and drive roots give false.
bool File_Exists(const std::wstring& path, FilePort& files);

// The program folder followed by a "\name" suffix, joined unchanged.
inline std::wstring Program_Path(const std::wstring& program_folder, const wchar_t* suffix) {
  return program_folder + suffix;
}

}  // namespace vantrel::host

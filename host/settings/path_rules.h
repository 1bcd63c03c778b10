// Path helpers of the host: the folder part of a path, the test whether a
// file can be opened for reading, and the user's own Vantrel folders.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "shared_names.h"
#include "user_folders.h"

namespace vantrel::host {

// The file system as the host asks it.
class FilePort {
 public:
  virtual ~FilePort() = default;
  // Whether a file opens for sequential reading.
  virtual bool CanOpenForReading(const std::wstring& path) = 0;
  // When a file was last written, in a unit that only compares; nothing
  // when the platform cannot say (no such file).
  virtual std::optional<uint64_t> LastWriteTime(const std::wstring& path) = 0;
  // The user's application-data folder; empty when the platform has none.
  virtual std::wstring AppData(AppDataFolder which) = 0;
  // Makes one folder; true when it exists afterwards.
  virtual bool MakeFolder(const std::wstring& path) = 0;
  // Deletes a file; a failure is not reported.
  virtual void RemoveFile(const std::wstring& path) = 0;
  // The short (8.3) form of an existing file's path; empty when it has none.
  virtual std::wstring ShortPath(const std::wstring& path) = 0;
};

// The part of `path` up to its last ":" or "\", without a trailing "\":
// C:\Music for C:\Music\song.mp3, C: for C:\song.mp3 and C:song.mp3, the
// empty text for song.mp3.
std::wstring Folder_Of(const std::wstring& path);

// The program folder: the folder of the host's own file, without a
// trailing "\" except at a drive root (C:\Saver\Vantrel.scr gives C:\Saver,
// C:\Vantrel.scr gives C:\).
std::wstring Program_Folder(const std::wstring& host_file);

// True when the file opens for reading; one trailing "\" is dropped first,
// so folders and drive roots give false.
bool File_Exists(const std::wstring& path, FilePort& files);

// The Vantrel folder inside the user's application-data folder, where a
// standard user may write what the program folder and C:\ refuse. Made
// first when `make` is true. Empty when there is no such folder.
std::wstring User_Folder(FilePort& files, AppDataFolder which, bool make);

// The program folder followed by a "\name" suffix, joined unchanged.
inline std::wstring Program_Path(const std::wstring& program_folder, const std::wstring& suffix) {
  return program_folder + suffix;
}

}  // namespace vantrel::host

// What the host and the renderer agree on besides the texture files
// (texture_files.h): the renderer's file, and its window's title (also its
// class), by which the host follows it.
#pragma once

#include <string>

namespace vantrel {

inline constexpr char kRendererFileName[] = "\\Vantrel.dll";
inline constexpr char kRendererWindowTitle[] = "Yarrin_VC";

// One of the names above as a wide text; they are all ASCII.
inline std::wstring Wide_Name(const char* name) {
  return std::wstring(name, name + std::char_traits<char>::length(name));
}

// The renderer's file beside the host, which start-up checks and the saver
// run starts: the program folder and the file name joined unchanged.
inline std::wstring Renderer_Path(const std::wstring& program_folder) {
  return program_folder + Wide_Name(kRendererFileName);
}

}  // namespace vantrel

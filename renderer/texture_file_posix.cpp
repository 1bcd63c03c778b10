// Sequential file reading through the C library, for native builds, which
// have no per-user texture folder.
#include <cstdio>

#include "texture.h"

namespace vantrel {
namespace {

class StdioFileSource final : public ByteSource {
 public:
  explicit StdioFileSource(std::FILE* file) : file_(file) {}
  ~StdioFileSource() override { std::fclose(file_); }
  StdioFileSource(const StdioFileSource&) = delete;
  StdioFileSource& operator=(const StdioFileSource&) = delete;

  size_t Read(void* out, size_t size) override { return std::fread(out, 1, size, file_); }

 private:
  std::FILE* file_;
};

}  // namespace

std::unique_ptr<ByteSource> Open_Sequential_File(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return nullptr;
  return std::make_unique<StdioFileSource>(file);
}

std::string Local_App_Data_Folder() { return {}; }

}  // namespace vantrel

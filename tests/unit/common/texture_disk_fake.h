// The texture files' disk in memory: files by path, the folders made, and
// every whole write asked for.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "texture_files.h"

namespace vantrel::testing {

class FakeTextureDisk : public TextureDisk {
 public:
  std::map<std::wstring, std::vector<uint8_t>> files;
  std::set<std::wstring> unwritable;
  std::wstring local_app_data;  // none unless a test names one
  std::vector<bool> asked;      // `create` of each ask for it
  std::set<std::wstring> folders;
  std::vector<std::wstring> written;

  std::wstring LocalAppData(bool create) override {
    asked.push_back(create);
    return local_app_data;
  }
  bool MakeFolder(const std::wstring& path) override {
    folders.insert(path);
    return true;
  }
  bool WriteWhole(const std::wstring& path, const std::vector<uint8_t>& bytes) override {
    written.push_back(path);
    if (unwritable.count(path)) return false;
    files[path] = bytes;
    return true;
  }
  std::unique_ptr<ByteSource> Open(const std::wstring& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return nullptr;
    return std::make_unique<MemoryByteSource>(found->second.data(), found->second.size());
  }
};

}  // namespace vantrel::testing

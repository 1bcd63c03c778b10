// The texture files' disk in memory: files by path, and every call that
// looks up the user's folder, makes a folder or writes a file.
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
  std::vector<std::wstring> calls;

  std::wstring LocalAppData(bool create) override {
    calls.push_back(create ? L"local, made" : L"local");
    return local_app_data;
  }
  bool MakeFolder(const std::wstring& path) override {
    calls.push_back(L"folder " + path);
    return true;
  }
  bool WriteWhole(const std::wstring& path, const std::vector<uint8_t>& bytes) override {
    calls.push_back(L"write " + path);
    if (!unwritable.count(path)) files[path] = bytes;
    return !unwritable.count(path);
  }
  std::unique_ptr<ByteSource> Open(const std::wstring& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return nullptr;
    return std::make_unique<MemoryByteSource>(found->second.data(), found->second.size());
  }
};

}  // namespace vantrel::testing

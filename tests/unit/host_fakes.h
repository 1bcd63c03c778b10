// Recording stand-ins for the host's platform ports.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "music/music_player.h"
#include "settings/path_rules.h"
#include "settings/settings_file.h"

namespace vantrel::host::testing {

// Files that open for reading; everything else does not. No application-
// data folders unless a test names them; made folders are recorded.
class FakeFiles : public FilePort {
 public:
  std::set<std::wstring> readable;
  std::vector<std::wstring> probed;
  std::map<AppDataFolder, std::wstring> app_data;
  std::set<std::wstring> folders;
  std::vector<std::wstring> removed;
  std::set<std::wstring> undeletable;  // deletes of these fail, unreported
  std::map<std::wstring, std::wstring> short_paths;
  std::map<std::wstring, uint64_t> written_at;  // of readable files; 0 when not named
  uint64_t clock = 0;                           // the time of the next write

  bool CanOpenForReading(const std::wstring& path) override {
    probed.push_back(path);
    return readable.count(path) > 0;
  }
  std::optional<uint64_t> LastWriteTime(const std::wstring& path) override {
    if (!readable.count(path)) return std::nullopt;
    auto found = written_at.find(path);
    return found == written_at.end() ? 0 : found->second;
  }
  std::wstring AppData(AppDataFolder which) override {
    auto found = app_data.find(which);
    return found == app_data.end() ? L"" : found->second;
  }
  bool MakeFolder(const std::wstring& path) override {
    folders.insert(path);
    return true;
  }
  void RemoveFile(const std::wstring& path) override {
    removed.push_back(path);
    if (!undeletable.count(path)) readable.erase(path);
  }
  std::wstring ShortPath(const std::wstring& path) override {
    auto found = short_paths.find(path);
    return found == short_paths.end() ? L"" : found->second;
  }
};

// A profile file per path: section -> key -> value. Keys match exactly
// here; the platform's case rules are left to the platform.
class FakeProfile : public ProfilePort {
 public:
  using Keys = std::map<std::wstring, std::wstring>;
  std::map<std::wstring, std::map<std::wstring, Keys>> files;
  std::vector<std::wstring> read_files;
  std::set<std::wstring> read_only;  // writes to these fail
  // Whether bytes come back from the code page unchanged, each byte one
  // character, as under 1252; else as under UTF-8, where the keys' code page
  // 932 bytes do not.
  bool bytes_carried = false;
  // Where a write makes its file, at the disk's clock; none: nowhere.
  FakeFiles* disk = nullptr;

  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& fallback, const std::wstring& file,
                         size_t capacity) override {
    read_files.push_back(file);
    auto f = files.find(file);
    if (f == files.end()) return fallback;
    auto s = f->second.find(section);
    if (s == f->second.end()) return fallback;
    auto k = s->second.find(key);
    if (k == s->second.end()) return fallback;
    return k->second.substr(0, capacity - 1);
  }
  bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                   const std::wstring& file) override {
    if (read_only.count(file)) return false;
    files[file][section][key] = value;
    if (disk) {
      disk->readable.insert(file);
      disk->written_at[file] = ++disk->clock;
    }
    return true;
  }
  // A one-byte code page that holds Latin-1 only, as 1252 nearly does.
  std::optional<size_t> StoredBytes(const std::wstring& value) override {
    for (wchar_t c : value) {
      if (c > 0xFF) return std::nullopt;
    }
    return value.size();
  }
  std::optional<std::wstring> TextOfBytes(const std::string& bytes) override {
    if (!bytes_carried) return std::nullopt;
    std::wstring text;
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
  }
};

// Records every command and answers from a script: per command text, a
// queue of (code, reply); an unscripted command succeeds with "".
class RecordingMci : public MciPort {
 public:
  struct Answer {
    uint32_t code;
    std::wstring reply;
  };
  std::vector<std::wstring> commands;
  std::map<std::wstring, std::deque<Answer>> script;
  std::map<uint32_t, std::wstring> error_texts;
  uint32_t wave_devices = 1;
  std::vector<std::pair<std::wstring, uint32_t>> sounds;  // "" for a stop

  void Answer(const std::wstring& command, uint32_t code, const std::wstring& reply) {
    script[command].push_back({code, reply});
  }

  uint32_t SendString(const std::wstring& command, std::wstring* reply, size_t capacity) override {
    commands.push_back(command);
    auto s = script.find(command);
    struct Answer answer {
      0, L""
    };
    if (s != script.end() && !s->second.empty()) {
      answer = s->second.front();
      if (s->second.size() > 1) s->second.pop_front();
    }
    if (reply) *reply = answer.reply.substr(0, capacity - 1);
    return answer.code;
  }
  bool GetErrorString(uint32_t code, std::wstring& text, size_t) override {
    auto e = error_texts.find(code);
    if (e == error_texts.end()) return false;
    text = e->second;
    return true;
  }
  uint32_t WaveOutDeviceCount() override { return wave_devices; }
  void PlaySoundFile(const std::wstring* name, uint32_t flags) override {
    sounds.emplace_back(name ? *name : L"", flags);
  }
};

}  // namespace vantrel::host::testing

// The property store in which a user control keeps its designed
// properties: key -> value, a value written together with its default, and
// a key kept only while its value differs from that default. Portable.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>

namespace vantrel::toolkit {

using PropertyValue = std::variant<bool, int32_t, std::wstring>;

class PropertyStore {
 public:
  // Keeps `value` under `key`, or drops the key when `value` equals `fallback`.
  void Write(const std::wstring& key, const PropertyValue& value, const PropertyValue& fallback);
  // The stored value, or `fallback` when the key is not kept or holds a
  // value of another type.
  PropertyValue Read(const std::wstring& key, const PropertyValue& fallback) const;

 private:
  std::map<std::wstring, PropertyValue> values_;
};

}  // namespace vantrel::toolkit

#include "property_store.h"

namespace vantrel::toolkit {

void PropertyStore::Write(const std::wstring& key, const PropertyValue& value,
                          const PropertyValue& fallback) {
  if (value == fallback) {
    values_.erase(key);
  } else {
    values_[key] = value;
  }
}

PropertyValue PropertyStore::Read(const std::wstring& key, const PropertyValue& fallback) const {
  const auto found = values_.find(key);
  if (found == values_.end() || found->second.index() != fallback.index()) return fallback;
  return found->second;
}

}  // namespace vantrel::toolkit

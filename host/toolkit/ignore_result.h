// The host fails silently by design: many platform results are deliberately
// not looked at. Passing them here says so.
#pragma once

namespace vantrel::toolkit {

template <typename T>
inline void Ignore_Result(T&&) {}

}  // namespace vantrel::toolkit

// The scene's random generator: the C runtime's linear congruential rand(),
// reproduced exactly so that every run builds the same scene on any platform.
#pragma once

#include <cstdint>

namespace vantrel {

class RuntimeRandom {
 public:
  // A value from 0 to 32767: bits 16..30 of the advanced state.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }
  // rand() / 32768 * x, in double precision: a value in [0, x * 32767/32768].
  double UpTo(float x) { return Next() * (1.0 / 32768.0) * static_cast<double>(x); }

 private:
  uint32_t state_ = 1;
};

}  // namespace vantrel

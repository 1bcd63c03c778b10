// A recording stand-in for the OpenGL and GLU entry points the renderer uses.
#pragma once

#include <string>
#include <vector>

namespace gltest {

struct Call {
  std::string name;
  std::vector<double> args;
};

// Every call since the last Reset, in order.
std::vector<Call>& Calls();
void Reset();

// Number of calls with this name.
int Count(const std::string& name);
// Calls with this name whose first argument equals `first`.
int CountWith(const std::string& name, double first);

// The image handed to the last gluBuild2DMipmaps: width, height and bytes.
struct Upload {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bytes;
};
const Upload& LastUpload();

}  // namespace gltest

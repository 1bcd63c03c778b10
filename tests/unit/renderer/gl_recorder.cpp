#include "gl_recorder.h"

#include <algorithm>

#include "gl_api.h"

namespace gltest {
namespace {
std::vector<Call> g_calls;
Upload g_upload;
GLuint g_next_texture = 7;  // deliberately not 1, to catch off-by-one names
void Record(const char* name, std::vector<double> args = {}) {
  g_calls.push_back({name, std::move(args)});
}
}  // namespace

std::vector<Call>& Calls() { return g_calls; }
void Reset() {
  g_calls.clear();
  g_upload = {};
}
int Count(const std::string& name) {
  return static_cast<int>(
      std::count_if(g_calls.begin(), g_calls.end(), [&](const Call& c) { return c.name == name; }));
}
int CountWith(const std::string& name, double first) {
  return static_cast<int>(std::count_if(g_calls.begin(), g_calls.end(), [&](const Call& c) {
    return c.name == name && !c.args.empty() && c.args[0] == first;
  }));
}
const Upload& LastUpload() { return g_upload; }

}  // namespace gltest

using gltest::Record;

extern "C" {
void glClear(GLbitfield m) { Record("glClear", {double(m)}); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  Record("glClearColor", {r, g, b, a});
}
void glPushMatrix() { Record("glPushMatrix"); }
void glPopMatrix() { Record("glPopMatrix"); }
void glLoadIdentity() { Record("glLoadIdentity"); }
void glMatrixMode(GLenum m) { Record("glMatrixMode", {double(m)}); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
  Record("glViewport", {double(x), double(y), double(w), double(h)});
}
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { Record("glRotatef", {a, x, y, z}); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { Record("glTranslatef", {x, y, z}); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { Record("glScalef", {x, y, z}); }
void glEnable(GLenum c) { Record("glEnable", {double(c)}); }
void glDisable(GLenum c) { Record("glDisable", {double(c)}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { Record("glColor3f", {r, g, b}); }
void glBegin(GLenum m) { Record("glBegin", {double(m)}); }
void glEnd() { Record("glEnd"); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { Record("glVertex3f", {x, y, z}); }
void glTexCoord2f(GLfloat s, GLfloat t) { Record("glTexCoord2f", {s, t}); }
void glBlendFunc(GLenum s, GLenum d) { Record("glBlendFunc", {double(s), double(d)}); }
void glDepthMask(GLboolean f) { Record("glDepthMask", {double(f)}); }
void glBindTexture(GLenum t, GLuint n) { Record("glBindTexture", {double(t), double(n)}); }
void glGenTextures(GLsizei n, GLuint* names) {
  for (GLsizei i = 0; i < n; ++i) names[i] = gltest::g_next_texture++;
  Record("glGenTextures", {double(n), double(names[0])});
}
void glDeleteTextures(GLsizei n, const GLuint* names) {
  Record("glDeleteTextures", {double(n), double(names[0])});
}
void glTexParameterf(GLenum t, GLenum p, GLfloat v) {
  Record("glTexParameterf", {double(t), double(p), v});
}
void glPixelStorei(GLenum p, GLint v) { Record("glPixelStorei", {double(p), double(v)}); }

GLUquadric* gluNewQuadric() {
  Record("gluNewQuadric");
  static int quadric_storage;
  return reinterpret_cast<GLUquadric*>(&quadric_storage);
}
void gluDeleteQuadric(GLUquadric*) { Record("gluDeleteQuadric"); }
void gluQuadricTexture(GLUquadric*, GLboolean on) { Record("gluQuadricTexture", {double(on)}); }
void gluSphere(GLUquadric*, GLdouble r, GLint slices, GLint stacks) {
  Record("gluSphere", {r, double(slices), double(stacks)});
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble n, GLdouble f) {
  Record("gluPerspective", {fovy, aspect, n, f});
}
GLint gluBuild2DMipmaps(GLenum target, GLint components, GLsizei w, GLsizei h, GLenum format,
                        GLenum type, const void* data) {
  Record("gluBuild2DMipmaps",
         {double(target), double(components), double(w), double(h), double(format), double(type)});
  // Reads exactly what the real GLU would: h rows of w BGR triples, rows
  // aligned to 4 bytes. ASan reports any read past the buffer.
  const size_t row = (size_t(w) * 3 + 3) / 4 * 4;
  const auto* bytes = static_cast<const unsigned char*>(data);
  gltest::g_upload.width = w;
  gltest::g_upload.height = h;
  gltest::g_upload.bytes.assign(bytes, bytes + row * size_t(h));
  return 0;
}
}

// OpenGL 1.1 and GLU, the only drawing interfaces of the renderer. On Windows
// the headers need the platform's calling-convention macros first.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>

#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif

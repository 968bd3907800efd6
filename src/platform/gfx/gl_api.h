#pragma once
// The OpenGL entry points: desktop OpenGL 3.3 through libepoxy, or WebGL 2 through emscripten's GLES 3.
#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
// Named by the desktop's texture uploads only, which OpenGL ES never takes.
#define GL_BGRA 0x80E1
#else
#include <epoxy/gl.h>
#endif

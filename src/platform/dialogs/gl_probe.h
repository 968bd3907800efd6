#pragma once

namespace plat {
// Opens a hidden window with an OpenGL context and reads its version: major * 10 + minor, 0 when none.
int ProbeOpenGLVersion();
}

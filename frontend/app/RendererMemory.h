#pragma once
// How the C library of the program's process keeps freed memory: set once
// by the program's main (and by the 3D view's benchmark, which measures
// the program), never by a library behind its caller's back.

namespace zrv::front {

/// Keeps large freed blocks in the process for the OpenGL software
/// renderer; does nothing where the C library is not glibc. Call it once,
/// first thing in main.
void KeepRendererMemory();

}  // namespace zrv::front

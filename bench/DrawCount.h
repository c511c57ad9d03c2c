// Counts the GL draw calls the engine makes: glDrawElements and glDrawArrays in the shader
// build, glBegin (one immediate-mode batch each) in the fixed-function build. The program
// that links DrawCount.cpp gets these functions in place of the GL library's, which they
// call in turn. On request it also counts the fragments each draw writes (an occlusion
// query around every call, which waits for the draw: for a few frames, not while timing).
#pragma once

namespace draw_count {

// Draw calls since the program started.
long total();

// Starts or stops counting fragments; the current GL context must be the drawing one.
void countFragments(bool on);

// Fragments written (that passed the depth test) by the draws made while counting was on.
long long fragments();

}  // namespace draw_count

// Counts the GL draw calls the engine makes: glDrawElements and glDrawArrays in the shader
// build, glBegin (one immediate-mode batch each) in the fixed-function build. The program
// that links DrawCount.cpp gets these functions in place of the GL library's, which they
// call in turn.
#pragma once

namespace draw_count {

// Draw calls since the program started.
long total();

}  // namespace draw_count

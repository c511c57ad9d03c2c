// OpenGL for the fixed-function build: the system's GL 1.x header (its glext.h supplies the
// names of later enums, which this build passes around but never calls).
#pragma once

#include <GL/gl.h>

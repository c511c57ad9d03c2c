// OpenGL for the shader build: GLEW declares the 2.0 entry points and must precede any
// other GL header.
#pragma once

#include <GL/glew.h>

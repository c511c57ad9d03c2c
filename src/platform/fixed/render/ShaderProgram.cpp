// ShaderProgram, fixed-function build: there are no shaders; materials set fixed-function
// state instead, and the program object is never created.
#include "render/ShaderProgram.h"

ShaderProgram::ShaderProgram(const char*, const char*) {}

ShaderProgram::~ShaderProgram() {}

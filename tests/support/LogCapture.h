// Collects what the code under test writes through log(): the SDL log (application
// category) in the shader build, standard output in the fixed-function build. Each SDL log
// message is given back its line end, so both builds return the same text.
#pragma once

#include <functional>
#include <string>

std::string captureLog(const std::function<void()>& action);

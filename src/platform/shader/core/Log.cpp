// log for the shader build: the SDL log, application category, information priority.
#include "core/Log.h"

#include <SDL.h>

#include <cstdarg>

void log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    SDL_LogMessageV(SDL_LOG_CATEGORY_APPLICATION, SDL_LOG_PRIORITY_INFO, format, args);
    va_end(args);
}

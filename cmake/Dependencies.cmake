# External libraries. Both SDL generations are installed side by side; each engine build
# links exactly one of them, so no target ever sees both SDL.h headers.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2 SDL2_image)
pkg_check_modules(GLEW REQUIRED IMPORTED_TARGET glew)
pkg_check_modules(SDL12 REQUIRED IMPORTED_TARGET sdl SDL_image)
find_package(ZLIB REQUIRED)
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED)
find_package(Threads REQUIRED)
# The fixed-function build sets its window's icon property itself (SDL 1.2 sets only the old one).
find_package(X11 REQUIRED)

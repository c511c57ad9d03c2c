# Compiler settings for the project's own targets (not for third-party code).
add_library(quandrels_options INTERFACE)
target_compile_options(quandrels_options INTERFACE -Wall -Wextra)
if(QUANDRELS_WERROR)
  target_compile_options(quandrels_options INTERFACE -Werror)
endif()

if(QUANDRELS_SANITIZE)
  set(QUANDRELS_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Coverage instrumentation everywhere, so the fuzz targets can link the engine as it is.
    list(APPEND QUANDRELS_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
  endif()
  target_compile_options(quandrels_options INTERFACE ${QUANDRELS_SANITIZER_FLAGS})
  target_link_options(quandrels_options INTERFACE -fsanitize=address,undefined)
endif()

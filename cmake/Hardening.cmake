# Hardening of everything the project compiles and links, as Debian builds its packages
# (lintian checks the programs for it): checked buffer functions, stack protector, PIE,
# full RELRO with bind-now.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

target_compile_options(quandrels_options INTERFACE -fstack-protector-strong)
# _FORTIFY_SOURCE needs optimisation (glibc warns without it, which -Werror makes fatal) and
# would hide overflows from AddressSanitizer, which checks the same calls itself.
if(NOT QUANDRELS_SANITIZE)
  target_compile_options(quandrels_options INTERFACE
    $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
endif()
target_link_options(quandrels_options INTERFACE -Wl,-z,relro -Wl,-z,now)

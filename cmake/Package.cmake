# `make package`: a Debian package of the installed tree (cmake/Install.cmake), made by CPack.
# It installs to /usr with the programs in /usr/games, takes its library dependencies from
# dpkg-shlibdeps and carries the copyright file and the changelog under /usr/share/doc/quandrels.
set(QUANDRELS_PACKAGE_MAINTAINER "The Quandrels developers <maintainers@users.noreply.c-seed-3fb190e7.example>"
    CACHE STRING "Maintainer field of the Debian package")

# A release is added to the changelog and to the metainfo together with the project's version.
file(STRINGS ${PROJECT_SOURCE_DIR}/dist/changelog changelog_top LIMIT_COUNT 1)
string(REGEX MATCH "^quandrels \\(([^)]*)\\)" found "${changelog_top}")
set(changelog_version "${CMAKE_MATCH_1}")
file(READ ${PROJECT_SOURCE_DIR}/dist/${QUANDRELS_APP_ID}.metainfo.xml metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" found "${metainfo}")
set(release_version "${CMAKE_MATCH_1}")
if(NOT changelog_version STREQUAL PROJECT_VERSION OR NOT release_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The project's version is ${PROJECT_VERSION}, but the newest entry of dist/changelog is "
    "'${changelog_version}' and the newest release in the metainfo '${release_version}': name the release in both.")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quandrels)
set(CPACK_PACKAGE_VENDOR "The Quandrels developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QUANDRELS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small 3D puzzle game with lava stones and runes")
set(CPACK_PACKAGE_DESCRIPTION [[
Quandrels opens on a gallery where the teasers swirl on a carousel: drag to
spin it and click a teaser to enter it. In the lava-stones teasers (four
levels) a click switches a stone and some of its neighbours, and all seven
stones must be lit. The runes teasers (three levels) are a memory game in
seven stages: the runes show their symbols and hide them again, and each
rune must get its symbol back.

The game comes as two programs: quandrels draws with OpenGL 2.0 shaders,
and quandrels-fixed uses fixed-function OpenGL for older graphics drivers.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# One package of these install components.
set(CPACK_COMPONENTS_ALL game games_programs)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/quandrels/quandrels)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside what dpkg-shlibdeps finds: SDL opens libGL.so.1 itself when it makes the GL context.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

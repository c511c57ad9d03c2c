# The installed game and its Debian package, checked by tests/install/check_install.py on an
# install into a temporary prefix and on a package made into a temporary folder. They install
# what the build made, so they belong to the normal build only.
if(NOT QUANDRELS_SANITIZE)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  foreach(check InstalledTree FindsItsData AppIconGenerator DebianPackage)
    add_test(NAME install.${check}
      COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/install/check_install.py
              --build ${CMAKE_BINARY_DIR} --cmake ${CMAKE_COMMAND} --cpack ${CMAKE_CPACK_COMMAND} ${check})
    set_tests_properties(install.${check} PROPERTIES LABELS install)
  endforeach()
endif()

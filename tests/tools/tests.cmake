# The tools run as separate programs from the build folder.
unit_test(
  tools/PackToolTest.cpp
)
add_dependencies(unit_tests quandrels-pack)
